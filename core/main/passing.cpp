#include "main/passing.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "files/ranking.h"
#include "files/time_format.h"
#include "main/live_ranking.h"

namespace zd {

namespace {

// The low 32 bits of a time, as the slots store times: never undefined, whatever the value.
int32_t Low32(int64_t t) { return static_cast<int32_t>(static_cast<uint32_t>(t)); }

bool SoundOn(const SoundSettings& sounds, SoundLine line) {
  return sounds.lines[line] == kSoundSwitches[line].on;
}

void Play(const Race& race, RaceSound sound, int32_t slotNumber = 0) {
  std::string file =
      RaceSoundFile(sound, slotNumber, race.settings.sounds, race.settings.customSounds);
  if (!file.empty()) race.hooks.playSound(file);
}

bool AnyNamedSlotFinished(const LiveSeriesTable& table) {
  return std::any_of(table.begin(), table.end(), [](const SeriesResultEntry& slot) {
    return slot.finished != 0 && !IsEmptySlot(slot);
  });
}

// The series parameters as the rules test them.
struct Rules {
  explicit Rules(const SeriesParameters& p)
      : byTime(p.durationKind == kDurationByTime),
        byLaps(p.durationKind == kDurationByLaps),
        staggered(p.startType == kStartStaggered),
        timeFinishLap(p.endRuleByTime == kEndTimeFinishLap),
        timeTwoMoreLaps(p.endRuleByTime == kEndTimeTwoMoreLaps),
        timeSignal(p.endRuleByTime == kEndTimeSoundSignal),
        lapsFinishLap(p.endRuleByLaps == kEndLapsFinishLap),
        lapsAllLaps(p.endRuleByLaps == kEndLapsAllLaps),
        lapsSignal(p.endRuleByLaps == kEndLapsSoundSignal),
        duration(int64_t{p.duration} * 60000),
        laps(p.laps),
        capacity(p.passingCapacity) {}

