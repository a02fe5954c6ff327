// Behind the rows of the live board: the logo above the event tree, the board area with its
// watermark and black frame, and the column-header bar with its titles.

#include "live/board_drawing.h"
#include "live/board_header.h"
#include "live/gdi_objects.h"
#include "live/picture_drawing.h"

namespace zd {

namespace {

void DrawLogo(HDC dc, const DisplaySettings& display) {
  const PreparedPicture logo =
      PreparePicture(display.logoPath.c_str(), kLogoBoxWidth, kLogoBoxHeight);
  if (!logo.picture) return;
  DrawBitmapFile(dc, logo.picture->path.c_str(), kLogoLeft, kLogoTop, logo.picture->size.cx,
                 logo.picture->size.cy);
}

void DrawBarBackground(HDC dc, const DisplaySettings& display, const RECT& bar) {
  FillBands(dc, bar,
            LabelBarBackground(display.colours[kColourLabelFirst],
                               display.colours[kColourLabelSecond], bar.bottom - bar.top));
}

// The bar's outline and column separators in the grid colour, then its titles.
void DrawBarGridAndTitles(HDC dc, const DisplaySettings& display, const BoardColumnWidths& widths,
                          const RECT& bar, int32_t W, int32_t H, int32_t nationFlag) {
  const int32_t grid = display.colours[kColourGrid];
  DrawSolidLine(dc, 2, grid, bar.left, bar.top, bar.right, bar.top);
  DrawSolidLine(dc, 2, grid, bar.left, bar.bottom, bar.right, bar.bottom);
  DrawSolidLine(dc, 2, grid, bar.left, bar.top - 1, bar.left, bar.bottom);
  DrawSolidLine(dc, 2, grid, bar.right, bar.top, bar.right, bar.bottom);
  for (int32_t x : ColumnBarSeparators(widths, bar.left, W))
    DrawSolidLine(dc, 1, grid, x, bar.top, x, bar.bottom);

  GdiObject font(CreateBoardFont(display.fonts[kFontTableLabel], W));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, ToColorRef(display.fontColours[kFontTableLabel]));
  SetBkMode(dc, TRANSPARENT);
  const int y = kColumnTitleTop * H / kDesignHeight;
  for (const ColumnTitle& title : ColumnBarTitles(widths, nationFlag, bar.left, W)) {
    if (title.shown) TextAt(dc, TopAlignFlags(title.place.align), title.place.x, y, title.text);
  }
}

}  // namespace

void DrawBoardHeader(HDC dc, const DisplaySettings& display, const BoardColumnWidths& widths,
                     RECT boardArea, RECT columnHeaderBar, int32_t W, int32_t H,
                     int32_t nationFlag) {
  DrawLogo(dc, display);
  const int32_t background = display.colours[kColourTableBackground];
  FillSolid(dc, boardArea, background);
  {
    GdiObject font(CreatePlainFont("Arial Black", (boardArea.right - boardArea.left) / 12));
    DcState state(dc);
    SelectObject(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(WatermarkColour(background)));
    const int middle = (boardArea.left + boardArea.right) / 2;
    TextAt(dc, TA_CENTER | TA_TOP, middle, 170 * H / kDesignHeight, kBoardWatermarkTitle);
    TextAt(dc, TA_CENTER | TA_TOP, middle, H / 3, kBoardWatermarkVersion);
  }
  DrawBarBackground(dc, display, columnHeaderBar);
  const RECT& a = boardArea;
  DrawSolidLine(dc, 2, 0, a.left, a.top + 1, a.right - 1, a.top + 1);
  DrawSolidLine(dc, 2, 0, a.left, a.bottom - 1, a.right - 1, a.bottom - 1);
  DrawSolidLine(dc, 2, 0, a.left, a.top + 1, a.left, a.bottom - 1);
  DrawSolidLine(dc, 2, 0, a.right - 1, a.top + 1, a.right - 1, a.bottom - 1);
  DrawBarGridAndTitles(dc, display, widths, columnHeaderBar, W, H, nationFlag);
}

void DrawColumnHeaderBar(HDC dc, const DisplaySettings& display, const BoardColumnWidths& widths,
                         RECT columnHeaderBar, int32_t W, int32_t H, int32_t nationFlag) {
  DrawBarBackground(dc, display, columnHeaderBar);
  DrawBarGridAndTitles(dc, display, widths, columnHeaderBar, W, H, nationFlag);
}

}  // namespace zd
