#include "phases/arrangement_dialogs.h"

#include <windowsx.h>

#include <memory>
#include <string>
#include <vector>

#include "databases/database_dialog.h"
#include "live/gdi_objects.h"
#include "main/board_interaction.h"
#include "main/command_window.h"
#include "main/dialog_grid.h"
#include "main/message_box.h"
#include "phases/arrangement.h"
#include "phases/arrangement_painting.h"
#include "print/report_drawing.h"

namespace zd {

namespace {

// A template's ids; source is 0 where there is no source button.
struct ArrangementIds {
  int title, raceName, countLabel, count, source, print, scroll;
};
const ArrangementIds kPracticeIds{6104, 6101, 6105, 6102, 0, 6103, 6106};
const ArrangementIds kQualifyingIds{7105, 7101, 7106, 7102, 7103, 7104, 7107};
const ArrangementIds kGridIds{8105, 8101, 8106, 8102, 8103, 8104, 8107};

ArrangementSoundPlayer& SoundPlayer() {
  static ArrangementSoundPlayer player;
  return player;
}

void PlayArrangementSound(const char* file) {
  if (SoundPlayer()) {
    SoundPlayer()(file);
    return;
  }
  // Without an audio device the sound simply does not play.
  PlaySoundA(file, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

struct ArrangementDialogState {
  ArrangementDialogState(RacePhase phase, const ArrangementIds& ids)
      : model(std::make_unique<ArrangementModel>(phase)), ids(ids) {}
  std::unique_ptr<ArrangementModel> model;
  const ArrangementIds& ids;
  int scroll = 0;  // the slot of the table's first row
  FixedText<260> logoPath;
  char savedDirectory[MAX_PATH] = {};
  DatabaseFonts fonts;
  std::unique_ptr<GdiObject> printBitmap;
  // Set while the program writes the count's text: that change is not the user's.
  bool settingText = false;
};

void ShowErrors(HWND dialog, const std::vector<std::string>& messages) {
  for (const std::string& message : messages)
    ShowMessage(dialog, message.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
}

void RestoreDirectory(const ArrangementDialogState& s) {
  if (s.savedDirectory[0]) SetCurrentDirectoryA(s.savedDirectory);
}

void RepaintTable(HWND dialog) {
  InvalidateRect(dialog, &kArrangementTableRect, TRUE);
  UpdateWindow(dialog);
}

// The scroll bar after a change of the rows: the position kept within the new range.
void ShowScroll(HWND dialog, const ArrangementDialogState& s) {
  HWND bar = GetDlgItem(dialog, s.ids.scroll);
  const ScrollRange range = s.model->scrollRange();
  SetScrollRange(bar, SB_CTL, 0, range.maximum, FALSE);
  SetScrollPos(bar, SB_CTL, s.scroll, TRUE);
  ShowWindow(bar, range.shown ? SW_SHOW : SW_HIDE);
}

void ShowCount(HWND dialog, ArrangementDialogState& s, const std::string& text) {
  s.settingText = true;
  SetDlgItemTextA(dialog, s.ids.count, text.c_str());
  s.settingText = false;
}

void InitDialog(HWND dialog, ArrangementDialogState& s) {
  GetCurrentDirectoryA(MAX_PATH, s.savedDirectory);
  ShowErrors(dialog, LoadArrangement(*s.model));
  if (!ReadReportLogoPath(s.logoPath))
    ShowMessage(dialog, kDisplaySettingsNotFound, kErrorCaption, MB_OK | MB_ICONERROR);

  const ArrangementModel& m = *s.model;
  SetDlgItemTextA(dialog, s.ids.raceName, std::string(m.raceName()).c_str());
  SendDlgItemMessageA(dialog, s.ids.count, EM_LIMITTEXT, ArrangementModel::kCountEditLimit, 0);
  ShowCount(dialog, s, std::to_string(m.count()));
  ShowScroll(dialog, s);
  EnableWindow(GetDlgItem(dialog, s.ids.count), m.countEditable());
  if (s.ids.source)
    EnableWindow(GetDlgItem(dialog, s.ids.source), m.sourceAvailable() && m.countEditable());
  EnableWindow(GetDlgItem(dialog, IDOK), m.generateEnabled());

  s.printBitmap = std::make_unique<GdiObject>(
      LoadImageA(nullptr, "images/impression.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  SendDlgItemMessageA(dialog, s.ids.print, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(s.printBitmap->get()));
  s.fonts.apply(dialog, {s.ids.title, s.ids.raceName});
  SpreadToPixelGrid(dialog);
}

void CountChanged(HWND dialog, ArrangementDialogState& s) {
  char text[16] = {};
  GetDlgItemTextA(dialog, s.ids.count, text, sizeof text);
  if (const std::optional<std::string> rewrite = s.model->countChanged(text))
    ShowCount(dialog, s, *rewrite);
  s.scroll = 0;
  ShowScroll(dialog, s);
  RepaintTable(dialog);
}

void LoadSource(HWND dialog, ArrangementDialogState& s) {
  std::vector<std::string> messages;
  LoadArrangementSource(*s.model, messages);
  ShowErrors(dialog, messages);
  ShowCount(dialog, s, std::to_string(s.model->count()));
  s.scroll = 0;
  ShowScroll(dialog, s);
  RepaintTable(dialog);
}

void Print(HWND dialog, ArrangementDialogState& s) {
  const ArrangementModel& m = *s.model;
  const int pages = m.pageCount();
  PrintReport(
      dialog, s.logoPath.c_str(), ArrangementDocumentName(m.phase()), pages,
      [&](HDC dc, int page) { DrawArrangementPage(dc, m, page, pages); }, s.savedDirectory);
}

void Generate(HWND dialog, ArrangementDialogState& s) {
  RestoreDirectory(s);
  if (!s.model->seriesCountAllowed()) {
    ShowMessage(dialog, kTooManySeries, kArrangementErrorCaption, MB_OK | MB_ICONERROR);
    return;
  }
  const Outcome saved = SaveArrangement(*s.model);
  if (!saved) ShowMessage(dialog, saved.message.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
  EndDialog(dialog, 0);
}

bool Command(HWND dialog, ArrangementDialogState& s, int id, int notification) {
  if (id == s.ids.count) {
    if (notification == EN_CHANGE && !s.settingText) CountChanged(dialog, s);
    return true;
  }
  if (notification != BN_CLICKED) return false;
  if (id == s.ids.source && id != 0) {
    LoadSource(dialog, s);
  } else if (id == s.ids.print) {
    Print(dialog, s);
  } else if (id == IDOK) {
    if (s.model->generateEnabled()) Generate(dialog, s);
  } else if (id == IDCANCEL) {
    RestoreDirectory(s);
    EndDialog(dialog, 0);
  } else {
    return false;
  }
  return true;
}

void Scroll(HWND dialog, ArrangementDialogState& s, int code, int thumb) {
  const int maximum = s.model->scrollRange().maximum;
  const int position = ScrolledPosition(code, thumb, s.scroll, 0, maximum);
  if (position == s.scroll) return;
  s.scroll = position;
  SetScrollPos(GetDlgItem(dialog, s.ids.scroll), SB_CTL, position, TRUE);
  RepaintTable(dialog);
}

void Click(HWND dialog, ArrangementDialogState& s, int x, int y) {
  const std::optional<int> slot = s.model->hitArrow(x, y, s.scroll);
  if (!slot) return;
  const ExchangeResult result = s.model->exchange(*slot);
  if (result.sound) PlayArrangementSound(result.sound);
  if (result.warning)
    ShowMessage(dialog, result.warning, kArrangementWarningCaption, MB_OK | MB_ICONWARNING);
  s.scroll = s.model->boundScroll(s.scroll);
  ShowScroll(dialog, s);
  RepaintTable(dialog);
}

INT_PTR CALLBACK ArrangementDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<ArrangementDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *s);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(dialog, &paint);
      PaintArrangementTable(dc, *s->model, s->scroll);
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_COMMAND:
      return Command(dialog, *s, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, s->ids.scroll))
        Scroll(dialog, *s, LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
      return TRUE;
    case WM_LBUTTONDOWN:
      Click(dialog, *s, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return TRUE;
    case WM_CLOSE:
      RestoreDirectory(*s);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenArrangementDialog(HWND owner, RacePhase phase, const ArrangementIds& ids,
                           MainDialog which) {
  ArrangementDialogState state(phase, ids);
  DialogBoxParamA(GetModuleHandleA(nullptr), DialogTemplateName(which).data(), owner,
                  ArrangementDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace

void OpenPracticeArrangementDialog(HWND owner) {
  OpenArrangementDialog(owner, RacePhase::Practice, kPracticeIds, MainDialog::PracticeArrangement);
}

void OpenQualifyingArrangementDialog(HWND owner) {
  OpenArrangementDialog(owner, RacePhase::Qualifying, kQualifyingIds,
                        MainDialog::QualifyingArrangement);
}

void OpenStartingGridDialog(HWND owner) {
  OpenArrangementDialog(owner, RacePhase::Rounds, kGridIds, MainDialog::StartingGrid);
}

void SetArrangementSoundPlayer(ArrangementSoundPlayer player) { SoundPlayer() = std::move(player); }

}  // namespace zd
