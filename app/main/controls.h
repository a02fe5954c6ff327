#pragma once
// The fixed child controls of the main window: series buttons and their labels, the manual lap
// buttons in their frame, the results and print buttons, the group boxes of the lower band and the
// transponder mode controls. The event tree and the board's scroll bar are made by the window's
// creation.

#include <windows.h>

#include <cstdint>

namespace zd {

// Creates the controls placed for a screen of width x height pixels, visible children of window.
// Returns the last control created. Later code finds a control by its id among the children.
HWND CreateMainWindowControls(HWND window, int32_t width, int32_t height);

}  // namespace zd
