#pragma once
// The live board drawn on a device context: what each painter of board_painters.h draws once it
// has begun its paint cycle, here on any context, so that the board can be drawn into memory as
// well as into the main window. W and H are the screen's size in pixels; rectangles are client
// pixels of BoardLayout.

#include <windows.h>

#include <cstdint>

#include "files/event_sections.h"
#include "files/live_file.h"
#include "files/settings.h"
#include "main/board_layout.h"
#include "main/main_window_model.h"

namespace zd {

// What every cell of a row needs besides its rectangle: board row `row` shows
// rows[firstRow + row] (firstRow is the scroll position).
struct BoardRowView {
  int32_t rowHeight = 0;  // vertical design units
  int32_t rowsShown = 0;
  int32_t row = 0;
  int32_t firstRow = 0;
  int32_t W = 0;
  int32_t H = 0;
};

// The logo, the board area with its watermark and frame, and the column-header bar.
void DrawBoardHeader(HDC dc, const DisplaySettings& display, const BoardColumnWidths& widths,
                     RECT boardArea, RECT columnHeaderBar, int32_t W, int32_t H,
                     int32_t nationFlag);
void DrawColumnHeaderBar(HDC dc, const DisplaySettings& display, const BoardColumnWidths& widths,
                         RECT columnHeaderBar, int32_t W, int32_t H, int32_t nationFlag);

void DrawSeriesTitle(HDC dc, const DisplaySettings& display, RECT panel, int32_t W,
                     const char* seriesTitle);
void DrawClockPanel(HDC dc, const DisplaySettings& display, RECT panel, int32_t W, int32_t H,
                    const char* duration, const char* elapsed, const char* remaining);
void DrawSecondsPanel(HDC dc, const DisplaySettings& display, RECT panel, int32_t H,
                      const char* countdown);
void DrawRestPanel(HDC dc, const DisplaySettings& display, RECT panel, const RestPanelTexts& rest);
void DrawRadioConflictBanner(HDC dc, const DisplaySettings& display, RECT banner, int32_t W,
                             int32_t radioConflict);

void DrawPositionCell(HDC dc, const DisplaySettings& display, const BoardRowView& view, RECT cell,
                      const LiveRows& rows);
// A cell of column 0 to 10 of the given layout width (design units); nationFlag matters to the
// club column only.
void DrawResultsCell(HDC dc, const DisplaySettings& display, int column, int32_t width,
                     const BoardRowView& view, RECT cell, const LiveRows& rows,
                     int32_t nationFlag);
void DrawStatusCell(HDC dc, const DisplaySettings& display, const BoardRowView& view, RECT cell,
                    const LiveRows& rows, const PenaltyTable& penalties);

// The row height in vertical design units: the tallest of the fonts of the columns "# Num" to
// "Dernier tour" as this context measures them, plus a fifth.
int32_t MeasureBoardRowHeight(HDC dc, const DisplaySettings& display, int32_t W);

}  // namespace zd
