#include "analysis/position_chart.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "files/ranking.h"
#include "live/board_style.h"

namespace zd {

namespace {

constexpr std::array<ChartColour, 20> kPalette{{
    {Rgb(160, 5, 255), Rgb(160, 5, 255)},   {Rgb(5, 160, 0), Rgb(5, 160, 0)},
    {Rgb(55, 90, 195), Rgb(55, 90, 195)},   {Rgb(225, 5, 15), Rgb(225, 5, 15)},
    {Rgb(140, 95, 0), Rgb(140, 95, 0)},     {Rgb(0, 0, 0), Rgb(0, 0, 0)},
    {Rgb(170, 5, 150), Rgb(170, 5, 150)},   {Rgb(255, 100, 0), Rgb(255, 100, 0)},
    {Rgb(225, 230, 30), Rgb(205, 210, 10)}, {Rgb(170, 170, 170), Rgb(170, 170, 170)},
    {Rgb(85, 135, 0), Rgb(85, 135, 0)},     {Rgb(165, 235, 50), Rgb(165, 235, 50)},
    {Rgb(70, 220, 255), Rgb(70, 220, 255)}, {Rgb(255, 60, 70), Rgb(255, 60, 70)},
    {Rgb(225, 160, 0), Rgb(225, 160, 0)},   {Rgb(255, 105, 250), Rgb(255, 105, 250)},
    {Rgb(255, 160, 80), Rgb(255, 160, 80)}, {Rgb(205, 135, 255), Rgb(205, 135, 255)},
    {Rgb(200, 200, 200), Rgb(200, 200, 200)}, {Rgb(180, 200, 0), Rgb(180, 200, 0)},
}};

// The place of a driver at an index, or past the last place outside the table.
int32_t PlaceAt(const RunDetail& run, int32_t driver, int32_t index) {
  if (driver < 0 || driver >= kMaxSeriesSlots || index < 0 || index >= kMaxPassings)
    return kMaxSeriesSlots + 1;
  return run.table[driver].positions[index];
}

int32_t Spread(int32_t span, int32_t p, int32_t n) {
  return n < 2 ? 0 : span * (p - 1) / (n - 1);
}

}  // namespace

int32_t ChartLapX(int32_t b) { return kChartArea.left + 30 + (kChartArea.width() - 100) * b / 9; }

int32_t ChartPlaceY(int32_t p, int32_t n) {
  return kChartArea.top + 30 + Spread(kChartArea.height() - 70, p, n);
}

int32_t LegendPlaceY(int32_t p, int32_t n) {
  return kLeftArea.top + 20 + Spread(kLeftArea.height() - 70, p, n);
}

ChartColour ChartPalette(int32_t driver) {
  const int32_t i = driver % 20;
  return kPalette[static_cast<std::size_t>(i < 0 ? i + 20 : i)];
}

int32_t LegendFontHeight(int32_t driverCount) {
  return driverCount <= 25 ? 15 : 14 - (driverCount - 25) / 10;
}

bool ChartDrawn(const RunDetail& run) {
  return run.driverCount >= 2 && run.rankingMode.view() == kRankByLapsAndTime;
}

std::vector<LegendEntry> ChartLegend(const RunDetail& run, int32_t hPos) {
  std::vector<LegendEntry> entries;
  for (int32_t i = 0; i < run.driverCount; ++i) {
    const SeriesResultEntry& e = run.table[i];
    if (e.passingCount <= 0) continue;
    char line[16];
    std::snprintf(line, sizeof line, "L%d: ", static_cast<int>(e.slotNumber));
    entries.push_back({i, LegendPlaceY(PlaceAt(run, i, hPos), run.driverCount),
                       std::string(line) + e.name.str()});
  }
  return entries;
}

int32_t LegendHit(const RunDetail& run, int32_t hPos, int32_t x, int32_t y, int32_t selected) {
  if (x < kLeftArea.right - 99 || x >= kLeftArea.right - 25) return selected;
  for (int32_t b = 0; b < run.driverCount; ++b) {
    const int32_t p = PlaceAt(run, b, hPos);
    if (LegendPlaceY(p, run.driverCount) < y && y < LegendPlaceY(p + 1, run.driverCount))
      selected = b;
  }
  return selected;
}

ChartBubble TrackBubble(const RunDetail& run, int32_t hPos, int32_t selected, ChartBubble bubble,
                        int32_t x, int32_t y) {
  if (selected < 0 || selected >= kMaxSeriesSlots) return {};
  const int32_t n = run.driverCount;
  const int32_t shown = run.table[selected].passingCount - hPos;
  if (bubble.on) {
    const int32_t k = bubble.lap;
    if (std::abs(x - ChartLapX(k)) <= 2 &&
        std::abs(y - ChartPlaceY(PlaceAt(run, selected, hPos + k), n)) <= 4)
      return bubble;
    return {};
  }
  for (int32_t k = 0; k < kChartLaps && k < shown; ++k) {
    if (std::abs(x - ChartLapX(k)) <= 1 &&
        std::abs(y - ChartPlaceY(PlaceAt(run, selected, hPos + k), n)) <= 3)
      return {true, k};
  }
  return {};
}

BubblePlacement PlaceBubble(const RunDetail& run, int32_t hPos, int32_t selected,
                            ChartBubble bubble, int32_t mouseX, int32_t mouseY) {
  BubblePlacement b;
  b.x = std::clamp(mouseX, kChartArea.left + 45, kChartArea.right - 45);
  b.y = std::clamp(mouseY, kChartArea.top + 30, kChartArea.bottom);
  char text[24];
  std::snprintf(text, sizeof text, "Pos = %d",
                static_cast<int>(PlaceAt(run, selected, hPos + bubble.lap)));
  b.text = text;
  return b;
}

}  // namespace zd
