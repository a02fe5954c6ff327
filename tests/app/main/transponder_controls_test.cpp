// The transponder controls and the manual lap buttons of the main window: a scan and its check
// run by the timer on the passings of the decoder simulator, with the mode controls ignored
// meanwhile, and a manual lap given after the operator's answer.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "decoder_simulator_process.h"
#include "main/decoder_port.h"
#include "main/transponder_scan.h"
#include "main_window_fixture.h"
#include "wait_for.h"

namespace {

using zd_test::ReadWindowsFile;
using zd_test::WaitFor;
using zd_test::WriteWindowsFile;

constexpr int kCom = 30;
constexpr int32_t kSeriesNode = 13101;

class TransponderControls : public zd_test::MainWindowTest {
 protected:
  void SetUp() override {}
  void TearDown() override {
    MainWindowTest::TearDown();
    zd::CloseDecoderPort();
    simulator_.reset();
    if (!settingsPath_.empty()) WriteWindowsFile(settingsPath_, settingsBefore_);
  }

  // The program started with a KV2/KV3 decoder on USB on its COM port.
  void StartWithDecoder() {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    settingsPath_ = zd_test::InDataFolder("RéglagesInterface2.rg");
    settingsBefore_ = ReadWindowsFile(settingsPath_);
    simulator_ = std::make_unique<zd_test::DecoderSimulatorProcess>();
    ASSERT_TRUE(simulator_->start("usb", kCom));
    ASSERT_TRUE(WriteWindowsFile(settingsPath_, "COM" + std::to_string(kCom) + "\t0\tZentrik\r\n"));
    MainWindowTest::SetUp();
  }

  void Click(int id) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
  std::string Status() {
    char text[256] = {};
    GetDlgItemTextA(window, zd::kScanStatus, text, sizeof text);
    return text;
  }
  zd::SeriesResultEntry& Slot(int k) { return (*zd::MainState().series->liveTable)[k - 1]; }

  std::unique_ptr<zd_test::DecoderSimulatorProcess> simulator_;

 private:
  std::string settingsPath_;
  std::string settingsBefore_;
};

TEST_F(TransponderControls, AScanAndItsCheckRunOnTheDecodersPassings) {
  StartWithDecoder();
  OpenTestEvent();
  Select(kSeriesNode);
  zd::MainWindowState& s = zd::MainState();
  ASSERT_EQ(s.series->rowCount, 3);

  Click(zd::kMixedTransponders);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, zd::kScanToggle)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, zd::kTransponderPackList)));
  Click(zd::kScanToggle);
  EXPECT_EQ(Status(), " Scan en cours");
  EXPECT_FALSE(Enabled(zd::kEventTreeId));
  EXPECT_FALSE(Enabled(zd::kStartSeriesButton));
  EXPECT_TRUE(Enabled(zd::kMixedTransponders));

  ASSERT_TRUE(simulator_->command("201"));
  ASSERT_TRUE(WaitFor([&] { return Slot(1).transponder == "000201"; }));
  // The transponders being learned, the mode controls change nothing.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kMixedTransponders, BN_CLICKED), 0);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kPersonalTransponders, BN_CLICKED), 0);
  EXPECT_EQ(Slot(1).transponder, "000201");
  EXPECT_EQ(s.transponderMode, zd::kMixedTransponderMode);
  ASSERT_TRUE(simulator_->command("202"));
  ASSERT_TRUE(simulator_->command("203"));
  ASSERT_TRUE(WaitFor([&] { return Status() == " Vérif en cours"; }));
  EXPECT_EQ(s.series->rows[2].transponder, "000203");

  // Each car once, in slot order, once the check has run 2 s.
  const ULONGLONG checkStart = GetTickCount64();
  ASSERT_TRUE(WaitFor([&] { return GetTickCount64() - checkStart > 2500; }));
  for (int k = 1; k <= 3; ++k) {
    ASSERT_TRUE(simulator_->command(std::to_string(200 + k)));
    ASSERT_TRUE(WaitFor([&] { return Slot(k).laps == 1; })) << k;
  }
  ASSERT_TRUE(WaitFor([&] { return Status() == " Vérif terminée"; }));
  EXPECT_EQ(IsDlgButtonChecked(window, zd::kScanToggle), BST_UNCHECKED);
  EXPECT_TRUE(Enabled(zd::kEventTreeId));
  EXPECT_EQ(s.timer.scanModeActive, 0);
  EXPECT_EQ(s.series->rows[0].slotNumber, " 1 ");
  EXPECT_EQ(s.series->rows[2].slotNumber, " 3 ");
}

TEST_F(TransponderControls, AManualLapIsGivenOnceTheOperatorSaysYes) {
  MainWindowTest::SetUp();
  zd::SeriesParameters parameters;
  parameters.countdown = 0;
  parameters.duration = 10;
  OpenTestEvent(parameters);
  Select(kSeriesNode);
  Click(zd::kStartSeriesButton);
  zd::MainWindowState& s = zd::MainState();
  ASSERT_TRUE(WaitFor([&] { return s.race.running == 1; }));

  boxes.clear();
  answers = {IDNO};
  Click(zd::kFirstManualLapButton + 1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Zentrik");
  EXPECT_EQ(boxes[0].text,
            "1 tour va être ajouté à la voiture/moto '# '- Brigitte !\nVeuillez confirmer !");
  EXPECT_EQ(Slot(2).passingCount, 0);

  answers = {IDYES};
  Click(zd::kFirstManualLapButton + 1);
  EXPECT_EQ(Slot(2).passingCount, 1);
  EXPECT_EQ(s.series->rows[0].name, "Brigitte");
  EXPECT_EQ(s.series->rows[0].laps, "1");
}

}  // namespace
