#include "phases/ranking_table_painting.h"

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

}  // namespace zd
