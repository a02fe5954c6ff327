#include "gtest_win32.h"

#include <functional>
#include <string>
#include <vector>

#include "main/bitmap_paint.h"
#include "wait_for.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 24-bit bitmap file, red on its left half and blue on its right half.
std::string WriteTwoColourBitmap(int width, int height) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + "zd_bitmap_" + std::to_string(width) + "x" +
                           std::to_string(height) + ".bmp";
  const int stride = (width * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &pixels[static_cast<std::size_t>(y) * stride + x * 3];  // blue, green, red
      if (x < width / 2)
        p[2] = 255;
      else
        p[0] = 255;
    }
  }
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
  return path;
}

std::function<void(HWND)> g_paint;

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT && g_paint) {
    g_paint(window);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// A white window that paints with the helper under test, and the colours it then shows.
class BitmapPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PictureWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "zdBitmapPaintTest";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "zdBitmapPaintTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    g_paint = nullptr;
    DestroyWindow(window_);
  }

  void PaintWith(std::function<void(HWND)> paint, BOOL erase = TRUE) {
    g_paint = std::move(paint);
    InvalidateRect(window_, nullptr, erase);
    ASSERT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window_, nullptr, FALSE); }));
  }

  COLORREF At(int x, int y) {
    HDC dc = GetDC(window_);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return colour;
  }

  HWND window_ = nullptr;
};

TEST_F(BitmapPaintTest, DrawsAtItsOwnSizeOrStretched) {
  const std::string ownSize = WriteTwoColourBitmap(40, 30);
  PaintWith([&](HWND w) { zd::PaintBitmapFile(w, ownSize.c_str(), 5, 5); });
  EXPECT_EQ(At(5, 5), kRed);
  EXPECT_EQ(At(44, 34), kBlue);
  EXPECT_EQ(At(45, 20), kWhite);
  EXPECT_EQ(At(20, 35), kWhite);

  // 400 x 300 asked for at 200 x 150: half size, the two halves meeting at 100.
  const std::string halved = WriteTwoColourBitmap(400, 300);
  PaintWith([&](HWND w) { zd::PaintBitmapFileSized(w, halved.c_str(), 10, 10, 200, 150); });
  EXPECT_EQ(At(10 + 95, 10 + 75), kRed);
  EXPECT_EQ(At(10 + 105, 10 + 75), kBlue);
  EXPECT_EQ(At(10 + 199, 10 + 149), kBlue);
  EXPECT_EQ(At(10 + 200, 10 + 75), kWhite);
  EXPECT_EQ(At(10 + 100, 10 + 150), kWhite);
  DeleteFileA(ownSize.c_str());
  DeleteFileA(halved.c_str());
}

TEST_F(BitmapPaintTest, AMissingFileDrawsNothingAndStillEndsThePaint) {
  // The caller paints the window red, then asks for a picture that is not there.
  const auto paintRedThen = [](std::function<void(HWND)> helper) {
    return [helper](HWND w) {
      HDC dc = GetDC(w);
      RECT all = {0, 0, 300, 200};
      HBRUSH red = CreateSolidBrush(kRed);
      FillRect(dc, &all, red);
      DeleteObject(red);
      ReleaseDC(w, dc);
      helper(w);
    };
  };
  PaintWith(paintRedThen([](HWND w) { zd::PaintBitmapFile(w, "no such folder\\none.bmp", 5, 5); }),
            FALSE);
  EXPECT_EQ(At(5, 5), kRed);
  PaintWith(paintRedThen([](HWND w) { zd::PaintBitmapFileSized(w, "none.bmp", 5, 5, 100, 100); }),
            FALSE);
  EXPECT_EQ(At(50, 50), kRed);
}

}  // namespace
