#pragma once
// The main timer and the series commands on a fake clock: a window that records what it is asked
// (panels, controls, questions, 9103), a decoder port of bytes, and a fixture whose Tick() is one
// 100 ms tick of MainTimer. The stop button runs the stop command and 9103 recomputes the series,
// as the main window does.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_decoder_port.h"
#include "main/penalties.h"
#include "main/race_commands.h"
#include "main/race_timer.h"
#include "race_test_support.h"

namespace zd::test {

class FakeRaceWindow : public RaceWindow, public SeriesControlSurface {
 public:
  void invalidatePanel(TimerPanel panel) override { ++invalidated[panel]; }
  LocalDateTime localDateTime() override { return now; }
  void superviseDecoderLink() override {
    ++supervisions;
    if (onSupervise) onSupervise();
  }
  void runTransponderScanStep() override { ++scanSteps; }

  void enableMenuCommand(int32_t command, bool enabled) override { menus[command] = enabled; }
  void enableResultsEditSubmenu(bool enabled) override { submenu = enabled ? 1 : 0; }
  void enableWindow(int32_t id, bool enabled) override { windows[id] = enabled; }
  bool askQuestion(std::string_view text, std::string_view caption) override {
    questions.emplace_back(text);
    captions.emplace_back(caption);
    return answerYes;
  }
  void leaveResultsEditMode() override {
    ++editModeLeft;
    if (onLeaveEditMode) onLeaveEditMode();
  }
  void removeClubTransponderBox() override { ++clubBoxRemoved; }
  void playSoundAndWait(std::string_view file) override {
    waitedSounds.emplace_back(file);
    if (onWait) onWait();
  }

  LocalDateTime now{14, 7, 2024, 15, 5};
  std::map<TimerPanel, int> invalidated;
  int supervisions = 0;
  std::function<void()> onSupervise;
  int scanSteps = 0;
  std::map<int32_t, bool> menus;
  int submenu = -1;  // never touched
  std::map<int32_t, bool> windows;
  bool answerYes = true;
  std::vector<std::string> questions;
  std::vector<std::string> captions;
  int editModeLeft = 0;
  std::function<void()> onLeaveEditMode;
  int clubBoxRemoved = 0;
  std::vector<std::string> waitedSounds;
  std::function<void()> onWait;
};

// The two bytes of a KV1 passing of slot k's transponder.
inline Bytes InterfacePassing(int slotNumber) {
  const int number = 1000 + slotNumber;  // TransponderOf
  return {static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)};
}

class RaceControlTest : public RaceTest {
 protected:
  RaceControlTest() {
    hooks.onStop = [this] { StopSeriesCommand(Commands()); };
    window.onLeaveEditMode = [this] { RecomputeLoadedSeries(Control()); };
    ClearPenaltyTable(*penalties);
    (*penalties)[0].code = "A";
    (*penalties)[0].name = "Abandon";
    hooks.tick = 5000000;
  }

  RaceControl Control() { return {race(), timer, decoderKind, port, window}; }
  SeriesCommandContext Commands() {
    return {Control(), window, *penalties, penaltySlots, eventHasFile};
  }

  // The cars loaded and showing their starting list, nothing armed or running.
  void LoadSeries(const std::vector<std::string>& names) {
    Load(names);
    state.running = 0;
    *series->savedTable = *series->liveTable;
    series->seriesLoaded = 1;
    series->startingListShown = 1;
    series->startingListShownForScan = 1;
    series->seriesClearAllowed = 1;
    ResetRaceClockDisplay(Control());
  }

  // One tick, ms after the last; the KV1 interface's counter runs with the tick count.
  void Tick(int64_t ms = 100) {
    hooks.tick += ms;
    hooks.count = hooks.tick;
    port.nowMs = hooks.tick;
    RunMainTimerTick(Control());
  }
  // Ticks until the series runs (at most limit ticks); returns the tick count at its start.
  int64_t TickUntilRunning(int limit = 1000) {
    for (int i = 0; i < limit && state.running == 0; ++i) Tick();
    EXPECT_EQ(state.running, 1);
    return state.raceClock.startTick;
  }

  // Bytes that arrive ms after the tick count now.
  void Arrive(Bytes bytes, int64_t ms) { port.arrive(std::move(bytes), hooks.tick + ms); }

  RaceTimerState timer;
  std::string decoderKind = kInterfaceKind;
  FakeDecoderPort port;
  FakeRaceWindow window;
  std::unique_ptr<PenaltyTable> penalties = std::make_unique<PenaltyTable>();
  PenaltySlotTable penaltySlots{};
  int32_t eventHasFile = 0;
};

}  // namespace zd::test
