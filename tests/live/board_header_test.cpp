#include "live/board_header.h"

#include <gtest/gtest.h>

#include <climits>

#include <string>

namespace zd {
namespace {

constexpr BoardColumnWidths kWidths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};

struct ExpectedTitle {
  const char* text;
  bool shown;
  TextAlign align;
  int32_t x;
};

void ExpectTitles(const std::array<ColumnTitle, kColumnTitles>& titles,
                  const ExpectedTitle (&expected)[kColumnTitles]) {
  for (int i = 0; i < kColumnTitles; ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(std::string(titles[i].text), expected[i].text);
    EXPECT_EQ(titles[i].shown, expected[i].shown);
    EXPECT_EQ(titles[i].place, (TextPlacement{expected[i].align, expected[i].x}));
  }
}

TEST(ColumnHeaderBar, TitlePositionsAt1600) {
  // The bar starts at 220; "# Num" is exactly at its threshold of 40, so it is left out.
  const ExpectedTitle expected[kColumnTitles] = {
      {"Pos", true, TextAlign::kCentre, 240},
      {"# Num", false, TextAlign::kCentre, 280},
      {"Nom pilote", true, TextAlign::kLeft, 310},
      {"Catégorie", true, TextAlign::kLeft, 510},
      {"Club", true, TextAlign::kLeft, 600},
      {"Tours", true, TextAlign::kRight, 745},
      {"Temps total", true, TextAlign::kRight, 845},
      {"Ecart leader", true, TextAlign::kRight, 935},
      {"Ecart précédt", true, TextAlign::kRight, 1025},
      {"Dernier tour", true, TextAlign::kRight, 1115},
      {"Meilleur tour", true, TextAlign::kRight, 1205},
      {"Transp.", true, TextAlign::kCentre, 1245},
      {"Fin", true, TextAlign::kCentre, 1298},
  };
  ExpectTitles(ColumnBarTitles(kWidths, 0, 220, 1600), expected);
}

TEST(ColumnHeaderBar, NarrowColumnsAndTheNationTitleOnAWiderScreen) {
  // At W = 1920 the bar starts at 224 and a design unit is 1.2 pixels; narrow columns lose their
  // titles, "Pos" and "Fin" never do.
  const BoardColumnWidths widths = {49, 96, 61, 60, 60, 102, 103, 90, 200, 85, 67};
  const ExpectedTitle expected[kColumnTitles] = {
      {"Pos", true, TextAlign::kCentre, 248},
      {"# Num", true, TextAlign::kCentre, 224 + 64 * 1920 / 1600},
      {"Nom pilote", false, TextAlign::kLeft, 224 + 99 * 1920 / 1600},
      {"Catégorie", true, TextAlign::kLeft, 224 + 195 * 1920 / 1600},
      {"Nation", false, TextAlign::kLeft, 224 + 256 * 1920 / 1600},
      {"Tours", false, TextAlign::kRight, 224 + 361 * 1920 / 1600},
      {"Temps total", false, TextAlign::kRight, 224 + 463 * 1920 / 1600},
      {"Ecart leader", true, TextAlign::kRight, 224 + 566 * 1920 / 1600},
      {"Ecart précédt", false, TextAlign::kRight, 224 + 656 * 1920 / 1600},
      {"Dernier tour", true, TextAlign::kRight, 224 + 856 * 1920 / 1600},
      {"Meilleur tour", false, TextAlign::kRight, 224 + 941 * 1920 / 1600},
      {"Transp.", true, TextAlign::kCentre, 224 + (906 + 40 + 33) * 1920 / 1600},
      {"Fin", true, TextAlign::kCentre, 224 + (973 + 58) * 1920 / 1600},
  };
  ExpectTitles(ColumnBarTitles(widths, 1, 224, 1920), expected);
}

TEST(ColumnHeaderBar, SeparatorsStandOnTheCellEdges) {
  for (const ScreenScale screen : {ScreenScale{1600, 900}, ScreenScale{1920, 1080}}) {
    SCOPED_TRACE(screen.width);
    const BoardLayout layout = ComputeBoardLayout(screen, kWidths, 30, 3);
    const auto xs = ColumnBarSeparators(kWidths, layout.columnHeaderBar.left, screen.width);
    EXPECT_EQ(xs[0], layout.PositionCell(0, 30).right);
    for (int c = 0; c < kBoardColumns; ++c) EXPECT_EQ(xs[c + 1], layout.Cell(c, 0, 30).right) << c;
  }
}

TEST(ColumnHeaderBar, ExtremeWidthsAndFontHeightsStayInOrder) {
  BoardColumnWidths huge;
  huge.fill(INT32_MAX);
  const auto separators = ColumnBarSeparators(huge, 200, 3840);
  for (int k = 0; k < kBoardColumns; ++k) EXPECT_LE(separators[k], separators[k + 1]) << k;
  const auto titles = ColumnBarTitles(huge, 0, 200, 3840);
  EXPECT_LE(titles[1 + kColumnLaps].place.x, titles[1 + kColumnTotalTime].place.x);
  EXPECT_GT(ScaledFontHeight(3840, INT32_MAX), 0);
  EXPECT_LT(ScaledFontHeight(3840, INT32_MIN), 0);
}

}  // namespace
}  // namespace zd
