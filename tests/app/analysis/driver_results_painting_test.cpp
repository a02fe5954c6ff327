#include "gtest_win32.h"

#include <string>

#include "analysis/driver_charts.h"
#include "analysis/driver_results_painting.h"
#include "../../analysis/driver_entries.h"
#include "live/board_canvas.h"

// The three views of the driver results window drawn into a picture in memory, then read pixel
// by pixel, on the six laps of a short run.

namespace {

using zd_test::BoardCanvas;

constexpr COLORREF kCanvas = RGB(1, 2, 3);  // a colour that nothing draws
constexpr COLORREF kCurve = RGB(0, 180, 100);
constexpr COLORREF kBar = RGB(250, 250, 180);

class DriverResultsPainting : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(canvas_.valid()); }

  zd::DriverPaintInputs Inputs(int32_t position = 0) const { return {six_.get(), position}; }
  bool Near(int x, int y, COLORREF colour, int d = 1) const {
    return canvas_.Count({x - d, y - d, x + d + 1, y + d + 1}, colour) > 0;
  }
  int DarkIn(RECT r) const { return canvas_.Count(r, zd_test::Dark); }
  void Save(const char* name) const {
    EXPECT_TRUE(canvas_.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name));
  }

  BoardCanvas canvas_{700, 460, kCanvas};
  std::unique_ptr<zd::SeriesResultEntry> six_ = zd_test::DriverLaps("Alain", 5000, zd_test::SixLaps());
};

TEST_F(DriverResultsPainting, HistogramBarsTicksAndAverage) {
  zd::LapHistogram h;
  zd::ComputeLapHistogram(*six_, h, 1, 6);
  zd::PaintLapHistogram(canvas_.dc(), Inputs(), h, 2);
  Save("driver_histogram.png");

  // Unit grid lines at 245 and 165.
  EXPECT_EQ(canvas_.At(400, 245), RGB(220, 220, 50));
  EXPECT_EQ(canvas_.At(400, 165), RGB(220, 220, 50));
  EXPECT_EQ(canvas_.At(400, 205), RGB(250, 250, 250));
  // Bar 2: outlined from x 106, filled, up to 165; the next pixel right of it is the chart's.
  EXPECT_EQ(canvas_.At(106, 200), RGB(0, 0, 0));
  EXPECT_EQ(canvas_.At(112, 200), kBar);
  EXPECT_EQ(canvas_.At(112, 165), RGB(0, 0, 0));
  EXPECT_EQ(canvas_.At(112, 163), RGB(250, 250, 250));
  EXPECT_EQ(canvas_.At(120, 200), RGB(250, 250, 250));
  // Bars 4 and 13 rise to 245, the overflow stands at 624.
  EXPECT_EQ(canvas_.At(140, 260), kBar);
  EXPECT_EQ(canvas_.At(266, 260), kBar);
  EXPECT_EQ(canvas_.At(140, 230), RGB(250, 250, 250));
  EXPECT_EQ(canvas_.At(624, 280), RGB(0, 0, 0));
  EXPECT_EQ(canvas_.At(630, 280), kBar);
  // The average at 320, its label on either side.
  EXPECT_EQ(canvas_.At(320, 200), RGB(150, 150, 0));
  EXPECT_GT(DarkIn({290, 147, 318, 162}), 0);  // "moy"
  EXPECT_GT(DarkIn({322, 147, 370, 162}), 0);  // 33.468
  // The driver's name in the title area.
  EXPECT_GT(DarkIn({300, 40, 380, 75}), 0);
}

// An average of 8.082 over a base of 8.000 puts its line 5 pixels right of the time origin:
// "moy" and the value then stand right of the line, clear of the axis title "Tours" ending at 75.
TEST_F(DriverResultsPainting, TheAverageLabelKeepsClearOfTheAxisTitle) {
  const auto laps = zd_test::DriverLaps("Alain", 0, {8050, 8100, 8096});
  zd::LapHistogram h;
  zd::ComputeLapHistogram(*laps, h, 1, 3);
  ASSERT_EQ(h.average, 8082);
  zd::PaintLapHistogram(canvas_.dc(), {laps.get(), 0}, h,
                        zd::HistogramScaleTop(h, zd::ChartMedium::Screen));
  Save("driver_histogram_low_average.png");
  EXPECT_GT(DarkIn({40, 147, 76, 162}), 0);   // "Tours"
  EXPECT_EQ(DarkIn({76, 147, 85, 157}), 0);   // nothing between the title and the label
  EXPECT_GT(DarkIn({85, 147, 160, 162}), 0);  // "moy 8.082"
}

// The run-up of a start at the signal (3.100 of laps 3.100, 7.200, 6.870, 7.010) is no point of
// the curve: every point and segment stays inside the chart; timed from the car's own crossing,
// lap 1 is a point like the others, inside too.
TEST_F(DriverResultsPainting, TheCurveStaysInsideItsChartWithOrWithoutARunUp) {
  const auto laps = zd_test::DriverLaps("Alain", 0, {3100, 7200, 6870, 7010});
  for (int32_t firstTimedLap : {2, 1}) {
    SCOPED_TRACE(firstTimedLap);
    BoardCanvas canvas{700, 460, kCanvas};
    zd::PaintLapTimeCurve(canvas.dc(), {laps.get(), 0}, 1, 4, {}, firstTimedLap);
    const int inside = canvas.Count({30, 147, 650, 345}, kCurve);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(canvas.Count({0, 0, 700, 460}, kCurve), inside);
    if (firstTimedLap == 2) {
      EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/driver_curve_run_up.png"));
    }
  }
}

