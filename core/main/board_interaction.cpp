#include "main/board_interaction.h"

#include <algorithm>

namespace zd {

namespace {

constexpr int32_t kHeaderBarTop = 123;  // design y
constexpr int32_t kTableTop = 145;
constexpr int32_t kPositionLeft = 20;
constexpr int32_t kColumnsLeft = 60;
constexpr int32_t kClubBoxListHeight = 400;

int32_t Scaled(const ScreenScale& scale, int32_t units) {
  return units * scale.width / kDesignWidth;
}

// The design sum of the widths before column k.
int32_t WidthsBefore(const BoardLayout& layout, int column) {
  return layout.edges[column] - kColumnsLeft;
}
int32_t WidthOf(const BoardLayout& layout, int column) {
  return layout.edges[column + 1] - layout.edges[column];
}

int32_t BoardEnd(const BoardColumnWidths& widths) {
  int32_t end = kColumnsLeft;
  for (const int32_t w : widths) end += w;
  return end;
}

}  // namespace

bool InColumnHeaderBar(const ScreenScale& scale, int32_t y) {
  return y > scale.Y(kHeaderBarTop) && y < scale.Y(kTableTop);
}

std::optional<int32_t> ScreenRowAt(const ScreenScale& scale, int32_t rowHeight, int32_t rowsShown,
                                   int32_t y) {
  const int32_t top = scale.Y(kTableTop);
  const int32_t rows = std::clamp(rowsShown, 0, kBoardRows);
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t bandTop = top + r * rowHeight * scale.height / kDesignHeight;
    const int32_t bandBottom = top + (r + 1) * rowHeight * scale.height / kDesignHeight;
    if (y > bandTop && y < bandBottom) return r;
  }
  return std::nullopt;
}

bool InPositionCell(const ScreenScale& scale, int32_t x) {
  return x > scale.X(kPositionLeft) && x < scale.X(kColumnsLeft);
}

bool InWidthColumn(const BoardLayout& layout, int column, int32_t x) {
  if (column < 0 || column >= kBoardColumns) return false;
  const int32_t left = layout.scale.X(kColumnsLeft);
  const int32_t before = WidthsBefore(layout, column);
  const int32_t width = WidthOf(layout, column);
  return x > left + Scaled(layout.scale, before) && x < left + Scaled(layout.scale, before + width);
}

ColumnBoundaries ResizeBoundaries(const ScreenScale& scale, const BoardColumnWidths& widths) {
  ColumnBoundaries boundaries{};
  int32_t b = scale.X(kPositionLeft) + scale.width / 40;
  for (int i = 0; i < kBoardColumns; ++i) {
    b += Scaled(scale, widths[i]);
    boundaries[i] = b;
  }
  return boundaries;
}

int BoundaryNear(const ColumnBoundaries& boundaries, int32_t x) {
  int found = -1;
  for (int i = 0; i < kBoardColumns; ++i) {
    if (x >= boundaries[i] - kBoundaryReach && x <= boundaries[i] + kBoundaryReach) found = i;
  }
  return found;
}

bool ShowsSizingCursor(const ColumnDrag& drag, const ColumnBoundaries& boundaries,
                       const ScreenScale& scale, MousePoint last) {
  if (!InColumnHeaderBar(scale, last.y)) return false;
  return drag.active != 0 || BoundaryNear(boundaries, last.x) >= 0;
}

void BeginColumnDrag(ColumnDrag& drag, const ColumnBoundaries& boundaries, const ScreenScale& scale,
                     MousePoint last, int32_t pressX) {
  if (!InColumnHeaderBar(scale, last.y)) return;
  const int column = BoundaryNear(boundaries, last.x);
  if (column < 0) return;
  drag.active = 1;
  drag.column = column;
  drag.pressX = pressX;
}

