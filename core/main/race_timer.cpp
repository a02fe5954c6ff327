#include "main/race_timer.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace zd {

namespace {

// A refresh this long ago means one was missed: the thread was held (a web wait, a box).
constexpr int64_t kMissedRefreshMs = 1300;

int32_t Narrow(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool SoundOn(const RaceSettings& settings, SoundLine line) {
  return settings.sounds.lines[line] == kSoundSwitches[line].on;
}

// An announcement in the three sources of sounds: the built-in French and English files and the
// operator's own file of a CustomSounds entry.
struct Voice {
  const char* french;
  const char* english;
  int customEntry;
};

constexpr std::array<Voice, kCountdownAnnouncements.size()> kCountdownVoices = {{
    {"sons/60minutes.wav", "sons/60minutesGB.wav", 56},
    {"sons/30minutes.wav", "sons/30minutesGB.wav", 57},
    {"sons/15minutes.wav", "sons/15minutesGB.wav", 58},
    {"sons/5minutes.wav", "sons/5minutesGB.wav", 59},
    {"sons/2minutes.wav", "sons/2minutesGB.wav", 60},
    {"sons/1minute.wav", "sons/1minuteGB.wav", 61},
    {"sons/30secondes.wav", "sons/30secondesGB.wav", 62},
    {"sons/10secondes.wav", "sons/10secondesGB.wav", 63},
    {"sons/cinq.wav", "sons/cinqGB.wav", 64},
    {"sons/quatre.wav", "sons/quatreGB.wav", 65},
    {"sons/trois.wav", "sons/troisGB.wav", 66},
    {"sons/deux.wav", "sons/deuxGB.wav", 67},
    {"sons/un.wav", "sons/unGB.wav", 68},
}};

constexpr Voice kHalfTime = {"sons/miCourse.wav", "sons/miCourseGB.wav", 69};
constexpr Voice kFiveMinutesLeft = {"sons/5minutes.wav", "sons/5minutesRaceGB.wav", 70};
constexpr Voice kOneMinuteLeft = {"sons/1minute.wav", "sons/1minuteGB.wav", 71};

constexpr std::array<Voice, kRestAnnouncements.size() + 1> kRestVoices = {{
    {"sons/60minutes.wav", "sons/60minutesGB.wav", 73},
    {"sons/30minutes.wav", "sons/30minutesGB.wav", 74},
    {"sons/15minutes.wav", "sons/15minutesGB.wav", 75},
    {"sons/5minutes.wav", "sons/5minutesGB.wav", 76},
    {"sons/2minutes.wav", "sons/2minutesGB.wav", 77},
    {"sons/1minute.wav", "sons/1minuteGB.wav", 78},
    {"sons/nokia-sms.wav", "sons/nokia-sms.wav", 79},  // the end of the rest
}};

constexpr int kTimeUpCustomEntry = 72;

void PlayVoice(const RaceControl& c, const Voice& voice) {
  const RaceSettings& settings = c.race.settings;
  const std::string_view language = settings.sounds.lines[kSoundLanguage];
  std::string file;
  if (language == kSoundLanguageFrench) {
    file = voice.french;
  } else if (language == kSoundLanguageEnglish) {
    file = voice.english;
  } else if (language == kSoundLanguageCustom) {
    file = settings.customSounds[voice.customEntry].str();
  }
  if (!file.empty()) c.race.hooks.playSound(file);
}

bool ByTime(const SeriesParameters& parameters) {
  return parameters.durationKind == kDurationByTime;
}

// "%d:%02d:%02d" of a clock's parts.
FixedText<10> ClockText(int32_t hours, int32_t minutes, int32_t seconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, seconds);
  return FixedText<10>(text);
}

// The first rest announcement not yet made whose moment has come, however late the tick: a wait
// that held the window's thread delays it, never drops it. One a refresh, so that sounds played
// late one after the other do not cut each other off. A threshold at or beyond the rest's length
// never comes: the first refresh already reads below it.
void AnnounceRest(const RaceControl& c) {
  RestClock& rest = c.timer.rest;
  const int64_t remaining = int64_t{rest.remainingMinutes} * 60 + rest.remainingSeconds;
  for (std::size_t i = 0; i < rest.announced.size(); ++i) {
    const int32_t minutes = i < kRestAnnouncements.size() ? kRestAnnouncements[i] : 0;
    if (rest.announced[i] != 0 || minutes >= rest.lengthMinutes ||
        remaining > int64_t{minutes} * 60)
      continue;
    rest.announced[i] = 1;
    PlayVoice(c, kRestVoices[i]);
    return;
  }
}

void RunRestClock(const RaceControl& c) {
  RestClock& rest = c.timer.rest;
  const int64_t now = c.race.hooks.tickCount();
  const ClockReading r =
      ComputeRaceClockMinutes(now, rest.startTick, rest.lengthMinutes, rest.lastRefreshTick);
  rest.elapsedMinutes = r.elapsedMinutes;
  rest.elapsedSeconds = r.elapsedSeconds;
  rest.elapsedMilliseconds = r.elapsedMilliseconds;
  rest.remainingMinutes = r.remainingMinutes;
  rest.remainingSeconds = r.remainingSeconds;
  rest.sinceRefresh = r.sinceRefresh;
  // After a held thread the panel and the announcements catch up at once, not a second later.
  const bool refreshMissed = r.sinceRefresh > kMissedRefreshMs;
  if (!ClockRefreshDue(r.elapsedMilliseconds, r.sinceRefresh) && !refreshMissed) return;

  char length[32];
  std::snprintf(length, sizeof length, "%d:00", rest.lengthMinutes);
  rest.lengthText = length;
  rest.stateText = RestStateText(rest.remainingMinutes, rest.remainingSeconds);
  rest.over = rest.remainingMinutes >= 0 && rest.remainingSeconds >= 0 ? 0 : 1;

  if (SoundOn(c.race.settings, kSoundRestClock)) AnnounceRest(c);
  c.window.invalidatePanel(TimerPanel::Rest);
  rest.lastRefreshTick = now;
}

void WriteRunDescription(const RaceControl& c) {
  const SeriesParameters& p = c.race.series.parameters;
  const LocalDateTime t = c.window.localDateTime();
  const std::string duration = DurationText(p);
  const char* endRule = ByTime(p) ? p.endRuleByTime.c_str() : p.endRuleByLaps.c_str();
  char text[256];
  std::snprintf(text, sizeof text, "Durée %s - %s - %s - Départ %02u/%02u/%04u %u:%02u",
                duration.c_str(), p.startType.c_str(), endRule, t.day, t.month, t.year, t.hour,
                t.minute);
  c.race.series.texts.description = text;
}

// One read of the port through the passing parser; each passing goes to the passing procedure,
// or to its first-car variant while the series waits for its first car.
void ReadPassings(const RaceControl& c, bool firstCar) {
  uint8_t buffer[kDecoderReadSize + 1] = {};
  uint32_t count = 0;
  if (!c.port.read(buffer, kDecoderReadSize, count)) count = 0;
  count = std::min(count, kDecoderReadSize);
  const DecoderLink link = DecoderLinkOf(c.decoderKind);
  RaceHooks& hooks = c.race.hooks;
  c.timer.passingParser.feed(link, buffer, count, hooks.tickCount(), [&](const DecoderPassing& p) {
    PassingTime time;
    time.link = link;
    time.decoderTime = p.decoderTime;
    if (link == DecoderLink::Interface) time.performanceCount = hooks.performanceCount();
    const std::string transponder = SixDigits(p.transponder);
    if (firstCar) {
      HandleFirstCarPassing(c.race, transponder, time);
    } else {
      HandlePassing(c.race, transponder, time);
    }
  });
}

void AcceptClockReset(const RaceControl& c) {
  RaceState& state = c.race.state;
  c.timer.resetAccepted = 1;
  state.raceClock.startTick = 0;  // not started yet
  state.pcStartCount = c.race.hooks.performanceCount();
  c.timer.passingParser.reset();
}

// The series starts at the signal (or staggered) once its countdown and clock reset are done.
void StartSeriesNow(const RaceControl& c) {
  const Race& race = c.race;
  LiveSeries& s = race.series;
  RaceState& state = race.state;
  if (SoundOn(race.settings, kSoundStart)) {
    const std::string file =
        RaceSoundFile(RaceSound::Start, 0, race.settings.sounds, race.settings.customSounds);
    if (!file.empty()) race.hooks.playSound(file);
  }
  StartRaceOnFirstPassing(race);
  state.pcStartCount = race.hooks.performanceCount();
  state.seriesTimeOrigin = 0;
  const int32_t rows = std::clamp(s.rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < rows; ++i) s.rows[i].totalTime = "00:00.000";
  PublishLiveFile(race, 2);
  race.hooks.redrawChangedLiveCells();
}

void EndCountdown(const RaceControl& c) {
  RaceTimerState& t = c.timer;
  bool portRead = false;
  if (t.resetAccepted == 0) {
    const DecoderLink link = DecoderLinkOf(c.decoderKind);
    if (link == DecoderLink::Interface) {
      AcceptClockReset(c);
    } else if (IsDecoder(link)) {
      portRead = true;
      if (t.clockReset.step(c.port)) AcceptClockReset(c);
    }
    // Waiting for the decoder's reply, or a kind without a start: the series stays armed.
    if (t.resetAccepted == 0) return;
  }
  // Rewritten until the series starts, so that it holds the moment of the start.
  WriteRunDescription(c);
  const FixedText<23>& startType = c.race.series.parameters.startType;
  if (startType == kStartFirstCar) {
    // This tick's read went to the clock reset; the first car is looked for from the next one.
    if (!portRead) ReadPassings(c, true);
  } else if (startType == kStartSoundSignal || startType == kStartSoundSignalBis ||
             startType == kStartStaggered) {
    StartSeriesNow(c);
  }
}

void RunCountdown(const RaceControl& c) {
  CountdownClock& cd = c.timer.countdown;
  if (cd.remainingSeconds <= 0) {
    EndCountdown(c);
    return;
  }
  const int64_t now = c.race.hooks.tickCount();
  const CountdownReading r =
      ComputeCountdownSeconds(now, cd.startTick, cd.durationSeconds, cd.lastRefreshTick);
  cd.elapsedSeconds = r.elapsedSeconds;
  cd.elapsedMilliseconds = r.elapsedMilliseconds;
  cd.remainingSeconds = r.remainingSeconds;
  cd.sinceRefresh = r.sinceRefresh;
  if (ClockRefreshDue(r.elapsedMilliseconds, r.sinceRefresh)) {
    char text[32];
    std::snprintf(text, sizeof text, "%ds", cd.remainingSeconds);
    c.timer.countdownText = text;
    c.window.invalidatePanel(TimerPanel::Countdown);
    cd.lastRefreshTick = now;
  }
  if (SoundOn(c.race.settings, kSoundCountdown)) {
    for (std::size_t i = 0; i < kCountdownAnnouncements.size(); ++i) {
      if (cd.announced[i] == 0 && cd.remainingSeconds == kCountdownAnnouncements[i]) {
        cd.announced[i] = 1;
        PlayVoice(c, kCountdownVoices[i]);
      }
    }
  }
  // Passings before the start are not the series'.
  DrainDecoderPort(c.port);
}

void UpdateRaceClockTexts(const RaceControl& c) {
  const SeriesParameters& p = c.race.series.parameters;
  const RaceClock& clock = c.race.state.raceClock;
  const RaceClockProgress& progress = c.timer.raceClock;
  LiveClockTexts& texts = c.race.series.clockTexts;
  texts.duration = DurationText(p);
  texts.elapsed =
      ClockText(progress.elapsedHours, progress.elapsedMinutes, progress.elapsedSeconds);
  if (ByTime(p)) {
    texts.remaining =
        ClockText(clock.remainingHours, clock.remainingMinutes, clock.remainingSeconds);
  } else {
    texts.remaining.clear();
  }
}

void AnnounceRaceClock(const RaceControl& c) {
  const SeriesParameters& p = c.race.series.parameters;
  const RaceClock& clock = c.race.state.raceClock;
  RaceClockProgress& progress = c.timer.raceClock;
  // The series' own duration, also for a series by laps whose clock runs to its time limit.
  const int32_t hours = p.duration / 60;
  const int32_t minutes = p.duration % 60;
  if (progress.halfTimeAnnounced == 0 && clock.remainingHours == progress.elapsedHours &&
      clock.remainingMinutes == progress.elapsedMinutes &&
      clock.remainingSeconds == progress.elapsedSeconds) {
    progress.halfTimeAnnounced = 1;
    PlayVoice(c, kHalfTime);
  }
  if (progress.fiveMinutesAnnounced == 0 && clock.remainingHours == 0 &&
      clock.remainingMinutes == 4 && (hours > 0 || minutes > 12)) {
    progress.fiveMinutesAnnounced = 1;
    PlayVoice(c, kFiveMinutesLeft);
  }
  if (progress.oneMinuteAnnounced == 0 && clock.remainingHours == 0 &&
      clock.remainingMinutes == 0 && (hours > 0 || minutes > 2)) {
    progress.oneMinuteAnnounced = 1;
    PlayVoice(c, kOneMinuteLeft);
  }
}

void RunRace(const RaceControl& c) {
  const Race& race = c.race;
  RaceClock& clock = race.state.raceClock;
  RaceClockProgress& progress = c.timer.raceClock;
  if (clock.remainingHours > 0 || clock.remainingMinutes > 0 || clock.remainingSeconds > 0) {
    const int64_t now = race.hooks.tickCount();
    const ClockReading r = ComputeRaceClockHours(now, clock.startTick, clock.lengthHours,
                                                 clock.lengthMinutes, clock.lastRefreshTick);
    progress.elapsedHours = r.elapsedHours;
    progress.elapsedMinutes = r.elapsedMinutes;
    progress.elapsedSeconds = r.elapsedSeconds;
    progress.elapsedMilliseconds = r.elapsedMilliseconds;
    progress.sinceRefresh = r.sinceRefresh;
    clock.remainingHours = r.remainingHours;
    clock.remainingMinutes = r.remainingMinutes;
    clock.remainingSeconds = r.remainingSeconds;
    if (ClockRefreshDue(r.elapsedMilliseconds, r.sinceRefresh)) {
      clock.lastRefreshTick = now;
      UpdateRaceClockTexts(c);
      c.window.invalidatePanel(TimerPanel::Clock);
      if (progress.elapsedSeconds % 15 == 0) PublishLiveFile(race, 2);
    }
    if (SoundOn(race.settings, kSoundRaceClock)) AnnounceRaceClock(c);
  }
  // Once the time is up the clock stands still. Its signal sounds whatever the switches, but not
  // for a staggered start, whose cars each run their own time.
  if (RaceTimeUp(clock) && progress.timeUpAnnounced == 0) {
    progress.timeUpAnnounced = 1;
    if (race.series.parameters.startType != kStartStaggered) {
      const RaceSettings& settings = race.settings;
      const std::string file = settings.sounds.lines[kSoundLanguage] == kSoundLanguageCustom
                                   ? settings.customSounds[kTimeUpCustomEntry].str()
                                   : std::string("sons/foghorn.wav");
      if (!file.empty()) race.hooks.playSound(file);
    }
  }
  ReadPassings(c, false);
  if (race.state.running != 0) CheckAutomaticStop(race);
}

}  // namespace

