// A publishing window's web logic in the program against the real FTP server: the link check
// sets the flags and the send button's picture, and a send opens the archive script through the
// shell (the prefix's browser is the site's stand-in, which makes the race folder a while later),
// waits for the folder and uploads "Archive.txt" with LF line ends into it.

#include "gtest_win32.h"

#include <algorithm>
#include <string>
#include <vector>

#include "files/live_file.h"
#include "files/whole_file.h"
#include "main/data_folder.h"
#include "main/message_box.h"
#include "unix_shell.h"
#include "wait_for.h"
#include "web/archive_files.h"
#include "web/web_publishing.h"
#include "web/web_site_process.h"

namespace {

using zd_test::WaitFor;

constexpr const char* kEventArea = "public_html/ZentrikRiduduzud/";

// Whether the bitmap is mostly green (true) or mostly red.
bool MostlyGreen(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  long green = 0, red = 0;
  for (int y = 0; y < info.bmHeight; ++y) {
    for (int x = 0; x < info.bmWidth; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetGValue(c) > GetRValue(c) + 60) ++green;
      if (GetRValue(c) > GetGValue(c) + 60) ++red;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return green > red;
}

class WebPublishingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(site_.start());
    ASSERT_TRUE(site_.useStandInBrowser(3.0));
    GetCurrentDirectoryA(MAX_PATH, previous_);
    const std::string folder = zd_test::WindowsPathOf(zd_test::NewUnixFolder("publishing"));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    for (const char* sub : {"Private", "WebResults", "images"}) ASSERT_TRUE(zd::MakeFolder(sub));
    for (const char* picture : {"images\\wifiVert.bmp", "images\\wifiRouge.bmp"}) {
      ASSERT_TRUE(CopyFileA((zd::DataFolderPath() + "\\" + picture).c_str(), picture, FALSE));
    }
    ASSERT_TRUE(site_.writeSettings("Private\\SiteWeb.rg"));
    zd::SetMessageAnswerer([this](const char* text, const char* caption, UINT) {
      messages_.push_back(std::string(caption) + ": " + text);
      return IDOK;
    });
    window_ = CreateWindowExA(0, "STATIC", "publishing", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    button_ = CreateWindowExA(0, "BUTTON", "Envoyer", WS_CHILD | BS_PUSHBUTTON | BS_BITMAP, 10, 10,
                              40, 40, window_, nullptr, nullptr, nullptr);
    ASSERT_TRUE(button_);
  }
  void TearDown() override {
    zd::SetMessageAnswerer(nullptr);
    DestroyWindow(window_);
    SetCurrentDirectoryA(previous_);
  }

  void writeWebEvent(const char* championship, const char* eventId) {
    zd::WebEventInfo info;
    info.connected = 0;
    info.activated = 1;
    info.championshipFolder = championship;
    info.eventId = eventId;
    ASSERT_TRUE(zd::WriteWebEventInfo(info));
    ASSERT_TRUE(site_.makeRemoteFolder(std::string(kEventArea) + championship + "/" + eventId));
  }

  zd::ArchiveRequest participantsRequest(const char* raceName) {
    zd::ArchiveRequest request;
    request.values = zd::ParticipantsPublishing();
    request.lineCount = 1;
    request.raceNumber = 2;
    request.raceName = raceName;
    request.writeArchive = [raceName](std::string_view path) {
      zd::EventInformation info;
      info.eventName = "Grand Prix";
      info.championship = "Ligue Sud";
      zd::ParticipantRecord one;
      one.carNumber = "7";
      one.name = "Andr\xE9";
      return zd::WriteParticipantsArchive(path, std::span(&one, 1),
                                          zd::MakeArchiveEventTexts(info, raceName));
    };
    return request;
  }

  HBITMAP sendButtonPicture() {
    return reinterpret_cast<HBITMAP>(SendMessageA(button_, BM_GETIMAGE, IMAGE_BITMAP, 0));
  }

  zd_test::WebSiteProcess site_;
  char previous_[MAX_PATH] = {};
  std::vector<std::string> messages_;
  HWND window_ = nullptr;
  HWND button_ = nullptr;
};

TEST_F(WebPublishingTest, ASendGoesThroughTheShellAndTheStandInIntoTheRaceFolder) {
  writeWebEvent("Ligue_Sud", "GP_05_06_2012");
  zd::WebLink link;
  zd::RunWebLinkCheck(window_, link);
  EXPECT_EQ(link.info.connected, 1);
  EXPECT_EQ(link.info.activated, 1);
  zd::SetSendButtonPicture(button_, link);
  ASSERT_TRUE(sendButtonPicture());
  EXPECT_TRUE(MostlyGreen(sendButtonPicture()));

  const ULONGLONG start = GetTickCount64();
  zd::RunArchivePublishing(window_, link, participantsRequest("Finale A/B"));
  EXPECT_EQ(messages_, std::vector<std::string>{});
  // The stand-in made the folder about three seconds after the script was opened.
  EXPECT_GE(GetTickCount64() - start, 2500u);
  EXPECT_NE(site_.browsedAddresses().find("AdditionArchive.php?country=Ligue_Sud"
                                          "&event=GP_05_06_2012&race=C2-Finale_A_B"
                                          "&archive=ZListe.txt"),
            std::string::npos)
      << site_.browsedAddresses();
  EXPECT_EQ(site_.remoteFile(std::string(kEventArea) + "Ligue_Sud/GP_05_06_2012/Finale_A_B/ZListe.txt"),
            "1\n0\nLigue Sud\nGrand Prix / Finale A/B\n\n\n\n\n7\tAndr\xE9\t\t\t\t\t\t\n");
}

TEST_F(WebPublishingTest, NamesWithReservedCharactersAndAccentsReachTheRightFolder) {
  writeWebEvent("L&S", "G#P_1");
  zd::WebLink link;
  zd::RunWebLinkCheck(window_, link);
  zd::RunArchivePublishing(window_, link, participantsRequest("Coup\xE9 +1"));
  EXPECT_EQ(messages_, std::vector<std::string>{});
  EXPECT_TRUE(site_.remoteExists(std::string(kEventArea) + "L&S/G#P_1/Coup\xC3\xA9_+1/ZListe.txt"));
}

TEST_F(WebPublishingTest, EveryNameLandsInOneFolderInsideTheWebEvent) {
  ASSERT_TRUE(site_.useStandInBrowser(0.2));
  struct Case {
    const char* championshipFolder;  // as another PC's file may hold it
    const char* raceName;
    const char* folder;  // below the area, UTF-8
  };
  const Case cases[] = {
      {"Ligue_A/B", "Finale", "Ligue_A_B/GP_1/Finale"},
      {"..", "Finale", "__/GP_1/Finale"},
      {"Ligue_Sud", "..", "Ligue_Sud/GP_1/__"},
      {"Ligue_Sud", "", "Ligue_Sud/GP_1/_"},
      {"Ligue_Sud", "a\\b", "Ligue_Sud/GP_1/a_b"},
      {"Ligue_Sud", "A%2FB", "Ligue_Sud/GP_1/A%2FB"},
      {"Ligue_Sud", "Coup\xE9", "Ligue_Sud/GP_1/Coup\xC3\xA9"},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    zd::WebEventInfo info;
    info.activated = 1;
    info.championshipFolder = c.championshipFolder;
    info.eventId = "GP_1";
    ASSERT_TRUE(zd::WriteWebEventInfo(info));
    zd::WebLink link;
    zd::RunWebLinkCheck(window_, link);
    zd::RunArchivePublishing(window_, link, participantsRequest(c.raceName));
    EXPECT_EQ(messages_, std::vector<std::string>{});
    messages_.clear();
    expected.push_back(std::string(kEventArea) + c.folder + "/ZListe.txt");
    EXPECT_TRUE(site_.remoteExists(expected.back()));
  }
  // Nothing went anywhere else on the site.
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(site_.remoteFiles(), expected);
}

TEST_F(WebPublishingTest, TheWaitCursorShowsWhileASendWaitsForTheSite) {
  writeWebEvent("Ligue_Sud", "GP_05_06_2012");
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kEventArea) + "Ligue_Sud/GP_05_06_2012/Finale"));
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  SetCursor(arrow);
  HCURSOR whileWaiting = nullptr;
  zd::SetAddressOpener([&](const char*) { whileWaiting = GetCursor(); });
  zd::WebLink link;
  zd::RunWebLinkCheck(window_, link);
  EXPECT_EQ(GetCursor(), arrow);
  zd::RunArchivePublishing(window_, link, participantsRequest("Finale"));
  zd::SetAddressOpener(nullptr);
  EXPECT_EQ(messages_, std::vector<std::string>{});
  EXPECT_EQ(whileWaiting, LoadCursorA(nullptr, IDC_WAIT));
  // Put back once the send is over.
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(WebPublishingTest, AnUnreachableSiteTurnsSendingOffAndTheButtonRed) {
  writeWebEvent("Ligue_Sud", "GP_05_06_2012");
  site_.stop();
  zd::WebLink link;
  zd::RunWebLinkCheck(window_, link);
  zd::SetSendButtonPicture(button_, link);
  ASSERT_TRUE(sendButtonPicture());
  EXPECT_FALSE(MostlyGreen(sendButtonPicture()));
  zd::WebEventInfo stored;
  ASSERT_TRUE(zd::ReadWebEventInfo(stored));
  EXPECT_EQ(stored.connected, 0);
  EXPECT_EQ(stored.activated, 0);
  zd::RunArchivePublishing(window_, link, participantsRequest("Finale A/B"));
  EXPECT_EQ(messages_,
            std::vector<std::string>{"Erreur: Le logiciel n'est pas connect\xE9 au site web distant."});
  EXPECT_EQ(site_.browsedAddresses(), "");
}

}  // namespace
