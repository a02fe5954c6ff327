#include "databases/participants_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"

namespace zd {
namespace {

using test::ReadBytes;

DriverSummaryRecord Driver(const std::string& name, const std::string& country = "France",
                           const std::string& vehicle = "Buggy X", int32_t birth = 1200) {
  DriverSummaryRecord d;
  d.name = name;
  d.club = "RC Albi";
  d.country = country;
  d.vehicle = vehicle;
  d.carNumber = "12";
  d.transponder = "123456";
  d.sex = 0;
  d.birthMonthCount = birth;
  return d;
}

ParticipantRecord Participant(const std::string& name) {
  ParticipantRecord p;
  p.name = name;
  p.club = "RC Nord";
  p.frequencies[0] = "27.045";
  return p;
}

class ParticipantsListTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    ASSERT_EQ(::mkdir("Private", 0777), 0);
    ClearRaceHeaderRecords(records_);
    records_[0].name = "COURSE 1";
    records_[1].name = "COURSE 2";
    RaceHeaderRecord& r = records_[1];
    r.practiceSessions = 2;
    r.practiceSeries = 3;
    r.qualifyingSessions = 1;
    r.qualifyingSeries = 2;
    r.rounds = 4;
    r.participantCount = 3;
    ClearParticipants(participants_);
    participants_[0] = Participant("Bernard");
    participants_[1] = Participant("Dupont");
    participants_[2] = Participant("Martin");
    info_.eventName = "i_n_t_Coupe";
    sources_.countries[0].name = "Espagne";
    sources_.countries[0].code = "ESP";
    sources_.countries[1].name = "France";
    sources_.countries[1].code = "FRA";
    sources_.vehicles[0].name = "Buggy X";
    sources_.vehicles[0].category = "TT 1/8";
    sources_.ageCategories[0].code = "S";
    sources_.ageCategories[0].name = "Senior";
    sources_.ageCategories[0].fromCount = 1000;
    sources_.ageCategories[0].toCount = 1300;
    sources_.ageCategories[1].code = "V";
    sources_.ageCategories[1].name = "Veteran";
    sources_.ageCategories[1].fromCount = 0;
    sources_.ageCategories[1].toCount = 1000;
  }

  // The race file as the main window leaves it for race 2, into path.
  void WriteRaceFile(const std::string& path, int32_t code = 20000) {
    TextFile f = test::OpenOrFail(path, OpenMode::Create);
    ASSERT_TRUE(InitialiseRaceFile(f).ok);
    ASSERT_TRUE(WriteRaceFileHeader(f, code, 2, records_).ok);
    ASSERT_TRUE(WriteInformationSection(f, info_).ok);
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(2), participants_).ok);
  }

  RaceHeaderRecords records_;
  ParticipantTable participants_;
  EventInformation info_;
  ParticipantSources sources_;
};

