#include "main/board_paint.h"

#include <algorithm>

namespace zd {

namespace {

constexpr BoardArea kFullPaintAreas[] = {BoardArea::Header, BoardArea::SeriesTitle,
                                         BoardArea::Clock,  BoardArea::Countdown,
                                         BoardArea::Rest,   BoardArea::RadioConflict};

int32_t RowsShown(const BoardRowState& rows) { return std::clamp(rows.rowsShown, 0, kBoardRows); }

bool AnyFlagRaised(const BoardRowState& rows, const CellDirtyFlags& flags) {
  for (int32_t flag : flags.areas)
    if (flag == 1) return true;
  for (int32_t r = 0; r < RowsShown(rows); ++r) {
    if (flags.rows[r] == 1) return true;
    for (const auto& column : flags.cells)
      if (column[r] == 1) return true;
  }
  return false;
}

}  // namespace

BoardPaint PaintBoard(const BoardLayout& layout, BoardRowState& rows, CellDirtyFlags& flags,
                      BoardPainter& painter) {
  const int32_t shown = RowsShown(rows);
  if (!AnyFlagRaised(rows, flags)) {
    for (BoardArea area : kFullPaintAreas) painter.PaintArea(area);
    for (int32_t r = 0; r < shown; ++r) {
      rows.currentRow = r;
      painter.PaintPositionCell(layout.PositionCell(r, rows.rowHeight));
      for (int c = 0; c < kCellColumns; ++c)
        painter.PaintCell(c, layout.Cell(c, r, rows.rowHeight));
    }
    return BoardPaint::Full;
  }

  for (int a = 1; a <= kBoardAreas; ++a) {
    const BoardArea area = static_cast<BoardArea>(a);
    if (flags.area(area) != 1) continue;
    painter.PaintArea(area);
    flags.area(area) = 0;
  }
  for (int32_t r = 0; r < shown; ++r) {
    if (flags.rows[r] == 1) {
      rows.currentRow = r;
      painter.PaintPositionCell(layout.PositionCell(r, rows.rowHeight));
      flags.rows[r] = 0;
    }
    for (int c = 0; c < kCellColumns; ++c) {
      if (flags.cells[c][r] != 1) continue;
      rows.currentRow = r;
      painter.PaintCell(c, layout.Cell(c, r, rows.rowHeight));
      flags.cells[c][r] = 0;
    }
  }
  return BoardPaint::Partial;
}

void CopyShownCell(LiveRow& shown, const LiveRow& row, int column) {
  switch (column) {
    case kPositionCell:
      shown.position = row.position;
      break;
    case 0:
      shown.carNumber = row.carNumber;
      shown.passed = row.passed;
      break;
    case 1:
      shown.name = row.name;
      break;
    case 2:
      shown.category = row.category;
      break;
    case 3:
      shown.club = row.club;
      shown.nationCode = row.nationCode;
      break;
    case 4:
      shown.laps = row.laps;
      break;
    case 5:
      shown.totalTime = row.totalTime;
      break;
    case 6:
      shown.gapToLeader = row.gapToLeader;
      break;
    case 7:
      shown.gapToPrevious = row.gapToPrevious;
      break;
    case 8:
      shown.lastLap = row.lastLap;
      break;
    case 9:
      shown.bestLap = row.bestLap;
      shown.newBest = row.newBest;
      shown.fastestLap = row.fastestLap;
      break;
    case 10:
      shown.transponder = row.transponder;
      break;
    case kStatusColumn:
      shown.status = row.status;
      shown.finished = row.finished;
      break;
    default:
      break;
  }
}

void MarkWholeBoard(CellDirtyFlags& flags, LiveRows& shownRows, const LiveRows& rows,
                    int32_t rowsShown, int32_t firstRow) {
  for (BoardArea area : {BoardArea::Header, BoardArea::SeriesTitle, BoardArea::Clock,
                         BoardArea::Countdown, BoardArea::RadioConflict}) {
    flags.area(area) = 1;
  }
  shownRows = LiveRows{};
  flags.rows.fill(0);
  for (auto& column : flags.cells) column.fill(0);
  const int32_t shown = std::clamp(rowsShown, 0, kBoardRows);
  for (int32_t r = 0; r < shown; ++r) {
    const int32_t source = firstRow + r;
    if (source < 0 || source >= kLiveRows) break;
    flags.rows[r] = 1;
    CopyShownCell(shownRows[r], rows[source], kPositionCell);
    for (int c = 0; c < kCellColumns; ++c) {
      flags.cells[c][r] = 1;
      CopyShownCell(shownRows[r], rows[source], c);
    }
  }
}

}  // namespace zd
