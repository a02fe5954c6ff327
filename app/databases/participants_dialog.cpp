#include "databases/participants_dialog.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "databases/database_dialog.h"
#include "databases/participants_report.h"
#include "live/gdi_objects.h"
#include "main/command_window.h"
#include "main/message_box.h"
#include "print/report_drawing.h"
#include "web/archive_files.h"
#include "web/web_publishing.h"

namespace zd {

namespace {

constexpr int kRaceName = 5201;
constexpr int kCount = 5202;
constexpr int kParticipantsList = 5203;
constexpr int kDriversList = 5204;
constexpr int kAdd = 5205;
constexpr int kRemove = 5206;
constexpr int kPrint = 5207;
constexpr int kSend = 5208;
const std::vector<int> kBoldIds = {5201, 5202, 5209, 5210, 5211};

struct ParticipantsDialogState {
  std::unique_ptr<ParticipantSources> sources = std::make_unique<ParticipantSources>();
  std::unique_ptr<ParticipantsList> list = std::make_unique<ParticipantsList>();
  WebLink web;
  FixedText<260> logoPath;
  char savedDirectory[MAX_PATH] = {};
  DatabaseFonts fonts;
  std::unique_ptr<GdiObject> printBitmap;
  bool editable = false;
};

void ShowError(HWND dialog, const std::string& text, const char* caption = kErrorCaption) {
  ShowMessage(dialog, text.c_str(), caption, MB_OK | MB_ICONERROR);
}

void RestoreDirectory(const ParticipantsDialogState& s) {
  if (s.savedDirectory[0]) SetCurrentDirectoryA(s.savedDirectory);
}

void SetButtonBitmap(HWND dialog, int id, HGDIOBJ bitmap) {
  SendDlgItemMessageA(dialog, id, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

HGDIOBJ LoadBitmapFile(const char* path) {
  return LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
}

// The participants' names, the first selected, and their count.
void ShowParticipants(HWND dialog, const ParticipantsList& list) {
  SendDlgItemMessageA(dialog, kParticipantsList, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < list.count(); ++i)
    SendDlgItemMessageA(dialog, kParticipantsList, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(list.participants()[i].name.c_str()));
  SendDlgItemMessageA(dialog, kParticipantsList, LB_SETCURSEL, 0, 0);
  SetDlgItemTextA(dialog, kCount, ("(" + std::to_string(list.count()) + ")").c_str());
}

void InitDialog(HWND dialog, ParticipantsDialogState& s) {
  GetCurrentDirectoryA(MAX_PATH, s.savedDirectory);
  for (const std::string& missing : ReadParticipantSources(*s.sources, CurrentBirthMonthCount()))
    ShowError(dialog, missing);
  const Outcome loaded = LoadParticipantsList(*s.list);
  if (!loaded) ShowError(dialog, loaded.message);
  if (!ReadReportLogoPath(s.logoPath)) ShowError(dialog, kDisplaySettingsNotFound);
  RunWebLinkCheck(dialog, s.web);

  for (const std::string& name : DriverNames(s.sources->drivers))
    SendDlgItemMessageA(dialog, kDriversList, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
  SendDlgItemMessageA(dialog, kDriversList, LB_SETCURSEL, 0, 0);
  ShowParticipants(dialog, *s.list);
  SetDlgItemTextA(dialog, kRaceName, std::string(s.list->raceName()).c_str());

  s.printBitmap = std::make_unique<GdiObject>(LoadBitmapFile("images/impression.bmp"));
  SetButtonBitmap(dialog, kPrint, s.printBitmap->get());
  SetSendButtonPicture(GetDlgItem(dialog, kSend), s.web);

  s.editable = s.list->raceKnown() && !s.list->locked();
  for (int id : {IDOK, kAdd, kRemove}) EnableWindow(GetDlgItem(dialog, id), s.editable);
  s.fonts.apply(dialog, kBoldIds);
}

void Add(HWND dialog, ParticipantsDialogState& s) {
  const LRESULT selected = SendDlgItemMessageA(dialog, kDriversList, LB_GETCURSEL, 0, 0);
  if (selected < 0 || selected >= kMaxDrivers) return;
  switch (s.list->add(s.sources->drivers[static_cast<std::size_t>(selected)], *s.sources)) {
    case ParticipantAdd::Added:
      ShowParticipants(dialog, *s.list);
      break;
    case ParticipantAdd::Full:
      ShowError(dialog, kParticipantsListFull);
      break;
    case ParticipantAdd::Unchanged:
      break;
  }
}

void Remove(HWND dialog, ParticipantsDialogState& s) {
  const LRESULT selected = SendDlgItemMessageA(dialog, kParticipantsList, LB_GETCURSEL, 0, 0);
  if (selected < 0 || selected >= s.list->count()) return;
  const std::string name(s.list->participants()[static_cast<std::size_t>(selected)].name.view());
  if (s.list->remove(name)) ShowParticipants(dialog, *s.list);
}

void Print(HWND dialog, ParticipantsDialogState& s) {
  const ParticipantsList& list = *s.list;
  const int pages = ReportPageCount(list.count());
  PrintReport(
      dialog, s.logoPath.c_str(), kParticipantsDocumentName, pages,
      [&](HDC dc, int page) { DrawParticipantsPage(dc, list, page, pages); }, s.savedDirectory);
}

void Send(HWND dialog, ParticipantsDialogState& s) {
  const ParticipantsList& list = *s.list;
  ArchiveRequest request;
  request.values = ParticipantsPublishing();
  request.lineCount = list.count();
  request.raceNumber = list.race();
  request.raceName = list.raceName();
  request.writeArchive = [&list](std::string_view path) {
    return WriteParticipantsArchive(
        path, std::span(list.participants().data(), static_cast<std::size_t>(list.count())),
        MakeArchiveEventTexts(list.eventInformation(), list.raceName()));
  };
  // The archive is written relative to the program's folder, whatever the printing did.
  RestoreDirectory(s);
  RunArchivePublishing(dialog, s.web, request);
}

void Validate(HWND dialog, ParticipantsDialogState& s) {
  RestoreDirectory(s);
  const Outcome saved = SaveParticipantsList(*s.list);
  if (!saved) {
    ShowError(dialog, saved.message);
    // Without the race file there is nothing to keep the dialog open for.
    if (saved.message != kRaceFileNotFound) return;
  }
  EndDialog(dialog, 0);
}

bool Command(HWND dialog, ParticipantsDialogState& s, int id, int notification) {
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case kAdd:
      if (s.editable) Add(dialog, s);
      return true;
    case kRemove:
      if (s.editable) Remove(dialog, s);
      return true;
    case kPrint:
      Print(dialog, s);
      return true;
    case kSend:
      Send(dialog, s);
      return true;
    case IDOK:
      if (s.editable) Validate(dialog, s);
      return true;
    case IDCANCEL:
      RestoreDirectory(s);
      EndDialog(dialog, 0);
      return true;
    default:
      return false;
  }
}

}  // namespace

void DrawParticipantsPage(HDC dc, const ParticipantsList& list, int page, int pageCount) {
  const ReportInformation& information = list.reportInformation();
  ReportListPage frame;
  frame.texts.title = ParticipantsReportTitle(list.count());
  frame.texts.information = &information;
  frame.texts.page = page;
  frame.texts.pageCount = pageCount;
  frame.edges = kListTableEdges;
  frame.rows = ReportRowsOnPage(list.count(), page);
  frame.separators = ParticipantsReportSeparators();
  frame.columns = ParticipantsReportColumns(information.international);
  DrawReportPageFrame(dc, frame);
  for (int k = 0; k < frame.rows; ++k) {
    const int index = (page - 1) * kReportRowsPerPage + k;
    const ParticipantsReportRow row = ParticipantsReportRowOf(
        list.participants()[static_cast<std::size_t>(index)], index, information.international);
    const int y = ReportRowTextTop(k);
    for (const ParticipantsReportCell& cell : row.cells)
      DrawReportText(dc, cell.x, y, cell.text, cell.fontHeight, false,
                     cell.rightAligned ? ReportAlign::kRight : ReportAlign::kLeft);
    if (!row.flagCode.empty())
      DrawBitmapFile(dc, CountryFlagPath(row.flagCode).c_str(), kParticipantsFlagX, y, 20, 13);
  }
}

INT_PTR CALLBACK ParticipantsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<ParticipantsDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      return Command(dialog, *s, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_CLOSE:
      RestoreDirectory(*s);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenParticipantsDialog(HWND owner) {
  ParticipantsDialogState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), DialogTemplateName(MainDialog::Participants).data(),
                  owner, ParticipantsDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace zd