TEST_F(ParticipantsListTest, AddsAndRemovesThenWritesTheRaceFileAsExpected) {
  WriteRaceFile(kRaceFilePath);
  ParticipantsList list;
  ASSERT_TRUE(LoadParticipantsList(list).ok);
  EXPECT_EQ(list.raceName(), "COURSE 2");
  EXPECT_EQ(list.count(), 3);
  EXPECT_FALSE(list.locked());
  EXPECT_EQ(list.reportInformation().eventLine, "Coupe / COURSE 2");
  EXPECT_TRUE(list.reportInformation().international);

  EXPECT_EQ(list.add(Driver("Albert"), sources_), ParticipantAdd::Added);
  EXPECT_EQ(list.add(Driver("Zoe", "Nowhere", "Unknown car", 5000), sources_),
            ParticipantAdd::Added);
  EXPECT_EQ(list.add(Driver("Albert"), sources_), ParticipantAdd::Unchanged);
  EXPECT_TRUE(list.remove("Dupont"));
  EXPECT_FALSE(list.remove("Dupont"));
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(list.header().participantCount, 4);
  ASSERT_TRUE(SaveParticipantsList(list).ok);

  // What the dialog must leave: the list sorted, the arrangements in the order of the list as it
  // opened without the removed driver and the added drivers at the end, the series and rounds
  // counts cleared but not the sessions'.
  ParticipantTable expected;
  ClearParticipants(expected);
  ParticipantRecord albert;
  albert.name = "Albert";
  albert.club = "RC Albi";
  albert.nationCode = "FRA";
  albert.vehicle = "Buggy X";
  albert.carNumber = "12";
  albert.transponder = "123456";
  albert.vehicleCategory = "TT 1/8";
  albert.ageCategoryCode = "S";
  albert.ageCategoryName = "Senior";
  albert.sex = 0;
  ParticipantRecord zoe = albert;  // unknown country, car and birth: those fields stay empty
  zoe.name = "Zoe";
  zoe.nationCode = "";
  zoe.vehicle = "Unknown car";
  zoe.vehicleCategory = "";
  zoe.ageCategoryCode = "";
  zoe.ageCategoryName = "";
  expected[0] = albert;
  expected[1] = participants_[0];
  expected[2] = participants_[2];
  expected[3] = zoe;
  SeriesArrangement arrangement;
  for (auto& name : arrangement.names) name = "(NA)";
  arrangement.names[0] = "Bernard";
  arrangement.names[1] = "Martin";
  arrangement.names[2] = "Albert";
  arrangement.names[3] = "Zoe";
  StartingGrid grid;
  grid.qualifiedCount = 50;
  std::copy_n(arrangement.names.begin(), kGridSlots, grid.names.begin());
  RaceHeaderRecords headers = records_;
  headers[1].participantCount = 4;
  headers[1].practiceSeries = 0;
  headers[1].qualifyingSeries = 0;
  headers[1].rounds = 0;

  const std::string golden = "golden.race2";
  WriteRaceFile(golden);
  TextFile g = test::OpenOrFail(golden, OpenMode::Update);
  ASSERT_TRUE(WriteRaceFileHeader(g, 20000, 2, headers).ok);
  ASSERT_TRUE(WriteParticipantsSection(g, ParticipantsSectionTitle(2), expected).ok);
  ASSERT_TRUE(WriteSeriesArrangementNames(g, "DadevuDore2RepartitionEssais", arrangement).ok);
  ASSERT_TRUE(WriteSeriesArrangementNames(g, "DadevuDore2RepartitionQualifs", arrangement).ok);
  ASSERT_TRUE(WriteRoundArrangementNames(g, "DadevuDore2RepartitionManches", grid).ok);
  g.close();
  EXPECT_TRUE(test::SameBytes(ReadBytes(kRaceFilePath), ReadBytes(golden)));
}

TEST_F(ParticipantsListTest, RemovingInTheMiddleMovesLaterEntriesUpInEveryArrangement) {
  for (int i = 0; i < 5; ++i) participants_[i] = Participant(std::string(1, char('A' + i)));
  WriteRaceFile(kRaceFilePath);
  ParticipantsList list;
  ASSERT_TRUE(LoadParticipantsList(list).ok);
  ASSERT_TRUE(list.remove("C"));
  const char* after[] = {"A", "B", "D", "E", "(NA)", "(NA)"};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list.practice().names[i].view(), after[i]);
    EXPECT_EQ(list.qualifying().names[i].view(), after[i]);
    EXPECT_EQ(list.grid().names[i].view(), after[i]);
  }
  EXPECT_EQ(list.practice().names[249].view(), "(NA)");
  EXPECT_EQ(list.grid().names[199].view(), "(NA)");
  EXPECT_EQ(list.participants()[3].name.view(), "E");
  EXPECT_TRUE(list.participants()[4].name.empty());
  EXPECT_EQ(list.participants()[4].sex, 1);
}

