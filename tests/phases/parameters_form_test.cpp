#include "phases/parameters_form.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "files/series_sections.h"

namespace zd {
namespace {

using C = FormControl;

constexpr C kChoices[] = {C::RankByLapsAndTime, C::RankByBestLap,     C::DurationByTime,
                          C::DurationByLaps,    C::StartSoundSignal,  C::FirstPassingCounted,
                          C::StartFirstCar,     C::StartStaggered,    C::EndTimeSoundSignal,
                          C::EndTimeFinishLap,  C::EndTimeTwoMoreLaps, C::EndLapsSoundSignal,
                          C::EndLapsFinishLap,  C::EndLapsAllLaps};
constexpr C kEndRules[] = {C::EndTimeSoundSignal, C::EndTimeFinishLap, C::EndTimeTwoMoreLaps,
                           C::EndLapsSoundSignal, C::EndLapsFinishLap, C::EndLapsAllLaps};

std::vector<C> Checked(const ParametersForm& form) {
  std::vector<C> checked;
  for (C c : kChoices) {
    if (form.view(c).checked) checked.push_back(c);
  }
  return checked;
}

std::vector<C> EnabledEndRules(const ParametersForm& form) {
  std::vector<C> enabled;
  for (C c : kEndRules) {
    if (form.view(c).enabled) enabled.push_back(c);
  }
  return enabled;
}

std::string ParametersLine(const SeriesParameters& p) {
  return std::string(p.rankingMode.view()) + "\t" + std::string(p.durationKind.view()) + "\t" +
         std::to_string(p.passingCapacity) + "\t" + std::to_string(p.duration) + "\t" +
         std::to_string(p.laps) + "\t" + std::to_string(p.countdown) + "\t" +
         std::to_string(p.rest) + "\t" + std::string(p.startType.view()) + "\t" +
         std::string(p.endRuleByTime.view()) + "\t" + std::string(p.endRuleByLaps.view()) +
         "\t\r\n";
}

// A race file in the data folder with races "Open" and "Junior"; the tests select race 2.
class ParametersFormTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    ASSERT_EQ(::mkdir("Private", 0777), 0);
    NewRaceFile();
  }

  void NewRaceFile() {
    {
      TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Create);
      ASSERT_TRUE(InitialiseRaceFile(file).ok);
    }
    WriteHeader(20063);
  }

  void WriteHeader(int32_t selectionCode, int32_t rounds = 0) {
    RaceHeaderRecords records;
    ClearRaceHeaderRecords(records);
    records[0].name = "Open";
    records[1].name = "Junior";
    records[1].rounds = rounds;
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteRaceFileHeader(file, selectionCode, 2, records).ok);
  }
  void WriteParameters(RacePhase phase, const SeriesParameters& p, int race = 2) {
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteParametersSection(file, ParametersSectionTitle(race, phase), p).ok);
  }
  void WriteRound(int round, int32_t capacity) {
    auto table = std::make_unique<SeriesTable>();
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteRoundResultsSection(file, RoundTitle(2, round), *table, capacity, {}).ok);
  }
  ParametersForm Opened(RacePhase phase) {
    ParametersForm form(phase);
    EXPECT_TRUE(LoadParametersForm(form).ok);
    return form;
  }
  std::string RaceFile() { return test::ReadBytes(kRaceFilePath); }
  // The line of the race's section, as it stands in the file.
  std::string StoredLine(RacePhase phase, int race = 2) {
    const std::string file = RaceFile();
    const std::string title = ParametersSectionTitle(race, phase) + "\t\r\n";
    const std::size_t at = file.find(title);
    if (at == std::string::npos) return "(no section)";
    const std::size_t body = at + title.size();
    return file.substr(body, file.find("\r\n", body) + 2 - body);
  }
};

