#pragma once
// What the main window's paint handler draws of the live board, and in which order. Whoever
// changes what an area or a cell shows raises its flag and invalidates its rectangle without
// erasing; the next paint then draws only the flagged parts and clears their flags, so the board
// does not flicker during a race. A paint with no flag raised (after a size change, a column
// change or the first display) draws everything.

#include <array>
#include <cstdint>

#include "files/live_file.h"
#include "main/board_layout.h"

namespace zd {

// The areas of the board, numbered in the order a partial paint serves them.
enum class BoardArea : int {
  Header = 1,           // logo, title, column-header bar and the frame of the table
  ColumnHeaderBar = 2,  // the column-header bar alone
  SeriesTitle = 3,
  Clock = 4,
  Countdown = 5,
  Rest = 6,
  RadioConflict = 7,
};
inline constexpr int kBoardAreas = 7;

// CellDirtyFlags: 1 = repaint at the next paint.
struct CellDirtyFlags {
  std::array<int32_t, kBoardRows> rows{};                             // position cells
  std::array<std::array<int32_t, kBoardRows>, kCellColumns> cells{};  // [column][row]
  std::array<int32_t, kBoardAreas> areas{};                           // [area - 1]

  int32_t& area(BoardArea a) { return areas[static_cast<int>(a) - 1]; }
  void Clear() { *this = CellDirtyFlags{}; }
};

// The row metrics of the board and the row that a cell painter is to paint.
struct BoardRowState {
  int32_t rowHeight = 0;  // vertical design units
  int32_t rowsThatFit = 0;
  int32_t rowsShown = 0;  // 0 to 50, at most rowsThatFit
  int32_t currentRow = 0;
};

// The painters, as the paint handler calls them. A cell painter finds its row in the
// BoardRowState's currentRow, which the handler sets before each call.
class BoardPainter {
 public:
  virtual ~BoardPainter() = default;
  virtual void PaintArea(BoardArea area) = 0;
  virtual void PaintPositionCell(const BoardRect& cell) = 0;
  virtual void PaintCell(int column, const BoardRect& cell) = 0;
};

enum class BoardPaint { Full, Partial };

// One paint message. Partial when a flag of an area or of a row shown is raised: the flagged
// areas in area order, then row by row the flagged position cell and cells in column order, each
// flag cleared right after its painter returns (flags of rows beyond the rows shown stay as they
// are). Full otherwise: the header and the five panels, then every cell of every row shown, no
// flag changed.
BoardPaint PaintBoard(const BoardLayout& layout, BoardRowState& rows, CellDirtyFlags& flags,
                      BoardPainter& painter);

// The position cell, for CopyShownCell and the flag of its row.
inline constexpr int kPositionCell = -1;

// Copies into shown the fields of row that a cell column shows (kPositionCell, or 0 to 11):
// position; car number and just-passed flag; name; category; club and nation code; laps; total
// time; gap to the leader; gap to the previous car; last lap; best lap with its personal-best and
// series-best flags; transponder; status and finished flag.
void CopyShownCell(LiveRow& shown, const LiveRow& row, int column);

// RefreshBoard's marking after a series is loaded: the header and the series title, clock,
// countdown and radio conflict panels flagged; shownRows emptied, every row and cell flag
// cleared, then the position cell and every cell of the rows shown flagged and their fields
// copied into shownRows (board row r shows rows[firstRow + r]). The rest panel is not marked.
void MarkWholeBoard(CellDirtyFlags& flags, LiveRows& shownRows, const LiveRows& rows,
                    int32_t rowsShown, int32_t firstRow);

}  // namespace zd
