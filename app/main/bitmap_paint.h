#pragma once
// Drawing a bitmap file into a window while it handles its paint message. Each call begins and
// ends the paint itself, so it draws within the update region of the moment and validates it;
// callers invalidate the picture's area first when it changes. A file that cannot be loaded draws
// nothing.

#include <windows.h>

namespace zd {

// At the bitmap's own size, its top-left corner at (x, y) of the client area.
void PaintBitmapFile(HWND window, const char* path, int x, int y);
// Stretched to width x height at (x, y).
void PaintBitmapFileSized(HWND window, const char* path, int x, int y, int width, int height);
// The bitmap's own size, in pixels; zero when the file cannot be loaded.
SIZE BitmapFileSize(const char* path);

}  // namespace zd
