#include "phases/arrangement_painting.h"

#include <algorithm>
#include <string>
#include <vector>

#include "live/gdi_objects.h"
#include "print/report_drawing.h"

namespace zd {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kClashRed = RGB(250, 0, 0);
constexpr COLORREF kBackground = RGB(230, 230, 220);
constexpr COLORREF kHeaderColour = RGB(255, 255, 200);
constexpr COLORREF kBandColour = RGB(255, 240, 200);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kEliminatedGrey = RGB(200, 200, 200);
constexpr COLORREF kZebraGrey = RGB(234, 234, 234);

// The screen table: its rows of 20 pixels from y 110, at most 20 of them down to y 510.
constexpr int kLeft = 20, kBandRight = 80, kRight = 810;
constexpr int kHeaderTop = 80, kRowsTop = 110, kRowHeight = 20, kRowsBottom = 510;
constexpr int kHeaderSeparators[] = {80, 110, 150, 350, 390, 520, 660, 710, 760};
constexpr int kBodySeparators[] = {110, 150, 350, 390, 520, 660, 710};

// The printout's columns.
const std::vector<int> kPrintSeparators = {90, 120, 160, 310, 350, 460, 560, 610};
constexpr int kPrintLeft = 30, kPrintLabelRight = 90, kPrintRight = 655;

// A font for a run of texts, in black or in the clash colour; selected for each text, so that
// two of them can take turns.
class TextFont {
 public:
  TextFont(HDC dc, int height, bool bold = false)
      : dc_(dc), font_(CreatePlainFont("Arial", height, bold ? FW_BOLD : 0)) {
    previous_ = SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
  }
  ~TextFont() { SelectObject(dc_, previous_); }
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;
  void left(int x, int y, std::string_view text, COLORREF colour = kBlack) const {
    draw(TA_LEFT, x, y, text, colour);
  }
  void right(int x, int y, std::string_view text, COLORREF colour = kBlack) const {
    draw(TA_RIGHT, x, y, text, colour);
  }

 private:
  void draw(UINT align, int x, int y, std::string_view text, COLORREF colour) const {
    if (text.empty()) return;
    SelectObject(dc_, font_.get());
    SetTextColor(dc_, colour);
    TextAt(dc_, align | TA_TOP, x, y, std::string(text).c_str());
  }
  HDC dc_;
  GdiObject font_;
  HGDIOBJ previous_ = nullptr;
};

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right > left && bottom > top) FillSolid(dc, {left, top, right, bottom}, colour);
}

void Line(HDC dc, int width, int x1, int y1, int x2, int y2) {
  DrawSolidLine(dc, width, kBlack, x1, y1, x2, y2);
}

void Box(HDC dc, int width, int left, int top, int right, int bottom) {
  Line(dc, width, left, top, right, top);
  Line(dc, width, left, bottom, right, bottom);
  Line(dc, width, left, top, left, bottom);
  Line(dc, width, right, top, right, bottom);
}

std::string ShownName(const ParticipantRecord& slot) {
  return ArrangementModel::EmptySlot(slot) ? std::string() : slot.name.str();
}

COLORREF FrequencyColour(const ArrangementModel& model, int index) {
  return model.clash(index) ? kClashRed : kBlack;
}

// The header row, the band and the body's lines down to bottom, for rows in use.
void PaintFrame(HDC dc, const ArrangementModel& model, int bottom, int rows) {
  Box(dc, 2, kLeft, kHeaderTop, kRight, kRowsTop);
  for (int x : kHeaderSeparators) Line(dc, 2, x, kHeaderTop, x, kRowsTop);
  Line(dc, 2, kLeft, kRowsTop, kBandRight, kRowsTop);
  Line(dc, 2, kLeft, kRowsTop, kLeft, bottom);
  Line(dc, 2, kBandRight, kRowsTop, kBandRight, bottom);
  Line(dc, 2, kRight, kRowsTop, kRight, bottom);
  for (int x : kBodySeparators) Line(dc, 1, x, kRowsTop, x, bottom);
  for (int i = 1; i < kArrangementVisibleRows && i < rows; ++i)
    Line(dc, 1, kBandRight, kRowsTop + kRowHeight * i, kRight, kRowsTop + kRowHeight * i);

  TextFont font(dc, 16);
  font.left(model.grid() ? 27 : 30, 90, model.grid() ? "Manche" : "Série");
  font.right(105, 90, "Pos");
  font.right(145, 90, "Num");
  font.left(160, 90, "Pilote");
  font.left(355, 90, "Age");
  font.left(395, 90, "Voiture/Moto");
  font.left(525, 90, "Catégorie");
  font.left(665, 90, "Transp.");
  for (int k = 1; k <= 2; ++k) font.left(715 + 50 * (k - 1), 90, "Fréq" + std::to_string(k));
}

