// The main timer run tick by tick on a fake clock: the countdown and its announcements, the start
// on each kind of timing hardware, the race clock of a series and of a round, the automatic stop
// and the rest clock after it, late ticks, and the idle ticks.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "main/race_commands.h"
#include "main/race_timer.h"
#include "race_control_test_support.h"
#include "web/archive_publishing.h"

namespace zd {
namespace {

using test::Bytes;
using test::InterfacePassing;

TEST(RaceClockComputation, ReadingsAndTexts) {
  struct Countdown {
    int64_t elapsed;
    int32_t duration, seconds, milliseconds, remaining;
  };
  const Countdown countdowns[] = {
      {100, 5, 0, 100, 5},  {1100, 5, 1, 100, 4}, {5000, 5, 5, 0, 1},
      {5100, 5, 5, 100, 0}, {6900, 5, 6, 900, 0}, {8000, 5, 8, 0, -2},
  };
  for (const Countdown& c : countdowns) {
    SCOPED_TRACE(c.elapsed);
    const CountdownReading r = ComputeCountdownSeconds(1000 + c.elapsed, 1000, c.duration, 900);
    EXPECT_EQ(r.elapsedSeconds, c.seconds);
    EXPECT_EQ(r.elapsedMilliseconds, c.milliseconds);
    EXPECT_EQ(r.remainingSeconds, c.remaining);
    EXPECT_EQ(r.sinceRefresh, c.elapsed + 100);
  }

  struct Clock {
    int64_t elapsed;
    int32_t hours, minutes;
    std::array<int32_t, 7> parts;  // elapsed h, m, s, ms, remaining h, m, s
  };
  const Clock clocks[] = {
      {1100, 0, 10, {0, 0, 1, 100, 0, 9, 59}},
      {600100, 0, 10, {0, 10, 0, 100, 0, 0, 0}},
      {7199100, 2, 0, {1, 59, 59, 100, 0, 0, 1}},
      {7380000, 2, 0, {2, 3, 0, 0, 0, -2, -59}},
  };
  for (const Clock& c : clocks) {
    SCOPED_TRACE(c.elapsed);
    const ClockReading r = ComputeRaceClockHours(c.elapsed, 0, c.hours, c.minutes, 0);
    EXPECT_EQ((std::array<int32_t, 7>{r.elapsedHours, r.elapsedMinutes, r.elapsedSeconds,
                                      r.elapsedMilliseconds, r.remainingHours, r.remainingMinutes,
                                      r.remainingSeconds}),
              c.parts);
  }
  const ClockReading rest = ComputeRaceClockMinutes(125100, 0, 2, 0);
  EXPECT_EQ(rest.elapsedMinutes, 2);
  EXPECT_EQ(rest.elapsedSeconds, 5);
  EXPECT_EQ(rest.remainingMinutes, 0);
  EXPECT_EQ(rest.remainingSeconds, -4);

  const std::pair<std::pair<int32_t, int32_t>, const char*> restTexts[] = {
      {{1, 59}, "1:59 avant début"},
      {{0, 0}, "0:00 avant début"},
      {{0, -4}, "0:-4 repos écoulé"},
      // A night after the stop: the text is cut to its field.
      {{-1797, -59}, "-1797:-59 repos écoul"},
  };
  for (const auto& [values, text] : restTexts) {
    EXPECT_EQ(RestStateText(values.first, values.second), text);
  }
}

class RaceTimerTest : public test::RaceControlTest {};

// French, English and the operator's own sounds.
struct LanguageCase {
  std::string_view language;
  std::vector<std::string> countdown;  // 5, 4, 3, 2, 1
  std::string start;
};

class CountdownTest : public RaceTimerTest,
                      public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(CountdownTest, TextsAndAnnouncementsSecondBySecondThenTheStart) {
  const LanguageCase& language = GetParam();
  sounds.lines[kSoundLanguage] = language.language;
  for (int entry = 64; entry <= 68; ++entry) {
    (*customSounds)[entry] = "perso/" + std::to_string(entry) + ".wav";
  }
  (*customSounds)[0] = "perso/depart.wav";
  SoundOn(kSoundCountdown);
  SoundOn(kSoundStart);
  parameters().countdown = 5;
  LoadSeries({"Alain", "Bruno"});
  window.onWait = [this] { hooks.tick += 1500; };
  StartSeriesCommand(Commands());
  EXPECT_EQ(window.waitedSounds, std::vector<std::string>{"sons/nokia-sms.wav"});

  std::vector<std::string> texts = {timer.countdownText.str()};
  int shownZeroAt = -1;
  int startedAt = -1;
  for (int tick = 1; tick <= 60 && startedAt < 0; ++tick) {
    Tick();
    if (timer.countdownText.view() != texts.back()) texts.push_back(timer.countdownText.str());
    if (timer.countdownText == "0s" && shownZeroAt < 0) shownZeroAt = tick;
    if (state.running != 0) startedAt = tick;
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"5s", "4s", "3s", "2s", "1s", "0s"}));
  EXPECT_EQ(startedAt, shownZeroAt + 1);
  std::vector<std::string> expected = language.countdown;
  expected.push_back(language.start);
  EXPECT_EQ(hooks.sounds, expected);

