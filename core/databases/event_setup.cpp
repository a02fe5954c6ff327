#include "databases/event_setup.h"

#include <algorithm>

#include "databases/international_name.h"
#include "databases/reference_databases.h"
#include "files/table_helpers.h"

namespace zd {

namespace {

// A stored value that its list no longer offers is cleared, unless the list could not be read.
template <std::size_t W>
void KeepIfListed(FixedText<W>& value, const std::vector<std::string>& list, bool listRead) {
  if (!listRead) return;
  if (std::find(list.begin(), list.end(), value.view()) == list.end()) value.clear();
}

}  // namespace

bool HoldsSectionTitle(std::string_view typed) {
  return typed.find(kTitlePrefix) != std::string_view::npos;
}

void EventInformationForm::open(const EventInformation& stored, bool clubsRead,
                                bool championshipsRead) {
  values = stored;
  international = HasInternationalPrefix(stored.eventName);
  values.eventName = StripInternationalPrefix(stored.eventName);
  KeepIfListed(values.club, clubs, clubsRead);
  KeepIfListed(values.championship, championships, championshipsRead);
}

bool EventInformationForm::setName(std::string_view typed) {
  if (HoldsSectionTitle(typed)) {
    values.eventName.clear();
    return false;
  }
  values.eventName = typed;
  return true;
}

EventInformation EventInformationForm::stored() const {
  EventInformation info = values;
  info.eventName = StoredEventName(values.eventName, international);
  return info;
}

std::vector<std::string> LoadEventInformation(EventInformationForm& form) {
  std::vector<std::string> messages;
  const bool clubsRead = ClubComboTexts(form.clubs);
  if (!clubsRead) messages.emplace_back(ClubsDescriptor().texts.fileFailed);
  const bool championshipsRead = ChampionshipComboTexts(form.championships);
  if (!championshipsRead) messages.emplace_back(ChampionshipsDescriptor().texts.fileFailed);
  EventInformation stored;
  TextFile file;
  if (file.open(kRaceFilePath, OpenMode::Read)) {
    if (FindSection(file, kInformationTitle)) ReadInformationSection(file, stored);
  } else {
    messages.emplace_back(kRaceFileNotFound);
  }
  form.open(stored, clubsRead, championshipsRead);
  return messages;
}

Outcome SaveEventInformation(const EventInformationForm& form) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return WriteInformationSection(file, form.stored());
}

int32_t LapProtectionTimeOf(std::string_view typed) {
  int32_t value = 0;
  for (char c : typed.substr(0, kLapProtectionDigits)) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value <= 1 ? 2 : value;
}

bool SetTrackName(TrackSettings& track, std::string_view typed) {
  if (HoldsSectionTitle(typed)) {
    track.name.clear();
    return false;
  }
  track.name = typed;
  return true;
}

Outcome LoadTrackSettings(TrackSettings& track) {
  track = TrackSettings{};
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) return Outcome::Failure(kRaceFileNotFound);
  if (FindSection(file, kTrackTitle)) ReadTrackSection(file, track);
  return Outcome::Success();
}

Outcome SaveTrackSettings(const TrackSettings& track) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return WriteTrackSection(file, track);
}

}  // namespace zd