TEST_F(DriverResultsPainting, AnEmptyHistogramShowsItsAxesOnly) {
  zd::LapHistogram empty;
  zd::PaintLapHistogram(canvas_.dc(), Inputs(), empty, 0);
  EXPECT_EQ(canvas_.Count({30, 147, 650, 345}, kBar), 0);
  EXPECT_EQ(canvas_.Count({30, 147, 650, 345}, RGB(150, 150, 0)), 0);
  EXPECT_EQ(canvas_.Count({30, 147, 650, 345}, RGB(220, 220, 50)), 0);
  EXPECT_EQ(canvas_.At(300, 325), RGB(0, 0, 0));  // the x axis
  EXPECT_EQ(DarkIn({200, 147, 600, 165}), 0);       // no average label
}

TEST_F(DriverResultsPainting, CurvePointsOfTheSixLaps) {
  zd::PaintLapTimeCurve(canvas_.dc(), Inputs(), 1, 6, {}, 1);
  Save("driver_curve.png");
  const int xs[] = {78, 168, 258, 348, 438, 528};
  const int ys[] = {309, 317, 312, 176, 317, 296};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(Near(xs[i], ys[i], kCurve));
  }
  // Between points 2 and 3 the line climbs; nothing green far from it.
  EXPECT_TRUE(Near(303, 244, kCurve, 2));
  EXPECT_EQ(canvas_.Count({30, 147, 70, 345}, kCurve), 0);
  EXPECT_EQ(canvas_.Count({540, 147, 650, 345}, kCurve), 0);
}

TEST_F(DriverResultsPainting, CurveHoverLabel) {
  zd::CurveHover hover{1, 3, 348, 176};
  zd::PaintLapTimeCurve(canvas_.dc(), Inputs(), 1, 6, hover, 1);
  Save("driver_curve_hover.png");
  // The ellipse above the mouse, white inside, with the lap's time and number.
  EXPECT_EQ(canvas_.At(320, 171), RGB(255, 255, 255));
  EXPECT_GT(DarkIn({310, 150, 390, 170}), 0);

  // The same hover in a range that no longer holds point 3: no label.
  BoardCanvas other(700, 460, kCanvas);
  zd::PaintLapTimeCurve(other.dc(), Inputs(), 1, 3, hover, 1);
  EXPECT_EQ(other.Count({300, 146, 400, 177}, RGB(255, 255, 255)), 0);
}

TEST_F(DriverResultsPainting, AnInvertedRangeDrawsNoCurve) {
  zd::PaintLapTimeCurve(canvas_.dc(), Inputs(), 4, 3, {}, 1);
  EXPECT_EQ(canvas_.Count({30, 147, 650, 345}, kCurve), 0);
  EXPECT_EQ(canvas_.Count({30, 147, 650, 345}, RGB(220, 220, 150)), 0);
  EXPECT_EQ(canvas_.At(300, 325), RGB(0, 0, 0));
}

TEST_F(DriverResultsPainting, SummaryFiguresAndClassTable) {
  zd::LapSummary s;
  zd::ComputeLapSummary(*six_, s, 1, 6);
  zd::PaintLapSummary(canvas_.dc(), Inputs(), s);
  Save("driver_summary.png");
  EXPECT_EQ(canvas_.At(40, 160), RGB(240, 240, 220));
  EXPECT_EQ(canvas_.At(310, 160), RGB(250, 250, 200));  // table header
  EXPECT_EQ(canvas_.At(310, 180), RGB(250, 250, 230));  // table body
  EXPECT_EQ(canvas_.At(400, 188), RGB(220, 220, 100));  // first row rule
  EXPECT_EQ(canvas_.At(490, 250), RGB(0, 0, 0));        // column rule
  EXPECT_GT(DarkIn({60, 197, 160, 217}), 0);            // "Meilleur tour :"
  EXPECT_GT(DarkIn({170, 197, 250, 217}), 0);           // 30.480
  EXPECT_GT(DarkIn({255, 197, 300, 212}), 0);           // (T 2)
}

TEST_F(DriverResultsPainting, LapStripCells) {
  // Five laps: five cells filled, two empty.
  auto five = zd_test::DriverLaps("Bruno", 0, {30000, 31000, 32000, 33000, 34000});
  zd::PaintLapSummary(canvas_.dc(), {five.get(), 0}, zd::LapSummary{});
  EXPECT_EQ(canvas_.At(100, 382), RGB(250, 250, 200));
  EXPECT_EQ(canvas_.At(100, 420), RGB(250, 250, 230));
  EXPECT_EQ(canvas_.At(130, 395), RGB(0, 0, 0));  // a cell rule
  EXPECT_GT(DarkIn({412, 386, 478, 403}), 0);  // lap 5
  EXPECT_GT(DarkIn({412, 407, 478, 428}), 0);
  EXPECT_EQ(DarkIn({482, 386, 548, 403}), 0);  // the sixth cell
  EXPECT_EQ(DarkIn({482, 407, 548, 428}), 0);
  EXPECT_EQ(DarkIn({552, 386, 618, 403}), 0);  // the seventh
  EXPECT_EQ(DarkIn({552, 407, 618, 428}), 0);

  // Seven laps at position 1: laps 2 to 7 and an empty seventh cell.
  auto seven = zd_test::DriverLaps("Carla", 0, {30000, 31000, 32000, 33000, 34000, 35000, 36000});
  BoardCanvas moved(700, 460, kCanvas);
  zd::PaintLapSummary(moved.dc(), {seven.get(), 1}, zd::LapSummary{});
  EXPECT_GT(moved.Count({482, 386, 548, 403}, zd_test::Dark), 0);
  EXPECT_EQ(moved.Count({552, 386, 618, 403}, zd_test::Dark), 0);
  EXPECT_EQ(moved.Count({552, 407, 618, 428}, zd_test::Dark), 0);
}

}  // namespace
