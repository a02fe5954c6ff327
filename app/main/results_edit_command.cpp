// ResultsMenuButton, its menu and the result editors (9101 to 9105, 9201 to 9213).

#include <string>

#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/results_edit.h"

namespace zd {

namespace {

void ShowResultsMenu(HWND window) {
  POINT at;
  GetCursorPos(&at);
  TrackPopupMenu(MainState().menus.results, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, window,
                 nullptr);
}

// A change of an editor's text: its limit for the series' phase, then the value into the row and
// the car's slots, and the bound's text put back when it went beyond.
void EditorChanged(HWND window, int id) {
  HWND editor = GetDlgItem(window, id);
  if (!editor) return;
  LiveSeries& series = *MainState().series;
  const int32_t limit = EditorTextLimit(id, LoadedSeriesPhase(series));
  SendMessageA(editor, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  char text[32] = {};
  GetWindowTextA(editor, text, sizeof text);
  const EditorChange change = ApplyEditorText(series, MainResultEditing().editRow, id, text);
  if (change.clampedText) SetWindowTextA(editor, change.clampedText->c_str());
}

}  // namespace

void ResultsEditCommand(HWND window, int command, int notification) {
  if (command >= kFirstResultEditor && command <= kLastResultEditor) {
    if (notification == EN_CHANGE) EditorChanged(window, command);
    return;
  }
  switch (command) {
    case kResultsMenuCommand:
      ShowResultsMenu(window);
      break;
    case kResultsEditOnCommand:
      SwitchResultsEditOn(MainCommandDesk(window));
      break;
    case kResultsEditOffCommand:
      SwitchResultsEditOff(MainCommandDesk(window));
      break;
    case kSeriesResultsCommand:
      ShowSeriesResults(MainCommandDesk(window));
      break;
    case kSeriesCommentCommand:
      EditSeriesComment(MainCommandDesk(window));
      break;
  }
}

}  // namespace zd
