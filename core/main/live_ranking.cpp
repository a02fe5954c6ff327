#include "main/live_ranking.h"

#include <algorithm>
#include <array>
#include <climits>

#include "files/ranking.h"
#include "files/time_format.h"

namespace zd {

namespace {

int32_t ClampCount(int32_t count) { return std::clamp(count, 0, kLiveRows); }

// The index of a slot's last passing; a count out of the arrays (only an edit could make one)
// reads the nearest end.
int32_t LastIndex(const SeriesResultEntry& slot) {
  return std::clamp(slot.passingCount, 0, kMaxPassings);
}

// What a ranking compares, with the missing values replaced by their sentinels.
struct WorkKey {
  int32_t laps;
  int32_t raceTime;
  int32_t bestLap;
  int32_t lastLap;
  int32_t lapOrder = 0;  // 0: not recorded in this run
};

void CopySlot(const SeriesResultEntry& slot, const WorkKey& key, LiveRankingEntry& entry) {
  entry.name = slot.name;
  entry.transponder = slot.transponder;
  entry.club = slot.club;
  entry.nationCode = slot.nationCode;
  entry.carNumber = slot.carNumber;
  entry.category = slot.category;
  entry.slotNumber = slot.slotNumber;
  entry.laps = slot.laps;
  entry.raceTime = slot.raceTime;
  entry.bestLap = slot.bestLap;
  entry.passings = slot.passingCount;
  entry.lastPassingTime = slot.passingTimes[LastIndex(slot)];
  entry.spareTime = slot.spareTime;
  entry.lastLapTime = key.lastLap == kMissingTime ? 0 : key.lastLap;
  entry.penaltyIndex = slot.penaltyIndex;
  entry.finished = slot.finished;
  entry.passed = slot.passed;
  entry.newBest = slot.newBest;
  entry.fastestLap = slot.fastestLap;
}

// Selection by key: each rank scans the slots in order from the given starting best and takes
// the last slot that is better or ties on every key. A pass that takes nothing (only odd edited
// values can make one) takes the first slot not yet placed.
template <typename Better, typename Store>
void SelectByKey(LiveSeriesTable& table, LiveRankingEntries& entries, int32_t count,
                 std::array<WorkKey, kMaxSeriesSlots>& keys, const WorkKey& start, Better better,
                 Store store) {
  std::array<bool, kMaxSeriesSlots> placed{};
  count = ClampCount(count);
  for (int32_t r = 0; r < count; ++r) {
    WorkKey best = start;
    int taken = -1;
    for (int i = 0; i < kMaxSeriesSlots; ++i) {
      if (!placed[i] && better(keys[i], best)) {
        best = keys[i];
        taken = i;
      }
    }
    if (taken < 0) {
      taken = static_cast<int>(std::find(placed.begin(), placed.end(), false) - placed.begin());
    }
    SeriesResultEntry& slot = table[taken];
    store(slot, keys[taken], entries[r]);
    if (slot.passed != 0) slot.positions[LastIndex(slot)] = r + 1;
    placed[taken] = true;
  }
}

}  // namespace

void RankByLapsAndTime(LiveSeriesTable& table, LiveRankingEntries& entries, int32_t count) {
  std::array<WorkKey, kMaxSeriesSlots> keys;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    const SeriesResultEntry& slot = table[i];
    WorkKey& k = keys[i];
    k = {slot.laps, slot.raceTime, slot.bestLap, slot.lapTimes[LastIndex(slot)], slot.lapOrder};
    if (k.laps == 0) {
      if (k.raceTime == 0) k.raceTime = kMissingTime;
      if (k.lastLap == 0) k.lastLap = kMissingTime;
    }
  }
  SelectByKey(
      table, entries, count, keys, WorkKey{0, kEmptySlotTime, 0, kEmptySlotTime},
      [](const WorkKey& e, const WorkKey& best) {
        if (e.laps != best.laps) return e.laps > best.laps;
        if (e.raceTime != best.raceTime) return e.raceTime < best.raceTime;
        // The same laps at the same time, both timed in this run: the first to cross leads.
        if (e.laps > 0 && e.lapOrder != 0 && best.lapOrder != 0) return e.lapOrder < best.lapOrder;
        return e.lastLap <= best.lastLap;
      },
      [](const SeriesResultEntry& slot, const WorkKey& key, LiveRankingEntry& entry) {
        CopySlot(slot, key, entry);
        entry.raceTime = key.raceTime == kMissingTime ? 0 : key.raceTime;
      });
}

