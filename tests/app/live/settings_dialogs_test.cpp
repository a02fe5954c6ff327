// The sound, custom sounds and display settings dialogs driven by messages as their user would,
// the files they write compared byte for byte, and their answers through the main window.

#include "gtest_win32.h"

#include <string>

#include "databases/dialog_driver.h"
#include "files/factory_settings.h"
#include "files/settings.h"
#include "live/board_canvas.h"
#include "live/board_style.h"
#include "live/settings_choosers.h"
#include "live/settings_dialogs.h"
#include "main/chooser_answer.h"
#include "main/main_window_state.h"

namespace {

using zd_test::ChooserAnswer;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::WriteWindowsFile;
using zd_test::SameBytes;
using zd_test::dialogs::Click;
using zd_test::dialogs::DatabaseDialogTest;
using zd_test::dialogs::DialogDriver;
using zd_test::dialogs::Text;

constexpr int kSoundCommand = 1020;
constexpr int kDisplayCommand = 1021;
constexpr const char* kSoundCaption = "Options du son";
constexpr const char* kCustomCaption = "Choix des sons pesronnalisés";
constexpr const char* kDisplayCaption = "Options d'affichage";
// The font of the club column.
constexpr std::size_t kClubFont = zd::kFirstColumnFont + static_cast<int>(zd::kColumnClub);
constexpr int kTransponderFont = zd::kFirstColumnFont + static_cast<int>(zd::kColumnTransponder);

void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }
bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }

void SelectItem(HWND d, int combo, int item) {
  SendDlgItemMessageA(d, combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(d, combo)));
}

void DoubleClick(HWND d, const zd::ZoneRect& z, UINT message = WM_LBUTTONDBLCLK) {
  SendMessageA(d, message, 0, MAKELPARAM((z.left + z.right) / 2, (z.top + z.bottom) / 2));
}

// A line with every word other than its "oui", a language word of no radio, and a line the
// dialog leaves alone.
const char* const kSounds =
    "SONLANGUEKlingon\r\nSONDECOMPTEoui\r\nSONDEPARTnon\r\nSONPASSAGEOUI\r\n"
    "SONMEILLEURTOURoui\r\nSONHORLOGEnon\r\nSONFINCOURSEoui\r\nSONFINVOITUREMOTOoui\r\n"
    "SONHORLOGEREPOSnon\r\n";

std::string CustomSoundsFile(const std::string& slot55) {
  std::string bytes;
  for (int slot = 0; slot < zd::kCustomSoundCount; ++slot) {
    if (slot == 0) bytes += "C:\\sons\\depart.wav";
    if (slot == 55) bytes += slot55;
    bytes += "\r\n";
  }
  return bytes;
}

class SettingsDialogs : public DatabaseDialogTest {
 protected:
  SettingsDialogs()
      : DatabaseDialogTest({zd::kSoundSettingsFile, zd::kCustomSoundsFile, zd::kDisplaySettingsFile}) {}

  // The display settings file of these tests: the factory's, with a logo that does not exist.
  static zd::DisplaySettings Fixture() {
    zd::DisplaySettings s = zd::FactoryDisplaySettings();
    s.logoPath.assign("Images\\absent.bmp");
    return s;
  }
  static std::string DisplayBytes(const std::string& path, const zd::DisplaySettings& s,
                                  const zd::CustomColours& custom) {
    EXPECT_TRUE(zd::WriteDisplaySettings(path, s, custom));
    return ReadWindowsFile(path);
  }
  std::string DisplayFixture(const zd::DisplaySettings& s) {
    return DisplayBytes(Outside("expected.rgsc"), s, zd::FactoryCustomColours());
  }

  void WithDisplayDialog(const std::function<void(HWND)>& act) {
    DialogDriver driver(kDisplayCaption, 4104, act);
    zd::OpenDisplaySettingsDialog(window);
    EXPECT_TRUE(driver.acted());
  }
};

