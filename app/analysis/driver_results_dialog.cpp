#include "analysis/driver_results_dialog.h"

#include <windowsx.h>

#include <memory>
#include <string>

#include "analysis/driver_charts.h"
#include "analysis/driver_laps.h"
#include "analysis/driver_results_painting.h"
#include "analysis/driver_results_print.h"
#include "analysis/driver_window.h"
#include "files/handover_files.h"
#include "files/settings.h"
#include "main/board_interaction.h"
#include "main/dialog_grid.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr const char* kDisplaySettingsMissing = "Error: Display settings file not found";

struct DriverResultsWindow {
  std::unique_ptr<SeriesResultEntry> entry = std::make_unique<SeriesResultEntry>();
  DriverPageTitle pageTitle;
  DriverTrackLine trackLine;
  FixedText<260> logoPath;
  int32_t firstTimedLap = 1;
  int32_t from = 0;
  int32_t to = 0;
  LapRangeStats stats;  // of the curve's last paint, for the hover
  CurveScale scale;
  CurveHover hover;
  int32_t stripPosition = 0;
  int32_t stripMaximum = 0;
  char savedDirectory[MAX_PATH] = {};
  HFONT normal = nullptr;
  HFONT bold = nullptr;
  HMENU printMenu = nullptr;
  HBITMAP printBitmap = nullptr;
};

DriverResultsWindow& Window() {
  static DriverResultsWindow window;
  return window;
}

// Chosen last; kept from one opening to the next.
DriverResultsView& View() {
  static DriverResultsView view = DriverResultsView::Summary;
  return view;
}

int32_t LapCount() { return Window().entry->passingCount; }

void Repaint(HWND dialog, const RECT& area) {
  RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN);
}

void ReadDriver(HWND dialog) {
  DriverResultsWindow& w = Window();
  *w.entry = SeriesResultEntry{};
  SeriesTitle runTitle;
  FixedText<40> trackName;
  RunDescription runNote;
  if (!ReadDriverResultFile(*w.entry, runTitle, trackName, runNote)) {
    ShowMessage(dialog, kDriverResultFileFailed.data(), "Error", MB_OK);
    // A file read halfway shows no laps rather than some of them.
    *w.entry = SeriesResultEntry{};
  }
  w.logoPath.clear();
  if (!ReadDisplaySettingsLogo(kDisplaySettingsFile, w.logoPath)) {
    ShowMessage(dialog, kDisplaySettingsMissing, "Error", MB_OK);
  }
  w.pageTitle = MakeDriverPageTitle(runTitle.view(), w.entry->name.view());
  w.trackLine = MakeDriverTrackLine(trackName.view(), runNote.view());
  DeriveLapTimes(*w.entry);
}

void SetFonts(HWND dialog) {
  DriverResultsWindow& w = Window();
  w.normal = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  w.bold = CreateFontA(16, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  for (int id : {IDOK, 9507, 9508, kDriverFirstLap, kDriverLastLap}) {
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(w.normal), FALSE);
  }
  for (int id : {9506, 9509, kDriverViewSummary, kDriverViewHistogram, kDriverViewCurve}) {
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(w.bold), FALSE);
  }
}

void Open(HWND dialog, int32_t firstTimedLap) {
  DriverResultsWindow& w = Window();
  w.firstTimedLap = firstTimedLap;
  GetCurrentDirectoryA(sizeof w.savedDirectory, w.savedDirectory);
  w.printMenu = CreatePopupMenu();
  AppendMenuA(w.printMenu, MF_STRING, kDriverPrintSummary, "Synthèse run");
  AppendMenuA(w.printMenu, MF_STRING, kDriverPrintLaps, "Détail tours");

  ReadDriver(dialog);
  CheckRadioButton(dialog, kDriverViewSummary, kDriverViewCurve,
                   kDriverViewSummary + static_cast<int>(View()));

  const int32_t n = LapCount();
  w.from = 1;
  w.to = n;
  w.hover = {};
  w.stats = {};
  w.scale = {};
  SendDlgItemMessageA(dialog, kDriverFirstLap, EM_LIMITTEXT, 4, 0);
  SendDlgItemMessageA(dialog, kDriverLastLap, EM_LIMITTEXT, 4, 0);
  SetDlgItemInt(dialog, kDriverFirstLap, 1, FALSE);
  SetDlgItemInt(dialog, kDriverLastLap, static_cast<UINT>(n), FALSE);
  w.from = 1;
  w.to = n;

  w.printBitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, "images/impression.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  SendDlgItemMessageA(dialog, kDriverPrintButton, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(w.printBitmap));
  SetFonts(dialog);
  SpreadToPixelGrid(dialog);

  const StripScrollRange range = LapStripScrollRange(n);
  w.stripPosition = 0;
  w.stripMaximum = range.maximum;
  HWND bar = GetDlgItem(dialog, kDriverStripBar);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = 0;
  info.nMax = range.maximum;
  info.nPos = 0;
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
  ShowWindow(bar, range.shown ? SW_SHOW : SW_HIDE);

  Repaint(dialog, kDriverTitleArea);
  Repaint(dialog, kDriverChartArea);
  Repaint(dialog, kDriverStripArea);
}

