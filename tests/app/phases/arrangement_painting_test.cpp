// The arrangement table and its printed pages drawn on metafiles from models read off small race
// files: the bands, the red frequencies, the grey area with its labels, the arrows, the page
// numbers.

#include "gtest_win32.h"

#include <memory>
#include <string>
#include <vector>

#include "main/data_folder.h"
#include "phases/arrangement_painting.h"
#include "print/metafile_records.h"
#include "unix_shell.h"

namespace {

using zd_test::MetafilePage;
using zd_test::MetaPage;

constexpr COLORREF kRed = RGB(250, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Race 1 with "Pilote 1" to "Pilote n" in this order, the given first frequencies, and a model of
// the phase read from it.
std::unique_ptr<zd::ArrangementModel> ModelOf(zd::RacePhase phase, int drivers, int32_t count,
                                              const std::vector<std::pair<int, const char*>>&
                                                  frequencies = {}) {
  const std::string path =
      zd_test::WindowsPathOf(zd_test::NewUnixFolder("arrangement")) + "\\Course.race2";
  zd::TextFile file;
  EXPECT_TRUE(file.open(path, zd::OpenMode::Create));
  EXPECT_TRUE(zd::InitialiseRaceFile(file).ok);
  zd::RaceHeaderRecords records;
  zd::ClearRaceHeaderRecords(records);
  records[0].name = "Open";
  records[0].participantCount = drivers;
  EXPECT_TRUE(zd::WriteRaceFileHeader(file, 10000, 1, records).ok);
  auto participants = std::make_unique<zd::ParticipantTable>();
  zd::ClearParticipants(*participants);
  auto slots = std::make_unique<zd::ArrangementRecords>();
  for (int i = 0; i < drivers; ++i) {
    (*participants)[i].name = "Pilote " + std::to_string(i + 1);
    (*participants)[i].carNumber = std::to_string(i + 1);
    (*slots)[i].name = (*participants)[i].name;
  }
  for (const auto& [index, frequency] : frequencies) (*participants)[index].frequencies[0] = frequency;
  EXPECT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
  const std::string title = zd::ArrangementSectionTitle(1, phase);
  if (phase == zd::RacePhase::Rounds) {
    auto table = std::make_unique<zd::ParticipantTable>();
    std::copy_n(slots->begin(), zd::kGridSlots, table->begin());
    EXPECT_TRUE(zd::WriteRoundArrangementRecords(file, title, count, *table).ok);
  } else {
    EXPECT_TRUE(zd::WriteSeriesArrangementRecords(file, title, count, *slots).ok);
  }
  auto model = std::make_unique<zd::ArrangementModel>(phase);
  model->read(file);
  return model;
}

bool HasFill(const MetaPage& page, RECT rect, COLORREF colour) {
  for (const zd_test::MetaFill& f : page.fills)
    if (EqualRect(&f.rect, &rect) && f.colour == colour) return true;
  return false;
}

MetaPage Painted(const zd::ArrangementModel& model, int p) {
  MetafilePage metafile;
  zd::PaintArrangementTable(metafile.dc(), model, p);
  return metafile.read();
}

MetaPage Printed(const zd::ArrangementModel& model, int page) {
  MetafilePage metafile;
  zd::DrawArrangementPage(metafile.dc(), model, page, model.pageCount());
  return metafile.read();
}

TEST(ArrangementPainting, SeriesBandsLabelsRedFrequenciesAndArrows) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());  // the arrows' bitmaps
  // Three series of five: 27.145 twice in series 1, once more in series 2.
  auto model = ModelOf(zd::RacePhase::Qualifying, 12, 5, {{0, "27.145"}, {3, "27.145"},
                                                          {5, "27.145"}, {6, "2.4Ghz"},
                                                          {7, "2.4Ghz"}});
  const MetaPage page = Painted(*model, 0);
  EXPECT_TRUE(HasFill(page, {19, 80, 811, 511}, RGB(230, 230, 220)));
  EXPECT_TRUE(HasFill(page, {20, 80, 810, 110}, RGB(255, 255, 200)));
  EXPECT_TRUE(HasFill(page, {20, 110, 80, 410}, RGB(255, 240, 200)));
  EXPECT_TRUE(HasFill(page, {80, 110, 810, 410}, RGB(255, 255, 255)));
  // Series boundaries across band and body, 2 pixels.
  EXPECT_TRUE(page.hasLine(2, 20, 210, 810, 210));
  EXPECT_TRUE(page.hasLine(2, 20, 310, 810, 310));
  EXPECT_TRUE(page.hasLine(2, 20, 410, 810, 410));
  for (int k = 0; k < 3; ++k) {
    const zd_test::MetaText* label = page.textAt(30, 150 + 100 * k);
    ASSERT_NE(label, nullptr) << k;
    EXPECT_EQ(label->text, "Série " + std::to_string(k + 1));
  }
  struct Frequency {
    int row;
    const char* text;
    COLORREF colour;
  };
  for (const Frequency& f : {Frequency{0, "27.145", kRed}, Frequency{3, "27.145", kRed},
                             Frequency{5, "27.145", kBlack}, Frequency{6, "2.4Ghz", kBlack},
                             Frequency{7, "2.4Ghz", kBlack}}) {
    const zd_test::MetaText* t = page.textAt(715, 113 + 20 * f.row);
    ASSERT_NE(t, nullptr) << f.row;
    EXPECT_EQ(t->text, f.text);
    EXPECT_EQ(t->colour, f.colour) << f.row;
  }
  // Positions restart in each series; an empty slot of the last keeps its row.
  EXPECT_EQ(page.textAt(105, 113 + 20 * 5)->text, "1");
  EXPECT_EQ(page.textAt(105, 113 + 20 * 14)->text, "5");
  EXPECT_EQ(page.textAt(160, 113 + 20 * 14), nullptr);
  // 15 rows: 14 pairs of arrows of 12 pixels.
  EXPECT_EQ(page.blits.size(), 28u);

