#pragma once
// A race file for the session ranking windows in the data folder: race 1 with its participants,
// one series of its session (or its round) and the event's penalties, the SelectionCode naming
// that session.

#include "gtest_win32.h"

#include <memory>
#include <string>
#include <vector>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/series_sections.h"
#include "main/data_folder.h"
#include "main/event_file.h"
#include "main/event_state.h"

namespace zd_test {

struct SessionDriver {
  std::string name;
  std::string category = "Buggy";
  std::string ageCode = "SEN";
  std::string ageName = "Senior";
  int32_t sex = 1;
};
struct SessionLine {
  std::string name;
  int32_t laps = 0;
  int32_t raceTime = 0;
  int32_t bestLap = 0;
  int32_t penaltyIndex = 0;  // from 1 into the penalties
};
struct SessionPenalty {
  std::string code;
  std::string name;
  int32_t kind = 1;
  int32_t amount = 10;
};

// A series' results: the lines in their slots, the other slots empty.
inline std::unique_ptr<zd::SeriesTable> SeriesTableOf(const std::vector<SessionLine>& lines) {
  auto series = std::make_unique<zd::SeriesTable>();
  for (int k = 0; k < zd::kMaxSeriesSlots; ++k) {
    zd::SeriesResultEntry& e = (*series)[k];
    if (k < static_cast<int>(lines.size())) {
      e.name = lines[k].name;
      e.laps = lines[k].laps;
      e.raceTime = lines[k].raceTime;
      e.bestLap = lines[k].bestLap;
      e.penaltyIndex = lines[k].penaltyIndex;
    } else {
      e.name = zd::kEmptySlotName;
      e.raceTime = zd::kEmptySlotTime;
      e.bestLap = zd::kEmptySlotTime;
    }
  }
  return series;
}

struct SessionRaceFile {
  zd::RacePhase phase = zd::RacePhase::Qualifying;
  int session = 1;
  bool international = false;
  std::vector<SessionDriver> drivers;
  std::vector<SessionLine> lines;
  std::vector<SessionPenalty> penalties;

  int32_t selectionCode() const {
    const int32_t base = phase == zd::RacePhase::Practice     ? 3950
                         : phase == zd::RacePhase::Qualifying ? 4950
                                                              : 5950;
    return 10000 + base + session;
  }

  void write() const {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    zd::EventState event;
    zd::ClearEventRecords(event);
    event.raceCount = 1;
    event.selectionCode = selectionCode();
    zd::RaceHeaderRecord& race = zd::RaceRecord(event, 1);
    race.name = "Open";
    race.participantCount = static_cast<int32_t>(drivers.size());
    race.practiceSessions = race.qualifyingSessions = session;
    race.practiceSeries = race.qualifyingSeries = 1;
    race.rounds = session;
    race.practiceStates[0] = race.qualifyingStates[0] = race.roundsState = 1;
    ASSERT_TRUE(zd::CreateWorkingRaceFile(event).ok);

    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    zd::EventInformation info;
    info.eventName = international ? "i_n_t_Coupe d'Europe" : "Coupe du Sud";
    info.championship = "Ligue Sud";
    info.place = "Albi";
    ASSERT_TRUE(zd::WriteInformationSection(file, info).ok);

    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    for (size_t i = 0; i < drivers.size(); ++i) {
      zd::ParticipantRecord& p = (*participants)[i];
      p.name = drivers[i].name;
      p.vehicleCategory = drivers[i].category;
      p.ageCategoryCode = drivers[i].ageCode;
      p.ageCategoryName = drivers[i].ageName;
      p.sex = drivers[i].sex;
      p.carNumber = std::to_string(i + 1);
      p.club = "RC Albi";
      p.nationCode = i % 2 == 0 ? "FRA" : "ZZZ";  // no flag for ZZZ
    }
    ASSERT_TRUE(
        zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);

    auto table = std::make_unique<zd::PenaltyTable>();
    zd::ClearPenaltyTable(*table);
    for (size_t i = 0; i < penalties.size(); ++i) {
      (*table)[i].code = penalties[i].code;
      (*table)[i].name = penalties[i].name;
      (*table)[i].kind = penalties[i].kind;
      (*table)[i].amount = penalties[i].amount;
    }
    ASSERT_TRUE(zd::WritePenaltiesSection(file, *table).ok);

    const auto series = SeriesTableOf(lines);
    switch (phase) {
      case zd::RacePhase::Practice:
        ASSERT_TRUE(zd::WriteSeriesResultsSection(file, zd::PracticeSeriesTitle(1, session, 1),
                                                  *series, zd::SeriesTexts{})
                        .ok);
        break;
      case zd::RacePhase::Qualifying:
        ASSERT_TRUE(zd::WriteSeriesResultsSection(file, zd::QualifyingSeriesTitle(1, session, 1),
                                                  *series, zd::SeriesTexts{})
                        .ok);
        break;
      case zd::RacePhase::Rounds:
        ASSERT_TRUE(zd::WriteRoundResultsSection(file, zd::RoundTitle(1, session), *series, 3000,
                                                 zd::SeriesTexts{})
                        .ok);
        break;
    }
  }
};

// count drivers "Pilote 01" .. with results, the first with the most laps.
inline SessionRaceFile NumberedRace(zd::RacePhase phase, int count) {
  SessionRaceFile race;
  race.phase = phase;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Pilote %02d", i + 1);
    race.drivers.push_back({name});
    race.lines.push_back({name, 50 - i, 600000 + i, 40000 + i});
  }
  return race;
}

}  // namespace zd_test
