#pragma once
// The position chart of the detailed results: each driver's place lap after lap over ten laps at
// a time, its legend (a click selects a driver) and the bubble that gives the selected driver's
// place at the point under the mouse. Pixels of the dialog's client area.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/run_results.h"

namespace zd {

struct ChartArea {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
};
// The left area (legend) and the right area (grid or chart) of the views.
inline constexpr ChartArea kLeftArea{0, 50, 350, 600};
inline constexpr ChartArea kChartArea{350, 50, 1050, 600};

// Lap column b (0..9) of the chart.
int32_t ChartLapX(int32_t b);
// Place p (1..) of n drivers in the chart, from 80 (place 1) to 560 (place n); n of 2 or more.
int32_t ChartPlaceY(int32_t p, int32_t n);
// Place p in the left area, from 70 to 550: the legend entry's top.
int32_t LegendPlaceY(int32_t p, int32_t n);

struct ChartColour {
  int32_t pen = 0;   // the driver's line
  int32_t text = 0;  // his legend entry
};
// The colour of a driver by his index in the compacted table, modulo 20.
ChartColour ChartPalette(int32_t driver);

// The legend's font height: 15 up to 25 drivers, then smaller so that the entries fit.
int32_t LegendFontHeight(int32_t driverCount);

// Whether the chart has lines at all: a run ranked by laps and time with two drivers or more.
bool ChartDrawn(const RunDetail& run);

// The legend entries, right-aligned: drivers with a passing, at the height of their place at the
// first lap shown.
struct LegendEntry {
  int32_t driver = 0;
  int32_t y = 0;
  std::string text;
};
std::vector<LegendEntry> ChartLegend(const RunDetail& run, int32_t hPos);

// The driver selected by a left click at (x, y) on the legend, or the one selected before when
// the click hits no entry. Entries can overlap: the last one hit wins.
int32_t LegendHit(const RunDetail& run, int32_t hPos, int32_t x, int32_t y, int32_t selected);

// The bubble after a mouse move to (x, y): caught within 1 pixel across and 3 up or down of a
// point of the selected driver, kept until the mouse is more than 2 across or 4 up or down away.
ChartBubble TrackBubble(const RunDetail& run, int32_t hPos, int32_t selected, ChartBubble bubble,
                        int32_t x, int32_t y);

// Where the bubble is drawn: its ellipse (x - 45, y - 30)-(x + 45, y) around the mouse kept in the
// chart, and its text "Pos = %d" centred on x with its top at y - 23.
struct BubblePlacement {
  int32_t x = 0;
  int32_t y = 0;
  std::string text;
};
BubblePlacement PlaceBubble(const RunDetail& run, int32_t hPos, int32_t selected,
                            ChartBubble bubble, int32_t mouseX, int32_t mouseY);

}  // namespace zd
