// The interface dialog opened from the menu: what it shows of the saved settings, the detection
// on the port chosen with "Ouvrir" and the settings it writes, and the main window taking them up
// once it is closed.

#include "gtest_win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "decoder_simulator_process.h"
#include "files/settings.h"
#include "main/decoder_link.h"
#include "main/decoder_port.h"
#include "main_window_fixture.h"
#include "wait_for.h"

namespace {

using zd_test::ReadWindowsFile;
using zd_test::WaitFor;
using zd_test::WriteWindowsFile;

constexpr int kCom = 29;
constexpr int kInterfaceCommand = 1022;

using zd_test::dialogs::DialogDriver;

std::string Text(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

int CheckedRadio(HWND dialog) {
  for (int id : {zd::kInterfaceKv1Radio, zd::kInterfaceUsbRadio, zd::kInterfaceBluetoothRadio}) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
  }
  return 0;
}

class InterfaceDialog : public zd_test::MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    settingsPath_ = zd_test::InDataFolder("RéglagesInterface2.rg");
    settingsBefore_ = ReadWindowsFile(settingsPath_);
    simulator_ = std::make_unique<zd_test::DecoderSimulatorProcess>();
    ASSERT_TRUE(simulator_->start("usb", kCom));
    ASSERT_TRUE(WriteWindowsFile(settingsPath_, "COM" + std::to_string(kCom) + "\t1\tZentrikKV2\r\n"));
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    zd::CloseDecoderPort();
    simulator_.reset();
    WriteWindowsFile(settingsPath_, settingsBefore_);
  }

  std::string Settings() { return ReadWindowsFile(settingsPath_); }

  // Opens the dialog from the menu; act runs on it once it shows, then "Ok" closes it.
  void WithDialog(const std::function<void(HWND)>& act) {
    DialogDriver driver("Interface décodeur", zd::kInterfaceKv1Radio, [&](HWND dialog) {
      act(dialog);
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(kInterfaceCommand);
    EXPECT_TRUE(driver.acted());
  }

  // Chooses a port in the list and presses "Ouvrir".
  static void OpenPort(HWND dialog, const std::string& name) {
    HWND ports = GetDlgItem(dialog, zd::kInterfacePortList);
    SendMessageA(ports, CB_SETCURSEL,
                 SendMessageA(ports, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(name.c_str())),
                 0);
    SendMessageA(GetDlgItem(dialog, zd::kInterfaceOpenButton), BM_CLICK, 0, 0);
  }

  std::unique_ptr<zd_test::DecoderSimulatorProcess> simulator_;

 private:
  std::string settingsPath_;
  std::string settingsBefore_;
};

TEST_F(InterfaceDialog, ShowsTheSavedLinkAndDetectsTheHardwareOnTheChosenPort) {
  const std::string com = "COM" + std::to_string(kCom);
  WithDialog([&](HWND dialog) {
    EXPECT_EQ(Text(dialog, zd::kInterfaceDecoderGroup), "Décodeur Zentrik");
    EXPECT_EQ(Text(dialog, zd::kInterfacePortGroup), "Port COM");
    EXPECT_EQ(SendDlgItemMessageA(dialog, zd::kInterfacePortList, CB_GETCOUNT, 0, 0), 99);
    EXPECT_EQ(Text(dialog, zd::kInterfacePortList), com);
    EXPECT_EQ(CheckedRadio(dialog), zd::kInterfaceUsbRadio);
    EXPECT_EQ(Text(dialog, zd::kInterfaceMessages),
              " Interface KV2/KV3 USB prête à fonctionner !");

    OpenPort(dialog, "COM97");  // no such port
    EXPECT_EQ(Text(dialog, zd::kInterfaceMessages),
              " Tentative d'ouverture du port COM :\r\n Echec à l'ouverture du port COM !");
    EXPECT_EQ(CheckedRadio(dialog), zd::kInterfaceKv1Radio);
    EXPECT_EQ(Settings(), "COM97\t0\tZentrik\r\n");

    OpenPort(dialog, com);
    EXPECT_EQ(Text(dialog, zd::kInterfaceMessages),
              " Tentative d'ouverture du port COM :\r\n Ouverture du port COM OK !\r\n Décodeur "
              "KV2/KV3 USB id.#000042 connecté !\r\n Logiciel prêt à fonctionner !");
    EXPECT_EQ(CheckedRadio(dialog), zd::kInterfaceUsbRadio);
  });
  EXPECT_EQ(Settings(), com + "\t1\tZentrikKV2\r\n");

  // Closed, the main window reads the settings again and keeps the decoder alive on the port
  // that the dialog left open.
  zd::MainWindowState& s = zd::MainState();
  ASSERT_TRUE(WaitFor([&] { return zd::MainDecoderLink().watchdog == 1; }));
  EXPECT_EQ(s.interfaceSettings.portName.view(), com);
  EXPECT_EQ(s.interfaceSettings.decoderKind.view(), zd::kUsbDecoderKind);
  const int64_t initialised = zd::MainDecoderLink().lastKeepAliveTick;
  ASSERT_TRUE(WaitFor([&] { return zd::MainDecoderLink().lastKeepAliveTick > initialised; }));
  EXPECT_EQ(zd::MainDecoderLink().keepAliveFailures, 0);
}

}  // namespace
