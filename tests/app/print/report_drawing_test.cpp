#include "gtest_win32.h"

#include <string>

#include "main/data_folder.h"
#include "print/metafile_records.h"
#include "print/report_drawing.h"

// Pages of a list report drawn on a metafile, in logical units of the page.

namespace {

using zd_test::MetafilePage;
using zd_test::MetaPage;

// A portrait A4 sheet at 600 dots per inch, as a printer reports its printable area.
constexpr int kHorzRes = 4960;
constexpr int kVertRes = 7016;

zd::ReportInformation Information() {
  zd::EventInformation info;
  info.eventName = "i_n_t_Grand Prix d'\xC9t\xE9";
  info.championship = "Ligue Sud";
  info.place = "Albi";
  info.date = "12/07/2026";
  info.raceDirector = "Jean Marc";
  info.club = "RC Albi";
  return zd::MakeReportInformation(info, "COURSE 1", zd::ReportEventLine::kEventAndRace);
}

MetaPage DrawListPage(int page, int pageCount, int rows, HDC logo = nullptr,
                      const std::string& subtitle = "") {
  static const zd::ReportInformation information = Information();
  zd::ReportListPage list;
  list.texts.title = "LISTE DES PARTICIPANTS (31 inscrits)";
  list.texts.information = &information;
  list.texts.subtitle = subtitle;
  list.texts.page = page;
  list.texts.pageCount = pageCount;
  list.rows = rows;
  list.separators = {80, 130};
  list.columns = {{70, true, "Id"}, {140, false, "Pilote"}};
  MetafilePage metafile;
  zd::StartReportPage(metafile.dc(), kHorzRes, kVertRes, logo);
  zd::DrawReportPageFrame(metafile.dc(), list);
  return metafile.read();
}

int LastOrder(const MetaPage& page, bool lines) {
  int last = 0;
  if (lines)
    for (const auto& l : page.lines) last = std::max(last, l.order);
  else
    for (const auto& f : page.fills) last = std::max(last, f.order);
  return last;
}

TEST(ReportDrawing, AFullPageHasItsFrameTextsAndTableInOrder) {
  const MetaPage page = DrawListPage(1, 1, 30);

  const zd_test::MetaText* title = page.findText("LISTE DES PARTICIPANTS (31 inscrits)");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 342);
  EXPECT_EQ(title->y, 120);
  EXPECT_EQ(title->align & (TA_CENTER | TA_RIGHT), static_cast<UINT>(TA_CENTER));
  EXPECT_EQ(title->fontHeight, 20);
  EXPECT_TRUE(title->bold);

