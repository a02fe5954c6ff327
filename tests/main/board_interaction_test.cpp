#include "main/board_interaction.h"

#include <gtest/gtest.h>

#include <optional>

namespace zd {
namespace {

// The factory widths: 1020 design units.
constexpr BoardColumnWidths kWidths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};
constexpr ScreenScale kSmall{1600, 900};
constexpr ScreenScale kLarge{1920, 1080};
constexpr int kPosition = -1;  // the position cell, left of width column 0
constexpr int kNoCell = -2;

// Which cell a point falls in, as the clicks test it: the row on screen, and the width column or
// the position cell.
struct Hit {
  std::optional<int32_t> row;
  int column = kNoCell;
};
Hit HitAt(const BoardLayout& layout, int32_t x, int32_t y) {
  Hit hit;
  hit.row = ScreenRowAt(layout.scale, 30, 4, y);
  if (InPositionCell(layout.scale, x)) hit.column = kPosition;
  for (int k = 0; k < kBoardColumns; ++k) {
    if (InWidthColumn(layout, k, x)) hit.column = k;
  }
  return hit;
}

TEST(BoardHitTest, RowsAndCellsAtTwoScreenSizes) {
  // Rows of 30 design units, 4 shown. Every edge is outside both neighbours.
  struct Case {
    ScreenScale screen;
    int32_t x, y;
    std::optional<int32_t> row;
    int column;
  };
  const Case cases[] = {
      // 1600 x 900: rows from y 145 in steps of 30; columns from x 260, unscaled.
      {kSmall, 221, 146, 0, kPosition},
      {kSmall, 220, 146, 0, kNoCell},  // the position cell's left edge
      {kSmall, 260, 160, 0, kNoCell},  // the edge between the position cell and "# Num"
      {kSmall, 261, 174, 0, 0},
      {kSmall, 499, 175, std::nullopt, 1},  // the edge between rows 0 and 1
      {kSmall, 691, 176, 1, 4},             // "Tours" spans 690 to 750
      {kSmall, 750, 200, 1, kNoCell},
      {kSmall, 1279, 264, 3, 10},  // last row, transponder column
      {kSmall, 1279, 265, std::nullopt, 10},
      {kSmall, 1300, 200, 1, kNoCell},      // the status column takes no click
      {kSmall, 700, 140, std::nullopt, 4},  // the column-header bar
      // 1920 x 1080: rows from y 174 in steps of 36; columns from x 272, scaled by 1.2.
      {kLarge, 225, 175, 0, kPosition},
      {kLarge, 272, 175, 0, kNoCell},
      {kLarge, 789, 209, 0, 4},  // "Tours" spans 788 to 860
      {kLarge, 860, 209, 0, kNoCell},
      {kLarge, 861, 211, 1, 5},
      {kLarge, 700, 210, std::nullopt, 3},
      {kLarge, 1453, 317, 3, 10},  // transponder column 1412 to 1496
      {kLarge, 1453, 318, std::nullopt, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screen.width << " at " << c.x << ", " << c.y);
    const Hit hit = HitAt(ComputeBoardLayout(c.screen, kWidths, 30, 4), c.x, c.y);
    EXPECT_EQ(hit.row, c.row);
    EXPECT_EQ(hit.column, c.column);
  }
}

TEST(BoardHitTest, ClicksReachTheirCellOnlyWithTheirKeysAndModes) {
  const BoardLayout layout = ComputeBoardLayout(kSmall, kWidths, 30, 4);
  const BoardRowState rows{30, 10, 4, 0};
  struct Case {
    int32_t x, y;
    bool ctrl, editMode, club;
    BoardClickTarget target;
    int32_t row;
    int column;
  };
  const Case cases[] = {
      {700, 200, true, true, false, BoardClickTarget::ResultCell, 1, 4},
      {1130, 230, true, true, false, BoardClickTarget::ResultCell, 2, 9},
      {1050, 230, true, true, false, BoardClickTarget::ResultCell, 2, 8},
      {800, 160, true, true, false, BoardClickTarget::ResultCell, 0, 5},
      {900, 160, true, true, false, BoardClickTarget::None, 0, 0},   // "Ecart leader"
      {700, 200, false, true, false, BoardClickTarget::None, 0, 0},  // no Ctrl
      {700, 200, true, false, false, BoardClickTarget::None, 0, 0},  // mode off
      {1250, 200, false, false, true, BoardClickTarget::ClubTransponder, 1, 10},
      {1250, 200, true, true, false, BoardClickTarget::None, 0, 0},
      {240, 250, true, false, false, BoardClickTarget::DriverResults, 3, 0},
      {240, 250, false, true, true, BoardClickTarget::None, 0, 0},
      {240, 290, true, true, true, BoardClickTarget::None, 0, 0},  // below the rows shown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    const BoardClick click = LeftClickTarget(layout, rows, c.x, c.y, c.ctrl, c.editMode, c.club);
    EXPECT_EQ(click.target, c.target);
    if (c.target == BoardClickTarget::None) continue;
    EXPECT_EQ(click.screenRow, c.row);
    EXPECT_EQ(click.column, c.column);
  }
  EXPECT_EQ(PenaltyClickRow(layout, rows, 240, 250, true), 3);
  EXPECT_EQ(PenaltyClickRow(layout, rows, 240, 250, false), std::nullopt);
  EXPECT_EQ(PenaltyClickRow(layout, rows, 300, 250, true), std::nullopt);
}

TEST(ColumnDrag, BoundariesAndTheSizingCursor) {
  // W / 40 past X(20), then each width: 300 is the right edge of "# Num".
  EXPECT_EQ(ResizeBoundaries(kSmall, kWidths),
            (ColumnBoundaries{300, 500, 590, 690, 750, 850, 940, 1030, 1120, 1210, 1280}));
  // 1920: 224 + 48 = 272, then 48, 240, 108, ... each scaled on its own.
  EXPECT_EQ(ResizeBoundaries(kLarge, kWidths)[0], 320);
  EXPECT_EQ(ResizeBoundaries(kLarge, kWidths)[10], 1496);

  const ColumnBoundaries b = ResizeBoundaries(kSmall, kWidths);
  const ColumnDrag idle;
  ColumnDrag dragging;
  dragging.active = 1;
  struct Case {
    MousePoint at;
    bool idleSizing, draggingSizing;
  };
  const Case cases[] = {
      {{298, 130}, true, true},                               // 2 pixels left of the boundary
      {{302, 130}, true, true},   {{303, 130}, false, true},  // in the bar, off any boundary
      {{300, 123}, false, false},                             // the bar's edges are outside it
      {{300, 145}, false, false}, {{300, 300}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y);
    EXPECT_EQ(ShowsSizingCursor(idle, b, kSmall, c.at), c.idleSizing);
    EXPECT_EQ(ShowsSizingCursor(dragging, b, kSmall, c.at), c.draggingSizing);
  }

  // Boundaries on one another (a column of width 0): the last one is dragged.
  BoardColumnWidths narrow = kWidths;
  narrow[2] = 0;
  EXPECT_EQ(BoundaryNear(ResizeBoundaries(kSmall, narrow), 500), 2);
}

TEST(ColumnDrag, WidthsStayWithinFiveOrZeroTo999) {
  struct Case {
    int32_t width, press, release, result;
  };
  const Case cases[] = {
      {20, 300, 270, 5},     // past the left edge: a narrow column, not none
      {20, 300, 280, 0},     // exactly to the left edge
      {100, 300, 350, 150},  // pixels added as design units
      {990, 0, 20, 999},    {999, 0, 0, 999},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DraggedColumnWidth(c.width, c.press, c.release), c.result)
        << c.width << " from " << c.press << " to " << c.release;
  }
}

