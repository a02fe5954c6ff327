// The geometry of the driver results charts, checked on the six laps of a short run and on the
// lap counts where the choices of ticks and labels change.

#include "analysis/driver_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "driver_entries.h"
#include "files/handover_files.h"

namespace zd {
namespace {

std::unique_ptr<SeriesResultEntry> Driver(int32_t start, const std::vector<int32_t>& laps) {
  return zd_test::DriverLaps("", start, laps);
}

std::unique_ptr<SeriesResultEntry> SixLaps() { return zd_test::DriverLaps("", 5000, zd_test::SixLaps()); }

TEST(DriverCharts, HistogramScaleTopOnScreenAndOnPaper) {
  struct Case {
    int32_t largest, screen, paper;
  };
  const Case cases[] = {{0, 0, 0},      {7, 7, 7},        {10, 10, 10},    {11, 20, 20},
                        {20, 30, 30},   {99, 100, 100},   {100, 100, 200}, {101, 200, 200},
                        {150, 200, 200}, {200, 300, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.largest);
    EXPECT_EQ(HistogramScaleTop(c.largest, ChartMedium::Screen), c.screen);
    EXPECT_EQ(HistogramScaleTop(c.largest, ChartMedium::Paper), c.paper);
  }
  // The overflow counts as a class.
  LapHistogram h;
  h.counts[3] = 4;
  h.overflow = 12;
  EXPECT_EQ(HistogramScaleTop(h, ChartMedium::Screen), 20);
}

TEST(DriverCharts, CurveScaleFromTheRange) {
  struct Case {
    int32_t best, worst;
    CurveScale expected;
  };
  const Case cases[] = {{30480, 45010, {30000, 46000, 33, 21}}, {30480, 30999, {30000, 31000, 3, 3}}};
  for (const Case& c : cases) {
    LapRangeStats stats{6, c.best, c.worst, 0};
    const CurveScale s = ComputeCurveScale(stats);
    EXPECT_EQ(s.lower, c.expected.lower);
    EXPECT_EQ(s.upper, c.expected.upper);
    EXPECT_EQ(s.steps, c.expected.steps);
    EXPECT_EQ(s.lines, c.expected.lines);
  }
}

TEST(DriverCharts, TheSixLapsHistogram) {
  const auto entry = SixLaps();
  LapHistogram h;
  ComputeLapHistogram(*entry, h, 1, 6);
  const int32_t top = HistogramScaleTop(h, ChartMedium::Screen);
  ASSERT_EQ(top, 2);

  const std::vector<HistogramLevel> levels = HistogramLevels(top, kScreenHistogram.y0);
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_EQ(levels[0].y, 245);
  EXPECT_EQ(levels[0].label, 1);
  EXPECT_EQ(levels[1].y, 165);
  EXPECT_EQ(levels[1].label, 2);
  EXPECT_FALSE(levels[0].halfTickY);

  struct Bar {
    int j, left, top, right;
  };
  const Bar bars[] = {{2, 106, 165, 119}, {4, 134, 245, 147}, {13, 260, 245, 273}, {39, 624, 245, 637}};
  for (const Bar& b : bars) {
    SCOPED_TRACE(b.j);
    const auto bar = HistogramBar(kScreenHistogram, b.j, HistogramClassCount(h, b.j), top);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->left, b.left);
    EXPECT_EQ(bar->top, b.top);
    EXPECT_EQ(bar->right, b.right);
    EXPECT_EQ(bar->bottom, 325);
  }
  EXPECT_FALSE(HistogramBar(kScreenHistogram, 3, HistogramClassCount(h, 3), top));
  EXPECT_FALSE(HistogramBar(kScreenHistogram, 2, 2, 0));  // no scale, no bars
  EXPECT_EQ(HistogramTimeX(kScreenHistogram, h.edges[0], h.average), 320);
}

TEST(DriverCharts, HistogramLevelsFromElevenOn) {
  const std::vector<HistogramLevel> levels = HistogramLevels(30, 325);
  ASSERT_EQ(levels.size(), 5u);
  const int32_t labels[] = {6, 12, 18, 24, 30};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(levels[k].y, 325 - 32 * (k + 1));
    EXPECT_EQ(levels[k].label, labels[k]);
    EXPECT_EQ(levels[k].halfTickY, 325 + 16 - 32 * (k + 1));
  }
  EXPECT_EQ(HistogramLevels(7, 325).size(), 7u);
  EXPECT_TRUE(HistogramLevels(0, 325).empty());
}

