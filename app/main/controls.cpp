#include "main/controls.h"

#include "main/main_window_model.h"

namespace zd {

namespace {

DWORD StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::BitmapButton:
      return BS_PUSHBUTTON | BS_BITMAP;
    case ControlKind::Label:
      return ES_READONLY | ES_CENTER;
    case ControlKind::GroupBox:
      return BS_GROUPBOX;
    case ControlKind::PushButton:
      return BS_PUSHBUTTON;
    case ControlKind::RadioFirst:
      return BS_AUTORADIOBUTTON | WS_GROUP;
    case ControlKind::Radio:
      return BS_AUTORADIOBUTTON;
    case ControlKind::DropDownList:
      return CBS_DROPDOWNLIST;
    case ControlKind::PushLikeCheck:
      return BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP;
    case ControlKind::StatusText:
      return ES_READONLY | WS_BORDER;
    case ControlKind::AlertLine:
      return SS_LEFT | SS_NOPREFIX;
  }
  return 0;
}

}  // namespace

HWND CreateMainWindowControls(HWND window, int32_t width, int32_t height) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  HWND last = nullptr;
  for (const ControlPlacement& c : MainWindowControls(width, height)) {
    last = CreateWindowExA(0, c.windowClass, c.text, WS_CHILD | WS_VISIBLE | StyleOf(c.kind),
                           c.left, c.top, c.width, c.height, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
  }
  return last;
}

}  // namespace zd
