#pragma once
// The series chosen in the event tree made live in the main window, and its results written
// back: loading a practice series, a qualifying series or a round from the race file into the
// live tables (one procedure for the three phases), the reloads that the arrangement commands ask
// for, the emptying of the board, and the save of the loaded series into its section with the
// race header, the tree flags and the image of its node.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "files/fixed_text.h"
#include "main/event_state.h"
#include "main/event_tree.h"
#include "main/penalties.h"
#include "main/race_timer.h"

namespace zd {

// TransponderMode: where the slots of the loaded series take their transponders.
enum TransponderMode : int32_t {
  kTransponderPersonal = 0,  // "Puces perso"
  kTransponderClub = 1,      // "Puces club"
  kTransponderMixed = 2,     // "Mixte (scan)"
};

inline constexpr std::string_view kParticipantsTitleMissing =
    "Error: Title of the list of participants not found";
inline constexpr std::string_view kPracticeArrangementMissing =
    "Error: Title of the free practice series arrangement not found";
inline constexpr std::string_view kQualifyingArrangementMissing =
    "Error: Title of the qualification series arrangement not found";
inline constexpr std::string_view kStartingGridMissing =
    "Error: Title of the endurance rounds starting grid not found";
inline constexpr std::string_view kPracticeSeriesMissing =
    "Error: Title of the free practice heat not found";
inline constexpr std::string_view kQualifyingSeriesMissing =
    "Error: Title of the qualifying heat not found";

// ManualLapButton k as a load leaves it: enabled for a car of the series, captioned with its car
// number, or with its place on the board followed by "+" when it has none.
struct LapButton {
  bool enabled = false;
  FixedText<8> caption;
};
using LapButtons = std::array<LapButton, kMaxSeriesSlots>;
LapButtons LapButtonCaptions(const LiveRankingEntries& rows);

// What loading and saving ask of the main window besides the race control.
class SeriesWindow {
 public:
  virtual ~SeriesWindow() = default;
  // A message box with the caption "Error" and an OK button; the error icon when asked.
  virtual void showError(std::string_view text, bool errorIcon) = 0;
  // The results editing left without a command: the editors and the club transponder list gone.
  virtual void leaveResultsEditing() = 0;
  // "Activer" (9102) and "Désactiver" (9103) of the results menu.
  virtual void enableResultsEditing(bool enabled) = 0;
  virtual void setLapButtons(const LapButtons& buttons) = 0;
  // The board laid out for the loaded series and repainted whole (RefreshBoard).
  virtual void refreshBoard() = 0;
  // After a reload: the row metrics again, the first row shown, the header, rows and panels.
  virtual void reloadBoard() = 0;
  // No series: no rows, no scroll bar, every area repainted.
  virtual void emptyBoard() = 0;
};

// Everything a load or a save works on. It refers to the window's own records, so build it for
// each call rather than keep it.
struct SeriesDesk {
  RaceControl control;  // its series is the loaded one
  EventState& event;
  EventTreeView& tree;
  SeriesWindow& window;
  PenaltySlotTable& penaltySlots;
  int32_t transponderMode = kTransponderPersonal;
};

// The phase of the loaded series, from its section title; nothing when no series is loaded.
std::optional<RacePhase> LoadedSeriesPhase(const LiveSeries& series);
// The race of the loaded series, or 0.
int LoadedSeriesRace(const LiveSeries& series);

// The name of place index of an arrangement: "(NA)" when the place lies beyond the 250 names,
// where the header's counts can point, or holds no name.
std::string_view ArrangedName(const ArrangementNames& names, int index);

// Loads the series (round) of the node, the selection code and normalised code of which are
// given, with its tree item; a node that is not a series changes nothing. Every failure is shown
// and skips what it concerns; the load always ends with a board.
void LoadSeries(const SeriesDesk& desk, int32_t selectionCode, int32_t normalised, TreeItem item);
// Commands 10000 (practice), 10001 (qualifying) and 10002 (round): the series remembered for the
// phase loaded again with the arrangement just changed, without results.
void LoadSeriesCommand(const SeriesDesk& desk, RacePhase phase);
// No series on the board any more.
void UnloadSeries(const SeriesDesk& desk);

// Writes the loaded series into its section when it has or had results, with the race header,
// the tree flags and its node's image. False when it had to be written and could not be: the
// failure has been shown, and nothing in memory changed, so that the caller keeps the series.
bool SaveSeriesResults(const SeriesDesk& desk);

// After the participant details dialog changed race's participants: the loaded series takes
// their transponders (personal transponders), categories and car numbers, and its radio
// conflict is found again. A series of another race, or none, is left alone.
void RefreshLoadedParticipants(const SeriesDesk& desk, int race);

}  // namespace zd
