#pragma once
// The race engine of the core in the main window: the machine and the window behind its hooks
// (clocks, sounds, the board, the live results file, the stop button, the race alerts), the menus
// and controls that the series commands grey and enable, the board that loading a series fills
// and the transponder scan's controls. Each is built for a call over the main window's own
// records.

#include <windows.h>

#include "main/race_commands.h"
#include "main/series_loading.h"
#include "main/transponder_scan.h"

namespace zd {

inline constexpr int kLeaveResultsEditCommand = 9103;

// The race control over the main window's series, run, settings and decoder port.
RaceControl MainRaceControl(HWND window);
// The same, with the event, the tree and the board that loading and saving use.
SeriesDesk MainSeriesDesk(HWND window);

// Leaves the board editing: command 9103 (the result editors closed and the series ranked again)
// and no club transponder list left open.
void LeaveBoardEditing(HWND window);

// The series commands over the main window: its race control, menus, controls and penalties.
SeriesCommandContext MainSeriesCommands(HWND window);
// The same with the scan button and its status text, for the transponder scan and check.
TransponderScanContext MainTransponderScan(HWND window);

}  // namespace zd
