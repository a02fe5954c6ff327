#include "main/event_commands.h"

#include <commdlg.h>

#include <algorithm>

#include "files/race_file.h"
#include "main/data_folder.h"
#include "main/event_file.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "main/race_wiring.h"
#include "main/tree_view.h"

namespace zd {

namespace {

constexpr int kNewEvent = 1001;
constexpr int kOpenEvent = 1002;
constexpr int kSaveEvent = 1003;
constexpr int kSaveEventAs = 1004;
constexpr int kQuit = 1005;

enum class SaveOutcome { Saved, NoNameChosen, Failed };

void ShowError(HWND window, std::string_view text) {
  const std::string t(text);
  ShowMessage(window, t.c_str(), kErrorCaption, MB_OK);
}

void EnableSaveItem(HWND window, bool enabled) {
  EnableMenuItem(MainState().menus.bar, kSaveEvent,
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(window);
}

// The working file copied out to the event file; a copy that fails says so.
bool CopyWorkingFileTo(HWND window, const std::string& eventFile) {
  if (CopyFileA(kRaceFilePath, eventFile.c_str(), FALSE)) return true;
  ShowError(window, kEventFileNotSaved);
  return false;
}

// The chosen event file put in place of the working file, once a copy of it has shown that it is
// a race file: otherwise the working file, and with it the current event, stays as it was.
bool ReplaceWorkingFile(HWND window, const std::string& chosen) {
  const bool replaced = CopyFileA(chosen.c_str(), kOpenedEventStagingPath, FALSE) &&
                        IsRaceFile(kOpenedEventStagingPath) &&
                        MoveFileExA(kOpenedEventStagingPath, kRaceFilePath, MOVEFILE_REPLACE_EXISTING);
  if (replaced) return true;
  DeleteFileA(kOpenedEventStagingPath);
  ShowError(window, kEventFileNotRead);
  return false;
}

std::string SavePrefill() { return SaveChooserPrefill(MainState().workingDirectory.view()); }

// SaveCurrentEvent: the loaded series into the working file, then the working file into the
// event file, asked for when the event has none yet.
SaveOutcome SaveCurrentEvent(HWND window) {
  MakeDataFolderCurrent();
  if (!SaveSeriesResults(MainSeriesDesk(window))) return SaveOutcome::Failed;
  EventState& event = MainState().event;
  std::string eventFile = event.eventFilePath.str();
  if (eventFile.empty()) {
    const std::string prefill = SavePrefill();
    const std::string chosen = ChooseEventFile(window, EventFileChooser::Save, prefill);
    if (!SaveChooserChoseName(chosen, prefill)) return SaveOutcome::NoNameChosen;
    eventFile = EventFileName(chosen);
  }
  if (!CopyWorkingFileTo(window, eventFile)) return SaveOutcome::Failed;
  event.eventFilePath = eventFile;
  return SaveOutcome::Saved;
}

void NewEventCommand(HWND window) {
  const std::string question(kNewEventQuestion);
  const std::string caption(kQuestionCaption);
  const int answer =
      ShowMessage(window, question.c_str(), caption.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer != IDYES && answer != IDNO) return;
  LeaveBoardEditing(window);
  // An event that was to be kept and could not be stays.
  if (answer == IDYES && SaveCurrentEvent(window) == SaveOutcome::Failed) return;

  MakeDataFolderCurrent();
  SetWindowTextA(window, std::string(kNoEventFileTitle).c_str());
  EnableSaveItem(window, false);
  EventState& event = MainState().event;
  ResetEvent(MainSeriesDesk(window));
  StartNewEvent(event);
  const Outcome created = CreateWorkingRaceFile(event);
  if (!created) ShowError(window, created.message);
  TreeViewControl tree = MainTree();
  BuildDefaultTree(tree, RaceRecord(event, 1).name.view());
}

void OpenEventCommand(HWND window) {
  const std::string chosen = ChooseEventFile(window, EventFileChooser::Open, "");
  if (chosen.empty()) return;
  LeaveBoardEditing(window);
  const std::string title = EventWindowTitle(chosen);
  const std::string question(kOpenEventQuestion);
  const std::string caption(kQuestionCaption);
  if (ShowMessage(window, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES &&
      SaveCurrentEvent(window) == SaveOutcome::Failed) {
    return;
  }

  MakeDataFolderCurrent();
  if (!ReplaceWorkingFile(window, chosen)) return;
  MainWindowState& s = MainState();
  SetWindowTextA(window, title.c_str());
  s.event.eventFilePath = chosen;
  EnableSaveItem(window, true);
  s.event.eventFileKnown = 1;

  ResetEvent(MainSeriesDesk(window));
  const DriverReference reference{s.drivers, s.countries, s.ageCategories};
  ReadOpenedEvent(s.event, reference, [window](std::string_view text) { ShowError(window, text); });
  TreeViewControl tree = MainTree();
  BuildTreeFromRaceFile(tree, s.event);
}

bool SaveToKnownFile(HWND window) {
  EventState& event = MainState().event;
  if (event.eventFilePath.empty()) return false;
  LeaveBoardEditing(window);
  MakeDataFolderCurrent();
  const bool saved = SaveSeriesResults(MainSeriesDesk(window)) &&
                     CopyWorkingFileTo(window, event.eventFilePath.str());
  MakeDataFolderCurrent();
  return saved;
}

// The event moves to the file chosen: later saves write there.
bool SaveEventAs(HWND window) {
  const std::string prefill = SavePrefill();
  const std::string chosen = ChooseEventFile(window, EventFileChooser::Save, prefill);
  if (!SaveChooserChoseName(chosen, prefill)) return false;
  LeaveBoardEditing(window);
  MakeDataFolderCurrent();
  const std::string eventFile = EventFileName(chosen);
  const bool saved =
      SaveSeriesResults(MainSeriesDesk(window)) && CopyWorkingFileTo(window, eventFile);
  MakeDataFolderCurrent();
  if (!saved) return false;
  SetWindowTextA(window, EventWindowTitle(chosen).c_str());
  EventState& event = MainState().event;
  event.eventFilePath = eventFile;
  EnableSaveItem(window, true);
  event.eventFileKnown = 1;
  return true;
}

}  // namespace

std::string ChooseEventFile(HWND owner, EventFileChooser kind, std::string_view prefill) {
  char name[MAX_PATH] = {};
  prefill.copy(name, std::min(prefill.size(), sizeof name - 1));
  // One filter, its name and its pattern, ended by an empty pair.
  std::string filter = std::string(kEventFileFilterName) + '\0' + std::string(kEventFilePattern) + '\0';
  OPENFILENAMEA chooser = {};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = owner;
  chooser.lpstrFilter = filter.c_str();
  chooser.nFilterIndex = 1;
  chooser.lpstrFile = name;
  chooser.nMaxFile = sizeof name;
  chooser.lpstrInitialDir = MainState().workingDirectory.c_str();
  chooser.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  bool chosen = false;
  if (kind == EventFileChooser::Save) {
    chooser.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameA(&chooser) != FALSE;
  } else {
    chooser.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&chooser) != FALSE;
  }
  return chosen ? std::string(name) : std::string();
}

void EventFileCommand(HWND window, int command) {
  switch (command) {
    case kNewEvent:
      NewEventCommand(window);
      break;
    case kOpenEvent:
      OpenEventCommand(window);
      break;
    case kSaveEvent:
    case kSaveEventAs:
      SaveEventCommand(window, command);
      break;
    case kQuit:
      // The close request asks whether to save, and refuses while a series or a scan runs.
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
  }
}

bool SaveEventCommand(HWND window, int command) {
  return command == kSaveEventAs ? SaveEventAs(window) : SaveToKnownFile(window);
}

}  // namespace zd
