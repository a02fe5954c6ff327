#include <gtest/gtest.h>

#include "../files/test_support.h"
#include "files/settings.h"
#include "live/board_style.h"
#include "live/display_settings_form.h"
#include "live/sound_settings_form.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const char* const kAllOn =
    "SONLANGUEFrancais\r\nSONDECOMPTEoui\r\nSONDEPARToui\r\nSONPASSAGEoui\r\n"
    "SONMEILLEURTOURoui\r\nSONHORLOGEoui\r\nSONFINCOURSEoui\r\nSONFINVOITUREMOTOoui\r\n"
    "SONHORLOGEREPOSoui\r\n";

SoundSettings ReadSounds(const TempDir& dir, const std::string& bytes) {
  WriteBytes(dir.file("sons.rg"), bytes);
  SoundSettings s;
  EXPECT_TRUE(ReadSoundSettings(dir.file("sons.rg"), s));
  return s;
}

TEST(SoundSettingsForm, LanguageRadioOfLineOneAndWhatIsWrittenBack) {
  struct Case {
    const char* line1;
    SoundLanguageChoice checked;
  };
  const Case cases[] = {
      {"SONLANGUEAnglais", kSoundChoiceEnglish}, {"SONLANGUEFrancais", kSoundChoiceFrench},
      {"SONLANGUEPersonn.", kSoundChoiceCustom}, {"SONLANGUEKlingon", kSoundChoiceCustom},
      {"sonlangueanglais", kSoundChoiceCustom},
  };
  TempDir dir;
  const std::string rest = std::string(kAllOn).substr(std::string(kAllOn).find("\r\n") + 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line1);
    const std::string file = std::string(c.line1) + "\r\n" + rest;
    SoundSettings s = ReadSounds(dir, file);
    EXPECT_EQ(CheckedSoundLanguage(s), c.checked);
    // Untouched, the word goes back as it came.
    ASSERT_TRUE(WriteSoundSettings(dir.file("out.rg"), s));
    EXPECT_EQ(ReadBytes(dir.file("out.rg")), file);
    // A radio clicked writes its own keyword.
    ChooseSoundLanguage(s, kSoundChoiceEnglish);
    EXPECT_EQ(s.lines[kSoundLanguage], "SONLANGUEAnglais");
    EXPECT_EQ(CheckedSoundLanguage(s), kSoundChoiceEnglish);
  }
  SoundSettings s;
  ChooseSoundLanguage(s, kSoundChoiceCustom);
  EXPECT_EQ(s.lines[kSoundLanguage], "SONLANGUEPersonn.");
}

TEST(SoundSettingsForm, ABoxIsCheckedOnlyByItsOuiKeyword) {
  TempDir dir;
  const SoundSettings on = ReadSounds(dir, kAllOn);
  for (int line = kSoundCountdown; line < kSoundLines; ++line) {
    EXPECT_TRUE(SoundSwitchChecked(on, line)) << line;
  }
  EXPECT_FALSE(SoundSwitchChecked(on, kSoundLanguage));
  const SoundSettings odd = ReadSounds(
      dir, "SONLANGUEAnglais\r\nSONDECOMPTEnon\r\nSONDEPARTautre\r\nSONPASSAGEOUI\r\n\r\n");
  EXPECT_FALSE(SoundSwitchChecked(odd, kSoundCountdown));
  EXPECT_FALSE(SoundSwitchChecked(odd, kSoundStart));
  EXPECT_FALSE(SoundSwitchChecked(odd, kSoundPassing));  // case matters
  EXPECT_FALSE(SoundSwitchChecked(odd, kSoundBestLap));
}

TEST(SoundSettingsForm, ABoxClickedStoresTheKeywordOfItsFinalState) {
  for (int line = kSoundCountdown; line < kSoundLines; ++line) {
    SCOPED_TRACE(line);
    SoundSettings s;
    s.lines[static_cast<std::size_t>(line)].assign("SONPASSAGEOUI");
    SetSoundSwitch(s, line, true);
    SetSoundSwitch(s, line, false);
    EXPECT_EQ(s.lines[static_cast<std::size_t>(line)], kSoundSwitches[static_cast<std::size_t>(line)].off);
    SetSoundSwitch(s, line, true);
    // The longest keyword fills its line's buffer whole.
    EXPECT_EQ(s.lines[static_cast<std::size_t>(line)], kSoundSwitches[static_cast<std::size_t>(line)].on);
    EXPECT_TRUE(SoundSwitchChecked(s, line));
  }
}

