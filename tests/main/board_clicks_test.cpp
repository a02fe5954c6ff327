// What the clicks on the board's rows do: a penalty assigned and the series ranked again, the
// race's penalties taken from the database at the first such click, the driver's results handed
// over, and the club transponder list of a row.

#include "main/board_clicks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "files/handover_files.h"
#include "main/live_ranking.h"

namespace zd {
namespace {

using test::GiveResults;
using test::OpenOrFail;

using test::Penalty;

class BoardClicksTest : public test::CommandDeskTest {
 protected:
  BoardClicksTest() {
    // The event's own list: the abandonment and one lap removed.
    event->penalties[1] = Penalty("P1", "Coupe", 1, kPenaltyRemoveLaps);
  }

  // Alain 3 laps, Brigitte 2, Cyril 1, ranked on the board after a run.
  void LoadRun() {
    LoadSeries({"Alain", "Brigitte", "Cyril"});
    series->seriesSectionTitle = "DadevuDore1EL1S1";
    GiveResults(slot(1), {0, 30000, 60000, 90000});
    GiveResults(slot(2), {0, 31000, 62000});
    GiveResults(slot(3), {0, 32000});
    *series->savedTable = table();
    series->startingListShown = 0;
    series->startingListShownForScan = 0;
    RankLiveSeries(parameters().rankingMode, *series->savedTable, series->rankingEntries,
                   series->rows, series->rowCount);
  }
  std::vector<std::string> RankedNames() {
    std::vector<std::string> out;
    for (int i = 0; i < series->rowCount; ++i) out.push_back(series->rankingEntries[i].name.str());
    return out;
  }
  std::unique_ptr<PenaltyTable> RaceFilePenalties() {
    auto read = std::make_unique<PenaltyTable>();
    ClearPenaltyTable(*read);
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, kPenaltiesTitle));
    ReadPenaltiesSection(file, *read);
    return read;
  }
  void WriteRaceFileWithPenalties() {
    WriteRaceFile(
        [&](TextFile& file) { ASSERT_TRUE(WritePenaltiesSection(file, event->penalties).ok); });
  }
  void WritePenaltiesDatabase(const std::vector<PenaltyRecord>& list) {
    PenaltyTable table;
    ClearPenaltyTable(table);
    for (std::size_t i = 0; i < list.size(); ++i) table[i] = list[i];
    ASSERT_TRUE(WritePenalties(kPenaltiesFile, table, static_cast<int>(list.size())));
  }
};

