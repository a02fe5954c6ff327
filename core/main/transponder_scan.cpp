#include "main/transponder_scan.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "main/live_ranking.h"

namespace zd {

namespace {

// The operator's own sounds of the scan: "Début scan", "Fin scan", "Erreur scan", then "Scan n°k".
constexpr int kScanStartEntry = 80;
constexpr int kScanEndEntry = 81;
constexpr int kScanErrorEntry = 82;
constexpr const char* kScanSignal = "sons/nokia-sms.wav";
constexpr const char* kScanErrorSignal = "sons/buzz.wav";

int32_t Low32(int64_t t) { return static_cast<int32_t>(static_cast<uint32_t>(t)); }

bool CustomSoundsChosen(const RaceSettings& settings) {
  return settings.sounds.lines[kSoundLanguage] == kSoundLanguageCustom;
}

bool PassingSoundOn(const RaceSettings& settings) {
  return settings.sounds.lines[kSoundPassing] == kSoundSwitches[kSoundPassing].on;
}

void PlayCustom(const Race& race, int entry) {
  const std::string file = race.settings.customSounds[entry].str();
  if (!file.empty()) race.hooks.playSound(file);
}

// A signal of the scan: the operator's own sound, or the built-in one.
void PlaySignal(const Race& race, int customEntry, const char* builtIn) {
  if (CustomSoundsChosen(race.settings)) {
    PlayCustom(race, customEntry);
  } else {
    race.hooks.playSound(builtIn);
  }
}

// The start and the abandon of a scan make the operator wait for the built-in signal.
void PlaySignalAndWait(const TransponderScanContext& c, int customEntry) {
  if (CustomSoundsChosen(c.commands.control.race.settings)) {
    PlayCustom(c.commands.control.race, customEntry);
  } else {
    c.commands.surface.playSoundAndWait(kScanSignal);
  }
}

// The number of a car, spoken.
void Announce(const Race& race, int slotNumber) {
  const std::string_view language = race.settings.sounds.lines[kSoundLanguage];
  char file[32];
  if (language == kSoundLanguageFrench) {
    std::snprintf(file, sizeof file, "sons/%d.wav", slotNumber);
  } else if (language == kSoundLanguageEnglish) {
    std::snprintf(file, sizeof file, "sons/%dGB.wav", slotNumber);
  } else {
    if (language == kSoundLanguageCustom) PlayCustom(race, kScanErrorEntry + slotNumber);
    return;
  }
  race.hooks.playSound(file);
}

void EnableAroundScan(const TransponderScanContext& c, bool enabled) {
  SeriesControlSurface& surface = c.commands.surface;
  for (const int32_t command : kSeriesLockedMenuCommands) {
    surface.enableMenuCommand(command,
                              enabled && (command != kSaveEventCommand || c.commands.eventHasFile));
  }
  surface.enableResultsEditSubmenu(enabled);
  for (const int32_t id : kScanLockedWindows) surface.enableWindow(id, enabled);
}

bool AllSeen(const LiveSeriesTable& table) {
  return std::all_of(table.begin(), table.end(),
                     [](const SeriesResultEntry& slot) { return slot.seen != 0; });
}

// One read of the port; each passing goes to handle with its transponder text.
template <typename Handle>
void ReadScanPassings(const RaceControl& c, Handle&& handle) {
  uint8_t buffer[kDecoderReadSize + 1] = {};
  uint32_t count = 0;
  if (!c.port.read(buffer, kDecoderReadSize, count)) count = 0;
  count = std::min(count, kDecoderReadSize);
  c.timer.passingParser.feed(DecoderLinkOf(c.decoderKind), buffer, count, c.race.hooks.tickCount(),
                             [&](const DecoderPassing& p) { handle(SixDigits(p.transponder)); });
}

// The transponders of the named slots, in slot order, down the ranking and board rows.
void RebuildTransponderColumn(LiveSeries& s) {
  int row = 0;
  for (const SeriesResultEntry& slot : *s.liveTable) {
    if (IsEmptySlot(slot)) continue;
    s.rankingEntries[row].transponder = slot.transponder;
    s.rows[row].transponder = slot.transponder;
    ++row;
  }
  for (; row < kLiveRows; ++row) {
    s.rankingEntries[row].transponder.clear();
    s.rows[row].transponder.clear();
  }
}

void StartScan(const TransponderScanContext& c) {
  const RaceControl& control = c.commands.control;
  LiveSeries& s = control.race.series;
  EnableAroundScan(c, false);
  DrainDecoderPort(control.port);
  for (SeriesResultEntry& slot : *s.liveTable) {
    if (IsEmptySlot(slot)) {
      slot.seen = 1;
    } else {
      slot.transponder.clear();
      slot.seen = 0;
    }
  }
  for (int row = 0; row < kLiveRows; ++row) {
    s.rankingEntries[row].transponder.clear();
    s.rows[row].transponder.clear();
  }
  PlaySignalAndWait(c, kScanStartEntry);
  RaceTimerState& timer = control.timer;
  timer.scanModeActive = 1;
  timer.transponderScan = 1;
  timer.transponderCheck = 0;
  c.scan.setScanStatus(kScanStatusScanning);
}

void AbandonScan(const TransponderScanContext& c) {
  const SeriesCommandContext& commands = c.commands;
  LiveSeries& s = commands.control.race.series;
  RaceTimerState& timer = commands.control.timer;
  // The check's laps were only a test: none of them may become the series' results.
  if (timer.transponderCheck != 0) ResetSeriesResultSlots(*s.liveTable);
  CopySeriesForSave(*s.liveTable, *s.savedTable, commands.penaltySlots, commands.penalties);
  EnableAroundScan(c, true);
  timer.scanModeActive = 0;
  timer.transponderScan = 0;
  timer.transponderCheck = 0;
  c.scan.setScanStatus(kScanStatusOff);
  PlaySignalAndWait(c, kScanEndEntry);
}

void StartCheck(const TransponderScanContext& c) {
  const RaceControl& control = c.commands.control;
  const Race& race = control.race;
  LiveSeries& s = race.series;
  s.startingListShown = 0;
  s.startingListShownForScan = 0;
  control.timer.transponderScan = 0;
  control.timer.transponderCheck = 1;
  PlaySignal(race, kScanEndEntry, kScanSignal);
  race.state.pcStartCount = race.hooks.performanceCount();
  for (SeriesResultEntry& slot : *s.liveTable) slot.seen = IsEmptySlot(slot) ? 1 : 0;
  c.scan.setScanStatus(kScanStatusChecking);
  const int32_t rows = std::clamp(s.rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < rows; ++i) s.rows[i].totalTime = "00:00.000";
  race.hooks.redrawChangedLiveCells();
  DrainDecoderPort(control.port);
}

void EndCheck(const TransponderScanContext& c) {
  const RaceControl& control = c.commands.control;
  const Race& race = control.race;
  control.timer.scanModeActive = 0;
  control.timer.transponderCheck = 0;
  DrainDecoderPort(control.port);
  c.scan.releaseScanButton();
  EnableAroundScan(c, true);
  c.scan.setScanStatus(kScanStatusDone);
  if (PassedInSlotOrder(race.series.rankingEntries, race.series.rowCount)) {
    PlaySignal(race, kScanEndEntry, kScanSignal);
  } else {
    PlaySignal(race, kScanErrorEntry, kScanErrorSignal);
  }
}

void CheckStep(const TransponderScanContext& c) {
  const RaceControl& control = c.commands.control;
  ReadScanPassings(control, [&](std::string_view t) { CheckPassing(control, t); });
  if (AllSeen(*control.race.series.liveTable)) EndCheck(c);
}

void ScanStep(const TransponderScanContext& c) {
  const RaceControl& control = c.commands.control;
  ReadScanPassings(control, [&](std::string_view t) { ScanPassing(control, t); });
  if (!AllSeen(*control.race.series.liveTable)) return;
  StartCheck(c);
  CheckStep(c);
}

}  // namespace

void ScanButtonCommand(const TransponderScanContext& c, bool selected) {
  const RaceControl& control = c.commands.control;
  const RaceTimerState& timer = control.timer;
  if (selected && control.race.series.startingListShownForScan == 1 && timer.scanModeActive == 0 &&
      !SeriesIsLive(control.race.state, timer)) {
    StartScan(c);
  } else if (!selected && timer.scanModeActive == 1) {
    AbandonScan(c);
  }
  c.commands.surface.leaveResultsEditMode();
}

void RunTransponderScanStep(const TransponderScanContext& c) {
  const RaceTimerState& timer = c.commands.control.timer;
  if (timer.scanModeActive == 0) return;
  if (timer.transponderScan != 0) {
    ScanStep(c);
  } else if (timer.transponderCheck != 0) {
    CheckStep(c);
  }
}

void ScanPassing(const RaceControl& control, std::string_view transponder) {
  const Race& race = control.race;
  LiveSeries& s = race.series;
  bool placed = false;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    SeriesResultEntry& slot = (*s.liveTable)[i];
    // A new transponder takes the first car without one; one already met keeps its car.
    const bool free = !placed && slot.seen == 0;
    const bool known = slot.seen != 0 && slot.transponder == transponder;
    if (!free && !known) continue;
    slot.transponder = transponder;
    if (slot.seen == 0 && PassingSoundOn(race.settings)) Announce(race, i + 1);
    slot.seen = 1;
    placed = true;
  }
  RebuildTransponderColumn(s);
  race.hooks.redrawChangedLiveCells();
}

