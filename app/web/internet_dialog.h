#pragma once
// The internet settings ("INTERNET"): modal over its owner, ending with 0. Its rules are those of
// InternetSettings; the main window reads "WebResults/CoordonneesWeb.txt" again once it closes.

#include <windows.h>

namespace zd {

void OpenInternetDialog(HWND owner);

INT_PTR CALLBACK InternetDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace zd
