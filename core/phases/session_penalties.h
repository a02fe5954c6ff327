#pragma once
// The penalties of a session as every ranking applies them: the penalised result of one driver
// and the summary of the penalties that the drivers shown carry.

#include <cstdint>
#include <string>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/ranking.h"

namespace zd {

struct SessionResult {
  int32_t laps = 0;
  int32_t raceTime = 0;  // ms
  int32_t bestLap = 0;   // ms
  // The penalty index, or 0 when it designates no penalty of the list: such an index applies
  // nothing, shows no code and is in no summary.
  int32_t penaltyIndex = 0;
};

// The driver's result with its penalty applied by the race control's rule (PenaliseResult).
// penaltyCount is the number of penalties of the list (CountPenalties).
SessionResult ApplySessionPenalty(const DriverSessionBuffer& raw, const PenaltyTable& penalties,
                                  int penaltyCount);

// One record per penalty that one of the first count entries carries, in list order.
struct PenaltySummary {
  PenaltySummaryTable records;
  int count = 0;
};
void BuildPenaltySummary(const RankingList& list, int count, const PenaltyTable& penalties,
                         int penaltyCount, PenaltySummary& summary);

// What follows a penalty's name in a summary line: the effect of its kind with its amount.
std::string PenaltyDescription(int32_t kind, int32_t amount);

// A session penalty index that counts as an abandonment (the list's first penalty) or as
// another penalty; an index outside the list counts as neither.
bool IsAbandon(int32_t penaltyIndex, int penaltyCount);
bool IsOtherPenalty(int32_t penaltyIndex, int penaltyCount);

}  // namespace zd
