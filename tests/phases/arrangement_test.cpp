// The arrangement model of the practice and qualifying series and of the starting grid, on small
// race files: series counts, the count edits, the exchanges and their locks, the arrows' hot spots,
// the scroll ranges, the frequency clashes, the printed pages, "Générer" and the sources.

#include "phases/arrangement.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/series_loading.h"
#include "phases/final_ranking.h"
#include "ranking_fixture.h"

namespace zd {
namespace {

using test::ResultLine;

// Race 1 with "Pilote 1" to "Pilote n", its arrangement section holding the first `used` of them in
// order (nothing written when used < 0).
class ArrangementTest : public test::RankingFileTest {
 protected:
  void MakeRace(RacePhase phase, int people, int used, int32_t count) {
    AddNumberedParticipants(people);
    const int32_t base = phase == RacePhase::Practice     ? 2950
                         : phase == RacePhase::Qualifying ? 4950
                                                          : 5950;
    TextFile f = Open();
    records[0].participantCount = participantCount;
    ASSERT_TRUE(WriteRaceFileHeader(f, 10000 + base, 1, records).ok);
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants).ok);
    if (used < 0) return;
    auto slots = std::make_unique<ArrangementRecords>();
    for (int i = 0; i < used; ++i) (*slots)[i].name = "Pilote " + std::to_string(i + 1);
    if (phase == RacePhase::Rounds) {
      auto table = std::make_unique<ParticipantTable>();
      std::copy_n(slots->begin(), kGridSlots, table->begin());
      ASSERT_TRUE(
          WriteRoundArrangementRecords(f, ArrangementSectionTitle(1, phase), count, *table).ok);
    } else {
      ASSERT_TRUE(
          WriteSeriesArrangementRecords(f, ArrangementSectionTitle(1, phase), count, *slots).ok);
    }
  }
  std::unique_ptr<ArrangementModel> Model(RacePhase phase,
                                          std::vector<std::string>* messages = nullptr) {
    auto model = std::make_unique<ArrangementModel>(phase);
    TextFile f = Open();
    std::vector<std::string> read = model->read(f);
    if (messages) *messages = read;
    return model;
  }
  std::string SlotName(const ArrangementModel& m, int i) { return m.slot(i).name.str(); }
};

TEST_F(ArrangementTest, SeriesCountsAndTheNineSeriesCheck) {
  struct Case {
    RacePhase phase;
    int drivers;
    int32_t n;
    int series;
    bool allowed;
  };
  const Case cases[] = {
      {RacePhase::Practice, 120, 50, 3, true}, {RacePhase::Practice, 120, 12, 10, false},
      {RacePhase::Qualifying, 23, 5, 5, true}, {RacePhase::Qualifying, 23, 2, 12, false},
      {RacePhase::Qualifying, 0, 1, 0, true},  {RacePhase::Qualifying, 0, 2, 1, true},
      {RacePhase::Practice, 0, 1, 0, true},    {RacePhase::Practice, 50, 50, 1, true},
      {RacePhase::Practice, 51, 50, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.drivers) + " drivers, N " + std::to_string(c.n));
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    MakeRace(c.phase, c.drivers, c.drivers, c.n);
    auto m = Model(c.phase);
    EXPECT_EQ(m->lastUsedSlot(), c.drivers);
    EXPECT_EQ(m->seriesCount(), c.series);
    EXPECT_EQ(m->seriesCountAllowed(), c.allowed);
    const RaceHeaderRecord& h = m->header();
    EXPECT_EQ(c.phase == RacePhase::Practice ? h.practiceSeries : h.qualifyingSeries, c.series);
  }
}

TEST_F(ArrangementTest, AnEmptyNameIsAnEmptySlotAndAMissingSectionIsOneSeries) {
  std::vector<std::string> messages;
  MakeRace(RacePhase::Practice, 3, -1, 50);
  auto m = Model(RacePhase::Practice, &messages);
  EXPECT_EQ(messages, (std::vector<std::string>{std::string(kPracticeArrangementMissing)}));
  EXPECT_EQ(m->count(), 50);
  EXPECT_EQ(m->lastUsedSlot(), 0);
  EXPECT_EQ(m->seriesCount(), 1);
  m->setSlotName(7, "Pilote 2");
  m->setSlotName(9, "");
  EXPECT_EQ(m->lastUsedSlot(), 8);
}

