#include "gtest_win32.h"

#include <cstdlib>
#include <string>

#include "live/picture_drawing.h"
#include "main/data_folder.h"
#include "unix_shell.h"
#include "wait_for.h"

// The picture preview of a record, painted into a window with its empty picture frame as the
// database dialogs have it.

namespace {

constexpr int kFrameId = 3444;
constexpr int kBoxLeft = 20;
constexpr int kBoxTop = 20;
constexpr COLORREF kWhite = RGB(255, 255, 255);

const char* g_shownPath = "";

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT)
    zd::PaintPicturePreview(window, g_shownPath, kFrameId, kBoxLeft, kBoxTop, 210, 144);
  // As a dialog does: the paint message then goes on to the default processing.
  return DefWindowProcA(window, message, wparam, lparam);
}

class PicturePreview : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PreviewWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "zdPicturePreviewTest";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "zdPicturePreviewTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    frame_ = CreateWindowExA(0, "Button", "", WS_CHILD | BS_GROUPBOX, 10, 10, 230, 165, window_,
                             reinterpret_cast<HMENU>(kFrameId), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame_, nullptr);
    ASSERT_TRUE(zd_test::MakePicture("-size 100x50 xc:'#2050c0'", "Images\\zd_preview.jpg"));
  }
  void TearDown() override {
    DestroyWindow(window_);
    for (const char* file : {"Images\\zd_preview.jpg", "Images\\zd_unreadable.jpg",
                             "Images\\ConvertionJPEG.bmp"})
      DeleteFileA(file);
  }

  void PaintWith(const char* path) {
    g_shownPath = path;
    InvalidateRect(window_, nullptr, TRUE);
    ASSERT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window_, nullptr, FALSE); }));
  }

  COLORREF At(int x, int y) {
    HDC dc = GetDC(window_);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return colour;
  }
  static bool NearBlue(COLORREF c) {
    return std::abs(GetRValue(c) - 0x20) < 12 && std::abs(GetGValue(c) - 0x50) < 12 &&
           std::abs(GetBValue(c) - 0xC0) < 12;
  }

  HWND window_ = nullptr;
  HWND frame_ = nullptr;
};

TEST_F(PicturePreview, AJpegIsConvertedAndFittedTheFrameHidden) {
  // 100 x 50 in the 210 x 144 box: relatively wider, so 210 x 105.
  PaintWith("Images/zd_preview.jpg");
  EXPECT_FALSE(IsWindowVisible(frame_));
  EXPECT_TRUE(NearBlue(At(kBoxLeft, kBoxTop)));
  EXPECT_TRUE(NearBlue(At(kBoxLeft + 209, kBoxTop + 104)));
  EXPECT_EQ(At(kBoxLeft + 211, kBoxTop + 50), kWhite);
  EXPECT_EQ(At(kBoxLeft + 100, kBoxTop + 106), kWhite);
}

TEST_F(PicturePreview, NoPictureShowsTheEmptyFrame) {
  PaintWith("Images/zd_preview.jpg");
  ASSERT_TRUE(NearBlue(At(kBoxLeft + 50, kBoxTop + 50)));

  // A JPEG that cannot be converted shows the empty frame, never the bitmap converted before.
  HANDLE file = CreateFileA("Images\\zd_unreadable.jpg", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "not a picture", 13, &written, nullptr);
  CloseHandle(file);
  struct Case {
    const char* path;
    bool frame;
  };
  for (const Case& c : {Case{"", true}, Case{"Images\\zd_unreadable.jpg", true},
                        Case{"Images\\zd_missing.bmp", false}}) {
    SCOPED_TRACE(c.path);
    PaintWith(c.path);
    EXPECT_EQ(IsWindowVisible(frame_) != 0, c.frame);
    EXPECT_EQ(At(kBoxLeft + 50, kBoxTop + 50), kWhite);
  }
}

}  // namespace
