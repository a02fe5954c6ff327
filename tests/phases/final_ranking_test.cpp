// The final rankings on small race files: practice combining its sessions, qualifying and the
// rounds summing their best session points, the range edits, the rows and texts of the table,
// the "OK" bodies and the names of a published archive.

#include "phases/final_ranking.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "phases/session_ranking.h"
#include "ranking_fixture.h"

namespace zd {
namespace {

using test::ResultLine;

const RankingEntry& EntryOf(const FinalRanking& r, std::string_view name) {
  for (int i = 0; i < r.shownCount(); ++i)
    if (r.list()[i].name == name) return r.list()[i];
  ADD_FAILURE() << name << " not listed";
  static const RankingEntry none;
  return none;
}

class FinalRankingTest : public test::RankingFileTest {
 protected:
  std::unique_ptr<FinalRanking> Rank(RacePhase phase) { return OpenRanking<FinalRanking>(phase); }
};

// Three practice sessions of one series each.
class PracticeFinalTest : public FinalRankingTest {
 protected:
  void SetUp() override {
    FinalRankingTest::SetUp();
    AddParticipants({{"Alain"}, {"Bruno", "", "", "", 0}, {"Cyril"}, {"Denis"}, {"Eric"}});
    AddPenalty("A", kPenaltyReplaceRaceTime, 600, "Abandon pilote");
    AddPenalty("P1", kPenaltyAddRaceTime, 30);
    AddPenalty("P2", kPenaltyAddBestLap, 5);
    sessionsInUse = 3;
    WriteRace(RacePhase::Practice, 1, 1);
    AddSeries(RacePhase::Practice, 1, 1,
              {{"Alain", 12, 602500, 48100},
               {"Bruno", 10, 600000, 50000, 1},
               {"Cyril", 11, 600000, 49000},
               {"Denis", 3, 150000, 50000, 1}});
    AddSeries(RacePhase::Practice, 2, 1,
              {{"Alain", 12, 598000, 48600},
               {"Bruno", 11, 600000, 49500, 3},
               {"Denis", 2, 100000, 50000, 1}});
    AddSeries(RacePhase::Practice, 3, 1,
              {{"Alain", 12, 610000, 48700},
               {"Cyril", 5, 250000, 0, 1},
               {"Denis", 1, 50000, 0, 7}});
  }
};

TEST_F(PracticeFinalTest, TheBestSessionAndTheBestLapOfTheRange) {
  auto r = Rank(RacePhase::Practice);
  EXPECT_EQ(r->range().first, 1);
  EXPECT_EQ(r->range().last, 3);
  r->rangeEdited(RangeEdit::Last, "2");
  const RankingEntry& alain = EntryOf(*r, "Alain");
  EXPECT_EQ(alain.laps, 12);
  EXPECT_EQ(alain.raceTime, 598000);
  EXPECT_EQ(alain.bestLap, 48100);
  // An abandon in EL1 and a penalty of index 3 in EL2: one each.
  const RankingEntry& bruno = EntryOf(*r, "Bruno");
  EXPECT_EQ(bruno.laps, 11);
  EXPECT_EQ(bruno.bestLap, 50000);
  EXPECT_EQ(bruno.abandonCount, 1);
  EXPECT_EQ(bruno.penaltyCount, 1);
  EXPECT_EQ(EntryOf(*r, "Denis").abandonCount, 2);
  EXPECT_EQ(r->abandonedDrivers(), 2);
  EXPECT_EQ(r->penalisedDrivers(), 1);
  EXPECT_EQ(r->title(), "Open - Classement Essais Libres EL1 à EL2");

  // EL2 to EL3 leaves EL1 out; Cyril's only session is a kind-3 abandonment.
  r->rangeEdited(RangeEdit::First, "2");
  r->rangeEdited(RangeEdit::Last, "3");
  EXPECT_EQ(EntryOf(*r, "Alain").bestLap, 48600);
  // EL3's 12 laps took longer: EL2's stay.
  EXPECT_EQ(EntryOf(*r, "Alain").raceTime, 598000);
  EXPECT_EQ(EntryOf(*r, "Bruno").abandonCount, 0);
  const RankingEntry& cyril = EntryOf(*r, "Cyril");
  EXPECT_EQ(cyril.laps, 0);
  EXPECT_EQ(cyril.raceTime, 600000);
  EXPECT_EQ(cyril.abandonCount, 1);
  // An index outside the list is neither an abandon nor a penalty.
  EXPECT_EQ(EntryOf(*r, "Denis").abandonCount, 1);
  EXPECT_EQ(EntryOf(*r, "Denis").penaltyCount, 0);
  EXPECT_EQ(test::NamesOf(*r),
            (std::vector<std::string>{"Alain", "Bruno", "Denis", "Cyril", "Eric"}));
  EXPECT_FALSE(r->showsPoints());
}

TEST_F(PracticeFinalTest, BlockRowsAndTheirTexts) {
  auto r = Rank(RacePhase::Practice);
  r->rangeEdited(RangeEdit::Last, "2");
  // Alain, Bruno, Cyril, Denis (0 laps twice), Eric; abandons: Bruno, Denis; penalties: Bruno.
  const RankingTable t = r->table();
  std::vector<std::string> texts;
  for (const TableRow& row : t.rows()) {
    if (row.kind == RowKind::Entry) texts.push_back("entry");
    if (row.kind == RowKind::Empty) texts.push_back("");
    if (row.kind == RowKind::Abandoned || row.kind == RowKind::Penalised)
      texts.push_back((row.blockTitle ? "title " : "") + r->blockRowText(row, false));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"entry", "entry", "entry", "entry", "entry", "",
                                             "title Bruno :  1 abandon", "Denis :  2 abandons", "",
                                             "title Bruno :  1 pénalité"}));
  ASSERT_GT(t.rows().size(), 7u);
  EXPECT_EQ(r->blockRowText(t.rows()[7], true), "Denis :    2 abandons");
  EXPECT_EQ(r->abandonsTitle(), "Abandons subis lors des séances EL1 à EL2 :");
  EXPECT_EQ(r->penaltiesTitle(), "Pénalités reçues lors des séances EL1 à EL2 :");
}

