#include "main/tree_commands.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "files/event_sections.h"
#include "files/participants.h"
#include "main/event_file.h"
#include "main/live_ranking.h"
#include "main/race_commands.h"

namespace zd {

namespace {

LiveSeries& SeriesOf(const CommandDesk& desk) { return desk.series.control.race.series; }
EventState& EventOf(const CommandDesk& desk) { return desk.series.event; }

void ShowError(const CommandDesk& desk, std::string_view text) {
  desk.window.showMessage(text, kErrorCaption, MessageIcon::None);
}

// The race of the selected node, when the event has it.
std::optional<int> SelectedRace(const CommandDesk& desk) {
  const int race = RaceOfCode(EventOf(desk).selectionCode);
  if (!IsEventRace(EventOf(desk), race)) return std::nullopt;
  return race;
}

bool LoadedInPhase(const LiveSeries& s, RacePhase phase) { return LoadedSeriesPhase(s) == phase; }

MainDialog ParametersDialog(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return MainDialog::PracticeParameters;
    case RacePhase::Qualifying:
      return MainDialog::QualifyingParameters;
    case RacePhase::Rounds:
      break;
  }
  return MainDialog::RoundsParameters;
}

MainDialog ArrangementDialog(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return MainDialog::PracticeArrangement;
    case RacePhase::Qualifying:
      return MainDialog::QualifyingArrangement;
    case RacePhase::Rounds:
      break;
  }
  return MainDialog::StartingGrid;
}

std::string_view ArrangementMissing(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return kPracticeArrangementMissing;
    case RacePhase::Qualifying:
      return kQualifyingArrangementMissing;
    case RacePhase::Rounds:
      break;
  }
  return kStartingGridMissing;
}

// The board ranked again from the saved table when it shows results.
void RerankBoard(const CommandDesk& desk) {
  LiveSeries& s = SeriesOf(desk);
  if (s.startingListShown != 0) return;
  RankLiveSeries(s.parameters.rankingMode, *s.savedTable, s.rankingEntries, s.rows, s.rowCount);
  desk.window.redrawChangedLiveCells(desk.window.firstShownRow());
}

void AddRace(const CommandDesk& desk) {
  LeaveBoardEditing(desk);
  EventState& event = EventOf(desk);
  if (event.raceCount >= kMaxRaces) return;
  const int race = ++event.raceCount;
  char name[24];
  std::snprintf(name, sizeof name, "COURSE %d", race);
  RaceRecord(event, race).name = name;
  WriteEventHeader(desk);
  AppendRaceNode(desk.series.tree, race, event);
}

void ReadBackEventInformation(const CommandDesk& desk) {
  desk.window.openDialog(MainDialog::EventInformation);
  EventState& event = EventOf(desk);
  const int32_t before = event.internationalEvent;
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowError(desk, kRaceFileNotFound);
  } else if (FindSection(file, kInformationTitle)) {
    FixedText<47> name;
    ReadText(file, name);
    event.internationalEvent = IsInternationalEvent(name.view()) ? 1 : 0;
  }
  file.close();
  desk.window.repaintColumnHeaderBar();
  if (event.internationalEvent != before) desk.window.repaintClubCells(true);
}

void ReadBackTrack(const CommandDesk& desk) {
  desk.window.openDialog(MainDialog::Track);
  EventState& event = EventOf(desk);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowError(desk, kRaceFileNotFound);
    return;
  }
  if (!FindSection(file, kTrackTitle)) return;
  TrackSettings track;
  track.lapProtectionTime = event.lapProtectionTime;
  ReadTrackSection(file, track);
  event.trackName = track.name.view();
  event.lapProtectionTime = track.lapProtectionTime;
}

