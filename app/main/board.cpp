#include "main/board.h"

#include <algorithm>

#include "live/board_painters.h"
#include "main/board_paint.h"

namespace zd {

namespace {

constexpr CellPainter kCellPainters[] = {
    PaintNumberCell,
    PaintDriverNameCell,
    PaintCategoryCell,
    nullptr,  // column 3 takes the nation flag besides
    PaintLapsCell,
    PaintTotalTimeCell,
    PaintGapToLeaderCell,
    PaintGapToPreviousCell,
    PaintLastLapTimeCell,
    PaintBestLapTimeCell,
    PaintTransponderCell,
};

// Hands each paint of the board to its painter with the main window's values.
class MainWindowBoardPainter final : public BoardPainter {
 public:
  MainWindowBoardPainter(HWND window, MainWindowState& state) : window_(window), s_(state) {}

  void PaintArea(BoardArea area) override {
    const int32_t W = s_.layout.scale.width;
    const int32_t H = s_.layout.scale.height;
    const BoardLayout& l = s_.layout;
    switch (area) {
      case BoardArea::Header:
        PaintBoardHeader(window_, Blank(), s_.display, s_.layoutWidths, ToRect(l.boardArea),
                         ToRect(l.columnHeaderBar), W, H, s_.event.internationalEvent);
        break;
      case BoardArea::ColumnHeaderBar:
        PaintColumnHeaderBar(window_, Blank(), s_.display, s_.layoutWidths,
                             ToRect(l.columnHeaderBar), W, H, s_.event.internationalEvent);
        break;
      case BoardArea::SeriesTitle:
        PaintSeriesTitle(window_, Blank(), s_.display, ToRect(l.seriesTitlePanel), W,
                         s_.series->seriesTitle.c_str());
        break;
      case BoardArea::Clock: {
        const LiveClockTexts& clock = s_.series->clockTexts;
        PaintClockPanel(window_, Blank(), s_.display, ToRect(l.clockPanel), W, H,
                        clock.duration.c_str(), clock.elapsed.c_str(), clock.remaining.c_str());
        break;
      }
      case BoardArea::Countdown:
        PaintSecondsPanel(window_, Blank(), s_.display, ToRect(l.countdownPanel), H,
                          s_.timer.countdownText.c_str());
        break;
      case BoardArea::Rest:
        PaintRestPanel(window_, Blank(), s_.display, ToRect(l.restPanel), RestTexts());
        break;
      case BoardArea::RadioConflict:
        PaintRadioConflictBanner(window_, Blank(), s_.display, ToRect(l.radioConflictBanner), W,
                                 s_.series->radioConflict);
        break;
    }
  }

  void PaintPositionCell(const BoardRect& cell) override {
    zd::PaintPositionCell(window_, Blank(), s_.display, s_.boardRows.rowHeight,
                          s_.boardRows.currentRow, ToRect(cell), s_.scroll, s_.layout.scale.width,
                          s_.layout.scale.height, s_.series->rows);
  }

  void PaintCell(int column, const BoardRect& cell) override {
    BoardRowState& rows = s_.boardRows;
    const int32_t W = s_.layout.scale.width;
    const int32_t H = s_.layout.scale.height;
    if (column == kStatusColumn) {
      PaintStatusCell(window_, Blank(), s_.display, rows.rowHeight, rows.rowsShown, rows.currentRow,
                      ToRect(cell), s_.scroll, W, H, s_.series->rows, s_.event.penalties);
    } else if (column == 3) {
      PaintClubOrNationCell(window_, Blank(), s_.display, s_.layoutWidths[3], rows.rowHeight,
                            rows.rowsShown, rows.currentRow, ToRect(cell), s_.scroll, W, H,
                            s_.series->rows, s_.event.internationalEvent);
    } else {
      kCellPainters[column](window_, Blank(), s_.display, s_.layoutWidths[column], rows.rowHeight,
                            rows.rowsShown, rows.currentRow, ToRect(cell), s_.scroll, W, H,
                            s_.series->rows);
    }
  }

 private:
  static PAINTSTRUCT Blank() { return PAINTSTRUCT{}; }

  // The rest clock's texts as the rest panel shows them.
  RestPanelTexts RestTexts() const {
    RestPanelTexts texts;
    texts.length = s_.timer.rest.lengthText.view();
    texts.state = s_.timer.rest.stateText.view();
    texts.over = s_.timer.rest.over;
    return texts;
  }

