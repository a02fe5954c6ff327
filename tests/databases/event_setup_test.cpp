#include "databases/event_setup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "../files/data_folder_fixture.h"
#include "databases/international_name.h"
#include "files/codepage.h"
#include "files/databases.h"

namespace zd {
namespace {

// A race file in the data folder, with the clubs "RC Lyon" and "MC Bern" and the championship
// "Ligue Sud" in the databases.
class EventSetupTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    MakeWorkingRaceFile();
    WriteClubList({"RC Lyon", "MC Bern"});
    auto championships = std::make_unique<ChampionshipTable>();
    (*championships)[0].name = "Ligue Sud";
    ASSERT_TRUE(WriteChampionships(kChampionshipsFile, *championships, 1));
  }
  void WriteClubList(std::initializer_list<const char*> names) {
    auto clubs = std::make_unique<ClubTable>();
    int n = 0;
    for (const char* name : names) (*clubs)[n++].shortName = name;
    ASSERT_TRUE(WriteClubs(kClubsFile, *clubs, n));
  }
  void Store(const EventInformation& info) {
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteInformationSection(file, info).ok);
  }
  EventInformation Stored() {
    EventInformation info;
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, kInformationTitle));
    EXPECT_TRUE(ReadInformationSection(file, info));
    return info;
  }
  TrackSettings StoredTrack() {
    TrackSettings track;
    track.lapProtectionTime = -1;
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, kTrackTitle));
    EXPECT_TRUE(ReadTrackSection(file, track));
    return track;
  }
};

TEST(InternationalName, ThePrefixIsTakenOffOnlyWhereItLeadsTheName) {
  struct Case {
    const char* stored;
    bool international;
    const char* shown;
  };
  const Case cases[] = {
      {"i_n_t_Coupe d'Europe", true, "Coupe d'Europe"},
      {"i_n_t_", true, ""},
      {"Coupe i_n_t_", false, "Coupe i_n_t_"},
      {"i_n_t", false, "i_n_t"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HasInternationalPrefix(c.stored), c.international) << c.stored;
    EXPECT_EQ(StripInternationalPrefix(c.stored), c.shown) << c.stored;
  }
}

// The name as the dialog shows it and as "Valider" stores it, with the box left, ticked or
// unticked, through the race file both ways.
TEST_F(EventSetupTest, TheInternationalPrefixIsShownOffAndStoredOnByTheBox) {
  const std::string name38(38, 'N');
  struct Case {
    std::string stored;
    bool shownInternational;
    std::string shown;
    bool box;
    std::string written;
  };
  const Case cases[] = {
      {"i_n_t_Coupe", true, "Coupe", true, "i_n_t_Coupe"},
      {"i_n_t_Coupe", true, "Coupe", false, "Coupe"},
      {"Coupe", false, "Coupe", true, "i_n_t_Coupe"},
      {"Coupe", false, "Coupe", false, "Coupe"},
      {"i_n_t_" + name38, true, name38, true, "i_n_t_" + name38},  // 44 of the 46 characters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored + (c.box ? " ticked" : " unticked"));
    EventInformation info;
    info.eventName = c.stored;
    info.place = "Lyon";
    Store(info);
    EventInformationForm form;
    EXPECT_TRUE(LoadEventInformation(form).empty());
    EXPECT_EQ(form.values.eventName.view(), c.shown);
    EXPECT_EQ(form.international, c.shownInternational);
    form.international = c.box;
    ASSERT_TRUE(SaveEventInformation(form).ok);
    const EventInformation written = Stored();
    EXPECT_EQ(written.eventName.view(), c.written);
    EXPECT_EQ(written.place.view(), "Lyon");
  }
}

