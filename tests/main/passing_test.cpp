#include "main/passing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "race_test_support.h"

namespace zd {
namespace {

using test::RaceTest;
using test::TransponderOf;

class PassingTest : public RaceTest {
 protected:
  // The sounds asked for since the last call.
  std::vector<std::string> NewSounds() {
    std::vector<std::string> fresh(hooks.sounds.begin() + static_cast<long>(soundsSeen_),
                                   hooks.sounds.end());
    soundsSeen_ = hooks.sounds.size();
    return fresh;
  }

 private:
  std::size_t soundsSeen_ = 0;
};

using Sounds = std::vector<std::string>;
const std::string kBeep = "sons/beep1.wav";
const std::string kBuzz = "sons/buzz.wav";

TEST_F(PassingTest, LapsShorterThanTheMinimumAreRejectedWithAnOccasionalBuzz) {
  struct Step {
    int32_t at;
    int32_t laps;
    Sounds sounds;
  };
  struct Case {
    int32_t protection;
    bool passingSound;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      // The first passing counts even 10 ms after the start; a rejected lap of 2 s or less
      // never buzzes.
      {2, true, {{10, 1, {kBeep}}, {1510, 1, {}}, {2510, 2, {kBeep}}}},
      // A buzz needs more than 1 s since the last buzz.
      {5,
       true,
       {{10000, 1, {kBeep}},
        {13000, 1, {kBuzz}},
        {13500, 1, {}},
        {14100, 1, {kBuzz}},
        {15000, 1, {}},
        {15001, 2, {kBeep}}}},
      {5, false, {{10000, 1, {}}, {13000, 1, {}}, {15001, 2, {}}}},
  };
  for (const Case& c : cases) {
    Load({"Alain"});
    lapProtectionTime = c.protection;
    sounds.lines[kSoundPassing] =
        c.passingSound ? kSoundSwitches[kSoundPassing].on : kSoundSwitches[kSoundPassing].off;
    NewSounds();
    for (const Step& step : c.steps) {
      SCOPED_TRACE(testing::Message() << "protection " << c.protection << " at " << step.at);
      Pass(1, step.at);
      EXPECT_EQ(slot(1).laps, step.laps);
      EXPECT_EQ(NewSounds(), step.sounds);
    }
  }
  EXPECT_EQ(slot(1).raceTime, 15001);
}

TEST_F(PassingTest, EachStartTypeTimesTheFirstLapItsOwnWay) {
  struct After {
    int32_t passings;
    int32_t raceTime;
    int32_t bestLap;
    int32_t newBest;
  };
  struct Case {
    std::string_view startType;
    After after[4];
  };
  // Passings at 30 s, then laps of 32 s, 31 s and 32 s.
  const int32_t at[] = {30000, 62000, 93000, 125000};
  const Case cases[] = {
      {kStartSoundSignal,
       {{1, 30000, 0, 0}, {2, 62000, 32000, 0}, {3, 93000, 31000, 1}, {4, 125000, 31000, 0}}},
      {kStartFirstCar,
       {{1, 30000, 0, 0}, {2, 62000, 32000, 0}, {3, 93000, 31000, 1}, {4, 125000, 31000, 0}}},
      // The first passing starts the first lap: stored at index 0 and not counted.
      {kStartSoundSignalBis,
       {{0, 30000, 0, 0}, {1, 62000, 32000, 0}, {2, 93000, 31000, 1}, {3, 125000, 31000, 0}}},
      // The car's race time starts at its first passing.
      {kStartStaggered,
       {{0, 0, 0, 0}, {1, 32000, 32000, 0}, {2, 63000, 31000, 1}, {3, 95000, 31000, 0}}},
  };
  for (const Case& c : cases) {
    parameters().startType = c.startType;
    parameters().duration = 10;
    Load({"Alain"});
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(testing::Message() << c.startType << " passing " << i + 1);
      Pass(1, at[i]);
      const SeriesResultEntry& s = slot(1);
      const After& e = c.after[i];
      EXPECT_EQ(s.passingCount, e.passings);
      EXPECT_EQ(s.laps, e.passings);
      EXPECT_EQ(s.raceTime, e.raceTime);
      EXPECT_EQ(s.passingTimes[e.passings], e.raceTime);
      EXPECT_EQ(s.lapTimes[e.passings], i == 0 ? at[0] : at[i] - at[i - 1]);
      EXPECT_EQ(s.bestLap, e.bestLap);
      EXPECT_EQ(s.newBest, e.newBest);
      EXPECT_EQ(s.passed, 0);  // shown, then cleared
    }
    EXPECT_EQ(slot(1).startOffset, c.startType == kStartStaggered ? 30000 : 0);
  }
}

TEST_F(PassingTest, AFirstPassingAtTheVeryStartIsStillTheFirstOnlyOnce) {
  // At 0 ms the start offset and the first lap time stay 0: the next passing must count a lap
  // all the same, not start the car's race again.
  for (std::string_view startType : {kStartStaggered, kStartSoundSignalBis}) {
    SCOPED_TRACE(startType);
    parameters().startType = startType;
    parameters().duration = 10;
    Load({"Alain"});
    Pass(1, 0);
    Pass(1, 31000);
    EXPECT_EQ(slot(1).laps, 1);
    EXPECT_EQ(slot(1).raceTime, 31000);
    Pass(1, 32000);  // within the minimum lap time: rejected, not a first passing
    EXPECT_EQ(slot(1).laps, 1);
  }
}

// One passing and whether its car has finished after it.
struct Step {
  int slot;
  int32_t at;
  int32_t finished;
};

class FinishRuleTest : public PassingTest {
 protected:
  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      SCOPED_TRACE(testing::Message() << "slot " << step.slot << " at " << step.at);
      Pass(step.slot, step.at);
      EXPECT_EQ(slot(step.slot).finished, step.finished);
    }
  }
};