TEST(DriverCharts, TheSixLapsCurve) {
  const auto entry = SixLaps();
  LapRangeStats stats;
  ComputeLapRange(*entry, stats, 1, 6);
  const CurveScale scale = ComputeCurveScale(stats);
  ASSERT_TRUE(CurveDrawable(stats, scale));
  const int32_t xs[] = {78, 168, 258, 348, 438, 528};
  const int32_t ys[] = {309, 317, 312, 176, 317, 296};
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(CurveX(kScreenCurve, i, stats.count), xs[i]);
    EXPECT_EQ(CurveY(kScreenCurve, scale, entry->lapTimes[1 + i]), ys[i]);
  }
  EXPECT_EQ(CurveGridY(kScreenCurve, scale, 21), 165);
  // Every fifth level from 33 steps: 30.0, 33.0, 36.0 ...
  const std::vector<CurveTimeLabel> labels = CurveTimeLabels(kScreenCurve, scale);
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_EQ(labels[1].value, 33000);
  EXPECT_EQ(labels[0].y, 325 - 7 - 160 / 33);
}

TEST(DriverCharts, CurveWithinOneSecond) {
  const CurveScale scale = ComputeCurveScale({2, 30480, 30999, 30739});
  const std::vector<CurveTimeLabel> labels = CurveTimeLabels(kScreenCurve, scale);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].value, 30000);
  EXPECT_EQ(labels[1].value, 30500);
  EXPECT_EQ(labels[2].value, 31000);
  EXPECT_EQ(labels[2].y, 325 - 7 - 160);
}

TEST(DriverCharts, LapTicksAndLabelsByLapCount) {
  struct Case {
    int32_t count, i, lap;
    LapTick tick;
    bool screenLabel, paperLabel;
  };
  const Case cases[] = {
      {19, 6, 7, LapTick::Long, true, true},
      {20, 6, 7, LapTick::Short, false, false},
      {20, 9, 10, LapTick::Long, true, true},
      {99, 6, 7, LapTick::Short, false, false},
      {99, 94, 95, LapTick::Long, true, true},
      {100, 6, 7, LapTick::None, false, false},
      {100, 9, 10, LapTick::Short, false, false},
      {100, 24, 25, LapTick::Long, true, true},
      {100, 99, 100, LapTick::Long, false, true},  // the last labels only on paper
      {499, 494, 500, LapTick::Long, false, true},  // from 6
      {499, 449, 450, LapTick::Long, true, true},
      {500, 24, 25, LapTick::Short, false, false},
      {500, 124, 125, LapTick::Long, true, true},
      {500, 499, 500, LapTick::Long, false, false},
      {1000, 974, 1000, LapTick::Long, true, true},  // 26 laps before the end
      {1000, 975, 1000, LapTick::Long, false, false},
      {2499, 2374, 2375, LapTick::Long, true, true},
      {2499, 2480, 2500, LapTick::Long, false, false},
      {2500, 124, 125, LapTick::Long, false, false},
      {2500, 249, 250, LapTick::Long, true, true},
      {2500, 2449, 2450, LapTick::Short, false, false},
      {2500, 2249, 2250, LapTick::Long, true, true},
      {2500, 2499, 2500, LapTick::Long, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " laps, lap " << c.lap);
    EXPECT_EQ(CurveLapTick(c.count, c.lap), c.tick);
    EXPECT_EQ(CurveLapLabelShown(c.count, c.i, c.lap, ChartMedium::Screen), c.screenLabel);
    EXPECT_EQ(CurveLapLabelShown(c.count, c.i, c.lap, ChartMedium::Paper), c.paperLabel);
  }
}

TEST(DriverCharts, LapsOfHoursStayWithin64Bits) {
  // A lap of 22 hours in the range.
  const int32_t longLap = 22 * 3600 * 1000;
  EXPECT_EQ(HistogramTimeX(kScreenHistogram, 30000, longLap),
            78 + static_cast<int32_t>((int64_t{longLap} - 30000) * 35 / 500));
  const auto entry = Driver(0, {30480, longLap});
  LapRangeStats stats;
  ComputeLapRange(*entry, stats, 1, 2);
  const CurveScale scale = ComputeCurveScale(stats);
  ASSERT_GT(scale.steps, 21);
  EXPECT_EQ(scale.lines, 21);
  EXPECT_EQ(CurveY(kScreenCurve, scale, longLap), 325 - 158);
  EXPECT_EQ(CurveY(kScreenCurve, scale, 30480), 325);
  // No division by a zero scale.
  EXPECT_EQ(CurveY(kScreenCurve, CurveScale{}, 30000), 0);
  EXPECT_TRUE(CurveTimeLabels(kScreenCurve, CurveScale{}).empty());
  EXPECT_EQ(CurveX(kScreenCurve, 0, 0), 78);
  EXPECT_FALSE(CurveDrawable(LapRangeStats{}, ComputeCurveScale(LapRangeStats{})));
}

