#pragma once
// A screen-sized picture in memory for the live board to be drawn on, and the colours it then
// holds. Include after gtest_win32.h.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "unix_shell.h"

namespace zd_test {

class BoardCanvas {
 public:
  BoardCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y at bits_[y * width]
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill({0, 0, width, height}, fill);
  }
  ~BoardCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  BoardCanvas(const BoardCanvas&) = delete;
  BoardCanvas& operator=(const BoardCanvas&) = delete;

  HDC dc() const { return dc_; }
  bool valid() const { return bits_ != nullptr; }

  void Fill(RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }

  COLORREF At(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  // The pixels of r (left and top included, right and bottom not) that satisfy the test.
  int Count(RECT r, const std::function<bool(COLORREF)>& test) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (test(At(x, y))) ++n;
    return n;
  }
  int Count(RECT r, COLORREF colour) const {
    return Count(r, [colour](COLORREF c) { return c == colour; });
  }

  // Copies what a window shows into the canvas, at the same place.
  void CopyFrom(HWND window) {
    HDC source = GetDC(window);
    BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
  }

  // Saves the picture as a PNG file (a Unix path): a bitmap file first, which ImageMagick turns
  // into a PNG (the bitmap's fourth byte is no alpha).
  bool SavePng(const std::string& png) const {
    GdiFlush();
    const std::string bmp = png + ".bmp";
    FILE* file = std::fopen(zd_test::WindowsPathOf(bmp).c_str(), "wb");
    if (!file) return false;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const uint32_t bytes = static_cast<uint32_t>(width_) * height_ * 4;
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + bytes;
    bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                   std::fwrite(&info, sizeof info, 1, file) == 1 &&
                   std::fwrite(bits_, bytes, 1, file) == 1;
    written = std::fclose(file) == 0 && written;
    written = written && zd_test::RunShell("convert " + zd_test::ShellQuoted(bmp) + " -alpha off " +
                                           zd_test::ShellQuoted(png));
    DeleteFileA(zd_test::WindowsPathOf(bmp).c_str());
    return written;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
};

inline COLORREF Colour(int32_t colour) { return static_cast<COLORREF>(colour); }

// Text drawn in black: anti-aliased glyphs have dark pixels of other greys too.
inline bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; }
inline bool Blackish(COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; }

}  // namespace zd_test
