// The event as a whole: a new event's working file, what is read back from an opened event (its
// participants brought up to date with the drivers), a header that cannot be read, and the names
// and titles that the file commands make.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../files/new_race_file_bytes.h"
#include "series_desk_test_support.h"

namespace zd {
namespace {

using test::OpenOrFail;

TEST(EventFileNames, AChosenNameGetsItsExtensionOnlyWhenItHasNone) {
  struct Case {
    const char* chosen;
    const char* file;
  };
  const Case cases[] = {
      {"C:\\events\\meeting", "C:\\events\\meeting.race2"},
      {"C:\\events\\a.race2.old", "C:\\events\\a.race2.old"},
      {"C:\\events\\gp.race2", "C:\\events\\gp.race2"},
  };
  for (const Case& c : cases) EXPECT_EQ(EventFileName(c.chosen), c.file) << c.chosen;
  EXPECT_EQ(EventWindowTitle("C:\\events\\meeting"), "Zentrik:   C:\\events\\meeting");
  const std::string folder = "C:\\Users\\Anne\\AppData\\Local\\Programs\\Zentrik Dizavirov";
  const std::string prefill = SaveChooserPrefill(folder);
  EXPECT_EQ(prefill, folder + "\\*.race2");
  EXPECT_FALSE(SaveChooserChoseName(prefill, prefill));
  EXPECT_TRUE(SaveChooserChoseName("C:\\x\\meeting", prefill));
}

class EventFileTest : public test::SeriesDeskTest {
 protected:
  EventFileTest() {
    ClearDriverSummaryTable(*drivers);
    ClearAgeCategoryTable(*ages);
    for (CountryRecord& c : *countries) c = CountryRecord{};
  }

  DriverReference Reference() { return {*drivers, *countries, *ages}; }
  void Read() {
    ReadOpenedEvent(*event, Reference(), [this](std::string_view text) { errors.emplace_back(text); });
  }

