#include "main/live_ranking.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "files/ranking.h"
#include "files/time_format.h"

namespace zd {
namespace {

// A car as the ranking reads it.
struct Car {
  int slot;
  int32_t laps;
  int32_t raceTime;
  int32_t lastLap;
  int32_t bestLap;
};

class LiveRankingTest : public ::testing::Test {
 protected:
  // The cars in their slots (passings = laps), every other slot empty; then ranked by key.
  void Rank(const std::vector<Car>& cars, std::string_view key = kRankByLapsAndTime) {
    LiveSeriesTable& table = *series->liveTable;
    for (SeriesResultEntry& s : table) s.name = "(NA)";
    for (const Car& c : cars) table[c.slot - 1].name = "Pilote " + std::to_string(c.slot);
    ResetSeriesResultSlots(table);
    for (const Car& c : cars) {
      SeriesResultEntry& s = table[c.slot - 1];
      s.laps = c.laps;
      s.passingCount = c.laps;
      s.raceTime = c.raceTime;
      s.passingTimes[c.laps] = c.raceTime;
      s.lapTimes[c.laps] = c.lastLap;
      s.bestLap = c.bestLap;
    }
    series->rowCount = CollectRankingEntries(series->rankingEntries, table);
    FillStartingRows(series->rows, series->rankingEntries, series->rowCount);
    RankLiveSeries(key, table, series->rankingEntries, series->rows, series->rowCount);
  }

  std::vector<int> SlotOrder() const {
    std::vector<int> order;
    for (int i = 0; i < series->rowCount; ++i) {
      order.push_back(series->rankingEntries[i].slotNumber);
    }
    return order;
  }

  std::unique_ptr<LiveSeries> series = std::make_unique<LiveSeries>();
};

struct RowTexts {
  const char* total;
  const char* gapToLeader;
  const char* gapToPrevious;
};

void ExpectTexts(const LiveRows& rows, const std::vector<RowTexts>& expected) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].totalTime.view(), expected[i].total);
    EXPECT_EQ(rows[i].gapToLeader.view(), expected[i].gapToLeader);
    EXPECT_EQ(rows[i].gapToPrevious.view(), expected[i].gapToPrevious);
  }
}

TEST_F(LiveRankingTest, ByLapsAndTimeFullTiesGoToTheLaterSlot) {
  Rank({{1, 10, 600100, 60000, 59000}, {4, 10, 600050, 60000, 59000},
        {7, 10, 600050, 60000, 59000}});
  EXPECT_EQ(SlotOrder(), (std::vector<int>{7, 4, 1}));
  ExpectTexts(series->rows, {{"10:00.050", "0.000", "0.000"},
                             {"10:00.050", "0.000", "0.000"},
                             {"10:00.100", "0.050", "0.050"}});
}

TEST_F(LiveRankingTest, GapsShowLapsBehindOrTheTimeOnTheSameLap) {
  Rank({{1, 10, 500000, 40000, 39000},
        {2, 12, 405500, 33000, 32000},
        {3, 10, 480000, 41000, 39000},
        {4, 12, 400000, 33500, 32500},
        {5, 0, 0, 0, 0}});
  EXPECT_EQ(SlotOrder(), (std::vector<int>{4, 2, 3, 1, 5}));
  ExpectTexts(series->rows, {{"6:40.000", "0.000", "0.000"},
                             {"6:45.500", "5.500", "5.500"},
                             {"8:00.000", "2t", "2t"},
                             {"8:20.000", "2t", "20.000"},
                             {"0:00.000", "12t", "10t"}});
  const LiveRow& third = series->rows[2];
  EXPECT_EQ(third.position.view(), "3");
  EXPECT_EQ(third.slotNumber.view(), " 3 ");
  EXPECT_EQ(third.laps.view(), "10");
  EXPECT_EQ(third.passings.view(), "10");
  EXPECT_EQ(third.lastLap.view(), "41.000");
  EXPECT_EQ(third.bestLap.view(), "39.000");
  EXPECT_EQ(third.name.view(), "Pilote 3");
}

// Gaps are differences of values a table may hold whatever their source: formed in 64 bits and
// kept within int.
TEST(LiveRankingGaps, ExtremeValuesSaturate) {
  auto entries = std::make_unique<LiveRankingEntries>();
  (*entries)[0].laps = INT32_MIN;
  (*entries)[0].raceTime = INT32_MIN;
  (*entries)[0].bestLap = INT32_MIN;
  (*entries)[1].laps = INT32_MIN;
  (*entries)[1].raceTime = INT32_MAX;
  (*entries)[1].bestLap = INT32_MAX;
  (*entries)[2].laps = INT32_MAX;
  (*entries)[2].raceTime = 1;
  ComputeGapsByLapsAndTime(*entries, 3);
  EXPECT_EQ((*entries)[1].timeBehindLeader, INT32_MAX);
  EXPECT_EQ((*entries)[2].lapsBehindLeader, INT32_MIN);
  EXPECT_EQ((*entries)[2].lapsBehindPrevious, INT32_MIN);
  ComputeGapsByBestLap(*entries, 2);
  EXPECT_EQ((*entries)[1].timeBehindLeader, INT32_MAX);
}

