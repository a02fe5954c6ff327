#include "files/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::Repeat;
using test::SameBytes;
using test::TempDir;
using test::WriteBytes;

std::string WithoutCr(const std::string& bytes) {
  std::string out;
  for (char c : bytes)
    if (c != '\r') out.push_back(c);
  return out;
}

TEST(SoundSettingsFile, RoundTripsAndComparesWhole) {
  TempDir dir;
  const std::string fixture =
      "SONLANGUEAnglais\r\nSONDECOMPTEnon\r\nSONDEPARTnon\r\nSONPASSAGEnon\r\nSONMEILLEURTOURnon\r"
      "\n"
      "SONHORLOGEnon\r\nSONFINCOURSEnon\r\nSONFINVOITUREMOTOnon\r\nSONHORLOGEREPOSnon\r\n";
  for (const std::string& bytes : {fixture, WithoutCr(fixture)}) {
    WriteBytes(dir.file("s.rg"), bytes);
    SoundSettings s;
    ASSERT_TRUE(ReadSoundSettings(dir.file("s.rg"), s));
    EXPECT_EQ(s.lines[kSoundLanguage].view(), kSoundLanguageEnglish);
    for (int i = 1; i < kSoundLines; ++i) {
      EXPECT_NE(s.lines[i].view(), kSoundSwitches[i].on) << i;
      EXPECT_EQ(s.lines[i].view(), kSoundSwitches[i].off) << i;
    }
    ASSERT_TRUE(WriteSoundSettings(dir.file("out.rg"), s));
    EXPECT_TRUE(SameBytes(ReadBytes(dir.file("out.rg")), fixture));
  }
}

