// The opening of the detailed results of the largest run: 50 cars of 3000 laps handed over in
// "ResultatSerie.res", read, lap times, places at 3000 indexes (7.5 million comparisons whatever
// the run's length) and compaction. Target: well under 100 ms.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "analysis/run_results.h"
#include "files/ranking.h"

namespace {

using namespace zd;

class DataFolder {
 public:
  DataFolder() {
    char pattern[] = "/tmp/run_detail_bench.XXXXXX";
    path_ = ::mkdtemp(pattern);
    if (::chdir(path_.c_str()) != 0) std::abort();
    auto table = std::make_unique<SeriesTable>();
    for (int car = 0; car < kMaxSeriesSlots; ++car) {
      SeriesResultEntry& e = (*table)[car];
      e.name = "Pilote " + std::to_string(car);
      e.passingCount = kMaxPassings;
      for (int k = 0; k <= kMaxPassings; ++k) e.passingTimes[k] = k * (28000 + 37 * car);
    }
    if (!WriteSeriesResultFile(*table, kRankByLapsAndTime)) std::abort();
  }
  ~DataFolder() {
    std::remove((path_ + "/ResultatSerie.res").c_str());
    ::rmdir(path_.c_str());
  }

 private:
  std::string path_;
};

// One scratch folder, made current, for the whole run.
void UseDataFolder() { static DataFolder folder; }

void BM_OpenFullRun(benchmark::State& state) {
  UseDataFolder();
  auto run = std::make_unique<RunDetail>();
  for (auto _ : state) {
    if (!LoadRunDetail(*run)) state.SkipWithError("unreadable");
    benchmark::DoNotOptimize(run->table[49].positions[2999]);
  }
}
BENCHMARK(BM_OpenFullRun)->Unit(benchmark::kMillisecond);

void BM_ComputePositionsPerLap(benchmark::State& state) {
  UseDataFolder();
  auto run = std::make_unique<RunDetail>();
  if (!LoadRunDetail(*run)) std::abort();
  for (auto _ : state) {
    ComputePositionsPerLap(run->table);
    benchmark::DoNotOptimize(run->table[0].positions[0]);
  }
}
BENCHMARK(BM_ComputePositionsPerLap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
