// The penalties on the saved copy of a series: each kind with the cases that decide a ranking,
// and the copy that drops indexes no longer in the event's list.

#include <gtest/gtest.h>

#include <memory>

#include "main/live_ranking.h"
#include "main/live_series.h"
#include "main/penalties.h"

namespace zd {
namespace {

class PenaltiesTest : public ::testing::Test {
 protected:
  PenaltiesTest() {
    ClearPenaltyTable(*penalties);
    (*penalties)[0].code = "A";
    (*penalties)[1].code = "P1";
    (*penalties)[2].code = "P2";
    for (int k = 1; k <= kMaxSeriesSlots; ++k) (*live)[k - 1].slotNumber = k;
  }

  // 20 passings, the last three at 1160000, 1185000 and 1200000 ms; best lap 24000.
  void TwentyPassings(SeriesResultEntry& slot) {
    for (int i = 1; i <= 17; ++i) slot.passingTimes[i] = i * 60000;
    slot.passingTimes[18] = 1160000;
    slot.passingTimes[19] = 1185000;
    slot.passingTimes[20] = 1200000;
    slot.passingCount = 20;
    slot.laps = 20;
    slot.raceTime = 1200000;
    slot.bestLap = 24000;
  }

  std::unique_ptr<LiveSeriesTable> live = std::make_unique<LiveSeriesTable>();
  std::unique_ptr<LiveSeriesTable> saved = std::make_unique<LiveSeriesTable>();
  std::unique_ptr<PenaltyTable> penalties = std::make_unique<PenaltyTable>();
  PenaltySlotTable slots{};
};

TEST_F(PenaltiesTest, EachKindOnTheSavedSlot) {
  enum Car { Twenty, NoPassing, TwoLaps, OneLapNoBest };
  struct Case {
    const char* what;
    Car car;
    int32_t kind, amount;
    int32_t laps, raceTime, bestLap, passings;
  };
  const Case cases[] = {
      {"kind 1: back to the first passing within the last 30 s", Twenty, 1, 30, 19, 1215000,
       24000, 19},
      {"kind 1 of 0 s changes nothing", Twenty, 1, 0, 20, 1200000, 24000, 20},
      {"kind 1 whose cut-off falls on a passing keeps that passing", Twenty, 1, 15, 19, 1200000,
       24000, 19},
      {"kind 1 reaching back before the opening passing", Twenty, 1, 1300, 0, 1300000, 24000, 0},
      {"kind 1 whose cut-off lies after the last passing", Twenty, 1, -10, 20, 1190000, 24000,
       20},
      {"kind 1 on a car without passings", NoPassing, 1, 30, 0, 0, 0, 0},
      {"kind 2 adds to the best lap", Twenty, 2, 5, 20, 1200000, 29000, 20},
      {"kind 2 leaves a missing best lap missing", OneLapNoBest, 2, 5, 1, 50000, 0, 1},
      {"kind 3 in place of the race time", Twenty, 3, 600, 0, 600000, 24000, 20},
      {"kind 3 on a car without passings", NoPassing, 3, 600, 0, 0, 0, 0},
      {"kind 4 in place of the best lap", Twenty, 4, 35, 20, 1200000, 35000, 20},
      {"kind 5 removes laps", Twenty, 5, 3, 17, 1200000, 24000, 20},
      {"kind 5 never below 0 laps", TwoLaps, 5, 3, 0, 70000, 30000, 2},
      {"an unknown kind does nothing", Twenty, 6, 30, 20, 1200000, 24000, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SeriesResultEntry& slot = (*live)[4];
    slot = SeriesResultEntry{};
    switch (c.car) {
      case Twenty:
        TwentyPassings(slot);
        break;
      case NoPassing:
        break;
      case TwoLaps:
        slot.passingTimes[1] = 40000;
        slot.passingTimes[2] = 70000;
        slot.passingCount = slot.laps = 2;
        slot.raceTime = 70000;
        slot.bestLap = 30000;
        break;
      case OneLapNoBest:
        slot.passingTimes[1] = 50000;
        slot.passingCount = slot.laps = 1;
        slot.raceTime = 50000;
        break;
    }
    slot.penaltyIndex = 3;
    (*penalties)[2].kind = c.kind;
    (*penalties)[2].amount = c.amount;
    const SeriesResultEntry before = slot;

    CopySeriesForSave(*live, *saved, slots, *penalties);
    ApplyPenalties(*saved, *live, *penalties);

    const SeriesResultEntry& s = (*saved)[4];
    EXPECT_EQ(s.laps, c.laps);
    EXPECT_EQ(s.raceTime, c.raceTime);
    EXPECT_EQ(s.bestLap, c.bestLap);
    EXPECT_EQ(s.passingCount, c.passings);
    // The live slot keeps what the board shows.
    EXPECT_EQ(slot.laps, before.laps);
    EXPECT_EQ(slot.raceTime, before.raceTime);
    EXPECT_EQ(slot.bestLap, before.bestLap);
    EXPECT_EQ(slot.passingCount, before.passingCount);
  }
}

TEST_F(PenaltiesTest, ACarWithoutLapsKeepsItsRankWhateverItsPenalty) {
  // Alain has laps, Bruno and Charles none; Bruno is penalised. Without laps, the later slot
  // ranks first, penalty or not.
  for (const int32_t kind : {kPenaltyAddRaceTime, kPenaltyAddBestLap, kPenaltyReplaceRaceTime,
                             kPenaltyReplaceBestLap, kPenaltyRemoveLaps}) {
    SCOPED_TRACE(kind);
    ClearSeriesResultEntries(*live);
    const char* names[] = {"Alain", "Bruno", "Charles"};
    for (int k = 1; k <= kMaxSeriesSlots; ++k) {
      (*live)[k - 1].name = k <= 3 ? names[k - 1] : std::string(kEmptySlotName);
    }
    ResetSeriesResultSlots(*live);
    TwentyPassings((*live)[0]);
    (*live)[1].penaltyIndex = 3;
    (*penalties)[2].kind = kind;
    (*penalties)[2].amount = 30;
    CopySeriesForSave(*live, *saved, slots, *penalties);
    ApplyPenalties(*saved, *live, *penalties);
    auto entries = std::make_unique<LiveRankingEntries>();
    auto rows = std::make_unique<LiveRows>();
    int32_t count = CollectRankingEntries(*entries, *saved);
    RankLiveSeries(kRankByLapsAndTime, *saved, *entries, *rows, count);
    EXPECT_EQ((*entries)[1].name, "Charles");
    EXPECT_EQ((*entries)[2].name, "Bruno");
    EXPECT_EQ((*rows)[2].totalTime, "0:00.000");
  }
}

TEST_F(PenaltiesTest, TheSharedRuleRemovesLapsForKindFive) {
  PenaltyRecord laps;
  laps.kind = kPenaltyRemoveLaps;
  laps.amount = 1;
  const int32_t times[] = {0, 40000, 70000};
  const PenalisedResult raw{2, 70000, 30000, 2};
  PenalisedResult out = PenaliseResult(laps, raw, times);
  EXPECT_EQ(out.laps, 1);
  EXPECT_EQ(out.raceTime, 70000);
  laps.amount = 3;
  out = PenaliseResult(laps, raw, times);
  EXPECT_EQ(out.laps, 0);
  EXPECT_EQ(out.raceTime, 70000);

  // A passing count beyond the times given is kept within them.
  PenaltyRecord time;
  time.kind = kPenaltyAddRaceTime;
  time.amount = 10;
  const PenalisedResult far = PenaliseResult(time, {2, 70000, 30000, 3000}, times);
  EXPECT_EQ(far.passings, 2);
  EXPECT_EQ(far.raceTime, 80000);
}

TEST_F(PenaltiesTest, OnlyIndexesOfTheListArePenalties) {
  // A record after the list's end (empty code) that still holds a kind and an amount, as a list
  // shortened since the penalty was given leaves it.
  (*penalties)[3].kind = kPenaltyReplaceRaceTime;
  (*penalties)[3].amount = 600;
  TwentyPassings((*live)[0]);
  (*live)[0].penaltyIndex = 4;
  TwentyPassings((*live)[1]);
  (*live)[1].penaltyIndex = -2;
  *saved = *live;

  ApplyPenalties(*saved, *live, *penalties);
  EXPECT_EQ((*saved)[0].laps, 20);
  EXPECT_EQ((*saved)[0].raceTime, 1200000);
  EXPECT_EQ((*saved)[1].raceTime, 1200000);
}

TEST_F(PenaltiesTest, CopyTakesEverySlotWholeAndDropsIndexesBeyondTheList) {
  SeriesResultEntry& a = (*live)[0];
  a.name = "Alain";
  a.transponder = "001001";
  TwentyPassings(a);
  a.lapTimes[20] = 15000;
  a.positions[20] = 2;
  a.passingTimes[3000] = 77;
  a.finished = 1;
  a.fastestLap = 1;
  a.elapsedTime = 1200000;
  a.currentLap = 15000;
  a.startOffset = 300;
  a.penaltyIndex = 3;  // the last of the list
  (*live)[1].penaltyIndex = 4;
  (*live)[2].penaltyIndex = -1;
  slots[1] = 4;
  slots[2] = -1;
  slots[0] = 3;

  CopySeriesForSave(*live, *saved, slots, *penalties);

  const SeriesResultEntry& s = (*saved)[0];
  EXPECT_EQ(s.name, "Alain");
  EXPECT_EQ(s.transponder, "001001");
  EXPECT_EQ(s.laps, 20);
  EXPECT_EQ(s.passingTimes, a.passingTimes);
  EXPECT_EQ(s.lapTimes, a.lapTimes);
  EXPECT_EQ(s.positions, a.positions);
  EXPECT_EQ(s.finished, 1);
  EXPECT_EQ(s.fastestLap, 1);
  EXPECT_EQ(s.elapsedTime, 1200000);
  EXPECT_EQ(s.currentLap, 15000);
  EXPECT_EQ(s.startOffset, 300);
  EXPECT_EQ(s.penaltyIndex, 3);
  EXPECT_EQ(slots[0], 3);
  for (int i : {1, 2}) {
    SCOPED_TRACE(i);
    EXPECT_EQ((*live)[i].penaltyIndex, 0);
    EXPECT_EQ((*saved)[i].penaltyIndex, 0);
    EXPECT_EQ(slots[i], 0);
  }
}

}  // namespace
}  // namespace zd
