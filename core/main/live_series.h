#pragma once
// The series loaded in the main window: its two tables of 50 slots, the rows of its live ranking
// and of the board, the participants and arrangement of its race, and the values that loading,
// saving and the tree share about it; then the operations on those tables that the race control
// uses everywhere (clearing, resetting, collecting the starting rows, copying participant data
// into the slots, finding a radio frequency conflict).
//
// Slot k (1 to 50) is table index k - 1 and the car of manual lap button k. A slot named exactly
// "(NA)" is empty.

#include <array>
#include <cstdint>
#include <memory>

#include "files/fixed_text.h"
#include "files/live_file.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/series_sections.h"

namespace zd {

// The race control's name for a table of 50 slots: the LiveSeriesTable holds the results as
// recorded (what is saved), the SavedSeriesTable its copy with the penalties applied.
using LiveSeriesTable = SeriesTable;

// "2.4Ghz" equipment never shares a channel with anyone.
inline constexpr std::string_view kNoConflictFrequency = "2.4Ghz";

// Practice and qualifying series run by laps stop after this many hours, rounds after 24, or 6
// when their capacity is 1000 passings.
inline constexpr int32_t kPracticeLapSeriesTimeLimit = 2;

// The penalty index of the abandonment, entry 0 "A" of every penalty list.
inline constexpr int32_t kAbandonmentIndex = 1;

inline bool IsEmptySlot(const SeriesResultEntry& slot) { return slot.name == kEmptySlotName; }

// The series node last loaded in a phase.
struct LoadedSeriesNode {
  int32_t selectionCode = 0;
  int32_t normalisedNodeCode = 0;
  std::uintptr_t treeItem = 0;  // the tree view's item, kept for the window
};

// Everything the main window keeps about its loaded series. The two tables are 1.8 MB each and
// live on the heap; the rest is about 90 KB, so own a LiveSeries on the heap too.
struct LiveSeries {
  LiveSeries();
  LiveSeries(const LiveSeries&) = delete;
  LiveSeries& operator=(const LiveSeries&) = delete;

  std::unique_ptr<LiveSeriesTable> liveTable;   // LiveSeriesTable
  std::unique_ptr<LiveSeriesTable> savedTable;  // SavedSeriesTable

  LiveRankingEntries rankingEntries;
  int32_t rowCount = 0;  // named slots of the series: the ranked rows
  LiveRows rows;         // the board's text rows, in rank order
  LiveRows shownRows;    // what the board shows; the changed-cell redraw keeps it

  ParticipantTable loadedParticipants;  // LoadedParticipants, of the loaded series' race
  ArrangementNames arrangementNames;
  int32_t practiceDriversPerSeries = 0;
  int32_t qualifyingDriversPerSeries = 0;
  int32_t qualifiedCount = 0;  // of the StartingGrid

  std::array<LoadedSeriesNode, 3> loadedSeriesNode;  // indexed by RacePhase
  FixedText<105> seriesSectionTitle;
  FixedText<80> seriesTitle;
  SeriesTexts texts;  // RunDescription, SeriesComment, TrackCondition

  int32_t seriesLoaded = 0;
  // StartingListShown: the start command needs the first, the transponder scan the second;
  // they are always set together.
  int32_t startingListShown = 0;
  int32_t startingListShownForScan = 0;
  int32_t seriesClearAllowed = 0;
  int32_t seriesSaveNeeded = 0;
  int32_t seriesHasResults = 0;
  int32_t radioConflict = 0;
  int32_t roundCapacity = 0;
  int32_t roundSectionExists = 0;
  int32_t lapSeriesTimeLimit = kPracticeLapSeriesTimeLimit;  // hours

  SeriesParameters parameters;  // with the PassingCapacity of the loaded series
  LiveClockTexts clockTexts;
};

// Every field of the 50 slots 0 or empty.
void ClearSeriesResultEntries(LiveSeriesTable& table);
void ClearLiveRankingEntries(LiveRankingEntries& rows);
void ClearLiveRows(LiveRows& rows);

// Prepares the slots for a run: numbers them 1 to 50 and clears their results and flags. An
// empty slot gets 1500000000 as race time, best lap, spare time and every passing time, so that it
// ranks last, and is finished and seen from the start. The texts stay.
void ResetSeriesResultSlots(LiveSeriesTable& table);

// Fills the ranking rows from the first with the named slots in slot order (a slot with an empty
// name counts as named), the rest with empty finished rows; returns the number of named slots.
int32_t CollectRankingEntries(LiveRankingEntries& rows, const LiveSeriesTable& table);

// The board's starting list: the first count ranking rows as text, with their place, slot, laps
// and passings.
void FillStartingRows(LiveRows& rows, const LiveRankingEntries& entries, int32_t count);

// 1 when two slots whose drivers are participants carry the same first radio frequency, unless it
// is empty or "2.4Ghz" (compared whole and case-sensitively); otherwise result. A driver placed in
// two slots counts twice.
int32_t CheckFrequencyConflicts(const LiveSeriesTable& table, const ParticipantTable& participants,
                                int32_t result);

// Copy a participant's text into each slot carrying the participant's name; with several
// participants of one name the last one wins, and a slot matching nobody keeps its text.
void CopyCarNumbersToSlots(LiveSeriesTable& table, const ParticipantTable& participants);
void CopyCategoriesToSlots(LiveSeriesTable& table, const ParticipantTable& participants);
void CopyClubsAndNationsToSlots(LiveSeriesTable& table, const ParticipantTable& participants);
void CopyTranspondersToSlots(LiveSeriesTable& table, const ParticipantTable& participants);

}  // namespace zd
