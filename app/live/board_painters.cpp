// The painters as the main window calls them: each begins and ends its own paint cycle on the
// window, so that the first one of a paint message validates the update region, and draws through
// the main window's kept device context (not clipped to that region).

#include "live/board_painters.h"

#include "live/board_cells.h"
#include "live/board_drawing.h"
#include "live/changed_cells.h"
#include "main/main_window_state.h"

namespace zd {

namespace {

class PaintCycle {
 public:
  PaintCycle(HWND window, PAINTSTRUCT& paint) : window_(window), paint_(paint) {
    BeginPaint(window_, &paint_);
  }
  ~PaintCycle() { EndPaint(window_, &paint_); }
  PaintCycle(const PaintCycle&) = delete;
  PaintCycle& operator=(const PaintCycle&) = delete;

 private:
  HWND window_;
  PAINTSTRUCT& paint_;
};

HDC MainWindowDC() { return MainState().dc; }

BoardRowView RowView(int32_t rowHeight, int32_t rowsShown, int32_t currentRow,
                     const SCROLLINFO& scroll, int32_t W, int32_t H) {
  return {rowHeight, rowsShown, currentRow, scroll.nPos, W, H};
}

void PaintResultsCell(HWND window, PAINTSTRUCT& paint, const DisplaySettings& display, int column,
                      int32_t width, int32_t rowHeight, int32_t rowsShown, int32_t currentRow,
                      RECT cell, const SCROLLINFO& scroll, int32_t W, int32_t H,
                      const LiveRows& rows, int32_t nationFlag = 0) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) {
    DrawResultsCell(dc, display, column, width,
                    RowView(rowHeight, rowsShown, currentRow, scroll, W, H), cell, rows,
                    nationFlag);
  }
}

}  // namespace

void PaintBoardHeader(HWND window, PAINTSTRUCT paint, DisplaySettings display,
                      BoardColumnWidths& widths, RECT boardArea, RECT columnHeaderBar, int32_t W,
                      int32_t H, int32_t nationFlag) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC())
    DrawBoardHeader(dc, display, widths, boardArea, columnHeaderBar, W, H, nationFlag);
}

void PaintColumnHeaderBar(HWND window, PAINTSTRUCT paint, DisplaySettings display,
                          BoardColumnWidths& widths, RECT columnHeaderBar, int32_t W, int32_t H,
                          int32_t nationFlag) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC())
    DrawColumnHeaderBar(dc, display, widths, columnHeaderBar, W, H, nationFlag);
}

void PaintSeriesTitle(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                      int32_t W, const char* seriesTitle) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) DrawSeriesTitle(dc, display, panel, W, seriesTitle);
}

void PaintClockPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel, int32_t W,
                     int32_t H, const char* duration, const char* elapsed, const char* remaining) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC())
    DrawClockPanel(dc, display, panel, W, H, duration, elapsed, remaining);
}

void PaintSecondsPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                       int32_t H, const char* countdown) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) DrawSecondsPanel(dc, display, panel, H, countdown);
}

void PaintRestPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                    const RestPanelTexts& rest) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) DrawRestPanel(dc, display, panel, rest);
}

void PaintRadioConflictBanner(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT banner,
                              int32_t W, int32_t radioConflict) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) DrawRadioConflictBanner(dc, display, banner, W, radioConflict);
}

void PaintPositionCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t& rowHeight,
                       int32_t& currentRow, RECT cell, SCROLLINFO& scroll, int32_t W, int32_t H,
                       const LiveRows& rows) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC())
    DrawPositionCell(dc, display, RowView(rowHeight, 0, currentRow, scroll, W, H), cell, rows);
}

void PaintNumberCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                     int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                     SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnNumber, width, rowHeight, rowsShown, currentRow,
                   cell, scroll, W, H, rows);
}

void PaintDriverNameCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                         int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                         SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnDriverName, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintCategoryCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                       int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                       SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnCategory, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintClubOrNationCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                           int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                           SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows,
                           int32_t nationFlag) {
  PaintResultsCell(window, paint, display, kColumnClub, width, rowHeight, rowsShown, currentRow,
                   cell, scroll, W, H, rows, nationFlag);
}

void PaintLapsCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                   int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                   SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnLaps, width, rowHeight, rowsShown, currentRow,
                   cell, scroll, W, H, rows);
}

void PaintTotalTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                        int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                        SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnTotalTime, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintGapToLeaderCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                          int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                          SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnGapToLeader, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintGapToPreviousCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                            int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                            SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnGapToPrevious, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintLastLapTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                          int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                          SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnLastLap, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintBestLapTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                          int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                          SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnBestLap, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintTransponderCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                          int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                          SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows) {
  PaintResultsCell(window, paint, display, kColumnTransponder, width, rowHeight, rowsShown,
                   currentRow, cell, scroll, W, H, rows);
}

void PaintStatusCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t& rowHeight,
                     int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                     int32_t W, int32_t H, const LiveRows& rows, const PenaltyTable& penalties) {
  PaintCycle cycle(window, paint);
  if (HDC dc = MainWindowDC()) {
    DrawStatusCell(dc, display, RowView(rowHeight, rowsShown, currentRow, scroll, W, H), cell,
                   rows, penalties);
  }
}

void ComputeBoardRowMetrics(HWND window, DisplaySettings display, int32_t& rowHeight,
                            int32_t& rowsThatFit, int32_t& rowsShown, RECT boardArea, RECT table,
                            SCROLLINFO&, int32_t W, int32_t H, int32_t rankingRows) {
  HDC dc = MainWindowDC();
  const bool borrowed = dc == nullptr;
  if (borrowed) dc = GetDC(window);
  rowHeight = MeasureBoardRowHeight(dc, display, W);
  if (borrowed) ReleaseDC(window, dc);
  rowsThatFit = RowsThatFit(rowHeight, H, boardArea.bottom - table.top);
  rowsShown = RowsShownFor(rankingRows, rowsThatFit);
}

void RedrawChangedLiveCells(HWND window, const LiveRows& rows, LiveRows& shownRows,
                            const SCROLLINFO& scroll, int32_t base, CellDirtyFlags& flags,
                            const BoardLayout& layout, int32_t editRow,
                            int32_t clubTransponderRow, int32_t rowsShown, int32_t rowHeight) {
  for (const ChangedCell& cell : DetectChangedLiveCells(rows, shownRows, scroll.nPos, base, flags,
                                                        editRow, clubTransponderRow, rowsShown)) {
    const BoardRect r = cell.column == kPositionCell ? layout.PositionCell(cell.row, rowHeight)
                                                     : layout.Cell(cell.column, cell.row, rowHeight);
    const RECT rect = {r.left, r.top, r.right, r.bottom};
    RedrawWindow(window, &rect, nullptr,
                 RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN | RDW_ERASENOW);
  }
}

}  // namespace zd
