#pragma once
// The choosers of the settings dialogs: colours, fonts and files. Each goes through one function
// so that a test can answer it. The file choosers are the system's, which a test answers as their
// user would; the colour and font choosers can also be answered without showing them.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/settings.h"
#include "live/display_settings_form.h"

namespace zd {

// The colour chooser on `colour`, editing `custom` in place. On confirmation colour takes the
// chosen one and the result is true.
bool ChooseColour(HWND owner, int32_t& colour, CustomColours& custom);
// The font chooser on `font` and its text colour, offering the given sizes (points; 0 for no
// lower limit), screen fonts with their effects. On confirmation the face, height, weight, flags
// (0 or 1) and colour take the chosen ones and the result is true.
bool ChooseBoardFont(HWND owner, BoardFont& font, int32_t& colour, FontSizeLimits sizes);

// While set, the colour and font choosers show nothing and return what their answerer says, with
// the values it set; an empty answerer shows them again.
using ColourAnswerer = std::function<bool(int32_t& colour, CustomColours& custom)>;
using FontAnswerer = std::function<bool(BoardFont& font, int32_t& colour, FontSizeLimits sizes)>;
void SetColourAnswerer(ColourAnswerer answerer);
void SetFontAnswerer(FontAnswerer answerer);

// An existing file, chosen among those of one filter ("Sons (.wav)" on "*.wav"...); the current
// directory stays. Returns the full name, or "" when cancelled. initialFolder "" starts where the
// system likes.
std::string ChooseExistingFile(HWND owner, std::string_view filterName, std::string_view pattern,
                               std::string_view initialFolder);
// A name to save under, with the name box prefilled and an overwrite prompt; "" when cancelled.
std::string ChooseSaveFile(HWND owner, std::string_view filterName, std::string_view pattern,
                           std::string_view initialFolder, std::string_view prefill);

}  // namespace zd
