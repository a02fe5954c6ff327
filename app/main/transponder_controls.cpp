// The transponder mode controls, the scan button and the manual lap buttons in the main window:
// the core's rules (main/transponder_scan.h, main/manual_laps.h) shown through the window's
// controls. Their commands arrive through the handlers of main_window_handlers.h.

#include <string>

#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/manual_laps.h"
#include "main/race_wiring.h"
#include "main/transponder_scan.h"

namespace zd {

namespace {

void Show(HWND window, int id, bool shown) {
  ShowWindow(GetDlgItem(window, id), shown ? SW_SHOW : SW_HIDE);
}

// Each mode shows its own controls: the pack list for the club's transponders, the scan button
// and its status for the mixed mode.
void ShowModeControls(HWND window, int32_t control) {
  if (control == kTransponderPackList) return;
  Show(window, kTransponderPackList, control == kClubTransponders);
  Show(window, kScanToggle, control == kMixedTransponders);
  Show(window, kScanStatus, control == kMixedTransponders);
}

// The choice in the club transponder list gives its row's car the transponder.
void ClubTransponderChosen(HWND window) {
  MainWindowState& s = MainState();
  if (s.timer.scanModeActive != 0) return;
  HWND list = GetDlgItem(window, kClubTransponderList);
  const LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR || SendMessageA(list, CB_GETLBTEXTLEN, item, 0) > 255) return;
  char text[256] = {};
  SendMessageA(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  AssignClubTransponder(*s.series, MainClubTransponderRow(), text);
}

}  // namespace

void TransponderModeCommand(HWND window, int command, int notification) {
  MainWindowState& s = MainState();
  if (command == kScanToggle) {
    const bool selected = IsDlgButtonChecked(window, kScanToggle) == BST_CHECKED;
    ScanButtonCommand(MainTransponderScan(window), selected);
    return;
  }
  if (command == kClubTransponderList) {
    if (notification == CBN_SELCHANGE) ClubTransponderChosen(window);
    return;
  }
  if (!ApplyTransponderModeControl(*s.series, s.timer, s.transponderMode, MainClubAssignmentArmed(),
                                   command, notification == CBN_SELCHANGE)) {
    // A radio clicked meanwhile shows the mode that stays.
    CheckRadioButton(window, kPersonalTransponders, kMixedTransponders,
                     kPersonalTransponders + s.transponderMode);
    return;
  }
  MainSeriesCommands(window).surface.removeClubTransponderBox();
  ShowModeControls(window, command);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(kLeaveResultsEditCommand, 0), 0);
}

void ManualLapCommand(HWND window, int slot) {
  ManualLapButtonClick(MainRaceControl(window), MainSeriesCommands(window).surface, slot);
}

}  // namespace zd
