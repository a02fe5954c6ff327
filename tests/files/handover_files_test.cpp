#include "files/handover_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "data_folder_fixture.h"
#include "files/ranking.h"
#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::Repeat;
using test::WriteBytes;

class HandoverFilesTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    test::DataFolderTest::SetUp();
    table_ = std::make_unique<SeriesTable>();
    SeriesResultEntry& a = (*table_)[0];
    a.name = "Alpha";
    a.passingCount = 3;
    a.passingTimes[0] = 1000;
    a.passingTimes[1] = 31000;
    a.passingTimes[2] = 61000;
    a.passingTimes[3] = 90000;
    (*table_)[1].name = "Bravo";
    for (int i = 2; i < kMaxSeriesSlots; ++i) {
      (*table_)[i].name = "(NA)";
      (*table_)[i].passingTimes.fill(1500000000);
    }
  }
  std::unique_ptr<SeriesTable> table_;
};

TEST_F(HandoverFilesTest, SeriesResultFileMovesEachPassingDownOneIndex) {
  ASSERT_TRUE(WriteSeriesResultFile(*table_, kRankByBestLap));
  EXPECT_TRUE(test::SameBytes(ReadBytes(file("ResultatSerie.res")),
                              "CLASSEMENTMeilleurTour\t\r\nAlpha\t3\t1000\t31000\t61000\t90000\t\r\n"
                              "Bravo\t0\t0\t\r\n" +
                                  Repeat("(NA)\t0\t1500000000\t\r\n", 48)));

  auto read = std::make_unique<SeriesTable>();
  SeriesResultEntry& r = (*read)[0];
  r.name = "an older and longer name";
  r.passingTimes[3] = r.lapTimes[5] = r.positions[2999] = 9;
  r.passingTimes[3000] = r.lapTimes[3000] = 42;  // the 3001st values are left as they are
  r.laps = 8;
  FixedText<24> mode("old");
  SeriesStartTimes starts;
  starts.fill(7);
  ASSERT_TRUE(ReadSeriesResultFile(*read, mode, starts));
  EXPECT_EQ(mode.view(), kRankByBestLap);
  EXPECT_EQ(starts[0], 1000);  // passing 0, where the first lap starts
  EXPECT_EQ(starts[1], 0);
  EXPECT_EQ(r.name.view(), "Alpha");
  EXPECT_EQ(r.passingCount, 3);
  EXPECT_EQ(r.passingTimes[0], 31000);
  EXPECT_EQ(r.passingTimes[2], 90000);
  EXPECT_EQ(r.passingTimes[3], 0);
  EXPECT_EQ(r.lapTimes[5], 0);
  EXPECT_EQ(r.positions[2999], 0);
  EXPECT_EQ(r.passingTimes[3000], 42);
  EXPECT_EQ(r.lapTimes[3000], 42);
  EXPECT_EQ(r.laps, 8);
  EXPECT_EQ((*read)[1].passingCount, 0);
  EXPECT_EQ((*read)[49].name.view(), "(NA)");
}

