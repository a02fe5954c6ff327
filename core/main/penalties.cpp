#include "main/penalties.h"

#include <algorithm>
#include <limits>

namespace zd {

namespace {

// Amounts are whole seconds of any size the penalties database holds: work in 64 bits and keep
// the result within what a slot stores.
int32_t NonNegative(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

bool NamesPenalty(int32_t index, int count) { return index >= 1 && index <= count; }

}  // namespace

PenalisedResult PenaliseResult(const PenaltyRecord& penalty, const PenalisedResult& raw,
                               std::span<const int32_t> passingTimes) {
  PenalisedResult out = raw;
  const int64_t amountMs = int64_t{penalty.amount} * 1000;
  // A car without laps has no race time to add to or to replace: it keeps the rank of a missing
  // time, behind every car with laps and among the others without, on the board and in every
  // ranking alike.
  const bool timesRaceTime =
      penalty.kind == kPenaltyAddRaceTime || penalty.kind == kPenaltyReplaceRaceTime;
  if (timesRaceTime && raw.laps <= 0) return out;
  switch (penalty.kind) {
    case kPenaltyAddRaceTime: {
      if (passingTimes.empty()) break;
      const int32_t last = static_cast<int32_t>(passingTimes.size()) - 1;
      const int32_t n = std::clamp(raw.passings, 0, last);
      const int64_t lastTime = passingTimes[n];
      const int64_t cutOff = lastTime - amountMs;
      // The first passing at or after the cut-off; a cut-off after the last passing (a negative
      // amount) keeps every passing.
      int32_t k = 0;
      if (n > 0 && cutOff > passingTimes[0]) {
        k = n;
        for (int32_t i = 1; i <= n; ++i) {
          if (passingTimes[i] >= cutOff) {
            k = i;
            break;
          }
        }
      }
      out.passings = k;
      out.laps = NonNegative(int64_t{k} + raw.laps - n);
      out.raceTime = NonNegative(passingTimes[k] + amountMs + (int64_t{raw.raceTime} - lastTime));
      break;
    }
    case kPenaltyAddBestLap:
      // No best lap stays no best lap: a few seconds would put the car first by best lap.
      if (raw.bestLap != 0) out.bestLap = NonNegative(raw.bestLap + amountMs);
      break;
    case kPenaltyReplaceRaceTime:
      out.laps = 0;
      out.raceTime = NonNegative(amountMs);
      break;
    case kPenaltyReplaceBestLap:
      out.bestLap = NonNegative(amountMs);
      break;
    case kPenaltyRemoveLaps:
      out.laps = NonNegative(int64_t{raw.laps} - penalty.amount);
      break;
    default:
      break;
  }
  return out;
}

void CopySeriesForSave(LiveSeriesTable& live, LiveSeriesTable& saved, PenaltySlotTable& slots,
                       const PenaltyTable& penalties) {
  const int count = CountPenalties(penalties);
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    saved[i] = live[i];
    if (live[i].penaltyIndex != 0 && !NamesPenalty(live[i].penaltyIndex, count)) {
      live[i].penaltyIndex = 0;
      saved[i].penaltyIndex = 0;
      slots[i] = 0;
    }
  }
}

void ApplyPenalties(LiveSeriesTable& saved, const LiveSeriesTable& live,
                    const PenaltyTable& penalties) {
  const int count = CountPenalties(penalties);
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    const SeriesResultEntry& l = live[i];
    if (!NamesPenalty(l.penaltyIndex, count)) continue;
    const PenalisedResult out =
        PenaliseResult(penalties[l.penaltyIndex - 1],
                       PenalisedResult{l.laps, l.raceTime, l.bestLap, l.passingCount},
                       l.passingTimes);
    SeriesResultEntry& s = saved[i];
    s.laps = out.laps;
    s.raceTime = out.raceTime;
    s.bestLap = out.bestLap;
    s.passingCount = out.passings;
  }
}

}  // namespace zd
