#include "phases/session_ranking_dialog.h"

#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "live/gdi_objects.h"
#include "main/board_interaction.h"
#include "main/dialog_grid.h"
#include "main/message_box.h"
#include "phases/session_ranking_table.h"
#include "print/report_drawing.h"
#include "web/archive_files.h"
#include "web/web_publishing.h"

namespace zd {

namespace {

// The controls of one window; the qualifying and round windows share their layout, a thousand
// apart.
struct SessionControls {
  int category, age, men, women, byLaps, byBestLap, print, send, heading, scroll;
  int firstPointsEdit;  // 0: no points edits (practice)
  std::vector<int> bold;
  std::vector<int> underlined;
};

SessionControls ControlsOf(RacePhase phase) {
  if (phase == RacePhase::Practice)
    return {6201, 6202, 6203, 6204, 6205, 6206, 6208, 6207, 6209, 6213, 0, {6209, 6212}, {}};
  const int b = phase == RacePhase::Qualifying ? 7200 : 8200;
  return {b + 1,  b + 2,  b + 3,  b + 4,
          b + 11, b + 12, b + 14, b + 13,
          b + 15, b + 32, b + 5,  {b + 15, b + 18, b + 19},
          {b + 20, b + 21, b + 22, b + 23, b + 24, b + 25}};
}

PublishingWindow PublishingOf(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice: return PublishingWindow::PracticeSession;
    case RacePhase::Qualifying: return PublishingWindow::QualifyingSession;
    case RacePhase::Rounds: break;
  }
  return PublishingWindow::RoundSession;
}

struct SessionRankingWindow {
  explicit SessionRankingWindow(RacePhase phase)
      : ranking(std::make_unique<SessionRanking>(phase)), controls(ControlsOf(phase)) {}
  ~SessionRankingWindow() {
    for (HGDIOBJ font : {normal, bold, underlined})
      if (font) DeleteObject(font);
  }
  std::unique_ptr<SessionRanking> ranking;
  SessionControls controls;
  WebLink web;
  FixedText<260> logoPath;
  char savedDirectory[MAX_PATH] = {};
  int position = 0;
  bool editing = false;  // a points edit's change is being handled
  HFONT normal = nullptr;
  HFONT bold = nullptr;
  HFONT underlined = nullptr;
  std::unique_ptr<GdiObject> printBitmap;
};

const SessionRanking*& Shown() {
  static const SessionRanking* shown = nullptr;
  return shown;
}

void RestoreDirectory(const SessionRankingWindow& w) {
  if (w.savedDirectory[0]) SetCurrentDirectoryA(w.savedDirectory);
}

void Close(HWND dialog, const SessionRankingWindow& w) {
  RestoreDirectory(w);
  EndDialog(dialog, 0);
}

void Repaint(HWND dialog) {
  RedrawWindow(dialog, &kSessionTableArea, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
}

// Position 0, and the bar shown only when the rows overflow the view.
void ResetScroll(HWND dialog, SessionRankingWindow& w) {
  w.position = 0;
  const ScrollRange range = w.ranking->table().scrollRange();
  HWND bar = GetDlgItem(dialog, w.controls.scroll);
  SetScrollRange(bar, SB_CTL, 0, range.maximum, FALSE);
  SetScrollPos(bar, SB_CTL, 0, TRUE);
  ShowWindow(bar, range.shown ? SW_SHOW : SW_HIDE);
}

int ItemIndex(const std::vector<std::string>& items, std::string_view text) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == text) return static_cast<int>(i);
  return 0;
}

// The boxes and combos as the engine's filters stand, then the table from its top.
void ShowFilters(HWND dialog, SessionRankingWindow& w) {
  const SessionRanking& r = *w.ranking;
  const int32_t sex = r.filters().sex;
  CheckDlgButton(dialog, w.controls.men, sex == kMenOnly || sex == kBothSexes);
  CheckDlgButton(dialog, w.controls.women, sex == kWomenOnly || sex == kBothSexes);
  SendDlgItemMessageA(dialog, w.controls.category, CB_SETCURSEL,
                      ItemIndex(r.categoryItems(), r.filters().category.view()), 0);
  SendDlgItemMessageA(dialog, w.controls.age, CB_SETCURSEL,
                      ItemIndex(r.ageItems(), r.filters().age.view()), 0);
  ResetScroll(dialog, w);
  Repaint(dialog);
}

