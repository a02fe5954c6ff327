#pragma once
// Where the live board and its panels stand in the main window. The board is laid out in a
// design space of 1600 x 900 scaled to the screen (not to the window), right of the 200-pixel
// strip of the event tree; the main window computes it again before every message, so a change of
// screen size or of a column width shows at once. The board painters draw into these rectangles.
//
// Each product is formed before it is divided and every division truncates toward zero, exactly
// as written below; products and sums of design values are formed in 64 bits.

#include <algorithm>
#include <array>
#include <cstdint>

#include "files/settings.h"

namespace zd {

inline constexpr int32_t kDesignWidth = 1600;
inline constexpr int32_t kDesignHeight = 900;
inline constexpr int32_t kTreeStripWidth = 200;  // pixels left of the board, not scaled

// Cell columns of a board row: 0 to 10 are the columns of DisplaySettings ("# Num" to
// "Transp."), 11 the status ("Fin"). The position cell, left of column 0, has no number.
inline constexpr int kCellColumns = kBoardColumns + 1;
inline constexpr int kStatusColumn = kBoardColumns;
inline constexpr int32_t kStatusColumnWidth = 35;
inline constexpr int kBoardRows = 50;

using BoardColumnWidths = std::array<int32_t, kBoardColumns>;  // design units

// A rectangle in client pixels of the main window.
struct BoardRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const BoardRect&, const BoardRect&) = default;
};

// value * size / design, the product in 64 bits and the result kept within +-2^30 pixels, so that
// a few further sums stay within int whatever the design value.
inline int32_t ScaleDesign(int64_t value, int32_t size, int32_t design) {
  constexpr int64_t kLimit = int64_t{1} << 30;
  const int64_t v = std::clamp<int64_t>(value, -kLimit, kLimit) * size / design;
  return static_cast<int32_t>(std::clamp<int64_t>(v, -kLimit, kLimit));
}

// The screen in pixels, and the design units mapped onto it.
struct ScreenScale {
  int32_t width = kDesignWidth;
  int32_t height = kDesignHeight;
  // x * W / 1600 + 200: a board abscissa.
  int32_t X(int64_t x) const { return ScaleDesign(x, width, kDesignWidth) + kTreeStripWidth; }
  // y * H / 900.
  int32_t Y(int64_t y) const { return ScaleDesign(y, height, kDesignHeight); }
};

struct BoardLayout {
  ScreenScale scale;
  // Design abscissae of the column edges: edges[0] = 60, edges[k + 1] = edges[k] + width k, so
  // column k spans edges[k] to edges[k + 1] and the status column edges[11] to edges[11] + 35.
  std::array<int32_t, kCellColumns> edges{};
  BoardRect boardArea;
  BoardRect table;
  BoardRect columnHeaderBar;
  BoardRect seriesTitlePanel;
  BoardRect clockPanel;
  BoardRect countdownPanel;
  BoardRect restPanel;
  BoardRect radioConflictBanner;

  // Row r (0 for the first row shown) of rowHeight vertical design units spans
  // Y(r * rowHeight + 145) to Y((r + 1) * rowHeight + 145).
  int32_t RowTop(int32_t row, int32_t rowHeight) const;
  int32_t RowBottom(int32_t row, int32_t rowHeight) const;
  BoardRect PositionCell(int32_t row, int32_t rowHeight) const;
  // Column 0 to 11 of a row.
  BoardRect Cell(int column, int32_t row, int32_t rowHeight) const;
};

// rowsShown is the number of rows drawn (it sets the bottom of the table).
BoardLayout ComputeBoardLayout(ScreenScale scale, const BoardColumnWidths& widths,
                               int32_t rowHeight, int32_t rowsShown);

}  // namespace zd
