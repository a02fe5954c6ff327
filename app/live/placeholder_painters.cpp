// Stand-ins for the live board's painters until they are drawn: each only begins and ends its
// paint cycle, which a paint message needs to be answered, and the board shows no rows.

#include "live/board_painters.h"

namespace zd {

namespace {

void EmptyPaintCycle(HWND window, PAINTSTRUCT& paint) {
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
}

}  // namespace

void PaintBoardHeader(HWND window, PAINTSTRUCT paint, DisplaySettings, BoardColumnWidths&, RECT,
                      RECT, int32_t, int32_t, int32_t) {
  EmptyPaintCycle(window, paint);
}

void PaintColumnHeaderBar(HWND window, PAINTSTRUCT paint, DisplaySettings, BoardColumnWidths&, RECT,
                          int32_t, int32_t, int32_t) {
  EmptyPaintCycle(window, paint);
}

void PaintSeriesTitle(HWND window, PAINTSTRUCT paint, DisplaySettings, RECT, int32_t, const char*) {
  EmptyPaintCycle(window, paint);
}

void PaintClockPanel(HWND window, PAINTSTRUCT paint, DisplaySettings, RECT, int32_t, int32_t,
                     const char*, const char*, const char*) {
  EmptyPaintCycle(window, paint);
}

void PaintSecondsPanel(HWND window, PAINTSTRUCT paint, DisplaySettings, RECT, int32_t,
                       const char*) {
  EmptyPaintCycle(window, paint);
}

void PaintRestPanel(HWND window, PAINTSTRUCT paint, DisplaySettings, RECT, const RestPanelTexts&) {
  EmptyPaintCycle(window, paint);
}

void PaintRadioConflictBanner(HWND window, PAINTSTRUCT paint, DisplaySettings, RECT, int32_t,
                              int32_t) {
  EmptyPaintCycle(window, paint);
}

void PaintPositionCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t&, int32_t&, RECT,
                       SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintNumberCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&, int32_t&,
                     int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintDriverNameCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                         int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintCategoryCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&, int32_t&,
                       int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintClubOrNationCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                           int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&,
                           int32_t) {
  EmptyPaintCycle(window, paint);
}

void PaintLapsCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&, int32_t&,
                   int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintTotalTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                        int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintGapToLeaderCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                          int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t,
                          const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintGapToPreviousCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                            int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t,
                            const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintLastLapTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                          int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t,
                          const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintBestLapTimeCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                          int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t,
                          const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintTransponderCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t, int32_t&,
                          int32_t&, int32_t&, RECT, SCROLLINFO&, int32_t, int32_t,
                          const LiveRows&) {
  EmptyPaintCycle(window, paint);
}

void PaintStatusCell(HWND window, PAINTSTRUCT paint, DisplaySettings, int32_t&, int32_t&, int32_t&,
                     RECT, SCROLLINFO&, int32_t, int32_t, const LiveRows&, const PenaltyTable&) {
  EmptyPaintCycle(window, paint);
}

void ComputeBoardRowMetrics(HWND, DisplaySettings, int32_t& rowHeight, int32_t& rowsThatFit,
                            int32_t& rowsShown, RECT, RECT, SCROLLINFO&, int32_t, int32_t,
                            int32_t) {
  rowHeight = 0;
  rowsThatFit = 0;
  rowsShown = 0;
}

}  // namespace zd
