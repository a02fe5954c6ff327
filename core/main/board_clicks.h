#pragma once
// What the clicks on the rows of the live board and its scrolling do once the window knows
// which row was hit (board_interaction.h): the board brought up to date, a driver's detailed
// results, the club transponder list of a row, and the assignment of a penalty or an
// abandonment with the results ranked again. Also the event's penalties taken from the
// penalties database, which the first penalty click and the penalties dialog share.

#include <cstdint>
#include <string_view>

#include "files/databases.h"
#include "main/board_layout.h"
#include "main/command_window.h"

namespace zd {

inline constexpr std::string_view kTakeDatabasePenaltiesQuestion =
    "Souhaitez vous mettre à jour les pénalités de la course avec celles de la base de données "
    "actuelle du logiciel ?";
inline constexpr std::string_view kTakeDatabasePenaltiesCaption = "Zentrik";
inline constexpr std::string_view kPenaltiesDatabaseMissing =
    "Error : 'Penalties' database file not found";

// After each click: the editors and the club transponder list closed, the texts of a ranked
// series formatted again (an edit shows), and the changed cells repainted.
void UpdateBoardAfterClick(const CommandDesk& desk);
// After the scroll position moved from previousFirstRow: the same, the cells that the closed
// controls covered repainted at their old place.
void UpdateBoardAfterScroll(const CommandDesk& desk, int32_t previousFirstRow);

// Ctrl+click on a position cell: "ResultatPilote.res" for the row's car, then
// "PILOTERESULTATDETAIL". A row below the cars has no car to show: nothing happens.
void ShowDriverResults(const CommandDesk& desk, int32_t screenRow);

// A click on the transponder cell while club transponders are assigned: the results editing
// stops and the row gets a list of the pack's 20 transponders (none without a pack), its own
// transponder selected when the pack holds it exactly.
void OpenClubTransponderBox(const CommandDesk& desk, const BoardLayout& layout, int32_t rowHeight,
                            int32_t screenRow, const TransponderPackRecord* pack);

// The event's list replaced by the penalties database and written into the race file. A
// database that cannot be read, or whose list the race file cannot hold, is reported and changes
// nothing: false.
bool TakeDatabasePenalties(const CommandDesk& desk);

// The penalty indexes of the slots that no longer name an entry of the list go back to none.
void DropStalePenalties(LiveSeriesTable& table, const PenaltyTable& penalties);

// The first penalty click of an event: the operator may take the database's penalties (always,
// when the race file has none); then the per-slot penalty table starts again from 0.
void PrepareRacePenalties(const CommandDesk& desk);

// Ctrl+right click on a position cell: "PENALITESBIS" on the row, its choice copied to the car's
// slots, the penalties applied to the saved table and the series ranked again when the results
// changed (or its starting list shown when it has none). Refused while a series is armed,
// running or scanned, whose results are still being written.
void AssignPenalty(const CommandDesk& desk, int32_t screenRow);

}  // namespace zd