void RankByBestLap(LiveSeriesTable& table, LiveRankingEntries& entries, int32_t count) {
  std::array<WorkKey, kMaxSeriesSlots> keys;
  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    const SeriesResultEntry& slot = table[i];
    WorkKey& k = keys[i];
    k = {slot.laps, slot.raceTime, slot.bestLap, slot.lapTimes[LastIndex(slot)]};
    if (k.laps == 0) {
      if (k.bestLap == 0) k.bestLap = kMissingTime;
      if (k.lastLap == 0) k.lastLap = kMissingTime;
    } else if (k.laps == 1 && k.bestLap == 0) {
      k.bestLap = kOneLapNoBest;
    }
  }
  SelectByKey(
      table, entries, count, keys, WorkKey{0, 0, kEmptySlotTime, kEmptySlotTime},
      [](const WorkKey& e, const WorkKey& best) {
        if (e.bestLap != best.bestLap) return e.bestLap < best.bestLap;
        return e.lastLap <= best.lastLap;
      },
      [](const SeriesResultEntry& slot, const WorkKey& key, LiveRankingEntry& entry) {
        CopySlot(slot, key, entry);
        entry.bestLap =
            (key.bestLap == kMissingTime || key.bestLap == kOneLapNoBest) ? 0 : key.bestLap;
      });
}

namespace {

// a - b, formed in 64 bits: the entries may hold any value a table was given.
int32_t Gap(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} - b, INT32_MIN, INT32_MAX));
}

}  // namespace

void ComputeGapsByLapsAndTime(LiveRankingEntries& entries, int32_t count) {
  count = ClampCount(count);
  LiveRankingEntry& leader = entries[0];
  leader.lapsBehindLeader = leader.timeBehindLeader = 0;
  leader.lapsBehindPrevious = leader.timeBehindPrevious = 0;
  for (int32_t j = 1; j < count; ++j) {
    LiveRankingEntry& row = entries[j];
    const LiveRankingEntry& previous = entries[j - 1];
    const bool hasResult = row.raceTime != 0 || row.laps != 0;
    row.lapsBehindLeader = Gap(leader.laps, row.laps);
    row.timeBehindLeader =
        (row.lapsBehindLeader == 0 && hasResult) ? Gap(row.raceTime, leader.raceTime) : 0;
    row.lapsBehindPrevious = Gap(previous.laps, row.laps);
    row.timeBehindPrevious =
        (row.lapsBehindPrevious == 0 && hasResult) ? Gap(row.raceTime, previous.raceTime) : 0;
  }
}

void ComputeGapsByBestLap(LiveRankingEntries& entries, int32_t count) {
  count = ClampCount(count);
  LiveRankingEntry& leader = entries[0];
  leader.lapsBehindLeader = leader.timeBehindLeader = 0;
  leader.lapsBehindPrevious = leader.timeBehindPrevious = 0;
  for (int32_t j = 1; j < count; ++j) {
    LiveRankingEntry& row = entries[j];
    const bool hasBest = row.bestLap != 0;
    row.timeBehindLeader = hasBest ? Gap(row.bestLap, leader.bestLap) : 0;
    row.timeBehindPrevious = hasBest ? Gap(row.bestLap, entries[j - 1].bestLap) : 0;
    row.lapsBehindLeader = 0;
    row.lapsBehindPrevious = 0;
  }
}

void SplitRankingTimes(LiveRankingEntries& entries, int32_t count) {
  count = ClampCount(count);
  for (int32_t i = 0; i < count; ++i) {
    LiveRankingEntry& e = entries[i];
    e.raceTimeParts = SplitMilliseconds(e.raceTime);
    e.lastLapParts = SplitMilliseconds(e.lastLapTime);
    e.bestLapParts = SplitMilliseconds(e.bestLap);
    e.behindLeaderParts = SplitMilliseconds(e.timeBehindLeader);
    e.behindPreviousParts = SplitMilliseconds(e.timeBehindPrevious);
    e.lastPassingParts = SplitMilliseconds(e.lastPassingTime);
    e.spareTimeParts = SplitMilliseconds(e.spareTime);
  }
}