TEST_F(ParametersFormTest, ARaceWithoutItsSectionOpensWithTheDefaults) {
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds}) {
    SCOPED_TRACE(static_cast<int>(phase));
    const ParametersForm form = Opened(phase);
    EXPECT_EQ(form.race(), 2);
    EXPECT_EQ(form.raceName(), "Junior");
    EXPECT_EQ(Checked(form), (std::vector<C>{C::RankByLapsAndTime, C::DurationByTime,
                                             C::StartSoundSignal, C::FirstPassingCounted,
                                             C::EndTimeFinishLap, C::EndLapsFinishLap}));
    EXPECT_TRUE(form.view(C::Minutes).shown);
    EXPECT_FALSE(form.view(C::Laps).shown);
    EXPECT_EQ(form.view(C::Hours).shown, phase == RacePhase::Rounds);
    EXPECT_TRUE(form.view(C::EndByTimeGroup).enabled);
    EXPECT_FALSE(form.view(C::EndByLapsGroup).enabled);
    EXPECT_EQ(EnabledEndRules(form), (std::vector<C>{C::EndTimeSoundSignal, C::EndTimeFinishLap,
                                                     C::EndTimeTwoMoreLaps}));
    EXPECT_EQ(form.editText(C::Minutes), "1");
    EXPECT_EQ(form.editText(C::Laps), "1");
    EXPECT_EQ(form.editText(C::Countdown), "5");
    EXPECT_EQ(form.editText(C::Rest), "0");
    EXPECT_EQ(ParametersLine(form.record()),
              "CLASSEMENTToursTemps\tDUREESERIETemps\t" +
                  std::string(phase == RacePhase::Rounds ? "1000" : "150") +
                  "\t1\t1\t5\t0\tDEPARTSignalSonore\tFINTEMPSFinirTour\tFINTOURFinirTour\t\r\n");
  }
}

TEST_F(ParametersFormTest, TypedNumbersAreKeptWithinTheirLimits) {
  struct Case {
    C edit;
    const char* typed;
    std::vector<EditRewrite> rewrites;
    int32_t SeriesParameters::*field;
    int32_t stored;
  };
  const Case cases[] = {
      {C::Minutes, "75", {{C::Minutes, "60"}}, &SeriesParameters::duration, 60},
      {C::Minutes, "0", {}, &SeriesParameters::duration, 1},
      {C::Minutes, "", {}, &SeriesParameters::duration, 1},
      {C::Minutes, "60", {}, &SeriesParameters::duration, 60},
      {C::Laps, "200", {{C::Laps, "150"}}, &SeriesParameters::laps, 150},
      {C::Laps, "0", {}, &SeriesParameters::laps, 1},
      {C::Laps, "150", {}, &SeriesParameters::laps, 150},
      {C::Countdown, "5000", {{C::Countdown, "3600"}}, &SeriesParameters::countdown, 3600},
      {C::Countdown, "0", {}, &SeriesParameters::countdown, 0},
      {C::Rest, "99", {}, &SeriesParameters::rest, 99},
      {C::Rest, "", {}, &SeriesParameters::rest, 0},
  };
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(static_cast<int>(c.edit)) + " " + c.typed);
      ParametersForm form = Opened(phase);
      const std::vector<EditRewrite> rewrites = form.editChanged(c.edit, c.typed);
      ASSERT_EQ(rewrites.size(), c.rewrites.size());
      for (std::size_t i = 0; i < rewrites.size(); ++i) {
        EXPECT_EQ(rewrites[i].edit, c.rewrites[i].edit);
        EXPECT_EQ(rewrites[i].text, c.rewrites[i].text);
      }
      EXPECT_EQ(form.record().*c.field, c.stored);
      EXPECT_EQ(form.record().passingCapacity, 150);
    }
  }
}

