#include "gtest_win32.h"

#include <string>
#include <vector>

#include "main/data_folder.h"
#include "phases/ranking_table_printing.h"
#include "print/metafile_records.h"

// Pages of a ranking printout drawn on a metafile, in logical units of the page.

namespace {

using zd_test::MetafilePage;
using zd_test::MetaPage;

constexpr int kHorzRes = 4960;
constexpr int kVertRes = 7016;
constexpr COLORREF kBand = RGB(255, 255, 200);
constexpr COLORREF kStripe = RGB(234, 234, 234);

zd::RankingPrintLayout Layout(bool outlineWithoutEntries) {
  zd::RankingPrintLayout layout;
  layout.separators = {55, 90, 210};
  layout.columns = {{50, true, "Pos"}, {100, false, "Pilote"}, {220, false, "Nation"}};
  layout.outlineWithoutEntries = outlineWithoutEntries;
  return layout;
}

const std::vector<zd::EntryColumn> kColumns = {
    {zd::EntryField::Position, 50, zd::ReportAlign::kRight},
    {zd::EntryField::Name, 100},
    {zd::EntryField::Club, 220},
    {zd::EntryField::Flag, 260},
    {zd::EntryField::Laps, 455, zd::ReportAlign::kRight},
};

// count ranked drivers, the empty row, then one penalty line.
std::vector<zd::TableRowCells> Rows(int count, const char* nation) {
  std::vector<zd::TableRowCells> rows;
  for (int i = 0; i < count; ++i) {
    zd::EntryRowTexts texts;
    texts.position = std::to_string(i + 1);
    texts.name = "PILOTE " + std::to_string(i + 1);
    texts.club = nation;
    texts.laps = "12";
    rows.push_back(zd::EntryRowCells(texts, kColumns));
  }
  rows.push_back({});
  rows.push_back(zd::PenaltyRowCells({"(A) : ", "Jupe", ": 10 sec"}, 30, 70, 104));
  return rows;
}

MetaPage DrawPage(const zd::RankingPrintLayout& layout, const std::vector<zd::TableRowCells>& rows,
                  const zd::PrintPage& page, int pageCount) {
  zd::ReportFrameTexts texts;
  texts.title = "COURSE 1 - Classement Qualif 1";
  texts.subtitle = "Classement de la Qualif 1";
  MetafilePage metafile;
  zd::StartReportPage(metafile.dc(), kHorzRes, kVertRes, nullptr);
  zd::DrawRankingPrintPage(metafile.dc(), layout, texts, page, pageCount, rows);
  return metafile.read();
}

int FillsOf(const MetaPage& page, COLORREF colour) {
  int n = 0;
  for (const auto& f : page.fills) n += f.colour == colour;
  return n;
}

TEST(RankingTablePrinting, APageWithDriversHasBandHeadingsStripesOutlineAndItsRows) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  const std::vector<zd::TableRowCells> rows = Rows(29, "FRA");  // 31 rows in all
  const zd::RankingTable table = zd::RankingTable::Session(29, 1);
  const std::vector<zd::PrintPage> pages = table.pages();
  ASSERT_EQ(pages.size(), 2u);
  const MetaPage page = DrawPage(Layout(false), rows, pages[0], 2);

  EXPECT_EQ(FillsOf(page, kBand), 1);
  EXPECT_EQ(FillsOf(page, kStripe), 15);  // rows 0, 2 .. 28
  ASSERT_NE(page.findText("Pilote"), nullptr);
  EXPECT_EQ(page.findText("Pilote")->y, 252);
  EXPECT_TRUE(page.hasLine(1, 25, 272 + 20 * 29, 660, 272 + 20 * 29));  // the rows' outline
  EXPECT_TRUE(page.hasLine(1, 55, 247, 55, 267));
  ASSERT_NE(page.findText("Page 1 /2"), nullptr);
  const auto* first = page.findText("PILOTE 1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->x, 100);
  EXPECT_EQ(first->y, 275);
  EXPECT_EQ(first->fontHeight, 14);
  ASSERT_NE(page.findText("PILOTE 29"), nullptr);
  EXPECT_EQ(page.findText("PILOTE 29")->y, 275 + 20 * 28);
  // Row 29 is the empty one; the penalty line is on the next page.
  EXPECT_EQ(page.findText("(A) : "), nullptr);
  // A flag per driver at its column, 20 x 13, on the text's top.
  ASSERT_EQ(page.blits.size(), 29u);
  EXPECT_EQ(page.blits[0].x, 260);
  EXPECT_EQ(page.blits[0].y, 275);
  EXPECT_EQ(page.blits[0].width, 20);
  EXPECT_EQ(page.blits[0].height, 13);
}

TEST(RankingTablePrinting, APageWithoutDriversHasNoBandFillHeadingsOrStripes) {
  const std::vector<zd::TableRowCells> rows = Rows(29, "FRA");
  const std::vector<zd::PrintPage> pages = zd::RankingTable::Session(29, 1).pages();
  for (bool outline : {false, true}) {
    SCOPED_TRACE(outline);
    const MetaPage page = DrawPage(Layout(outline), rows, pages[1], 2);
    EXPECT_TRUE(page.fills.empty());
    EXPECT_EQ(page.findText("Pilote"), nullptr);
    EXPECT_TRUE(page.hasLine(2, 25, 247, 660, 247));  // the band's outline stays
    EXPECT_TRUE(page.hasLine(1, 90, 247, 90, 267));   // and its separators
    EXPECT_EQ(page.hasLine(1, 25, 272, 660, 272), outline);
    ASSERT_NE(page.findText("(A) : "), nullptr);
    EXPECT_EQ(page.findText("(A) : ")->y, 275);
    EXPECT_EQ(page.findText(": 10 sec")->x, 104);
    ASSERT_NE(page.findText("Page 2 /2"), nullptr);
  }
}

TEST(RankingTablePrinting, AMissingFlagLeavesItsCellEmptyAndTheRowWhole) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  const std::vector<zd::TableRowCells> rows = Rows(1, "ZZZ");
  const std::vector<zd::PrintPage> pages = zd::RankingTable::Session(1, 1).pages();
  ASSERT_EQ(pages.size(), 1u);
  const MetaPage page = DrawPage(Layout(false), rows, pages[0], 1);
  EXPECT_TRUE(page.blits.empty());
  for (const char* text : {"1", "PILOTE 1", "ZZZ", "12", "(A) : "})
    EXPECT_NE(page.findText(text), nullptr) << text;
}

}  // namespace
