#include "files/race_file.h"

#include <gtest/gtest.h>

#include "files/event_sections.h"
#include "files/participants.h"
#include "new_race_file_bytes.h"
#include "test_support.h"

namespace zd {
namespace {

using test::Filler;
using test::ReadBytes;
using test::Repeat;
using test::TempDir;
using test::WriteBytes;

std::string NewFileBytes() { return test::NewRaceFileBytes(); }

class RaceFileTest : public test::NewRaceFileTest {};

TEST_F(RaceFileTest, NewFileHoldsTheHeaderAndTheTreeFlags) {
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), NewFileBytes()));
  std::string bytes = ReadBytes(path_);
  EXPECT_EQ(bytes.substr(0, 18), "10000\t1\tCOURSE 1\t0");
  EXPECT_EQ(bytes.substr(430, 2), "\r\n");

  TextFile f = Open();
  EXPECT_FALSE(FindSection(f, kTrackTitle));
  EXPECT_EQ(f.tell(), f.size());
  EXPECT_TRUE(FindSection(f, kTreeviewTitle));
  TreeviewFlagsTable flags;
  flags[1].rounds[4] = 7;
  EXPECT_TRUE(ReadTreeviewSection(f, flags));
  EXPECT_EQ(flags[1].rounds[4], 0);
}

TEST_F(RaceFileTest, FirstWriteAppendsThenRewritesInPlace) {
  const std::string before = ReadBytes(path_);
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreEssai", 5, "ab\t\n", "msg").ok);
  std::string first = ReadBytes(path_);
  EXPECT_EQ(first, before + "\r\nDadevuDoreEssai\t\r\n" + "ab\t\r\n" + "\t1\t1\t\r\n");

  // A second section after it, then a rewrite of the first: same length, every other byte kept.
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreSuite", 3, "zz\t\n", "msg").ok);
  std::string two = ReadBytes(path_);
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreEssai", 5, "1234567\t\n", "msg").ok);
  std::string rewritten = ReadBytes(path_);
  ASSERT_EQ(rewritten.size(), two.size());
  std::size_t body = before.size() + 20;
  EXPECT_EQ(rewritten.substr(0, body), two.substr(0, body));
  EXPECT_EQ(rewritten.substr(body, 12), "1234567\t\r\n\r\n");
  EXPECT_EQ(rewritten.substr(body + 12), two.substr(body + 12));

  // A shorter body leaves no trace of the longer one.
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreEssai", 5, "x\t\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), two.substr(0, body) + "x\t\r\n" + "1\t1\t1\t\r\n" +
                                  two.substr(body + 12)));
}

TEST_F(RaceFileTest, TitleMatchesOnlyAWholeFirstField) {
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, "DadevuDore1Manche10", 4, "long\t\n", "msg").ok);
  ASSERT_TRUE(RewriteSection(f, "DadevuDore1Manche1", 4, "short\t\n", "msg").ok);
  // The longer title comes first in the file but does not match the shorter one.
  ASSERT_TRUE(FindSection(f, "DadevuDore1Manche1"));
  FixedText<10> text;
  ReadText(f, text);
  EXPECT_EQ(text.view(), "short");
  EXPECT_FALSE(FindSection(f, "DadevuDore1Manche"));

  // A title followed on its line by further fields still matches; the first match wins.
  WriteBytes(path_, "1\t\r\n\r\nDadevuDoreX\tmore\tfields\r\nbody\t\r\nDadevuDoreX\t\r\nother\t");
  TextFile g = Open();
  ASSERT_TRUE(FindSection(g, "DadevuDoreX"));
  ReadText(g, text);
  EXPECT_EQ(text.view(), "body");
  // A title on the last line, without a line end, is found with an empty body.
  WriteBytes(path_, "1\t\r\nDadevuDoreY");
  TextFile h = Open();
  EXPECT_TRUE(FindSection(h, "DadevuDoreY"));
  EXPECT_EQ(h.get(), kEndOfFile);
}

