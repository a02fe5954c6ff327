#include "analysis/driver_window.h"

#include <algorithm>
#include <string>

namespace zd {

DriverPageTitle MakeDriverPageTitle(std::string_view runTitle, std::string_view driverName) {
  std::string title(runTitle);
  title += " : ";
  title += driverName;
  return DriverPageTitle(title);
}

DriverTrackLine MakeDriverTrackLine(std::string_view trackName, std::string_view runNote) {
  std::string line = " Piste : ";
  line += trackName;
  line += "   (";
  line += runNote;
  line += ") ";
  return DriverTrackLine(line);
}

RangeFieldValue FirstLapField(uint32_t typed, int32_t n) {
  RangeFieldValue v;
  if (n < 0) n = 0;
  if (typed > static_cast<uint32_t>(n)) {
    v.lap = n;
    v.rewritten = true;
  } else {
    v.lap = static_cast<int32_t>(typed);
  }
  if (v.lap == 0 && n >= 1) v.lap = 1;
  return v;
}

RangeFieldValue LastLapField(uint32_t typed, int32_t n) {
  if (n < 0) n = 0;
  if (typed > static_cast<uint32_t>(n)) return {n, true};
  return {static_cast<int32_t>(typed), false};
}

StripScrollRange LapStripScrollRange(int32_t n) {
  if (n < kStripCells) return {};
  return {true, n - (kStripCells - 1)};
}

int32_t LapStripCell(int32_t n, int32_t position, int32_t k) {
  if (k < 0 || k >= std::min(n, kStripCells)) return 0;
  const int32_t lap = position + k + 1;
  return lap >= 1 && lap <= n ? lap : 0;
}

int32_t DetailPageCount(int32_t n) {
  return n <= 0 ? 0 : (n + kDetailLapsPerPage - 1) / kDetailLapsPerPage;
}

int32_t DetailPageLaps(int32_t n, int32_t page) {
  return std::clamp(n - kDetailLapsPerPage * page, 0, kDetailLapsPerPage);
}

int32_t DetailPageColumns(int32_t n, int32_t page) {
  return (DetailPageLaps(n, page) + kDetailRows - 1) / kDetailRows;
}

DetailCell DetailPageCell(int32_t page, int32_t k) {
  DetailCell cell;
  cell.lap = kDetailLapsPerPage * page + k + 1;
  cell.column = k / kDetailRows;
  cell.row = k % kDetailRows;
  cell.lapX = 90 + 175 * cell.column;
  cell.timeX = 175 + 175 * cell.column;
  cell.y = 335 + 25 * cell.row;
  return cell;
}

}  // namespace zd
