#include "live/live_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../files/test_support.h"

namespace zd {
namespace {

using test::TempDir;

constexpr int32_t kW = 1600;
constexpr int32_t kH = 900;

// A screen opened on 1600 x 900 holding n rows, the first `finished` of them finished.
LiveScreenState ScreenWith(int32_t n, int32_t finished = 0) {
  LiveScreenState s;
  for (int32_t i = 0; i < n; ++i) {
    s.rows[i].position = std::to_string(i + 1);
    s.rows[i].finished = i < finished ? 1 : 0;
  }
  s.header.rowCount = n;
  OpenLiveScreen(s, kW, kH);
  return s;
}

std::vector<ScreenInvalidation> Areas(const LiveScreenChange& c) {
  return {c.areas.begin(), c.areas.begin() + c.count};
}

TEST(LiveScreenLayout, AreasOfTheDesignScreen) {
  const LiveScreenLayout l = ComputeLiveScreenLayout(kW, kH, 100);
  EXPECT_EQ(l.titleBand, (BoardRect{300, 10, 1300, 135}));
  EXPECT_EQ(l.statusBox, (BoardRect{940, 60, 1300, 95}));
  EXPECT_EQ(l.seriesTitleStrip, (BoardRect{300, 95, 940, 125}));
  EXPECT_EQ(l.clockStrip, (BoardRect{940, 95, 1300, 125}));
  EXPECT_EQ(l.oneTableArea, (BoardRect{300, 134, 1300, 900}));
  EXPECT_EQ(l.twoTableArea, (BoardRect{60, 134, 1540, 900}));
  EXPECT_EQ(l.oneTableRowsArea, (BoardRect{300, 157, 1300, 900}));
  // Zoomed, the tables widen about the middle; the title band stays.
  const LiveScreenLayout z = ComputeLiveScreenLayout(kW, kH, 130);
  EXPECT_EQ(z.titleBand, l.titleBand);
  EXPECT_EQ(z.oneTableArea, (BoardRect{150, 134, 1450, 900}));
  EXPECT_EQ(z.oneTableRowsArea.top, 163);
  // Another monitor: every division truncates.
  const LiveScreenLayout o = ComputeLiveScreenLayout(1366, 768, 100);
  EXPECT_EQ(o.titleBand, (BoardRect{256, 8, 1109, 115}));
  EXPECT_EQ(o.statusBox, (BoardRect{802, 51, 1109, 80}));
}

TEST(LiveScreenLayout, RowsThatFitAtEveryZoom) {
  const int32_t expected[] = {32, 30, 28, 26, 24, 23, 22, 20, 19, 18,
                              17, 17, 16, 15, 15, 14, 13, 13, 12};
  int i = 0;
  for (int32_t zoom = 70; zoom <= 160; zoom += 5, ++i) {
    SCOPED_TRACE(zoom);
    EXPECT_EQ(RowsThatFit(kH, zoom), expected[i]);
  }
  EXPECT_EQ(RowsThatFit(0, 100), 0);
}

TEST(LiveScreenTables, FiftyRowsInOneTableAndInTwo) {
  LiveScreenState s = ScreenWith(50);
  RefreshLiveScreen(s, kLiveRefreshLayout, true);
  EXPECT_EQ(s.rowsThatFit, 22);
  EXPECT_EQ(s.leftRowCount, 22);
  EXPECT_EQ(s.scrollRange, 28);
  EXPECT_EQ(LiveScrollBarPlacement(s), (ControlPlacementRect{1302, 142, 20, 675}));
  ScrollLiveScreen(s, LiveScrollRequest::kPageDown, 0);
  EXPECT_EQ(s.scrollPosition, 28);
  EXPECT_EQ(RowsOfTable(s, LiveTable::kSingle).first, 28);
  EXPECT_EQ(RowsOfTable(s, LiveTable::kSingle).count, 22);

  SetLiveTableMode(s, true);
  EXPECT_EQ(s.leftRowCount, 22);
  EXPECT_EQ(s.rightRowCount, 22);
  EXPECT_EQ(s.scrollRange, 6);
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_EQ(LiveScrollBarPlacement(s).left, 1542);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  const ShownRows left = RowsOfTable(s, LiveTable::kLeft);
  const ShownRows right = RowsOfTable(s, LiveTable::kRight);
  EXPECT_EQ(left.first, 0);  // the leading cars never scroll away
  EXPECT_EQ(left.count, 22);
  EXPECT_EQ(right.first, 24);
  EXPECT_EQ(right.count, 22);
  ScrollLiveScreen(s, LiveScrollRequest::kPageDown, 0);
  EXPECT_EQ(RowsOfTable(s, LiveTable::kRight).first + RowsOfTable(s, LiveTable::kRight).count, 50);
}

TEST(LiveScreenTables, FewRowsSplitWithoutAScrollBar) {
  struct Case {
    int32_t rows, left, right;
  };
  for (const Case& c : {Case{11, 6, 5}, Case{44, 22, 22}, Case{1, 1, 0}, Case{0, 0, 0}}) {
    SCOPED_TRACE(c.rows);
    LiveScreenState s = ScreenWith(c.rows);
    SetLiveTableMode(s, true);
    EXPECT_EQ(s.leftRowCount, c.left);
    EXPECT_EQ(s.rightRowCount, c.right);
    EXPECT_EQ(s.scrollRange, 0);
    EXPECT_EQ(RowsOfTable(s, LiveTable::kRight).first, c.left);
  }
  LiveScreenState s = ScreenWith(22);
  EXPECT_EQ(s.scrollRange, 0);
  EXPECT_EQ(s.leftRowCount, 22);
}

TEST(LiveScreenTables, ZoomStepsStopAtTheirLimits) {
  LiveScreenState s = ScreenWith(50);
  for (int i = 0; i < 12; ++i) ZoomLiveScreen(s, true);
  EXPECT_EQ(s.zoom, 160);
  EXPECT_EQ(s.rowsThatFit, 12);
  EXPECT_EQ(s.scrollRange, 38);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  LiveScreenChange change = ZoomLiveScreen(s, true);
  EXPECT_EQ(s.zoom, 160);
  EXPECT_EQ(s.scrollPosition, 1);
  EXPECT_EQ(change.count, 0);
  EXPECT_FALSE(change.scrollBarLaidOut);

  for (int i = 0; i < 18; ++i) ZoomLiveScreen(s, false);
  EXPECT_EQ(s.zoom, 70);
  EXPECT_EQ(s.rowsThatFit, 32);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  change = ZoomLiveScreen(s, false);
  EXPECT_EQ(s.zoom, 70);
  EXPECT_EQ(s.scrollPosition, 1);
  EXPECT_EQ(change.count, 0);

  // A step repaints the table at the larger of the two zooms, from position 0.
  change = ZoomLiveScreen(s, true);
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_TRUE(change.scrollBarLaidOut);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{
                               {ComputeLiveScreenLayout(kW, kH, 75).oneTableArea, true}}));
  change = ZoomLiveScreen(s, false);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{
                               {ComputeLiveScreenLayout(kW, kH, 75).oneTableArea, true}}));
}

