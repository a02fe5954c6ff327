#include "phases/ranking_table_printing.h"

#include <algorithm>

namespace zd {

TableGeometry RankingPrintGeometry() {
  TableGeometry geometry;
  geometry.top = kReportRowTop;
  geometry.rowHeight = kReportRowHeight;
  geometry.textOffset = kReportRowTextTop - kReportRowTop;
  geometry.textHeight = 14;
  return geometry;
}

void DrawRankingPageFrame(HDC dc, const RankingPrintLayout& layout, const ReportFrameTexts& texts,
                          int entryRows) {
  const bool ranked = entryRows > 0;
  if (ranked) {
    FillReportHeadingBand(dc, layout.edges);
    ShadeReportRows(dc, layout.edges, entryRows);
  }
  DrawReportFrameLines(dc);
  DrawReportBandOutline(dc, layout.edges);
  DrawReportBandSeparators(dc, layout.separators);
  if (ranked || layout.outlineWithoutEntries)
    DrawReportTableOutline(dc, layout.edges, ranked ? entryRows : 0);
  DrawReportFrameTexts(dc, texts);
  if (ranked) DrawReportHeadings(dc, layout.columns);
}

void DrawRankingPrintPage(HDC dc, const RankingPrintLayout& layout, ReportFrameTexts texts,
                          const PrintPage& page, int pageCount,
                          const std::vector<TableRowCells>& rows) {
  texts.page = page.number;
  texts.pageCount = pageCount;
  DrawRankingPageFrame(dc, layout, texts, page.entryRows);
  const size_t first = static_cast<size_t>(std::max(page.firstRow, 0));
  const size_t last = std::min(rows.size(), first + static_cast<size_t>(std::max(page.rowCount, 0)));
  if (first >= last) return;
  const std::vector<TableRowCells> pageRows(rows.begin() + first, rows.begin() + last);
  PaintTableRows(dc, RankingPrintGeometry(), pageRows);
}

bool PrintRankingTable(HWND owner, const char* logoPath, const char* jobName,
                       const RankingPrintLayout& layout, const ReportFrameTexts& texts,
                       const std::vector<PrintPage>& pages,
                       const std::vector<TableRowCells>& rows, const char* savedDirectory) {
  const int pageCount = static_cast<int>(pages.size());
  return PrintReport(
      owner, logoPath, jobName, pageCount,
      [&](HDC dc, int page) {
        DrawRankingPrintPage(dc, layout, texts, pages[page - 1], pageCount, rows);
      },
      savedDirectory);
}

}  // namespace zd
