#include "main/series_loading.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "files/participants.h"
#include "files/series_sections.h"
#include "main/live_ranking.h"
#include "main/race_commands.h"

namespace zd {

namespace {

int PhaseIndex(RacePhase phase) { return static_cast<int>(phase); }

// What tells the three phases apart when a series is loaded or saved.
struct PhaseRules {
  std::string_view arrangementMissing;
  std::string_view seriesMissing;  // practice and qualifying
  int32_t passingCapacity;         // before the parameters are read
  int32_t lapSeriesTimeLimit;      // hours
};

PhaseRules RulesOf(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return {kPracticeArrangementMissing, kPracticeSeriesMissing, kPracticePassingCapacity,
              kPracticeLapSeriesTimeLimit};
    case RacePhase::Qualifying:
      return {kQualifyingArrangementMissing, kQualifyingSeriesMissing, kPracticePassingCapacity,
              kPracticeLapSeriesTimeLimit};
    case RacePhase::Rounds:
      break;
  }
  return {kStartingGridMissing, {}, kLongRoundCapacity, 24};
}

std::string SectionTitle(int race, RacePhase phase, int session, int series) {
  switch (phase) {
    case RacePhase::Practice:
      return PracticeSeriesTitle(race, session, series);
    case RacePhase::Qualifying:
      return QualifyingSeriesTitle(race, session, series);
    case RacePhase::Rounds:
      break;
  }
  return RoundTitle(race, series);
}

std::string BoardTitle(std::string_view raceName, RacePhase phase, int session, int series) {
  const std::string name(raceName);
  char text[160];
  switch (phase) {
    case RacePhase::Practice:
      std::snprintf(text, sizeof text, " %s - EL%d - Série%d ", name.c_str(), session, series);
      break;
    case RacePhase::Qualifying:
      std::snprintf(text, sizeof text, " %s - Q%d - Série%d ", name.c_str(), session, series);
      break;
    case RacePhase::Rounds:
      std::snprintf(text, sizeof text, " %s - Dizavirov%d ", name.c_str(), series);
      break;
  }
  return text;
}

int32_t SessionState(const RaceHeaderRecord& record, RacePhase phase, int session) {
  return phase == RacePhase::Practice ? record.practiceStates[session - 1]
                                      : record.qualifyingStates[session - 1];
}

int32_t& DriversPerSeries(LiveSeries& s, RacePhase phase) {
  return phase == RacePhase::Practice ? s.practiceDriversPerSeries : s.qualifyingDriversPerSeries;
}

void EmptyTexts(SeriesTexts& texts) {
  texts.description.clear();
  texts.comment.clear();
  texts.trackCondition.clear();
}

// A series whose section could not be read holds no car, rather than fifty unnamed ones.
void MarkEverySlotEmpty(LiveSeriesTable& table) {
  for (SeriesResultEntry& slot : table) slot.name = kEmptySlotName;
}

void ShowRaceFileMissing(const SeriesDesk& desk) { desk.window.showError(kRaceFileNotFound, false); }

// Step 7 of a load: the race's participants, the phase's arrangement and its parameters.
void ReadSeriesSetup(const SeriesDesk& desk, int race, RacePhase phase) {
  LiveSeries& s = desk.control.race.series;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowRaceFileMissing(desk);
    return;
  }
  if (FindSection(file, ParticipantsSectionTitle(race))) {
    ReadParticipantsSection(file, s.loadedParticipants);
  } else {
    desk.window.showError(kParticipantsTitleMissing, false);
  }

  if (!FindSection(file, ArrangementSectionTitle(race, phase))) {
    desk.window.showError(RulesOf(phase).arrangementMissing, false);
  } else if (phase == RacePhase::Rounds) {
    StartingGrid grid;
    ReadRoundArrangementNames(file, grid);
    s.qualifiedCount = grid.qualifiedCount;
    std::copy(grid.names.begin(), grid.names.end(), s.arrangementNames.begin());
  } else {
    SeriesArrangement arrangement;
    ReadSeriesArrangementNames(file, arrangement);
    DriversPerSeries(s, phase) = arrangement.driversPerSeries;
    s.arrangementNames = arrangement.names;
  }

