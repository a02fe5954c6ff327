#include "live/display_settings_form.h"

#include "databases/database_model.h"
#include "live/board_style.h"

namespace zd {

DisplayZones TemplateDisplayZones() {
  DisplayZones z;
  z.logo = {350, 115, 547, 165};
  z.colours = {{{200, 85, 240, 105},
                {200, 115, 240, 135},
                {200, 145, 240, 165},
                {200, 215, 240, 235},
                {200, 245, 240, 265},
                {200, 275, 240, 295},
                {200, 305, 240, 325},
                {200, 335, 240, 355},
                {200, 405, 240, 425},
                {250, 405, 290, 425},
                {200, 435, 240, 455},
                {250, 435, 290, 455},
                {300, 435, 390, 455}}};
  z.fonts = {{{250, 215, 340, 235}, {250, 245, 340, 265}, {300, 405, 390, 425}, {300, 500, 390, 520}}};
  return z;
}

bool InZone(const ZoneRect& zone, int32_t x, int32_t y) {
  return zone.left < x && x < zone.right && zone.top < y && y < zone.bottom;
}

ZoneHit HitDisplayZone(const DisplayZones& zones, int32_t x, int32_t y) {
  if (InZone(zones.logo, x, y)) return {ZoneKind::Logo, 0};
  for (int i = 0; i < kBoardColours; ++i) {
    if (InZone(zones.colours[static_cast<std::size_t>(i)], x, y)) return {ZoneKind::Colour, i};
  }
  for (int k = 0; k < kFontZoneCount; ++k) {
    if (InZone(zones.fonts[static_cast<std::size_t>(k)], x, y)) return {ZoneKind::Font, k};
  }
  return {};
}

int FontOfZone(int zone, int selectedColumn) {
  return zone < kFirstColumnFont ? zone : kFirstColumnFont + selectedColumn;
}

FontSizeLimits FontZoneSizeLimits(int zone) {
  constexpr std::array<FontSizeLimits, kFontZoneCount> kLimits = {{{0, 25}, {0, 40}, {8, 16}, {0, 50}}};
  return kLimits[static_cast<std::size_t>(zone)];
}

std::string WidthText(int32_t width) { return std::to_string(width); }

int32_t TypedWidth(std::string_view text) {
  // The edit takes digits only and at most three of them; anything else stops the number.
  int32_t value = 0;
  for (std::size_t i = 0; i < text.size() && i < static_cast<std::size_t>(kWidthEditLimit); ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int32_t WidthPlusOne(int32_t width) { return width < kMaxColumnWidth ? width + 1 : width; }

int32_t WidthMinusOne(int32_t width) { return width >= 1 ? width - 1 : width; }

int CheckedStyleRadio(int32_t style) {
  if (style == kStyleGradient) return 0;
  if (style == kStyleRelief) return 1;
  return 2;
}

std::string DisplayExportPrefill(std::string_view dataFolder) {
  return DatabaseExportPrefill(dataFolder, kDisplaySettingsExtension);
}

std::optional<std::string> DisplayExportPath(std::string_view chosen, std::string_view prefill) {
  return DatabaseExportPath(chosen, prefill, kDisplaySettingsExtension);
}

bool ReadDisplaySettingsInto(std::string_view path, DisplaySettings& settings,
                             CustomColours& custom) {
  DisplaySettings read = settings;
  CustomColours readCustom = custom;
  for (BoardFont& font : read.fonts) font.face.clear();
  read.logoPath.clear();
  if (!ReadDisplaySettings(path, read, readCustom)) return false;
  settings = read;
  custom = readCustom;
  return true;
}

std::vector<int32_t> PreviewGradientRows(int32_t first, int32_t second, int32_t height) {
  std::vector<int32_t> rows;
  for (int32_t n = 0; n < height; ++n) rows.push_back(GradientColour(first, second, n, height));
  return rows;
}

}  // namespace zd
