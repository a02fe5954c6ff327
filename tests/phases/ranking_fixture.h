#pragma once
// Race files for the ranking tests: one race with its participants, its penalty list and the
// results of its sessions, written by the program's own writers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../files/test_support.h"
#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/series_sections.h"

namespace zd::test {

// One driver's line of a series or a round.
struct ResultLine {
  ResultLine(std::string name, int32_t laps = 0, int32_t raceTime = 0, int32_t bestLap = 0,
             int32_t penaltyIndex = 0, std::vector<int32_t> passings = {})
      : name(std::move(name)),
        laps(laps),
        raceTime(raceTime),
        bestLap(bestLap),
        penaltyIndex(penaltyIndex),
        passings(std::move(passings)) {}
  std::string name;
  int32_t laps;
  int32_t raceTime;
  int32_t bestLap;
  int32_t penaltyIndex;
  std::vector<int32_t> passings;  // c[0..n]; empty: none
};

struct Person {
  Person(std::string name, std::string category = "", std::string ageCode = "",
         std::string ageName = "", int32_t sex = 1)
      : name(std::move(name)),
        category(std::move(category)),
        ageCode(std::move(ageCode)),
        ageName(std::move(ageName)),
        sex(sex) {}
  std::string name;
  std::string category;
  std::string ageCode;
  std::string ageName;
  int32_t sex;
};

// The names of a ranking's shown list, in order.
template <typename Ranking>
std::vector<std::string> NamesOf(const Ranking& r) {
  std::vector<std::string> names;
  for (int i = 0; i < r.shownCount(); ++i) names.push_back(r.list()[i].name.str());
  return names;
}

class RankingFileTest : public NewRaceFileTest {
 protected:
  // A ranking opened on the file as it stands.
  template <typename Ranking>
  std::unique_ptr<Ranking> OpenRanking(RacePhase phase) {
    auto ranking = std::make_unique<Ranking>(phase);
    TextFile f = Open();
    ranking->open(&f);
    return ranking;
  }

  RankingFileTest() {
    ClearParticipants(*participants);
    ClearPenaltyTable(*penalties);
    ClearRaceHeaderRecords(records);
    records[0].name = "Open";
  }

  void AddParticipants(const std::vector<Person>& people) {
    for (const Person& p : people) {
      ParticipantRecord& r = (*participants)[participantCount++];
      r.name = p.name;
      r.vehicleCategory = p.category;
      r.ageCategoryCode = p.ageCode;
      r.ageCategoryName = p.ageName;
      r.sex = p.sex;
      r.carNumber = std::to_string(participantCount);
      r.club = "Club " + p.name;
    }
  }
  // Named "Pilote 1" to "Pilote n".
  void AddNumberedParticipants(int n) {
    std::vector<Person> people;
    for (int i = 1; i <= n; ++i) people.push_back({"Pilote " + std::to_string(i)});
    AddParticipants(people);
  }
  void AddPenalty(const std::string& code, int32_t kind, int32_t amount,
                  const std::string& name = "") {
    PenaltyRecord& p = (*penalties)[penaltyCount++];
    p.code = code;
    p.name = name.empty() ? "Pénalité " + code : name;
    p.kind = kind;
    p.amount = amount;
  }

  static void Fill(SeriesResultEntry& e, const ResultLine& line) {
    e.name = line.name;
    e.laps = line.laps;
    e.raceTime = line.raceTime;
    e.bestLap = line.bestLap;
    e.penaltyIndex = line.penaltyIndex;
    e.passingCount = line.passings.empty() ? 0 : static_cast<int32_t>(line.passings.size()) - 1;
    for (std::size_t k = 0; k < line.passings.size(); ++k) e.passingTimes[k] = line.passings[k];
  }
  static std::unique_ptr<SeriesTable> Table(const std::vector<ResultLine>& lines) {
    auto table = std::make_unique<SeriesTable>();
    for (int k = 0; k < kMaxSeriesSlots; ++k) {
      SeriesResultEntry& e = (*table)[k];
      if (k < static_cast<int>(lines.size())) {
        Fill(e, lines[k]);
      } else {
        // An empty slot as the race engine saves it.
        e.name = kEmptySlotName;
        e.raceTime = kEmptySlotTime;
        e.bestLap = kEmptySlotTime;
      }
    }
    return table;
  }
  void AddSeries(RacePhase phase, int session, int series, const std::vector<ResultLine>& lines) {
    TextFile f = Open();
    const std::string title = phase == RacePhase::Practice
                                  ? PracticeSeriesTitle(1, session, series)
                                  : QualifyingSeriesTitle(1, session, series);
    ASSERT_TRUE(WriteSeriesResultsSection(f, title, *Table(lines), SeriesTexts{}).ok);
  }
  void AddRound(int round, const std::vector<ResultLine>& lines, int32_t capacity = 3000) {
    TextFile f = Open();
    ASSERT_TRUE(
        WriteRoundResultsSection(f, RoundTitle(1, round), *Table(lines), capacity, SeriesTexts{})
            .ok);
  }
  void SetPoints(RacePhase phase, std::string_view mode, const PointsScale& scale) {
    TextFile f = Open();
    ASSERT_TRUE(WritePointsSection(f, PointsSectionTitle(1, phase), mode, scale).ok);
  }

  // The header selecting the session's node, the participants and the penalties; the series
  // count for practice and qualifying.
  void WriteRace(RacePhase phase, int session, int32_t seriesCount = 3) {
    TextFile f = Open();
    records[0].participantCount = participantCount;
    records[0].practiceSeries = seriesCount;
    records[0].qualifyingSeries = seriesCount;
    records[0].practiceSessions = sessionsInUse;
    records[0].qualifyingSessions = sessionsInUse;
    records[0].rounds = sessionsInUse;
    const int32_t base = phase == RacePhase::Practice     ? 3950
                         : phase == RacePhase::Qualifying ? 4950
                                                          : 5950;
    ASSERT_TRUE(WriteRaceFileHeader(f, 10000 + base + session, 1, records).ok);
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants).ok);
    if (penaltyCount > 0) {
      ASSERT_TRUE(WritePenaltiesSection(f, *penalties).ok);
    }
  }

  std::unique_ptr<ParticipantTable> participants = std::make_unique<ParticipantTable>();
  int participantCount = 0;
  std::unique_ptr<PenaltyTable> penalties = std::make_unique<PenaltyTable>();
  int penaltyCount = 0;
  RaceHeaderRecords records;
  int32_t sessionsInUse = 0;  // practice and qualifying sessions, rounds
};

}  // namespace zd::test
