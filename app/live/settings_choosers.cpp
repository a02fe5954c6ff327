#include "live/settings_choosers.h"

// After windows.h, which it needs.
#include <commdlg.h>

#include <cstring>
#include <utility>

namespace zd {

namespace {

ColourAnswerer& ColourAnswer() {
  static ColourAnswerer answerer;
  return answerer;
}

FontAnswerer& FontAnswer() {
  static FontAnswerer answerer;
  return answerer;
}

// The chooser's one pair of texts, double-zero terminated.
std::string Filter(std::string_view name, std::string_view pattern) {
  std::string filter(name);
  filter.push_back('\0');
  filter += pattern;
  filter.push_back('\0');
  return filter;
}

OPENFILENAMEA FileChooser(HWND owner, const std::string& filter, const std::string& folder,
                          char* name) {
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  return ofn;
}

}  // namespace

void SetColourAnswerer(ColourAnswerer answerer) { ColourAnswer() = std::move(answerer); }
void SetFontAnswerer(FontAnswerer answerer) { FontAnswer() = std::move(answerer); }

bool ChooseColour(HWND owner, int32_t& colour, CustomColours& custom) {
  if (ColourAnswer()) return ColourAnswer()(colour, custom);
  COLORREF table[kCustomColourCount];
  for (int i = 0; i < kCustomColourCount; ++i) table[i] = static_cast<COLORREF>(custom[static_cast<std::size_t>(i)]);
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = static_cast<COLORREF>(colour);
  cc.lpCustColors = table;
  cc.Flags = CC_RGBINIT;
  const bool chosen = ChooseColorA(&cc) != FALSE;
  for (int i = 0; i < kCustomColourCount; ++i) custom[static_cast<std::size_t>(i)] = static_cast<int32_t>(table[i]);
  if (chosen) colour = static_cast<int32_t>(cc.rgbResult);
  return chosen;
}

bool ChooseBoardFont(HWND owner, BoardFont& font, int32_t& colour, FontSizeLimits sizes) {
  if (FontAnswer()) return FontAnswer()(font, colour, sizes);
  LOGFONTA logical{};
  logical.lfHeight = font.height;
  logical.lfWeight = font.weight;
  logical.lfItalic = static_cast<BYTE>(font.italic);
  logical.lfUnderline = static_cast<BYTE>(font.underline);
  logical.lfStrikeOut = static_cast<BYTE>(font.strikeOut);
  std::strncpy(logical.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &logical;
  cf.rgbColors = static_cast<COLORREF>(colour);
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS | CF_EFFECTS | CF_LIMITSIZE;
  cf.nSizeMin = sizes.min;
  cf.nSizeMax = sizes.max;
  if (!ChooseFontA(&cf)) return false;
  font.face.clear();
  font.face.assign(logical.lfFaceName);
  font.height = logical.lfHeight;
  font.weight = logical.lfWeight;
  font.italic = logical.lfItalic != 0 ? 1 : 0;
  font.underline = logical.lfUnderline != 0 ? 1 : 0;
  font.strikeOut = logical.lfStrikeOut != 0 ? 1 : 0;
  colour = static_cast<int32_t>(cf.rgbColors);
  return true;
}

std::string ChooseExistingFile(HWND owner, std::string_view filterName, std::string_view pattern,
                               std::string_view initialFolder) {
  char name[MAX_PATH] = {};
  const std::string filter = Filter(filterName, pattern);
  const std::string folder(initialFolder);
  OPENFILENAMEA ofn = FileChooser(owner, filter, folder, name);
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return GetOpenFileNameA(&ofn) ? std::string(name) : std::string();
}

std::string ChooseSaveFile(HWND owner, std::string_view filterName, std::string_view pattern,
                           std::string_view initialFolder, std::string_view prefill) {
  char name[MAX_PATH] = {};
  prefill.copy(name, MAX_PATH - 1);
  const std::string filter = Filter(filterName, pattern);
  const std::string folder(initialFolder);
  OPENFILENAMEA ofn = FileChooser(owner, filter, folder, name);
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  return GetSaveFileNameA(&ofn) ? std::string(name) : std::string();
}

}  // namespace zd
