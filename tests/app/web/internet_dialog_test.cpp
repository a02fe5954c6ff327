// The internet settings opened by the main window's command 1023 against the local FTP site: the
// three states the window can open in (site stopped; connected with sending off; sending on),
// and activations through the shell, whose browser is the stand-in of the site's event script.
// Once sending is on, the main window's "Internet" item shows its "on" picture and the live file
// goes to the new event's folder.

#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "wait_for.h"
#include "web/live_publishing.h"
#include "web/web_site_process.h"

namespace zd_test::dialogs {
namespace {

constexpr int kInternetCommand = 1023;
constexpr const char* kArea = "public_html/ZentrikRiduduzud/";
constexpr const char* kStoredId = "Coupe_Ligue_05_06_2012";
constexpr int kPublishingOnBitmap = 21;

struct Light {
  long green = 0;
  long red = 0;
};

// The light's pixels as the screen shows them: template pixels 210..250, 440..480, two to a
// dialog unit.
Light LightOf(HWND dialog) {
  RECT r{105, 220, 125, 240};
  MapDialogRect(dialog, &r);
  HDC dc = GetDC(dialog);
  Light light;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetGValue(c) > GetRValue(c) + 60) ++light.green;
      if (GetRValue(c) > GetGValue(c) + 60) ++light.red;
    }
  }
  ReleaseDC(dialog, dc);
  return light;
}

bool ReadOnly(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// A bitmap's pixels, as 32-bit rows.
std::vector<unsigned char> Pixels(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(info.bmWidth) * info.bmHeight * 4);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), bytes.data(), &header,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return bytes;
}

class InternetDialog : public DatabaseDialogTest {
 protected:
  InternetDialog()
      : DatabaseDialogTest({"Private\\SiteWeb.rg", "WebResults\\CoordonneesWeb.txt",
                            "WebResults\\Live.txt", "BaseDonn\xE9" "esChampionnats.bd"}) {}

  void SetUp() override {
    DatabaseDialogTest::SetUp();
    ASSERT_TRUE(site_.start());
    ASSERT_TRUE(site_.writeSettings(InDataFolder("Private\\SiteWeb.rg")));
    SetWorking("BaseDonn\xE9" "esChampionnats.bd", "Ligue Sud\t\t\r\nCoupe Nord\t\t\r\n");
  }

  // The web event file as the internet settings find it (the program wrote it with both flags
  // off when it started).
  void Store(int activated, const std::string& id, const std::string& folder) {
    SetWorking("WebResults\\CoordonneesWeb.txt", "0\t" + std::to_string(activated) + "\t\r\n" +
                                                     id + "\r\n" + folder + "\r\nhttp://v.test/\r\n");
  }
  std::string Stored() { return Working("WebResults\\CoordonneesWeb.txt"); }

  void Choose(HWND dialog, const char* championship) {
    const LRESULT item = SendDlgItemMessageA(dialog, 4306, CB_FINDSTRINGEXACT,
                                             static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(championship));
    SendDlgItemMessageA(dialog, 4306, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(4306, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 4306)));
  }
  void TypeEvent(HWND dialog, const char* name, const char* day, const char* month,
                 const char* year) {
    Type(dialog, 4302, name);
    Type(dialog, 4303, day);
    Type(dialog, 4304, month);
    Type(dialog, 4305, year);
  }
  // 4308 pressed as the mouse would: its check turns over, then the dialog is told.
  void PressActivate(HWND dialog) {
    CheckDlgButton(dialog, 4308, Checked(dialog, 4308) ? BST_UNCHECKED : BST_CHECKED);
    Click(dialog, 4308);
  }

  zd_test::WebSiteProcess site_;
};

struct OpeningCase {
  const char* name;
  bool siteUp;
  int activated;  // in the file
  bool enabled;
  bool checked;
  const char* caption;
  bool green;
};

