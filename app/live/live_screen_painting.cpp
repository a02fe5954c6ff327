// The additional live screen drawn on any device context: fonts, colours and columns of its own,
// scaled to the monitor and zoomed; nothing is kept from one paint to the next.

#include <array>

#include "live/gdi_objects.h"
#include "live/live_screen_window.h"
#include "live/picture_drawing.h"

namespace zd {

namespace {

RECT ToRect(const BoardRect& r) { return {r.left, r.top, r.right, r.bottom}; }

HFONT CreateScreenFont(int32_t height, int32_t weight, bool italic = false,
                       bool underline = false) {
  return CreateFontA(height, 0, 0, 0, weight, italic, underline, 0, 0, 0, 0, 0, 0, "Arial");
}

// The fonts of one paint.
struct ScreenFonts {
  explicit ScreenFonts(const LiveScreenFonts& h)
      : title(CreateScreenFont(h.title, 700)),
        titleUnderlined(CreateScreenFont(h.title, 700, false, true)),
        badge(CreateScreenFont(h.badge, 600, true)),
        normal(CreateScreenFont(h.normalCell, 0)),
        bold(CreateScreenFont(h.boldCell, 700)),
        statusError(CreateScreenFont(h.statusError, 0)) {}
  GdiObject title, titleUnderlined, badge, normal, bold, statusError;
};

// The nation flags of one paint: each country's file is loaded once, however many of its cars
// show, and every flag is deleted when the paint ends.
class NationFlags {
 public:
  explicit NationFlags(PictureSize size) : size_(size) {}
  ~NationFlags() {
    for (int i = 0; i < count_; ++i)
      if (flags_[i].bitmap) DeleteObject(flags_[i].bitmap);
  }
  NationFlags(const NationFlags&) = delete;
  NationFlags& operator=(const NationFlags&) = delete;

  // Nothing when the file cannot be loaded.
  HGDIOBJ of(const LiveRow& row) {
    for (int i = 0; i < count_; ++i)
      if (flags_[i].code == row.nationCode) return flags_[i].bitmap;
    HGDIOBJ bitmap = LoadImageA(nullptr, NationFlagFile(row).c_str(), IMAGE_BITMAP, size_.cx,
                                size_.cy, LR_LOADFROMFILE);
    if (count_ < kLiveRows) flags_[count_++] = {row.nationCode, bitmap};
    return bitmap;
  }

