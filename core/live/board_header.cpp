#include "live/board_header.h"

namespace zd {

namespace {

constexpr const char* kTitles[kBoardColumns] = {
    "# Num",        "Nom pilote",   "Catégorie",   "Club",          "Tours",   "Temps total",
    "Ecart leader", "Ecart précédt", "Dernier tour", "Meilleur tour", "Transp.",
};

}  // namespace

std::array<ColumnTitle, kColumnTitles> ColumnBarTitles(const BoardColumnWidths& widths,
                                                       int32_t nationFlag, int32_t barLeft,
                                                       int32_t W) {
  const auto x = [&](int64_t design) { return barLeft + ScaleDesign(design, W, kDesignWidth); };
  // sums[k]: the widths of columns 0 to k.
  std::array<int64_t, kBoardColumns> sums{};
  int64_t sum = 0;
  for (int k = 0; k < kBoardColumns; ++k) sums[k] = sum += widths[k];

  std::array<ColumnTitle, kColumnTitles> titles;
  titles[0] = {"Pos", true, {TextAlign::kCentre, barLeft + W / 80}};
  for (int c = 0; c < kBoardColumns; ++c) {
    ColumnTitle& title = titles[c + 1];
    title.text = kTitles[c];
    title.shown = CellTextShown(c, widths[c], W);
    switch (c) {
      case kColumnNumber:
        title.place = {TextAlign::kCentre, x(widths[0] / 2 + 40)};
        break;
      case kColumnDriverName:
        title.place = {TextAlign::kLeft, x(int64_t{widths[0]} + 50)};
        break;
      case kColumnCategory:
      case kColumnClub:
        title.place = {TextAlign::kLeft, x(sums[c - 1] + 50)};
        break;
      case kColumnTransponder:
        title.place = {TextAlign::kCentre, x(sums[9] + 40 + widths[10] / 2)};
        break;
      default:  // laps and the five times
        title.place = {TextAlign::kRight, x(sums[c] + 35)};
        break;
    }
  }
  if (nationFlag != 0) titles[1 + kColumnClub].text = "Nation";
  titles[kColumnTitles - 1] = {"Fin", true, {TextAlign::kCentre, x(sums[10] + 58)}};
  return titles;
}

std::array<int32_t, kBoardColumns + 1> ColumnBarSeparators(const BoardColumnWidths& widths,
                                                           int32_t barLeft, int32_t W) {
  std::array<int32_t, kBoardColumns + 1> xs{};
  xs[0] = barLeft + W / 40;
  int64_t sum = 40;
  for (int k = 0; k < kBoardColumns; ++k) {
    sum += widths[k];
    xs[k + 1] = barLeft + ScaleDesign(sum, W, kDesignWidth);
  }
  return xs;
}

}  // namespace zd