TEST_F(ParametersFormTest, AStaggeredStartLeavesOnlyTheEndRulesWhereEveryCarEndsItsRun) {
  ParametersForm form = Opened(RacePhase::Practice);
  form.choose(C::EndTimeSoundSignal);
  form.choose(C::StartStaggered);
  form.choose(C::DurationByLaps);
  EXPECT_EQ(EnabledEndRules(form), std::vector<C>{C::EndLapsAllLaps});
  EXPECT_FALSE(form.view(C::FirstPassingCounted).shown);
  EXPECT_EQ(Checked(form), (std::vector<C>{C::RankByLapsAndTime, C::DurationByLaps,
                                           C::FirstPassingCounted, C::StartStaggered,
                                           C::EndTimeFinishLap, C::EndLapsAllLaps}));
  // A rule that is not enabled cannot be chosen.
  form.choose(C::EndLapsSoundSignal);
  EXPECT_EQ(form.record().endRuleByLaps.view(), kEndLapsAllLaps);

  form.choose(C::DurationByTime);
  EXPECT_EQ(EnabledEndRules(form), std::vector<C>{C::EndTimeFinishLap});

  // Another start type frees the rules of the current kind and keeps the forced choices.
  form.choose(C::StartFirstCar);
  EXPECT_EQ(EnabledEndRules(form), (std::vector<C>{C::EndTimeSoundSignal, C::EndTimeFinishLap,
                                                   C::EndTimeTwoMoreLaps}));
  form.choose(C::DurationByLaps);
  EXPECT_EQ(EnabledEndRules(form), (std::vector<C>{C::EndLapsSoundSignal, C::EndLapsFinishLap,
                                                   C::EndLapsAllLaps}));
  EXPECT_EQ(ParametersLine(form.record()),
            "CLASSEMENTToursTemps\tDUREESERIETours\t150\t1\t1\t5\t0\tDEPARTPremiereVoiture\t"
            "FINTEMPSFinirTour\tFINTOURFaireTousLesTours\t\r\n");
}

TEST_F(ParametersFormTest, TheSimultaneousStartKeyFollowsTheFirstPassingBox) {
  ParametersForm form = Opened(RacePhase::Qualifying);
  form.setFirstPassingCounted(false);
  EXPECT_EQ(form.record().startType.view(), kStartSoundSignalBis);
  form.choose(C::StartFirstCar);
  EXPECT_FALSE(form.view(C::FirstPassingCounted).shown);
  // Back to the simultaneous start: the box shows again as it was left, and the key with it.
  form.choose(C::StartSoundSignal);
  EXPECT_TRUE(form.view(C::FirstPassingCounted).shown);
  EXPECT_FALSE(form.view(C::FirstPassingCounted).checked);
  EXPECT_EQ(form.record().startType.view(), kStartSoundSignalBis);
  form.setFirstPassingCounted(true);
  EXPECT_EQ(form.record().startType.view(), kStartSoundSignal);
  // The box is set as it may be while hidden; the key stays the start chosen.
  form.choose(C::StartStaggered);
  form.setFirstPassingCounted(false);
  EXPECT_EQ(form.record().startType.view(), kStartStaggered);

  WriteParameters(RacePhase::Qualifying, [] {
    SeriesParameters p;
    p.startType = kStartSoundSignalBis;
    return p;
  }());
  const ParametersForm stored = Opened(RacePhase::Qualifying);
  EXPECT_TRUE(stored.view(C::StartSoundSignal).checked);
  EXPECT_FALSE(stored.view(C::FirstPassingCounted).checked);
}

