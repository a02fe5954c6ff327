#include "live/board_style.h"

#include <gtest/gtest.h>

#include "files/settings.h"

namespace zd {
namespace {

TEST(BoardStyle, MulDivRoundsHalvesAwayFromZero) {
  struct Case {
    int32_t a, b, c, expected;
  };
  const Case cases[] = {
      {1, 1, 2, 1},   {-1, 1, 2, -1},  {1, -1, -2, 1}, {21, 100, 40, 53},
      {21, -100, 40, -53}, {10, 95, 20, 48}, {7, 3, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " * " << c.b << " / " << c.c);
    EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), c.expected);
  }
}

// Two colours whose channels move both ways: red and green fall by 100, blue rises by 100.
constexpr int32_t kFirst = Rgb(200, 100, 0);
constexpr int32_t kSecond = Rgb(100, 0, 100);

TEST(BoardStyle, ResultCellLinesInEachStyle) {
  struct Case {
    const char* name;
    int32_t style, row, rowsShown, height;
    int expectedBands;
    // Some bands checked: index into the list, then the band.
    std::vector<std::pair<int, LineBand>> checked;
  };
  const Case cases[] = {
      // Restarted in every row, from the first colour on line 0 towards the second.
      {"relief", kStyleRelief, 3, 4, 10, 10,
       {{0, {0, 1, kFirst}}, {5, {5, 6, Rgb(150, 50, 50)}}, {9, {9, 10, Rgb(110, 10, 90)}}}},
      // One gradient of 40 steps over 4 rows of 10; row 2 starts at step 21 on its line 1 (its
      // line 0 is left to the grid): 21 * 100 / 40 = 52.5, rounded to 53.
      {"gradient", kStyleGradient, 2, 4, 10, 9,
       {{0, {1, 2, Rgb(147, 47, 53)}}, {8, {9, 10, Rgb(127, 27, 73)}}}},
      // Five rows shown: the same line of the same row takes another colour.
      {"gradient over more rows", kStyleGradient, 2, 5, 10, 9, {{0, {1, 2, Rgb(158, 58, 42)}}}},
      {"alternate, even row", kStyleAlternate, 0, 4, 10, 1, {{0, {0, 10, kFirst}}}},
      {"alternate, odd row", kStyleAlternate, 3, 4, 10, 1, {{0, {0, 10, kSecond}}}},
      {"unknown style", 3, 0, 4, 10, 0, {}},
      {"gradient with no row shown", kStyleGradient, 0, 0, 10, 0, {}},
      {"no height", kStyleRelief, 0, 4, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Background bands =
        ResultsCellBackground(c.style, kFirst, kSecond, c.row, c.rowsShown, c.height);
    ASSERT_EQ(static_cast<int>(bands.size()), c.expectedBands);
    for (const auto& [index, band] : c.checked) EXPECT_EQ(bands[index], band) << index;
  }
}

TEST(BoardStyle, EqualColoursFillFlatInEveryStyle) {
  for (int32_t style : {0, 1, 2, 7}) {  // the three styles and one unknown
    SCOPED_TRACE(style);
    EXPECT_EQ(ResultsCellBackground(style, kFirst, kFirst, 1, 4, 12), Background({{0, 12, kFirst}}));
  }
  EXPECT_EQ(LabelBarBackground(kSecond, kSecond, 22), Background({{0, 22, kSecond}}));
  EXPECT_EQ(PositionCellBackground(kSecond, kSecond, 30),
            Background({{0, 30, Rgb(255, 255, 200)}}));
}

TEST(BoardStyle, LabelBarAndPositionCellGradients) {
  const Background bar = LabelBarBackground(kFirst, kSecond, 22);
  ASSERT_EQ(bar.size(), 22u);
  EXPECT_EQ(bar[0], (LineBand{0, 1, kFirst}));
  EXPECT_EQ(bar[11], (LineBand{11, 12, Rgb(150, 50, 50)}));

  // From white towards RGB(215, 215, 160), whatever the label colours are.
  const Background position = PositionCellBackground(kFirst, kSecond, 20);
  ASSERT_EQ(position.size(), 20u);
  EXPECT_EQ(position[0], (LineBand{0, 1, Rgb(255, 255, 255)}));
  EXPECT_EQ(position[10], (LineBand{10, 11, Rgb(235, 235, 207)}));
  EXPECT_EQ(position[19], (LineBand{19, 20, Rgb(217, 217, 165)}));
}

TEST(BoardStyle, WatermarkIsTheBackgroundTenDarker) {
  EXPECT_EQ(WatermarkColour(Rgb(5, 100, 255)), Rgb(0, 90, 245));
  EXPECT_EQ(WatermarkColour(Rgb(10, 9, 11)), Rgb(0, 0, 1));
}

}  // namespace
}  // namespace zd
