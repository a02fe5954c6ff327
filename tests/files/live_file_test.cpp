#include "files/live_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "data_folder_fixture.h"
#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::Repeat;
using test::WriteBytes;

LiveRow MakeRow(std::string_view position, std::string_view carNumber, std::string_view name,
                std::string_view total, int32_t finished, int32_t status) {
  LiveRow r;
  r.position = position;
  r.carNumber = carNumber;
  r.name = name;
  r.category = "TT 1/10";
  r.club = "RCC";
  r.nationCode = "FRA";
  r.laps = "12";
  r.totalTime = total;
  r.gapToLeader = "0.000";
  r.gapToPrevious = "1t";
  r.lastLap = "31.250";
  r.bestLap = "30.011";
  r.passings = "12";  // neither written nor read
  r.finished = finished;
  r.status = status;
  return r;
}

LiveClockTexts Clock(std::string_view duration, std::string_view elapsed,
                     std::string_view remaining) {
  LiveClockTexts c;
  c.duration = duration;
  c.elapsed = elapsed;
  c.remaining = remaining;
  return c;
}

// What ReadLiveFile fills, preset so that what it leaves alone shows.
struct LiveRead {
  LiveRows rows;
  LiveClockTexts clock;
  FixedText<80> title{"keep"};
  FixedText<200> video{"keep"};
  int32_t count = -1;
  int32_t nation = -1;
  bool read(std::string_view path) {
    return ReadLiveFile(path, rows, clock, title, video, count, nation);
  }
};

class LiveFileTest : public test::DataFolderTest {};

TEST_F(LiveFileTest, WithoutRowsAndFolderCreated) {
  auto rows = std::make_unique<LiveRows>();
  ASSERT_TRUE(WriteLiveFile(kLiveFilePath, *rows, Clock("20 tours", "0:01:02", ""), " COURSE 1 ",
                            "", 0, 1));
  EXPECT_EQ(ReadBytes(file("WebResults/Live.txt")),
            "0\r\n1\r\n20 tours\t0:01:02\t\t\r\n COURSE 1 \t\r\n\t\r\n");
  auto got = std::make_unique<LiveRead>();
  ASSERT_TRUE(got->read(kLiveFilePath));
  EXPECT_EQ(got->count, 0);
  EXPECT_EQ(got->nation, 1);
  EXPECT_EQ(got->clock.duration.view(), "20 tours");
  EXPECT_EQ(got->clock.elapsed.view(), "0:01:02");
  EXPECT_EQ(got->clock.remaining.view(), "");
  EXPECT_EQ(got->title.view(), " COURSE 1 ");
  EXPECT_EQ(got->video.view(), "");
}

TEST_F(LiveFileTest, RowsWithTheirFinishAndAbandonFields) {
  auto rows = std::make_unique<LiveRows>();
  (*rows)[0] = MakeRow("1", "7", "Alpha", "10:02.500", 1, 1);  // finished, then abandoned
  (*rows)[1] = MakeRow("2", "12", "\xC9lodie \xFF", "10:05.000", 0, 0);
  (*rows)[2] = MakeRow("3", "3", "Charlie", "9:59.000", 0, 2);  // a penalty, not an abandonment
  (*rows)[3] = MakeRow("4", "9", "Not written", "0:00.000", 1, 1);
  ASSERT_TRUE(WriteLiveFile(kLiveFilePath, *rows, Clock("0:20:00", "0:10:05", "0:09:55"),
                            " COURSE 1 - Q1 - S\xE9rie1 ", "https://v.example/live 1", 3, 0));
  const std::string fields = "\tTT 1/10\tRCC\tFRA\t12\t";
  const std::string times = "\t0.000\t1t\t31.250\t30.011\t";
  EXPECT_TRUE(test::SameBytes(
      ReadBytes(file("WebResults/Live.txt")),
      "3\r\n0\r\n0:20:00\t0:10:05\t0:09:55\t\r\n"
      "1\t7\tAlpha" + fields + "10:02.500" + times + "Fin\tA\t\r\n"
      "2\t12\t\xC9lodie \xFF" + fields + "10:05.000" + times + "\t\t\r\n"
      "3\t3\tCharlie" + fields + "9:59.000" + times + "\t\t\r\n"
      " COURSE 1 - Q1 - S\xE9rie1 \t\r\nhttps://v.example/live 1\t\r\n"));

  auto got = std::make_unique<LiveRead>();
  got->rows[3].name = "stale";
  ASSERT_TRUE(got->read(kLiveFilePath));
  EXPECT_EQ(got->count, 3);
  EXPECT_EQ(got->nation, 0);
  EXPECT_EQ(got->clock.remaining.view(), "0:09:55");
  const LiveRow& a = got->rows[0];
  EXPECT_EQ(a.position.view(), "1");
  EXPECT_EQ(a.carNumber.view(), "7");
  EXPECT_EQ(a.name.view(), "Alpha");
  EXPECT_EQ(a.category.view(), "TT 1/10");
  EXPECT_EQ(a.nationCode.view(), "FRA");
  EXPECT_EQ(a.totalTime.view(), "10:02.500");
  EXPECT_EQ(a.gapToPrevious.view(), "1t");
  EXPECT_EQ(a.bestLap.view(), "30.011");
  EXPECT_EQ(a.passings.view(), "");
  EXPECT_EQ(a.finished, 1);
  EXPECT_EQ(a.status, 1);
  EXPECT_EQ(got->rows[1].name.view(), "\xC9lodie \xFF");
  EXPECT_EQ(got->rows[1].finished, 0);
  EXPECT_EQ(got->rows[2].status, 0);
  EXPECT_TRUE(got->rows[3].name.empty());
  EXPECT_EQ(got->title.view(), " COURSE 1 - Q1 - S\xE9rie1 ");
  EXPECT_EQ(got->video.view(), "https://v.example/live 1");
}

