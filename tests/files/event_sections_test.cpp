#include "files/event_sections.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace zd {
namespace {

using test::Filler;
using test::ReadBytes;
using test::Repeat;
using test::TempDir;
using test::WriteBytes;

class EventSectionsTest : public test::NewRaceFileTest {};

TEST_F(EventSectionsTest, InformationRoundTripWithTheInternationalPrefix) {
  EventInformation info;
  info.eventName = StoredEventName("Grand Prix d'\xC9t\xE9", true);
  info.club = "RC Club";
  info.date = "12/07/2026";
  TextFile f = Open();
  ASSERT_TRUE(WriteInformationSection(f, info).ok);
  const std::string body = "i_n_t_Grand Prix d'\xC9t\xE9\tRC Club\t\t\t\t12/07/2026\t\r\n";
  EXPECT_TRUE(test::SameBytes(
      Appended(), "\r\nDadevuDoreInformation\t\r\n" + body + Filler(95).substr(body.size())));

  EventInformation read;
  ASSERT_TRUE(FindSection(f, kInformationTitle));
  EXPECT_TRUE(ReadInformationSection(f, read));
  EXPECT_EQ(read.eventName.view(), "i_n_t_Grand Prix d'\xC9t\xE9");
  EXPECT_TRUE(IsInternationalEvent(read.eventName));
  EXPECT_EQ(DisplayedEventName(read.eventName), "Grand Prix d'\xC9t\xE9");
  EXPECT_EQ(read.club.view(), "RC Club");
  EXPECT_TRUE(read.championship.empty());
  EXPECT_EQ(read.date.view(), "12/07/2026");

  EXPECT_EQ(StoredEventName("", true), "i_n_t_");
  EXPECT_EQ(DisplayedEventName("i_n_t_"), "");
  EXPECT_FALSE(IsInternationalEvent("Coupe"));
  EXPECT_EQ(DisplayedEventName("Coupe"), "Coupe");
}

TEST_F(EventSectionsTest, TrackBodyAndDefault) {
  TrackSettings track;
  EXPECT_EQ(track.lapProtectionTime, 2);  // what a file without the section gives
  track.name = "Circuit des Pins";
  track.lapProtectionTime = 15;
  TextFile f = Open();
  ASSERT_TRUE(WriteTrackSection(f, track).ok);
  const std::string body = "Circuit des Pins\t15\t\r\n";
  EXPECT_TRUE(test::SameBytes(Appended(),
                              "\r\nDadevuDorePiste\t\r\n" + body + Filler(25).substr(body.size())));
  TrackSettings read;
  ASSERT_TRUE(FindSection(f, kTrackTitle));
  EXPECT_TRUE(ReadTrackSection(f, read));
  EXPECT_EQ(read.name.view(), "Circuit des Pins");
  EXPECT_EQ(read.lapProtectionTime, 15);
}

TEST_F(EventSectionsTest, PenaltyListRoundTrip) {
  PenaltyTable table;
  ClearPenaltyTable(table);
  TextFile f = Open();
  // An empty list writes its count line only, and reads back nothing.
  ASSERT_TRUE(WritePenaltiesSection(f, table).ok);
  EXPECT_EQ(Appended().substr(0, 30), "\r\nDadevuDorePenalites\t\r\n0\t\r\n1\t");

  // A full list of 50 (the description is not stored in the race file).
  for (int i = 0; i < kMaxPenalties; ++i) {
    table[i].code = i == 0 ? std::string("A") : std::string("P").append(std::to_string(i));
    table[i].name = std::string(29, static_cast<char>('a' + i % 26));
    table[i].description = "not in the race file";
    table[i].amount = 300;
    table[i].kind = 1 + i % 5;
  }
  ASSERT_TRUE(WritePenaltiesSection(f, table).ok);
  EXPECT_NE(Appended().find("50\t\r\n1\t300\tA\t" + std::string(29, 'a') + "\t\r\n2\t300\tP1\t"),
            std::string::npos);

  PenaltyTable read;
  ClearPenaltyTable(read);
  ASSERT_TRUE(FindSection(f, kPenaltiesTitle));
  EXPECT_TRUE(ReadPenaltiesSection(f, read));
  EXPECT_EQ(CountPenalties(read), 50);
  EXPECT_EQ(read[49].code.view(), "P49");
  EXPECT_EQ(read[49].name.view(), table[49].name.view());
  EXPECT_EQ(read[49].kind, 5);
  EXPECT_EQ(read[49].amount, 300);
  EXPECT_TRUE(read[0].description.empty());

  table[3].code.clear();  // the list ends at the first empty code
  ASSERT_TRUE(WritePenaltiesSection(f, table).ok);
  ClearPenaltyTable(read);
  ASSERT_TRUE(FindSection(f, kPenaltiesTitle));
  ReadPenaltiesSection(f, read);
  EXPECT_EQ(CountPenalties(read), 3);
}

// Fifty entries with 3-character codes, 29-character names and 5-digit amounts take 2205 bytes;
// the section holds 2204. The check says so before the writer would refuse the list.
TEST_F(EventSectionsTest, PenaltiesFitTellsAListTheSectionCannotHold) {
  PenaltyTable table;
  ClearPenaltyTable(table);
  for (int i = 0; i < kMaxPenalties; ++i) {
    table[i].code = i == 0 ? std::string("A") : "P" + std::to_string(10 + i);
    table[i].name = std::string(29, 'n');
    table[i].amount = 10000;
  }
  table[0].code = "AB";
  const struct {
    const char* what;
    int lastAmount;
    std::string firstCode;
    bool fits;
  } cases[] = {
      {"2203 bytes", 10000, "A", true},
      {"2204 bytes", 10000, "AB", true},
      {"2205 bytes", 10000, "ABC", false},
      {"2205 bytes by an amount", 100000, "AB", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    table[0].code = c.firstCode;
    table[49].amount = c.lastAmount;
    EXPECT_EQ(PenaltiesFit(table), c.fits);
    TextFile f = Open();
    EXPECT_EQ(WritePenaltiesSection(f, table).ok, c.fits);
  }
  // A shorter list fits.
  table[49].code.clear();
  EXPECT_TRUE(PenaltiesFit(table));
}

TEST_F(EventSectionsTest, PenaltyCountBeyondTheTableIsBounded) {
  std::string lines;
  for (int i = 0; i < 80; ++i) lines += "1\t10\tP" + std::to_string(i) + "\tname\t\r\n";
  WriteBytes(path_, ReadBytes(path_) + "\r\nDadevuDorePenalites\t\r\n80\t\r\n" + lines);
  TextFile f = Open();
  PenaltyTable read;
  ClearPenaltyTable(read);
  ASSERT_TRUE(FindSection(f, kPenaltiesTitle));
  EXPECT_FALSE(ReadPenaltiesSection(f, read));
  EXPECT_EQ(CountPenalties(read), 50);
  EXPECT_EQ(read[49].code.view(), "P49");
}

TEST_F(EventSectionsTest, TreeFlagsInBodyOrder) {
  TreeviewFlagsTable flags;
  ClearTreeviewFlags(flags);
  flags[0].practice[0][0] = 1;
  flags[1].qualifying[2][3] = 1;  // race 2: 81 practice flags, then session 3 series 4
  flags[2].rounds[8] = 1;         // the very last flag
  std::string body = TreeviewFlagsBody(flags);
  ASSERT_EQ(body.size(), 513u * 2 + 1);
  EXPECT_EQ(body.substr(0, 2), "1\t");
  EXPECT_EQ(body.substr(2 * (171 + 81 + 2 * 9 + 3), 2), "1\t");
  EXPECT_EQ(body.substr(2 * 512, 3), "1\t\n");
  EXPECT_EQ(std::count(body.begin(), body.end(), '1'), 3);

  TextFile f = Open();
  ASSERT_TRUE(WriteTreeviewSection(f, flags).ok);
  EXPECT_EQ(Appended(), "");  // rewritten in place
  TreeviewFlagsTable read{};
  ASSERT_TRUE(FindSection(f, kTreeviewTitle));
  EXPECT_TRUE(ReadTreeviewSection(f, read));
  EXPECT_EQ(read[1].qualifying[2][3], 1);
  EXPECT_EQ(read[2].rounds[8], 1);
  EXPECT_EQ(read[1].qualifying[3][2], 0);
}

}  // namespace
}  // namespace zd
