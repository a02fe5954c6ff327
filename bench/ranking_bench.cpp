// The rankings on the largest race file: three races whose practice and qualifying series and
// rounds of capacity 3000 all have their sections, race 1 with 200 participants, nine qualifying
// sessions of nine full series and nine rounds of 50 drivers of 3000 passings each. Each case
// times the whole computation from opening the file to the sorted list, through one indexed
// reading of the sections.
//
// Target: under 100 ms each.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/race_file.h"
#include "files/series_sections.h"
#include "largest_race_file.h"
#include "phases/final_ranking.h"
#include "phases/session_ranking.h"

namespace {

using namespace zd;

constexpr int kParticipants = 200;
constexpr int kRoundPassings = 3000;

std::string Driver(int k) { return "Pilote " + std::to_string(k % kParticipants + 1); }

// 50 drivers of 150 laps; the series' drivers move on from one series to the next.
std::unique_ptr<SeriesTable> FullSeries(int session, int series) {
  auto table = std::make_unique<SeriesTable>();
  for (int car = 0; car < kMaxSeriesSlots; ++car) {
    SeriesResultEntry& e = (*table)[car];
    e.name = Driver(session * 7 + series * 50 + car);
    e.penaltyIndex = car % 10 == 0 ? 1 + car % 3 : 0;
    e.passingCount = 150;
    e.laps = 150;
    for (int lap = 0; lap <= 150; ++lap) e.passingTimes[lap] = lap * (60000 + car * 10 + session);
    e.raceTime = e.passingTimes[150];
    e.bestLap = 59000 + car * 10 + series;
  }
  return table;
}

std::unique_ptr<SeriesTable> FullRound(int round) {
  auto table = std::make_unique<SeriesTable>();
  for (int car = 0; car < kMaxSeriesSlots; ++car) {
    SeriesResultEntry& e = (*table)[car];
    e.name = Driver(round * 11 + car);
    e.penaltyIndex = car % 10 == 0 ? 1 + car % 3 : 0;
    e.passingCount = kRoundPassings;
    e.laps = kRoundPassings;
    for (int lap = 0; lap <= kRoundPassings; ++lap) e.passingTimes[lap] = lap * (19000 + car);
    e.raceTime = e.passingTimes[kRoundPassings];
    e.bestLap = 18000 + car + round;
  }
  return table;
}

struct LargestFile : bench::TemporaryRaceFolder {
  int64_t size = 0;

  LargestFile() {
    TextFile f;
    bench::CreateLargestRaceFile(f, path);
    RaceHeaderRecords records;
    ClearRaceHeaderRecords(records);
    for (int race = 0; race < 3; ++race) {
      records[race].name = "Course " + std::to_string(race + 1);
      records[race].participantCount = kParticipants;
      records[race].practiceSessions = records[race].qualifyingSessions = 9;
      records[race].practiceSeries = records[race].qualifyingSeries = 9;
      records[race].rounds = 9;
    }
    Check(WriteRaceFileHeader(f, 10000 + 4950 + 9, 3, records));
    auto participants = std::make_unique<ParticipantTable>();
    ClearParticipants(*participants);
    for (int i = 0; i < kParticipants; ++i) {
      (*participants)[i].name = Driver(i);
      (*participants)[i].vehicleCategory = i % 2 ? "GT" : "Buggy";
    }
    Check(WriteParticipantsSection(f, ParticipantsSectionTitle(1), *participants));
    PenaltyTable penalties;
    ClearPenaltyTable(penalties);
    const char* codes[] = {"A", "P1", "P2"};
    const int32_t amounts[] = {600, 30, 5};
    const int32_t kinds[] = {kPenaltyReplaceRaceTime, kPenaltyAddRaceTime, kPenaltyAddBestLap};
    for (int k = 0; k < 3; ++k) {
      penalties[k].code = codes[k];
      penalties[k].name = std::string("Pénalité ") + codes[k];
      penalties[k].amount = amounts[k];
      penalties[k].kind = kinds[k];
    }
    Check(WritePenaltiesSection(f, penalties));
    for (int s = 1; s <= 9; ++s)
      for (int n = 1; n <= 9; ++n)
        Check(WriteSeriesResultsSection(f, QualifyingSeriesTitle(1, s, n), *FullSeries(s, n),
                                        SeriesTexts{}));
    for (int m = 1; m <= 9; ++m)
      Check(WriteRoundResultsSection(f, RoundTitle(1, m), *FullRound(m), kRoundPassings,
                                     SeriesTexts{}));
    size = f.size();
  }

  static void Check(const Outcome& out) {
    if (!out.ok) {
      std::fprintf(stderr, "%s\n", out.message.c_str());
      std::abort();
    }
  }
};

LargestFile& File() {
  static LargestFile file;
  return file;
}

template <typename Ranking>
void Run(benchmark::State& state, RacePhase phase) {
  const std::string& path = File().path;
  for (auto _ : state) {
    auto ranking = std::make_unique<Ranking>(phase);
    TextFile f;
    f.open(path, OpenMode::Read);
    ranking->open(&f);
    if (ranking->shownCount() == 0) state.SkipWithError("empty ranking");
    benchmark::DoNotOptimize(ranking->list()[0].points);
  }
  state.counters["MB"] = static_cast<double>(File().size) / 1e6;
}

void BM_QualifyingSessionRanking(benchmark::State& state) {
  Run<SessionRanking>(state, RacePhase::Qualifying);
}
BENCHMARK(BM_QualifyingSessionRanking)->Unit(benchmark::kMillisecond);

void BM_QualifyingFinalRanking(benchmark::State& state) {
  Run<FinalRanking>(state, RacePhase::Qualifying);
}
BENCHMARK(BM_QualifyingFinalRanking)->Unit(benchmark::kMillisecond);

void BM_EnduranceFinalRanking(benchmark::State& state) {
  Run<FinalRanking>(state, RacePhase::Rounds);
}
BENCHMARK(BM_EnduranceFinalRanking)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
