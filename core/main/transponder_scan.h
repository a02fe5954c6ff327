#pragma once
// Where the cars of the loaded series get their transponders (TransponderMode): from their
// participant records ("Puces perso"), from a club's pack, one row at a time ("Puces club"), or
// from the decoder ("Mixte (scan)"). The scan gives each transponder that passes for the first
// time to the lowest-numbered car that has none yet and announces that car's number; once every
// car has one, the check follows: each car's first passing more than 2 s after the check began
// counts as one lap, and when every car has passed the cars must have done so in the order of
// their slot numbers, which is the order in which the scan met them.
//
// The check's laps are a test, not a run: a check abandoned half-way leaves the series without
// results, so that they cannot be saved as the series' results.

#include <array>
#include <cstdint>
#include <string_view>

#include "main/main_window_model.h"
#include "main/race_commands.h"
#include "main/race_timer.h"

namespace zd {

// The status field (2106).
inline constexpr std::string_view kScanStatusOff = " Off";
inline constexpr std::string_view kScanStatusScanning = " Scan en cours";
inline constexpr std::string_view kScanStatusChecking = " Vérif en cours";
inline constexpr std::string_view kScanStatusDone = " Vérif terminée";

// A car's passing in the check counts once this long has passed since the check began.
inline constexpr int64_t kCheckIgnoredMs = 2000;

// What the scan greys while it runs: the menus of a series, and every control that could change
// the series under it. "Mixte (scan)", the scan button and the manual lap buttons stay enabled.
inline constexpr std::array<int32_t, 7> kScanLockedWindows = {
    5000,              // the event tree
    2001, 2002, 2003,  // start, stop, clear
    2101, 2102,        // "Puces perso", "Puces club"
    2104,              // the transponder packs
};

// The scan's own controls.
class TransponderScanSurface {
 public:
  virtual ~TransponderScanSurface() = default;
  virtual void setScanStatus(std::string_view text) = 0;
  // The scan button (a push-like check box) shown not selected.
  virtual void releaseScanButton() = 0;
};

struct TransponderScanContext {
  SeriesCommandContext commands;
  TransponderScanSurface& scan;
};

// The scan button (2105), with the state the click gave it: selected while the series shows its
// starting list starts the scan; not selected while the scan or check runs abandons it. Ends with
// command 9103 in every case.
void ScanButtonCommand(const TransponderScanContext& context, bool selected);

// One tick of the scan or the check: one read of the port, each passing handled at once, then
// the end test. The scan that ends goes on with the check in the same tick.
void RunTransponderScanStep(const TransponderScanContext& context);

// The passing procedures of the scan and the check, for one transponder text ("%06d"); the
// reconnection uses them too.
void ScanPassing(const RaceControl& control, std::string_view transponder);
void CheckPassing(const RaceControl& control, std::string_view transponder);

// The check's verdict on the ranked rows: their slot numbers rise from the first row to the last.
// No row is a wrong order; one row a right one.
bool PassedInSlotOrder(const LiveRankingEntries& rows, int32_t rowCount);

// The club transponder list of a row ("PucesClubs"); the other controls are in
// main/main_window_model.h.
inline constexpr int32_t kClubTransponderList = 2107;

// TransponderMode, as its three radio buttons choose it.
inline constexpr int32_t kPersonalTransponderMode = 0;
inline constexpr int32_t kClubTransponderMode = 1;
inline constexpr int32_t kMixedTransponderMode = 2;

// What a mode control (2101 to 2104) does to the TransponderMode, to ClubAssignmentArmed (a click
// in a row's transponder cell may open the club transponder list) and to the loaded series'
// transponders; selectionChanged tells a new choice in the pack list from its other
// notifications. While the scan or its check runs the controls are ignored, since the
// transponders are being learned: false, nothing changed. Otherwise the caller removes the club
// transponder list, shows the controls of the mode and sends 9103.
bool ApplyTransponderModeControl(LiveSeries& series, const RaceTimerState& timer, int32_t& mode,
                                 int32_t& clubAssignmentArmed, int32_t control,
                                 bool selectionChanged);

// "Puces perso": every slot of both tables, ranking row and board row takes the transponder of
// the participant of the same name (the last one of a name); one matching nobody keeps its own.
void TakePersonalTransponders(LiveSeries& series);
// No transponder in either table, the ranking rows or the board rows.
void ClearTransponders(LiveSeries& series);
// A club transponder chosen for ranking row row: that row, and every slot of both tables and
// every board row carrying its driver's name, take it.
void AssignClubTransponder(LiveSeries& series, int row, std::string_view transponder);

}  // namespace zd
