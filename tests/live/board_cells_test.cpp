#include "live/board_cells.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

constexpr BoardColumnWidths kWidths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};

TEST(BoardRowMetrics, RowHeightAndRowsThatFit) {
  EXPECT_EQ(RowHeightForTextHeight(25), 30);
  EXPECT_EQ(RowHeightForTextHeight(19), 22);

  struct Case {
    int32_t rowHeight, H, expected;
  };
  const Case cases[] = {
      {30, 900, 15},   // 15 * 30 = 450 < 465; 16 * 30 = 480 is not
      {31, 900, 14},   // 15 * 31 = 465 is not below 465
      {30, 1080, 15},  // rows of 36 pixels in 558
      {0, 900, 50},    // nothing measured: every row fits
      {9, 900, 50},    // never more than 50
      {500, 900, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rowHeight << " at H " << c.H);
    const BoardLayout layout = ComputeBoardLayout({c.H * 16 / 9, c.H}, kWidths, c.rowHeight, 0);
    EXPECT_EQ(RowsThatFit(c.rowHeight, c.H, layout.boardArea.bottom - layout.table.top),
              c.expected);
  }
  EXPECT_EQ(RowsThatFit(30, 900, 0), 0);
  EXPECT_EQ(RowsThatFit(0, 900, -5), 0);

  EXPECT_EQ(RowsShownFor(7, 15), 7);
  EXPECT_EQ(RowsShownFor(20, 15), 15);
  EXPECT_EQ(RowsShownFor(-3, 15), 0);
}

// The two ways the column edges are numbered: one from e(0) = 60 where column k spans e(k) to
// e(k + 1) (BoardLayout's edges), the other from e(-1) = 60 where it spans e(k - 1) to e(k). The
// layout is the one definition; both sets of worked values hold for it.
TEST(BoardRowMetrics, ColumnEdgesHoldTheWorkedValuesOfBothNumberings) {
  const BoardLayout l = ComputeBoardLayout({1600, 900}, kWidths, 30, 4);
  // e(11) = 1080: the board area spans x 215 to 1330, the bar 220 to 1315, the status cells
  // 1280 to 1315, the position cells 220 to 260.
  EXPECT_EQ(l.edges[kStatusColumn], 1080);
  EXPECT_EQ(l.boardArea, (BoardRect{215, 115, 1330, 610}));
  EXPECT_EQ(l.columnHeaderBar.left, 220);
  EXPECT_EQ(l.columnHeaderBar.right, 1315);
  EXPECT_EQ(l.Cell(kStatusColumn, 0, 30).left, 1280);
  EXPECT_EQ(l.Cell(kStatusColumn, 0, 30).right, 1315);
  // With e(-1) = 60 and e(k) = 60 + w0 + ... + wk: column k from 200 + e(k - 1) * W / 1600 to
  // 200 + e(k) * W / 1600, the status column from e(10) to e(10) + 35.
  for (const ScreenScale screen : {ScreenScale{1600, 900}, ScreenScale{1366, 768}}) {
    const BoardLayout s = ComputeBoardLayout(screen, kWidths, 30, 4);
    int32_t e = 60;  // e(-1)
    for (int k = 0; k < kBoardColumns; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(s.Cell(k, 1, 30).left, 200 + e * screen.width / 1600);
      e += kWidths[k];
      EXPECT_EQ(s.Cell(k, 1, 30).right, 200 + e * screen.width / 1600);
    }
    EXPECT_EQ(s.Cell(kStatusColumn, 1, 30).left, 200 + e * screen.width / 1600);
    EXPECT_EQ(s.Cell(kStatusColumn, 1, 30).right, 200 + (e + 35) * screen.width / 1600);
  }
  // Rows of 30: row 0 spans 145 to 175, row 1 175 to 205, the position column 220 to 260, and a
  // cell's text starts 2 pixels below its top.
  EXPECT_EQ(l.PositionCell(0, 30), (BoardRect{220, 145, 260, 175}));
  EXPECT_EQ(l.PositionCell(1, 30), (BoardRect{220, 175, 260, 205}));
  EXPECT_EQ(CellTextTop(175, 30, 900), 177);
  EXPECT_EQ(CellTextTop(216, 30, 1080), 218);
}

