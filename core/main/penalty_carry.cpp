#include "main/penalty_carry.h"

#include <memory>
#include <string>

namespace zd {

int32_t CarriedPenaltyIndex(int32_t index, const PenaltyTable& before, const PenaltyTable& after) {
  if (index < 1 || index > CountPenalties(before)) return 0;
  const PenaltyRecord& named = before[static_cast<std::size_t>(index - 1)];
  const int count = CountPenalties(after);
  for (int i = 0; i < count; ++i) {
    if (after[static_cast<std::size_t>(i)].code == named.code) return i + 1;
  }
  return 0;
}

void CarryPenaltyIndexes(std::span<int32_t> indexes, const PenaltyTable& before,
                         const PenaltyTable& after) {
  for (int32_t& index : indexes) index = CarriedPenaltyIndex(index, before, after);
}

void CarryPenaltyIndexes(SeriesTable& table, const PenaltyTable& before, const PenaltyTable& after) {
  for (SeriesResultEntry& slot : table)
    slot.penaltyIndex = CarriedPenaltyIndex(slot.penaltyIndex, before, after);
}

namespace {

// Reads the section, carries its indexes and rewrites it when one changed.
Outcome CarrySection(TextFile& file, const std::string& title, bool round,
                     const PenaltyTable& before, const PenaltyTable& after) {
  if (!FindSection(file, title)) return Outcome::Success();
  auto table = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  int32_t capacity = 0;
  const bool read = round ? ReadRoundResultsSection(file, *table, capacity, texts)
                          : ReadSeriesResultsSection(file, *table, texts);
  if (!read) return Outcome::Success();
  bool changed = false;
  for (SeriesResultEntry& slot : *table) {
    const int32_t carried = CarriedPenaltyIndex(slot.penaltyIndex, before, after);
    changed = changed || carried != slot.penaltyIndex;
    slot.penaltyIndex = carried;
  }
  if (!changed) return Outcome::Success();
  return round ? WriteRoundResultsSection(file, title, *table, capacity, texts)
               : WriteSeriesResultsSection(file, title, *table, texts);
}

}  // namespace

Outcome CarryRaceFilePenalties(TextFile& file, const PenaltyTable& before,
                               const PenaltyTable& after) {
  Outcome first = Outcome::Success();
  const auto keep = [&](Outcome o) {
    if (first.ok && !o.ok) first = std::move(o);
  };
  for (int race = 1; race <= kMaxRaces; ++race) {
    for (int session = 1; session <= kMaxSessions; ++session) {
      for (int series = 1; series <= kMaxSeriesPerSession; ++series) {
        keep(CarrySection(file, PracticeSeriesTitle(race, session, series), false, before, after));
        keep(CarrySection(file, QualifyingSeriesTitle(race, session, series), false, before, after));
      }
    }
    for (int round = 1; round <= kMaxRounds; ++round)
      keep(CarrySection(file, RoundTitle(race, round), true, before, after));
  }
  return first;
}

}  // namespace zd
