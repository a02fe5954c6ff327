#pragma once
// The rules of the driver results window: its texts, the lap range typed into its two fields,
// the lap strip and its scroll bar, and the pages of the lap list it prints.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/series_sections.h"

namespace zd {

enum class DriverResultsView : int32_t { Summary = 0, Histogram = 1, Curve = 2 };

using DriverPageTitle = FixedText<123>;
using DriverTrackLine = FixedText<160>;
// "<run title> : <driver name>", cut to its buffer.
DriverPageTitle MakeDriverPageTitle(std::string_view runTitle, std::string_view driverName);
// " Piste : <track>   (<run note>) ", cut to its buffer.
DriverTrackLine MakeDriverTrackLine(std::string_view trackName, std::string_view runNote);

// A lap range field's value after a change: the lap it sets, and the text the field is rewritten
// with when the value was beyond the laps (the field otherwise keeps what was typed).
struct RangeFieldValue {
  int32_t lap = 0;
  bool rewritten = false;
};
// The first lap: at most n, and 1 for an empty field or 0 while there are laps.
RangeFieldValue FirstLapField(uint32_t typed, int32_t n);
// The last lap: at most n; empty or 0 gives 0, an empty range.
RangeFieldValue LastLapField(uint32_t typed, int32_t n);

// The lap strip shows seven laps; its scroll bar is shown from 7 laps on, up to n - 6.
inline constexpr int32_t kStripCells = 7;
struct StripScrollRange {
  bool shown = false;
  int32_t maximum = 0;
};
StripScrollRange LapStripScrollRange(int32_t n);
// The lap in cell k (0..6) of the strip at position p; 0 for an empty cell.
int32_t LapStripCell(int32_t n, int32_t position, int32_t k);

// "Détail tours": 100 laps a page in four columns of 25 rows, laps 1 to n.
inline constexpr int32_t kDetailLapsPerPage = 100;
inline constexpr int32_t kDetailRows = 25;
int32_t DetailPageCount(int32_t n);
// Laps on page p (0 when none).
int32_t DetailPageLaps(int32_t n, int32_t page);
// Columns of page p that hold a lap.
int32_t DetailPageColumns(int32_t n, int32_t page);
// The k-th lap of a page (0..99): its lap number, column and row, and where its two texts end.
struct DetailCell {
  int32_t lap = 0;
  int32_t column = 0;
  int32_t row = 0;
  int32_t lapX = 0;   // "T %d", right-aligned
  int32_t timeX = 0;  // the lap time, right-aligned
  int32_t y = 0;
};
DetailCell DetailPageCell(int32_t page, int32_t k);

}  // namespace zd