TEST_F(FinishRuleTest, StaggeredCarsFinishOnTheirOwnRaceTime) {
  parameters().startType = kStartStaggered;
  Load({"Alain", "Bruno"});
  Run({{1, 5000, 0},
       {2, 20000, 0},
       {1, 25000, 0},
       {1, 45000, 0},
       {2, 45000, 0},
       {1, 65000, 1},  // 60 s of its own race: at the duration
       {2, 70000, 0},  // 50 s
       {1, 85000, 1},  // finished: ignored
       {2, 95000, 1}});
  EXPECT_EQ(slot(1).raceTime, 60000);
  EXPECT_EQ(slot(1).laps, 3);
  EXPECT_EQ(slot(2).raceTime, 75000);
}

TEST_F(FinishRuleTest, FinishLapTheLeaderFirstThenEveryCarAtItsNextPassing) {
  parameters().endRuleByTime = kEndTimeFinishLap;
  Load({"Alain", "Bruno", "Chloé"});
  Run({{1, 25000, 0}, {2, 31000, 0}, {3, 40000, 0}, {1, 50000, 0},
       {2, 62000, 0}});  // past the time but not leading
  EXPECT_EQ(hooks.writes, 0);
  Run({{1, 75000, 1}});
  // The leader's row shows it at once, and the live file is written for it.
  EXPECT_EQ(series->rows[0].finished, 1);
  EXPECT_EQ(series->rankingEntries[0].finished, 1);
  EXPECT_EQ(hooks.writes, 1);
  Run({{3, 80000, 1}, {2, 93000, 1}, {1, 100000, 1}});
  EXPECT_EQ(slot(1).laps, 3);
  EXPECT_EQ(hooks.writes, 3);
  EXPECT_EQ(hooks.refreshes, (std::vector<int32_t>{2, 2, 2}));
}

TEST_F(FinishRuleTest, TwoMoreLapsAfterTheLeadersTimeWithTheBell) {
  parameters().endRuleByTime = kEndTimeTwoMoreLaps;
  SoundOn(kSoundPassing);
  SoundOn(kSoundCarFinished);
  Load({"Alain", "Bruno"});
  // Alain laps in 3 s, Bruno in 3.4 s.
  std::vector<Step> steps;
  for (int lap = 1; lap <= 19; ++lap) steps.push_back({1, lap * 3000, 0});
  for (int lap = 1; lap <= 17; ++lap) steps.push_back({2, lap * 3400, 0});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const Step& a, const Step& b) { return a.at < b.at; });
  Run(steps);
  NewSounds();
  EXPECT_EQ(state.finishTargetLaps, 0);

  Run({{1, 60000, 0}});  // 20 laps at the time: two more to go
  EXPECT_EQ(state.finishTargetLaps, 22);
  EXPECT_EQ(NewSounds(), (Sounds{"sons/cloche.wav"}));
  Run({{2, 61200, 0}, {1, 63000, 0}, {2, 64600, 0}});
  EXPECT_EQ(NewSounds(), (Sounds{kBeep, kBeep, kBeep}));  // the bell rings once
  Run({{1, 66000, 1}, {2, 68000, 1}});
  EXPECT_EQ(NewSounds(), (Sounds{"sons/FinCourse1.wav", "sons/FinCourse2.wav"}));
  EXPECT_EQ(slot(2).laps, 20);
}

