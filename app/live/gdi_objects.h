#pragma once
// The live board's painters create every font, pen and brush for one call and leave the device
// context as they found it: these hold an object for the length of a scope, and the context's
// state (selected objects, text colour and alignment, background mode) likewise.

#include <windows.h>

#include <cstdint>

#include "files/settings.h"
#include "live/board_cells.h"
#include "live/board_style.h"

namespace zd {

// Deletes the object at the end of the scope. Declare it before the DcState that selects it, so
// that the context lets go of it first.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  ~GdiObject() {
    if (object_) DeleteObject(object_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return object_; }

 private:
  HGDIOBJ object_;
};

// Saves the context's state and restores it at the end of the scope.
class DcState {
 public:
  explicit DcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  DcState(const DcState&) = delete;
  DcState& operator=(const DcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

inline COLORREF ToColorRef(int32_t colour) { return static_cast<COLORREF>(colour); }

// A font of the display settings, its height scaled to the screen width.
HFONT CreateBoardFont(const BoardFont& font, int32_t W);
// A font of the program's own: face, height in pixels and weight, every other field 0.
HFONT CreatePlainFont(const char* face, int32_t height, int32_t weight = 0);

void FillSolid(HDC dc, const RECT& rect, int32_t colour);
// Each band across the rectangle's width, from its top, with a brush of its own.
void FillBands(HDC dc, const RECT& rect, const Background& bands);
// A solid line drawn with a pen of the given width.
void DrawSolidLine(HDC dc, int width, int32_t colour, int x1, int y1, int x2, int y2);
// A placement's alignment as text-align flags, with the vertical flag (TA_TOP, TA_BOTTOM...).
UINT AlignFlags(TextAlign align, UINT vertical);
// The text hanging from its y.
inline UINT TopAlignFlags(TextAlign align) { return AlignFlags(align, TA_TOP); }
// One text-out of the whole text, with the given alignment flags (TA_*).
void TextAt(HDC dc, UINT align, int x, int y, const char* text);
// A bitmap file loaded at width x height (0 and 0: its own size) and drawn with its top-left
// corner at (x, y); a file that cannot be loaded draws nothing.
void DrawBitmapFile(HDC dc, const char* path, int x, int y, int width, int height);
// A bitmap already loaded, drawn at its own size with its top-left corner at (x, y).
void DrawBitmap(HDC dc, HGDIOBJ bitmap, int x, int y);

}  // namespace zd
