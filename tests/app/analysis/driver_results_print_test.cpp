#include "gtest_win32.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "analysis/driver_results_print.h"
#include "analysis/driver_window.h"
#include "../../analysis/driver_entries.h"
#include "live/board_canvas.h"
#include "print/metafile_records.h"

// The driver results printouts recorded in enhanced metafiles, one a page, and read back record
// by record: where each text and line of the page stands.

namespace {

using zd_test::MetaPage;
using zd_test::MetaText;

// One page drawn on a metafile at one device unit per page unit, then read back.
template <typename Draw>
MetaPage RecordPage(Draw draw) {
  zd_test::MetafilePage metafile;
  zd::SetDriverPageMapping(metafile.dc(), 630, 1120);
  draw(metafile.dc());
  return metafile.read();
}

bool HasTextIn(const MetaPage& page, RECT r) {
  for (const MetaText& t : page.texts)
    if (t.x >= r.left && t.x < r.right && t.y >= r.top && t.y < r.bottom) return true;
  return false;
}

// The curve is the page's only line 2 units wide.
int CurveSegments(const MetaPage& page) {
  int n = 0;
  for (const zd_test::MetaLine& l : page.lines) n += l.width == 2;
  return n;
}

// The same page drawn on a white picture, for a look at it.
template <typename Draw>
void SavePagePicture(const std::string& name, Draw draw) {
  zd_test::BoardCanvas canvas(720, 1120, RGB(255, 255, 255));
  zd::SetDriverPageMapping(canvas.dc(), 630, 1120);
  draw(canvas.dc());
  EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name));
}

struct Placed {
  const char* text;
  int x, y;
  UINT align;
};

// Each text at its place, with its alignment; where it is not, where the text stands instead.
void ExpectTexts(const MetaPage& page, std::initializer_list<Placed> expected) {
  for (const Placed& e : expected) {
    const MetaText* found = nullptr;
    std::string elsewhere;
    for (const MetaText& t : page.texts) {
      if (t.text != e.text) continue;
      if (t.x == e.x && t.y == e.y) found = &t;
      elsewhere += " (" + std::to_string(t.x) + ", " + std::to_string(t.y) + ")";
    }
    if (found == nullptr) {
      ADD_FAILURE() << "\"" << e.text << "\" not at (" << e.x << ", " << e.y << "); at" << elsewhere;
      continue;
    }
    EXPECT_EQ(found->align & (TA_CENTER | TA_RIGHT | TA_LEFT), e.align) << e.text;
  }
}

zd::DriverPrintInputs Inputs(const zd::SeriesResultEntry& entry, int32_t from, int32_t to) {
  return {&entry, " Open - EL1 - Série1  : Alain", " Piste : Nord   (.) ", "", from, to, 1};
}

TEST(DriverResultsPrint, RunSummaryPageOfTheSixLaps) {
  auto six = zd_test::DriverLaps("Alain", 5000, zd_test::SixLaps());
  const auto draw = [&](HDC dc) { zd::DrawRunSummaryPage(dc, Inputs(*six, 1, 6)); };
  const MetaPage page = RecordPage(draw);
  SavePagePicture("driver_print_summary.png", draw);
  ExpectTexts(page, {
      {" Open - EL1 - Série1  : Alain", 360, 130, TA_CENTER},
      {" Piste : Nord   (.) ", 50, 210, TA_LEFT},
      {"Synthèse du run entre tour 1 et tour 6", 370, 270, TA_CENTER},
      {"Histogramme des temps au tour entre tour 1 et tour 6", 370, 550, TA_CENTER},
      {"Evolution des temps au tour entre tour 1 et tour 6", 370, 830, TA_CENTER},
      {"Meilleur tour :", 190, 350, TA_RIGHT},
      {"30.480", 280, 350, TA_RIGHT},
      {"Moins bon tour :", 190, 375, TA_RIGHT},
      {"45.010", 280, 375, TA_RIGHT},
      {"Tour moyen :", 190, 410, TA_RIGHT},
      {"33.468", 280, 410, TA_RIGHT},
      {"(T 2)", 285, 350, TA_LEFT},
      {"(T 4)", 285, 375, TA_LEFT},
      {"Ecart type :", 190, 440, TA_RIGHT},
      {"+/- 5.210", 200, 440, TA_LEFT},
      {"(régularité)", 160, 460, TA_LEFT},
      {"Temps au tour", 360, 305, TA_LEFT},
      {"% tours", 635, 305, TA_RIGHT},
      {"30.400 < t < 30.500", 360, 325, TA_LEFT},
      {"35.400 < t ", 360, 478, TA_LEFT},
      {"33.3 %", 635, 325, TA_RIGHT},
      {"16.6 %", 635, 478, TA_RIGHT},
      {"moy", 347, 580, TA_RIGHT},  // x_a = 108 + 3468·35/500 = 350 on paper
      {"33.468", 352, 580, TA_LEFT},
      {"30.0", 118, 765, TA_RIGHT},
      {"Temps", 705, 761, TA_RIGHT},
  });
  // Class counts at 560, the curve's lap labels under their points.
  const MetaText* firstCount = nullptr;
  for (const MetaText& t : page.texts)
    if (t.x == 560 && t.y == 325) firstCount = &t;
  ASSERT_NE(firstCount, nullptr);
  EXPECT_EQ(firstCount->text, "2");
  ExpectTexts(page, {{"4", 388, 1045, TA_CENTER}});  // 108 + 560·3/6
  // No page number and no footer text.
  EXPECT_FALSE(HasTextIn(page, {600, 1080, 720, 1120}));
  // The curve's five segments.
  EXPECT_EQ(CurveSegments(page), 5);
}

