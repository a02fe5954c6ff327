#include "analysis/driver_results_print.h"

#include <cstdio>
#include <string>

#include "analysis/driver_charts.h"
#include "analysis/driver_laps.h"
#include "analysis/driver_results_painting.h"
#include "analysis/driver_window.h"
#include "live/gdi_objects.h"
#include "print/report_drawing.h"

namespace zd {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

void Text(HDC dc, HFONT font, UINT align, int x, int y, const std::string& text) {
  SelectObject(dc, font);
  TextAt(dc, align | TA_TOP, x, y, text.c_str());
}

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
  DrawSolidLine(dc, 1, static_cast<int32_t>(colour), x1, y1, x2, y2);
}

void Fill(HDC dc, RECT r, COLORREF colour) { FillSolid(dc, r, static_cast<int32_t>(colour)); }

// The page title and the track line, on every page.
void DrawHeading(HDC dc, const DriverPrintInputs& in) {
  GdiObject title(CreatePlainFont("Arial", 25, FW_BOLD));
  GdiObject track(CreatePlainFont("Arial", 13));
  DcState state(dc);
  Text(dc, static_cast<HFONT>(title.get()), TA_CENTER, 360, 130, in.pageTitle);
  Text(dc, static_cast<HFONT>(track.get()), TA_LEFT, 50, 210, in.trackLine);
}

std::string RangeTitle(const char* text, int32_t from, int32_t to) {
  char title[128];
  std::snprintf(title, sizeof title, text, from, to);
  return title;
}

void DrawSummaryPanel(HDC dc, const LapSummary& s, HFONT f13, HFONT f15, HFONT f19) {
  Fill(dc, {330, 303, 660, 323}, RGB(255, 255, 200));
  for (int y = 340; y <= 476; y += 34) Fill(dc, {330, y, 660, y + 17}, RGB(234, 234, 234));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, 330, 303, 660, 323);
  Rectangle(dc, 330, 323, 660, 496);
  Line(dc, kBlack, 520, 303, 520, 323);
  Line(dc, kBlack, 570, 303, 570, 323);
  for (int y = 341; y <= 477; y += 17) Line(dc, RGB(100, 100, 50), 331, y, 659, y);

  const char* labels[] = {"Meilleur tour :", "Moins bon tour :", "Tour moyen :"};
  const int32_t values[] = {s.best, s.worst, s.average};
  const int ys[] = {350, 375, 410};
  for (int i = 0; i < 3; ++i) {
    Text(dc, f19, TA_RIGHT, 190, ys[i], labels[i]);
    Text(dc, f19, TA_RIGHT, 280, ys[i], LapTimeText(values[i]));
  }
  Text(dc, f15, TA_RIGHT, 190, 440, "Ecart type :");
  Text(dc, f15, TA_LEFT, 200, 440, "+/- " + LapTimeText(s.deviation));
  Text(dc, f15, TA_LEFT, 360, 305, "Temps au tour");
  Text(dc, f15, TA_RIGHT, 560, 305, "Tours");
  Text(dc, f15, TA_RIGHT, 635, 305, "% tours");
  for (int k = 0; k < kSummaryClasses; ++k) {
    Text(dc, f15, TA_LEFT, 360, 325 + 17 * k, SummaryClassText(s, k));
    Text(dc, f15, TA_RIGHT, 560, 325 + 17 * k, std::to_string(s.counts[k]));
    Text(dc, f15, TA_RIGHT, 635, 325 + 17 * k, ShareText(s.shares[k]));
  }
  char lap[24];
  std::snprintf(lap, sizeof lap, "(T %d)", s.bestLap);
  Text(dc, f13, TA_LEFT, 285, 350, lap);
  std::snprintf(lap, sizeof lap, "(T %d)", s.worstLap);
  Text(dc, f13, TA_LEFT, 285, 375, lap);
  Text(dc, f13, TA_LEFT, 160, 460, "(régularité)");
}

