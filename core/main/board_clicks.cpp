#include "main/board_clicks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "files/handover_files.h"
#include "main/live_ranking.h"
#include "main/passing.h"
#include "main/penalty_carry.h"
#include "main/race_commands.h"

namespace zd {

namespace {

LiveSeries& SeriesOf(const CommandDesk& desk) { return desk.series.control.race.series; }

void ShowError(const CommandDesk& desk, std::string_view text) {
  desk.window.showMessage(text, kErrorCaption, MessageIcon::None);
}

void FormatRankedRows(LiveSeries& s) {
  if (s.startingListShown != 0) return;
  SplitRankingTimes(s.rankingEntries, s.rowCount);
  FormatLiveRows(s.rankingEntries, s.rows, s.parameters.rankingMode, s.rowCount);
}

void CloseBoardControls(const CommandDesk& desk) {
  desk.window.closeResultEditors();
  desk.window.closeClubTransponderBox();
}

}  // namespace

void DropStalePenalties(LiveSeriesTable& table, const PenaltyTable& penalties) {
  const int count = CountPenalties(penalties);
  for (SeriesResultEntry& slot : table) {
    if (slot.penaltyIndex > count) slot.penaltyIndex = 0;
  }
}

void UpdateBoardAfterClick(const CommandDesk& desk) {
  CloseBoardControls(desk);
  FormatRankedRows(SeriesOf(desk));
  desk.window.redrawChangedLiveCells(desk.window.firstShownRow());
}

void UpdateBoardAfterScroll(const CommandDesk& desk, int32_t previousFirstRow) {
  CloseBoardControls(desk);
  FormatRankedRows(SeriesOf(desk));
  desk.window.redrawChangedLiveCells(previousFirstRow);
}

void ShowDriverResults(const CommandDesk& desk, int32_t screenRow) {
  const LiveSeries& s = SeriesOf(desk);
  const std::optional<int> slot =
      SlotIndexOfRow(s.rankingEntries, screenRow + desk.window.firstShownRow());
  if (!slot) return;
  if (!WriteDriverResultFile(*s.liveTable, *slot, s.seriesTitle, desk.series.event.trackName,
                             s.texts.description)) {
    ShowError(desk, kDriverResultFileFailed);
  }
  desk.window.openDialog(MainDialog::DriverResults);
}

void OpenClubTransponderBox(const CommandDesk& desk, const BoardLayout& layout, int32_t rowHeight,
                            int32_t screenRow, const TransponderPackRecord* pack) {
  desk.editing.resultsEditMode = 0;
  const int32_t row = screenRow + desk.window.firstShownRow();
  desk.editing.clubTransponderRow = row;
  std::vector<std::string> texts;
  int selected = -1;
  if (pack != nullptr) {
    const std::string_view own =
        row >= 0 && row < kLiveRows ? SeriesOf(desk).rows[row].transponder.view() : "";
    for (const FixedText<7>& transponder : pack->transponders) {
      if (selected < 0 && transponder == own) selected = static_cast<int>(texts.size());
      texts.push_back(transponder.str());
    }
  }
  desk.window.createClubTransponderBox(ClubTransponderBoxPlacement(layout, rowHeight, screenRow),
                                       texts, selected);
}

bool TakeDatabasePenalties(const CommandDesk& desk) {
  // Read aside: an unreadable database must not empty the event's own list, whose indexes the
  // results carry.
  PenaltyTable read;
  ClearPenaltyTable(read);
  if (!ReadPenalties(kPenaltiesFile, read)) {
    ShowError(desk, kPenaltiesDatabaseMissing);
    return false;
  }
  // A list the race file cannot hold is refused as a whole: the event keeps its own.
  if (!PenaltiesFit(read)) {
    ShowError(desk, kPenaltiesDoNotFit);
    return false;
  }
  EventState& event = desk.series.event;
  // The database closes the gaps of deleted penalties: the stored indexes follow their codes.
  const PenaltyTable before = event.penalties;
  event.penalties = read;
  LiveSeries& s = SeriesOf(desk);
  CarryPenaltyIndexes(*s.liveTable, before, read);
  CarryPenaltyIndexes(*s.savedTable, before, read);
  CarryPenaltyIndexes(desk.series.penaltySlots, before, read);
  for (LiveRankingEntry& entry : s.rankingEntries)
    entry.penaltyIndex = CarriedPenaltyIndex(entry.penaltyIndex, before, read);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowError(desk, kRaceFileNotFound);
    return true;
  }
  Outcome written = WritePenaltiesSection(file, event.penalties);
  if (written) written = CarryRaceFilePenalties(file, before, read);
  file.close();
  if (!written) ShowError(desk, written.message);
  return true;
}

void PrepareRacePenalties(const CommandDesk& desk) {
  EventState& event = desk.series.event;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowError(desk, kRaceFileNotFound);
  } else {
    const bool listed = FindSection(file, kPenaltiesTitle);
    file.close();
    const bool take = !listed || desk.window.askYesNo(kTakeDatabasePenaltiesQuestion,
                                                      kTakeDatabasePenaltiesCaption);
    if (take) {
      event.racePenaltiesFromDatabase = 1;
      if (TakeDatabasePenalties(desk))
        DropStalePenalties(*SeriesOf(desk).liveTable, event.penalties);
    }
  }
  event.racePenaltiesPrepared = 1;
  desk.series.penaltySlots.fill(0);
}

void AssignPenalty(const CommandDesk& desk, int32_t screenRow) {
  const RaceControl& control = desk.series.control;
  if (SeriesIsLive(control.race.state, control.timer)) return;
  const int32_t rankingRow = screenRow + desk.window.firstShownRow();
  if (rankingRow < 0 || rankingRow >= kLiveRows) return;
  EventState& event = desk.series.event;
  LiveSeries& s = SeriesOf(desk);
  LiveSeriesTable& live = *s.liveTable;
  LiveSeriesTable& saved = *s.savedTable;

  if (event.racePenaltiesPrepared == 0) PrepareRacePenalties(desk);
  desk.window.openPenaltyDialog(s.rankingEntries[rankingRow]);

  for (SeriesResultEntry& slot : live) {
    for (const LiveRankingEntry& entry : s.rankingEntries) {
      if (entry.name == slot.name) slot.penaltyIndex = entry.penaltyIndex;
    }
  }
  CopySeriesForSave(live, saved, desk.series.penaltySlots, event.penalties);
  ApplyPenalties(saved, live, event.penalties);

  bool changed = false;
  for (const SeriesResultEntry& slot : saved) {
    for (const LiveRankingEntry& entry : s.rankingEntries) {
      if (entry.name != slot.name) continue;
      if (slot.laps != entry.laps || slot.raceTime != entry.raceTime ||
          slot.bestLap != entry.bestLap) {
        changed = true;
      }
    }
  }

  CheckSeriesResults(s);
  if (s.seriesHasResults == 0) {
    ResetToStartingList(control);
    return;
  }
  if (changed) {
    int32_t& best = control.race.state.seriesBestLap;
    best = kNoSeriesBestLap;
    for (int i = 0; i < kMaxSeriesSlots; ++i) UpdateFastestLapHolder(best, saved, i);
    RankLiveSeries(s.parameters.rankingMode, saved, s.rankingEntries, s.rows, s.rowCount);
    desk.window.redrawChangedLiveCells(kNoForcedCells);
  }
  s.startingListShown = 0;
  s.startingListShownForScan = 0;
}

}  // namespace zd
