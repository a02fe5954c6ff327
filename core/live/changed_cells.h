#pragma once
// Which cells of the live board changed since they were shown. After every change of the board
// rows the main window compares each row shown with its copy in ShownRows, field group by field
// group; a group that differs is copied and its cell flagged, so that the next paint draws only
// those cells and the board does not flicker during a race.

#include <cstdint>
#include <vector>

#include "files/live_file.h"
#include "main/board_paint.h"

namespace zd {

// A cell to repaint: a board row and kPositionCell or a cell column 0 to 11.
struct ChangedCell {
  int32_t row = 0;
  int column = 0;
  friend bool operator==(const ChangedCell&, const ChangedCell&) = default;
};

// Whether the fields that a cell column shows differ between what is shown and the row.
bool ShownCellDiffers(const LiveRow& shown, const LiveRow& row, int column);

// DetectChangedLiveCells: for each board row i below rowsShown (at most 50) it compares
// rows[firstRow + i] with shownRows[i] cell by cell, in column order from the position cell; each
// cell that differs has its fields copied into shownRows[i] and its flag raised, and is listed in
// that order. Besides, the laps, total time, last lap and best lap cells of board row
// editRow - base and the transponder cell of board row clubTransponderRow - base are handled as
// changed (a base of 1000 designates none). Rows beyond the 50 board rows are never read.
std::vector<ChangedCell> DetectChangedLiveCells(const LiveRows& rows, LiveRows& shownRows,
                                                int32_t firstRow, int32_t base,
                                                CellDirtyFlags& flags, int32_t editRow,
                                                int32_t clubTransponderRow, int32_t rowsShown);

}  // namespace zd