  // Scrolled by 3: series 1's label is out of sight, the first boundary at row 2.
  const MetaPage scrolled = Painted(*model, 3);
  EXPECT_EQ(scrolled.findText("Série 1"), nullptr);
  EXPECT_TRUE(scrolled.hasLine(2, 20, 150, 810, 150));
  EXPECT_EQ(scrolled.textAt(105, 113)->text, "4");
}

TEST(ArrangementPainting, GridQualifiedAndEliminatedBands) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  auto model = ModelOf(zd::RacePhase::Rounds, 25, 10, {{3, "40.665"}, {5, "40.665"},
                                                       {12, "40.665"}, {13, "40.665"}});
  const MetaPage page = Painted(*model, 3);
  // Q - p = 7 qualified rows, then grey down to the last visible row.
  EXPECT_TRUE(HasFill(page, {20, 250, 810, 510}, RGB(200, 200, 200)));
  EXPECT_TRUE(page.hasLine(2, 20, 250, 810, 250));
  ASSERT_NE(page.textAt(25, 171), nullptr);
  EXPECT_EQ(page.textAt(25, 171)->text, "Qualifiés");
  ASSERT_NE(page.textAt(26, 371), nullptr);
  EXPECT_EQ(page.textAt(26, 371)->text, "Eliminés");
  EXPECT_EQ(page.textAt(27, 90)->text, "Manche");
  EXPECT_EQ(page.textAt(105, 113)->text, "4");
  // Slots 3 and 5 clash among the qualified; 12 and 13 are eliminated.
  EXPECT_EQ(page.textAt(715, 113)->colour, kRed);
  EXPECT_EQ(page.textAt(715, 153)->colour, kRed);
  EXPECT_EQ(page.textAt(715, 293)->colour, kBlack);
  EXPECT_EQ(page.textAt(715, 313)->colour, kBlack);
  EXPECT_EQ(page.blits.size(), 38u);

  // Scrolled past the boundary: all grey, and only "Eliminés".
  const MetaPage below = Painted(*model, 5);
  EXPECT_NE(below.findText("Qualifiés"), nullptr);
  auto all = ModelOf(zd::RacePhase::Rounds, 45, 10);
  const MetaPage grey = Painted(*all, 12);
  EXPECT_TRUE(HasFill(grey, {20, 110, 810, 510}, RGB(200, 200, 200)));
  EXPECT_EQ(grey.findText("Qualifiés"), nullptr);
  EXPECT_NE(grey.findText("Eliminés"), nullptr);
}

