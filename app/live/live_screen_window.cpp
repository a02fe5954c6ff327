// The additional live screen's window: created by the main window, refreshed by it after every
// write of the live results file, and otherwise changed only by the user's controls.

#include <windows.h>

#include "files/settings.h"
#include "live/gdi_objects.h"
#include "live/live_screen_window.h"
#include "main/main_dialogs.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr const char* kTemplate = "SERIELIVEECRANADDITIONNEL";
constexpr const char* kDisplaySettingsMissing = "Error: Display settings file not found";

// What the window holds besides the screen's state.
struct ScreenWindow {
  int32_t* openFlag = nullptr;
  HBRUSH background = nullptr;
  HFONT controlFont = nullptr;
};
ScreenWindow& Window() {
  static ScreenWindow window;
  return window;
}

// The full size of the monitor nearest the window, not its work area.
void MonitorSize(HWND window, int32_t& W, int32_t& H) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return;
  W = info.rcMonitor.right - info.rcMonitor.left;
  H = info.rcMonitor.bottom - info.rcMonitor.top;
}

void Apply(HWND window, const LiveScreenState& s, const LiveScreenChange& change) {
  if (change.controlsMoved) {
    for (const LiveControlPlacement& c : LiveScreenControls(s.W))
      MoveWindow(GetDlgItem(window, c.id), c.place.left, c.place.top, c.place.width,
                 c.place.height, TRUE);
  }
  HWND bar = GetDlgItem(window, kLiveScrollBar);
  if (change.scrollBarLaidOut) {
    const ControlPlacementRect p = LiveScrollBarPlacement(s);
    MoveWindow(bar, p.left, p.top, p.width, p.height, TRUE);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMax = s.scrollRange;
    info.nPos = s.scrollPosition;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    ShowWindow(bar, s.scrollRange > 0 ? SW_SHOW : SW_HIDE);
  } else if (change.scrollPositionChanged) {
    SetScrollPos(bar, SB_CTL, s.scrollPosition, TRUE);
  }
  for (int i = 0; i < change.count; ++i) {
    const BoardRect& a = change.areas[i].area;
    const RECT r = {a.left, a.top, a.right, a.bottom};
    InvalidateRect(window, &r, change.areas[i].erase);
  }
}

LiveScrollRequest ScrollRequestOf(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP:
      return LiveScrollRequest::kLineUp;
    case SB_LINEDOWN:
      return LiveScrollRequest::kLineDown;
    case SB_PAGEUP:
      return LiveScrollRequest::kPageUp;
    case SB_PAGEDOWN:
      return LiveScrollRequest::kPageDown;
    case SB_THUMBPOSITION:
      return LiveScrollRequest::kThumbPosition;
    default:
      return LiveScrollRequest::kOther;
  }
}

void Initialise(HWND window, LPARAM parameter) {
  ScreenWindow& w = Window();
  LiveScreenState& s = LiveScreen();
  w.openFlag = reinterpret_cast<int32_t*>(parameter);
  if (w.openFlag) *w.openFlag = 1;
  if (!ReadDisplaySettingsLogo(kDisplaySettingsFile, s.logoPath))
    ShowMessage(window, kDisplaySettingsMissing, "Error", MB_OK);
  w.background = CreateSolidBrush(ToColorRef(kLiveBackground));
  int32_t W = s.W, H = s.H;
  MonitorSize(window, W, H);
  const LiveScreenChange change = OpenLiveScreen(s, W, H);
  CheckDlgButton(window, kLiveTwoTablesCheck, BST_UNCHECKED);
  w.controlFont = CreatePlainFont("Arial", 16);
  for (const LiveControlPlacement& c : LiveScreenControls(W))
    SendDlgItemMessageA(window, c.id, WM_SETFONT, reinterpret_cast<WPARAM>(w.controlFont), TRUE);
  Apply(window, s, change);
}

// The window goes, whoever destroys it: the main window must know it can no longer send to it.
void Destroyed() {
  ScreenWindow& w = Window();
  if (w.openFlag) *w.openFlag = 0;
  w.openFlag = nullptr;
  if (w.controlFont) DeleteObject(w.controlFont);
  if (w.background) DeleteObject(w.background);
  w.controlFont = nullptr;
  w.background = nullptr;
}

}  // namespace

LiveScreenState& LiveScreen() {
  static LiveScreenState state;
  return state;
}

INT_PTR CALLBACK LiveScreenDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LiveScreenState& s = LiveScreen();
  // The layout follows the monitor that holds the window at every message.
  if (message != WM_INITDIALOG) MonitorSize(window, s.W, s.H);
  switch (message) {
    case WM_INITDIALOG:
      Initialise(window, lParam);
      return FALSE;
    case WM_USER:
      Apply(window, s,
            RefreshLiveScreenFromFile(s, static_cast<int32_t>(wParam),
                                      static_cast<int32_t>(lParam), kLiveFilePath));
      SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kLiveZoomInButton:
          Apply(window, s, ZoomLiveScreen(s, true));
          break;
        case kLiveZoomOutButton:
          Apply(window, s, ZoomLiveScreen(s, false));
          break;
        case kLiveTwoTablesCheck:
          Apply(window, s,
                SetLiveTableMode(s, IsDlgButtonChecked(window, kLiveTwoTablesCheck) == BST_CHECKED));
          break;
        default:
          break;
      }
      SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kLiveScrollBar))
        Apply(window, s, ScrollLiveScreen(s, ScrollRequestOf(wParam), HIWORD(wParam)));
      return FALSE;
    case WM_MOVING:
      Apply(window, s, MoveLiveScreen(s, s.W, s.H));
      return FALSE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintLiveScreen(dc, s);
      EndPaint(window, &paint);
      return FALSE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(Window().background);
    case WM_CLOSE:
      DestroyWindow(window);
      return FALSE;
    case WM_DESTROY:
      Destroyed();
      return FALSE;
    default:
      return FALSE;
  }
}

HWND CreateLiveScreen(HWND owner, int32_t* openFlag) {
  return CreateDialogParamA(GetModuleHandleA(nullptr), kTemplate, owner, LiveScreenDialogProc,
                            reinterpret_cast<LPARAM>(openFlag));
}

}  // namespace zd