TEST_F(InternetDialog, OpensInTheThreeStatesOfItsTable) {
  ASSERT_TRUE(site_.useStandInBrowser(0.0));
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kArea) + "Ligue_Sud/" + kStoredId));
  const OpeningCase cases[] = {
      {"site stopped", false, 1, false, false, "Activer", false},
      {"connected, sending off", true, 0, true, false, "Activer", false},
      {"connected, sending on", true, 1, true, true, "D\xE9sactiver", true},
  };
  for (const OpeningCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.siteUp) {
      ASSERT_TRUE(site_.start(false, true));
    } else {
      site_.stop();
    }
    Store(c.activated, kStoredId, "Ligue_Sud");
    WithDialog(kInternetCommand, "Internet", 4308, [&](HWND d) {
      EXPECT_EQ(Text(d, 4310), "Envoi des r\xE9sultats sur internet");
      EXPECT_EQ(FontOf(d, 4310).lfWeight, 700);
      EXPECT_EQ(std::string(FontOf(d, 4302).lfFaceName), "Arial");
      EXPECT_EQ(Enabled(d, 4308), c.enabled);
      EXPECT_EQ(Enabled(d, 4309), c.enabled);
      EXPECT_EQ(Checked(d, 4308), c.checked);
      EXPECT_EQ(Text(d, 4308), c.caption);
      EXPECT_EQ(ReadOnly(d, 4302), c.checked);
      EXPECT_EQ(ReadOnly(d, 4305), c.checked);
      EXPECT_EQ(Enabled(d, 4306), !c.checked);
      EXPECT_EQ(Text(d, 4302), "Coupe_Ligue");
      EXPECT_EQ(Text(d, 4303) + " " + Text(d, 4304) + " " + Text(d, 4305), "05 06 2012");
      EXPECT_EQ(Text(d, 4306), "Ligue Sud");
      const std::string messages = Text(d, 4301);
      EXPECT_EQ(messages.rfind(c.siteUp ? "Le logiciel est connect\xE9 au site web distant.OK\r\n"
                                        : "Le logiciel n'est pas connect\xE9 au site web distant.",
                               0),
                0u)
          << messages;
      const Light light = LightOf(d);
      EXPECT_GT(c.green ? light.green : light.red, 100) << light.green << " " << light.red;
      EXPECT_EQ(c.green ? light.red : light.green, 0);
      SaveDialogPicture(d, std::string("internet_dialog_") + (c.siteUp ? "" : "not_") +
                               "connected_" + std::to_string(c.activated) + ".png");
      if (c.enabled && !c.checked) Click(d, 4309);  // "voir"
      EXPECT_TRUE(PressOk(d));
    });
    // Sending found on with the site stopped: the file says off too, for the main window.
    if (!c.siteUp) {
      EXPECT_EQ(Stored(), std::string("0\t0\t\r\n") + kStoredId + "\r\nLigue_Sud\r\nhttp://v.test/\r\n");
    }
  }
  EXPECT_EQ(boxes.size(), 0u);
  EXPECT_TRUE(zd_test::WaitFor([&] {
    return site_.browsedAddresses() ==
           "http://127.0.0.1:9/ZentrikRiduduzud/ListeEvents.php?lang=FR&country=_&event=_&race=_\n";
  })) << site_.browsedAddresses();
}

