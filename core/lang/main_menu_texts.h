#pragma once
// The factory texts of the main menu in the six languages: the rows of "MenuPrincipal.usine",
// which the main window applies to its menu bar by row number.

#include "files/translation.h"

namespace zd {

inline constexpr const char* kMainMenuKey = "MenuPrincipal";
inline constexpr int kMainMenuRows = 33;

// Writes the texts of rows 0 to 32 in every language; rows 6 and 31, which hold none, are left as
// the caller left them (callers clear the table first).
void FillMainMenuTexts(TranslationTable& table);

}  // namespace zd
