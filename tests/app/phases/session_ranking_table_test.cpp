// The session ranking tables painted and printed on metafiles from the engine opened on race
// files of the tests: what each fixture state shows on screen and on each printed page.

#include "gtest_win32.h"

#include <algorithm>
#include <string>

#include "phases/session_race_file.h"
#include "phases/session_ranking_table.h"
#include "print/metafile_records.h"

namespace {

using zd_test::MetafilePage;
using zd_test::MetaPage;
using zd_test::SessionRaceFile;

constexpr COLORREF kBand = RGB(255, 255, 200);
constexpr COLORREF kStripe = RGB(234, 234, 234);
constexpr int kHorzRes = 4960;
constexpr int kVertRes = 7016;

int FillsOf(const MetaPage& page, COLORREF colour) {
  return static_cast<int>(std::count_if(page.fills.begin(), page.fills.end(),
                                        [&](const auto& f) { return f.colour == colour; }));
}

std::unique_ptr<zd::SessionRanking> Open(const SessionRaceFile& race) {
  race.write();
  auto ranking = std::make_unique<zd::SessionRanking>(race.phase);
  ranking->open();
  return ranking;
}

MetaPage Paint(const zd::SessionRanking& ranking, int position = 0) {
  MetafilePage metafile;
  zd::PaintSessionRanking(metafile.dc(), ranking, position);
  return metafile.read();
}

MetaPage PrintPage(const zd::SessionRanking& ranking, int page) {
  const zd::ReportInformation information = zd::SessionReportInformation(ranking);
  MetafilePage metafile;
  zd::StartReportPage(metafile.dc(), kHorzRes, kVertRes, nullptr);
  zd::DrawSessionRankingPage(metafile.dc(), ranking, information, page);
  return metafile.read();
}

// Four drivers, the second with penalty P1; an international event.
SessionRaceFile SmallRace(zd::RacePhase phase) {
  SessionRaceFile race = zd_test::NumberedRace(phase, 4);
  race.international = true;
  race.penalties = {{"A", "Abandon", 3, 0}, {"P1", "Coupe de piste", 1, 10}};
  race.lines[1].penaltyIndex = 2;
  return race;
}

TEST(SessionRankingTable, TheScreenShowsBandStripesLegendFlagsAndNothingBelowIt) {
  for (zd::RacePhase phase : {zd::RacePhase::Practice, zd::RacePhase::Qualifying}) {
    SCOPED_TRACE(static_cast<int>(phase));
    const bool points = phase != zd::RacePhase::Practice;
    const auto ranking = Open(SmallRace(phase));
    ASSERT_EQ(ranking->shownCount(), 4);
    const MetaPage page = Paint(*ranking);

    EXPECT_EQ(FillsOf(page, RGB(255, 255, 255)), 1);
    ASSERT_EQ(FillsOf(page, kBand), 1);
    EXPECT_EQ(FillsOf(page, kStripe), 2);  // rows 0 and 2 of four
    const auto* title = page.findText(ranking->title());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 400);
    EXPECT_EQ(title->y, 170);
    EXPECT_NE(page.findText("Classement de la s\xE9" "ance"), nullptr);
    EXPECT_NE(page.findText("Nation"), nullptr);
    EXPECT_EQ(page.findText("Club"), nullptr);
    // Rows: the first driver at y 253, his nation code and flag; ZZZ has no flag bitmap.
    const auto* first = page.findText("Pilote 01");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->x, 105);
    EXPECT_EQ(first->y, 253);
    ASSERT_NE(page.textAt(335, 253), nullptr);
    EXPECT_EQ(page.textAt(335, 253)->text, "FRA");
    EXPECT_EQ(page.textAt(335, 273)->text, "ZZZ");
    EXPECT_EQ(page.blits.size(), 2u);  // Pilote 01 and 03
    EXPECT_EQ(page.blits[0].x, 365);
    EXPECT_EQ(page.blits[0].y, 253);
    EXPECT_NE(page.findText("Pilote 02"), nullptr);  // the flagless row is whole
    // The body's outline ends under the fourth driver.
    EXPECT_TRUE(page.hasLine(2, 25, 330, 775, 330));
    // The legend: the empty row 4, then P1 on row 5.
    const auto* legend = page.findText("(P1) : ");
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->x, 25);
    EXPECT_EQ(legend->y, 353);
    EXPECT_NE(page.findText("(P1)"), nullptr);  // the driver's penalty code
    // Points at 770 for the qualifying session only: its leader has 9.
    const auto* leaderPoints = page.textAt(770, 253);
    if (points) {
      ASSERT_NE(leaderPoints, nullptr);
      EXPECT_EQ(leaderPoints->text, "9");
      EXPECT_NE(page.findText("Pts"), nullptr);
    } else {
      EXPECT_EQ(page.findText("Pts"), nullptr);
      EXPECT_EQ(leaderPoints, nullptr);  // the penalty column: the leader has none
      ASSERT_NE(page.textAt(770, 273), nullptr);
      EXPECT_EQ(page.textAt(770, 273)->text, "(P1)");
    }
    for (const auto& t : page.texts) EXPECT_LE(t.y, 353) << t.text;
  }
}

TEST(SessionRankingTable, PointsShowOnlyWhenTheLeaderHasSome) {
  auto ranking = Open(SmallRace(zd::RacePhase::Qualifying));
  ranking->pointsEditChanged(zd::PointsEdit::FirstPlace, "0");
  EXPECT_EQ(ranking->list()[0].points, 0);
  const MetaPage page = Paint(*ranking);
  EXPECT_EQ(page.textAt(770, 253), nullptr);
  EXPECT_EQ(page.textAt(770, 273), nullptr);
}

