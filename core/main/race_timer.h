#pragma once
// The main timer's work on each 100 ms tick: the decoder link's supervision first, then the rest
// clock between series, then the live mode of the loaded series (the start countdown with its
// announcements, the decoder clock reset and the start; the running series with its race clock,
// its passings and its automatic stops; or the transponder scan), and with nothing live the
// draining of the decoder port. Everything outside the core (the clocks, the port, the sounds,
// the board's panels) comes in through interfaces, so a series runs here on a fake clock.
//
// The clocks are recomputed from the tick count at every tick: a late tick only delays texts and
// announcements. The end of the countdown and the time-up are tested as "at or below zero", so a
// tick late enough to skip a displayed 0 still ends them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/live_file.h"
#include "files/phase_sections.h"
#include "main/decoder_protocol.h"
#include "main/passing.h"

namespace zd {

// The announcement thresholds of the countdown, in remaining seconds.
inline constexpr std::array<int32_t, 13> kCountdownAnnouncements = {
    3600, 1800, 900, 300, 120, 60, 30, 10, 5, 4, 3, 2, 1};
// The rest clock's announcements in remaining minutes (at 0 seconds); the seventh is its end. Each
// plays once its moment has come, late after a held thread.
inline constexpr std::array<int32_t, 6> kRestAnnouncements = {60, 30, 15, 5, 2, 1};

// The start countdown. remainingSeconds counts down from the countdown length to 1 and is 0 (or
// below, after a late tick) once the length has passed.
struct CountdownClock {
  int64_t startTick = 0;
  int32_t durationSeconds = 0;
  int32_t elapsedSeconds = 0;
  int32_t elapsedMilliseconds = 0;
  int32_t remainingSeconds = 0;
  int64_t sinceRefresh = 0;
  int64_t lastRefreshTick = 0;
  std::array<int32_t, kCountdownAnnouncements.size()> announced{};
};

// The race clock's elapsed parts and announcements; its start, length and remaining parts are in
// RaceState::raceClock, where the automatic stop reads them.
struct RaceClockProgress {
  int32_t elapsedHours = 0;
  int32_t elapsedMinutes = 0;
  int32_t elapsedSeconds = 0;
  int32_t elapsedMilliseconds = 0;
  int64_t sinceRefresh = 0;
  int32_t halfTimeAnnounced = 0;
  int32_t fiveMinutesAnnounced = 0;
  int32_t oneMinuteAnnounced = 0;
  int32_t timeUpAnnounced = 0;
};

// The clock between two series, from the stop of a series with rest minutes to the next start.
struct RestClock {
  int64_t startTick = 0;
  int32_t lengthMinutes = 0;
  int32_t elapsedMinutes = 0;
  int32_t elapsedSeconds = 0;
  int32_t elapsedMilliseconds = 0;
  int32_t remainingMinutes = 0;
  int32_t remainingSeconds = 0;
  int64_t sinceRefresh = 0;
  int64_t lastRefreshTick = 0;
  std::array<int32_t, kRestAnnouncements.size() + 1> announced{};  // the last: end of the rest
  int32_t over = 0;         // the rest is over: the panel shows "repos écoulé"
  FixedText<7> lengthText;  // "%d:00"
  FixedText<22> stateText;  // "%d:%02d avant début", "%d:%02d repos écoulé"
};

// The timer's state beyond RaceState (armed and running are there). Any of armed, running,
// transponderScan and transponderCheck set makes closing the window refuse.
struct RaceTimerState {
  int32_t transponderScan = 0;
  int32_t transponderCheck = 0;
  int32_t scanModeActive = 0;  // the scan or the check is on
  int32_t restOn = 0;
  // Raised by the window around the participant details dialog, which reads the port itself.
  int32_t participantDialogOpen = 0;

  CountdownClock countdown;
  FixedText<12> countdownText;  // "%ds"
  RaceClockProgress raceClock;
  RestClock rest;

  int32_t resetAccepted = 0;    // the decoder clock reset is done (KV1: at once)
  PassingParser passingParser;  // one parser for the series, the first car and the scan
  ClockResetExchange clockReset;

  bool inTick = false;
};

// Armed, running, scanning or checking.
bool SeriesIsLive(const RaceState& state, const RaceTimerState& timer);

enum class TimerPanel { Clock, Countdown, Rest };

struct LocalDateTime {
  uint32_t day = 1;
  uint32_t month = 1;
  uint32_t year = 2000;
  uint32_t hour = 0;
  uint32_t minute = 0;
};

// What the timer and the series commands ask of the main window besides the race hooks.
class RaceWindow {
 public:
  virtual ~RaceWindow() = default;
  // Raises the panel's area flag and invalidates it without erasing.
  virtual void invalidatePanel(TimerPanel panel) = 0;
  virtual LocalDateTime localDateTime() = 0;
  // The decoder link's initialisation, keep-alive and reconnection, first in every tick.
  virtual void superviseDecoderLink() = 0;
  // One step of the transponder scan or check, on a tick where it is on.
  virtual void runTransponderScanStep() = 0;
};

// Everything a tick or a series command works on. It refers to the window's own records, so
// build it for each call rather than keep it.
struct RaceControl {
  Race race;
  RaceTimerState& timer;
  std::string_view decoderKind;  // of the InterfaceSettings
  DecoderPortIo& port;
  RaceWindow& window;
};

// One tick of MainTimer. A tick that arrives while one is running (through a message box or a
// synchronous send inside it) runs only the rest clock.
void RunMainTimerTick(const RaceControl& control);

// The three clock computations, at now (ms of the tick count). Divisions truncate toward zero and
// remainders keep the dividend's sign, so the remaining parts go negative once a length has passed.
struct CountdownReading {
  int32_t elapsedSeconds = 0;
  int32_t elapsedMilliseconds = 0;
  int32_t remainingSeconds = 0;
  int64_t sinceRefresh = 0;
};
CountdownReading ComputeCountdownSeconds(int64_t now, int64_t startTick, int32_t durationSeconds,
                                         int64_t lastRefreshTick);

struct ClockReading {
  int32_t elapsedHours = 0;  // 0 for the minutes clock
  int32_t elapsedMinutes = 0;
  int32_t elapsedSeconds = 0;
  int32_t elapsedMilliseconds = 0;
  int32_t remainingHours = 0;  // 0 for the minutes clock
  int32_t remainingMinutes = 0;
  int32_t remainingSeconds = 0;
  int64_t sinceRefresh = 0;
};
ClockReading ComputeRaceClockHours(int64_t now, int64_t startTick, int32_t hours, int32_t minutes,
                                   int64_t lastRefreshTick);
ClockReading ComputeRaceClockMinutes(int64_t now, int64_t startTick, int32_t minutes,
                                     int64_t lastRefreshTick);

// A clock's texts are rebuilt once a second, shortly after each whole second.
bool ClockRefreshDue(int32_t elapsedMilliseconds, int64_t sinceRefresh);

// The race clock has run out: every remaining part at or below 0.
bool RaceTimeUp(const RaceClock& clock);

// The series' length as the clock panel shows it: "%d:%02d:00" by time, "%d tours" by laps.
std::string DurationText(const SeriesParameters& parameters);
// The rest panel's state text, kept within its field whatever the values.
FixedText<22> RestStateText(int32_t remainingMinutes, int32_t remainingSeconds);

// The race clock at zero with the time-up signal re-armed, the clock texts of the series' length
// and the countdown text of its full countdown: after a load and a clear.
void ResetRaceClockDisplay(const RaceControl& control);

}  // namespace zd