// No stored event: the event script creates it through the shell and the stand-in, sending goes
// on, and the main window then publishes there.
TEST_F(InternetDialog, AScriptedCreationSwitchesSendingOnForTheMainWindow) {
  ASSERT_TRUE(site_.useStandInBrowser(2.0));
  Store(0, "", "");
  WithDialog(kInternetCommand, "Internet", 4308, [&](HWND d) {
    EXPECT_EQ(Text(d, 4302), "");
    // The typing limits: 28 characters of name, 2 + 2 + 4 of date.
    TypeEvent(d, "abcdefghijklmnopqrstuvwxyz0123456789", "123", "456", "78901");
    EXPECT_EQ(Text(d, 4302), "abcdefghijklmnopqrstuvwxyz01");
    EXPECT_EQ(Text(d, 4303) + Text(d, 4304) + Text(d, 4305), "12457890");
    TypeEvent(d, "Grand Prix 2", "05", "06", "2012");
    Type(d, 4307, "http://video.test/live");
    Choose(d, "Ligue Sud");
    PressActivate(d);
    EXPECT_TRUE(Checked(d, 4308));
    EXPECT_EQ(Text(d, 4308), "D\xE9sactiver");
    EXPECT_TRUE(ReadOnly(d, 4302));
    EXPECT_FALSE(Enabled(d, 4306));
    EXPECT_EQ(Text(d, 4301),
              "Le logiciel est connect\xE9 au site web distant.OK\r\nL'envoi des r\xE9sultats sur "
              "le web est activ\xE9.\r\nLes r\xE9sultats seront affich\xE9s dans l'\xE9v\xE9nement "
              "web :\r\n'Grand_Prix_2 05/06/2012'");
    const Light light = LightOf(d);
    EXPECT_GT(light.green, 100);
    EXPECT_EQ(light.red, 0);
    SaveDialogPicture(d, "internet_dialog_activated.png");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_EQ(boxes.size(), 0u);
  EXPECT_NE(site_.browsedAddresses().find(
                "ZentrikRiduduzud/CreationEvent.php?action=create&payssaisie=Ligue_Sud"
                "&paysfichier=&eventsaisie=Grand_Prix_2_05_06_2012&eventfichier="),
            std::string::npos)
      << site_.browsedAddresses();
  EXPECT_EQ(Stored(), "1\t1\t\r\nGrand_Prix_2_05_06_2012\r\nLigue_Sud\r\nhttp://video.test/live\r\n");

  // The main window read the file back: its "Internet" item shows the "on" picture.
  EXPECT_EQ(zd::MainState().webEventInfo.activated, 1);
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_CHECKMARKS;
  ASSERT_TRUE(GetMenuItemInfoA(GetMenu(window), kInternetCommand, FALSE, &item));
  HBITMAP on = LoadBitmapA(zd::MainState().instance, MAKEINTRESOURCEA(kPublishingOnBitmap));
  ASSERT_TRUE(item.hbmpUnchecked);
  EXPECT_EQ(Pixels(item.hbmpUnchecked), Pixels(on));
  DeleteObject(on);

  // Its next live upload lands in the new event's folder.
  SetWorking("WebResults\\Live.txt", "1\r\nGrand Prix\r\n");
  ASSERT_TRUE(zd::SubmitLiveFile(zd::MainState().webEventInfo));
  const std::string remote = std::string(kArea) + "Ligue_Sud/Grand_Prix_2_05_06_2012/RiduduzudLive.txt";
  EXPECT_TRUE(zd_test::WaitFor([&] {
    zd::CollectLiveUpload();
    return site_.remoteFile(remote) == "1\nGrand Prix\n";
  }));
}

// The stored event's folder already there: Yes uses it at once, No puts the stored event back.
// Then, with only the name changed, the three-way question's No renames it through the script.
TEST_F(InternetDialog, ExistingFolderQuestionsAndARenameThroughTheShell) {
  ASSERT_TRUE(site_.useStandInBrowser(1.0));
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kArea) + "Ligue_Sud/" + kStoredId));
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kArea) + "Coupe_Nord/Autre_01_02_2013"));
  Store(0, kStoredId, "Ligue_Sud");
  WithDialog(kInternetCommand, "Internet", 4308, [&](HWND d) {
    // No: the stored event comes back, sending stays off.
    TypeEvent(d, "Autre", "01", "02", "2013");
    Choose(d, "Coupe Nord");
    answers = {IDNO};
    PressActivate(d);
    EXPECT_FALSE(Checked(d, 4308));
    EXPECT_EQ(Text(d, 4302), "Coupe_Ligue");
    EXPECT_EQ(Text(d, 4303) + " " + Text(d, 4304) + " " + Text(d, 4305), "05 06 2012");
    EXPECT_EQ(Text(d, 4306), "Ligue Sud");
    EXPECT_EQ(Stored(), std::string("1\t0\t\r\n") + kStoredId + "\r\nLigue_Sud\r\nhttp://v.test/\r\n");

    // Yes: the stored event is used as it is, with no script.
    answers = {IDYES};
    PressActivate(d);
    EXPECT_TRUE(Checked(d, 4308));
    EXPECT_EQ(Stored(), std::string("1\t1\t\r\n") + kStoredId + "\r\nLigue_Sud\r\nhttp://v.test/\r\n");
    EXPECT_EQ(site_.browsedAddresses(), "");

    // Off, then only the name changed: rename.
    PressActivate(d);
    EXPECT_FALSE(Checked(d, 4308));
    EXPECT_EQ(Stored(), std::string("1\t0\t\r\n") + kStoredId + "\r\nLigue_Sud\r\nhttp://v.test/\r\n");
    Type(d, 4302, "Coupe Ligue Sud");
    answers = {IDNO};
    PressActivate(d);
    EXPECT_TRUE(Checked(d, 4308));
    EXPECT_EQ(Stored(), "1\t1\t\r\nCoupe_Ligue_Sud_05_06_2012\r\nLigue_Sud\r\nhttp://v.test/\r\n");
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_NE(boxes[0].text.find("'Autre_01_02_2013' existe d\xE9j\xE0"), std::string::npos);
  EXPECT_NE(boxes[2].text.find("renommer l'\xE9v\xE9nement actuel"), std::string::npos);
  EXPECT_NE(site_.browsedAddresses().find(
                "CreationEvent.php?action=rename&payssaisie=Ligue_Sud&paysfichier=Ligue_Sud"
                "&eventsaisie=Coupe_Ligue_Sud_05_06_2012&eventfichier=Coupe_Ligue_05_06_2012"),
            std::string::npos)
      << site_.browsedAddresses();
}

// Another championship for the stored event: the two-way question, whose Yes creates the event
// in that championship through the script.
TEST_F(InternetDialog, AChangedChampionshipCreatesTheEventAfterTheTwoWayQuestion) {
  ASSERT_TRUE(site_.useStandInBrowser(1.0));
  ASSERT_TRUE(site_.makeRemoteFolder(std::string(kArea) + "Ligue_Sud/" + kStoredId));
  Store(0, kStoredId, "Ligue_Sud");
  WithDialog(kInternetCommand, "Internet", 4308, [&](HWND d) {
    Choose(d, "Coupe Nord");
    answers = {IDYES};
    PressActivate(d);
    EXPECT_TRUE(Checked(d, 4308));
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Les coordonn\xE9" "es de l'\xE9v\xE9nement ont \xE9t\xE9 modifi\xE9" "es !\nVoulez-vous "
            "cr\xE9" "er un nouvel \xE9v\xE9nement web ?");
  EXPECT_TRUE(site_.remoteExists(std::string(kArea) + "Coupe_Nord/" + kStoredId));
  EXPECT_EQ(Stored(), std::string("1\t1\t\r\n") + kStoredId + "\r\nCoupe_Nord\r\nhttp://v.test/\r\n");
}

// A site whose script never makes the folder: after about ten seconds the creation fails and
// sending stays off.
TEST_F(InternetDialog, ACreationNeverConfirmedFailsAfterAboutTenSeconds) {
  ASSERT_TRUE(site_.useStandInBrowser(-1.0));
  Store(0, "", "");
  WithDialog(kInternetCommand, "Internet", 4308, [&](HWND d) {
    TypeEvent(d, "GP", "05", "06", "2012");
    Choose(d, "Ligue Sud");
    const ULONGLONG start = GetTickCount64();
    PressActivate(d);
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 9500u);
    EXPECT_LT(took, 20000u);
    EXPECT_FALSE(Checked(d, 4308));
    EXPECT_EQ(Text(d, 4308), "Activer");
    const Light light = LightOf(d);
    EXPECT_GT(light.red, 100);
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Erreur: le nouvel \xE9v\xE9nement web n'a pas \xE9t\xE9 cr\xE9\xE9.");
  EXPECT_EQ(Stored(), "0\t0\t\r\n\r\n\r\nhttp://v.test/\r\n");
}

}  // namespace
}  // namespace zd_test::dialogs
