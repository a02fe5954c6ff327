#include "files/phase_sections.h"

#include <gtest/gtest.h>

#include <memory>

#include "test_support.h"

namespace zd {
namespace {

using test::Filler;
using test::ReadBytes;
using test::Repeat;
using test::TempDir;
using test::WriteBytes;

class PhaseSectionsTest : public test::NewRaceFileTest {};

TEST(PhaseSectionTitles, PhaseWordsAndRaceNumbers) {
  EXPECT_EQ(ParametersSectionTitle(1, RacePhase::Practice), "DadevuDore1EssaisParam\xE8tres");
  EXPECT_EQ(ParametersSectionTitle(3, RacePhase::Rounds), "DadevuDore3ManchesParam\xE8tres");
  EXPECT_EQ(ArrangementSectionTitle(2, RacePhase::Qualifying), "DadevuDore2RepartitionQualifs");
  EXPECT_EQ(ArrangementSectionTitle(1, RacePhase::Rounds), "DadevuDore1RepartitionManches");
  EXPECT_EQ(PointsSectionTitle(2, RacePhase::Practice), "DadevuDore2EssaisPoints");
  EXPECT_EQ(ClassementSectionTitle(3, RacePhase::Qualifying), "DadevuDore3QualifsClassement");
}

TEST_F(PhaseSectionsTest, ParametersWithEveryKeywordRoundTrip) {
  struct Case {
    SeriesParameters p;
    std::string line;
  };
  auto make = [](std::string_view mode, std::string_view kind, int32_t cap, int32_t minutes,
                 int32_t laps, int32_t countdown, int32_t rest, std::string_view start,
                 std::string_view endTime, std::string_view endLaps) {
    SeriesParameters p;
    p.rankingMode = mode;
    p.durationKind = kind;
    p.passingCapacity = cap;
    p.duration = minutes;
    p.laps = laps;
    p.countdown = countdown;
    p.rest = rest;
    p.startType = start;
    p.endRuleByTime = endTime;
    p.endRuleByLaps = endLaps;
    return p;
  };
  const Case cases[] = {
      {SeriesParameters{},
       "CLASSEMENTToursTemps\tDUREESERIETemps\t150\t1\t1\t5\t0\tDEPARTSignalSonore\t"
       "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n"},
      {make(kRankByBestLap, kDurationByLaps, 3000, 1440, 3000, 3600, 99, kStartFirstCar,
            kEndTimeTwoMoreLaps, kEndLapsAllLaps),
       "CLASSEMENTMeilleurTour\tDUREESERIETours\t3000\t1440\t3000\t3600\t99\t"
       "DEPARTPremiereVoiture\tFINTEMPSFaire2Tours\tFINTOURFaireTousLesTours\t\r\n"},
      {make(kRankByLapsAndTime, kDurationByTime, 1000, 360, 1000, 0, 0, kStartSoundSignalBis,
            kEndTimeSoundSignal, kEndLapsSoundSignal),
       "CLASSEMENTToursTemps\tDUREESERIETemps\t1000\t360\t1000\t0\t0\tDEPARTSignalSonoreBis\t"
       "FINTEMPSSignalSonore\tFINTOURSignalSonore\t\r\n"},
      {make(kRankByLapsAndTime, kDurationByTime, 3000, 361, 1, 10, 5, kStartStaggered,
            kEndTimeFinishLap, kEndLapsAllLaps),
       "CLASSEMENTToursTemps\tDUREESERIETemps\t3000\t361\t1\t10\t5\tDEPARTDecale\t"
       "FINTEMPSFinirTour\tFINTOURFaireTousLesTours\t\r\n"},
  };
  const std::string title = ParametersSectionTitle(2, RacePhase::Rounds);
  TextFile f = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ASSERT_TRUE(WriteParametersSection(f, title, c.p).ok);
    EXPECT_TRUE(test::SameBytes(Appended(), Section(title, c.line, filler::kParameters)));

    SeriesParameters read;
    read.rankingMode.clear();
    read.passingCapacity = read.duration = read.laps = read.countdown = read.rest = -7;
    ASSERT_TRUE(FindSection(f, title));
    EXPECT_TRUE(ReadParametersSection(f, read));
    EXPECT_EQ(read.rankingMode, c.p.rankingMode);
    EXPECT_EQ(read.durationKind, c.p.durationKind);
    EXPECT_EQ(read.passingCapacity, c.p.passingCapacity);
    EXPECT_EQ(read.duration, c.p.duration);
    EXPECT_EQ(read.laps, c.p.laps);
    EXPECT_EQ(read.countdown, c.p.countdown);
    EXPECT_EQ(read.rest, c.p.rest);
    EXPECT_EQ(read.startType, c.p.startType);
    EXPECT_EQ(read.endRuleByTime, c.p.endRuleByTime);
    EXPECT_EQ(read.endRuleByLaps, c.p.endRuleByLaps);
  }
}

TEST_F(PhaseSectionsTest, SeriesArrangementFromNamesOrRecordsWithEmptySlots) {
  // 30 drivers, 12 per series: slots 1-12, 13-24 and 25-30; the other slots are "(NA)".
  auto arrangement = std::make_unique<SeriesArrangement>();
  arrangement->driversPerSeries = 12;
  auto records = std::make_unique<ArrangementRecords>();
  std::string body = "12\t\r\n";
  for (int i = 0; i < 30; ++i) {
    std::string name = i == 7 ? "\xFFves Lef\xE8vre" : "Pilote " + std::to_string(i + 1);
    arrangement->names[i] = name;
    (*records)[i].name = name;
    body += name + "\t\r\n";
  }
  arrangement->names[40] = "(NA)";  // written as it is, like any empty slot
  body += Repeat("(NA)\t\r\n", 220);

  const std::string title = ArrangementSectionTitle(1, RacePhase::Practice);
  TextFile f = Open();
  ASSERT_TRUE(WriteSeriesArrangementNames(f, title, *arrangement).ok);
  const std::string expected = Section(title, body, filler::kSeriesArrangement);
  EXPECT_TRUE(test::SameBytes(Appended(), expected));
  ASSERT_TRUE(WriteSeriesArrangementRecords(f, title, 12, *records).ok);
  EXPECT_TRUE(test::SameBytes(Appended(), expected));

  auto names = std::make_unique<SeriesArrangement>();
  names->driversPerSeries = 0;
  ASSERT_TRUE(FindSection(f, title));
  EXPECT_TRUE(ReadSeriesArrangementNames(f, *names));
  EXPECT_EQ(names->driversPerSeries, 12);
  EXPECT_EQ(names->names[0].view(), "Pilote 1");
  EXPECT_EQ(names->names[7].view(), "\xFFves Lef\xE8vre");
  EXPECT_EQ(names->names[29].view(), "Pilote 30");
  EXPECT_EQ(names->names[30].view(), "(NA)");
  EXPECT_EQ(names->names[249].view(), "(NA)");

  auto readRecords = std::make_unique<ArrangementRecords>();
  (*readRecords)[3].club = "kept";
  int32_t perSeries = 0;
  ASSERT_TRUE(FindSection(f, title));
  EXPECT_TRUE(ReadSeriesArrangementRecords(f, perSeries, *readRecords));
  EXPECT_EQ(perSeries, 12);
  EXPECT_EQ((*readRecords)[3].name.view(), "Pilote 4");
  EXPECT_EQ((*readRecords)[3].club.view(), "kept");  // the names only
  EXPECT_EQ((*readRecords)[249].name.view(), "(NA)");
}

TEST_F(PhaseSectionsTest, StartingGridFromNamesOrRecords) {
  StartingGrid grid;
  grid.qualifiedCount = 3;
  grid.names[0] = "Alpha";
  grid.names[1] = "Bravo";
  grid.names[2] = "(NA)";
  grid.names[3] = "Charlie";
  const std::string body =
      "3\t\r\nAlpha\t\r\nBravo\t\r\n(NA)\t\r\nCharlie\t\r\n" + Repeat("(NA)\t\r\n", 196);
  const std::string title = ArrangementSectionTitle(3, RacePhase::Rounds);
  TextFile f = Open();
  ASSERT_TRUE(WriteRoundArrangementNames(f, title, grid).ok);
  EXPECT_TRUE(test::SameBytes(Appended(), Section(title, body, filler::kRoundArrangement)));

  ParticipantTable records;
  ClearParticipants(records);
  for (int i = 0; i < 4; ++i) records[i].name = grid.names[i];
  ASSERT_TRUE(WriteRoundArrangementRecords(f, title, 3, records).ok);
  EXPECT_TRUE(test::SameBytes(Appended(), Section(title, body, filler::kRoundArrangement)));

  StartingGrid read;
  ASSERT_TRUE(FindSection(f, title));
  EXPECT_TRUE(ReadRoundArrangementNames(f, read));
  EXPECT_EQ(read.qualifiedCount, 3);
  EXPECT_EQ(read.names[3].view(), "Charlie");
  EXPECT_EQ(read.names[4].view(), "(NA)");
  ClearParticipants(records);
  int32_t qualified = 0;
  ASSERT_TRUE(FindSection(f, title));
  EXPECT_TRUE(ReadRoundArrangementRecords(f, qualified, records));
  EXPECT_EQ(qualified, 3);
  EXPECT_EQ(records[1].name.view(), "Bravo");
}

TEST_F(PhaseSectionsTest, PointsAndFinalOrderRoundTrip) {
  TextFile f = Open();
  const std::string points = PointsSectionTitle(1, RacePhase::Qualifying);
  PointsScale scale;  // 5, 2, 1, 1, 1, 1
  scale.gapAfter5 = -3;
  ASSERT_TRUE(WritePointsSection(f, points, kRankByBestLap, scale).ok);
  const std::string pointsSection =
      Section(points, "CLASSEMENTMeilleurTour\t5\t2\t1\t1\t1\t-3\t\r\n", filler::kPoints);
  EXPECT_TRUE(test::SameBytes(Appended(), pointsSection));

  const std::string final = ClassementSectionTitle(1, RacePhase::Rounds);
  ClassementSettings settings;
  settings.firstSession = 2;
  settings.lastSession = 9;
  settings.bestCount = 3;
  settings.rankingMode = kRankByLapsAndTime;
  RankingList list;
  ClearRankingEntries(list);
  std::string body = "2\t9\t3\tCLASSEMENTToursTemps\t\r\n";
  for (int i = 0; i < kMaxRankingEntries; ++i) {
    std::string name = i % 50 == 49 ? "" : "Pilote " + std::to_string(i + 1);
    list[i].name = name;
    body += (name.empty() ? "(NA)" : name) + "\t\r\n";
  }
  ASSERT_TRUE(WriteClassementSection(f, final, settings, list).ok);
  EXPECT_TRUE(
      test::SameBytes(Appended(), pointsSection + Section(final, body, filler::kClassement)));

  FixedText<24> mode;
  PointsScale readScale{0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(FindSection(f, points));
  EXPECT_TRUE(ReadPointsSection(f, mode, readScale));
  EXPECT_EQ(mode.view(), kRankByBestLap);
  EXPECT_EQ(readScale.firstPlaceOffset, 5);
  EXPECT_EQ(readScale.gap1To2, 2);
  EXPECT_EQ(readScale.gap4To5, 1);
  EXPECT_EQ(readScale.gapAfter5, -3);

  ClassementSettings readSettings;
  RankingList read;
  ClearRankingEntries(read);
  ASSERT_TRUE(FindSection(f, final));
  EXPECT_TRUE(ReadClassementSection(f, readSettings, read));
  EXPECT_EQ(readSettings.firstSession, 2);
  EXPECT_EQ(readSettings.lastSession, 9);
  EXPECT_EQ(readSettings.bestCount, 3);
  EXPECT_EQ(readSettings.rankingMode.view(), kRankByLapsAndTime);
  for (int i = 0; i < kMaxRankingEntries; ++i) {
    ASSERT_EQ(read[i].name.view(), i % 50 == 49 ? "(NA)" : "Pilote " + std::to_string(i + 1))
        << i;
  }
}

TEST_F(PhaseSectionsTest, OversizedValuesAreKeptWithinTheirTables) {
  // Counts beyond the tables, a name beyond its width, a line with an extra field and empty
  // lines: every value lands in its own place, bounded.
  const std::string longName(60, 'L');
  std::string grid = "500\t\r\nAlpha\t\r\n\r\n\r\n" + longName + "\t\r\nBravo\textra\t\r\nCharlie\t\r\n";
  for (int i = 4; i < kGridSlots; ++i) grid += "(NA)\t\r\n";
  std::string final = "0\t12\t-4\tCLASSEMENTToursTemps\t\r\n" + Repeat("X\t\r\n", kMaxRankingEntries);
  WriteBytes(path_, ReadBytes(path_) +
                        Section("DadevuDore1RepartitionManches", grid, filler::kRoundArrangement) +
                        Section("DadevuDore1ManchesClassement", final, filler::kClassement));
  TextFile f = Open();
  StartingGrid read;
  ASSERT_TRUE(FindSection(f, ArrangementSectionTitle(1, RacePhase::Rounds)));
  EXPECT_FALSE(ReadRoundArrangementNames(f, read));
  EXPECT_EQ(read.qualifiedCount, 50);
  EXPECT_EQ(read.names[0].view(), "Alpha");
  EXPECT_EQ(read.names[1].view(), std::string(39, 'L'));
  EXPECT_EQ(read.names[2].view(), "Bravo");
  EXPECT_EQ(read.names[3].view(), "Charlie");
  EXPECT_EQ(read.names[199].view(), "(NA)");

  ClassementSettings settings;
  RankingList list;
  ASSERT_TRUE(FindSection(f, ClassementSectionTitle(1, RacePhase::Rounds)));
  EXPECT_FALSE(ReadClassementSection(f, settings, list));
  EXPECT_EQ(settings.firstSession, 1);
  EXPECT_EQ(settings.lastSession, 9);
  EXPECT_EQ(settings.bestCount, 0);
  EXPECT_EQ(list[199].name.view(), "X");

  // Drivers per series divide the arrangement into series: 0 is no count of drivers.
  WriteBytes(path_, ReadBytes(path_) + "\r\nDadevuDore1RepartitionEssais\t\r\n0\t\r\n");
  TextFile g = Open();
  auto arrangement = std::make_unique<SeriesArrangement>();
  ASSERT_TRUE(FindSection(g, ArrangementSectionTitle(1, RacePhase::Practice)));
  EXPECT_FALSE(ReadSeriesArrangementNames(g, *arrangement));
  EXPECT_EQ(arrangement->driversPerSeries, 1);
}

TEST_F(PhaseSectionsTest, ReadersSurviveATruncatedFile) {
  const std::string params = ParametersSectionTitle(1, RacePhase::Qualifying);
  const std::string arrangement = ArrangementSectionTitle(1, RacePhase::Qualifying);
  const std::string points = PointsSectionTitle(1, RacePhase::Qualifying);
  const std::string final = ClassementSectionTitle(1, RacePhase::Qualifying);
  auto names = std::make_unique<SeriesArrangement>();
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteParametersSection(f, params, SeriesParameters{}).ok);
    names->names[0] = "Alpha";
    ASSERT_TRUE(WriteSeriesArrangementNames(f, arrangement, *names).ok);
    ASSERT_TRUE(WritePointsSection(f, points, kRankByLapsAndTime, PointsScale{}).ok);
    RankingList list;
    ASSERT_TRUE(WriteClassementSection(f, final, ClassementSettings{}, list).ok);
  }
  // Each section cut inside its body: the reader stops at the end of the file and says so.
  const std::string full = ReadBytes(path_);
  for (const std::string& title : {params, arrangement, points, final}) {
    const std::size_t body = full.find(title + "\t\r\n") + title.size() + 3;
    for (std::size_t cut = body; cut < body + 2200; cut += cut < body + 200 ? 1 : 37) {
      WriteBytes(path_, full.substr(0, cut));
      TextFile f = test::OpenOrFail(path_, OpenMode::Read);
      ASSERT_TRUE(FindSection(f, title));
      SeriesParameters p;
      p.startType = "unchanged";
      FixedText<24> mode("unchanged");
      PointsScale scale;
      ClassementSettings settings;
      RankingList list;
      bool ok = title == params        ? ReadParametersSection(f, p)
                : title == arrangement ? ReadSeriesArrangementNames(f, *names)
                : title == points      ? ReadPointsSection(f, mode, scale)
                                       : ReadClassementSection(f, settings, list);
      if (cut < body + 20) {
        EXPECT_FALSE(ok) << title << " cut at " << cut - body;
      }
      // A one-line record cut short changes nothing.
      if (!ok && title == params) {
        EXPECT_EQ(p.startType.view(), "unchanged") << cut - body;
      }
      if (!ok && title == points) {
        EXPECT_EQ(mode.view(), "unchanged") << cut - body;
      }
    }
  }
}

}  // namespace
}  // namespace zd