  bool byTime, byLaps, staggered;
  bool timeFinishLap, timeTwoMoreLaps, timeSignal;
  bool lapsFinishLap, lapsAllLaps, lapsSignal;
  int64_t duration;  // ms
  int32_t laps;
  int32_t capacity;
};

// The finish announcement is left out when the stop that a count just caused plays its own.
bool StopPlaysInstead(const Rules& rules, const SeriesResultEntry& slot, bool checkCapacity) {
  if (checkCapacity && slot.passingCount >= rules.capacity) return true;
  return rules.byLaps && rules.lapsSignal && slot.laps >= rules.laps;
}

bool IsSlotIndex(int i) { return i >= 0 && i < kMaxSeriesSlots; }

// A race time for the status texts, to the tenth.
std::string StatusTime(int64_t ms) {
  const int64_t t = std::clamp<int64_t>(ms, 0, std::numeric_limits<int32_t>::max());
  return FormatLapTime(static_cast<int32_t>(t / 100 * 100));
}

// The series' clock when a passing is read: the performance counter, or without one the race
// clock's ticks, which started with the series.
int64_t ReadClockNow(const Race& race) {
  int64_t now = 0;
  if (SeriesClockNow(race, now)) return now;
  return race.hooks.tickCount() - race.state.raceClock.startTick;
}

// How long before it was read a held passing happened by its own clock, as the decoder's times
// stood before any restart was taken into account.
int64_t HeldOffset(const RaceState& state, const HeldPassing& held) {
  return held.readAt - DecoderElapsed(held.decoderTime, state.seriesTimeOrigin);
}

void ReportDropped(const Race& race, const HeldPassing& held) {
  const int64_t elapsed =
      DecoderElapsed(held.decoderTime, race.state.seriesTimeOrigin) + race.state.decoderClockShift;
  race.hooks.reportStatus("Passage " + std::string(held.transponder.view()) + " ignoré : temps " +
                          StatusTime(elapsed) +
                          (held.ahead ? " au-delà de la course." : " en arrière de la course."));
}

void DropHeldPassings(const Race& race) {
  RaceState& state = race.state;
  for (int32_t i = 0; i < state.heldPassingCount; ++i) ReportDropped(race, state.heldPassings[i]);
  state.heldPassingCount = 0;
}

void HoldPassing(const Race& race, std::string_view transponder, int32_t decoderTime,
                 int64_t readAt, bool ahead) {
  RaceState& state = race.state;
  auto& held = state.heldPassings;
  if (state.heldPassingCount == kMaxHeldPassings) {
    ReportDropped(race, held[0]);
    std::move(held.begin() + 1, held.end(), held.begin());
    --state.heldPassingCount;
  }
  HeldPassing& h = held[state.heldPassingCount++];
  h.transponder = transponder;
  h.decoderTime = decoderTime;
  h.readAt = readAt;
  h.ahead = ahead;
}

// Follows how far the series' clock reads ahead of the decoder's from a passing counted at its
// own time. A passing read late says nothing of it; one read earlier than the others moves it by
// no more than a drifting clock can, so that a spoiled message cannot carry the bound along.
void FollowDecoderClock(RaceState& state, int64_t late, int64_t now) {
  if (late > state.decoderClockLead) return;
  const int64_t step = 1000 + std::max<int64_t>(0, now - state.decoderClockLeadAt) / 1000;
  state.decoderClockLead = std::max(late, state.decoderClockLead - step);
  state.decoderClockLeadAt = now;
}

void CountInSlots(const Race& race, std::string_view transponder, const PassingTime& time,
                  int64_t decoderElapsed);

// Rebases the decoder's clock when the held passings prove it changed (a restart, or a rebase that
// a single passing after the link was found again made wrongly): the clock starts where the
// passings that agree with the newest one say, each of them counts, and the others go.
void TryDecoderRestart(const Race& race, int64_t now) {
  RaceState& state = race.state;
  const int32_t count = state.heldPassingCount;
  if (count == 0) return;
  const bool ahead = state.heldPassings[count - 1].ahead;
  const int64_t newest = HeldOffset(state, state.heldPassings[count - 1]);
  std::array<bool, kMaxHeldPassings> agrees{};
  int32_t agreeing = 0;
  int64_t shift = 0;
  int32_t latest = 0;
  for (int32_t i = 0; i < count; ++i) {
    const HeldPassing& h = state.heldPassings[i];
    const int64_t offset = HeldOffset(state, h);
    if (offset < newest - kDecoderRestartAgreementMs ||
        offset > newest + kDecoderRestartAgreementMs) {
      continue;
    }
    agrees[i] = true;
    // A passing is read after it happened, never before: the least delay is the closest.
    shift = agreeing == 0 ? offset : std::min(shift, offset);
    latest = agreeing == 0 ? h.decoderTime : std::max(latest, h.decoderTime);
    ++agreeing;
  }
  if (!(state.decoderFoundAgain && !ahead) && agreeing < kDecoderRestartPassings) return;

  const std::array<HeldPassing, kMaxHeldPassings> held = state.heldPassings;
  state.heldPassingCount = 0;
  state.decoderClockShift = shift;
  state.latestDecoderTime = latest;
  state.decoderClockLead = 0;
  state.decoderClockLeadAt = now;
  state.decoderFoundAgain = false;
  int64_t restartedAt = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (!agrees[i]) {
      ReportDropped(race, held[i]);
    } else if (restartedAt < 0) {
      restartedAt = DecoderElapsed(held[i].decoderTime, state.seriesTimeOrigin) + shift;
    }
  }
  race.hooks.reportStatus((ahead ? "Horloge du décodeur en avance : temps recalés à "
                                 : "Horloge du décodeur repartie à zéro : temps recalés à ") +
                          StatusTime(restartedAt) + ".");
  PassingTime time;
  time.link = DecoderLink::UsbDecoder;
  for (int32_t i = 0; i < count; ++i) {
    if (!agrees[i]) continue;
    time.decoderTime = held[i].decoderTime;
    CountInSlots(race, held[i].transponder.view(), time,
                 DecoderElapsed(held[i].decoderTime, state.seriesTimeOrigin) + shift);
  }
}

// A KV2/KV3 passing of the running series: counted at the decoder's time, or held while it may
// belong to a clock that changed.
void TakeDecoderPassing(const Race& race, std::string_view transponder, const PassingTime& time) {
  RaceState& state = race.state;
  const int64_t now = ReadClockNow(race);
  const int64_t raw = DecoderElapsed(time.decoderTime, state.seriesTimeOrigin);
  const int64_t elapsed = raw + state.decoderClockShift;
  const int64_t late = now - elapsed;
  const int64_t allowance =
      kDecoderClockMarginMs + std::max<int64_t>(0, now - state.decoderClockLeadAt) / 1000;
  const bool ahead = late < state.decoderClockLead - allowance;
  const bool behind = state.decoderTimeSeen &&
                      int64_t{time.decoderTime} < state.latestDecoderTime - kDecoderClockMarginMs;
  // Once the clock went back, a passing read as long after its time as the held ones were goes
  // with them, even when the new clock has caught up with the old one's latest time.
  bool withHeld = false;
  if (!ahead && !behind && state.heldPassingCount > 0 &&
      late > state.decoderClockLead + kDecoderClockMarginMs) {
    const int64_t offset = now - raw;
    const int64_t newest = HeldOffset(state, state.heldPassings[state.heldPassingCount - 1]);
    withHeld = offset >= newest - kDecoderRestartAgreementMs &&
               offset <= newest + kDecoderRestartAgreementMs;
  }
  if (ahead || behind || withHeld) {
    HoldPassing(race, transponder, time.decoderTime, now, ahead);
    TryDecoderRestart(race, now);
    return;
  }
  // The clock goes on: what was held off it was no change of clock.
  DropHeldPassings(race);
  state.decoderFoundAgain = false;
  if (!state.decoderTimeSeen || time.decoderTime > state.latestDecoderTime) {
    state.latestDecoderTime = time.decoderTime;
  }
  state.decoderTimeSeen = true;
  FollowDecoderClock(state, late, now);
  CountInSlots(race, transponder, time, elapsed);
}

void Rank(const Race& race) {
  LiveSeries& s = race.series;
  RankLiveSeries(s.parameters.rankingMode, *s.liveTable, s.rankingEntries, s.rows, s.rowCount);
}

}  // namespace

