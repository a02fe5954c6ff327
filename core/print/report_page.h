#pragma once
// The page that every printed report of an event shares: its coordinate space, its frame, the
// event information block and the footer. The report adds its title, its table and its rows; the
// drawing itself is done by app/print on any device context.

#include <string>
#include <string_view>

#include "files/event_sections.h"
#include "files/fixed_text.h"
#include "files/text_file.h"

namespace zd {

// Logical page: 700 units across. 990 units down is the height of a portrait A4 sheet at that
// width, so the isotropic window fits the footer (y 970) onto the paper on any sheet; a shorter
// sheet such as Letter shrinks the page a little instead of cutting it off.
inline constexpr int kReportPageWidth = 700;
inline constexpr int kReportPageHeight = 990;

// The table's left and right edges.
struct ReportTableEdges {
  int left = 30;
  int right = 655;
};
inline constexpr ReportTableEdges kListTableEdges = {30, 655};
inline constexpr ReportTableEdges kRankingTableEdges = {25, 660};

// Rows of the list reports: 20 units high from y 272, texts 3 units below a row's top.
inline constexpr int kReportRowTop = 272;
inline constexpr int kReportRowHeight = 20;
inline constexpr int kReportRowTextTop = 275;
inline constexpr int kReportRowsPerPage = 30;
inline int ReportRowTop(int row) { return kReportRowTop + kReportRowHeight * row; }
inline int ReportRowTextTop(int row) { return kReportRowTextTop + kReportRowHeight * row; }

// A heading of a list report's band: its x, and whether the text ends there (numeric columns).
struct ReportColumn {
  int x = 0;
  bool rightAligned = false;
  std::string heading;
};

// Pages for a list of this many rows: 0 for an empty list, which prints nothing.
int ReportPageCount(int rows, int rowsPerPage = kReportRowsPerPage);
// Rows on page (from 1) of such a list.
int ReportRowsOnPage(int rows, int page, int rowsPerPage = kReportRowsPerPage);
// The footer: "Page %d /%d".
std::string ReportPageNumber(int page, int pageCount);

// What follows "Nom course :": the event and the race, or the event alone (the rankings, which
// name the race in their subtitle).
enum class ReportEventLine { kEventAndRace, kEventAlone };

// The six values of the information block, read once when a printing dialog opens.
struct ReportInformation {
  std::string championship;
  std::string eventLine;
  std::string place;
  std::string date;
  std::string raceDirector;
  std::string club;
  bool international = false;  // the event's participants show nation and flag instead of club
};
ReportInformation MakeReportInformation(const EventInformation& info, std::string_view raceName,
                                        ReportEventLine line);
// From the race file's information section; an absent section leaves the values empty.
ReportInformation ReadReportInformation(TextFile& raceFile, std::string_view raceName,
                                        ReportEventLine line);

// The logo printed at the top left: the display settings' logo path. False when the display
// settings file cannot be opened (the caller says so; the logo stays empty).
inline constexpr const char* kDisplaySettingsNotFound = "Error: Display settings file not found";
bool ReadReportLogoPath(FixedText<260>& logoPath);

}  // namespace zd