TEST(SoundSettingsFile, NineWordsWhateverBlanksAndEmptyLinesStandBetween) {
  TempDir dir;
  const std::string on = "SONLANGUEFrancais\r\nSONDECOMPTEoui\r\nSONDEPARToui\r\nSONPASSAGEoui\r\n"
                         "SONMEILLEURTOURoui\r\nSONHORLOGEoui\r\nSONFINCOURSEoui\r\n"
                         "SONFINVOITUREMOTOoui\r\nSONHORLOGEREPOSoui\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;  // "kept": a text the file did not reach
  };
  const std::vector<std::string> allOn = {
      "SONLANGUEFrancais",  "SONDECOMPTEoui", "SONDEPARToui",    "SONPASSAGEoui",
      "SONMEILLEURTOURoui", "SONHORLOGEoui",  "SONFINCOURSEoui", "SONFINVOITUREMOTOoui",
      "SONHORLOGEREPOSoui"};
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string bytes = on;
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
  };
  const Case cases[] = {
      {"a blank after a word", replaced("SONDECOMPTEoui\r\n", "SONDECOMPTEoui \r\n"), allOn},
      {"a TAB after a word", replaced("SONDEPARToui\r\n", "SONDEPARToui\t\r\n"), allOn},
      {"empty lines before and between",
       "\r\n" + replaced("SONPASSAGEoui\r\n", "\r\n\r\nSONPASSAGEoui\r\n"), allOn},
      {"blanks before a word and LF line ends", replaced("SONHORLOGEoui\r\n", "  SONHORLOGEoui\n"),
       allOn},
      {"two words on a line",
       replaced("SONLANGUEFrancais\r\n", "SONLANGUEFrancais SONDECOMPTEoui\r\n"),
       {"SONLANGUEFrancais", "SONDECOMPTEoui", "SONDECOMPTEoui", "SONDEPARToui", "SONPASSAGEoui",
        "SONMEILLEURTOURoui", "SONHORLOGEoui", "SONFINCOURSEoui", "SONFINVOITUREMOTOoui"}},
      {"a word too long for its text, and a file that ends early",
       "SONLANGUEFrancais\r\n\r\n" + std::string(30, 'X') + "\r\nSONDEPARToui",
       {"SONLANGUEFrancais", "", "SONDEPARToui", "kept", "kept", "kept", "kept", "kept", "kept"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(dir.file("s.rg"), c.bytes);
    SoundSettings s;
    for (auto& line : s.lines) line = "kept";
    ASSERT_TRUE(ReadSoundSettings(dir.file("s.rg"), s));
    for (int i = 0; i < kSoundLines; ++i) EXPECT_EQ(s.lines[i].view(), c.lines[i]) << i;
  }

  SoundSettings untouched;
  untouched.lines[0] = "x";
  EXPECT_FALSE(ReadSoundSettings(dir.file("none.rg"), untouched));
  EXPECT_EQ(untouched.lines[0].view(), "x");
}

TEST(SoundSettingsFile, AWordLongerThanItsFieldMatchesNoKeyword) {
  TempDir dir;
  const std::pair<std::string, bool> cases[] = {
      {"SONFINVOITUREMOTOoui", true},    // the longest keyword, 20 characters
      {"SONFINVOITUREMOTOouiX", false},  // cut to 20 it would read as on
      {"SONFINVOITUREMOTOoui" + std::string(80, 'X'), false},
  };
  for (const auto& [line, on] : cases) {
    std::string before;
    for (int i = 0; i < kSoundCarFinished; ++i) before += "word" + std::to_string(i) + "\r\n";
    WriteBytes(dir.file("s.rg"), before + line + "\r\nSONHORLOGEREPOSoui\r\n");
    SoundSettings s;
    ASSERT_TRUE(ReadSoundSettings(dir.file("s.rg"), s));
    EXPECT_EQ(s.lines[kSoundCarFinished] == kSoundSwitches[kSoundCarFinished].on, on) << line;
    EXPECT_EQ(s.lines[kSoundRestClock].view(), kSoundSwitches[kSoundRestClock].on) << line;
  }
}

TEST(CustomSoundsFile, EmptyPathsAreEmptyLines) {
  TempDir dir;
  CustomSounds sounds;
  ClearCustomSounds(sounds);
  ASSERT_TRUE(WriteCustomSounds(dir.file("s.sopr"), sounds));
  EXPECT_TRUE(SameBytes(ReadBytes(dir.file("s.sopr")), Repeat("\r\n", 133)));
  sounds[7] = "old";
  ClearCustomSounds(sounds);
  ASSERT_TRUE(ReadCustomSounds(dir.file("s.sopr"), sounds));
  for (const auto& path : sounds) EXPECT_TRUE(path.empty());

  sounds[0] = "C:\\Sons\\depart.wav";
  sounds[132] = "D:\\scan 50.wav";
  ASSERT_TRUE(WriteCustomSounds(dir.file("s.sopr"), sounds));
  const std::string expected =
      "C:\\Sons\\depart.wav\r\n" + Repeat("\r\n", 131) + "D:\\scan 50.wav\r\n";
  EXPECT_TRUE(SameBytes(ReadBytes(dir.file("s.sopr")), expected));
  CustomSounds back;
  ClearCustomSounds(back);
  ASSERT_TRUE(ReadCustomSounds(dir.file("s.sopr"), back));
  EXPECT_EQ(back[0].view(), "C:\\Sons\\depart.wav");
  EXPECT_EQ(back[132].view(), "D:\\scan 50.wav");
}

TEST(CustomSoundsFile, StopsAfterTheLastSlot) {
  TempDir dir;
  // Lines after the 133rd do not start again at slot 0; a path too long is cut to 259.
  WriteBytes(dir.file("s.sopr"),
             std::string(300, 'p') + "\r\n" + Repeat("\r\n", 132) + "extra\r\n");
  CustomSounds sounds;
  ClearCustomSounds(sounds);
  ASSERT_TRUE(ReadCustomSounds(dir.file("s.sopr"), sounds));
  EXPECT_EQ(sounds[0].view(), std::string(259, 'p'));
  EXPECT_TRUE(sounds[1].empty());
  EXPECT_TRUE(sounds[132].empty());
}

std::string DisplayFixture(const std::string& logo, const std::string& face0) {
  std::string f = "2\t\r\n" + logo + "\t\r\n" + face0 + "\t" + Repeat("Arial\t", 13) + "\r\n";
  f += "-24\t-28\t-13\t" + Repeat("-16\t", 11) + "\r\n";
  f += Repeat("700\t", 3) + Repeat("400\t", 11) + "\r\n";
  f += "0\t1\t" + Repeat("0\t", 12) + "\r\n";
  f += Repeat("0\t", 13) + "1\t\r\n";
  f += Repeat("0\t", 14) + "\r\n";
  f += "16777215\t16777215\t255\t" + Repeat("0\t", 11) + "\r\n";
  f += "14471368\t16777215\t";
  for (int i = 2; i < 13; ++i) f += std::to_string(i * 1000) + "\t";
  f += "\r\n40\t200\t90\t100\t60\t100\t90\t90\t90\t90\t70\t\r\n";
  f += Repeat("16777215\t", 15) + "123\t\r\n";
  return f;
}

TEST(DisplaySettingsFile, RoundTripsEveryField) {
  TempDir dir;
  const std::string fixture = DisplayFixture("C:\\Logos\\club.bmp", "Arial Black");
  for (const std::string& bytes : {fixture, WithoutCr(fixture)}) {
    WriteBytes(dir.file("d.rgsc"), bytes);
    DisplaySettings s;
    CustomColours custom{};
    ASSERT_TRUE(ReadDisplaySettings(dir.file("d.rgsc"), s, custom));
    EXPECT_EQ(s.style, kStyleAlternate);
    EXPECT_EQ(s.logoPath.view(), "C:\\Logos\\club.bmp");
    EXPECT_EQ(s.fonts[0].face.view(), "Arial Black");
    EXPECT_EQ(s.fonts[13].face.view(), "Arial");
    EXPECT_EQ(s.fonts[2].height, -13);
    EXPECT_EQ(s.fonts[1].weight, 700);
    EXPECT_EQ(s.fonts[1].italic, 1);
    EXPECT_EQ(s.fonts[13].underline, 1);
    EXPECT_EQ(s.fontColours[2], 255);
    EXPECT_EQ(s.colours[0], 14471368);
    EXPECT_EQ(s.colours[12], 12000);
    EXPECT_EQ(s.widths[1], 200);
    EXPECT_EQ(custom[15], 123);
    ASSERT_TRUE(WriteDisplaySettings(dir.file("out.rgsc"), s, custom));
    EXPECT_TRUE(SameBytes(ReadBytes(dir.file("out.rgsc")), fixture));
  }
}

// The board's geometry adds and scales widths and font heights: a hand-edited file keeps them
// within what a column and a screen can be.
TEST(DisplaySettingsFile, WidthsAndFontHeightsAreKeptWithinTheirRange) {
  TempDir dir;
  DisplaySettings written;
  written.widths = {-1, 0, 999, 1000, INT32_MAX, INT32_MIN, 40, 200, 90, 90, 70};
  written.fonts[0].height = INT32_MIN;
  written.fonts[1].height = -13;
  written.fonts[2].height = 1601;
  written.fonts[3].height = INT32_MAX;
  CustomColours custom{};
  ASSERT_TRUE(WriteDisplaySettings(dir.file("d.rgsc"), written, custom));
  DisplaySettings s;
  ASSERT_TRUE(ReadDisplaySettings(dir.file("d.rgsc"), s, custom));
  EXPECT_EQ(s.widths, (std::array<int32_t, kBoardColumns>{0, 0, 999, 999, 999, 0, 40, 200, 90, 90, 70}));
  EXPECT_EQ(s.fonts[0].height, -kMaxFontHeight);
  EXPECT_EQ(s.fonts[1].height, -13);
  EXPECT_EQ(s.fonts[2].height, kMaxFontHeight);
  EXPECT_EQ(s.fonts[3].height, kMaxFontHeight);
}

TEST(DisplaySettingsFile, EmptyLogoAndShorterFacesLeaveNoTrace) {
  TempDir dir;
  WriteBytes(dir.file("long.rgsc"),
             DisplayFixture("C:\\Logos\\very long logo path.bmp", "Liberation Sans Narrow"));
  const std::string shortFile = DisplayFixture("", "Tahoma");
  WriteBytes(dir.file("short.scrn2"), shortFile);
  DisplaySettings s;
  CustomColours custom{};
  ASSERT_TRUE(ReadDisplaySettings(dir.file("long.rgsc"), s, custom));
  ASSERT_TRUE(ReadDisplaySettings(dir.file("short.scrn2"), s, custom));
  EXPECT_TRUE(s.logoPath.empty());
  EXPECT_EQ(s.fonts[0].face.view(), "Tahoma");
  ASSERT_TRUE(WriteDisplaySettings(dir.file("out.rgsc"), s, custom));
  EXPECT_TRUE(SameBytes(ReadBytes(dir.file("out.rgsc")), shortFile));  // line 2 a lone TAB
}

// The additional live screen reads the logo alone; a path too long for its field is no logo
// rather than the name of another file.
TEST(DisplaySettingsFile, TheLogoAloneIsReadWithinItsField) {
  TempDir dir;
  const std::string longest(259, 'a');
  struct Case {
    std::string bytes;
    std::string expected;
  };
  const Case cases[] = {
      {DisplayFixture("C:\\Logos\\club.jpg", "Arial"), "C:\\Logos\\club.jpg"},
      {WithoutCr(DisplayFixture("logo.bmp", "Arial")), "logo.bmp"},
      {DisplayFixture("", "Arial"), ""},
      {DisplayFixture(longest, "Arial"), longest},
      {DisplayFixture(longest + "b", "Arial"), ""},
      {DisplayFixture(longest + "bcd", "Arial"), ""},
      {"1\t\r\n", ""},
      {"1", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 30));
    WriteBytes(dir.file("d.rgsc"), c.bytes);
    FixedText<260> logo("previous");
    ASSERT_TRUE(ReadDisplaySettingsLogo(dir.file("d.rgsc"), logo));
    EXPECT_EQ(logo.view(), c.expected);
  }
  FixedText<260> logo("previous");
  EXPECT_FALSE(ReadDisplaySettingsLogo(dir.file("missing.rgsc"), logo));
  EXPECT_TRUE(logo.empty());
}

