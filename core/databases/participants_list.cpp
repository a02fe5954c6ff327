#include "databases/participants_list.h"

#include <algorithm>

namespace zd {

namespace {

// Every arrangement slot past the list holds this name.
template <std::size_t N>
void FillFromList(std::array<FixedText<40>, N>& names, const ParticipantTable& participants,
                  int count) {
  for (std::size_t i = 0; i < N; ++i)
    names[i] = i < static_cast<std::size_t>(count) ? participants[i].name.view() : kEmptySlotName;
}

// The slot at position leaves the list; later slots move up and the list ends with an empty slot.
template <std::size_t N>
void RemoveSlot(std::array<FixedText<40>, N>& names, std::size_t position, int countBefore) {
  if (position >= N) return;
  std::move(names.begin() + static_cast<std::ptrdiff_t>(position) + 1, names.end(),
            names.begin() + static_cast<std::ptrdiff_t>(position));
  names[N - 1] = kEmptySlotName;
  if (countBefore >= 1 && static_cast<std::size_t>(countBefore) <= N)
    names[static_cast<std::size_t>(countBefore) - 1] = kEmptySlotName;
}

int ListedCount(const ParticipantTable& participants) {
  int n = 0;
  while (n < kMaxParticipants && !participants[n].name.empty()) ++n;
  return n;
}

bool AllFit(const ParticipantTable& participants, const SeriesArrangement& practice,
            const SeriesArrangement& qualifying, const StartingGrid& grid) {
  return ParticipantsFit(participants) && SeriesArrangementFits(practice) &&
         SeriesArrangementFits(qualifying) && StartingGridFits(grid);
}

}  // namespace

std::vector<std::string> ReadParticipantSources(ParticipantSources& sources,
                                                int32_t todayMonthCount) {
  std::vector<std::string> missing;
  sources.countries = CountryTable{};
  if (!ReadCountryNames(kCountryNamesFile, sources.countries))
    missing.push_back("Error : 'Countries name' database file not found");
  if (!ReadCountryCodes(kCountryCodesFile, sources.countries))
    missing.push_back("Error : 'Countries code' database file not found");
  ClearVehicleTable(sources.vehicles);
  if (!ReadVehicles(kVehiclesFile, sources.vehicles))
    missing.push_back("Error : 'Cars/Motorbikes' database file not found");
  ClearAgeCategoryTable(sources.ageCategories);
  if (!ReadAgeCategories(kAgeCategoriesFile, sources.ageCategories))
    missing.push_back("Error : 'Age categories' database file not found");
  ClearDriverSummaryTable(sources.drivers);
  if (!ReadDriverSummaries(kDriversFile, sources.drivers, todayMonthCount))
    missing.push_back("Error : 'Drivers' reduced database file not found");
  return missing;
}

std::vector<std::string> DriverNames(const DriverSummaryTable& drivers) {
  std::vector<std::string> names;
  for (const DriverSummaryRecord& d : drivers) {
    if (d.name.empty()) break;
    names.push_back(d.name.str());
  }
  return names;
}

ParticipantsList::ParticipantsList() {
  ClearRaceHeaderRecords(records_);
  ClearParticipants(participants_);
  rebuildArrangements();
}

std::string_view ParticipantsList::raceName() const {
  return race_ ? header().name.view() : std::string_view();
}

const RaceHeaderRecord& ParticipantsList::header() const {
  return records_[static_cast<std::size_t>(std::max(race_, 1) - 1)];
}

bool ParticipantsList::locked() const {
  if (!race_) return true;
  const RaceHeaderRecord& h = header();
  auto started = [](int32_t state) { return state == 1; };
  return std::any_of(h.practiceStates.begin(), h.practiceStates.end(), started) ||
         std::any_of(h.qualifyingStates.begin(), h.qualifyingStates.end(), started) ||
         started(h.roundsState);
}

void ParticipantsList::rebuildArrangements() {
  practice_.driversPerSeries = kMaxDriversPerSeries;
  qualifying_.driversPerSeries = kMaxDriversPerSeries;
  grid_.qualifiedCount = kMaxDriversPerSeries;
  FillFromList(practice_.names, participants_, count_);
  FillFromList(qualifying_.names, participants_, count_);
  FillFromList(grid_.names, participants_, count_);
}

void ParticipantsList::read(TextFile& raceFile) {
  ClearRaceHeaderRecords(records_);
  ClearParticipants(participants_);
  information_ = EventInformation();
  race_ = 0;
  count_ = 0;
  ReadRaceFileHeader(raceFile, selectionCode_, raceCount_, records_);
  const int race = selectionCode_ / 10000;
  if (race >= 1 && race <= raceCount_) race_ = race;

  if (!FindSection(raceFile, kInformationTitle) || !ReadInformationSection(raceFile, information_))
    information_ = EventInformation();
  if (race_ && FindSection(raceFile, ParticipantsSectionTitle(race_))) {
    ReadParticipantsSection(raceFile, participants_);
    SortParticipantsByName(participants_);
  }
  count_ = race_ ? ListedCount(participants_) : 0;
  // The header's count follows the names listed, whatever the file said.
  if (race_) records_[static_cast<std::size_t>(race_ - 1)].participantCount = count_;
  report_ = MakeReportInformation(information_, raceName(), ReportEventLine::kEventAndRace);
  rebuildArrangements();
}

ParticipantAdd ParticipantsList::add(const DriverSummaryRecord& driver,
                                     const ParticipantSources& sources) {
  if (!race_ || driver.name.empty() || count_ >= kMaxParticipants) return ParticipantAdd::Unchanged;
  for (int i = 0; i < count_; ++i)
    if (participants_[i].name.view() == driver.name.view()) return ParticipantAdd::Unchanged;

  ParticipantTable participants = participants_;
  ParticipantRecord& p = participants[static_cast<std::size_t>(count_)];
  p = ParticipantRecord();
  p.name = driver.name.view();
  p.club = driver.club.view();
  for (const CountryRecord& country : sources.countries)
    if (!country.name.empty() && country.name.view() == driver.country.view())
      p.nationCode = country.code.view();
  p.vehicle = driver.vehicle.view();
  p.carNumber = driver.carNumber.view();
  p.transponder = driver.transponder.view();
  p.sex = driver.sex;
  if (const AgeCategoryRecord* age = AgeCategoryOfBirth(sources.ageCategories,
                                                        driver.birthMonthCount)) {
    p.ageCategoryCode = age->code.view();
    p.ageCategoryName = age->name.view();
  }
  for (const VehicleRecord& vehicle : sources.vehicles)
    if (!vehicle.name.empty() && vehicle.name.view() == p.vehicle.view())
      p.vehicleCategory = vehicle.category.view();

  SeriesArrangement practice = practice_, qualifying = qualifying_;
  StartingGrid grid = grid_;
  const std::size_t slot = static_cast<std::size_t>(count_);
  practice.names[slot] = driver.name.view();
  qualifying.names[slot] = driver.name.view();
  grid.names[slot] = driver.name.view();
  if (!AllFit(participants, practice, qualifying, grid)) return ParticipantAdd::Full;

  SortParticipantsByName(participants);
  participants_ = participants;
  practice_ = practice;
  qualifying_ = qualifying;
  grid_ = grid;
  ++count_;
  records_[static_cast<std::size_t>(race_ - 1)].participantCount = count_;
  return ParticipantAdd::Added;
}

bool ParticipantsList::remove(std::string_view name) {
  if (!race_ || count_ == 0 || name.empty()) return false;
  bool found = false;
  for (ParticipantRecord& p : participants_) {
    if (p.name.view() != name) continue;
    p = ParticipantRecord();
    found = true;
  }
  if (!found) return false;
  SortParticipantsByName(participants_);

  // The practice arrangement says where the driver stands in all three; a name missing there
  // moves nothing.
  for (std::size_t i = practice_.names.size(); i-- > 0;) {
    if (practice_.names[i].view() != name) continue;
    RemoveSlot(practice_.names, i, count_);
    RemoveSlot(qualifying_.names, i, count_);
    RemoveSlot(grid_.names, i, count_);
    break;
  }
  count_ = ListedCount(participants_);
  records_[static_cast<std::size_t>(race_ - 1)].participantCount = count_;
  return true;
}

Outcome ParticipantsList::write(TextFile& raceFile) {
  if (!race_) return Outcome::Failure(kSelectedRaceNotFound);
  if (!AllFit(participants_, practice_, qualifying_, grid_))
    return Outcome::Failure(kParticipantsListFull);
  RaceHeaderRecord& h = records_[static_cast<std::size_t>(race_ - 1)];
  h.practiceSeries = 0;
  h.qualifyingSeries = 0;
  h.rounds = 0;
  Outcome o = WriteRaceFileHeader(raceFile, selectionCode_, raceCount_, records_);
  if (o) o = WriteParticipantsSection(raceFile, ParticipantsSectionTitle(race_), participants_);
  if (o)
    o = WriteSeriesArrangementNames(raceFile, ArrangementSectionTitle(race_, RacePhase::Practice),
                                    practice_);
  if (o)
    o = WriteSeriesArrangementNames(
        raceFile, ArrangementSectionTitle(race_, RacePhase::Qualifying), qualifying_);
  if (o)
    o = WriteRoundArrangementNames(raceFile, ArrangementSectionTitle(race_, RacePhase::Rounds),
                                   grid_);
  return o;
}

Outcome LoadParticipantsList(ParticipantsList& list) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) return Outcome::Failure(kRaceFileNotFound);
  list.read(file);
  if (!list.raceKnown()) return Outcome::Failure(kSelectedRaceNotFound);
  return Outcome::Success();
}

Outcome SaveParticipantsList(ParticipantsList& list) {
  if (!list.raceKnown()) return Outcome::Failure(kSelectedRaceNotFound);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return list.write(file);
}

}  // namespace zd
