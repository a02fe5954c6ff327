#include "gtest_win32.h"

#include <string>
#include <vector>

#include "phases/ranking_table_painting.h"
#include "print/metafile_records.h"

// Rows of a ranking table drawn on a metafile, in the units of the device context.

namespace {

using zd_test::MetafilePage;
using zd_test::MetaPage;

zd::EntryRowTexts Driver() {
  zd::EntryRowTexts texts;
  texts.position = "1";
  texts.carNumber = "12";
  texts.name = "DUPONT Jean";
  texts.category = "1/8 TT";
  texts.hasResult = true;
  texts.laps = "42";
  texts.raceTime = "5:01.250";
  texts.bestLap = "6.870";
  texts.penalty = "(A)";
  return texts;  // no points: that column stays empty
}

const std::vector<zd::EntryColumn> kColumns = {
    {zd::EntryField::Position, 40, zd::ReportAlign::kRight},
    {zd::EntryField::Name, 90},
    {zd::EntryField::Laps, 400, zd::ReportAlign::kRight},
    {zd::EntryField::BestLap, 500, zd::ReportAlign::kRight},
    {zd::EntryField::Penalty, 520},
    {zd::EntryField::Points, 600, zd::ReportAlign::kRight},
};

TEST(RankingTablePainting, ColumnsPickTheirFieldsAndLeaveEmptyTextsOut) {
  const zd::TableRowCells cells = zd::EntryRowCells(Driver(), kColumns);
  ASSERT_EQ(cells.size(), 5u);  // the points are empty
  EXPECT_EQ(cells[0].text, "1");
  EXPECT_EQ(cells[1].text, "DUPONT Jean");
  EXPECT_EQ(cells[2].text, "42");
  EXPECT_EQ(cells[3].text, "6.870");
  EXPECT_EQ(cells[4].text, "(A)");
  EXPECT_EQ(cells[4].x, 520);
}

TEST(RankingTablePainting, RowsDrawDownFromTheTopWithTheirAlignmentAndEmptyRowsKeepTheirPlace) {
  zd::PenaltyLineTexts penalty{"(A) : ", "DUPONT Jean", "Retrait de 1 tour"};
  const std::vector<zd::TableRowCells> rows = {
      zd::EntryRowCells(Driver(), kColumns), {}, zd::PenaltyRowCells(penalty, 40, 80, 250)};
  MetafilePage metafile;
  zd::TableGeometry geometry;
  geometry.top = 100;
  geometry.rowHeight = 20;
  geometry.textOffset = 3;
  geometry.textHeight = 12;
  zd::PaintTableRows(metafile.dc(), geometry, rows);
  const MetaPage page = metafile.read();

  ASSERT_EQ(page.texts.size(), 8u);
  const auto* laps = page.findText("42");
  ASSERT_NE(laps, nullptr);
  EXPECT_EQ(laps->x, 400);
  EXPECT_EQ(laps->y, 103);
  EXPECT_EQ(laps->fontHeight, 12);
  EXPECT_EQ(laps->align & (TA_CENTER | TA_RIGHT), static_cast<UINT>(TA_RIGHT));
  const auto* name = page.textAt(90, 103);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->align & (TA_CENTER | TA_RIGHT), static_cast<UINT>(TA_LEFT));
  // The penalty line is the third row: the empty row keeps its height.
  EXPECT_NE(page.textAt(40, 143), nullptr);
  const auto* description = page.findText("Retrait de 1 tour");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->x, 250);
  EXPECT_EQ(description->y, 143);
}

}  // namespace
