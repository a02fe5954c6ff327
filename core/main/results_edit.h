#pragma once
// Correcting the results of the loaded series by hand on the live board, and handing the series
// to its detailed results and comment dialogs. While ResultsEditMode is on, a Ctrl+click on the
// laps, total-time, last-lap or best-lap cell of a row opens small numeric editors over it; each
// change of an editor's text goes at once into the row and into the car's slots of both series
// tables (found by driver name), kept within the bounds of the series' phase. Nothing is ranked
// while typing: leaving the mode (9103) ranks the series again from the saved table.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "files/phase_sections.h"
#include "main/board_layout.h"
#include "main/command_window.h"

namespace zd {

inline constexpr int32_t kResultsMenuCommand = 9101;
inline constexpr int32_t kResultsEditOnCommand = 9102;
inline constexpr int32_t kResultsEditOffCommand = 9103;
inline constexpr int32_t kSeriesResultsCommand = 9104;
inline constexpr int32_t kSeriesCommentCommand = 9105;
inline constexpr int32_t kFirstResultEditor = 9201;
inline constexpr int32_t kLastResultEditor = 9213;
inline constexpr int kResultEditors = kLastResultEditor - kFirstResultEditor + 1;

inline constexpr std::string_view kPenalisedNotEditable =
    "Les résultats de course peuvent être modifiés uniquement pour les pilotes qui n'ont pas de "
    "pénalité";
inline constexpr std::string_view kPenalisedNotEditableCaption = "Message";
inline constexpr std::string_view kEditorsOpenSound = "sons/beep1.wav";

// The value of a row that an editor holds.
enum class EditedValue { Laps, RaceTime, LastLap, BestLap };
enum class TimePart { Whole, Hours, Minutes, Seconds, Milliseconds };

struct ResultEditorField {
  int32_t id = 0;
  int column = 0;  // the width column of the cell it covers
  EditedValue value = EditedValue::Laps;
  TimePart part = TimePart::Whole;
};
// The editor of an id (9201 to 9213); nothing for another id.
std::optional<ResultEditorField> ResultEditorOf(int32_t id);

// The bounds follow the phase of the loaded series; a series of no phase gets no limit and no
// bound on its laps and hours.
// The characters an editor takes; 0 for no limit.
int32_t EditorTextLimit(int32_t id, std::optional<RacePhase> phase);
// The largest value an editor keeps: hours 24 in a round and 2 in practice and qualifying,
// minutes and seconds 59; nothing for laps and milliseconds.
std::optional<int32_t> EditorUpperBound(int32_t id, std::optional<RacePhase> phase);

// An editor's text as an unsigned decimal number: leading blanks, then digits; no digit gives 0,
// and a number beyond the int range its largest value.
int32_t ReadEditorNumber(std::string_view text);

// The editors of a cell of a board row on screen, in id order, with the row's current values as
// their first texts.
std::vector<ResultEditorPlacement> ResultEditorPlacements(const BoardLayout& layout,
                                                          int32_t rowHeight, int32_t screenRow,
                                                          int column, const LiveRankingEntry& row);

// What a change of an editor's text did: the value stored and, when the text went beyond the
// editor's bound, the text to show instead (setting it runs the change again, within bounds).
struct EditorChange {
  int32_t stored = 0;
  std::optional<std::string> clampedText;
};
// An editor's new text into the edited row (EditRow), then into the slots of both tables that
// carry the row's driver name: laps, race time, best lap, or the lap time at the slot's own
// passing count for the last lap. The starting list is no longer what the board shows.
EditorChange ApplyEditorText(LiveSeries& series, int32_t editRow, int32_t id,
                             std::string_view text);

// 9102: the mode on, when it is off; club transponders disarmed, editors and list closed.
void SwitchResultsEditOn(const CommandDesk& desk);
// 9103: the mode off, the editors closed and the series recomputed from the saved table. The
// club transponder list stays.
void SwitchResultsEditOff(const CommandDesk& desk);
// A Ctrl+click on an editable cell (column 4, 5, 8 or 9) of a board row while the mode is on:
// EditRow becomes that row and its editors open, unless its car carries a penalty.
void CreateResultEditors(const CommandDesk& desk, const BoardLayout& layout, int32_t rowHeight,
                         int32_t screenRow, int column);
// 9104: "ResultatSerie.res" written from the live table, then "SERIERESULTATDETAIL".
void ShowSeriesResults(const CommandDesk& desk);
// 9105: "CommentaireSerie.res" written from the series' texts, "SERIECOMMENTAIRE", then the
// track condition and comment read back; a failed read keeps those held before.
void EditSeriesComment(const CommandDesk& desk);

}  // namespace zd
