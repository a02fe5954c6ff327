#include "main/live_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "files/ranking.h"

namespace zd {
namespace {

bool All(const std::array<int32_t, kPassingSlots>& values, int32_t v) {
  return std::all_of(values.begin(), values.end(), [v](int32_t x) { return x == v; });
}

// Every number and array of a slot set to something else than what the operations write.
void Scribble(SeriesResultEntry& s) {
  s.slotNumber = 77;
  s.laps = 12;
  s.raceTime = 345678;
  s.bestLap = 28000;
  s.passingCount = 12;
  s.passingTimes.fill(9);
  s.lapTimes.fill(8);
  s.positions.fill(7);
  s.spareTime = 6;
  s.penaltyIndex = 3;
  s.finished = 2;
  s.passed = 2;
  s.newBest = 2;
  s.fastestLap = 2;
  s.seen = 2;
  s.rejectionGap = 5;
  s.lastRejectionTime = 4;
  s.startOffset = 3;
  s.passingTick = 2;
  s.elapsedTime = 1;
  s.currentLap = 11;
}

class LiveTablesTest : public ::testing::Test {
 protected:
  LiveSeriesTable& table() { return *tables->liveTable; }
  std::unique_ptr<LiveSeries> tables = std::make_unique<LiveSeries>();
};

TEST_F(LiveTablesTest, ClearingEmptiesEveryFieldOfSlotsAndRows) {
  for (SeriesResultEntry& s : table()) {
    s.name = "Pilote";
    s.transponder = "123456";
    s.club = "RCC";
    s.nationCode = "FRA";
    s.carNumber = "7";
    s.category = "TT";
    Scribble(s);
  }
  ClearSeriesResultEntries(table());
  for (const SeriesResultEntry& s : table()) {
    EXPECT_TRUE(s.name.empty() && s.transponder.empty() && s.club.empty() &&
                s.nationCode.empty() && s.carNumber.empty() && s.category.empty());
    EXPECT_TRUE(All(s.passingTimes, 0) && All(s.lapTimes, 0) && All(s.positions, 0));
    const int32_t numbers[] = {s.slotNumber, s.laps, s.raceTime, s.bestLap, s.passingCount,
                               s.spareTime, s.penaltyIndex, s.finished, s.passed, s.newBest,
                               s.fastestLap, s.seen, s.rejectionGap, s.lastRejectionTime,
                               s.startOffset, s.currentLap};
    for (int32_t n : numbers) EXPECT_EQ(n, 0);
    EXPECT_EQ(s.passingTick, 0);
    EXPECT_EQ(s.elapsedTime, 0);
  }

  LiveRankingEntries& entries = tables->rankingEntries;
  LiveRows& rows = tables->rows;
  for (int i = 0; i < kLiveRows; ++i) {
    entries[i].name = "X";
    entries[i].raceTime = 5;
    entries[i].spareTimeParts.hours = 3;
    entries[i].fastestLap = 1;
    rows[i].spareTime = "1.000";
    rows[i].name = "X";
    rows[i].fastestLap = 1;
  }
  ClearLiveRankingEntries(entries);
  ClearLiveRows(rows);
  for (int i = 0; i < kLiveRows; ++i) {
    EXPECT_TRUE(entries[i].name.empty());
    EXPECT_EQ(entries[i].raceTime + entries[i].spareTimeParts.hours + entries[i].fastestLap, 0);
    EXPECT_TRUE(rows[i].name.empty() && rows[i].spareTime.empty());
    EXPECT_EQ(rows[i].fastestLap, 0);
  }
}

TEST_F(LiveTablesTest, ResetPreparesNamedSlotsAndPutsEmptyOnesLast) {
  // Only the exact "(NA)" is empty: "(NA) " and "(na)" are drivers' names.
  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    SeriesResultEntry& s = table()[k - 1];
    s.name = k <= 28 ? "Pilote" : "(NA)";
    s.transponder = "000042";
    Scribble(s);
  }
  table()[28].name = "(NA) ";
  table()[29].name = "(na)";
  ResetSeriesResultSlots(table());

  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    const SeriesResultEntry& s = table()[k - 1];
    SCOPED_TRACE(k);
    const bool empty = k > 30;
    const int32_t time = empty ? kEmptySlotTime : 0;
    EXPECT_EQ(s.slotNumber, k);
    EXPECT_EQ(s.transponder.view(), "000042");  // texts stay
    EXPECT_EQ(s.raceTime, time);
    EXPECT_EQ(s.bestLap, time);
    EXPECT_EQ(s.spareTime, time);
    EXPECT_TRUE(All(s.passingTimes, time));
    EXPECT_TRUE(All(s.lapTimes, 0) && All(s.positions, 0));
    EXPECT_EQ(s.finished, empty ? 1 : 0);
    EXPECT_EQ(s.seen, empty ? 1 : 0);
    const int32_t cleared[] = {s.laps, s.passingCount, s.penaltyIndex, s.passed,
                               s.newBest, s.fastestLap, s.rejectionGap, s.lastRejectionTime,
                               s.startOffset, s.currentLap};
    for (int32_t n : cleared) EXPECT_EQ(n, 0);
    EXPECT_EQ(s.passingTick, 0);
    EXPECT_EQ(s.elapsedTime, 0);
  }
}