TEST_F(LiveRankingTest, CarsWithoutLapsComeAfterTheOthersLaterSlotFirst) {
  Rank({{1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, {3, 1, 31000, 31000, 0}, {4, 0, 0, 0, 0}});
  EXPECT_EQ(SlotOrder(), (std::vector<int>{3, 4, 2, 1}));
  ExpectTexts(series->rows, {{"0:31.000", "0.000", "0.000"},
                             {"0:00.000", "1t", "1t"},
                             {"0:00.000", "1t", "0.000"},
                             {"0:00.000", "1t", "0.000"}});
  EXPECT_EQ(series->rows[1].lastLap.view(), "0.000");
  EXPECT_EQ(series->rows[1].bestLap.view(), "0.000");
}

TEST_F(LiveRankingTest, ByBestLapOneLapWithoutBestComesAfterEveryBest) {
  Rank({{1, 5, 160000, 32000, 31000},
        {2, 1, 35000, 35000, 0},
        {3, 0, 0, 0, 0},
        {4, 3, 95000, 31000, 30500},
        {5, 4, 130000, 31500, 31000}},
       kRankByBestLap);
  // Equal best laps: the smaller last lap first.
  EXPECT_EQ(SlotOrder(), (std::vector<int>{4, 5, 1, 2, 3}));
  ExpectTexts(series->rows, {{"1:35.000", "0.000", "0.000"},
                             {"2:10.000", "0.500", "0.500"},
                             {"2:40.000", "0.500", "0.000"},
                             {"0:35.000", "0.000", "0.000"},
                             {"0:00.000", "0.000", "0.000"}});
  EXPECT_EQ(series->rows[3].bestLap.view(), "0.000");
  EXPECT_EQ(series->rankingEntries[3].bestLap, 0);
  EXPECT_EQ(series->rankingEntries[3].lapsBehindLeader, 0);
}

TEST_F(LiveRankingTest, OnlyAJustPassedSlotGetsItsRankAtItsLastPassing) {
  LiveSeriesTable& table = *series->liveTable;
  for (SeriesResultEntry& s : table) s.name = "(NA)";
  table[0].name = "A";
  table[1].name = "B";
  ResetSeriesResultSlots(table);
  for (SeriesResultEntry& s : table) s.positions.fill(-1);
  table[0].laps = table[0].passingCount = 4;
  table[0].raceTime = 120000;
  table[1].laps = table[1].passingCount = 4;
  table[1].raceTime = 119000;
  table[0].passed = 1;
  const int32_t count = CollectRankingEntries(series->rankingEntries, table);
  RankByLapsAndTime(table, series->rankingEntries, count);

  EXPECT_EQ(table[0].positions[4], 2);
  EXPECT_EQ(table[0].positions[3], -1);
  EXPECT_EQ(table[0].positions[5], -1);
  EXPECT_EQ(table[1].positions[4], -1);  // not passed: untouched
  EXPECT_EQ(series->rankingEntries[1].passed, 1);
}

TEST_F(LiveRankingTest, TimeTextsInTheirShapes) {
  // Total and last-passing times always show minutes; the others leave out leading zero units.
  const int32_t times[] = {0, 42120, 59999, 60000, 3723045, 90061001, -1500, -61005, -3723045};
  LiveRankingEntries& entries = series->rankingEntries;
  for (int i = 0; i < 9; ++i) {
    entries[i].raceTime = entries[i].lastLapTime = entries[i].bestLap = times[i];
    entries[i].lastPassingTime = entries[i].spareTime = times[i];
    entries[i].timeBehindLeader = entries[i].timeBehindPrevious = times[i];
  }
  SplitRankingTimes(entries, 9);
  FormatLiveRows(entries, series->rows, kRankByBestLap, 9);
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(times[i]);
    const SplitTime t = SplitMilliseconds(times[i]);
    char withMinutes[48];
    std::snprintf(withMinutes, sizeof withMinutes, "%d:%02d.%03d", t.minutes, t.seconds,
                  t.milliseconds);
    const std::string total = t.hours != 0 ? FormatLapTime(times[i]) : withMinutes;
    const LiveRow& r = series->rows[i];
    EXPECT_EQ(r.totalTime.view(), total);
    EXPECT_EQ(r.lastPassingTime.view(), total);
    for (const FixedText<20>* lap : {&r.lastLap, &r.bestLap, &r.gapToLeader, &r.gapToPrevious,
                                     &r.spareTime}) {
      EXPECT_EQ(lap->view(), FormatLapTime(times[i]));
    }
  }
  EXPECT_EQ(series->rows[1].totalTime.view(), "0:42.120");
  EXPECT_EQ(series->rows[5].lastLap.view(), "25:01:01.001");
}

TEST_F(LiveRankingTest, AnotherKeyNeitherRanksNorWritesGaps) {
  LiveSeriesTable& table = *series->liveTable;
  Rank({{1, 3, 90000, 30000, 29000}, {2, 5, 150000, 30000, 29000}});
  series->rows[0].gapToLeader = "keep";
  table[0].laps = 9;
  RankLiveSeries("CLASSEMENTAutre", table, series->rankingEntries, series->rows,
                 series->rowCount);
  EXPECT_EQ(SlotOrder(), (std::vector<int>{2, 1}));  // as ranked before
  EXPECT_EQ(series->rows[0].gapToLeader.view(), "keep");
  EXPECT_EQ(series->rows[0].laps.view(), "5");
}

}  // namespace
}  // namespace zd