TEST(SessionRankingTable, NoSexChosenShowsTheTitleAndTheMessageAlone) {
  auto ranking = Open(SmallRace(zd::RacePhase::Rounds));
  ranking->clickSexBox(zd::SexBox::Men, false);
  ranking->clickSexBox(zd::SexBox::Women, false);
  const MetaPage page = Paint(*ranking);
  ASSERT_EQ(page.texts.size(), 2u);
  EXPECT_EQ(page.texts[0].text, "Open - Classement Manche 1");
  EXPECT_EQ(page.texts[1].text, "Le sexe des pilotes n'a \xE9t\xE9 s\xE9lectionn\xE9 !");
  EXPECT_TRUE(page.lines.empty());
  EXPECT_EQ(page.fills.size(), 1u);
  EXPECT_TRUE(ranking->table().pages().empty());  // and nothing to print
}

TEST(SessionRankingTable, ScrolledTheStripesStayOnTheViewsEvenRows) {
  SessionRaceFile race = zd_test::NumberedRace(zd::RacePhase::Qualifying, 20);
  const auto ranking = Open(race);
  const MetaPage page = Paint(*ranking, 5);
  EXPECT_EQ(page.textAt(105, 253)->text, "Pilote 06");
  EXPECT_EQ(page.textAt(50, 253)->text, "6");
  EXPECT_EQ(FillsOf(page, kStripe), 8);  // view rows 0, 2 .. 14 are drivers 6 to 20
  EXPECT_TRUE(page.hasLine(2, 25, 250 + 20 * 15, 775, 250 + 20 * 15));
}

TEST(SessionRankingTable, ThirtyDriversPrintTwoPagesTheSecondWithTheEmptyRowAlone) {
  const auto ranking = Open(zd_test::NumberedRace(zd::RacePhase::Practice, 30));
  ASSERT_EQ(ranking->table().pages().size(), 2u);
  const MetaPage first = PrintPage(*ranking, 1);
  EXPECT_EQ(FillsOf(first, kBand), 1);
  EXPECT_EQ(FillsOf(first, kStripe), 15);
  EXPECT_NE(first.findText("Pilote"), nullptr);
  EXPECT_NE(first.findText("Page 1 /2"), nullptr);
  EXPECT_NE(first.findText("Open - Classement S\xE9" "ance Essai 1"), nullptr);
  EXPECT_NE(first.findText("Classement de la S\xE9" "ance Essai 1"), nullptr);
  EXPECT_NE(first.findText("Coupe du Sud"), nullptr);  // the event alone after "Nom course :"
  const auto* last = first.findText("Pilote 30");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->y, 275 + 20 * 29);
  EXPECT_EQ(first.textAt(455, 275)->text, "50");
  EXPECT_EQ(first.findText("Pts"), nullptr);

  const MetaPage second = PrintPage(*ranking, 2);
  EXPECT_TRUE(second.fills.empty());
  EXPECT_EQ(second.findText("Pilote"), nullptr);
  EXPECT_EQ(second.findText("Pos"), nullptr);
  EXPECT_NE(second.findText("Page 2 /2"), nullptr);
  for (const auto& t : second.texts) EXPECT_TRUE(t.y < 272 || t.y > 900) << t.text;  // no row text
  EXPECT_TRUE(second.hasLine(1, 25, 272, 660, 272));  // the practice outline, of no height
}

TEST(SessionRankingTable, TwentyFiveDriversAndTenPenaltiesPrintTwoNumberedPages) {
  SessionRaceFile race = zd_test::NumberedRace(zd::RacePhase::Qualifying, 25);
  race.penalties.push_back({"A", "Abandon", 3, 0});
  for (int k = 1; k <= 10; ++k) {
    race.penalties.push_back({"P" + std::to_string(k), "Faute " + std::to_string(k), 2, k});
    race.lines[k - 1].penaltyIndex = k + 1;
  }
  const auto ranking = Open(race);
  ASSERT_EQ(ranking->summary().count, 10);
  const MetaPage first = PrintPage(*ranking, 1);
  EXPECT_NE(first.findText("Page 1 /2"), nullptr);
  EXPECT_NE(first.findText("Pts"), nullptr);
  EXPECT_EQ(first.textAt(655, 275)->text, "30");  // 5 + 25
  // 25 drivers, the empty row and four legend lines.
  EXPECT_EQ(first.textAt(30, 275 + 20 * 26)->text, "(P1) : ");
  EXPECT_EQ(first.textAt(30, 275 + 20 * 29)->text, "(P4) : ");
  EXPECT_TRUE(first.hasLine(1, 25, 272 + 20 * 25, 660, 272 + 20 * 25));
  const auto* description = first.findText(": 1 sec ajout\xE9" "es au meilleur tour");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->x, 80 + 6 * 8);  // "Faute 10"

  const MetaPage second = PrintPage(*ranking, 2);
  EXPECT_NE(second.findText("Page 2 /2"), nullptr);
  EXPECT_TRUE(second.fills.empty());
  EXPECT_EQ(second.findText("Pilote"), nullptr);
  EXPECT_EQ(second.textAt(30, 275)->text, "(P5) : ");
  EXPECT_EQ(second.textAt(30, 275 + 20 * 5)->text, "(P10) : ");
  EXPECT_FALSE(second.hasLine(1, 25, 272, 660, 272));  // no rows box without drivers
}

}  // namespace