TEST_F(BoardClicksTest, APenaltyIsAppliedToTheSavedTableAndTheSeriesRankedAgain) {
  WriteRaceFileWithPenalties();
  LoadRun();
  penaltySlots.fill(7);
  commandWindow.answerYes = false;  // keep the race's own penalties
  commandWindow.firstRow = 0;

  // Alain loses a lap: 2 laps in 90 s, behind Brigitte's 2 laps in 62 s.
  commandWindow.penaltyChoice = 2;
  AssignPenalty(Board(), 0);
  EXPECT_EQ(commandWindow.questions.size(), 1u);
  EXPECT_EQ(event->racePenaltiesPrepared, 1);
  EXPECT_EQ(event->racePenaltiesFromDatabase, 0);
  EXPECT_STREQ(event->penalties[1].code.c_str(), "P1");
  EXPECT_EQ(penaltySlots[1], 0);
  EXPECT_EQ(slot(1).penaltyIndex, 2);
  EXPECT_EQ(slot(1).laps, 3);  // the live table keeps the run as recorded
  EXPECT_EQ((*series->savedTable)[0].laps, 2);
  EXPECT_EQ(RankedNames(), (std::vector<std::string>{"Brigitte", "Alain", "Cyril"}));
  EXPECT_EQ(series->rows[1].status, 2);
  ASSERT_FALSE(commandWindow.redraws.empty());
  EXPECT_EQ(commandWindow.redraws.back(), kNoForcedCells);
  EXPECT_EQ(series->startingListShown, 0);

  // "Aucune" for Alain, now on the second row: the unpenalised result ranks first again, and no
  // second question is asked.
  commandWindow.penaltyChoice = 0;
  AssignPenalty(Board(), 1);
  EXPECT_EQ(commandWindow.questions.size(), 1u);
  EXPECT_EQ((*series->savedTable)[0].laps, 3);
  EXPECT_EQ(RankedNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
}

TEST_F(BoardClicksTest, NoPenaltyWhileASeriesIsArmedRunningOrScanned) {
  WriteRaceFileWithPenalties();
  const std::vector<std::function<void()>> live = {
      [this] { state.armed = 1; },
      [this] { state.running = 1; },
      [this] { timer.transponderScan = 1; },
      [this] { timer.transponderCheck = 1; },
  };
  for (std::size_t i = 0; i < live.size(); ++i) {
    SCOPED_TRACE(i);
    LoadRun();
    state = RaceState{};
    timer.transponderScan = 0;
    timer.transponderCheck = 0;
    live[i]();
    commandWindow.penaltyChoice = 2;
    AssignPenalty(Board(), 0);
    EXPECT_EQ(commandWindow.penaltyDialogs, 0);
    EXPECT_EQ(slot(1).penaltyIndex, 0);
    EXPECT_EQ((*series->savedTable)[0].laps, 3);
  }
}

TEST_F(BoardClicksTest, TakingTheDatabasePenaltiesNeverLosesTheRaceList) {
  WriteRaceFileWithPenalties();
  LoadRun();
  slot(2).penaltyIndex = 2;  // P1, which the database does not hold

  // Yes, but the database cannot be read: the race keeps its list, in memory and in its file,
  // and the cars their penalties.
  commandWindow.answerYes = true;
  PrepareRacePenalties(Board());
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{std::string(kPenaltiesDatabaseMissing)}));
  EXPECT_STREQ(event->penalties[1].code.c_str(), "P1");
  EXPECT_STREQ((*RaceFilePenalties())[1].code.c_str(), "P1");
  EXPECT_EQ(slot(2).penaltyIndex, 2);
  EXPECT_EQ(event->racePenaltiesPrepared, 1);

  // With a database of the abandonment alone, its list replaces the race's and the penalty
  // that no longer exists goes.
  WritePenaltiesDatabase({Penalty("A", "Abandon pilote", 0, kPenaltyAddRaceTime)});
  PrepareRacePenalties(Board());
  EXPECT_EQ(event->racePenaltiesFromDatabase, 1);
  EXPECT_TRUE(event->penalties[1].code.empty());
  EXPECT_TRUE((*RaceFilePenalties())[1].code.empty());
  EXPECT_EQ(slot(2).penaltyIndex, 0);
}

TEST_F(BoardClicksTest, ARaceFileWithoutPenaltiesTakesTheDatabaseWithoutAsking) {
  WriteRaceFile();
  LoadRun();
  WritePenaltiesDatabase({Penalty("A", "Abandon pilote", 0, kPenaltyAddRaceTime),
                          Penalty("P9", "Stand", 30, kPenaltyAddRaceTime)});
  commandWindow.penaltyChoice = 0;
  AssignPenalty(Board(), 2);
  EXPECT_TRUE(commandWindow.questions.empty());
  EXPECT_STREQ(event->penalties[1].code.c_str(), "P9");
  EXPECT_STREQ((*RaceFilePenalties())[1].code.c_str(), "P9");
  EXPECT_EQ(commandWindow.penaltyDialogs, 1);
}

