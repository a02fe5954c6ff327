#include "phases/session_penalties.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "main/penalties.h"

namespace zd {

namespace {

bool InList(int32_t index, int count) { return index >= 1 && index <= count; }

}  // namespace

SessionResult ApplySessionPenalty(const DriverSessionBuffer& raw, const PenaltyTable& penalties,
                                  int penaltyCount) {
  penaltyCount = std::clamp(penaltyCount, 0, kMaxPenalties);
  SessionResult out{raw.laps, raw.raceTime, raw.bestLap, 0};
  if (!InList(raw.penaltyIndex, penaltyCount)) return out;
  out.penaltyIndex = raw.penaltyIndex;
  const PenalisedResult penalised =
      PenaliseResult(penalties[raw.penaltyIndex - 1],
                     PenalisedResult{raw.laps, raw.raceTime, raw.bestLap, raw.passingCount},
                     std::span<const int32_t>(raw.passingTimes));
  out.laps = penalised.laps;
  out.raceTime = penalised.raceTime;
  out.bestLap = penalised.bestLap;
  return out;
}

void BuildPenaltySummary(const RankingList& list, int count, const PenaltyTable& penalties,
                         int penaltyCount, PenaltySummary& summary) {
  count = std::clamp(count, 0, kMaxRankingEntries);
  penaltyCount = std::clamp(penaltyCount, 0, kMaxPenalties);
  summary.count = 0;
  for (int b = 1; b <= penaltyCount; ++b) {
    const bool used = std::any_of(list.begin(), list.begin() + count,
                                  [b](const RankingEntry& e) { return e.penaltyIndex == b; });
    if (!used) continue;
    const PenaltyRecord& p = penalties[b - 1];
    PenaltySummaryRecord& r = summary.records[summary.count++];
    r.code = p.code;
    r.name = p.name;
    r.amount = p.amount;
    r.kind = p.kind;
  }
}

std::string PenaltyDescription(int32_t kind, int32_t amount) {
  const char* format = nullptr;
  switch (kind) {
    case kPenaltyAddRaceTime:
      format = ": %d sec ajoutées au temps de course";
      break;
    case kPenaltyAddBestLap:
      format = ": %d sec ajoutées au meilleur tour";
      break;
    case kPenaltyReplaceRaceTime:
      format = ": %d sec à la place du temps de course";
      break;
    case kPenaltyReplaceBestLap:
      format = ": %d sec à la place du meilleur tour";
      break;
    case kPenaltyRemoveLaps:
      format = ": %d tours retirés au nombre de tours du pilote";
      break;
    default:
      return {};
  }
  char text[96];
  std::snprintf(text, sizeof text, format, amount);
  return text;
}

bool IsAbandon(int32_t penaltyIndex, int penaltyCount) {
  return penaltyIndex == 1 && InList(penaltyIndex, penaltyCount);
}

bool IsOtherPenalty(int32_t penaltyIndex, int penaltyCount) {
  return penaltyIndex > 1 && InList(penaltyIndex, penaltyCount);
}

}  // namespace zd
