// The link check and the send sequence of the publishing windows on a fake clock, with a fake FTP
// area and a stand-in for the site's archive script.

#include "web/archive_publishing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../files/data_folder_fixture.h"
#include "fake_web_site.h"
#include "files/whole_file.h"

namespace zd {
namespace {

using test::FakeWebSite;
using test::ReadBytes;

constexpr const char* kEventFolder = "public_html/ZentrikRiduduzud/Ligue_Sud/GP_05_06_2012/";

class ArchivePublishingTest : public test::DataFolderTest {
 protected:
  // The window made "WebResults" when it read its web event at opening.
  void SetUp() override {
    DataFolderTest::SetUp();
    ASSERT_TRUE(MakeFolder("WebResults"));
  }
  ArchivePublishingTest() {
    web_.folders[""] = 0;
    link_.info.connected = 1;
    link_.info.activated = 1;
    link_.info.championshipFolder = "Ligue_Sud";
    link_.info.eventId = "GP_05_06_2012";
    request_.values = SessionPublishing(PublishingWindow::QualifyingSession, 3);
    request_.lineCount = 2;
    request_.raceNumber = 2;
    request_.raceName = "Finale A/B";
    request_.writeArchive = [this](std::string_view path) {
      ++archivesWritten_;
      return WriteWholeFile(path, "2\n1\nLigue Sud\n\xFF\n");
    };
  }

  void send() { ArchivePublishing(link_, request_, web_.site, web_, web_); }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : web_.messages) texts.push_back(m.text);
    return texts;
  }

  FakeWebSite web_;
  WebLink link_;
  ArchiveRequest request_;
  int archivesWritten_ = 0;
};

using Texts = std::vector<std::string>;

TEST_F(ArchivePublishingTest, WithTheFolderPresentOneProbeAndOnePauseThenTheUpload) {
  web_.folders[std::string(kEventFolder) + "Finale_A_B/"] = 0;
  send();
  EXPECT_EQ(messageTexts(), Texts{});
  ASSERT_EQ(web_.opened.size(), 1u);
  // The script gets the race's key, the FTP area its folder.
  EXPECT_EQ(web_.opened[0],
            "http://site.test/ZentrikRiduduzud/AdditionArchive.php?country=Ligue_Sud"
            "&event=GP_05_06_2012&race=C2-Finale_A_B&archive=Q3.txt");
  ASSERT_EQ(web_.probes.size(), 1u);
  EXPECT_EQ(web_.probes[0].path, std::string(kEventFolder) + "Finale_A_B/");
  EXPECT_EQ(web_.sleeps, std::vector<int32_t>{500});
  ASSERT_EQ(web_.uploads.size(), 1u);
  EXPECT_EQ(web_.uploads[0].path, std::string(kEventFolder) + "Finale_A_B/Q3.txt");
  // Read back as text: LF line ends, the 0xFF byte sent like the others.
  EXPECT_EQ(web_.uploads[0].bytes, "2\n1\nLigue Sud\n\xFF\n");
}

TEST_F(ArchivePublishingTest, AFolderMadeThreeSecondsAfterTheScriptIsWaitedFor) {
  const int64_t opened = web_.now;
  send();
  EXPECT_EQ(messageTexts(), Texts{});
  ASSERT_EQ(web_.uploads.size(), 1u);
  EXPECT_EQ(web_.uploads[0].path, std::string(kEventFolder) + "Finale_A_B/Q3.txt");
  // Every probe but the last failed; the last one ended after the folder appeared.
  ASSERT_GE(web_.probes.size(), 6u);
  EXPECT_LT(web_.probes[web_.probes.size() - 2].start + web_.probeCost, opened + 3000);
  EXPECT_GE(web_.probes.back().start + web_.probeCost, opened + 3000);
}