TEST(BoardRowCells, TextThresholdsPerColumn) {
  // At W = 1600 the thresholds read as design units; a width equal to one shows nothing.
  const int32_t at1600[kBoardColumns] = {40, 80, 50, 50, 50, 85, 85, 85, 85, 85, 55};
  const int32_t at1920[kBoardColumns] = {48, 96, 60, 60, 60, 102, 102, 102, 102, 102, 66};
  for (int c = 0; c < kBoardColumns; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(CellTextThreshold(c, 1600), at1600[c]);
    EXPECT_EQ(CellTextThreshold(c, 1920), at1920[c]);
    EXPECT_FALSE(CellTextShown(c, at1600[c], 1600));
    EXPECT_TRUE(CellTextShown(c, at1600[c] + 1, 1600));
  }
}

TEST(BoardRowCells, TextPlacePerColumn) {
  struct Case {
    int column;
    int32_t width, W;
    TextPlacement expected;
  };
  // A cell from 300 to 400.
  const Case cases[] = {
      {kColumnNumber, 45, 1600, {TextAlign::kCentre, 322}},
      {kColumnNumber, 45, 1920, {TextAlign::kCentre, 326}},  // 22 design units of 1.2 pixels
      {kColumnDriverName, 200, 1600, {TextAlign::kLeft, 310}},
      {kColumnCategory, 90, 1920, {TextAlign::kLeft, 312}},
      {kColumnClub, 100, 1600, {TextAlign::kLeft, 310}},
      {kColumnLaps, 60, 1600, {TextAlign::kRight, 395}},
      {kColumnTotalTime, 100, 1600, {TextAlign::kRight, 390}},
      {kColumnBestLap, 90, 1920, {TextAlign::kRight, 388}},
      {kColumnTransponder, 71, 1600, {TextAlign::kCentre, 335}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    EXPECT_EQ(CellTextPlacement(c.column, c.width, 300, 400, c.W), c.expected);
  }
}

TEST(BoardRowCells, StatusMarks) {
  PenaltyTable penalties;
  ClearPenaltyTable(penalties);
  penalties[0].code = "A";
  penalties[1].code = "P1";
  penalties[2].code = "P2";
  PenaltyTable full = penalties;
  for (int k = 3; k < kMaxPenalties; ++k) full[k].code = "P" + std::to_string(k);

  struct Case {
    int32_t status, finished;
    const PenaltyTable& list;
    StatusMark::Kind kind;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, penalties, StatusMark::kNothing, ""},
      {0, 1, penalties, StatusMark::kChequeredFlag, ""},
      {-2, 1, penalties, StatusMark::kChequeredFlag, ""},
      {1, 1, penalties, StatusMark::kText, " A "},  // the abandonment wins over the flag
      {1, 0, penalties, StatusMark::kText, " A "},
      {3, 1, penalties, StatusMark::kText, "P2"},  // entry 2
      {2, 0, penalties, StatusMark::kText, "P1"},
      {50, 0, full, StatusMark::kText, "P49"},  // the last entry of the list
      {4, 1, penalties, StatusMark::kNothing, ""},  // beyond the race's penalties
      {51, 0, full, StatusMark::kNothing, ""},      // beyond the list itself
      {1000000, 0, full, StatusMark::kNothing, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "status " << c.status << " finished " << c.finished);
    LiveRow row;
    row.status = c.status;
    row.finished = c.finished;
    const StatusMark mark = StatusCellMark(row, c.list);
    EXPECT_EQ(mark.kind, c.kind);
    EXPECT_EQ(mark.text, c.text);
  }
}

TEST(BoardRowCells, NationFlagFollowsTheCode) {
  LiveRow row;
  row.nationCode = "FRA";
  EXPECT_EQ(NationFlagFile(row), "paysDrapeaux/FRA.bmp");
  // A character height of 16 puts the flag 56 design units right of the cell's left edge; its
  // size follows the row height in design units.
  EXPECT_EQ(NationFlagBox(600, 147, 30, -16, 1600), (BoardRect{656, 147, 680, 165}));
  EXPECT_EQ(NationFlagBox(600, 147, 30, -16, 1920), (BoardRect{667, 147, 691, 165}));
}

}  // namespace
}  // namespace zd
