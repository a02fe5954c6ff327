#include "gtest_win32.h"

#include <string>
#include <vector>

#include <cstdlib>

#include "board_canvas.h"
#include "live_screen_rows.h"
#include "../main/main_window_fixture.h"
#include "live/live_screen_window.h"
#include "main/data_folder.h"
#include "main/main_dialogs.h"
#include "unix_shell.h"
#include "wait_for.h"

// The additional live screen: painted into a picture in memory and read pixel by pixel, then the
// real window opened from the main window's menu and driven as the operator and the race drive it.

namespace {

using zd::LiveScreenState;
using zd::LiveTable;
using zd_test::BoardCanvas;
using zd_test::Colour;

constexpr int32_t kW = 1600;
constexpr int32_t kH = 900;
constexpr COLORREF kCanvas = RGB(242, 242, 242);

class LiveScreenPainting : public ::testing::Test {
 protected:
  void SetUp() override {
    // The chequered flag and the nation flags are files of the data folder.
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(canvas_.valid());
    zd_test::FillLiveScreenRows(s_.rows, 50);
    s_.header.rowCount = 50;
    s_.header.seriesTitle = "Open - EL1 - S\xE9rie1";
    s_.header.clock.duration = "0:15:00";
    s_.header.clock.elapsed = "0:10:03";
    s_.header.clock.remaining = "0:04:57";
    zd::OpenLiveScreen(s_, kW, kH);
    zd::RefreshLiveScreen(s_, zd::kLiveRefreshLayout, true);
  }

  void Paint() {
    canvas_.Fill({0, 0, kW, kH}, kCanvas);
    zd::PaintLiveScreen(canvas_.dc(), s_);
  }

  // Inside the slot, between the grid lines and above the texts, at design column d.
  COLORREF SlotBackground(LiveTable table, int32_t slot, int32_t d) const {
    const int32_t x = zd::LiveTableX(s_, zd::LiveTableLeft(s_, table), d);
    return canvas_.At(x, zd::LiveSlotTop(s_, slot) + 4);
  }
  // The inside of the finish column's cell of a slot.
  RECT FinishCell(LiveTable table, int32_t slot) const {
    const zd::LiveTableColumns columns = zd::LiveColumnsOf(s_.tableMode);
    const zd::LiveScreenColumn& fin = columns.columns[columns.count - 1];
    const int32_t left = zd::LiveTableLeft(s_, table);
    return {zd::LiveTableX(s_, left, fin.from) + 2, zd::LiveSlotTop(s_, slot) + 2,
            zd::LiveTableX(s_, left, fin.to) - 1, zd::LiveSlotBottom(s_, slot) - 1};
  }
  RECT FlagBox(int32_t slot) const {
    const int32_t x = zd::LiveTableX(s_, zd::LiveTableLeft(s_, LiveTable::kSingle), 430);
    const int32_t y = zd::LiveSlotY(s_, slot, zd::kLiveImageTop);
    const zd::PictureSize size = zd::LiveImageSize(s_, 33, 20);
    return {x, y, x + size.cx, y + size.cy};
  }
  // The width of the dark pixels of a label, seen across the label bar in design columns from..to.
  int LabelWidth(int32_t from, int32_t to) const {
    const int32_t left = zd::LiveTableLeft(s_, LiveTable::kSingle);
    int first = -1, last = -1;
    for (int x = zd::LiveTableX(s_, left, from) + 2; x < zd::LiveTableX(s_, left, to) - 1; ++x)
      for (int y = zd::LiveLabelBarTop(s_) + 2; y < zd::LiveLabelBarBottom(s_) - 1; ++y)
        if (zd_test::Dark(canvas_.At(x, y))) {
          if (first < 0) first = x;
          last = x;
        }
    return first < 0 ? 0 : last - first + 1;
  }

