#pragma once
// The operator's settings between runs: sounds ("RéglagesSons.rg"), the user's own sound files
// ("Private/SonsPerso.sopr"), the live board's appearance ("Private/RéglagesAffichage.rgsc" and
// ".scrn2" exports) and the decoder interface ("RéglagesInterface2.rg").
//
// Readers return false, changing nothing, when the file cannot be opened; a file that ends early
// leaves the fields it does not reach as they were. Text readers store exactly the text read.
// Writers rewrite the whole file through a temporary file and return false on any failure.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"

namespace zd {

inline constexpr const char* kSoundSettingsFile = "RéglagesSons.rg";
inline constexpr const char* kCustomSoundsFile = "Private/SonsPerso.sopr";
inline constexpr const char* kDisplaySettingsFile = "Private/RéglagesAffichage.rgsc";
inline constexpr const char* kInterfaceSettingsFile = "RéglagesInterface2.rg";

// Sound settings: nine lines, each one keyword, compared whole and case-sensitively.
enum SoundLine : int {
  kSoundLanguage = 0,     // where the sounds come from
  kSoundCountdown = 1,    // voice countdown before the start
  kSoundStart = 2,        // signal at the start
  kSoundPassing = 3,      // signal at each passing
  kSoundBestLap = 4,      // voice announcement of a new best lap
  kSoundRaceClock = 5,    // voice announcements of the race clock
  kSoundRaceEnd = 6,      // signal at the end of the series
  kSoundCarFinished = 7,  // voice announcement as each car finishes
  kSoundRestClock = 8,    // voice announcements of the rest between series
};
inline constexpr int kSoundLines = 9;
inline constexpr std::string_view kSoundLanguageEnglish = "SONLANGUEAnglais";
inline constexpr std::string_view kSoundLanguageFrench = "SONLANGUEFrancais";
inline constexpr std::string_view kSoundLanguageCustom = "SONLANGUEPersonn.";
// The "oui" and "non" keywords of lines 1 to 8 (index 0 is empty: that line has the three above).
struct SoundSwitchKeywords {
  std::string_view on;
  std::string_view off;
};
inline constexpr std::array<SoundSwitchKeywords, kSoundLines> kSoundSwitches = {{
    {"", ""},
    {"SONDECOMPTEoui", "SONDECOMPTEnon"},
    {"SONDEPARToui", "SONDEPARTnon"},
    {"SONPASSAGEoui", "SONPASSAGEnon"},
    {"SONMEILLEURTOURoui", "SONMEILLEURTOURnon"},
    {"SONHORLOGEoui", "SONHORLOGEnon"},
    {"SONFINCOURSEoui", "SONFINCOURSEnon"},
    {"SONFINVOITUREMOTOoui", "SONFINVOITUREMOTOnon"},
    {"SONHORLOGEREPOSoui", "SONHORLOGEREPOSnon"},
}};

struct SoundSettings {
  std::array<FixedText<21>, kSoundLines> lines;  // the longest keyword is 20 characters
};
// The nine words of the file into lines[0..8] in order, each ending at a blank, a TAB or a line
// end; the blanks and line ends between them, empty lines included, are skipped. A word longer
// than the field gives an empty text, which matches no keyword; a file that ends early keeps the
// texts it did not reach.
bool ReadSoundSettings(std::string_view path, SoundSettings& settings);
bool WriteSoundSettings(std::string_view path, const SoundSettings& settings);

// The user's own wave files, one path per sound event, in six groups of slots.
inline constexpr int kCustomSoundCount = 133;
struct CustomSoundGroup {
  int first;
  int count;
};
inline constexpr CustomSoundGroup kCustomSoundsRace{0, 4};
inline constexpr CustomSoundGroup kCustomSoundsRaceEnd{4, 52};
inline constexpr CustomSoundGroup kCustomSoundsCountdown{56, 13};
inline constexpr CustomSoundGroup kCustomSoundsRaceClock{69, 4};
inline constexpr CustomSoundGroup kCustomSoundsRest{73, 7};
inline constexpr CustomSoundGroup kCustomSoundsScan{80, 53};
using CustomSounds = std::array<FixedText<260>, kCustomSoundCount>;  // empty: no sound chosen

void ClearCustomSounds(CustomSounds& sounds);
// Line n into slot n, at most the 133 slots; an empty line leaves its slot empty.
bool ReadCustomSounds(std::string_view path, CustomSounds& sounds);
bool WriteCustomSounds(std::string_view path, const CustomSounds& sounds);

// The live board's appearance.
enum TableStyle : int32_t {
  kStyleGradient = 0,   // one gradient over the whole results table
  kStyleRelief = 1,     // the gradient restarted in every row
  kStyleAlternate = 2,  // rows alternate between the two result colours
};
inline constexpr int kBoardColumns = 11;  // "# Num" to "Transp."
// The series title, the radio conflict banner, the column labels, then one font per column.
inline constexpr int kBoardFonts = 14;
inline constexpr int kBoardColours = 13;

// BoardColumn: the columns whose width and font the settings hold; column c has width c and font
// kFirstColumnFont + c.
enum BoardColumn : int {
  kColumnNumber = 0,
  kColumnDriverName = 1,
  kColumnCategory = 2,
  kColumnClub = 3,
  kColumnLaps = 4,
  kColumnTotalTime = 5,
  kColumnGapToLeader = 6,
  kColumnGapToPrevious = 7,
  kColumnLastLap = 8,
  kColumnBestLap = 9,
  kColumnTransponder = 10,
};
enum BoardFontIndex : int {
  kFontSeriesTitle = 0,
  kFontRadioConflict = 1,
  kFontTableLabel = 2,
  kFirstColumnFont = 3,
};
// BoardColour: what each of the 13 colours paints.
enum BoardColour : int {
  kColourSoftwareBackground = 0,  // the main window, behind the clock and countdown panels
  kColourTreeBackground = 1,
  kColourTableBackground = 2,  // the board area behind the results table
  kColourSeriesTitle = 3,
  kColourRadioConflict = 4,
  kColourPassing = 5,       // a car that has just passed
  kColourSeriesBestLap = 6,  // the fastest lap of the series
  kColourDriverBestLap = 7,  // a driver's new best lap
  kColourLabelFirst = 8,    // column titles, gradient from
  kColourLabelSecond = 9,   // to
  kColourResultsFirst = 10,  // result rows, as the table style uses them
  kColourResultsSecond = 11,
  kColourGrid = 12,
};
inline constexpr int kCustomColourCount = 16;

// What the numbers of the display settings can mean; the reader keeps them within these. The
// widest column a drag or the file can make:
inline constexpr int32_t kMaxColumnWidth = 999;
// a glyph no taller than a square screen (the height's sign is the font chooser's own).
inline constexpr int32_t kMaxFontHeight = 1600;

struct BoardFont {
  FixedText<32> face;
  int32_t height = 0;  // as the font chooser gives it, in 1/1600 of the screen width
  int32_t weight = 0;  // 400 normal, 700 bold
  int32_t italic = 0;
  int32_t underline = 0;
  int32_t strikeOut = 0;
};

// Colours are Windows colour references: red + 256 * green + 65536 * blue.
struct DisplaySettings {
  int32_t style = kStyleGradient;
  std::array<int32_t, kBoardColumns> widths{};  // in 1/1600 of the screen width, 0 to 999
  std::array<BoardFont, kBoardFonts> fonts;
  std::array<int32_t, kBoardFonts> fontColours{};
  std::array<int32_t, kBoardColours> colours{};
  FixedText<260> logoPath;  // a bitmap or JPEG file; empty for none
};
// The box the logo is fitted into, on the board's header and in the settings dialog's preview.
inline constexpr int32_t kLogoBoxWidth = 196;
inline constexpr int32_t kLogoBoxHeight = 50;
// The colour chooser's custom colours, kept in the same file.
using CustomColours = std::array<int32_t, kCustomColourCount>;

// Column widths are kept within 0 to kMaxColumnWidth and font heights within +-kMaxFontHeight.
bool ReadDisplaySettings(std::string_view path, DisplaySettings& settings, CustomColours& custom);
bool WriteDisplaySettings(std::string_view path, const DisplaySettings& settings,
                          const CustomColours& custom);
// Only the logo path of the display settings file (its second line, up to the TAB): a path longer
// than its field counts as no logo. False when the file cannot be opened.
bool ReadDisplaySettingsLogo(std::string_view path, FixedText<260>& logoPath);

// The kinds of timing hardware (`DecoderKind`), as the interface settings name them.
inline constexpr const char* kInterfaceKind = "Zentrik";                    // KV1 interface
inline constexpr const char* kUsbDecoderKind = "ZentrikKV2";                // KV2/KV3 on USB
inline constexpr const char* kBluetoothDecoderKind = "ZentrikKV2Bluetooth";  // KV2/KV3 on Bluetooth

// The decoder link.
struct InterfaceSettings {
  FixedText<6> portName;      // "COM1" to "COM99"
  int32_t connected = 0;      // 1 when the port opened and the hardware was identified
  FixedText<25> decoderKind;  // one of the decoder kinds above
};
bool ReadInterfaceSettings(std::string_view path, InterfaceSettings& settings);
bool WriteInterfaceSettings(std::string_view path, const InterfaceSettings& settings);

}  // namespace zd