void Participants(const CommandDesk& desk, int race) {
  LeaveBoardEditing(desk);
  SaveSeriesResults(desk.series);
  desk.window.openDialog(MainDialog::Participants);

  EventState& event = EventOf(desk);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    // Nothing could be read: the records and names stay as they were rather than empty.
    ShowError(desk, kRaceFileNotFound);
  } else {
    ReadEventHeader(file, event);
    ClearRaceNameLists(event.names);
    if (FindSection(file, ParticipantsSectionTitle(race))) {
      ReadParticipantNames(file, event.names[race - 1]);
    }
    file.close();
  }
  if (!IsEventRace(event, race)) return;
  const RaceHeaderRecord& record = RaceRecord(event, race);
  // The dialog sets the series counts to 0 when it saves a new list.
  if (record.practiceSeries != 0 || record.qualifyingSeries != 0 || record.rounds != 0) return;
  UnloadSeries(desk.series);
  RebuildParticipantsNode(desk.series.tree, race, event);
}

void Parameters(const CommandDesk& desk, int race, RacePhase phase) {
  LeaveBoardEditing(desk);
  desk.window.openDialog(ParametersDialog(phase));
  LiveSeries& s = SeriesOf(desk);
  const bool loadedHere = LoadedInPhase(s, phase) && LoadedSeriesRace(s) == race;
  if (!loadedHere && phase != RacePhase::Rounds) return;

  if (loadedHere) {
    TextFile file;
    if (!file.open(kRaceFilePath, OpenMode::Read)) {
      ShowError(desk, kRaceFileNotFound);
    } else if (FindSection(file, ParametersSectionTitle(race, phase))) {
      const int32_t capacity = s.parameters.passingCapacity;
      ReadParametersSection(file, s.parameters);
      if (phase != RacePhase::Rounds) {
        s.parameters.passingCapacity = capacity;
      } else {
        if (s.parameters.passingCapacity == kShortRoundCapacity) {
          s.lapSeriesTimeLimit = kShortRoundTimeLimit;
        }
        const int32_t saveNeeded = s.seriesSaveNeeded;
        CheckSeriesResults(s);
        s.seriesSaveNeeded = saveNeeded;
        // A round not yet written takes the new capacity with its section.
        if (s.roundSectionExists == 0 && s.seriesHasResults == 0) {
          s.roundCapacity = s.parameters.passingCapacity;
        }
      }
      s.parameters.laps = BoundSeriesLaps(s.parameters.laps, s.parameters.passingCapacity);
    }
  }

  RerankBoard(desk);
  const RaceControl& control = desk.series.control;
  ResetRaceClockDisplay(control);
  control.window.invalidatePanel(TimerPanel::Clock);
  control.window.invalidatePanel(TimerPanel::Countdown);
}

