// One practice series from its first passing to its final board: four cars and an empty slot,
// one minute by time with the leader finishing its lap, one car abandoned.

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "main/passing.h"
#include "race_test_support.h"

namespace zd {
namespace {

class SeriesScenarioTest : public test::RaceTest {};

TEST_F(SeriesScenarioTest, FromPassingsToTheFinalBoard) {
  parameters().endRuleByTime = kEndTimeFinishLap;
  SoundOn(kSoundPassing);
  SoundOn(kSoundBestLap);
  SoundOn(kSoundCarFinished);
  Load({"Alain", "Bruno", "(NA)", "Denis", "Eric"});
  const char* carNumbers[] = {"11", "22", "", "44", "55"};
  for (int k = 1; k <= 5; ++k) slot(k).carNumber = carNumbers[k - 1];
  series->rowCount = CollectRankingEntries(series->rankingEntries, table());
  FillStartingRows(series->rows, series->rankingEntries, series->rowCount);
  slot(5).penaltyIndex = kAbandonmentIndex;  // Eric never starts
  hooks.onStop = nullptr;  // the board as the passings left it

  struct Passing {
    int slot;
    int32_t at;
  };
  const Passing passings[] = {
      {1, 5000},  {2, 6000},  {4, 8000},  {4, 8900},  // Denis twice: the second is too short
      {1, 19000}, {2, 21000}, {4, 30000}, {1, 33000}, {2, 36000}, {1, 47000},
      {2, 50000},  // Bruno's best, the series' best so far
      {4, 52000},
      {1, 60500},  // past the minute in the lead, with the best lap: finished
      {2, 66000}, {4, 74000},
      {1, 75000},  // finished: ignored
  };
  int stopAfter = -1;
  for (int i = 0; i < static_cast<int>(std::size(passings)); ++i) {
    Pass(passings[i].slot, passings[i].at);
    CheckAutomaticStop(race());
    if (hooks.stops > 0 && stopAfter < 0) stopAfter = i;
  }
  EXPECT_EQ(stopAfter, 14);  // every car done once Denis has finished

  const std::string beep = "sons/beep1.wav";
  EXPECT_EQ(hooks.sounds,
            (std::vector<std::string>{beep, beep, beep, beep, beep, beep, beep, beep, beep,
                                      "sons/youpi.wav", beep, "sons/FinCourse1.wav",
                                      "sons/FinCourse2.wav", "sons/FinCourse4.wav"}));

  struct Row {
    const char* position;
    const char* carNumber;
    const char* name;
    const char* slotText;
    const char* laps;
    const char* total;
    const char* lastLap;
    const char* bestLap;
    const char* gapToLeader;
    const char* gapToPrevious;
    const char* passings;
    int32_t status, finished, passed, newBest, fastestLap;
  };
  const Row expected[] = {
      {"1", "11", "Alain", " 1 ", "5", "1:00.500", "13.500", "13.500", "0.000", "0.000", "5",
       0, 1, 0, 1, 1},
      {"2", "22", "Bruno", " 2 ", "5", "1:06.000", "16.000", "14.000", "5.500", "5.500", "5",
       0, 1, 0, 0, 0},
      {"3", "44", "Denis", " 4 ", "4", "1:14.000", "22.000", "22.000", "1t", "1t", "4",
       0, 1, 1, 0, 0},
      {"4", "55", "Eric", " 5 ", "0", "0:00.000", "0.000", "0.000", "5t", "4t", "0",
       1, 0, 0, 0, 0},
  };
  ASSERT_EQ(series->rowCount, 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const LiveRow& r = series->rows[i];
    const Row& e = expected[i];
    EXPECT_EQ(r.position.view(), e.position);
    EXPECT_EQ(r.carNumber.view(), e.carNumber);
    EXPECT_EQ(r.name.view(), e.name);
    EXPECT_EQ(r.transponder.view(), test::TransponderOf(std::stoi(e.slotText)));
    EXPECT_EQ(r.slotNumber.view(), e.slotText);
    EXPECT_EQ(r.laps.view(), e.laps);
    EXPECT_EQ(r.totalTime.view(), e.total);
    EXPECT_EQ(r.lastLap.view(), e.lastLap);
    EXPECT_EQ(r.bestLap.view(), e.bestLap);
    EXPECT_EQ(r.gapToLeader.view(), e.gapToLeader);
    EXPECT_EQ(r.gapToPrevious.view(), e.gapToPrevious);
    EXPECT_EQ(r.passings.view(), e.passings);
    EXPECT_EQ(r.status, e.status);
    EXPECT_EQ(r.finished, e.finished);
    EXPECT_EQ(r.passed, e.passed);
    EXPECT_EQ(r.newBest, e.newBest);
    EXPECT_EQ(r.fastestLap, e.fastestLap);
  }
  EXPECT_TRUE(series->rows[4].name.empty());

  // Each car's place after each of its laps, and the live file of the last finish.
  const std::vector<int32_t> places[] = {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {}, {3, 3, 3, 3}};
  for (int k : {1, 2, 4}) {
    const std::vector<int32_t>& p = places[k - 1];
    EXPECT_EQ(std::vector<int32_t>(slot(k).positions.begin() + 1,
                                   slot(k).positions.begin() + 1 + static_cast<long>(p.size())),
              p)
        << k;
  }
  EXPECT_EQ(slot(1).positions[6], 0);
  EXPECT_EQ(slot(3).raceTime, kEmptySlotTime);
  EXPECT_EQ(hooks.writes, 3);
  EXPECT_EQ(hooks.writtenRowCount, 4);
  EXPECT_EQ(hooks.writtenRows[2].totalTime.view(), "1:14.000");
  EXPECT_EQ(hooks.writtenRows[3].gapToLeader.view(), "5t");
}

}  // namespace
}  // namespace zd
