#pragma once
// The program's start-up, its main window and the message loop.

#include <windows.h>

namespace zd {

inline constexpr char kMainWindowClass[] = "classeF";
inline constexpr char kMainWindowTitle[] = "Zentrik";
inline constexpr UINT_PTR kMainTimerId = 1;
inline constexpr UINT kMainTimerPeriodMs = 100;

// Everything before the message loop: the menus, the window class and the main window (whose
// creation prepares the data folder, the race file, the reference data, the tree and the
// controls), shown maximised; the data folder made current again, the decoder detection, the main
// timer and the printing warning. Returns the main window, or nullptr when the class or the
// window could not be created.
HWND StartProgram(HINSTANCE instance);

// Until the main window's destruction posts the quit message; returns its exit code.
int RunMessageLoop();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace zd