void ResetRaceValues(RaceState& state) {
  state.seriesTimeOrigin = 0;
  state.seriesTimeOriginSet = false;
  state.finishTargetLaps = 0;
  state.bellRung = 0;
  state.seriesBestLap = kNoSeriesBestLap;
  state.decoderTimeSeen = false;
  state.latestDecoderTime = 0;
  state.decoderClockShift = 0;
  state.decoderClockLead = 0;
  state.decoderClockLeadAt = 0;
  state.decoderFoundAgain = false;
  state.heldPassingCount = 0;
}

void NoteDecoderFoundAgain(RaceState& state) { state.decoderFoundAgain = true; }

bool SeriesClockNow(const Race& race, int64_t& elapsed) {
  return InterfaceElapsed(race.hooks.performanceCount(), race.state.pcStartCount,
                          race.hooks.performanceFrequency(), race.state.seriesTimeOrigin, elapsed);
}

std::string RaceSoundFile(RaceSound sound, int32_t slotNumber, const SoundSettings& sounds,
                          const CustomSounds& customSounds) {
  const std::string_view language = sounds.lines[kSoundLanguage];
  const bool custom = language == kSoundLanguageCustom;
  if (sound == RaceSound::CarFinished) {
    if (slotNumber < 1 || slotNumber > kMaxSeriesSlots) return {};
    if (custom) return customSounds[5 + slotNumber].str();  // entries 6 to 55
    char name[40];
    if (language == kSoundLanguageFrench) {
      std::snprintf(name, sizeof name, "sons/FinCourse%d.wav", slotNumber);
    } else if (language == kSoundLanguageEnglish) {
      std::snprintf(name, sizeof name, "sons/FinCourse%dGB.wav", slotNumber);
    } else {
      return {};
    }
    return name;
  }
  // The other sounds are the same in French and English, and in any other language too.
  struct Choice {
    int customEntry;
    const char* builtIn;
  };
  static constexpr Choice kChoices[] = {
      {0, "sons/foghorn.wav"},  // Start
      {1, "sons/beep1.wav"},    // Passing
      {2, "sons/youpi.wav"},    // BestLap
      {3, "sons/buzz.wav"},     // Rejection
      {4, "sons/cloche.wav"},   // Bell
  };
  const Choice& choice = kChoices[static_cast<int>(sound)];
  return custom ? customSounds[choice.customEntry].str() : std::string(choice.builtIn);
}

int32_t FirstTimedLap(std::string_view startType) {
  // Started at the signal or by the first car, the first lap began before the line and is no
  // lap of its own; the other two starts time the first lap from the car's own crossing.
  if (startType == kStartSoundSignal || startType == kStartFirstCar) return 2;
  if (startType == kStartSoundSignalBis || startType == kStartStaggered) return 1;
  return 0;
}

