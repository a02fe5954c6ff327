#pragma once
// The statistics of one driver's laps over a lap range: a summary with ten classes, a histogram of
// 200 ms classes and the four figures that scale the lap-time curve. The entry holds the passing
// count n, the race times at passings 0 to n and the lap times 1 to n derived from them.

#include <array>
#include <cstdint>

#include "files/series_sections.h"

namespace zd {

inline constexpr int kSummaryClasses = 10;
inline constexpr int kHistogramEdges = 40;
inline constexpr int kHistogramClasses = 39;
inline constexpr int32_t kHistogramClassWidth = 200;  // ms

struct LapSummary {
  int32_t count = 0;
  int32_t best = 0;
  int32_t worst = 0;
  int32_t average = 0;
  int32_t deviation = 0;
  int32_t bestLap = 0;
  int32_t worstLap = 0;
  std::array<int32_t, kSummaryClasses> edges{};
  std::array<int32_t, kSummaryClasses> counts{};
  std::array<int32_t, kSummaryClasses> shares{};  // per mille of count
};

struct LapHistogram {
  int32_t count = 0;
  int32_t best = 0;
  int32_t average = 0;
  std::array<int32_t, kHistogramEdges> edges{};  // edges[0] is the base, a whole second
  std::array<int32_t, kHistogramClasses> counts{};
  int32_t overflow = 0;  // laps at or above edges[39]
};

struct LapRangeStats {
  int32_t count = 0;
  int32_t best = 0;
  int32_t worst = 0;
  int32_t average = 0;
};

// The lap range from..to (lap numbers from 1) of the entry's laps. firstTimedLap is the first lap
// the race control times as a lap of its own (FirstTimedLap of the start type): a run-up from the
// start signal began before the line, so it is left out of every figure, class and scale, and the
// range analysed begins at FirstAnalysedLap. An empty or inverted range, a range outside 1..n and
// a driver without laps leave the record as given (all zeros). Each call expects a zeroed record:
// the class counts are added to it.
void ComputeLapSummary(const SeriesResultEntry& entry, LapSummary& summary, int32_t from,
                       int32_t to, int32_t firstTimedLap = 1);
void ComputeLapHistogram(const SeriesResultEntry& entry, LapHistogram& histogram, int32_t from,
                         int32_t to, int32_t firstTimedLap = 1);
void ComputeLapRange(const SeriesResultEntry& entry, LapRangeStats& stats, int32_t from, int32_t to,
                     int32_t firstTimedLap = 1);

// The first lap of from..to that the figures take: from, or the first timed lap after a run-up.
int32_t FirstAnalysedLap(int32_t from, int32_t firstTimedLap);

// lap[i] = cum[i] - cum[i - 1] for i = 1..n, and lap[0] = 0.
void DeriveLapTimes(SeriesResultEntry& entry);

}  // namespace zd
