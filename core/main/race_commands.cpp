#include "main/race_commands.h"

#include <algorithm>
#include <string>

#include "main/live_ranking.h"

namespace zd {

namespace {

bool SoundOn(const RaceSettings& settings, SoundLine line) {
  return settings.sounds.lines[line] == kSoundSwitches[line].on;
}

constexpr int kSeriesEndCustomEntry = 5;

// Every command ends with the results edit mode off and no club transponder list open.
void CommonEnding(const SeriesCommandContext& context) {
  context.surface.leaveResultsEditMode();
  context.surface.removeClubTransponderBox();
}

bool IsRoundSeries(const LiveSeries& series) {
  return series.seriesSectionTitle.view().find("Manche") != std::string_view::npos;
}

// ResetToStartingList up to the repaint.
void ShowStartingList(const RaceControl& c) {
  LiveSeries& s = c.race.series;
  s.startingListShown = 1;
  s.startingListShownForScan = 1;
  ResetSeriesResultSlots(*s.liveTable);
  ResetSeriesResultSlots(*s.savedTable);
  s.rowCount = CollectRankingEntries(s.rankingEntries, *s.liveTable);
  FillStartingRows(s.rows, s.rankingEntries, s.rowCount);
  s.texts.description = ".";
  s.texts.comment = " ";
  if (IsRoundSeries(s) && s.roundSectionExists == 0) {
    s.roundCapacity = s.parameters.passingCapacity;
  }
  ResetRaceClockDisplay(c);
}

void RepaintStartingList(const RaceControl& c) {
  c.window.invalidatePanel(TimerPanel::Clock);
  c.window.invalidatePanel(TimerPanel::Countdown);
  c.race.hooks.redrawChangedLiveCells();
}

void StartRestClock(const RaceControl& c, int64_t now) {
  RestClock& rest = c.timer.rest;
  const int32_t minutes = c.race.series.parameters.rest;
  rest.over = 0;
  rest.lengthMinutes = minutes;
  rest.remainingMinutes = minutes;
  rest.remainingSeconds = 0;
  rest.startTick = now;
  rest.lastRefreshTick = now;
  rest.announced.fill(0);
  c.timer.restOn = 1;
}

// The end of a run: every car finished, on the board too ("Fin").
void MarkEveryCarFinished(LiveSeries& s) {
  for (SeriesResultEntry& slot : *s.liveTable) slot.finished = 1;
  for (SeriesResultEntry& slot : *s.savedTable) slot.finished = 1;
  for (LiveRankingEntry& entry : s.rankingEntries) entry.finished = 1;
  const int32_t rows = std::clamp(s.rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < rows; ++i) s.rows[i].finished = 1;
}

}  // namespace

void EnableSeriesControls(SeriesControlSurface& surface, bool enabled, bool eventHasFile) {
  for (const int32_t command : kSeriesLockedMenuCommands) {
    const bool on = enabled && (command != kSaveEventCommand || eventHasFile);
    surface.enableMenuCommand(command, on);
  }
  surface.enableResultsEditSubmenu(enabled);
  for (const int32_t id : kSeriesLockedWindows) surface.enableWindow(id, enabled);
}

void StartSeriesCommand(const SeriesCommandContext& context) {
  const RaceControl& c = context.control;
  RaceState& state = c.race.state;
  RaceTimerState& timer = c.timer;
  LiveSeries& s = c.race.series;
  // Its button is greyed then; a start would throw away the clock of the run under way.
  if (SeriesIsLive(state, timer) || timer.scanModeActive != 0) {
    CommonEnding(context);
    return;
  }
  timer.passingParser.reset();
  timer.clockReset.reset();
  state.seriesTimeOrigin = 0;
  state.seriesTimeOriginSet = false;
  if (s.startingListShown != 1) {
    CommonEnding(context);
    return;
  }

  timer.restOn = 0;
  timer.rest.lengthText.clear();
  timer.rest.stateText.clear();
  c.window.invalidatePanel(TimerPanel::Rest);
  EnableSeriesControls(context.surface, false, context.eventHasFile != 0);
  DrainDecoderPort(c.port);
  if (SoundOn(c.race.settings, kSoundCountdown) && s.parameters.countdown > 1) {
    context.surface.playSoundAndWait("sons/nokia-sms.wav");
  }

  // The countdown starts once the operator has heard the signal.
  const int64_t now = c.race.hooks.tickCount();
  CountdownClock& countdown = timer.countdown;
  countdown.startTick = now;
  countdown.durationSeconds = s.parameters.countdown;
  countdown.lastRefreshTick = now;
  countdown.remainingSeconds = 1;
  countdown.announced.fill(0);
  state.armed = 1;
  timer.resetAccepted = 0;
  ResetRaceValues(state);
  timer.raceClock.halfTimeAnnounced = 0;
  timer.raceClock.fiveMinutesAnnounced = 0;
  timer.raceClock.oneMinuteAnnounced = 0;
  CommonEnding(context);
}

void StopSeriesCommand(const SeriesCommandContext& context) {
  const RaceControl& c = context.control;
  const Race& race = c.race;
  RaceState& state = race.state;
  LiveSeries& s = race.series;
  if (s.seriesLoaded == 1) {
    EnableSeriesControls(context.surface, true, context.eventHasFile != 0);
    state.armed = 0;
    // Only a run gets the end of a run: a stop during the countdown or a wait just disarms.
    if (state.running != 0) {
      state.running = 0;
      if (s.parameters.rest > 0) StartRestClock(c, race.hooks.tickCount());
      MarkEveryCarFinished(s);
      if (SoundOn(race.settings, kSoundRaceEnd)) {
        const std::string file = race.settings.sounds.lines[kSoundLanguage] == kSoundLanguageCustom
                                     ? race.settings.customSounds[kSeriesEndCustomEntry].str()
                                     : std::string("sons/truckhorn.wav");
        if (!file.empty()) race.hooks.playSound(file);
      }
      PublishLiveFile(race, 2);
    }
  }
  CopySeriesForSave(*s.liveTable, *s.savedTable, context.penaltySlots, context.penalties);
  ApplyPenalties(*s.savedTable, *s.liveTable, context.penalties);
  CommonEnding(context);
}

void ClearSeriesCommand(const SeriesCommandContext& context) {
  const RaceControl& c = context.control;
  CommonEnding(context);
  if (c.race.series.seriesClearAllowed != 1) return;
  // Its button is greyed then; clearing would erase a run under way.
  if (SeriesIsLive(c.race.state, c.timer) || c.timer.scanModeActive != 0) return;
  if (!context.surface.askQuestion(kClearQuestion, kClearQuestionCaption)) return;
  ShowStartingList(c);
  // The additional screen takes the starting list as a new layout.
  PublishLiveFile(c.race, 1);
  RepaintStartingList(c);
}

void CheckSeriesResults(LiveSeries& series) {
  series.seriesHasResults = 0;
  for (const SeriesResultEntry& slot : *series.savedTable) {
    if (IsEmptySlot(slot)) continue;
    if (slot.passingCount != 0 || slot.laps != 0 || slot.raceTime != 0 || slot.bestLap != 0) {
      series.seriesHasResults = 1;
      series.seriesSaveNeeded = 1;
    }
  }
}

void ResetToStartingList(const RaceControl& control) {
  ShowStartingList(control);
  RepaintStartingList(control);
}

void RecomputeLoadedSeries(const RaceControl& control) {
  const Race& race = control.race;
  LiveSeries& s = race.series;
  CheckSeriesResults(s);
  if (s.rowCount > 0) {
    if (s.seriesHasResults == 0) {
      ResetToStartingList(control);
    } else if (s.startingListShown == 0) {
      LiveSeriesTable& saved = *s.savedTable;
      race.state.seriesBestLap = kNoSeriesBestLap;
      for (int i = 0; i < kMaxSeriesSlots; ++i) {
        UpdateFastestLapHolder(race.state.seriesBestLap, saved, i);
      }
      RankLiveSeries(s.parameters.rankingMode, saved, s.rankingEntries, s.rows, s.rowCount);
    }
  }
  race.hooks.redrawChangedLiveCells();
}

}  // namespace zd