namespace {

// printf's "%0*d" of value at p (width 0 for "%d"): the sign, then the digits padded with zeros.
// Formatting 50 rows follows every passing, so this stays clear of the printf machinery.
char* PutInt(char* p, int32_t value, int width) {
  uint32_t u = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (value < 0) {
    *p++ = '-';
    --width;
  }
  for (int pad = width - n; pad > 0; --pad) *p++ = '0';
  while (n > 0) *p++ = digits[--n];
  return p;
}

template <std::size_t W>
void SetInt(FixedText<W>& text, const char* before, int32_t value, const char* after) {
  char buffer[32];
  char* p = buffer;
  while (*before) *p++ = *before++;
  p = PutInt(p, value, 0);
  while (*after) *p++ = *after++;
  text.assign(std::string_view(buffer, static_cast<std::size_t>(p - buffer)));
}

// "%d:%02d:%02d.%03d" with hours, else "%d:%02d.%03d" with minutes (always, for the two-form
// times, or when they are not 0), else "%d.%03d".
void SetTime(FixedText<20>& text, const SplitTime& t, bool alwaysMinutes) {
  char buffer[48];
  char* p = buffer;
  if (t.hours != 0) {
    p = PutInt(p, t.hours, 0);
    *p++ = ':';
    p = PutInt(p, t.minutes, 2);
    *p++ = ':';
    p = PutInt(p, t.seconds, 2);
  } else if (t.minutes != 0 || alwaysMinutes) {
    p = PutInt(p, t.minutes, 0);
    *p++ = ':';
    p = PutInt(p, t.seconds, 2);
  } else {
    p = PutInt(p, t.seconds, 0);
  }
  *p++ = '.';
  p = PutInt(p, t.milliseconds, 3);
  text.assign(std::string_view(buffer, static_cast<std::size_t>(p - buffer)));
}

void SetLapsOrTime(FixedText<20>& text, int32_t lapsBehind, const SplitTime& timeBehind) {
  if (lapsBehind > 0) {
    SetInt(text, "", lapsBehind, "t");
  } else if (lapsBehind == 0) {
    SetTime(text, timeBehind, false);
  }
}

}  // namespace

void FormatLiveRows(const LiveRankingEntries& entries, LiveRows& rows, std::string_view rankingKey,
                    int32_t count) {
  count = ClampCount(count);
  const bool byLapsAndTime = rankingKey == kRankByLapsAndTime;
  const bool byBestLap = rankingKey == kRankByBestLap;
  for (int32_t i = 0; i < count; ++i) {
    const LiveRankingEntry& e = entries[i];
    LiveRow& row = rows[i];
    row.name = e.name;
    row.transponder = e.transponder;
    row.club = e.club;
    row.nationCode = e.nationCode;
    row.carNumber = e.carNumber;
    row.category = e.category;
    SetInt(row.slotNumber, " ", e.slotNumber, " ");
    SetInt(row.laps, "", e.laps, "");
    SetInt(row.passings, "", e.passings, "");
    row.status = e.penaltyIndex;
    row.finished = e.finished;
    row.passed = e.passed;
    row.newBest = e.newBest;
    row.fastestLap = e.fastestLap;
    SetTime(row.totalTime, e.raceTimeParts, true);
    SetTime(row.lastLap, e.lastLapParts, false);
    SetTime(row.bestLap, e.bestLapParts, false);
    if (byLapsAndTime) {
      SetLapsOrTime(row.gapToLeader, e.lapsBehindLeader, e.behindLeaderParts);
      SetLapsOrTime(row.gapToPrevious, e.lapsBehindPrevious, e.behindPreviousParts);
    } else if (byBestLap) {
      SetTime(row.gapToLeader, e.behindLeaderParts, false);
      SetTime(row.gapToPrevious, e.behindPreviousParts, false);
    }
    SetTime(row.lastPassingTime, e.lastPassingParts, true);
    SetTime(row.spareTime, e.spareTimeParts, false);
  }
}

void RankLiveSeries(std::string_view rankingKey, LiveSeriesTable& table,
                    LiveRankingEntries& entries, LiveRows& rows, int32_t count) {
  if (rankingKey == kRankByLapsAndTime) {
    RankByLapsAndTime(table, entries, count);
    ComputeGapsByLapsAndTime(entries, count);
  } else if (rankingKey == kRankByBestLap) {
    RankByBestLap(table, entries, count);
    ComputeGapsByBestLap(entries, count);
  }
  SplitRankingTimes(entries, count);
  FormatLiveRows(entries, rows, rankingKey, count);
}

}  // namespace zd