TEST_F(ArrangementTest, TheCountEdits) {
  struct Case {
    RacePhase phase;
    int participants;
    const char* text;
    int count;
    std::optional<std::string> rewrite;
  };
  const Case cases[] = {
      {RacePhase::Practice, 12, "0", 1, std::nullopt},
      {RacePhase::Practice, 12, "", 1, std::nullopt},
      {RacePhase::Qualifying, 12, "75", 50, "50"},
      {RacePhase::Qualifying, 12, "20", 20, std::nullopt},
      {RacePhase::Rounds, 12, "20", 12, "12"},
      {RacePhase::Rounds, 60, "75", 50, "50"},
      {RacePhase::Rounds, 12, "0", 1, std::nullopt},
      {RacePhase::Rounds, 12, "7", 7, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    MakeRace(c.phase, c.participants, c.participants, 50);
    auto m = Model(c.phase);
    if (c.phase == RacePhase::Rounds) {
      EXPECT_EQ(m->count(), std::min(50, c.participants));
    }
    EXPECT_EQ(m->countChanged(c.text), c.rewrite);
    EXPECT_EQ(m->count(), c.count);
  }
}

TEST_F(ArrangementTest, ExchangesAndTheirLocks) {
  enum Started { kNothing, kPractice, kQualifying, kRounds };
  struct Case {
    RacePhase phase;
    Started started;
    int32_t count;  // N, or Q
    int s;          // slots s and s + 1
    bool exchanged;
    const char* sound;
    const char* warning;
  };
  const Case cases[] = {
      // Practice: within a series once practice has started; the later phases lock N only.
      {RacePhase::Practice, kPractice, 5, 3, true, kExchangeSound, nullptr},
      {RacePhase::Practice, kPractice, 5, 4, false, kRefusalSound, kPracticeStartedWarning},
      {RacePhase::Practice, kQualifying, 5, 4, true, kExchangeSound, nullptr},
      {RacePhase::Practice, kRounds, 5, 4, true, kExchangeSound, nullptr},
      {RacePhase::Practice, kNothing, 5, 198, true, kExchangeSound, nullptr},
      {RacePhase::Practice, kNothing, 5, 199, false, nullptr, nullptr},
      {RacePhase::Practice, kPractice, 50, 248, true, kExchangeSound, nullptr},
      {RacePhase::Practice, kPractice, 50, 249, false, nullptr, nullptr},
      // Qualifying: the same once it has started; frozen once the rounds have.
      {RacePhase::Qualifying, kQualifying, 5, 3, true, kExchangeSound, nullptr},
      {RacePhase::Qualifying, kQualifying, 5, 4, false, kRefusalSound, kQualifyingStartedWarning},
      {RacePhase::Qualifying, kPractice, 5, 4, true, kExchangeSound, nullptr},
      {RacePhase::Qualifying, kRounds, 5, 3, false, kRefusalSound, kQualifyingFrozenWarning},
      {RacePhase::Qualifying, kNothing, 5, 198, true, kExchangeSound, nullptr},
      {RacePhase::Qualifying, kNothing, 5, 199, false, nullptr, nullptr},
      // The grid: any pair below P before the rounds, then only among the qualified.
      {RacePhase::Rounds, kQualifying, 10, 0, true, kExchangeSound, nullptr},
      {RacePhase::Rounds, kNothing, 10, 18, true, kExchangeSound, nullptr},
      {RacePhase::Rounds, kNothing, 10, 19, false, nullptr, nullptr},
      {RacePhase::Rounds, kRounds, 10, 8, true, kExchangeSound, nullptr},
      {RacePhase::Rounds, kRounds, 10, 9, false, kRefusalSound, kGridLockedWarning},
      {RacePhase::Rounds, kRounds, 10, 14, false, kRefusalSound, kGridLockedWarning},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.phase)) + " started " +
                 std::to_string(c.started) + " s " + std::to_string(c.s));
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    ClearRaceHeaderRecords(records);
    records[0].practiceStates[2] = c.started == kPractice ? 1 : 0;
    records[0].qualifyingStates[8] = c.started == kQualifying ? 1 : 0;
    records[0].roundsState = c.started == kRounds ? 1 : 0;
    MakeRace(c.phase, 20, 20, c.count);
    auto m = Model(c.phase);
    m->setSlotName(c.s, "Haut");
    m->setSlotName(c.s + 1 < m->slotCount() ? c.s + 1 : c.s, "Bas");
    const ExchangeResult r = m->exchange(c.s);
    EXPECT_EQ(r.exchanged, c.exchanged);
    // The texts, not their addresses: each unit may hold its own copy of a literal.
    EXPECT_STREQ(r.sound, c.sound);
    EXPECT_STREQ(r.warning, c.warning);
    if (c.s + 1 < m->slotCount()) {
      EXPECT_EQ(SlotName(*m, c.s + 1), c.exchanged ? "Haut" : "Bas");
    }
  }
}

