#include "files/race_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/series_sections.h"
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
  const std::string points = "DadevuDore1EssaisPoints";
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "ab\t\n", "msg").ok);
  std::string first = ReadBytes(path_);
  EXPECT_EQ(first, before + Section(std::string(kTrackTitle), "ab\t\r\n", filler::kTrack));

  // A second section after it, then a rewrite of the first: same length, every other byte kept.
  ASSERT_TRUE(RewriteSection(f, points, filler::kPoints, "zz\t\n", "msg").ok);
  std::string two = ReadBytes(path_);
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "1234567\t\n", "msg").ok);
  std::string rewritten = ReadBytes(path_);
  ASSERT_EQ(rewritten.size(), two.size());
  std::size_t body = before.size() + 2 + kTrackTitle.size() + 3;
  EXPECT_EQ(rewritten.substr(0, body), two.substr(0, body));
  EXPECT_EQ(rewritten.substr(body, 10), "1234567\t\r\n");
  EXPECT_EQ(rewritten.substr(body + 10), two.substr(body + 10));

  // A shorter body leaves no trace of the longer one.
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "x\t\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_),
                              before + Section(std::string(kTrackTitle), "x\t\r\n", filler::kTrack) +
                                  Section(points, "zz\t\r\n", filler::kPoints)));
}

TEST_F(RaceFileTest, TitleMatchesOnlyAWholeFirstField) {
  TextFile f = Open();
  // Rounds of capacity 1: the region follows the capacity on the first line.
  ASSERT_TRUE(RewriteSection(f, "DadevuDore1Manche10", filler::RoundResults(1), "1\t\nlong\t\n", "m").ok);
  ASSERT_TRUE(RewriteSection(f, "DadevuDore1Manche1", filler::RoundResults(1), "1\t\nshort\t\n", "m").ok);
  // The longer title comes first in the file but does not match the shorter one.
  ASSERT_TRUE(FindSection(f, "DadevuDore1Manche1"));
  SkipLine(f);
  FixedText<10> text;
  ReadText(f, text);
  EXPECT_EQ(text.view(), "short");
  EXPECT_FALSE(FindSection(f, "DadevuDore1Manche"));

  // A title followed on its line by further fields still matches, however long the line.
  for (const std::string& fields : {std::string("more\tfields"), std::string(300, 'f') + "\t"}) {
    WriteBytes(path_, NewFileBytes().substr(0, 432) + "\r\nDadevuDorePiste\t" + fields + "\r\n" +
                          Filler(filler::kTrack).replace(0, 6, "body\t\t") +
                          Section("DadevuDore1EssaisPoints", "pts\t\r\n", filler::kPoints));
    TextFile g = Open();
    ASSERT_TRUE(FindSection(g, kTrackTitle));
    ReadText(g, text);
    EXPECT_EQ(text.view(), "body");
    ASSERT_TRUE(FindSection(g, "DadevuDore1EssaisPoints"));
    ReadText(g, text);
    EXPECT_EQ(text.view(), "pts");
  }
}

// Participants, results and rankings lines begin with a name: a name that equals a title must not
// be taken for the section.
TEST_F(RaceFileTest, NamesThatEqualTitlesAreNeverTakenForSections) {
  ParticipantTable participants;
  ClearParticipants(participants);
  participants[0].name = "DadevuDoreInformation";
  participants[1].name = "DadevuDore1EL1S1";
  participants[2].name = "Zed";
  TextFile f = Open();
  ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), participants).ok);
  const std::string withParticipants = ReadBytes(path_);

  // The information section is absent, not the participant's line.
  EventInformation info;
  EXPECT_FALSE(FindSection(f, kInformationTitle));
  EXPECT_EQ(f.tell(), f.size());

  // A new section goes after the participants, which stay whole.
  auto table = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  texts.description = ".";
  ASSERT_TRUE(WriteSeriesResultsSection(f, "DadevuDore1EL1S1", *table, texts).ok);
  EXPECT_EQ(ReadBytes(path_).substr(0, withParticipants.size()), withParticipants);
  ParticipantTable read;
  ClearParticipants(read);
  ASSERT_TRUE(FindSection(f, ParticipantsSectionTitle(1)));
  ReadParticipantsSection(f, read);
  EXPECT_EQ(read[2].name.view(), "Zed");

  info.eventName = "Grand Prix";
  ASSERT_TRUE(WriteInformationSection(f, info).ok);
  EventInformation back;
  ASSERT_TRUE(FindSection(f, kInformationTitle));
  ReadInformationSection(f, back);
  EXPECT_EQ(back.eventName.view(), "Grand Prix");

  // A participant named like the track section leaves the track section writable.
  participants[0].name = "DadevuDorePiste";
  ASSERT_TRUE(WriteParticipantsSection(f, ParticipantsSectionTitle(1), participants).ok);
  TrackSettings track;
  track.name = "Circuit";
  EXPECT_TRUE(WriteTrackSection(f, track).ok);
  TrackSettings trackBack;
  ASSERT_TRUE(FindSection(f, kTrackTitle));
  ReadTrackSection(f, trackBack);
  EXPECT_EQ(trackBack.name.view(), "Circuit");
}

