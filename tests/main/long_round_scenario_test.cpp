// Rounds whose times pass 24:00:00, from their passings on the fake clock to the rankings: a
// round of 24 hours in which each car finishes the lap it is on, and a round by laps that runs
// into its 24-hour limit. Each is saved, loaded again, saved again, and ranked as a round and in
// the endurance final ranking, with the texts of the tables and printouts and the web archives.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "files/race_file.h"
#include "phases/final_ranking.h"
#include "phases/session_ranking.h"
#include "series_desk_test_support.h"
#include "web/archive_files.h"

namespace zd {
namespace {

using test::OpenOrFail;

constexpr int32_t kRoundOne = 15101;
constexpr int32_t kRoundTwo = 15102;
constexpr int32_t kRoundOneRanking = 15951;  // the round's ranking node

// A car's result as every ranking and text must show it, in ranking order.
struct Expected {
  const char* name;
  int32_t laps;
  int32_t raceTime;
  const char* raceTimeText;
  int32_t bestLap;
  int32_t points;
};

// Slot k passes every lap ms after the previous passing, from first, count times.
std::vector<std::pair<int, int64_t>> Laps(int slotNumber, int64_t first, int64_t lap, int count) {
  std::vector<std::pair<int, int64_t>> out;
  for (int k = 0; k < count; ++k) out.emplace_back(slotNumber, first + lap * k);
  return out;
}

class LongRoundScenarioTest : public test::SeriesDeskTest {
 protected:
  LongRoundScenarioTest() {
    record(1).name = "Open";
    record(1).participantCount = 3;
    record(1).rounds = 2;
    ClearParticipants(*participants);
    grid->qualifiedCount = 3;
    const char* names[] = {"Alain", "Bruno", "Cyril"};
    for (int i = 0; i < 3; ++i) {
      (*participants)[i].name = names[i];
      (*participants)[i].carNumber = std::to_string(i + 1);
      (*participants)[i].sex = 1;
      (*participants)[i].transponder = test::TransponderOf(i + 1);
      grid->names[i] = names[i];
    }
    rounds.passingCapacity = kLongRoundCapacity;
    rounds.countdown = 0;
  }

  void WriteEvent() {
    WriteRaceFile([&](TextFile& file) {
      ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
      const std::string gridTitle = ArrangementSectionTitle(1, RacePhase::Rounds);
      ASSERT_TRUE(WriteRoundArrangementNames(file, gridTitle, *grid).ok);
      ASSERT_TRUE(
          WriteParametersSection(file, ParametersSectionTitle(1, RacePhase::Rounds), rounds).ok);
    });
    BuildTreeFromRaceFile(tree, *event);
  }

  // Round 1 loaded, started at the signal and run through the passings (slot, ms after the
  // start) on the KV1 interface, each read at the tick of its moment, until the series stops.
  void Run(std::vector<std::pair<int, int64_t>> passings) {
    WriteEvent();
    Select(kRoundOne);
    ASSERT_TRUE(seriesWindow.errors.empty()) << seriesWindow.errors.front();
    ASSERT_EQ(series->roundCapacity, kLongRoundCapacity);
    StartSeriesCommand(Commands());
    const int64_t start = TickUntilRunning();
    std::sort(passings.begin(), passings.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [slotNumber, at] : passings) {
      ASSERT_EQ(state.running, 1) << "stopped before the passing at " << at;
      port.arrive(test::InterfacePassing(slotNumber), start + at);
      Tick(start + at - hooks.tick);
    }
    EXPECT_EQ(state.running, 0);
  }

  // Saved, loaded again and saved again: the board, the section and the rankings hold every time.
  void CheckEverywhere(const std::vector<Expected>& expected) {
    const auto run = std::make_unique<SeriesTable>(*series->liveTable);
    ASSERT_TRUE(SaveSeriesResults(Desk()));
    Select(kRoundTwo);
    const std::string saved = RaceFileBytes();

    // The section holds what was run, every passing of every car.
    {
      auto read = std::make_unique<SeriesTable>();
      SeriesTexts texts;
      int32_t capacity = 0;
      TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
      ASSERT_TRUE(FindSection(file, RoundTitle(1, 1)));
      EXPECT_TRUE(ReadRoundResultsSection(file, *read, capacity, texts));
      for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const SeriesResultEntry& a = (*run)[k];
        const SeriesResultEntry& b = (*read)[k];
        EXPECT_EQ(b.laps, a.laps);
        EXPECT_EQ(b.raceTime, a.raceTime);
        EXPECT_EQ(b.bestLap, a.bestLap);
        ASSERT_EQ(b.passingCount, a.passingCount);
        EXPECT_EQ(b.lapTimes[b.passingCount], a.lapTimes[a.passingCount]);
        EXPECT_TRUE(std::equal(a.passingTimes.begin(), a.passingTimes.begin() + a.passingCount + 1,
                               b.passingTimes.begin()));
      }
    }

    // Loaded again: the board; left again: the same bytes.
    Select(kRoundOne);
    ASSERT_EQ(series->rowCount, 3);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(series->rows[i].name.view(), expected[i].name);
      EXPECT_EQ(series->rows[i].laps.view(), std::to_string(expected[i].laps));
      EXPECT_EQ(series->rows[i].totalTime.view(), expected[i].raceTimeText);
    }
    ASSERT_TRUE(SaveSeriesResults(Desk()));
    EXPECT_TRUE(test::SameBytes(RaceFileBytes(), saved));