bool RecordLap(LiveSeriesTable& table, int slotIndex, std::string_view startType) {
  if (!IsSlotIndex(slotIndex)) return false;
  SeriesResultEntry& slot = table[slotIndex];
  const int32_t n = slot.passingCount;
  const int32_t l = slot.laps;
  int32_t p = n + 1;
  int32_t laps = l + 1;
  const bool staggeredFirst =
      startType == kStartStaggered && slot.startOffset == 0 && slot.firstPassingTaken == 0;
  if (staggeredFirst) {
    // The car's own race starts at this passing.
    p = n;
    laps = l;
  } else if (startType == kStartSoundSignalBis && slot.lapTimes[0] == 0 &&
             slot.firstPassingTaken == 0) {
    // The first passing starts the first lap: stored at index 0, not counted.
    p = n;
    laps = l;
  }
  if (p < 0 || p > kMaxPassings) return false;
  if (staggeredFirst) slot.startOffset = Low32(slot.elapsedTime);

  slot.passingCount = p;
  slot.laps = laps;
  slot.raceTime = Low32(slot.elapsedTime - slot.startOffset);
  slot.passingTimes[p] = slot.raceTime;
  slot.lapTimes[p] = slot.currentLap;
  slot.passed = 1;
  slot.firstPassingTaken = 1;
  int32_t latestOrder = 0;
  for (const SeriesResultEntry& other : table) latestOrder = std::max(latestOrder, other.lapOrder);
  slot.lapOrder = latestOrder + 1;

  const int32_t lap = slot.currentLap;
  slot.newBest = 0;
  const int32_t firstTimedLap = FirstTimedLap(startType);
  if (firstTimedLap == 0 || p < firstTimedLap) return true;
  if (p == firstTimedLap) {
    slot.bestLap = lap;
  } else if (lap < slot.bestLap) {
    slot.bestLap = lap;
    slot.newBest = 1;
  }
  return true;
}

void UpdateFastestLapHolder(int32_t& seriesBestLap, LiveSeriesTable& table, int slotIndex) {
  if (!IsSlotIndex(slotIndex)) return;
  SeriesResultEntry& slot = table[slotIndex];
  if (slot.bestLap == 0 || slot.bestLap > seriesBestLap) return;
  for (SeriesResultEntry& other : table) other.fastestLap = 0;
  seriesBestLap = slot.bestLap;
  slot.fastestLap = 1;
}

bool PublishLiveFile(const Race& race, int32_t what) {
  const LiveSeries& s = race.series;
  const RaceSettings& settings = race.settings;
  const bool written =
      race.hooks.writeLiveFile(s.rows, s.clockTexts, s.seriesTitle, settings.webEventInfo.videoLink,
                               s.rowCount, settings.internationalEvent);
  if (!written && !race.state.liveFileFailureReported) race.hooks.reportStatus(kLiveFileNotFound);
  race.state.liveFileFailureReported = !written;
  race.hooks.refreshLiveScreen(what);
  // A file that could not be written may be an older or a partial one: neither is sent.
  if (written && settings.webEventInfo.connected == 1 && settings.webEventInfo.activated == 1) {
    race.hooks.uploadLiveFile();
  }
  return written;
}

void HandlePassing(const Race& race, std::string_view transponder, const PassingTime& time) {
  if (IsDecoder(time.link)) {
    TakeDecoderPassing(race, transponder, time);
  } else {
    CountInSlots(race, transponder, time, 0);
  }
}

namespace {

// The passing procedure from the search of the slots on, with the passing's elapsed time when a
// decoder timed it.
void CountInSlots(const Race& race, std::string_view transponder, const PassingTime& time,
                  int64_t decoderElapsed) {
  LiveSeriesTable& table = *race.series.liveTable;
  const RaceState& state = race.state;
  const int64_t protection = int64_t{race.settings.lapProtectionTime} * 1000;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    SeriesResultEntry& slot = table[i];
    if (slot.finished != 0 || slot.transponder != transponder) continue;

    switch (time.link) {
      case DecoderLink::UsbDecoder:
      case DecoderLink::BluetoothDecoder:
        slot.elapsedTime = decoderElapsed;
        break;
      case DecoderLink::Interface:
        slot.passingTick = time.performanceCount;
        InterfaceElapsed(time.performanceCount, state.pcStartCount,
                         race.hooks.performanceFrequency(), state.seriesTimeOrigin,
                         slot.elapsedTime);
        break;
      case DecoderLink::Unknown:
        break;  // the elapsed time stays
    }
    const int32_t d = Low32(slot.elapsedTime - slot.startOffset);
    slot.currentLap = Low32(int64_t{d} - slot.raceTime);
    slot.rejectionGap = Low32(int64_t{d} - slot.lastRejectionTime);

    const bool firstPassing = slot.passingCount == 0 && slot.startOffset == 0 &&
                              slot.lapTimes[0] == 0 && slot.firstPassingTaken == 0;
    if (slot.currentLap <= protection && !firstPassing) {
      // Too short for a lap: a buzz now and then, when the passing sound is on.
      if (SoundOn(race.settings.sounds, kSoundPassing) && slot.rejectionGap > 1000 &&
          slot.currentLap > 2000) {
        Play(race, RaceSound::Rejection);
        slot.lastRejectionTime = d;
      }
      continue;
    }
    CountLap(race, i);
  }
}

}  // namespace

