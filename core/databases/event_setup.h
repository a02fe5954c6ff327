#pragma once
// The event information and track dialogs: the event's name, international flag, organising club,
// championship, race director, place and date, and the track's name and lap protection time, as
// the race file stores them and as their dialogs show and edit them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/event_sections.h"
#include "files/race_file.h"

namespace zd {

// Characters each edit takes. A 38-character name with the international prefix fits its field.
inline constexpr int kEventTextLimit = 38;  // event name, race director, place, track name
inline constexpr int kEventDateLimit = 18;
inline constexpr int kLapProtectionDigits = 3;

// A typed name holding a section title's prefix could be taken for a title of the race file.
bool HoldsSectionTitle(std::string_view typed);

// What the event information dialog shows and edits: the name without the prefix, and the flag.
struct EventInformationForm {
  EventInformation values;
  bool international = false;
  // The lists offered, in database order.
  std::vector<std::string> clubs;
  std::vector<std::string> championships;

  // Opening: the stored values, the prefix taken off the name. A stored club or championship
  // that its list does not hold is cleared; a list whose file could not be read clears nothing.
  void open(const EventInformation& stored, bool clubsRead, bool championshipsRead);
  // A typed name; false when it held a section title and was cleared (the edit is cleared too).
  bool setName(std::string_view typed);
  // "Valider": the values in file order, the name prefixed when the flag is set.
  EventInformation stored() const;
};

// The six values empty, the lists read, the race file's section read when present. Returns the
// messages to show, in order (a missing file's each); none when all was read.
std::vector<std::string> LoadEventInformation(EventInformationForm& form);
Outcome SaveEventInformation(const EventInformationForm& form);

// The lap protection time from the edit's text: its digits' value, an empty edit reading 0; 1 or
// less becomes 2.
int32_t LapProtectionTimeOf(std::string_view typed);
// A typed track name; false when it held a section title and was cleared.
bool SetTrackName(TrackSettings& track, std::string_view typed);

// The name empty and the time 2, then the race file's section when present.
Outcome LoadTrackSettings(TrackSettings& track);
Outcome SaveTrackSettings(const TrackSettings& track);

}  // namespace zd