 private:
  struct Flag {
    FixedText<5> code;
    HGDIOBJ bitmap = nullptr;
  };
  PictureSize size_;
  std::array<Flag, kLiveRows> flags_;
  int count_ = 0;
};

struct TableView {
  LiveTable table;
  int32_t left;
  ShownRows rows;
};

const char* CellText(const LiveRow& row, LiveCellField field, int32_t nationFlag) {
  switch (field) {
    case LiveCellField::kPosition:
      return row.position.c_str();
    case LiveCellField::kCarNumber:
      return row.carNumber.c_str();
    case LiveCellField::kName:
      return row.name.c_str();
    case LiveCellField::kCategory:
      return row.category.c_str();
    case LiveCellField::kClubOrNation:
      return nationFlag == 1 ? row.nationCode.c_str() : row.club.c_str();
    case LiveCellField::kLaps:
      return row.laps.c_str();
    case LiveCellField::kTotalTime:
      return row.totalTime.c_str();
    case LiveCellField::kGapToLeader:
      return row.gapToLeader.c_str();
    case LiveCellField::kGapToPrevious:
      return row.gapToPrevious.c_str();
    case LiveCellField::kLastLap:
      return row.lastLap.c_str();
    case LiveCellField::kBestLap:
      return row.bestLap.c_str();
    case LiveCellField::kFinishMark:
      break;
  }
  return "";
}

void DrawLogo(HDC dc, const LiveScreenState& s, const LiveScreenLayout& layout) {
  const PreparedPicture logo =
      PreparePicture(s.logoPath.c_str(), kLiveLogoBox.cx, kLiveLogoBox.cy);
  if (!logo.picture) return;
  DrawBitmapFile(dc, logo.picture->path.c_str(), layout.titleBand.left, layout.titleBand.top,
                 logo.picture->size.cx, logo.picture->size.cy);
}

void DrawTableBackground(HDC dc, const LiveScreenState& s, const TableView& t, int32_t width) {
  const int32_t right = LiveTableX(s, t.left, width);
  FillSolid(dc, {t.left, LiveLabelBarTop(s), right, LiveLabelBarBottom(s)}, kLiveLabelBar);
  for (int32_t slot = 0; slot < t.rows.count; ++slot)
    FillSolid(dc, {t.left, LiveSlotTop(s, slot), right, LiveSlotBottom(s, slot)},
              LiveSlotColour(s, t.table, slot));
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// The grid pen is selected.
void DrawTableGrid(HDC dc, const LiveScreenState& s, const TableView& t,
                   const LiveTableColumns& columns) {
  const int32_t right = LiveTableX(s, t.left, columns.width);
  const int32_t top = LiveLabelBarTop(s);
  const int32_t barBottom = LiveLabelBarBottom(s);
  Line(dc, t.left, top, right, top);
  Line(dc, t.left, barBottom, right, barBottom);
  for (int32_t slot = 0; slot < t.rows.count; ++slot) {
    const int32_t y = LiveSlotBottom(s, slot);
    Line(dc, t.left, y, right, y);
  }
  const int32_t last = t.rows.count > 0 ? LiveSlotBottom(s, t.rows.count - 1) : barBottom;
  for (int c = 1; c < columns.count; ++c) {
    const int32_t x = LiveTableX(s, t.left, columns.columns[c].from);
    Line(dc, x, top, x, barBottom);
    if (last > barBottom) Line(dc, x, barBottom, x, last);
  }
}

void DrawTitleBand(HDC dc, const LiveScreenState& s, const LiveScreenLayout& layout,
                   const ScreenFonts& fonts) {
  const LiveTitleBandPlaces p = LiveTitleBand(s, layout);
  const LiveStatus status = LiveScreenStatus(s);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  if (status.text[0] != '\0') {
    SelectObject(dc, status.error ? fonts.statusError.get() : fonts.title.get());
    if (status.error) SetTextColor(dc, ToColorRef(kLiveElapsed));
    TextAt(dc, TA_CENTER | TA_TOP, p.statusCentre, p.statusTop, status.text);
    SetTextColor(dc, 0);
  }
  SelectObject(dc, fonts.title.get());
  TextAt(dc, TA_LEFT | TA_TOP, p.seriesTitleLeft, p.seriesTitleTop, s.header.seriesTitle.c_str());
  const LiveClockTexts& clock = s.header.clock;
  TextAt(dc, TA_RIGHT | TA_TOP, p.clockRight[0], p.clockTop, clock.duration.c_str());
  SetTextColor(dc, ToColorRef(kLiveRemaining));
  TextAt(dc, TA_RIGHT | TA_TOP, p.clockRight[1], p.clockTop, clock.remaining.c_str());
  SetTextColor(dc, ToColorRef(kLiveElapsed));
  TextAt(dc, TA_RIGHT | TA_TOP, p.clockRight[2], p.clockTop, clock.elapsed.c_str());
  SetTextColor(dc, 0);
  SelectObject(dc, fonts.titleUnderlined.get());
  TextAt(dc, TA_LEFT | TA_TOP, p.seriesLabelLeft, p.seriesTitleTop, kLiveSeriesLabel);
  if (status.badge) {
    SelectObject(dc, fonts.badge.get());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(kLiveRed));
    SetTextColor(dc, ToColorRef(kLiveWhite));
    TextAt(dc, TA_RIGHT | TA_TOP, p.badgeRight, p.badgeTop, kLiveBadge);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
  }
}

void DrawLabels(HDC dc, const LiveScreenState& s, const TableView& t,
                const LiveTableColumns& columns) {
  const int32_t y = LiveLabelTop(s);
  for (int c = 0; c < columns.count; ++c) {
    const LiveScreenColumn& col = columns.columns[c];
    const char* label =
        col.field == LiveCellField::kClubOrNation ? LiveClubLabel(s.header.nationFlag) : col.label;
    TextAt(dc, AlignFlags(col.align, TA_TOP), LiveTableX(s, t.left, col.anchor), y, label);
  }
}

// The texts of one font's columns, and the pictures that go with them.
void DrawCells(HDC dc, const LiveScreenState& s, const TableView& t,
               const LiveTableColumns& columns, bool bold, HGDIOBJ chequeredFlag,
               NationFlags& nationFlags) {
  for (int32_t slot = 0; slot < t.rows.count; ++slot) {
    const LiveRow& row = s.rows[t.rows.first + slot];
    const int32_t bottom = LiveSlotY(s, slot, kLiveTextBottom);
    const int32_t imageTop = LiveSlotY(s, slot, kLiveImageTop);
    for (int c = 0; c < columns.count; ++c) {
      const LiveScreenColumn& col = columns.columns[c];
      if (col.bold != bold) continue;
      if (col.field == LiveCellField::kFinishMark) {
        if (row.finished != 1) continue;
        if (row.status == 1) {
          SetBkMode(dc, OPAQUE);
          SetBkColor(dc, ToColorRef(kLiveWhite));
          SetTextColor(dc, ToColorRef(kLiveRed));
          TextAt(dc, TA_CENTER | TA_BOTTOM, LiveTableX(s, t.left, col.markAnchor), bottom,
                 kLiveAbandonmentMark);
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, 0);
        } else {
          DrawBitmap(dc, chequeredFlag, LiveTableX(s, t.left, col.imageAt), imageTop);
        }
        continue;
      }
      TextAt(dc, AlignFlags(col.align, TA_BOTTOM), LiveTableX(s, t.left, col.anchor), bottom,
             CellText(row, col.field, s.header.nationFlag));
      if (col.field == LiveCellField::kClubOrNation && s.header.nationFlag == 1 &&
          s.tableMode != 2) {
        DrawBitmap(dc, nationFlags.of(row), LiveTableX(s, t.left, col.imageAt), imageTop);
      }
    }
  }
}

}  // namespace

