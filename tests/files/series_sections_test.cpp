#include "files/series_sections.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "new_race_file_bytes.h"
#include "test_support.h"

namespace zd {
namespace {

using test::Filler;
using test::ReadBytes;
using test::Repeat;
using test::TempDir;
using test::WriteBytes;

const std::string kEmptySlotLine = "(NA)\t0\t0\t0\t1500000000\t0\t1500000000\t1500000000\t\r\n";

void MakeEmptySlot(SeriesResultEntry& e) {
  e.name = "(NA)";
  e.raceTime = e.bestLap = 1500000000;
  e.passingTimes.fill(1500000000);
}

SeriesTexts Texts(std::string_view description, std::string_view comment,
                  std::string_view condition) {
  SeriesTexts t;
  t.description = description;
  t.comment = comment;
  t.trackCondition = condition;
  return t;
}

class SeriesSectionsTest : public test::NewRaceFileTest {};

TEST(SeriesSectionTitles, RaceSessionSeriesAndRound) {
  EXPECT_EQ(PracticeSeriesTitle(1, 2, 3), "DadevuDore1EL2S3");
  EXPECT_EQ(QualifyingSeriesTitle(3, 9, 1), "DadevuDore3Q9S1");
  EXPECT_EQ(RoundTitle(2, 7), "DadevuDore2Manche7");
}

TEST_F(SeriesSectionsTest, SeriesLinesStoreOnlyTheirFields) {
  auto table = std::make_unique<SeriesTable>();
  SeriesResultEntry& a = (*table)[0];
  a.name = "Alpha";
  a.passingCount = 3;
  a.laps = 3;
  a.raceTime = 90000;
  a.bestLap = 29000;
  a.passingTimes[0] = 1000;
  a.passingTimes[1] = 31000;
  a.passingTimes[2] = 61000;
  a.passingTimes[3] = 90000;
  a.lapTimes = {0, 30000, 30000, 29000};
  a.positions[2] = 4;
  (*table)[1].name = "Bravo";  // a driver who has not run: zeros, one time
  SeriesResultEntry& c = (*table)[2];
  c.name = "Charlie";
  c.penaltyIndex = 1;
  c.passingCount = 1;
  c.laps = 1;
  c.raceTime = c.bestLap = c.lapTimes[1] = 44000;
  c.passingTimes[0] = 1000;
  c.passingTimes[1] = 45000;
  for (int i = 3; i < kMaxSeriesSlots; ++i) MakeEmptySlot((*table)[i]);

  const std::string title = QualifyingSeriesTitle(2, 1, 4);
  TextFile f = Open();
  ASSERT_TRUE(WriteSeriesResultsSection(f, title, *table, Texts(".", " ", "Sec")).ok);
  const std::string body = "Alpha\t0\t3\t3\t90000\t29000\t29000\t1000\t31000\t61000\t90000\t\r\n"
                           "Bravo\t0\t0\t0\t0\t0\t0\t0\t\r\n"
                           "Charlie\t1\t1\t1\t44000\t44000\t44000\t1000\t45000\t\r\n" +
                           Repeat(kEmptySlotLine, 47) + ".\t \tSec\t\r\n";
  EXPECT_TRUE(test::SameBytes(Appended(), Section(title, body, filler::kSeriesResults)));

  auto read = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  ASSERT_TRUE(FindSection(f, title));
  EXPECT_TRUE(ReadSeriesResultsSection(f, *read, texts));
  const SeriesResultEntry& ra = (*read)[0];
  EXPECT_EQ(ra.name.view(), "Alpha");
  EXPECT_EQ(ra.passingCount, 3);
  EXPECT_EQ(ra.raceTime, 90000);
  EXPECT_EQ(ra.bestLap, 29000);
  EXPECT_EQ(ra.passingTimes[0], 1000);
  EXPECT_EQ(ra.passingTimes[3], 90000);
  EXPECT_EQ(ra.lapTimes[3], 29000);  // the last lap goes to index n
  EXPECT_EQ(ra.lapTimes[1], 0);      // the other lap times and the positions are not stored
  EXPECT_EQ(ra.positions[2], 0);
  EXPECT_EQ((*read)[1].name.view(), "Bravo");
  EXPECT_EQ((*read)[2].penaltyIndex, 1);
  EXPECT_EQ((*read)[2].lapTimes[1], 44000);
  const SeriesResultEntry& empty = (*read)[49];
  EXPECT_EQ(empty.name.view(), "(NA)");
  EXPECT_EQ(empty.raceTime, 1500000000);
  EXPECT_EQ(empty.bestLap, 1500000000);
  EXPECT_EQ(empty.passingTimes[0], 1500000000);
  EXPECT_EQ(empty.passingTimes[1], 0);
  EXPECT_EQ(texts.description.view(), ".");
  EXPECT_EQ(texts.comment.view(), " ");
  EXPECT_EQ(texts.trackCondition.view(), "Sec");

  // A shorter body later leaves no trace of the first one.
  (*table)[0] = (*table)[1];
  ASSERT_TRUE(WriteSeriesResultsSection(f, PracticeSeriesTitle(1, 1, 1), *table,
                                        Texts(".", " ", "Sec"))
                  .ok);
  ASSERT_TRUE(WriteSeriesResultsSection(f, title, *table, Texts("D", "C", "Pluie")).ok);
  std::string second = "Bravo\t0\t0\t0\t0\t0\t0\t0\t\r\n" + body.substr(body.find("Bravo"));
  second.replace(second.find(".\t \tSec"), 7, "D\tC\tPluie");
  const std::string expected = Section(title, second, filler::kSeriesResults);
  EXPECT_TRUE(test::SameBytes(Appended().substr(0, expected.size()), expected));
}

// The comment is edited in a multi-line box: it keeps its line breaks, CR LF on disk, and is read
// up to its TAB; older software wrote a line break as CR CR LF.
TEST_F(SeriesSectionsTest, MultiLineCommentKeepsItsLineBreaks) {
  auto table = std::make_unique<SeriesTable>();
  for (SeriesResultEntry& e : *table) MakeEmptySlot(e);
  const std::string title = PracticeSeriesTitle(1, 1, 1);
  const std::string lines = Repeat(kEmptySlotLine, kMaxSeriesSlots);
  struct Case {
    const char* what;
    std::string comment;  // as the program holds it
    std::string onDisk;
  };
  const Case cases[] = {
      {"two lines", "ab\ncd", "ab\r\ncd"},
      {"as the edit box gives it", "ab\r\ncd", "ab\r\ncd"},
      {"empty lines and a TAB", "\n\nx\ty\n", "\r\n\r\nx y\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TextFile f = Open();
    ASSERT_TRUE(WriteSeriesResultsSection(f, title, *table, Texts(".", c.comment, "Pluie")).ok);
    const std::string body = lines + ".\t" + c.onDisk + "\tPluie\t\r\n";
    EXPECT_TRUE(test::SameBytes(Appended(), Section(title, body, filler::kSeriesResults)));
  }

  // Read back, and from a file written by older software.
  const std::pair<std::string, std::string> reads[] = {
      {"ab\r\ncd", "ab\ncd"},
      {"ab\r\r\ncd\r\r\n\r\r\nef", "ab\ncd\n\nef"},
      {"\r\nx", "\nx"},
  };
  for (const auto& [onDisk, comment] : reads) {
    SCOPED_TRACE(onDisk);
    WriteBytes(path_, test::NewRaceFileBytes() +
                          Section(title, lines + ".\t" + onDisk + "\tPluie\t\r\n",
                                  filler::kSeriesResults));
    TextFile f = Open();
    auto read = std::make_unique<SeriesTable>();
    SeriesTexts texts;
    ASSERT_TRUE(FindSection(f, title));
    EXPECT_TRUE(ReadSeriesResultsSection(f, *read, texts));
    EXPECT_EQ(texts.comment.view(), comment);
    EXPECT_EQ(texts.trackCondition.view(), "Pluie");
    EXPECT_EQ(texts.description.view(), ".");
  }
}

TEST_F(SeriesSectionsTest, RoundSectionsKeepTheCapacityTheyWereCreatedWith) {
  for (int32_t capacity : {1000, 3000}) {
    SCOPED_TRACE(capacity);
    // Every car with a full table of eight-digit times: the largest body of the capacity.
    auto table = std::make_unique<SeriesTable>();
    std::string body = std::to_string(capacity) + "\t\r\n";
    for (int i = 0; i < kMaxSeriesSlots; ++i) {
      SeriesResultEntry& e = (*table)[i];
      e.name = "Pilote " + std::to_string(i + 1);
      e.passingCount = e.laps = capacity;
      for (int k = 0; k <= capacity; ++k) e.passingTimes[k] = 10000000 + 25000 * k + i;
      e.raceTime = e.passingTimes[capacity];
      e.bestLap = e.lapTimes[capacity] = 25000;
      body += e.name.str() + "\t0\t" + std::to_string(capacity) + "\t" + std::to_string(capacity) +
              "\t" + std::to_string(e.raceTime) + "\t25000\t25000\t";
      for (int k = 0; k <= capacity; ++k) body += std::to_string(e.passingTimes[k]) + "\t";
      body += "\r\n";
    }
    body += "Dur\xE9" "e 6:00:00\tbon\tSec\t\r\n";
    const std::string title = RoundTitle(1, capacity / 1000);
    const std::size_t before = ReadBytes(path_).size();
    TextFile f = Open();
    ASSERT_TRUE(WriteRoundResultsSection(f, title, *table, capacity,
                                         Texts("Dur\xE9" "e 6:00:00", "bon", "Sec"))
                    .ok);
    const int32_t pairs = 225 * capacity + 2359;
    const std::string section = Section(title, body, pairs);
    EXPECT_EQ(section.size(), 2 + title.size() + 3 + 2 * static_cast<std::size_t>(pairs) + 2);
    EXPECT_TRUE(test::SameBytes(ReadBytes(path_).substr(before), section));

    // Asked for the other capacity, the section keeps its own: its region does not move.
    const int32_t other = capacity == 1000 ? 3000 : 1000;
    (*table)[0].passingCount = 2;
    ASSERT_TRUE(WriteRoundResultsSection(f, title, *table, other, SeriesTexts{}).ok);
    EXPECT_EQ(ReadBytes(path_).size(), before + section.size());
    EXPECT_EQ(ReadRoundCapacity(f, title), capacity);

    auto read = std::make_unique<SeriesTable>();
    SeriesTexts texts;
    int32_t readCapacity = 0;
    ASSERT_TRUE(FindSection(f, title));
    EXPECT_TRUE(ReadRoundResultsSection(f, *read, readCapacity, texts));
    EXPECT_EQ(readCapacity, capacity);
    EXPECT_EQ((*read)[0].passingCount, 2);
    EXPECT_EQ((*read)[0].passingTimes[2], 10000000 + 50000);
    EXPECT_EQ((*read)[49].passingCount, capacity);
    EXPECT_EQ((*read)[49].passingTimes[capacity], (*table)[49].passingTimes[capacity]);
  }
  TextFile f = Open();
  EXPECT_EQ(ReadRoundCapacity(f, RoundTitle(1, 9)), std::nullopt);
  const std::size_t size = ReadBytes(path_).size();
  auto table = std::make_unique<SeriesTable>();
  EXPECT_FALSE(WriteRoundResultsSection(f, RoundTitle(1, 9), *table, 0, SeriesTexts{}).ok);
  EXPECT_EQ(ReadBytes(path_).size(), size);
}

TEST_F(SeriesSectionsTest, CountsBeyondTheTablesAreBoundedAndLinesStayInStep) {
  std::string body = "Big\t2\t5000\t5000\t1\t2\t3\t" + Repeat("7\t", 5001) + "\r\n" +
                     "Negative\t0\t-4\t1\t2\t3\t4\t5\t6\t\r\n" +
                     "Penalty\t99\t0\t0\t0\t0\t0\t0\t\r\n" + "Short\t0\t3\t\r\n" +
                     Repeat(kEmptySlotLine, 46) + ".\t \tSec\t\r\n";
  WriteBytes(path_, ReadBytes(path_) + "\r\nDadevuDore1Q1S1\t\r\n" + body);
  TextFile f = Open();
  auto read = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  ASSERT_TRUE(FindSection(f, QualifyingSeriesTitle(1, 1, 1)));
  EXPECT_FALSE(ReadSeriesResultsSection(f, *read, texts));
  const SeriesResultEntry& big = (*read)[0];
  EXPECT_EQ(big.passingCount, 3000);
  EXPECT_EQ(big.penaltyIndex, 2);
  EXPECT_EQ(big.lapTimes[3000], 2);
  EXPECT_EQ(big.passingTimes[3000], 7);
  EXPECT_EQ((*read)[1].passingCount, 0);
  EXPECT_EQ((*read)[1].lapTimes[0], 3);
  EXPECT_EQ((*read)[1].passingTimes[0], 5);
  EXPECT_EQ((*read)[2].penaltyIndex, 0);  // no entry 99 in a list of 50
  EXPECT_EQ((*read)[3].name.view(), "Short");
  EXPECT_EQ((*read)[4].name.view(), "(NA)");
  EXPECT_EQ((*read)[49].bestLap, 1500000000);
  EXPECT_EQ(texts.trackCondition.view(), "Sec");
}

// A penalty index names one of the 50 entries of the race's list: 50 is the last, 51 is none.
TEST_F(SeriesSectionsTest, APenaltyIndexIsReadUpToTheLastEntryOfTheList) {
  const std::string before = ReadBytes(path_);
  for (auto [index, read, ok] : {std::tuple{50, 50, true}, {51, 0, false}}) {
    const std::string body = "Penalty\t" + std::to_string(index) + "\t0\t0\t0\t0\t0\t0\t\r\n" +
                             Repeat(kEmptySlotLine, 49) + ".\t \tSec\t\r\n";
    WriteBytes(path_, before + "\r\nDadevuDore1Q1S1\t\r\n" + body);
    TextFile f = Open();
    auto table = std::make_unique<SeriesTable>();
    SeriesTexts texts;
    ASSERT_TRUE(FindSection(f, QualifyingSeriesTitle(1, 1, 1))) << index;
    EXPECT_EQ(ReadSeriesResultsSection(f, *table, texts), ok) << index;
    EXPECT_EQ((*table)[0].penaltyIndex, read) << index;
  }
}

// Laps are kept within the passing capacity. Times past a day are a long round's own and read
// back as written, up to the values the rankings order with; a negative time, one among or above
// those values other than the two markers, and a number past the field read as missing.
TEST_F(SeriesSectionsTest, NumbersOutOfTheirRangeAreClampedOrReadAsMissing) {
  struct Case {
    std::string fields;  // laps, race time, last lap, best lap, then passing 0
    int32_t laps, raceTime, lastLap, bestLap, firstPassing;
    bool ok;
  };
  const Case cases[] = {
      {"3	90000	29000	28000	0", 3, 90000, 29000, 28000, 0, true},
      {"0	86400000	0	1400000000	1500000000", 0, 86400000, 0, 1400000000, 1500000000, true},
      {"73	86400001	90061001	999999999	86460000", 73, 86400001, 90061001, 999999999,
       86460000, true},
      {"-5	-1	-2147483648	2147483647	1000000000", 0, 0, 0, 0, 0, false},
      {"2147483647	1500000001	99999999999	-7	-1", 1000, 0, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    const std::string body = "1000\t\r\nA\t0\t0\t" + c.fields + "\t\r\n" +
                             Repeat(kEmptySlotLine, 49) + ".\t \tSec\t\r\n";
    WriteBytes(path_, test::NewRaceFileBytes() +
                          Section(RoundTitle(1, 1), body, filler::RoundResults(1000)));
    TextFile f = Open();
    auto read = std::make_unique<SeriesTable>();
    SeriesTexts texts;
    int32_t capacity = 0;
    ASSERT_TRUE(FindSection(f, RoundTitle(1, 1)));
    EXPECT_EQ(ReadRoundResultsSection(f, *read, capacity, texts), c.ok);
    const SeriesResultEntry& e = (*read)[0];
    EXPECT_EQ(e.laps, c.laps);
    EXPECT_EQ(e.raceTime, c.raceTime);
    EXPECT_EQ(e.lapTimes[0], c.lastLap);
    EXPECT_EQ(e.bestLap, c.bestLap);
    EXPECT_EQ(e.passingTimes[0], c.firstPassing);
    EXPECT_EQ(texts.trackCondition.view(), "Sec");
  }
}

TEST_F(SeriesSectionsTest, ReadersSurviveATruncatedFile) {
  auto table = std::make_unique<SeriesTable>();
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    (*table)[i].name = "P" + std::to_string(i);
    (*table)[i].passingCount = 2;
  }
  {
    TextFile f = Open();
    ASSERT_TRUE(WriteRoundResultsSection(f, RoundTitle(1, 1), *table, 1000, SeriesTexts{}).ok);
    ASSERT_TRUE(WriteSeriesResultsSection(f, PracticeSeriesTitle(1, 1, 1), *table,
                                          Texts(".", " ", "Sec"))
                    .ok);
  }
  const std::string full = ReadBytes(path_);
  for (const std::string& title : {RoundTitle(1, 1), PracticeSeriesTitle(1, 1, 1)}) {
    const std::size_t body = full.find(title + "\t\r\n") + title.size() + 3;
    // The body ends where the rest of the filler begins.
    const std::size_t end = full.find("\r\n1\t", body) + 2;
    for (std::size_t cut = body; cut + 2 < end; cut += cut < body + 100 || cut + 100 > end ? 1 : 7) {
      WriteBytes(path_, full.substr(0, cut));
      TextFile f = test::OpenOrFail(path_, OpenMode::Read);
      ASSERT_TRUE(FindSection(f, title));
      auto read = std::make_unique<SeriesTable>();
      SeriesTexts texts;
      int32_t capacity = 0;
      bool ok = title == RoundTitle(1, 1) ? ReadRoundResultsSection(f, *read, capacity, texts)
                                          : ReadSeriesResultsSection(f, *read, texts);
      EXPECT_FALSE(ok) << title << " cut at " << cut - body;
    }
  }
}

}  // namespace
}  // namespace zd
