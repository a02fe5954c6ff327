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

}  // namespace zd
