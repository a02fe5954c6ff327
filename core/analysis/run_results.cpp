#include "analysis/run_results.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "files/time_format.h"

namespace zd {

namespace {

// Unplaced and taken times: every real time is below the first, every untaken one below the
// second.
constexpr int32_t kNoTime = 1500000000;
constexpr int32_t kTaken = 1600000000;

void ClearLine(SeriesResultEntry& e) {
  e.name = kEmptyLineName;
  e.slotNumber = 0;
  e.passingCount = 0;
  std::fill_n(e.passingTimes.begin(), kMaxPassings, 0);
  std::fill_n(e.lapTimes.begin(), kMaxPassings, 0);
  std::fill_n(e.positions.begin(), kMaxPassings, 0);
}

std::string Printed(const char* format, int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, format, static_cast<int>(value));
  return text;
}

}  // namespace

void ComputeLapTimes(SeriesDetailTable& table, const SeriesStartTimes& starts) {
  for (int line = 0; line < kMaxSeriesSlots; ++line) {
    SeriesResultEntry& e = table[line];
    const int32_t n = std::clamp(e.passingCount, 0, kMaxPassings);
    for (int32_t l = 0; l < n; ++l) {
      const int32_t from = l == 0 ? starts[line] : e.passingTimes[l - 1];
      // The hand-over file may hold any int: the difference is formed in 64 bits.
      e.lapTimes[l] = static_cast<int32_t>(std::clamp<int64_t>(
          int64_t{e.passingTimes[l]} - from, INT32_MIN, INT32_MAX));
    }
  }
}

void ComputePositionsPerLap(SeriesDetailTable& table) {
  // Lap-major working copy, so that each index's 50 times lie side by side.
  std::vector<int32_t> times(static_cast<std::size_t>(kMaxPassings) * kMaxSeriesSlots);
  for (int32_t l = 0; l < kMaxPassings; ++l) {
    int32_t* at = &times[static_cast<std::size_t>(l) * kMaxSeriesSlots];
    for (int d = 0; d < kMaxSeriesSlots; ++d) {
      const SeriesResultEntry& e = table[d];
      const int32_t v = e.passingTimes[l];
      at[d] = (e.passingCount <= 0 || l >= e.passingCount || (v == 0 && l > 0)) ? kNoTime : v;
    }
  }
  for (int32_t l = 0; l < kMaxPassings; ++l) {
    int32_t* at = &times[static_cast<std::size_t>(l) * kMaxSeriesSlots];
    for (int32_t p = 1; p <= kMaxSeriesSlots; ++p) {
      int32_t best = kNoTime;
      int chosen = 0;
      for (int d = 0; d < kMaxSeriesSlots; ++d) {
        // "<=": the later line wins a tie.
        if (at[d] <= best) {
          best = at[d];
          chosen = d;
        }
      }
      table[chosen].positions[l] = p;
      at[chosen] = kTaken;
    }
  }
}

int32_t CompactRun(SeriesDetailTable& table) {
  int32_t count = 0;
  for (int line = 0; line < kMaxSeriesSlots; ++line) {
    SeriesResultEntry& from = table[line];
    if (from.name == kEmptyLineName) continue;
    SeriesResultEntry& to = table[count];
    if (count != line) {
      to.name = from.name.view();
      to.passingCount = from.passingCount;
      std::copy_n(from.passingTimes.begin(), kMaxPassings, to.passingTimes.begin());
      std::copy_n(from.lapTimes.begin(), kMaxPassings, to.lapTimes.begin());
      std::copy_n(from.positions.begin(), kMaxPassings, to.positions.begin());
    }
    to.slotNumber = line + 1;
    ++count;
  }
  for (int line = count; line < kMaxSeriesSlots; ++line) ClearLine(table[line]);
  return count;
}

