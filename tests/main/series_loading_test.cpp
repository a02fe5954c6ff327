// Loading series from the race file into the live tables and saving them back: the starting list
// of a session not run yet, a series with results ranked, a round's capacity, the save that the
// selection of another node makes, and what survives a save that fails.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "series_desk_test_support.h"

namespace zd {
namespace {

using test::GiveResults;
using test::OpenOrFail;

std::string Name(int i) { return "D" + std::to_string(i); }

class SeriesLoadingTest : public test::SeriesDeskTest {
 protected:
  SeriesLoadingTest() {
    record(1).name = "Open";
    record(1).participantCount = 6;
    record(1).practiceSessions = 1;
    record(1).practiceSeries = 2;
    const char* names[] = {"Alain", "Brigitte", "Cyril", "Denis", "Emma", "Fred"};
    const char* cars[] = {"5", "12", "", "", "9", ""};
    ClearParticipants(*participants);
    for (int i = 0; i < 6; ++i) {
      (*participants)[i].name = names[i];
      (*participants)[i].carNumber = cars[i];
      (*participants)[i].transponder = test::TransponderOf(i + 1);
      arrangement->names[i] = names[i];
    }
    arrangement->driversPerSeries = 3;
  }

  // The fixture event's race file, with the practice sections given and whatever extra adds.
  void WriteEvent(const std::function<void(TextFile&)>& extra = {}) {
    WriteRaceFile([&](TextFile& file) {
      ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
      ASSERT_TRUE(WriteSeriesArrangementNames(
                      file, ArrangementSectionTitle(1, RacePhase::Practice), *arrangement)
                      .ok);
      ASSERT_TRUE(WriteParametersSection(file, ParametersSectionTitle(1, RacePhase::Practice),
                                         parameters)
                      .ok);
      if (extra) extra(file);
    });
    BuildTreeFromRaceFile(tree, *event);
  }

  std::vector<std::string> RowNames() {
    std::vector<std::string> out;
    for (int i = 0; i < series->rowCount; ++i) out.push_back(series->rows[i].name.str());
    return out;
  }

