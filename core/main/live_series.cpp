#include "main/live_series.h"

#include <algorithm>
#include <cstdio>

#include "files/ranking.h"

namespace zd {

LiveSeries::LiveSeries()
    : liveTable(std::make_unique<LiveSeriesTable>()),
      savedTable(std::make_unique<LiveSeriesTable>()) {
  texts.trackCondition = "Sec";
}

void ClearSeriesResultEntries(LiveSeriesTable& table) {
  for (SeriesResultEntry& slot : table) slot = SeriesResultEntry{};
}

void ClearLiveRankingEntries(LiveRankingEntries& rows) {
  for (LiveRankingEntry& row : rows) row = LiveRankingEntry{};
}

void ClearLiveRows(LiveRows& rows) {
  for (LiveRow& row : rows) row = LiveRow{};
}

void ResetSeriesResultSlots(LiveSeriesTable& table) {
  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    SeriesResultEntry& slot = table[k - 1];
    slot.slotNumber = k;
    slot.penaltyIndex = 0;
    slot.passed = 0;
    slot.newBest = 0;
    slot.fastestLap = 0;
    slot.rejectionGap = 0;
    slot.lastRejectionTime = 0;
    slot.startOffset = 0;
    slot.passingTick = 0;
    slot.elapsedTime = 0;
    slot.currentLap = 0;
    slot.firstPassingTaken = 0;
    slot.lapOrder = 0;
    slot.laps = 0;
    slot.passingCount = 0;
    slot.lapTimes.fill(0);
    slot.positions.fill(0);
    if (IsEmptySlot(slot)) {
      slot.raceTime = kEmptySlotTime;
      slot.bestLap = kEmptySlotTime;
      slot.spareTime = kEmptySlotTime;
      slot.passingTimes.fill(kEmptySlotTime);
      slot.finished = 1;
      slot.seen = 1;
    } else {
      slot.raceTime = 0;
      slot.bestLap = 0;
      slot.spareTime = 0;
      slot.passingTimes.fill(0);
      slot.finished = 0;
      slot.seen = 0;
    }
  }
}

int32_t CollectRankingEntries(LiveRankingEntries& rows, const LiveSeriesTable& table) {
  ClearLiveRankingEntries(rows);
  int32_t count = 0;
  for (int k = 1; k <= kMaxSeriesSlots; ++k) {
    const SeriesResultEntry& slot = table[k - 1];
    if (IsEmptySlot(slot)) continue;
    LiveRankingEntry& row = rows[count++];
    row.name = slot.name;
    row.transponder = slot.transponder;
    row.club = slot.club;
    row.nationCode = slot.nationCode;
    row.carNumber = slot.carNumber;
    row.category = slot.category;
    row.slotNumber = k;
  }
  for (int i = count; i < kLiveRows; ++i) rows[i].finished = 1;
  return count;
}

namespace {

template <std::size_t W>
void PrintInt(FixedText<W>& text, const char* format, int32_t value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, format, value);
  text = buffer;
}

}  // namespace

void FillStartingRows(LiveRows& rows, const LiveRankingEntries& entries, int32_t count) {
  ClearLiveRows(rows);
  count = std::clamp(count, 0, kLiveRows);
  for (int i = 0; i < count; ++i) {
    const LiveRankingEntry& entry = entries[i];
    LiveRow& row = rows[i];
    row.name = entry.name;
    row.transponder = entry.transponder;
    row.club = entry.club;
    row.nationCode = entry.nationCode;
    row.carNumber = entry.carNumber;
    row.category = entry.category;
    PrintInt(row.position, "%d", i + 1);
    PrintInt(row.slotNumber, " %d ", entry.slotNumber);
    PrintInt(row.laps, "%d", entry.laps);
    PrintInt(row.passings, "%d", entry.passings);
  }
}

int32_t CheckFrequencyConflicts(const LiveSeriesTable& table, const ParticipantTable& participants,
                                int32_t result) {
  // The participants of each slot, found once: the pairs (slot, participant) are what is counted.
  std::array<std::array<int16_t, kMaxParticipants>, kMaxSeriesSlots> matches;
  std::array<int, kMaxSeriesSlots> matchCount{};
  for (int a = 0; a < kMaxSeriesSlots; ++a) {
    for (int p = 0; p < kMaxParticipants; ++p) {
      if (participants[p].name == table[a].name) {
        matches[a][matchCount[a]++] = static_cast<int16_t>(p);
      }
    }
  }
  // Each slot's frequency is that of the last participant of its name; a slot matching nobody
  // counts the frequency of the slot before it again, which changes nothing.
  for (int a = 0; a < kMaxSeriesSlots; ++a) {
    if (matchCount[a] == 0) continue;
    const FixedText<7>& f = participants[matches[a][matchCount[a] - 1]].frequencies[0];
    if (f.empty() || f == kNoConflictFrequency) continue;
    int n = 0;
    for (int b = 0; b < kMaxSeriesSlots; ++b) {
      for (int m = 0; m < matchCount[b]; ++m) {
        if (participants[matches[b][m]].frequencies[0] == f && ++n >= 2) return 1;
      }
    }
  }
  return result;
}

namespace {

template <typename Copy>
void CopyFromParticipants(LiveSeriesTable& table, const ParticipantTable& participants, Copy copy) {
  for (SeriesResultEntry& slot : table) {
    for (const ParticipantRecord& p : participants) {
      if (p.name == slot.name) copy(slot, p);
    }
  }
}

}  // namespace

void CopyCarNumbersToSlots(LiveSeriesTable& table, const ParticipantTable& participants) {
  CopyFromParticipants(table, participants, [](SeriesResultEntry& s, const ParticipantRecord& p) {
    s.carNumber = p.carNumber;
  });
}

void CopyCategoriesToSlots(LiveSeriesTable& table, const ParticipantTable& participants) {
  CopyFromParticipants(table, participants, [](SeriesResultEntry& s, const ParticipantRecord& p) {
    s.category = p.vehicleCategory;
  });
}

void CopyClubsAndNationsToSlots(LiveSeriesTable& table, const ParticipantTable& participants) {
  CopyFromParticipants(table, participants, [](SeriesResultEntry& s, const ParticipantRecord& p) {
    s.club = p.club;
    s.nationCode = p.nationCode;
  });
}

void CopyTranspondersToSlots(LiveSeriesTable& table, const ParticipantTable& participants) {
  CopyFromParticipants(table, participants, [](SeriesResultEntry& s, const ParticipantRecord& p) {
    s.transponder = p.transponder;
  });
}

}  // namespace zd