TEST_F(BoardClicksTest, PenaltiesTakenFromTheDatabaseKeepNamingTheirCodes) {
  // The event lists A, P1, P2 and P3; the database has since lost P2 and closed the gap.
  event->penalties[2] = Penalty("P2", 10, kPenaltyAddRaceTime);
  event->penalties[3] = Penalty("P3", 20, kPenaltyAddRaceTime);
  const auto stored = [](std::vector<int32_t> indexes) {
    auto table = std::make_unique<SeriesTable>();
    for (std::size_t i = 0; i < table->size(); ++i) {
      (*table)[i].name = i < indexes.size() ? "Car" + std::to_string(i) : "(NA)";
      if (i < indexes.size()) (*table)[i].penaltyIndex = indexes[i];
    }
    return table;
  };
  SeriesTexts sectionTexts;
  sectionTexts.description = ".";
  sectionTexts.comment = " ";
  sectionTexts.trackCondition = "Sec";
  WriteRaceFile([&](TextFile& file) {
    ASSERT_TRUE(WritePenaltiesSection(file, event->penalties).ok);
    ASSERT_TRUE(
        WriteSeriesResultsSection(file, "DadevuDore1EL1S1", *stored({3, 4, 1}), sectionTexts).ok);
    ASSERT_TRUE(
        WriteSeriesResultsSection(file, "DadevuDore2Q3S2", *stored({2, 0}), sectionTexts).ok);
    ASSERT_TRUE(WriteRoundResultsSection(file, "DadevuDore3Manche9", *stored({0, 0, 4}), 1000,
                                         sectionTexts)
                    .ok);
  });
  LoadRun();
  slot(1).penaltyIndex = 4;
  slot(2).penaltyIndex = 3;
  WritePenaltiesDatabase({Penalty("A", "Abandon pilote", 600, kPenaltyReplaceRaceTime),
                          Penalty("P1", 1, kPenaltyRemoveLaps), Penalty("P3", 20, kPenaltyAddRaceTime)});
  commandWindow.answerYes = true;
  PrepareRacePenalties(Board());
  ASSERT_EQ(commandWindow.questions.size(), 1u);
  EXPECT_TRUE(commandWindow.messages.empty());

  EXPECT_EQ(slot(1).penaltyIndex, 3);  // P3
  EXPECT_EQ(slot(2).penaltyIndex, 0);  // P2 is gone
  const auto practice = SectionOf("DadevuDore1EL1S1");
  EXPECT_EQ((*practice)[0].penaltyIndex, 0);
  EXPECT_EQ((*practice)[1].penaltyIndex, 3);
  EXPECT_EQ((*practice)[2].penaltyIndex, 1);  // the abandonment keeps its place
  EXPECT_EQ((*SectionOf("DadevuDore2Q3S2"))[0].penaltyIndex, 2);
  auto round = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  int32_t capacity = 0;
  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
  ASSERT_TRUE(FindSection(file, "DadevuDore3Manche9"));
  ASSERT_TRUE(ReadRoundResultsSection(file, *round, capacity, texts));
  EXPECT_EQ(capacity, 1000);
  EXPECT_EQ((*round)[2].penaltyIndex, 3);
}

TEST_F(BoardClicksTest, DriverResultsAreHandedOverForTheCarOfTheRow) {
  LoadRun();
  series->seriesTitle = " Open - EL1 - Série1 ";
  event->trackName = "Circuit Bleu";
  commandWindow.firstRow = 1;
  auto read = std::make_unique<SeriesResultEntry>();
  SeriesTitle title;
  FixedText<40> track;
  RunDescription description;
  commandWindow.dialogDoubles[MainDialog::DriverResults] = [&] {
    ASSERT_TRUE(ReadDriverResultFile(*read, title, track, description));
  };
  ShowDriverResults(Board(), 0);  // ranking row 1: Brigitte
  EXPECT_STREQ(read->name.c_str(), "Brigitte");
  EXPECT_EQ(read->passingCount, 2);
  EXPECT_STREQ(title.c_str(), " Open - EL1 - Série1 ");
  EXPECT_STREQ(track.c_str(), "Circuit Bleu");

  // A row below the cars has nobody to show.
  ShowDriverResults(Board(), 5);
  EXPECT_EQ(commandWindow.dialogs.size(), 1u);
}

TEST_F(BoardClicksTest, TheClubTransponderListOffersThePackAndSelectsTheRowsOwn) {
  LoadRun();
  series->rows[2].transponder = "004512";
  editing.resultsEditMode = 1;
  commandWindow.firstRow = 1;
  TransponderPackRecord pack;
  pack.name = "Club";
  pack.transponders[0] = "004511";
  pack.transponders[3] = "004512";
  pack.transponders[4] = "04512";
  const BoardLayout layout =
      ComputeBoardLayout(ScreenScale{1600, 900},
                         BoardColumnWidths{40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70}, 30, 3);

  OpenClubTransponderBox(Board(), layout, 30, 1, &pack);
  EXPECT_EQ(editing.resultsEditMode, 0);
  EXPECT_EQ(editing.clubTransponderRow, 2);
  ASSERT_EQ(commandWindow.clubBoxTexts.size(), 20u);
  EXPECT_EQ(commandWindow.clubBoxTexts[0], "004511");
  EXPECT_EQ(commandWindow.clubBoxSelected, 3);
  EXPECT_EQ(commandWindow.clubBoxPlace, (ControlPlacementRect{1211, 177, 70, 400}));

  // A transponder the pack does not hold: nothing selected.
  series->rows[2].transponder = "999999";
  OpenClubTransponderBox(Board(), layout, 30, 1, &pack);
  EXPECT_EQ(commandWindow.clubBoxSelected, -1);
}

}  // namespace
}  // namespace zd