  LiveScreenState s_;
  BoardCanvas canvas_{kW, kH, kCanvas};
};

TEST_F(LiveScreenPainting, TheLeaderIsPinkOnlyWhileItShows) {
  Paint();
  const COLORREF pink = Colour(zd::kLiveLeaderSlot);
  EXPECT_EQ(SlotBackground(LiveTable::kSingle, 0, 645), pink);
  EXPECT_EQ(SlotBackground(LiveTable::kSingle, 1, 645), Colour(zd::kLiveOddSlot));
  EXPECT_EQ(SlotBackground(LiveTable::kSingle, 2, 645), Colour(zd::kLiveEvenSlot));
  EXPECT_EQ(canvas_.At(645, 146), Colour(zd::kLiveLabelBar));
  EXPECT_GE(canvas_.Count({338, 165, 343, 175}, Colour(zd::kLiveGrid)), 20);  // a separator
  EXPECT_GT(canvas_.Count({1060, 95, 1178, 125}, Colour(zd::kLiveClockBox)), 1000);
  // Below the 22 slots, the window's background.
  EXPECT_EQ(canvas_.At(645, zd::LiveSlotBottom(s_, 21) + 5), kCanvas);

  zd::ScrollLiveScreen(s_, zd::LiveScrollRequest::kLineDown, 0);
  Paint();
  const RECT table = {300, 157, 1300, 900};
  EXPECT_EQ(canvas_.Count(table, pink), 0);
  EXPECT_EQ(SlotBackground(LiveTable::kSingle, 0, 645), Colour(zd::kLiveEvenSlot));

  zd::SetLiveTableMode(s_, true);
  zd::ScrollLiveScreen(s_, zd::LiveScrollRequest::kPageDown, 0);
  ASSERT_GT(s_.scrollPosition, 0);
  Paint();
  EXPECT_EQ(SlotBackground(LiveTable::kLeft, 0, 530), pink);
  EXPECT_EQ(SlotBackground(LiveTable::kRight, 0, 530), Colour(zd::kLiveEvenSlot));
  EXPECT_EQ(SlotBackground(LiveTable::kRight, 1, 530), Colour(zd::kLiveOddSlot));
  EXPECT_EQ(canvas_.Count({810, 157, 1540, 900}, pink), 0);
  EXPECT_TRUE(canvas_.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/live_screen_two_tables.png"));
}

TEST_F(LiveScreenPainting, TheFinishColumnShowsTheFlagOrTheAbandonment) {
  s_.rows[0].finished = 1;                       // chequered flag
  s_.rows[1].finished = 1;                       // finished, abandoned
  s_.rows[1].status = 1;
  s_.rows[2].status = 1;                         // abandoned, not finished: nothing
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    zd::SetLiveTableMode(s_, mode == 2);
    Paint();
    const LiveTable table = mode == 2 ? LiveTable::kLeft : LiveTable::kSingle;
    EXPECT_GT(canvas_.Count(FinishCell(table, 0), zd_test::Blackish), 10);
    EXPECT_EQ(canvas_.Count(FinishCell(table, 0), RGB(255, 0, 0)), 0);
    EXPECT_GT(canvas_.Count(FinishCell(table, 1), RGB(255, 0, 0)), 10);
    EXPECT_GT(canvas_.Count(FinishCell(table, 1), RGB(255, 255, 255)), 10);
    EXPECT_EQ(canvas_.Count(FinishCell(table, 1), zd_test::Blackish), 0);
    const COLORREF even = Colour(zd::kLiveEvenSlot);
    const RECT nothing = FinishCell(table, 2);
    EXPECT_EQ(canvas_.Count(nothing, even),
              (nothing.right - nothing.left) * (nothing.bottom - nothing.top));
  }
}

TEST_F(LiveScreenPainting, NationsWithTheirFlagsOnlyInOneTable) {
  const auto blue = [](COLORREF c) { return GetBValue(c) > 120 && GetRValue(c) < 80; };
  const auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 80; };
  Paint();
  const int clubLabel = LabelWidth(370, 470);
  const RECT flag = FlagBox(1);
  EXPECT_EQ(canvas_.Count(flag, blue), 0);
  EXPECT_EQ(canvas_.Count(flag, red), 0);

  s_.header.nationFlag = 1;
  s_.rows[2].nationCode = "ITA";
  s_.rows[3].nationCode = "ZZZ";  // no such flag: nothing drawn
  Paint();
  EXPECT_GT(LabelWidth(370, 470), clubLabel + 5);  // "Nation" is wider than "Club"
  // The flag of France: blue, white and red; then Italy's: green, white and red.
  const auto green = [](COLORREF c) { return GetGValue(c) > 100 && GetRValue(c) < 80; };
  EXPECT_GT(canvas_.Count(flag, blue), 20);
  EXPECT_GT(canvas_.Count(flag, red), 20);
  EXPECT_EQ(canvas_.Count(flag, green), 0);
  EXPECT_GT(canvas_.Count(FlagBox(2), green), 20);
  EXPECT_EQ(canvas_.Count(FlagBox(2), blue), 0);
  EXPECT_EQ(canvas_.Count(FlagBox(3), red), 0);
  EXPECT_GT(canvas_.Count(FlagBox(4), blue), 20);