TEST_F(SettingsDialogs, SoundClicksAndOkWriteTheFileAndTheMainWindowReadsIt) {
  SetWorking(zd::kSoundSettingsFile, kSounds);
  WithDialog(kSoundCommand, kSoundCaption, 4001, [&](HWND d) {
    EXPECT_TRUE(Checked(d, 4003));  // a word of no radio
    EXPECT_TRUE(Checked(d, 4004));
    EXPECT_FALSE(Checked(d, 4005));
    EXPECT_FALSE(Checked(d, 4006));  // "SONPASSAGEOUI": case matters
    Press(d, 4006);
    Press(d, 4007);
    Press(d, 4007);  // twice: back to checked
    Press(d, 4009);
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  const std::string written =
      "SONLANGUEKlingon\r\nSONDECOMPTEoui\r\nSONDEPARTnon\r\nSONPASSAGEoui\r\n"
      "SONMEILLEURTOURoui\r\nSONHORLOGEnon\r\nSONFINCOURSEnon\r\nSONFINVOITUREMOTOoui\r\n"
      "SONHORLOGEREPOSnon\r\n";
  EXPECT_TRUE(SameBytes(Working(zd::kSoundSettingsFile), written));
  EXPECT_TRUE(boxes.empty());
  // The main window read the file back.
  EXPECT_EQ(zd::MainState().sounds.lines[zd::kSoundPassing], "SONPASSAGEoui");
  EXPECT_EQ(zd::MainState().sounds.lines[zd::kSoundLanguage], "SONLANGUEKlingon");

  WithDialog(kSoundCommand, kSoundCaption, 4001, [&](HWND d) {
    EXPECT_TRUE(Checked(d, 4006));
    Press(d, 4001);
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kSoundSettingsFile), "SONLANGUEAnglais" + written.substr(16)));
}

TEST_F(SettingsDialogs, SoundEchapLeavesTheFileButKeepsConfirmedCustomSounds) {
  SetWorking(zd::kSoundSettingsFile, kSounds);
  SetWorking(zd::kCustomSoundsFile, CustomSoundsFile(""));
  const std::string wave = Outside("bell.wav");
  ASSERT_TRUE(WriteWindowsFile(wave, "RIFF"));
  WithDialog(kSoundCommand, kSoundCaption, 4001, [&](HWND d) {
    Press(d, 4002);
    Press(d, 4004);
    DialogDriver custom(kCustomCaption, 4045, [&](HWND c) {
      EXPECT_EQ(Text(c, 4042), "C:\\sons\\depart.wav");
      // The last "Fin de Course" item names slot 55.
      SelectItem(c, 4045, 51);
      char item[64] = {};
      SendDlgItemMessageA(c, 4045, CB_GETLBTEXT, 51, reinterpret_cast<LPARAM>(item));
      EXPECT_STREQ(item, "Fin de course n°50");
      ChooserAnswer answer(wave);
      Click(c, 4047);
      EXPECT_TRUE(answer.answered());
      EXPECT_EQ(answer.shownFilter(), "Sons (.wav)");
      EXPECT_EQ(Text(c, 4046), wave);
      EXPECT_TRUE(zd_test::dialogs::PressOk(c));
    });
    Click(d, 4012);
    EXPECT_TRUE(custom.acted());
    Click(d, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kSoundSettingsFile), kSounds));
  EXPECT_TRUE(SameBytes(Working(zd::kCustomSoundsFile), CustomSoundsFile(wave)));
  EXPECT_EQ(zd::MainState().customSounds[55], wave);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogs, CustomSoundsReopenOnTheFirstItemAndEchapWritesNothing) {
  SetWorking(zd::kCustomSoundsFile, CustomSoundsFile("C:\\sons\\fin50.wav"));
  WithDialog(kSoundCommand, kSoundCaption, 4001, [&](HWND d) {
    DialogDriver custom(kCustomCaption, 4045, [&](HWND c) {
      SelectItem(c, 4045, 51);
      EXPECT_EQ(Text(c, 4046), "C:\\sons\\fin50.wav");
      // The "Scan transpondeurs" list starts on its first item, with nothing chosen.
      EXPECT_EQ(SendDlgItemMessageA(c, 4061, CB_GETCURSEL, 0, 0), 0);
      EXPECT_EQ(SendDlgItemMessageA(c, 4061, CB_GETCOUNT, 0, 0), 53);
      ChooserAnswer cancel("");
      Click(c, 4047);
      EXPECT_TRUE(cancel.answered());
      EXPECT_EQ(Text(c, 4046), "C:\\sons\\fin50.wav");
      Click(c, IDCANCEL);
    });
    Click(d, 4012);
    DialogDriver again(kCustomCaption, 4045, [&](HWND c) {
      EXPECT_EQ(SendDlgItemMessageA(c, 4045, CB_GETCURSEL, 0, 0), 0);
      EXPECT_EQ(Text(c, 4046), "");  // slot 4
      Click(c, IDCANCEL);
    });
    Click(d, 4012);
    EXPECT_TRUE(again.acted());
    Click(d, IDCANCEL);
  });
  EXPECT_TRUE(SameBytes(Working(zd::kCustomSoundsFile), CustomSoundsFile("C:\\sons\\fin50.wav")));
}

TEST_F(SettingsDialogs, MissingSoundFilesAreSaidAndOkThatCannotWriteStaysOpen) {
  // A file that another program holds shut can be neither read nor replaced.
  SetWorking(zd::kSoundSettingsFile, kSounds);
  HANDLE hold = CreateFileA(InDataFolder(zd::kSoundSettingsFile).c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  WithDialog(kSoundCommand, kSoundCaption, 4001, [&](HWND d) {
    EXPECT_TRUE(Checked(d, 4003));
    EXPECT_FALSE(Checked(d, 4004));
    Press(d, 4001);
    Click(d, IDOK);
    EXPECT_TRUE(IsWindowVisible(d));
    Click(d, IDCANCEL);
  });
  CloseHandle(hold);
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error: Sound settings file not found");
  EXPECT_EQ(boxes[1].text, "Error: Sound settings file not found");
  EXPECT_TRUE(SameBytes(Working(zd::kSoundSettingsFile), kSounds));
}

TEST_F(SettingsDialogs, DisplayColourFontWidthAndStyleThenOk) {
  const zd::DisplaySettings fixture = Fixture();
  SetWorking(zd::kDisplaySettingsFile, DisplayFixture(fixture));
  zd::SetColourAnswerer([](int32_t& colour, zd::CustomColours& custom) {
    colour = zd::Rgb(1, 2, 3);
    custom[4] = zd::Rgb(9, 9, 9);
    return true;
  });
  zd::FontSizeLimits offered{};
  zd::SetFontAnswerer([&](zd::BoardFont& font, int32_t& colour, zd::FontSizeLimits sizes) {
    offered = sizes;
    font.face.assign("Courier New");
    font.height = -27;
    font.weight = 700;
    font.italic = 1;
    colour = zd::Rgb(200, 0, 0);
    return true;
  });
  WithDisplayDialog([&](HWND d) {
    const zd::DisplayZones zones = zd::DialogDisplayZones(d);
    DoubleClick(d, zones.colours[zd::kColourRadioConflict]);
    SelectItem(d, 4104, zd::kColumnClub);
    EXPECT_EQ(Text(d, 4105), std::to_string(fixture.widths[zd::kColumnClub]));
    DoubleClick(d, zones.fonts[3]);
    Press(d, 4106);
    Press(d, 4106);
    Press(d, 4107);
    Press(d, 4102);
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  zd::SetColourAnswerer({});
  zd::SetFontAnswerer({});
  EXPECT_EQ(offered.max, 50);
  zd::DisplaySettings expected = fixture;
  expected.colours[zd::kColourRadioConflict] = zd::Rgb(1, 2, 3);
  zd::BoardFont& font = expected.fonts[kClubFont];
  font.face.clear();
  font.face.assign("Courier New");
  font.height = -27;
  font.weight = 700;
  font.italic = 1;
  expected.fontColours[kClubFont] = zd::Rgb(200, 0, 0);
  expected.widths[zd::kColumnClub] += 1;
  expected.style = zd::kStyleRelief;
  zd::CustomColours custom = zd::FactoryCustomColours();
  custom[4] = zd::Rgb(9, 9, 9);
  EXPECT_TRUE(SameBytes(Working(zd::kDisplaySettingsFile),
                        DisplayBytes(Outside("expected2.rgsc"), expected, custom)));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogs, DisplayExportThenImportGiveTheSameFile) {
  zd::DisplaySettings fixture = Fixture();
  fixture.style = 5;  // checks "style alterné", written back as it is
  const std::string bytes = DisplayFixture(fixture);
  SetWorking(zd::kDisplaySettingsFile, bytes);
  WithDisplayDialog([&](HWND d) {
    EXPECT_TRUE(Checked(d, 4103));
    {
      ChooserAnswer answer(Outside("board"));
      Click(d, 4109);
      EXPECT_TRUE(answer.answered());
      EXPECT_EQ(answer.shownFilter(), "Fichier affichage (.scrn2)");
    }
    SelectItem(d, 4104, zd::kColumnLaps);
    Press(d, 4107);
    Press(d, 4101);
    DoubleClick(d, zd::DialogDisplayZones(d).logo, WM_RBUTTONDBLCLK);
    {
      ChooserAnswer answer(Outside("board.scrn2"));
      Click(d, 4108);
      EXPECT_TRUE(answer.answered());
    }
    // The import shows the first column again.
    EXPECT_EQ(SendDlgItemMessageA(d, 4104, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(d, 4105), std::to_string(fixture.widths[0]));
    EXPECT_TRUE(Checked(d, 4103));
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  EXPECT_TRUE(SameBytes(ReadWindowsFile(Outside("board.scrn2")), bytes));
  EXPECT_TRUE(SameBytes(Working(zd::kDisplaySettingsFile), bytes));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsDialogs, DisplayFailedImportAndEchapLeaveTheFile) {
  const std::string bytes = DisplayFixture(Fixture());
  SetWorking(zd::kDisplaySettingsFile, bytes);
  const std::string locked = Outside("locked.scrn2");
  ASSERT_TRUE(WriteWindowsFile(locked, "0\r\n"));
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  WithDisplayDialog([&](HWND d) {
    ChooserAnswer answer(locked);
    Click(d, 4108);
    EXPECT_TRUE(answer.answered());
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  CloseHandle(hold);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error : Import file 'Display' not found");
  EXPECT_TRUE(SameBytes(Working(zd::kDisplaySettingsFile), bytes));

  WithDisplayDialog([&](HWND d) {
    Press(d, 4106);
    Press(d, 4101);
    Click(d, IDCANCEL);
  });
  EXPECT_TRUE(SameBytes(Working(zd::kDisplaySettingsFile), bytes));
}

TEST_F(SettingsDialogs, DisplayOkThatCannotWriteStaysOpenWithItsChanges) {
  const std::string bytes = DisplayFixture(Fixture());
  SetWorking(zd::kDisplaySettingsFile, bytes);
  // Held shut by another program: neither read at opening nor replaced by "Ok".
  HANDLE hold = CreateFileA(InDataFolder(zd::kDisplaySettingsFile).c_str(), GENERIC_READ, 0,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  WithDisplayDialog([&](HWND d) {
    Press(d, 4106);
    const std::string width = Text(d, 4105);
    Click(d, IDOK);
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_EQ(Text(d, 4105), width);
    // Let go, the same "Ok" writes what was set.
    CloseHandle(hold);
    hold = nullptr;
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  if (hold) CloseHandle(hold);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error: Display settings file not found");
  EXPECT_EQ(boxes[1].text, "Error: Display settings file not found");
  EXPECT_NE(Working(zd::kDisplaySettingsFile), bytes);
  zd::DisplaySettings written;
  zd::CustomColours custom{};
  ASSERT_TRUE(zd::ReadDisplaySettings(InDataFolder(zd::kDisplaySettingsFile), written, custom));
  EXPECT_EQ(written.widths[0], 1);  // the opening read nothing: 0, then "+"
}

TEST_F(SettingsDialogs, DisplayWidthThroughTheMainWindowMovesTheBoardColumns) {
  const int32_t before = zd::MainState().display.widths[zd::kColumnDriverName];
  const auto edges = zd::MainState().layout.edges;
  WithDialog(kDisplayCommand, kDisplayCaption, 4104, [&](HWND d) {
    SelectItem(d, 4104, zd::kColumnDriverName);
    // The user empties the edit, then types.
    SetDlgItemTextA(d, 4105, "");
    EXPECT_EQ(zd::MainState().display.widths[zd::kColumnDriverName], before);  // the dialog's own
    zd_test::dialogs::Type(d, 4105, std::to_string(before + 40));
    EXPECT_TRUE(zd_test::dialogs::PressOk(d));
  });
  zd::MainWindowState& s = zd::MainState();
  EXPECT_EQ(s.display.widths[zd::kColumnDriverName], before + 40);
  EXPECT_EQ(s.layoutWidths[zd::kColumnDriverName], before + 40);
  SendMessageA(window, WM_NULL, 0, 0);  // the layout is computed again before every message
  EXPECT_EQ(s.layout.edges[2] - s.layout.edges[1], before + 40);
  EXPECT_EQ(s.layout.edges[1], edges[1]);
  EXPECT_EQ(s.layout.edges[3], edges[3] + 40);

  // The user's setting outlives the program: closed and started again, it shows the new width.
  answers = {IDNO};
  SendMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_FALSE(IsWindow(window));
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  UnregisterClassA(zd::kMainWindowClass, GetModuleHandleA(nullptr));
  s.display.widths = {};
  window = zd::StartProgram(GetModuleHandleA(nullptr));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(zd::MainState().display.widths[zd::kColumnDriverName], before + 40);
}

// The preview on a memory picture, at two pixels per dialog unit.
TEST(DisplayPreview, FillsGradientsGridAndSamples) {
  zd_test::BoardCanvas canvas(600, 560, RGB(128, 128, 128));
  ASSERT_TRUE(canvas.valid());
  zd::DisplaySettings s{};
  for (int i = 0; i < zd::kBoardColours; ++i) s.colours[static_cast<std::size_t>(i)] = zd::Rgb(10 * i, 20, 30);
  s.colours[zd::kColourLabelFirst] = zd::Rgb(250, 0, 0);
  s.colours[zd::kColourLabelSecond] = zd::Rgb(50, 100, 255);
  s.colours[zd::kColourGrid] = zd::Rgb(0, 0, 255);
  for (int f = 0; f < zd::kBoardFonts; ++f) {
    s.fonts[static_cast<std::size_t>(f)].face.assign("Liberation Sans");
    s.fonts[static_cast<std::size_t>(f)].weight = 700;
    s.fontColours[static_cast<std::size_t>(f)] = zd::Rgb(255, 255, f);
  }
  const zd::DisplayZones z = zd::TemplateDisplayZones();
  zd::DrawDisplaySettingsPreview(canvas.dc(), z, s, zd::kColumnTransponder);

  // Frames one pixel outside, white inside where nothing else is drawn (the logo is missing).
  EXPECT_EQ(canvas.At(z.logo.left - 1, z.logo.top - 1), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(z.logo.right, z.logo.bottom), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(z.logo.left + 100, z.logo.top + 25), RGB(255, 255, 255));
  for (int i = 0; i < zd::kColourGrid; ++i) {
    const zd::ZoneRect& c = z.colours[static_cast<std::size_t>(i)];
    const RECT inside{c.left, c.top, c.right, c.bottom};
    EXPECT_EQ(canvas.Count(inside, static_cast<COLORREF>(s.colours[static_cast<std::size_t>(i)])),
              c.width() * c.height()) << i;
  }
  // The label gradient, row by row, left of its sample's text.
  const zd::ZoneRect& label = z.fonts[2];
  const std::vector<int32_t> rows = zd::PreviewGradientRows(s.colours[zd::kColourLabelFirst],
                                                            s.colours[zd::kColourLabelSecond], 20);
  ASSERT_EQ(rows.size(), 20u);
  for (int n : {0, 1, 10, 19}) {
    EXPECT_EQ(canvas.At(label.left + 1, label.top + n), static_cast<COLORREF>(rows[static_cast<std::size_t>(n)])) << n;
  }
  EXPECT_EQ(canvas.At(label.left + 1, label.bottom), RGB(0, 0, 0));  // the frame
  // The grid line, 3 pixels wide, across the wide swatch.
  const zd::ZoneRect& grid = z.colours[zd::kColourGrid];
  EXPECT_EQ(canvas.At(grid.left + 40, grid.top + 10), RGB(0, 0, 255));
  EXPECT_NE(canvas.At(grid.left + 40, grid.top + 14), RGB(0, 0, 255));
  // "AaBbYyZz" in each font zone, in its font's colour (the fourth: the selected column's).
  const int fonts[] = {0, 1, 2, kTransponderFont};
  for (int k = 0; k < zd::kFontZoneCount; ++k) {
    const zd::ZoneRect& f = z.fonts[static_cast<std::size_t>(k)];
    const COLORREF text = static_cast<COLORREF>(s.fontColours[static_cast<std::size_t>(fonts[k])]);
    EXPECT_GT(canvas.Count({f.left, f.top, f.right, f.bottom}, text), 30) << k;
  }
  EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/display_preview.png"));
}

// The real choosers, each confirmed with its OK button.
class ModalOk {
 public:
  ModalOk() {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &ModalOk::Tick);
  }
  ~ModalOk() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  bool pressed() const { return pressed_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalOk* self = active_;
    if (self == nullptr || self->pressed_) return;
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(dialog, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(dialog)) {
        self->pressed_ = true;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return;
      }
    }
  }
  static inline ModalOk* active_ = nullptr;
  UINT_PTR timer_ = 0;
  bool pressed_ = false;
};

TEST(SettingsChoosers, TheColourChooserConfirmedKeepsItsColour) {
  int32_t colour = zd::Rgb(12, 34, 56);
  zd::CustomColours custom{};
  custom[3] = zd::Rgb(7, 8, 9);
  ModalOk ok;
  EXPECT_TRUE(zd::ChooseColour(nullptr, colour, custom));
  EXPECT_TRUE(ok.pressed());
  EXPECT_EQ(colour, zd::Rgb(12, 34, 56));
  EXPECT_EQ(custom[3], zd::Rgb(7, 8, 9));
}

TEST(SettingsChoosers, TheFontChooserConfirmedGivesItsFont) {
  zd::BoardFont font;
  font.face.assign("Liberation Sans");
  font.height = -24;
  font.weight = 700;
  font.underline = 1;
  int32_t colour = zd::Rgb(255, 0, 0);
  ModalOk ok;
  EXPECT_TRUE(zd::ChooseBoardFont(nullptr, font, colour, {0, 50}));
  EXPECT_TRUE(ok.pressed());
  EXPECT_EQ(font.face, "Liberation Sans");
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.underline, 1);
  EXPECT_LT(font.height, 0);
  EXPECT_EQ(colour, zd::Rgb(255, 0, 0));
}

// A look at the dialog as its user sees it, and the size of its dialog unit.
TEST_F(SettingsDialogs, DisplayDialogPicture) {
  SetWorking(zd::kDisplaySettingsFile, DisplayFixture(Fixture()));
  WithDisplayDialog([&](HWND d) {
    RECT unit{0, 0, 4, 8};
    MapDialogRect(d, &unit);
    std::printf("one dialog unit: %ld x %ld / 4 x 8 pixels\n", unit.right, unit.bottom);
    SetWindowPos(d, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(zd_test::RunShell("import -window root " +
                                  zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/display_dialog.png")));
    Click(d, IDCANCEL);
  });
}

}  // namespace
