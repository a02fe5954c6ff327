// The detailed results of the loaded series: the passing-time and lap-time grids and the position
// chart, each painted from the run read at opening.

#include <windowsx.h>

#include <memory>
#include <string>

#include "analysis/analysis_dialogs.h"
#include "analysis/position_chart.h"
#include "analysis/run_detail_painting.h"
#include "analysis/run_results.h"
#include "live/gdi_objects.h"
#include "main/board_interaction.h"
#include "main/dialog_grid.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr int kRaceTimesRadio = 9401;
constexpr int kLapTimesRadio = 9402;
constexpr int kChartRadio = 9403;
constexpr int kLapBar = 9404;
constexpr int kSideBar = 9405;

// The dialog's state; the run is 1.8 MB, kept off the stack and between openings.
struct SeriesResultsState {
  std::unique_ptr<RunDetail> run = std::make_unique<RunDetail>();
  RunView view;
  int32_t selected = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  HFONT radioFont = nullptr;
};
SeriesResultsState& State() {
  static SeriesResultsState state;
  return state;
}

void SetBar(HWND dialog, int id, const ScrollSetting& setting, int32_t position) {
  HWND bar = GetDlgItem(dialog, id);
  SetScrollRange(bar, SB_CTL, 0, setting.maximum, FALSE);
  SetScrollPos(bar, SB_CTL, position, TRUE);
  ShowWindow(bar, setting.shown ? SW_SHOW : SW_HIDE);
}

void ApplyView(HWND dialog, const RunView& view) {
  SetBar(dialog, kLapBar, view.lapBar, view.lapPos);
  SetBar(dialog, kSideBar, view.sideBar, view.sidePos);
}

void Repaint(HWND dialog, const ChartArea& area) {
  const RECT r{area.left, area.top, area.right, area.bottom};
  InvalidateRect(dialog, &r, TRUE);
}
// Both areas at once; the controls lie outside them.
void RepaintAreas(HWND dialog) {
  Repaint(dialog, {kLeftArea.left, kLeftArea.top, kChartArea.right, kChartArea.bottom});
}

void ShowView(HWND dialog, RunViewKind kind) {
  SeriesResultsState& s = State();
  const ChartBubble bubble = s.view.bubble;
  s.view = kind == RunViewKind::Chart ? ChartView(*s.run, s.view) : GridView(*s.run, kind);
  s.view.bubble = bubble;
  ApplyView(dialog, s.view);
  RepaintAreas(dialog);
}

void OnInit(HWND dialog) {
  SeriesResultsState& s = State();
  if (!LoadRunDetail(*s.run)) {
    ShowMessage(dialog, std::string(kRunResultsUnreadable).c_str(),
                std::string(kRunResultsUnreadableCaption).c_str(), MB_OK);
  }
  s.view = GridView(*s.run, RunViewKind::RaceTimes);
  CheckRadioButton(dialog, kRaceTimesRadio, kChartRadio, kRaceTimesRadio);
  ApplyView(dialog, s.view);
  s.radioFont = CreatePlainFont("Arial", 16, 700);
  for (int id : {kRaceTimesRadio, kLapTimesRadio, kChartRadio})
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(s.radioFont), TRUE);
  SpreadToPixelGrid(dialog);
  RepaintAreas(dialog);
}

void Close(HWND dialog) {
  SeriesResultsState& s = State();
  EndDialog(dialog, 0);
  if (s.radioFont) DeleteObject(s.radioFont);
  s.radioFont = nullptr;
}

void OnScroll(HWND dialog, HWND bar, WPARAM wParam) {
  SeriesResultsState& s = State();
  const bool lap = bar == GetDlgItem(dialog, kLapBar);
  if (!lap && bar != GetDlgItem(dialog, kSideBar)) return;
  int32_t& position = lap ? s.view.lapPos : s.view.sidePos;
  const ScrollSetting& setting = lap ? s.view.lapBar : s.view.sideBar;
  const int32_t moved =
      ScrolledPosition(LOWORD(wParam), HIWORD(wParam), position, 0, setting.maximum);
  SetScrollPos(bar, SB_CTL, moved, TRUE);
  if (moved == position) return;
  position = moved;
  RepaintAreas(dialog);
}

void OnPaint(HWND dialog) {
  SeriesResultsState& s = State();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  switch (s.view.kind) {
    case RunViewKind::RaceTimes:
      PaintRaceTimeGrid(dc, *s.run, s.view);
      break;
    case RunViewKind::LapTimes:
      PaintLapTimeGrid(dc, *s.run, s.view);
      break;
    case RunViewKind::Chart:
      PaintPositionChart(dc, *s.run, s.view, s.selected, s.mouseX, s.mouseY);
      break;
  }
  EndPaint(dialog, &ps);
}

void OnMouse(HWND dialog, UINT message, LPARAM lParam) {
  SeriesResultsState& s = State();
  s.mouseX = GET_X_LPARAM(lParam);
  s.mouseY = GET_Y_LPARAM(lParam);
  if (!s.view.chartMode() || s.run->driverCount < 2) return;
  if (message == WM_LBUTTONDOWN) {
    const int32_t hit = LegendHit(*s.run, s.view.sidePos, s.mouseX, s.mouseY, s.selected);
    if (hit != s.selected) {
      s.selected = hit;
      RepaintAreas(dialog);
    }
    return;
  }
  const ChartBubble bubble =
      TrackBubble(*s.run, s.view.sidePos, s.selected, s.view.bubble, s.mouseX, s.mouseY);
  if (bubble == s.view.bubble) return;
  s.view.bubble = bubble;
  Repaint(dialog, kChartArea);
}

INT_PTR CALLBACK SeriesResultsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog);
      return TRUE;
    case WM_PAINT:
      OnPaint(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) >= kRaceTimesRadio && LOWORD(wParam) <= kChartRadio &&
          HIWORD(wParam) != BN_CLICKED)
        return TRUE;
      switch (LOWORD(wParam)) {
        case kRaceTimesRadio:
          ShowView(dialog, RunViewKind::RaceTimes);
          return TRUE;
        case kLapTimesRadio:
          ShowView(dialog, RunViewKind::LapTimes);
          return TRUE;
        case kChartRadio:
          ShowView(dialog, RunViewKind::Chart);
          return TRUE;
        case IDOK:
          Close(dialog);
          return TRUE;
        default:
          return TRUE;  // Escape included: the window stays
      }
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(dialog, reinterpret_cast<HWND>(lParam), wParam);
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
      OnMouse(dialog, message, lParam);
      return TRUE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenSeriesResultsDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "SERIERESULTATDETAIL", owner,
                  SeriesResultsDialogProc, 0);
}

int SelectedChartDriver() { return State().selected; }

}  // namespace zd