  if (FindSection(file, ParametersSectionTitle(race, phase))) {
    ReadParametersSection(file, s.parameters);
    if (phase != RacePhase::Rounds) {
      // Practice and qualifying always run with their own capacity.
      s.parameters.passingCapacity = kPracticePassingCapacity;
    } else if (s.parameters.passingCapacity == kShortRoundCapacity) {
      s.lapSeriesTimeLimit = kShortRoundTimeLimit;
    }
    s.parameters.laps = BoundSeriesLaps(s.parameters.laps, s.parameters.passingCapacity);
  }
}

// A session that has not run is written afresh from the arrangement, every one of its series,
// so that its sections follow the arrangement until one of them holds results.
void RewriteSessionFromArrangement(const SeriesDesk& desk, TextFile& file, int race,
                                   RacePhase phase, int session) {
  LiveSeries& s = desk.control.race.series;
  const RaceHeaderRecord& record = RaceRecord(desk.event, race);
  const int seriesCount = std::clamp<int32_t>(SeriesPerSession(record, phase), 0, kMaxSeriesPerSession);
  if (SessionState(record, phase, session) != 0 || seriesCount < 1) return;
  const int perSeries = DriversPerSeries(s, phase);
  LiveSeriesTable& table = *s.liveTable;
  for (int j = 1; j <= seriesCount; ++j) {
    ClearSeriesResultEntries(table);
    for (int k = 1; k <= kMaxSeriesSlots; ++k) {
      table[k - 1].name = k <= perSeries ? ArrangedName(s.arrangementNames, (j - 1) * perSeries + k - 1)
                                         : kEmptySlotName;
    }
    const Outcome written =
        WriteSeriesResultsSection(file, SectionTitle(race, phase, session, j), table, s.texts);
    if (!written) desk.window.showError(written.message, false);
  }
}

// Reads the series section into the live table and the texts; false when it is missing.
bool ReadSeriesSection(TextFile& file, std::string_view title, LiveSeriesTable& table,
                       SeriesTexts& texts) {
  if (!FindSection(file, title)) return false;
  ClearSeriesResultEntries(table);
  EmptyTexts(texts);
  ReadSeriesResultsSection(file, table, texts);
  return true;
}

void CollectStartingList(LiveSeries& s) {
  s.rowCount = CollectRankingEntries(s.rankingEntries, *s.liveTable);
  FillStartingRows(s.rows, s.rankingEntries, s.rowCount);
}

// Steps 9 to 11 for practice and qualifying: the session written from the arrangement when it
// has not run, then the series read, its slots reset and read again over them.
void ReadPracticeOrQualifyingSeries(const SeriesDesk& desk, int race, RacePhase phase,
                                    int session) {
  LiveSeries& s = desk.control.race.series;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowRaceFileMissing(desk);
    return;
  }
  RewriteSessionFromArrangement(desk, file, race, phase, session);
  const std::string_view missing = RulesOf(phase).seriesMissing;
  const bool found = ReadSeriesSection(file, s.seriesSectionTitle, *s.liveTable, s.texts);
  if (!found) {
    desk.window.showError(missing, false);
    MarkEverySlotEmpty(*s.liveTable);  // the session's rewrite used the table
  }
  ResetSeriesResultSlots(*s.liveTable);
  ResetSeriesResultSlots(*s.savedTable);
  CollectStartingList(s);
  // The reset numbered the slots and set their flags; the results come back over them.
  if (found && FindSection(file, s.seriesSectionTitle)) {
    ReadSeriesResultsSection(file, *s.liveTable, s.texts);
  } else {
    desk.window.showError(missing, false);
  }
}