  // Two tables have neither club nor nation: nothing of a flag anywhere.
  zd::SetLiveTableMode(s_, true);
  Paint();
  EXPECT_EQ(canvas_.Count({60, 157, 1540, 900}, blue), 0);
}

TEST_F(LiveScreenPainting, ZoomedAndEmpty) {
  for (int i = 0; i < 6; ++i) zd::ZoomLiveScreen(s_, true);
  Paint();
  EXPECT_EQ(canvas_.At(152, 160), Colour(zd::kLiveLabelBar));
  EXPECT_EQ(SlotBackground(LiveTable::kSingle, 0, 645), Colour(zd::kLiveLeaderSlot));
  EXPECT_EQ(canvas_.At(155, 200), Colour(zd::kLiveLeaderSlot));
  EXPECT_EQ(canvas_.At(145, 200), kCanvas);

  s_.header.rowCount = 0;
  zd::RefreshLiveScreen(s_, zd::kLiveRefreshLayout, true);
  Paint();
  EXPECT_EQ(canvas_.At(645, 146), Colour(zd::kLiveLabelBar));
  EXPECT_EQ(canvas_.Count({150, 166, 1450, 900}, [](COLORREF c) { return c != kCanvas; }), 0);
}

TEST_F(LiveScreenPainting, StatusBadgeAndError) {
  const RECT status = {940, 60, 1300, 95};
  const auto red = [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60; };
  Paint();
  EXPECT_EQ(canvas_.Count(status, red), 0);
  EXPECT_EQ(canvas_.Count(status, zd_test::Dark), 0);
  zd::RefreshLiveScreen(s_, zd::kLiveRefreshValues, true);
  Paint();
  EXPECT_GT(canvas_.Count({1200, 60, 1297, 95}, RGB(255, 0, 0)), 100);  // the badge
  EXPECT_GT(canvas_.Count(status, zd_test::Dark), 50);
  for (int i = 0; i < 50; ++i) s_.rows[i].finished = 1;
  zd::RefreshLiveScreen(s_, zd::kLiveRefreshValues, true);
  Paint();
  EXPECT_EQ(canvas_.Count(status, RGB(255, 0, 0)), 0);
  EXPECT_GT(canvas_.Count(status, zd_test::Dark), 50);
  zd::RefreshLiveScreen(s_, zd::kLiveRefreshValues, false);
  Paint();
  EXPECT_GT(canvas_.Count(status, red), 50);  // the error, within the box
  EXPECT_EQ(canvas_.Count({900, 60, 940, 95}, red), 0);
  EXPECT_EQ(canvas_.Count({1300, 60, 1340, 95}, red), 0);
}

// A JPEG logo is converted at each paint and fitted into 196 x 50 at the title band's corner.
TEST_F(LiveScreenPainting, TheLogoInTheTitleBandsCorner) {
  struct Case {
    const char* size;
    int width, height;
  };
  const auto nearBlue = [](COLORREF c) {
    return std::abs(GetRValue(c) - 0x20) < 12 && std::abs(GetGValue(c) - 0x50) < 12 &&
           std::abs(GetBValue(c) - 0xC0) < 12;
  };
  for (const Case& c : {Case{"400x100", 200, 50}, Case{"100x400", 12, 50}}) {
    SCOPED_TRACE(c.size);
    ASSERT_TRUE(zd_test::MakePicture(std::string("-size ") + c.size + " xc:'#2050c0'",
                                     "Images\\zd_live_logo.jpg"));
    s_.logoPath = zd::DataFolderPath() + "\\Images\\zd_live_logo.jpg";
    Paint();
    EXPECT_TRUE(nearBlue(canvas_.At(300, 10)));
    EXPECT_TRUE(nearBlue(canvas_.At(300 + c.width - 1, 10 + c.height - 1)));
    EXPECT_EQ(canvas_.At(300 + c.width + 1, 20), kCanvas);
    EXPECT_EQ(canvas_.At(310, 10 + c.height + 1), kCanvas);
    EXPECT_EQ(canvas_.At(299, 20), kCanvas);
  }
  s_.logoPath = "";
  Paint();
  EXPECT_EQ(canvas_.At(305, 15), kCanvas);
  for (const char* file : {"Images\\zd_live_logo.jpg", "Images\\ConvertionJPEG.bmp"}) DeleteFileA(file);
}

