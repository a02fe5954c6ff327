#include "main/race_alerts.h"

#include <array>
#include <string>

#include "main/main_window_model.h"

namespace zd {

namespace {

constexpr int kLargestFont = 16;
constexpr int kSmallestFont = 10;

// Arial of normal weight, made once for each height and kept for the program's life.
HFONT AlertFont(int height) {
  static std::array<HFONT, kLargestFont - kSmallestFont + 1> fonts{};
  HFONT& font = fonts[kLargestFont - height];
  if (font == nullptr) {
    font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  }
  return font;
}

// Whether the text, wrapped as the line wraps it, fits the line in that font.
bool Fits(HWND line, HFONT font, const std::string& text) {
  RECT client;
  GetClientRect(line, &client);
  HDC dc = GetDC(line);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT needed = {0, 0, client.right, 0};
  DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(line, dc);
  return needed.bottom <= client.bottom && needed.right <= client.right;
}

}  // namespace

void ShowRaceAlert(HWND window, std::string_view text) {
  HWND line = GetDlgItem(window, kRaceAlertLine);
  const std::string shown(text);
  // The line is placed from the screen size: on a small or scaled screen a long alert takes a
  // smaller font rather than lose its end.
  int height = kLargestFont;
  while (height > kSmallestFont && !Fits(line, AlertFont(height), shown)) --height;
  SendMessageA(line, WM_SETFONT, reinterpret_cast<WPARAM>(AlertFont(height)), FALSE);
  SetWindowTextA(line, shown.c_str());
}

}  // namespace zd