TEST(DisplaySettingsFile, AFileCutShortKeepsWhatItDoesNotReach) {
  TempDir dir;
  const std::string full = DisplayFixture("", "Arial");
  // The first three lines and half of the fourth: the heights of fonts 0 and 1 only.
  std::size_t cut = 0;
  for (int line = 0; line < 3; ++line) cut = full.find("\r\n", cut) + 2;
  WriteBytes(dir.file("d.rgsc"), full.substr(0, cut) + "-20\t-30");
  DisplaySettings s;
  for (auto& font : s.fonts) font.height = 99;
  s.widths[4] = 77;
  CustomColours custom{};
  custom[0] = 5;
  ASSERT_TRUE(ReadDisplaySettings(dir.file("d.rgsc"), s, custom));
  EXPECT_EQ(s.style, 2);
  EXPECT_EQ(s.fonts[0].height, -20);
  EXPECT_EQ(s.fonts[1].height, -30);
  EXPECT_EQ(s.fonts[2].height, 99);
  EXPECT_EQ(s.widths[4], 77);
  EXPECT_EQ(custom[0], 5);

  DisplaySettings untouched;
  untouched.style = 1;
  EXPECT_FALSE(ReadDisplaySettings(dir.file("none.rgsc"), untouched, custom));
  EXPECT_EQ(untouched.style, 1);
}

