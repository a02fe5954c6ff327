#pragma once
// Every message box of the program goes through ShowMessage, so that a test has one place to
// answer them.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace zd {

// Same arguments and result as MessageBoxA.
int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);
// An error: the text in a box captioned "Error" with its OK button.
void ShowErrorBox(HWND owner, std::string_view text);

// While an answerer is set, ShowMessage shows nothing: it hands the box's text, caption and flags
// to the answerer and returns its answer (IDOK, IDYES...). Tests answer the boxes this way; an
// empty answerer shows the boxes again.
using MessageAnswerer = std::function<int(const char* text, const char* caption, UINT flags)>;
void SetMessageAnswerer(MessageAnswerer answerer);

}  // namespace zd