TEST(DriverResultsPrint, AnInvertedRangePrintsZerosAndBareCurveAxes) {
  auto six = zd_test::DriverLaps("Alain", 5000, zd_test::SixLaps());
  const MetaPage page = RecordPage([&](HDC dc) { zd::DrawRunSummaryPage(dc, Inputs(*six, 4, 3)); });
  ExpectTexts(page, {
      {"Synthèse du run entre tour 4 et tour 3", 370, 270, TA_CENTER},
      {"Evolution des temps au tour entre tour 4 et tour 3", 370, 830, TA_CENTER},
      {"0.000 < t < 0.000", 360, 325, TA_LEFT},
      {"Tours", 705, 1041, TA_RIGHT},
      {"Temps", 115, 850, TA_RIGHT},
  });
  for (const MetaText& t : page.texts) {
    if (t.x == 280) {
      EXPECT_EQ(t.text, "0.000");
    }
  }
  // The curve panel: its two axes and titles, nothing else.
  EXPECT_EQ(CurveSegments(page), 0);
  int curveLines = 0;
  for (const zd_test::MetaLine& l : page.lines)
    if (l.y1 >= 840 && l.y1 <= 1078) ++curveLines;
  EXPECT_EQ(curveLines, 2);
  int curveTexts = 0;
  for (const MetaText& t : page.texts)
    if (t.y > 830 && t.y < 1078) ++curveTexts;
  EXPECT_EQ(curveTexts, 2);
}

TEST(DriverResultsPrint, HistogramScaleOfAHundredIsTwoHundredOnPaper) {
  auto hundred = zd_test::DriverLaps("Alain", 0, std::vector<int32_t>(100, 30000));
  const MetaPage page =
      RecordPage([&](HDC dc) { zd::DrawRunSummaryPage(dc, Inputs(*hundred, 1, 100)); });
  // Levels of 40 laps: the top label reads 200.
  ExpectTexts(page, {{"40", 85, 721, TA_RIGHT}, {"200", 85, 593, TA_RIGHT}});
}

TEST(DriverResultsPrint, LapListPages) {
  auto laps = zd_test::DriverLaps("Alain", 0, zd_test::ManyLaps(250));
  const zd::DriverPrintInputs in = Inputs(*laps, 1, 250);
  ASSERT_EQ(zd::DetailPageCount(250), 3);
  for (int32_t p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    const auto draw = [&](HDC dc) { zd::DrawLapListPage(dc, in, p); };
    const MetaPage page = RecordPage(draw);
    SavePagePicture("driver_print_laps_" + std::to_string(p + 1) + ".png", draw);
    ExpectTexts(page, {{" Open - EL1 - Série1  : Alain", 360, 130, TA_CENTER},
                       {"Détail des temps au tour", 370, 270, TA_CENTER}});
    int headers = 0;
    int rows = 0;
    const MetaText* last = nullptr;
    for (const MetaText& t : page.texts) {
      if (t.text == "Tours" && t.y == 308) ++headers;
      if (t.text.rfind("T ", 0) == 0) {
        ++rows;
        last = &t;
      }
    }
    EXPECT_EQ(headers, p < 2 ? 4 : 2);
    EXPECT_EQ(rows, p < 2 ? 100 : 50);
    ASSERT_NE(last, nullptr);
    if (p == 2) {
      // Lap 250: the last row of the second column.
      EXPECT_EQ(last->text, "T 250");
      EXPECT_EQ(last->x, 265);
      EXPECT_EQ(last->y, 935);
      const MetaText* time = page.findText(std::string("30.") + std::to_string(249 * 137 % 1000));
      ASSERT_NE(time, nullptr);
      EXPECT_EQ(time->x, 350);
    }
    EXPECT_FALSE(HasTextIn(page, {600, 1040, 720, 1120}));
  }
  // 101 laps: the second page holds lap 101 alone.
  auto more = zd_test::DriverLaps("Alain", 0, zd_test::ManyLaps(101));
  const MetaPage second =
      RecordPage([&](HDC dc) { zd::DrawLapListPage(dc, Inputs(*more, 1, 101), 1); });
  ExpectTexts(second, {{"T 101", 90, 335, TA_RIGHT}});
  EXPECT_EQ(zd::DetailPageCount(101), 2);
  EXPECT_EQ(zd::DetailPageCount(100), 1);
}

}  // namespace