void PaintRow(const TextFont& font, const ArrangementModel& model, int index, int r, int position) {
  const ParticipantRecord& slot = model.slot(index);
  const int y = 113 + kRowHeight * r;
  font.right(105, y, std::to_string(position));
  font.right(145, y, slot.carNumber.view());
  font.left(160, y, ShownName(slot));
  font.left(355, y, slot.ageCategoryCode.view());
  font.left(395, y, slot.vehicle.view());
  font.left(525, y, slot.vehicleCategory.view());
  font.left(665, y, slot.transponder.view());
  font.left(715, y, slot.frequencies[0].view(), FrequencyColour(model, index));
  font.left(765, y, slot.frequencies[1].view());
}

void PaintArrows(HDC dc, const ArrangementModel& model, int p) {
  for (int k = 0; k < kArrangementVisibleRows - 1; ++k) {
    const ArrowPair arrows = model.arrowsAt(p, k);
    if (!arrows.shown) break;
    DrawBitmapFile(dc, arrows.downGrey ? "images/FlecheBasG.bmp" : "images/FlecheBas.bmp", 330,
                   114 + kRowHeight * k, 0, 0);
    DrawBitmapFile(dc, arrows.upGrey ? "images/FlecheHautG.bmp" : "images/FlecheHaut.bmp", 310,
                   134 + kRowHeight * k, 0, 0);
  }
}

void PaintSeries(HDC dc, const ArrangementModel& model, int p) {
  const int n = model.count();
  if (n < 1) return;
  const int series = model.seriesCount();
  const int rows = model.rowCount();
  const int bottom = std::min(kRowsTop + kRowHeight * rows, kRowsBottom);
  Fill(dc, kLeft, kRowsTop, kBandRight, bottom, kBandColour);
  Fill(dc, kLeft, kHeaderTop, kRight, kRowsTop, kHeaderColour);
  Fill(dc, kBandRight, kRowsTop, kRight, bottom, kWhite);
  PaintFrame(dc, model, bottom, rows);
  for (int i = 0; i <= series; ++i) {
    const int a = i * n - p % n;
    if (a >= 1 && a <= kArrangementVisibleRows) {
      const int y = kRowsTop + kRowHeight * a;
      Line(dc, 2, kLeft, y, kRight, y);
    }
  }

  TextFont labels(dc, 16);
  for (int k = 0; p / n + k < series; ++k) {
    const int offset = 10 * n - 10 + kRowHeight * (k * n - p % n);
    if (offset >= 1 && offset <= 399)
      labels.left(30, kRowsTop + offset, "Série " + std::to_string(p / n + k + 1));
  }
  TextFont font(dc, 15);
  for (int r = 0; r < kArrangementVisibleRows && p + r < rows && p + r < model.slotCount(); ++r)
    PaintRow(font, model, p + r, r, (p + r) % n + 1);
}

void PaintGrid(HDC dc, const ArrangementModel& model, int p) {
  const int participants = model.participantCount();
  const int qualified = model.count();
  const int bottom = std::min(kRowsTop + kRowHeight * participants, kRowsBottom);
  const int boundary = std::clamp(kRowsTop + kRowHeight * (qualified - p), kRowsTop, kRowsBottom);
  Fill(dc, kLeft, kRowsTop, kBandRight, bottom, kBandColour);
  Fill(dc, kLeft, kHeaderTop, kRight, kRowsTop, kHeaderColour);
  Fill(dc, kBandRight, kRowsTop, kRight, bottom, kWhite);
  Fill(dc, kLeft, boundary, kRight, bottom, kEliminatedGrey);
  PaintFrame(dc, model, bottom, participants);
  Line(dc, 2, kLeft, boundary, kRight, boundary);
  Line(dc, 2, kLeft, bottom, kRight, bottom);

  TextFont labels(dc, 16);
  if (qualified - p >= 1) labels.left(25, (kRowsTop + boundary) / 2 - 9, "Qualifiés");
  if (qualified < participants && qualified - p <= kArrangementVisibleRows - 1)
    labels.left(26, (boundary + bottom) / 2 - 9, "Eliminés");
  TextFont font(dc, 15);
  for (int r = 0; r < kArrangementVisibleRows && p + r < participants; ++r)
    PaintRow(font, model, p + r, r, p + r + 1);
}

std::vector<ReportColumn> PrintColumns(bool grid) {
  return {{80, true, grid ? "Manche" : "Série"},
          {115, true, "Pos"},
          {155, true, "# Num"},
          {170, false, "Pilote"},
          {320, false, "Age"},
          {360, false, "Voiture/Moto"},
          {470, false, "Catégorie"},
          {565, false, "Transp."},
          {615, false, "Fréq1"}};
}

void PrintRow(const TextFont& first, const TextFont& second, const ArrangementModel& model,
              int index, int y, int position) {
  const ParticipantRecord& slot = model.slot(index);
  first.right(115, y, std::to_string(position));
  first.right(155, y, slot.carNumber.view());
  first.left(170, y, ShownName(slot));
  first.left(320, y, slot.ageCategoryCode.view());
  first.left(470, y, slot.vehicleCategory.view());
  second.left(360, y, slot.vehicle.view());
  second.left(565, y, slot.transponder.view());
  second.left(615, y, slot.frequencies[0].view(), FrequencyColour(model, index));
}