void CountLap(const Race& race, int slotIndex) {
  if (!IsSlotIndex(slotIndex)) return;
  LiveSeries& s = race.series;
  RaceState& state = race.state;
  LiveSeriesTable& table = *s.liveTable;
  SeriesResultEntry& slot = table[slotIndex];
  const Rules rules(s.parameters);

  if (!RecordLap(table, slotIndex, s.parameters.startType)) return;
  UpdateFastestLapHolder(state.seriesBestLap, table, slotIndex);

  // Finish rules; with several, any of them finishes the car.
  if (rules.byTime && rules.staggered && slot.raceTime >= rules.duration) slot.finished = 1;
  if (rules.byTime && !rules.staggered && rules.timeFinishLap && AnyNamedSlotFinished(table)) {
    slot.finished = 1;
  }
  if (rules.byTime && rules.timeTwoMoreLaps) {
    if (state.finishTargetLaps != 0 && slot.laps >= state.finishTargetLaps) slot.finished = 1;
    if (AnyNamedSlotFinished(table)) slot.finished = 1;
  }
  if (rules.byLaps && rules.lapsFinishLap) {
    if (slot.laps >= rules.laps || AnyNamedSlotFinished(table)) slot.finished = 1;
  }
  if (rules.byLaps && rules.lapsAllLaps && slot.laps >= rules.laps) slot.finished = 1;

  Rank(race);

  if (rules.byTime) {
    const LiveRankingEntry& leader = s.rankingEntries[0];
    // The leader is the first to finish once the time is up; the others follow at their next
    // passing. Row 0 was formatted before, so its flag is set here too.
    if (!rules.staggered && rules.timeFinishLap && s.rowCount > 0 &&
        leader.slotNumber == slot.slotNumber && slot.raceTime >= rules.duration) {
      slot.finished = 1;
      s.rankingEntries[0].finished = 1;
      s.rows[0].finished = 1;
    }
    if (rules.timeTwoMoreLaps && s.rowCount > 0 && leader.raceTime >= rules.duration &&
        state.finishTargetLaps == 0) {
      state.finishTargetLaps = leader.laps + 2;
    }
    if (slot.passingCount >= rules.capacity) race.hooks.pressStopButton();
  }
  if (rules.byLaps && rules.lapsSignal && slot.passingCount >= rules.laps) {
    race.hooks.pressStopButton();
  }

  const SoundSettings& sounds = race.settings.sounds;
  if (rules.byTime && rules.timeTwoMoreLaps && state.finishTargetLaps > 0 && state.bellRung == 0) {
    Play(race, RaceSound::Bell);
    state.bellRung = 1;
  } else if (SoundOn(sounds, kSoundBestLap) && slot.newBest != 0 && slot.finished == 0) {
    Play(race, RaceSound::BestLap);
  } else if (SoundOn(sounds, kSoundPassing) && slot.finished == 0) {
    Play(race, RaceSound::Passing);
  }
  if (SoundOn(sounds, kSoundCarFinished) && slot.finished != 0 &&
      !StopPlaysInstead(rules, slot, true)) {
    Play(race, RaceSound::CarFinished, slot.slotNumber);
  }

  race.hooks.redrawChangedLiveCells();
  if (slot.finished != 0) PublishLiveFile(race, 2);
  slot.passed = 0;
}

void StartRaceOnFirstPassing(const Race& race) {
  LiveSeries& s = race.series;
  RaceState& state = race.state;
  const int64_t now = race.hooks.tickCount();
  state.raceClock.startTick = now;
  s.startingListShown = 0;
  s.startingListShownForScan = 0;
  state.armed = 0;
  state.running = 1;
  state.raceClock.lastRefreshTick = now;
  state.raceClock.remainingSeconds = 1;
  if (s.parameters.durationKind == kDurationByTime) {
    state.raceClock.lengthHours = s.parameters.duration / 60;
    state.raceClock.lengthMinutes = s.parameters.duration % 60;
  } else {
    state.raceClock.lengthHours = s.lapSeriesTimeLimit;
    state.raceClock.lengthMinutes = 0;
  }
}