// Without a file the dialog shows the custom sounds and every box unchecked; "Ok" after one click
// writes a keyword on every line, so that each reads back in its own place.
TEST(SoundSettingsForm, OkAfterAMissingFileWritesEveryLineAsShown) {
  TempDir dir;
  SoundSettings s;
  EXPECT_EQ(CheckedSoundLanguage(s), kSoundChoiceCustom);
  SetSoundSwitch(s, kSoundPassing, true);
  CompleteSoundSettings(s);
  ASSERT_TRUE(WriteSoundSettings(dir.file("out.rg"), s));
  const SoundSettings back = ReadSounds(dir, ReadBytes(dir.file("out.rg")));
  EXPECT_EQ(back.lines[kSoundLanguage], kSoundLanguageCustom);
  for (int line = kSoundCountdown; line < kSoundLines; ++line) {
    EXPECT_EQ(SoundSwitchChecked(back, line), line == kSoundPassing) << line;
    EXPECT_EQ(back.lines[static_cast<std::size_t>(line)],
              line == kSoundPassing ? kSoundSwitches[kSoundPassing].on
                                    : kSoundSwitches[static_cast<std::size_t>(line)].off)
        << line;
  }
  // A word the dialog does not know stays as it was.
  SoundSettings odd = ReadSounds(dir, "SONLANGUEKlingon\r\nSONDECOMPTEOUI\r\n");
  CompleteSoundSettings(odd);
  EXPECT_EQ(odd.lines[kSoundLanguage], "SONLANGUEKlingon");
  EXPECT_EQ(odd.lines[kSoundCountdown], "SONDECOMPTEOUI");
  EXPECT_EQ(odd.lines[kSoundStart], kSoundSwitches[kSoundStart].off);
}

TEST(CustomSoundsForm, ItemTextsAndTheSlotsTheyName) {
  const std::vector<std::string>& texts = CustomSoundItemTexts();
  ASSERT_EQ(texts.size(), static_cast<std::size_t>(kCustomSoundCount));
  struct Case {
    int group, item, slot;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, 0, "Départ"},
      {0, 3, 3, "Tour rejeté"},
      {1, 0, 4, "Arrivée dans 2 tours"},
      {1, 2, 6, "Fin de course n°1"},
      {1, 51, 55, "Fin de course n°50"},
      {2, 3, 59, "  5 minutes avant départ"},
      {2, 12, 68, "un"},
      {3, 3, 72, "Temps écoulé"},
      {4, 6, 79, "  Repos écoulé"},
      {5, 0, 80, "Début scan"},
      {5, 3, 83, "Scan n°1"},
      {5, 52, 132, "Scan n°50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CustomSoundSlot(c.group, c.item), c.slot);
    EXPECT_EQ(texts[static_cast<std::size_t>(c.slot)], c.text);
    const std::vector<std::string_view> items = CustomSoundGroupItems(c.group);
    ASSERT_LT(static_cast<std::size_t>(c.item), items.size());
    EXPECT_EQ(items[static_cast<std::size_t>(c.item)], c.text);
  }
  // Past a group's last item, or no group at all.
  EXPECT_EQ(CustomSoundSlot(0, 4), -1);
  EXPECT_EQ(CustomSoundSlot(1, -1), -1);
  EXPECT_EQ(CustomSoundSlot(6, 0), -1);
  std::size_t listed = 0;
  for (int g = 0; g < kCustomSoundGroupCount; ++g) listed += CustomSoundGroupItems(g).size();
  EXPECT_EQ(listed, texts.size());
}