TEST_F(PracticeFinalTest, OkWritesTheUnfilteredOrder) {
  auto r = Rank(RacePhase::Practice);
  r->setRankingMode(kRankByBestLap);
  r->clickSexBox(SexBox::Men, false);  // women only: Bruno
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Bruno"}));
  EXPECT_EQ(r->archiveNames().upload, "TClassement-F-zToutes-zToutes.txt");
  {
    TextFile f = Open();
    ASSERT_TRUE(r->writeClassementSection(f).ok);
  }
  std::string body = "1\t3\t0\tCLASSEMENTMeilleurTour\t\r\n";
  for (const char* name : {"Alain", "Cyril", "Bruno", "Denis", "Eric"})
    body += std::string(name) + "\t\r\n";
  for (int i = 5; i < 200; ++i) body += "(NA)\t\r\n";
  EXPECT_NE(test::ReadBytes(path_).find(
                Section("DadevuDore1EssaisClassement", body, filler::kClassement)),
            std::string::npos);
  // The next opening takes range and mode back.
  auto again = Rank(RacePhase::Practice);
  EXPECT_EQ(again->rankingMode(), kRankByBestLap);
  EXPECT_EQ(again->range().last, 3);
}

// Three qualifying sessions of four drivers, each session won by another.
class QualifyingFinalTest : public FinalRankingTest {
 protected:
  void SetUp() override {
    FinalRankingTest::SetUp();
    AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}, {"Denis", "", "", "", 0}});
    sessionsInUse = 3;
    WriteRace(RacePhase::Qualifying, 1, 1);
    const char* orders[3][4] = {{"Alain", "Bruno", "Cyril", "Denis"},
                                {"Bruno", "Alain", "Denis", "Cyril"},
                                {"Cyril", "Denis", "Alain", "Bruno"}};
    for (int s = 0; s < 3; ++s) {
      std::vector<ResultLine> lines;
      for (int k = 0; k < 4; ++k) lines.push_back({orders[s][k], 10 - k, 600000, 50000});
      AddSeries(RacePhase::Qualifying, s + 1, 1, lines);
    }
  }
};