TEST_F(LiveFileTest, CountsAndFieldsBeyondTheTableAreBounded) {
  // 80 rows announced and present, a flag field that only begins with "Fin", a long name.
  std::string rows;
  for (int i = 1; i <= 80; ++i)
    rows += std::to_string(i) + "\t1\t" + (i == 2 ? std::string(60, 'N') : "P") +
            "\tc\tk\tn\t1\tt\tg\tp\tl\tb\t" + (i == 3 ? "Fini" : "Fin") + "\tA\t\r\n";
  WriteBytes(file("Live.txt"), "80\r\n1\r\nd\te\tr\t\r\n" + rows + "title\t\r\nlink\t\r\n");
  auto got = std::make_unique<LiveRead>();
  EXPECT_FALSE(got->read(file("Live.txt")));
  EXPECT_EQ(got->count, 50);
  EXPECT_EQ(got->rows[1].name.view(), std::string(39, 'N'));
  EXPECT_EQ(got->rows[2].finished, 0);
  EXPECT_EQ(got->rows[49].position.view(), "50");
  EXPECT_EQ(got->rows[49].finished, 1);
  EXPECT_EQ(got->title.view(), "title");
  EXPECT_EQ(got->video.view(), "link");

  // A file holds one snapshot; a second complete one replaces it, trailing bytes end the read.
  const std::string snapshot = "1\r\n0\r\nd\te\tr\t\r\n" + rows.substr(0, rows.find('\n') + 1);
  WriteBytes(file("Live.txt"), snapshot + "first\t\r\nv\t\r\n" + snapshot + "second\t\r\nv\t\r\n");
  EXPECT_TRUE(got->read(file("Live.txt")));
  EXPECT_EQ(got->title.view(), "second");
  EXPECT_EQ(got->count, 1);
  WriteBytes(file("Live.txt"), snapshot + "first\t\r\nv\t\r\n\r\nzz\xFF\tjunk");
  EXPECT_FALSE(got->read(file("Live.txt")));
  EXPECT_EQ(got->title.view(), "first");
}

TEST_F(LiveFileTest, CutFilesChangeNothing) {
  auto rows = std::make_unique<LiveRows>();
  (*rows)[0] = MakeRow("1", "7", "Alpha", "10:02.500", 1, 1);
  (*rows)[1] = MakeRow("2", "8", "Bravo", "10:03.500", 0, 0);
  ASSERT_TRUE(WriteLiveFile("Live.txt", *rows, Clock("0:20:00", "0:10:05", "0:09:55"), "T", "v",
                            2, 0));
  const std::string full = ReadBytes(file("Live.txt"));
  for (std::size_t cut = 0; cut + 2 < full.size(); ++cut) {
    WriteBytes(file("Live.txt"), full.substr(0, cut));
    auto got = std::make_unique<LiveRead>();
    EXPECT_EQ(got->read("Live.txt"), cut == 0) << cut;  // an empty file reads as nothing
    EXPECT_EQ(got->title.view(), "keep") << cut;
    EXPECT_EQ(got->count, -1) << cut;
  }
  auto got = std::make_unique<LiveRead>();
  EXPECT_FALSE(got->read("Missing.txt"));
}

