// The session ranking engine on small race files: the results read from the series (or the round)
// and penalised, the ordering, the points, the filtered views, the texts and the "OK" bodies.

#include "phases/session_ranking.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ranking_fixture.h"

namespace zd {
namespace {

using test::Person;
using test::ResultLine;

std::vector<int32_t> Points(const SessionRanking& r) {
  std::vector<int32_t> points;
  for (int i = 0; i < r.shownCount(); ++i) points.push_back(r.list()[i].points);
  return points;
}

class SessionRankingTest : public test::RankingFileTest {
 protected:
  std::unique_ptr<SessionRanking> Rank(RacePhase phase) {
    return OpenRanking<SessionRanking>(phase);
  }
};

// Series 1 and 3 of practice session 2; series 4 lies beyond the session's 3 series.
class PracticeOrderTest : public SessionRankingTest {
 protected:
  void SetUp() override {
    SessionRankingTest::SetUp();
    AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}, {"Denis"}, {"Eric"}, {"Fabien"}});
    WriteRace(RacePhase::Practice, 2, 3);
    AddSeries(RacePhase::Practice, 2, 1,
              {{"Alain", 10, 600000, 52000}, {"Bruno", 12, 605000, 48000}});
    AddSeries(RacePhase::Practice, 2, 3,
              {{"Cyril", 12, 605000, 48000},
               {"Alain", 13, 602000, 45000},
               {"Denis", 5, 300000, 0},
               {"Inconnu", 20, 600000, 30000}});
    AddSeries(RacePhase::Practice, 2, 4, {{"Eric", 30, 600000, 20000}});
    AddSeries(RacePhase::Practice, 1, 1, {{"Fabien", 30, 600000, 20000}});
  }
};

TEST_F(PracticeOrderTest, EachModeOverTheSessionsSeries) {
  auto r = Rank(RacePhase::Practice);
  EXPECT_TRUE(r->messages().empty());
  EXPECT_EQ(r->session(), 2);
  // Alain on his series-3 result; Bruno and Cyril tie fully and keep their participant order;
  // drivers without results last, in participant order.
  EXPECT_EQ(test::NamesOf(*r),
            (std::vector<std::string>{"Alain", "Bruno", "Cyril", "Denis", "Eric", "Fabien"}));
  EXPECT_EQ(r->list()[0].laps, 13);
  EXPECT_EQ(r->list()[0].raceTime, 602000);
  EXPECT_EQ(r->list()[4].laps, 0);  // Eric's series 4 is not read
  EXPECT_FALSE(r->showsPoints());
  EXPECT_EQ(Points(*r), (std::vector<int32_t>(6, 0)));

  // By best lap Denis, with laps but no best lap, comes after those with one.
  r->setRankingMode(kRankByBestLap);
  EXPECT_EQ(test::NamesOf(*r),
            (std::vector<std::string>{"Alain", "Bruno", "Cyril", "Denis", "Eric", "Fabien"}));
  EXPECT_EQ(r->rankingMode(), kRankByBestLap);
  EXPECT_EQ(r->title(), "Open - Classement Séance Essai 2");
  EXPECT_EQ(r->paperSubtitle(), "Classement de la Séance Essai 2");
  EXPECT_EQ(r->screenSubtitle(), "Classement de la séance");
}

TEST_F(PracticeOrderTest, ThePracticeModeComesBackFromItsPointsSection) {
  SetPoints(RacePhase::Practice, kRankByBestLap, PointsScale{0, 0, 0, 0, 0, 0});
  auto r = Rank(RacePhase::Practice);
  EXPECT_EQ(r->rankingMode(), kRankByBestLap);
  EXPECT_EQ(r->list()[0].name, "Alain");
}

