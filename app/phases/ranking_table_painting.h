#pragma once
// The rows of a ranking table drawn on any device context: the window paints them on its memory
// bitmap and the printout on the page frame. Each phase's window (and the final rankings) gives
// its own columns; the row kinds of the table pick what each row shows.

#include <windows.h>

#include <string>
#include <vector>

#include "phases/ranking_table.h"
#include "print/report_drawing.h"

namespace zd {

// What a column of a driver's row shows.
// Flag: the bitmap of the nation code the club column holds for an international event.
enum class EntryField { Position, CarNumber, Name, AgeCategory, Sex, Club, Flag, Category, Laps,
                        RaceTime, BestLap, Penalty, Points };
struct EntryColumn {
  EntryField field = EntryField::Name;
  int x = 0;
  ReportAlign align = ReportAlign::kLeft;
};

// One text of a row, at its x; or, for a flag, the bitmap file drawn at 20 x 13 units with its
// top-left corner at x and the text's top (a file that does not load leaves the cell empty).
struct TableCell {
  int x = 0;
  ReportAlign align = ReportAlign::kLeft;
  std::string text;
  bool flag = false;
};
inline constexpr int kFlagWidth = 20;
inline constexpr int kFlagHeight = 13;
using TableRowCells = std::vector<TableCell>;

// The cells of a driver's row in the given columns; empty texts are left out.
TableRowCells EntryRowCells(const EntryRowTexts& texts, const std::vector<EntryColumn>& columns);
// A penalty line: the code at x, the name after it and the description at descriptionX.
TableRowCells PenaltyRowCells(const PenaltyLineTexts& texts, int x, int nameX, int descriptionX);

// Where the rows lie: the first row's top, the row height and the text's height and offset below
// a row's top.
struct TableGeometry {
  int top = kReportRowTop;
  int rowHeight = kReportRowHeight;
  int textOffset = kReportRowTextTop - kReportRowTop;
  int textHeight = 12;
};
// Draws each row's cells (an empty row draws nothing) from the geometry's top down.
void PaintTableRows(HDC dc, const TableGeometry& geometry, const std::vector<TableRowCells>& rows);

// A ranking table painted in a window's client pixels: the area cleared white, the title centred
// on its top, the subtitle below it, then the heading band with its separators and headings, the
// stripes of the shown drivers' even rows, the body's outline down to the last shown driver, and
// the shown rows below the band.
struct ScreenTableLayout {
  RECT area = {20, 170, 780, 630};
  ReportTableEdges edges = {25, 775};
  int bandTop = 220;
  int bandBottom = 250;
  int headingTop = 230;               // Arial 16
  std::vector<int> separators;        // inside the band
  std::vector<ReportColumn> headings;
};
struct ScreenTableView {
  std::string title;
  std::string subtitle;
  bool table = true;  // false: the title and the subtitle alone (no sex chosen)
  int entries = 0;    // ranked drivers in the whole table
  int position = 0;   // the first row shown
};
// The rows of the view from its position on, at most 18 rows.
TableGeometry ScreenRowGeometry(const ScreenTableLayout& layout);
void PaintRankingScreen(HDC dc, const ScreenTableLayout& layout, const ScreenTableView& view,
                        const std::vector<TableRowCells>& shownRows);

}  // namespace zd
