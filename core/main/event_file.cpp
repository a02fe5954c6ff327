#include "main/event_file.h"

#include <algorithm>
#include <memory>

namespace zd {

namespace {

void ReadTreeFlags(TextFile& file, EventState& event) {
  if (!FindSection(file, kTreeviewTitle)) return;
  TreeviewFlagsTable flags = event.flags;
  if (ReadTreeviewSection(file, flags)) event.flags = flags;
}

}  // namespace

std::string EventWindowTitle(std::string_view chosenName) {
  return std::string(kProgramTitle) + ":   " + std::string(chosenName);
}

std::string EventFileName(std::string_view chosenName) {
  std::string name(chosenName);
  if (name.find(kEventFileExtension) == std::string::npos) name += kEventFileExtension;
  return name;
}

std::string SaveChooserPrefill(std::string_view dataFolder) {
  return std::string(dataFolder) + "\\" + std::string(kEventFilePattern);
}

bool SaveChooserChoseName(std::string_view returned, std::string_view prefill) {
  return !returned.empty() && returned != prefill;
}

void ClearEventRecords(EventState& event) {
  ClearRaceHeaderRecords(event.races);
  ClearRaceNameLists(event.names);
  ClearTreeviewFlags(event.flags);
  event.internationalEvent = 0;
  ClearPenaltyTable(event.penalties);
  event.racePenaltiesPrepared = 0;
  event.racePenaltiesFromDatabase = 0;
  event.trackName.clear();
  event.lapProtectionTime = kDefaultLapProtectionTime;
}

void ResetEvent(const SeriesDesk& desk) {
  LiveSeries& s = desk.control.race.series;
  s.startingListShown = 0;
  s.startingListShownForScan = 0;
  s.seriesClearAllowed = 0;
  ClearEventRecords(desk.event);
  UnloadSeries(desk);
  // Their tree items go with the tree, and their codes belong to the event left.
  s.loadedSeriesNode = {};
}

void StartNewEvent(EventState& event) {
  event.selectionCode = 10000;
  event.raceCount = 1;
  event.races[0].name = "COURSE 1";
  event.eventFilePath.clear();
  event.eventFileKnown = 0;
}

Outcome CreateWorkingRaceFile(const EventState& event) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Create)) return Outcome::Failure(kRaceFileNotFound);
  Outcome written = WriteRaceFileHeader(file, event.selectionCode, event.raceCount, event.races);
  if (written) written = WriteTreeviewSection(file, event.flags);
  return written;
}

bool ReadEventHeader(TextFile& file, EventState& event) {
  int32_t selectionCode = 0;
  int32_t raceCount = 0;
  RaceHeaderRecords races;
  ClearRaceHeaderRecords(races);
  if (!ReadRaceFileHeader(file, selectionCode, raceCount, races)) return false;
  event.selectionCode = selectionCode;
  event.raceCount = raceCount;
  event.races = races;
  return true;
}

bool IsRaceFile(std::string_view path) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  EventState probe;
  return ReadEventHeader(file, probe);
}

Outcome RefreshParticipantsFromDrivers(TextFile& file, int race, const DriverReference& reference) {
  const std::string title = ParticipantsSectionTitle(race);
  if (!FindSection(file, title)) return Outcome::Success();
  auto participants = std::make_unique<ParticipantTable>();
  ClearParticipants(*participants);
  ReadParticipantsSection(file, *participants);

  for (ParticipantRecord& p : *participants) {
    // An empty record is no one: it must not take the values of an empty driver slot.
    if (p.name.empty()) continue;
    for (const DriverSummaryRecord& driver : reference.drivers) {
      if (driver.name != p.name) continue;
      p.club = driver.club.view();
      for (const CountryRecord& country : reference.countries) {
        if (country.name == driver.country) p.nationCode = country.code.view();
      }
      // With none, the participant keeps the category he had.
      if (const AgeCategoryRecord* age = AgeCategoryOfBirth(reference.ageCategories,
                                                            driver.birthMonthCount)) {
        p.ageCategoryCode = age->code.view();
        p.ageCategoryName = age->name.view();
      }
      p.sex = driver.sex;
    }
  }
  return WriteParticipantsSection(file, title, *participants);
}

void ReadOpenedEvent(EventState& event, const DriverReference& reference,
                     const std::function<void(std::string_view)>& showError) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    showError(kRaceFileNotFound);
    return;
  }
  ReadEventHeader(file, event);
  for (int r = 1; r <= std::clamp(event.raceCount, 1, kMaxRaces); ++r) {
    if (!FindSection(file, ParticipantsSectionTitle(r))) continue;
    ReadParticipantNames(file, event.names[r - 1]);
    const Outcome refreshed = RefreshParticipantsFromDrivers(file, r, reference);
    if (!refreshed) showError(refreshed.message);
  }
  ReadTreeFlags(file, event);
  if (FindSection(file, kTrackTitle)) {
    TrackSettings track;
    track.lapProtectionTime = event.lapProtectionTime;
    ReadTrackSection(file, track);
    event.trackName = track.name.view();
    event.lapProtectionTime = track.lapProtectionTime;
  }
  if (FindSection(file, kInformationTitle)) {
    FixedText<46> name;
    ReadText(file, name);
    event.internationalEvent = IsInternationalEvent(name.view()) ? 1 : 0;
  }
  if (FindSection(file, kPenaltiesTitle)) ReadPenaltiesSection(file, event.penalties);
}

}  // namespace zd
