// A practice session ranked from the series section that the race engine's tables give after a
// run fed by passings: what the board recorded is what the ranking reads.

#include <gtest/gtest.h>

#include <memory>

#include "../main/race_test_support.h"
#include "phases/session_ranking.h"
#include "ranking_fixture.h"

namespace zd {
namespace {

// The race engine of the race control tests, driven from here.
struct Engine : test::RaceTest {
  void TestBody() override {}
  using RaceTest::Load;
  using RaceTest::Pass;
  using RaceTest::slot;
  using RaceTest::table;
};

class SessionFromRaceTest : public test::RankingFileTest {};

TEST_F(SessionFromRaceTest, ThePassingsOfARunRankedFromItsSavedSection) {
  AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}, {"Denis"}});
  AddPenalty("A", kPenaltyReplaceRaceTime, 600);
  AddPenalty("P1", kPenaltyAddBestLap, 5);
  WriteRace(RacePhase::Practice, 1, 1);

  auto engine = std::make_unique<Engine>();
  engine->Load({"Cyril", "(NA)", "Alain", "Bruno"});
  struct Passing {
    int slot;
    int32_t at;
  };
  const Passing passings[] = {{1, 5000},  {3, 6000},  {4, 7000},  {1, 50000}, {3, 48000},
                              {4, 52000}, {1, 96000}, {3, 95000}, {1, 140000}};
  for (const Passing& p : passings) engine->Pass(p.slot, p.at);
  engine->slot(4).penaltyIndex = 2;  // Bruno's best lap gets 5 s
  {
    TextFile f = Open();
    ASSERT_TRUE(
        WriteSeriesResultsSection(f, PracticeSeriesTitle(1, 1, 1), engine->table(), SeriesTexts{})
            .ok);
  }

  SessionRanking r(RacePhase::Practice);
  {
    TextFile f = Open();
    r.open(&f);
  }
  ASSERT_EQ(r.shownCount(), 4);
  // Alain and Cyril have 3 laps each, Alain in less time.
  EXPECT_EQ(r.list()[0].name, "Alain");
  EXPECT_EQ(r.list()[1].name, "Cyril");
  EXPECT_EQ(r.list()[2].name, "Bruno");
  EXPECT_EQ(r.list()[3].name, "Denis");  // in no slot: no result
  const SeriesResultEntry* slots[] = {&engine->slot(3), &engine->slot(1), &engine->slot(4)};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_GT(slots[i]->laps, 0);
    EXPECT_EQ(r.list()[i].laps, slots[i]->laps);
    EXPECT_EQ(r.list()[i].raceTime, slots[i]->raceTime);
  }
  EXPECT_EQ(r.list()[0].bestLap, engine->slot(3).bestLap);
  EXPECT_EQ(r.list()[2].bestLap, engine->slot(4).bestLap + 5000);
  EXPECT_EQ(r.list()[2].penaltyIndex, 2);
  EXPECT_EQ(r.list()[3].laps + r.list()[3].raceTime + r.list()[3].bestLap, 0);
  ASSERT_EQ(r.summary().count, 1);
  EXPECT_EQ(r.summary().records[0].code, "P1");
}

}  // namespace
}  // namespace zd