TEST_F(RaceFileTest, BodyTooLargeIsRefusedAndTheFileUnchanged) {
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreEssai", 3, "abcd\t\n", "msg").ok);
  const std::string before = ReadBytes(path_);
  // 2N + 2 bytes on disk fit; one more does not.
  EXPECT_TRUE(RewriteSection(f, "DadevuDoreEssai", 3, "abcdef\n", "msg").ok);
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreEssai", 3, "abcd\t\n", "msg").ok);
  Outcome tooBig = RewriteSection(f, "DadevuDoreEssai", 3, "abcdefg\n", "msg");
  EXPECT_FALSE(tooBig.ok);
  EXPECT_NE(tooBig.message.find("DadevuDoreEssai"), std::string::npos);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
  // A new section that would not fit is not appended either.
  EXPECT_FALSE(RewriteSection(f, "DadevuDoreNeuf", 1, "abcdefg\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
}

TEST_F(RaceFileTest, RegionOfAnotherCapacityIsNotOverwritten) {
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreA", 4, "a\t\n", "msg").ok);
  ASSERT_TRUE(RewriteSection(f, "DadevuDoreB", 4, "b\t\n", "msg").ok);
  const std::string before = ReadBytes(path_);
  // A larger capacity than the section was made with would run into the next section.
  EXPECT_FALSE(RewriteSection(f, "DadevuDoreA", 6, "a\t\n", "msg").ok);
  EXPECT_FALSE(RewriteSection(f, "DadevuDoreA", 3, "a\t\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
  // The last section has nothing after it.
  EXPECT_TRUE(RewriteSection(f, "DadevuDoreB", 4, "bb\t\n", "msg").ok);
}

TEST_F(RaceFileTest, HeaderRoundTripAndRaceCount) {
  RaceHeaderRecords records = NewEventRaceRecords();
  records[1].name = "COURSE 2";
  records[1].participantCount = 12;
  records[1].qualifyingStates[8] = 1;
  records[1].rounds = -1;
  records[2].name = "COURSE 3";
  records[2].participantCount = 99;
  TextFile f = Open();
  ASSERT_TRUE(WriteRaceFileHeader(f, 21001, 2, records).ok);

  RaceHeaderRecords read;
  ClearRaceHeaderRecords(read);
  int32_t code = 0, count = 0;
  EXPECT_TRUE(ReadRaceFileHeader(f, code, count, read));
  EXPECT_EQ(code, 21001);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(read[1].name.view(), "COURSE 2");
  EXPECT_EQ(read[1].participantCount, 12);
  EXPECT_EQ(read[1].qualifyingStates[8], 1);
  EXPECT_EQ(read[1].rounds, -1);
  // The third record was not written, and stays as cleared.
  EXPECT_TRUE(read[2].name.empty());
  EXPECT_EQ(read[2].participantCount, 0);
  // The tree flags section after the header is untouched.
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_).substr(432), NewFileBytes().substr(432)));
}

TEST_F(RaceFileTest, LongestHeaderFitsItsReservation) {
  RaceHeaderRecords records{};
  for (auto& r : records) {
    r.name = std::string(29, 'N');
    r.participantCount = 200;
    r.practiceSessions = r.qualifyingSessions = r.rounds = 9;
    r.practiceSeries = r.qualifyingSeries = 9;
    r.practiceStates.fill(1);
    r.qualifyingStates.fill(1);
    r.roundsState = 1;
  }
  TextFile f = Open();
  ASSERT_TRUE(WriteRaceFileHeader(f, 31009, 3, records).ok);
  std::string bytes = ReadBytes(path_);
  std::size_t end = bytes.rfind(std::string(29, 'N') + "\t200\t");
  ASSERT_NE(end, std::string::npos);
  end = bytes.find("\t9\t9\t9\t9\t9\t", end) + 11;
  EXPECT_LT(end, 430u);
  std::string rest = bytes.substr(end, 430 - end);
  EXPECT_EQ(rest, Repeat("1\t", 215).substr(end));
  EXPECT_EQ(bytes.substr(430), NewFileBytes().substr(430));

  // Integers no dialog would write make a header that cannot fit: refused, file unchanged.
  records[0].participantCount = INT32_MIN;
  for (auto& r : records) r.practiceStates.fill(INT32_MIN);
  EXPECT_FALSE(WriteRaceFileHeader(f, 31009, 3, records).ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), bytes));
}

