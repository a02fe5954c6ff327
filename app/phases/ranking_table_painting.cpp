#include "phases/ranking_table_painting.h"

#include <algorithm>

#include "files/databases.h"
#include "live/gdi_objects.h"

namespace zd {

namespace {

const std::string& FieldText(const EntryRowTexts& texts, EntryField field) {
  switch (field) {
    case EntryField::Position: return texts.position;
    case EntryField::CarNumber: return texts.carNumber;
    case EntryField::Name: return texts.name;
    case EntryField::AgeCategory: return texts.ageCategoryCode;
    case EntryField::Sex: return texts.sex;
    case EntryField::Club:
    case EntryField::Flag: return texts.club;
    case EntryField::Category: return texts.category;
    case EntryField::Laps: return texts.laps;
    case EntryField::RaceTime: return texts.raceTime;
    case EntryField::BestLap: return texts.bestLap;
    case EntryField::Penalty: return texts.penalty;
    case EntryField::Points: return texts.points;
  }
  return texts.name;
}

}  // namespace

TableRowCells EntryRowCells(const EntryRowTexts& texts, const std::vector<EntryColumn>& columns) {
  TableRowCells cells;
  for (const EntryColumn& column : columns) {
    const std::string& text = FieldText(texts, column.field);
    if (text.empty()) continue;
    if (column.field == EntryField::Flag)
      cells.push_back({column.x, ReportAlign::kLeft, CountryFlagPath(text), true});
    else
      cells.push_back({column.x, column.align, text});
  }
  return cells;
}

TableRowCells PenaltyRowCells(const PenaltyLineTexts& texts, int x, int nameX, int descriptionX) {
  TableRowCells cells;
  if (!texts.code.empty()) cells.push_back({x, ReportAlign::kLeft, texts.code});
  if (!texts.name.empty()) cells.push_back({nameX, ReportAlign::kLeft, texts.name});
  if (!texts.description.empty())
    cells.push_back({descriptionX, ReportAlign::kLeft, texts.description});
  return cells;
}

void PaintTableRows(HDC dc, const TableGeometry& geometry, const std::vector<TableRowCells>& rows) {
  for (size_t row = 0; row < rows.size(); ++row) {
    const int y = geometry.top + geometry.rowHeight * static_cast<int>(row) + geometry.textOffset;
    for (const TableCell& cell : rows[row]) {
      if (cell.flag)
        DrawBitmapFile(dc, cell.text.c_str(), cell.x, y, kFlagWidth, kFlagHeight);
      else
        DrawReportText(dc, cell.x, y, cell.text, geometry.textHeight, false, cell.align);
    }
  }
}

TableGeometry ScreenRowGeometry(const ScreenTableLayout& layout) {
  TableGeometry geometry;
  geometry.top = layout.bandBottom;
  geometry.rowHeight = 20;
  geometry.textOffset = 3;
  geometry.textHeight = 14;
  return geometry;
}

void PaintRankingScreen(HDC dc, const ScreenTableLayout& layout, const ScreenTableView& view,
                        const std::vector<TableRowCells>& shownRows) {
  constexpr COLORREF kBlack = RGB(0, 0, 0);
  const RECT& a = layout.area;
  FillSolid(dc, a, RGB(255, 255, 255));
  DrawReportText(dc, (a.left + a.right) / 2, a.top, view.title, 20, true, ReportAlign::kCentre);
  DrawReportText(dc, a.left + 10, a.top + 30, view.subtitle, 15, true);
  if (!view.table) return;

  const int left = layout.edges.left;
  const int right = layout.edges.right;
  FillSolid(dc, {left, layout.bandTop, right, layout.bandBottom}, RGB(255, 255, 200));
  // The stripes stay on the view's even rows while the list scrolls.
  for (int k = 0; k <= 8 && view.position + 2 * k < view.entries; ++k)
    FillSolid(dc, {left, layout.bandBottom + 40 * k, right, layout.bandBottom + 20 + 40 * k},
              RGB(234, 234, 234));

  const int bottom = std::clamp(layout.bandBottom + 20 * (view.entries - view.position),
                                static_cast<int>(layout.bandBottom), static_cast<int>(a.bottom) - 1);
  DrawSolidLine(dc, 2, kBlack, left, layout.bandTop, right, layout.bandTop);
  DrawSolidLine(dc, 2, kBlack, left, layout.bandBottom, right, layout.bandBottom);
  DrawSolidLine(dc, 2, kBlack, left, layout.bandTop, left, layout.bandBottom);
  DrawSolidLine(dc, 2, kBlack, right, layout.bandTop, right, layout.bandBottom);
  for (int x : layout.separators)
    DrawSolidLine(dc, 2, kBlack, x, layout.bandTop, x, layout.bandBottom);
  DrawSolidLine(dc, 2, kBlack, left, layout.bandBottom, left, bottom);
  DrawSolidLine(dc, 2, kBlack, right, layout.bandBottom, right, bottom);
  DrawSolidLine(dc, 2, kBlack, left, bottom, right, bottom);

  for (const ReportColumn& column : layout.headings)
    DrawReportText(dc, column.x, layout.headingTop, column.heading, 16, false,
                   column.rightAligned ? ReportAlign::kRight : ReportAlign::kLeft);
  PaintTableRows(dc, ScreenRowGeometry(layout), shownRows);
}

}  // namespace zd