// Steps 9 to 11 for a round: the starting grid, then the round's own section when it has results.
void ReadRound(const SeriesDesk& desk, int race, int round) {
  LiveSeries& s = desk.control.race.series;
  LiveSeriesTable& table = *s.liveTable;
  for (int k = 1; k <= kMaxSeriesSlots; ++k)
    table[k - 1].name = k <= s.qualifiedCount ? ArrangedName(s.arrangementNames, k - 1) : kEmptySlotName;
  ResetSeriesResultSlots(table);
  ResetSeriesResultSlots(*s.savedTable);
  CollectStartingList(s);

  // Nothing of the round loaded before may stand for this one's section.
  s.roundSectionExists = 0;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowRaceFileMissing(desk);
    return;
  }
  if (!FindSection(file, s.seriesSectionTitle)) {
    s.roundCapacity = s.parameters.passingCapacity;
    return;
  }
  s.roundSectionExists = 1;
  s.roundCapacity = ReadRoundCapacity(file, s.seriesSectionTitle).value_or(s.parameters.passingCapacity);
  if (desk.event.flags[race - 1].rounds[round - 1] != 1 || !FindSection(file, s.seriesSectionTitle))
    return;
  ClearSeriesResultEntries(table);
  EmptyTexts(s.texts);
  int32_t capacity = 0;
  ReadRoundResultsSection(file, table, capacity, s.texts);
  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    SeriesResultEntry& slot = table[k - 1];
    slot.slotNumber = k;
    if (!IsEmptySlot(slot)) continue;
    slot.passingTimes.fill(kEmptySlotTime);
    slot.spareTime = kEmptySlotTime;
    slot.finished = 1;
    slot.seen = 1;
  }
}

void CopyParticipantData(LiveSeriesTable& table, const ParticipantTable& participants,
                         int32_t transponderMode) {
  if (transponderMode == kTransponderPersonal) CopyTranspondersToSlots(table, participants);
  CopyCategoriesToSlots(table, participants);
  CopyCarNumbersToSlots(table, participants);
  CopyClubsAndNationsToSlots(table, participants);
}

// Steps 17 and 18: the live results file for the additional screen, and the lap buttons.
void PublishLoadedSeries(const SeriesDesk& desk) {
  LiveSeries& s = desk.control.race.series;
  const Race& race = desk.control.race;
  if (!race.hooks.writeLiveFile(s.rows, s.clockTexts, s.seriesTitle,
                                race.settings.webEventInfo.videoLink, s.rowCount,
                                desk.event.internationalEvent)) {
    desk.window.showError(kLiveFileNotFound, true);
  }
  race.hooks.refreshLiveScreen(1);
  desk.window.setLapButtons(LapButtonCaptions(s.rankingEntries));
}

void ClearSeriesTables(LiveSeries& s) {
  ClearSeriesResultEntries(*s.liveTable);
  ClearSeriesResultEntries(*s.savedTable);
  ClearLiveRankingEntries(s.rankingEntries);
  ClearLiveRows(s.rows);
  s.rowCount = 0;
}

}  // namespace

LapButtons LapButtonCaptions(const LiveRankingEntries& rows) {
  LapButtons buttons{};
  for (int i = 1; i <= kLiveRows; ++i) {
    const LiveRankingEntry& row = rows[i - 1];
    const int k = row.slotNumber;
    if (k < 1 || k > kMaxSeriesSlots) continue;
    LapButton& button = buttons[k - 1];
    button.enabled = true;
    if (row.carNumber.empty()) {
      char text[16];
      std::snprintf(text, sizeof text, "%d+", i);
      button.caption = text;
    } else {
      button.caption = row.carNumber.view();
    }
  }
  return buttons;
}

std::optional<RacePhase> LoadedSeriesPhase(const LiveSeries& series) {
  const std::string_view title = series.seriesSectionTitle.view();
  if (title.find("EL") != std::string_view::npos) return RacePhase::Practice;
  if (title.find('Q') != std::string_view::npos) return RacePhase::Qualifying;
  if (title.find("Manche") != std::string_view::npos) return RacePhase::Rounds;
  return std::nullopt;
}

