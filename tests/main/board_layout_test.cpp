#include "main/board_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace zd {
namespace {

// The factory widths: 1020 design units, so e(11) = 1080.
constexpr BoardColumnWidths kWidths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};

struct LayoutCase {
  ScreenScale screen;
  BoardRect boardArea, table, columnHeaderBar, seriesTitle, clock, countdown, rest, banner;
  BoardRect positionCellRow2, numberCellRow2, bestLapCellRow2, statusCellRow2;
};

TEST(BoardLayout, AreasAndCellsForTwoScreens) {
  // Row height 30, 4 rows shown.
  const LayoutCase cases[] = {
      {{1600, 900},
       {215, 115, 1330, 610},
       {260, 145, 1315, 265},
       {220, 123, 1315, 145},
       {215, 20, 678, 60},
       {250, 740, 690, 780},
       {730, 740, 800, 780},
       {10, 790, 200, 810},
       {1008, 30, 1470, 100},
       {220, 205, 260, 235},
       {260, 205, 300, 235},
       {1120, 205, 1210, 235},
       {1280, 205, 1315, 235}},
      {{1920, 1080},
       {218, 138, 1556, 732},
       {272, 174, 1538, 318},
       {224, 147, 1538, 174},
       {218, 24, 812, 72},
       {260, 888, 788, 936},
       {828, 888, 898, 936},
       {10, 970, 200, 990},
       {1156, 36, 1790, 120},
       {224, 246, 272, 282},
       {272, 246, 320, 282},
       {1304, 246, 1412, 282},
       {1496, 246, 1538, 282}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.screen.width);
    const BoardLayout l = ComputeBoardLayout(c.screen, kWidths, 30, 4);
    EXPECT_EQ(l.edges[kStatusColumn], 1080);
    EXPECT_EQ(l.boardArea, c.boardArea);
    EXPECT_EQ(l.table, c.table);
    EXPECT_EQ(l.columnHeaderBar, c.columnHeaderBar);
    EXPECT_EQ(l.seriesTitlePanel, c.seriesTitle);
    EXPECT_EQ(l.clockPanel, c.clock);
    EXPECT_EQ(l.countdownPanel, c.countdown);
    EXPECT_EQ(l.restPanel, c.rest);
    EXPECT_EQ(l.radioConflictBanner, c.banner);
    EXPECT_EQ(l.PositionCell(2, 30), c.positionCellRow2);
    EXPECT_EQ(l.Cell(0, 2, 30), c.numberCellRow2);
    EXPECT_EQ(l.Cell(9, 2, 30), c.bestLapCellRow2);
    EXPECT_EQ(l.Cell(kStatusColumn, 2, 30), c.statusCellRow2);
  }
}

TEST(BoardLayout, ColumnsFollowTheWidthsAndTruncateEachEdge) {
  // Odd widths on an odd screen: each edge is scaled from its own design abscissa, so the cells
  // of a row tile the bar without gaps or overlaps.
  const BoardColumnWidths widths = {33, 1, 0, 999, 7, 7, 7, 7, 7, 7, 7};
  const BoardLayout l = ComputeBoardLayout({1366, 768}, widths, 25, 0);
  EXPECT_EQ(l.PositionCell(0, 25).right, l.Cell(0, 0, 25).left);
  for (int c = 0; c + 1 < kCellColumns; ++c)
    EXPECT_EQ(l.Cell(c, 0, 25).right, l.Cell(c + 1, 0, 25).left);
  EXPECT_EQ(l.Cell(2, 0, 25).left, l.Cell(2, 0, 25).right);  // a zero width is an empty cell
  EXPECT_EQ(l.Cell(kStatusColumn, 0, 25).right, l.columnHeaderBar.right);
  // With no row shown the table has no height.
  EXPECT_EQ(l.table.top, l.table.bottom);
  // Rows are bands of the screen height: 1 + 25 units from design y 145.
  EXPECT_EQ(l.RowTop(1, 25), 170 * 768 / 900);
  EXPECT_EQ(l.RowBottom(1, 25), 195 * 768 / 900);
}

// Widths that no file or drag gives any more still lay out in order, without leaving int.
TEST(BoardLayout, ExtremeWidthsAndHeightsStayInOrder) {
  BoardColumnWidths huge;
  huge.fill(INT32_MAX);
  const ScreenScale screen{3840, 2160};
  const BoardLayout layout = ComputeBoardLayout(screen, huge, INT32_MAX, 50);
  for (int k = 0; k < kStatusColumn; ++k) EXPECT_LE(layout.edges[k], layout.edges[k + 1]) << k;
  EXPECT_LE(layout.table.left, layout.table.right);
  EXPECT_LE(layout.table.top, layout.table.bottom);
  const BoardRect status = layout.Cell(kStatusColumn, 49, INT32_MAX);
  EXPECT_LE(status.left, status.right);
  EXPECT_LE(status.top, status.bottom);
}

}  // namespace
}  // namespace zd
