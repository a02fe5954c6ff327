// The panels around the live board. The clock, countdown and rest panels are filled before their
// texts are drawn; the series title and the radio conflict banner colour only their text's box,
// so an empty title or a cleared conflict leaves on screen what was there.

#include "live/board_drawing.h"
#include "live/board_panels.h"
#include "live/gdi_objects.h"

namespace zd {

void DrawSeriesTitle(HDC dc, const DisplaySettings& display, RECT panel, int32_t W,
                     const char* seriesTitle) {
  GdiObject font(CreateBoardFont(display.fonts[kFontSeriesTitle], W));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, ToColorRef(display.fontColours[kFontSeriesTitle]));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ToColorRef(display.colours[kColourSeriesTitle]));
  TextAt(dc, TA_LEFT | TA_TOP, panel.left + W / 320, panel.top, seriesTitle ? seriesTitle : "");
}

void DrawClockPanel(HDC dc, const DisplaySettings& display, RECT panel, int32_t W, int32_t H,
                    const char* duration, const char* elapsed, const char* remaining) {
  FillSolid(dc, panel, display.colours[kColourSoftwareBackground]);
  GdiObject font(CreatePlainFont("Arial Black", 35 * W / kDesignWidth));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  const auto texts = ClockTextPlaces(panel.left, W);
  const int y = ClockTextTop(panel.top, H);
  const char* values[3] = {};
  values[kClockDuration] = duration;
  values[kClockRemaining] = remaining;
  values[kClockElapsed] = elapsed;
  for (int i = 0; i < 3; ++i) {
    SetTextColor(dc, ToColorRef(texts[i].colour));
    TextAt(dc, TA_RIGHT | TA_TOP, texts[i].right, y, values[i] ? values[i] : "");
  }
}

void DrawSecondsPanel(HDC dc, const DisplaySettings& display, RECT panel, int32_t H,
                      const char* countdown) {
  FillSolid(dc, panel, display.colours[kColourSoftwareBackground]);
  GdiObject font(CreatePlainFont("Arial", 30));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextAt(dc, TA_RIGHT | TA_TOP, panel.right, panel.top + H / 90, countdown ? countdown : "");
}

void DrawRestPanel(HDC dc, const DisplaySettings& display, RECT panel, const RestPanelTexts& rest) {
  FillSolid(dc, panel, display.colours[kColourSoftwareBackground]);
  GdiObject font(CreatePlainFont("Arial Black", 18));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextAt(dc, TA_RIGHT | TA_TOP, panel.left + 42, panel.bottom - 20, rest.length.c_str());
  SetTextColor(dc, ToColorRef(RestTextColour(rest.over)));
  TextAt(dc, TA_RIGHT | TA_TOP, panel.left + 190, panel.bottom - 20, rest.state.c_str());
}

void DrawRadioConflictBanner(HDC dc, const DisplaySettings& display, RECT banner, int32_t W,
                             int32_t radioConflict) {
  GdiObject font(CreateBoardFont(display.fonts[kFontRadioConflict], W));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, ToColorRef(display.fontColours[kFontRadioConflict]));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ToColorRef(display.colours[kColourRadioConflict]));
  TextAt(dc, TA_CENTER | TA_BOTTOM, (banner.left + banner.right) / 2, banner.bottom - 1,
         radioConflict == 1 ? kRadioConflictText : "");
}

}  // namespace zd
