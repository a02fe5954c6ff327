#pragma once
// The event as the main window holds it between the commands that read and write the race file:
// the header with its races, the participant names of each race, the tree flags, the event's
// penalties and track values, and which event file it belongs to.

#include <cstdint>

#include "files/event_sections.h"
#include "files/fixed_text.h"
#include "files/participants.h"
#include "files/race_file.h"

namespace zd {

inline constexpr int32_t kDefaultLapProtectionTime = 2;  // seconds

struct EventState {
  int32_t selectionCode = 10000;  // SelectionCode: the code of the selected tree node
  int32_t raceCount = 1;
  RaceHeaderRecords races = NewEventRaceRecords();
  RaceNameLists names;
  TreeviewFlagsTable flags{};

  PenaltyTable penalties;  // the event's list; entry 0 is the abandonment
  int32_t internationalEvent = 0;
  FixedText<40> trackName;
  int32_t lapProtectionTime = kDefaultLapProtectionTime;
  int32_t racePenaltiesPrepared = 0;
  int32_t racePenaltiesFromDatabase = 0;

  FixedText<260> eventFilePath;  // EventFilePath: empty while the event has no file
  int32_t eventFileKnown = 0;    // EventFileKnown: set by opening and by saving as
};

// The record of race r (1 to 3).
inline RaceHeaderRecord& RaceRecord(EventState& event, int race) { return event.races[race - 1]; }
inline const RaceHeaderRecord& RaceRecord(const EventState& event, int race) {
  return event.races[race - 1];
}

// A race of the event: 1 to its race count.
inline bool IsEventRace(const EventState& event, int race) {
  return race >= 1 && race <= event.raceCount && race <= kMaxRaces;
}

}  // namespace zd
