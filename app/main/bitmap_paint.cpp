#include "main/bitmap_paint.h"

namespace zd {

namespace {

// The loader stretches the picture to width x height; 0 and 0 keep its own size.
void PaintLoadedBitmap(HWND window, const char* path, int x, int y, int width, int height) {
  HBITMAP bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_LOADFROMFILE));
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (bitmap && dc) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  EndPaint(window, &paint);
  if (bitmap) DeleteObject(bitmap);
}

}  // namespace

void PaintBitmapFile(HWND window, const char* path, int x, int y) {
  PaintLoadedBitmap(window, path, x, y, 0, 0);
}

void PaintBitmapFileSized(HWND window, const char* path, int x, int y, int width, int height) {
  PaintLoadedBitmap(window, path, x, y, width, height);
}

SIZE BitmapFileSize(const char* path) {
  SIZE size{};
  auto* bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) return size;
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) != 0) size = {info.bmWidth, info.bmHeight};
  DeleteObject(bitmap);
  return size;
}

}  // namespace zd
