// The commands of the event tree's context menus on a scratch race file. The dialogs are doubles
// that write the sections the real ones write; the commands then read back what the main window
// holds and keep the tree, the header and the loaded series in step.

#include "main/tree_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "files/event_sections.h"
#include "main/event_file.h"
#include "main/live_ranking.h"

namespace zd {
namespace {

using test::GiveResults;
using test::OpenOrFail;

class TreeCommandsTest : public test::CommandDeskTest {
 protected:
  TreeCommandsTest() {
    record(1).name = "Open";
    record(1).participantCount = 6;
    record(1).practiceSessions = 1;
    record(1).practiceSeries = 2;
    const char* names[] = {"Alain", "Brigitte", "Cyril", "Denis", "Emma", "Fred"};
    ClearParticipants(*participants);
    for (int i = 0; i < 6; ++i) {
      (*participants)[i].name = names[i];
      (*participants)[i].transponder = test::TransponderOf(i + 1);
      arrangement->names[i] = names[i];
      event->names[0][i] = names[i];
    }
    arrangement->driversPerSeries = 3;
  }

  // The race file of the fixture event, and the tree built from it.
  void WriteEvent() {
    WriteRaceFile([&](TextFile& file) {
      ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
      ASSERT_TRUE(WriteSeriesArrangementNames(file, ArrangementSectionTitle(1, RacePhase::Practice),
                                              *arrangement)
                      .ok);
    });
    BuildTreeFromRaceFile(tree, *event);
  }

  // What a dialog writes: the header as the event holds it after change, then more sections.
  std::function<void()> WritesHeader(std::function<void(RaceHeaderRecords&)> change,
                                     std::function<void(TextFile&)> more = {}) {
    return [this, change, more] {
      RaceHeaderRecords races = event->races;
      change(races);
      TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
      ASSERT_TRUE(WriteRaceFileHeader(file, event->selectionCode, event->raceCount, races).ok);
      if (more) more(file);
    };
  }
  // The practice arrangement a dialog generates: the names in series of three.
  std::function<void(TextFile&)> WritesArrangement(const std::vector<std::string>& names) {
    return [names](TextFile& file) {
      SeriesArrangement generated;
      generated.driversPerSeries = 3;
      for (std::size_t i = 0; i < names.size(); ++i) generated.names[i] = names[i];
      ASSERT_TRUE(WriteSeriesArrangementNames(file, ArrangementSectionTitle(1, RacePhase::Practice),
                                              generated)
                      .ok);
    };
  }
  EventState FileHeader() {
    EventState read;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(ReadEventHeader(file, read));
    return read;
  }
  void Run(int32_t command) { RunTreeContextCommand(Board(), command); }
  // The node selected, with its code in the race file's header as the tree notification leaves
  // it.
  void SelectNode(int32_t code) {
    event->selectionCode = code;
    WriteEventHeader(Board());
  }
  std::vector<std::string> RowNames() {
    std::vector<std::string> out;
    for (int i = 0; i < series->rowCount; ++i) out.push_back(series->rows[i].name.str());
    return out;
  }
  std::string Label(int32_t code) {
    const TreeItem item = tree.find(code);
    return item == kNoItem ? "(none)" : tree.node(item).label;
  }

  std::unique_ptr<ParticipantTable> participants = std::make_unique<ParticipantTable>();
  std::unique_ptr<SeriesArrangement> arrangement = std::make_unique<SeriesArrangement>();
};

TEST_F(TreeCommandsTest, RacesAndSessionsAreAddedToTheHeaderAndTheTree) {
  event->raceCount = 2;
  record(2).name = "Junior";
  WriteEvent();

  Run(kAddRaceCommand);
  EXPECT_EQ(commandWindow.editModeLeft, 1);
  EXPECT_EQ(event->raceCount, 3);
  EXPECT_EQ(FileHeader().raceCount, 3);
  EXPECT_EQ(FileHeader().races[2].name.view(), "COURSE 3");
  EXPECT_EQ(Label(30000), "COURSE 3");
  EXPECT_FALSE(tree.node(tree.find(30000)).expanded);
  EXPECT_EQ(Label(31000), "Pilotes (0)");
  // A fourth race does not exist.
  Run(kAddRaceCommand);
  EXPECT_EQ(event->raceCount, 3);
  EXPECT_EQ(tree.find(40000), kNoItem);

  Run(kRenameRaceCommand);
  EXPECT_EQ(commandWindow.labelEdits, 1);

  // Practice sessions of race 1 up to the ninth; a tenth is never added. Nothing is left nor
  // saved for it.
  SelectNode(13000);
  const int left = commandWindow.editModeLeft;
  for (int i = 0; i < 9; ++i) Run(1063);
  EXPECT_EQ(record(1).practiceSessions, 9);
  EXPECT_EQ(FileHeader().races[0].practiceSessions, 9);
  EXPECT_EQ(Label(13900), "Essai9");
  EXPECT_EQ(Label(13902), "Série2");
  EXPECT_EQ(commandWindow.editModeLeft, left);
}

TEST_F(TreeCommandsTest, AGeneratedFirstArrangementGivesOneSessionAndUnloadsItsSeries) {
  WriteEvent();
  Select(13101);
  ASSERT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));

