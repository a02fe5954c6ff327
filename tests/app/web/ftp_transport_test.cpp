// The WinINet client against a real FTP server on 127.0.0.1: uploads arrive whole, byte for byte;
// probes tell what exists, through encoded names too; the live file goes through the worker with
// LF line ends, and a missing one opens no connection; a stopped server and a silent listener
// fail within the timeouts.

#include "gtest_win32.h"

#include <string>
#include <vector>

#include "files/live_file.h"
#include "files/whole_file.h"
#include "unix_shell.h"
#include "wait_for.h"
#include "web/ftp_transport.h"
#include "web/live_publishing.h"
#include "web/web_addresses.h"
#include "web/web_site_process.h"

namespace {

using zd::FtpOutcome;
using zd_test::WaitFor;

constexpr const char* kEventFolder = "public_html/ZentrikRiduduzud/Ligue_Sud/GP_05_06_2012";

class FtpTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(site_.start());
    ASSERT_TRUE(site_.makeRemoteFolder(kEventFolder));
    web_.ftpRoot = site_.ftpRoot();
    web_.account = site_.account();
  }

  FtpOutcome upload(const std::string& address, const std::string& bytes) {
    return transport_.upload(address, web_.account, bytes);
  }
  FtpOutcome probe(const std::string& address, int32_t timeoutMs = zd::kFtpTotalTimeoutMs) {
    return transport_.probe(address, web_.account, timeoutMs);
  }

  zd_test::WebSiteProcess site_;
  zd::WebSite web_;
  zd::WinInetTransport transport_;
};

TEST_F(FtpTransportTest, UploadsArriveWholeByteForByte) {
  const std::string address = zd::LiveFileAddress(web_, "Ligue_Sud", "GP_05_06_2012");
  const std::string remote = std::string(kEventFolder) + "/RiduduzudLive.txt";
  std::string big;
  for (int i = 0; big.size() <= 40000; ++i) big += "line " + std::to_string(i) + "\t\xFF\n";
  const std::vector<std::string> contents = {"a\tb\n", "", std::string("\xFF\0\x1A" "end", 6), big};
  for (const std::string& bytes : contents) {
    SCOPED_TRACE(bytes.size());
    ASSERT_EQ(upload(address, bytes), FtpOutcome::Done);
    EXPECT_TRUE(site_.remoteExists(remote));
    EXPECT_EQ(site_.remoteFile(remote), bytes);
  }
}

TEST_F(FtpTransportTest, ProbesTellWhatExistsThroughEncodedNames) {
  EXPECT_EQ(probe(web_.ftpRoot), FtpOutcome::Done);
  EXPECT_EQ(probe(zd::EventFolderAddress(web_, "Ligue_Sud", "GP_05_06_2012")), FtpOutcome::Done);
  EXPECT_EQ(probe(zd::EventFolderAddress(web_, "Ligue_Sud", "Other")), FtpOutcome::Failed);

  // "é" in Windows-1252 is "é" in UTF-8 on the server; "&", "#" and "+" stay in the name.
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kEventFolder) + "/Coup\xC3\xA9_&_#1+"));
  const std::string race =
      zd::RaceFolderAddress(web_, "Ligue_Sud", "GP_05_06_2012", "Coup\xE9_&_#1+");
  EXPECT_EQ(probe(race), FtpOutcome::Done);
  ASSERT_EQ(upload(race + "Q1.txt", "x\n"), FtpOutcome::Done);
  EXPECT_EQ(site_.remoteFile(std::string(kEventFolder) + "/Coup\xC3\xA9_&_#1+/Q1.txt"), "x\n");

  // A wrong password is refused like a missing folder.
  EXPECT_EQ(transport_.probe(web_.ftpRoot, "zentrik1:wrong", 5000), FtpOutcome::Failed);
}

TEST_F(FtpTransportTest, WithoutASiteSetEveryOperationFailsAtOnce) {
  const zd::WebSite none;
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(transport_.probe(none.ftpRoot, none.account, 5000), FtpOutcome::Failed);
  EXPECT_EQ(transport_.upload(zd::LiveFileAddress(none, "C", "E"), "", "x"), FtpOutcome::Failed);
  EXPECT_LT(GetTickCount64() - start, 1000u);
  EXPECT_EQ(site_.sessionsOpened(), 0);
}

TEST_F(FtpTransportTest, AStoppedServerAndASilentListenerFailWithinTheTimeouts) {
  site_.stop();
  ULONGLONG start = GetTickCount64();
  EXPECT_EQ(probe(web_.ftpRoot), FtpOutcome::Failed);
  EXPECT_EQ(upload(web_.ftpRoot + "x.txt", "x"), FtpOutcome::Failed);
  EXPECT_LT(GetTickCount64() - start, 2u * zd::kFtpConnectTimeoutMs);

  ASSERT_TRUE(site_.start(/*silent=*/true, /*samePort=*/true));
  start = GetTickCount64();
  EXPECT_EQ(probe(web_.ftpRoot, 2000), FtpOutcome::Failed);
  const ULONGLONG probed = GetTickCount64() - start;
  EXPECT_GE(probed, 1900u);
  EXPECT_LT(probed, 3000u);
  start = GetTickCount64();
  EXPECT_EQ(upload(web_.ftpRoot + "x.txt", "x"), FtpOutcome::Failed);
  EXPECT_LT(GetTickCount64() - start, zd::kFtpTotalTimeoutMs + 1000u);
}

// The live file through the worker, from a data folder of its own.
class LiveUploadTest : public FtpTransportTest {
 protected:
  void SetUp() override {
    FtpTransportTest::SetUp();
    GetCurrentDirectoryA(MAX_PATH, previous_);
    const std::string folder = zd_test::WindowsPathOf(zd_test::NewUnixFolder("live-upload"));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    ASSERT_TRUE(zd::MakeFolder("Private"));
    ASSERT_TRUE(zd::MakeFolder("WebResults"));
    ASSERT_TRUE(site_.writeSettings("Private\\SiteWeb.rg"));
    info_.connected = 1;
    info_.activated = 1;
    info_.championshipFolder = "Ligue_Sud";
    info_.eventId = "GP_05_06_2012";
  }
  void TearDown() override {
    zd::StopLiveUploads();
    SetCurrentDirectoryA(previous_);
  }

  char previous_[MAX_PATH] = {};
  zd::WebEventInfo info_;
};

TEST_F(LiveUploadTest, TheLiveFileArrivesWithLineFeedsAndAMissingOneOpensNoConnection) {
  const std::string remote = std::string(kEventFolder) + "/RiduduzudLive.txt";
  EXPECT_FALSE(zd::SubmitLiveFile(info_));
  Sleep(300);
  EXPECT_EQ(site_.sessionsOpened(), 0);

  ASSERT_TRUE(zd::WriteWholeFile(zd::kLiveFilePath, "1\t2\t\nPilote \xFF\n"));
  ASSERT_TRUE(zd::SubmitLiveFile(info_));
  EXPECT_TRUE(WaitFor([&] { return site_.remoteFile(remote) == "1\t2\t\nPilote \xFF\n"; }));
  EXPECT_EQ(site_.sessionsOpened(), 1);
}

}  // namespace
