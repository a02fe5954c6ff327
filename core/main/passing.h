#pragma once
// The passing procedure: the one place where a passing becomes a lap. It finds the slots that
// carry the passing's transponder, accepts or rejects the lap against the track's minimum lap
// time, records it, keeps the best laps, applies the finish rules, ranks and formats the live
// table, plays the sounds, has the board repaint what changed and publishes the live results file
// when a car finishes. Also here: the variant for a series that starts on the first car's
// passing, and the automatic stop check that follows every read of a running series.
//
// Finish and stop tests on lap and passing counts are "reached or passed", so that a car already
// beyond a target (under the best-lap order, or after an edit) still finishes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/live_file.h"
#include "files/settings.h"
#include "main/decoder_protocol.h"
#include "main/live_series.h"
#include "main/race_hooks.h"

namespace zd {

inline constexpr int32_t kNoSeriesBestLap = 1000000000;

// The decoder's clock is trusted: a KV2/KV3 passing counts with the decoder's own time. These
// bounds only keep a message the line spoiled, or a clock that started again, from moving laps.
//
// Passings read out of order by up to this are ordinary (a decoder sends its buffer after a gap).
// A passing this far ahead of the decoder's clock as the series has followed it, plus 1 ms a
// second since that clock was last seen, is held: the allowance that grows keeps a drifting
// crystal clear of the bound in the longest series.
inline constexpr int64_t kDecoderClockMarginMs = 10000;
// How far apart held passings may be read against the series' clock and still agree on where the
// decoder's clock started.
inline constexpr int64_t kDecoderRestartAgreementMs = 5000;
// The held passings that prove a change of the decoder's clock on their own: the first one and
// two more that agree with it. A link lost and found again is proof enough for the first one
// behind the clock.
inline constexpr int kDecoderRestartPassings = 3;
// Passings held while no change is proven; the oldest goes when a newer one needs the room.
inline constexpr int kMaxHeldPassings = 16;

// A KV2/KV3 passing off the decoder's clock as the series follows it, held until the passings
// that follow show whether that clock changed.
struct HeldPassing {
  FixedText<7> transponder;
  int32_t decoderTime = 0;
  int64_t readAt = 0;  // the series' clock when it was read, ms
  bool ahead = false;  // ahead of the clock; behind it otherwise
};

// The race clock of the running series; the main timer computes it.
struct RaceClock {
  int64_t startTick = 0;
  int64_t lastRefreshTick = 0;
  int32_t lengthHours = 0;
  int32_t lengthMinutes = 0;
  int32_t remainingHours = 0;
  int32_t remainingMinutes = 0;
  int32_t remainingSeconds = 0;
};

// The values of one run of the loaded series.
struct RaceState {
  int32_t armed = 0;  // the countdown runs, or the series waits for its start
  int32_t running = 0;
  int32_t seriesBestLap = kNoSeriesBestLap;
  int32_t finishTargetLaps = 0;  // FinishTargetLaps: 0 until the leader's time is up
  int32_t bellRung = 0;
  int64_t seriesTimeOrigin = 0;  // SeriesTimeOrigin, ms
  // Set once the first car's passing has given the origin; a time of 0 is a valid origin.
  bool seriesTimeOriginSet = false;
  int64_t pcStartCount = 0;  // PcStartCount
  RaceClock raceClock;
  // A failed write of the live file is reported once, until a write succeeds again.
  bool liveFileFailureReported = false;
  // The decoder's clock as the series has seen it: the latest time of a passing counted on it, and
  // what is added to its times since it restarted.
  bool decoderTimeSeen = false;
  int32_t latestDecoderTime = 0;
  int64_t decoderClockShift = 0;  // ms
  // How far the series' clock reads ahead of the decoder's (negative for a decoder that runs fast),
  // at the least-delayed passing, and the series' clock when that was last confirmed.
  int64_t decoderClockLead = 0;
  int64_t decoderClockLeadAt = 0;
  // The link to the decoder was lost and found again since the latest passing counted: its clock
  // may have started again.
  bool decoderFoundAgain = false;
  std::array<HeldPassing, kMaxHeldPassings> heldPassings{};
  int32_t heldPassingCount = 0;
};

// When the series is armed: no origin, no target, no bell, no fastest lap yet.
void ResetRaceValues(RaceState& state);

// What the race control reads of the main window's settings. It refers to the window's own
// records, so build it for each call rather than keep it.
struct RaceSettings {
  const SoundSettings& sounds;
  const CustomSounds& customSounds;
  const WebEventInfo& webEventInfo;
  int32_t lapProtectionTime;  // seconds, from the track settings
  int32_t internationalEvent;
};

// Everything a passing works on. The functions below change what it refers to.
struct Race {
  LiveSeries& series;
  RaceState& state;
  RaceSettings settings;
  RaceHooks& hooks;
};

// How a passing was timed: by the decoder's clock (KV2/KV3), or by the performance counter read
// when its message completed (KV1).
struct PassingTime {
  DecoderLink link = DecoderLink::Unknown;
  int32_t decoderTime = 0;
  int64_t performanceCount = 0;
};

// The passing procedure, for a running series. transponder is the six-digit text.
// A KV2/KV3 passing counts at the decoder's own time. One that lies behind the latest time counted
// by more than kDecoderClockMarginMs, or too far ahead of the decoder's clock, is held: a decoder
// clock that started again (a power cut) is declared only once kDecoderRestartPassings held
// passings agree on it, or at the first one behind after the link was lost and found again; its
// times are then rebased on the series' clock, every held passing that agrees counts, and the
// status text says so once. Passings that agree ahead of the clock rebase it the same way, so
// that no wrong rebase lasts. A held passing that nothing explains is dropped when the clock goes
// on, and the status text says so. No passing moves another.
void HandlePassing(const Race& race, std::string_view transponder, const PassingTime& time);

// The series' own clock now: the performance counter since PcStartCount, less SeriesTimeOrigin.
// False without a counter.
bool SeriesClockNow(const Race& race, int64_t& elapsed);

// The link to the decoder was found again after it was lost: the next passing behind the
// decoder's clock is taken as a restart of that clock.
void NoteDecoderFoundAgain(RaceState& state);

// The procedure from the recording of the lap on, for slot index i (0 to 49) whose elapsed time
// and current lap are set: decoder passings after their acceptance, and manual laps.
void CountLap(const Race& race, int slotIndex);

// A passing while a "DEPARTPremiereVoiture" series waits for its first car, and for the rest of
// the read that started it: the first matching passing starts the series and its time becomes the
// series' time origin. Finished slots take no passing; nothing happens once the series has
// stopped.
void HandleFirstCarPassing(const Race& race, std::string_view transponder, const PassingTime& time);
// The series starts now: the race clock from the tick count, armed off and running on. Neither
// publishes nor plays anything.
void StartRaceOnFirstPassing(const Race& race);
// The first-car variant from the recording of the lap on, for slot index i whose elapsed time and
// current lap are set (also a manual first passing): no fastest lap, no passing sounds, no live
// file.
void CountFirstCarLap(const Race& race, int slotIndex);

// After each read of a running series: presses the stop button when the time is up under the
// time end-on-signal rule or in a series by laps, or when every slot has finished or abandoned.
void CheckAutomaticStop(const Race& race);

// The first lap that can be a car's best lap under a start type: 2 where lap 1 is the run-up
// from the start signal (or the first car's crossing), 1 where the car times its own first lap,
// 0 (none) for an unknown start type.
int32_t FirstTimedLap(std::string_view startType);

// Records the slot's current lap at its elapsed time. False, changing nothing, when the slot's
// passing times are full.
bool RecordLap(LiveSeriesTable& table, int slotIndex, std::string_view startType);
// Moves the fastest-lap flag to the slot when its best lap is at least as fast as the series'.
void UpdateFastestLapHolder(int32_t& seriesBestLap, LiveSeriesTable& table, int slotIndex);

// Writes the live results file from the board rows, refreshes the additional screen (what: 1 new
// layout, 2 new values) and, once written, uploads the file when live publishing is on. False
// when the file could not be written; that is reported through the hooks once until a write
// succeeds.
bool PublishLiveFile(const Race& race, int32_t what);

enum class RaceSound { Start, Passing, BestLap, Rejection, Bell, CarFinished };
// The wave file of a race sound by the sound language; slotNumber only for CarFinished. Empty
// when nothing is to play (another language for a per-language sound, or no file chosen).
std::string RaceSoundFile(RaceSound sound, int32_t slotNumber, const SoundSettings& sounds,
                          const CustomSounds& customSounds);

}  // namespace zd
