#pragma once
// The rules of the display settings dialog ("AFFICHAGE"): the preview's zones and which one a
// double-click hits, the selected column's width and its "+" and "-", the style radio, the font
// chooser's size limits, the export name and the import, and the gradient rows of the preview.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/settings.h"

namespace zd {

inline constexpr std::string_view kDisplaySettingsFileNotFound =
    "Error: Display settings file not found";
inline constexpr std::string_view kDisplayImportFailed = "Error : Import file 'Display' not found";
inline constexpr std::string_view kDisplayExportFailed = "Error : Export file 'Display' not found";
inline constexpr std::string_view kDisplaySettingsExtension = ".scrn2";

// A rectangle of the dialog's client area, in pixels.
struct ZoneRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  friend bool operator==(const ZoneRect&, const ZoneRect&) = default;
};

inline constexpr int kFontZoneCount = 4;  // the three fixed fonts, then the selected column's
struct DisplayZones {
  ZoneRect logo;
  std::array<ZoneRect, kBoardColours> colours;
  std::array<ZoneRect, kFontZoneCount> fonts;
};
// The zones beside the template's labels where one dialog unit is two pixels each way; a window
// maps each one with its own dialog units.
DisplayZones TemplateDisplayZones();
// The logo is fitted into its zone at its top-left corner (kLogoBoxWidth x kLogoBoxHeight).

enum class ZoneKind { None, Logo, Colour, Font };
struct ZoneHit {
  ZoneKind kind = ZoneKind::None;
  int index = 0;  // the colour or the font zone
  friend bool operator==(const ZoneHit&, const ZoneHit&) = default;
};
// Strictly inside: a point on a border is in no zone. Tried in the order logo, colours, fonts.
bool InZone(const ZoneRect& zone, int32_t x, int32_t y);
ZoneHit HitDisplayZone(const DisplayZones& zones, int32_t x, int32_t y);

// The font that font zone k edits: fonts 0 to 2, then the selected column's.
int FontOfZone(int zone, int selectedColumn);
// The sizes, in points, that the font chooser offers for font zone k; 0 for no lower limit.
struct FontSizeLimits {
  int32_t min = 0;
  int32_t max = 0;
};
FontSizeLimits FontZoneSizeLimits(int zone);

// The column list's texts, in BoardColumn order.
inline constexpr std::array<std::string_view, kBoardColumns> kBoardColumnTexts = {
    "# Num", "Nom pilote", "Catégorie", "Club", "Tours", "Temps total",
    "Ecart leader", "Ecart précédt", "Dernier tour", "Meilleur tour", "Transp."};

// The width edit: what it shows of a width (every digit, even past 999), what a typed text stores
// (digits only, 0 when empty), and "+" and "-", which keep to 0 to 999 and leave a width beyond
// it as it is.
inline constexpr int kWidthEditLimit = 3;
std::string WidthText(int32_t width);
int32_t TypedWidth(std::string_view text);
int32_t WidthPlusOne(int32_t width);
int32_t WidthMinusOne(int32_t width);

// The style radio that a stored style checks: 0 and 1 their own, any other value the third.
int CheckedStyleRadio(int32_t style);

// The export chooser's name at its opening: the data folder and "\*.scrn2" ("" when it would not
// fit a path).
std::string DisplayExportPrefill(std::string_view dataFolder);
// The file an export writes for the name the chooser returned: nothing when the prefilled name
// came back unchanged; ".scrn2" appended unless the name holds it anywhere (case matters); an
// empty name when the result would not fit a path.
std::optional<std::string> DisplayExportPath(std::string_view chosen, std::string_view prefill);

// Reads a settings file in place of the dialog's: the faces and the logo path cleared first, as
// the file holds them up to their TAB. A file that cannot be read changes nothing.
bool ReadDisplaySettingsInto(std::string_view path, DisplaySettings& settings,
                             CustomColours& custom);

// The preview's gradient: the colour of each pixel row of a zone `height` rows high, from first
// towards second per channel, the last row one step short of second.
std::vector<int32_t> PreviewGradientRows(int32_t first, int32_t second, int32_t height);

}  // namespace zd
