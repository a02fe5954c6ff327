#pragma once
// The geometry of the driver results charts, the same on screen and on paper up to the frame:
// where the histogram's bars, ticks and average line stand, where the lap-time curve puts each
// lap, which laps get ticks and labels, and which point the mouse hovers.

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/driver_laps.h"

namespace zd {

// Laps this long or longer (3.5 hours) are left out of the curve and cannot be hovered.
inline constexpr int32_t kCurveLapLimit = 12600000;
// Height in pixels (or page units) of the histogram's scale top and of the curve's span.
inline constexpr int32_t kChartHeight = 160;

enum class ChartMedium { Screen, Paper };

// The histogram's scale top from its largest class M (the 39 classes and the overflow): M up to
// 10, then the next ten, or the next hundred from 101 on; 100 stays 100 on screen and becomes
// 200 on paper.
int32_t HistogramScaleTop(int32_t largest, ChartMedium medium);
int32_t HistogramScaleTop(const LapHistogram& histogram, ChartMedium medium);

// The curve's vertical scale: whole seconds around the range, in half-second steps, and at most
// 21 grid lines.
struct CurveScale {
  int32_t lower = 0;  // ms
  int32_t upper = 0;  // ms
  int32_t steps = 0;  // half-second levels from lower to upper inclusive
  int32_t lines = 0;  // grid lines
};
CurveScale ComputeCurveScale(const LapRangeStats& stats);

// Where a chart stands: x0 the time origin (histogram) or the first lap (curve), y0 the baseline.
struct ChartOrigin {
  int32_t x0 = 0;
  int32_t y0 = 0;
};
inline constexpr ChartOrigin kScreenHistogram = {78, 325};
inline constexpr ChartOrigin kPaperHistogram = {108, 758};

// The histogram's vertical scale: a tick and grid line per level, with its label.
struct HistogramLevel {
  int32_t y = 0;
  int32_t label = 0;
  std::optional<int32_t> halfTickY;  // the half tick below it, for scale tops from 11
};
std::vector<HistogramLevel> HistogramLevels(int32_t scaleTop, int32_t y0);

struct ChartRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};
// The bar of class j (39: the overflow) holding count laps: 13 wide, from the baseline up;
// nothing for an empty class or a zero scale top.
std::optional<ChartRect> HistogramBar(ChartOrigin origin, int j, int32_t count, int32_t scaleTop);
// The x of a time on the histogram's axis (7 per 100 ms from base), saturated to 32 bits.
int32_t HistogramTimeX(ChartOrigin origin, int32_t base, int32_t t);
// The histogram's average label, "moy" and the value, by the average's line at x: "moy" ends 3
// left of the line and the value begins 2 right of it, unless "moy" would run into the axis title
// that ends before left (both then stand right of the line) or the value past right (both then
// stand left of it). Given the widths of the two texts: where "moy" ends and the value begins.
struct AverageLabelPlace {
  int32_t moyRight = 0;
  int32_t valueLeft = 0;
};
AverageLabelPlace HistogramAverageLabel(int32_t x, int32_t moyWidth, int32_t valueWidth,
                                        int32_t left, int32_t right);
// The time under the axis's long tick i (every 500 ms from base), saturated to 32 bits.
int32_t HistogramTickTime(int32_t base, int32_t i);
// The class counts 0..38 and the overflow as 40 bars.
int32_t HistogramClassCount(const LapHistogram& histogram, int j);

// The curve's frame: the first lap's x, the width over which the laps spread, the baseline.
struct CurveFrame {
  int32_t x0 = 0;
  int32_t width = 0;
  int32_t y0 = 0;
};
inline constexpr CurveFrame kScreenCurve = {78, 540, 325};
inline constexpr CurveFrame kPaperCurve = {108, 560, 1038};

// Grid, ticks, average and points need a lap and a scale that spans something.
bool CurveDrawable(const LapRangeStats& stats, const CurveScale& scale);
// Point i of count (lap from + i).
int32_t CurveX(const CurveFrame& frame, int32_t i, int32_t count);
// A time's height: lower one level above the baseline, upper about 160 above it. 64-bit inside,
// saturated to 32 bits, 0 when the scale spans nothing.
int32_t CurveY(const CurveFrame& frame, const CurveScale& scale, int32_t t);
// The y of grid line k = 1..lines.
int32_t CurveGridY(const CurveFrame& frame, const CurveScale& scale, int32_t k);

enum class LapTick { None, Short, Long };
// The tick under a lap of a range of count laps.
LapTick CurveLapTick(int32_t count, int32_t lap);
// Whether lap (point i of count) is labelled; on paper the 100 to 499 laps' labels go to the end.
bool CurveLapLabelShown(int32_t count, int32_t i, int32_t lap, ChartMedium medium);

// A time label of the curve's vertical axis: its level j (lower + 500·j) and its y.
struct CurveTimeLabel {
  int32_t value = 0;  // ms
  int32_t y = 0;
};
// Labels at y0 - 7 - 160·(j + 1) / steps: every level up to 9 steps, else every fifth of them.
std::vector<CurveTimeLabel> CurveTimeLabels(const CurveFrame& frame, const CurveScale& scale);

// The mouse over the curve, in client pixels of the window.
struct CurveHover {
  int32_t hovering = 0;
  int32_t index = 0;  // of the hovered point within the range
  int32_t x = 0;
  int32_t y = 0;
};
// Whether a range of count laps can be hovered: at most 99 laps on a scale that spans something.
bool CurveHoverable(const LapRangeStats& stats, const CurveScale& scale);
// A mouse move at (x, y) over the screen curve of the range from..from + count - 1. A free mouse
// catches the first point within 1 pixel across and 3 up or down; a caught one is released beyond
// 2 and 4. Returns true when the hover changed, so that the chart is repainted.
bool TrackCurveHover(CurveHover& hover, int32_t x, int32_t y, const SeriesResultEntry& entry,
                     int32_t from, const LapRangeStats& stats, const CurveScale& scale);
// Whether the label of the hovered point is drawn: only for a point of the current range.
bool CurveHoverLabelShown(const CurveHover& hover, const LapRangeStats& stats,
                          const CurveScale& scale);
// The label's ellipse (90 × 30, its bottom at the mouse) kept inside the chart area, and the
// centre of its text.
struct HoverLabelPlace {
  ChartRect ellipse;
  int32_t textX = 0;
  int32_t textY = 0;
};
HoverLabelPlace CurveHoverLabelPlace(const CurveHover& hover);

}  // namespace zd
