#include "files/participants.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::TempDir;

std::vector<std::string> Names(const ParticipantTable& t, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(t[i].name.str() + "/" + t[i].club.str());
  return out;
}

TEST(SortParticipantsByName, OrdersByLowerCasedBytesWithEmptyNamesLast) {
  ParticipantTable t;
  ClearParticipants(t);
  // Club texts tell equal names apart.
  const char* rows[][2] = {
      {"", "e1"},           {"martin", "1"},
      {"\xC9mile", "acc"},  // É: accented capitals are not lowered, so after every A-Z name
      {"MARTIN", "2"},      {"zoe", ""},
      {"\xFFves", "y"},     // a name beginning with byte 0xFF still comes before empty names
      {"", "e2"},           {"Adam", ""},
  };
  int n = 0;
  for (auto& r : rows) {
    t[n].name = r[0];
    t[n].club = r[1];
    ++n;
  }
  SortParticipantsByName(t);
  EXPECT_EQ(Names(t, 6), (std::vector<std::string>{"Adam/", "MARTIN/2", "martin/1", "zoe/",
                                                   "\xC9mile/acc", "\xFFves/y"}));
  // Every record is still there exactly once; among the empty names too, the later first.
  for (int i = 6; i < 198; ++i) EXPECT_TRUE(t[i].name.empty() && t[i].club.empty()) << i;
  EXPECT_EQ(t[198].club.view(), "e2");
  EXPECT_EQ(t[199].club.view(), "e1");
}

TEST(SortParticipantsByName, NamedRecordsComeFirstFromAnywhereInTheTable) {
  ParticipantTable t;
  ClearParticipants(t);
  t[199].name = "c";
  t[57].name = "a";
  t[3].name = "b";
  SortParticipantsByName(t);
  EXPECT_EQ(t[0].name.view(), "a");
  EXPECT_EQ(t[1].name.view(), "b");
  EXPECT_EQ(t[2].name.view(), "c");
  EXPECT_TRUE(t[3].name.empty());
}

class ParticipantsSectionTest : public test::NewRaceFileTest {};

TEST_F(ParticipantsSectionTest, ClearedTableRoundTrip) {
  ParticipantTable t;
  ClearParticipants(t);
  TextFile f = Open();
  ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(2), t).ok);
  std::string bytes = ReadBytes(path_);
  std::size_t at = bytes.find("\r\nDadevuDore2ListeParticipants\t\r\n");
  ASSERT_NE(at, std::string::npos);
  // An empty record: nine empty fields, the sex, five empty frequencies.
  EXPECT_EQ(bytes.substr(at + 33, 21), "\t\t\t\t\t\t\t\t\t1\t\t\t\t\t\t\r\n\t\t\t");

  ParticipantTable read;
  for (auto& p : read) {
    p.name = "stale";
    p.sex = 0;
  }
  ClearParticipants(read);
  ASSERT_TRUE(FindSection(f, ParticipantsSectionTitle(2)));
  EXPECT_TRUE(ReadParticipantsSection(f, read));
  for (const auto& p : read) {
    EXPECT_TRUE(p.name.empty());
    EXPECT_EQ(p.sex, 1);
  }
}

