// The detailed results of a run read from small "ResultatSerie.res" files: lap times, compaction,
// places lap by lap, the views' scroll bars and the grids' texts.

#include "analysis/run_results.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "files/ranking.h"

namespace zd {
namespace {

// A line of the file: the slot (1..50), the name, the race time at passing 0, then at each
// counted passing.
struct Line {
  int slot;
  std::string name;
  std::vector<int32_t> times;  // passing 0 first
};

class RunResultsTest : public test::DataFolderTest {
 protected:
  void WriteRun(const std::vector<Line>& lines, std::string_view mode = kRankByLapsAndTime) {
    std::vector<std::string> text(kMaxSeriesSlots, "(NA)\t0\t0\t\r\n");
    for (const Line& l : lines) {
      std::string s = l.name + "\t" + std::to_string(l.times.size() - 1) + "\t";
      for (int32_t t : l.times) s += std::to_string(t) + "\t";
      text[l.slot - 1] = s + "\r\n";
    }
    std::string all = std::string(mode) + "\t\r\n";
    for (const std::string& s : text) all += s;
    test::WriteBytes(file("ResultatSerie.res"), all);
  }
  // A run of `drivers` drivers on the first lines, driver i with laps(i) laps of 30 s.
  void WriteRegularRun(int drivers, int laps) {
    std::vector<Line> lines;
    for (int i = 0; i < drivers; ++i) {
      Line l{i + 1, "D" + std::to_string(i + 1), {0}};
      for (int k = 1; k <= laps; ++k) l.times.push_back(30000 * k + i);
      lines.push_back(l);
    }
    WriteRun(lines);
  }
  const SeriesResultEntry& at(int i) const { return run->table[i]; }