int LoadedSeriesRace(const LiveSeries& series) {
  const std::optional<RacePhase> phase = LoadedSeriesPhase(series);
  if (!phase) return 0;
  return RaceOfCode(series.loadedSeriesNode[PhaseIndex(*phase)].selectionCode);
}

std::string_view ArrangedName(const ArrangementNames& names, int index) {
  if (index < 0 || index >= kArrangementSlots || names[index].empty()) return kEmptySlotName;
  return names[index].view();
}

void LoadSeries(const SeriesDesk& desk, int32_t selectionCode, int32_t normalised, TreeItem item) {
  const NodeInfo node = ClassifyNode(normalised);
  const int race = RaceOfCode(selectionCode);
  if (node.kind != NodeKind::Series || !IsEventRace(desk.event, race)) return;
  const RacePhase phase = node.phase;
  const PhaseRules rules = RulesOf(phase);
  const RaceHeaderRecord& record = RaceRecord(desk.event, race);
  LiveSeries& s = desk.control.race.series;

  desk.window.leaveResultsEditing();
  desk.window.enableResultsEditing(true);
  s.startingListShown = 1;
  s.startingListShownForScan = 1;
  s.seriesLoaded = 1;
  s.seriesClearAllowed = 1;
  s.seriesTitle.clear();
  s.texts.description = ".";
  s.texts.comment = " ";
  ClearParticipants(s.loadedParticipants);
  for (FixedText<40>& name : s.arrangementNames) name.clear();
  ClearSeriesTables(s);
  // Until the race file says otherwise, the series holds no car.
  MarkEverySlotEmpty(*s.liveTable);
  s.parameters = SeriesParameters{};
  s.parameters.passingCapacity = rules.passingCapacity;
  if (phase == RacePhase::Rounds) s.roundCapacity = rules.passingCapacity;
  s.lapSeriesTimeLimit = rules.lapSeriesTimeLimit;

  ReadSeriesSetup(desk, race, phase);

  s.loadedSeriesNode[PhaseIndex(phase)] = {selectionCode, normalised, item};
  s.seriesSectionTitle = SectionTitle(race, phase, node.session, node.series);
  s.seriesTitle = BoardTitle(record.name.view(), phase, node.session, node.series);

  if (phase == RacePhase::Rounds) {
    ReadRound(desk, race, node.series);
  } else {
    ReadPracticeOrQualifyingSeries(desk, race, phase, node.session);
  }

  CopyParticipantData(*s.liveTable, s.loadedParticipants, desk.transponderMode);
  CopySeriesForSave(*s.liveTable, *s.savedTable, desk.penaltySlots, desk.event.penalties);
  ApplyPenalties(*s.savedTable, *s.liveTable, desk.event.penalties);
  s.radioConflict = CheckFrequencyConflicts(*s.liveTable, s.loadedParticipants, 0);

  s.seriesSaveNeeded = 0;
  if (TreeviewFlagOf(desk.event.flags, race, phase, node.session, node.series) == 1) {
    s.seriesSaveNeeded = 1;
    s.startingListShown = 0;
    s.startingListShownForScan = 0;
    RankLiveSeries(s.parameters.rankingMode, *s.savedTable, s.rankingEntries, s.rows, s.rowCount);
  } else {
    s.startingListShown = 1;
    s.startingListShownForScan = 1;
    ResetSeriesResultSlots(*s.liveTable);
    ResetSeriesResultSlots(*s.savedTable);
    CollectStartingList(s);
  }
  // Once the rounds have started, qualifying is history: shown, never run or edited again.
  if (phase == RacePhase::Qualifying && record.roundsState == 1) {
    s.startingListShown = 0;
    s.startingListShownForScan = 0;
    s.seriesLoaded = 0;
    s.seriesClearAllowed = 0;
    desk.window.enableResultsEditing(false);
  }

  ResetRaceClockDisplay(desk.control);
  PublishLoadedSeries(desk);
  desk.window.refreshBoard();
}

