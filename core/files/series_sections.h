#pragma once
// The results of a series in the race file: one section per practice or qualifying series and per
// round, 50 result lines (one per slot) and the three texts of the series.
//
// A line holds the driver name, the penalty index, the passing count n, laps, race time, the last
// lap time, the best lap and the race times at passings 0 to n; the other fields of a slot are
// rebuilt when the series is loaded.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

inline constexpr int kMaxSeriesSlots = 50;
inline constexpr int32_t kMaxPassings = 3000;           // the largest passing capacity of a phase
inline constexpr int kPassingSlots = kMaxPassings + 1;  // index 0: the start of the first lap
inline constexpr int32_t kPracticePassingCapacity = 150;
inline constexpr int32_t kShortRoundCapacity = 1000;
// A round of capacity 1000 run by laps stops after this many hours.
inline constexpr int32_t kShortRoundTimeLimit = 6;
inline constexpr int32_t kLongRoundCapacity = 3000;
// The longest time a series line holds. A day bounds no time: a round of 24 hours goes on until
// its cars end the laps they are on, and one by laps records the passings read as its limit
// passes. Above this bound lie the values the race control and the rankings order with: the
// series' best lap before any lap (1000000000), a missing time and an empty slot.
inline constexpr int32_t kMaxRecordedTime = 999999999;  // 277:46:39.999

// One car's results in one series.
struct SeriesResultEntry {
  FixedText<40> name;  // "(NA)" for an empty slot
  FixedText<7> transponder;
  FixedText<15> club;
  FixedText<5> nationCode;
  FixedText<5> carNumber;
  FixedText<30> category;
  int32_t slotNumber = 0;  // 1 to 50
  int32_t laps = 0;
  int32_t raceTime = 0;  // ms
  int32_t bestLap = 0;   // ms
  int32_t passingCount = 0;
  std::array<int32_t, kPassingSlots> passingTimes{};  // race time at each passing, ms
  std::array<int32_t, kPassingSlots> lapTimes{};      // lap ended by each passing, ms
  std::array<int32_t, kPassingSlots> positions{};     // position after each lap
  int32_t spareTime = 0;      // not in the race file
  int32_t penaltyIndex = 0;  // 0 none; k: entry k of the event's penalty list (1 the abandonment)
  // What follows lives only while the series is loaded; none of it is in the race file.
  int32_t finished = 0;      // FinishFlag
  int32_t passed = 0;
  int32_t newBest = 0;
  int32_t fastestLap = 0;
  int32_t seen = 0;
  int32_t rejectionGap = 0;
  int32_t lastRejectionTime = 0;
  int32_t startOffset = 0;
  // 1 once a passing of the car was recorded in this run: a first passing at exactly 0 ms leaves
  // the start offset and the first lap time at 0, so they cannot tell it.
  int32_t firstPassingTaken = 0;
  // The order in which the cars' last passings were recorded in this run (1 the first; 0 none):
  // two cars timed alike, as the passings of one KV1 read are, rank in the order they crossed.
  int32_t lapOrder = 0;
  int64_t passingTick = 0;
  int64_t elapsedTime = 0;
  int32_t currentLap = 0;
};
// 50 slots of 36 KB each: keep tables of them off the stack.
using SeriesTable = std::array<SeriesResultEntry, kMaxSeriesSlots>;

using RunDescription = FixedText<105>;
using SeriesComment = FixedText<100>;
using TrackCondition = FixedText<7>;

// The three texts that end every series and round section.
struct SeriesTexts {
  RunDescription description;  // "." until the series is started
  SeriesComment comment;       // " " when there is none
  TrackCondition trackCondition;  // "Sec", "Pluie" or "Glace"
};

std::string PracticeSeriesTitle(int race, int session, int series);    // "DadevuDore%dEL%dS%d"
std::string QualifyingSeriesTitle(int race, int session, int series);  // "DadevuDore%dQ%dS%d"
std::string RoundTitle(int race, int round);                           // "DadevuDore%dManche%d"

Outcome WriteSeriesResultsSection(TextFile& file, std::string_view title, const SeriesTable& table,
                                  const SeriesTexts& texts);
// A round section that already exists keeps the capacity on its first line (its region was sized
// for it); passingCapacity, 1 to 3000, is used only to create the section.
Outcome WriteRoundResultsSection(TextFile& file, std::string_view title, const SeriesTable& table,
                                 int32_t passingCapacity, const SeriesTexts& texts);

// Readers, at the position FindSection left, into a table and texts the caller cleared. Only the
// stored fields are filled. Counts are kept within the tables (passings within 0 to 3000, penalty
// indexes within the penalty list, laps within the passing capacity) and times within 0 to
// kMaxRecordedTime or the missing-time and empty-slot markers (others, negative times and numbers
// past the field among them, read as 0, missing); false when a value was malformed or out of
// range, or the file ended early.
bool ReadSeriesResultsSection(TextFile& file, SeriesTable& table, SeriesTexts& texts);
bool ReadRoundResultsSection(TextFile& file, SeriesTable& table, int32_t& passingCapacity,
                             SeriesTexts& texts);

// The capacity on the first line of an existing round section; nothing when the section is
// absent or its first line is not a capacity of 1 to 3000.
std::optional<int32_t> ReadRoundCapacity(TextFile& file, std::string_view title);

}  // namespace zd
