// The files that the build lays out for the data folder (tools/data).

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "files/codepage.h"
#include "files/databases.h"
#include "files/settings.h"
#include "test_support.h"

#ifndef ZD_DATA_FOLDER
#error "ZD_DATA_FOLDER names the folder that the build lays out"
#endif

namespace zd {
namespace {

// The core takes Windows-1252 paths; the test reads bytes through the system's UTF-8 names.
std::string Shipped(std::string_view name) {
  return std::string(ZD_DATA_FOLDER) + "/" + std::string(name);
}
std::string ShippedBytes(std::string_view name) {
  return test::ReadBytes(Cp1252ToUtf8(Shipped(name)));
}

int CrLfLines(const std::string& bytes) {
  int lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF at " << i;
    EXPECT_FALSE(i < 2 || bytes[i - 2] == '\n') << "an empty line at " << i;
    ++lines;
  }
  EXPECT_TRUE(!bytes.empty() && bytes.back() == '\n');
  return lines;
}

TEST(ShippedData, TwoCountryListsOf208LinesAndAFlagForEveryCode) {
  EXPECT_EQ(CrLfLines(ShippedBytes(kCountryNamesFile)), kCountryCount);
  EXPECT_EQ(CrLfLines(ShippedBytes(kCountryCodesFile)), kCountryCount);

  CountryTable countries{};
  ASSERT_TRUE(ReadCountryNames(Shipped(kCountryNamesFile), countries));
  ASSERT_TRUE(ReadCountryCodes(Shipped(kCountryCodesFile), countries));
  std::set<std::string> codes;
  for (const CountryRecord& country : countries) {
    SCOPED_TRACE(country.name.str());
    EXPECT_FALSE(country.name.empty());
    ASSERT_FALSE(country.code.empty());
    EXPECT_TRUE(codes.insert(country.code.str()).second) << "code given twice";
    // An uncompressed 24-bit bitmap, the form every loader takes.
    const std::string bmp = ShippedBytes(CountryFlagPath(country.code));
    ASSERT_GE(bmp.size(), 54u) << CountryFlagPath(country.code);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24u);
    EXPECT_EQ(bmp[30], 0);
  }
  EXPECT_EQ(countries[0].name.view(), "Afghanistan");
}

TEST(ShippedData, FactorySettingsReadBackUsable) {
  SoundSettings sounds;
  ASSERT_TRUE(ReadSoundSettings(Shipped(kSoundSettingsFile), sounds));
  EXPECT_EQ(sounds.lines[kSoundLanguage].view(), kSoundLanguageFrench);
  for (int i = 1; i < kSoundLines; ++i) EXPECT_EQ(sounds.lines[i].view(), kSoundSwitches[i].on);

  DisplaySettings display;
  CustomColours custom{};
  ASSERT_TRUE(ReadDisplaySettings(Shipped(kDisplaySettingsFile), display, custom));
  int width = 0;
  for (int w : display.widths) width += w;
  EXPECT_GT(width, 0);
  EXPECT_LE(width, 1400 - 60 - 35);  // the table fits right of the event tree
  for (const BoardFont& font : display.fonts) {
    EXPECT_EQ(font.face.view(), "Arial");
    EXPECT_LT(font.height, 0);
  }
  EXPECT_NE(display.colours[10], display.fontColours[3]);  // text stands out from its rows

  InterfaceSettings link;
  ASSERT_TRUE(ReadInterfaceSettings(Shipped(kInterfaceSettingsFile), link));
  EXPECT_EQ(link.portName.view(), "COM1");
  EXPECT_EQ(link.decoderKind.view(), "Zentrik");

  EXPECT_EQ(ShippedBytes(kCustomSoundsFile), test::Repeat("\r\n", kCustomSoundCount));
}

// The dialogs add frequencies of exactly six characters and numbers of six digits: the shipped
// lists hold nothing that they could not have written.
TEST(ShippedData, FrequenciesAndTransponderPacksAsTheirDialogsKeepThem) {
  FrequencyTable frequencies{};
  ASSERT_TRUE(ReadFrequencies(Shipped(kFrequenciesFile), frequencies));
  const int lines = CrLfLines(ShippedBytes(kFrequenciesFile));
  EXPECT_GT(lines, 1);
  std::set<std::string> seen;
  for (int i = 0; i < lines; ++i) {
    EXPECT_EQ(frequencies[i].frequency.view().size(), 6u) << i;
    EXPECT_TRUE(seen.insert(frequencies[i].frequency.str()).second) << i;
  }
  EXPECT_EQ(frequencies[0].frequency.view(), "2.4Ghz");

  auto packs = std::make_unique<TransponderPackTable>();
  ClearTransponderPackTable(*packs);
  ASSERT_TRUE(ReadTransponderPacks(Shipped(kTransponderPacksFile), *packs));
  EXPECT_EQ(CrLfLines(ShippedBytes(kTransponderPacksFile)), kTransponderPacks);
  for (const TransponderPackRecord& pack : *packs) {
    EXPECT_FALSE(pack.name.empty());
    EXPECT_LE(pack.name.view().size(), 6u);
    for (const auto& number : pack.transponders) EXPECT_TRUE(number.empty());
  }
}

}  // namespace
}  // namespace zd