TEST_F(ArchivePublishingTest, AFolderMadeAtTenSecondsIsFoundByTheProbeAfterTheDeadline) {
  web_.scriptDelay = 10000;
  const int64_t t0 = web_.now;
  send();
  EXPECT_EQ(messageTexts(), Texts{});
  ASSERT_EQ(web_.uploads.size(), 1u);
  EXPECT_EQ(web_.uploads[0].path, std::string(kEventFolder) + "Finale_A_B/Q3.txt");
  EXPECT_GT(web_.probes.back().start, t0 + 9999);
}

TEST_F(ArchivePublishingTest, AFolderNeverMadeGivesNotFoundOnceAProbeAfterTheDeadlineFailed) {
  for (bool silent : {false, true}) {
    SCOPED_TRACE(silent ? "silent server" : "folder missing");
    web_ = FakeWebSite();
    web_.scriptDelay = test::kNever;
    web_.silentServer = silent;
    const int64_t t0 = web_.now;
    send();
    EXPECT_EQ(messageTexts(),
              Texts{"Error: directory of the race not found in the remote web site."});
    ASSERT_GE(web_.probes.size(), 2u);
    for (std::size_t i = 0; i + 1 < web_.probes.size(); ++i)
      EXPECT_LE(web_.probes[i].start, t0 + 9999) << i;
    EXPECT_GT(web_.probes.back().start, t0 + 9999);
    // A probe's own timeout ends at the wait's deadline, or gives a slow site a few seconds.
    for (const auto& p : web_.probes)
      EXPECT_EQ(p.timeoutMs, std::max<int64_t>(t0 + 9999 - p.start, kLastProbeTimeoutMs));
    EXPECT_TRUE(web_.uploads.empty());
    // However silent the server, the wait ends a last probe and two pauses after its deadline.
    EXPECT_LE(web_.now - t0, 9999 + 500 + kLastProbeTimeoutMs + 500);
  }
}

TEST_F(ArchivePublishingTest, AnArchiveThatCannotBeWrittenStopsBeforeTheScriptAndTheUpload) {
  // An older archive lies there; it must not go out in place of this one.
  ASSERT_TRUE(WriteWholeFile("WebResults/Archive.txt", "older\n"));
  web_.folders[std::string(kEventFolder) + "Finale_A_B/"] = 0;
  request_.writeArchive = [](std::string_view) { return false; };
  send();
  ASSERT_EQ(web_.messages.size(), 1u);
  EXPECT_EQ(web_.messages[0].text, "Error : Archive source file not found");
  EXPECT_EQ(web_.messages[0].caption, "Error");
  EXPECT_TRUE(web_.messages[0].errorIcon);
  EXPECT_TRUE(web_.opened.empty());
  EXPECT_TRUE(web_.probes.empty());
  EXPECT_TRUE(web_.uploads.empty());
}

TEST_F(ArchivePublishingTest, NamesWithReservedCharactersAndAccentsReachTheirOwnFolder) {
  link_.info.championshipFolder = "L&S";
  link_.info.eventId = "G#P_1%";
  request_.raceName = "Coupé +1";
  send();
  EXPECT_EQ(messageTexts(), Texts{});
  ASSERT_EQ(web_.uploads.size(), 1u);
  EXPECT_EQ(web_.uploads[0].path,
            "public_html/ZentrikRiduduzud/L&S/G#P_1%/Coup\xC3\xA9_+1/Q3.txt");
}

TEST_F(ArchivePublishingTest, ASendAfterALibraryFailureReportsOnlyItsOwnOutcome) {
  web_.forced = FtpOutcome::LibraryFailed;
  send();
  EXPECT_EQ(messageTexts(), Texts{"Error: the use of the 'Libcurl' library failed."});
  // The browser was asked before the library could be tried.
  EXPECT_EQ(web_.opened.size(), 1u);
  EXPECT_TRUE(link_.libraryFailed);

  web_.forced = FtpOutcome::Done;
  web_.messages.clear();
  send();
  EXPECT_EQ(messageTexts(), Texts{});
  EXPECT_EQ(web_.uploads.size(), 1u);
  EXPECT_FALSE(link_.libraryFailed);
}

