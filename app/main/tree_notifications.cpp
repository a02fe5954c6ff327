// The event tree's notifications. Every one first publishes the selected node in the race file
// header, where the dialogs opened from the tree find their race, participant or session; then
// the notification acts: a selection change is a pair (the series left is saved, then the node
// chosen acts), a race is renamed in place, the other races close when one opens.

#include <string>

#include "files/race_file.h"
#include "main/board.h"
#include "main/event_tree.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "main/race_wiring.h"
#include "main/series_loading.h"
#include "main/tree_view.h"

namespace zd {

namespace {

// The node the selection stands on, kept between notifications.
int32_t& Normalised() {
  static int32_t normalised = 10000;
  return normalised;
}

// The label edit of the moment, from its start to its end.
HWND& LabelEdit() {
  static HWND edit = nullptr;
  return edit;
}

// The header rewritten with the selected node. A file that cannot be opened is reported once
// until a write succeeds again: painting notifications come many times a second.
void PublishSelection(HWND window) {
  static bool failureShown = false;
  const EventState& event = MainState().event;
  TextFile file;
  const bool written = file.open(kRaceFilePath, OpenMode::Update) &&
                       WriteRaceFileHeader(file, event.selectionCode, event.raceCount, event.races);
  file.close();
  if (!written && !failureShown) {
    failureShown = true;
    ShowMessage(window, kRaceFileNotFound, kErrorCaption, MB_OK);
  }
  if (written) failureShown = false;
}

void WriteHeader(HWND window) {
  const EventState& event = MainState().event;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowMessage(window, kRaceFileNotFound, kErrorCaption, MB_OK);
    return;
  }
  const Outcome written = WriteRaceFileHeader(file, event.selectionCode, event.raceCount, event.races);
  if (!written) ShowMessage(window, written.message.c_str(), kErrorCaption, MB_OK);
}

const RaceHeaderRecord& RecordOf(int race) {
  static const RaceHeaderRecord none;
  const EventState& event = MainState().event;
  return IsEventRace(event, race) ? RaceRecord(event, race) : none;
}

void ShowContextMenu(HWND window, int32_t normalised) {
  const MainWindowState& s = MainState();
  const int race = RaceOfCode(s.event.selectionCode);
  const std::optional<int> menu = ContextMenuOf(normalised, RecordOf(race), s.event.raceCount);
  if (!menu) return;
  POINT at;
  GetCursorPos(&at);
  TrackPopupMenu(s.menus.treeContext[*menu], TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, window,
                 nullptr);
}

// A race takes the name typed in place, when it is made of what a race name may hold. Escape
// keeps the old name; any other node keeps its label.
void EndLabelEdit(HWND window, const NMTVDISPINFOA& info, int32_t normalised) {
  HWND edit = LabelEdit();
  LabelEdit() = nullptr;
  if (normalised != 10000 || info.item.pszText == nullptr || edit == nullptr) return;
  char typed[161] = {};
  GetWindowTextA(edit, typed, sizeof typed);
  if (!ValidRaceName(typed)) {
    ShowMessage(window, std::string(kInvalidRaceName).c_str(), "Erreur", MB_OK | MB_ICONERROR);
    return;
  }
  EventState& event = MainState().event;
  const int race = RaceOfCode(event.selectionCode);
  if (!IsEventRace(event, race)) return;
  RaceRecord(event, race).name = typed;
  MainTree().setLabel(ToTreeItem(info.item.hItem), RaceRecord(event, race).name.view());
  WriteHeader(window);
}

// Opening or closing a node while a race is selected closes the other races and leaves the
// series, saved first; false when the series could not be saved, which keeps everything as it
// is.
bool ItemExpanding(HWND window, int32_t normalised) {
  MainWindowState& s = MainState();
  if (normalised == 11000) {
    InvalidateBoardArea(window, BoardArea::RadioConflict);
    return true;
  }
  if (normalised != 10000) return true;
  LeaveBoardEditing(window);
  const SeriesDesk desk = MainSeriesDesk(window);
  if (!SaveSeriesResults(desk)) return false;
  TreeViewControl tree = MainTree();
  CollapseOtherRaces(tree, RaceOfCode(s.event.selectionCode));
  UnloadSeries(desk);
  return true;
}

void ParticipantDetails(HWND window) {
  MainWindowState& s = MainState();
  // The dialog reads the decoder port itself meanwhile.
  s.timer.participantDialogOpen = 1;
  OpenParticipantDetailsDialog(window);
  s.timer.participantDialogOpen = 0;
  RefreshLoadedParticipants(MainSeriesDesk(window), RaceOfCode(s.event.selectionCode));
  LeaveBoardEditing(window);
  InvalidateBoardArea(window, BoardArea::RadioConflict);
}

const char* RankingDialogTemplate(const NodeInfo& node) {
  const bool finalRanking = node.kind == NodeKind::FinalRanking;
  switch (node.phase) {
    case RacePhase::Practice:
      return finalRanking ? "COURSEESSAISCLASSEMENTFINAL" : "COURSEESSAISCLASSEMENTSEANCE";
    case RacePhase::Qualifying:
      return finalRanking ? "COURSEQUALIFSCLASSEMENTFINAL" : "COURSEQUALIFSCLASSEMENTSEANCE";
    case RacePhase::Rounds:
      break;
  }
  return finalRanking ? "COURSEMANCHESCLASSEMENTFINAL" : "COURSEMANCHESCLASSEMENTMANCHE";
}

void SelectionChanged(HWND window, HTREEITEM selected, int32_t normalised) {
  const int32_t code = MainState().event.selectionCode;
  const NodeInfo node = ClassifyNode(normalised);
  switch (node.kind) {
    case NodeKind::Participant:
      ParticipantDetails(window);
      break;
    case NodeKind::Series:
      LoadSeries(MainSeriesDesk(window), code, normalised, ToTreeItem(selected));
      break;
    case NodeKind::SessionRanking:
    case NodeKind::FinalRanking:
      // A phase's rankings exist once one of its series holds results.
      if (PhaseStarted(RecordOf(RaceOfCode(code)), node.phase))
        OpenRankingDialog(window, RankingDialogTemplate(node));
      break;
    case NodeKind::Other:
      break;
  }
}

}  // namespace