TEST(DisplaySettingsForm, ZonesAreHitStrictlyInsideInTheirOrder) {
  const DisplayZones z = TemplateDisplayZones();
  struct Case {
    int32_t x, y;
    ZoneHit hit;
  };
  const Case cases[] = {
      {351, 116, {ZoneKind::Logo, 0}},   {546, 164, {ZoneKind::Logo, 0}},
      {350, 140, {}},                    {547, 140, {}},
      {400, 115, {}},                    {400, 165, {}},
      {201, 86, {ZoneKind::Colour, 0}},  {239, 134, {ZoneKind::Colour, 1}},
      {220, 355, {}},                    {270, 445, {ZoneKind::Colour, 11}},
      {345, 445, {ZoneKind::Colour, 12}}, {300, 445, {}},
      {260, 225, {ZoneKind::Font, 0}},   {339, 264, {ZoneKind::Font, 1}},
      {345, 415, {ZoneKind::Font, 2}},   {345, 510, {ZoneKind::Font, 3}},
      {245, 225, {}},                    {-5, -5, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    EXPECT_EQ(HitDisplayZone(z, c.x, c.y), c.hit);
  }
  EXPECT_EQ(FontOfZone(2, 7), kFontTableLabel);
  EXPECT_EQ(FontOfZone(3, 7), kFirstColumnFont + 7);
}

TEST(DisplaySettingsForm, WidthEditAndItsButtonsKeepWithinTheirRange) {
  struct Case {
    int32_t width;
    const char* shown;
    int32_t plus, minus;
  };
  const Case cases[] = {
      {0, "0", 1, 0}, {1, "1", 2, 0}, {998, "998", 999, 997}, {999, "999", 999, 998},
      // Beyond the range, shown whole; "+" leaves it and "-" brings it back within.
      {1000, "1000", 1000, 999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    EXPECT_EQ(WidthText(c.width), c.shown);
    EXPECT_EQ(WidthPlusOne(c.width), c.plus);
    EXPECT_EQ(WidthMinusOne(c.width), c.minus);
  }
  EXPECT_EQ(TypedWidth(""), 0);
  EXPECT_EQ(TypedWidth("042"), 42);
  EXPECT_EQ(TypedWidth("999"), 999);
  EXPECT_EQ(TypedWidth("1000"), 100);  // the edit takes three digits
}

TEST(DisplaySettingsForm, AnyStoredStyleChecksARadioAndIsWrittenBackAsItIs) {
  EXPECT_EQ(CheckedStyleRadio(kStyleGradient), 0);
  EXPECT_EQ(CheckedStyleRadio(kStyleRelief), 1);
  EXPECT_EQ(CheckedStyleRadio(kStyleAlternate), 2);
  EXPECT_EQ(CheckedStyleRadio(5), 2);
  EXPECT_EQ(CheckedStyleRadio(-1), 2);
  TempDir dir;
  DisplaySettings s;
  s.style = 5;
  CustomColours custom{};
  ASSERT_TRUE(WriteDisplaySettings(dir.file("a.scrn2"), s, custom));
  DisplaySettings read;
  ASSERT_TRUE(ReadDisplaySettingsInto(dir.file("a.scrn2"), read, custom));
  EXPECT_EQ(read.style, 5);
}

TEST(DisplaySettingsForm, ExportNameGetsItsExtensionUnlessItHoldsIt) {
  const std::string prefill = DisplayExportPrefill("C:\\Data");
  EXPECT_EQ(prefill, "C:\\Data\\*.scrn2");
  struct Case {
    std::string chosen;
    std::optional<std::string> written;
  };
  const Case cases[] = {
      {"C:\\x\\board", "C:\\x\\board.scrn2"},
      {"C:\\x\\board.scrn2", "C:\\x\\board.scrn2"},
      {"C:\\x\\board.scrn2.old", "C:\\x\\board.scrn2.old"},
      {"C:\\x\\board.SCRN2", "C:\\x\\board.SCRN2.scrn2"},
      {prefill, std::nullopt},
      {"", std::nullopt},
      // Within the path buffer once the extension is on, or refused.
      {std::string(253, 'a'), std::string(253, 'a') + ".scrn2"},
      {std::string(254, 'a'), std::string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(DisplayExportPath(c.chosen, prefill), c.written);
  }
}

TEST(DisplaySettingsForm, AnImportReplacesTheSettingsOnlyWhenTheFileIsRead) {
  TempDir dir;
  DisplaySettings imported;
  imported.style = 1;
  imported.fonts[0].face.assign("Courier");
  imported.logoPath.assign("logo.bmp");
  imported.widths[3] = 77;
  CustomColours importedCustom{};
  importedCustom[15] = 0x123456;
  ASSERT_TRUE(WriteDisplaySettings(dir.file("in.scrn2"), imported, importedCustom));

  DisplaySettings s;
  s.fonts[0].face.assign("Arial Black");
  s.fonts[1].face.assign("Tahoma");
  s.logoPath.assign("old.jpg");
  s.widths[3] = 12;
  CustomColours custom{};
  custom[0] = 0xFF;
  EXPECT_FALSE(ReadDisplaySettingsInto(dir.file("missing.scrn2"), s, custom));
  EXPECT_EQ(s.fonts[0].face, "Arial Black");
  EXPECT_EQ(s.logoPath, "old.jpg");
  EXPECT_EQ(s.widths[3], 12);
  EXPECT_EQ(custom[0], 0xFF);

  ASSERT_TRUE(ReadDisplaySettingsInto(dir.file("in.scrn2"), s, custom));
  EXPECT_EQ(s.style, 1);
  EXPECT_EQ(s.fonts[0].face, "Courier");  // not "Courierlack": the old face was cleared
  EXPECT_EQ(s.fonts[1].face, "");
  EXPECT_EQ(s.logoPath, "logo.bmp");
  EXPECT_EQ(s.widths[3], 77);
  EXPECT_EQ(custom, importedCustom);
}

TEST(DisplaySettingsForm, GradientRowsOfAZoneTwentyPixelsHigh) {
  // Red falls by 200, green rises by 100 and blue by 255: MulDiv rounds each channel's step.
  const int32_t first = Rgb(250, 0, 0);
  const int32_t second = Rgb(50, 100, 255);
  const std::vector<int32_t> rows = PreviewGradientRows(first, second, 20);
  ASSERT_EQ(rows.size(), 20u);
  EXPECT_EQ(rows[0], first);
  EXPECT_EQ(rows[1], Rgb(240, 5, 13));    // 255/20 = 12.75 rounds to 13
  EXPECT_EQ(rows[10], Rgb(150, 50, 128));  // 127.5 rounds away from zero
  EXPECT_EQ(rows[19], Rgb(60, 95, 242));  // one step short of the second colour
  EXPECT_TRUE(PreviewGradientRows(first, second, 0).empty());
}

}  // namespace
}  // namespace zd