TEST_F(ArchivePublishingTest, AFailedUploadShowsTheTransferMessage) {
  web_.folders[std::string(kEventFolder) + "Finale_A_B/"] = 0;
  web_.uploadOutcome = FtpOutcome::Failed;
  send();
  ASSERT_EQ(web_.messages.size(), 1u);
  EXPECT_EQ(web_.messages[0].text,
            "Error: the transfer of the archive file to the remote web site failed.");
  EXPECT_TRUE(web_.messages[0].errorIcon);
}

struct RefusalCase {
  PublishingWindow window;
  int32_t connected;
  int32_t activated;
  int32_t lineCount;
  bool refused;
  const char* text;  // nullptr: no message
  const char* caption;
};

TEST_F(ArchivePublishingTest, TheChecksStopBeforeAnythingIsWrittenOrSent) {
  constexpr PublishingWindow kRanking = PublishingWindow::RoundSession;
  constexpr PublishingWindow kParticipants = PublishingWindow::Participants;
  const RefusalCase cases[] = {
      {kRanking, 0, 1, 2, false, "Le lociciel n'est pas connecté au site web distant.", "Erreur"},
      {kRanking, 1, 0, 2, false, "L'envoi des résultats sur le web n'a pas été activé.",
       "Attention"},
      {kRanking, 1, 2, 2, false, "Le lociciel n'est pas connecté au site web distant.", "Erreur"},
      {kRanking, 1, 1, 0, false, nullptr, nullptr},
      {kRanking, 1, 1, 2, true, nullptr, nullptr},
      {kParticipants, 0, 1, 2, false, "Le logiciel n'est pas connecté au site web distant.",
       "Erreur"},
      {kParticipants, 1, 0, 2, false, "L'envoi des résultats sur le web n'est pas activé.",
       "Attention"},
      {kParticipants, 1, 2, 2, false, "L'envoi des résultats sur le web n'est pas activé.",
       "Attention"},
      {kParticipants, 1, 1, 0, false, nullptr, nullptr},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.window) << " " << c.connected << " "
                                    << c.activated << " " << c.lineCount << " " << c.refused);
    web_ = FakeWebSite();
    link_.info.connected = c.connected;
    link_.info.activated = c.activated;
    request_.values = c.window == kParticipants ? ParticipantsPublishing()
                                                : SessionPublishing(c.window, 1);
    request_.lineCount = c.lineCount;
    request_.refuse = [&c] { return c.refused; };
    archivesWritten_ = 0;
    send();
    if (c.text) {
      ASSERT_EQ(web_.messages.size(), 1u);
      EXPECT_EQ(web_.messages[0].text, c.text);
      EXPECT_EQ(web_.messages[0].caption, c.caption);
      EXPECT_TRUE(web_.messages[0].errorIcon);
    } else {
      EXPECT_TRUE(web_.messages.empty());
    }
    EXPECT_EQ(archivesWritten_, 0);
    EXPECT_TRUE(web_.opened.empty());
    EXPECT_TRUE(web_.probes.empty());
  }
}