void HandleFirstCarPassing(const Race& race, std::string_view transponder,
                           const PassingTime& time) {
  LiveSeriesTable& table = *race.series.liveTable;
  RaceState& state = race.state;
  const int64_t protection = int64_t{race.settings.lapProtectionTime} * 1000;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    // A stop pressed by an earlier passing of the same read ends the series here too.
    if (state.armed == 0 && state.running == 0) return;
    SeriesResultEntry& slot = table[i];
    if (slot.finished != 0 || slot.transponder != transponder) continue;

    if (state.running == 0) {
      StartRaceOnFirstPassing(race);
      PublishLiveFile(race, 2);
      if (SoundOn(race.settings.sounds, kSoundStart)) Play(race, RaceSound::Start);
    }

    switch (time.link) {
      case DecoderLink::UsbDecoder:
      case DecoderLink::BluetoothDecoder:
        if (!state.seriesTimeOriginSet) {
          state.seriesTimeOrigin = time.decoderTime;
          state.seriesTimeOriginSet = true;
        }
        slot.elapsedTime = DecoderElapsed(time.decoderTime, state.seriesTimeOrigin);
        // What the restart check of the passings that follow compares with.
        if (!state.decoderTimeSeen || time.decoderTime > state.latestDecoderTime) {
          state.latestDecoderTime = time.decoderTime;
        }
        state.decoderTimeSeen = true;
        break;
      case DecoderLink::Interface: {
        slot.passingTick = time.performanceCount;
        const int64_t frequency = race.hooks.performanceFrequency();
        if (frequency != 0 && !state.seriesTimeOriginSet) {
          state.seriesTimeOrigin =
              CounterMilliseconds(time.performanceCount - state.pcStartCount, frequency);
          state.seriesTimeOriginSet = true;
        }
        InterfaceElapsed(time.performanceCount, state.pcStartCount, frequency,
                         state.seriesTimeOrigin, slot.elapsedTime);
        break;
      }
      case DecoderLink::Unknown:
        break;
    }
    const int32_t index = std::clamp(slot.passingCount, 0, kMaxPassings);
    slot.currentLap = Low32(slot.elapsedTime - slot.passingTimes[index]);
    if (slot.currentLap <= protection && slot.passingCount != 0) continue;
    CountFirstCarLap(race, i);
  }
}

void CountFirstCarLap(const Race& race, int slotIndex) {
  if (!IsSlotIndex(slotIndex)) return;
  LiveSeries& s = race.series;
  LiveSeriesTable& table = *s.liveTable;
  SeriesResultEntry& slot = table[slotIndex];
  const Rules rules(s.parameters);

  if (!RecordLap(table, slotIndex, s.parameters.startType)) return;
  if (rules.byLaps && !rules.lapsSignal && slot.passingCount >= rules.laps) slot.finished = 1;
  Rank(race);
  if (rules.byLaps && rules.lapsSignal && slot.passingCount >= rules.laps) {
    race.hooks.pressStopButton();
  }
  if (SoundOn(race.settings.sounds, kSoundCarFinished) && slot.finished != 0 &&
      !StopPlaysInstead(rules, slot, false)) {
    Play(race, RaceSound::CarFinished, slot.slotNumber);
  }
  race.hooks.redrawChangedLiveCells();
  slot.passed = 0;
}

void CheckAutomaticStop(const Race& race) {
  const Rules rules(race.series.parameters);
  const RaceClock& clock = race.state.raceClock;
  // Every part at or below 0: a clock computed late may stand below 0:00:00, not just at it.
  const bool timeUp =
      clock.remainingHours <= 0 && clock.remainingMinutes <= 0 && clock.remainingSeconds <= 0;
  if (timeUp && ((rules.byTime && rules.timeSignal) || rules.byLaps)) {
    race.hooks.pressStopButton();
    return;
  }
  const LiveSeriesTable& table = *race.series.liveTable;
  const bool allDone = std::all_of(table.begin(), table.end(), [](const SeriesResultEntry& slot) {
    return slot.finished != 0 || slot.penaltyIndex == kAbandonmentIndex;
  });
  if (allDone) race.hooks.pressStopButton();
}

}  // namespace zd
