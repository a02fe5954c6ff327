// The live board under the mouse: the sizing cursor over the column boundaries, the column drag,
// the clicks on the rows and the vertical scroll bar. The rules are the core's
// (board_interaction.h, board_clicks.h, results_edit.h); here are the messages and the controls.

#include <windows.h>
#include <windowsx.h>

#include "main/board.h"
#include "main/board_clicks.h"
#include "main/board_interaction.h"
#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/results_edit.h"

namespace zd {

namespace {

struct BoardMouseState {
  MousePoint last;  // LastMousePosition: of the last mouse move
  ColumnDrag drag;
};

BoardMouseState& Mouse() {
  static BoardMouseState mouse;
  return mouse;
}

bool CtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// The pack chosen in the "PackPuces" list, whose items are the packs in table order.
const TransponderPackRecord* SelectedPack(HWND window) {
  const LRESULT index = SendDlgItemMessageA(window, kTransponderPackList, CB_GETCURSEL, 0, 0);
  if (index < 0 || index >= kTransponderPacks) return nullptr;
  return &MainState().transponderPacks[static_cast<std::size_t>(index)];
}

void LeftButtonDown(HWND window, int32_t x, int32_t y) {
  MainWindowState& s = MainState();
  const CommandDesk desk = MainCommandDesk(window);
  UpdateBoardAfterClick(desk);
  BeginColumnDrag(Mouse().drag, ResizeBoundaries(s.layout.scale, s.display.widths), s.layout.scale,
                  Mouse().last, x);
  if (s.boardRows.rowsShown <= 0) return;

  const BoardEditing& editing = desk.editing;
  const bool clubAssignment =
      s.transponderMode == kTransponderClub && editing.clubAssignmentArmed == 1;
  const BoardClick click = LeftClickTarget(s.layout, s.boardRows, x, y, CtrlDown(),
                                           editing.resultsEditMode == 1, clubAssignment);
  switch (click.target) {
    case BoardClickTarget::ResultCell:
      CreateResultEditors(desk, s.layout, s.boardRows.rowHeight, click.screenRow, click.column);
      break;
    case BoardClickTarget::ClubTransponder:
      OpenClubTransponderBox(desk, s.layout, s.boardRows.rowHeight, click.screenRow,
                             SelectedPack(window));
      break;
    case BoardClickTarget::DriverResults:
      ShowDriverResults(desk, click.screenRow);
      break;
    case BoardClickTarget::None:
      break;
  }
}

void LeftButtonUp(HWND window, int32_t x) {
  MainWindowState& s = MainState();
  const std::optional<ColumnResize> resize = EndColumnDrag(
      Mouse().drag, s.layout.scale, Mouse().last, x, s.display.widths, s.layoutWidths);
  if (!resize) return;
  // No flag raised: the paint that follows draws the whole board with the new widths.
  s.dirty.Clear();
  UpdateBoardLayout(s);
  const RECT area = ToRect(resize->repaint);
  RedrawWindow(window, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
}

void RightButtonDown(HWND window, int32_t x, int32_t y) {
  MainWindowState& s = MainState();
  const CommandDesk desk = MainCommandDesk(window);
  UpdateBoardAfterClick(desk);
  if (s.boardRows.rowsShown <= 0) return;
  const std::optional<int32_t> row = PenaltyClickRow(s.layout, s.boardRows, x, y, CtrlDown());
  if (row) AssignPenalty(desk, *row);
}

}  // namespace

LRESULT BoardSetCursor(HWND, WPARAM, LPARAM) {
  const MainWindowState& s = MainState();
  const bool sizing =
      ShowsSizingCursor(Mouse().drag, ResizeBoundaries(s.layout.scale, s.display.widths),
                        s.layout.scale, Mouse().last);
  SetCursor(sizing ? s.sizeCursor : s.arrowCursor);
  return TRUE;
}

void BoardVerticalScroll(HWND window, WPARAM wparam, LPARAM lparam) {
  MainWindowState& s = MainState();
  HWND bar = reinterpret_cast<HWND>(lparam);
  if (bar == nullptr || bar != s.scrollBar) return;
  SCROLLINFO position = {};
  position.cbSize = sizeof position;
  position.fMask = SIF_POS;
  GetScrollInfo(bar, SB_CTL, &position);
  const int32_t previous = position.nPos;
  s.scroll.nPos = previous;
  s.scroll.nPos = ScrolledPosition(LOWORD(wparam), static_cast<int16_t>(HIWORD(wparam)), previous,
                                   s.scroll.nMin, s.scroll.nMax);
  position.nPos = s.scroll.nPos;
  SetScrollInfo(bar, SB_CTL, &position, TRUE);
  if (s.scroll.nPos == previous) return;
  UpdateBoardAfterScroll(MainCommandDesk(window), previous);
}

void BoardMouse(HWND window, UINT message, WPARAM, LPARAM lparam) {
  const int32_t x = GET_X_LPARAM(lparam);
  const int32_t y = GET_Y_LPARAM(lparam);
  switch (message) {
    case WM_MOUSEMOVE:
      Mouse().last = {x, y};
      break;
    case WM_LBUTTONDOWN:
      LeftButtonDown(window, x, y);
      break;
    case WM_LBUTTONUP:
      LeftButtonUp(window, x);
      break;
    case WM_RBUTTONDOWN:
      RightButtonDown(window, x, y);
      break;
  }
}

}  // namespace zd
