#pragma once
// The main window's side of the live board: its layout for the screen of the moment, the paint
// handler that hands the flagged (or all) areas and cells to the painters, and the full refresh
// after a series is loaded.

#include <windows.h>

#include "main/board_layout.h"
#include "main/board_paint.h"
#include "main/main_window_state.h"

namespace zd {

inline RECT ToRect(const BoardRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The primary screen's size in pixels, read again for every message.
ScreenScale CurrentScreen();

// Recomputes MainState().layout from the screen, the layout widths and the row metrics.
void UpdateBoardLayout(MainWindowState& state);

// The paint message: a full or partial paint of the board, as the flags say.
void PaintMainWindowBoard(HWND window);

// RefreshBoard: lays the board out again for the loaded series (its row metrics, the scroll bar)
// and marks every part of it for the next paint, which draws the header, the panels but the rest
// panel, and every cell of the rows shown.
void RefreshBoard(HWND window);
// After a reload of the loaded series with new drivers: the row metrics again, the first row at
// the top (the scroll range as it was), the header, rows and panels repainted.
void ReloadBoard(HWND window);
// No series any more: no row, the scroll bar hidden, every area flagged and repainted.
void EmptyBoard(HWND window);
// The cells whose board row changed repainted: the one repaint after a passing, a start, a stop
// or a clear.
void RedrawChangedBoardCells(HWND window);
// Raises the area's flag and invalidates it without erasing.
void InvalidateBoardArea(HWND window, BoardArea area);

}  // namespace zd