TEST(ColumnDrag, PressOnABoundaryAndReleaseInTheBarResizeBothTables) {
  const ColumnBoundaries b = ResizeBoundaries(kSmall, kWidths);
  BoardColumnWidths display = kWidths;
  BoardColumnWidths layout = kWidths;
  ColumnDrag drag;

  // A press with no mouse move in the bar before it starts nothing.
  BeginColumnDrag(drag, b, kSmall, MousePoint{0, 0}, 500);
  EXPECT_EQ(drag.active, 0);

  BeginColumnDrag(drag, b, kSmall, MousePoint{501, 130}, 501);
  ASSERT_EQ(drag.active, 1);
  EXPECT_EQ(drag.column, 1);
  std::optional<ColumnResize> resize =
      EndColumnDrag(drag, kSmall, MousePoint{601, 131}, 601, display, layout);
  ASSERT_TRUE(resize);
  EXPECT_EQ(drag.active, 0);
  EXPECT_EQ(resize->column, 1);
  EXPECT_EQ(display[1], 300);
  EXPECT_EQ(layout[1], 300);
  // The table grew to 1180: the area reaches X(1230).
  EXPECT_EQ(resize->repaint, (BoardRect{215, 115, 1430, 610}));

  // Narrowed again: the area still covers the wider table it was.
  BeginColumnDrag(drag, b, kSmall, MousePoint{500, 130}, 600);
  resize = EndColumnDrag(drag, kSmall, MousePoint{500, 130}, 500, display, layout);
  ASSERT_TRUE(resize);
  EXPECT_EQ(display[1], 200);
  EXPECT_EQ(resize->repaint, (BoardRect{215, 115, 1430, 610}));

  // Released outside the bar: the drag ends, no width changes.
  BeginColumnDrag(drag, b, kSmall, MousePoint{500, 130}, 500);
  EXPECT_FALSE(EndColumnDrag(drag, kSmall, MousePoint{600, 300}, 600, display, layout));
  EXPECT_EQ(drag.active, 0);
  EXPECT_EQ(display, kWidths);
  EXPECT_EQ(layout, kWidths);
}

TEST(BoardScrolling, EachRequestMovesTheFirstRowWithinTheRange) {
  struct Case {
    int32_t request, thumb, position, result;
  };
  // Range 0 to 6.
  const Case cases[] = {
      {kScrollLineUp, 0, 3, 2},        {kScrollLineUp, 0, 0, 0},
      {kScrollLineDown, 0, 3, 4},      {kScrollLineDown, 0, 6, 6},
      {kScrollPageUp, 0, 4, 0},        {kScrollPageDown, 0, 1, 6},
      {kScrollThumbPosition, 5, 1, 5}, {kScrollThumbPosition, 9, 1, 6},
      {kScrollThumbTrack, 5, 1, 1},    {kScrollTop, 0, 3, 3},
      {kScrollBottom, 0, 3, 3},        {kScrollEnd, 0, 3, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrolledPosition(c.request, c.thumb, c.position, 0, 6), c.result)
        << "request " << c.request << " at " << c.position;
  }
}

TEST(ClubTransponderBox, StandsOverTheTransponderCell) {
  const BoardLayout layout = ComputeBoardLayout(kSmall, kWidths, 30, 4);
  EXPECT_EQ(ClubTransponderBoxPlacement(layout, 30, 2), (ControlPlacementRect{1211, 207, 70, 400}));
  const BoardLayout large = ComputeBoardLayout(kLarge, kWidths, 30, 4);
  EXPECT_EQ(ClubTransponderBoxPlacement(large, 30, 0), (ControlPlacementRect{1413, 176, 84, 480}));
}

}  // namespace
}  // namespace zd
