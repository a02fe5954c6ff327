#include "phases/ranking_table.h"

#include <algorithm>
#include <cstdio>

#include "files/time_format.h"
#include "phases/session_penalties.h"

namespace zd {

RankingTable RankingTable::Session(int entries, int penaltyLines) {
  RankingTable table;
  table.entries_ = std::max(entries, 0);
  for (int i = 0; i < table.entries_; ++i) table.rows_.push_back({RowKind::Entry, i});
  table.rows_.push_back({RowKind::Empty, 0});
  for (int i = 0; i < penaltyLines; ++i) table.rows_.push_back({RowKind::Penalty, i});
  return table;
}

RankingTable RankingTable::Final(const RankingList& list, int count) {
  RankingTable table;
  table.entries_ = std::clamp(count, 0, kMaxRankingEntries);
  for (int i = 0; i < table.entries_; ++i) table.rows_.push_back({RowKind::Entry, i});
  table.rows_.push_back({RowKind::Empty, 0});
  bool first = true;
  for (int i = 0; i < table.entries_; ++i) {
    if (list[i].abandonCount <= 0) continue;
    table.rows_.push_back({RowKind::Abandoned, i, first});
    first = false;
  }
  table.rows_.push_back({RowKind::Empty, 0});
  first = true;
  for (int i = 0; i < table.entries_; ++i) {
    if (list[i].penaltyCount <= 0) continue;
    table.rows_.push_back({RowKind::Penalised, i, first});
    first = false;
  }
  return table;
}

std::vector<TableRow> RankingTable::shownRows(int position) const {
  const int total = static_cast<int>(rows_.size());
  position = std::clamp(position, 0, total);
  const int end = std::min(total, position + kTableShownRows);
  return {rows_.begin() + position, rows_.begin() + end};
}

ScrollRange RankingTable::scrollRange() const {
  // The last row may stand in the view's last line, which stays empty when scrolled to the end.
  const int maximum = static_cast<int>(rows_.size()) - (kTableShownRows - 1);
  if (maximum <= 0) return {};
  return {true, maximum};
}

std::vector<PrintPage> RankingTable::pages() const {
  std::vector<PrintPage> pages;
  if (entries_ == 0) return pages;
  const int total = static_cast<int>(rows_.size());
  for (int first = 0, n = 1; first < total; first += kPageRows, ++n) {
    PrintPage page;
    page.number = n;
    page.firstRow = first;
    page.rowCount = std::min(kPageRows, total - first);
    page.entryRows = std::clamp(entries_ - first, 0, kPageRows);
    pages.push_back(page);
  }
  return pages;
}

std::string RaceTimeText(int32_t ms) {
  const SplitTime t = SplitMilliseconds(ms);
  char text[32];
  if (t.hours != 0)
    std::snprintf(text, sizeof text, "%d:%02d:%02d.%03d", t.hours, t.minutes, t.seconds,
                  t.milliseconds);
  else
    std::snprintf(text, sizeof text, "%d:%02d.%03d", t.minutes, t.seconds, t.milliseconds);
  return text;
}

std::string BestLapText(int32_t ms) { return FormatLapTime(ms); }

EntryRowTexts SessionEntryTexts(const RankingEntry& e, int row, const PenaltyTable& penalties,
                                int penaltyCount, bool international, bool showsPoints) {
  EntryRowTexts t;
  t.position = std::to_string(row + 1);
  t.carNumber = e.carNumber.str();
  t.name = e.name.str();
  t.ageCategoryCode = e.ageCategoryCode.str();
  t.sex = e.sex == 1 ? "M" : e.sex == 0 ? "F" : "";
  t.club = international ? e.nationCode.str() : e.club.str();
  t.category = e.vehicleCategory.str();
  t.hasResult = e.laps > 0 || e.raceTime > 0 || e.bestLap > 0;
  if (!t.hasResult) return t;
  t.laps = std::to_string(e.laps);
  t.raceTime = RaceTimeText(e.raceTime);
  t.bestLap = BestLapText(e.bestLap);
  if (e.penaltyIndex >= 1 && e.penaltyIndex <= std::min(penaltyCount, kMaxPenalties))
    t.penalty = "(" + penalties[e.penaltyIndex - 1].code.str() + ")";
  if (showsPoints) t.points = std::to_string(e.points);
  return t;
}

PenaltyLineTexts PenaltyLine(const PenaltySummaryRecord& r) {
  return {"(" + r.code.str() + ") : ", r.name.str(), PenaltyDescription(r.kind, r.amount)};
}

int LongestPenaltyName(const PenaltySummaryTable& records, int count) {
  int longest = 0;
  for (int i = 0; i < std::clamp(count, 0, kMaxPenalties); ++i)
    longest = std::max(longest, static_cast<int>(records[i].name.size()));
  return longest;
}

}  // namespace zd