TEST_F(ParticipantsSectionTest, FieldsKeepTheirPlaces) {
  ParticipantTable t;
  ClearParticipants(t);
  t[0].name = "Dupont Jean";
  t[0].club = "RCB";
  t[0].nationCode = "fr";
  t[0].vehicle = "Mugen MBX8";
  t[0].carNumber = "12";
  t[0].transponder = "123456";
  t[0].vehicleCategory = "1/8 TT";
  t[0].ageCategoryCode = "SEN";
  t[0].ageCategoryName = "Senior";
  t[0].frequencies[1] = "2.4Ghz";  // the first one is empty: the others must not move
  t[0].frequencies[4] = "40.665";
  t[0].sex = 0;
  t[1].name = "Martin";
  TextFile f = Open();
  ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), t).ok);
  EXPECT_NE(ReadBytes(path_).find("Dupont Jean\tRCB\tfr\tMugen MBX8\t12\t123456\t1/8 TT\tSEN\t"
                                  "Senior\t0\t\t2.4Ghz\t\t\t40.665\t\r\nMartin\t"),
            std::string::npos);

  ParticipantTable read;
  ClearParticipants(read);
  ASSERT_TRUE(FindSection(f, ParticipantsSectionTitle(1)));
  EXPECT_TRUE(ReadParticipantsSection(f, read));
  EXPECT_EQ(read[0].ageCategoryName.view(), "Senior");
  EXPECT_EQ(read[0].sex, 0);
  EXPECT_TRUE(read[0].frequencies[0].empty());
  EXPECT_EQ(read[0].frequencies[1].view(), "2.4Ghz");
  EXPECT_EQ(read[0].frequencies[4].view(), "40.665");
  EXPECT_EQ(read[1].name.view(), "Martin");
  EXPECT_EQ(read[1].sex, 1);

  ParticipantNames names;
  ASSERT_TRUE(FindSection(f, ParticipantsSectionTitle(1)));
  EXPECT_TRUE(ReadParticipantNames(f, names));
  EXPECT_EQ(names[0].view(), "Dupont Jean");
  EXPECT_EQ(names[1].view(), "Martin");
  EXPECT_TRUE(names[2].empty());

  RaceNameLists lists;
  lists[2][5] = "x";
  ClearRaceNameLists(lists);
  EXPECT_TRUE(lists[2][5].empty());
}

TEST_F(ParticipantsSectionTest, OversizedFieldsAreCutAndTheRestStaysInStep) {
  // A hand-edited line: a name far beyond its width, a nation code too long, a missing field at
  // the end, then an ordinary line.
  std::string lines = std::string(100, 'N') + "\tclub\tFRANCE\tcar\t7\t123456\tcat\tSEN\tSenior\t0\t"
                      "40.665\r\nMartin\t\t\t\t\t\t\t\t\t1\t\t\t\t\t\t\r\n";
  test::WriteBytes(path_, ReadBytes(path_) + "\r\nDadevuDore1ListeParticipants\t\r\n" + lines);
  TextFile f = Open();
  ParticipantTable read;
  ClearParticipants(read);
  ASSERT_TRUE(FindSection(f, ParticipantsSectionTitle(1)));
  EXPECT_FALSE(ReadParticipantsSection(f, read));  // the file ends after two lines
  EXPECT_EQ(read[0].name.view(), std::string(39, 'N'));
  EXPECT_EQ(read[0].club.view(), "club");
  EXPECT_EQ(read[0].nationCode.view(), "FRAN");
  EXPECT_EQ(read[0].vehicle.view(), "car");
  EXPECT_EQ(read[0].sex, 0);
  EXPECT_EQ(read[0].frequencies[0].view(), "40.665");
  EXPECT_TRUE(read[0].frequencies[1].empty());
  EXPECT_EQ(read[1].name.view(), "Martin");
  EXPECT_TRUE(read[2].name.empty());
}

TEST_F(ParticipantsSectionTest, FullWidthTableDoesNotFitAndChangesNothing) {
  ParticipantTable t;
  ClearParticipants(t);
  ASSERT_TRUE([&] {
    TextFile f = Open();
    return WriteParticipantsSection(f, ParticipantsSectionTitle(1), t).ok;
  }());
  const std::string before = ReadBytes(path_);
  for (auto& p : t) {
    p.name = std::string(39, 'n');
    p.club = std::string(14, 'c');
    p.nationCode = "abcd";
    p.carNumber = "1234";
    p.transponder = "123456";
    p.ageCategoryCode = "SEN";
    p.vehicle = std::string(29, 'v');
    p.vehicleCategory = std::string(29, 'k');
    p.ageCategoryName = std::string(19, 'a');
    for (auto& fr : p.frequencies) fr = "40.665";
  }
  TextFile f = Open();
  Outcome outcome = WriteParticipantsSection(f, ParticipantsSectionTitle(1), t);
  EXPECT_FALSE(outcome.ok);
  EXPECT_FALSE(outcome.message.empty());
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
}

}  // namespace
}  // namespace zd
