#include "live/live_screen.h"

#include <algorithm>

#include "main/live_series.h"

namespace zd {

namespace {

// W * a / 1600 and H * b / 900, the products in 64 bits.
int32_t Sx(int32_t W, int64_t a) { return ScaleDesign(a, W, kDesignWidth); }
int32_t Sy(int32_t H, int64_t b) { return ScaleDesign(b, H, kDesignHeight); }
// floor(d * zoom / 100): a design length zoomed.
int64_t Zoomed(int64_t d, int32_t zoom) { return d * zoom / 100; }

constexpr LiveScreenColumn kOneTable[kOneTableColumns] = {
    {0, 40, "Pos", TextAlign::kCentre, 20, LiveCellField::kPosition, true},
    {40, 90, "#Num", TextAlign::kCentre, 65, LiveCellField::kCarNumber, false},
    {90, 250, "Pilote", TextAlign::kLeft, 92, LiveCellField::kName, true},
    {250, 370, "Catégorie", TextAlign::kLeft, 252, LiveCellField::kCategory, false},
    {370, 470, "Club", TextAlign::kLeft, 372, LiveCellField::kClubOrNation, false, 430},
    {470, 520, "Tours", TextAlign::kRight, 518, LiveCellField::kLaps, true},
    {520, 640, "Temps total", TextAlign::kRight, 638, LiveCellField::kTotalTime, true},
    {640, 720, "- leader", TextAlign::kRight, 718, LiveCellField::kGapToLeader, false},
    {720, 800, "- précédt", TextAlign::kRight, 798, LiveCellField::kGapToPrevious, false},
    {800, 870, "DernierT", TextAlign::kRight, 868, LiveCellField::kLastLap, false},
    {870, 960, "MeilleurT", TextAlign::kRight, 958, LiveCellField::kBestLap, true},
    {960, 1000, "Fin", TextAlign::kCentre, 975, LiveCellField::kFinishMark, true, 965, 980},
};

constexpr LiveScreenColumn kTwoTables[kTwoTableColumns] = {
    {0, 40, "Pos", TextAlign::kCentre, 20, LiveCellField::kPosition, true},
    {40, 90, "#Num", TextAlign::kCentre, 65, LiveCellField::kCarNumber, false},
    {90, 250, "Pilote", TextAlign::kLeft, 92, LiveCellField::kName, true},
    {250, 350, "Catégorie", TextAlign::kLeft, 252, LiveCellField::kCategory, false},
    {350, 400, "Tours", TextAlign::kRight, 398, LiveCellField::kLaps, true},
    {400, 520, "Temps total", TextAlign::kRight, 518, LiveCellField::kTotalTime, true},
    {520, 600, "- précédt", TextAlign::kRight, 598, LiveCellField::kGapToPrevious, false},
    {600, 690, "MeilleurT", TextAlign::kRight, 688, LiveCellField::kBestLap, true},
    {690, 730, "Fin", TextAlign::kCentre, 705, LiveCellField::kFinishMark, true, 695, 710},
};

constexpr int32_t kRightTableOffset = 750;  // the right table's left edge from the left one's

// The table area of a mode at a zoom.
BoardRect TableArea(int32_t W, int32_t H, int32_t mode, int32_t zoom) {
  const LiveScreenLayout layout = ComputeLiveScreenLayout(W, H, zoom);
  return mode == 2 ? layout.twoTableArea : layout.oneTableArea;
}

BoardRect Wider(const BoardRect& a, const BoardRect& b) {
  return a.right - a.left >= b.right - b.left ? a : b;
}

// LayOutLiveTables: the rows of each table and the scroll range for the current mode, at
// position 0.
void LayOutLiveTables(LiveScreenState& s) {
  const int32_t F = s.rowsThatFit;
  const int32_t n = std::clamp(s.header.rowCount, 0, kLiveRows);
  if (s.tableMode == 2) {
    if (n > 2 * F) {
      s.leftRowCount = F;
      s.rightRowCount = F;
      s.scrollRange = n - 2 * F;
    } else {
      s.leftRowCount = (n + 1) / 2;
      s.rightRowCount = n / 2;
      s.scrollRange = 0;
    }
  } else {
    s.leftRowCount = std::min(n, F);
    s.rightRowCount = 0;
    s.scrollRange = n > F ? n - F : 0;
  }
  s.scrollPosition = 0;
}

// The rows of the single table follow the row count at every refresh.
void FitSingleTable(LiveScreenState& s) {
  if (s.tableMode != 2)
    s.leftRowCount = std::min(std::clamp(s.header.rowCount, 0, kLiveRows), s.rowsThatFit);
}

}  // namespace

LiveScreenLayout ComputeLiveScreenLayout(int32_t W, int32_t H, int32_t zoom) {
  LiveScreenLayout l;
  const int32_t bandWidth = Sx(W, 1000);
  l.titleBand = {(W - bandWidth) / 2, H / 90, (W - bandWidth) / 2 + bandWidth, Sy(H, 135)};
  const int32_t statusLeft = l.titleBand.left + Sx(W, 640);
  l.statusBox = {statusLeft, H / 15, statusLeft + Sx(W, 360), H / 15 + Sy(H, 35)};
  const int32_t stripTop = Sy(H, 95);
  const int32_t stripBottom = stripTop + H / 30;
  l.seriesTitleStrip = {l.titleBand.left, stripTop, l.statusBox.left, stripBottom};
  l.clockStrip = {l.statusBox.left, stripTop, l.statusBox.right, stripBottom};
  const int32_t oneWidth = Sx(W, int64_t{10} * zoom);
  l.oneTableArea = {(W - oneWidth) / 2, Sy(H, 134), (W + oneWidth) / 2, H};
  const int32_t twoWidth = Sx(W, Zoomed(1480, zoom));
  l.twoTableArea = {(W - twoWidth) / 2, Sy(H, 134), (W + twoWidth) / 2, H};
  l.oneTableRowsArea = {l.oneTableArea.left, Sy(H, 135) + Sy(H, Zoomed(22, zoom)),
                        l.oneTableArea.right, H};
  return l;
}

int32_t RowsThatFit(int32_t H, int32_t zoom) {
  const int64_t room = H - Sy(H, 135) - Sy(H, Zoomed(22, zoom)) - 20;
  // A screen of any real height is filled long before this.
  constexpr int32_t kLimit = 10000;
  int32_t n = 0;
  while (n < kLimit && Sy(H, Zoomed(90 + 30 * int64_t{n}, zoom)) < room) ++n;
  return n;
}

int32_t AllCarsFinished(const LiveRows& rows, int32_t rowCount) {
  const int32_t n = std::clamp(rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < n; ++i)
    if (rows[i].finished != 1) return 0;
  return 1;
}

LiveScreenChange OpenLiveScreen(LiveScreenState& s, int32_t W, int32_t H) {
  s.W = W;
  s.H = H;
  s.allCarsFinished = AllCarsFinished(s.rows, s.header.rowCount);
  s.tableMode = 1;
  s.zoom = kLiveZoomDefault;
  s.rowsThatFit = RowsThatFit(H, s.zoom);
  LayOutLiveTables(s);
  LiveScreenChange change;
  change.controlsMoved = true;
  change.scrollBarLaidOut = true;
  const LiveScreenLayout layout = ComputeLiveScreenLayout(W, H, s.zoom);
  change.add(layout.titleBand, true);
  change.add(layout.oneTableArea, true);
  return change;
}

LiveScreenChange RefreshLiveScreen(LiveScreenState& s, int32_t kind, bool readOk) {
  s.lastRefreshKind = kind;
  s.liveFileUnreadable = !readOk;
  s.allCarsFinished = AllCarsFinished(s.rows, s.header.rowCount);
  FitSingleTable(s);
  LiveScreenChange change;
  const LiveScreenLayout layout = ComputeLiveScreenLayout(s.W, s.H, s.zoom);
  const BoardRect& table = s.tableMode == 2 ? layout.twoTableArea : layout.oneTableArea;
  if (kind == kLiveRefreshLayout) {
    LayOutLiveTables(s);
    change.scrollBarLaidOut = true;
    change.add(layout.statusBox, true);
    change.add(layout.seriesTitleStrip, true);
    change.add(table, true);
    change.add(layout.clockStrip, false);
  } else if (kind == kLiveRefreshValues) {
    // The painting fills the clock boxes and the row slots itself: only the status box is
    // erased.
    change.add(layout.statusBox, true);
    change.add(layout.clockStrip, false);
    change.add(s.tableMode == 2 ? layout.twoTableArea : layout.oneTableRowsArea, false);
  }
  return change;
}

LiveScreenChange RefreshLiveScreenFromFile(LiveScreenState& s, int32_t wParam, int32_t kind,
                                           std::string_view path) {
  s.lastRefreshKind = kind;
  if (wParam != 1) return {};
  ClearLiveRows(s.rows);
  s.header = LiveScreenHeader{};
  const bool ok = ReadLiveFile(path, s.rows, s.header.clock, s.header.seriesTitle,
                               s.header.videoLink, s.header.rowCount, s.header.nationFlag);
  if (!ok) {
    // A file cut short or malformed shows nothing of itself, as a missing one.
    ClearLiveRows(s.rows);
    s.header = LiveScreenHeader{};
  }
  return RefreshLiveScreen(s, kind, ok);
}

LiveScreenChange ZoomLiveScreen(LiveScreenState& s, bool in) {
  const int32_t old = s.zoom;
  if (in) {
    if (s.zoom > kLiveZoomMax - kLiveZoomStep) return {};
    s.zoom += kLiveZoomStep;
  } else {
    if (s.zoom <= kLiveZoomMin) return {};
    s.zoom -= kLiveZoomStep;
  }
  s.rowsThatFit = RowsThatFit(s.H, s.zoom);
  LayOutLiveTables(s);
  LiveScreenChange change;
  change.scrollBarLaidOut = true;
  change.add(TableArea(s.W, s.H, s.tableMode, std::max(old, s.zoom)), true);
  return change;
}

LiveScreenChange SetLiveTableMode(LiveScreenState& s, bool twoTables) {
  const BoardRect left = TableArea(s.W, s.H, s.tableMode, s.zoom);
  s.tableMode = twoTables ? 2 : 1;
  s.zoom = kLiveZoomDefault;
  s.rowsThatFit = RowsThatFit(s.H, s.zoom);
  LayOutLiveTables(s);
  LiveScreenChange change;
  change.scrollBarLaidOut = true;
  // The areas are centred alike and share their top and bottom: the wider holds the other.
  change.add(Wider(TableArea(s.W, s.H, s.tableMode, s.zoom), left), true);
  return change;
}

LiveScreenChange ScrollLiveScreen(LiveScreenState& s, LiveScrollRequest request,
                                  int32_t thumbPosition) {
  int32_t position = s.scrollPosition;
  switch (request) {
    case LiveScrollRequest::kLineUp:
      if (position > 0) --position;
      break;
    case LiveScrollRequest::kLineDown:
      if (position < s.scrollRange) ++position;
      break;
    case LiveScrollRequest::kPageUp:
      position = 0;
      break;
    case LiveScrollRequest::kPageDown:
      position = s.scrollRange;
      break;
    case LiveScrollRequest::kThumbPosition:
      position = std::clamp(thumbPosition, 0, s.scrollRange);
      break;
    case LiveScrollRequest::kOther:
      return {};
  }
  LiveScreenChange change;
  change.scrollPositionChanged = true;
  if (position != s.scrollPosition) {
    s.scrollPosition = position;
    change.add(TableArea(s.W, s.H, s.tableMode, s.zoom), true);
  }
  return change;
}

LiveScreenChange MoveLiveScreen(LiveScreenState& s, int32_t W, int32_t H) {
  s.W = W;
  s.H = H;
  s.rowsThatFit = RowsThatFit(H, s.zoom);
  LayOutLiveTables(s);
  LiveScreenChange change;
  change.scrollBarLaidOut = true;
  change.controlsMoved = true;
  const LiveScreenLayout layout = ComputeLiveScreenLayout(W, H, s.zoom);
  change.add(s.tableMode == 2 ? layout.twoTableArea : layout.oneTableArea, true);
  change.add(layout.titleBand, true);
  return change;
}

ShownRows RowsOfTable(const LiveScreenState& s, LiveTable table) {
  ShownRows shown;
  switch (table) {
    case LiveTable::kSingle:
      shown = {s.scrollPosition, s.leftRowCount};
      break;
    case LiveTable::kLeft:
      shown = {0, s.leftRowCount};
      break;
    case LiveTable::kRight:
      shown = {s.leftRowCount + s.scrollPosition, s.rightRowCount};
      break;
  }
  // Never a row beyond the table, whatever the counts.
  shown.first = std::clamp(shown.first, 0, kLiveRows);
  shown.count = std::clamp(shown.count, 0, kLiveRows - shown.first);
  return shown;
}

ControlPlacementRect LiveScrollBarPlacement(const LiveScreenState& s) {
  const LiveScreenLayout layout = ComputeLiveScreenLayout(s.W, s.H, s.zoom);
  const int32_t right = s.tableMode == 2 ? layout.twoTableArea.right : layout.oneTableArea.right;
  const int32_t height = Sy(s.H, Zoomed(30 * int64_t{s.rowsThatFit}, s.zoom) + 15);
  const int32_t top = Sy(s.H, 135) + Sy(s.H, Zoomed(22, s.zoom)) - s.H / 60;
  return {right + s.W / 800, top, 20, height};
}

std::array<LiveControlPlacement, 4> LiveScreenControls(int32_t W) {
  return {{{kLiveTwoTablesCheck, {W / 2 - 50, 10, 100, 24}},
           {kLiveZoomLabel, {W - 250, 14, 45, 24}},
           {kLiveZoomInButton, {W - 205, 10, 24, 24}},
           {kLiveZoomOutButton, {W - 175, 10, 24, 24}}}};
}

LiveStatus LiveScreenStatus(const LiveScreenState& s) {
  if (s.liveFileUnreadable) return {kLiveFileNotFound.data(), false, true};
  if (s.lastRefreshKind != kLiveRefreshValues) return {};
  if (s.allCarsFinished == 1) return {kLiveRaceFinished, false, false};
  return {kLiveRaceRunning, true, false};
}

LiveTableColumns LiveColumnsOf(int32_t tableMode) {
  if (tableMode == 2) return {kTwoTables, kTwoTableColumns, 730};
  return {kOneTable, kOneTableColumns, 1000};
}

const char* LiveClubLabel(int32_t nationFlag) { return nationFlag == 1 ? "Nation" : "Club"; }

int32_t LiveTableLeft(const LiveScreenState& s, LiveTable table) {
  const LiveScreenLayout layout = ComputeLiveScreenLayout(s.W, s.H, s.zoom);
  switch (table) {
    case LiveTable::kSingle:
      return layout.oneTableArea.left;
    case LiveTable::kLeft:
      return layout.twoTableArea.left;
    case LiveTable::kRight:
      return layout.twoTableArea.left + Sx(s.W, Zoomed(kRightTableOffset, s.zoom));
  }
  return 0;
}

int32_t LiveTableX(const LiveScreenState& s, int32_t tableLeft, int32_t d) {
  return tableLeft + Sx(s.W, Zoomed(d, s.zoom));
}

int32_t LiveLabelBarTop(const LiveScreenState& s) { return Sy(s.H, 135); }

int32_t LiveLabelBarBottom(const LiveScreenState& s) {
  return LiveLabelBarTop(s) + Sy(s.H, Zoomed(22, s.zoom));
}

int32_t LiveLabelTop(const LiveScreenState& s) {
  return LiveLabelBarTop(s) + Sy(s.H, Zoomed(3, s.zoom));
}

int32_t LiveSlotY(const LiveScreenState& s, int32_t slot, int32_t v) {
  return LiveLabelBarBottom(s) + Sy(s.H, Zoomed(30 * int64_t{slot} + v, s.zoom));
}

int32_t LiveSlotHeight(const LiveScreenState& s) { return Sy(s.H, Zoomed(30, s.zoom)); }

int32_t LiveSlotTop(const LiveScreenState& s, int32_t slot) { return LiveSlotY(s, slot, 0); }

int32_t LiveSlotBottom(const LiveScreenState& s, int32_t slot) {
  return LiveSlotTop(s, slot) + LiveSlotHeight(s);
}

PictureSize LiveImageSize(const LiveScreenState& s, int32_t w, int32_t h) {
  return {Sx(s.W, Zoomed(w, s.zoom)), Sy(s.H, Zoomed(h, s.zoom))};
}

LiveScreenFonts LiveFontHeights(const LiveScreenState& s) {
  return {Sx(s.W, 28), Sx(s.W, 22), Sx(s.W, Zoomed(17, s.zoom)), Sx(s.W, Zoomed(20, s.zoom)),
          Sx(s.W, 17)};
}

int32_t LiveSlotColour(const LiveScreenState& s, LiveTable table, int32_t slot) {
  if (slot == 0 && s.header.rowCount > 0) {
    if (table == LiveTable::kLeft) return kLiveLeaderSlot;
    if (table == LiveTable::kSingle && s.scrollPosition == 0) return kLiveLeaderSlot;
  }
  return slot % 2 == 1 ? kLiveOddSlot : kLiveEvenSlot;
}

BoardRect LiveClockBox(const LiveScreenState& s, const LiveScreenLayout& layout, int box) {
  const BoardRect& strip = layout.clockStrip;
  return {strip.left + Sx(s.W, 120 * int64_t{box}), strip.top,
          strip.left + Sx(s.W, 120 * int64_t{box} + 118), strip.bottom};
}

LiveTitleBandPlaces LiveTitleBand(const LiveScreenState& s, const LiveScreenLayout& layout) {
  LiveTitleBandPlaces p;
  p.statusCentre = layout.statusBox.left + Sx(s.W, 180);
  p.statusTop = layout.statusBox.top;
  p.seriesTitleLeft = layout.titleBand.left + Sx(s.W, 80);
  p.seriesTitleTop = Sy(s.H, 95);
  p.seriesLabelLeft = layout.titleBand.left;
  for (int i = 0; i < 3; ++i) p.clockRight[i] = layout.clockStrip.left + Sx(s.W, 110 + 120 * i);
  p.clockTop = Sy(s.H, 95) + s.H / 450;
  p.badgeRight = layout.statusBox.right - Sx(s.W, 4);
  p.badgeTop = layout.statusBox.top;
  return p;
}

}  // namespace zd