void DrawHistogramPanel(HDC dc, const LapHistogram& h, int32_t S, HFONT f13) {
  const ChartOrigin o = kPaperHistogram;
  const int32_t base = h.edges[0];
  if (S >= 1) {
    GdiObject brush(CreateSolidBrush(RGB(255, 214, 142)));
    SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int j = 0; j <= kHistogramClasses; ++j) {
      const auto bar = HistogramBar(o, j, HistogramClassCount(h, j), S);
      if (bar) Rectangle(dc, bar->left, bar->top, bar->right, bar->bottom);
    }
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
  }
  Line(dc, kBlack, 70, 758, 670, 758);
  Line(dc, kBlack, 90, 585, 90, 768);
  if (S >= 1) {
    for (int i = 0; i < 80; ++i) Line(dc, kBlack, 108 + 7 * i, 758, 108 + 7 * i, 760);
    for (int i = 0; i < 16; ++i) Line(dc, kBlack, 108 + 35 * i, 758, 108 + 35 * i, 765);
  }
  const auto levels = HistogramLevels(S, o.y0);
  for (const HistogramLevel& level : levels) {
    Line(dc, kBlack, 87, level.y, 90, level.y);
    if (level.halfTickY) Line(dc, kBlack, 88, *level.halfTickY, 90, *level.halfTickY);
    Line(dc, RGB(150, 150, 150), 91, level.y, 660, level.y);
  }
  // An average past the axis' end (laps far beyond the classes) has no place on the chart.
  const int32_t xa = h.average >= 1 ? HistogramTimeX(o, base, h.average) : 0;
  const bool average = h.average >= 1 && xa <= 670;
  if (average) Line(dc, RGB(50, 50, 50), xa, 590, xa, 758);
  Text(dc, f13, TA_RIGHT, 705, 761, "Temps");
  Text(dc, f13, TA_RIGHT, 105, 570, "Tours");
  if (S >= 1) {
    for (int i = 0; i < 16; ++i)
      Text(dc, f13, TA_RIGHT, 118 + 35 * i, 765, TenthsText(HistogramTickTime(base, i)));
    for (const HistogramLevel& level : levels) {
      Text(dc, f13, TA_RIGHT, 85, level.y - 5, std::to_string(level.label));
    }
    // The average's label goes with the scale, as on screen.
    if (average) {
      const std::string value = MillisecondsText(h.average);
      const AverageLabelPlace p =
          HistogramAverageLabel(xa, TextWidth(dc, f13, "moy"), TextWidth(dc, f13, value), 109, 708);
      Text(dc, f13, TA_RIGHT, p.moyRight, 580, "moy");
      Text(dc, f13, TA_LEFT, p.valueLeft, 580, value);
    }
  }
}

void DrawCurvePanel(HDC dc, const DriverPrintInputs& in, const LapRangeStats& stats, HFONT f14) {
  const CurveScale scale = ComputeCurveScale(stats);
  const CurveFrame f = kPaperCurve;
  const bool drawable = CurveDrawable(stats, scale);
  if (drawable) {
    for (int32_t k = 1; k <= scale.lines; ++k) {
      Line(dc, RGB(150, 150, 150), 101, CurveGridY(f, scale, k), 660, CurveGridY(f, scale, k));
    }
  }
  Line(dc, kBlack, 70, 1038, 670, 1038);
  Line(dc, kBlack, 100, 865, 100, 1048);
  Text(dc, f14, TA_RIGHT, 705, 1041, "Tours");
  Text(dc, f14, TA_RIGHT, 115, 850, "Temps");
  if (!drawable) return;
  const SeriesResultEntry& e = *in.entry;
  const int32_t first = FirstAnalysedLap(in.from, in.firstTimedLap);
  for (int32_t k = 1; k <= scale.lines; ++k) {
    Line(dc, kBlack, 98, CurveGridY(f, scale, k), 100, CurveGridY(f, scale, k));
  }
  for (int32_t i = 0; i < stats.count; ++i) {
    const int32_t lap = first + i;
    const int32_t x = CurveX(f, i, stats.count);
    const LapTick tick = CurveLapTick(stats.count, lap);
    if (tick != LapTick::None) Line(dc, kBlack, x, 1038, x, tick == LapTick::Long ? 1045 : 1040);
    if (CurveLapLabelShown(stats.count, i, lap, ChartMedium::Paper)) {
      Text(dc, f14, TA_CENTER, x, 1045, std::to_string(lap));
    }
  }
  for (const CurveTimeLabel& label : CurveTimeLabels(f, scale)) {
    Text(dc, f14, TA_RIGHT, 95, label.y, TenthsText(label.value));
  }
  if (stats.average < kCurveLapLimit) {
    const int32_t ya = CurveY(f, scale, stats.average);
    Line(dc, kBlack, 101, ya, 670, ya);
    if (stats.average >= 1) {
      Text(dc, f14, TA_RIGHT, 700, ya - 15, "moy");
      Text(dc, f14, TA_RIGHT, 700, ya, MillisecondsText(stats.average));
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

}  // namespace

void SetDriverPageMapping(HDC dc, int width, int height) {
  SetReportMapping(dc, width, height, kDriverPage);
}

void DrawRunSummaryPage(HDC dc, const DriverPrintInputs& in) {
  LapSummary summary;
  LapHistogram histogram;
  LapRangeStats stats;
  ComputeLapSummary(*in.entry, summary, in.from, in.to, in.firstTimedLap);
  ComputeLapHistogram(*in.entry, histogram, in.from, in.to, in.firstTimedLap);
  ComputeLapRange(*in.entry, stats, in.from, in.to, in.firstTimedLap);
  const int32_t S = HistogramScaleTop(histogram, ChartMedium::Paper);

  GdiObject f13(CreatePlainFont("Arial", 13));
  GdiObject f14(CreatePlainFont("Arial", 14));
  GdiObject f15(CreatePlainFont("Arial", 15));
  GdiObject f19(CreatePlainFont("Arial", 19));
  DcState state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlack);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, 50, 260, 710, 518);
  Rectangle(dc, 50, 540, 710, 798);
  Rectangle(dc, 50, 820, 710, 1078);

  const auto font = [](const GdiObject& f) { return static_cast<HFONT>(f.get()); };
  DrawSummaryPanel(dc, summary, font(f13), font(f15), font(f19));
  DrawHistogramPanel(dc, histogram, S, font(f13));
  DrawCurvePanel(dc, in, stats, font(f14));

  DrawHeading(dc, in);
  // The titles name the laps the figures are taken from, a run-up left out.
  const int32_t first = FirstAnalysedLap(in.from, in.firstTimedLap);
  Text(dc, font(f15), TA_CENTER, 370, 270,
       RangeTitle("Synthèse du run entre tour %d et tour %d", first, in.to));
  Text(dc, font(f15), TA_CENTER, 370, 550,
       RangeTitle("Histogramme des temps au tour entre tour %d et tour %d", first, in.to));
  Text(dc, font(f15), TA_CENTER, 370, 830,
       RangeTitle("Evolution des temps au tour entre tour %d et tour %d", first,
                  first + stats.count - 1));
}

