// The archive files against golden files of each kind, and the edge cases of their counts.

#include "web/archive_files.h"

#include <gtest/gtest.h>

#include "../files/data_folder_fixture.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::SameBytes;

std::string Golden(const std::string& name) { return ReadBytes(std::string(ZD_WEB_GOLDEN_DIR) + "/" + name); }

class ArchiveFilesTest : public test::DataFolderTest {
 protected:
  ArchiveFilesTest() {
    EventInformation info;
    info.eventName = "i_n_t_Grand Prix";
    info.club = "RC Club";
    info.championship = "Ligue Sud";
    info.raceDirector = "Jean Dupré";
    info.place = "Lyon";
    info.date = "05/06/2012";
    event_ = MakeArchiveEventTexts(info, "Finale A/B");

    participants_[0].carNumber = "12";
    participants_[0].name = "André Martin";
    participants_[0].ageCategoryCode = "J";
    participants_[0].club = "RC Club";
    participants_[0].nationCode = "FRA";
    participants_[0].vehicle = "Xray T4";
    participants_[0].vehicleCategory = "TT 1/10";
    participants_[1].carNumber = "7";
    participants_[1].name = "Beth Ÿgg";
    participants_[1].ageCategoryCode = "S";
    participants_[1].club = "AMC";
    participants_[1].nationCode = "GBR";
    participants_[1].vehicle = "Tamiya";
    participants_[1].vehicleCategory = "TT 1/10";

    for (int i = 0; i < 2; ++i) {
      RankingEntry& e = entries_[i];
      e.carNumber = participants_[i].carNumber.view();
      e.name = participants_[i].name.view();
      e.ageCategoryCode = participants_[i].ageCategoryCode.view();
      e.club = participants_[i].club.view();
      e.nationCode = participants_[i].nationCode.view();
      e.vehicleCategory = participants_[i].vehicleCategory.view();
    }
    entries_[0].sex = 1;
    entries_[0].laps = 25;
    entries_[0].raceTime = 300123;
    entries_[0].bestLap = 11234;
    entries_[0].points = 30;
    entries_[1].sex = 0;
    entries_[1].penaltyIndex = 2;
    entries_[1].laps = 24;
    entries_[1].raceTime = 301000;
    entries_[1].bestLap = 11999;
    entries_[1].points = 28;

    ClearPenaltyTable(penalties_);
    penalties_[0].code = "A";
    penalties_[1].code = "P1";
    penalties_[2].code = "P2";
    penalties_[4].code = "P4";  // after the first empty code: not listed
    summary_[0].name = "Stop and go";
    summary_[0].code = "P1";
    summary_[0].amount = 10;
    summary_[0].kind = kPenaltyAddRaceTime;
  }

  SessionArchive session(int count, int summaryCount) const {
    return {std::span(entries_.data(), count), std::span(summary_.data(), summaryCount), &penalties_,
            kRankByLapsAndTime};
  }

  ArchiveEventTexts event_;
  ParticipantTable participants_{};
  RankingList entries_{};
  PenaltyTable penalties_{};
  PenaltySummaryTable summary_{};
};

TEST_F(ArchiveFilesTest, EachKindMatchesItsGoldenFile) {
  ASSERT_TRUE(WriteParticipantsArchive("Archive.txt", std::span(participants_.data(), 2), event_));
  EXPECT_TRUE(SameBytes(ReadBytes(file("Archive.txt")), Golden("participants.txt")));

  ASSERT_TRUE(WriteSessionArchive("Archive.txt", session(2, 1), event_));
  EXPECT_TRUE(SameBytes(ReadBytes(file("Archive.txt")), Golden("session.txt")));

  RankingList final = entries_;
  final[0].penaltyIndex = 0;
  final[0].abandonCount = 0;
  final[0].penaltyCount = 1;
  final[0].laps = 75;
  final[0].raceTime = 900000;
  final[0].bestLap = 11000;
  final[0].points = 60;
  final[0].sessionValues = {30, 20, 10};
  final[1].abandonCount = 1;  // one abandon counts the driver
  final[1].penaltyCount = 0;
  final[1].laps = 70;
  final[1].raceTime = 905000;
  final[1].bestLap = 11500;
  final[1].points = 50;
  final[1].sessionValues = {28, 22};
  const FinalRankingArchive archive{std::span(final.data(), 2), 3, "Toutes", "Toutes",
                                    "CLASSEMENTPoints", 1, 3, 2};
  ASSERT_TRUE(WriteFinalRankingArchive("Archive.txt", archive, event_));
  EXPECT_TRUE(SameBytes(ReadBytes(file("Archive.txt")), Golden("final.txt")));
}

TEST_F(ArchiveFilesTest, ANationalEventWritesFlagZeroAndItsNameAsStored) {
  EventInformation info;
  info.eventName = "Coupe d'hiver";
  const ArchiveEventTexts national = MakeArchiveEventTexts(info, "Course 1");
  EXPECT_EQ(national.international, 0);
  EXPECT_EQ(national.eventName, "Coupe d'hiver");
  EXPECT_EQ(event_.international, 1);
  EXPECT_EQ(event_.eventName, "Grand Prix");
}

TEST_F(ArchiveFilesTest, ACountOfZeroWritesTheHeaderAndTheIndependentLists) {
  ASSERT_TRUE(WriteParticipantsArchive("Archive.txt", {}, event_));
  EXPECT_EQ(ReadBytes(file("Archive.txt")),
            "0\r\n1\r\nLigue Sud\r\nGrand Prix / Finale A/B\r\nLyon\r\n05/06/2012\r\n"
            "Jean Dupr\xE9\r\nRC Club\r\n");

  // No ranking line, but the summary and the codes keep their own counts.
  ASSERT_TRUE(WriteSessionArchive("Archive.txt", session(0, 1), event_));
  const std::string golden = Golden("session.txt");
  const std::string withoutLines =
      "0" + golden.substr(1, golden.find("\r\n12\t") + 1) + golden.substr(golden.find("Stop and go"));
  EXPECT_TRUE(SameBytes(ReadBytes(file("Archive.txt")), withoutLines));

  const FinalRankingArchive none{{}, 1, "TT 1/10", "Juniors", "CLASSEMENTPoints", 2, 2, 0};
  ASSERT_TRUE(WriteFinalRankingArchive("Archive.txt", none, event_));
  EXPECT_EQ(ReadBytes(file("Archive.txt")),
            "0\r\n0\r\n0\r\n2\r\n2\r\n0\r\n1\r\n1\t\r\nTT 1/10\t\r\nJuniors\t\r\n"
            "CLASSEMENTPoints\t\r\nLigue Sud\t\r\nGrand Prix\t\r\nLyon\t\r\n05/06/2012\t\r\n"
            "Jean Dupr\xE9\t\r\nRC Club\t\r\nFinale A/B\t\r\n");
}

TEST_F(ArchiveFilesTest, AnUnwritableFileReportsFailure) {
  EXPECT_FALSE(WriteParticipantsArchive("Missing/Archive.txt", {}, event_));
  EXPECT_FALSE(WriteSessionArchive("Missing/Archive.txt", session(2, 1), event_));
  EXPECT_FALSE(WriteFinalRankingArchive("Missing/Archive.txt", {}, event_));
}

}  // namespace
}  // namespace zd