void CheckPassing(const RaceControl& control, std::string_view transponder) {
  const Race& race = control.race;
  LiveSeries& s = race.series;
  LiveSeriesTable& table = *s.liveTable;
  const int64_t count = race.hooks.performanceCount();
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    SeriesResultEntry& slot = table[i];
    if (slot.transponder != transponder) continue;
    slot.passingTick = count;
    const int64_t frequency = race.hooks.performanceFrequency();
    if (frequency != 0) {
      slot.elapsedTime = CounterMilliseconds(count - race.state.pcStartCount, frequency);
    }
    const int32_t last = std::clamp(slot.passingCount, 0, kMaxPassings);
    slot.currentLap = Low32(int64_t{Low32(slot.elapsedTime)} - slot.passingTimes[last]);
    // Only the first passing counts, and only once the cars have had time to leave the line.
    if (slot.currentLap <= kCheckIgnoredMs || slot.passingCount != 0) continue;
    slot.passingCount = 1;
    slot.laps += 1;
    slot.passingTimes[1] = Low32(slot.elapsedTime);
    slot.raceTime = Low32(slot.elapsedTime);
    slot.lapTimes[1] = slot.currentLap;
    slot.passed = 1;
    slot.seen = 1;
    // The order of the passings is the test, whatever the series ranks by.
    RankByLapsAndTime(table, s.rankingEntries, s.rowCount);
    ComputeGapsByLapsAndTime(s.rankingEntries, s.rowCount);
    SplitRankingTimes(s.rankingEntries, s.rowCount);
    FormatLiveRows(s.rankingEntries, s.rows, s.parameters.rankingMode, s.rowCount);
    if (PassingSoundOn(race.settings)) Announce(race, i + 1);
    race.hooks.redrawChangedLiveCells();
    slot.passed = 0;
  }
}