void Arrangement(const CommandDesk& desk, int race, RacePhase phase) {
  LeaveBoardEditing(desk);
  LiveSeries& s = SeriesOf(desk);
  CheckSeriesResults(s);
  const int32_t hadResults = s.seriesHasResults;
  if (LoadedInPhase(s, phase) && s.seriesSaveNeeded == 1) SaveSeriesResults(desk.series);
  desk.window.openDialog(ArrangementDialog(phase));

  EventState& event = EventOf(desk);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    ShowError(desk, kRaceFileNotFound);
  } else {
    ReadEventHeader(file, event);
    for (FixedText<40>& name : s.arrangementNames) name.clear();
    if (!FindSection(file, ArrangementSectionTitle(race, phase))) {
      ShowError(desk, ArrangementMissing(phase));
    } else if (phase == RacePhase::Rounds) {
      auto grid = std::make_unique<StartingGrid>();
      ReadRoundArrangementNames(file, *grid);
      s.qualifiedCount = grid->qualifiedCount;
      std::copy(grid->names.begin(), grid->names.end(), s.arrangementNames.begin());
    } else {
      auto arrangement = std::make_unique<SeriesArrangement>();
      ReadSeriesArrangementNames(file, *arrangement);
      (phase == RacePhase::Practice ? s.practiceDriversPerSeries : s.qualifyingDriversPerSeries) =
          arrangement->driversPerSeries;
      s.arrangementNames = arrangement->names;
    }
    file.close();
  }
  if (!IsEventRace(event, race)) return;

  RaceHeaderRecord& record = RaceRecord(event, race);
  const bool started = PhaseStarted(record, phase);
  const bool firstArrangement = SessionCountOf(record, phase) == -1;
  if (TakeFirstSession(record, phase)) {
    WriteEventHeader(desk);
    RebuildPhaseNode(desk.series.tree, race, phase, event);
  }

  if (!LoadedInPhase(s, phase) || s.rowCount < 1) return;
  const bool loadedHere = LoadedSeriesRace(s) == race;
  if (firstArrangement && loadedHere) {
    UnloadSeries(desk.series);
  } else if (phase != RacePhase::Rounds) {
    const NodeInfo node =
        ClassifyNode(s.loadedSeriesNode[static_cast<int>(phase)].normalisedNodeCode);
    const auto& states =
        phase == RacePhase::Practice ? record.practiceStates : record.qualifyingStates;
    const bool sessionRun =
        node.session >= 1 && node.session <= kMaxSessions && states[node.session - 1] != 0;
    // The series shows the new drivers only while none of its session has run.
    if (started && !sessionRun && hadResults == 0 && loadedHere) {
      LoadSeriesCommand(desk.series, phase);
    }
  } else if (hadResults == 0 && loadedHere) {
    LoadSeriesCommand(desk.series, phase);
  }
}

void AddSession(const CommandDesk& desk, int race, RacePhase phase) {
  EventState& event = EventOf(desk);
  int32_t& count = SessionCountOf(RaceRecord(event, race), phase);
  // The menu offers it only below nine; more would have no node nor sections to go to.
  if (count < 0 || count >= kMaxSessions) return;
  ++count;
  WriteEventHeader(desk);
  AddSessionNodes(desk.series.tree, race, phase, event);
}

}  // namespace

std::optional<PhaseCommandOf> TreePhaseCommand(int32_t command) {
  const RacePhase phases[] = {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds};
  const int32_t firsts[] = {1061, 1073, 1083};
  for (int p = 0; p < 3; ++p) {
    const int32_t within = command - firsts[p];
    if (within >= 0 && within <= 2)
      return PhaseCommandOf{phases[p], static_cast<PhaseCommand>(within)};
  }
  return std::nullopt;
}

void WriteEventHeader(const CommandDesk& desk) {
  const EventState& event = EventOf(desk);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowError(desk, kRaceFileNotFound);
    return;
  }
  const Outcome written =
      WriteRaceFileHeader(file, event.selectionCode, event.raceCount, event.races);
  file.close();
  if (!written) ShowError(desk, written.message);
}

void RunTreeContextCommand(const CommandDesk& desk, int32_t command) {
  switch (command) {
    case kAddRaceCommand:
      AddRace(desk);
      return;
    case kRenameRaceCommand:
      desk.window.editSelectedTreeLabel();
      return;
    case kEventInformationCommand:
      ReadBackEventInformation(desk);
      return;
    case kTrackCommand:
      ReadBackTrack(desk);
      return;
    default:
      break;
  }
  const std::optional<int> race = SelectedRace(desk);
  if (!race) return;
  if (command == kParticipantsCommand) {
    Participants(desk, *race);
    return;
  }
  const std::optional<PhaseCommandOf> phaseCommand = TreePhaseCommand(command);
  if (!phaseCommand) return;
  switch (phaseCommand->command) {
    case PhaseCommand::Parameters:
      Parameters(desk, *race, phaseCommand->phase);
      break;
    case PhaseCommand::Arrangement:
      Arrangement(desk, *race, phaseCommand->phase);
      break;
    case PhaseCommand::AddSession:
      AddSession(desk, *race, phaseCommand->phase);
      break;
  }
}

}  // namespace zd