int32_t DraggedColumnWidth(int32_t width, int32_t pressX, int32_t releaseX) {
  const int64_t dragged = int64_t{width} + releaseX - pressX;
  if (dragged < 0) return kCollapsedColumnWidth;
  if (dragged > kMaxColumnWidth) return kMaxColumnWidth;
  return static_cast<int32_t>(dragged);
}

std::optional<ColumnResize> EndColumnDrag(ColumnDrag& drag, const ScreenScale& scale,
                                          MousePoint last, int32_t releaseX,
                                          BoardColumnWidths& displayWidths,
                                          BoardColumnWidths& layoutWidths) {
  const bool resize = drag.active != 0 && InColumnHeaderBar(scale, last.y) && drag.column >= 0 &&
                      drag.column < kBoardColumns;
  drag.active = 0;
  if (!resize) return std::nullopt;

  const int column = drag.column;
  const int32_t endBefore = BoardEnd(layoutWidths);
  const int32_t width = DraggedColumnWidth(displayWidths[column], drag.pressX, releaseX);
  displayWidths[column] = width;
  layoutWidths[column] = width;
  const int32_t end = std::max(endBefore, BoardEnd(layoutWidths));
  return ColumnResize{column, width,
                      BoardRect{scale.X(15), scale.Y(115), scale.X(end + 50), scale.Y(610)}};
}

BoardClick LeftClickTarget(const BoardLayout& layout, const BoardRowState& rows, int32_t x,
                           int32_t y, bool ctrlDown, bool resultsEditMode, bool clubAssignment) {
  const std::optional<int32_t> row = ScreenRowAt(layout.scale, rows.rowHeight, rows.rowsShown, y);
  if (!row) return {};
  if (resultsEditMode && ctrlDown) {
    for (const int column : kEditableColumns) {
      if (InWidthColumn(layout, column, x)) return {BoardClickTarget::ResultCell, *row, column};
    }
  }
  if (clubAssignment && InWidthColumn(layout, kTransponderColumn, x)) {
    return {BoardClickTarget::ClubTransponder, *row, kTransponderColumn};
  }
  if (ctrlDown && InPositionCell(layout.scale, x)) {
    return {BoardClickTarget::DriverResults, *row, 0};
  }
  return {};
}

std::optional<int32_t> PenaltyClickRow(const BoardLayout& layout, const BoardRowState& rows,
                                       int32_t x, int32_t y, bool ctrlDown) {
  if (!ctrlDown || !InPositionCell(layout.scale, x)) return std::nullopt;
  return ScreenRowAt(layout.scale, rows.rowHeight, rows.rowsShown, y);
}

ControlPlacementRect ClubTransponderBoxPlacement(const BoardLayout& layout, int32_t rowHeight,
                                                 int32_t screenRow) {
  const ScreenScale& s = layout.scale;
  const int32_t before = WidthsBefore(layout, kTransponderColumn);
  const int32_t width = WidthOf(layout, kTransponderColumn);
  return {s.X(kColumnsLeft) + Scaled(s, before + 1), layout.RowTop(screenRow, rowHeight) + 2,
          Scaled(s, width), s.Y(kClubBoxListHeight)};
}

std::optional<int> SlotIndexOfRow(const LiveRankingEntries& entries, int32_t rankingRow) {
  if (rankingRow < 0 || rankingRow >= kLiveRows) return std::nullopt;
  const int32_t slot = entries[rankingRow].slotNumber;
  if (slot < 1 || slot > kLiveRows) return std::nullopt;
  return slot - 1;
}

int32_t ScrolledPosition(int32_t request, int32_t thumbPosition, int32_t position, int32_t minimum,
                         int32_t maximum) {
  switch (request) {
    case kScrollLineUp:
      return position > minimum ? position - 1 : position;
    case kScrollLineDown:
      return position < maximum ? position + 1 : position;
    case kScrollPageUp:
      return minimum;
    case kScrollPageDown:
      return maximum;
    case kScrollThumbPosition:
      return std::clamp(thumbPosition, minimum, std::max(minimum, maximum));
    default:
      return position;
  }
}

}  // namespace zd
