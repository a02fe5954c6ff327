// Correcting results on the board: the editors' bounds by phase, an edit reaching both series
// tables by driver name, the ranking that leaving the mode makes from the saved table, the
// editors' opening, and the series' detailed results and comment hand-overs.

#include "main/results_edit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "files/handover_files.h"
#include "main/live_ranking.h"

namespace zd {
namespace {

using test::GiveResults;

constexpr const char* kRound = "DadevuDore1Manche2";
constexpr const char* kPractice = "DadevuDore1EL1S2";
constexpr const char* kQualifying = "DadevuDore2Q3S1";

class ResultsEditTest : public test::CommandDeskTest {
 protected:
  // Cars with results in both tables, ranked on the board.
  void LoadRanked(const std::vector<std::string>& names,
                  const std::vector<std::vector<int32_t>>& times, const char* title = kPractice) {
    LoadSeries(names);
    series->seriesSectionTitle = title;
    for (std::size_t i = 0; i < times.size(); ++i)
      GiveResults(slot(static_cast<int>(i) + 1), times[i]);
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
  int RowOf(const std::string& name) {
    for (int i = 0; i < kLiveRows; ++i) {
      if (series->rankingEntries[i].name == name) return i;
    }
    return -1;
  }
};

TEST_F(ResultsEditTest, EditorsKeepTheBoundsOfTheSeriesPhase) {
  struct Case {
    const char* title;
    int32_t id;
    const char* typed;
    std::optional<std::string> shown;  // the text put back by a clamp
    int32_t stored;                    // laps, or the recomputed time in ms
  };
  const Case cases[] = {
      {kRound, 9202, "30", "24", 24 * 3600000},
      {kRound, 9202, "24", std::nullopt, 24 * 3600000},
      {kPractice, 9202, "5", "2", 2 * 3600000},
      {kQualifying, 9210, "3", "2", 2 * 3600000},
      {kQualifying, 9206, "2", std::nullopt, 2 * 3600000},
      {kRound, 9203, "75", "59", 59 * 60000},
      {kPractice, 9208, "75", "59", 59 * 1000},
      {kQualifying, 9212, "60", "59", 59 * 1000},
      {kPractice, 9205, "999", std::nullopt, 999},
      {kRound, 9201, "9999", std::nullopt, 9999},
      {kPractice, 9201, "999", std::nullopt, 999},
      {"DadevuDore1Autre", 9202, "30", std::nullopt, 30 * 3600000},  // no phase: no bound
      {kPractice, 9204, "", std::nullopt, 0},
      {kPractice, 9204, "x7", std::nullopt, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.title << " " << c.id << " \"" << c.typed << "\"");
    LoadSeries({"Alain"});
    series->seriesSectionTitle = c.title;
    const EditorChange change = ApplyEditorText(*series, 0, c.id, c.typed);
    EXPECT_EQ(change.clampedText, c.shown);
    EXPECT_EQ(change.stored, c.stored);
    // The window sets the clamp's text, which runs the handler again within bounds.
    if (change.clampedText) {
      EXPECT_FALSE(ApplyEditorText(*series, 0, c.id, *change.clampedText).clampedText);
    }
  }

  struct Limit {
    int32_t id;
    int32_t round, practice, qualifying, none;
  };
  const Limit limits[] = {
      {9201, 4, 3, 3, 0}, {9202, 2, 1, 1, 0}, {9206, 2, 1, 1, 0}, {9210, 2, 1, 1, 0},
      {9203, 2, 2, 2, 2}, {9208, 2, 2, 2, 2}, {9213, 3, 3, 3, 3},
  };
  for (const Limit& l : limits) {
    EXPECT_EQ(EditorTextLimit(l.id, RacePhase::Rounds), l.round) << l.id;
    EXPECT_EQ(EditorTextLimit(l.id, RacePhase::Practice), l.practice) << l.id;
    EXPECT_EQ(EditorTextLimit(l.id, RacePhase::Qualifying), l.qualifying) << l.id;
    EXPECT_EQ(EditorTextLimit(l.id, std::nullopt), l.none) << l.id;
  }
}

TEST_F(ResultsEditTest, AnEditReachesEverySlotOfTheDriverInBothTables) {
  // Alain drives slots 1 and 3; his saved copy lost a passing to a penalty.
  LoadRanked({"Alain", "Brigitte", "Alain"}, {{0, 30000, 61000, 90000}, {0, 31000}, {0, 40000}});
  (*series->savedTable)[0].passingCount = 2;
  const int row = RowOf("Alain");
  ASSERT_GE(row, 0);

  ApplyEditorText(*series, row, 9201, "7");
  ApplyEditorText(*series, row, 9207, "1");  // last lap 1:05.250
  ApplyEditorText(*series, row, 9208, "05");
  ApplyEditorText(*series, row, 9209, "250");
  ApplyEditorText(*series, row, 9211, "0");  // best lap 0:29.000
  ApplyEditorText(*series, row, 9212, "29");
  ApplyEditorText(*series, row, 9213, "0");

  EXPECT_EQ(series->rankingEntries[row].laps, 7);
  EXPECT_EQ(series->rankingEntries[row].lastLapTime, 65250);
  EXPECT_EQ(series->rankingEntries[row].bestLap, 29000);
  for (LiveSeriesTable* t : {series->liveTable.get(), series->savedTable.get()}) {
    for (int i : {0, 2}) {
      const SeriesResultEntry& s = (*t)[i];
      EXPECT_EQ(s.laps, 7);
      EXPECT_EQ(s.bestLap, 29000);
      // The last lap sits at each table's own passing count.
      EXPECT_EQ(s.lapTimes[s.passingCount], 65250);
    }
  }
  EXPECT_EQ((*series->savedTable)[0].lapTimes[2], 65250);
  EXPECT_EQ(table()[0].lapTimes[3], 65250);
  EXPECT_EQ(slot(2).laps, 1);
  EXPECT_EQ((*series->savedTable)[1].bestLap, 31000);

  // A row below the cars carries no slot: only the row changes.
  ApplyEditorText(*series, 5, 9201, "3");
  EXPECT_EQ(series->rankingEntries[5].laps, 3);
  EXPECT_EQ(slot(2).laps, 1);
}

TEST_F(ResultsEditTest, LeavingTheModeRanksTheSeriesFromTheSavedTable) {
  LoadRanked({"Alain", "Brigitte", "Cyril"},
             {{0, 30000, 60000, 90000}, {0, 31000, 62000}, {0, 32000}});
  ASSERT_EQ(RankedNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
  editing.resultsEditMode = 1;

  // Cyril is given 5 laps; Alain's saved result carries a penalty of one lap.
  ApplyEditorText(*series, RowOf("Cyril"), 9201, "5");
  (*series->savedTable)[0].laps = 2;
  // Nothing moves while typing.
  EXPECT_EQ(RankedNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));

  SwitchResultsEditOff(Board());
  EXPECT_EQ(editing.resultsEditMode, 0);
  EXPECT_EQ(commandWindow.editorsClosed, 1);
  EXPECT_EQ(commandWindow.clubBoxesClosed, 0);
  EXPECT_EQ(RankedNames(), (std::vector<std::string>{"Cyril", "Brigitte", "Alain"}));
  EXPECT_EQ(series->rankingEntries[2].laps, 2);
  EXPECT_STREQ(series->rows[0].laps.c_str(), "5");
  EXPECT_EQ(series->seriesSaveNeeded, 1);
}

TEST_F(ResultsEditTest, LeavingTheModeShowsTheStartingListOfASeriesWithoutResults) {
  LoadSeries({"Alain", "Brigitte"});
  series->texts.description = "Départ 14:05";
  series->texts.comment = "Vent";
  ApplyEditorText(*series, 0, 9201, "0");  // the editors opened and shown values written back
  EXPECT_EQ(series->startingListShown, 0);

  SwitchResultsEditOff(Board());
  EXPECT_EQ(series->startingListShown, 1);
  EXPECT_STREQ(series->texts.description.c_str(), ".");
  EXPECT_STREQ(series->texts.comment.c_str(), " ");
}

TEST_F(ResultsEditTest, EditorsOpenOverTheCellUnlessTheCarIsPenalised) {
  LoadRanked({"Alain", "Brigitte"}, {{0, 30000, 61250}, {0, 31000}});
  const BoardLayout layout =
      ComputeBoardLayout(ScreenScale{1600, 900},
                         BoardColumnWidths{40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70}, 30, 2);
  commandWindow.firstRow = 0;
  SwitchResultsEditOn(Board());
  ASSERT_EQ(editing.resultsEditMode, 1);

  CreateResultEditors(Board(), layout, 30, 0, 8);
  EXPECT_EQ(editing.editRow, 0);
  EXPECT_EQ(commandWindow.sounds, (std::vector<std::string>{"sons/beep1.wav"}));
  ASSERT_EQ(commandWindow.editors.size(), 4u);
  // "Dernier tour" spans 1030 to 1120 on the first row (145 to 175).
  const int32_t ids[] = {9206, 9207, 9208, 9209};
  const int32_t lefts[] = {1032, 1051, 1070, 1089};
  const int32_t widths[] = {19, 19, 19, 29};
  const char* texts[] = {"0", "00", "31", "250"};
  for (int i = 0; i < 4; ++i) {
    const ResultEditorPlacement& e = commandWindow.editors[i];
    EXPECT_EQ(e.id, ids[i]);
    EXPECT_EQ(e.left, lefts[i]);
    EXPECT_EQ(e.width, widths[i]);
    EXPECT_EQ(e.top, 147);
    EXPECT_EQ(e.height, 26);
    EXPECT_EQ(e.text, texts[i]);
  }
  // The first texts wrote the shown values back unchanged.
  EXPECT_EQ(slot(1).lapTimes[2], 31250);

  // "Activer" again leaves the open editors alone.
  SwitchResultsEditOn(Board());
  EXPECT_EQ(commandWindow.editors.size(), 4u);

  // A penalised car: the refusal, and no editor.
  series->rankingEntries[1].penaltyIndex = 1;
  commandWindow.closeResultEditors();
  CreateResultEditors(Board(), layout, 30, 1, 9);
  EXPECT_EQ(editing.editRow, 1);
  EXPECT_TRUE(commandWindow.editors.empty());
  ASSERT_EQ(commandWindow.messages.size(), 1u);
  EXPECT_EQ(commandWindow.messages[0].text, kPenalisedNotEditable);
  EXPECT_EQ(commandWindow.messages[0].caption, "Message");
}

TEST_F(ResultsEditTest, TheCommentIsReadBackAfterItsDialogAndKeptWhenItCannotBe) {
  LoadRanked({"Alain"}, {{0, 30000}});
  series->texts.trackCondition = "Sec";
  series->texts.comment = "Piste propre";
  editing.clubAssignmentArmed = 1;
  commandWindow.dialogDoubles[MainDialog::SeriesComment] = [] {
    ASSERT_TRUE(WriteSeriesCommentFile("Pluie", "Averse en fin de série"));
  };
  EditSeriesComment(Board());
  EXPECT_EQ(commandWindow.editModeLeft, 1);
  EXPECT_EQ(editing.clubAssignmentArmed, 0);
  EXPECT_STREQ(series->texts.trackCondition.c_str(), "Pluie");
  EXPECT_STREQ(series->texts.comment.c_str(), "Averse en fin de série");
  EXPECT_TRUE(commandWindow.messages.empty());

  // The dialog leaves no file to read back: the series keeps its comment.
  commandWindow.dialogDoubles[MainDialog::SeriesComment] = [] {
    std::remove(std::string(kSeriesCommentFile).c_str());
  };
  EditSeriesComment(Board());
  EXPECT_STREQ(series->texts.trackCondition.c_str(), "Pluie");
  EXPECT_STREQ(series->texts.comment.c_str(), "Averse en fin de série");
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{std::string(kSeriesCommentFileFailed)}));
}

TEST_F(ResultsEditTest, DetailedResultsOpenAlsoWhenTheirFileCannotBeWritten) {
  LoadRanked({"Alain", "Brigitte"}, {{0, 30000, 61250}, {0, 31000}});
  auto read = std::make_unique<SeriesTable>();
  FixedText<24> mode;
  SeriesStartTimes starts;
  commandWindow.dialogDoubles[MainDialog::SeriesResults] = [&] {
    ASSERT_TRUE(ReadSeriesResultFile(*read, mode, starts));
  };
  ShowSeriesResults(Board());
  EXPECT_EQ(commandWindow.dialogs, (std::vector<MainDialog>{MainDialog::SeriesResults}));
  EXPECT_STREQ(mode.c_str(), "CLASSEMENTToursTemps");
  EXPECT_STREQ((*read)[0].name.c_str(), "Alain");
  EXPECT_EQ((*read)[0].passingCount, 2);

  // A folder in the file's place: the failure is shown, the dialog opens all the same.
  commandWindow.dialogDoubles.clear();
  std::remove(std::string(kSeriesResultFile).c_str());
  ASSERT_EQ(::mkdir(std::string(kSeriesResultFile).c_str(), 0777), 0);
  ShowSeriesResults(Board());
  ASSERT_EQ(commandWindow.messages.size(), 1u);
  EXPECT_EQ(commandWindow.messages[0].text, kSeriesResultFileFailed);
  EXPECT_EQ(commandWindow.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(commandWindow.dialogs.size(), 2u);
}

}  // namespace
}  // namespace zd