TEST_F(LiveTablesTest, CollectedRowsAreTheNamedSlotsAndTheStartingListShowsThem) {
  for (SeriesResultEntry& s : table()) s.name = "(NA)";
  struct Named {
    int slot;
    const char* name;
    const char* carNumber;
  };
  // An empty name is a name: its slot is collected too.
  const Named named[] = {{2, "Alain", "12"}, {5, "Bruno", "7"}, {9, "Chloé", ""}, {12, "", "3"}};
  for (const Named& n : named) {
    SeriesResultEntry& s = table()[n.slot - 1];
    s.name = n.name;
    s.carNumber = n.carNumber;
    s.transponder = "000100";
    s.club = "RCC";
    s.nationCode = "FRA";
    s.category = "TT";
  }
  ResetSeriesResultSlots(table());
  for (LiveRankingEntry& e : tables->rankingEntries) {
    e.laps = 4;
    e.raceTime = 99;
    e.timeBehindLeader = 5;
    e.raceTimeParts.seconds = 9;
  }
  for (LiveRow& r : tables->rows) r.totalTime = "old";

  const int32_t count = CollectRankingEntries(tables->rankingEntries, table());
  ASSERT_EQ(count, 4);
  FillStartingRows(tables->rows, tables->rankingEntries, count);

  for (int i = 0; i < kLiveRows; ++i) {
    SCOPED_TRACE(i);
    const LiveRankingEntry& e = tables->rankingEntries[i];
    const LiveRow& r = tables->rows[i];
    EXPECT_EQ(e.laps + e.raceTime + e.timeBehindLeader + e.raceTimeParts.seconds, 0);
    EXPECT_TRUE(r.totalTime.empty());
    if (i < count) {
      const Named& n = named[i];
      EXPECT_EQ(e.slotNumber, n.slot);
      EXPECT_EQ(e.finished, 0);
      EXPECT_EQ(e.name.view(), n.name);
      EXPECT_EQ(e.club.view(), "RCC");
      EXPECT_EQ(r.name.view(), n.name);
      EXPECT_EQ(r.carNumber.view(), n.carNumber);
      EXPECT_EQ(r.transponder.view(), "000100");
      EXPECT_EQ(r.category.view(), "TT");
      EXPECT_EQ(r.nationCode.view(), "FRA");
      EXPECT_EQ(r.position.view(), std::to_string(i + 1));
      EXPECT_EQ(r.slotNumber.view(), " " + std::to_string(n.slot) + " ");
      EXPECT_EQ(r.laps.view(), "0");
      EXPECT_EQ(r.passings.view(), "0");
    } else {
      EXPECT_EQ(e.slotNumber, 0);
      EXPECT_EQ(e.finished, 1);
      EXPECT_TRUE(e.name.empty());
      EXPECT_TRUE(r.position.empty() && r.laps.empty());
    }
  }
}

