// The bytes of the decoder link fed into a running series: the series is started as the start
// button does, and the rest of the input arrives on the port a chunk per timer tick, whatever the
// link. The first two bytes choose the link and the series' parameters.

#include <memory>
#include <string>

#include "files/phase_sections.h"
#include "files/ranking.h"
#include "fuzz_support.h"
#include "main/live_series.h"
#include "main/passing.h"
#include "main/race_commands.h"
#include "main/race_timer.h"

namespace {

using namespace zd;

constexpr const char* kKinds[] = {kInterfaceKind, kUsbDecoderKind, kBluetoothDecoderKind};
constexpr int kCars = 6;
constexpr std::size_t kBytesPerTick = 24;

// Slot k's transponder is 1000 + k: the seeds' passings name them.
std::string TransponderOf(int slot) {
  std::string text = std::to_string(1000 + slot);
  return std::string(6 - text.size(), '0') + text;
}

struct Desk {
  explicit Desk(LiveSeries& s) : series(s) {}
  LiveSeries& series;
  RaceState state;
  SoundSettings sounds;
  CustomSounds customSounds{};
  WebEventInfo web;
  fuzz::NullHooks hooks;
  fuzz::NullWindow window;
  fuzz::BytesPort port;
  RaceTimerState timer;
  PenaltyTable penalties;
  PenaltySlotTable penaltySlots{};
  std::string kind;

  RaceControl Control() {
    const RaceSettings settings{sounds, customSounds, web, 2, 0};
    return {{series, state, settings, hooks}, timer, kind, port, window};
  }
  SeriesCommandContext Commands() { return {Control(), window, penalties, penaltySlots, 0}; }
};

void LoadSeries(Desk& d) {
  LiveSeriesTable& table = *d.series.liveTable;
  ClearSeriesResultEntries(table);
  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    table[k - 1].name = k <= kCars ? "Pilote " + std::to_string(k) : std::string(kEmptySlotName);
    if (k <= kCars) table[k - 1].transponder = TransponderOf(k);
  }
  ResetSeriesResultSlots(table);
  d.series.rowCount = CollectRankingEntries(d.series.rankingEntries, table);
  FillStartingRows(d.series.rows, d.series.rankingEntries, d.series.rowCount);
  ResetRaceValues(d.state);
  *d.series.savedTable = table;
  d.series.seriesLoaded = 1;
  d.series.startingListShown = 1;
  d.series.startingListShownForScan = 1;
  d.series.seriesClearAllowed = 1;
  ResetRaceClockDisplay(d.Control());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;
  if (size < 2) return 0;
  // The desk is small once the series is not in it: made anew for each input.
  auto d = std::make_unique<Desk>(fuzz::FreshLiveSeries());
  d->kind = kKinds[data[0] % 3];
  SeriesParameters& p = d->series.parameters;
  p.countdown = 0;
  p.rankingMode = (data[1] & 1) ? kRankByBestLap : kRankByLapsAndTime;
  p.durationKind = (data[1] & 2) ? kDurationByLaps : kDurationByTime;
  p.laps = 1 + (data[1] >> 4);
  p.duration = 1 + ((data[1] >> 2) & 3);
  p.passingCapacity = (data[1] & 8) ? kShortRoundCapacity : kPracticePassingCapacity;
  ClearPenaltyTable(d->penalties);
  d->penalties[0].code = "A";
  Desk* desk = d.get();
  d->hooks.onStop = [desk] { StopSeriesCommand(desk->Commands()); };
  data += 2;
  size -= 2;

  LoadSeries(*d);
  StartSeriesCommand(d->Commands());
  while (size > 0) {
    const std::size_t n = size < kBytesPerTick ? size : kBytesPerTick;
    d->port.give(data, n);
    data += n;
    size -= n;
    d->hooks.tick += 100;
    RunMainTimerTick(d->Control());
  }
  d->port.give(nullptr, 0);
  d->hooks.tick += 100;
  RunMainTimerTick(d->Control());
  StopSeriesCommand(d->Commands());
  return 0;
}