TEST_F(QualifyingFinalTest, TheSumOfTheBestSessionsThenTheSortedValues) {
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(r->range().bestCount, 3);
  // Points 9, 7, 6, 5 in each session.
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Bruno", "Cyril", "Denis"}));
  EXPECT_EQ(r->list()[0].points, 22);
  r->rangeEdited(RangeEdit::BestCount, "2");
  // Alain and Bruno both sum 16 of 9 and 7; Alain's third value, 6, beats Bruno's 5.
  EXPECT_EQ(EntryOf(*r, "Alain").points, 16);
  EXPECT_EQ(EntryOf(*r, "Bruno").points, 16);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Bruno", "Cyril", "Denis"}));
  EXPECT_EQ(r->list()[3].points, 13);

  // Q4 and Q5 are not in use: they add nothing.
  r->rangeEdited(RangeEdit::Last, "5");
  r->rangeEdited(RangeEdit::BestCount, "5");
  EXPECT_EQ(EntryOf(*r, "Alain").points, 22);
  EXPECT_EQ(EntryOf(*r, "Alain").sessionValues[3], 0);
  EXPECT_EQ(r->title(), "Open - Classement Qualifications Q1 à Q5");
}

TEST_F(QualifyingFinalTest, RangeEditsSettle) {
  auto r = Rank(RacePhase::Qualifying);
  struct Step {
    RangeEdit edit;
    const char* typed;
    int first, last, best;
    std::vector<std::string> rewrites;
  };
  const Step steps[] = {
      // 0 and nothing count as 1 and stay as typed, so the next digit can be typed.
      {RangeEdit::First, "0", 1, 3, 3, {}},
      {RangeEdit::First, "", 1, 3, 3, {}},
      {RangeEdit::Last, "2", 1, 2, 3, {}},  // a range change does not lower the count
      {RangeEdit::BestCount, "3", 1, 2, 2, {"2"}},
      {RangeEdit::BestCount, "2", 1, 2, 2, {}},  // the rewrite settles at once
      {RangeEdit::First, "3", 2, 2, 2, {"2"}},
      {RangeEdit::Last, "1", 2, 2, 2, {"2"}},
      {RangeEdit::Last, "9", 2, 9, 2, {}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(s.edit) << " '" << s.typed << "'");
    const std::vector<RangeRewrite> rewrites = r->rangeEdited(s.edit, s.typed);
    EXPECT_EQ(r->range().first, s.first);
    EXPECT_EQ(r->range().last, s.last);
    EXPECT_EQ(r->range().bestCount, s.best);
    std::vector<std::string> texts;
    for (const RangeRewrite& w : rewrites) {
      EXPECT_EQ(w.edit, s.edit);
      texts.push_back(w.text);
    }
    EXPECT_EQ(texts, s.rewrites);
  }
}

TEST_F(QualifyingFinalTest, MarkersAndFilters) {
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_TRUE(r->showsPoints());
  EXPECT_EQ(r->markers(0), (std::vector<std::string>{"(9)", "(7)"}));
  r->rangeEdited(RangeEdit::Last, "1");
  EXPECT_EQ(r->markers(0), (std::vector<std::string>{"(9)"}));

  r->clickSexBox(SexBox::Men, false);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Denis"}));
  EXPECT_EQ(r->subtitle(), "Classement des qualifications / Femmes");
  // A range change brings everyone back.
  r->rangeEdited(RangeEdit::Last, "3");
  EXPECT_EQ(r->shownCount(), 4);
  EXPECT_EQ(r->filters().sex, kBothSexes);
}

TEST_F(QualifyingFinalTest, ALeaderWithoutPointsShowsNoMarkers) {
  SetPoints(RacePhase::Qualifying, kRankByLapsAndTime, PointsScale{-4, 0, 0, 0, 0, 0});
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_FALSE(r->showsPoints());
  EXPECT_TRUE(r->markers(0).empty());
}

