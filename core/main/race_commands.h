#pragma once
// The three buttons that control the loaded series: StartSeriesButton (2001) arms it and starts
// its countdown, StopSeriesButton (2002) ends it, also when the program presses it itself for an
// automatic stop, and ClearSeriesButton (2003) shows its starting list again after a question.
// Stopping also makes the results that are saved: the live slots copied into the saved table
// with the penalties applied. Here too: the recomputation that leaving the results edit mode
// (command 9103) runs, with which every one of the three commands ends.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/event_sections.h"
#include "main/penalties.h"
#include "main/race_timer.h"

namespace zd {

// What the series commands grey while a series is armed or running, so that the event, the
// databases and the settings cannot change under it. The stop button and the manual lap buttons
// stay enabled.
inline constexpr std::array<int32_t, 21> kSeriesLockedMenuCommands = {
    1001, 1002, 1003, 1004, 1005,                    // event file commands
    1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013,  // databases
    1014,                                            // penalties
    1019, 1020, 1021, 1022, 1023,  // translation, sounds, display, interface, internet
    9104, 9105,                    // detailed results, series comment
};
// "Enregistrer" needs a file to save to: it is enabled again only when the event has one.
inline constexpr int32_t kSaveEventCommand = 1003;
inline constexpr std::array<int32_t, 8> kSeriesLockedWindows = {
    5000,              // the event tree
    2001, 2003,        // start and clear
    2105,              // transponder scan
    2101, 2102, 2103,  // transponder modes
    2104,              // transponder packs
};

inline constexpr std::string_view kClearQuestion =
    "Etes vous sûr de vouloir effacer les résultats de la série?\nLes données seront "
    "définitivement perdues";
inline constexpr std::string_view kClearQuestionCaption = "Zentrik";

// The main window's menus and controls as the series commands drive them.
class SeriesControlSurface {
 public:
  virtual ~SeriesControlSurface() = default;
  virtual void enableMenuCommand(int32_t command, bool enabled) = 0;
  // The "Modifier résultats" submenu of the results popup.
  virtual void enableResultsEditSubmenu(bool enabled) = 0;
  virtual void enableWindow(int32_t id, bool enabled) = 0;
  // A Yes/No question with the question icon; true for Yes.
  virtual bool askQuestion(std::string_view text, std::string_view caption) = 0;
  // Sends command 9103 to the main window and returns when it is handled: the window closes the
  // result editors and calls RecomputeLoadedSeries.
  virtual void leaveResultsEditMode() = 0;
  // Destroys the club transponder list of a row, when one is open.
  virtual void removeClubTransponderBox() = 0;
  // Plays a wave file and returns when it has ended.
  virtual void playSoundAndWait(std::string_view file) = 0;
};

struct SeriesCommandContext {
  RaceControl control;
  SeriesControlSurface& surface;
  const PenaltyTable& penalties;  // the event's list
  PenaltySlotTable& penaltySlots;
  int32_t eventHasFile = 0;
};

// Greys (or enables again) the controls listed above.
void EnableSeriesControls(SeriesControlSurface& surface, bool enabled, bool eventHasFile);

// 2001: arms a series that shows its starting list and starts its countdown. While a series is
// armed, running or scanning (its button is then greyed), nothing happens.
void StartSeriesCommand(const SeriesCommandContext& context);
// 2002: ends the armed state or the run. A running series gets its finish marks, its end signal,
// the rest clock when it has rest minutes and a last live file; in every case the saved table is
// made again from the live one with the penalties.
void StopSeriesCommand(const SeriesCommandContext& context);
// 2003: after the operator's Yes, the results are erased and the starting list shown again.
void ClearSeriesCommand(const SeriesCommandContext& context);

// SeriesHasResults from the saved table: 1 when a named slot has passings, laps, race time or a
// best lap; SeriesSaveNeeded is raised with it.
void CheckSeriesResults(LiveSeries& series);

// The starting list of the loaded series again: fresh slots in both tables, the starting rows,
// the texts "." and " ", the round's capacity when its section does not exist yet, the clocks at
// zero; then the clock and countdown panels and the changed cells repainted.
void ResetToStartingList(const RaceControl& control);

// What 9103 recomputes once the window has closed the result editors: a series without results
// shows its starting list again; one with results is ranked from the saved table, so that the
// board shows the penalised results. Then the changed cells are repainted.
void RecomputeLoadedSeries(const RaceControl& control);

}  // namespace zd
