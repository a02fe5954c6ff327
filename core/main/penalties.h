#pragma once
// Penalties and abandonments applied to a series' results. The live table keeps the results as
// recorded (the board shows them); the saved table is its copy with each car's penalty applied,
// which is what is ranked after the stop and compared when the series is saved.

#include <array>
#include <cstdint>
#include <span>

#include "files/event_sections.h"
#include "main/live_series.h"

namespace zd {

// The penalty index of each slot as the penalty assignment last left it.
using PenaltySlotTable = std::array<int32_t, kMaxSeriesSlots>;

// One car's result, before or after its penalty.
struct PenalisedResult {
  int32_t laps = 0;
  int32_t raceTime = 0;  // ms
  int32_t bestLap = 0;   // ms; 0 when the car has none
  int32_t passings = 0;
};

// The rule of one penalty of kind 1 to 5 on a result whose passing times are passingTimes[0 to
// passings]; the race control and the rankings of the three phases both use it.
//   1: the laps after the first passing within the last amount seconds are removed and the race
//      time becomes that passing's time plus the amount (passings is cut back to it as well);
//   2: the amount is added to the best lap; a car without a best lap keeps none;
//   3: no laps, and the amount as race time;
//   4: the amount as best lap.
//   5: the amount in laps is removed.
// Any other kind changes nothing. Times and laps below 0 become 0. Kinds 1 and 3 leave a result
// without laps as it is.
PenalisedResult PenaliseResult(const PenaltyRecord& penalty, const PenalisedResult& raw,
                               std::span<const int32_t> passingTimes);

// Copies every field of the 50 live slots into the saved ones. A penalty index that designates no
// penalty of the list (the list was shortened since) becomes 0 in both tables and in slots.
void CopySeriesForSave(LiveSeriesTable& live, LiveSeriesTable& saved, PenaltySlotTable& slots,
                       const PenaltyTable& penalties);

// Rewrites the laps, race time, best lap or passings of each saved slot whose live slot carries a
// penalty of the list (index 1 to the list's count), from the live slot's values.
void ApplyPenalties(LiveSeriesTable& saved, const LiveSeriesTable& live,
                    const PenaltyTable& penalties);

}  // namespace zd