TEST_F(LiveFileTest, WriteFailureIsReported) {
  WriteBytes(file("WebResults"), "a file, not a folder");
  auto rows = std::make_unique<LiveRows>();
  EXPECT_FALSE(WriteLiveFile(kLiveFilePath, *rows, LiveClockTexts{}, "", "", 0, 0));
  WebEventInfo info;
  Outcome written = WriteWebEventInfo(info);
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.message, "Error: File of the web event information not found");
}

TEST_F(LiveFileTest, WebEventInfoKeepsEveryLineInItsPlace) {
  struct Case {
    WebEventInfo info;
    std::string bytes;
  };
  auto make = [](int32_t connected, int32_t activated, std::string_view id,
                 std::string_view folder, std::string_view link) {
    WebEventInfo w;
    w.connected = connected;
    w.activated = activated;
    w.eventId = id;
    w.championshipFolder = folder;
    w.videoLink = link;
    return w;
  };
  const Case cases[] = {
      {make(0, 0, "", "", ""), "0\t0\t\r\n\r\n\r\n\r\n"},
      {make(1, 1, "GP_12_07_2026", "", "https://v.example/a b"),
       "1\t1\t\r\nGP_12_07_2026\r\n\r\nhttps://v.example/a b\r\n"},
      {make(1, 0, "Coupe_1_5_2026", "Ligue_Sud", ""),
       "1\t0\t\r\nCoupe_1_5_2026\r\nLigue_Sud\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    ASSERT_TRUE(WriteWebEventInfo(c.info).ok);
    EXPECT_EQ(ReadBytes(file("WebResults/CoordonneesWeb.txt")), c.bytes);
    WebEventInfo read = make(7, 7, "x", "y", "z");
    EXPECT_TRUE(ReadWebEventInfo(read));
    EXPECT_EQ(read.connected, c.info.connected);
    EXPECT_EQ(read.activated, c.info.activated);
    EXPECT_EQ(read.eventId, c.info.eventId);
    EXPECT_EQ(read.championshipFolder, c.info.championshipFolder);
    EXPECT_EQ(read.videoLink, c.info.videoLink);
  }

  // Lines longer than their fields are cut to them, and the next line is still the next value.
  WriteBytes(file("WebResults/CoordonneesWeb.txt"),
             "1\t1\t\r\n" + std::string(60, 'i') + "\r\nfolder\r\n" + std::string(300, 'v'));
  WebEventInfo read;
  EXPECT_TRUE(ReadWebEventInfo(read));
  EXPECT_EQ(read.eventId.view(), std::string(40, 'i'));
  EXPECT_EQ(read.championshipFolder.view(), "folder");
  EXPECT_EQ(read.videoLink.view(), std::string(199, 'v'));

  // Every cut of a file reads without running past it; the lines it lacks are empty, and only a
  // cut in the last line (which may lack its line end) reads as a whole file.
  ASSERT_TRUE(WriteWebEventInfo(cases[1].info).ok);
  const std::string full = ReadBytes(file("WebResults/CoordonneesWeb.txt"));
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    WriteBytes(file("WebResults/CoordonneesWeb.txt"), full.substr(0, cut));
    WebEventInfo cutRead;
    EXPECT_EQ(ReadWebEventInfo(cutRead), cut > full.find("https")) << cut;
    EXPECT_TRUE(std::string_view(full).substr(0, cut).find(cutRead.videoLink.view()) !=
                std::string_view::npos);
  }
}

TEST_F(LiveFileTest, MissingWebEventInfoChangesNothingButTheFolder) {
  WebEventInfo info;
  info.connected = 1;
  info.eventId = "kept";
  EXPECT_FALSE(ReadWebEventInfo(info));
  EXPECT_EQ(info.connected, 1);
  EXPECT_EQ(info.eventId.view(), "kept");
  struct stat st;
  ASSERT_EQ(::stat(file("WebResults").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

}  // namespace
}  // namespace zd