TEST_F(ArrangementTest, AnExchangeMovesTheWholeSlotAndRecountsTheSeries) {
  AddParticipants({{"Alain"}, {"Bruno"}});
  (*participants)[0].frequencies[0] = "27.145";
  MakeRace(RacePhase::Practice, 0, 10,
           5);  // Pilote 1 to 10 are not participants
  auto m = Model(RacePhase::Practice);
  m->setSlotName(9, "Alain");
  {
    TextFile f = Open();
    m->loadSource(f);  // practice has no source: the slots are refreshed only
  }
  EXPECT_EQ(m->slot(9).frequencies[0].str(), "27.145");
  EXPECT_EQ(m->seriesCount(), 2);
  EXPECT_TRUE(m->exchange(9).exchanged);
  EXPECT_EQ(m->slot(10).frequencies[0].str(), "27.145");
  EXPECT_EQ(m->seriesCount(), 3);
  EXPECT_EQ(m->header().practiceSeries, 3);
}

TEST_F(ArrangementTest, ArrowHotSpotsAtTwoScrollPositions) {
  MakeRace(RacePhase::Qualifying, 23, 23, 5);  // 25 rows: range 0..5
  auto m = Model(RacePhase::Qualifying);
  struct Case {
    int p, x, y;
    std::optional<int> s;
  };
  const Case cases[] = {
      {0, 335, 115, 0},
      {0, 341, 125, 0},
      {0, 311, 135, 0},
      {0, 321, 145, 0},
      {0, 335, 135, 1},
      {0, 315, 130, std::nullopt},
      {0, 330, 120, std::nullopt},
      {0, 315, 155, 1},
      {0, 335, 475, 18},
      {0, 315, 495, 18},
      {0, 335, 495, std::nullopt},
      {5, 335, 115, 5},
      {5, 335, 475, 23},
      {5, 315, 495, 23},
      {5, 400, 120, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.p) + ": " + std::to_string(c.x) + "," + std::to_string(c.y));
    EXPECT_EQ(m->hitArrow(c.x, c.y, c.p), c.s);
  }
  // N = 3: 8 series, 24 rows; at p = 5 the last visible row is 18 and has no down arrow.
  EXPECT_EQ(m->countChanged("3"), std::nullopt);
  EXPECT_EQ(m->rowCount(), 24);
  EXPECT_FALSE(m->hitArrow(335, 475, 5).has_value());
  EXPECT_TRUE(m->hitArrow(335, 455, 5).has_value());
}