TEST(ArrangementPainting, PrintedSeriesPages) {
  auto model = ModelOf(zd::RacePhase::Qualifying, 45, 10, {{0, "27.145"}, {1, "27.145"}});
  ASSERT_EQ(model->pageCount(), 3);
  const MetaPage one = Printed(*model, 1);
  ASSERT_NE(one.findText("QUALIFICATIONS : COMPOSITION SERIES"), nullptr);
  ASSERT_NE(one.findText("Page 1 /3"), nullptr);
  // Two series of ten 20-unit rows a page, one empty row between them.
  ASSERT_NE(one.textAt(80, 362), nullptr);
  EXPECT_EQ(one.textAt(80, 362)->text, "Série 1");
  ASSERT_NE(one.textAt(80, 582), nullptr);
  EXPECT_EQ(one.textAt(80, 582)->text, "Série 2");
  EXPECT_TRUE(HasFill(one, {30, 492, 90, 692}, RGB(255, 240, 200)));
  EXPECT_TRUE(HasFill(one, {90, 272, 655, 292}, RGB(234, 234, 234)));
  EXPECT_EQ(one.textAt(615, 275)->colour, kRed);
  EXPECT_EQ(one.textAt(615, 275)->fontHeight, 12);
  EXPECT_EQ(one.textAt(170, 275)->text, "Pilote 1");
  EXPECT_EQ(one.textAt(170, 275)->fontHeight, 14);
  EXPECT_EQ(one.textAt(115, 495)->text, "1");
  const MetaPage three = Printed(*model, 3);
  ASSERT_NE(three.findText("Page 3 /3"), nullptr);
  EXPECT_NE(three.findText("Série 5"), nullptr);
  EXPECT_EQ(three.findText("Série 6"), nullptr);

  // N = 35: one series a page, 15-unit rows in 12 and 11.
  auto wide = ModelOf(zd::RacePhase::Practice, 40, 35);
  ASSERT_EQ(wide->pageCount(), 2);
  const MetaPage first = Printed(*wide, 1);
  ASSERT_NE(first.findText("ESSAIS LIBRES : COMPOSITION SERIES"), nullptr);
  EXPECT_EQ(first.textAt(170, 290)->text, "Pilote 2");
  EXPECT_EQ(first.textAt(170, 290)->fontHeight, 12);
}

TEST(ArrangementPainting, PrintedGridPages) {
  auto model = ModelOf(zd::RacePhase::Rounds, 45, 40);
  ASSERT_EQ(model->pageCount(), 2);
  const MetaPage one = Printed(*model, 1);
  ASSERT_NE(one.findText("MANCHES D'RIDUDUZUD : GRILLE DE DEPART"), nullptr);
  ASSERT_NE(one.findText("Page 1 /2"), nullptr);
  EXPECT_EQ(one.textAt(80, 566)->text, "Qualifiés");
  EXPECT_EQ(one.findText("Eliminés"), nullptr);
  const MetaPage two = Printed(*model, 2);
  ASSERT_NE(two.findText("Page 2 /2"), nullptr);
  ASSERT_NE(two.textAt(80, 366), nullptr);
  EXPECT_EQ(two.textAt(80, 366)->text, "Qualifiés");
  ASSERT_NE(two.textAt(80, 516), nullptr);
  EXPECT_EQ(two.textAt(80, 516)->text, "Eliminés");
  EXPECT_TRUE(HasFill(two, {30, 472, 655, 572}, RGB(200, 200, 200)));
  EXPECT_TRUE(two.hasLine(1, 30, 472, 655, 472));
  EXPECT_EQ(two.textAt(115, 275)->text, "31");
  EXPECT_EQ(two.textAt(115, 555)->text, "45");
}

}  // namespace