  HWND window_;
  MainWindowState& s_;
};

void Invalidate(HWND window, const BoardRect& area, UINT erase) {
  const RECT r = ToRect(area);
  RedrawWindow(window, &r, nullptr, RDW_INVALIDATE | erase);
}

}  // namespace

ScreenScale CurrentScreen() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void UpdateBoardLayout(MainWindowState& state) {
  state.layout = ComputeBoardLayout(CurrentScreen(), state.layoutWidths, state.boardRows.rowHeight,
                                    state.boardRows.rowsShown);
}

void PaintMainWindowBoard(HWND window) {
  MainWindowState& s = MainState();
  MainWindowBoardPainter painter(window, s);
  PaintBoard(s.layout, s.boardRows, s.dirty, painter);
}

namespace {

// The row metrics for the loaded series' rows.
void ComputeRowMetrics(HWND window, MainWindowState& s) {
  BoardRowState& rows = s.boardRows;
  ComputeBoardRowMetrics(window, s.display, rows.rowHeight, rows.rowsThatFit, rows.rowsShown,
                         ToRect(s.layout.boardArea), ToRect(s.layout.table), s.scroll,
                         s.layout.scale.width, s.layout.scale.height, s.series->rowCount);
  UpdateBoardLayout(s);
}

void ApplyScroll(MainWindowState& s) {
  s.scroll.cbSize = sizeof s.scroll;
  s.scroll.fMask = SIF_RANGE | SIF_POS;
  SetScrollInfo(s.scrollBar, SB_CTL, &s.scroll, TRUE);
}

// Every cell of the rows shown flagged, its fields copied into the shown rows and invalidated;
// the header and the title, clock, countdown and conflict panels flagged and invalidated.
void MarkAndInvalidateBoard(HWND window, MainWindowState& s) {
  BoardRowState& rows = s.boardRows;
  MarkWholeBoard(s.dirty, s.series->shownRows, s.series->rows, rows.rowsShown, s.scroll.nPos);
  Invalidate(window, s.layout.boardArea, 0);
  for (int32_t r = 0; r < std::clamp(rows.rowsShown, 0, kBoardRows); ++r) {
    rows.currentRow = r;
    Invalidate(window, s.layout.PositionCell(r, rows.rowHeight), 0);
    for (int c = 0; c < kCellColumns; ++c)
      Invalidate(window, s.layout.Cell(c, r, rows.rowHeight), 0);
  }
  Invalidate(window, s.layout.seriesTitlePanel, RDW_ERASE | RDW_ERASENOW);
  Invalidate(window, s.layout.radioConflictBanner, RDW_ERASE | RDW_ERASENOW);
  Invalidate(window, s.layout.clockPanel, RDW_ERASENOW);
  Invalidate(window, s.layout.countdownPanel, RDW_ERASENOW);
}

}  // namespace

void RefreshBoard(HWND window) {
  MainWindowState& s = MainState();
  ComputeRowMetrics(window, s);
  s.scroll.nMin = 0;
  s.scroll.nMax = 0;
  s.scroll.nPos = 0;
  if (s.series->rowCount > s.boardRows.rowsThatFit) {
    s.scroll.nMax = s.series->rowCount - s.boardRows.rowsThatFit;
    ShowWindow(s.scrollBar, SW_SHOW);
  } else {
    ShowWindow(s.scrollBar, SW_HIDE);
  }
  ApplyScroll(s);
  MarkAndInvalidateBoard(window, s);
}

void ReloadBoard(HWND window) {
  MainWindowState& s = MainState();
  ComputeRowMetrics(window, s);
  // The drivers changed, their number did not: the range stays, the list starts at its top.
  s.scroll.nPos = 0;
  ApplyScroll(s);
  MarkAndInvalidateBoard(window, s);
}

void EmptyBoard(HWND window) {
  MainWindowState& s = MainState();
  s.dirty.Clear();
  for (BoardArea area : {BoardArea::Header, BoardArea::SeriesTitle, BoardArea::Clock,
                         BoardArea::Countdown, BoardArea::Rest, BoardArea::RadioConflict}) {
    s.dirty.area(area) = 1;
  }
  s.boardRows.rowHeight = 0;
  s.boardRows.rowsThatFit = 0;
  s.boardRows.rowsShown = 0;
  UpdateBoardLayout(s);
  s.scroll.nMin = 0;
  s.scroll.nMax = 0;
  s.scroll.nPos = 0;
  ApplyScroll(s);
  ShowWindow(s.scrollBar, SW_HIDE);
  // The board's rows are gone: the area is drawn again with its background.
  Invalidate(window, s.layout.boardArea, RDW_ERASE);
  Invalidate(window, s.layout.seriesTitlePanel, RDW_ERASE);
  Invalidate(window, s.layout.radioConflictBanner, RDW_ERASE);
  Invalidate(window, s.layout.clockPanel, 0);
  Invalidate(window, s.layout.countdownPanel, 0);
  Invalidate(window, s.layout.restPanel, 0);
}

void RedrawChangedBoardCells(HWND window) {
  MainWindowState& s = MainState();
  // No result editor nor club transponder list is open: no row is repainted besides the
  // changed cells (1000 designates none).
  constexpr int32_t kNoRow = 1000;
  RedrawChangedLiveCells(window, s.series->rows, s.series->shownRows, s.scroll, kNoRow, s.dirty,
                         s.layout, 0, 0, s.boardRows.rowsShown, s.boardRows.rowHeight);
}

void InvalidateBoardArea(HWND window, BoardArea area) {
  MainWindowState& s = MainState();
  s.dirty.area(area) = 1;
  const BoardLayout& l = s.layout;
  const BoardRect* rect = nullptr;
  switch (area) {
    case BoardArea::Header:
      rect = &l.boardArea;
      break;
    case BoardArea::ColumnHeaderBar:
      rect = &l.columnHeaderBar;
      break;
    case BoardArea::SeriesTitle:
      rect = &l.seriesTitlePanel;
      break;
    case BoardArea::Clock:
      rect = &l.clockPanel;
      break;
    case BoardArea::Countdown:
      rect = &l.countdownPanel;
      break;
    case BoardArea::Rest:
      rect = &l.restPanel;
      break;
    case BoardArea::RadioConflict:
      rect = &l.radioConflictBanner;
      break;
  }
  Invalidate(window, *rect, 0);
}

}  // namespace zd