  // No session has run: the dialog counts -1 sessions and three series of three.
  SelectNode(13020);
  commandWindow.dialogDoubles[MainDialog::PracticeArrangement] = WritesHeader(
      [](RaceHeaderRecords& races) {
        races[0].practiceSessions = -1;
        races[0].practiceSeries = 3;
      },
      WritesArrangement({"Fred", "Emma", "Denis", "Cyril", "Brigitte", "Alain", "Gil"}));
  Run(1062);

  EXPECT_EQ(record(1).practiceSessions, 1);
  EXPECT_EQ(record(1).practiceSeries, 3);
  EXPECT_EQ(FileHeader().races[0].practiceSessions, 1);
  EXPECT_EQ(Label(13100), "Essai1");
  EXPECT_EQ(Label(13103), "Série3");
  EXPECT_EQ(Label(13951), "Classement EL1");
  EXPECT_EQ(series->arrangementNames[6].view(), "Gil");
  EXPECT_EQ(series->practiceDriversPerSeries, 3);
  EXPECT_EQ(series->rowCount, 0);
  EXPECT_TRUE(series->seriesSectionTitle.empty());
}

TEST_F(TreeCommandsTest, ANewArrangementReloadsTheSeriesOnlyOnceThePhaseHasStarted) {
  record(1).practiceSessions = 2;
  WriteEvent();
  Select(13201);
  ASSERT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
  SelectNode(13020);
  const auto regenerate = WritesHeader([](RaceHeaderRecords&) {},
                                       WritesArrangement({"Fred", "Emma", "Denis", "Cyril"}));

  // No session has run and the count stays: the board keeps the drivers it had.
  commandWindow.dialogDoubles[MainDialog::PracticeArrangement] = regenerate;
  Run(1062);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));

  // Session 1 has run: session 2, not run, follows the new arrangement at once.
  record(1).practiceStates[0] = 1;
  Run(1062);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Fred", "Emma", "Denis"}));
  EXPECT_EQ(record(1).practiceSessions, 2);
}

TEST_F(TreeCommandsTest, ValidatedParticipantsRebuildTheRaceAndCancelledOnesChangeNothing) {
  event->raceCount = 2;
  record(2).name = "Junior";
  WriteEvent();
  Select(13101);

  // Race 2's list, validated: the series of race 1 goes, race 2 shows its drivers.
  SelectNode(21000);
  commandWindow.dialogDoubles[MainDialog::Participants] = WritesHeader(
      [](RaceHeaderRecords& races) { races[1].participantCount = 2; },
      [](TextFile& file) {
        ParticipantTable list;
        ClearParticipants(list);
        list[0].name = "Xavier";
        list[1].name = "Yves";
        ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(2), list).ok);
      });
  Run(kParticipantsCommand);
  EXPECT_EQ(seriesWindow.empties, 1);
  EXPECT_EQ(series->rowCount, 0);
  EXPECT_EQ(record(2).participantCount, 2);
  EXPECT_EQ(event->names[1][0].view(), "Xavier");
  EXPECT_EQ(Label(21000), "Pilotes (2)");
  EXPECT_EQ(Label(21002), "Yves");

  // Race 1 has series: a cancelled dialog writes nothing and nothing changes.
  Select(13101);
  SelectNode(11000);
  commandWindow.dialogDoubles[MainDialog::Participants] = [] {};
  Run(kParticipantsCommand);
  EXPECT_EQ(seriesWindow.empties, 1);
  EXPECT_EQ(series->rowCount, 3);

  // A header that cannot be read leaves the records as they were.
  commandWindow.dialogDoubles[MainDialog::Participants] = [] {
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(file.write("x\t"));
  };
  Run(kParticipantsCommand);
  EXPECT_EQ(record(1).practiceSeries, 2);
  EXPECT_EQ(record(2).participantCount, 2);
  EXPECT_EQ(series->rowCount, 3);
  commandWindow.dialogDoubles[MainDialog::Participants] = [] { std::remove(kRaceFilePath); };
  Run(kParticipantsCommand);
  EXPECT_EQ(record(1).name.view(), "Open");
  EXPECT_EQ(event->names[0][0].view(), "Alain");
  EXPECT_EQ(series->rowCount, 3);
  ASSERT_FALSE(MessageTexts().empty());
  EXPECT_EQ(MessageTexts().back(), kRaceFileNotFound);
}

