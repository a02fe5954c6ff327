#include "main/menus.h"

#include <string>

#include "main/main_window_model.h"

namespace zd {

namespace {

// A menu shows an item's pictures in its check-mark box and crops anything larger, so each
// picture is shrunk into that box whole, keeping its proportions, on the menu's colour.
HBITMAP MenuPicture(HINSTANCE instance, int32_t id) {
  HBITMAP source = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
  if (!source) return nullptr;
  BITMAP info = {};
  GetObjectA(source, sizeof info, &info);
  const int box = GetSystemMetrics(SM_CXMENUCHECK);
  const int boxHeight = GetSystemMetrics(SM_CYMENUCHECK);
  if (info.bmWidth <= 0 || info.bmHeight <= 0 || box <= 0 || boxHeight <= 0) return source;
  int width = box;
  int height = info.bmHeight * box / info.bmWidth;
  if (height > boxHeight) {
    height = boxHeight;
    width = info.bmWidth * boxHeight / info.bmHeight;
  }

  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, box, boxHeight);
  HGDIOBJ oldFrom = SelectObject(from, source);
  HGDIOBJ oldTo = SelectObject(to, picture);
  RECT all = {0, 0, box, boxHeight};
  FillRect(to, &all, GetSysColorBrush(COLOR_MENU));
  SetStretchBltMode(to, HALFTONE);
  StretchBlt(to, (box - width) / 2, (boxHeight - height) / 2, width, height, from, 0, 0,
             info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  DeleteObject(source);
  return picture;
}

HMENU BuildPopup(HINSTANCE instance, std::span<const MenuItemModel> items) {
  HMENU popup = CreatePopupMenu();
  for (const MenuItemModel& item : items) {
    if (item.command == 0) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::string caption(item.caption);
    AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(item.command), caption.c_str());
    if (item.bitmap != 0) {
      // No item is ever checked: the item's own picture is the one shown.
      SetMenuItemBitmaps(popup, static_cast<UINT>(item.command), MF_BYCOMMAND,
                         MenuPicture(instance, item.bitmap),
                         MenuPicture(instance, kMenuCheckedBitmap));
    }
  }
  return popup;
}

void SetCaption(HMENU menu, UINT item, BOOL byPosition, std::string_view caption) {
  std::string text(caption);
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;  // the text only: submenus and pictures stay
  info.dwTypeData = text.data();
  SetMenuItemInfoA(menu, item, byPosition, &info);
}

}  // namespace

MainMenus BuildMenus(HINSTANCE instance) {
  MainMenus menus;
  const auto bar = MainMenuBar();
  for (std::size_t p = 0; p < bar.size(); ++p) menus.popups[p] = BuildPopup(instance, bar[p].items);
  menus.bar = CreateMenu();
  for (std::size_t p = 0; p < bar.size(); ++p) {
    const std::string caption(bar[p].caption);
    AppendMenuA(menus.bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menus.popups[p]),
                caption.c_str());
  }

  menus.resultsEdit = BuildPopup(instance, ResultsEditSubmenu().items);
  menus.results = CreatePopupMenu();
  const std::string editCaption(ResultsEditSubmenu().caption);
  AppendMenuA(menus.results, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menus.resultsEdit),
              editCaption.c_str());
  for (const MenuItemModel& item : ResultsPopupMenuItems()) {
    const std::string caption(item.caption);
    AppendMenuA(menus.results, MF_STRING, static_cast<UINT_PTR>(item.command), caption.c_str());
  }

  const auto treeMenus = TreeContextMenus();
  for (int m = 0; m < kTreeContextMenus; ++m)
    menus.treeContext[m] = BuildPopup(instance, treeMenus[m]);
  return menus;
}

void TranslateMenus(HWND window, const MainMenus& menus, std::span<const TranslationRow> table,
                    int32_t language) {
  const auto bar = MainMenuBar();
  for (std::size_t p = 0; p < bar.size(); ++p) {
    if (bar[p].row >= 0) {
      SetCaption(menus.bar, static_cast<UINT>(p), TRUE,
                 MenuCaption(table, bar[p].row, language, bar[p].caption));
    }
    for (const MenuItemModel& item : bar[p].items) {
      if (item.command == 0 || item.row < 0) continue;
      SetCaption(menus.bar, static_cast<UINT>(item.command), FALSE,
                 MenuCaption(table, item.row, language, item.caption));
    }
  }
  if (window) DrawMenuBar(window);
}

}  // namespace zd
