#pragma once
// The live board under the mouse: which row and cell a click falls in, the column boundaries
// that can be dragged in the column-header bar and the widths a drag leaves, the place of the
// club transponder list, and the vertical scroll bar's moves. Positions are client pixels of the
// main window; the geometry is the board's (board_layout.h), every product divided with
// truncation, as the painters place the cells.

#include <array>
#include <cstdint>
#include <optional>

#include "files/live_file.h"
#include "main/board_layout.h"
#include "main/board_paint.h"

namespace zd {

// The width columns of a row that the results editors open on: "Tours", "Temps total",
// "Dernier tour" and "Meilleur tour"; then the transponder column.
inline constexpr std::array<int, 4> kEditableColumns = {4, 5, 8, 9};
inline constexpr int kTransponderColumn = 10;

inline constexpr int32_t kBoundaryReach = 2;  // pixels either side of a boundary
// A drag past the column's left edge leaves a narrow column rather than none, which could no
// longer be told apart from its neighbour to be dragged back.
inline constexpr int32_t kCollapsedColumnWidth = 5;

struct MousePoint {
  int32_t x = 0;
  int32_t y = 0;
};

// Strictly between the top and bottom of the column-header bar.
bool InColumnHeaderBar(const ScreenScale& scale, int32_t y);
// The row on screen (0 for the first row shown) whose band holds y strictly, among the rows
// shown.
std::optional<int32_t> ScreenRowAt(const ScreenScale& scale, int32_t rowHeight, int32_t rowsShown,
                                   int32_t y);
// Strictly inside the position cell's abscissae.
bool InPositionCell(const ScreenScale& scale, int32_t x);
// Strictly inside width column 0 to 10; its left edge is X(60) plus the scaled sum of the widths
// before it.
bool InWidthColumn(const BoardLayout& layout, int column, int32_t x);

// The right edge of each width column as the drag finds it: W / 40 past X(20), then each width
// scaled on its own.
using ColumnBoundaries = std::array<int32_t, kBoardColumns>;
ColumnBoundaries ResizeBoundaries(const ScreenScale& scale, const BoardColumnWidths& widths);
// The boundary within kBoundaryReach of x, the last one when several are; -1 for none.
int BoundaryNear(const ColumnBoundaries& boundaries, int32_t x);

struct ColumnDrag {
  int32_t active = 0;
  int32_t column = 0;  // the width column whose right boundary is dragged
  int32_t pressX = 0;
};

// The west-east cursor: over a boundary in the header bar, or anywhere in the bar while a drag
// runs. last is the position of the last mouse move.
bool ShowsSizingCursor(const ColumnDrag& drag, const ColumnBoundaries& boundaries,
                       const ScreenScale& scale, MousePoint last);
// A press starts a drag when the last mouse move stood on a boundary inside the header bar;
// otherwise the drag keeps what it held.
void BeginColumnDrag(ColumnDrag& drag, const ColumnBoundaries& boundaries, const ScreenScale& scale,
                     MousePoint last, int32_t pressX);
// The width a drag leaves: the pointer's movement in pixels added to the width in design units;
// below 0 it becomes kCollapsedColumnWidth, above kMaxColumnWidth that maximum.
int32_t DraggedColumnWidth(int32_t width, int32_t pressX, int32_t releaseX);

struct ColumnResize {
  int column = 0;
  int32_t width = 0;
  BoardRect repaint;  // the board area, wide enough for the table before and after
};
// The release of the button always ends the drag. Released with the last mouse move inside the
// header bar, the dragged column takes its new width in both width tables, which is returned
// with the area to repaint whole.
std::optional<ColumnResize> EndColumnDrag(ColumnDrag& drag, const ScreenScale& scale,
                                          MousePoint last, int32_t releaseX,
                                          BoardColumnWidths& displayWidths,
                                          BoardColumnWidths& layoutWidths);

enum class BoardClickTarget {
  None,
  ResultCell,       // Ctrl held, results editing on: an editable cell
  ClubTransponder,  // club transponders being assigned: the transponder cell
  DriverResults,    // Ctrl held: the position cell
};
struct BoardClick {
  BoardClickTarget target = BoardClickTarget::None;
  int32_t screenRow = 0;
  int column = 0;  // the width column of a ResultCell
};
// What a left click at (x, y) reaches among the rows shown.
BoardClick LeftClickTarget(const BoardLayout& layout, const BoardRowState& rows, int32_t x,
                           int32_t y, bool ctrlDown, bool resultsEditMode, bool clubAssignment);
// The row on screen whose position cell a Ctrl+right click reaches.
std::optional<int32_t> PenaltyClickRow(const BoardLayout& layout, const BoardRowState& rows,
                                       int32_t x, int32_t y, bool ctrlDown);

// Where a child control stands, in client pixels.
struct ControlPlacementRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;  // of a drop-down list: with its list
  friend bool operator==(const ControlPlacementRect&, const ControlPlacementRect&) = default;
};
// The club transponder list over the transponder cell of a row on screen.
ControlPlacementRect ClubTransponderBoxPlacement(const BoardLayout& layout, int32_t rowHeight,
                                                 int32_t screenRow);
// The slot index (0 to 49) of the car of a ranking row; nothing for the rows below the cars.
std::optional<int> SlotIndexOfRow(const LiveRankingEntries& entries, int32_t rankingRow);

// The requests of the scroll bar (the low word of its message).
enum ScrollRequest : int32_t {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollTop = 6,
  kScrollBottom = 7,
  kScrollEnd = 8,
};
// The first row shown after a request: a line up or down within the range, a page to its ends,
// the released thumb's position (kept in the range); the thumb's tracking and the other requests
// leave it.
int32_t ScrolledPosition(int32_t request, int32_t thumbPosition, int32_t position, int32_t minimum,
                         int32_t maximum);

}  // namespace zd
