#pragma once
// The texts of the panels around the live board: where the clock panel's three texts end and in
// which colours, and the colour of the rest clock's text. The rectangles are BoardLayout's.

#include <array>
#include <cstdint>

#include "live/board_style.h"

namespace zd {

inline constexpr int32_t kPanelBlack = Rgb(0, 0, 0);
inline constexpr int32_t kPanelGreen = Rgb(0, 150, 0);
inline constexpr int32_t kPanelDarkRed = Rgb(150, 0, 0);

// One right-aligned text of the clock panel: its right end and its colour.
struct ClockTextPlace {
  int32_t right = 0;
  int32_t colour = 0;
};
enum ClockTextIndex { kClockDuration = 0, kClockRemaining = 1, kClockElapsed = 2 };
// Side by side from the panel's left: the series length in black, the remaining time in green,
// then the elapsed time in dark red.
std::array<ClockTextPlace, 3> ClockTextPlaces(int32_t panelLeft, int32_t W);
// The top of the clock texts.
int32_t ClockTextTop(int32_t panelTop, int32_t H);

inline constexpr const char* kRadioConflictText = " Conflit Radio ";

// Green before the next series may start, dark red once the rest is over, black otherwise.
int32_t RestTextColour(int32_t restState);

}  // namespace zd
