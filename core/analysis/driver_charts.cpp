#include "analysis/driver_charts.h"

#include <algorithm>
#include <limits>

namespace zd {

namespace {

int32_t Saturated(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The chart area of the window, in client pixels.
constexpr ChartRect kChartArea = {30, 147, 650, 345};

}  // namespace

int32_t HistogramScaleTop(int32_t largest, ChartMedium medium) {
  if (largest <= 10) return largest;
  if (largest <= 99) return largest / 10 * 10 + 10;
  if (largest == 100 && medium == ChartMedium::Screen) return 100;
  return largest / 100 * 100 + 100;
}

int32_t HistogramClassCount(const LapHistogram& histogram, int j) {
  if (j < 0 || j > kHistogramClasses) return 0;
  return j == kHistogramClasses ? histogram.overflow : histogram.counts[static_cast<std::size_t>(j)];
}

int32_t HistogramScaleTop(const LapHistogram& histogram, ChartMedium medium) {
  int32_t largest = 0;
  for (int j = 0; j <= kHistogramClasses; ++j) largest = std::max(largest, HistogramClassCount(histogram, j));
  return HistogramScaleTop(largest, medium);
}

CurveScale ComputeCurveScale(const LapRangeStats& stats) {
  CurveScale scale;
  scale.lower = stats.best / 1000 * 1000;
  // The second above the worst lap, formed in 64 bits: a lap near 2^31 ms has none within int.
  scale.upper = Saturated(int64_t{stats.worst} / 1000 * 1000 + 1000);
  scale.steps = Saturated((int64_t{scale.upper} - scale.lower) / 500 + 1);
  scale.lines = std::min(scale.steps, 21);
  return scale;
}

std::vector<HistogramLevel> HistogramLevels(int32_t scaleTop, int32_t y0) {
  std::vector<HistogramLevel> levels;
  if (scaleTop >= 1 && scaleTop <= 10) {
    for (int32_t k = 1; k <= scaleTop; ++k) levels.push_back({y0 - kChartHeight * k / scaleTop, k, {}});
  } else if (scaleTop >= 11) {
    for (int32_t k = 1; k <= 5; ++k) {
      levels.push_back({y0 - 32 * k, static_cast<int32_t>(int64_t{k} * scaleTop / 5), y0 + 16 - 32 * k});
    }
  }
  return levels;
}

std::optional<ChartRect> HistogramBar(ChartOrigin origin, int j, int32_t count, int32_t scaleTop) {
  if (count < 1 || scaleTop < 1) return std::nullopt;
  const int32_t left = origin.x0 + 14 * j;
  return ChartRect{left, Saturated(origin.y0 - int64_t{kChartHeight} * count / scaleTop), left + 13,
                   origin.y0};
}

int32_t HistogramTimeX(ChartOrigin origin, int32_t base, int32_t t) {
  return Saturated(origin.x0 + (int64_t{t} - base) * 35 / 500);
}

AverageLabelPlace HistogramAverageLabel(int32_t x, int32_t moyWidth, int32_t valueWidth,
                                        int32_t left, int32_t right) {
  constexpr int32_t kGap = 4;  // between "moy" and the value when both stand on one side
  AverageLabelPlace p{x - 3, x + 2};
  if (p.moyRight - moyWidth < left) {
    p.moyRight = x + 2 + moyWidth;
    p.valueLeft = p.moyRight + kGap;
  }
  if (p.valueLeft + valueWidth > right) {
    p.valueLeft = x - 3 - valueWidth;
    p.moyRight = p.valueLeft - kGap;
  }
  return p;
}

int32_t HistogramTickTime(int32_t base, int32_t i) { return Saturated(base + int64_t{500} * i); }

bool CurveDrawable(const LapRangeStats& stats, const CurveScale& scale) {
  return stats.count >= 1 && scale.upper > scale.lower && scale.steps >= 1 && scale.lines >= 1;
}

int32_t CurveX(const CurveFrame& frame, int32_t i, int32_t count) {
  if (count <= 0) return frame.x0;
  return Saturated(frame.x0 + int64_t{frame.width} * i / count);
}

int32_t CurveY(const CurveFrame& frame, const CurveScale& scale, int32_t t) {
  if (scale.steps < 1 || scale.upper == scale.lower) return 0;
  const int64_t hs = int64_t{scale.steps} - 1;
  const int64_t span = kChartHeight * hs / scale.steps;
  return Saturated(frame.y0 - kChartHeight / scale.steps +
                   (int64_t{t} - scale.lower) * span / (int64_t{scale.lower} - scale.upper));
}

int32_t CurveGridY(const CurveFrame& frame, const CurveScale& scale, int32_t k) {
  if (scale.lines < 1) return frame.y0;
  return frame.y0 - kChartHeight * k / scale.lines;
}

LapTick CurveLapTick(int32_t count, int32_t lap) {
  if (count <= 19) return LapTick::Long;
  if (count <= 99) return lap % 5 == 0 ? LapTick::Long : LapTick::Short;
  if (count <= 499) {
    if (lap % 25 == 0) return LapTick::Long;
    return lap % 5 == 0 ? LapTick::Short : LapTick::None;
  }
  if (lap % 125 == 0) return LapTick::Long;
  return lap % 25 == 0 ? LapTick::Short : LapTick::None;
}

bool CurveLapLabelShown(int32_t count, int32_t i, int32_t lap, ChartMedium medium) {
  if (count <= 19) return true;
  if (count <= 99) return lap % 5 == 0;
  // The last labels would run into the axis title.
  if (count <= 499) return lap % 25 == 0 && (medium == ChartMedium::Paper || i <= count - 6);
  if (count <= 2499) return lap % 125 == 0 && i <= count - 26;
  return lap % 250 == 0 && i <= count - 51;
}

std::vector<CurveTimeLabel> CurveTimeLabels(const CurveFrame& frame, const CurveScale& scale) {
  std::vector<CurveTimeLabel> labels;
  if (scale.steps < 1) return labels;
  const int32_t every = scale.steps <= 9 ? 1 : scale.steps / 5;
  for (int32_t j = 0; j < scale.steps; j += every) {
    labels.push_back({Saturated(scale.lower + int64_t{500} * j),
                      Saturated(frame.y0 - 7 - int64_t{kChartHeight} * (j + 1) / scale.steps)});
  }
  return labels;
}

bool CurveHoverable(const LapRangeStats& stats, const CurveScale& scale) {
  return stats.count >= 1 && stats.count <= 99 && scale.steps >= 1 && scale.upper > scale.lower;
}

bool TrackCurveHover(CurveHover& hover, int32_t x, int32_t y, const SeriesResultEntry& entry,
                     int32_t from, const LapRangeStats& stats, const CurveScale& scale) {
  hover.x = x;
  hover.y = y;
  if (!CurveHoverable(stats, scale) || from < 1 || from + stats.count - 1 > kMaxPassings) return false;
  const auto within = [&](int32_t i, int32_t dx, int32_t dy) {
    const int32_t px = CurveX(kScreenCurve, i, stats.count);
    const int32_t py = CurveY(kScreenCurve, scale, entry.lapTimes[from + i]);
    return px - dx < x && x < px + dx && py - dy < y && y < py + dy;
  };
  if (hover.hovering == 0) {
    for (int32_t i = 0; i < stats.count; ++i) {
      if (entry.lapTimes[from + i] >= kCurveLapLimit) continue;
      if (within(i, 2, 4)) {
        hover.hovering = 1;
        hover.index = i;
        return true;
      }
    }
    return false;
  }
  if (hover.index >= 0 && hover.index < stats.count && within(hover.index, 3, 5)) return false;
  hover.hovering = 0;
  return true;
}

bool CurveHoverLabelShown(const CurveHover& hover, const LapRangeStats& stats,
                          const CurveScale& scale) {
  return hover.hovering != 0 && CurveHoverable(stats, scale) && hover.index >= 0 &&
         hover.index < stats.count;
}

HoverLabelPlace CurveHoverLabelPlace(const CurveHover& hover) {
  const int32_t hx = std::clamp(hover.x, kChartArea.left + 45, kChartArea.right - 45);
  const int32_t hy = std::clamp(hover.y, kChartArea.top + 30, kChartArea.bottom);
  return {{hx - 45, hy - 30, hx + 45, hy}, hx, hy - 23};
}

}  // namespace zd