TEST_F(RaceFileTest, BrokenChainIsReportedDamagedAndNeverWrittenPast) {
  TextFile f = Open();
  TrackSettings track;
  track.name = "Circuit";
  ASSERT_TRUE(WriteTrackSection(f, track).ok);
  const std::string good = ReadBytes(path_);
  const std::size_t trackAt = good.size() - Section(std::string(kTrackTitle), "", filler::kTrack).size();
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"header line cut", good.substr(0, 300)},
      {"header line end lost", good.substr(0, 430) + "xx" + good.substr(432)},
      {"last region cut short", good.substr(0, good.size() - 3)},
      {"empty line lost", good.substr(0, trackAt) + "xx" + good.substr(trackAt + 2)},
      {"unknown title", good.substr(0, trackAt) + "\r\nDadevuDoreXYZ\t\r\n" + Filler(filler::kTrack)},
      {"title line without its end", good.substr(0, trackAt) + "\r\n" + std::string(600, 'D')},
      {"round without capacity", good + Section("DadevuDore1Manche1", "x\t\r\n", 10)},
      {"region grown by hand", good + "1\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(path_, c.bytes);
    TextFile g = Open();
    EXPECT_EQ(LocateSection(g, kInformationTitle).result, SectionSearch::Damaged);
    EXPECT_FALSE(FindSection(g, kInformationTitle));
    EventInformation info;
    info.eventName = "Grand Prix";
    Outcome out = WriteInformationSection(g, info);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find("'DadevuDoreInformation'"), std::string::npos) << out.message;
    EXPECT_NE(out.message.find("damaged"), std::string::npos) << out.message;
    EXPECT_TRUE(test::SameBytes(ReadBytes(path_), c.bytes));
  }
  // The sections before a break are still found.
  WriteBytes(path_, good + "\r\nDadevuDoreXYZ\t\r\n");
  TextFile h = Open();
  EXPECT_TRUE(FindSection(h, kTrackTitle));
  EXPECT_TRUE(FindSection(h, kTreeviewTitle));
}

TEST_F(RaceFileTest, TheIndexHoldsEverySectionAsTheSearchFindsIt) {
  TextFile f = Open();
  TrackSettings track;
  ASSERT_TRUE(WriteTrackSection(f, track).ok);
  ASSERT_TRUE(WriteInformationSection(f, EventInformation{}).ok);
  SectionIndex index = IndexSections(f);
  EXPECT_FALSE(index.damaged);
  EXPECT_EQ(index.bodies.size(), 3u);
  for (std::string_view title : {kTreeviewTitle, kTrackTitle, kInformationTitle}) {
    SCOPED_TRACE(title);
    EXPECT_EQ(index.find(title), FindSectionBody(f, title));
  }
  EXPECT_FALSE(index.find(kPenaltiesTitle));
  EXPECT_FALSE(index.seek(f, kPenaltiesTitle));
  ASSERT_TRUE(index.seek(f, kTrackTitle));
  EXPECT_EQ(f.tell(), *FindSectionBody(f, kTrackTitle));

  // A title met twice: the index, the search and the writers take the first.
  f.close();
  const std::string once = ReadBytes(path_);
  WriteBytes(path_, once + Section(std::string(kTrackTitle), "Second\t3\t\r\n", filler::kTrack));
  TextFile twice = Open();
  index = IndexSections(twice);
  EXPECT_EQ(index.find(kTrackTitle), FindSectionBody(twice, kTrackTitle));
  track.name = "Written";
  ASSERT_TRUE(WriteTrackSection(twice, track).ok);
  ASSERT_TRUE(index.seek(twice, kTrackTitle));
  TrackSettings back;
  ReadTrackSection(twice, back);
  EXPECT_EQ(back.name.view(), "Written");
  twice.close();

  // A break of the chain ends the index there.
  WriteBytes(path_, once + "\r\nDadevuDoreXYZ\t\r\n");
  TextFile g = Open();
  index = IndexSections(g);
  EXPECT_TRUE(index.damaged);
  EXPECT_TRUE(index.find(kInformationTitle));
}

