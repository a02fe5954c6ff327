// The position chart's geometry, palette, legend and bubble against the values of its layout.

#include "analysis/position_chart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/ranking.h"
#include "live/board_style.h"

namespace zd {
namespace {

// A compacted run of n drivers, driver i at place places[i] at every index, each with `laps`.
std::unique_ptr<RunDetail> ChartRun(int n, int laps, std::string_view mode = kRankByLapsAndTime) {
  auto run = std::make_unique<RunDetail>();
  run->rankingMode = mode;
  run->driverCount = n;
  run->longestRun = laps;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    SeriesResultEntry& e = run->table[i];
    e.name = i < n ? "D" + std::to_string(i) : "(NA)";
    e.slotNumber = i < n ? i + 1 : 0;
    e.passingCount = i < n ? laps : 0;
    e.positions.fill(i + 1);
  }
  return run;
}

TEST(PositionChartTest, GeometryMatchesTheLayout) {
  const int32_t xs[] = {380, 446, 513, 580, 646, 713, 780, 846, 913, 980};
  for (int b = 0; b < 10; ++b) EXPECT_EQ(ChartLapX(b), xs[b]) << b;
  struct Case {
    int32_t p, n, chart, legend;
  } cases[] = {
      {1, 2, 80, 70},   {2, 2, 560, 550}, {1, 50, 80, 70},  {50, 50, 560, 550},
      {2, 3, 320, 310}, {2, 50, 89, 79},  {3, 2, 1040, 1030},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChartPlaceY(c.p, c.n), c.chart) << c.p << "/" << c.n;
    EXPECT_EQ(LegendPlaceY(c.p, c.n), c.legend) << c.p << "/" << c.n;
  }
}

TEST(PositionChartTest, PaletteAndLegendFont) {
  EXPECT_EQ(ChartPalette(0).pen, Rgb(160, 5, 255));
  EXPECT_EQ(ChartPalette(20).pen, ChartPalette(0).pen);  // drivers 0 and 20 share a colour
  EXPECT_EQ(ChartPalette(20).text, ChartPalette(0).text);
  EXPECT_EQ(ChartPalette(8).pen, Rgb(225, 230, 30));
  EXPECT_EQ(ChartPalette(8).text, Rgb(205, 210, 10));  // the only entry whose colours differ
  EXPECT_EQ(ChartPalette(39).pen, Rgb(180, 200, 0));
  const int32_t heights[][2] = {{2, 15}, {25, 15}, {26, 14}, {34, 14}, {35, 13}, {45, 12}, {50, 12}};
  for (const auto& h : heights) EXPECT_EQ(LegendFontHeight(h[0]), h[1]) << h[0];
}

TEST(PositionChartTest, OnlyARunByLapsAndTimeOfTwoDriversIsDrawn) {
  EXPECT_TRUE(ChartDrawn(*ChartRun(2, 5)));
  EXPECT_FALSE(ChartDrawn(*ChartRun(1, 5)));
  EXPECT_FALSE(ChartDrawn(*ChartRun(0, 0)));
  EXPECT_FALSE(ChartDrawn(*ChartRun(5, 5, kRankByBestLap)));
}

TEST(PositionChartTest, LegendEntriesAndTheirHits) {
  auto run = ChartRun(3, 4);
  run->table[2].passingCount = 0;  // no entry without a passing
  const std::vector<LegendEntry> legend = ChartLegend(*run, 0);
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(legend[1].text, "L2: D1");
  EXPECT_EQ(legend[1].y, 310);

  // Between the entry's top and the next place's, from x 251 to 324.
  struct Case {
    int32_t x, y, selected;
  } cases[] = {
      {251, 71, 0}, {324, 309, 0}, {300, 70, 7}, {300, 311, 1}, {325, 100, 7}, {250, 100, 7},
      {300, 549, 1}, {300, 551, 2}, {300, 789, 2}, {300, 790, 7},
  };
  for (const Case& c : cases) EXPECT_EQ(LegendHit(*run, 0, c.x, c.y, 7), c.selected) << c.x << "," << c.y;

  // Entries at the same place: the last driver hit wins.
  run->table[1].positions[0] = 1;
  EXPECT_EQ(LegendHit(*run, 0, 300, 100, 7), 1);
  // The places at the first lap shown count.
  run->table[1].positions[3] = 3;
  run->table[2].positions[3] = 2;
  EXPECT_EQ(LegendHit(*run, 3, 300, 600, 7), 1);
  EXPECT_EQ(LegendHit(*run, 3, 300, 500, 7), 2);
}

TEST(PositionChartTest, TheBubbleIsCaughtCloseAndReleasedFarther) {
  auto run = ChartRun(2, 12);  // driver 1 at place 2, y 560, at every lap
  const int32_t x = ChartLapX(3);
  struct Case {
    ChartBubble before;
    int32_t dx, dy;
    ChartBubble after;
  } cases[] = {
      {{}, 1, 3, {true, 3}},        {{}, -1, -3, {true, 3}},   {{}, 2, 0, {}},
      {{}, 0, 4, {}},               {{true, 3}, 2, 4, {true, 3}}, {{true, 3}, -2, -4, {true, 3}},
      {{true, 3}, 3, 0, {}},        {{true, 3}, 0, 5, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackBubble(*run, 2, 1, c.before, x + c.dx, 560 + c.dy), c.after)
        << c.before.on << " " << c.dx << "," << c.dy;
  }
  // Only the laps the driver has from the first one shown: 12 laps from hPos 9 give 3 points.
  EXPECT_EQ(TrackBubble(*run, 9, 1, {}, ChartLapX(2), 560), (ChartBubble{true, 2}));
  EXPECT_EQ(TrackBubble(*run, 9, 1, {}, ChartLapX(3), 560), ChartBubble{});
  // A selected driver beyond the count (left from a longer run) catches nothing.
  EXPECT_EQ(TrackBubble(*run, 0, 5, {}, ChartLapX(0), ChartPlaceY(6, 2)), ChartBubble{});

  const BubblePlacement placed = PlaceBubble(*run, 2, 1, {true, 3}, 1040, 20);
  EXPECT_EQ(placed.x, 1005);
  EXPECT_EQ(placed.y, 80);
  EXPECT_EQ(placed.text, "Pos = 2");
}

}  // namespace
}  // namespace zd
