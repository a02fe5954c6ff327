#pragma once
// The colours of the live board: the backgrounds of the result cells in each table style, of the
// column-header bar and of the position cells, and the watermark. A background is a list of
// horizontal bands that the painter fills in order, each with a brush of its own.
//
// Colours are Windows colour references (red + 256 * green + 65536 * blue); gradients work per
// channel and keep only its low 8 bits, with Windows' MulDiv rounding.

#include <cstdint>
#include <vector>

namespace zd {

inline constexpr int32_t Rgb(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

// a * b / c in 64 bits, rounded to the nearest (halves away from zero); -1 when c is 0, as
// Windows' MulDiv.
int32_t MulDivRounded(int32_t a, int32_t b, int32_t c);

// first - MulDiv(step, first - second, steps) on each channel.
int32_t GradientColour(int32_t first, int32_t second, int32_t step, int32_t steps);

// Pixel lines top + from to top + to - 1 of a rectangle, filled across its width.
struct LineBand {
  int32_t from = 0;
  int32_t to = 0;
  int32_t colour = 0;
  friend bool operator==(const LineBand&, const LineBand&) = default;
};
using Background = std::vector<LineBand>;

// A result cell of board row `row` (0 for the first row shown), `height` pixels high, in a table
// of `rowsShown` rows. Equal colours give one flat band in every style; the gradient style spans
// the whole table and leaves each cell's first line to the grid; an unknown style fills nothing.
Background ResultsCellBackground(int32_t style, int32_t first, int32_t second, int32_t row,
                                 int32_t rowsShown, int32_t height);

// The column-header bar: one band of first when the colours are equal, else a gradient of one
// line per pixel towards second.
Background LabelBarBackground(int32_t first, int32_t second, int32_t height);

// The position cell keeps its own pale yellow whatever the style: flat RGB(255, 255, 200) when
// the two label colours are equal, else a gradient from white towards RGB(215, 215, 160).
Background PositionCellBackground(int32_t labelFirst, int32_t labelSecond, int32_t height);

// The watermark behind the table: its background darkened by 10 on each channel, down to 0.
int32_t WatermarkColour(int32_t tableBackground);

}  // namespace zd
