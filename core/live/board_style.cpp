#include "live/board_style.h"

#include <algorithm>

#include "files/settings.h"

namespace zd {

namespace {

int32_t Channel(int32_t colour, int shift) { return (colour >> shift) & 0xFF; }

// One band per pixel line i of [from, height), each coloured by step i of `steps`.
void AddGradientLines(Background& bands, int32_t first, int32_t second, int32_t from,
                      int32_t height, int32_t stepBase, int32_t steps) {
  for (int32_t i = from; i < height; ++i)
    bands.push_back({i, i + 1, GradientColour(first, second, stepBase + i, steps)});
}

}  // namespace

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t multiplicand = a;
  int64_t divisor = c;
  if (divisor < 0) {
    multiplicand = -multiplicand;
    divisor = -divisor;
  }
  const int64_t product = multiplicand * b;
  const int64_t result =
      product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
  if (result > 2147483647 || result < -2147483647) return -1;
  return static_cast<int32_t>(result);
}

int32_t GradientColour(int32_t first, int32_t second, int32_t step, int32_t steps) {
  int32_t colour = 0;
  for (int shift : {0, 8, 16}) {
    const int32_t f = Channel(first, shift);
    const int32_t value = (f - MulDivRounded(step, f - Channel(second, shift), steps)) & 0xFF;
    colour |= value << shift;
  }
  return colour;
}

Background ResultsCellBackground(int32_t style, int32_t first, int32_t second, int32_t row,
                                 int32_t rowsShown, int32_t height) {
  Background bands;
  if (height <= 0) return bands;
  if (first == second) {
    bands.push_back({0, height, first});
    return bands;
  }
  switch (style) {
    case kStyleRelief:
      AddGradientLines(bands, first, second, 0, height, 0, height);
      break;
    case kStyleAlternate:
      bands.push_back({0, height, row % 2 != 0 ? second : first});
      break;
    case kStyleGradient: {
      const int64_t steps = static_cast<int64_t>(height) * rowsShown;
      if (steps <= 0 || steps > 2147483647) break;
      AddGradientLines(bands, first, second, 1, height, row * height,
                       static_cast<int32_t>(steps));
      break;
    }
    default:
      break;
  }
  return bands;
}

Background LabelBarBackground(int32_t first, int32_t second, int32_t height) {
  Background bands;
  if (height <= 0) return bands;
  if (first == second)
    bands.push_back({0, height, first});
  else
    AddGradientLines(bands, first, second, 0, height, 0, height);
  return bands;
}

Background PositionCellBackground(int32_t labelFirst, int32_t labelSecond, int32_t height) {
  Background bands;
  if (height <= 0) return bands;
  if (labelFirst == labelSecond) {
    bands.push_back({0, height, Rgb(255, 255, 200)});
    return bands;
  }
  for (int32_t i = 0; i < height; ++i) {
    const int32_t redGreen = 255 - MulDivRounded(i, 40, height);
    bands.push_back({i, i + 1, Rgb(redGreen, redGreen, 255 - MulDivRounded(i, 95, height))});
  }
  return bands;
}

int32_t WatermarkColour(int32_t tableBackground) {
  const auto darker = [&](int shift) { return std::max(Channel(tableBackground, shift) - 10, 0); };
  return Rgb(darker(0), darker(8), darker(16));
}

}  // namespace zd