TEST_F(FinalRankingTest, SessionPointsByBestLapUnderAFinalModeByLapsAndTime) {
  AddParticipants({{"Alain"}, {"Bruno"}});
  sessionsInUse = 2;
  WriteRace(RacePhase::Qualifying, 1, 1);
  SetPoints(RacePhase::Qualifying, kRankByBestLap, PointsScale{});
  AddSeries(RacePhase::Qualifying, 1, 1,
            {{"Alain", 10, 600000, 48500}, {"Bruno", 10, 600000, 50000}});
  AddSeries(RacePhase::Qualifying, 2, 1,
            {{"Bruno", 10, 600000, 48000}, {"Alain", 11, 600000, 49000}});
  auto r = Rank(RacePhase::Qualifying);
  EXPECT_EQ(r->rankingMode(), kRankByBestLap);    // the sessions' mode until a final one is kept
  EXPECT_EQ(r->sessionList(2)[0].name, "Bruno");  // by best lap, despite Alain's 11 laps
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Bruno", "Alain"}));
  r->setRankingMode(kRankByLapsAndTime);
  EXPECT_EQ(EntryOf(*r, "Alain").points, EntryOf(*r, "Bruno").points);
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Bruno"}));
}

TEST_F(FinalRankingTest, NoSessionInUseSettlesOnOneToOne) {
  AddParticipants({{"Alain"}, {"Bruno"}});
  sessionsInUse = 0;
  WriteRace(RacePhase::Qualifying, 1, 1);
  AddSeries(RacePhase::Qualifying, 1, 1, {{"Alain", 10, 600000, 48500}});
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    SCOPED_TRACE(static_cast<int>(phase));
    auto r = Rank(phase);
    EXPECT_EQ(r->range().first, 1);
    EXPECT_EQ(r->range().last, 1);
    EXPECT_EQ(r->range().bestCount, 1);
    EXPECT_EQ(r->shownCount(), phase == RacePhase::Rounds ? 0 : 2);
    for (int i = 0; i < r->shownCount(); ++i) EXPECT_EQ(r->list()[i].laps, 0);
  }
}

TEST_F(FinalRankingTest, RoundsRankEveryDriverOfTheirSections) {
  AddParticipants({{"Alain", "GT"}, {"Bruno", "GT"}, {"Cyril", "GT"}, {"Denis", "GT"}});
  sessionsInUse = 3;
  WriteRace(RacePhase::Rounds, 1);
  AddRound(1, {{"Alain", 20, 600000}, {"Bruno", 19, 600000}, {"Cyril", 18, 600000}});
  AddRound(
      2,
      {{"Cyril", 21, 600000}, {"Alain", 20, 600000}, {"Xavier", 10, 600000}, {"Denis", 9, 600000}});
  auto r = Rank(RacePhase::Rounds);
  // Round 2's drivers in its order, then Bruno, missing from it.
  EXPECT_EQ(r->fieldCount(), 5);
  EXPECT_EQ(EntryOf(*r, "Cyril").laps, 21);
  EXPECT_EQ(EntryOf(*r, "Alain").laps, 20);
  // Each round's points as its own ranking gives them (round 1: 8, 6, 5; round 2: 9, 7, 6, 5).
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    WriteRace(RacePhase::Rounds, round);
    SessionRanking session(RacePhase::Rounds);
    {
      TextFile f = Open();
      session.open(&f);
    }
    for (int i = 0; i < session.shownCount(); ++i) {
      const RankingEntry& e = session.list()[i];
      const RankingList& final = r->sessionList(round);
      bool found = false;
      for (int k = 0; k < kMaxRankingEntries; ++k)
        if (final[k].name == e.name) {
          EXPECT_EQ(final[k].points, e.points) << e.name.view();
          found = true;
        }
      EXPECT_TRUE(found) << e.name.view();
    }
  }
  EXPECT_EQ(test::NamesOf(*r),
            (std::vector<std::string>{"Alain", "Cyril", "Bruno", "Xavier", "Denis"}));
  EXPECT_EQ(EntryOf(*r, "Alain").points, 15);
  EXPECT_EQ(EntryOf(*r, "Xavier").club, "");
  r->selectCategory("GT");
  EXPECT_EQ(test::NamesOf(*r), (std::vector<std::string>{"Alain", "Cyril", "Bruno", "Denis"}));
  r->selectCategory("Toutes");
  EXPECT_EQ(r->shownCount(), 5);
}

