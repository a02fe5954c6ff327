#pragma once
// The handlers to which the main window hands its commands, notifications, timer ticks and mouse
// messages. The window procedure (main_window.cpp) dispatches to them by message and command id;
// each is defined by the code of its own feature.

#include <windows.h>

namespace zd {

// Menu "Fichier", 1001 to 1005: new, open, save, save as, quit.
void EventFileCommand(HWND window, int command);
// Save (1003) or save as (1004), run to its end; true when the event was written to its file.
// The close request uses the result.
bool SaveEventCommand(HWND window, int command);
// The other menu commands, 1006 to 1025: the database, penalty, live screen, settings and help
// dialogs, and the reloads after them.
void MenuCommand(HWND window, int command);
// The event tree's context menus, 1051 to 1085.
void TreeContextCommand(HWND window, int command);
// StartSeriesButton, StopSeriesButton, ClearSeriesButton (2001 to 2003).
void SeriesButtonCommand(HWND window, int command);
// The transponder mode controls, 2101 to 2107.
void TransponderModeCommand(HWND window, int command, int notification);
// ManualLapButton of slot 1 to 50.
void ManualLapCommand(HWND window, int slot);
// ResultsMenuButton, the results menu and the result editors: 9101 to 9105, 9201 to 9213.
void ResultsEditCommand(HWND window, int command, int notification);
// Loading a series, 10000 to 10002.
void SeriesLoadCommand(HWND window, int command);

// WM_NOTIFY from the event tree.
LRESULT TreeNotification(HWND window, const NMHDR* header);
// A tick of MainTimer: the decoder link, the clocks and the race state machine.
void MainTimerTick(HWND window);
// The live board under the mouse: cursor, vertical scrolling, column dragging and row clicks.
LRESULT BoardSetCursor(HWND window, WPARAM wparam, LPARAM lparam);
void BoardVerticalScroll(HWND window, WPARAM wparam, LPARAM lparam);
void BoardMouse(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The dialogs that the event tree opens with the main window as owner: the participant details
// of the participant node selected, and the session or final ranking of a phase ("COURSEESSAIS
// CLASSEMENTSEANCE"...). Each finds what it works on in the race file header.
void OpenParticipantDetailsDialog(HWND window);
void OpenRankingDialog(HWND window, const char* dialogTemplate);

}  // namespace zd