void Close(HWND dialog) {
  DriverResultsWindow& w = Window();
  SetCurrentDirectoryA(w.savedDirectory);
  // The controls let go of the fonts and the picture before they are deleted.
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    SendMessageA(c, WM_SETFONT, 0, FALSE);
  }
  SendDlgItemMessageA(dialog, kDriverPrintButton, BM_SETIMAGE, IMAGE_BITMAP, 0);
  for (HGDIOBJ* object : {reinterpret_cast<HGDIOBJ*>(&w.normal), reinterpret_cast<HGDIOBJ*>(&w.bold),
                          reinterpret_cast<HGDIOBJ*>(&w.printBitmap)}) {
    if (*object) DeleteObject(*object);
    *object = nullptr;
  }
  if (w.printMenu) DestroyMenu(w.printMenu);
  w.printMenu = nullptr;
  EndDialog(dialog, 0);
}

void RangeChanged(HWND dialog, int id) {
  DriverResultsWindow& w = Window();
  SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 4, 0);
  const UINT typed = GetDlgItemInt(dialog, id, nullptr, FALSE);
  const int32_t n = LapCount();
  const RangeFieldValue v = id == kDriverFirstLap ? FirstLapField(typed, n) : LastLapField(typed, n);
  (id == kDriverFirstLap ? w.from : w.to) = v.lap;
  if (v.rewritten) SetDlgItemInt(dialog, id, static_cast<UINT>(n), FALSE);
  // A point caught in the range before stands for another lap in this one.
  w.hover.hovering = 0;
  w.hover.index = 0;
  Repaint(dialog, kDriverChartArea);
}

void Paint(HWND dialog) {
  DriverResultsWindow& w = Window();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  const DriverPaintInputs in{w.entry.get(), w.stripPosition};
  switch (View()) {
    case DriverResultsView::Summary: {
      LapSummary summary;
      ComputeLapSummary(*w.entry, summary, w.from, w.to, w.firstTimedLap);
      PaintLapSummary(dc, in, summary);
      break;
    }
    case DriverResultsView::Histogram: {
      LapHistogram histogram;
      ComputeLapHistogram(*w.entry, histogram, w.from, w.to, w.firstTimedLap);
      PaintLapHistogram(dc, in, histogram, HistogramScaleTop(histogram, ChartMedium::Screen));
      break;
    }
    case DriverResultsView::Curve:
      w.stats = {};
      ComputeLapRange(*w.entry, w.stats, w.from, w.to, w.firstTimedLap);
      w.scale = ComputeCurveScale(w.stats);
      PaintLapTimeCurve(dc, in, w.from, w.to, w.hover, w.firstTimedLap);
      break;
  }
  EndPaint(dialog, &ps);
}

void Scroll(HWND dialog, WPARAM wparam, LPARAM lparam) {
  DriverResultsWindow& w = Window();
  HWND bar = reinterpret_cast<HWND>(lparam);
  if (bar == nullptr || bar != GetDlgItem(dialog, kDriverStripBar)) return;
  const int32_t previous = w.stripPosition;
  w.stripPosition = ScrolledPosition(LOWORD(wparam), static_cast<int16_t>(HIWORD(wparam)), previous,
                                     0, w.stripMaximum);
  SetScrollPos(bar, SB_CTL, w.stripPosition, TRUE);
  if (w.stripPosition != previous) Repaint(dialog, kDriverStripArea);
}

void MouseMoved(HWND dialog, LPARAM lparam) {
  DriverResultsWindow& w = Window();
  if (View() != DriverResultsView::Curve) return;
  if (TrackCurveHover(w.hover, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), *w.entry,
                      FirstAnalysedLap(w.from, w.firstTimedLap), w.stats, w.scale)) {
    Repaint(dialog, kDriverChartArea);
  }
}

DriverPrintInputs PrintInputs() {
  const DriverResultsWindow& w = Window();
  return {w.entry.get(), w.pageTitle.c_str(), w.trackLine.c_str(), w.logoPath.c_str(),
          w.from,        w.to,                w.firstTimedLap};
}

void ShowPrintMenu(HWND dialog) {
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenu(Window().printMenu, TPM_LEFTALIGN | TPM_TOPALIGN, cursor.x, cursor.y, 0, dialog,
                 nullptr);
}

void Command(HWND dialog, WPARAM wparam) {
  const int id = LOWORD(wparam);
  switch (id) {
    case IDOK:
      Close(dialog);
      break;
    case kDriverViewSummary:
    case kDriverViewHistogram:
    case kDriverViewCurve:
      View() = static_cast<DriverResultsView>(id - kDriverViewSummary);
      Repaint(dialog, kDriverChartArea);
      break;
    case kDriverFirstLap:
    case kDriverLastLap:
      if (HIWORD(wparam) == EN_CHANGE) RangeChanged(dialog, id);
      break;
    case kDriverPrintButton:
      ShowPrintMenu(dialog);
      break;
    case kDriverPrintSummary:
      PrintRunSummary(dialog, PrintInputs(), Window().savedDirectory);
      break;
    case kDriverPrintLaps:
      PrintLapList(dialog, PrintInputs(), Window().savedDirectory);
      break;
  }
}

}  // namespace

const SeriesResultEntry& ShownDriver() { return *Window().entry; }

void ShownLapRange(int32_t& from, int32_t& to) {
  from = Window().from;
  to = Window().to;
}

void OpenDriverResultsDialog(HWND owner, int32_t firstTimedLap) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "PILOTERESULTATDETAIL", owner, DriverResultsDialogProc,
                  firstTimedLap);
}

INT_PTR CALLBACK DriverResultsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog, static_cast<int32_t>(lparam));
      return TRUE;
    case WM_PAINT:
      Paint(dialog);
      return TRUE;
    case WM_COMMAND:
      Command(dialog, wparam);
      return TRUE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    case WM_HSCROLL:
      Scroll(dialog, wparam, lparam);
      return TRUE;
    case WM_MOUSEMOVE:
      MouseMoved(dialog, lparam);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace zd
