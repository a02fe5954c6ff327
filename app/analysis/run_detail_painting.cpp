#include "analysis/run_detail_painting.h"

#include <algorithm>
#include <cstdio>

#include "analysis/position_chart.h"
#include "live/board_style.h"
#include "live/gdi_objects.h"

namespace zd {

namespace {

struct GridColours {
  int32_t grid;
  int32_t header;
};

constexpr int32_t kGridLine = Rgb(200, 200, 160);

RECT Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return RECT{left, top, right, bottom};
}
RECT Rect(const ChartArea& a) { return Rect(a.left, a.top, a.right, a.bottom); }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void Texts(HDC dc, UINT align, const std::vector<PlacedText>& texts) {
  for (const PlacedText& t : texts) TextAt(dc, align, t.x, t.y, t.text.c_str());
}

void PaintGrid(HDC dc, const RunDetail& run, const RunView& view, GridValue value,
               GridColours colours) {
  GdiObject black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  GdiObject pale(CreatePen(PS_SOLID, 1, ToColorRef(kGridLine)));
  GdiObject smallFont(CreatePlainFont("Arial", 14));
  GdiObject largeFont(CreatePlainFont("Arial", 16));
  DcState state(dc);
  const int32_t S = run.shownColumns;
  const int32_t gridRight = 350 + 70 * S;
  FillSolid(dc, Rect(kLeftArea), Rgb(230, 230, 220));
  FillSolid(dc, Rect(kChartArea), Rgb(230, 230, 220));
  FillSolid(dc, Rect(350, 50, gridRight, 600), colours.grid);
  FillSolid(dc, Rect(350, 50, gridRight, 80), colours.header);
  FillSolid(dc, Rect(300, 50, 350, 600), colours.header);

  SelectObject(dc, black.get());
  Line(dc, 350, 50, gridRight, 50);
  Line(dc, 350, 80, gridRight, 80);
  Line(dc, 350, 50, 350, 80);
  if (run.driverCount != 0) {
    for (int32_t i = 1; i <= S; ++i) Line(dc, 350 + 70 * i, 50, 350 + 70 * i, 80);
  }
  Line(dc, 300, 50, 300, 600);
  Line(dc, 350, 50, 350, 600);
  Line(dc, 300, 50, 350, 50);
  Line(dc, 300, 80, 350, 80);
  for (int32_t i = 0; i < kGridRows; ++i) Line(dc, 300, 106 + 26 * i, 350, 106 + 26 * i);

  SelectObject(dc, pale.get());
  for (int32_t i = 0; i < kGridRows; ++i) Line(dc, 350, 106 + 26 * i, gridRight, 106 + 26 * i);
  if (run.driverCount != 0) {
    for (int32_t i = 1; i <= S; ++i) Line(dc, 350 + 70 * i, 80, 350 + 70 * i, 600);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SelectObject(dc, smallFont.get());
  Texts(dc, TA_LEFT | TA_TOP, GridLegend(run));
  SelectObject(dc, largeFont.get());
  Texts(dc, TA_RIGHT | TA_TOP, GridHeadings(run, view.lapPos, view.sidePos));
  SelectObject(dc, smallFont.get());
  Texts(dc, TA_RIGHT | TA_TOP, GridCells(run, value, view.lapPos, view.sidePos));
}

std::string Number(int32_t n) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(n));
  return text;
}

}  // namespace

void PaintRaceTimeGrid(HDC dc, const RunDetail& run, const RunView& view) {
  PaintGrid(dc, run, view, GridValue::RaceTime, {Rgb(255, 255, 200), Rgb(255, 255, 150)});
}

void PaintLapTimeGrid(HDC dc, const RunDetail& run, const RunView& view) {
  PaintGrid(dc, run, view, GridValue::LapTime, {Rgb(200, 255, 200), Rgb(150, 230, 150)});
}

void PaintPositionChart(HDC dc, const RunDetail& run, const RunView& view, int32_t selected,
                        int32_t mouseX, int32_t mouseY) {
  const int32_t N = run.driverCount;
  GdiObject dotted(CreatePen(PS_DOT, 1, RGB(160, 160, 160)));
  GdiObject axisFont(CreatePlainFont("Arial", 15));
  GdiObject legendFont(CreatePlainFont("Arial", LegendFontHeight(N)));
  GdiObject bubbleFont(CreatePlainFont("Arial", 15, 700));
  DcState state(dc);
  const ChartArea A = kLeftArea;
  const ChartArea C = kChartArea;
  FillSolid(dc, Rect(A), Rgb(240, 240, 230));
  FillSolid(dc, Rect(C), Rgb(250, 250, 240));
  if (!ChartDrawn(run)) return;
  const int32_t hPos = view.sidePos;
  const int32_t columns = std::min(run.longestRun, kChartLaps);

  SelectObject(dc, dotted.get());
  for (int32_t b = 0; b < N; ++b) {
    Line(dc, A.right - 20, LegendPlaceY(b + 1, N) + 10, A.right, LegendPlaceY(b + 1, N) + 10);
    Line(dc, C.left, ChartPlaceY(b + 1, N), C.right, ChartPlaceY(b + 1, N));
  }
  for (int32_t b = 0; b < columns; ++b) Line(dc, ChartLapX(b), C.top, ChartLapX(b), C.bottom - 22);

  for (int32_t i = 0; i < N; ++i) {
    const SeriesResultEntry& e = run.table[i];
    // Selected only for its driver's segments: let go of it before it is deleted.
    GdiObject pen(CreatePen(PS_SOLID, i == selected ? 4 : 2, ToColorRef(ChartPalette(i).pen)));
    SelectObject(dc, pen.get());
    for (int32_t b = 0; b < kChartLaps - 1 && b < e.passingCount - hPos - 1; ++b) {
      Line(dc, ChartLapX(b), ChartPlaceY(e.positions[hPos + b], N), ChartLapX(b + 1),
           ChartPlaceY(e.positions[hPos + b + 1], N));
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
  }

  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, axisFont.get());
  SetTextColor(dc, RGB(100, 100, 100));
  TextAt(dc, TA_LEFT | TA_TOP, C.right - 30, C.bottom - 20, "Tour");
  TextAt(dc, TA_LEFT | TA_TOP, C.left + 2, C.top, "Pos");
  SetTextColor(dc, RGB(150, 150, 150));
  for (int32_t b = 0; b < columns; ++b)
    TextAt(dc, TA_LEFT | TA_TOP, ChartLapX(b) - 5, C.bottom - 20, Number(hPos + b + 1).c_str());
  for (int32_t p = 1; p <= N; ++p)
    TextAt(dc, TA_LEFT | TA_TOP, C.left + 5, ChartPlaceY(p, N) - 15, Number(p).c_str());

  SelectObject(dc, legendFont.get());
  for (const LegendEntry& entry : ChartLegend(run, hPos)) {
    SetTextColor(dc, ToColorRef(ChartPalette(entry.driver).text));
    TextAt(dc, TA_RIGHT | TA_TOP, A.right - 25, entry.y, entry.text.c_str());
  }

  if (view.bubble.on) {
    const BubblePlacement b = PlaceBubble(run, hPos, selected, view.bubble, mouseX, mouseY);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, b.x - 45, b.y - 30, b.x + 45, b.y);
    SelectObject(dc, bubbleFont.get());
    SetTextColor(dc, RGB(0, 0, 0));
    TextAt(dc, TA_CENTER | TA_TOP, b.x, b.y - 23, b.text.c_str());
  }
}

}  // namespace zd
