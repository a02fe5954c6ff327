#pragma once
// The race alerts of the main window: what goes wrong while a series is live (the decoder link
// lost and found again, a passing refused, a decoder clock that started again, the live results
// file not written or not sent, a manual lap refused). Each shows at once on a line of its own
// between the series title and the board, whatever the transponder mode, and stays there until a newer one replaces it:
// a modal box would hold the race up.

#include <windows.h>

#include <string_view>

namespace zd {

void ShowRaceAlert(HWND window, std::string_view text);

}  // namespace zd
