#include "gtest_win32.h"

#include <cstdio>
#include <string>
#include <vector>

#include "decoder_simulator_process.h"
#include "main/data_folder.h"
#include "main/decoder_detection.h"
#include "main/decoder_port.h"
#include "main/message_box.h"
#include "files/settings.h"

namespace {

constexpr int kCom = 26;
// The settings file as the C library names it: Windows-1252, like every path of the program.
const char kSettingsFileName[] = "R\xE9glagesInterface2.rg";

struct Box {
  std::string text;
  std::string caption;
};

class DecoderDetectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    std::remove(kSettingsFileName);
    zd::SetMessageAnswerer([this](const char* text, const char* caption, UINT) {
      boxes_.push_back({text, caption});
      return IDOK;
    });
  }
  void TearDown() override {
    zd::SetMessageAnswerer(nullptr);
    zd::CloseDecoderPort();
    std::remove(kSettingsFileName);
  }

  static void SaveSettings(const char* port, int connected, const char* kind) {
    zd::InterfaceSettings settings;
    settings.portName = port;
    settings.connected = connected;
    settings.decoderKind = kind;
    ASSERT_TRUE(zd::WriteInterfaceSettings(zd::kInterfaceSettingsFile, settings));
  }

  static std::string SettingsFileBytes() {
    std::string bytes;
    if (FILE* file = std::fopen(kSettingsFileName, "rb")) {
      char buffer[256];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
      std::fclose(file);
    }
    return bytes;
  }

  std::vector<Box> boxes_;
};

TEST_F(DecoderDetectionTest, FindsTheHardwareOnTheSavedPortAndSavesIt) {
  struct Case {
    const char* simulator;
    const char* file;
    const char* text;
  };
  const Case cases[] = {
      {"usb", "COM26\t1\tZentrikKV2\r\n",
       "D\xE9" "codeur KV2/KV3 USB id.#000042 connect\xE9 !\r\nLogiciel pr\xEAt \xE0 fonctionner !"},
      {"bluetooth", "COM26\t1\tZentrikKV2Bluetooth\r\n",
       "D\xE9" "codeur KV2/KV3 Bluetooth id.#000042 connect\xE9 !\r\nLogiciel pr\xEAt \xE0 "
       "fonctionner !"},
      // The KV1 interface does not answer: it is taken as such after the whole wait.
      {"kv1", "COM26\t1\tZentrik\r\n",
       "Interface Zentrik KV1 USB connect\xE9" "e !\r\nLogiciel pr\xEAt \xE0 fonctionner !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.simulator);
    boxes_.clear();
    zd_test::DecoderSimulatorProcess simulator;
    ASSERT_TRUE(simulator.start(c.simulator, kCom));
    SaveSettings("COM26", 0, "Zentrik");

    zd::DecoderDetection(nullptr);

    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, c.text);
    EXPECT_EQ(boxes_[0].caption, "Message");
    EXPECT_EQ(SettingsFileBytes(), c.file);
    EXPECT_EQ(simulator.waitForReceived(5), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x01, 0x02}));

    // The port stays open for the main window.
    uint8_t buffer[256];
    uint32_t n = 0;
    EXPECT_NE(zd::ReadDecoderPort(buffer, 255, n), 0);
    zd::CloseDecoderPort();
  }
}

TEST_F(DecoderDetectionTest, WithoutASettingsFileTheFailureIsShownAndSaved) {
  zd::DecoderDetection(nullptr);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Error : 'COM port' file not found");
  EXPECT_EQ(boxes_[0].caption, "Error");
  EXPECT_EQ(boxes_[1].text,
            "Tentative d'ouverture du port COM :\r\nEchec \xE0 l'ouverture du port COM !");
  EXPECT_EQ(SettingsFileBytes(), "\t0\tZentrik\r\n");
}

TEST_F(DecoderDetectionTest, APortThatDoesNotOpenIsSavedAsNotConnected) {
  SaveSettings("COM97", 1, "ZentrikKV2");
  zd::DecoderDetection(nullptr);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "Tentative d'ouverture du port COM :\r\nEchec \xE0 l'ouverture du port COM !");
  EXPECT_EQ(SettingsFileBytes(), "COM97\t0\tZentrik\r\n");
}

}  // namespace