LRESULT TreeNotification(HWND window, const NMHDR* header) {
  MainWindowState& s = MainState();
  if (header == nullptr || header->hwndFrom != s.eventTree || s.eventTree == nullptr) return 0;
  // The program's own changes of the tree are not the operator's choices.
  if (s.treeChanging > 0) return 0;
  HTREEITEM selected = TreeView_GetSelection(s.eventTree);
  // With no node selected there is nothing to publish nor to act on.
  if (selected == nullptr) return 0;
  s.event.selectionCode = TreeItemCode(s.eventTree, selected);
  PublishSelection(window);
  Normalised() = NormalisedNodeCode(s.event.selectionCode, Normalised());
  const int32_t normalised = Normalised();

  switch (header->code) {
    case NM_RCLICK:
      ShowContextMenu(window, normalised);
      break;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      LabelEdit() = TreeView_GetEditControl(s.eventTree);
      if (LabelEdit()) SendMessageA(LabelEdit(), EM_LIMITTEXT, kRaceNameEditLimit, 0);
      break;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW:
      // Only the text pointer is looked at, which both forms place alike.
      EndLabelEdit(window, *reinterpret_cast<const NMTVDISPINFOA*>(header), normalised);
      break;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      return ItemExpanding(window, normalised) ? FALSE : TRUE;
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
      // A series that cannot be saved is not left.
      return SaveSeriesResults(MainSeriesDesk(window)) ? FALSE : TRUE;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      SelectionChanged(window, selected, normalised);
      break;
  }
  return 0;
}

}  // namespace zd