  std::unique_ptr<RunDetail> run = std::make_unique<RunDetail>();
};

TEST_F(RunResultsTest, LapTimesStartAtPassingZeroAndDriversMoveToTheFront) {
  WriteRun({{2, "Bob", {4000, 31000, 61500}}, {5, "Eve", {0, 29000}}, {7, "(NA) ", {0, 1}}});
  ASSERT_TRUE(LoadRunDetail(*run));
  EXPECT_EQ(run->driverCount, 3);  // only the exact "(NA)" marks an empty line
  EXPECT_EQ(run->shownColumns, 3);
  EXPECT_EQ(run->longestRun, 2);
  EXPECT_EQ(at(0).name.view(), "Bob");
  EXPECT_EQ(at(0).slotNumber, 2);
  EXPECT_EQ(at(0).passingCount, 2);
  EXPECT_EQ(at(0).passingTimes[1], 61500);
  EXPECT_EQ(at(0).lapTimes[0], 27000);  // the run-up from the signal is not a lap
  EXPECT_EQ(at(0).lapTimes[1], 30500);
  EXPECT_EQ(at(0).lapTimes[2], 0);
  EXPECT_EQ(at(1).name.view(), "Eve");
  EXPECT_EQ(at(1).slotNumber, 5);
  EXPECT_EQ(at(1).lapTimes[0], 29000);
  EXPECT_EQ(at(2).slotNumber, 7);
  for (int i = 3; i < kMaxSeriesSlots; ++i) {
    EXPECT_EQ(at(i).name.view(), "(NA)") << i;
    EXPECT_EQ(at(i).slotNumber, 0) << i;
    EXPECT_EQ(at(i).passingCount, 0) << i;
    EXPECT_EQ(at(i).positions[0], 0) << i;
  }
}

TEST_F(RunResultsTest, PlacesRankTimesThenTheLinesWithoutATimeLaterLinesFirst) {
  // Lines 1, 2 and 3; lap 2 reached by lines 1 and 3 only, line 3 on a tie at lap 1.
  WriteRun({{1, "Un", {0, 30000, 61000}}, {2, "Deux", {0, 31000}}, {3, "Trois", {0, 30000, 60000}}});
  ASSERT_TRUE(LoadRunDetail(*run));
  ASSERT_EQ(run->driverCount, 3);
  EXPECT_EQ(at(2).positions[0], 1);  // the later line wins the tie
  EXPECT_EQ(at(0).positions[0], 2);
  EXPECT_EQ(at(1).positions[0], 3);
  EXPECT_EQ(at(2).positions[1], 1);
  EXPECT_EQ(at(0).positions[1], 2);
  EXPECT_EQ(at(1).positions[1], 50);  // after the 47 empty lines, which take 3 to 49
  // Past everybody's last lap every line is placed, the later line first.
  EXPECT_EQ(at(2).positions[2999], 48);
  EXPECT_EQ(at(0).positions[2999], 50);

  // A first passing at 0 ms is a time, and the best one.
  WriteRun({{1, "Un", {0, 100}}, {4, "Quatre", {0, 0}}});
  ASSERT_TRUE(LoadRunDetail(*run));
  EXPECT_EQ(at(1).positions[0], 1);
  EXPECT_EQ(at(0).positions[0], 2);
}

TEST_F(RunResultsTest, ARunWithoutDriversShowsOnlyTheLapColumn) {
  WriteRun({});
  ASSERT_TRUE(LoadRunDetail(*run));
  EXPECT_EQ(run->driverCount, 0);
  EXPECT_EQ(run->shownColumns, 0);
  EXPECT_EQ(run->longestRun, 0);
  EXPECT_TRUE(GridLegend(*run).empty());
  EXPECT_TRUE(GridCells(*run, GridValue::RaceTime, 0, 0).empty());
  const std::vector<PlacedText> headings = GridHeadings(*run, 0, 0);
  ASSERT_EQ(headings.size(), 21u);
  EXPECT_EQ(headings[0].text, "Tour");
  EXPECT_EQ(headings[1].text, "1");
  EXPECT_EQ(headings[20].text, "20");
  EXPECT_EQ(headings[20].y, 90 + 26 * 19);
  const RunView view = GridView(*run, RunViewKind::RaceTimes);
  EXPECT_FALSE(view.lapBar.shown);
  EXPECT_FALSE(view.sideBar.shown);
}

TEST_F(RunResultsTest, AnUnreadableFileGivesAnEmptyRunNotThePreviousOne) {
  WriteRegularRun(3, 4);
  ASSERT_TRUE(LoadRunDetail(*run));
  ASSERT_EQ(run->driverCount, 3);
  std::remove(file("ResultatSerie.res").c_str());
  EXPECT_FALSE(LoadRunDetail(*run));
  EXPECT_EQ(run->driverCount, 0);
  EXPECT_EQ(run->longestRun, 0);
  EXPECT_TRUE(run->rankingMode.empty());
  EXPECT_EQ(at(0).name.view(), "(NA)");
  EXPECT_EQ(at(0).passingTimes[0], 0);
}

TEST_F(RunResultsTest, BarsAreShownFromElevenDriversAndTwentyLaps) {
  struct Case {
    int drivers, laps;
    ScrollSetting lapBar, sideBar, chartBar;
  } cases[] = {
      {10, 19, {0, false}, {0, false}, {10, true}},
      {11, 20, {1, true}, {1, true}, {11, true}},
      {2, 9, {0, false}, {0, false}, {0, false}},
      {50, 3000, {2981, true}, {40, true}, {2991, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.drivers) + " drivers, " + std::to_string(c.laps) + " laps");
    WriteRegularRun(c.drivers, c.laps);
    ASSERT_TRUE(LoadRunDetail(*run));
    EXPECT_EQ(run->shownColumns, std::min(c.drivers, 10));
    RunView view = GridView(*run, RunViewKind::LapTimes);
    EXPECT_EQ(view.kind, RunViewKind::LapTimes);
    EXPECT_EQ(view.lapBar, c.lapBar);
    EXPECT_EQ(view.sideBar, c.sideBar);

    // To the chart and back: both bars as at opening, at 0.
    view.lapPos = c.lapBar.maximum;
    view.sidePos = c.sideBar.maximum;
    view = ChartView(*run, view);
    EXPECT_TRUE(view.chartMode());
    EXPECT_FALSE(view.lapBar.shown);
    EXPECT_EQ(view.sideBar, c.chartBar);
    EXPECT_EQ(view.sidePos, 0);
    view.sidePos = c.chartBar.maximum;
    view = GridView(*run, RunViewKind::RaceTimes);
    EXPECT_EQ(view.lapBar, c.lapBar);
    EXPECT_EQ(view.sideBar, c.sideBar);
    EXPECT_EQ(view.lapPos, 0);
    EXPECT_EQ(view.sidePos, 0);
  }
}

TEST_F(RunResultsTest, GridCellsFollowTheBarsAndEndWithEachDriversLaps) {
  WriteRun({{1, "Long", [] {
               std::vector<int32_t> t{0};
               for (int k = 1; k <= 25; ++k) t.push_back(61250 * k);
               return t;
             }()},
            {3, "Short", {1000, 31000, 62000}}});
  ASSERT_TRUE(LoadRunDetail(*run));
  const std::vector<PlacedText> legend = GridLegend(*run);
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(legend[1].text, "L3: Short");
  EXPECT_EQ(legend[1].x, 5);
  EXPECT_EQ(legend[1].y, 86);
  const std::vector<PlacedText> headings = GridHeadings(*run, 6, 0);
  ASSERT_GT(headings.size(), 22u);
  EXPECT_EQ(headings[1].text, "7");
  EXPECT_EQ(headings[20].text, "26");  // the last row, past the longest run, stays empty
  EXPECT_EQ(headings[22].text, "Ligne3");
  EXPECT_EQ(headings[22].x, 475);

  const std::vector<PlacedText> laps = GridCells(*run, GridValue::LapTime, 0, 0);
  ASSERT_EQ(laps.size(), 22u);  // 20 rows of the long run, 2 of the short one
  EXPECT_EQ(laps[0].text, "1:01.250");
  EXPECT_EQ(laps[20].text, "30.000");
  EXPECT_EQ(laps[20].x, 482);
  EXPECT_EQ(laps[21].y, 116);
  const std::vector<PlacedText> times = GridCells(*run, GridValue::RaceTime, 6, 0);
  ASSERT_EQ(times.size(), 19u);
  EXPECT_EQ(times.back().text, "25:31.250");
  EXPECT_EQ(times.back().y, 90 + 26 * 18);

  // A cell holds 12 characters: 100 hours and more are cut, never overflow.
  EXPECT_EQ(GridCellText(360000000).view(), "100:00:00.00");
  EXPECT_EQ(GridCellText(2147483647).view(), "596:31:23.64");
  EXPECT_EQ(GridCellText(0).view(), "0.000");
}

}  // namespace
}  // namespace zd