TEST_F(ArrangementTest, NoArrowPastTheLastSlot) {
  MakeRace(RacePhase::Practice, 0, 0, 3);
  auto m = Model(RacePhase::Practice);
  m->setSlotName(249, "Pilote");  // 84 series of 3: 252 rows
  ASSERT_EQ(m->rowCount(), 252);
  const int p = m->scrollRange().maximum;
  ASSERT_EQ(p, 232);
  EXPECT_TRUE(m->arrowsAt(p, 16).shown);   // slots 248, 249
  EXPECT_FALSE(m->arrowsAt(p, 17).shown);  // 249, 250
  EXPECT_FALSE(m->hitArrow(335, 115 + 20 * 17, p).has_value());
  EXPECT_FALSE(m->exchange(249).exchanged);
}

TEST_F(ArrangementTest, ScrollRanges) {
  struct Case {
    RacePhase phase;
    int participants;
    int used;
    int32_t count;
    ScrollRange range;
  };
  const Case cases[] = {
      {RacePhase::Practice, 160, 160, 50, {true, 180}},
      {RacePhase::Qualifying, 20, 20, 20, {false, 0}},
      {RacePhase::Qualifying, 21, 21, 20, {true, 20}},
      {RacePhase::Rounds, 35, 35, 10, {true, 15}},
      {RacePhase::Rounds, 20, 20, 10, {false, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.participants);
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    MakeRace(c.phase, c.participants, c.used, c.count);
    auto m = Model(c.phase);
    EXPECT_EQ(m->scrollRange().shown, c.range.shown);
    EXPECT_EQ(m->scrollRange().maximum, c.range.maximum);
    EXPECT_EQ(m->boundScroll(1000), c.range.maximum);
  }
}

TEST_F(ArrangementTest, ClashesWithinASeries) {
  MakeRace(RacePhase::Qualifying, 12, 12, 5);
  const char* frequencies[12] = {"27.145", "27.145", "2.4Ghz", "2.4Ghz", "",       "27.145",
                                 "40.665", "",       "",       "40.665", "40.665", ""};
  for (int i = 0; i < 12; ++i) (*participants)[i].frequencies[0] = frequencies[i];
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants).ok);
  }
  auto m = Model(RacePhase::Qualifying);
  std::vector<int> red;
  for (int i = 0; i < m->slotCount(); ++i)
    if (m->clash(i)) red.push_back(i);
  // Slot 5 shares 27.145 with series 1 only; slot 10 is the only 40.665 of series 3.
  EXPECT_EQ(red, (std::vector<int>{0, 1, 6, 9}));
}

TEST_F(ArrangementTest, GridClashesAndGreyArrowsFollowTheQualified) {
  MakeRace(RacePhase::Rounds, 20, 20, 10);
  for (int i : {0, 2, 12}) (*participants)[i].frequencies[0] = "27.145";
  for (int i : {1, 11}) (*participants)[i].frequencies[0] = "40.665";
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants).ok);
  }
  auto m = Model(RacePhase::Rounds);
  std::vector<int> red;
  for (int i = 0; i < m->slotCount(); ++i)
    if (m->clash(i)) red.push_back(i);
  EXPECT_EQ(red, (std::vector<int>{0, 2}));

  struct Case {
    int p, k;
    bool shown, downGrey, upGrey;
  };
  const Case cases[] = {
      {0, 8, true, false, false},   {0, 9, true, false, true},  {0, 10, true, true, true},
      {0, 18, true, true, true},    {5, 3, true, false, false}, {5, 4, true, false, true},
      {1, 18, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.p) + "/" + std::to_string(c.k));
    const ArrowPair a = m->arrowsAt(c.p, c.k);
    EXPECT_EQ(a.shown, c.shown);
    EXPECT_EQ(a.downGrey, c.downGrey);
    EXPECT_EQ(a.upGrey, c.upGrey);
  }
}

