#include "live/board_panels.h"

#include "main/board_layout.h"

namespace zd {

std::array<ClockTextPlace, 3> ClockTextPlaces(int32_t panelLeft, int32_t W) {
  std::array<ClockTextPlace, 3> texts;
  texts[kClockDuration] = {panelLeft + 140 * W / kDesignWidth, kPanelBlack};
  texts[kClockRemaining] = {panelLeft + 280 * W / kDesignWidth, kPanelGreen};
  texts[kClockElapsed] = {panelLeft + 420 * W / kDesignWidth, kPanelDarkRed};
  return texts;
}

int32_t ClockTextTop(int32_t panelTop, int32_t H) { return panelTop + H / 180; }

int32_t RestTextColour(int32_t restState) {
  switch (restState) {
    case 0:
      return kPanelGreen;
    case 1:
      return kPanelDarkRed;
    default:
      return kPanelBlack;
  }
}

}  // namespace zd