TEST(LiveScreenTables, AModeChangeReturnsTo100AndPosition0) {
  LiveScreenState s = ScreenWith(50);
  for (int i = 0; i < 12; ++i) ZoomLiveScreen(s, true);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  LiveScreenChange change = SetLiveTableMode(s, true);
  EXPECT_EQ(s.tableMode, 2);
  EXPECT_EQ(s.zoom, 100);
  EXPECT_EQ(s.rowsThatFit, 22);
  EXPECT_EQ(s.scrollPosition, 0);
  // The one table at 160 % is wider than the two at 100 %.
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{0, 134, 1600, 900}, true}}));

  ZoomLiveScreen(s, false);
  ScrollLiveScreen(s, LiveScrollRequest::kPageDown, 0);
  change = SetLiveTableMode(s, false);
  EXPECT_EQ(s.tableMode, 1);
  EXPECT_EQ(s.zoom, 100);
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_EQ(s.scrollRange, 28);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{
                               {ComputeLiveScreenLayout(kW, kH, 95).twoTableArea, true}}));
  change = SetLiveTableMode(s, true);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{60, 134, 1540, 900}, true}}));
}

TEST(LiveScreenTables, ScrollRequests) {
  LiveScreenState s = ScreenWith(30);  // range 0..8
  struct Step {
    LiveScrollRequest request;
    int32_t thumb;
    int32_t position;
    bool repaint;
  };
  const Step steps[] = {
      {LiveScrollRequest::kLineUp, 0, 0, false},
      {LiveScrollRequest::kLineDown, 0, 1, true},
      {LiveScrollRequest::kThumbPosition, 5, 5, true},
      {LiveScrollRequest::kOther, 2, 5, false},
      {LiveScrollRequest::kPageDown, 0, 8, true},
      {LiveScrollRequest::kLineDown, 0, 8, false},
      {LiveScrollRequest::kThumbPosition, 99, 8, false},
      {LiveScrollRequest::kLineUp, 0, 7, true},
      {LiveScrollRequest::kPageUp, 0, 0, true},
      {LiveScrollRequest::kThumbPosition, -3, 0, false},
  };
  int i = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(i++);
    const LiveScreenChange change = ScrollLiveScreen(s, step.request, step.thumb);
    EXPECT_EQ(s.scrollPosition, step.position);
    EXPECT_EQ(change.count, step.repaint ? 1 : 0);
    if (step.repaint) {
      EXPECT_EQ(change.areas[0], (ScreenInvalidation{{300, 134, 1300, 900}, true}));
    }
  }
}