TEST_F(ParticipantsListTest, TwoHundredAtMostAndNoMoreThanTheRaceFileHolds) {
  WriteRaceFile(kRaceFilePath);
  ParticipantsList list;
  ASSERT_TRUE(LoadParticipantsList(list).ok);
  char name[16];
  for (int i = list.count(); i < kMaxParticipants; ++i) {
    std::snprintf(name, sizeof name, "P%03d", i);
    ASSERT_EQ(list.add(Driver(name), sources_), ParticipantAdd::Added) << i;
  }
  EXPECT_EQ(list.add(Driver("P999"), sources_), ParticipantAdd::Unchanged);
  EXPECT_EQ(list.count(), 200);
  EXPECT_TRUE(SaveParticipantsList(list).ok);

  // 39-character names: the starting grid's section holds 188 of them, not 200.
  ParticipantsList full;
  ASSERT_TRUE(LoadParticipantsList(full).ok);
  for (int i = 0; i < kMaxParticipants; ++i) full.remove(full.participants()[0].name.view());
  ASSERT_EQ(full.count(), 0);
  int added = 0;
  for (int i = 0; i < kMaxParticipants; ++i) {
    std::snprintf(name, sizeof name, "%03d", i);
    const ParticipantAdd result = full.add(Driver(std::string(36, 'L') + name), sources_);
    if (result == ParticipantAdd::Full) break;
    ASSERT_EQ(result, ParticipantAdd::Added);
    ++added;
  }
  EXPECT_EQ(added, 188);
  EXPECT_EQ(full.count(), 188);
  EXPECT_TRUE(SaveParticipantsList(full).ok);
}

TEST_F(ParticipantsListTest, AStartedSessionOrRoundLocksTheList) {
  struct Case {
    int practice, qualifying, rounds;
    bool locked;
  };
  const Case cases[] = {{-1, -1, 0, false}, {8, -1, 0, true}, {-1, 0, 0, true}, {-1, -1, 1, true}};
  for (const Case& c : cases) {
    ClearRaceHeaderRecords(records_);
    records_[1].name = "COURSE 2";
    if (c.practice >= 0) records_[1].practiceStates[c.practice] = 1;
    if (c.qualifying >= 0) records_[1].qualifyingStates[c.qualifying] = 1;
    records_[1].roundsState = c.rounds;
    WriteRaceFile(kRaceFilePath);
    ParticipantsList list;
    ASSERT_TRUE(LoadParticipantsList(list).ok);
    EXPECT_EQ(list.locked(), c.locked) << c.practice << " " << c.qualifying << " " << c.rounds;
  }
}

TEST_F(ParticipantsListTest, ASelectionCodeOfNoRaceWritesNothing) {
  WriteRaceFile(kRaceFilePath, 30000);  // race 3 of a file of 2 races
  const std::string before = ReadBytes(kRaceFilePath);
  ParticipantsList list;
  const Outcome loaded = LoadParticipantsList(list);
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.message, kSelectedRaceNotFound);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.add(Driver("Albert"), sources_), ParticipantAdd::Unchanged);
  EXPECT_FALSE(SaveParticipantsList(list).ok);
  EXPECT_EQ(ReadBytes(kRaceFilePath), before);
}

TEST_F(ParticipantsListTest, MissingFilesAreNamedAndLeaveTheirTablesEmpty) {
  ParticipantSources sources;
  const std::vector<std::string> missing = ReadParticipantSources(sources, 1500);
  EXPECT_EQ(missing, (std::vector<std::string>{
                         "Error : 'Countries name' database file not found",
                         "Error : 'Countries code' database file not found",
                         "Error : 'Cars/Motorbikes' database file not found",
                         "Error : 'Age categories' database file not found",
                         "Error : 'Drivers' reduced database file not found"}));
  EXPECT_TRUE(DriverNames(sources.drivers).empty());
  ParticipantsList list;
  EXPECT_EQ(LoadParticipantsList(list).message, kRaceFileNotFound);
}

}  // namespace
}  // namespace zd