// ---- The window.

class LiveScreenWindow : public zd_test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    zd::SetMessageAnswerer([this](const char* text, const char* caption, UINT flags) {
      boxes.push_back({caption, text});
      flags_.push_back(flags);
      if (answers.empty()) return IDOK;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
    zd::LiveSeries& series = *zd::MainState().series;
    zd_test::FillLiveScreenRows(series.rows, 50);
    series.rowCount = 50;
    series.seriesTitle = "Open - EL1 - S\xE9rie1";
    series.clockTexts.duration = "0:15:00";
  }
  void TearDown() override {
    if (HWND screen = Screen(); screen && IsWindow(screen)) SendMessageA(screen, WM_CLOSE, 0, 0);
    zd::MainState().series->rowCount = 0;
    MainWindowTest::TearDown();
  }

  static HWND Screen() { return zd::MainState().liveScreen; }
  static HWND Item(int id) { return GetDlgItem(Screen(), id); }
  static const LiveScreenState& State() { return zd::LiveScreen(); }

  static int ScreensOpen() {
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM count) -> BOOL {
          char caption[64] = {};
          GetWindowTextA(w, caption, sizeof caption);
          if (std::string(caption) == "Course live") ++*reinterpret_cast<int*>(count);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
  }
  static void Refresh(int32_t kind) { SendMessageA(Screen(), WM_USER, 1, kind); }
  static void Scroll(int request) {
    SendMessageA(Screen(), WM_VSCROLL, MAKEWPARAM(request, 0),
                 reinterpret_cast<LPARAM>(Item(zd::kLiveScrollBar)));
  }
  static int BarMax() {
    int low = 0, high = 0;
    GetScrollRange(Item(zd::kLiveScrollBar), SB_CTL, &low, &high);
    return high;
  }
  static int BarPosition() { return GetScrollPos(Item(zd::kLiveScrollBar), SB_CTL); }
  static bool BarShown() { return IsWindowVisible(Item(zd::kLiveScrollBar)) != FALSE; }
  static bool Painted() {
    return zd_test::WaitFor([] { return !GetUpdateRect(Screen(), nullptr, FALSE); });
  }

  std::vector<UINT> flags_;
};