TEST(LiveScreenRefresh, ValuesKeepThePositionANewLayoutResetsIt) {
  LiveScreenState s = ScreenWith(50);
  RefreshLiveScreen(s, kLiveRefreshLayout, true);
  ScrollLiveScreen(s, LiveScrollRequest::kThumbPosition, 10);
  LiveScreenChange change = RefreshLiveScreen(s, kLiveRefreshValues, true);
  EXPECT_EQ(s.scrollPosition, 10);
  EXPECT_FALSE(change.scrollBarLaidOut);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{940, 60, 1300, 95}, true},
                                                            {{940, 95, 1300, 125}, false},
                                                            {{300, 157, 1300, 900}, false}}));
  change = RefreshLiveScreen(s, kLiveRefreshLayout, true);
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_TRUE(change.scrollBarLaidOut);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{940, 60, 1300, 95}, true},
                                                            {{300, 95, 940, 125}, true},
                                                            {{300, 134, 1300, 900}, true},
                                                            {{940, 95, 1300, 125}, false}}));
  EXPECT_EQ(RefreshLiveScreen(s, 3, true).count, 0);

  // Two tables: values keep the split of the last layout and the position.
  SetLiveTableMode(s, true);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  s.header.rowCount = 11;
  change = RefreshLiveScreen(s, kLiveRefreshValues, true);
  EXPECT_EQ(s.leftRowCount, 22);
  EXPECT_EQ(s.scrollPosition, 1);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{940, 60, 1300, 95}, true},
                                                            {{940, 95, 1300, 125}, false},
                                                            {{60, 134, 1540, 900}, false}}));
  change = RefreshLiveScreen(s, kLiveRefreshLayout, true);
  EXPECT_EQ(s.leftRowCount, 6);
  EXPECT_EQ(s.rightRowCount, 5);
  ASSERT_GT(change.count, 2);
  EXPECT_EQ(Areas(change)[2], (ScreenInvalidation{{60, 134, 1540, 900}, true}));
}

TEST(LiveScreenRefresh, StatusTextAndBadge) {
  struct Case {
    int32_t rows, finished, kind;
    const char* text;
    bool badge;
  };
  const Case cases[] = {
      {5, 0, kLiveRefreshLayout, "", false},
      {5, 0, kLiveRefreshValues, "(Course en cours)", true},
      {5, 4, kLiveRefreshValues, "(Course en cours)", true},
      {5, 5, kLiveRefreshValues, "(Course terminée)", false},
      {0, 0, kLiveRefreshValues, "(Course terminée)", false},
      {5, 5, kLiveRefreshLayout, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, " << c.finished << " finished, kind "
                                    << c.kind);
    LiveScreenState s = ScreenWith(c.rows, c.finished);
    RefreshLiveScreen(s, c.kind, true);
    const LiveStatus status = LiveScreenStatus(s);
    EXPECT_STREQ(status.text, c.text);
    EXPECT_EQ(status.badge, c.badge);
    EXPECT_FALSE(status.error);
  }
}