  EXPECT_EQ(state.armed, 0);
  EXPECT_EQ(series->startingListShown, 0);
  EXPECT_EQ(state.pcStartCount, hooks.count);
  EXPECT_EQ(state.raceClock.startTick, hooks.tick);
  EXPECT_EQ(series->texts.description,
            "Durée 0:01:00 - DEPARTSignalSonore - FINTEMPSFinirTour - Départ 14/07/2024 15:05");
  EXPECT_EQ(series->rows[0].totalTime, "00:00.000");
  EXPECT_EQ(hooks.refreshes, std::vector<int32_t>{2});  // the live file at the start
}

INSTANTIATE_TEST_SUITE_P(
    Languages, CountdownTest,
    ::testing::Values(
        LanguageCase{kSoundLanguageFrench,
                     {"sons/cinq.wav", "sons/quatre.wav", "sons/trois.wav", "sons/deux.wav",
                      "sons/un.wav"},
                     "sons/foghorn.wav"},
        LanguageCase{kSoundLanguageEnglish,
                     {"sons/cinqGB.wav", "sons/quatreGB.wav", "sons/troisGB.wav",
                      "sons/deuxGB.wav", "sons/unGB.wav"},
                     "sons/foghorn.wav"},
        LanguageCase{kSoundLanguageCustom,
                     {"perso/64.wav", "perso/65.wav", "perso/66.wav", "perso/67.wav",
                      "perso/68.wav"},
                     "perso/depart.wav"}));

TEST_F(RaceTimerTest, ZeroCountdownEndsOnTheSecondTick) {
  parameters().countdown = 0;
  LoadSeries({"Alain"});
  StartSeriesCommand(Commands());
  Tick();
  EXPECT_EQ(state.running, 0);
  Tick();
  EXPECT_EQ(state.running, 1);
}