TEST_F(HandoverFilesTest, DriverResultFileHoldsOneCarAndTheSeriesTexts) {
  ASSERT_TRUE(WriteDriverResultFile(*table_, 0, " COURSE 1 - Q1 - S\xE9rie2 ", "Piste", "."));
  EXPECT_TRUE(test::SameBytes(ReadBytes(file("ResultatPilote.res")),
                              "Alpha\t3\t1000\t31000\t61000\t90000\t\r\n"
                              " COURSE 1 - Q1 - S\xE9rie2 \tPiste\t.\t\r\n"));
  auto entry = std::make_unique<SeriesResultEntry>();
  entry->laps = 7;
  SeriesTitle title;
  FixedText<40> track;
  RunDescription description;
  ASSERT_TRUE(ReadDriverResultFile(*entry, title, track, description));
  EXPECT_EQ(entry->name.view(), "Alpha");
  EXPECT_EQ(entry->passingCount, 3);
  EXPECT_EQ(entry->passingTimes[0], 1000);  // the race control's indexes
  EXPECT_EQ(entry->passingTimes[3], 90000);
  EXPECT_EQ(entry->laps, 7);
  EXPECT_EQ(title.view(), " COURSE 1 - Q1 - S\xE9rie2 ");
  EXPECT_EQ(track.view(), "Piste");
  EXPECT_EQ(description.view(), ".");

  // A car with no passing: its name, 0 and the one time at index 0.
  ASSERT_TRUE(WriteDriverResultFile(*table_, 1, "t", "", "."));
  EXPECT_EQ(ReadBytes(file("ResultatPilote.res")), "Bravo\t0\t0\t\r\nt\t\t.\t\r\n");
  // There is no car beyond the table.
  EXPECT_FALSE(WriteDriverResultFile(*table_, 50, "t", "", "."));
  EXPECT_FALSE(WriteDriverResultFile(*table_, -1, "t", "", "."));
  EXPECT_EQ(ReadBytes(file("ResultatPilote.res")), "Bravo\t0\t0\t\r\nt\t\t.\t\r\n");
}

TEST_F(HandoverFilesTest, CommentFileReplacesTheTextsOnlyWhenReadWhole) {
  ASSERT_TRUE(WriteSeriesCommentFile("Pluie", " "));
  EXPECT_EQ(ReadBytes(file("CommentaireSerie.res")), "Pluie\t \t\r\n");
  TrackCondition condition("Sec");
  SeriesComment comment("old");
  ASSERT_TRUE(ReadSeriesCommentFile(condition, comment));
  EXPECT_EQ(condition.view(), "Pluie");
  EXPECT_EQ(comment.view(), " ");

  // A multi-line comment keeps its line breaks; CR CR LF, as older software wrote them, too.
  ASSERT_TRUE(WriteSeriesCommentFile("Glace", "ab\ncd"));
  EXPECT_EQ(ReadBytes(file("CommentaireSerie.res")), "Glace\tab\r\ncd\t\r\n");
  for (const char* bytes : {"Glace\tab\r\ncd\t\r\n", "Glace\tab\r\r\ncd\t\r\n"}) {
    WriteBytes(file("CommentaireSerie.res"), bytes);
    ASSERT_TRUE(ReadSeriesCommentFile(condition, comment)) << bytes;
    EXPECT_EQ(condition.view(), "Glace");
    EXPECT_EQ(comment.view(), "ab\ncd");
  }
  // A comment reads back as it was written, stray CRs included: CRs before a line end belong to
  // it, the others to the text.
  const std::pair<std::string, std::string> stray[] = {
      {"Glace\tab\r\r\r\r\ncd\t\r\n", "ab\ncd"},
      {"Glace\ta\rb\r\t\r\n", "a\rb\r"},
  };
  for (const auto& [bytes, read] : stray) {
    WriteBytes(file("CommentaireSerie.res"), bytes);
    ASSERT_TRUE(ReadSeriesCommentFile(condition, comment));
    EXPECT_EQ(comment.view(), read);
    ASSERT_TRUE(WriteSeriesCommentFile(condition.view(), comment.view()));
    SeriesComment back;
    ASSERT_TRUE(ReadSeriesCommentFile(condition, back));
    EXPECT_EQ(back.view(), read);
  }
  ASSERT_TRUE(WriteSeriesCommentFile("Glace", "a\r\r\nb"));
  EXPECT_EQ(ReadBytes(file("CommentaireSerie.res")), "Glace\ta\r\nb\t\r\n");
  ASSERT_TRUE(WriteSeriesCommentFile("Pluie", " "));
  ASSERT_TRUE(ReadSeriesCommentFile(condition, comment));

  for (const char* broken : {"Glace\tcut sh", "Glace\tcut\r\nsh", "Glace", ""}) {
    WriteBytes(file("CommentaireSerie.res"), broken);
    EXPECT_FALSE(ReadSeriesCommentFile(condition, comment)) << broken;
    EXPECT_EQ(condition.view(), "Pluie");
    EXPECT_EQ(comment.view(), " ");
  }
  ASSERT_EQ(::unlink(file("CommentaireSerie.res").c_str()), 0);
  EXPECT_FALSE(ReadSeriesCommentFile(condition, comment));
  EXPECT_EQ(condition.view(), "Pluie");
}