TEST_F(SessionRankingTest, PointsDownTheListWithTies) {
  struct Case {
    const char* what;
    std::vector<int32_t> laps;
    std::vector<int32_t> points;
  };
  const Case cases[] = {
      {"gaps 2, 1, 1, 1", {10, 9, 8, 7, 6}, {10, 8, 7, 6, 5}},
      {"the 2nd and 3rd tied", {10, 9, 9, 7, 6}, {10, 8, 8, 6, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto list = std::make_unique<RankingList>();
    for (int i = 0; i < 5; ++i) {
      (*list)[i].laps = c.laps[i];
      (*list)[i].raceTime = 600000;
    }
    const PointsScale scale{5, 2, 1, 1, 1, 1};
    RankSessionList(*list, 5, kRankByLapsAndTime, &scale);
    for (int i = 0; i < 5; ++i) EXPECT_EQ((*list)[i].points, c.points[i]) << i;
  }
}

TEST_F(SessionRankingTest, TheFirstPlaceFieldFollowsTheParticipantCount) {
  AddNumberedParticipants(12);
  WriteRace(RacePhase::Qualifying, 1);
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(r->pointsEditText(PointsEdit::FirstPlace), "17");  // the default offset 5
  // The first place takes three digits, a gap two.
  r->pointsEditChanged(PointsEdit::FirstPlace, "120");
  EXPECT_EQ(r->scale().firstPlaceOffset, 108);
  r->pointsEditChanged(PointsEdit::Gap1To2, "123");
  EXPECT_EQ(r->scale().gap1To2, 12);
  r->pointsEditChanged(PointsEdit::FirstPlace, "20");
  EXPECT_EQ(r->scale().firstPlaceOffset, 8);
  {
    TextFile f = Open();
    ASSERT_TRUE(r->writePointsSection(f).ok);
  }
  AddParticipants({{"Pilote 13"}});
  WriteRace(RacePhase::Qualifying, 1);
  EXPECT_EQ(Rank(RacePhase::Qualifying)->pointsEditText(PointsEdit::FirstPlace), "21");
}

TEST_F(SessionRankingTest, PointsEditsReadTheirLeadingDigits) {
  struct Case {
    const char* text;
    int limit;
    int32_t value;
  };
  const Case cases[] = {{"20", 3, 20}, {"", 2, 0}, {"x5", 2, 0}, {"7a", 2, 7}, {"1234", 3, 123}};
  for (const Case& c : cases) EXPECT_EQ(ReadPointsEdit(c.text, c.limit), c.value) << c.text;
}

TEST_F(SessionRankingTest, AnAbandonedDriverKeepsThePointsOfHisPlace) {
  AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}});
  AddPenalty("A", kPenaltyReplaceRaceTime, 600, "Abandon pilote");
  WriteRace(RacePhase::Qualifying, 1);
  AddSeries(RacePhase::Qualifying, 1, 1,
            {{"Alain", 10, 600000, 50000}, {"Bruno", 12, 590000, 45000, 1}});
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Bruno", "Cyril"}));
  EXPECT_EQ(r->list()[1].laps, 0);
  EXPECT_EQ(r->list()[1].raceTime, 600000);
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{8, 6, 0}));
  EXPECT_TRUE(r->showsPoints());
  ASSERT_EQ(r->summary().count, 1);
  EXPECT_EQ(r->summary().records[0].code, "A");
}

TEST_F(SessionRankingTest, FilteredViewsKeepTheSessionsPoints) {
  AddParticipants({{"Alain", "GT", "J", "Juniors", 1},
                   {"Brigitte", "Buggy", "S", "Seniors", 0},
                   {"Cyril", "GT", "S", "Seniors", 1},
                   {"Diane", "GT", "J", "Juniors", 0}});
  AddPenalty("A", kPenaltyReplaceRaceTime, 600);
  AddPenalty("P1", kPenaltyAddRaceTime, 30);
  WriteRace(RacePhase::Qualifying, 2);
  AddSeries(RacePhase::Qualifying, 2, 1,
            {{"Alain", 10, 600000, 50000, 2, {0, 60000, 600000}},
             {"Brigitte", 12, 600000, 45000},
             {"Cyril", 11, 600000, 47000, 1},
             {"Diane", 9, 600000, 51000}});
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Brigitte", "Alain", "Diane", "Cyril"}));
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{9, 7, 6, 5}));
  EXPECT_EQ(r->categoryItems(), (std::vector<std::string>{"Toutes", "GT", "Buggy"}));
  EXPECT_EQ(r->ageItems(), (std::vector<std::string>{"Toutes", "J (Juniors)", "S (Seniors)"}));
  EXPECT_EQ(r->summary().count, 2);
  EXPECT_FALSE(r->sendRefusal());

  r->selectCategory("GT");
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Diane", "Cyril"}));
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{7, 6, 5}));
  EXPECT_EQ(r->screenSubtitle(), "Classement de la séance : GT");
  EXPECT_TRUE(r->sendRefusal());

  r->clickSexBox(SexBox::Men, false);  // women only
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Diane"}));
  EXPECT_EQ(r->summary().count, 0);  // nobody shown carries a penalty
  r->selectAge("J (Juniors)");
  EXPECT_EQ(r->screenSubtitle(), "Classement de la séance : GT / J (Juniors) / Femmes");
  EXPECT_EQ(r->paperSubtitle(), "Classement de la Qualif 2 : GT / J (Juniors) / Femmes");
  r->selectCategory("Toutes");
  EXPECT_EQ(r->screenSubtitle(), "Classement de la séance : J (Juniors) / Femmes");
  r->clickSexBox(SexBox::Women, false);  // nobody
  EXPECT_EQ(r->shownCount(), 0);

  // A points or mode change brings back the whole field and clears the filters.
  r->pointsEditChanged(PointsEdit::Gap1To2, "3");
  EXPECT_EQ(r->filters().sex, kBothSexes);
  EXPECT_EQ(r->filters().category, "Toutes");
  EXPECT_EQ(r->filters().age, "Toutes");
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{9, 6, 5, 4}));
  r->clickSexBox(SexBox::Women, false);  // men only
  EXPECT_EQ(r->screenSubtitle(), "Classement de la séance / Hommes");
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Cyril"}));
  EXPECT_EQ(r->summary().count, 2);
  EXPECT_EQ(r->title(), "Open - Classement Qualif 2");
  EXPECT_EQ(r->heading(), "Classement de la Qualif 2");
}

