// The statistics of a driver's laps over a lap range, on the six laps of a short run.

#include "analysis/driver_laps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string_view>
#include <tuple>

#include "analysis/driver_charts.h"
#include "driver_entries.h"
#include "main/passing.h"

namespace zd {
namespace {

std::unique_ptr<SeriesResultEntry> Driver(int32_t start, const std::vector<int32_t>& laps) {
  return zd_test::DriverLaps("", start, laps);
}

std::unique_ptr<SeriesResultEntry> SixLaps() { return zd_test::DriverLaps("", 5000, zd_test::SixLaps()); }

using Ten = std::array<int32_t, 10>;

TEST(DriverLaps, TheSixLapsSummary) {
  const auto entry = SixLaps();
  EXPECT_EQ(entry->passingTimes[6], 205810);
  LapSummary s;
  ComputeLapSummary(*entry, s, 1, 6);
  EXPECT_EQ(s.count, 6);
  EXPECT_EQ(s.best, 30480);
  EXPECT_EQ(s.bestLap, 2);  // lap 5 ties and loses
  EXPECT_EQ(s.worst, 45010);
  EXPECT_EQ(s.worstLap, 4);
  EXPECT_EQ(s.average, 33468);
  EXPECT_EQ(s.deviation, 5210);
  EXPECT_EQ(s.edges, (Ten{30400, 30500, 30600, 30900, 31400, 31900, 32400, 33400, 34400, 35400}));
  EXPECT_EQ(s.counts, (Ten{2, 0, 0, 2, 0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(s.shares, (Ten{333, 0, 0, 333, 0, 0, 166, 0, 0, 166}));
}

TEST(DriverLaps, TheSixLapsHistogram) {
  const auto entry = SixLaps();
  LapHistogram h;
  ComputeLapHistogram(*entry, h, 1, 6);
  EXPECT_EQ(h.count, 6);
  EXPECT_EQ(h.best, 30480);
  EXPECT_EQ(h.average, 33468);
  EXPECT_EQ(h.edges[0], 30000);
  EXPECT_EQ(h.edges[39], 37800);
  std::array<int32_t, kHistogramClasses> counts{};
  counts[2] = 2;
  counts[4] = 1;
  counts[6] = 1;
  counts[13] = 1;  // 32600 is the lower edge of class 13
  EXPECT_EQ(h.counts, counts);
  EXPECT_EQ(h.overflow, 1);
}

TEST(DriverLaps, RangeStatisticsOverRanges) {
  const auto entry = SixLaps();
  struct Case {
    int32_t from, to;
    LapRangeStats expected;
  };
  const Case cases[] = {
      {1, 6, {6, 30480, 45010, 33468}},
      {2, 4, {3, 30480, 45010, 35493}},
      {3, 3, {1, 30990, 30990, 30990}},
      {4, 3, {}},  // inverted
      {1, 0, {}},  // the last-lap field cleared
      {0, 6, {}},  // outside the laps
      {1, 7, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
    LapRangeStats r;
    ComputeLapRange(*entry, r, c.from, c.to);
    EXPECT_EQ(r.count, c.expected.count);
    EXPECT_EQ(r.best, c.expected.best);
    EXPECT_EQ(r.worst, c.expected.worst);
    EXPECT_EQ(r.average, c.expected.average);
  }
}

TEST(DriverLaps, ASingleLapRange) {
  const auto entry = SixLaps();
  LapSummary s;
  ComputeLapSummary(*entry, s, 4, 4);
  EXPECT_EQ(s.count, 1);
  EXPECT_EQ(s.best, 45010);
  EXPECT_EQ(s.worst, 45010);
  EXPECT_EQ(s.average, 45010);
  EXPECT_EQ(s.deviation, 0);
  EXPECT_EQ(s.bestLap, 4);
  EXPECT_EQ(s.worstLap, 4);
  EXPECT_EQ(s.counts[0], 1);
  EXPECT_EQ(s.shares[0], 1000);
}

TEST(DriverLaps, EmptyRangesAndNoLapsLeaveEveryFieldZero) {
  const auto six = SixLaps();
  const auto none = Driver(0, {});
  struct Case {
    const SeriesResultEntry* entry;
    int32_t from, to;
  };
  const Case cases[] = {{six.get(), 4, 3}, {six.get(), 1, 0}, {none.get(), 1, 0}, {none.get(), 1, 1},
                        {none.get(), 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.entry->passingCount << " laps " << c.from << ".." << c.to);
    LapSummary s;
    LapHistogram h;
    LapRangeStats r;
    ComputeLapSummary(*c.entry, s, c.from, c.to);
    ComputeLapHistogram(*c.entry, h, c.from, c.to);
    ComputeLapRange(*c.entry, r, c.from, c.to);
    const LapSummary zeroSummary;
    const LapHistogram zeroHistogram;
    const LapRangeStats zeroRange;
    EXPECT_EQ(std::memcmp(&s, &zeroSummary, sizeof s), 0);
    EXPECT_EQ(std::memcmp(&h, &zeroHistogram, sizeof h), 0);
    EXPECT_EQ(std::memcmp(&r, &zeroRange, sizeof r), 0);
  }
}

TEST(DriverLaps, ClassBoundsAndOrigins) {
  // m = 30400: m + 4999 in class 8, m + 5000 in class 9.
  const auto edges = Driver(0, {30400, 35399, 35400});
  LapSummary s;
  ComputeLapSummary(*edges, s, 1, 3);
  EXPECT_EQ(s.counts, (Ten{1, 0, 0, 0, 0, 0, 0, 0, 1, 1}));

  // A best of 29999: m 29900, base 29000.
  const auto best = Driver(0, {29999, 31000});
  LapSummary b;
  LapHistogram h;
  ComputeLapSummary(*best, b, 1, 2);
  ComputeLapHistogram(*best, h, 1, 2);
  EXPECT_EQ(b.edges[0], 29900);
  EXPECT_EQ(h.edges[0], 29000);
  EXPECT_EQ(h.counts[4], 1);   // 29999 in 29800..30000
  EXPECT_EQ(h.counts[10], 1);  // 31000
}

// Laps 3.100, 7.200, 6.870 and 7.010. Started at the signal, lap 1 is the run-up from the signal
// (the board never takes it as a best lap): every figure, class and scale leaves it out, and the
// curve's points all fall inside the chart, on screen and on paper. Timed from the car's own
// crossing, lap 1 is a lap like the others.
TEST(DriverLaps, TheRunUpIsLeftOutOfEveryFigureOrNone) {
  const auto entry = Driver(0, {3100, 7200, 6870, 7010});
  struct Case {
    std::string_view startType;
    int32_t firstLap, count, best, bestLap, worst, average;
    Ten counts, shares;
    int32_t histogramBase;
    std::array<int32_t, 3> histogramClass;  // of 6.870, 7.010 and 7.200
  };
  const Case cases[] = {
      {kStartSoundSignal, 2, 3, 6870, 3, 7200, 21080 / 3, Ten{1, 0, 2, 0, 0, 0, 0, 0, 0, 0},
       Ten{333, 0, 666, 0, 0, 0, 0, 0, 0, 0}, 6000, {4, 5, 6}},
      {kStartSoundSignalBis, 1, 4, 3100, 1, 7200, 24180 / 4, Ten{1, 0, 0, 0, 0, 0, 0, 2, 1, 0},
       Ten{250, 0, 0, 0, 0, 0, 0, 500, 250, 0}, 3000, {19, 20, 21}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.startType);
    const int32_t timed = FirstTimedLap(c.startType);
    EXPECT_EQ(FirstAnalysedLap(1, timed), c.firstLap);
    LapSummary s;
    ComputeLapSummary(*entry, s, 1, 4, timed);
    EXPECT_EQ(s.count, c.count);
    EXPECT_EQ(s.best, c.best);
    EXPECT_EQ(s.bestLap, c.bestLap);
    EXPECT_EQ(s.worst, c.worst);
    EXPECT_EQ(s.worstLap, 2);
    EXPECT_EQ(s.average, c.average);
    EXPECT_GE(s.average, s.best);
    EXPECT_EQ(s.counts, c.counts);
    EXPECT_EQ(s.shares, c.shares);

    LapHistogram h;
    ComputeLapHistogram(*entry, h, 1, 4, timed);
    EXPECT_EQ(h.count, c.count);
    EXPECT_EQ(h.average, c.average);
    EXPECT_EQ(h.edges[0], c.histogramBase);
    int32_t binned = h.overflow;
    for (int32_t k : h.counts) binned += k;
    EXPECT_EQ(binned, c.count);
    for (int32_t k : c.histogramClass) EXPECT_EQ(h.counts[static_cast<std::size_t>(k)], 1) << k;

    LapRangeStats r;
    ComputeLapRange(*entry, r, 1, 4, timed);
    EXPECT_EQ(r.count, c.count);
    EXPECT_EQ(r.best, c.best);
    EXPECT_EQ(r.worst, c.worst);
    const CurveScale scale = ComputeCurveScale(r);
    for (const auto& [frame, top, bottom] : {std::tuple{kScreenCurve, 147, 345},
                                             std::tuple{kPaperCurve, 820, 1078}}) {
      for (int32_t i = 0; i < r.count; ++i) {
        const int32_t y = CurveY(frame, scale, entry->lapTimes[c.firstLap + i]);
        EXPECT_GE(y, top) << "lap " << c.firstLap + i;
        EXPECT_LE(y, frame.y0) << "lap " << c.firstLap + i;
        EXPECT_LE(frame.y0, bottom);
      }
    }
  }
  // A range of the run-up alone holds no lap to analyse.
  LapRangeStats alone;
  ComputeLapRange(*entry, alone, 1, 1, FirstTimedLap(kStartSoundSignal));
  EXPECT_EQ(alone.count, 0);
  EXPECT_EQ(alone.best, 0);
}

}  // namespace
}  // namespace zd
