#pragma once
// Where and when the live board's rows put their texts and marks: the row metrics, the width under
// which a column shows no text, the place of each cell's text, the status marks and the nation
// flag. W and H are the screen's size in pixels; every division truncates toward zero.

#include <cstdint>
#include <string>

#include "files/event_sections.h"
#include "files/live_file.h"
#include "main/board_layout.h"

namespace zd {

// ComputeBoardRowMetrics' arithmetic. A row is 120 % of the tallest font's text height (fonts of
// the columns "# Num" to "Dernier tour"), taken as vertical design units.
inline constexpr int kFirstMeasuredFont = 3;
inline constexpr int kLastMeasuredFont = 11;
int32_t RowHeightForTextHeight(int32_t textHeight);
// The largest n from 0 to 50 with n * rowHeight * H / 900 < available (the board area's bottom
// less the table's top, pixels): 0 when nothing is available, 50 for a row height of 0.
int32_t RowsThatFit(int32_t rowHeight, int32_t H, int32_t available);
// The cars of the series, at most the rows that fit (never below 0).
int32_t RowsShownFor(int32_t cars, int32_t rowsThatFit);

// A logical font's height for a stored height, scaled like the widths: W * height / 1600 (a
// negative height stays a character height).
int32_t ScaledFontHeight(int32_t W, int32_t height);

// A column (0 to 10) shows its text, and its title, only when its width in design units is
// greater than this many pixels of the screen: W / 40, W / 20, W / 32 (three columns),
// 85 * W / 1600 (the five times) and 55 * W / 1600.
int32_t CellTextThreshold(int column, int32_t W);
bool CellTextShown(int column, int32_t width, int32_t W);

enum class TextAlign { kLeft, kCentre, kRight };
struct TextPlacement {
  TextAlign align = TextAlign::kLeft;
  int32_t x = 0;
  friend bool operator==(const TextPlacement&, const TextPlacement&) = default;
};
// The text of column 0 to 10 in a cell (pixels left to right) of the given width (design units).
TextPlacement CellTextPlacement(int column, int32_t width, int32_t left, int32_t right, int32_t W);
// The line every text of a row stands on: top + (rowHeight / 12) * H / 900.
int32_t CellTextTop(int32_t cellTop, int32_t rowHeight, int32_t H);

// The status cell: the abandonment, a penalty's code, the chequered flag of a finished car, or
// nothing. A status whose penalty entry lies beyond the race's list draws nothing.
struct StatusMark {
  enum Kind { kNothing, kText, kChequeredFlag } kind = kNothing;
  std::string text;
};
StatusMark StatusCellMark(const LiveRow& row, const PenaltyTable& penalties);
inline constexpr const char* kAbandonmentMark = " A ";
inline constexpr const char* kChequeredFlagFile = "images/drapeauArrivee.bmp";

// The country flag drawn after the nation code: its file, and its box in a cell of the given left
// edge and text line; fontHeight is the stored height of the column's font (a negative height
// puts the flag to the right of the code).
std::string NationFlagFile(const LiveRow& row);
BoardRect NationFlagBox(int32_t left, int32_t textTop, int32_t rowHeight, int32_t fontHeight,
                        int32_t W);

}  // namespace zd