TEST_F(SessionRankingTest, ARoundRanksItsNamedLines) {
  AddNumberedParticipants(38);
  WriteRace(RacePhase::Rounds, 4);
  std::vector<ResultLine> lines;
  for (int i = 1; i <= 38; ++i) lines.push_back({"Pilote " + std::to_string(i), 50 - i, 600000});
  AddRound(4, lines);
  auto r = Rank(RacePhase::Rounds);
  EXPECT_EQ(r->fieldCount(), 38);
  EXPECT_EQ(r->list()[0].points, 43);
  EXPECT_EQ(r->pointsEditText(PointsEdit::FirstPlace), "43");
  EXPECT_EQ(r->title(), "Open - Classement Manche 4");
  EXPECT_EQ(r->screenSubtitle(), "Classement de la manche");
  r->selectCategory("Toutes");
  r->clickSexBox(SexBox::Women, false);
  EXPECT_EQ(r->paperSubtitle(), "Classement de la Manche 4 / Hommes");
}

TEST_F(SessionRankingTest, ARoundLineWithManyPassingsIsReadWhole) {
  AddParticipants({{"Alain"}});
  AddPenalty("A", kPenaltyReplaceRaceTime, 600);
  AddPenalty("P1", kPenaltyAddRaceTime, 10);
  WriteRace(RacePhase::Rounds, 1);
  ResultLine line{"Alain", 2500, 2500000, 1000, 2, {}};
  for (int k = 0; k <= 2500; ++k) line.passings.push_back(k * 1000);
  AddRound(1, {line});
  auto r = Rank(RacePhase::Rounds);
  ASSERT_EQ(r->shownCount(), 1);
  // The last 10 s take off the laps after passing 2490: the line's last times were read.
  EXPECT_EQ(r->list()[0].laps, 2490);
  EXPECT_EQ(r->list()[0].raceTime, 2500000);
}

TEST_F(SessionRankingTest, AnUnmatchedRoundDriverStaysWhileNoFilterIsSet) {
  AddParticipants({{"Alain", "GT"}, {"Bruno", "GT"}});
  WriteRace(RacePhase::Rounds, 1);
  AddRound(1,
           {{"Alain", 10, 600000}, {"Xavier", 12, 600000}, {"", 20, 600000}, {"Bruno", 9, 600000}});
  auto r = Rank(RacePhase::Rounds);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Xavier", "Alain", "Bruno"}));
  EXPECT_EQ(r->list()[0].club, "");
  const EntryRowTexts xavier =
      SessionEntryTexts(r->list()[0], 0, r->penalties(), r->penaltyCount(), false, true);
  EXPECT_EQ(xavier.name, "Xavier");
  EXPECT_EQ(xavier.sex, "");
  EXPECT_EQ(xavier.points, "8");
  EXPECT_EQ(r->list()[1].club, "Club Alain");
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{8, 6, 5}));
  r->selectCategory("GT");
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Bruno"}));
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{6, 5}));
  r->selectCategory("Toutes");
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Xavier", "Alain", "Bruno"}));
  EXPECT_EQ(Points(*r), (std::vector<int32_t>{8, 6, 5}));
}