TEST(PublishingValuesTest, EachWindowHasItsNamesAndLibraryMessage) {
  const PublishingValues practice = SessionPublishing(PublishingWindow::PracticeSession, 4);
  EXPECT_EQ(practice.archiveQueryValue, "T4.txt");
  EXPECT_EQ(practice.remoteName, "T4.txt");
  EXPECT_EQ(SessionPublishing(PublishingWindow::QualifyingSession, 2).remoteName, "Q2.txt");
  EXPECT_EQ(SessionPublishing(PublishingWindow::RoundSession, 7).remoteName, "M7.txt");
  EXPECT_EQ(practice.libraryFailureText, "Error: the use of the 'Libcurl' library failed.");
  EXPECT_EQ(practice.libraryFailureCaption, "Error");

  const PublishingValues final =
      FinalPublishing(PublishingWindow::QualifyingFinal, 0, "TT", "Juniors (J)", "J");
  EXPECT_EQ(final.archiveQueryValue, "QClassement-F-TT-Juniors (J).txt");
  EXPECT_EQ(final.remoteName, "QClassement-F-TT-J.txt");
  EXPECT_EQ(final.libraryFailureText, "Erreur: l'utilisation de la libraire 'Libcurl' a échoué.");
  EXPECT_EQ(final.libraryFailureCaption, "Erreur");
  EXPECT_EQ(FinalPublishing(PublishingWindow::EnduranceFinal, 1, "A", "B", "b").remoteName,
            "MClassement-M-A-b.txt");
  EXPECT_EQ(FinalPublishing(PublishingWindow::PracticeFinal, 3, "A", "B", "b").remoteName,
            "TClassement-MF-A-b.txt");

  EXPECT_EQ(ParticipantsPublishing().remoteName, "ZListe.txt");
  EXPECT_EQ(ParticipantsPublishing().archiveQueryValue, "ZListe.txt");
}

class WebLinkCheckTest : public ArchivePublishingTest {
 protected:
  void writeInfo(int32_t connected, int32_t activated) {
    WebEventInfo info;
    info.connected = connected;
    info.activated = activated;
    info.eventId = "GP_05_06_2012";
    info.championshipFolder = "Ligue_Sud";
    ASSERT_TRUE(WriteWebEventInfo(info));
  }
  WebEventInfo stored() {
    WebEventInfo info;
    EXPECT_TRUE(ReadWebEventInfo(info));
    return info;
  }
  void check() {
    link_ = WebLink();
    WebLinkCheck(link_, web_.site, web_, web_);
  }
};

TEST_F(WebLinkCheckTest, AReachableSiteConnectsAndKeepsActivatedAsRead) {
  writeInfo(0, 1);
  check();
  ASSERT_EQ(web_.probes.size(), 1u);
  EXPECT_EQ(web_.probes[0].path, "");
  EXPECT_EQ(link_.info.connected, 1);
  EXPECT_EQ(link_.info.activated, 1);
  EXPECT_EQ(link_.info.eventId.view(), "GP_05_06_2012");
  EXPECT_TRUE(SendingOn(link_.info));
  EXPECT_EQ(stored().connected, 1);
  EXPECT_EQ(stored().activated, 1);
  EXPECT_TRUE(web_.messages.empty());
}

TEST_F(WebLinkCheckTest, AnUnreachableSiteSwitchesSendingOffInTheFile) {
  writeInfo(1, 1);
  web_.forced = FtpOutcome::Failed;
  check();
  EXPECT_EQ(link_.info.connected, 0);
  EXPECT_EQ(link_.info.activated, 0);
  EXPECT_FALSE(SendingOn(link_.info));
  EXPECT_EQ(stored().connected, 0);
  EXPECT_EQ(stored().activated, 0);
  EXPECT_EQ(stored().eventId.view(), "GP_05_06_2012");
}

TEST_F(WebLinkCheckTest, ALibraryFailureKeepsTheFlagsAsRead) {
  writeInfo(1, 1);
  web_.forced = FtpOutcome::LibraryFailed;
  check();
  EXPECT_TRUE(link_.libraryFailed);
  EXPECT_EQ(messageTexts(), Texts{"Error: the use of the 'Libcurl' library failed."});
  EXPECT_TRUE(SendingOn(link_.info));
  EXPECT_EQ(stored().activated, 1);
}

TEST_F(WebLinkCheckTest, WithoutTheFileBothFlagsStayOff) {
  check();
  EXPECT_EQ(link_.info.connected, 1);
  EXPECT_EQ(link_.info.activated, 0);
  EXPECT_EQ(stored().activated, 0);
}

}  // namespace
}  // namespace zd
