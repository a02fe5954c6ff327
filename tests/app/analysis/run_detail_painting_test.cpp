// The detailed results' three views painted into a memory context: the grids' colours and lines,
// the chart's lines (the selected driver's thick), its bubble, and the empty chart of a run that
// has none.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "analysis/position_chart.h"
#include "analysis/run_detail_painting.h"
#include "files/ranking.h"
#include "live/board_canvas.h"
#include "live/board_style.h"

namespace {

using zd_test::BoardCanvas;
using zd_test::Colour;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// n drivers on lines 1..n, driver i always at place i + 1, each with `laps` laps.
std::unique_ptr<zd::RunDetail> ChartRun(int n, int laps, std::string_view mode = zd::kRankByLapsAndTime) {
  auto run = std::make_unique<zd::RunDetail>();
  for (int i = 0; i < zd::kMaxSeriesSlots; ++i) {
    zd::SeriesResultEntry& e = run->table[i];
    e.name = i < n ? "Pilote " + std::to_string(i + 1) : "(NA)";
    e.passingCount = i < n ? laps : 0;
    for (int k = 0; k < laps && i < n; ++k) e.passingTimes[k] = 30000 * (k + 1) + 100 * i;
  }
  zd::SeriesStartTimes starts{};
  zd::PrepareRunDetail(*run, starts);
  run->rankingMode = mode;
  return run;
}

class RunDetailPainting : public ::testing::Test {
 protected:
  // The client area of the dialog, in white before each paint.
  BoardCanvas canvas{1100, 660, kWhite};
  // Pixels of a column x from y0 to y1 (excluded) in a colour.
  int Rows(int x, int y0, int y1, int32_t colour) {
    return canvas.Count({x, y0, x + 1, y1}, Colour(colour));
  }
};

TEST_F(RunDetailPainting, GridsShowTheirColoursAndLines) {
  auto run = ChartRun(3, 25);
  struct Case {
    const char* name;
    void (*paint)(HDC, const zd::RunDetail&, const zd::RunView&);
    int32_t grid, header;
  } cases[] = {
      {"race times", zd::PaintRaceTimeGrid, zd::Rgb(255, 255, 200), zd::Rgb(255, 255, 150)},
      {"lap times", zd::PaintLapTimeGrid, zd::Rgb(200, 255, 200), zd::Rgb(150, 230, 150)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    canvas.Fill({0, 0, 1100, 660}, kWhite);
    c.paint(canvas.dc(), *run, zd::GridView(*run, zd::RunViewKind::RaceTimes));
    EXPECT_EQ(canvas.At(353, 595), Colour(c.grid));
    EXPECT_EQ(canvas.At(352, 52), Colour(c.header));  // the header band
    EXPECT_EQ(canvas.At(302, 595), Colour(c.header));  // the lap column
    EXPECT_EQ(canvas.At(800, 300), Colour(zd::Rgb(230, 230, 220)));  // beyond the 3 columns
    EXPECT_EQ(canvas.At(200, 590), Colour(zd::Rgb(230, 230, 220)));
    EXPECT_EQ(canvas.At(300, 300), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(350, 300), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(325, 106), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(400, 50), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(420, 65), RGB(0, 0, 0));  // column edges in the header band
    EXPECT_EQ(canvas.At(380, 106), Colour(zd::Rgb(200, 200, 160)));
    EXPECT_EQ(canvas.At(420, 300), Colour(zd::Rgb(200, 200, 160)));
    EXPECT_EQ(canvas.At(600, 106), Colour(zd::Rgb(230, 230, 220)));  // no line past the grid
    // Texts: legend, lap numbers and cells.
    EXPECT_GT(canvas.Count({5, 70, 120, 84}, zd_test::Dark), 10);
    EXPECT_GT(canvas.Count({300, 90, 331, 104}, zd_test::Dark), 3);
    EXPECT_GT(canvas.Count({360, 90, 413, 104}, zd_test::Dark), 10);
    EXPECT_EQ(canvas.At(1060, 300), kWhite);  // nothing outside the two areas
    EXPECT_EQ(canvas.At(500, 30), kWhite);
  }
  EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/run_detail_lap_grid.png"));
}

TEST_F(RunDetailPainting, TheSelectedDriverIsDrawnThick) {
  auto run = ChartRun(3, 12);  // lines at y 80, 320 and 560
  zd::RunView view = zd::ChartView(*run, {});
  zd::PaintPositionChart(canvas.dc(), *run, view, 1, 0, 0);
  EXPECT_EQ(canvas.At(1040, 300), Colour(zd::Rgb(250, 250, 240)));
  EXPECT_EQ(canvas.At(10, 590), Colour(zd::Rgb(240, 240, 230)));
  EXPECT_GE(Rows(500, 310, 330, zd::ChartPalette(1).pen), 4);
  EXPECT_LE(Rows(500, 70, 90, zd::ChartPalette(0).pen), 2);
  EXPECT_GE(Rows(500, 70, 90, zd::ChartPalette(0).pen), 1);
  EXPECT_LE(Rows(500, 550, 570, zd::ChartPalette(2).pen), 2);
  EXPECT_EQ(canvas.At(500, 200), Colour(zd::Rgb(250, 250, 240)));
  // Legend entries in the drivers' text colours, left of x 325.
  // Glyph edges may be blended with the background: count the clearly green pixels.
  EXPECT_GT(canvas.Count({200, 310, 325, 326},
                         [](COLORREF c) {
                           return GetGValue(c) > GetRValue(c) + 60 && GetGValue(c) > GetBValue(c) + 60;
                         }),
            5);
  EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/run_detail_chart_memory.png"));

  // A selected driver beyond the count draws no thick line.
  canvas.Fill({0, 0, 1100, 660}, kWhite);
  zd::PaintPositionChart(canvas.dc(), *run, view, 7, 0, 0);
  for (int i = 0; i < 3; ++i) {
    const int y = zd::ChartPlaceY(i + 1, 3);
    EXPECT_LE(Rows(500, y - 10, y + 10, zd::ChartPalette(i).pen), 2) << i;
  }

  // The bubble: a white ellipse with its text near the point.
  view.bubble = {true, 3};
  zd::PaintPositionChart(canvas.dc(), *run, view, 1, zd::ChartLapX(3), 320);
  EXPECT_EQ(canvas.At(zd::ChartLapX(3) - 35, 305), kWhite);
  EXPECT_GT(canvas.Count({zd::ChartLapX(3) - 30, 297, zd::ChartLapX(3) + 30, 315}, zd_test::Blackish), 10);
}

TEST_F(RunDetailPainting, RunsWithoutAChartLeaveOnlyTheBackgrounds) {
  struct Case {
    const char* name;
    std::unique_ptr<zd::RunDetail> run;
  } cases[] = {{"by best lap", ChartRun(5, 12, zd::kRankByBestLap)}, {"one driver", ChartRun(1, 12)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    canvas.Fill({0, 0, 1100, 660}, kWhite);
    zd::PaintPositionChart(canvas.dc(), *c.run, zd::ChartView(*c.run, {}), 0, 0, 0);
    EXPECT_EQ(canvas.Count({350, 50, 1050, 600}, Colour(zd::Rgb(250, 250, 240))), 700 * 550);
    EXPECT_EQ(canvas.Count({0, 50, 350, 600}, Colour(zd::Rgb(240, 240, 230))), 350 * 550);
  }
}

}  // namespace
