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
                         ToRect(l.columnHeaderBar), W, H, s_.nationFlag);
        break;
      case BoardArea::ColumnHeaderBar:
        PaintColumnHeaderBar(window_, Blank(), s_.display, s_.layoutWidths,
                             ToRect(l.columnHeaderBar), W, H, s_.nationFlag);
        break;
      case BoardArea::SeriesTitle:
        PaintSeriesTitle(window_, Blank(), s_.display, ToRect(l.seriesTitlePanel), W,
                         s_.seriesTitle.c_str());
        break;
      case BoardArea::Clock:
        PaintClockPanel(window_, Blank(), s_.display, ToRect(l.clockPanel), W, H,
                        s_.clock.duration.c_str(), s_.clock.elapsed.c_str(),
                        s_.clock.remaining.c_str());
        break;
      case BoardArea::Countdown:
        PaintSecondsPanel(window_, Blank(), s_.display, ToRect(l.countdownPanel), H,
                          s_.countdownText.c_str());
        break;
      case BoardArea::Rest:
        PaintRestPanel(window_, Blank(), s_.display, ToRect(l.restPanel), s_.rest);
        break;
      case BoardArea::RadioConflict:
        PaintRadioConflictBanner(window_, Blank(), s_.display, ToRect(l.radioConflictBanner), W,
                                 s_.radioConflict);
        break;
    }
  }

  void PaintPositionCell(const BoardRect& cell) override {
    zd::PaintPositionCell(window_, Blank(), s_.display, s_.boardRows.rowHeight,
                          s_.boardRows.currentRow, ToRect(cell), s_.scroll, s_.layout.scale.width,
                          s_.layout.scale.height, s_.rows);
  }

  void PaintCell(int column, const BoardRect& cell) override {
    BoardRowState& rows = s_.boardRows;
    const int32_t W = s_.layout.scale.width;
    const int32_t H = s_.layout.scale.height;
    if (column == kStatusColumn) {
      PaintStatusCell(window_, Blank(), s_.display, rows.rowHeight, rows.rowsShown, rows.currentRow,
                      ToRect(cell), s_.scroll, W, H, s_.rows, s_.racePenalties);
    } else if (column == 3) {
      PaintClubOrNationCell(window_, Blank(), s_.display, s_.layoutWidths[3], rows.rowHeight,
                            rows.rowsShown, rows.currentRow, ToRect(cell), s_.scroll, W, H, s_.rows,
                            s_.nationFlag);
    } else {
      kCellPainters[column](window_, Blank(), s_.display, s_.layoutWidths[column], rows.rowHeight,
                            rows.rowsShown, rows.currentRow, ToRect(cell), s_.scroll, W, H,
                            s_.rows);
    }
  }

 private:
  static PAINTSTRUCT Blank() { return PAINTSTRUCT{}; }

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

void RefreshBoard(HWND window) {
  MainWindowState& s = MainState();
  BoardRowState& rows = s.boardRows;
  ComputeBoardRowMetrics(window, s.display, rows.rowHeight, rows.rowsThatFit, rows.rowsShown,
                         ToRect(s.layout.boardArea), ToRect(s.layout.table), s.scroll,
                         s.layout.scale.width, s.layout.scale.height, s.rankingRows);
  UpdateBoardLayout(s);

  s.scroll.cbSize = sizeof s.scroll;
  s.scroll.fMask = SIF_RANGE | SIF_POS;
  s.scroll.nMin = 0;
  s.scroll.nMax = 0;
  s.scroll.nPos = 0;
  if (s.rankingRows > rows.rowsThatFit) {
    s.scroll.nMax = s.rankingRows - rows.rowsThatFit;
    ShowWindow(s.scrollBar, SW_SHOW);
  } else {
    ShowWindow(s.scrollBar, SW_HIDE);
  }
  SetScrollInfo(s.scrollBar, SB_CTL, &s.scroll, TRUE);

  MarkWholeBoard(s.dirty, s.shownRows, s.rows, rows.rowsShown, s.scroll.nPos);
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

}  // namespace zd
