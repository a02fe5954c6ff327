// The table of a session ranking: its rows, the part a scroll position shows, its pages, and the
// texts of its rows.

#include "phases/ranking_table.h"

#include <gtest/gtest.h>

namespace zd {
namespace {

TEST(SessionTableTest, ScrollRangeAndPages) {
  struct Case {
    const char* what;
    int entries, penalties;
    bool barShown;
    int maximum;
    int pages;
  };
  const Case cases[] = {
      {"16 entries fit", 16, 0, false, 0, 1},
      {"17 entries scroll by one", 17, 0, true, 1, 1},
      {"16 entries and 2 penalty lines scroll by two", 16, 2, true, 2, 1},
      {"30 entries and no penalty print on 2 pages", 30, 0, true, 14, 2},
      {"29 entries fill one page with the empty row", 29, 0, true, 13, 1},
      {"25 entries and 10 penalty lines print on 2 pages", 25, 10, true, 19, 2},
      {"no entry prints nothing", 0, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RankingTable t = RankingTable::Session(c.entries, c.penalties);
    EXPECT_EQ(t.scrollRange().shown, c.barShown);
    EXPECT_EQ(t.scrollRange().maximum, c.maximum);
    EXPECT_EQ(static_cast<int>(t.pages().size()), c.pages);
  }
}

TEST(SessionTableTest, RowSequenceAndTheRowsShown) {
  const RankingTable t = RankingTable::Session(16, 2);
  ASSERT_EQ(t.rows().size(), 19u);
  EXPECT_EQ(t.rows()[15].kind, RowKind::Entry);
  EXPECT_EQ(t.rows()[15].index, 15);
  EXPECT_EQ(t.rows()[16].kind, RowKind::Empty);
  EXPECT_EQ(t.rows()[17].kind, RowKind::Penalty);
  EXPECT_EQ(t.rows()[18].index, 1);

  EXPECT_EQ(t.shownRows(0).size(), 18u);  // the second penalty line needs the bar
  // Scrolled to its end: the last penalty line, then nothing (the view's last line stays empty,
  // never showing a stale penalty of a longer summary).
  const std::vector<TableRow> end = t.shownRows(t.scrollRange().maximum);
  ASSERT_EQ(end.size(), 17u);
  EXPECT_EQ(end.back().kind, RowKind::Penalty);
  EXPECT_EQ(end.back().index, 1);
}

TEST(SessionTableTest, PagesHoldThirtyRows) {
  const std::vector<PrintPage> thirty = RankingTable::Session(30, 0).pages();
  ASSERT_EQ(thirty.size(), 2u);
  EXPECT_EQ(thirty[0].entryRows, 30);
  // The second page holds the empty row alone: no heading band, no rows box.
  EXPECT_EQ(thirty[1].firstRow, 30);
  EXPECT_EQ(thirty[1].rowCount, 1);
  EXPECT_EQ(thirty[1].entryRows, 0);

  const std::vector<PrintPage> mixed = RankingTable::Session(25, 10).pages();
  ASSERT_EQ(mixed.size(), 2u);
  EXPECT_EQ(mixed[0].entryRows, 25);  // 25 drivers, the empty row and 4 penalty lines
  EXPECT_EQ(mixed[0].rowCount, 30);
  EXPECT_EQ(mixed[1].number, 2);
  EXPECT_EQ(mixed[1].rowCount, 6);
  EXPECT_EQ(mixed[1].entryRows, 0);
}

TEST(TimeTextTest, RaceTimesAndBestLaps) {
  EXPECT_EQ(BestLapText(45120), "45.120");
  EXPECT_EQ(RaceTimeText(45120), "0:45.120");
  EXPECT_EQ(RaceTimeText(65432), "1:05.432");
  EXPECT_EQ(BestLapText(65432), "1:05.432");
  EXPECT_EQ(RaceTimeText(3725004), "1:02:05.004");
  EXPECT_EQ(BestLapText(3725004), "1:02:05.004");
  EXPECT_EQ(BestLapText(9870), "9.870");
  EXPECT_EQ(RaceTimeText(600000), "10:00.000");
}

TEST(EntryTextTest, ResultColumnsOnlyWithAResult) {
  PenaltyTable penalties;
  ClearPenaltyTable(penalties);
  penalties[0].code = "A";
  RankingEntry e;
  e.name = "Alain";
  e.club = "Club";
  e.nationCode = "FRA";
  e.carNumber = "12";
  e.sex = 0;
  e.points = 8;
  EntryRowTexts t = SessionEntryTexts(e, 4, penalties, 1, false, true);
  EXPECT_EQ(t.position, "5");
  EXPECT_EQ(t.sex, "F");
  EXPECT_EQ(t.club, "Club");
  EXPECT_FALSE(t.hasResult);
  EXPECT_EQ(t.laps + t.raceTime + t.bestLap + t.penalty + t.points, "");

  e.laps = 0;
  e.raceTime = 600000;
  e.penaltyIndex = 1;
  t = SessionEntryTexts(e, 0, penalties, 1, true, true);
  EXPECT_EQ(t.club, "FRA");
  EXPECT_EQ(t.laps, "0");
  EXPECT_EQ(t.raceTime, "10:00.000");
  EXPECT_EQ(t.bestLap, "0.000");
  EXPECT_EQ(t.penalty, "(A)");
  EXPECT_EQ(t.points, "8");
  // An index past the list shows no code; without points, no points.
  e.penaltyIndex = 2;
  t = SessionEntryTexts(e, 0, penalties, 1, false, false);
  EXPECT_EQ(t.penalty, "");
  EXPECT_EQ(t.points, "");
}

TEST(PenaltyLineTest, CodeNameDescription) {
  PenaltySummaryTable records;
  records[0].code = "P2";
  records[0].name = "Coupe";
  records[0].amount = 2;
  records[0].kind = kPenaltyRemoveLaps;
  records[1].name = "Abandon pilote";
  const PenaltyLineTexts line = PenaltyLine(records[0]);
  EXPECT_EQ(line.code, "(P2) : ");
  EXPECT_EQ(line.name, "Coupe");
  EXPECT_EQ(line.description, ": 2 tours retirés au nombre de tours du pilote");
  EXPECT_EQ(LongestPenaltyName(records, 2), 14);
  EXPECT_EQ(LongestPenaltyName(records, 1), 5);
}

}  // namespace
}  // namespace zd