void PrepareRunDetail(RunDetail& run, const SeriesStartTimes& starts) {
  ComputeLapTimes(run.table, starts);
  ComputePositionsPerLap(run.table);
  run.driverCount = CompactRun(run.table);
  run.shownColumns = std::min(run.driverCount, kGridColumns);
  run.longestRun = 0;
  for (const SeriesResultEntry& e : run.table) run.longestRun = std::max(run.longestRun, e.passingCount);
}

bool LoadRunDetail(RunDetail& run) {
  SeriesStartTimes starts{};
  // A file that cannot be opened leaves the table as it was: start from an empty run instead.
  const bool read = ReadSeriesResultFile(run.table, run.rankingMode, starts);
  if (!read) {
    run.rankingMode.clear();
    starts.fill(0);
    for (SeriesResultEntry& e : run.table) ClearLine(e);
  }
  PrepareRunDetail(run, starts);
  return read;
}

ScrollSetting LapScrollSetting(int32_t longestRun) {
  return {std::max(0, longestRun - (kGridRows - 1)), longestRun >= kGridRows};
}

ScrollSetting DriverScrollSetting(int32_t driverCount) {
  return {std::max(0, driverCount - kGridColumns), driverCount > kGridColumns};
}

ScrollSetting ChartScrollSetting(int32_t longestRun) {
  return {std::max(0, longestRun - (kChartLaps - 1)), longestRun >= kChartLaps};
}

RunView GridView(const RunDetail& run, RunViewKind kind) {
  RunView view;
  view.kind = kind == RunViewKind::Chart ? RunViewKind::RaceTimes : kind;
  view.lapBar = LapScrollSetting(run.longestRun);
  view.sideBar = DriverScrollSetting(run.driverCount);
  return view;
}

RunView ChartView(const RunDetail& run, const RunView& from) {
  RunView view;
  view.kind = RunViewKind::Chart;
  view.sideBar = ChartScrollSetting(run.longestRun);
  view.bubble = from.bubble;
  return view;
}

FixedText<13> GridCellText(int32_t t) {
  const SplitTime s = SplitMilliseconds(t);
  char text[13] = {};
  FormatLapTime(text, sizeof text, s.hours, s.minutes, s.seconds, s.milliseconds);
  return FixedText<13>(std::string_view(text));
}

std::vector<PlacedText> GridLegend(const RunDetail& run) {
  std::vector<PlacedText> texts;
  for (int32_t j = 0; j < run.driverCount; ++j) {
    const SeriesResultEntry& e = run.table[j];
    texts.push_back({5 + 130 * (j / 25), 70 + 16 * (j % 25),
                     Printed("L%d: ", e.slotNumber) + e.name.str()});
  }
  return texts;
}

std::vector<PlacedText> GridHeadings(const RunDetail& run, int32_t vPos, int32_t hPos) {
  std::vector<PlacedText> texts{{340, 60, "Tour"}};
  for (int32_t i = 0; i < kGridRows; ++i) texts.push_back({330, 90 + 26 * i, Printed("%d", vPos + 1 + i)});
  if (run.driverCount == 0) return texts;
  for (int32_t i = 0; i < run.shownColumns && hPos + i < kMaxSeriesSlots; ++i) {
    texts.push_back({405 + 70 * i, 60, Printed("Ligne%d", run.table[hPos + i].slotNumber)});
  }
  return texts;
}

std::vector<PlacedText> GridCells(const RunDetail& run, GridValue value, int32_t vPos,
                                  int32_t hPos) {
  std::vector<PlacedText> texts;
  for (int32_t j = 0; j < run.shownColumns && hPos + j < kMaxSeriesSlots; ++j) {
    const SeriesResultEntry& e = run.table[hPos + j];
    for (int32_t k = 0; k < kGridRows && vPos + k < e.passingCount; ++k) {
      const int32_t l = vPos + k;
      const int32_t t = value == GridValue::RaceTime ? e.passingTimes[l] : e.lapTimes[l];
      texts.push_back({412 + 70 * j, 90 + 26 * k, GridCellText(t).str()});
    }
  }
  return texts;
}

}  // namespace zd
