#pragma once
// Dialogs that paint in fixed client pixels: their templates are drawn for dialog units of 2 pixels
// each way (the system font of 8 x 16), as on Windows at 96 dpi. Where the system font is narrower
// (Wine's gives about 1.75 pixels a unit across), the controls and the window are spread to that
// grid at opening so that the painting fits between them; where it is as wide or wider (Windows,
// scaled screens) nothing moves.

#include <windows.h>

namespace zd {

void SpreadToPixelGrid(HWND dialog);

}  // namespace zd
