#pragma once
// The column-header bar of the live board: its titles, where they stand and when they show, and
// its column separators; and the texts of the watermark behind the table. The bar's left edge is
// the position column's; x(d) below is that edge plus d design units.

#include <array>
#include <cstdint>

#include "files/settings.h"
#include "live/board_cells.h"
#include "main/board_layout.h"

namespace zd {

inline constexpr int kColumnTitles = 13;  // "Pos", the eleven columns, "Fin"

struct ColumnTitle {
  const char* text = "";
  bool shown = false;
  TextPlacement place;
};

// "Pos" and "Fin" always show; a column's title shows when its width passes the same threshold
// as its cells' texts. Left-aligned titles start 10 design units inside their column, right-
// aligned ones end 5 before its right edge, centred ones sit in its middle. With the nation flag
// set the club column is titled "Nation".
std::array<ColumnTitle, kColumnTitles> ColumnBarTitles(const BoardColumnWidths& widths,
                                                       int32_t nationFlag, int32_t barLeft,
                                                       int32_t W);
// The design y of the titles' top.
inline constexpr int32_t kColumnTitleTop = 125;

// The separators' abscissae: the end of the position column, then the right edge of each of the
// eleven columns.
std::array<int32_t, kBoardColumns + 1> ColumnBarSeparators(const BoardColumnWidths& widths,
                                                           int32_t barLeft, int32_t W);

inline constexpr const char* kBoardWatermarkTitle = "Zentrik Dizavirov";
inline constexpr const char* kBoardWatermarkVersion = "v 1.2.b";

// Where the logo stands in the window; it is fitted into kLogoBoxWidth x kLogoBoxHeight.
inline constexpr int32_t kLogoLeft = 4;
inline constexpr int32_t kLogoTop = 2;

}  // namespace zd