// The frame around the report's band, then its texts; the page's own fills come first.
void DrawFrameAndBand(HDC dc, const ArrangementModel& model, int page, int pageCount) {
  DrawReportFrameLines(dc);
  DrawReportBandOutline(dc, kListTableEdges);
  DrawReportBandSeparators(dc, kPrintSeparators);
  ReportFrameTexts texts;
  texts.title = ArrangementReportTitle(model.phase());
  texts.information = &model.reportInformation();
  texts.page = page;
  texts.pageCount = pageCount;
  DrawReportFrameTexts(dc, texts);
  DrawReportHeadings(dc, PrintColumns(model.grid()));
}

void DrawSeriesPage(HDC dc, const ArrangementModel& model, int page, int pageCount) {
  const int n = model.count();
  const ArrangementPrintLayout layout = model.printLayout();
  const int h = layout.rowHeight;
  const int first = model.firstSeriesOnPage(page);
  const int blocks = model.seriesOnPage(page);
  auto top = [&](int block) { return kReportRowTop + block * (n + 1) * h; };
  // The last series may reach past the last slot: it is drawn short.
  auto rowsOf = [&](int block) {
    return std::clamp(model.slotCount() - (first + block) * n, 0, n);
  };

  FillReportHeadingBand(dc, kListTableEdges);
  for (int b = 0; b < blocks; ++b) {
    Fill(dc, kPrintLeft, top(b), kPrintLabelRight, top(b) + n * h, kBandColour);
    for (int j = 0; j < rowsOf(b); j += 2)
      Fill(dc, kPrintLabelRight, top(b) + j * h, kPrintRight, top(b) + (j + 1) * h, kZebraGrey);
  }
  DrawFrameAndBand(dc, model, page, pageCount);
  for (int b = 0; b < blocks; ++b) {
    Box(dc, 1, kPrintLeft, top(b), kPrintLabelRight, top(b) + n * h);
    Box(dc, 1, kPrintLabelRight, top(b), kPrintRight, top(b) + n * h);
  }
  {
    TextFont labels(dc, 12, true);
    for (int b = 0; b < blocks; ++b)
      labels.right(80, top(b) - 10 + n * h / 2, "Série " + std::to_string(first + b + 1));
  }
  TextFont firstFont(dc, layout.firstFont);
  TextFont secondFont(dc, layout.secondFont);
  for (int b = 0; b < blocks; ++b)
    for (int j = 0; j < rowsOf(b); ++j)
      PrintRow(firstFont, secondFont, model, (first + b) * n + j, top(b) + 3 + j * h, j + 1);
}

void DrawGridPage(HDC dc, const ArrangementModel& model, int page, int pageCount) {
  const GridPrintPage g = model.gridPage(page);
  const int n = g.rows, q = g.qualified;
  const int h = kReportRowHeight;
  FillReportHeadingBand(dc, kListTableEdges);
  if (q > 0) {
    Fill(dc, kPrintLeft, kReportRowTop, kPrintLabelRight, kReportRowTop + h * q, kBandColour);
    for (int j = 0; j < q; j += 2)
      Fill(dc, kPrintLabelRight, ReportRowTop(j), kPrintRight, ReportRowTop(j + 1), kZebraGrey);
  }
  if (n > q) Fill(dc, kPrintLeft, ReportRowTop(q), kPrintRight, ReportRowTop(n), kEliminatedGrey);
  DrawFrameAndBand(dc, model, page, pageCount);
  if (n > 0) {
    Box(dc, 1, kPrintLeft, kReportRowTop, kPrintRight, ReportRowTop(n));
    Line(dc, 1, kPrintLabelRight, kReportRowTop, kPrintLabelRight, ReportRowTop(n));
  }
  if (n > q) Line(dc, 1, kPrintLeft, ReportRowTop(q), kPrintRight, ReportRowTop(q));
  {
    TextFont labels(dc, 12, true);
    if (q > 0) labels.right(80, 266 + 10 * q, "Qualifiés");
    if (n > q) labels.right(80, 266 + 20 * q + 10 * (n - q), "Eliminés");
  }
  TextFont first(dc, 14);
  TextFont second(dc, 12);
  for (int i = 0; i < n; ++i)
    PrintRow(first, second, model, g.firstSlot + i, ReportRowTextTop(i), g.firstSlot + i + 1);
}

}  // namespace

void PaintArrangementTable(HDC dc, const ArrangementModel& model, int p) {
  DcState state(dc);
  FillSolid(dc, kArrangementTableRect, kBackground);
  if (model.grid())
    PaintGrid(dc, model, p);
  else
    PaintSeries(dc, model, p);
  PaintArrows(dc, model, p);
}

void DrawArrangementPage(HDC dc, const ArrangementModel& model, int page, int pageCount) {
  DcState state(dc);
  if (model.grid())
    DrawGridPage(dc, model, page, pageCount);
  else
    DrawSeriesPage(dc, model, page, pageCount);
}

}  // namespace zd
