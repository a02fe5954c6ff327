#pragma once
// The additional live screen: a second, full-screen view of the standings that the main window
// feeds through the live results file. Everything here is laid out from the full size W x H of
// the monitor that holds the window, in the 1600 x 900 design space, and the tables are zoomed
// from 70 to 160 %. Every division truncates toward zero, exactly as written.
//
// The screen's state lives as long as the program; each of its transitions returns the areas of
// the window to repaint, which the window invalidates as they say.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/live_file.h"
#include "live/board_cells.h"
#include "live/picture_preview.h"
#include "main/board_interaction.h"
#include "main/board_layout.h"

namespace zd {

inline constexpr int32_t kLiveZoomMin = 70;
inline constexpr int32_t kLiveZoomMax = 160;
inline constexpr int32_t kLiveZoomStep = 5;
inline constexpr int32_t kLiveZoomDefault = 100;

// Refresh kinds, the lParam of LiveScreenRefresh.
inline constexpr int32_t kLiveRefreshLayout = 1;
inline constexpr int32_t kLiveRefreshValues = 2;

// The screen's areas in client pixels.
struct LiveScreenLayout {
  BoardRect titleBand;
  BoardRect statusBox;
  BoardRect seriesTitleStrip;
  BoardRect clockStrip;
  BoardRect oneTableArea;
  BoardRect twoTableArea;
  BoardRect oneTableRowsArea;
};
LiveScreenLayout ComputeLiveScreenLayout(int32_t W, int32_t H, int32_t zoom);

// The rows one table may show at the height H and zoom.
int32_t RowsThatFit(int32_t H, int32_t zoom);

// What the screen holds of the live file.
struct LiveScreenHeader {
  int32_t rowCount = 0;
  int32_t nationFlag = 0;  // 1: the nation column with flags in place of the club
  LiveClockTexts clock;
  FixedText<80> seriesTitle;
  FixedText<200> videoLink;  // kept, never shown
};

struct LiveScreenState {
  int32_t W = kDesignWidth;  // the monitor's full size in pixels
  int32_t H = kDesignHeight;
  LiveRows rows;
  LiveScreenHeader header;
  PicturePath logoPath;  // empty: no logo
  int32_t allCarsFinished = 1;
  int32_t tableMode = 1;  // 1 one table, 2 two tables side by side
  int32_t zoom = kLiveZoomDefault;
  int32_t rowsThatFit = 0;
  int32_t leftRowCount = 0;   // the single table's rows, or the left table's
  int32_t rightRowCount = 0;  // the right table's rows
  int32_t scrollPosition = 0;
  int32_t scrollRange = 0;  // largest position; the bar shows while it is above 0
  int32_t lastRefreshKind = 0;
  bool liveFileUnreadable = false;  // the last refresh could not read the live file
};

// An area to repaint, erasing its background first or not.
struct ScreenInvalidation {
  BoardRect area;
  bool erase = true;
  friend bool operator==(const ScreenInvalidation&, const ScreenInvalidation&) = default;
};
struct LiveScreenChange {
  std::array<ScreenInvalidation, 4> areas;
  int count = 0;
  bool scrollBarLaidOut = false;  // place the bar, show or hide it, set its range and position
  bool scrollPositionChanged = false;  // set the bar's position only
  bool controlsMoved = false;          // move the captioned controls for the new width
  void add(const BoardRect& area, bool erase) { areas[count++] = {area, erase}; }
};

// AllCarsFinished: 1 when every row read has finished, also when there is none.
int32_t AllCarsFinished(const LiveRows& rows, int32_t rowCount);

// The screen opens on the monitor W x H: one table at 100 %, with the rows held from the previous
// opening.
LiveScreenChange OpenLiveScreen(LiveScreenState& s, int32_t W, int32_t H);
// LiveScreenRefresh after the live file has been read into s.rows and s.header: readOk false
// (the file could not be read) leaves the tables empty and shows the error in the status box.
LiveScreenChange RefreshLiveScreen(LiveScreenState& s, int32_t kind, bool readOk);
// Reads the live file at path into the screen's tables (emptied first, and left empty when the
// file cannot be read), then refreshes. wParam other than 1 only records the kind.
LiveScreenChange RefreshLiveScreenFromFile(LiveScreenState& s, int32_t wParam, int32_t kind,
                                           std::string_view path);

// "+" (in) and "--" (out): a step of 5 within 70..160; at a limit nothing changes.
LiveScreenChange ZoomLiveScreen(LiveScreenState& s, bool in);
// "2 tableaux" checked or not: the mode, back to 100 %.
LiveScreenChange SetLiveTableMode(LiveScreenState& s, bool twoTables);

enum class LiveScrollRequest { kLineUp, kLineDown, kPageUp, kPageDown, kThumbPosition, kOther };
LiveScreenChange ScrollLiveScreen(LiveScreenState& s, LiveScrollRequest request,
                                  int32_t thumbPosition);
// The window was dragged onto a monitor of W x H.
LiveScreenChange MoveLiveScreen(LiveScreenState& s, int32_t W, int32_t H);

// The rows each table shows: first row index and count.
struct ShownRows {
  int32_t first = 0;
  int32_t count = 0;
};
enum class LiveTable { kSingle, kLeft, kRight };
ShownRows RowsOfTable(const LiveScreenState& s, LiveTable table);

ControlPlacementRect LiveScrollBarPlacement(const LiveScreenState& s);

inline constexpr int kLiveTwoTablesCheck = 4502;
inline constexpr int kLiveZoomInButton = 4503;
inline constexpr int kLiveZoomOutButton = 4504;
inline constexpr int kLiveZoomLabel = 4505;
inline constexpr int kLiveScrollBar = 4506;
struct LiveControlPlacement {
  int id = 0;
  ControlPlacementRect place;
};
// The four captioned controls, placed from the width.
std::array<LiveControlPlacement, 4> LiveScreenControls(int32_t W);

// The status box: the race's state once values have come, or the error of an unreadable file.
inline constexpr const char* kLiveRaceRunning = "(Course en cours)";
inline constexpr const char* kLiveRaceFinished = "(Course terminée)";
inline constexpr const char* kLiveBadge = "  Live  ";
struct LiveStatus {
  const char* text = "";  // empty: none
  bool badge = false;
  bool error = false;
};
LiveStatus LiveScreenStatus(const LiveScreenState& s);

// ---- Painting geometry.

enum class LiveCellField {
  kPosition,
  kCarNumber,
  kName,
  kCategory,
  kClubOrNation,
  kLaps,
  kTotalTime,
  kGapToLeader,
  kGapToPrevious,
  kLastLap,
  kBestLap,
  kFinishMark,
};
struct LiveScreenColumn {
  int32_t from = 0;  // design units from the table's left edge, unzoomed
  int32_t to = 0;
  const char* label = "";
  TextAlign align = TextAlign::kLeft;  // of the label and the row texts alike
  int32_t anchor = 0;
  LiveCellField field = LiveCellField::kPosition;
  bool bold = false;
  int32_t imageAt = -1;  // the nation flag or the chequered flag; -1: none
  int32_t markAnchor = 0;  // centre of the abandonment mark
};
inline constexpr int kOneTableColumns = 12;
inline constexpr int kTwoTableColumns = 9;
struct LiveTableColumns {
  const LiveScreenColumn* columns = nullptr;
  int count = 0;
  int32_t width = 0;  // design units
};
LiveTableColumns LiveColumnsOf(int32_t tableMode);
// The club column's label.
const char* LiveClubLabel(int32_t nationFlag);

// A table's left edge in pixels.
int32_t LiveTableLeft(const LiveScreenState& s, LiveTable table);
// tableLeft + W * floor(d * zoom / 100) / 1600.
int32_t LiveTableX(const LiveScreenState& s, int32_t tableLeft, int32_t d);
// The top of the column-label bar, T, and its bottom, T1.
int32_t LiveLabelBarTop(const LiveScreenState& s);
int32_t LiveLabelBarBottom(const LiveScreenState& s);
// The column labels' top: 3 design units below T, zoomed.
int32_t LiveLabelTop(const LiveScreenState& s);
// The point v design units below the top of row slot `slot`.
int32_t LiveSlotY(const LiveScreenState& s, int32_t slot, int32_t v);
int32_t LiveSlotHeight(const LiveScreenState& s);
// A slot's top and bottom.
int32_t LiveSlotTop(const LiveScreenState& s, int32_t slot);
int32_t LiveSlotBottom(const LiveScreenState& s, int32_t slot);
// A picture of w x h design units in a table, in pixels.
PictureSize LiveImageSize(const LiveScreenState& s, int32_t w, int32_t h);
inline constexpr int32_t kLiveTextBottom = 25;  // below the slot's top, design units
inline constexpr int32_t kLiveImageTop = 5;
inline constexpr PictureSize kLiveChequeredFlag = {25, 16};
inline constexpr PictureSize kLiveNationFlag = {33, 20};

struct LiveScreenFonts {
  int32_t title = 0;
  int32_t badge = 0;
  int32_t normalCell = 0;
  int32_t boldCell = 0;
  int32_t statusError = 0;  // the error of an unreadable file, small enough for the status box
};
LiveScreenFonts LiveFontHeights(const LiveScreenState& s);

// Colours as Windows colour references.
inline constexpr int32_t LiveRgb(int32_t r, int32_t g, int32_t b) { return r | g << 8 | b << 16; }
inline constexpr int32_t kLiveBackground = LiveRgb(242, 242, 242);
inline constexpr int32_t kLiveClockBox = LiveRgb(224, 224, 224);
inline constexpr int32_t kLiveLabelBar = LiveRgb(255, 214, 142);
inline constexpr int32_t kLiveLeaderSlot = LiveRgb(255, 200, 200);
inline constexpr int32_t kLiveOddSlot = LiveRgb(234, 234, 234);
inline constexpr int32_t kLiveEvenSlot = LiveRgb(210, 210, 210);
inline constexpr int32_t kLiveGrid = LiveRgb(255, 255, 255);
inline constexpr int32_t kLiveRemaining = LiveRgb(0, 153, 0);
inline constexpr int32_t kLiveElapsed = LiveRgb(204, 0, 0);
inline constexpr int32_t kLiveRed = LiveRgb(255, 0, 0);
inline constexpr int32_t kLiveWhite = LiveRgb(255, 255, 255);

// The colour of row slot `slot` of a table.
int32_t LiveSlotColour(const LiveScreenState& s, LiveTable table, int32_t slot);

// The three clock boxes of the clock strip.
BoardRect LiveClockBox(const LiveScreenState& s, const LiveScreenLayout& layout, int box);

// Where the texts of the title band stand: x is the anchor (centre, left or right as named).
struct LiveTitleBandPlaces {
  int32_t statusCentre = 0, statusTop = 0;
  int32_t seriesTitleLeft = 0, seriesTitleTop = 0;
  int32_t seriesLabelLeft = 0;
  std::array<int32_t, 3> clockRight{};  // length, remaining, elapsed
  int32_t clockTop = 0;
  int32_t badgeRight = 0, badgeTop = 0;
};
LiveTitleBandPlaces LiveTitleBand(const LiveScreenState& s, const LiveScreenLayout& layout);
inline constexpr const char* kLiveSeriesLabel = "Série :";
inline constexpr const char* kLiveAbandonmentMark = "  A  ";
inline constexpr PictureSize kLiveLogoBox = {196, 50};  // pixels, not scaled

}  // namespace zd
