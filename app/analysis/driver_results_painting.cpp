#include "analysis/driver_results_painting.h"

#include <cstdio>
#include <string>

#include "files/time_format.h"
#include "live/gdi_objects.h"

namespace zd {

namespace {

constexpr int32_t L = kDriverChartArea.left;
constexpr int32_t T = kDriverChartArea.top;
constexpr int32_t R = kDriverChartArea.right;
constexpr int32_t B = kDriverChartArea.bottom;
constexpr int32_t Y0 = B - 20;

constexpr int32_t kBlack = RGB(0, 0, 0);

// The fonts of one paint, deleted when it ends.
class Fonts {
 public:
  HFONT get(int32_t height, int32_t weight = 0) {
    for (Entry& e : fonts_) {
      if (e.height == height && e.weight == weight) return e.font;
    }
    fonts_[count_] = {height, weight, CreatePlainFont("Arial", height, weight)};
    return fonts_[count_++].font;
  }
  ~Fonts() {
    for (int i = 0; i < count_; ++i) DeleteObject(fonts_[i].font);
  }

 private:
  struct Entry {
    int32_t height = 0;
    int32_t weight = -1;
    HFONT font = nullptr;
  };
  Entry fonts_[6];
  int count_ = 0;
};

void Text(HDC dc, HFONT font, UINT align, int x, int y, const std::string& text) {
  SelectObject(dc, font);
  TextAt(dc, align | TA_TOP, x, y, text.c_str());
}

void Outlined(HDC dc, const RECT& r, int32_t fill) {
  FillSolid(dc, r, fill);
  GdiObject brush(CreateSolidBrush(ToColorRef(kBlack)));
  FrameRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

void Line(HDC dc, int32_t colour, int x1, int y1, int x2, int y2) {
  DrawSolidLine(dc, 1, colour, x1, y1, x2, y2);
}

void PaintTitle(HDC dc, Fonts& fonts, const SeriesResultEntry& entry) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(250, 250, 200));
  Text(dc, fonts.get(35, FW_BOLD), TA_CENTER, 340, 40, entry.name.str());
  SetBkMode(dc, TRANSPARENT);
}

// The strip of lap numbers and times; the curve view puts its row labels further right.
void PaintStrip(HDC dc, Fonts& fonts, const DriverPaintInputs& in, bool curveLabels) {
  FillSolid(dc, kDriverStripArea, RGB(240, 240, 220));
  Outlined(dc, {60, 380, 620, 405}, RGB(250, 250, 200));
  Outlined(dc, {60, 405, 620, 430}, RGB(250, 250, 230));
  for (int x = 130; x <= 550; x += 70) Line(dc, kBlack, x, 380, x, 430);
  HFONT font = fonts.get(16);
  if (curveLabels) {
    Text(dc, font, TA_RIGHT, 96, 385, "Tours");
    Text(dc, font, TA_RIGHT, 104, 410, "Temps");
  } else {
    Text(dc, font, TA_LEFT, 65, 385, "Tours");
    Text(dc, font, TA_LEFT, 65, 410, "Temps");
  }
  const SeriesResultEntry& e = *in.entry;
  for (int k = 0; k < kStripCells; ++k) {
    const int32_t lap = LapStripCell(e.passingCount, in.stripPosition, k);
    if (lap == 0) continue;
    char number[16];
    std::snprintf(number, sizeof number, "T%d", lap);
    Text(dc, font, TA_RIGHT, 195 + 70 * k, 385, number);
    Text(dc, font, TA_RIGHT, 195 + 70 * k, 410, LapTimeText(e.lapTimes[lap]));
  }
}

void PaintFrame(HDC dc, Fonts& fonts, const DriverPaintInputs& in, bool curveLabels) {
  SetTextColor(dc, ToColorRef(kBlack));
  SetBkMode(dc, TRANSPARENT);
  PaintTitle(dc, fonts, *in.entry);
  PaintStrip(dc, fonts, in, curveLabels);
}

}  // namespace

int32_t TextWidth(HDC dc, HFONT font, const std::string& text) {
  SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::string LapTimeText(int32_t t) {
  const SplitTime s = SplitMilliseconds(t);
  return FormatLapTime(s.hours, s.minutes, s.seconds, s.milliseconds);
}

std::string TenthsText(int32_t t) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d", t / 1000, t / 100 - 10 * (t / 1000));
  return text;
}

std::string MillisecondsText(int32_t t) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%03d", t / 1000, t % 1000);
  return text;
}

std::string ShareText(int32_t share) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%01d %c", share / 10, share % 10, '%');
  return text;
}