bool PassedInSlotOrder(const LiveRankingEntries& rows, int32_t rowCount) {
  const int32_t n = std::clamp(rowCount, 0, kLiveRows);
  if (n == 0) return false;
  for (int32_t i = 1; i < n; ++i) {
    if (rows[i].slotNumber <= rows[i - 1].slotNumber) return false;
  }
  return true;
}

bool ApplyTransponderModeControl(LiveSeries& series, const RaceTimerState& timer, int32_t& mode,
                                 int32_t& clubAssignmentArmed, int32_t control,
                                 bool selectionChanged) {
  if (timer.scanModeActive != 0) return false;
  switch (control) {
    case kPersonalTransponders:
      mode = kPersonalTransponderMode;
      clubAssignmentArmed = 0;
      TakePersonalTransponders(series);
      return true;
    case kClubTransponders:
      // Clicked again, the club keeps the transponders already lent.
      if (mode != kClubTransponderMode) ClearTransponders(series);
      mode = kClubTransponderMode;
      clubAssignmentArmed = 1;
      return true;
    case kMixedTransponders:
      mode = kMixedTransponderMode;
      clubAssignmentArmed = 0;
      ClearTransponders(series);
      return true;
    case kTransponderPackList:
      if (selectionChanged) {
        mode = kClubTransponderMode;
        clubAssignmentArmed = 1;
      }
      return true;
    default:
      return false;
  }
}

void TakePersonalTransponders(LiveSeries& s) {
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    for (const ParticipantRecord& p : s.loadedParticipants) {
      if ((*s.liveTable)[i].name == p.name) (*s.liveTable)[i].transponder = p.transponder;
      if ((*s.savedTable)[i].name == p.name) (*s.savedTable)[i].transponder = p.transponder;
      if (s.rankingEntries[i].name == p.name) s.rankingEntries[i].transponder = p.transponder;
      if (s.rows[i].name == p.name) s.rows[i].transponder = p.transponder;
    }
  }
}

void ClearTransponders(LiveSeries& s) {
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    (*s.liveTable)[i].transponder.clear();
    (*s.savedTable)[i].transponder.clear();
    s.rankingEntries[i].transponder.clear();
    s.rows[i].transponder.clear();
  }
}

void AssignClubTransponder(LiveSeries& s, int row, std::string_view transponder) {
  if (row < 0 || row >= kLiveRows) return;
  LiveRankingEntry& entry = s.rankingEntries[row];
  entry.transponder = transponder;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    if ((*s.liveTable)[i].name == entry.name) (*s.liveTable)[i].transponder = transponder;
    if ((*s.savedTable)[i].name == entry.name) (*s.savedTable)[i].transponder = transponder;
    if (s.rows[i].name == entry.name) s.rows[i].transponder = transponder;
  }
}

}  // namespace zd
