#pragma once
// The sections of the race file that belong to the event as a whole: its information, its track,
// its list of penalties and abandonment, and the flags that the event tree shows on its series.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

struct EventInformation {
  FixedText<46> eventName;  // "i_n_t_" in front for an international event
  FixedText<15> club;
  FixedText<20> championship;
  FixedText<40> raceDirector;
  FixedText<40> place;
  FixedText<20> date;
};

inline constexpr std::string_view kInternationalPrefix = "i_n_t_";
// An international event shows its participants with nation and flag instead of club.
bool IsInternationalEvent(std::string_view storedName);
// The name as shown and printed: without the international prefix.
std::string_view DisplayedEventName(std::string_view storedName);
// The name as stored for a typed name and the state of the "international" box.
std::string StoredEventName(std::string_view typedName, bool international);

struct TrackSettings {
  FixedText<40> name;
  int32_t lapProtectionTime = 2;  // seconds: the least time between two passings counted as a lap
};

enum PenaltyKind : int32_t {
  kPenaltyAddRaceTime = 1,     // seconds added to the race time
  kPenaltyAddBestLap = 2,      // seconds added to the best lap
  kPenaltyReplaceRaceTime = 3, // race time replaced by the amount
  kPenaltyReplaceBestLap = 4,  // best lap replaced by the amount
  kPenaltyRemoveLaps = 5,      // the amount in laps removed
};

struct PenaltyRecord {
  FixedText<4> code;  // "A" for the abandonment, always entry 0; "P%d" for the others
  FixedText<30> name;
  FixedText<200> description;  // kept in the penalties database only
  int32_t amount = 0;
  int32_t kind = kPenaltyAddRaceTime;
};
inline constexpr int kMaxPenalties = 50;
using PenaltyTable = std::array<PenaltyRecord, kMaxPenalties>;

// Every text empty, every amount 0, every kind 1.
void ClearPenaltyTable(PenaltyTable& table);
// The entries before the first one with an empty code.
int CountPenalties(const PenaltyTable& table);

// One race's flags: 1 when the series (or round) holds saved results.
struct TreeviewFlags {
  std::array<std::array<int32_t, kMaxSeriesPerSession>, kMaxSessions> practice{};
  std::array<std::array<int32_t, kMaxSeriesPerSession>, kMaxSessions> qualifying{};
  std::array<int32_t, kMaxRounds> rounds{};
};
using TreeviewFlagsTable = std::array<TreeviewFlags, kMaxRaces>;

Outcome WriteInformationSection(TextFile& file, const EventInformation& info);
// Reads the body at the position FindSection left; returns false when the file ended early.
bool ReadInformationSection(TextFile& file, EventInformation& info);

Outcome WriteTrackSection(TextFile& file, const TrackSettings& track);
bool ReadTrackSection(TextFile& file, TrackSettings& track);

// Whether the list fits its section of the race file: fifty entries whose texts all have their
// full width can take a few bytes more than the section holds. A list that does not fit is refused
// (by the penalties editor for the entry that would overflow, by the main window for a list read
// from the database) with this message, so no list is ever left that cannot be written.
inline constexpr std::string_view kPenaltiesDoNotFit =
    "Error: The list of penalties is too long for the race file. Shorten the names or codes, or "
    "remove a penalty.";
bool PenaltiesFit(const PenaltyTable& table);
Outcome WritePenaltiesSection(TextFile& file, const PenaltyTable& table);
// Reads at most 50 entries into a table the caller cleared; the description is not stored here.
bool ReadPenaltiesSection(TextFile& file, PenaltyTable& table);

void ClearTreeviewFlags(TreeviewFlagsTable& flags);
// The body line: the 171 flags of race 1, then of races 2 and 3.
std::string TreeviewFlagsBody(const TreeviewFlagsTable& flags);
Outcome WriteTreeviewSection(TextFile& file, const TreeviewFlagsTable& flags);
bool ReadTreeviewSection(TextFile& file, TreeviewFlagsTable& flags);

}  // namespace zd
