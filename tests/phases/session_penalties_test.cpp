// The penalty rule of every ranking on one driver's session result, and the summary of the
// penalties that the drivers shown carry.

#include "phases/session_penalties.h"

#include <gtest/gtest.h>

#include <memory>

namespace zd {
namespace {

class SessionPenaltiesTest : public ::testing::Test {
 protected:
  SessionPenaltiesTest() {
    ClearPenaltyTable(*penalties);
    (*penalties)[0].code = "A";
    (*penalties)[0].name = "Abandon pilote";
    (*penalties)[0].amount = 600;
    (*penalties)[0].kind = kPenaltyReplaceRaceTime;
    (*penalties)[1].code = "P1";
    (*penalties)[2].code = "P2";
  }

  // 20 passings, the last three at 1160000, 1185000 and 1200000 ms; best lap 24000.
  static void Twenty(DriverSessionBuffer& d) {
    for (int i = 1; i <= 17; ++i) d.passingTimes[i] = i * 60000;
    d.passingTimes[18] = 1160000;
    d.passingTimes[19] = 1185000;
    d.passingTimes[20] = 1200000;
    d.passingCount = 20;
    d.laps = 20;
    d.raceTime = 1200000;
    d.bestLap = 24000;
  }

  std::unique_ptr<PenaltyTable> penalties = std::make_unique<PenaltyTable>();
};

TEST_F(SessionPenaltiesTest, EachKindOnOneResult) {
  enum Car { TwentyPassings, NoPassing, NoBestLap };
  struct Case {
    const char* what;
    Car car;
    int32_t index, kind, amount;
    int32_t laps, raceTime, bestLap, shownIndex;
  };
  const Case cases[] = {
      {"kind 1: back to the first passing within the last 30 s", TwentyPassings, 2, 1, 30, 19,
       1215000, 24000, 2},
      {"kind 1 of 0 s changes nothing", TwentyPassings, 2, 1, 0, 20, 1200000, 24000, 2},
      {"kind 1 whose cut-off lies before the first passing", TwentyPassings, 2, 1, 1300, 0, 1300000,
       24000, 2},
      {"kind 1 whose cut-off lies after the last passing", TwentyPassings, 2, 1, -10, 20, 1190000,
       24000, 2},
      {"kind 1 without passings has no time to add to", NoPassing, 2, 1, 30, 0, 0, 0, 2},
      {"kind 2 adds to the best lap", TwentyPassings, 2, 2, 5, 20, 1200000, 29000, 2},
      {"kind 2 leaves a missing best lap missing", NoBestLap, 2, 2, 5, 3, 150000, 0, 2},
      {"kind 3, the abandonment", TwentyPassings, 1, 3, 600, 0, 600000, 24000, 1},
      {"kind 3 without passings has no time to replace", NoPassing, 1, 3, 600, 0, 0, 0, 1},
      {"kind 4 in place of the best lap", TwentyPassings, 2, 4, 35, 20, 1200000, 35000, 2},
      {"kind 5 removes laps", TwentyPassings, 2, 5, 3, 17, 1200000, 24000, 2},
      {"kind 5 never below 0 laps", NoBestLap, 2, 5, 30, 0, 150000, 0, 2},
      {"another kind changes nothing", TwentyPassings, 2, 9, 30, 20, 1200000, 24000, 2},
      {"no penalty", TwentyPassings, 0, 1, 30, 20, 1200000, 24000, 0},
      {"an index past the list applies nothing and shows nothing", TwentyPassings, 4, 1, 30, 20,
       1200000, 24000, 0},
      {"a negative index likewise", TwentyPassings, -1, 1, 30, 20, 1200000, 24000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto d = std::make_unique<DriverSessionBuffer>();
    if (c.car == TwentyPassings) Twenty(*d);
    if (c.car == NoBestLap) {
      d->laps = 3;
      d->raceTime = 150000;
      d->passingCount = 3;
      for (int i = 0; i <= 3; ++i) d->passingTimes[i] = i * 50000;
    }
    d->penaltyIndex = c.index;
    if (c.index >= 1 && c.index <= 3) {
      (*penalties)[c.index - 1].kind = c.kind;
      (*penalties)[c.index - 1].amount = c.amount;
    }
    const SessionResult r = ApplySessionPenalty(*d, *penalties, CountPenalties(*penalties));
    EXPECT_EQ(r.laps, c.laps);
    EXPECT_EQ(r.raceTime, c.raceTime);
    EXPECT_EQ(r.bestLap, c.bestLap);
    EXPECT_EQ(r.penaltyIndex, c.shownIndex);
  }
}

TEST_F(SessionPenaltiesTest, SummaryListsThePenaltiesOfTheDriversShownInListOrder) {
  (*penalties)[3].code = "P3";
  auto list = std::make_unique<RankingList>();
  // Shown: P2, A, P2, none, an index past the list; not shown: P1.
  const int32_t indexes[] = {3, 1, 3, 0, 7, 2};
  for (int i = 0; i < 6; ++i) (*list)[i].penaltyIndex = indexes[i];
  PenaltySummary summary;
  BuildPenaltySummary(*list, 5, *penalties, CountPenalties(*penalties), summary);
  ASSERT_EQ(summary.count, 2);
  EXPECT_EQ(summary.records[0].code, "A");
  EXPECT_EQ(summary.records[0].amount, 600);
  EXPECT_EQ(summary.records[0].kind, kPenaltyReplaceRaceTime);
  EXPECT_EQ(summary.records[1].code, "P2");

  // A rebuild for a shorter view starts again from the first record.
  BuildPenaltySummary(*list, 1, *penalties, CountPenalties(*penalties), summary);
  ASSERT_EQ(summary.count, 1);
  EXPECT_EQ(summary.records[0].code, "P2");
  BuildPenaltySummary(*list, 0, *penalties, CountPenalties(*penalties), summary);
  EXPECT_EQ(summary.count, 0);
}

TEST(PenaltyDescriptionTest, EachKind) {
  EXPECT_EQ(PenaltyDescription(1, 30), ": 30 sec ajoutées au temps de course");
  EXPECT_EQ(PenaltyDescription(2, 5), ": 5 sec ajoutées au meilleur tour");
  EXPECT_EQ(PenaltyDescription(3, 600), ": 600 sec à la place du temps de course");
  EXPECT_EQ(PenaltyDescription(4, 35), ": 35 sec à la place du meilleur tour");
  EXPECT_EQ(PenaltyDescription(5, 2), ": 2 tours retirés au nombre de tours du pilote");
  EXPECT_EQ(PenaltyDescription(6, 2), "");
}

TEST(PenaltyCountsTest, AbandonOtherPenaltyOrNeither) {
  struct Case {
    int32_t index;
    int count;
    bool abandon, other;
  };
  const Case cases[] = {{0, 3, false, false}, {1, 3, true, false},  {3, 3, false, true},
                        {4, 3, false, false}, {1, 0, false, false}, {-2, 3, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(IsAbandon(c.index, c.count), c.abandon);
    EXPECT_EQ(IsOtherPenalty(c.index, c.count), c.other);
  }
}

}  // namespace
}  // namespace zd