std::string SummaryClassText(const LapSummary& summary, int k) {
  if (k >= kSummaryClasses - 1) return LapTimeText(summary.edges[kSummaryClasses - 1]) + " < t ";
  return LapTimeText(summary.edges[k]) + " < t < " + LapTimeText(summary.edges[k + 1]);
}

void PaintLapSummary(HDC dc, const DriverPaintInputs& in, const LapSummary& s) {
  Fonts fonts;  // before the state, which lets go of them first
  DcState state(dc);
  PaintFrame(dc, fonts, in, false);
  FillSolid(dc, kDriverChartArea, RGB(240, 240, 220));

  HFONT figures = fonts.get(20);
  HFONT small = fonts.get(14);
  const char* labels[] = {"Meilleur tour :", "Moins bon tour :", "Tour moyen :"};
  const int32_t values[] = {s.best, s.worst, s.average};
  const int ys[] = {197, 222, 257};
  for (int i = 0; i < 3; ++i) {
    Text(dc, figures, TA_RIGHT, 160, ys[i], labels[i]);
    Text(dc, figures, TA_RIGHT, 250, ys[i], LapTimeText(values[i]));
  }
  char lap[24];
  std::snprintf(lap, sizeof lap, "(T %d)", s.bestLap);
  Text(dc, small, TA_LEFT, 255, 197, lap);
  std::snprintf(lap, sizeof lap, "(T %d)", s.worstLap);
  Text(dc, small, TA_LEFT, 255, 222, lap);

  HFONT medium = fonts.get(16);
  Text(dc, medium, TA_RIGHT, 160, 287, "Ecart type :");
  Text(dc, medium, TA_LEFT, 170, 287, "+/- " + LapTimeText(s.deviation));
  Text(dc, small, TA_LEFT, 130, 307, "(régularité)");

  Outlined(dc, {300, 150, 630, 170}, RGB(250, 250, 200));
  Outlined(dc, {300, 170, 630, 343}, RGB(250, 250, 230));
  Line(dc, kBlack, 490, 150, 490, 343);
  Line(dc, kBlack, 540, 150, 540, 343);
  for (int y = 188; y <= 324; y += 17) Line(dc, RGB(220, 220, 100), 301, y, 629, y);
  Text(dc, medium, TA_LEFT, 330, 152, "Temps au tour");
  Text(dc, medium, TA_RIGHT, 530, 152, "Tours");
  Text(dc, medium, TA_RIGHT, 605, 152, "% tours");
  for (int k = 0; k < kSummaryClasses; ++k) {
    const int y = 172 + 17 * k;
    Text(dc, medium, TA_LEFT, 330, y, SummaryClassText(s, k));
    Text(dc, medium, TA_RIGHT, 530, y, std::to_string(s.counts[k]));
    Text(dc, medium, TA_RIGHT, 605, y, ShareText(s.shares[k]));
  }
}

void PaintLapHistogram(HDC dc, const DriverPaintInputs& in, const LapHistogram& h, int32_t S) {
  Fonts fonts;  // before the state, which lets go of them first
  DcState state(dc);
  PaintFrame(dc, fonts, in, false);
  FillSolid(dc, kDriverChartArea, RGB(250, 250, 250));
  const ChartOrigin o = kScreenHistogram;
  const int32_t base = h.edges[0];
  HFONT small = fonts.get(14);

  Line(dc, kBlack, L + 10, Y0, R - 10, Y0);
  Line(dc, kBlack, L + 30, T + 15, L + 30, B - 10);
  if (S >= 1) {
    for (int i = 0; i < 80; ++i) Line(dc, kBlack, o.x0 + 7 * i, Y0, o.x0 + 7 * i, Y0 + 3);
    for (int i = 0; i < 16; ++i) {
      Line(dc, kBlack, o.x0 + 35 * i, Y0, o.x0 + 35 * i, Y0 + 7);
      Text(dc, small, TA_RIGHT, o.x0 + 10 + 35 * i, B - 13, TenthsText(HistogramTickTime(base, i)));
    }
  }
  for (const HistogramLevel& level : HistogramLevels(S, Y0)) {
    Line(dc, kBlack, L + 27, level.y, L + 30, level.y);
    Line(dc, RGB(220, 220, 50), L + 31, level.y, R - 20, level.y);
    if (level.halfTickY) Line(dc, kBlack, L + 28, *level.halfTickY, L + 30, *level.halfTickY);
    Text(dc, small, TA_RIGHT, L + 25, level.y - 5, std::to_string(level.label));
  }
  {
    GdiObject brush(CreateSolidBrush(RGB(250, 250, 180)));
    SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int j = 0; j <= kHistogramClasses; ++j) {
      const auto bar = HistogramBar(o, j, HistogramClassCount(h, j), S);
      if (bar) Rectangle(dc, bar->left, bar->top, bar->right, bar->bottom + 1);
    }
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
  }
  if (h.average >= 1) {
    const int32_t xa = HistogramTimeX(o, base, h.average);
    // An average past the axis' end (laps far beyond the classes) has no place on the chart.
    if (xa <= R - 10) {
      Line(dc, RGB(150, 150, 0), xa, T + 10, xa, Y0);
      if (S >= 1) {
        const std::string value = MillisecondsText(h.average);
        const AverageLabelPlace p = HistogramAverageLabel(
            xa, TextWidth(dc, small, "moy"), TextWidth(dc, small, value),
            L + 45 + 4, R - 2);
        Text(dc, small, TA_RIGHT, p.moyRight, T, "moy");
        Text(dc, small, TA_LEFT, p.valueLeft, T, value);
      }
    }
  }
  Text(dc, small, TA_RIGHT, L + 45, T, "Tours");
  Text(dc, small, TA_RIGHT, R, B - 19, "Temps");
}