TEST_F(RaceFileTest, HeaderTextsAndCountsAreKeptWithinTheirTables) {
  RaceHeaderRecords records = NewEventRaceRecords();
  records[0].name = "A\tB";  // a pasted TAB would shift every field after it
  TextFile f = Open();
  ASSERT_TRUE(WriteRaceFileHeader(f, 10000, 9, records).ok);  // count kept within 1 to 3
  std::string bytes = ReadBytes(path_);
  EXPECT_EQ(bytes.substr(0, 12), "10000\t3\tA B\t");

  // A hand-edited header: a race count, a name and counts beyond their tables.
  std::string header = "10000\t7\t" + std::string(60, 'L') + "\t500\t" + Repeat("0\t", 19) +
                       "-5\t40\t12\t3\t3\t";
  WriteBytes(path_, header + bytes.substr(header.size()));
  TextFile g = Open();
  RaceHeaderRecords read{};
  int32_t code = 0, count = 0;
  EXPECT_FALSE(ReadRaceFileHeader(g, code, count, read));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(read[0].name.view(), std::string(29, 'L'));
  EXPECT_EQ(read[0].participantCount, 200);
  EXPECT_EQ(read[0].practiceSessions, -1);
  EXPECT_EQ(read[0].practiceSeries, 9);
  EXPECT_EQ(read[0].qualifyingSessions, 9);
  EXPECT_EQ(read[0].rounds, 3);
}

TEST_F(RaceFileTest, EveryReaderSurvivesATruncatedFile) {
  // A file with every section this layer knows, cut at every byte.
  {
    TextFile f = Open();
    EventInformation info;
    info.eventName = "Grand Prix";
    ASSERT_TRUE(WriteInformationSection(f, info).ok);
    TrackSettings track;
    track.name = "Piste";
    ASSERT_TRUE(WriteTrackSection(f, track).ok);
    PenaltyTable penalties;
    ClearPenaltyTable(penalties);
    penalties[0].code = "A";
    penalties[1].code = "P1";
    ASSERT_TRUE(WritePenaltiesSection(f, penalties).ok);
    ParticipantTable participants;
    ClearParticipants(participants);
    participants[0].name = "Dupont";
    ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), participants).ok);
  }
  const std::string full = ReadBytes(path_);
  // Every byte near the header and the end; a stride through the rest.
  for (std::size_t cut = 0; cut <= full.size();
       cut += (cut < 500 || cut + 700 > full.size()) ? 1 : 97) {
    WriteBytes(path_, full.substr(0, cut));
    TextFile f = test::OpenOrFail(path_, OpenMode::Read);
    RaceHeaderRecords records{};
    int32_t code, count;
    ReadRaceFileHeader(f, code, count, records);
    ASSERT_GE(count, 1);
    ASSERT_LE(count, 3);
    EventInformation info;
    if (FindSection(f, kInformationTitle)) ReadInformationSection(f, info);
    TrackSettings track;
    if (FindSection(f, kTrackTitle)) ReadTrackSection(f, track);
    PenaltyTable penalties;
    if (FindSection(f, kPenaltiesTitle)) ReadPenaltiesSection(f, penalties);
    TreeviewFlagsTable flags{};
    if (FindSection(f, kTreeviewTitle)) ReadTreeviewSection(f, flags);
    ParticipantTable participants;
    if (FindSection(f, ParticipantsSectionTitle(1))) ReadParticipantsSection(f, participants);
    ParticipantNames names;
    if (FindSection(f, ParticipantsSectionTitle(1))) ReadParticipantNames(f, names);
  }
}

}  // namespace
}  // namespace zd