TEST(LiveScreenRefresh, ReadsTheLiveFileAndShowsWhenItCannot) {
  TempDir dir;
  const std::string path = dir.file("Live.txt");
  LiveRows rows{};
  for (int i = 0; i < 30; ++i) rows[i].name = "Pilote " + std::to_string(i);
  rows[0].finished = 1;
  LiveClockTexts clock;
  clock.duration = "0:15:00";
  ASSERT_TRUE(WriteLiveFile(path, rows, clock, "Titre", "lien", 30, 1));

  LiveScreenState s = ScreenWith(0);
  RefreshLiveScreenFromFile(s, 1, kLiveRefreshLayout, path);
  EXPECT_EQ(s.header.rowCount, 30);
  EXPECT_EQ(s.header.nationFlag, 1);
  EXPECT_EQ(s.header.seriesTitle.view(), "Titre");
  EXPECT_EQ(s.rows[29].name.view(), "Pilote 29");
  EXPECT_EQ(s.scrollRange, 8);
  EXPECT_EQ(s.allCarsFinished, 0);
  EXPECT_FALSE(LiveScreenStatus(s).error);

  // wParam other than 1: the kind is kept, nothing read.
  EXPECT_EQ(RefreshLiveScreenFromFile(s, 0, kLiveRefreshValues, dir.file("none.txt")).count, 0);
  EXPECT_EQ(s.lastRefreshKind, kLiveRefreshValues);
  EXPECT_EQ(s.header.rowCount, 30);

  for (const std::string& unreadable : {std::string("3\r\n0\r\n"), std::string()}) {
    std::string file = dir.file("none.txt");
    if (!unreadable.empty()) {
      file = dir.file("cut.txt");
      test::WriteBytes(file, unreadable);
    }
    SCOPED_TRACE(file);
    const LiveScreenChange change = RefreshLiveScreenFromFile(s, 1, kLiveRefreshValues, file);
    EXPECT_EQ(s.header.rowCount, 0);
    EXPECT_TRUE(s.rows[0].name.empty());
    EXPECT_TRUE(s.header.clock.duration.empty());
    const LiveStatus status = LiveScreenStatus(s);
    EXPECT_TRUE(status.error);
    EXPECT_STREQ(status.text, "Error: live results source file not found.");
    EXPECT_FALSE(status.badge);
    EXPECT_EQ(change.areas[0].area, ComputeLiveScreenLayout(kW, kH, 100).statusBox);
  }
  RefreshLiveScreenFromFile(s, 1, kLiveRefreshLayout, dir.file("none.txt"));
  EXPECT_EQ(s.scrollRange, 0);
  EXPECT_EQ(s.leftRowCount, 0);
  RefreshLiveScreenFromFile(s, 1, kLiveRefreshValues, path);
  EXPECT_FALSE(LiveScreenStatus(s).error);
  EXPECT_STREQ(LiveScreenStatus(s).text, "(Course en cours)");
}

TEST(LiveScreenRefresh, ReopeningStartsWithOneTableAtTheRowsKept) {
  LiveScreenState s = ScreenWith(50);
  SetLiveTableMode(s, true);
  ZoomLiveScreen(s, true);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  const LiveScreenChange change = OpenLiveScreen(s, kW, kH);
  EXPECT_EQ(s.tableMode, 1);
  EXPECT_EQ(s.zoom, 100);
  EXPECT_EQ(s.leftRowCount, 22);
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_EQ(s.scrollRange, 28);
  EXPECT_TRUE(change.controlsMoved);
  EXPECT_EQ(Areas(change), (std::vector<ScreenInvalidation>{{{300, 10, 1300, 135}, true},
                                                            {{300, 134, 1300, 900}, true}}));
}

TEST(LiveScreenRefresh, MovingToAnotherMonitorLaysOutAgain) {
  LiveScreenState s = ScreenWith(50);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  const LiveScreenChange change = MoveLiveScreen(s, 1920, 1080);
  EXPECT_EQ(s.rowsThatFit, RowsThatFit(1080, 100));
  EXPECT_EQ(s.scrollPosition, 0);
  EXPECT_TRUE(change.controlsMoved);
  ASSERT_GT(change.count, 1);
  EXPECT_EQ(Areas(change)[1].area, ComputeLiveScreenLayout(1920, 1080, 100).titleBand);
  EXPECT_EQ(LiveScreenControls(1920)[0].place, (ControlPlacementRect{910, 10, 100, 24}));
  EXPECT_EQ(LiveScreenControls(1920)[3].place, (ControlPlacementRect{1745, 10, 24, 24}));
}

