// Start, stop and clear as the main window's buttons run them, on a fake control surface: what
// each greys and enables, the stop's saved copy with the penalties and the ranking 9103 makes of
// it, and the clear's question and starting list.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "main/race_commands.h"
#include "race_control_test_support.h"

namespace zd {
namespace {

using test::InterfacePassing;

class RaceCommandsTest : public test::RaceControlTest {
 protected:
  RaceCommandsTest() {
    parameters().countdown = 0;
    parameters().duration = 10;
    parameters().rest = 2;
    SoundOn(kSoundRaceEnd);
  }

  // Starts the loaded series and runs it through the given passings (slot, ms after the start).
  void Run(std::vector<std::pair<int, int64_t>> passings, int64_t until) {
    StartSeriesCommand(Commands());
    const int64_t start = TickUntilRunning();
    std::sort(passings.begin(), passings.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [slotNumber, at] : passings) Arrive(InterfacePassing(slotNumber), at);
    while (hooks.tick - start < until) Tick();
  }

  static std::map<int32_t, bool> All(const std::vector<int32_t>& ids, bool enabled) {
    std::map<int32_t, bool> out;
    for (int32_t id : ids) out[id] = enabled;
    return out;
  }
};

// The event, the databases and the settings are out of reach while a series is armed or runs;
// the stop button and the manual lap buttons are never greyed.
const std::vector<int32_t> kMenus = {1001, 1002, 1003, 1004, 1005, 1006, 1007,
                                     1008, 1009, 1010, 1011, 1012, 1013, 1014,
                                     1019, 1020, 1021, 1022, 1023, 9104, 9105};
const std::vector<int32_t> kWindows = {5000, 2001, 2003, 2105, 2101, 2102, 2103, 2104};

TEST_F(RaceCommandsTest, StartGreysTheControlsAndStopEnablesThemAgain) {
  SoundOn(kSoundCountdown);
  parameters().countdown = 10;
  window.onWait = [this] { hooks.tick += 1500; };
  for (int32_t hasFile : {0, 1}) {
    SCOPED_TRACE(hasFile);
    eventHasFile = hasFile;
    window.menus.clear();
    window.windows.clear();
    LoadSeries({"Alain"});

    StartSeriesCommand(Commands());
    EXPECT_EQ(state.armed, 1);
    EXPECT_EQ(window.menus, All(kMenus, false));
    EXPECT_EQ(window.submenu, 0);
    EXPECT_EQ(window.windows, All(kWindows, false));
    // The countdown starts once the signal has been heard.
    ASSERT_FALSE(window.waitedSounds.empty());
    EXPECT_EQ(window.waitedSounds.back(), "sons/nokia-sms.wav");
    EXPECT_EQ(timer.countdown.startTick, hooks.tick);

    StopSeriesCommand(Commands());
    std::map<int32_t, bool> menus = All(kMenus, true);
    menus[1003] = hasFile != 0;  // "Enregistrer" needs the event's file
    EXPECT_EQ(window.menus, menus);
    EXPECT_EQ(window.submenu, 1);
    EXPECT_EQ(window.windows, All(kWindows, true));
  }
}

TEST_F(RaceCommandsTest, StartNeedsTheStartingListAndAnIdleSeries) {
  LoadSeries({"Alain"});
  series->startingListShown = 0;  // it has run and was not cleared
  StartSeriesCommand(Commands());
  EXPECT_EQ(state.armed, 0);
  EXPECT_TRUE(window.menus.empty());
  EXPECT_EQ(window.editModeLeft, 1);
  EXPECT_EQ(window.clubBoxRemoved, 1);

  series->startingListShown = 1;
  parameters().countdown = 30;
  StartSeriesCommand(Commands());
  const int64_t countdownStart = timer.countdown.startTick;
  Tick();
  Tick();
  StartSeriesCommand(Commands());
  EXPECT_EQ(timer.countdown.startTick, countdownStart);
  EXPECT_EQ(state.armed, 1);
}

TEST_F(RaceCommandsTest, ArmingClearsEveryValueOfThePreviousRun) {
  LoadSeries({"Alain"});
  // What a run that went to its end leaves: the bell rung, the target fixed, a best lap, the
  // origin and the decoder's clock, the clock's announcements made.
  state.bellRung = 1;
  state.finishTargetLaps = 22;
  state.seriesBestLap = 31000;
  state.seriesTimeOrigin = 4000;
  state.seriesTimeOriginSet = true;
  state.decoderTimeSeen = true;
  state.latestDecoderTime = 650000;
  state.decoderClockShift = 1200;
  timer.raceClock.halfTimeAnnounced = 1;
  timer.raceClock.fiveMinutesAnnounced = 1;
  timer.raceClock.oneMinuteAnnounced = 1;

  StartSeriesCommand(Commands());
  ASSERT_EQ(state.armed, 1);
  EXPECT_EQ(state.bellRung, 0);  // the next run rings its own bell
  EXPECT_EQ(state.finishTargetLaps, 0);
  EXPECT_EQ(state.seriesBestLap, kNoSeriesBestLap);
  EXPECT_EQ(state.seriesTimeOrigin, 0);
  EXPECT_FALSE(state.seriesTimeOriginSet);
  EXPECT_FALSE(state.decoderTimeSeen);
  EXPECT_EQ(state.latestDecoderTime, 0);
  EXPECT_EQ(state.decoderClockShift, 0);
  EXPECT_EQ(timer.raceClock.halfTimeAnnounced, 0);
  EXPECT_EQ(timer.raceClock.fiveMinutesAnnounced, 0);
  EXPECT_EQ(timer.raceClock.oneMinuteAnnounced, 0);
}

TEST_F(RaceCommandsTest, StopDuringTheCountdownOnlyDisarms) {
  parameters().countdown = 30;
  LoadSeries({"Alain"});
  StartSeriesCommand(Commands());
  for (int i = 0; i < 5; ++i) Tick();
  const int writes = hooks.writes;

  StopSeriesCommand(Commands());
  EXPECT_EQ(state.armed, 0);
  EXPECT_EQ(timer.restOn, 0);
  EXPECT_EQ(slot(1).finished, 0);
  EXPECT_EQ(series->rows[0].finished, 0);
  EXPECT_TRUE(hooks.sounds.empty());
  EXPECT_EQ(hooks.writes, writes);
  EXPECT_EQ(series->startingListShown, 1);

  StartSeriesCommand(Commands());
  EXPECT_EQ(state.armed, 1);
}

TEST_F(RaceCommandsTest, StopOfARunSavesThePenalisedResultsAndRanksThem) {
  (*penalties)[1].code = "P1";
  (*penalties)[1].kind = kPenaltyRemoveLaps;
  (*penalties)[1].amount = 3;
  LoadSeries({"Alain", "Bruno"});
  Run({{1, 10000}, {1, 20000}, {1, 30000}, {1, 40000}, {1, 50000},
       {2, 12000}, {2, 24000}, {2, 36000}, {2, 48000}},
      55000);
  ASSERT_EQ(slot(1).laps, 5);
  ASSERT_EQ(series->rows[0].name, "Alain");
  slot(1).penaltyIndex = 2;  // three laps removed
  slot(2).penaltyIndex = 9;  // no longer in the list
  penaltySlots[1] = 9;
  const int writes = hooks.writes;

  StopSeriesCommand(Commands());
  EXPECT_EQ(state.running, 0);
  EXPECT_EQ(timer.restOn, 1);
  EXPECT_EQ(timer.rest.lengthMinutes, 2);
  ASSERT_FALSE(hooks.sounds.empty());
  EXPECT_EQ(hooks.sounds.back(), "sons/truckhorn.wav");
  EXPECT_EQ(hooks.writes, writes + 1);
  ASSERT_FALSE(hooks.refreshes.empty());
  EXPECT_EQ(hooks.refreshes.back(), 2);
  for (int k : {1, 2, 3, 50}) {
    EXPECT_EQ(slot(k).finished, 1);
    EXPECT_EQ((*series->savedTable)[k - 1].finished, 1);
  }
  // The live slot keeps what was recorded; the saved copy carries the penalty.
  EXPECT_EQ(slot(1).laps, 5);
  EXPECT_EQ((*series->savedTable)[0].laps, 2);
  EXPECT_EQ(slot(2).penaltyIndex, 0);
  EXPECT_EQ((*series->savedTable)[1].penaltyIndex, 0);
  EXPECT_EQ(penaltySlots[1], 0);
  // 9103 ranked the saved table: Bruno first now.
  EXPECT_EQ(window.editModeLeft, 2);  // at the start and at the stop
  EXPECT_EQ(series->rows[0].name, "Bruno");
  EXPECT_EQ(series->rows[0].laps, "4");
  EXPECT_EQ(series->rows[1].name, "Alain");
  EXPECT_EQ(series->rows[1].laps, "2");
  EXPECT_EQ(series->rows[1].finished, 1);
  EXPECT_EQ(series->seriesHasResults, 1);
  EXPECT_EQ(series->seriesSaveNeeded, 1);

  // A second stop (the automatic one after the operator's) ends nothing more.
  hooks.sounds.clear();
  StopSeriesCommand(Commands());
  EXPECT_TRUE(hooks.sounds.empty());
  EXPECT_EQ(hooks.writes, writes + 1);
}

TEST_F(RaceCommandsTest, StopOfARunWithoutPassingShowsTheStartingListAgain) {
  LoadSeries({"Alain"});
  Run({}, 3000);
  EXPECT_EQ(series->startingListShown, 0);
  StopSeriesCommand(Commands());
  EXPECT_EQ(series->startingListShown, 1);
  EXPECT_EQ(series->texts.description, ".");
  EXPECT_EQ(slot(1).finished, 0);
  StartSeriesCommand(Commands());
  EXPECT_EQ(state.armed, 1);
}

TEST_F(RaceCommandsTest, ClearAsksThenShowsTheStartingList) {
  parameters().countdown = 5;
  parameters().passingCapacity = 1000;
  series->seriesSectionTitle = "DadevuDore1Manche2";
  LoadSeries({"Alain", "Bruno"});
  Run({{1, 10000}, {1, 20000}, {2, 12000}}, 25000);
  StopSeriesCommand(Commands());
  series->texts.comment = "Piste glissante";
  const int writes = hooks.writes;
  const std::string description = series->texts.description.str();
  ASSERT_NE(description, ".");

  window.answerYes = false;
  ClearSeriesCommand(Commands());
  EXPECT_EQ(window.questions, std::vector<std::string>{
                                  "Etes vous sûr de vouloir effacer les résultats de la série?\n"
                                  "Les données seront définitivement perdues"});
  EXPECT_EQ(window.captions, std::vector<std::string>{"Zentrik"});
  EXPECT_EQ(slot(1).laps, 2);
  EXPECT_EQ(series->rows[0].laps, "2");
  EXPECT_EQ(series->texts.description, description);
  EXPECT_EQ(hooks.writes, writes);

  window.answerYes = true;
  const int clockPaints = window.invalidated[TimerPanel::Clock];
  ClearSeriesCommand(Commands());
  for (const LiveSeriesTable* table : {series->liveTable.get(), series->savedTable.get()}) {
    EXPECT_EQ((*table)[0].laps, 0);
    EXPECT_EQ((*table)[0].passingCount, 0);
    EXPECT_EQ((*table)[0].finished, 0);
  }
  EXPECT_EQ(series->rows[0].name, "Alain");
  EXPECT_EQ(series->rows[0].laps, "0");
  EXPECT_EQ(series->rows[0].finished, 0);
  EXPECT_EQ(series->texts.description, ".");
  EXPECT_EQ(series->texts.comment, " ");
  EXPECT_EQ(series->clockTexts.duration, "0:10:00");
  EXPECT_EQ(series->clockTexts.elapsed, "0:00:00");
  EXPECT_EQ(series->clockTexts.remaining, "0:00:00");
  EXPECT_EQ(timer.countdownText, "5s");
  EXPECT_EQ(series->roundCapacity, 1000);  // the round's section does not exist yet
  EXPECT_EQ(hooks.writes, writes + 1);
  ASSERT_FALSE(hooks.refreshes.empty());
  EXPECT_EQ(hooks.refreshes.back(), 1);  // a new layout for the additional screen
  EXPECT_GT(window.invalidated[TimerPanel::Clock], clockPaints);
  StartSeriesCommand(Commands());
  EXPECT_EQ(state.armed, 1);
  StopSeriesCommand(Commands());

  series->seriesClearAllowed = 0;
  const std::size_t asked = window.questions.size();
  const int left = window.editModeLeft;
  ClearSeriesCommand(Commands());
  EXPECT_EQ(window.questions.size(), asked);
  EXPECT_EQ(window.editModeLeft, left + 1);
}

}  // namespace
}  // namespace zd
