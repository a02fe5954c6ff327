#include "live/gdi_objects.h"

#include <cstring>

#include "live/board_cells.h"

namespace zd {

HFONT CreateBoardFont(const BoardFont& font, int32_t W) {
  return CreateFontA(ScaledFontHeight(W, font.height), 0, 0, 0, font.weight,
                     static_cast<BYTE>(font.italic), static_cast<BYTE>(font.underline),
                     static_cast<BYTE>(font.strikeOut), 0, 0, 0, 0, 0, font.face.c_str());
}

HFONT CreatePlainFont(const char* face, int32_t height, int32_t weight) {
  return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

void FillSolid(HDC dc, const RECT& rect, int32_t colour) {
  GdiObject brush(CreateSolidBrush(ToColorRef(colour)));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void FillBands(HDC dc, const RECT& rect, const Background& bands) {
  for (const LineBand& band : bands)
    FillSolid(dc, {rect.left, rect.top + band.from, rect.right, rect.top + band.to}, band.colour);
}

void DrawSolidLine(HDC dc, int width, int32_t colour, int x1, int y1, int x2, int y2) {
  GdiObject pen(CreatePen(PS_SOLID, width, ToColorRef(colour)));
  const HGDIOBJ previous = SelectObject(dc, pen.get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, previous);
}

UINT AlignFlags(TextAlign align, UINT vertical) {
  switch (align) {
    case TextAlign::kCentre:
      return TA_CENTER | vertical;
    case TextAlign::kRight:
      return TA_RIGHT | vertical;
    default:
      return TA_LEFT | vertical;
  }
}

void TextAt(HDC dc, UINT align, int x, int y, const char* text) {
  SetTextAlign(dc, align);
  TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

void DrawBitmapFile(HDC dc, const char* path, int x, int y, int width, int height) {
  GdiObject bitmap(LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_LOADFROMFILE));
  DrawBitmap(dc, bitmap.get(), x, y);
}

void DrawBitmap(HDC dc, HGDIOBJ bitmap, int x, int y) {
  if (!bitmap) return;
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  HDC memory = CreateCompatibleDC(dc);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace zd