TEST_F(ArrangementTest, PrintedPages) {
  struct Case {
    int used;
    int32_t n;
    int seriesPerPage, rowHeight, firstFont, secondFont, pages, lastPageSeries;
  };
  const Case cases[] = {
      {45, 10, 2, 20, 14, 12, 3, 1},  {45, 15, 1, 20, 14, 12, 3, 1}, {70, 35, 1, 15, 12, 11, 2, 1},
      {120, 50, 1, 12, 10, 10, 3, 1}, {200, 5, 5, 20, 14, 12, 8, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    MakeRace(RacePhase::Qualifying, c.used, c.used, c.n);
    auto m = Model(RacePhase::Qualifying);
    const ArrangementPrintLayout l = m->printLayout();
    EXPECT_EQ(l.seriesPerPage, c.seriesPerPage);
    EXPECT_EQ(l.rowHeight, c.rowHeight);
    EXPECT_EQ(l.firstFont, c.firstFont);
    EXPECT_EQ(l.secondFont, c.secondFont);
    EXPECT_EQ(m->pageCount(), c.pages);
    EXPECT_EQ(m->firstSeriesOnPage(c.pages), (c.pages - 1) * c.seriesPerPage);
    EXPECT_EQ(m->seriesOnPage(c.pages), c.lastPageSeries);
  }
}

TEST_F(ArrangementTest, PrintedGridPages) {
  MakeRace(RacePhase::Rounds, 45, 45, 40);
  auto m = Model(RacePhase::Rounds);
  ASSERT_EQ(m->pageCount(), 2);
  const GridPrintPage one = m->gridPage(1), two = m->gridPage(2);
  EXPECT_EQ(one.firstSlot, 0);
  EXPECT_EQ(one.rows, 30);
  EXPECT_EQ(one.qualified, 30);
  EXPECT_EQ(two.firstSlot, 30);
  EXPECT_EQ(two.rows, 15);
  EXPECT_EQ(two.qualified, 10);
}

TEST_F(ArrangementTest, NothingToPrintWithoutParticipants) {
  MakeRace(RacePhase::Rounds, 0, 0, 40);
  EXPECT_EQ(Model(RacePhase::Rounds)->pageCount(), 0);
  EXPECT_EQ(Model(RacePhase::Practice)->pageCount(), 0);
}

TEST_F(ArrangementTest, GenerateWritesTheHeaderAndTheSection) {
  struct Case {
    RacePhase phase;
    bool started;
    int32_t sessions;  // the phase's session (round) count written
  };
  const Case cases[] = {{RacePhase::Practice, false, -1},   {RacePhase::Practice, true, 2},
                        {RacePhase::Qualifying, false, -1}, {RacePhase::Qualifying, true, 2},
                        {RacePhase::Rounds, false, -1},     {RacePhase::Rounds, true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.phase)) + (c.started ? " started" : ""));
    SetUp();
    participantCount = 0;
    ClearParticipants(*participants);
    ClearRaceHeaderRecords(records);
    records[0].name = "Open";
    records[0].practiceSessions = records[0].qualifyingSessions = records[0].rounds = 2;
    records[0].practiceStates[1] = c.started && c.phase == RacePhase::Practice;
    records[0].qualifyingStates[1] = c.started && c.phase == RacePhase::Qualifying;
    records[0].roundsState = c.started && c.phase == RacePhase::Rounds;
    MakeRace(c.phase, 12, 12, 5);
    auto m = Model(c.phase);
    m->countChanged("4");
    {
      TextFile f = Open();
      ASSERT_TRUE(m->write(f).ok);
    }
    RaceHeaderRecords read;
    ClearRaceHeaderRecords(read);
    int32_t code = 0, races = 0;
    {
      TextFile f = Open();
      ASSERT_TRUE(ReadRaceFileHeader(f, code, races, read));
    }
    switch (c.phase) {
      case RacePhase::Practice:
        EXPECT_EQ(read[0].practiceSessions, c.sessions);
        EXPECT_EQ(read[0].practiceSeries, 3);
        break;
      case RacePhase::Qualifying:
        EXPECT_EQ(read[0].qualifyingSessions, c.sessions);
        EXPECT_EQ(read[0].qualifyingSeries, 3);
        break;
      case RacePhase::Rounds:
        EXPECT_EQ(read[0].rounds, c.sessions);
        break;
    }
    std::string body = "4\t\r\n";
    const int slots = c.phase == RacePhase::Rounds ? kGridSlots : kArrangementSlots;
    for (int i = 0; i < slots; ++i)
      body += (i < 12 ? "Pilote " + std::to_string(i + 1) : std::string("(NA)")) + "\t\r\n";
    const int32_t pairs =
        c.phase == RacePhase::Rounds ? filler::kRoundArrangement : filler::kSeriesArrangement;
    EXPECT_NE(
        test::ReadBytes(path_).find(Section(ArrangementSectionTitle(1, c.phase), body, pairs)),
        std::string::npos);
  }
}

