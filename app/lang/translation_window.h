#pragma once
// The translation dialog ("TRADUCTION"): modal over its owner, parameter 0, ending with 0. Its
// rules are those of TranslationDialogModel; the languages it applies take effect on the main menu
// once it has closed.

#include <windows.h>

namespace zd {

void OpenTranslationDialog(HWND owner);

INT_PTR CALLBACK TranslationDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace zd
