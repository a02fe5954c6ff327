#include "main/board_paint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zd {
namespace {

constexpr BoardColumnWidths kWidths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};
constexpr int32_t kRowHeight = 30;

// Notes each call as "area N", "pos R" or "cell C/R" (R the current row), with the rectangle of
// each cell checked against the row it is painted for.
class RecordingPainter final : public BoardPainter {
 public:
  RecordingPainter(const BoardLayout& layout, const BoardRowState& rows)
      : layout_(layout), rows_(rows) {}

  void PaintArea(BoardArea area) override {
    calls.push_back("area " + std::to_string(static_cast<int>(area)));
  }
  void PaintPositionCell(const BoardRect& cell) override {
    EXPECT_EQ(cell, layout_.PositionCell(rows_.currentRow, kRowHeight));
    calls.push_back("pos " + std::to_string(rows_.currentRow));
  }
  void PaintCell(int column, const BoardRect& cell) override {
    EXPECT_EQ(cell, layout_.Cell(column, rows_.currentRow, kRowHeight));
    calls.push_back("cell " + std::to_string(column) + "/" + std::to_string(rows_.currentRow));
  }

  std::vector<std::string> calls;

 private:
  const BoardLayout& layout_;
  const BoardRowState& rows_;
};

class BoardPaintTest : public ::testing::Test {
 protected:
  std::vector<std::string> Paint(int32_t rowsShown, BoardPaint expected) {
    rows_.rowHeight = kRowHeight;
    rows_.rowsShown = rowsShown;
    layout_ = ComputeBoardLayout({1600, 900}, kWidths, kRowHeight, rowsShown);
    RecordingPainter painter(layout_, rows_);
    EXPECT_EQ(PaintBoard(layout_, rows_, flags_, painter), expected);
    return painter.calls;
  }

  static std::vector<std::string> FullRow(int row) {
    std::vector<std::string> calls = {"pos " + std::to_string(row)};
    for (int c = 0; c < kCellColumns; ++c)
      calls.push_back("cell " + std::to_string(c) + "/" + std::to_string(row));
    return calls;
  }

  BoardLayout layout_;
  BoardRowState rows_;
  CellDirtyFlags flags_;
};

const std::vector<std::string> kFullAreas = {"area 1", "area 3", "area 4",
                                             "area 5", "area 6", "area 7"};

TEST_F(BoardPaintTest, NoFlagPaintsEverythingAndChangesNoFlag) {
  EXPECT_EQ(Paint(0, BoardPaint::Full), kFullAreas);

  // A flag of a row that is not shown does not count, and stays.
  flags_.cells[9][3] = 1;
  flags_.rows[2] = 1;
  std::vector<std::string> expected = kFullAreas;
  for (int r = 0; r < 2; ++r) {
    const std::vector<std::string> row = FullRow(r);
    expected.insert(expected.end(), row.begin(), row.end());
  }
  EXPECT_EQ(Paint(2, BoardPaint::Full), expected);
  EXPECT_EQ(flags_.cells[9][3], 1);
  EXPECT_EQ(flags_.rows[2], 1);
}

TEST_F(BoardPaintTest, FlagsPaintOnlyTheirPartsInOrderAndAreCleared) {
  struct Case {
    const char* name;
    void (*raise)(CellDirtyFlags&);
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"clock only", [](CellDirtyFlags& f) { f.area(BoardArea::Clock) = 1; }, {"area 4"}},
      {"one cell", [](CellDirtyFlags& f) { f.cells[9][3] = 1; }, {"cell 9/3"}},
      {"areas, then rows, position before the cells",
       [](CellDirtyFlags& f) {
         f.cells[kStatusColumn][1] = 1;
         f.cells[0][1] = 1;
         f.rows[1] = 1;
         f.cells[5][0] = 1;
         f.area(BoardArea::RadioConflict) = 1;
         f.area(BoardArea::ColumnHeaderBar) = 1;
       },
       {"area 2", "area 7", "cell 5/0", "pos 1", "cell 0/1", "cell 11/1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    flags_.Clear();
    c.raise(flags_);
    EXPECT_EQ(Paint(5, BoardPaint::Partial), c.calls);
    CellDirtyFlags cleared;
    EXPECT_EQ(flags_.areas, cleared.areas);
    EXPECT_EQ(flags_.rows, cleared.rows);
    EXPECT_EQ(flags_.cells, cleared.cells);
    // With every flag cleared, the next paint is a full one.
    EXPECT_EQ(Paint(0, BoardPaint::Full), kFullAreas);
  }
}

TEST_F(BoardPaintTest, PartialPaintLeavesTheFlagsOfRowsNotShown) {
  flags_.area(BoardArea::Rest) = 1;
  flags_.cells[4][7] = 1;
  flags_.rows[9] = 1;
  EXPECT_EQ(Paint(5, BoardPaint::Partial), std::vector<std::string>{"area 6"});
  EXPECT_EQ(flags_.cells[4][7], 1);
  EXPECT_EQ(flags_.rows[9], 1);
}

TEST_F(BoardPaintTest, MarkingTheWholeBoardPaintsHeaderPanelsAndEveryShownCell) {
  LiveRows rows, shown;
  for (int i = 0; i < kLiveRows; ++i) {
    rows[i].position = std::to_string(i + 1);
    rows[i].carNumber = "#" + std::to_string(i);
    rows[i].passed = 1;
    rows[i].bestLap = "1.000";
    rows[i].fastestLap = 1;
    rows[i].status = 3;
    rows[i].finished = 1;
    rows[i].passings = "99";  // no cell shows the passings
  }
  shown[4].name = "left over";
  flags_.rows[4] = 1;  // flags of an earlier series
  flags_.area(BoardArea::ColumnHeaderBar) = 1;

  MarkWholeBoard(flags_, shown, rows, 2, 10);
  EXPECT_EQ(shown[0].position.view(), "11");
  EXPECT_EQ(shown[1].carNumber.view(), "#11");
  EXPECT_EQ(shown[1].passed, 1);
  EXPECT_EQ(shown[1].bestLap.view(), "1.000");
  EXPECT_EQ(shown[1].fastestLap, 1);
  EXPECT_EQ(shown[0].status, 3);
  EXPECT_EQ(shown[0].finished, 1);
  EXPECT_TRUE(shown[0].passings.empty());
  EXPECT_TRUE(shown[4].name.empty());

  std::vector<std::string> expected = {"area 1", "area 2", "area 3", "area 4", "area 5", "area 7"};
  for (int r = 0; r < 2; ++r) {
    const std::vector<std::string> row = FullRow(r);
    expected.insert(expected.end(), row.begin(), row.end());
  }
  EXPECT_EQ(Paint(2, BoardPaint::Partial), expected);
}

}  // namespace
}  // namespace zd