// What is read is what the form shows and what "Valider" writes back.
TEST_F(ParametersFormTest, StoredValuesOutOfTheirLimitsOrUnknownOpenWithinThem) {
  struct Case {
    RacePhase phase;
    std::string stored;  // the section's line
    std::string written;
  };
  const Case cases[] = {
      {RacePhase::Practice,
       "CLASSEMENTMeilleurTour\tDUREESERIETours\t3000\t75\t200\t5000\t120\tDEPARTDecale\t"
       "FINTEMPSSignalSonore\tFINTOURFaireTousLesTours\t\r\n",
       "CLASSEMENTMeilleurTour\tDUREESERIETours\t150\t60\t150\t3600\t99\tDEPARTDecale\t"
       "FINTEMPSSignalSonore\tFINTOURFaireTousLesTours\t\r\n"},
      {RacePhase::Qualifying,
       "CLASSEMENT\tDUREE\t150\t0\t-4\t-1\t-1\tDEPART\tFIN\tFINTOUR\t\r\n",
       "CLASSEMENTToursTemps\tDUREESERIETemps\t150\t1\t1\t0\t0\tDEPARTSignalSonore\t"
       "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n"},
      {RacePhase::Rounds,
       "CLASSEMENTToursTemps\tDUREESERIETours\t150\t2000\t4000\t5\t0\tDEPARTSignalSonoreBis\t"
       "FINTEMPSFaire2Tours\tFINTOURSignalSonore\t\r\n",
       "CLASSEMENTToursTemps\tDUREESERIETours\t3000\t1440\t3000\t5\t0\tDEPARTSignalSonoreBis\t"
       "FINTEMPSFaire2Tours\tFINTOURSignalSonore\t\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    const std::string title = ParametersSectionTitle(2, c.phase);
    {
      TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
      ASSERT_TRUE(RewriteSection(file, title, filler::kParameters, c.stored.substr(0, c.stored.size() - 2) + "\n", "").ok);
    }
    const ParametersForm form = Opened(c.phase);
    ASSERT_TRUE(SaveParametersForm(form).ok);
    EXPECT_EQ(StoredLine(c.phase), c.written);
  }
}

TEST_F(ParametersFormTest, ARoundsCapacityFollowsItsDuration) {
  struct Case {
    C kind;
    const char* hours;
    const char* minutes;
    const char* laps;
    int32_t capacity;
  };
  const Case cases[] = {
      {C::DurationByTime, "6", "0", "1", 1000},
      {C::DurationByTime, "6", "1", "1", 3000},
      {C::DurationByLaps, "24", "0", "1000", 1000},
      {C::DurationByLaps, "0", "1", "1001", 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.hours) + " h " + c.minutes + " min " + c.laps + " laps");
    ParametersForm form = Opened(RacePhase::Rounds);
    form.choose(c.kind);
    form.editChanged(C::Hours, c.hours);
    form.editChanged(C::Minutes, c.minutes);
    form.editChanged(C::Laps, c.laps);
    EXPECT_EQ(form.record().passingCapacity, c.capacity);
  }
  // Laps beyond the capacity of a short round by time are not run, and are kept.
  ParametersForm form = Opened(RacePhase::Rounds);
  form.editChanged(C::Laps, "2500");
  form.editChanged(C::Hours, "2");
  EXPECT_EQ(form.record().passingCapacity, 1000);
  ASSERT_TRUE(SaveParametersForm(form).ok);
  EXPECT_EQ(StoredLine(RacePhase::Rounds),
            "CLASSEMENTToursTemps\tDUREESERIETemps\t1000\t121\t2500\t5\t0\tDEPARTSignalSonore\t"
            "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n");
}

TEST_F(ParametersFormTest, ARoundsDurationShowsInHoursAndMinutes) {
  SeriesParameters stored;
  stored.duration = 90;
  WriteParameters(RacePhase::Rounds, stored);
  ParametersForm form = Opened(RacePhase::Rounds);
  EXPECT_EQ(form.editText(C::Hours), "1");
  EXPECT_EQ(form.editText(C::Minutes), "30");
  EXPECT_EQ(form.editLimit(C::Laps), 4);

  // 24 hours is the most: the minutes go back to 0, typed before or after.
  std::vector<EditRewrite> rewrites = form.editChanged(C::Hours, "24");
  ASSERT_EQ(rewrites.size(), 2u);
  EXPECT_EQ(rewrites[0].edit, C::Hours);
  EXPECT_EQ(rewrites[0].text, "24");
  EXPECT_EQ(rewrites[1].edit, C::Minutes);
  EXPECT_EQ(rewrites[1].text, "0");
  EXPECT_EQ(form.record().duration, 1440);
  rewrites = form.editChanged(C::Minutes, "75");
  ASSERT_EQ(rewrites.size(), 2u);
  EXPECT_EQ(rewrites[1].text, "0");
  EXPECT_EQ(form.record().duration, 1440);

  EXPECT_TRUE(form.editChanged(C::Hours, "0").empty());
  EXPECT_EQ(form.record().duration, 1);
  rewrites = form.editChanged(C::Minutes, "75");
  ASSERT_EQ(rewrites.size(), 1u);
  EXPECT_EQ(rewrites[0].edit, C::Minutes);
  EXPECT_EQ(rewrites[0].text, "59");
  EXPECT_EQ(form.record().duration, 59);
  EXPECT_TRUE(form.editChanged(C::Minutes, "0").empty());
  EXPECT_EQ(form.record().duration, 1);
}