TEST_F(TreeCommandsTest, NewParametersRankTheBoardAndResetItsClocks) {
  WriteEvent();
  Select(13101);
  GiveResults(slot(1), {0, 29000, 59000, 90000});  // Alain: 3 laps, best 29 s
  GiveResults(slot(2), {0, 25000, 55000});         // Brigitte: 2 laps, best 25 s
  *series->savedTable = table();
  series->startingListShown = 0;
  RankLiveSeries(parameters().rankingMode, *series->savedTable, series->rankingEntries,
                 series->rows, series->rowCount);
  ASSERT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
  series->clockTexts.elapsed = "0:04:12";

  // The rounds' parameters leave the practice series' parameters, but its clocks start again.
  SelectNode(15010);
  commandWindow.dialogDoubles[MainDialog::RoundsParameters] = [] {
    SeriesParameters rounds;
    rounds.rankingMode = kRankByBestLap;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(
        WriteParametersSection(file, ParametersSectionTitle(1, RacePhase::Rounds), rounds).ok);
  };
  Run(1083);
  EXPECT_EQ(parameters().rankingMode.view(), kRankByLapsAndTime);
  EXPECT_EQ(series->clockTexts.elapsed.view(), "0:00:00");
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));

  // The practice ranking by best lap: the board follows at once; the capacity stays.
  SelectNode(13010);
  commandWindow.dialogDoubles[MainDialog::PracticeParameters] = [] {
    SeriesParameters practice;
    practice.rankingMode = kRankByBestLap;
    practice.durationKind = kDurationByLaps;
    practice.laps = 12;
    practice.passingCapacity = 3000;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(
        WriteParametersSection(file, ParametersSectionTitle(1, RacePhase::Practice), practice).ok);
  };
  Run(1061);
  EXPECT_EQ(parameters().rankingMode.view(), kRankByBestLap);
  EXPECT_EQ(parameters().passingCapacity, kPracticePassingCapacity);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Brigitte", "Alain", "Cyril"}));
  EXPECT_EQ(series->clockTexts.duration.view(), "12 tours");
  EXPECT_TRUE(series->clockTexts.remaining.empty());
  EXPECT_GE(window.invalidated[TimerPanel::Clock], 2);
}

TEST_F(TreeCommandsTest, EventInformationAndTrackAreReadBack) {
  WriteEvent();
  const auto writesInformation = [](const char* name) {
    return [name] {
      EventInformation info;
      info.eventName = name;
      TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
      ASSERT_TRUE(WriteInformationSection(file, info).ok);
    };
  };
  commandWindow.dialogDoubles[MainDialog::EventInformation] = writesInformation("i_n_t_Coupe");
  Run(kEventInformationCommand);
  EXPECT_EQ(event->internationalEvent, 1);
  EXPECT_EQ(commandWindow.columnHeaderRepaints, 1);
  EXPECT_EQ(commandWindow.clubCellRepaints, (std::vector<bool>{true}));
  Run(kEventInformationCommand);
  EXPECT_EQ(commandWindow.columnHeaderRepaints, 2);
  EXPECT_EQ(commandWindow.clubCellRepaints.size(), 1u);  // no change, no cell
  commandWindow.dialogDoubles[MainDialog::EventInformation] = writesInformation("Coupe");
  Run(kEventInformationCommand);
  EXPECT_EQ(event->internationalEvent, 0);

  commandWindow.dialogDoubles[MainDialog::Track] = [] {
    TrackSettings track;
    track.name = "Circuit Bleu";
    track.lapProtectionTime = 4;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteTrackSection(file, track).ok);
  };
  Run(kTrackCommand);
  EXPECT_EQ(event->trackName.view(), "Circuit Bleu");
  EXPECT_EQ(event->lapProtectionTime, 4);
}

}  // namespace
}  // namespace zd
