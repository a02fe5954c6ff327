#pragma once
// Every message box of the program goes through ShowMessage, so that a test has one place to
// answer them.

#include <windows.h>

namespace zd {

// Same arguments and result as MessageBoxA.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);

}  // namespace zd
