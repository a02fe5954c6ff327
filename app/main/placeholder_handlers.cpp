// Stand-ins for the handlers whose features are not built yet: each does nothing, so that every
// command of the window arrives somewhere. A feature takes its handler out of this file when it
// defines its own.

#include "main/main_window_handlers.h"

namespace zd {

void EventFileCommand(HWND window, int command) {
  // "Quitter" asks to close, which the close request refuses or confirms.
  if (command == 1005) PostMessageA(window, WM_CLOSE, 0, 0);
}

// Nothing can be saved yet: saying so keeps the window open after "Yes, save".
bool SaveEventCommand(HWND, int) { return false; }

void MenuCommand(HWND, int) {}
void TreeContextCommand(HWND, int) {}
void SeriesButtonCommand(HWND, int) {}
void TransponderModeCommand(HWND, int, int) {}
void ManualLapCommand(HWND, int) {}
void ResultsEditCommand(HWND, int, int) {}
void SeriesLoadCommand(HWND, int) {}

LRESULT TreeNotification(HWND, const NMHDR*) { return 0; }
void MainTimerTick(HWND) {}

LRESULT BoardSetCursor(HWND window, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, WM_SETCURSOR, wparam, lparam);
}
void BoardVerticalScroll(HWND, WPARAM, LPARAM) {}
void BoardMouse(HWND, UINT, WPARAM, LPARAM) {}

void BuildDefaultTree(HWND) {}

}  // namespace zd