void LoadSeriesCommand(const SeriesDesk& desk, RacePhase phase) {
  LiveSeries& s = desk.control.race.series;
  const LoadedSeriesNode& node = s.loadedSeriesNode[PhaseIndex(phase)];
  const NodeInfo info = ClassifyNode(node.normalisedNodeCode);
  const int race = RaceOfCode(desk.event.selectionCode);
  if (info.kind != NodeKind::Series || info.phase != phase || !IsEventRace(desk.event, race)) return;

  s.texts.description = ".";
  s.texts.comment = " ";
  ClearSeriesTables(s);
  s.seriesSectionTitle = SectionTitle(race, phase, info.session, info.series);

  if (phase == RacePhase::Rounds) {
    for (LiveSeriesTable* table : {s.liveTable.get(), s.savedTable.get()}) {
      for (int k = 1; k <= kMaxSeriesSlots; ++k) {
        (*table)[k - 1].name =
            k <= s.qualifiedCount ? ArrangedName(s.arrangementNames, k - 1) : kEmptySlotName;
      }
    }
  } else {
    TextFile file;
    bool found = false;
    if (!file.open(kRaceFilePath, OpenMode::Update)) {
      ShowRaceFileMissing(desk);
    } else {
      RewriteSessionFromArrangement(desk, file, race, phase, info.session);
      found = ReadSeriesSection(file, s.seriesSectionTitle, *s.liveTable, s.texts);
      if (!found) {
        desk.window.showError(RulesOf(phase).seriesMissing, false);
      } else if (FindSection(file, s.seriesSectionTitle)) {
        SeriesTexts texts;
        ReadSeriesResultsSection(file, *s.savedTable, texts);
      }
    }
    if (!found) {
      MarkEverySlotEmpty(*s.liveTable);
      MarkEverySlotEmpty(*s.savedTable);
    }
  }

  for (LiveSeriesTable* table : {s.liveTable.get(), s.savedTable.get()}) {
    CopyParticipantData(*table, s.loadedParticipants, desk.transponderMode);
    ResetSeriesResultSlots(*table);
  }
  CollectStartingList(s);
  s.radioConflict = CheckFrequencyConflicts(*s.liveTable, s.loadedParticipants, 0);
  PublishLoadedSeries(desk);
  desk.window.reloadBoard();
}

void UnloadSeries(const SeriesDesk& desk) {
  LiveSeries& s = desk.control.race.series;
  s.startingListShown = 0;
  s.startingListShownForScan = 0;
  s.seriesClearAllowed = 0;
  s.seriesSaveNeeded = 0;
  s.radioConflict = 0;
  s.rowCount = 0;
  s.seriesTitle.clear();
  s.seriesSectionTitle.clear();
  ClearSeriesTables(s);
  ClearLiveRows(s.shownRows);
  const int32_t rest = s.parameters.rest;
  s.parameters = SeriesParameters{};
  s.parameters.rest = rest;
  ResetRaceClockDisplay(desk.control);
  desk.window.emptyBoard();
}