TEST_F(LiveScreenWindow, OpensOnceRefreshesZoomsScrollsAndClosesAgain) {
  Command(1015);
  ASSERT_NE(Screen(), nullptr);
  EXPECT_TRUE(boxes.empty()) << boxes[0].text;
  EXPECT_EQ(zd::MainState().liveScreenOpen, 1);
  EXPECT_EQ(ScreensOpen(), 1);
  EXPECT_TRUE(IsWindowVisible(Screen()));
  EXPECT_TRUE(IsZoomed(Screen()));
  RECT frame;
  GetWindowRect(Screen(), &frame);
  EXPECT_LE(frame.left, 0);
  EXPECT_GE(frame.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(State().W, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(State().header.rowCount, 50);
  EXPECT_EQ(State().lastRefreshKind, 1);
  EXPECT_EQ(State().rowsThatFit, zd::RowsThatFit(State().H, 100));
  const int32_t F = State().rowsThatFit;
  EXPECT_EQ(State().leftRowCount, F);
  EXPECT_EQ(BarMax(), 50 - F);
  EXPECT_TRUE(BarShown());
  ASSERT_TRUE(Painted());

  // Open again: the message, and no second screen.
  Command(1015);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Erreur");
  EXPECT_EQ(boxes[0].text, "L'\xE9" "cran de la s\xE9rie en Live est d\xE9j\xE0 ouvert");
  EXPECT_EQ(flags_[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(ScreensOpen(), 1);
  boxes.clear();

  // Values keep the position, a new layout resets it.
  Scroll(SB_LINEDOWN);
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(BarPosition(), 2);
  Refresh(2);
  EXPECT_EQ(State().scrollPosition, 2);
  EXPECT_EQ(BarPosition(), 2);
  EXPECT_STREQ(zd::LiveScreenStatus(State()).text, "(Course en cours)");
  Refresh(1);
  EXPECT_EQ(State().scrollPosition, 0);
  EXPECT_EQ(BarPosition(), 0);

  // Zoom in, then two tables back at 100 %.
  SendMessageA(Item(zd::kLiveZoomInButton), BM_CLICK, 0, 0);
  EXPECT_EQ(State().zoom, 105);
  EXPECT_EQ(BarMax(), 50 - zd::RowsThatFit(State().H, 105));
  Scroll(SB_PAGEDOWN);
  EXPECT_EQ(BarPosition(), BarMax());
  SendMessageA(Item(zd::kLiveTwoTablesCheck), BM_CLICK, 0, 0);
  EXPECT_EQ(State().tableMode, 2);
  EXPECT_EQ(State().zoom, 100);
  EXPECT_EQ(BarMax(), 50 - 2 * F);
  EXPECT_EQ(BarPosition(), 0);
  Scroll(SB_LINEDOWN);
  EXPECT_EQ(zd::RowsOfTable(State(), LiveTable::kLeft).first, 0);
  EXPECT_EQ(zd::RowsOfTable(State(), LiveTable::kRight).first, F + 1);
  RECT bar;
  GetWindowRect(Item(zd::kLiveScrollBar), &bar);
  MapWindowPoints(nullptr, Screen(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.left, zd::LiveScrollBarPlacement(State()).left);
  ASSERT_TRUE(Painted());
  {
    RECT client;
    GetClientRect(Screen(), &client);
    BoardCanvas picture(client.right, client.bottom, RGB(1, 2, 3));
    picture.CopyFrom(Screen());
    EXPECT_TRUE(picture.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/live_screen_window.png"));
    EXPECT_EQ(picture.At(zd::LiveTableX(State(), zd::LiveTableLeft(State(), LiveTable::kLeft), 530),
                         zd::LiveSlotTop(State(), 0) + 4),
              Colour(zd::kLiveLeaderSlot));
  }

  // The live file gone: no box, the error in the status box, empty tables at the next layout.
  ASSERT_TRUE(DeleteFileA(zd_test::InDataFolder("WebResults\\Live.txt").c_str()));
  Refresh(2);
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(zd::LiveScreenStatus(State()).error);
  EXPECT_EQ(State().header.rowCount, 0);
  Refresh(1);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(BarShown());
  ASSERT_TRUE(Painted());
  {
    BoardCanvas picture(kW, kH, RGB(1, 2, 3));
    picture.CopyFrom(Screen());
    const zd::LiveScreenLayout layout = zd::ComputeLiveScreenLayout(State().W, State().H, 100);
    const zd::BoardRect& box = layout.statusBox;
    EXPECT_GT(picture.Count({box.left, box.top, box.right, box.bottom},
                            [](COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 60; }),
              50);
  }

  // The close box: the flag falls, the main window forgets the screen and opens a new one.
  SendMessageA(Screen(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(zd::MainState().liveScreenOpen, 0);
  EXPECT_EQ(ScreensOpen(), 0);
  zd::MainWindowState& s = zd::MainState();
  zd::SendLiveScreenRefresh(s.liveScreen, s.liveScreenOpen, 2);
  EXPECT_EQ(s.liveScreen, nullptr);
  Command(1015);
  EXPECT_TRUE(boxes.empty());
  ASSERT_NE(Screen(), nullptr);
  EXPECT_EQ(zd::MainState().liveScreenOpen, 1);
  EXPECT_EQ(ScreensOpen(), 1);
  EXPECT_EQ(State().tableMode, 1);
  EXPECT_EQ(IsDlgButtonChecked(Screen(), zd::kLiveTwoTablesCheck), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(State().header.rowCount, 50);

  // Destroyed by anyone else, the screen says so as well.
  DestroyWindow(Screen());
  EXPECT_EQ(zd::MainState().liveScreenOpen, 0);
}

// Without the display settings the screen says so when it opens, and opens without a logo.
TEST_F(LiveScreenWindow, OpensWithoutTheDisplaySettings) {
  const std::string settings = zd_test::InDataFolder("Private\\R\xE9glagesAffichage.rgsc");
  const std::string aside = settings + ".aside";
  ASSERT_TRUE(MoveFileExA(settings.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING));
  zd::LiveScreen().logoPath = "Images/logo.bmp";
  Command(1015);
  MoveFileExA(aside.c_str(), settings.c_str(), MOVEFILE_REPLACE_EXISTING);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error: Display settings file not found");
  EXPECT_EQ(flags_[0], static_cast<UINT>(MB_OK));
  EXPECT_EQ(zd::MainState().liveScreenOpen, 1);
  EXPECT_TRUE(State().logoPath.empty());
  EXPECT_EQ(State().header.rowCount, 50);
}

}  // namespace