void DrawLapListPage(HDC dc, const DriverPrintInputs& in, int32_t page) {
  const int32_t n = in.entry->passingCount;
  const int32_t laps = DetailPageLaps(n, page);
  GdiObject f12(CreatePlainFont("Arial", 12, FW_BOLD));
  GdiObject f14(CreatePlainFont("Arial", 14));
  GdiObject f15(CreatePlainFont("Arial", 15));
  DcState state(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlack);
  const int32_t columns = DetailPageColumns(n, page);
  for (int32_t c = 0; c < columns; ++c) Fill(dc, {50 + 175 * c, 303, 180 + 175 * c, 325}, RGB(255, 255, 200));
  for (int32_t c = 0; c < columns; ++c) {
    for (int32_t r = 0; r < kDetailRows && kDetailRows * c + r < laps; r += 2) {
      Fill(dc, {50 + 175 * c, 330 + 25 * r, 180 + 175 * c, 355 + 25 * r}, RGB(234, 234, 234));
    }
  }
  DrawHeading(dc, in);
  Text(dc, static_cast<HFONT>(f15.get()), TA_CENTER, 370, 270, "Détail des temps au tour");
  for (int32_t c = 0; c < columns; ++c) {
    Text(dc, static_cast<HFONT>(f12.get()), TA_RIGHT, 90 + 175 * c, 308, "Tours");
    Text(dc, static_cast<HFONT>(f12.get()), TA_RIGHT, 175 + 175 * c, 308, "Temps");
  }
  for (int32_t k = 0; k < laps; ++k) {
    const DetailCell cell = DetailPageCell(page, k);
    char number[16];
    std::snprintf(number, sizeof number, "T %d", cell.lap);
    Text(dc, static_cast<HFONT>(f14.get()), TA_RIGHT, cell.lapX, cell.y, number);
    Text(dc, static_cast<HFONT>(f14.get()), TA_RIGHT, cell.timeX, cell.y,
         LapTimeText(in.entry->lapTimes[cell.lap]));
  }
}

void PrintRunSummary(HWND owner, const DriverPrintInputs& in, const char* savedDirectory) {
  const int pages = in.entry != nullptr && in.entry->passingCount >= 1 ? 1 : 0;
  PrintReport(owner, in.logoPath, "SYNTHESE RUN : Printing...", pages,
              [&](HDC dc, int) { DrawRunSummaryPage(dc, in); }, savedDirectory, kDriverPage);
}

void PrintLapList(HWND owner, const DriverPrintInputs& in, const char* savedDirectory) {
  const int pages = in.entry != nullptr ? DetailPageCount(in.entry->passingCount) : 0;
  PrintReport(owner, in.logoPath, "DETAIL TOURS : Printing...", pages,
              [&](HDC dc, int page) { DrawLapListPage(dc, in, page - 1); }, savedDirectory,
              kDriverPage);
}

}  // namespace zd
