#include "live/board_cells.h"

#include <algorithm>

namespace zd {

int32_t RowHeightForTextHeight(int32_t textHeight) { return textHeight * 120 / 100; }

int32_t RowsThatFit(int32_t rowHeight, int32_t H, int32_t available) {
  int32_t n = 0;
  while (n < kBoardRows) {
    const int64_t next = static_cast<int64_t>(n + 1) * rowHeight * H / kDesignHeight;
    if (next >= available) break;
    ++n;
  }
  return n;
}

int32_t RowsShownFor(int32_t cars, int32_t rowsThatFit) {
  return std::clamp(cars, 0, std::max(rowsThatFit, 0));
}

int32_t ScaledFontHeight(int32_t W, int32_t height) { return ScaleDesign(height, W, kDesignWidth); }

int32_t CellTextThreshold(int column, int32_t W) {
  switch (column) {
    case kColumnNumber:
      return W / 40;
    case kColumnDriverName:
      return W / 20;
    case kColumnCategory:
    case kColumnClub:
    case kColumnLaps:
      return W / 32;
    case kColumnTransponder:
      return 55 * W / kDesignWidth;
    default:
      return 85 * W / kDesignWidth;
  }
}

bool CellTextShown(int column, int32_t width, int32_t W) {
  return width > CellTextThreshold(column, W);
}

TextPlacement CellTextPlacement(int column, int32_t width, int32_t left, int32_t right,
                                int32_t W) {
  switch (column) {
    case kColumnNumber:
    case kColumnTransponder:
      return {TextAlign::kCentre, left + width / 2 * W / kDesignWidth};
    case kColumnDriverName:
    case kColumnCategory:
    case kColumnClub:
      return {TextAlign::kLeft, left + W / 160};
    case kColumnLaps:
      return {TextAlign::kRight, right - W / 320};
    default:
      return {TextAlign::kRight, right - W / 160};
  }
}

int32_t CellTextTop(int32_t cellTop, int32_t rowHeight, int32_t H) {
  return cellTop + rowHeight / 12 * H / kDesignHeight;
}

StatusMark StatusCellMark(const LiveRow& row, const PenaltyTable& penalties) {
  if (row.status == 1) return {StatusMark::kText, kAbandonmentMark};
  if (row.status >= 2) {
    // Entry status - 1; the race control keeps the status within the list, but a value from
    // elsewhere must not read past it.
    const int entry = row.status - 1;
    if (entry >= CountPenalties(penalties)) return {};
    return {StatusMark::kText, penalties[entry].code.str()};
  }
  if (row.finished == 1) return {StatusMark::kChequeredFlag, {}};
  return {};
}

std::string NationFlagFile(const LiveRow& row) {
  return "paysDrapeaux/" + row.nationCode.str() + ".bmp";
}

BoardRect NationFlagBox(int32_t left, int32_t textTop, int32_t rowHeight, int32_t fontHeight,
                        int32_t W) {
  const int32_t x = left - 7 * fontHeight / 2 * W / kDesignWidth;
  return {x, textTop, x + 4 * rowHeight / 5, textTop + 3 * rowHeight / 5};
}

}  // namespace zd
