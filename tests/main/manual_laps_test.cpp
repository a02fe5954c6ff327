// The manual lap buttons on a fake clock: when a click asks and what Yes does in a running series
// and in one waiting for its first car, the state looked at again after the answer, and the
// start by hand on a KV2/KV3 decoder held until the decoder has reset its clock.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "main/manual_laps.h"
#include "race_control_test_support.h"

namespace zd {
namespace {

using test::Bytes;
using test::InterfacePassing;
using test::PassingMessage;

// A window whose question can be answered after something has happened meanwhile.
class QuestionWindow : public test::FakeRaceWindow {
 public:
  bool askQuestion(std::string_view text, std::string_view caption) override {
    if (whileAsked) whileAsked();
    return FakeRaceWindow::askQuestion(text, caption);
  }
  std::function<void()> whileAsked;
};

class ManualLapTest : public test::RaceControlTest {
 protected:
  ManualLapTest() {
    parameters().countdown = 1;
    parameters().duration = 10;
  }

  ManualLap Click(int slotNumber) { return ManualLapButtonClick(Control(), asker, slotNumber); }

  // Started and running; the counter runs with the tick count (frequency 1000).
  int64_t StartRunning() {
    StartSeriesCommand(Commands());
    return TickUntilRunning();
  }
  // Through the countdown and, on a decoder, its clock reset, waiting for the first car.
  void WaitForFirstCar() {
    parameters().startType = kStartFirstCar;
    StartSeriesCommand(Commands());
    for (int i = 0; i < 30 && (timer.countdown.remainingSeconds > 0 || timer.resetAccepted == 0);
         ++i) {
      Tick();
    }
    ASSERT_EQ(state.armed, 1);
    ASSERT_EQ(timer.resetAccepted, 1);
  }