    // The round's ranking node selected, as its window is opened.
    {
      TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
      ASSERT_TRUE(WriteRaceFileHeader(file, kRoundOneRanking, event->raceCount, event->races).ok);
    }
    SessionRanking round(RacePhase::Rounds);
    round.open();
    ASSERT_EQ(round.shownCount(), 3);
    FinalRanking endurance(RacePhase::Rounds);
    endurance.open();
    ASSERT_EQ(endurance.shownCount(), 3);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      const Expected& e = expected[i];
      for (const RankingEntry* entry : {&round.list()[i], &endurance.list()[i]}) {
        EXPECT_EQ(entry->name.view(), e.name);
        EXPECT_EQ(entry->laps, e.laps);
        EXPECT_EQ(entry->raceTime, e.raceTime);
        EXPECT_EQ(entry->bestLap, e.bestLap);
        EXPECT_EQ(entry->points, e.points);
      }
      // The tables and their printouts.
      for (const EntryRowTexts& t :
           {SessionEntryTexts(round.list()[i], i, round.penalties(), round.penaltyCount(),
                              round.international(), round.showsPoints()),
            endurance.entryTexts(i)}) {
        EXPECT_EQ(t.raceTime, e.raceTimeText);
        EXPECT_EQ(t.points, std::to_string(e.points));
      }
    }

    // The web archives: each driver's line carries the time and the points.
    SessionArchive session;
    session.entries = std::span(round.list().data(), 3);
    session.penalties = &round.penalties();
    session.rankingKey = round.rankingMode();
    ASSERT_TRUE(WriteSessionArchive("Session.txt", session,
                                    MakeArchiveEventTexts(round.information(), round.raceName())));
    FinalRankingArchive finalArchive;
    finalArchive.entries = std::span(endurance.list().data(), 3);
    finalArchive.rankingKey = endurance.rankingMode();
    finalArchive.bestCount = endurance.range().bestCount;
    ASSERT_TRUE(WriteFinalRankingArchive(
        "Final.txt", finalArchive,
        MakeArchiveEventTexts(endurance.information(), endurance.raceName())));
    const std::string sessionText = test::ReadBytes("Session.txt");
    const std::string finalText = test::ReadBytes("Final.txt");
    for (const Expected& e : expected) {
      SCOPED_TRACE(e.name);
      const std::string result = "\t" + std::to_string(e.laps) + "\t" + std::to_string(e.raceTime) +
                                 "\t" + std::to_string(e.bestLap) + "\t" +
                                 std::to_string(e.points) + "\t";
      // The name, four empty texts, the sex and the penalty (or the abandon and penalty counts).
      const std::string identity = std::string(e.name) + "\t\t\t\t\t1\t0";
      EXPECT_NE(sessionText.find(identity + result), std::string::npos) << sessionText;
      EXPECT_NE(finalText.find(identity + "\t0" + result), std::string::npos) << finalText;
    }
  }

  std::unique_ptr<ParticipantTable> participants = std::make_unique<ParticipantTable>();
  std::unique_ptr<StartingGrid> grid = std::make_unique<StartingGrid>();
  SeriesParameters rounds;
};

// 24 hours, each car finishing the lap it is on: Alain leads and finishes first at 24:00:05,
// Bruno on the same laps five seconds later with the better best lap, Cyril ten minutes after.
TEST_F(LongRoundScenarioTest, TwentyFourHoursEachCarFinishingItsLap) {
  rounds.durationKind = kDurationByTime;
  rounds.duration = 24 * 60;
  rounds.endRuleByTime = kEndTimeFinishLap;
  std::vector<std::pair<int, int64_t>> passings = Laps(1, 5000, 1200000, 73);
  for (auto [slotNumber, at] : Laps(2, 10000, 1200000, 73))
    passings.emplace_back(slotNumber, at == 1210000 ? 1110000 : at);  // a lap of 1:50:00
  for (auto p : Laps(3, 20000, 1500000, 59)) passings.push_back(p);
  Run(passings);
  EXPECT_EQ(slot(1).raceTime, 86405000);
  CheckEverywhere({{"Alain", 73, 86405000, "24:00:05.000", 1200000, 8},
                   {"Bruno", 73, 86410000, "24:00:10.000", 1100000, 6},
                   {"Cyril", 59, 87020000, "24:10:20.000", 1500000, 5}});
}

// 3000 laps, more than a day holds: the series stops at its limit of 24 hours, after the read
// that finds Alain's passing of 24:00:00.100. Bruno ran the same laps in less time.
TEST_F(LongRoundScenarioTest, ByLapsIntoTheTimeLimit) {
  rounds.durationKind = kDurationByLaps;
  rounds.laps = kLongRoundCapacity;
  std::vector<std::pair<int, int64_t>> passings = Laps(1, 100, 1200000, 73);
  for (auto p : Laps(2, 3000, 1200000, 72)) passings.push_back(p);
  passings.emplace_back(2, 86399000);
  for (auto p : Laps(3, 20000, 1500000, 58)) passings.push_back(p);
  Run(passings);
  EXPECT_EQ(series->lapSeriesTimeLimit, 24);
  EXPECT_EQ(slot(1).raceTime, 86400100);
  CheckEverywhere({{"Bruno", 73, 86399000, "23:59:59.000", 1196000, 8},
                   {"Alain", 73, 86400100, "24:00:00.100", 1200000, 6},
                   {"Cyril", 58, 85520000, "23:45:20.000", 1500000, 5}});
}

}  // namespace
}  // namespace zd