  std::unique_ptr<DriverSummaryTable> drivers = std::make_unique<DriverSummaryTable>();
  std::unique_ptr<CountryTable> countries = std::make_unique<CountryTable>();
  std::unique_ptr<AgeCategoryTable> ages = std::make_unique<AgeCategoryTable>();
  std::vector<std::string> errors;
};

TEST_F(EventFileTest, ANewEventHoldsOnlyTheHeaderAndTheTreeFlags) {
  event->raceCount = 2;
  event->selectionCode = 21003;
  record(2).name = "Junior";
  record(1).practiceSessions = 3;
  event->flags[0].practice[0][0] = 1;
  event->trackName = "Circuit";
  event->lapProtectionTime = 5;
  event->internationalEvent = 1;
  event->eventFilePath = "C:\\events\\gp.race2";
  event->eventFileKnown = 1;
  series->seriesSectionTitle = "DadevuDore1EL1S1";
  series->loadedSeriesNode[0] = {13101, 13101, 42};

  ResetEvent(Desk());
  StartNewEvent(*event);
  ASSERT_TRUE(CreateWorkingRaceFile(*event).ok);
  EXPECT_TRUE(test::SameBytes(RaceFileBytes(), test::NewRaceFileBytes()));
  EXPECT_EQ(event->raceCount, 1);
  EXPECT_TRUE(event->trackName.empty());
  EXPECT_EQ(event->lapProtectionTime, 2);
  EXPECT_EQ(event->internationalEvent, 0);
  EXPECT_TRUE(event->eventFilePath.empty());
  EXPECT_EQ(event->eventFileKnown, 0);
  EXPECT_TRUE(series->seriesSectionTitle.empty());
  EXPECT_EQ(series->loadedSeriesNode[0].treeItem, kNoItem);
}

// What an opened event brings: its header and names, its participants given the clubs, nations,
// age categories and sexes that the drivers database holds now (and written back), its flags,
// track, nationality and penalties.
TEST_F(EventFileTest, AnOpenedEventIsReadWithItsParticipantsBroughtUpToDate) {
  event->raceCount = 2;
  event->selectionCode = 20000;
  record(1).name = "Open";
  record(1).participantCount = 3;
  record(2).name = "Junior";
  event->flags[1].rounds[2] = 1;
  auto participants = std::make_unique<ParticipantTable>();
  ClearParticipants(*participants);
  (*participants)[0].name = "Alain";
  (*participants)[0].club = "Old club";
  (*participants)[0].carNumber = "5";
  (*participants)[1].name = "Brigitte";
  (*participants)[1].club = "Kept";
  (*participants)[1].nationCode = "BE";
  (*participants)[2].name = "Cyril";
  (*participants)[2].ageCategoryCode = "J";
  (*participants)[2].ageCategoryName = "Junior";
  PenaltyTable penalties;
  ClearPenaltyTable(penalties);
  penalties[0].code = "A";
  penalties[1].code = "P1";
  penalties[1].amount = 10;
  WriteRaceFile([&](TextFile& file) {
    ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
    TrackSettings track;
    track.name = "Circuit du lac";
    track.lapProtectionTime = 7;
    ASSERT_TRUE(WriteTrackSection(file, track).ok);
    EventInformation info;
    info.eventName = StoredEventName("Grand prix", true);
    ASSERT_TRUE(WriteInformationSection(file, info).ok);
    ASSERT_TRUE(WritePenaltiesSection(file, penalties).ok);
  });
  (*drivers)[0].name = "Alain";
  (*drivers)[0].club = "New club";
  (*drivers)[0].country = "France";
  (*drivers)[0].sex = 0;
  (*drivers)[0].birthMonthCount = 1200;
  (*drivers)[1].name = "Alain";  // the last driver of that name wins
  (*drivers)[1].club = "Newest club";
  (*drivers)[1].country = "Nowhere";
  (*drivers)[1].sex = 0;
  (*drivers)[1].birthMonthCount = 1200;
  (*drivers)[2].name = "Cyril";  // no birth date: his category stays
  (*countries)[3].name = "France";
  (*countries)[3].code = "FR";
  (*ages)[0].code = "V";
  (*ages)[0].name = "Vétéran";
  (*ages)[0].fromCount = 1000;
  (*ages)[0].toCount = 1200;

  // What the reset before the read leaves.
  ClearEventRecords(*event);
  Read();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(event->raceCount, 2);
  EXPECT_EQ(event->selectionCode, 20000);
  EXPECT_EQ(record(2).name.view(), "Junior");
  EXPECT_EQ(event->names[0][1].view(), "Brigitte");
  EXPECT_TRUE(event->names[1][0].empty());
  EXPECT_EQ(event->flags[1].rounds[2], 1);
  EXPECT_EQ(event->trackName.view(), "Circuit du lac");
  EXPECT_EQ(event->lapProtectionTime, 7);
  EXPECT_EQ(event->internationalEvent, 1);
  EXPECT_EQ(event->penalties[1].code.view(), "P1");
  EXPECT_EQ(event->penalties[1].amount, 10);

  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
  ASSERT_TRUE(FindSection(file, ParticipantsSectionTitle(1)));
  auto read = std::make_unique<ParticipantTable>();
  ClearParticipants(*read);
  ReadParticipantsSection(file, *read);
  const ParticipantRecord& alain = (*read)[0];
  EXPECT_EQ(alain.club.view(), "Newest club");
  // The second driver's "Nowhere" is no country: the code the first one gave stays.
  EXPECT_EQ(alain.nationCode.view(), "FR");
  EXPECT_EQ(alain.ageCategoryCode.view(), "V");
  EXPECT_EQ(alain.sex, 0);
  EXPECT_EQ(alain.carNumber.view(), "5");
  EXPECT_EQ((*read)[1].club.view(), "Kept");
  EXPECT_EQ((*read)[1].nationCode.view(), "BE");
  EXPECT_EQ((*read)[2].ageCategoryCode.view(), "J");
  EXPECT_EQ((*read)[2].ageCategoryName.view(), "Junior");
}

TEST_F(EventFileTest, AHeaderThatCannotBeReadLeavesTheRecordsAsTheyWere) {
  record(1).name = "Mine";
  event->raceCount = 1;
  event->selectionCode = 13101;
  test::WriteBytes("Private/Course.race2", "13000\t2\tOther\t4\t");  // cut short in race 1
  TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
  EXPECT_FALSE(ReadEventHeader(file, *event));
  EXPECT_EQ(record(1).name.view(), "Mine");
  EXPECT_EQ(event->raceCount, 1);
  EXPECT_EQ(event->selectionCode, 13101);
  EXPECT_FALSE(IsRaceFile(kRaceFilePath));
  EXPECT_FALSE(IsRaceFile("Private/none.race2"));

  ASSERT_TRUE(CreateWorkingRaceFile(*event).ok);
  EXPECT_TRUE(IsRaceFile(kRaceFilePath));
}

}  // namespace
}  // namespace zd
