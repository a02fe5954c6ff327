#pragma once
// The painters of the live board and its row metrics. The main window's paint handler calls the
// painters in a fixed order (main/board_paint.h); each is handed the main window, a blank paint
// structure with which it begins and ends its own paint cycle on the window (the first painter
// of a paint message validates the update region), a copy of the display settings, then its own
// inputs. They draw through MainWindowDC (MainState().dc), so their drawing is not clipped to the
// update region, and release every object they create.
//
// W and H are the screen's size in pixels; rectangles are client pixels of BoardLayout. An
// argument marked & is the main window's own value.

#include <windows.h>

#include <cstdint>

#include "files/event_sections.h"
#include "files/live_file.h"
#include "files/settings.h"
#include "main/board_layout.h"
#include "main/board_paint.h"
#include "main/main_window_model.h"

namespace zd {

void PaintBoardHeader(HWND window, PAINTSTRUCT paint, DisplaySettings display,
                      BoardColumnWidths& widths, RECT boardArea, RECT columnHeaderBar, int32_t W,
                      int32_t H, int32_t nationFlag);
void PaintColumnHeaderBar(HWND window, PAINTSTRUCT paint, DisplaySettings display,
                          BoardColumnWidths& widths, RECT columnHeaderBar, int32_t W, int32_t H,
                          int32_t nationFlag);
void PaintSeriesTitle(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                      int32_t W, const char* seriesTitle);
void PaintClockPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel, int32_t W,
                     int32_t H, const char* duration, const char* elapsed, const char* remaining);
void PaintSecondsPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                       int32_t H, const char* countdown);
void PaintRestPanel(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT panel,
                    const RestPanelTexts& rest);
void PaintRadioConflictBanner(HWND window, PAINTSTRUCT paint, DisplaySettings display, RECT banner,
                              int32_t W, int32_t radioConflict);

// The position cell of row currentRow, from rows[currentRow + scroll.nPos].
void PaintPositionCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t& rowHeight,
                       int32_t& currentRow, RECT cell, SCROLLINFO& scroll, int32_t W, int32_t H,
                       const LiveRows& rows);

// The cells of columns 0 to 10; width is the column's layout width in design units.
using CellPainter = void (*)(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t width,
                             int32_t& rowHeight, int32_t& rowsShown, int32_t& currentRow, RECT cell,
                             SCROLLINFO& scroll, int32_t W, int32_t H, const LiveRows& rows);
void PaintNumberCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                     int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                     int32_t W, int32_t H, const LiveRows& rows);
void PaintDriverNameCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                         int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                         int32_t W, int32_t H, const LiveRows& rows);
void PaintCategoryCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                       int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                       int32_t W, int32_t H, const LiveRows& rows);
// Column 3 also takes the nation flag: nation code and flag in place of the club.
void PaintClubOrNationCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                           int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                           int32_t W, int32_t H, const LiveRows& rows, int32_t nationFlag);
void PaintLapsCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                   int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                   int32_t W, int32_t H, const LiveRows& rows);
void PaintTotalTimeCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                        int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                        int32_t W, int32_t H, const LiveRows& rows);
void PaintGapToLeaderCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                          int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                          int32_t W, int32_t H, const LiveRows& rows);
void PaintGapToPreviousCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                            int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                            int32_t W, int32_t H, const LiveRows& rows);
void PaintLastLapTimeCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                          int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                          int32_t W, int32_t H, const LiveRows& rows);
void PaintBestLapTimeCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                          int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                          int32_t W, int32_t H, const LiveRows& rows);
void PaintTransponderCell(HWND, PAINTSTRUCT, DisplaySettings, int32_t width, int32_t& rowHeight,
                          int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                          int32_t W, int32_t H, const LiveRows& rows);
// Column 11.
void PaintStatusCell(HWND window, PAINTSTRUCT paint, DisplaySettings display, int32_t& rowHeight,
                     int32_t& rowsShown, int32_t& currentRow, RECT cell, SCROLLINFO& scroll,
                     int32_t W, int32_t H, const LiveRows& rows, const PenaltyTable& penalties);

// Sets the row height (vertical design units), the rows that fit the board area below the
// table's top and the rows shown (at most rankingRows).
void ComputeBoardRowMetrics(HWND window, DisplaySettings display, int32_t& rowHeight,
                            int32_t& rowsThatFit, int32_t& rowsShown, RECT boardArea, RECT table,
                            SCROLLINFO& scroll, int32_t W, int32_t H, int32_t rankingRows);

// The only repaint request after a change of the board rows: compares each board row shown with
// its copy in shownRows (board row i shows rows[scroll.nPos + i]), copies the cells that differ,
// raises their flags and invalidates their rectangles without erasing, so that the next paint
// draws only those cells. Besides, the laps, total time, last lap and best lap cells of the
// row editRow - base and the transponder cell of the row clubTransponderRow - base are always
// repainted; base is the first row shown when the caller follows the scroll position or edits in
// place, 1000 (none) otherwise.
void RedrawChangedLiveCells(HWND window, const LiveRows& rows, LiveRows& shownRows,
                            const SCROLLINFO& scroll, int32_t base, CellDirtyFlags& flags,
                            const BoardLayout& layout, int32_t editRow,
                            int32_t clubTransponderRow, int32_t rowsShown, int32_t rowHeight);

}  // namespace zd
