#pragma once
// The live ranking of the loaded series: the 50 slots ranked into LiveRankingEntry rows, their
// gaps, and the LiveRow texts that the board and the live results file show.
//
// The rankings are selections in which, among slots equal on every key, the later slot is taken
// first. Named slots without laps rank after every slot with laps and before the empty ones.

#include <cstdint>
#include <string_view>

#include "files/live_file.h"
#include "main/live_series.h"

namespace zd {

// The missing best lap of a slot with exactly one lap, in the best-lap order: after every slot
// with a best lap, before the slots without laps (kMissingTime).
inline constexpr int32_t kOneLapNoBest = 1390000000;

// Each works on the first count rows (kept within 0 to 50). The rankings write, in every slot
// whose passed flag is set, its rank into its position array at the index of its last passing.
void RankByLapsAndTime(LiveSeriesTable& table, LiveRankingEntries& entries, int32_t count);
void RankByBestLap(LiveSeriesTable& table, LiveRankingEntries& entries, int32_t count);
void ComputeGapsByLapsAndTime(LiveRankingEntries& entries, int32_t count);
void ComputeGapsByBestLap(LiveRankingEntries& entries, int32_t count);
void SplitRankingTimes(LiveRankingEntries& entries, int32_t count);
// The texts and flags of the rows; the position text stays as the starting list wrote it. The
// gaps read "%dt" for laps behind or a time, by the ranking key; with another key they stay.
void FormatLiveRows(const LiveRankingEntries& entries, LiveRows& rows, std::string_view rankingKey,
                    int32_t count);

// The whole sequence after a passing, a load or an edit: the ranking and gaps of the key (none
// with another key), then the split times and the texts.
void RankLiveSeries(std::string_view rankingKey, LiveSeriesTable& table,
                    LiveRankingEntries& entries, LiveRows& rows, int32_t count);

}  // namespace zd
