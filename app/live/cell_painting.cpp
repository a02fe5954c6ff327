// The cells of a live board row: the position cell in its own pale yellow, the eleven result
// cells in the table style with their column's font, and the status cell with its red marks.

#include <algorithm>

#include "live/board_cells.h"
#include "live/board_drawing.h"
#include "live/gdi_objects.h"

namespace zd {

namespace {

// The row a board row shows, or none when the scroll position points outside the table.
const LiveRow* ShownLiveRow(const BoardRowView& view, const LiveRows& rows) {
  const int64_t index = static_cast<int64_t>(view.firstRow) + view.row;
  return index >= 0 && index < kLiveRows ? &rows[index] : nullptr;
}

// Background by the table style, then the grid: 2-pixel lines along the top and the bottom,
// 1-pixel ones down both sides.
void DrawResultsBackgroundAndGrid(HDC dc, const DisplaySettings& display,
                                  const BoardRowView& view, const RECT& cell) {
  FillBands(dc, cell,
            ResultsCellBackground(display.style, display.colours[kColourResultsFirst],
                                  display.colours[kColourResultsSecond], view.row,
                                  view.rowsShown, cell.bottom - cell.top));
  const int32_t grid = display.colours[kColourGrid];
  DrawSolidLine(dc, 2, grid, cell.left, cell.top, cell.right, cell.top);
  DrawSolidLine(dc, 2, grid, cell.left, cell.bottom, cell.right, cell.bottom);
  DrawSolidLine(dc, 1, grid, cell.left, cell.top, cell.left, cell.bottom);
  DrawSolidLine(dc, 1, grid, cell.right, cell.top, cell.right, cell.bottom);
}

// The text on a box of the highlight colour, the rest of the cell left as it is.
void HighlightedTextAt(HDC dc, UINT align, int x, int y, const char* text, int32_t highlight) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, ToColorRef(highlight));
  TextAt(dc, align, x, y, text);
  SetBkMode(dc, TRANSPARENT);
}

}  // namespace

void DrawPositionCell(HDC dc, const DisplaySettings& display, const BoardRowView& view, RECT cell,
                      const LiveRows& rows) {
  FillBands(dc, cell,
            PositionCellBackground(display.colours[kColourLabelFirst],
                                   display.colours[kColourLabelSecond], cell.bottom - cell.top));
  const int32_t grid = display.colours[kColourGrid];
  DrawSolidLine(dc, 2, grid, cell.left, cell.top, cell.right, cell.top);
  DrawSolidLine(dc, 2, grid, cell.left, cell.bottom, cell.right, cell.bottom);
  DrawSolidLine(dc, 2, grid, cell.left, cell.top, cell.left, cell.bottom);
  DrawSolidLine(dc, 1, grid, cell.right, cell.top, cell.right, cell.bottom);

  const LiveRow* row = ShownLiveRow(view, rows);
  if (!row) return;
  GdiObject font(CreatePlainFont("Arial Black", 15 * view.W / kDesignWidth));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextAt(dc, TA_CENTER | TA_TOP, cell.left + view.W / 80,
         CellTextTop(cell.top, view.rowHeight, view.H), row->position.c_str());
}

