#pragma once
// The table of a ranking window and its printout: the sequence of its rows (the drivers, an empty
// row, the penalty lines), the part of it a scroll position shows, the pages it prints on, and the
// texts of its rows.

#include <cstdint>
#include <string>
#include <vector>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/ranking.h"

namespace zd {

inline constexpr int kTableShownRows = 18;  // rows of the table on screen
inline constexpr int kPageRows = 30;        // rows of the table on a printed page

enum class RowKind {
  Entry,  // index: of the ranking list
  Empty,
  Penalty,    // a session's penalty line; index: of the penalty summary
  Abandoned,  // a final ranking's driver with abandons; index: of the ranking list
  Penalised,  // a final ranking's driver with penalties; index: of the ranking list
};
struct TableRow {
  RowKind kind = RowKind::Empty;
  int index = 0;
  bool blockTitle = false;  // the first row of a final ranking's block carries its title
};

struct ScrollRange {
  bool shown = false;
  int maximum = 0;  // the minimum is 0
};

struct PrintPage {
  int number = 1;    // from 1, of pages().size()
  int firstRow = 0;  // of the table's rows
  int rowCount = 0;
  int entryRows = 0;  // the rows of ranked drivers: the heading band is drawn when above 0
};

class RankingTable {
 public:
  // entries drivers, an empty row and penaltyLines lines.
  static RankingTable Session(int entries, int penaltyLines);
  // The first count entries of a final list, an empty row, a row per driver with abandons, an
  // empty row and a row per driver with penalties, each block in list order.
  static RankingTable Final(const RankingList& list, int count);

  const std::vector<TableRow>& rows() const { return rows_; }
  int entryCount() const { return entries_; }
  // The rows shown from the scroll position on: at most 18, and none past the last row.
  std::vector<TableRow> shownRows(int position) const;
  // The bar is shown when more rows follow the first than the view holds beside the empty one.
  ScrollRange scrollRange() const;
  // The pages of the printout; none when there is no driver to print.
  std::vector<PrintPage> pages() const;

 private:
  std::vector<TableRow> rows_;
  int entries_ = 0;
};

// A race time: "h:mm:ss.mmm" with hours, else "m:ss.mmm" (also below one minute).
std::string RaceTimeText(int32_t ms);
// A best lap: "h:mm:ss.mmm", "m:ss.mmm" or "s.mmm".
std::string BestLapText(int32_t ms);

// The texts of a driver's row; the result columns are empty for a driver without one, as the
// points are when the table shows none.
struct EntryRowTexts {
  std::string position;
  std::string carNumber;
  std::string name;
  std::string ageCategoryCode;
  std::string sex;   // "M" or "F"
  std::string club;  // the nation code for an international event (beside its flag)
  std::string category;
  bool hasResult = false;
  std::string laps;
  std::string raceTime;
  std::string bestLap;
  std::string penalty;  // "(" code ")"
  std::string points;
};
EntryRowTexts SessionEntryTexts(const RankingEntry& entry, int row, const PenaltyTable& penalties,
                                int penaltyCount, bool international, bool showsPoints);

// A penalty line: "(" code ") : ", the name, and the description of its kind. The description
// column lies after the longest name of the summary.
struct PenaltyLineTexts {
  std::string code;
  std::string name;
  std::string description;
};
PenaltyLineTexts PenaltyLine(const PenaltySummaryRecord& record);
int LongestPenaltyName(const PenaltySummaryTable& records, int count);

}  // namespace zd