TEST_F(RaceTimerTest, DecoderStartsOnTheAcceptedClockReset) {
  const Bytes reset(DecoderClockReset.begin(), DecoderClockReset.end());
  for (const char* kind : {kUsbDecoderKind, kBluetoothDecoderKind}) {
    SCOPED_TRACE(kind);
    decoderKind = kind;
    port = test::FakeDecoderPort();
    parameters().countdown = 0;
    LoadSeries({"Alain"});
    StartSeriesCommand(Commands());
    // A car on the line during the countdown: its passing is not the series'.
    Arrive(test::PassingMessage(1001, 0, 0, 1, 18661), 100);
    Tick();
    EXPECT_TRUE(port.writes.empty());

    Tick();  // the countdown is over: the decoder is asked to reset its clock
    EXPECT_EQ(port.writes, std::vector<Bytes>{reset});
    Arrive({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x01}, 100);  // refused: its clock is at 1 s
    Tick();
    EXPECT_EQ(state.running, 0);
    EXPECT_EQ(port.writes.size(), 1u);
    Tick();
    EXPECT_EQ(port.writes, (std::vector<Bytes>{reset, reset}));
    EXPECT_EQ(state.armed, 1);

    Arrive({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, 100);
    Tick();
    EXPECT_EQ(state.running, 1);
    EXPECT_EQ(state.pcStartCount, hooks.tick);

    Arrive(test::PassingMessage(1001, 0, 0, 12, 18661), 12000);
    Tick(12000);
    EXPECT_EQ(slot(1).laps, 1);
    EXPECT_EQ(slot(1).raceTime, 12000);
    StopSeriesCommand(Commands());
  }
}

TEST_F(RaceTimerTest, UnknownKindOrStartTypeStaysArmedUntilStop) {
  struct Case {
    const char* kind;
    const char* startType;
  };
  for (const Case& c : {Case{"", "DEPARTSignalSonore"}, Case{kInterfaceKind, "DEPARTAutre"}}) {
    SCOPED_TRACE(c.startType);
    decoderKind = c.kind;
    parameters().countdown = 0;
    parameters().startType = c.startType;
    LoadSeries({"Alain"});
    StartSeriesCommand(Commands());
    for (int i = 0; i < 100; ++i) Tick();
    EXPECT_EQ(state.armed, 1);
    EXPECT_EQ(state.running, 0);
    StopSeriesCommand(Commands());
    EXPECT_EQ(state.armed, 0);
  }
}

TEST_F(RaceTimerTest, FirstCarStartsTheSeriesAfterTheReset) {
  decoderKind = kUsbDecoderKind;
  parameters().countdown = 0;
  parameters().startType = kStartFirstCar;
  LoadSeries({"Alain", "Bruno"});
  StartSeriesCommand(Commands());
  Tick();
  Tick();  // the reset is sent
  Arrive({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, 100);
  Tick();
  EXPECT_EQ(timer.resetAccepted, 1);
  for (int i = 0; i < 20; ++i) Tick();
  EXPECT_EQ(state.armed, 1);
  window.now.minute = 7;  // the description follows the clock until the start
  Arrive(test::PassingMessage(1002, 0, 0, 9, 18661), 100);
  Tick();
  EXPECT_EQ(state.running, 1);
  EXPECT_EQ(state.seriesTimeOrigin, 9000);
  EXPECT_EQ(slot(2).passingCount, 1);
  EXPECT_EQ(slot(2).raceTime, 0);
  EXPECT_NE(series->texts.description.view().find("15:07"), std::string_view::npos);
}

// The race clock of a whole series, with the end rule that lets the cars finish their lap.
struct ClockCase {
  const char* what;
  int32_t minutes;
  std::string_view language;
  const char* duration;
  const char* firstRemaining;
  std::vector<std::pair<int64_t, std::string>> sounds;  // ms after the start
};

class RaceClockTest : public RaceTimerTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(RaceClockTest, TextsAndAnnouncements) {
  const ClockCase& c = GetParam();
  sounds.lines[kSoundLanguage] = c.language;
  SoundOn(kSoundRaceClock);
  parameters().duration = c.minutes;
  parameters().countdown = 0;
  LoadSeries({"Alain"});
  StartSeriesCommand(Commands());
  const int64_t start = TickUntilRunning();
  hooks.sounds.clear();

  std::vector<std::pair<int64_t, std::string>> heard;
  std::string firstElapsed, firstRemaining;
  const int64_t length = int64_t{c.minutes} * 60000;
  while (hooks.tick - start < length + 5000) {
    Tick();
    if (firstElapsed.empty() && !series->clockTexts.elapsed.empty() &&
        series->clockTexts.elapsed != "0:00:00") {
      firstElapsed = series->clockTexts.elapsed.str();
      firstRemaining = series->clockTexts.remaining.str();
    }
    for (const std::string& sound : hooks.sounds) heard.emplace_back(hooks.tick - start, sound);
    hooks.sounds.clear();
  }
  EXPECT_EQ(firstElapsed, "0:00:01");
  EXPECT_EQ(firstRemaining, c.firstRemaining);
  EXPECT_EQ(heard, c.sounds);
  // Frozen at the time up; the car has not finished, so the series goes on.
  EXPECT_EQ(series->clockTexts.duration, c.duration);
  EXPECT_EQ(series->clockTexts.elapsed, c.duration);
  EXPECT_EQ(series->clockTexts.remaining, "0:00:00");
  EXPECT_EQ(state.running, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Series, RaceClockTest,
    ::testing::Values(
        ClockCase{"ten minutes",
                  10,
                  kSoundLanguageFrench,
                  "0:10:00",
                  "0:09:59",
                  {{300100, "sons/miCourse.wav"},  // no five-minute call in 10 minutes
                   {541100, "sons/1minute.wav"},
                   {600100, "sons/foghorn.wav"}}},
        ClockCase{"a two-hour round",
                  120,
                  kSoundLanguageEnglish,
                  "2:00:00",
                  "1:59:59",
                  {{3600100, "sons/miCourseGB.wav"},
                   {6901100, "sons/5minutesRaceGB.wav"},
                   {7141100, "sons/1minuteGB.wav"},
                   {7200100, "sons/foghorn.wav"}}}));

TEST_F(RaceTimerTest, AutomaticStopAtTheSignalThenTheRestClock) {
  SoundOn(kSoundRaceEnd);
  SoundOn(kSoundRestClock);
  parameters().duration = 10;
  parameters().endRuleByTime = kEndTimeSoundSignal;
  parameters().rest = 2;
  parameters().countdown = 0;
  LoadSeries({"Alain", "Bruno"});
  StartSeriesCommand(Commands());
  const int64_t start = TickUntilRunning();
  const int writesAtStart = hooks.writes;
  for (int lap = 1; lap <= 19; ++lap) Arrive(InterfacePassing(1), int64_t{lap} * 30000 + 50);

  int64_t stoppedAt = -1;
  while (stoppedAt < 0 && hooks.tick - start < 700000) {
    Tick();
    if (state.running == 0) stoppedAt = hooks.tick - start;
  }
  EXPECT_EQ(stoppedAt, 600100);
  EXPECT_EQ(hooks.sounds, (std::vector<std::string>{"sons/foghorn.wav", "sons/truckhorn.wav"}));
  // Every 15 s of race time, then once more at the stop.
  EXPECT_EQ(hooks.writes - writesAtStart, 40 + 1);
  EXPECT_EQ(slot(1).laps, 19);
  EXPECT_EQ(series->rows[0].finished, 1);
  EXPECT_EQ(timer.restOn, 1);

  // The rest clock, announced at one minute and at its end, then counting past it.
  hooks.sounds.clear();
  std::vector<std::string> states;
  const int64_t stop = hooks.tick;
  while (hooks.tick - stop < 125100) {
    Tick();
    if (states.empty() || timer.rest.stateText.view() != states.back()) {
      states.push_back(timer.rest.stateText.str());
    }
  }
  EXPECT_EQ(timer.rest.lengthText, "2:00");
  ASSERT_GE(states.size(), 3u);
  EXPECT_EQ(states[1], "1:59 avant début");
  EXPECT_EQ(states.back(), "0:-4 repos écoulé");
  EXPECT_EQ(timer.rest.over, 1);
  EXPECT_EQ(hooks.sounds, (std::vector<std::string>{"sons/1minute.wav", "sons/nokia-sms.wav"}));

  // Idle ticks under the rest clock still drain the port.
  const int reads = port.reads;
  Tick();
  EXPECT_EQ(port.reads, reads + 1);
}

// A series stopped with a two-minute rest, ticked until the rest panel reads 1:10: its one-minute
// announcement is ten seconds away.
class RestClockTest : public RaceTimerTest {
 protected:
  void SetUp() override {
    SoundOn(kSoundRestClock);
    parameters().countdown = 0;
    parameters().duration = 10;
    parameters().rest = 2;
    LoadSeries({"Alain"});
    StartSeriesCommand(Commands());
    TickUntilRunning();
    StopSeriesCommand(Commands());
    ASSERT_EQ(timer.restOn, 1);
    hooks.sounds.clear();
    for (int i = 0; i < 1000 && timer.rest.stateText != "1:10 avant début"; ++i) Tick();
    ASSERT_EQ(timer.rest.stateText, "1:10 avant début");
  }

  // Ticks to the end of the rest.
  void TickPastTheEnd() {
    while (timer.rest.over == 0) Tick();
  }
};

// A ranking window's send on a slow site: the race folder's probe takes 25 s, on the machine's
// one clock, while no tick runs.
class SlowSite final : public WebTransport, public PublishingDesk {
 public:
  explicit SlowSite(int64_t& clock) : clock_(clock) {}
  int64_t tickCount() override { return clock_; }
  void sleep(int32_t ms) override { clock_ += ms; }
  void openAddress(std::string_view) override {}
  void showMessage(std::string_view, std::string_view, bool) override {}
  FtpOutcome probe(std::string_view, std::string_view, int32_t) override {
    clock_ += 25000;
    return FtpOutcome::Done;
  }
  FtpOutcome upload(std::string_view, std::string_view, std::string_view) override {
    return FtpOutcome::Done;
  }

 private:
  int64_t& clock_;
};

TEST_F(RestClockTest, AnAnnouncementDueDuringAWebWaitIsPlayedAtTheNextTick) {
  SlowSite site(hooks.tick);
  ASSERT_EQ(WaitForFolder("ftp://site.test/a/", "u:p", site, site), FtpOutcome::Done);
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{});
  const int repaints = window.invalidated[TimerPanel::Rest];
  Tick();
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/1minute.wav"});
  // The panel shows the time left at once.
  EXPECT_EQ(timer.rest.stateText, "0:45 avant début");
  EXPECT_EQ(window.invalidated[TimerPanel::Rest], repaints + 1);
  TickPastTheEnd();
  EXPECT_EQ(hooks.sounds, (std::vector<std::string>{"sons/1minute.wav", "sons/nokia-sms.wav"}));
}

TEST_F(RestClockTest, UnderABoxThatHoldsATickTheRestClockGoesOn) {
  std::vector<std::string> soundsUnderBox;
  std::string textUnderBox;
  bool boxShown = false;
  window.onSupervise = [&] {
    if (boxShown) return;
    boxShown = true;
    // The box's own message loop dispatches the timer's ticks for 30 s.
    for (int i = 0; i < 300; ++i) {
      hooks.tick += 100;
      RunMainTimerTick(Control());
    }
    soundsUnderBox = hooks.sounds;
    textUnderBox = timer.rest.stateText.str();
  };
  const int supervisions = window.supervisions;
  Tick();
  EXPECT_EQ(soundsUnderBox, std::vector<std::string>{"sons/1minute.wav"});
  EXPECT_EQ(textUnderBox, "0:40 avant début");
  // Only the rest clock ran under the box.
  EXPECT_EQ(window.supervisions, supervisions + 1);
}

TEST_F(RestClockTest, AnnouncementsHeldUpTogetherArePlayedInTurn) {
  // Held past the one minute and the end at once: each is played, one a refresh.
  Tick(80000);
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/1minute.wav"});
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(hooks.sounds, (std::vector<std::string>{"sons/1minute.wav", "sons/nokia-sms.wav"}));
}

TEST_F(RaceTimerTest, KV1CarsOfOneReadRankInTheOrderTheyCrossed) {
  // The passings of one KV1 read are timed alike: the car whose bytes came first crossed first.
  struct Read {
    int64_t atMs;  // after the start
    std::vector<int> cars;
  };
  struct Case {
    const char* name;
    std::vector<Read> reads;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"slot 1 then slot 2 in one read", {{10000, {1, 2}}}, {"Alain", "Bruno", "Charles"}},
      {"slot 2 then slot 1 in one read", {{10000, {2, 1}}}, {"Bruno", "Alain", "Charles"}},
      {"second laps in one read, the slower lap first",
       {{10000, {1}}, {10500, {2}}, {40000, {1, 2}}}, {"Alain", "Bruno", "Charles"}},
      {"three in one read", {{10000, {3, 1, 2}}}, {"Charles", "Alain", "Bruno"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    parameters().countdown = 0;
    parameters().duration = 10;
    LoadSeries({"Alain", "Bruno", "Charles"});
    StartSeriesCommand(Commands());
    const int64_t start = TickUntilRunning();
    for (const Read& r : c.reads) {
      Bytes bytes;
      for (int car : r.cars) {
        const Bytes one = InterfacePassing(car);
        bytes.insert(bytes.end(), one.begin(), one.end());
      }
      port.arrive(bytes, start + r.atMs);
    }
    while (hooks.tick - start < c.reads.back().atMs + 100) Tick();
    std::vector<std::string> order;
    for (int i = 0; i < series->rowCount; ++i) order.push_back(series->rows[i].name.str());
    EXPECT_EQ(order, c.order);
    StopSeriesCommand(Commands());
  }
}

TEST_F(RaceTimerTest, LateTicksStillEndTheCountdownAndTheTime) {
  SoundOn(kSoundRestClock);
  parameters().countdown = 5;
  parameters().duration = 1;
  parameters().endRuleByTime = kEndTimeSoundSignal;
  parameters().rest = 2;
  LoadSeries({"Alain"});
  StartSeriesCommand(Commands());
  Tick();
  Tick(8000);  // the machine was busy: the countdown is now below 0
  EXPECT_LT(timer.countdown.remainingSeconds, 0);
  Tick();
  EXPECT_EQ(state.running, 1);

  Arrive(InterfacePassing(1), 50);
  Tick();
  ASSERT_EQ(slot(1).laps, 1);
  Tick(180000);  // suspended for three minutes: the time ran out without showing 0:00:00
  EXPECT_LT(state.raceClock.remainingMinutes, 0);
  EXPECT_EQ(state.running, 0);
  EXPECT_EQ(hooks.sounds, std::vector<std::string>{"sons/foghorn.wav"});

  // Idle overnight: the rest text stays within its field.
  Tick(30LL * 3600000 + 100);
  EXPECT_EQ(timer.rest.stateText, "-1797:-59 repos écoul");
}

TEST_F(RaceTimerTest, TickInsideATickReturnsAtOnce) {
  LoadSeries({"Alain"});
  window.onSupervise = [this] { RunMainTimerTick(Control()); };
  Tick();
  EXPECT_EQ(window.supervisions, 1);
  EXPECT_EQ(port.reads, 1);
  Tick();
  EXPECT_EQ(window.supervisions, 2);
}

TEST_F(RaceTimerTest, IdleTicksDrainThePortUnlessSomethingElseReadsIt) {
  LoadSeries({"Alain"});
  Arrive({0xFF, 0xFF, 0xFF, 0x01}, 0);
  Tick();
  EXPECT_EQ(port.reads, 1);

  timer.participantDialogOpen = 1;  // that dialog reads the port itself
  Tick();
  EXPECT_EQ(port.reads, 1);
  timer.participantDialogOpen = 0;

  timer.scanModeActive = 1;
  timer.transponderScan = 1;
  Tick();
  EXPECT_EQ(window.scanSteps, 1);
  EXPECT_EQ(port.reads, 1);
  EXPECT_TRUE(SeriesIsLive(state, timer));
}

}  // namespace
}  // namespace zd
