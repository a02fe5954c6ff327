#pragma once
// The main window as its commands see it (CommandWindow): its dialogs, message boxes, the result
// editors and the club transponder list over the board, the board's repaints, its menus, the
// decoder link and the tree's label edit; and the desk and records the commands work on.

#include <windows.h>

#include <cstdint>

#include "main/command_window.h"
#include "main/menu_commands.h"

namespace zd {

// ResultsEditMode and EditRow of the main window; the editors themselves are its children 9201
// to 9213 while they are open.
struct ResultEditing {
  int32_t mode = 0;
  int32_t editRow = 0;
};
ResultEditing& MainResultEditing();

// Destroying a control that is not open does nothing.
void CloseResultEditors(HWND window);
void CloseClubTransponderBox(HWND window);

// ClubAssignmentArmed: a click in a row's transponder cell may open the club transponder list
// ("Puces club" and a pack chosen arm it). ClubTransponderRow: the ranking row that the list was
// opened over, which its choice gives the transponder.
int32_t& MainClubAssignmentArmed();
int32_t& MainClubTransponderRow();

// The commands' view of the main window, over its own records.
CommandDesk MainCommandDesk(HWND window);
WindowRecords MainWindowRecords();

}  // namespace zd