TEST_F(RaceFileTest, BodyTooLargeIsRefusedAndTheFileUnchanged) {
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "abcd\t\n", "msg").ok);
  const std::string before = ReadBytes(path_);
  // 2N + 2 bytes on disk fit; one more does not.
  const std::string fits(2 * filler::kTrack, 'a');
  EXPECT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, fits + "\n", "msg").ok);
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "abcd\t\n", "msg").ok);
  Outcome tooBig = RewriteSection(f, kTrackTitle, filler::kTrack, fits + "a\n", "msg");
  EXPECT_FALSE(tooBig.ok);
  EXPECT_NE(tooBig.message.find(kTrackTitle), std::string::npos);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
  // A new section that would not fit is not appended either.
  EXPECT_FALSE(RewriteSection(f, "DadevuDore1EssaisPoints", filler::kPoints, fits + "a\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
}

TEST_F(RaceFileTest, AnAppendThatFailsHalfWayLeavesTheFileAtItsOldLength) {
  const std::string before = ReadBytes(path_);
  TextFile f = Open();
  Outcome full;
  {
    // The disk fills up 20 bytes into the new section.
    test::FileSizeLimit limit(before.size() + 20);
    ASSERT_TRUE(limit.set());
    full = RewriteSection(f, kTrackTitle, filler::kTrack, "ab\t\n", "no room");
  }
  EXPECT_FALSE(full.ok);
  EXPECT_EQ(full.message, "no room");
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
  // Once there is room again, the section goes where it would have gone.
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "ab\t\n", "no room").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_),
                              before + Section(std::string(kTrackTitle), "ab\t\r\n", filler::kTrack)));
}

TEST_F(RaceFileTest, RegionOfAnotherCapacityIsNotOverwritten) {
  TextFile f = Open();
  ASSERT_TRUE(RewriteSection(f, kTrackTitle, filler::kTrack, "a\t\n", "msg").ok);
  ASSERT_TRUE(RewriteSection(f, "DadevuDore1EssaisPoints", filler::kPoints, "b\t\n", "msg").ok);
  const std::string before = ReadBytes(path_);
  // A larger capacity than the section was made with would run into the next section.
  EXPECT_FALSE(RewriteSection(f, kTrackTitle, filler::kTrack + 2, "a\t\n", "msg").ok);
  EXPECT_FALSE(RewriteSection(f, kTrackTitle, filler::kTrack - 1, "a\t\n", "msg").ok);
  EXPECT_TRUE(test::SameBytes(ReadBytes(path_), before));
  // The last section has nothing after it.
  EXPECT_TRUE(RewriteSection(f, "DadevuDore1EssaisPoints", filler::kPoints, "bb\t\n", "msg").ok);
}

TEST(SectionTitles, FillerPairsFollowTheTitle) {
  const std::pair<std::string, std::optional<int32_t>> cases[] = {
      {"DadevuDoreDrapeauxTreeview", filler::kTreeview},
      {"DadevuDoreInformation", filler::kInformation},
      {"DadevuDorePiste", filler::kTrack},
      {"DadevuDorePenalites", filler::kPenalties},
      {"DadevuDore2ListeParticipants", filler::kParticipants},
      {"DadevuDore1QualifsParamètres", filler::kParameters},
      {"DadevuDore3RepartitionEssais", filler::kSeriesArrangement},
      {"DadevuDore1RepartitionManches", filler::kRoundArrangement},
      {"DadevuDore1EL9S9", filler::kSeriesResults},
      {"DadevuDore3Q1S2", filler::kSeriesResults},
      {"DadevuDore2Manche4", kRoundFiller},
      {"DadevuDore1ManchesPoints", filler::kPoints},
      {"DadevuDore1EssaisClassement", filler::kClassement},
      {"DadevuDore1EL1", std::nullopt},
      {"DadevuDore1Manche", std::nullopt},
      {"DadevuDoreListeParticipants", std::nullopt},
      {"DadevuDore1Piste", std::nullopt},
      {"Zed", std::nullopt},
  };
  for (const auto& [title, pairs] : cases) EXPECT_EQ(SectionFillerPairs(title), pairs) << title;
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
