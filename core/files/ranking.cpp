#include "files/ranking.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace zd {

namespace {

// What the orderings compare, with the missing times replaced by kMissingTime.
struct SortKey {
  int32_t laps = 0;
  int32_t raceTime = kEmptySlotTime;
  int32_t bestLap = kEmptySlotTime;
  int32_t points = 0;
  std::array<int32_t, kSessionValues> sessionValues{};
};

SortKey KeyOf(const RankingEntry& e) {
  SortKey k;
  k.laps = e.laps;
  k.raceTime = (e.laps == 0 && e.raceTime == 0) ? kMissingTime : e.raceTime;
  k.bestLap = e.bestLap == 0 ? kMissingTime : e.bestLap;
  k.points = e.points;
  k.sessionValues = e.sessionValues;
  return k;
}

// "Comes before or ties completely": the last of several equal entries wins a pass.
bool ByLapsAndTime(const SortKey& e, const SortKey& best) {
  if (e.laps != best.laps) return e.laps > best.laps;
  if (e.raceTime != best.raceTime) return e.raceTime < best.raceTime;
  return e.bestLap <= best.bestLap;
}

bool ByBestLap(const SortKey& e, const SortKey& best) {
  if (e.bestLap != best.bestLap) return e.bestLap < best.bestLap;
  if (e.laps != best.laps) return e.laps > best.laps;
  return e.raceTime <= best.raceTime;
}

int ClampCount(int count) { return std::clamp(count, 0, kMaxRankingEntries); }

// Selection: each place takes, among the entries not yet placed, the last one that comes before
// or ties with the best so far; a pass that selects nothing takes the first entry not yet placed.
void SelectionSort(RankingList& list, int count,
                   const std::function<bool(const SortKey&, const SortKey&)>& before) {
  count = ClampCount(count);
  if (count < 1) return;
  std::vector<RankingEntry> work(list.begin(), list.begin() + count);
  std::vector<SortKey> keys;
  keys.reserve(static_cast<std::size_t>(count));
  for (const RankingEntry& e : work) keys.push_back(KeyOf(e));
  std::vector<bool> placed(static_cast<std::size_t>(count), false);
  for (int place = 0; place < count; ++place) {
    SortKey best;  // laps 0, times kEmptySlotTime, points and session values 0
    int selected = -1;
    for (int i = 0; i < count; ++i) {
      if (placed[i]) continue;
      if (selected < 0) selected = i;
      if (before(keys[i], best)) {
        selected = i;
        best = keys[i];
      }
    }
    list[place] = work[selected];
    placed[selected] = true;
  }
}

template <typename KeyFn>
void GroupBy(RankingList& list, int count, KeyFn key) {
  count = ClampCount(count);
  if (count < 1) return;
  std::vector<RankingEntry> work(list.begin(), list.begin() + count);
  std::vector<bool> taken(static_cast<std::size_t>(count), false);
  int out = 0;
  for (int i = 0; i < count; ++i) {
    if (taken[i]) continue;
    const std::string_view group = key(work[i]);
    for (int j = i; j < count; ++j) {
      if (taken[j] || key(work[j]) != group) continue;
      list[out++] = work[j];
      taken[j] = true;
    }
  }
}

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void ClearRankingEntries(RankingList& list) { list.fill(RankingEntry{}); }

void ClearDriverSessionBuffers(DriverSessionTable& table) { table.fill(DriverSessionBuffer{}); }

void SortSessionValuesDescending(RankingEntry& entry) {
  std::sort(entry.sessionValues.begin(), entry.sessionValues.end(), std::greater<int32_t>());
}

void GroupEntriesByCategory(RankingList& list, int count) {
  GroupBy(list, count, [](const RankingEntry& e) { return e.vehicleCategory.view(); });
}

void GroupEntriesByAgeCategory(RankingList& list, int count) {
  GroupBy(list, count, [](const RankingEntry& e) { return e.ageCategoryCode.view(); });
}

void SortByLapsAndTime(RankingList& list, int count) { SelectionSort(list, count, ByLapsAndTime); }

void SortByBestLap(RankingList& list, int count) { SelectionSort(list, count, ByBestLap); }

void AssignPoints(RankingList& list, std::string_view rankingMode, int count,
                  const PointsScale& scale) {
  count = ClampCount(count);
  if (count < 1) return;
  const int32_t firstGaps[] = {scale.gap1To2, scale.gap2To3, scale.gap3To4, scale.gap4To5};
  // Scales come from the race file: compute wide so that no value can overflow.
  int64_t points = static_cast<int64_t>(scale.firstPlaceOffset) + count;
  for (int i = 0; i < count; ++i) {
    if (i > 0) points -= i <= 4 ? firstGaps[i - 1] : scale.gapAfter5;
    list[i].points = Saturate(points);
  }
  for (int i = 1; i < count; ++i) {
    const RankingEntry& prev = list[i - 1];
    RankingEntry& e = list[i];
    bool tied = false;
    if (rankingMode == kRankByLapsAndTime)
      tied = e.laps == prev.laps && e.raceTime == prev.raceTime;
    else if (rankingMode == kRankByBestLap)
      tied = e.bestLap == prev.bestLap;
    if (tied) e.points = prev.points;
  }
  for (int i = 0; i < count; ++i) {
    RankingEntry& e = list[i];
    bool noResult = e.laps == 0 && ((e.raceTime == 0 && e.bestLap == 0) ||
                                    (e.raceTime == kEmptySlotTime && e.bestLap == kEmptySlotTime));
    if (noResult || e.points < 0) e.points = 0;
  }
}

void SortFinalRanking(RankingList& list, int count, std::string_view rankingMode) {
  const bool byLapsAndTime = rankingMode == kRankByLapsAndTime;
  const bool byBestLap = rankingMode == kRankByBestLap;
  SelectionSort(list, count, [=](const SortKey& e, const SortKey& best) {
    if (e.points != best.points) return e.points > best.points;
    for (int i = 0; i < kSessionValues; ++i)
      if (e.sessionValues[i] != best.sessionValues[i])
        return e.sessionValues[i] > best.sessionValues[i];
    if (byLapsAndTime) return ByLapsAndTime(e, best);
    if (byBestLap) return ByBestLap(e, best);
    return false;  // with another mode, the first of the equal entries stays
  });
}

}  // namespace zd