void DrawResultsCell(HDC dc, const DisplaySettings& display, int column, int32_t width,
                     const BoardRowView& view, RECT cell, const LiveRows& rows,
                     int32_t nationFlag) {
  DrawResultsBackgroundAndGrid(dc, display, view, cell);
  const LiveRow* row = ShownLiveRow(view, rows);
  if (!row || column < 0 || column >= kBoardColumns || !CellTextShown(column, width, view.W))
    return;

  const int fontIndex = kFirstColumnFont + column;
  GdiObject font(CreateBoardFont(display.fonts[fontIndex], view.W));
  DcState state(dc);
  SelectObject(dc, font.get());
  SetTextColor(dc, ToColorRef(display.fontColours[fontIndex]));
  SetBkMode(dc, TRANSPARENT);
  const TextPlacement place = CellTextPlacement(column, width, cell.left, cell.right, view.W);
  const UINT align = TopAlignFlags(place.align);
  const int y = CellTextTop(cell.top, view.rowHeight, view.H);

  switch (column) {
    case kColumnNumber: {
      // An empty number still shows the highlight, four spaces wide.
      const char* number = row->carNumber.empty() ? "    " : row->carNumber.c_str();
      if (row->passed == 1)
        HighlightedTextAt(dc, align, place.x, y, number, display.colours[kColourPassing]);
      else
        TextAt(dc, align, place.x, y, number);
      break;
    }
    case kColumnClub:
      if (nationFlag == 0) {
        TextAt(dc, align, place.x, y, row->club.c_str());
      } else if (nationFlag == 1) {
        TextAt(dc, align, place.x, y, row->nationCode.c_str());
        const BoardRect flag = NationFlagBox(cell.left, y, view.rowHeight,
                                             display.fonts[fontIndex].height, view.W);
        if (flag.right > flag.left && flag.bottom > flag.top) {
          DrawBitmapFile(dc, NationFlagFile(*row).c_str(), flag.left, flag.top,
                         flag.right - flag.left, flag.bottom - flag.top);
        }
      }
      break;
    case kColumnBestLap:
      if (row->fastestLap == 1) {
        HighlightedTextAt(dc, align, place.x, y, row->bestLap.c_str(),
                          display.colours[kColourSeriesBestLap]);
      } else if (row->newBest == 1) {
        HighlightedTextAt(dc, align, place.x, y, row->bestLap.c_str(),
                          display.colours[kColourDriverBestLap]);
      } else {
        TextAt(dc, align, place.x, y, row->bestLap.c_str());
      }
      break;
    default: {
      const char* texts[kBoardColumns] = {
          nullptr,
          row->name.c_str(),
          row->category.c_str(),
          nullptr,
          row->laps.c_str(),
          row->totalTime.c_str(),
          row->gapToLeader.c_str(),
          row->gapToPrevious.c_str(),
          row->lastLap.c_str(),
          nullptr,
          row->transponder.c_str(),
      };
      TextAt(dc, align, place.x, y, texts[column]);
      break;
    }
  }
}

void DrawStatusCell(HDC dc, const DisplaySettings& display, const BoardRowView& view, RECT cell,
                    const LiveRows& rows, const PenaltyTable& penalties) {
  DrawResultsBackgroundAndGrid(dc, display, view, cell);
  const LiveRow* row = ShownLiveRow(view, rows);
  if (!row) return;
  const StatusMark mark = StatusCellMark(*row, penalties);
  const int y = CellTextTop(cell.top, view.rowHeight, view.H);
  if (mark.kind == StatusMark::kChequeredFlag) {
    DrawBitmapFile(dc, kChequeredFlagFile, cell.left + view.W / 320, y, view.W / 64, 16);
  } else if (mark.kind == StatusMark::kText) {
    GdiObject font(CreatePlainFont("Arial", 19 * view.W / kDesignWidth, 700));
    DcState state(dc);
    SelectObject(dc, font.get());
    SetTextColor(dc, RGB(255, 0, 0));
    HighlightedTextAt(dc, TA_CENTER | TA_TOP, cell.left + 18 * view.W / kDesignWidth, y,
                      mark.text.c_str(), RGB(255, 255, 255));
  }
}

int32_t MeasureBoardRowHeight(HDC dc, const DisplaySettings& display, int32_t W) {
  int32_t rowHeight = 0;
  for (int f = kFirstMeasuredFont; f <= kLastMeasuredFont; ++f) {
    const BoardFont& stored = display.fonts[f];
    GdiObject font(CreateFontA(ScaledFontHeight(W, stored.height), 0, 0, 0, stored.weight,
                               static_cast<BYTE>(stored.italic), 0, 0, 0, 0, 0, 0, 0,
                               stored.face.c_str()));
    const HGDIOBJ previous = SelectObject(dc, font.get());
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(dc, &metrics))
      rowHeight = std::max(rowHeight, RowHeightForTextHeight(metrics.tmHeight));
    SelectObject(dc, previous);
  }
  return rowHeight;
}

}  // namespace zd