void PaintLapTimeCurve(HDC dc, const DriverPaintInputs& in, int32_t from, int32_t to,
                       const CurveHover& hover, int32_t firstTimedLap) {
  Fonts fonts;  // before the state, which lets go of them first
  DcState state(dc);
  PaintFrame(dc, fonts, in, true);
  FillSolid(dc, kDriverChartArea, RGB(250, 250, 250));
  const SeriesResultEntry& e = *in.entry;
  LapRangeStats stats;
  ComputeLapRange(e, stats, from, to, firstTimedLap);
  // Point i stands for lap first + i: a run-up is no point of the curve.
  const int32_t first = FirstAnalysedLap(from, firstTimedLap);
  const CurveScale scale = ComputeCurveScale(stats);
  const CurveFrame f = kScreenCurve;
  HFONT small = fonts.get(14);
  const bool drawable = CurveDrawable(stats, scale);

  if (drawable) {
    for (int32_t k = 1; k <= scale.lines; ++k) {
      const int32_t y = CurveGridY(f, scale, k);
      Line(dc, RGB(220, 220, 150), L + 41, y, R - 20, y);
      Line(dc, kBlack, L + 38, y, L + 40, y);
    }
  }
  Line(dc, kBlack, L + 10, Y0, R - 10, Y0);
  Line(dc, kBlack, L + 40, T + 15, L + 40, B - 10);
  if (drawable) {
    for (int32_t i = 0; i < stats.count; ++i) {
      const int32_t lap = first + i;
      const int32_t x = CurveX(f, i, stats.count);
      const LapTick tick = CurveLapTick(stats.count, lap);
      if (tick != LapTick::None) Line(dc, kBlack, x, Y0, x, Y0 + (tick == LapTick::Long ? 7 : 3));
      if (CurveLapLabelShown(stats.count, i, lap, ChartMedium::Screen)) {
        Text(dc, small, TA_CENTER, x, B - 13, std::to_string(lap));
      }
    }
    for (const CurveTimeLabel& label : CurveTimeLabels(f, scale)) {
      Text(dc, small, TA_RIGHT, L + 35, label.y, TenthsText(label.value));
    }
    if (stats.average < kCurveLapLimit) {
      const int32_t ya = CurveY(f, scale, stats.average);
      Line(dc, kBlack, L + 41, ya, R - 30, ya);
      if (stats.average >= 1) {
        Text(dc, small, TA_RIGHT, R - 5, ya - 15, "moy");
        Text(dc, small, TA_RIGHT, R - 5, ya, MillisecondsText(stats.average));
      }
    }
    for (int32_t i = 0; i + 1 < stats.count; ++i) {
      const int32_t a = e.lapTimes[first + i];
      const int32_t b = e.lapTimes[first + i + 1];
      if (a >= kCurveLapLimit || b >= kCurveLapLimit) continue;
      DrawSolidLine(dc, 2, RGB(0, 180, 100), CurveX(f, i, stats.count), CurveY(f, scale, a),
                    CurveX(f, i + 1, stats.count), CurveY(f, scale, b));
    }
  }
  Text(dc, small, TA_RIGHT, R, B - 16, "Tours");
  Text(dc, small, TA_RIGHT, L + 55, T, "Temps");

  if (CurveHoverLabelShown(hover, stats, scale)) {
    const HoverLabelPlace p = CurveHoverLabelPlace(hover);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, p.ellipse.left, p.ellipse.top, p.ellipse.right, p.ellipse.bottom);
    const int32_t lap = first + hover.index;
    char number[24];
    std::snprintf(number, sizeof number, " (T%d)", lap);
    Text(dc, small, TA_CENTER, p.textX, p.textY, LapTimeText(e.lapTimes[lap]) + number);
  }
}

}  // namespace zd