// A stored club or championship is kept only while its database offers it; a database that
// cannot be read clears nothing.
TEST_F(EventSetupTest, AStoredClubOrChampionshipIsKeptOnlyWhenItsListHoldsIt) {
  struct Case {
    const char* what;
    bool clubsFile;
    bool championshipsFile;
    const char* club;
    const char* championship;
    const char* shownClub;
    const char* shownChampionship;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"both listed", true, true, "MC Bern", "Ligue Sud", "MC Bern", "Ligue Sud", {}},
      {"deleted from the databases", true, true, "VRC Nice", "Ligue Nord", "", "", {}},
      {"the clubs file missing", false, true, "VRC Nice", "Ligue Nord", "VRC Nice", "",
       {"Error : 'Clubs/Teams' database file not found"}},
      {"both files missing", false, false, "VRC Nice", "Ligue Nord", "VRC Nice", "Ligue Nord",
       {"Error : 'Clubs/Teams' database file not found",
        "Error : 'Championships' database file not found"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(Cp1252ToUtf8(kClubsFile).c_str());
    if (c.clubsFile) WriteClubList({"RC Lyon", "MC Bern"});
    if (!c.championshipsFile) std::remove(Cp1252ToUtf8(kChampionshipsFile).c_str());
    EventInformation info;
    info.eventName = "Coupe";
    info.club = c.club;
    info.championship = c.championship;
    Store(info);
    EventInformationForm form;
    EXPECT_EQ(LoadEventInformation(form), c.messages);
    EXPECT_EQ(form.values.club.view(), c.shownClub);
    EXPECT_EQ(form.values.championship.view(), c.shownChampionship);
    ASSERT_TRUE(SaveEventInformation(form).ok);
    EXPECT_EQ(Stored().club.view(), c.shownClub);
    EXPECT_EQ(Stored().championship.view(), c.shownChampionship);
  }
}

TEST_F(EventSetupTest, AMissingSectionOpensEmptyAndValiderAddsIt) {
  EventInformationForm form;
  EXPECT_TRUE(LoadEventInformation(form).empty());
  EXPECT_EQ(form.clubs, (std::vector<std::string>{"RC Lyon", "MC Bern"}));
  EXPECT_EQ(form.championships, (std::vector<std::string>{"Ligue Sud"}));
  EXPECT_TRUE(form.values.eventName.empty());
  EXPECT_FALSE(form.international);
  form.setName("Coupe");
  form.values.date = "12 mai";
  ASSERT_TRUE(SaveEventInformation(form).ok);
  EXPECT_EQ(Stored().eventName.view(), "Coupe");
  EXPECT_EQ(Stored().date.view(), "12 mai");

  TrackSettings track;
  ASSERT_TRUE(LoadTrackSettings(track).ok);
  EXPECT_TRUE(track.name.empty());
  EXPECT_EQ(track.lapProtectionTime, 2);
}

TEST_F(EventSetupTest, ANameHoldingASectionTitleIsClearedAtOnce) {
  EventInformationForm form;
  EXPECT_TRUE(form.setName("Coupe"));
  EXPECT_FALSE(form.setName("Coupe DadevuDoreInformation"));
  EXPECT_TRUE(form.values.eventName.empty());
  EXPECT_FALSE(form.setName("xDadevuDore"));

  TrackSettings track;
  EXPECT_TRUE(SetTrackName(track, "Circuit"));
  EXPECT_EQ(track.name.view(), "Circuit");
  EXPECT_FALSE(SetTrackName(track, "DadevuDorePiste"));
  EXPECT_TRUE(track.name.empty());
  EXPECT_TRUE(SetTrackName(track, "Dadevu Dore"));
}

TEST_F(EventSetupTest, TheLapProtectionTimeIsStoredAsAtLeastTwoSeconds) {
  struct Case {
    const char* typed;
    int32_t stored;
  };
  const Case cases[] = {{"0", 2}, {"1", 2}, {"", 2}, {"2", 2}, {"45", 45}, {"999", 999}, {"007", 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TrackSettings track;
    ASSERT_TRUE(LoadTrackSettings(track).ok);
    SetTrackName(track, "Circuit");
    track.lapProtectionTime = LapProtectionTimeOf(c.typed);
    EXPECT_EQ(track.lapProtectionTime, c.stored);
    ASSERT_TRUE(SaveTrackSettings(track).ok);
    EXPECT_EQ(StoredTrack().lapProtectionTime, c.stored);
    EXPECT_EQ(StoredTrack().name.view(), "Circuit");
  }
}

TEST_F(EventSetupTest, WithoutTheRaceFileNothingIsReadOrWritten) {
  ASSERT_EQ(std::remove(kRaceFilePath), 0);
  EventInformationForm form;
  EXPECT_EQ(LoadEventInformation(form), (std::vector<std::string>{kRaceFileNotFound}));
  EXPECT_EQ(SaveEventInformation(form).message, kRaceFileNotFound);
  TrackSettings track;
  EXPECT_EQ(LoadTrackSettings(track).message, kRaceFileNotFound);
  EXPECT_EQ(SaveTrackSettings(track).message, kRaceFileNotFound);
  TextFile file;
  EXPECT_FALSE(file.open(kRaceFilePath, OpenMode::Read));
}

}  // namespace
}  // namespace zd
