#pragma once
// The main window as its commands see it: the dialogs it opens, its message boxes, the result
// editors and the club transponder list over the board, the board's repaints, its menus, the
// decoder link and the event tree's label edit. The window gives the real ones; tests give a
// double whose dialogs write the files the real dialogs write.
//
// Also here: what every command works on (CommandDesk) and the editing state of the board that
// most commands leave first.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/live_file.h"
#include "main/board_interaction.h"
#include "main/series_loading.h"

namespace zd {

// The modal dialogs that the main window's commands open, owned by the main window, with
// parameter 0 unless said otherwise; their result is never used.
enum class MainDialog {
  VehicleCategories,
  Vehicles,
  Clubs,
  AgeCategories,
  Drivers,
  Championships,
  TransponderPacks,
  Frequencies,
  Penalties,
  Translation,
  SoundSettings,
  DisplaySettings,
  Interface,
  Internet,
  EventInformation,
  Track,
  Participants,
  PracticeParameters,
  QualifyingParameters,
  RoundsParameters,
  PracticeArrangement,
  QualifyingArrangement,
  StartingGrid,
  DriverResults,
  SeriesResults,
  SeriesComment,
};
// The dialog template that each is built from ("BASECATEGORIES" ...).
std::string_view DialogTemplateName(MainDialog dialog);

enum class MessageIcon { None, Error, Warning, Question };

// One result editor over a board cell: its control id, place and first text.
struct ResultEditorPlacement {
  int32_t id = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::string text;
};

// A repaint that forces no edited or club transponder cell (RedrawChangedLiveCells' "previous
// first row" of none).
inline constexpr int32_t kNoForcedCells = 1000;

class CommandWindow {
 public:
  virtual ~CommandWindow() = default;

  // Returns once the dialog is closed.
  virtual void openDialog(MainDialog dialog) = 0;
  // "PENALITESBIS" with the address of the clicked ranking row, into which it writes the chosen
  // penalty index.
  virtual void openPenaltyDialog(LiveRankingEntry& row) = 0;
  // The additional live screen, modeless and maximised, given the flag it keeps at 1 while it is
  // open; it becomes the target of the live screen refreshes.
  virtual void openLiveScreen(int32_t& openFlag) = 0;
  virtual void refreshLiveScreen(int32_t what) = 0;
  // Opens a document with the shell's "open" action.
  virtual void openDocument(std::string_view path) = 0;
  virtual void makeDataFolderCurrent() = 0;

  virtual void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
  // Yes and No with the question icon; true for Yes.
  virtual bool askYesNo(std::string_view text, std::string_view caption) = 0;
  // Plays a wave file without waiting for it.
  virtual void playSound(std::string_view file) = 0;

  // Sends command 9103 to the main window and returns once it is handled.
  virtual void leaveResultsEditMode() = 0;
  virtual void closeResultEditors() = 0;
  virtual void closeClubTransponderBox() = 0;
  // Creates the editors in order; each one's handler runs as its first text is set.
  virtual void createResultEditors(std::span<const ResultEditorPlacement> editors) = 0;
  // The ClubTransponderBox: a drop-down list of the texts in order, the item selected (-1 for
  // none).
  virtual void createClubTransponderBox(const ControlPlacementRect& place,
                                        std::span<const std::string> texts, int selected) = 0;

  // The scroll position: the ranking row that the first board row shows.
  virtual int32_t firstShownRow() = 0;
  // RedrawChangedLiveCells with the given previous first row.
  virtual void redrawChangedLiveCells(int32_t previousFirstRow) = 0;
  // The column-header bar flagged and repainted.
  virtual void repaintColumnHeaderBar() = 0;
  // The club-or-nation cells of the rows shown, every one or those whose club or nation code
  // differs from what the board shows: their texts copied into the shown rows, flagged and
  // repainted.
  virtual void repaintClubCells(bool everyRow) = 0;
  // After the display settings: the whole window invalidated, the tree's background, the row
  // metrics, the scroll bar back to the first row, and the board repainted in full.
  virtual void relayoutBoard() = 0;

  // Every menu caption set again from the main menu table in the software language.
  virtual void retranslateMenus() = 0;
  // The picture of the "Internet" item: live publishing on or off.
  virtual void showLivePublishing(bool on) = 0;

  // Before the interface dialog: no keep-alive and no reconnection pending. After it: the link
  // initialised again from its settings file at the next tick.
  virtual void suspendDecoderLink() = 0;
  virtual void reinitialiseDecoderLink() = 0;

  // The in-place edit of the selected tree node's label.
  virtual void editSelectedTreeLabel() = 0;
};

// The editing over the board that most commands leave first. The main window keeps each value;
// the transponder modes arm and use the club transponder list too.
struct BoardEditing {
  int32_t& resultsEditMode;      // ResultsEditMode
  int32_t& editRow;              // EditRow: the ranking row of the open editors
  int32_t& clubAssignmentArmed;  // ClubAssignmentArmed: the club transponder list may open
  int32_t& clubTransponderRow;   // ClubTransponderRow: the ranking row of that list
};

// Everything a command of the main window works on. It refers to the window's own records, so
// build it for each call rather than keep it.
struct CommandDesk {
  SeriesDesk series;
  CommandWindow& window;
  BoardEditing editing;
};

// Results editing left (9103 and its recomputation), club transponders disarmed and their list
// closed: the first step of most commands.
inline void LeaveBoardEditing(const CommandDesk& desk) {
  desk.window.leaveResultsEditMode();
  desk.editing.clubAssignmentArmed = 0;
  desk.window.closeClubTransponderBox();
}

}  // namespace zd