  QuestionWindow asker;
};

TEST_F(ManualLapTest, AClickThatDoesNotApplyAsksNothing) {
  LoadSeries({"Alain", "Bruno"});
  EXPECT_EQ(Click(1), ManualLap::None);  // loaded, not started
  parameters().countdown = 30;
  StartSeriesCommand(Commands());
  Tick();
  EXPECT_EQ(Click(1), ManualLap::None);  // the countdown runs
  StopSeriesCommand(Commands());
  parameters().countdown = 1;
  StartRunning();
  EXPECT_EQ(Click(3), ManualLap::None);  // an empty slot
  slot(2).finished = 1;
  EXPECT_EQ(Click(2), ManualLap::None);  // a car that has finished
  EXPECT_TRUE(asker.questions.empty());
  EXPECT_EQ(slot(1).passingCount, 0);
  EXPECT_EQ(slot(2).passingCount, 0);
}

TEST_F(ManualLapTest, YesGivesTheClickedCarALapTimedNow) {
  LoadSeries({"Alain", "Bruno"});
  slot(1).carNumber = "12";
  slot(2).transponder = slot(1).transponder;  // two cars on one transponder
  lapProtectionTime = 2;
  SoundOn(kSoundPassing);
  const int64_t start = StartRunning();
  Arrive(InterfacePassing(1), 1000);
  while (hooks.tick - start < 1100) Tick();
  ASSERT_EQ(slot(1).passingCount, 1);
  ASSERT_EQ(slot(2).passingCount, 1);
  Tick(2400);  // 2500 ms after the decoder's passing

  asker.answerYes = false;
  EXPECT_EQ(Click(1), ManualLap::None);
  EXPECT_EQ(slot(1).passingCount, 1);
  EXPECT_EQ(asker.questions,
            std::vector<std::string>{
                "1 tour va être ajouté à la voiture/moto '# 12'- Alain !\nVeuillez confirmer !"});
  EXPECT_EQ(asker.captions, std::vector<std::string>{"Zentrik"});

  asker.answerYes = true;
  hooks.sounds.clear();
  EXPECT_EQ(Click(1), ManualLap::Passing);
  EXPECT_EQ(slot(1).passingCount, 2);
  EXPECT_EQ(slot(1).passingTimes[2], slot(1).passingTimes[1] + 2500);
  EXPECT_EQ(slot(1).bestLap, 2500);
  EXPECT_EQ(slot(2).passingCount, 1);  // only the clicked car
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/beep1.wav"});
  EXPECT_EQ(series->rows[0].name, "Alain");
}

TEST_F(ManualLapTest, ALapShorterThanTheMinimumIsRefusedWithTheBuzz) {
  // Car 1 passes the decoder 10 s into the race, then the operator clicks its button; the minimum
  // lap time is 2 s. What comes between the passing and the Yes decides.
  const std::string question =
      "1 tour va être ajouté à la voiture/moto '# 12'- Alain !\nVeuillez confirmer !";
  const std::string refusal = ManualLapRefusal(2);
  struct Case {
    const char* name;
    int64_t clickAfterMs;   // the click, after the decoder's passing
    bool carPassesWhileAsked;
    int64_t answerAfterMs;  // the Yes, after the click (or after the car's passing)
    std::string asked;
    bool counted;
    std::vector<std::string> sounds;
  };
  const Case cases[] = {
      {"60 ms after, confirmed at once", 60, false, 0, question + "\n" + refusal, false,
       {"sons/buzz.wav"}},
      {"the car's passing read while the question is open, 60 ms before Yes", 30000, true, 60,
       question, false, {"sons/beep1.wav", "sons/buzz.wav"}},
      {"clicked soon after, confirmed once the minimum has passed", 500, false, 2000,
       question + "\n" + refusal, true, {"sons/beep1.wav"}},
      {"clicked after the minimum", 2100, false, 0, question, true, {"sons/beep1.wav"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lapProtectionTime = 2;
    SoundOn(kSoundPassing);
    LoadSeries({"Alain", "Bruno"});
    slot(1).carNumber = "12";
    const int64_t start = StartRunning();
    Arrive(InterfacePassing(1), 10000);
    while (hooks.tick - start < 10000) Tick();
    ASSERT_EQ(slot(1).laps, 1);
    hooks.tick += c.clickAfterMs;
    hooks.count = hooks.tick;
    asker.questions.clear();
    hooks.sounds.clear();
    hooks.statuses.clear();
    asker.whileAsked = [&] {
      if (c.carPassesWhileAsked) {
        Arrive(InterfacePassing(1), 0);
        Tick(0);
      }
      hooks.tick += c.answerAfterMs;
      hooks.count = hooks.tick;
    };
    const int32_t lapsBefore = c.carPassesWhileAsked ? 2 : 1;
    EXPECT_EQ(Click(1), c.counted ? ManualLap::Passing : ManualLap::None);
    EXPECT_EQ(asker.questions, std::vector<std::string>{c.asked});
    EXPECT_EQ(slot(1).laps, lapsBefore + (c.counted ? 1 : 0));
    // No lap of a few milliseconds as the car's or the series' best.
    if (slot(1).laps >= 2) {
      EXPECT_GT(slot(1).bestLap, 2000);
    }
    EXPECT_EQ(state.seriesBestLap, slot(1).laps >= 2 ? slot(1).bestLap : kNoSeriesBestLap);
    EXPECT_EQ(hooks.sounds, c.sounds);
    EXPECT_EQ(hooks.statuses, c.counted ? std::vector<std::string>{}
                                        : std::vector<std::string>{refusal});
    StopSeriesCommand(Commands());
    asker.whileAsked = nullptr;
  }
}

TEST_F(ManualLapTest, ALapThatReachesTheCapacityStopsTheSeries) {
  parameters().passingCapacity = 2;
  LoadSeries({"Alain", "Bruno"});
  StartRunning();
  Tick(3000);
  Click(1);
  Tick(3000);
  EXPECT_EQ(Click(1), ManualLap::Passing);
  EXPECT_EQ(state.running, 0);
  EXPECT_EQ(slot(1).passingCount, 2);
}

TEST_F(ManualLapTest, TheStateIsLookedAtAgainAfterTheAnswer) {
  struct Case {
    const char* name;
    bool firstCar;
    std::function<void()> meanwhile;
  };
  const Case cases[] = {
      {"stopped", false, [this] { StopSeriesCommand(Commands()); }},
      {"car finished", false, [this] { slot(1).finished = 1; }},
      {"started by the decoder", true,
       [this] {
         Arrive(InterfacePassing(2), 0);
         Tick();
       }},
      {"start stopped", true, [this] { StopSeriesCommand(Commands()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadSeries({"Alain", "Bruno"});
    if (c.firstCar) {
      WaitForFirstCar();
    } else {
      StartRunning();
    }
    Tick(3000);
    asker.whileAsked = c.meanwhile;
    EXPECT_EQ(Click(1), ManualLap::None);
    EXPECT_EQ(asker.questions.size(), 1u);
    EXPECT_EQ(slot(1).passingCount, 0);
    asker.questions.clear();
    asker.whileAsked = nullptr;
    StopSeriesCommand(Commands());
    parameters().startType = kStartSoundSignal;
  }
}

TEST_F(ManualLapTest, YesStartsASeriesThatWaitsForItsFirstCar) {
  SoundOn(kSoundStart);
  LoadSeries({"A", "B", "C", "D", "E", "F", "G"});
  WaitForFirstCar();
  const int writes = hooks.writes;
  Tick(700);
  const int64_t clickedAt = hooks.tick;

  EXPECT_EQ(Click(7), ManualLap::FirstPassing);
  EXPECT_EQ(state.running, 1);
  EXPECT_EQ(state.armed, 0);
  EXPECT_EQ(state.raceClock.startTick, clickedAt);
  EXPECT_EQ(series->startingListShown, 0);
  EXPECT_EQ(slot(7).passingCount, 1);
  EXPECT_EQ(slot(7).laps, 1);
  EXPECT_EQ(slot(7).raceTime, 0);
  EXPECT_EQ(slot(7).bestLap, 0);
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/foghorn.wav"});
  // The live file waits for the race clock's next 15 s.
  while (hooks.writes == writes && hooks.tick - clickedAt < 20000) Tick();
  EXPECT_EQ(hooks.tick - clickedAt, 15100);

  // The decoder's passings are timed from the click.
  Arrive(test::Join({InterfacePassing(7), InterfacePassing(1)}), 0);
  Tick();
  EXPECT_EQ(slot(7).raceTime, 15200);
  EXPECT_EQ(slot(7).bestLap, 15200);
  EXPECT_EQ(slot(1).raceTime, 15200);
}

TEST_F(ManualLapTest, ALapsSeriesOfOneLapEndsForTheCarStartedByHand) {
  SoundOn(kSoundCarFinished);
  parameters().durationKind = kDurationByLaps;
  parameters().laps = 1;
  parameters().endRuleByLaps = kEndLapsFinishLap;
  LoadSeries({"Alain", "Bruno"});
  WaitForFirstCar();
  EXPECT_EQ(Click(2), ManualLap::FirstPassing);
  EXPECT_EQ(slot(2).finished, 1);
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/FinCourse2.wav"});
}

TEST_F(ManualLapTest, OnADecoderTheStartByHandWaitsForTheClockReset) {
  decoderKind = kUsbDecoderKind;
  parameters().startType = kStartFirstCar;
  LoadSeries({"Alain", "Bruno"});
  StartSeriesCommand(Commands());
  while (timer.countdown.remainingSeconds > 0) Tick();
  Tick();  // the reset is sent; the decoder has not answered
  ASSERT_EQ(timer.resetAccepted, 0);
  EXPECT_EQ(Click(1), ManualLap::None);
  EXPECT_TRUE(asker.questions.empty());

  Arrive({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, 0);
  Tick();
  ASSERT_EQ(timer.resetAccepted, 1);
  const int64_t resetAt = hooks.tick;
  Tick(2000);
  EXPECT_EQ(Click(1), ManualLap::FirstPassing);
  // The decoder's clock started at the reset: its passings keep to the click's origin.
  const int64_t sinceReset = hooks.tick - resetAt;
  Arrive(PassingMessage(1001, 0, 0, static_cast<uint8_t>((sinceReset + 30000) / 1000), 18661),
         30000);
  Tick(30000);
  EXPECT_EQ(slot(1).passingCount, 2);
  EXPECT_EQ(slot(1).raceTime, 30000);
}

}  // namespace
}  // namespace zd