bool SeriesIsLive(const RaceState& state, const RaceTimerState& timer) {
  return state.armed != 0 || state.running != 0 || timer.transponderScan != 0 ||
         timer.transponderCheck != 0;
}

CountdownReading ComputeCountdownSeconds(int64_t now, int64_t startTick, int32_t durationSeconds,
                                         int64_t lastRefreshTick) {
  const int64_t e = now - startTick;
  CountdownReading r;
  r.sinceRefresh = now - lastRefreshTick;
  r.elapsedSeconds = Narrow(e / 1000);
  r.elapsedMilliseconds = Narrow(e % 1000);
  // Counts from the duration down to 1, and reaches 0 once the duration has passed.
  r.remainingSeconds = Narrow((int64_t{durationSeconds} * 1000 - e + 1000) / 1000);
  return r;
}

ClockReading ComputeRaceClockHours(int64_t now, int64_t startTick, int32_t hours, int32_t minutes,
                                   int64_t lastRefreshTick) {
  const int64_t e = now - startTick;
  ClockReading r;
  r.sinceRefresh = now - lastRefreshTick;
  r.elapsedHours = Narrow(e / 3600000);
  r.elapsedMinutes = Narrow((e % 3600000) / 60000);
  r.elapsedSeconds = Narrow((e % 60000) / 1000);
  r.elapsedMilliseconds = Narrow(e % 1000);
  const int64_t left = int64_t{hours} * 3600000 + int64_t{minutes} * 60000 - e + 1000;
  const int64_t h = left / 3600000;
  const int64_t m = (left - h * 3600000) / 60000;
  r.remainingHours = Narrow(h);
  r.remainingMinutes = Narrow(m);
  r.remainingSeconds = Narrow((left - h * 3600000 - m * 60000) / 1000);
  return r;
}