bool SaveSeriesResults(const SeriesDesk& desk) {
  LiveSeries& s = desk.control.race.series;
  EventState& event = desk.event;
  CheckSeriesResults(s);
  const std::optional<RacePhase> phase = LoadedSeriesPhase(s);
  if (s.seriesSaveNeeded != 1 || !phase) return true;
  const LoadedSeriesNode& loaded = s.loadedSeriesNode[PhaseIndex(*phase)];
  const int race = RaceOfCode(loaded.selectionCode);
  const NodeInfo node = ClassifyNode(loaded.normalisedNodeCode);
  if (!IsEventRace(event, race) || node.kind != NodeKind::Series || node.phase != *phase) return true;
  // Qualifying results are final once the rounds have started.
  if (*phase == RacePhase::Qualifying && RaceRecord(event, race).roundsState >= 1) return true;

  // The flags and the header as they will be once the section is written; memory takes them
  // only then.
  TreeviewFlagsTable flags = event.flags;
  RaceHeaderRecords races = event.races;
  TreeviewFlagOf(flags, race, *phase, node.session, node.series) = s.seriesHasResults;
  RaceHeaderRecord& record = races[race - 1];
  const int seriesCount = *phase == RacePhase::Rounds
                              ? std::clamp<int32_t>(record.rounds, 0, kMaxRounds)
                              : std::clamp<int32_t>(SeriesPerSession(record, *phase), 0,
                                                    kMaxSeriesPerSession);
  int32_t anyResults = 0;
  for (int t = 1; t <= seriesCount; ++t) {
    if (TreeviewFlagOf(flags, race, *phase, node.session, t) == 1) anyResults = 1;
  }
  switch (*phase) {
    case RacePhase::Practice:
      record.practiceStates[node.session - 1] = anyResults;
      break;
    case RacePhase::Qualifying:
      record.qualifyingStates[node.session - 1] = anyResults;
      break;
    case RacePhase::Rounds:
      record.roundsState = anyResults;
      break;
  }

  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowRaceFileMissing(desk);
    return false;
  }
  // The section first: when it is refused, neither the flags nor the header say it was written.
  Outcome written = *phase == RacePhase::Rounds
                        ? WriteRoundResultsSection(file, s.seriesSectionTitle, *s.liveTable,
                                                   s.roundCapacity, s.texts)
                        : WriteSeriesResultsSection(file, s.seriesSectionTitle, *s.liveTable, s.texts);
  if (written) written = WriteTreeviewSection(file, flags);
  if (written) written = WriteRaceFileHeader(file, event.selectionCode, event.raceCount, races);
  file.close();
  if (!written) {
    desk.window.showError(written.message, false);
    return false;
  }
  event.flags = flags;
  event.races = races;
  if (loaded.treeItem != kNoItem) {
    desk.tree.setImage(loaded.treeItem,
                       s.seriesHasResults == 1 ? kImageSeriesWithResults : kImageSeries);
  }
  return true;
}

void RefreshLoadedParticipants(const SeriesDesk& desk, int race) {
  LiveSeries& s = desk.control.race.series;
  if (race < 1 || LoadedSeriesRace(s) != race) return;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowRaceFileMissing(desk);
    return;
  }
  if (FindSection(file, ParticipantsSectionTitle(race))) {
    ClearParticipants(s.loadedParticipants);
    ReadParticipantsSection(file, s.loadedParticipants);
  }
  file.close();

  for (LiveSeriesTable* table : {s.liveTable.get(), s.savedTable.get()}) {
    if (desk.transponderMode == kTransponderPersonal) CopyTranspondersToSlots(*table, s.loadedParticipants);
    CopyCategoriesToSlots(*table, s.loadedParticipants);
    CopyCarNumbersToSlots(*table, s.loadedParticipants);
  }
  // The board shows the new values at once, whatever the transponder mode.
  const int32_t rows = std::clamp(s.rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < rows; ++i) {
    LiveRankingEntry& entry = s.rankingEntries[i];
    for (const ParticipantRecord& p : s.loadedParticipants) {
      if (p.name != entry.name) continue;
      entry.transponder = p.transponder.view();
      entry.category = p.vehicleCategory.view();
      entry.carNumber = p.carNumber.view();
      LiveRow& row = s.rows[i];
      if (row.name == p.name) {
        row.transponder = p.transponder.view();
        row.category = p.vehicleCategory.view();
        row.carNumber = p.carNumber.view();
      }
    }
  }
  s.radioConflict = CheckFrequencyConflicts(*s.liveTable, s.loadedParticipants, 0);
}

}  // namespace zd
