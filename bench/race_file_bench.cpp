// Benchmarks of the race file at the largest size its limits allow: three races, every practice
// and qualifying series section and nine round sections of capacity 3000 per race (about 70 MB).
//
// Targets: finding the last section walks the chain of sections (a few kilobytes read) and costs
// well under one plain read of the whole file; reading or rewriting a series section costs well
// under a millisecond more than finding it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/event_sections.h"
#include "files/race_file.h"
#include "files/text_file.h"
#include "largest_race_file.h"

namespace {

using namespace zd;

// A series body of 50 lines of times, as large as a practice series holds (151 times a car).
std::string SeriesBody() {
  FieldWriter w;
  for (int car = 0; car < 50; ++car) {
    w.text("Pilote " + std::to_string(car)).integer(150).integer(9000000).integer(58123);
    for (int lap = 0; lap <= 150; ++lap) w.integer(lap * 60123);
    w.endLine();
  }
  w.text("Description").endLine().text("Commentaire").endLine().text("Sec").endLine();
  return w.take();
}

struct LargestFile : bench::TemporaryRaceFolder {
  std::string lastTitle;
  std::string lastSeriesTitle;
  int64_t size = 0;

  LargestFile() {
    {
      TextFile f;
      const bench::AppendedSections sections = bench::CreateLargestRaceFile(f, path);
      lastTitle = sections.lastTitle;
      lastSeriesTitle = sections.lastSeriesTitle;
      size = f.size();
      // The last series section holds a full body.
      RewriteSection(f, lastSeriesTitle, filler::kSeriesResults, SeriesBody(), "error");
    }
  }
};

LargestFile& File() {
  static LargestFile file;
  return file;
}

void BM_PlainReadOfWholeFile(benchmark::State& state) {
  std::vector<char> buffer(256 * 1024);
  for (auto _ : state) {
    int fd = ::open(File().path.c_str(), O_RDONLY);
    int64_t total = 0;
    for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) total += n;
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.counters["MB"] = static_cast<double>(File().size) / 1e6;
}
BENCHMARK(BM_PlainReadOfWholeFile)->Unit(benchmark::kMillisecond);

// The chain walk to the last section: one title line per section (and a round's first line).
void BM_FindLastSection(benchmark::State& state) {
  TextFile f;
  f.open(File().path, OpenMode::Read);
  for (auto _ : state) {
    bool found = FindSection(f, File().lastTitle);
    if (!found) state.SkipWithError("last section not found");
  }
  state.counters["sections"] = 1 + 3 * (2 * 81 + 9);
}
BENCHMARK(BM_FindLastSection)->Unit(benchmark::kMicrosecond);

// An absent title walks the whole chain to the end of the file.
void BM_FindAbsentSection(benchmark::State& state) {
  TextFile f;
  f.open(File().path, OpenMode::Read);
  for (auto _ : state)
    if (FindSection(f, kPenaltiesTitle)) state.SkipWithError("penalties section found");
}
BENCHMARK(BM_FindAbsentSection)->Unit(benchmark::kMicrosecond);

void BM_FindLastSeriesSection(benchmark::State& state) {
  TextFile f;
  f.open(File().path, OpenMode::Read);
  for (auto _ : state) benchmark::DoNotOptimize(FindSection(f, File().lastSeriesTitle));
}
BENCHMARK(BM_FindLastSeriesSection)->Unit(benchmark::kMicrosecond);

// Reading the body field by field, as the series reader does: 50 lines of up to 155 fields.
void BM_FindAndReadSeriesSection(benchmark::State& state) {
  TextFile f;
  f.open(File().path, OpenMode::Read);
  for (auto _ : state) {
    if (!FindSection(f, File().lastSeriesTitle)) state.SkipWithError("series section not found");
    FixedText<40> name;
    int64_t sum = 0;
    for (int car = 0; car < 50; ++car) {
      ReadText(f, name);
      for (int i = 0; i < 3 + 151; ++i) sum += ReadInt(f);
      SkipLine(f);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_FindAndReadSeriesSection)->Unit(benchmark::kMillisecond);

void BM_RewriteSeriesSection(benchmark::State& state) {
  TextFile f;
  f.open(File().path, OpenMode::Update);
  std::string body = SeriesBody();
  for (auto _ : state) {
    Outcome out = RewriteSection(f, File().lastSeriesTitle, filler::kSeriesResults, body, "error");
    if (!out.ok) state.SkipWithError(out.message.c_str());
  }
}
BENCHMARK(BM_RewriteSeriesSection)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