TEST_F(FinishRuleTest, ACarAlreadyPastTheTargetFinishesAtItsNextPassing) {
  // Under the best-lap order the leader may have fewer laps than others: Bruno has 12 when
  // Alain's time is up at 9 laps and fixes the target at 11.
  parameters().rankingMode = kRankByBestLap;
  parameters().endRuleByTime = kEndTimeTwoMoreLaps;
  Load({"Alain", "Bruno"});
  std::vector<Step> steps;
  for (int32_t t = 30000; t <= 58000; t += 4000) steps.push_back({1, t, 0});
  for (int32_t t = 5000; t <= 60000; t += 5000) steps.push_back({2, t, 0});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const Step& a, const Step& b) { return a.at < b.at; });
  Run(steps);
  Run({{1, 62000, 0}});
  EXPECT_EQ(state.finishTargetLaps, 11);
  Run({{2, 65000, 1}});
  EXPECT_EQ(slot(2).laps, 13);
}

TEST_F(FinishRuleTest, EndRulesOfASeriesByLaps) {
  struct Case {
    std::string_view endRule;
    std::vector<int32_t> finished;  // after each passing below
    int stops;
    int32_t lastLaps;  // of Bruno
    Sounds finishSounds;
  };
  const std::vector<std::pair<int, int32_t>> passings = {
      {1, 10000}, {2, 20000}, {1, 20000}, {1, 30000}, {2, 40000}, {2, 60000}};
  const Case cases[] = {
      // The first car at the lap count stops the series; the stop's own sound replaces the
      // announcement.
      {kEndLapsSoundSignal, {0, 0, 0, 1, 1, 1}, 1, 1, {}},
      {kEndLapsFinishLap, {0, 0, 0, 1, 1, 1}, 0, 2, {"sons/FinCourse1.wav",
                                                     "sons/FinCourse2.wav"}},
      {kEndLapsAllLaps, {0, 0, 0, 1, 0, 1}, 0, 3, {"sons/FinCourse1.wav",
                                                   "sons/FinCourse2.wav"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.endRule);
    parameters().durationKind = kDurationByLaps;
    parameters().laps = 3;
    parameters().endRuleByLaps = c.endRule;
    SoundOn(kSoundCarFinished);
    Load({"Alain", "Bruno"});
    hooks.stops = 0;
    NewSounds();
    std::vector<Step> steps;
    for (std::size_t i = 0; i < passings.size(); ++i) {
      steps.push_back({passings[i].first, passings[i].second, c.finished[i]});
    }
    Run(steps);
    EXPECT_EQ(hooks.stops, c.stops);
    EXPECT_EQ(slot(2).laps, c.lastLaps);
    EXPECT_EQ(NewSounds(), c.finishSounds);
  }
}

TEST_F(FinishRuleTest, ReachingThePassingCapacityStopsATimeSeries) {
  parameters().passingCapacity = 3;
  parameters().duration = 10;
  SoundOn(kSoundCarFinished);
  Load({"Alain", "Bruno"});
  Run({{1, 10000, 0}, {2, 11000, 0}, {1, 20000, 0}, {2, 22000, 0}});
  EXPECT_EQ(hooks.stops, 0);
  Run({{1, 30000, 1}, {2, 33000, 1}});
  EXPECT_EQ(hooks.stops, 1);
  EXPECT_EQ(slot(2).laps, 2);
  EXPECT_TRUE(NewSounds().empty());  // the stop's sound, not an announcement
}

TEST_F(PassingTest, RecordLapKeepsWithinTheLastPassingTime) {
  parameters().durationKind = kDurationByLaps;
  parameters().laps = 5000;
  SoundOn(kSoundPassing);
  Load({"Alain"});
  SeriesResultEntry& s = slot(1);
  s.passingCount = s.laps = kMaxPassings;
  s.raceTime = 90000000;
  s.passingTimes[kMaxPassings] = 90000000;
  NewSounds();
  Pass(1, 90030000);
  EXPECT_EQ(s.passingCount, kMaxPassings);
  EXPECT_EQ(s.laps, kMaxPassings);
  EXPECT_EQ(s.raceTime, 90000000);
  EXPECT_EQ(s.passed, 0);
  EXPECT_TRUE(NewSounds().empty());
  EXPECT_EQ(hooks.redraws, 0);
}

TEST_F(PassingTest, CarsWithoutLapsFollowTheFirstPasserLaterSlotFirst) {
  Load({"Alain", "Bruno", "Chloé"});
  Pass(2, 5000);
  const std::string names[] = {"Bruno", "Chloé", "Alain"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(series->rows[i].name.view(), names[i]);
  EXPECT_EQ(series->rows[0].passed, 1);  // the board highlights the car just passed
  EXPECT_EQ(series->rows[0].laps.view(), "1");
  EXPECT_EQ(series->rows[0].position.view(), "1");
  EXPECT_EQ(slot(2).positions[1], 1);
}

TEST_F(PassingTest, AnUncountedFirstPassingRanksAboveTheCarsNotYetSeen) {
  // Started at the signal, lap two: the first crossing counts no lap but gives a race time.
  parameters().startType = kStartSoundSignalBis;
  parameters().duration = 10;
  Load({"Alain", "Bruno", "Chloé", "Denis"});
  Pass(1, 5000);
  Pass(3, 6000);
  EXPECT_EQ(slot(1).laps, 0);
  EXPECT_EQ(slot(1).raceTime, 5000);
  const std::string names[] = {"Alain", "Chloé", "Denis", "Bruno"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(series->rows[i].name.view(), names[i]);
  EXPECT_EQ(series->rows[0].laps.view(), "0");
  EXPECT_EQ(series->rows[0].position.view(), "1");
  EXPECT_EQ(series->rows[0].totalTime.view(), "0:05.000");
  EXPECT_EQ(series->rows[1].totalTime.view(), "0:06.000");
}

TEST_F(PassingTest, TheFastestLapFlagGoesToTheLatestHolderOfTheSeriesBest) {
  Load({"Alain", "Bruno"});
  struct Step {
    int slot;
    int32_t at;
    int holder;  // slot with the flag after the passing, 0 none
  };
  const Step steps[] = {
      {1, 10000, 0}, {2, 12000, 0},
      {1, 41500, 1},  // best 31.5 s
      {2, 43500, 2},  // the same best, later: takes the flag
      {1, 80000, 1},  // a slower lap, best still equal: takes it back
  };
  for (const Step& step : steps) {
    Pass(step.slot, step.at);
    EXPECT_EQ(slot(1).fastestLap, step.holder == 1 ? 1 : 0) << step.at;
    EXPECT_EQ(slot(2).fastestLap, step.holder == 2 ? 1 : 0) << step.at;
  }
  EXPECT_EQ(state.seriesBestLap, 31500);
}

TEST_F(PassingTest, AutomaticStopOnTimeUpOrWhenEveryCarIsDone) {
  struct Case {
    std::string_view durationKind;
    std::string_view endRuleByTime;
    int32_t hours, minutes, seconds;
    int stops;
  };
  const Case cases[] = {
      {kDurationByTime, kEndTimeSoundSignal, 0, 0, 0, 1},
      {kDurationByTime, kEndTimeSoundSignal, 0, 0, 1, 0},
      {kDurationByTime, kEndTimeSoundSignal, 0, -1, -5, 1},  // a late clock, past 0:00:00
      {kDurationByTime, kEndTimeSoundSignal, 1, 0, 0, 0},
      {kDurationByTime, kEndTimeFinishLap, 0, 0, 0, 0},  // the cars finish their lap
      {kDurationByLaps, kEndTimeFinishLap, 0, 0, 0, 1},  // the time limit of a series by laps
  };
  for (const Case& c : cases) {
    parameters().durationKind = c.durationKind;
    parameters().endRuleByTime = c.endRuleByTime;
    Load({"Alain"});
    hooks.stops = 0;
    state.raceClock.remainingHours = c.hours;
    state.raceClock.remainingMinutes = c.minutes;
    state.raceClock.remainingSeconds = c.seconds;
    CheckAutomaticStop(race());
    EXPECT_EQ(hooks.stops, c.stops) << c.durationKind << " " << c.endRuleByTime << " "
                                    << c.hours << ":" << c.minutes << ":" << c.seconds;
  }

  // A car that abandoned is done; one with a time penalty still races.
  parameters().durationKind = kDurationByTime;
  Load({"Alain", "Bruno", "Chloé"});
  state.raceClock.remainingSeconds = 30;
  hooks.stops = 0;
  slot(1).finished = 1;
  slot(2).penaltyIndex = kAbandonmentIndex;
  slot(3).penaltyIndex = 2;
  CheckAutomaticStop(race());
  EXPECT_EQ(hooks.stops, 0);
  slot(3).finished = 1;
  CheckAutomaticStop(race());
  EXPECT_EQ(hooks.stops, 1);
}

TEST(RaceSoundFile, BySoundAndLanguage) {
  SoundSettings sounds;
  auto custom = std::make_unique<CustomSounds>();
  for (int i = 0; i < kCustomSoundCount; ++i) (*custom)[i] = "perso" + std::to_string(i);
  (*custom)[2].clear();  // no own best-lap sound chosen
  struct Case {
    RaceSound sound;
    int32_t slot;
    const char* french;
    const char* english;
    const char* own;
    const char* other;
  };
  const Case cases[] = {
      {RaceSound::Start, 0, "sons/foghorn.wav", "sons/foghorn.wav", "perso0", "sons/foghorn.wav"},
      {RaceSound::Passing, 0, "sons/beep1.wav", "sons/beep1.wav", "perso1", "sons/beep1.wav"},
      {RaceSound::BestLap, 0, "sons/youpi.wav", "sons/youpi.wav", "", "sons/youpi.wav"},
      {RaceSound::Rejection, 0, "sons/buzz.wav", "sons/buzz.wav", "perso3", "sons/buzz.wav"},
      {RaceSound::Bell, 0, "sons/cloche.wav", "sons/cloche.wav", "perso4", "sons/cloche.wav"},
      {RaceSound::CarFinished, 1, "sons/FinCourse1.wav", "sons/FinCourse1GB.wav", "perso6", ""},
      {RaceSound::CarFinished, 50, "sons/FinCourse50.wav", "sons/FinCourse50GB.wav", "perso55",
       ""},
  };
  const std::string_view languages[] = {kSoundLanguageFrench, kSoundLanguageEnglish,
                                        kSoundLanguageCustom, "SONLANGUEAutre"};
  for (const Case& c : cases) {
    const char* expected[] = {c.french, c.english, c.own, c.other};
    for (int l = 0; l < 4; ++l) {
      sounds.lines[kSoundLanguage] = languages[l];
      EXPECT_EQ(RaceSoundFile(c.sound, c.slot, sounds, *custom), expected[l])
          << static_cast<int>(c.sound) << " " << languages[l];
    }
  }
}

TEST_F(PassingTest, SoundsOfPassingsNewBestsAndFinishes) {
  parameters().duration = 2;
  SoundOn(kSoundPassing);
  SoundOn(kSoundBestLap);
  SoundOn(kSoundCarFinished);
  sounds.lines[kSoundLanguage] = kSoundLanguageEnglish;
  Load({"Alain", "Bruno"});
  const int32_t at[] = {10000, 42000, 73000, 105000, 137000, 170000};
  const Sounds expected[] = {{kBeep}, {kBeep}, {"sons/youpi.wav"}, {kBeep},
                             {"sons/FinCourse2GB.wav"}, {}};  // past 2 min; then finished
  for (int i = 0; i < 6; ++i) {
    Pass(2, at[i]);
    EXPECT_EQ(NewSounds(), expected[i]) << at[i];
  }
}

TEST_F(PassingTest, PublishingWritesRefreshesAndUploadsWhenLive) {
  Load({"Alain", "Bruno"});
  series->seriesTitle = " Course - EL1 - Série1 ";
  webEventInfo.videoLink = "http://video";
  internationalEvent = 1;
  struct Case {
    int32_t connected, activated, uploads;
  };
  for (const Case c : {Case{0, 0, 0}, Case{1, 0, 0}, Case{0, 1, 0}, Case{1, 1, 1}}) {
    webEventInfo.connected = c.connected;
    webEventInfo.activated = c.activated;
    hooks.uploads = 0;
    EXPECT_TRUE(PublishLiveFile(race(), 2));
    EXPECT_EQ(hooks.uploads, c.uploads) << c.connected << c.activated;
  }
  EXPECT_EQ(hooks.writtenTitle, " Course - EL1 - Série1 ");
  EXPECT_EQ(hooks.writtenVideoLink, "http://video");
  EXPECT_EQ(hooks.writtenRowCount, 2);
  EXPECT_EQ(hooks.writtenNationFlag, 1);
  EXPECT_EQ(hooks.writtenRows[1].name.view(), "Bruno");
  EXPECT_EQ(hooks.refreshes, (std::vector<int32_t>{2, 2, 2, 2}));

  // A file that cannot be written is reported once, not at every passing; the screen is still
  // told and the work goes on, but what the disk holds (an older or a partial file) is not sent.
  hooks.writeSucceeds = false;
  hooks.uploads = 0;
  EXPECT_FALSE(PublishLiveFile(race(), 2));
  EXPECT_FALSE(PublishLiveFile(race(), 2));
  EXPECT_EQ(hooks.statuses, (std::vector<std::string>{std::string(kLiveFileNotFound)}));
  EXPECT_EQ(hooks.refreshes.size(), 6u);
  EXPECT_EQ(hooks.uploads, 0);
  hooks.writeSucceeds = true;
  EXPECT_TRUE(PublishLiveFile(race(), 2));
  EXPECT_EQ(hooks.uploads, 1);
  hooks.writeSucceeds = false;
  EXPECT_FALSE(PublishLiveFile(race(), 2));
  EXPECT_EQ(hooks.statuses.size(), 2u);
  EXPECT_EQ(hooks.uploads, 1);
}

// A series on a KV2/KV3 decoder with what a track throws at it, through the passing procedure:
// every passing the decoder saw counts at the decoder's own time (shifted by where a restarted
// clock started), and nothing else counts.
class DecoderFaultTest : public PassingTest {
 protected:
  // A passing as the series reads it: the slot of its transponder (0: one outside the series,
  // kFoundAgain: no passing, the link was lost and found again), the decoder's clock, and the
  // series' clock when read.
  static constexpr int kFoundAgain = -1;
  struct Read {
    int slot;
    int32_t decoderMs;
    int64_t readMs;
  };
  struct Scenario {
    std::vector<Read> reads;
    std::vector<std::vector<int32_t>> counted = std::vector<std::vector<int32_t>>(kMaxSeriesSlots);

    // A passing the decoder saw, which counts at countsAt.
    void pass(int slot, int32_t decoderMs, int64_t readMs, int32_t countsAt) {
      reads.push_back({slot, decoderMs, readMs});
      counted[slot - 1].push_back(countsAt);
    }
  };
  // Cars 1 to cars lapping steadily from the start until endMs, as the line sees them in turn:
  // {series ms, slot}. Car k laps in baseLap + k × stepMs.
  static std::vector<std::pair<int64_t, int>> Crossings(int cars, int64_t endMs,
                                                        int64_t baseLap = 30000,
                                                        int64_t stepMs = 700) {
    std::vector<std::pair<int64_t, int>> crossings;
    for (int k = 1; k <= cars; ++k) {
      const int64_t lap = baseLap + stepMs * k;
      for (int64_t t = lap; t <= endMs; t += lap) crossings.emplace_back(t, k);
    }
    std::sort(crossings.begin(), crossings.end());
    return crossings;
  }

  void Run(const Scenario& scenario, int cars, bool counter = true) {
    std::vector<std::string> names;
    for (int k = 1; k <= cars; ++k) names.push_back("Car " + std::to_string(k));
    Load(names);
    hooks.statuses.clear();
    hooks.frequency = counter ? 1000 : 0;
    state.raceClock.startTick = 5000000;
    for (const Read& r : scenario.reads) {
      if (r.slot == kFoundAgain) {
        NoteDecoderFoundAgain(state);
        continue;
      }
      hooks.count = r.readMs;
      hooks.tick = state.raceClock.startTick + r.readMs;
      PassingTime time;
      time.link = DecoderLink::UsbDecoder;
      time.decoderTime = r.decoderMs;
      HandlePassing(race(), r.slot == 0 ? "000999" : TransponderOf(r.slot), time);
    }
    for (int k = 1; k <= cars; ++k) {
      SCOPED_TRACE(k);
      const std::vector<int32_t>& expected = scenario.counted[k - 1];
      ASSERT_EQ(slot(k).passingCount, static_cast<int32_t>(expected.size()));
      for (std::size_t p = 0; p < expected.size(); ++p) {
        ASSERT_EQ(slot(k).passingTimes[p + 1], expected[p]) << p + 1;
      }
    }
  }
};

TEST_F(DecoderFaultTest, EveryLapCountsAtTheDecodersTimeAndNothingElse) {
  struct Case {
    const char* name;
    int cars;
    bool counter;
    std::function<Scenario()> build;
    std::vector<std::string> statuses;
  };
  // Passings read as they happen on a decoder whose clock matches the series', with more reads
  // slipped in at the series time of the first of them.
  auto steady = [](int cars, int64_t endMs, std::vector<Read> extra) {
    Scenario s;
    for (const auto& [t, k] : Crossings(cars, endMs)) {
      const int64_t at = extra.front().readMs;
      if (t > at && s.reads.back().readMs <= at) {
        s.reads.insert(s.reads.end(), extra.begin(), extra.end());
      }
      s.pass(k, static_cast<int32_t>(t), t, static_cast<int32_t>(t));
    }
    return s;
  };
  // The decoder loses its power at 300 s and is back at 305 s with its clock from 0; with the link
  // lost and found again in between when told.
  auto restart = [](bool foundAgain) {
    Scenario s;
    for (const auto& [t, k] : Crossings(3, 600000)) {
      if (t >= 300000 && t < 305000) continue;  // the decoder was off: no passing
      if (t >= 305000 && foundAgain && s.reads.back().slot != kFoundAgain &&
          s.reads.back().readMs < 305000) {
        s.reads.push_back({kFoundAgain, 0, 305000});
      }
      const int32_t clock = static_cast<int32_t>(t < 305000 ? t : t - 305000);
      s.pass(k, clock, t, static_cast<int32_t>(t));
    }
    return s;
  };
  // A 24-hour round on a decoder whose crystal is ppm parts per million off the PC's.
  auto drifting = [](int ppm) {
    Scenario s;
    for (const auto& [t, k] : Crossings(2, 24 * 3600000LL)) {
      const auto clock = static_cast<int32_t>(t + t * ppm / 1000000);
      s.pass(k, clock, t, clock);
    }
    return s;
  };
  const Case cases[] = {
      {"a spoiled message behind the clock, of a car in the series", 3, true,
       [&] { return steady(3, 300000, {{1, 2000, 122100}}); },
       {"Passage 001001 ignoré : temps 2.000 en arrière de la course."}},
      {"a spoiled message behind the clock, of a transponder outside the series", 3, true,
       [&] { return steady(3, 300000, {{0, 2000, 122100}}); },
       {"Passage 000999 ignoré : temps 2.000 en arrière de la course."}},
      {"a spoiled message four hours ahead", 3, true,
       [&] { return steady(3, 300000, {{1, 15540000, 122100}}); },
       {"Passage 001001 ignoré : temps 4:19:00.000 au-delà de la course."}},
      // The decoder kept its clock (a cable pulled): the spoiled message taken for a restart is
      // undone by the passings that follow, which agree on the clock as it was.
      {"a spoiled message behind the clock right after the link was found again", 3, true,
       [&] { return steady(3, 300000, {{kFoundAgain, 0, 122100}, {0, 2000, 122100}}); },
       {"Horloge du décodeur repartie à zéro : temps recalés à 2:02.100.",
        "Horloge du décodeur en avance : temps recalés à 2:02.800."}},
      {"two cars read 3 s out of order", 3, true,
       [] {
         Scenario s;
         for (const auto& [t, k] : Crossings(3, 300000)) {
           // Car 2's passings reach the PC 3 s late, after those of the others meanwhile.
           const int64_t read = k == 2 ? t + 3000 : t;
           s.pass(k, static_cast<int32_t>(t), read, static_cast<int32_t>(t));
         }
         std::stable_sort(s.reads.begin(), s.reads.end(),
                          [](const Read& a, const Read& b) { return a.readMs < b.readMs; });
         return s;
       },
       {}},
      {"50 passings buffered over a 20 s link gap", 30, true,
       [] {
         Scenario s;
         int buffered = 0;
         for (const auto& [t, k] : Crossings(30, 200000, 9000, 100)) {
           const bool gap = t > 100000 && t <= 120000;
           buffered += gap;
           s.pass(k, static_cast<int32_t>(t), gap ? 120000 : t, static_cast<int32_t>(t));
         }
         EXPECT_GE(buffered, 50);
         return s;
       },
       {}},
      {"a decoder clock that restarts from 0", 3, true, [&] { return restart(false); },
       {"Horloge du décodeur repartie à zéro : temps recalés à 5:07.000."}},
      {"a restart with the link lost and found again", 3, true, [&] { return restart(true); },
       {"Horloge du décodeur repartie à zéro : temps recalés à 5:07.000."}},
      // Without a counter the race clock's ticks tell when the new clock started.
      {"a restart without a performance counter", 3, false, [&] { return restart(false); },
       {"Horloge du décodeur repartie à zéro : temps recalés à 5:07.000."}},
      {"24 hours on a decoder 300 ppm fast", 2, true, [&] { return drifting(300); }, {}},
      {"24 hours on a decoder 300 ppm slow", 2, true, [&] { return drifting(-300); }, {}},
  };
  parameters().duration = 24 * 60 + 30;
  parameters().passingCapacity = 3000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Run(c.build(), c.cars, c.counter);
    EXPECT_EQ(hooks.statuses, c.statuses);
  }
}

TEST_F(PassingTest, KV1PassingsAreTimedByThePerformanceCounter) {
  Load({"Alain"});
  state.pcStartCount = 1000000;
  hooks.frequency = 1000000;  // microseconds
  PassingTime time;
  time.link = DecoderLink::Interface;
  time.performanceCount = 31000000;
  HandlePassing(race(), TransponderOf(1), time);
  EXPECT_EQ(slot(1).elapsedTime, 30000);
  EXPECT_EQ(slot(1).passingTick, 31000000);
  EXPECT_EQ(slot(1).raceTime, 30000);

  // Without a counter the elapsed time stays: a lap of 0 ms, rejected.
  hooks.frequency = 0;
  time.performanceCount = 63000000;
  HandlePassing(race(), TransponderOf(1), time);
  EXPECT_EQ(slot(1).elapsedTime, 30000);
  EXPECT_EQ(slot(1).laps, 1);
}

class FirstCarTest : public PassingTest {
 protected:
  void Arm(std::string_view durationKind, int32_t laps, std::string_view endRuleByLaps) {
    parameters().startType = kStartFirstCar;
    parameters().durationKind = durationKind;
    parameters().duration = 90;
    parameters().laps = laps;
    parameters().endRuleByLaps = endRuleByLaps;
    series->lapSeriesTimeLimit = 6;
    Load({"Alain", "Bruno"});
    state.running = 0;
    state.armed = 1;
    series->startingListShown = series->startingListShownForScan = 1;
    hooks.tick = 777000;
  }

  void PassFirst(int slotNumber, int32_t ms) {
    PassingTime time;
    time.link = DecoderLink::UsbDecoder;
    time.decoderTime = ms;
    HandleFirstCarPassing(race(), TransponderOf(slotNumber), time);
  }
};

TEST_F(FirstCarTest, TheFirstPassingStartsTheRaceAndSetsTheOrigin) {
  SoundOn(kSoundStart);
  Arm(kDurationByTime, 1, kEndLapsFinishLap);
  PassFirst(2, 123456);
  EXPECT_EQ(state.running, 1);
  EXPECT_EQ(state.armed, 0);
  EXPECT_TRUE(state.seriesTimeOriginSet);
  EXPECT_EQ(state.seriesTimeOrigin, 123456);
  EXPECT_EQ(series->startingListShown + series->startingListShownForScan, 0);
  EXPECT_EQ(state.raceClock.startTick, 777000);
  EXPECT_EQ(state.raceClock.lastRefreshTick, 777000);
  EXPECT_EQ(state.raceClock.remainingSeconds, 1);
  EXPECT_EQ(state.raceClock.lengthHours, 1);
  EXPECT_EQ(state.raceClock.lengthMinutes, 30);
  EXPECT_EQ(hooks.sounds, (Sounds{"sons/foghorn.wav"}));
  EXPECT_EQ(hooks.writes, 1);  // the start is published
  EXPECT_EQ(slot(2).passingCount, 1);
  EXPECT_EQ(slot(2).laps, 1);
  EXPECT_EQ(slot(2).raceTime, 0);
  EXPECT_EQ(slot(2).bestLap, 0);

  // The rest of the read: timed from the origin, without a second start.
  PassFirst(1, 125000);
  EXPECT_EQ(slot(1).raceTime, 1544);
  PassFirst(1, 126000);  // a lap of 1 s: dropped
  EXPECT_EQ(slot(1).laps, 1);
  EXPECT_EQ(hooks.writes, 1);
  EXPECT_EQ(hooks.sounds.size(), 1u);
  EXPECT_EQ(series->rows[0].name.view(), "Bruno");

  // The next reads go through the passing procedure against the same origin.
  Pass(2, 155456);
  EXPECT_EQ(slot(2).raceTime, 32000);
  EXPECT_EQ(slot(2).bestLap, 32000);
}

TEST_F(FirstCarTest, ALapExactlyAtTheMinimumIsRefusedAndOneMillisecondMoreCounts) {
  lapProtectionTime = 2;
  Arm(kDurationByTime, 1, kEndLapsFinishLap);
  PassFirst(2, 100000);
  PassFirst(2, 102000);
  EXPECT_EQ(slot(2).laps, 1);
  PassFirst(2, 102001);
  EXPECT_EQ(slot(2).laps, 2);
  EXPECT_EQ(slot(2).raceTime, 2001);
}

TEST_F(FirstCarTest, AKV1FirstPassingTakesItsOriginFromTheCounter) {
  Arm(kDurationByTime, 1, kEndLapsFinishLap);
  state.pcStartCount = 5000;
  hooks.frequency = 1000;
  PassingTime time;
  time.link = DecoderLink::Interface;
  time.performanceCount = 17000;
  HandleFirstCarPassing(race(), TransponderOf(1), time);
  EXPECT_EQ(state.seriesTimeOrigin, 12000);
  EXPECT_EQ(slot(1).elapsedTime, 0);
  time.performanceCount = 20500;
  HandleFirstCarPassing(race(), TransponderOf(2), time);
  EXPECT_EQ(slot(2).raceTime, 3500);
}

TEST_F(FirstCarTest, ASeriesOfOneLapEndsAtTheFirstPassing) {
  SoundOn(kSoundCarFinished);
  Arm(kDurationByLaps, 1, kEndLapsFinishLap);
  PassFirst(1, 50000);
  EXPECT_EQ(slot(1).finished, 1);
  PassFirst(1, 53000);  // finished: no more laps
  EXPECT_EQ(slot(1).laps, 1);
  EXPECT_EQ(hooks.sounds, (Sounds{"sons/FinCourse1.wav"}));
  EXPECT_EQ(hooks.writes, 1);  // the start only: a car finishing here is not published
  EXPECT_EQ(state.raceClock.lengthHours, 6);
  EXPECT_EQ(state.raceClock.lengthMinutes, 0);

  // At the signal: the stop ends the series, and the rest of the read neither restarts it nor
  // counts laps.
  Arm(kDurationByLaps, 1, kEndLapsSoundSignal);
  hooks.sounds.clear();
  hooks.stops = 0;
  PassFirst(1, 50000);
  EXPECT_EQ(hooks.stops, 1);
  EXPECT_TRUE(hooks.sounds.empty());
  EXPECT_EQ(state.running, 0);
  PassFirst(2, 51000);
  EXPECT_EQ(state.running, 0);
  EXPECT_EQ(slot(2).laps, 0);
  EXPECT_EQ(hooks.stops, 1);
}

}  // namespace
}  // namespace zd
