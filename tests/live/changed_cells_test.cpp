#include "live/changed_cells.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zd {
namespace {

constexpr int kPos = kPositionCell;
constexpr int kNoRow = -1;

// Six cars in ranking order; every car is in category "TT" and cars 1 and 2 share their club, so
// scrolling by one row leaves those cells alone.
LiveRows SixCars() {
  LiveRows rows{};
  for (int i = 0; i < 6; ++i) {
    LiveRow& r = rows[i];
    const std::string n = std::to_string(i + 1);
    r.position = n;
    r.carNumber = std::to_string(10 + i);
    r.name = "Pilote " + n;
    r.category = "TT";
    r.club = i == 1 || i == 2 ? "Club A" : "Club " + n;
    r.nationCode = "FRA";
    r.laps = std::to_string(20 - i);
    r.totalTime = "5:0" + n + ".000";
    r.gapToLeader = i == 0 ? "" : n + " tours";
    r.gapToPrevious = i == 0 ? "" : "1 tour";
    r.lastLap = "14." + n + "00";
    r.bestLap = "13." + n + "00";
    r.transponder = "00010" + n;
  }
  return rows;
}

struct Call {
  int32_t firstRow = 0;
  int32_t base = 1000;
  int32_t editRow = kNoRow;
  int32_t clubRow = kNoRow;
  int32_t rowsShown = 4;
  int32_t shownFrom = 0;  // the first row shown when the board was last compared
};

struct Case {
  const char* name;
  std::function<void(LiveRows&)> change;
  Call call;
  std::vector<ChangedCell> expected;
};

TEST(DetectChangedLiveCells, FlagsExactlyTheCellsThatChanged) {
  const Case cases[] = {
      {"nothing changed", [](LiveRows&) {}, {}, {}},
      {"a car that just passed",
       [](LiveRows& r) {
         r[1].passed = 1;
         r[1].laps = "20";
         r[1].totalTime = "5:14.100";
         r[1].lastLap = "14.100";
         r[1].gapToLeader = "0.300";
       },
       {},
       {{1, 0}, {1, 4}, {1, 5}, {1, 6}, {1, 8}}},
      {"the highlight goes away, the number stays",
       [](LiveRows& r) { r[2].passed = 0; },  // shown with 1, below
       {},
       {{2, 0}}},
      {"best-lap flags only",
       [](LiveRows& r) {
         r[0].fastestLap = 1;
         r[3].newBest = 1;
       },
       {},
       {{0, 9}, {3, 9}}},
      {"a finish with status 0", [](LiveRows& r) { r[3].finished = 1; }, {}, {{3, kStatusColumn}}},
      {"two cars change places",
       [](LiveRows& r) {
         std::swap(r[0], r[1]);
         std::swap(r[0].position, r[1].position);
       },
       {},
       {{0, 0}, {0, 1}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {0, 8}, {0, 9}, {0, 10},
        {1, 0}, {1, 1}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}, {1, 9}, {1, 10}}},
      {"changes of rows not shown",
       [](LiveRows& r) {
         r[4].laps = "99";
         r[5].finished = 1;
       },
       {},
       {}},
      // Board row i now shows car i + 1: cells equal to the row above stay.
      {"scrolled by one row",
       [](LiveRows&) {},
       {.firstRow = 1, .rowsShown = 3},
       {{0, kPos}, {0, 0}, {0, 1}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {0, 8}, {0, 9}, {0, 10},
        {1, kPos}, {1, 0}, {1, 1}, {1, 4}, {1, 5}, {1, 6}, {1, 8}, {1, 9}, {1, 10},
        {2, kPos}, {2, 0}, {2, 1}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 8}, {2, 9}, {2, 10}}},
      {"an edited row with the base 1000", [](LiveRows&) {}, {.editRow = 2, .clubRow = 1}, {}},
      {"an edited row with the base at the first row shown",
       [](LiveRows&) {},
       {.base = 0, .editRow = 2, .clubRow = 1},
       {{1, 10}, {2, 4}, {2, 5}, {2, 8}, {2, 9}}},
      {"an edited row while scrolled",
       [](LiveRows& r) { r[3].laps = "1"; },
       {.firstRow = 1, .base = 1, .editRow = 3, .clubRow = 0, .shownFrom = 1},
       {{2, 4}, {2, 5}, {2, 8}, {2, 9}}},
      {"no row shown", [](LiveRows& r) { r[0].laps = "1"; }, {.rowsShown = 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LiveRows rows = SixCars();
    rows[2].passed = 1;
    // What the board shows: the rows as they stood, from the first row shown then.
    LiveRows shown{};
    for (int i = 0; i + c.call.shownFrom < 6; ++i) shown[i] = rows[i + c.call.shownFrom];
    c.change(rows);

    CellDirtyFlags flags;
    const std::vector<ChangedCell> changed = DetectChangedLiveCells(
        rows, shown, c.call.firstRow, c.call.base, flags, c.call.editRow, c.call.clubRow,
        c.call.rowsShown);
    EXPECT_EQ(changed, c.expected);

    // Exactly those flags are raised, and the copy now matches the rows shown.
    CellDirtyFlags expectedFlags;
    for (const ChangedCell& cell : c.expected) {
      if (cell.column == kPos)
        expectedFlags.rows[cell.row] = 1;
      else
        expectedFlags.cells[cell.column][cell.row] = 1;
    }
    EXPECT_EQ(flags.rows, expectedFlags.rows);
    EXPECT_EQ(flags.cells, expectedFlags.cells);
    for (int i = 0; i < c.call.rowsShown; ++i)
      for (int column = kPos; column < kCellColumns; ++column)
        EXPECT_FALSE(ShownCellDiffers(shown[i], rows[c.call.firstRow + i], column))
            << i << "/" << column;
    // Nothing changed since: a second call finds only the forced cells again.
    CellDirtyFlags again;
    const std::vector<ChangedCell> second =
        DetectChangedLiveCells(rows, shown, c.call.firstRow, c.call.base, again, c.call.editRow,
                               c.call.clubRow, c.call.rowsShown);
    for (const ChangedCell& cell : second)
      EXPECT_TRUE(cell.column == 4 || cell.column == 5 || cell.column == 8 || cell.column == 9 ||
                  cell.column == 10)
          << cell.row << "/" << cell.column;
  }
}

TEST(DetectChangedLiveCells, NeverReadsBeyondTheFiftyRows) {
  LiveRows rows = SixCars();
  rows[49].laps = "7";
  LiveRows shown{};
  CellDirtyFlags flags;
  // Scrolled to row 48 with 5 rows shown: only rows 48 and 49 exist.
  const std::vector<ChangedCell> changed =
      DetectChangedLiveCells(rows, shown, 48, 1000, flags, kNoRow, kNoRow, 5);
  EXPECT_EQ(changed, (std::vector<ChangedCell>{{1, 4}}));
  EXPECT_EQ(shown[1].laps.view(), "7");
  // More rows than the board has are read as 50.
  EXPECT_TRUE(DetectChangedLiveCells(rows, shown, 0, 1000, flags, kNoRow, kNoRow, 80).size() > 0);
}

}  // namespace
}  // namespace zd