TEST(DriverCharts, HoverCatchesAndReleasesAPoint) {
  const auto entry = SixLaps();
  LapRangeStats stats;
  ComputeLapRange(*entry, stats, 1, 6);
  const CurveScale scale = ComputeCurveScale(stats);
  struct Move {
    int32_t x, y;
    bool changed;
    int32_t hovering, index;
  };
  // Point 1 at (168, 317), point 3 at (348, 176).
  const Move moves[] = {
      {170, 317, false, 0, 0},  // 2 across: not caught
      {168, 321, false, 0, 0},  // 4 down: not caught
      {169, 320, true, 1, 1},   // within 1 and 3
      {170, 321, false, 1, 1},  // held within 2 and 4
      {171, 317, true, 0, 1},   // released beyond 2
      {348, 179, true, 1, 3},
      {348, 181, true, 0, 3},   // released beyond 4
  };
  CurveHover hover;
  for (const Move& m : moves) {
    SCOPED_TRACE(testing::Message() << m.x << "," << m.y);
    EXPECT_EQ(TrackCurveHover(hover, m.x, m.y, *entry, 1, stats, scale), m.changed);
    EXPECT_EQ(hover.hovering, m.hovering);
    if (m.hovering) {
      EXPECT_EQ(hover.index, m.index);
    }
    EXPECT_EQ(hover.x, m.x);
  }

  // A range of 99 laps is hovered and labelled, one of 100 never.
  for (int32_t count : {99, 100}) {
    SCOPED_TRACE(count);
    const auto driver = Driver(0, std::vector<int32_t>(static_cast<std::size_t>(count), 30000));
    LapRangeStats many;
    ComputeLapRange(*driver, many, 1, count);
    const CurveScale flat = ComputeCurveScale(many);
    CurveHover first;
    const int32_t y = CurveY(kScreenCurve, flat, 30000);
    EXPECT_EQ(TrackCurveHover(first, CurveX(kScreenCurve, 0, count), y, *driver, 1, many, flat),
              count == 99);
    EXPECT_EQ(first.hovering, count == 99 ? 1 : 0);
    EXPECT_EQ(CurveHoverLabelShown(CurveHover{1, 0, 78, y}, many, flat), count == 99);
  }

  // A point caught in a range that then shrank is no label.
  CurveHover stale{1, 5, 528, 296};
  LapRangeStats three;
  ComputeLapRange(*entry, three, 1, 3);
  EXPECT_FALSE(CurveHoverLabelShown(stale, three, ComputeCurveScale(three)));
  EXPECT_TRUE(CurveHoverLabelShown(stale, stats, scale));
}

TEST(DriverCharts, LapsOfHoursCannotBeHovered) {
  const auto entry = Driver(0, {30000, kCurveLapLimit, 30000});
  LapRangeStats stats;
  ComputeLapRange(*entry, stats, 1, 3);
  const CurveScale scale = ComputeCurveScale(stats);
  CurveHover hover;
  const int32_t x = CurveX(kScreenCurve, 1, 3);
  const int32_t y = CurveY(kScreenCurve, scale, kCurveLapLimit);
  EXPECT_FALSE(TrackCurveHover(hover, x, y, *entry, 1, stats, scale));
}

TEST(DriverCharts, HoverLabelStaysInsideTheChart) {
  struct Case {
    int32_t x, y, left, top, textX, textY;
  };
  const Case cases[] = {
      {300, 250, 255, 220, 300, 227},  // free
      {40, 250, 30, 220, 75, 227},     // left edge
      {640, 250, 560, 220, 605, 227},  // right edge
      {300, 150, 255, 147, 300, 154},  // top edge
      {300, 400, 255, 315, 300, 322},  // below the chart
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    const HoverLabelPlace p = CurveHoverLabelPlace({1, 0, c.x, c.y});
    EXPECT_EQ(p.ellipse.left, c.left);
    EXPECT_EQ(p.ellipse.top, c.top);
    EXPECT_EQ(p.ellipse.right, c.left + 90);
    EXPECT_EQ(p.ellipse.bottom, c.top + 30);
    EXPECT_EQ(p.textX, c.textX);
    EXPECT_EQ(p.textY, c.textY);
  }
}

