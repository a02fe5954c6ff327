#include "main/dialog_grid.h"

#include <algorithm>

namespace zd {

void SpreadToPixelGrid(HWND dialog) {
  RECT unit = {0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const double sx = unit.right > 0 ? 8.0 / unit.right : 1.0;
  const double sy = unit.bottom > 0 ? 16.0 / unit.bottom : 1.0;
  if (sx <= 1.0 && sy <= 1.0) return;
  const double fx = std::max(sx, 1.0);
  const double fy = std::max(sy, 1.0);
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    char kind[16] = {};
    GetClassNameA(c, kind, sizeof kind);
    // A drop-down list's height is that of its open list.
    const int height = lstrcmpiA(kind, "ComboBox") == 0 ? 200
                                                          : static_cast<int>((r.bottom - r.top) * fy);
    MoveWindow(c, static_cast<int>(r.left * fx), static_cast<int>(r.top * fy),
               static_cast<int>((r.right - r.left) * fx), height, FALSE);
  }
  RECT window, client;
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  const int frameX = (window.right - window.left) - client.right;
  const int frameY = (window.bottom - window.top) - client.bottom;
  SetWindowPos(dialog, nullptr, 0, 0, static_cast<int>(client.right * fx) + frameX,
               static_cast<int>(client.bottom * fy) + frameY, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace zd
