#pragma once
// The main window's menus, built in code with their French captions: the menu bar, the results
// popup and the thirteen context menus of the event tree.

#include <windows.h>

#include <span>

#include "files/translation.h"
#include "main/main_window_state.h"

namespace zd {

// Builds every menu; the items with a picture show their resource bitmap of instance.
MainMenus BuildMenus(HINSTANCE instance);

// Gives the menu bar's popups (but "?") and items the captions of their rows in language; an
// entry whose text is empty keeps its French caption. Redraws the menu bar of window.
void TranslateMenus(HWND window, const MainMenus& menus, std::span<const TranslationRow> table,
                    int32_t language);

}  // namespace zd
