#pragma once
// A ranking table printed on the page frame: the band, its headings and the stripes only where a
// page has ranked drivers, the outline of those rows and the page's rows of cells. The session
// rankings and the final rankings give their own columns, headings and rows.

#include <windows.h>

#include <string>
#include <vector>

#include "phases/ranking_table.h"
#include "phases/ranking_table_painting.h"
#include "print/report_drawing.h"

namespace zd {

// What every page of one printout shares.
struct RankingPrintLayout {
  ReportTableEdges edges = kRankingTableEdges;
  std::vector<int> separators;        // inside the band, on every page
  std::vector<ReportColumn> columns;  // headings, on pages with ranked drivers
  // The rows' outline is drawn with zero height on a page without ranked drivers, else left out.
  bool outlineWithoutEntries = false;
};

// The rows of the printout: Arial 14, the page's row k with its text at y 275 + 20k.
TableGeometry RankingPrintGeometry();

// Everything of one page but its rows, on a page already started (StartReportPage).
void DrawRankingPageFrame(HDC dc, const RankingPrintLayout& layout, const ReportFrameTexts& texts,
                          int entryRows);
// A whole page: the frame with texts.page and texts.pageCount set from page and pageCount, then
// the rows page.firstRow .. of rows (the cells of every row of the table).
void DrawRankingPrintPage(HDC dc, const RankingPrintLayout& layout, ReportFrameTexts texts,
                          const PrintPage& page, int pageCount,
                          const std::vector<TableRowCells>& rows);

// The print command: the print dialog, then every page when confirmed (nothing when pages is
// empty); the current directory goes back to savedDirectory. False when nothing was printed.
bool PrintRankingTable(HWND owner, const char* logoPath, const char* jobName,
                       const RankingPrintLayout& layout, const ReportFrameTexts& texts,
                       const std::vector<PrintPage>& pages,
                       const std::vector<TableRowCells>& rows, const char* savedDirectory);

}  // namespace zd