TEST_F(ParametersFormTest, ARoundRecordedWithRoomFor1000PassingsLowersTheLimits) {
  struct Case {
    std::vector<int32_t> rounds;  // the capacities of rounds 1, 2...; 0: no section
    int32_t roundsCount;
    int32_t maxHours, maxLaps;
  };
  const Case cases[] = {
      {{}, 0, 24, 3000},
      {{3000, 0}, 2, 24, 3000},
      {{3000, 1000}, 2, 6, 1000},
      // Only the rounds that the race header counts are looked at.
      {{3000, 1000}, 1, 24, 3000},
      {{1000}, -1, 24, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.rounds) + " " + std::to_string(c.roundsCount));
    NewRaceFile();
    WriteHeader(20083, c.roundsCount);
    for (std::size_t j = 0; j < c.rounds.size(); ++j) {
      if (c.rounds[j] != 0) WriteRound(static_cast<int>(j) + 1, c.rounds[j]);
    }
    SeriesParameters stored;
    stored.duration = 480;
    stored.laps = 1500;
    WriteParameters(RacePhase::Rounds, stored);
    ParametersForm form = Opened(RacePhase::Rounds);
    EXPECT_EQ(form.maxHours(), c.maxHours);
    EXPECT_EQ(form.maxLaps(), c.maxLaps);
    // What was stored opens within the limits.
    EXPECT_EQ(form.record().duration, std::min(480, 60 * c.maxHours));
    EXPECT_EQ(form.record().laps, std::min(1500, c.maxLaps));

    std::vector<EditRewrite> rewrites = form.editChanged(C::Hours, "7");
    EXPECT_EQ(form.editText(C::Hours), c.maxHours == 6 ? "6" : "7");
    EXPECT_EQ(rewrites.size(), c.maxHours == 6 ? 2u : 0u);
    rewrites = form.editChanged(C::Laps, "1500");
    EXPECT_EQ(form.record().laps, std::min(1500, c.maxLaps));
    EXPECT_EQ(rewrites.size(), c.maxLaps == 1000 ? 1u : 0u);
  }
}

TEST_F(ParametersFormTest, ValiderRewritesTheSectionOrAppendsIt) {
  SeriesParameters other;
  other.countdown = 30;
  WriteParameters(RacePhase::Practice, other, 1);
  ParametersForm form = Opened(RacePhase::Practice);
  form.choose(C::RankByBestLap);
  form.editChanged(C::Minutes, "12");
  form.editChanged(C::Rest, "7");
  ASSERT_TRUE(SaveParametersForm(form).ok);
  const std::string line =
      "CLASSEMENTMeilleurTour\tDUREESERIETemps\t150\t12\t1\t5\t7\tDEPARTSignalSonore\t"
      "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n";
  const std::string appended = RaceFile();
  EXPECT_EQ(StoredLine(RacePhase::Practice), line);
  EXPECT_EQ(StoredLine(RacePhase::Practice, 1), ParametersLine(other));

  // Again, in place: the file keeps its size.
  form.editChanged(C::Countdown, "10");
  ASSERT_TRUE(SaveParametersForm(form).ok);
  EXPECT_EQ(RaceFile().size(), appended.size());
  EXPECT_EQ(StoredLine(RacePhase::Practice),
            "CLASSEMENTMeilleurTour\tDUREESERIETemps\t150\t12\t1\t10\t7\tDEPARTSignalSonore\t"
            "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n");
}

TEST_F(ParametersFormTest, NothingIsReadOrWrittenWithoutTheRaceOfTheSelection) {
  // A SelectionCode that names no race of the file (race 3 of 2, or the event's nodes).
  for (int32_t code : {30063, 1000, 0}) {
    SCOPED_TRACE(code);
    WriteHeader(code);
    const std::string before = RaceFile();
    const ParametersForm form = Opened(RacePhase::Qualifying);
    EXPECT_EQ(form.race(), 0);
    EXPECT_EQ(form.raceName(), "");
    EXPECT_TRUE(SaveParametersForm(form).ok);
    EXPECT_EQ(RaceFile(), before);
  }

  ASSERT_EQ(std::remove(kRaceFilePath), 0);
  ParametersForm form(RacePhase::Rounds);
  const Outcome opened = LoadParametersForm(form);
  EXPECT_FALSE(opened.ok);
  EXPECT_EQ(opened.message, kRaceFileNotFound);
  EXPECT_EQ(form.editText(C::Countdown), "5");
  const Outcome saved = SaveParametersForm(form);
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.message, kRaceFileNotFound);
  EXPECT_EQ(RaceFile(), "");
}

}  // namespace
}  // namespace zd