TEST(FinalTableTest, RowsPagesAndScroll) {
  struct Case {
    const char* what;
    int entries, abandons, penalties;
    std::string kinds;  // E entry, _ empty, A abandoned, P penalised; capital for a titled row
    int pages;
    bool barShown;
    int maximum;
  };
  const Case cases[] = {
      {"D 3, A 2, Pn 1", 3, 2, 1, "EEE_Aa_P", 1, false, 0},
      {"no abandon, two penalties", 3, 0, 2, "EEE__Pp", 1, false, 0},
      {"15 lines", 14, 1, 0, "", 1, false, 0},
      {"16 lines", 15, 1, 0, "", 1, true, 1},
      {"28 entries", 28, 0, 0, "", 1, true, 13},
      {"29 entries", 29, 0, 0, "", 2, true, 14},
      {"60 entries and 5 abandons", 60, 5, 0, "", 3, true, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto list = std::make_unique<RankingList>();
    for (int i = 0; i < c.abandons; ++i) (*list)[i].abandonCount = 1 + i;
    for (int i = 0; i < c.penalties; ++i) (*list)[c.entries - 1 - i].penaltyCount = 1;
    const RankingTable t = RankingTable::Final(*list, c.entries);
    if (!c.kinds.empty()) {
      std::string kinds;
      for (const TableRow& row : t.rows()) {
        char k = row.kind == RowKind::Entry       ? 'e'
                 : row.kind == RowKind::Abandoned ? 'a'
                 : row.kind == RowKind::Penalised ? 'p'
                                                  : '_';
        if (row.blockTitle || row.kind == RowKind::Entry) k = static_cast<char>(std::toupper(k));
        kinds += k;
      }
      EXPECT_EQ(kinds, c.kinds);
    }
    EXPECT_EQ(static_cast<int>(t.pages().size()), c.pages);
    EXPECT_EQ(t.scrollRange().shown, c.barShown);
    EXPECT_EQ(t.scrollRange().maximum, c.maximum);
  }
}

TEST(ArchiveNamesTest, PartsOfThePublishedNames) {
  struct Case {
    RacePhase phase;
    const char* category;
    const char* age;
    int32_t sex;
    const char* request;
    const char* upload;
  };
  const Case cases[] = {
      {RacePhase::Practice, "Toutes", "Toutes", kBothSexes, "TClassement-MF-zToutes-zToutes.txt",
       "TClassement-MF-zToutes-zToutes.txt"},
      {RacePhase::Practice, "Toutes", "J (Juniors)", kBothSexes,
       "TClassement-MF-zToutes-J(Juniors).txt", "TClassement-MF-zToutes-J.txt"},
      {RacePhase::Qualifying, "GT 1/8", "Toutes", kWomenOnly, "QClassement-F-GT_1_8-zToutes.txt",
       "QClassement-F-GT_1_8-zToutes.txt"},
      {RacePhase::Rounds, "a<b>:\"c\\|?*", "V (Vét s)", kMenOnly,
       "MClassement-M-a_b___c____-V(Vét_s).txt", "MClassement-M-a_b___c____-V.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    RankingFilters f;
    f.category = c.category;
    f.age = c.age;
    f.sex = c.sex;
    const ArchiveNames names = FinalArchiveNames(c.phase, f);
    EXPECT_EQ(names.request, c.request);
    EXPECT_EQ(names.upload, c.upload);
  }
}

TEST_F(QualifyingFinalTest, TheOkBodiesOfTheQualifyingAndRoundClassements) {
  AddRound(1, {{"Cyril", 21, 600000}, {"Alain", 20, 600000}});
  auto q = Rank(RacePhase::Qualifying);
  q->rangeEdited(RangeEdit::BestCount, "2");
  q->selectCategory("Toutes");
  q->clickSexBox(SexBox::Women, false);  // men only: Denis left out of the view
  {
    TextFile f = Open();
    ASSERT_TRUE(q->writeClassementSection(f).ok);
  }
  std::string body = "1\t3\t2\tCLASSEMENTToursTemps\t\r\n";
  for (const char* name : {"Alain", "Bruno", "Cyril", "Denis"})
    body += std::string(name) + "\t\r\n";
  for (int i = 4; i < 200; ++i) body += "(NA)\t\r\n";
  EXPECT_NE(test::ReadBytes(path_).find(
                Section("DadevuDore1QualifsClassement", body, filler::kClassement)),
            std::string::npos);

  auto m = Rank(RacePhase::Rounds);
  {
    TextFile f = Open();
    ASSERT_TRUE(m->writeClassementSection(f).ok);
  }
  body = "1\t3\t3\tCLASSEMENTToursTemps\t\r\nCyril\t\r\nAlain\t\r\n";
  for (int i = 2; i < 200; ++i) body += "(NA)\t\r\n";
  EXPECT_NE(test::ReadBytes(path_).find(
                Section("DadevuDore1ManchesClassement", body, filler::kClassement)),
            std::string::npos);
}

// Cyril has no lap and a penalty on his race time: he has no time to add to or to replace, so
// he stays among the drivers without laps, in their order, as on the board; his time stays 0.
TEST_F(FinalRankingTest, ADriverWithoutLapsKeepsHisPlaceWhateverHisPenalty) {
  AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}});
  AddPenalty("A", kPenaltyReplaceRaceTime, 600, "Abandon pilote");
  AddPenalty("P1", kPenaltyAddRaceTime, 30);
  sessionsInUse = 1;
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    for (int32_t penalty : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "phase " << static_cast<int>(phase) << ", penalty "
                                      << penalty);
      WriteRace(phase, 1, 1);
      const std::vector<ResultLine> lines = {
          {"Alain", 10, 600000, 50000}, {"Bruno"}, {"Cyril", 0, 0, 0, penalty}};
      if (phase == RacePhase::Rounds) {
        AddRound(1, lines);
      } else {
        AddSeries(phase, 1, 1, lines);
      }
      const std::vector<std::string> order = {"Alain", "Bruno", "Cyril"};
      for (std::string_view mode : {kRankByLapsAndTime, kRankByBestLap}) {
        SCOPED_TRACE(mode);
        SessionRanking session(phase);
        {
          TextFile f = Open();
          session.open(&f);
        }
        session.setRankingMode(mode);
        EXPECT_EQ(test::NamesOf(session), order);
        EXPECT_EQ(session.list()[2].raceTime, 0);
        EXPECT_EQ(session.list()[2].penaltyIndex, penalty);
        auto final = Rank(phase);
        final->setRankingMode(mode);
        EXPECT_EQ(test::NamesOf(*final), order);
        EXPECT_EQ(EntryOf(*final, "Cyril").raceTime, 0);
      }
    }
  }
}

// In a data folder without "Private/Course.race2": empty rankings, and "OK" reports the file.
class MissingRaceFileTest : public test::DataFolderTest {};

TEST_F(MissingRaceFileTest, OpeningAndOkSayTheFileIsMissing) {
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    SCOPED_TRACE(static_cast<int>(phase));
    SessionRanking session(phase);
    session.open();
    EXPECT_EQ(session.messages(), (std::vector<std::string>{kRaceFileNotFound}));
    EXPECT_EQ(session.shownCount(), 0);
    EXPECT_EQ(session.writePointsSection().message, kRaceFileNotFound);

    FinalRanking final(phase);
    final.open();
    EXPECT_EQ(final.messages(), (std::vector<std::string>{kRaceFileNotFound}));
    EXPECT_EQ(final.range().first, 1);
    EXPECT_EQ(final.range().last, 1);
    EXPECT_EQ(final.writeClassementSection().message, kRaceFileNotFound);
  }
}

}  // namespace
}  // namespace zd