// "moy" 20 wide and the value 35, between the axis title ending at 79 and the chart's end at 648:
// the label never overlaps the title nor runs past the chart (8.082 over a base of 8.000 put
// "moy" over "Tours").
TEST(DriverCharts, TheAverageLabelKeepsClearOfTheTitleAndTheEdge) {
  struct Case {
    const char* what;
    int32_t x, moyRight, valueLeft;
  };
  const Case cases[] = {
      {"either side of the line", 320, 317, 322},
      {"near the time origin: both right of the line", 83, 105, 109},
      {"near the end: both left of the line", 630, 588, 592},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AverageLabelPlace p = HistogramAverageLabel(c.x, 20, 35, 79, 648);
    EXPECT_EQ(p.moyRight, c.moyRight);
    EXPECT_EQ(p.valueLeft, c.valueLeft);
    EXPECT_GE(p.moyRight - 20, 79);
    EXPECT_LE(p.valueLeft + 35, 648);
    EXPECT_TRUE(p.moyRight <= p.valueLeft || p.valueLeft + 35 <= p.moyRight - 20);
  }
}

}  // namespace
}  // namespace zd

namespace zd {
namespace {

class DriverFileNear2To31Test : public test::DataFolderTest {};

// A damaged or hand-edited "ResultatPilote.res" with laps near 2^31 ms, read as the driver
// results window reads it: every figure of the summary, the histogram and the curve is formed
// within int, the classes are still found, and the curve spans the laps.
TEST_F(DriverFileNear2To31Test, SummaryHistogramAndCurveStayWithinInt) {
  struct Case {
    std::string passings;  // n, then the race times at passings 0 to n
    int32_t best, worst;
    int32_t summaryClass;  // of the worst lap
    int32_t histogramClass;  // of the worst lap; 39: the overflow
  };
  const Case cases[] = {
      {"1\t0\t2147483647\t", 2147483647, 2147483647, 0, 3},
      {"1\t0\t2147476500\t", 2147476500, 2147476500, 0, 2},
      {"2\t0\t0\t2147483647\t", 0, 2147483647, 9, 39},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.passings);
    test::WriteBytes(file(std::string(kDriverResultFile)),
                     "Pilote\t" + c.passings + "\r\nDadevuDore1Manche1\tPiste\t.\t\r\n");
    auto entry = std::make_unique<SeriesResultEntry>();
    SeriesTitle title;
    FixedText<40> track;
    RunDescription description;
    ASSERT_TRUE(ReadDriverResultFile(*entry, title, track, description));
    DeriveLapTimes(*entry);
    const int32_t n = entry->passingCount;

    LapSummary summary;
    ComputeLapSummary(*entry, summary, 1, n);
    EXPECT_EQ(summary.best, c.best);
    EXPECT_EQ(summary.worst, c.worst);
    EXPECT_TRUE(std::is_sorted(summary.edges.begin(), summary.edges.end()));
    EXPECT_EQ(summary.edges[0], c.best / 100 * 100);
    EXPECT_EQ(summary.counts[static_cast<std::size_t>(c.summaryClass)], 1);
    int32_t counted = 0;
    for (int32_t k : summary.counts) counted += k;
    EXPECT_EQ(counted, n);

    LapHistogram histogram;
    ComputeLapHistogram(*entry, histogram, 1, n);
    EXPECT_TRUE(std::is_sorted(histogram.edges.begin(), histogram.edges.end()));
    EXPECT_EQ(histogram.edges[0], c.best / 1000 * 1000);
    EXPECT_EQ(HistogramClassCount(histogram, c.histogramClass), 1);
    EXPECT_GE(HistogramTickTime(histogram.edges[0], 15), histogram.edges[0]);

    LapRangeStats stats;
    ComputeLapRange(*entry, stats, 1, n);
    const CurveScale scale = ComputeCurveScale(stats);
    EXPECT_LE(scale.lower, c.best);
    EXPECT_GE(scale.upper, c.worst);
    ASSERT_TRUE(CurveDrawable(stats, scale));
    EXPECT_LE(scale.lines, 21);
    for (int32_t lap = 1; lap <= n; ++lap) {
      const int32_t y = CurveY(kScreenCurve, scale, entry->lapTimes[lap]);
      EXPECT_LE(y, kScreenCurve.y0);
      EXPECT_GE(y, kScreenCurve.y0 - kChartHeight);
    }
    for (const CurveTimeLabel& label : CurveTimeLabels(kScreenCurve, scale))
      EXPECT_GE(label.value, scale.lower);
  }
}

}  // namespace
}  // namespace zd