ClockReading ComputeRaceClockMinutes(int64_t now, int64_t startTick, int32_t minutes,
                                     int64_t lastRefreshTick) {
  const int64_t e = now - startTick;
  ClockReading r;
  r.sinceRefresh = now - lastRefreshTick;
  r.elapsedMinutes = Narrow(e / 60000);
  r.elapsedSeconds = Narrow((e % 60000) / 1000);
  r.elapsedMilliseconds = Narrow(e % 1000);
  const int64_t left = int64_t{minutes} * 60000 - e + 1000;
  r.remainingMinutes = Narrow(left / 60000);
  r.remainingSeconds = Narrow((left % 60000) / 1000);
  return r;
}

bool ClockRefreshDue(int32_t elapsedMilliseconds, int64_t sinceRefresh) {
  return elapsedMilliseconds >= 1 && elapsedMilliseconds <= 279 && sinceRefresh > 400;
}

bool RaceTimeUp(const RaceClock& clock) {
  return clock.remainingHours <= 0 && clock.remainingMinutes <= 0 && clock.remainingSeconds <= 0;
}

std::string DurationText(const SeriesParameters& parameters) {
  char text[48];
  if (ByTime(parameters)) {
    std::snprintf(text, sizeof text, "%d:%02d:00", parameters.duration / 60,
                  parameters.duration % 60);
  } else {
    std::snprintf(text, sizeof text, "%d tours", parameters.laps);
  }
  return text;
}