void FillCombo(HWND dialog, int id, const std::vector<std::string>& items) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::string SelectedText(HWND dialog, int id) {
  const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  if (index < 0) return {};
  char text[256] = {};
  if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, index, 0) >= LRESULT(sizeof text)) return {};
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

void SetFonts(HWND dialog, SessionRankingWindow& w) {
  w.normal = CreatePlainFont("Arial", 16);
  w.bold = CreatePlainFont("Arial", 16, FW_BOLD);
  LOGFONTA underlined = {};
  underlined.lfHeight = 15;
  underlined.lfWeight = FW_BOLD;
  underlined.lfUnderline = TRUE;
  std::strcpy(underlined.lfFaceName, "Arial");
  w.underlined = CreateFontIndirectA(&underlined);
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(w.normal), FALSE);
  for (int id : w.controls.bold)
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(w.bold), FALSE);
  for (int id : w.controls.underlined)
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(w.underlined), FALSE);
}

void InitDialog(HWND dialog, SessionRankingWindow& w) {
  GetCurrentDirectoryA(MAX_PATH, w.savedDirectory);
  SessionRanking& r = *w.ranking;
  r.open();
  for (const std::string& message : r.messages())
    ShowMessage(dialog, message.c_str(), kErrorCaption, MB_OK);
  if (!ReadReportLogoPath(w.logoPath))
    ShowMessage(dialog, kDisplaySettingsNotFound, kErrorCaption, MB_OK);
  SetDlgItemTextA(dialog, w.controls.heading, r.heading().c_str());
  RunWebLinkCheck(dialog, w.web);

  FillCombo(dialog, w.controls.category, r.categoryItems());
  FillCombo(dialog, w.controls.age, r.ageItems());
  CheckRadioButton(dialog, w.controls.byLaps, w.controls.byBestLap,
                   r.rankingMode() == kRankByLapsAndTime ? w.controls.byLaps
                                                         : w.controls.byBestLap);
  // Each edit filled counts as the user's change of it: the list is ranked again each time.
  if (w.controls.firstPointsEdit != 0) {
    for (int k = 0; k < kPointsEditCount; ++k) {
      const auto edit = static_cast<PointsEdit>(k);
      const int id = w.controls.firstPointsEdit + k;
      SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, PointsEditLimit(edit), 0);
      SetDlgItemTextA(dialog, id, r.pointsEditText(edit).c_str());
    }
  }
  w.printBitmap = std::make_unique<GdiObject>(
      LoadImageA(nullptr, "images/impression.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  SendDlgItemMessageA(dialog, w.controls.print, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(w.printBitmap->get()));
  SetSendButtonPicture(GetDlgItem(dialog, w.controls.send), w.web);
  SpreadToPixelGrid(dialog);
  SetFonts(dialog, w);
  ShowFilters(dialog, w);
}

void PointsEditChanged(HWND dialog, SessionRankingWindow& w, int k) {
  if (w.editing) return;
  w.editing = true;
  char text[16] = {};
  GetDlgItemTextA(dialog, w.controls.firstPointsEdit + k, text, sizeof text);
  w.ranking->pointsEditChanged(static_cast<PointsEdit>(k), text);
  ShowFilters(dialog, w);
  w.editing = false;
}

void Validate(HWND dialog, SessionRankingWindow& w) {
  RestoreDirectory(w);
  const Outcome written = w.ranking->writePointsSection();
  if (!written) {
    const bool missing = written.message == kRaceFileNotFound;
    ShowMessage(dialog, written.message.c_str(), kErrorCaption,
                MB_OK | (missing ? MB_ICONERROR : 0));
  }
  Close(dialog, w);
}

void Send(HWND dialog, SessionRankingWindow& w) {
  const SessionRanking& r = *w.ranking;
  ArchiveRequest request;
  request.values = SessionPublishing(PublishingOf(r.phase()), r.session());
  request.lineCount = r.shownCount();
  request.raceNumber = r.race();
  request.raceName = r.raceName();
  request.refuse = [&]() {
    const std::optional<std::string> refusal = r.sendRefusal();
    if (refusal) ShowMessage(dialog, refusal->c_str(), "Erreur", MB_OK | MB_ICONERROR);
    return refusal.has_value();
  };
  request.writeArchive = [&](std::string_view path) {
    SessionArchive archive;
    archive.entries = std::span(r.list().data(), static_cast<size_t>(r.shownCount()));
    archive.summary =
        std::span(r.summary().records.data(), static_cast<size_t>(r.summary().count));
    archive.penalties = &r.penalties();
    archive.rankingKey = r.rankingMode();
    return WriteSessionArchive(path, archive, MakeArchiveEventTexts(r.information(), r.raceName()));
  };
  // The archive is written relative to the program's folder, whatever the printing did.
  RestoreDirectory(w);
  RunArchivePublishing(dialog, w.web, request);
}

void Scroll(HWND dialog, SessionRankingWindow& w, int code, int thumb) {
  const int maximum = w.ranking->table().scrollRange().maximum;
  const int position = ScrolledPosition(code, thumb, w.position, 0, maximum);
  SetScrollPos(GetDlgItem(dialog, w.controls.scroll), SB_CTL, position, TRUE);
  if (position != w.position) {
    w.position = position;
    Repaint(dialog);
  }
}

// Commands by control and notification: only "OK" and Escape close the window.
void Command(HWND dialog, SessionRankingWindow& w, int id, int notification) {
  const SessionControls& c = w.controls;
  SessionRanking& r = *w.ranking;
  if (c.firstPointsEdit != 0 && id >= c.firstPointsEdit &&
      id < c.firstPointsEdit + kPointsEditCount) {
    if (notification == EN_CHANGE) PointsEditChanged(dialog, w, id - c.firstPointsEdit);
    return;
  }
  if (id == c.category || id == c.age) {
    if (notification != CBN_SELCHANGE) return;
    const std::string text = SelectedText(dialog, id);
    if (id == c.category)
      r.selectCategory(text);
    else
      r.selectAge(text);
    ShowFilters(dialog, w);
    return;
  }
  if (notification != BN_CLICKED) return;
  if (id == IDOK) {
    Validate(dialog, w);
  } else if (id == IDCANCEL) {
    Close(dialog, w);
  } else if (id == c.men || id == c.women) {
    r.clickSexBox(id == c.men ? SexBox::Men : SexBox::Women,
                  IsDlgButtonChecked(dialog, id) == BST_CHECKED);
    ShowFilters(dialog, w);
  } else if (id == c.byLaps || id == c.byBestLap) {
    r.setRankingMode(id == c.byLaps ? kRankByLapsAndTime : kRankByBestLap);
    ShowFilters(dialog, w);
  } else if (id == c.print) {
    PrintSessionRanking(dialog, r, w.logoPath.c_str(), w.savedDirectory);
  } else if (id == c.send) {
    Send(dialog, w);
  }
}

INT_PTR CALLBACK SessionRankingDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* w = reinterpret_cast<SessionRankingWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (w == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *w);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(dialog, &paint);
      PaintSessionRanking(dc, *w->ranking, w->position);
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_COMMAND:
      Command(dialog, *w, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, w->controls.scroll))
        Scroll(dialog, *w, LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
      return TRUE;
    case WM_CLOSE:
      Close(dialog, *w);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<RacePhase> SessionRankingPhase(const char* dialogTemplate) {
  if (dialogTemplate == nullptr) return std::nullopt;
  const std::string_view name(dialogTemplate);
  if (name == "COURSEESSAISCLASSEMENTSEANCE") return RacePhase::Practice;
  if (name == "COURSEQUALIFSCLASSEMENTSEANCE") return RacePhase::Qualifying;
  if (name == "COURSEMANCHESCLASSEMENTMANCHE") return RacePhase::Rounds;
  return std::nullopt;
}

bool OpenSessionRankingDialog(HWND owner, const char* dialogTemplate) {
  const std::optional<RacePhase> phase = SessionRankingPhase(dialogTemplate);
  if (!phase) return false;
  auto window = std::make_unique<SessionRankingWindow>(*phase);
  Shown() = window->ranking.get();
  DialogBoxParamA(GetModuleHandleA(nullptr), dialogTemplate, owner, SessionRankingDialogProc,
                  reinterpret_cast<LPARAM>(window.get()));
  Shown() = nullptr;
  return true;
}

const SessionRanking* ShownSessionRanking() { return Shown(); }

}  // namespace zd