class FrequencyTest : public LiveTablesTest {
 protected:
  // Slots take the names in order, the rest empty; each participant is (name, first frequency).
  int32_t Check(const std::vector<std::string>& slotNames,
                const std::vector<std::pair<std::string, std::string>>& people,
                int32_t initial = 0) {
    for (SeriesResultEntry& s : table()) s.name = "(NA)";
    for (std::size_t k = 0; k < slotNames.size(); ++k) table()[k].name = slotNames[k];
    ClearParticipants(tables->loadedParticipants);
    for (std::size_t p = 0; p < people.size(); ++p) {
      tables->loadedParticipants[p].name = people[p].first;
      tables->loadedParticipants[p].frequencies[0] = people[p].second;
      tables->loadedParticipants[p].frequencies[1] = "27.145";  // only the first counts
    }
    return CheckFrequencyConflicts(table(), tables->loadedParticipants, initial);
  }
};

TEST_F(FrequencyTest, TwoCarsOnTheSameFirstFrequencyConflict) {
  struct Case {
    const char* a;
    const char* b;
    int32_t conflict;
  };
  const Case cases[] = {
      {"27.145", "27.145", 1}, {"2.4Ghz", "2.4Ghz", 0}, {"2.4GHZ", "2.4GHZ", 1},
      {"", "", 0},             {"27.145", "40.665", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Check({"Alain", "Bruno"}, {{"Alain", c.a}, {"Bruno", c.b}}), c.conflict)
        << c.a << " / " << c.b;
  }
}

TEST_F(FrequencyTest, OnlyDriversInTheSeriesCount) {
  // A participant in one slot never conflicts with himself, nor with one outside the series.
  EXPECT_EQ(Check({"Alain", "Bruno"}, {{"Alain", "27.145"}, {"Bruno", "40.665"},
                                        {"Claude", "27.145"}}),
            0);
  // A slot whose driver is no participant carries no frequency.
  EXPECT_EQ(Check({"Alain", "Inconnu"}, {{"Alain", "27.145"}}), 0);
  // The same driver in two slots counts twice.
  EXPECT_EQ(Check({"Alain", "Bruno", "Alain"}, {{"Alain", "27.145"}, {"Bruno", "40.665"}}), 1);
  // Without a conflict the initial result is returned.
  EXPECT_EQ(Check({"Alain", "Bruno"}, {{"Alain", "27.145"}, {"Bruno", "40.665"}}, 1), 1);
}

TEST_F(LiveTablesTest, CopiesTakeTheLastParticipantOfTheSlotsName) {
  for (SeriesResultEntry& s : table()) s.name = "(NA)";
  const char* names[] = {"Alain", "Bruno", "Zoé"};
  for (int k = 0; k < 3; ++k) {
    SeriesResultEntry& s = table()[k];
    s.name = names[k];
    s.carNumber = "old";
    s.category = "old";
    s.club = "old";
    s.nationCode = "old";
    s.transponder = "old";
  }
  ParticipantTable& people = tables->loadedParticipants;
  ClearParticipants(people);
  auto set = [&](int p, const char* name, const char* tag) {
    people[p].name = name;
    people[p].carNumber = tag;
    people[p].vehicleCategory = std::string("cat") + tag;
    people[p].club = std::string("club") + tag;
    people[p].nationCode = std::string("N") + tag;
    people[p].transponder = std::string("00000") + tag;
  };
  set(0, "Alain", "1");
  set(4, "Bruno", "2");
  set(9, "Alain", "3");  // the same name later in the list wins

  CopyCarNumbersToSlots(table(), people);
  CopyCategoriesToSlots(table(), people);
  CopyClubsAndNationsToSlots(table(), people);
  CopyTranspondersToSlots(table(), people);

  struct Expected {
    const char* car;
    const char* category;
    const char* club;
    const char* nation;
    const char* transponder;
  };
  const Expected expected[] = {
      {"3", "cat3", "club3", "N3", "000003"},
      {"2", "cat2", "club2", "N2", "000002"},
      {"old", "old", "old", "old", "old"},  // not a participant: keeps its texts
  };
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(names[k]);
    const SeriesResultEntry& s = table()[k];
    EXPECT_EQ(s.carNumber.view(), expected[k].car);
    EXPECT_EQ(s.category.view(), expected[k].category);
    EXPECT_EQ(s.club.view(), expected[k].club);
    EXPECT_EQ(s.nationCode.view(), expected[k].nation);
    EXPECT_EQ(s.transponder.view(), expected[k].transponder);
  }
}

}  // namespace
}  // namespace zd