TEST_F(ArrangementTest, TheQualifyingArrangementCopiesThePracticeOne) {
  MakeRace(RacePhase::Qualifying, 6, 6, 50);
  {
    auto practice = std::make_unique<ArrangementRecords>();
    for (int i = 0; i < 6; ++i) (*practice)[i].name = "Pilote " + std::to_string(6 - i);
    TextFile f = Open();
    ASSERT_TRUE(WriteSeriesArrangementRecords(f, ArrangementSectionTitle(1, RacePhase::Practice), 4,
                                              *practice)
                    .ok);
  }
  auto m = Model(RacePhase::Qualifying);
  EXPECT_TRUE(m->sourceAvailable());
  {
    TextFile f = Open();
    m->loadSource(f);
  }
  EXPECT_EQ(m->count(), 4);
  EXPECT_EQ(m->seriesCount(), 2);
  EXPECT_EQ(SlotName(*m, 0), "Pilote 6");
  EXPECT_EQ(m->slot(0).carNumber.str(), "6");
  EXPECT_EQ(SlotName(*m, 5), "Pilote 1");
  EXPECT_EQ(SlotName(*m, 6), "(NA)");
}

TEST_F(ArrangementTest, TheGridLoadsTheFinalQualifyingOrderAndKeepsQ) {
  AddParticipants({{"Alain"}, {"Bruno"}, {"Cyril"}, {"Denis"}});
  records[0].qualifyingStates[0] = 1;
  sessionsInUse = 1;
  WriteRace(RacePhase::Qualifying, 1, 1);
  AddSeries(RacePhase::Qualifying, 1, 1,
            {{"Cyril", 12, 600000, 50000},
             {"Alain", 10, 600000, 50000},
             {"Denis", 11, 600000, 50000},
             {"Bruno", 9, 600000, 50000}});
  {
    auto ranking = OpenRanking<FinalRanking>(RacePhase::Qualifying);
    TextFile f = Open();
    ASSERT_TRUE(ranking->writeClassementSection(f).ok);
    auto table = std::make_unique<ParticipantTable>();
    for (int i = 0; i < 4; ++i) (*table)[i].name = (*participants)[i].name;
    ASSERT_TRUE(WriteRaceFileHeader(f, 15950, 1, records).ok);
    ASSERT_TRUE(
        WriteRoundArrangementRecords(f, ArrangementSectionTitle(1, RacePhase::Rounds), 2, *table)
            .ok);
  }
  auto m = Model(RacePhase::Rounds);
  EXPECT_TRUE(m->sourceAvailable());
  EXPECT_EQ(SlotName(*m, 0), "Alain");
  {
    TextFile f = Open();
    m->loadSource(f);
  }
  EXPECT_EQ(m->count(), 2);
  const std::vector<std::string> order = {SlotName(*m, 0), SlotName(*m, 1), SlotName(*m, 2),
                                          SlotName(*m, 3)};
  EXPECT_EQ(order, (std::vector<std::string>{"Cyril", "Denis", "Alain", "Bruno"}));
  EXPECT_EQ(m->slot(0).carNumber.str(), "3");
  EXPECT_EQ(SlotName(*m, 4), "(NA)");
}

TEST_F(ArrangementTest, TheQualifyingOrderNeedsAStartedQualifying) {
  MakeRace(RacePhase::Rounds, 4, 4, 2);
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteClassementSection(f, ClassementSectionTitle(1, RacePhase::Qualifying),
                                       ClassementSettings{}, *std::make_unique<RankingList>())
                    .ok);
  }
  EXPECT_FALSE(Model(RacePhase::Rounds)->sourceAvailable());
}

}  // namespace
}  // namespace zd