TEST_F(HandoverFilesTest, OversizedAndTruncatedFilesAreReadWithinTheTables) {
  // A count beyond the table is read up to the table, and the next line stays in step.
  WriteBytes(file("ResultatSerie.res"), "CLASSEMENTToursTemps\t\r\nBig\t5000\t" +
                                            Repeat("7\t", 4999) + "8\t\r\nNext\t1\t4\t5\t\r\n");
  auto read = std::make_unique<SeriesTable>();
  (*read)[0].passingTimes[3000] = 42;
  FixedText<24> mode;
  SeriesStartTimes starts;
  EXPECT_FALSE(ReadSeriesResultFile(*read, mode, starts));  // it ends after two of its 50 lines
  EXPECT_EQ((*read)[0].passingCount, 3000);
  EXPECT_EQ((*read)[0].passingTimes[2999], 7);
  EXPECT_EQ((*read)[0].passingTimes[3000], 42);
  EXPECT_EQ((*read)[1].name.view(), "Next");
  EXPECT_EQ((*read)[1].passingTimes[0], 5);
  EXPECT_EQ(starts[1], 4);

  WriteBytes(file("ResultatPilote.res"), "Neg\t-3\t11\t12\t\r\nt\tp\td\t\r\n");
  auto entry = std::make_unique<SeriesResultEntry>();
  SeriesTitle title;
  FixedText<40> track;
  RunDescription description;
  EXPECT_FALSE(ReadDriverResultFile(*entry, title, track, description));
  EXPECT_EQ(entry->passingCount, 0);
  EXPECT_EQ(entry->passingTimes[0], 11);
  EXPECT_EQ(description.view(), "d");

  // Every cut of well-formed files is read without running past it.
  ASSERT_TRUE(WriteSeriesResultFile(*table_, kRankByLapsAndTime));
  ASSERT_TRUE(WriteDriverResultFile(*table_, 0, "title", "track", "."));
  const std::string series = ReadBytes(file("ResultatSerie.res"));
  const std::string driver = ReadBytes(file("ResultatPilote.res"));
  for (std::size_t cut = 0; cut < series.size(); ++cut) {
    WriteBytes(file("ResultatSerie.res"), series.substr(0, cut));
    EXPECT_FALSE(ReadSeriesResultFile(*read, mode, starts)) << cut;
  }
  for (std::size_t cut = 0; cut + 2 < driver.size(); ++cut) {
    WriteBytes(file("ResultatPilote.res"), driver.substr(0, cut));
    EXPECT_FALSE(ReadDriverResultFile(*entry, title, track, description)) << cut;
  }
}

TEST_F(HandoverFilesTest, FailedWritesAreReported) {
  // A folder where the file should be: nothing can replace it.
  ASSERT_EQ(::mkdir(file("ResultatSerie.res").c_str(), 0777), 0);
  ASSERT_EQ(::mkdir(file("CommentaireSerie.res").c_str(), 0777), 0);
  EXPECT_FALSE(WriteSeriesResultFile(*table_, kRankByLapsAndTime));
  EXPECT_FALSE(WriteSeriesCommentFile("Sec", " "));
  TrackCondition condition("Sec");
  SeriesComment comment(" ");
  EXPECT_FALSE(ReadSeriesCommentFile(condition, comment));
}

}  // namespace
}  // namespace zd