TEST(LiveScreenPainting, GeometryAt100And130Percent) {
  LiveScreenState s = ScreenWith(3);
  const LiveScreenLayout l = ComputeLiveScreenLayout(kW, kH, 100);
  EXPECT_EQ(LiveLabelBarTop(s), 135);
  EXPECT_EQ(LiveLabelBarBottom(s), 157);
  EXPECT_EQ(LiveLabelTop(s), 138);
  EXPECT_EQ(LiveSlotTop(s, 0), 157);
  EXPECT_EQ(LiveSlotBottom(s, 0), 187);
  EXPECT_EQ(LiveSlotY(s, 0, kLiveTextBottom), 182);
  EXPECT_EQ(LiveSlotY(s, 0, kLiveImageTop), 162);
  const int32_t left = LiveTableLeft(s, LiveTable::kSingle);
  const LiveTableColumns one = LiveColumnsOf(1);
  std::vector<int32_t> separators;
  for (int c = 1; c < one.count; ++c) separators.push_back(LiveTableX(s, left, one.columns[c].from));
  EXPECT_EQ(separators, (std::vector<int32_t>{340, 390, 550, 670, 770, 820, 940, 1020, 1100, 1170,
                                              1260}));
  EXPECT_EQ(LiveTableX(s, left, one.width), 1300);
  EXPECT_EQ(LiveClockBox(s, l, 0), (BoardRect{940, 95, 1058, 125}));
  EXPECT_EQ(LiveClockBox(s, l, 1), (BoardRect{1060, 95, 1178, 125}));
  EXPECT_EQ(LiveClockBox(s, l, 2), (BoardRect{1180, 95, 1298, 125}));
  const LiveTitleBandPlaces p = LiveTitleBand(s, l);
  EXPECT_EQ(p.clockRight, (std::array<int32_t, 3>{1050, 1170, 1290}));
  EXPECT_EQ(p.clockTop, 97);
  EXPECT_EQ(p.statusCentre, 1120);
  EXPECT_EQ(p.statusTop, 60);
  EXPECT_EQ(p.badgeRight, 1296);
  EXPECT_EQ(p.seriesTitleLeft, 380);
  EXPECT_EQ(LiveFontHeights(s).title, 28);
  EXPECT_EQ(LiveFontHeights(s).normalCell, 17);
  EXPECT_EQ(LiveFontHeights(s).boldCell, 20);
  EXPECT_EQ(LiveImageSize(s, 25, 16), (PictureSize{25, 16}));

  SetLiveTableMode(s, true);
  EXPECT_EQ(LiveTableLeft(s, LiveTable::kLeft), 60);
  EXPECT_EQ(LiveTableX(s, 60, LiveColumnsOf(2).width), 790);
  EXPECT_EQ(LiveTableLeft(s, LiveTable::kRight), 810);
  EXPECT_EQ(LiveTableX(s, 810, LiveColumnsOf(2).width), 1540);

  SetLiveTableMode(s, false);
  for (int i = 0; i < 6; ++i) ZoomLiveScreen(s, true);
  ASSERT_EQ(s.zoom, 130);
  EXPECT_EQ(LiveTableLeft(s, LiveTable::kSingle), 150);
  EXPECT_EQ(LiveTableX(s, 150, one.width), 1450);
  EXPECT_EQ(LiveLabelBarBottom(s), 163);
  EXPECT_EQ(LiveSlotTop(s, 0), 163);
  EXPECT_EQ(LiveSlotBottom(s, 0), 202);
  EXPECT_EQ(LiveSlotY(s, 0, kLiveTextBottom), 195);
  EXPECT_EQ(LiveFontHeights(s).normalCell, 22);
  EXPECT_EQ(LiveFontHeights(s).boldCell, 26);
  EXPECT_EQ(LiveFontHeights(s).title, 28);  // the title band is not zoomed
  EXPECT_EQ(LiveImageSize(s, 25, 16), (PictureSize{32, 20}));
}

TEST(LiveScreenPainting, SlotColours) {
  LiveScreenState s = ScreenWith(50);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kSingle, 0), kLiveLeaderSlot);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kSingle, 1), kLiveOddSlot);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kSingle, 2), kLiveEvenSlot);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kSingle, 0), kLiveEvenSlot);
  SetLiveTableMode(s, true);
  ScrollLiveScreen(s, LiveScrollRequest::kLineDown, 0);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kLeft, 0), kLiveLeaderSlot);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kRight, 0), kLiveEvenSlot);
  EXPECT_EQ(LiveSlotColour(s, LiveTable::kRight, 3), kLiveOddSlot);
  EXPECT_STREQ(LiveClubLabel(0), "Club");
  EXPECT_STREQ(LiveClubLabel(1), "Nation");
}

// Counts beyond the table, as a hand-made state could hold, never reach past row 50.
TEST(LiveScreenTables, ShownRowsStayWithinTheTable) {
  LiveScreenState s;
  s.leftRowCount = 40;
  s.rightRowCount = 40;
  s.scrollPosition = 20;
  EXPECT_EQ(RowsOfTable(s, LiveTable::kRight).first, 50);
  EXPECT_EQ(RowsOfTable(s, LiveTable::kRight).count, 0);
  EXPECT_EQ(RowsOfTable(s, LiveTable::kSingle).count, 30);
}

}  // namespace
}  // namespace zd
