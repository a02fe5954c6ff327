#pragma once
// The dialogs that the main window's commands open. Those that come with features of their own
// are not there yet: opening one returns at once, as if the operator had cancelled it, and the
// command reads the files back as they are.

#include <windows.h>

#include <cstdint>

#include "files/live_file.h"
#include "main/command_window.h"

namespace zd {

// Modal, owned by owner, parameter 0.
void OpenMainDialog(HWND owner, MainDialog dialog);
// "PENALITESBIS" on the clicked ranking row, which takes the chosen penalty index.
void OpenPenaltyAssignDialog(HWND owner, LiveRankingEntry& row);
// The additional live screen, modeless, given the flag it keeps at 1 while it is open; nullptr
// while there is none.
HWND CreateLiveScreen(HWND owner, int32_t* openFlag);
// LiveScreenRefresh (what: 1 a new layout, 2 new values) to the screen while openFlag says it is
// open; once it has closed its handle is forgotten.
void SendLiveScreenRefresh(HWND& screen, int32_t openFlag, int32_t what);

}  // namespace zd
