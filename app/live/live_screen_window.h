#pragma once
// The additional live screen: the modeless window "SERIELIVEECRANADDITIONNEL" that shows the
// standings of the live results file full-screen, and its painting. Its rules are in the core
// (live/live_screen.h); this applies them to the window and draws them.

#include <windows.h>

#include "live/live_screen.h"  // the core's rules

namespace zd {

// The screen's state, kept for the program's life: a screen opened again shows what the last one
// held until the main window refreshes it.
LiveScreenState& LiveScreen();

// The window procedure. The creation parameter is the address of the flag that the screen keeps
// at 1 while it exists.
INT_PTR CALLBACK LiveScreenDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the whole screen on dc: the title band with its logo, clocks and status, then the tables.
void PaintLiveScreen(HDC dc, const LiveScreenState& s);

}  // namespace zd
