#pragma once
// The driver results window's three views, each with the driver's name above it and the lap
// strip below: drawn on the device context given, in the window's client pixels, so that tests
// draw them into a picture in memory.

#include <windows.h>

#include <cstdint>
#include <string>

#include "analysis/driver_charts.h"
#include "analysis/driver_laps.h"
#include "analysis/driver_window.h"
#include "files/series_sections.h"

namespace zd {

// The window's areas, in client pixels.
inline constexpr RECT kDriverTitleArea = {30, 10, 650, 60};
inline constexpr RECT kDriverChartArea = {30, 147, 650, 345};
inline constexpr RECT kDriverStripArea = {30, 370, 650, 438};

// What every view shows besides its chart: the entry's name and lap times, the strip's position.
struct DriverPaintInputs {
  const SeriesResultEntry* entry = nullptr;
  int32_t stripPosition = 0;
};

void PaintLapSummary(HDC dc, const DriverPaintInputs& in, const LapSummary& summary);
void PaintLapHistogram(HDC dc, const DriverPaintInputs& in, const LapHistogram& histogram,
                       int32_t scaleTop);
// Computes the range's statistics and scale itself, as the window does.
void PaintLapTimeCurve(HDC dc, const DriverPaintInputs& in, int32_t from, int32_t to,
                       const CurveHover& hover, int32_t firstTimedLap);

// Text formats shared with the printouts.
// A time as the program writes lap times ("s.mmm", "m:ss.mmm"...).
std::string LapTimeText(int32_t t);
// "%d.%d": seconds and tenths.
std::string TenthsText(int32_t t);
// "%d.%03d": seconds and milliseconds.
std::string MillisecondsText(int32_t t);
// "%d.%01d %": a share in per mille as a percentage.
std::string ShareText(int32_t share);
// The width of a text in the font, in the DC's logical units; leaves the font selected.
int32_t TextWidth(HDC dc, HFONT font, const std::string& text);
// The class text of row k of the summary's table.
std::string SummaryClassText(const LapSummary& summary, int k);

}  // namespace zd
