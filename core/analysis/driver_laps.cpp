#include "analysis/driver_laps.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zd {

namespace {

struct Common {
  int32_t count = 0;
  int32_t best = 0;
  int32_t worst = 0;
  int32_t average = 0;
  int32_t bestLap = 0;
  int32_t worstLap = 0;
};

// An edge as shown: past the largest int it stands at it (the classes are found in 64 bits).
int32_t Edge(int64_t t) { return static_cast<int32_t>(std::min<int64_t>(t, INT32_MAX)); }

bool InRange(const SeriesResultEntry& entry, int32_t from, int32_t to) {
  const int32_t n = entry.passingCount;
  return n > 0 && n <= kMaxPassings && from >= 1 && to >= from && to <= n;
}

// Count, average from the race times, and the first best and worst laps of the range.
Common CommonPart(const SeriesResultEntry& entry, int32_t from, int32_t to) {
  Common c;
  c.count = to - from + 1;
  c.average = static_cast<int32_t>(
      (int64_t{entry.passingTimes[to]} - entry.passingTimes[from - 1]) / c.count);
  // From the range's own first lap, so that a damaged file's lap beyond any marker still has
  // its place as best or worst.
  c.best = c.worst = entry.lapTimes[from];
  c.bestLap = c.worstLap = from;
  for (int32_t i = from + 1; i <= to; ++i) {
    const int32_t lap = entry.lapTimes[i];
    if (lap < c.best) {
      c.best = lap;
      c.bestLap = i;
    }
    if (lap > c.worst) {
      c.worst = lap;
      c.worstLap = i;
    }
  }
  return c;
}

}  // namespace

int32_t FirstAnalysedLap(int32_t from, int32_t firstTimedLap) {
  // A first lap outside the laps stays outside: the range is then empty.
  return from >= 1 && from < firstTimedLap ? firstTimedLap : from;
}

void DeriveLapTimes(SeriesResultEntry& entry) {
  entry.lapTimes[0] = 0;
  const int32_t n = std::min(entry.passingCount, kMaxPassings);
  for (int32_t i = 1; i <= n; ++i) {
    entry.lapTimes[i] = static_cast<int32_t>(int64_t{entry.passingTimes[i]} - entry.passingTimes[i - 1]);
  }
}

void ComputeLapSummary(const SeriesResultEntry& entry, LapSummary& summary, int32_t from,
                       int32_t to, int32_t firstTimedLap) {
  from = FirstAnalysedLap(from, firstTimedLap);
  if (!InRange(entry, from, to)) return;
  const Common c = CommonPart(entry, from, to);
  summary.count = c.count;
  summary.best = c.best;
  summary.worst = c.worst;
  summary.average = c.average;
  summary.bestLap = c.bestLap;
  summary.worstLap = c.worstLap;

  long double sum = 0;
  for (int32_t i = from; i <= to; ++i) {
    const long double d = static_cast<long double>(entry.lapTimes[i]) - c.average;
    sum += d * d / c.count;
  }
  summary.deviation = static_cast<int32_t>(std::sqrt(sum));

  static constexpr std::array<int32_t, kSummaryClasses> kOffsets = {0,    100,  200,  500,  1000,
                                                                     1500, 2000, 3000, 4000, 5000};
  const int32_t m = c.best / 100 * 100;
  for (int k = 0; k < kSummaryClasses; ++k) summary.edges[k] = Edge(int64_t{m} + kOffsets[k]);
  for (int32_t i = from; i <= to; ++i) {
    const int32_t lap = entry.lapTimes[i];
    for (int k = kSummaryClasses - 1; k >= 0; --k) {
      if (lap >= int64_t{m} + kOffsets[k]) {
        ++summary.counts[k];
        break;
      }
    }
  }
  for (int k = 0; k < kSummaryClasses; ++k) {
    summary.shares[k] = static_cast<int32_t>(int64_t{summary.counts[k]} * 1000 / c.count);
  }
}

void ComputeLapHistogram(const SeriesResultEntry& entry, LapHistogram& histogram, int32_t from,
                         int32_t to, int32_t firstTimedLap) {
  from = FirstAnalysedLap(from, firstTimedLap);
  if (!InRange(entry, from, to)) return;
  const Common c = CommonPart(entry, from, to);
  histogram.count = c.count;
  histogram.best = c.best;
  histogram.average = c.average;
  const int32_t base = c.best / 1000 * 1000;
  for (int k = 0; k < kHistogramEdges; ++k)
    histogram.edges[k] = Edge(int64_t{base} + kHistogramClassWidth * k);
  for (int32_t i = from; i <= to; ++i) {
    const int64_t above = int64_t{entry.lapTimes[i]} - base;
    if (above < 0) continue;  // a negative best of a damaged file rounds up to the base
    const int64_t k = above / kHistogramClassWidth;
    if (k >= kHistogramClasses) {
      ++histogram.overflow;
    } else {
      ++histogram.counts[static_cast<std::size_t>(k)];
    }
  }
}

void ComputeLapRange(const SeriesResultEntry& entry, LapRangeStats& stats, int32_t from, int32_t to,
                     int32_t firstTimedLap) {
  from = FirstAnalysedLap(from, firstTimedLap);
  if (!InRange(entry, from, to)) return;
  const Common c = CommonPart(entry, from, to);
  stats.count = c.count;
  stats.best = c.best;
  stats.worst = c.worst;
  stats.average = c.average;
}

}  // namespace zd
