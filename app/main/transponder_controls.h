#pragma once
// The transponder modes, the scan and the manual lap buttons of the main window. Their commands
// arrive through the handlers of main_window_handlers.h; the rules are the core's
// (main/transponder_scan.h, main/manual_laps.h).

#include <windows.h>

#include <cstdint>

namespace zd {

// One step of the transponder scan or check, on a tick of the main timer where it is on.
void RunMainTransponderScanStep(HWND window);

// ClubAssignmentArmed: a click in a row's transponder cell may open the club transponder list
// ("Puces club" and a pack chosen arm it). ClubTransponderRow: the ranking row that the list was
// opened over, which its choice gives the transponder.
int32_t& MainClubAssignmentArmed();
int32_t& MainClubTransponderRow();

}  // namespace zd