TEST_F(SessionRankingTest, WithoutARaceFileTheRankingIsEmpty) {
  SessionRanking r(RacePhase::Qualifying);
  r.open(nullptr);
  EXPECT_EQ(r.messages(), (std::vector<std::string>{"Error : 'Race' file not found"}));
  EXPECT_EQ(r.shownCount(), 0);
  EXPECT_EQ(r.categoryItems(), (std::vector<std::string>{"Toutes"}));
  EXPECT_TRUE(r.table().pages().empty());
}

TEST_F(SessionRankingTest, OutOfRangeCountsAreBounded) {
  AddParticipants({{"Alain"}});
  WriteRace(RacePhase::Qualifying, 1);
  {
    // A node code past the nine sessions and a race the header does not hold.
    TextFile f = Open();
    records[0].participantCount = 1;
    ASSERT_TRUE(WriteRaceFileHeader(f, 14970, 1, records).ok);
  }
  EXPECT_EQ(Rank(RacePhase::Qualifying)->session(), 9);
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteRaceFileHeader(f, 24951, 1, records).ok);
  }
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(r->race(), 0);
  EXPECT_EQ(r->shownCount(), 0);
}

TEST_F(SessionRankingTest, TheOkBodiesOfTheThreePointsSections) {
  AddNumberedParticipants(12);
  WriteRace(RacePhase::Practice, 1);
  struct Case {
    RacePhase phase;
    const char* title;
    const char* body;
  };
  const Case cases[] = {
      {RacePhase::Practice, "DadevuDore1EssaisPoints",
       "CLASSEMENTMeilleurTour\t0\t0\t0\t0\t0\t0\t\r\n"},
      {RacePhase::Qualifying, "DadevuDore1QualifsPoints",
       "CLASSEMENTMeilleurTour\t8\t3\t2\t2\t1\t0\t\r\n"},
      {RacePhase::Rounds, "DadevuDore1ManchesPoints",
       "CLASSEMENTToursTemps\t5\t2\t1\t1\t1\t1\t\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const std::string prior = test::ReadBytes(path_);
    auto r = Rank(c.phase);
    if (c.phase == RacePhase::Practice) r->setRankingMode(kRankByBestLap);
    if (c.phase == RacePhase::Qualifying) {
      r->setRankingMode(kRankByBestLap);
      r->pointsEditChanged(PointsEdit::FirstPlace, "20");
      r->pointsEditChanged(PointsEdit::Gap1To2, "3");
      r->pointsEditChanged(PointsEdit::Gap2To3, "2");
      r->pointsEditChanged(PointsEdit::Gap3To4, "2");
      r->pointsEditChanged(PointsEdit::GapAfter5, "");
    }
    // Nothing is written before "OK".
    EXPECT_EQ(test::ReadBytes(path_), prior);
    EXPECT_EQ(r->pointsSectionTitle(), c.title);
    {
      TextFile f = Open();
      ASSERT_TRUE(r->writePointsSection(f).ok);
    }
    EXPECT_NE(test::ReadBytes(path_).find(Section(c.title, c.body, filler::kPoints)),
              std::string::npos);
  }
}

// As the practice ranking opens, drivers who tie fully (here without results) stand in the
// participant order regrouped by vehicle category, then by age category code; after a change of
// mode, in participant order. Qualifying opens in participant order.
TEST_F(SessionRankingTest, FullTiesAtOpeningStandByCategoryThenAgeCategory) {
  AddParticipants({{"Alice", "GT", "J", "Junior"},
                   {"Bob", "TT", "S", "Senior"},
                   {"Carl", "GT", "S", "Senior"},
                   {"Dan", "GT", "J", "Junior"},
                   {"Eve", "TT", "S", "Senior"}});
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying}) {
    SCOPED_TRACE(static_cast<int>(phase));
    WriteRace(phase, 1, 1);
    AddSeries(phase, 1, 1, {{"Eve", 10, 600000, 50000}});
    auto r = Rank(phase);
    const std::vector<std::string> participantOrder = {"Eve", "Alice", "Bob", "Carl", "Dan"};
    EXPECT_EQ(test::NamesOf(*r),
              phase == RacePhase::Practice
                  ? (std::vector<std::string>{"Eve", "Alice", "Dan", "Carl", "Bob"})
                  : participantOrder);
    r->setRankingMode(kRankByLapsAndTime);
    EXPECT_EQ(test::NamesOf(*r), participantOrder);
  }
}

}  // namespace
}  // namespace zd