  struct Placed {
    int x, y;
    const char* text;
    bool bold;
  };
  const Placed placed[] = {
      {30, 145, "Championnat :", true},       {130, 145, "Ligue Sud", false},
      {30, 163, "Nom course :", true},        {130, 163, "Grand Prix d'\xC9t\xE9 / COURSE 1", false},
      {30, 181, "Lieu :", true},              {130, 181, "Albi", false},
      {520, 181, "Date :", true},             {565, 181, "12/07/2026", false},
      {30, 915, "Directeur de course :", true}, {170, 915, "Jean Marc", false},
      {30, 935, "Club organisateur :", true}, {170, 935, "RC Albi", false},
      {615, 970, "Page 1 /1", false},
  };
  for (const Placed& p : placed) {
    SCOPED_TRACE(p.text);
    const zd_test::MetaText* t = page.textAt(p.x, p.y);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, p.text);
    EXPECT_EQ(t->fontHeight, 15);
    EXPECT_EQ(t->bold, p.bold);
    EXPECT_EQ(t->align & (TA_CENTER | TA_RIGHT), static_cast<UINT>(TA_LEFT));
  }
  // No subtitle unless the report gives one.
  EXPECT_EQ(page.textAt(30, 220), nullptr);

  const zd_test::MetaText* id = page.findText("Id");
  ASSERT_NE(id, nullptr);
  EXPECT_EQ(id->x, 70);
  EXPECT_EQ(id->y, 252);
  EXPECT_EQ(id->fontHeight, 12);
  EXPECT_EQ(id->align & (TA_CENTER | TA_RIGHT), static_cast<UINT>(TA_RIGHT));
  ASSERT_NE(page.findText("Pilote"), nullptr);
  EXPECT_EQ(page.findText("Pilote")->x, 140);

  // The frame (2 units), the band's outline (2), its separators and the table's outline (1).
  EXPECT_TRUE(page.hasLine(2, 20, 120, 20, 950));
  EXPECT_TRUE(page.hasLine(2, 665, 120, 665, 950));
  for (int y : {141, 210, 910}) EXPECT_TRUE(page.hasLine(2, 20, y, 665, y)) << y;
  EXPECT_TRUE(page.hasLine(2, 30, 247, 655, 247));
  EXPECT_TRUE(page.hasLine(2, 30, 267, 655, 267));
  EXPECT_TRUE(page.hasLine(1, 80, 247, 80, 267));
  EXPECT_TRUE(page.hasLine(1, 130, 247, 130, 267));
  EXPECT_TRUE(page.hasLine(1, 30, 272, 655, 272));
  EXPECT_TRUE(page.hasLine(1, 30, 872, 655, 872));
  EXPECT_TRUE(page.hasLine(1, 655, 272, 655, 872));

  // The yellow band and every other row shaded, all before the first line.
  ASSERT_EQ(page.fills.size(), 16u);
  EXPECT_EQ(page.fills[0].colour, RGB(255, 255, 200));
  EXPECT_EQ(page.fills[0].rect.top, 247);
  EXPECT_EQ(page.fills[0].rect.bottom, 267);
  EXPECT_EQ(page.fills[1].colour, RGB(234, 234, 234));
  EXPECT_EQ(page.fills[1].rect.top, 272);
  EXPECT_EQ(page.fills[2].rect.top, 312);
  EXPECT_EQ(page.fills[15].rect.bottom, 852);
  EXPECT_EQ(page.fills[15].rect.left, 30);
  EXPECT_EQ(page.fills[15].rect.right, 655);
  ASSERT_FALSE(page.lines.empty());
  EXPECT_LT(LastOrder(page, false), page.lines.front().order);
  EXPECT_LT(LastOrder(page, true), title->order);
  // No logo given: the logo area stays blank.
  EXPECT_TRUE(page.blits.empty());
}

TEST(ReportDrawing, TheLastPageClosesItsOutlineBelowItsLastRow) {
  const MetaPage page = DrawListPage(2, 2, 1, nullptr, "Manche 1");
  ASSERT_NE(page.textAt(615, 970), nullptr);
  EXPECT_EQ(page.textAt(615, 970)->text, "Page 2 /2");
  EXPECT_TRUE(page.hasLine(1, 30, 292, 655, 292));
  EXPECT_TRUE(page.hasLine(1, 30, 272, 30, 292));
  EXPECT_FALSE(page.hasLine(1, 30, 872, 655, 872));
  EXPECT_EQ(page.fills.size(), 2u);  // the band and the one row
  ASSERT_NE(page.textAt(30, 220), nullptr);
  EXPECT_EQ(page.textAt(30, 220)->text, "Manche 1");
}

TEST(ReportDrawing, ABitmapLogoIsCopiedAndAnyOtherFileLeavesTheAreaBlank) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  HDC screen = GetDC(nullptr);
  struct Case {
    const char* path;
    bool loads;
  };
  // The flag list is a text file: it does not load as a bitmap.
  const Case cases[] = {{"images/impression.bmp", true},
                        {"paysDrapeaux/codesPays.bd", false},
                        {"images/absent.bmp", false},
                        {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    HGDIOBJ bitmap = nullptr, previous = nullptr;
    HDC logo = zd::CreateReportLogo(screen, c.path, bitmap, previous);
    EXPECT_EQ(logo != nullptr, c.loads);
    const MetaPage page = DrawListPage(1, 1, 1, logo);
    if (c.loads) {
      ASSERT_EQ(page.blits.size(), 1u);
      EXPECT_EQ(page.blits[0].x, 25);
      EXPECT_EQ(page.blits[0].y, 25);
      EXPECT_EQ(page.blits[0].width, 200);
      EXPECT_EQ(page.blits[0].height, 50);
      BITMAP info = {};
      GetObjectA(bitmap, sizeof info, &info);
      EXPECT_EQ(info.bmWidth, 196);
      EXPECT_EQ(info.bmHeight, 50);
      SelectObject(logo, previous);
      DeleteDC(logo);
      DeleteObject(bitmap);
    } else {
      EXPECT_TRUE(page.blits.empty());
    }
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