TEST(InterfaceSettingsFile, RoundTrip) {
  TempDir dir;
  const std::string fixture = "COM12\t0\tZentrikKV2Bluetooth\r\n";
  for (const std::string& bytes : {fixture, WithoutCr(fixture)}) {
    WriteBytes(dir.file("i.rg"), bytes);
    InterfaceSettings s;
    s.connected = 1;
    ASSERT_TRUE(ReadInterfaceSettings(dir.file("i.rg"), s));
    EXPECT_EQ(s.portName.view(), "COM12");
    EXPECT_EQ(s.connected, 0);
    EXPECT_EQ(s.decoderKind.view(), "ZentrikKV2Bluetooth");
    ASSERT_TRUE(WriteInterfaceSettings(dir.file("out.rg"), s));
    EXPECT_TRUE(SameBytes(ReadBytes(dir.file("out.rg")), fixture));
  }
  InterfaceSettings s;
  s.portName = "COM3";
  EXPECT_FALSE(ReadInterfaceSettings(dir.file("none.rg"), s));
  EXPECT_EQ(s.portName.view(), "COM3");
  EXPECT_FALSE(WriteInterfaceSettings(dir.file("no/folder.rg"), s));

  // A port name too long for its field is refused (left empty, so the port cannot open), never
  // cut into the name of another port.
  WriteBytes(dir.file("long.rg"), "COM123456\t1\tZentrikKV2\r\n");
  ASSERT_TRUE(ReadInterfaceSettings(dir.file("long.rg"), s));
  EXPECT_TRUE(s.portName.empty());
  EXPECT_EQ(s.connected, 1);
  EXPECT_EQ(s.decoderKind.view(), "ZentrikKV2");
}

}  // namespace
}  // namespace zd
