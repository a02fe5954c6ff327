#include "databases/participant_details.h"

#include "databases/international_name.h"
#include "databases/reference_databases.h"
#include "files/event_sections.h"
#include "main/series_loading.h"

namespace zd {

std::optional<std::string> DetailsTransponder(std::string_view text) {
  if (text.empty()) return std::nullopt;
  return TypedTransponderNumber(text);
}

ParticipantDetailsForm::ParticipantDetailsForm()
    : participants_(std::make_unique<ParticipantTable>()) {
  ClearParticipants(*participants_);
}

std::vector<std::string> ParticipantDetailsForm::read(TextFile& file) {
  std::vector<std::string> messages;
  race_ = 0;
  int32_t code = 0;
  int32_t raceCount = 0;
  RaceHeaderRecords records;
  ClearRaceHeaderRecords(records);
  const bool header = ReadRaceFileHeader(file, code, raceCount, records);
  const int race = code / 10000;
  const int n = code % 10000 - 1000;

  EventInformation info;
  if (FindSection(file, kInformationTitle)) ReadInformationSection(file, info);
  international_ = HasInternationalPrefix(info.eventName);

  if (!header || race < 1 || race > raceCount || n < 1 || n > kMaxParticipants) {
    messages.emplace_back(kParticipantNotFound);
    return messages;
  }
  ClearParticipants(*participants_);
  if (!FindSection(file, ParticipantsSectionTitle(race))) {
    messages.emplace_back(kParticipantsTitleMissing);
  } else {
    ReadParticipantsSection(file, *participants_);
  }
  index_ = n - 1;
  if (participant().name.empty()) {
    // The record's name is blank too when the section could not be read.
    if (messages.empty()) messages.emplace_back(kParticipantNotFound);
    return messages;
  }
  race_ = race;
  return messages;
}

std::string ParticipantDetailsForm::heading() const {
  const ParticipantRecord& p = participant();
  return p.name.str() + " ( " + (international_ ? p.nationCode.str() : p.club.str()) + " )";
}

bool ParticipantDetailsForm::chooseVehicle(std::string_view name, const VehicleTable& vehicles) {
  ParticipantRecord& p = participant();
  p.vehicle = name;
  bool found = false;
  for (const VehicleRecord& v : vehicles) {
    if (v.name.view() != name) continue;
    p.vehicleCategory = v.category.view();
    found = true;
  }
  return found;
}

void ParticipantDetailsForm::setCarNumber(std::string_view typed) {
  participant().carNumber = typed.substr(0, kCarNumberLimit);
}

bool ParticipantDetailsForm::setTransponder(std::string_view typed) {
  const std::optional<std::string> number = DetailsTransponder(typed);
  if (!number) return false;
  participant().transponder = *number;
  return true;
}

Outcome ParticipantDetailsForm::write(TextFile& file) const {
  return WriteParticipantsSection(file, ParticipantsSectionTitle(race_), *participants_);
}

std::vector<std::string> LoadParticipantDetails(ParticipantDetailsForm& form) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) return {std::string(kRaceFileNotFound)};
  return form.read(file);
}

Outcome SaveParticipantDetails(const ParticipantDetailsForm& form) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return form.write(file);
}

void ScanIndicator::start() {
  state_ = 1;
  cycleStart_ = 0;
}

bool ScanIndicator::tick(int64_t elapsed) {
  const int64_t v = elapsed - cycleStart_;
  const int before = state_;
  if (v <= 19 && state_ == 0) state_ = 1;
  if (v >= 21 && v <= 40 && state_ == 1) state_ = 2;
  if (v >= 42 && v <= 61 && state_ == 2) state_ = 3;
  if (v >= 63 && v <= 82 && state_ == 3) state_ = 4;
  // The last bitmap stays shown until the next cycle's first replaces it.
  if (v >= 84) {
    cycleStart_ = elapsed;
    state_ = 0;
    return false;
  }
  return state_ != before;
}

void DetailsScan::start(int64_t now, int64_t frequency) {
  scanning_ = true;
  parser_.reset();
  numbers_.reset();
  start_ = now;
  frequency_ = frequency;
  indicator_.start();
}

void DetailsScan::stop() {
  scanning_ = false;
  parser_.reset();
  numbers_.reset();
  indicator_.stop();
}

DetailsScan::Tick DetailsScan::tick(const uint8_t* bytes, std::size_t count, int64_t now) {
  Tick result;
  if (!scanning_) {
    parser_.reset();
    numbers_.reset();
    return result;
  }
  const int64_t elapsedMs = frequency_ > 0 ? CounterMilliseconds(now - start_, frequency_) : 0;
  if (IsDecoder(link_)) {
    for (std::size_t i = 0; i < count; ++i) {
      if (numbers_.push(bytes[i])) result.transponder = SixDigits(numbers_.transponder());
    }
  } else {
    parser_.feed(link_, bytes, count, elapsedMs, [&](const DecoderPassing& passing) {
      result.transponder = SixDigits(passing.transponder);
    });
  }
  result.indicatorChanged = indicator_.tick(elapsedMs / 10);
  return result;
}

}  // namespace zd
