// Stand-ins for the handlers whose features are not built yet: each does nothing, so that every
// command of the window arrives somewhere. A feature takes its handler out of this file when it
// defines its own.

#include "main/main_window_handlers.h"

namespace zd {

void MenuCommand(HWND, int) {}
void TreeContextCommand(HWND, int) {}
void TransponderModeCommand(HWND, int, int) {}
void ManualLapCommand(HWND, int) {}

LRESULT BoardSetCursor(HWND window, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, WM_SETCURSOR, wparam, lparam);
}
void BoardVerticalScroll(HWND, WPARAM, LPARAM) {}
void BoardMouse(HWND, UINT, WPARAM, LPARAM) {}

void OpenParticipantDetailsDialog(HWND) {}
void OpenRankingDialog(HWND, const char*) {}

}  // namespace zd