void PaintLiveScreen(HDC dc, const LiveScreenState& s) {
  const LiveScreenLayout layout = ComputeLiveScreenLayout(s.W, s.H, s.zoom);
  DrawLogo(dc, s, layout);
  for (int box = 0; box < 3; ++box) FillSolid(dc, ToRect(LiveClockBox(s, layout, box)), kLiveClockBox);

  const LiveTableColumns columns = LiveColumnsOf(s.tableMode);
  std::array<TableView, 2> tables;
  int tableCount = 0;
  if (s.tableMode == 2) {
    for (LiveTable table : {LiveTable::kLeft, LiveTable::kRight})
      tables[tableCount++] = {table, LiveTableLeft(s, table), RowsOfTable(s, table)};
  } else {
    tables[tableCount++] = {LiveTable::kSingle, LiveTableLeft(s, LiveTable::kSingle),
                            RowsOfTable(s, LiveTable::kSingle)};
  }
  for (int i = 0; i < tableCount; ++i) DrawTableBackground(dc, s, tables[i], columns.width);

  ScreenFonts fonts(LiveFontHeights(s));
  const PictureSize flagSize = LiveImageSize(s, kLiveChequeredFlag.cx, kLiveChequeredFlag.cy);
  GdiObject chequeredFlag(LoadImageA(nullptr, kChequeredFlagFile, IMAGE_BITMAP, flagSize.cx,
                                     flagSize.cy, LR_LOADFROMFILE));
  NationFlags nationFlags(LiveImageSize(s, kLiveNationFlag.cx, kLiveNationFlag.cy));
  GdiObject gridPen(CreatePen(PS_SOLID, 2, ToColorRef(kLiveGrid)));
  DcState state(dc);
  SelectObject(dc, gridPen.get());
  for (int i = 0; i < tableCount; ++i) DrawTableGrid(dc, s, tables[i], columns);

  DrawTitleBand(dc, s, layout, fonts);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  SelectObject(dc, fonts.normal.get());
  for (int i = 0; i < tableCount; ++i) DrawLabels(dc, s, tables[i], columns);
  for (int i = 0; i < tableCount; ++i)
    DrawCells(dc, s, tables[i], columns, false, chequeredFlag.get(), nationFlags);
  SelectObject(dc, fonts.bold.get());
  for (int i = 0; i < tableCount; ++i)
    DrawCells(dc, s, tables[i], columns, true, chequeredFlag.get(), nationFlags);
}

}  // namespace zd