  std::unique_ptr<ParticipantTable> participants = std::make_unique<ParticipantTable>();
  std::unique_ptr<SeriesArrangement> arrangement = std::make_unique<SeriesArrangement>();
  SeriesParameters parameters;
};

// A series by laps longer than the phase's passing capacity could never finish: its laps are
// bounded by the capacity, here practice's 150.
TEST_F(SeriesLoadingTest, TheLapsOfASeriesByLapsAreBoundedByThePassingCapacity) {
  struct Case {
    int32_t stored, loaded;
  };
  for (const Case c : {Case{20, 20}, Case{150, 150}, Case{151, 150}, Case{3005, 150}}) {
    SCOPED_TRACE(c.stored);
    parameters.durationKind = kDurationByLaps;
    parameters.laps = c.stored;
    WriteEvent();
    Select(13101);
    EXPECT_EQ(series->parameters.passingCapacity, kPracticePassingCapacity);
    EXPECT_EQ(series->parameters.laps, c.loaded);
    EXPECT_EQ(SeriesLapsProblem(c.stored, kPracticePassingCapacity).empty(), c.stored == c.loaded);
  }
  EXPECT_EQ(SeriesLapsProblem(3005, kMaxPassings),
            "Le nombre de tours doit être compris entre 1 et 3000 !");
  EXPECT_EQ(SeriesLapsProblem(0, kMaxPassings),
            "Le nombre de tours doit être compris entre 1 et 3000 !");
}

// Leaving a series that was run writes it with its node, flag and session state; the next one
// loads with its own drivers.
TEST_F(SeriesLoadingTest, ASelectionPairSavesTheSeriesLeftAndLoadsTheNewOne) {
  WriteEvent();
  Select(13101);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
  EXPECT_EQ(series->startingListShown, 1);
  EXPECT_EQ(series->seriesTitle.view(), " Open - EL1 - Série1 ");
  EXPECT_TRUE(seriesWindow.errors.empty()) << seriesWindow.errors.front();

  // The run, as the stop leaves it.
  GiveResults(slot(2), {0, 30000, 61000});
  CopySeriesForSave(*series->liveTable, *series->savedTable, penaltySlots, event->penalties);

  ASSERT_TRUE(SaveSeriesResults(Desk()));
  EXPECT_EQ(tree.node(tree.find(13101)).image, kImageSeriesWithResults);
  EXPECT_EQ(event->flags[0].practice[0][0], 1);
  EXPECT_EQ(record(1).practiceStates[0], 1);
  Select(13102);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Denis", "Emma", "Fred"}));

  // On disk: the header and flags say so, the section holds the run.
  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
  EventState read;
  ASSERT_TRUE(ReadEventHeader(file, read));
  EXPECT_EQ(read.races[0].practiceStates[0], 1);
  ASSERT_TRUE(FindSection(file, kTreeviewTitle));
  TreeviewFlagsTable flags;
  ASSERT_TRUE(ReadTreeviewSection(file, flags));
  EXPECT_EQ(flags[0].practice[0][0], 1);
  file.close();
  const auto saved = SectionOf("DadevuDore1EL1S1");
  EXPECT_EQ((*saved)[1].name.view(), "Brigitte");
  EXPECT_EQ((*saved)[1].laps, 2);
  EXPECT_EQ((*saved)[1].raceTime, 61000);
  EXPECT_EQ((*saved)[3].name.view(), "(NA)");

  // A series left without results writes nothing.
  const std::string before = RaceFileBytes();
  ASSERT_TRUE(SaveSeriesResults(Desk()));
  EXPECT_EQ(RaceFileBytes(), before);
  EXPECT_EQ(tree.node(tree.find(13102)).image, kImageSeries);
}

TEST_F(SeriesLoadingTest, ASeriesWithResultsLoadsRankedAndSavesUnchangedToTheSameBytes) {
  record(1).practiceStates[0] = 1;
  event->flags[0].practice[0][0] = 1;
  auto run = std::make_unique<SeriesTable>();
  for (int k = 1; k <= kMaxSeriesSlots; ++k)
    (*run)[k - 1].name = k <= 3 ? (*participants)[k - 1].name.view() : kEmptySlotName;
  ResetSeriesResultSlots(*run);  // as a run leaves them: the empty slots rank last
  GiveResults((*run)[0], {0, 31000, 62000});
  GiveResults((*run)[1], {0, 30000, 60500, 91000});
  (*run)[1].penaltyIndex = 1;  // the abandonment: still ranked on its laps, kept when saved
  const SeriesTexts texts =
      test::Texts("Durée 0:05:00 - DEPARTSignalSonore - FINTEMPSFinirTour", " ", "Pluie");
  // The header as the selection of the series leaves it.
  event->selectionCode = 13101;
  WriteEvent([&](TextFile& file) {
    ASSERT_TRUE(WriteSeriesResultsSection(file, "DadevuDore1EL1S1", *run, texts).ok);
  });
  const std::string before = RaceFileBytes();

  Select(13101);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Brigitte", "Alain", "Cyril"}));
  EXPECT_EQ(series->rows[0].laps.view(), "3");
  EXPECT_EQ(series->startingListShown, 0);
  EXPECT_EQ(series->seriesSaveNeeded, 1);
  EXPECT_EQ(series->texts.trackCondition.view(), "Pluie");
  EXPECT_EQ(tree.node(tree.find(13101)).image, kImageSeriesWithResults);
  // Button k of slot k: the car number, or the place on the board with "+".
  EXPECT_TRUE(seriesWindow.buttons[0].enabled);
  EXPECT_EQ(seriesWindow.buttons[0].caption.view(), "5");
  EXPECT_EQ(seriesWindow.buttons[1].caption.view(), "12");
  EXPECT_EQ(seriesWindow.buttons[2].caption.view(), "3+");
  EXPECT_FALSE(seriesWindow.buttons[3].enabled);
  EXPECT_EQ(hooks.writtenRowCount, 3);
  EXPECT_EQ(hooks.refreshes, (std::vector<int32_t>{1}));
  EXPECT_EQ(seriesWindow.refreshes, 1);

  ASSERT_TRUE(SaveSeriesResults(Desk()));
  EXPECT_TRUE(test::SameBytes(RaceFileBytes(), before));
}

// A session that no series has results in yet follows its arrangement: every one of its series
// sections is written from it at each load. Places beyond the 250 names are empty.
TEST_F(SeriesLoadingTest, ASessionNotYetRunIsRewrittenFromItsArrangement) {
  struct Case {
    int perSeries;
    int seriesCount;
    int names;
    int load;  // the series selected
    int check;
    std::vector<std::pair<int, std::string>> slots;  // slot, name
  };
  const Case cases[] = {
      {12, 3, 30, 2, 2, {{1, Name(13)}, {12, Name(24)}, {13, "(NA)"}}},
      {12, 3, 30, 2, 3, {{6, Name(30)}, {7, "(NA)"}, {12, "(NA)"}}},
      {50, 9, 250, 1, 5, {{1, Name(201)}, {50, Name(250)}}},
      {50, 9, 250, 1, 6, {{1, "(NA)"}, {50, "(NA)"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.check);
    record(1).practiceSeries = c.seriesCount;
    arrangement->driversPerSeries = c.perSeries;
    for (int i = 0; i < kArrangementSlots; ++i)
      arrangement->names[i] = i < c.names ? Name(i + 1) : "";
    WriteEvent();
    Select(13100 + c.load);
    const auto written = SectionOf("DadevuDore1EL1S" + std::to_string(c.check));
    for (const auto& [k, name] : c.slots) EXPECT_EQ((*written)[k - 1].name.view(), name) << k;
  }

  // Once a series of the session has results, its sections stay as they are.
  record(1).practiceStates[0] = 1;
  record(1).practiceSeries = 2;
  auto kept = std::make_unique<SeriesTable>();
  for (SeriesResultEntry& slot : *kept) slot.name = "(NA)";
  (*kept)[0].name = "Kept";
  WriteEvent([&](TextFile& file) {
    const SeriesTexts texts = test::Texts(".", " ", "Sec");
    ASSERT_TRUE(WriteSeriesResultsSection(file, "DadevuDore1EL1S2", *kept, texts).ok);
  });
  Select(13102);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Kept"}));
}

// A round takes its capacity from its section once it exists, else from the rounds parameters;
// by laps it stops after 6 hours with 1000 passings, 24 with 3000.
TEST_F(SeriesLoadingTest, ARoundGetsItsCapacityAndTimeLimit) {
  struct Case {
    int32_t parameters;
    int32_t section;  // 0: no section yet
    int32_t capacity;
    int32_t limit;
  };
  const Case cases[] = {{1000, 0, 1000, 6}, {3000, 0, 3000, 24}, {1000, 3000, 3000, 6}, {3000, 1000, 1000, 24}};
  record(1).rounds = 1;
  auto grid = std::make_unique<StartingGrid>();
  grid->qualifiedCount = 2;
  grid->names[0] = "Alain";
  grid->names[1] = "Brigitte";
  grid->names[2] = "Cyril";  // not qualified
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameters * 10000 + c.section);
    SeriesParameters rounds;
    rounds.passingCapacity = c.parameters;
    rounds.durationKind = kDurationByLaps;
    WriteEvent([&](TextFile& file) {
      ASSERT_TRUE(WriteRoundArrangementNames(file, ArrangementSectionTitle(1, RacePhase::Rounds), *grid).ok);
      ASSERT_TRUE(WriteParametersSection(file, ParametersSectionTitle(1, RacePhase::Rounds), rounds).ok);
      if (c.section == 0) return;
      auto empty = std::make_unique<SeriesTable>();
      for (SeriesResultEntry& slot : *empty) slot.name = "(NA)";
      const SeriesTexts texts = test::Texts(".", " ", "Sec");
      ASSERT_TRUE(WriteRoundResultsSection(file, "DadevuDore1Manche1", *empty, c.section, texts).ok);
    });
    Select(15101);
    EXPECT_EQ(series->roundCapacity, c.capacity);
    EXPECT_EQ(series->lapSeriesTimeLimit, c.limit);
    EXPECT_EQ(series->roundSectionExists, c.section != 0 ? 1 : 0);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte"}));
    EXPECT_EQ(series->seriesTitle.view(), " Open - Dizavirov1 ");

    // Its results go into a section of that capacity.
    GiveResults(slot(1), {0, 40000});
    CopySeriesForSave(*series->liveTable, *series->savedTable, penaltySlots, event->penalties);
    ASSERT_TRUE(SaveSeriesResults(Desk()));
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_EQ(ReadRoundCapacity(file, "DadevuDore1Manche1"), c.capacity);
    EXPECT_EQ(record(1).roundsState, 1);
    event->flags[0].rounds[0] = 0;
    record(1).roundsState = 0;
  }
}

TEST_F(SeriesLoadingTest, ASeriesThatCannotBeSavedStaysLoadedAndUnsaved) {
  WriteEvent();
  Select(13101);
  GiveResults(slot(1), {0, 30000});
  CopySeriesForSave(*series->liveTable, *series->savedTable, penaltySlots, event->penalties);
  ASSERT_EQ(std::remove(kRaceFilePath), 0);

  EXPECT_FALSE(SaveSeriesResults(Desk()));
  EXPECT_EQ(seriesWindow.errors, (std::vector<std::string>{kRaceFileNotFound}));
  EXPECT_EQ(tree.node(tree.find(13101)).image, kImageSeries);
  EXPECT_EQ(event->flags[0].practice[0][0], 0);
  EXPECT_EQ(record(1).practiceStates[0], 0);
  EXPECT_EQ(series->seriesSaveNeeded, 1);
  EXPECT_EQ(slot(1).laps, 1);
}

TEST_F(SeriesLoadingTest, AQualifyingSeriesIsOnlyShownOnceTheRoundsHaveStarted) {
  record(1).qualifyingSessions = 1;
  record(1).qualifyingSeries = 1;
  record(1).roundsState = 1;
  WriteEvent([&](TextFile& file) {
    ASSERT_TRUE(WriteSeriesArrangementNames(file, ArrangementSectionTitle(1, RacePhase::Qualifying),
                                            *arrangement)
                    .ok);
  });
  Select(14101);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Alain", "Brigitte", "Cyril"}));
  EXPECT_EQ(series->seriesLoaded, 0);
  EXPECT_EQ(series->startingListShown, 0);
  EXPECT_EQ(series->seriesClearAllowed, 0);
  EXPECT_EQ(seriesWindow.resultsEditing, 0);

  GiveResults(slot(1), {0, 30000});
  CopySeriesForSave(*series->liveTable, *series->savedTable, penaltySlots, event->penalties);
  const std::string before = RaceFileBytes();
  EXPECT_TRUE(SaveSeriesResults(Desk()));
  EXPECT_EQ(RaceFileBytes(), before);
}

TEST_F(SeriesLoadingTest, WithoutTheRaceFileALoadSaysSoTwiceAndShowsAnEmptyBoard) {
  WriteEvent();
  ASSERT_EQ(std::remove(kRaceFilePath), 0);
  Select(13101);
  EXPECT_EQ(seriesWindow.errors, (std::vector<std::string>{kRaceFileNotFound, kRaceFileNotFound}));
  EXPECT_EQ(series->rowCount, 0);
  EXPECT_EQ(series->parameters.duration, 1);
  EXPECT_EQ(series->clockTexts.duration.view(), "0:01:00");
  EXPECT_EQ(seriesWindow.refreshes, 1);
}

// The participant details dialog changes the loaded series only for a participant of its race.
TEST_F(SeriesLoadingTest, NewParticipantDetailsReachTheLoadedSeriesOfTheirRaceOnly) {
  event->raceCount = 2;
  record(2).name = "Other";
  WriteEvent();
  Select(13101);
  EXPECT_EQ(series->rows[0].carNumber.view(), "5");

  (*participants)[0].carNumber = "77";
  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
  ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
  file.close();
  RefreshLoadedParticipants(Desk(), 2);
  EXPECT_EQ(series->rows[0].carNumber.view(), "5");
  EXPECT_EQ(slot(1).carNumber.view(), "5");

  RefreshLoadedParticipants(Desk(), 1);
  EXPECT_EQ(series->rows[0].carNumber.view(), "77");
  EXPECT_EQ(series->rankingEntries[0].carNumber.view(), "77");
  EXPECT_EQ((*series->savedTable)[0].carNumber.view(), "77");
  // The button keeps what the load gave it.
  EXPECT_EQ(seriesWindow.buttons[0].caption.view(), "5");
}

// The arrangement dialog asks for a reload: the loaded series takes the new drivers, without
// results; an unload leaves no series at all.
TEST_F(SeriesLoadingTest, AReloadTakesTheNewArrangementAndAnUnloadEmptiesTheBoard) {
  WriteEvent();
  Select(13101);
  arrangement->names[0] = "Zoe";
  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
  ASSERT_TRUE(
      WriteSeriesArrangementNames(file, ArrangementSectionTitle(1, RacePhase::Practice), *arrangement)
          .ok);
  file.close();
  series->arrangementNames[0] = "Zoe";  // as the arrangement command reads it
  GiveResults(slot(2), {0, 30000});

  LoadSeriesCommand(Desk(), RacePhase::Practice);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Zoe", "Brigitte", "Cyril"}));
  EXPECT_EQ(slot(2).laps, 0);
  EXPECT_EQ(series->seriesSectionTitle.view(), "DadevuDore1EL1S1");
  EXPECT_EQ(seriesWindow.reloads, 1);

  series->parameters.rest = 4;
  UnloadSeries(Desk());
  EXPECT_EQ(series->rowCount, 0);
  EXPECT_TRUE(series->seriesSectionTitle.empty());
  EXPECT_EQ(series->parameters.rest, 4);
  EXPECT_EQ(timer.countdownText.view(), "5s");
  EXPECT_EQ(seriesWindow.empties, 1);
  EXPECT_TRUE(SaveSeriesResults(Desk()));  // nothing loaded, nothing to write
}

}  // namespace
}  // namespace zd
