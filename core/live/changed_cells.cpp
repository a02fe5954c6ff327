#include "live/changed_cells.h"

#include <algorithm>

namespace zd {

namespace {

bool Forced(int column, int64_t row, int64_t editRow, int64_t clubTransponderRow) {
  switch (column) {
    case kColumnLaps:
    case kColumnTotalTime:
    case kColumnLastLap:
    case kColumnBestLap:
      return row == editRow;
    case kColumnTransponder:
      return row == clubTransponderRow;
    default:
      return false;
  }
}

}  // namespace

bool ShownCellDiffers(const LiveRow& shown, const LiveRow& row, int column) {
  switch (column) {
    case kPositionCell:
      return !(shown.position == row.position);
    case kColumnNumber:
      return !(shown.carNumber == row.carNumber) || shown.passed != row.passed;
    case kColumnDriverName:
      return !(shown.name == row.name);
    case kColumnCategory:
      return !(shown.category == row.category);
    case kColumnClub:
      return !(shown.club == row.club) || !(shown.nationCode == row.nationCode);
    case kColumnLaps:
      return !(shown.laps == row.laps);
    case kColumnTotalTime:
      return !(shown.totalTime == row.totalTime);
    case kColumnGapToLeader:
      return !(shown.gapToLeader == row.gapToLeader);
    case kColumnGapToPrevious:
      return !(shown.gapToPrevious == row.gapToPrevious);
    case kColumnLastLap:
      return !(shown.lastLap == row.lastLap);
    case kColumnBestLap:
      return !(shown.bestLap == row.bestLap) || shown.fastestLap != row.fastestLap ||
             shown.newBest != row.newBest;
    case kColumnTransponder:
      return !(shown.transponder == row.transponder);
    case kStatusColumn:
      return shown.finished != row.finished || shown.status != row.status;
    default:
      return false;
  }
}

std::vector<ChangedCell> DetectChangedLiveCells(const LiveRows& rows, LiveRows& shownRows,
                                                int32_t firstRow, int32_t base,
                                                CellDirtyFlags& flags, int32_t editRow,
                                                int32_t clubTransponderRow, int32_t rowsShown) {
  std::vector<ChangedCell> changed;
  // In 64 bits: the row numbers come from the caller's state and may be anything.
  const int64_t editBoardRow = static_cast<int64_t>(editRow) - base;
  const int64_t clubBoardRow = static_cast<int64_t>(clubTransponderRow) - base;
  const int32_t shown = std::clamp(rowsShown, 0, kBoardRows);
  for (int32_t i = 0; i < shown; ++i) {
    const int64_t source = static_cast<int64_t>(firstRow) + i;
    if (source < 0 || source >= kLiveRows) continue;
    const LiveRow& row = rows[source];
    LiveRow& copy = shownRows[i];
    for (int column = kPositionCell; column < kCellColumns; ++column) {
      if (!ShownCellDiffers(copy, row, column) && !Forced(column, i, editBoardRow, clubBoardRow))
        continue;
      CopyShownCell(copy, row, column);
      if (column == kPositionCell)
        flags.rows[i] = 1;
      else
        flags.cells[column][i] = 1;
      changed.push_back({i, column});
    }
  }
  return changed;
}

}  // namespace zd