FixedText<22> RestStateText(int32_t remainingMinutes, int32_t remainingSeconds) {
  // After a night of rest the minutes need more digits than the panel's field holds: the text is
  // cut to the field.
  char text[64];
  const char* format = remainingMinutes >= 0 && remainingSeconds >= 0 ? "%d:%02d avant début"
                                                                      : "%d:%02d repos écoulé";
  std::snprintf(text, sizeof text, format, remainingMinutes, remainingSeconds);
  return FixedText<22>(text);
}

void ResetRaceClockDisplay(const RaceControl& c) {
  const SeriesParameters& p = c.race.series.parameters;
  RaceClock& clock = c.race.state.raceClock;
  RaceClockProgress& progress = c.timer.raceClock;
  clock.remainingHours = 0;
  clock.remainingMinutes = 0;
  clock.remainingSeconds = 0;
  progress.elapsedHours = 0;
  progress.elapsedMinutes = 0;
  progress.elapsedSeconds = 0;
  progress.timeUpAnnounced = 0;
  LiveClockTexts& texts = c.race.series.clockTexts;
  texts.duration = DurationText(p);
  texts.elapsed = ClockText(0, 0, 0);
  if (ByTime(p)) {
    texts.remaining = ClockText(0, 0, 0);
  } else {
    texts.remaining.clear();
  }
  char countdown[32];
  std::snprintf(countdown, sizeof countdown, "%ds", p.countdown);
  c.timer.countdownText = countdown;
}

void RunMainTimerTick(const RaceControl& c) {
  RaceTimerState& t = c.timer;
  if (t.inTick) {
    // A box this tick opened holds it; the rest clock is on its own and goes on meanwhile.
    if (t.restOn != 0) RunRestClock(c);
    return;
  }
  t.inTick = true;
  struct Leave {
    bool& inTick;
    ~Leave() { inTick = false; }
  } leave{t.inTick};

  c.window.superviseDecoderLink();
  const RaceState& state = c.race.state;
  bool live = false;
  if (t.restOn != 0) RunRestClock(c);
  if (state.armed != 0) {
    live = true;
    RunCountdown(c);
  }
  if (state.running != 0) {
    live = true;
    RunRace(c);
  }
  if (t.scanModeActive != 0) {
    live = true;
    c.window.runTransponderScanStep();
  }
  if (!live && t.participantDialogOpen == 0) DrainDecoderPort(c.port);
}

}  // namespace zd
