#include "gtest_win32.h"

#include <algorithm>
#include <string>

#include "board_canvas.h"
#include "live/board_cells.h"
#include "live/board_painters.h"
#include "main/board.h"
#include "main/main_window.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "wait_for.h"

// The live board of the real main window, run in the test's own process, with a series under
// way: painted after the series is loaded, then repainted cell by cell after a passing. Its
// picture is left in the test output folder.

namespace {

using zd_test::BoardCanvas;
using zd_test::Colour;

// Eight cars a few minutes into a series: car 7 has just passed and holds the fastest lap, car 3
// has a new best lap, car 5 has finished, car 9 has abandoned and car 4 has a penalty.
void LoadRunningSeries(zd::MainWindowState& s) {
  struct Car {
    const char* number;
    const char* name;
    const char* club;
    const char* laps;
    const char* total;
    const char* gap;
    const char* previous;
    const char* last;
    const char* best;
    int32_t status, finished, passed, newBest, fastestLap;
  };
  const Car cars[] = {
      {"7", "Martin Leroy", "RC Lyon", "42", "10:03.512", "", "", "14.104", "13.842", 0, 0, 1, 0, 1},
      {"3", "Sophie Garnier", "Mini GP 38", "42", "10:05.977", "2.465", "2.465", "14.390", "13.905",
       0, 0, 0, 1, 0},
      {"12", "Hugo Bernard", "RC Lyon", "41", "10:01.230", "1 tour", "1 tour", "14.588", "14.011",
       0, 0, 0, 0, 0},
      {"5", "Claire Dumas", "Team Ouest", "41", "10:09.004", "1 tour", "7.774", "14.902", "14.230",
       0, 1, 0, 0, 0},
      {"21", "Paul Rivi\xE8re", "Mini GP 38", "40", "10:02.116", "2 tours", "1 tour", "15.120",
       "14.507", 0, 0, 0, 0, 0},
      {"4", "Julie Marchand", "Team Ouest", "39", "10:07.845", "3 tours", "1 tour", "15.408",
       "14.660", 3, 0, 0, 0, 0},
      {"18", "Lucas Faure", "Club Alpin", "37", "10:04.311", "5 tours", "2 tours", "16.012",
       "15.233", 0, 0, 0, 0, 0},
      {"9", "Nina Petit", "Club Alpin", "12", "3:12.770", "30 tours", "25 tours", "15.990", "15.112",
       1, 0, 0, 0, 0},
  };
  zd::LiveSeries& series = *s.series;
  series.rows = {};
  int i = 0;
  for (const Car& car : cars) {
    zd::LiveRow& r = series.rows[i];
    r.position = std::to_string(i + 1);
    r.carNumber = car.number;
    r.name = car.name;
    r.category = "TT 1/10";
    r.club = car.club;
    r.nationCode = "FRA";
    r.laps = car.laps;
    r.totalTime = car.total;
    r.gapToLeader = car.gap;
    r.gapToPrevious = car.previous;
    r.lastLap = car.last;
    r.bestLap = car.best;
    r.transponder = "00" + std::to_string(4100 + 17 * i);
    r.status = car.status;
    r.finished = car.finished;
    r.passed = car.passed;
    r.newBest = car.newBest;
    r.fastestLap = car.fastestLap;
    ++i;
  }
  series.rowCount = i;
  zd::ClearPenaltyTable(s.event.penalties);
  s.event.penalties[0].code = "A";
  s.event.penalties[1].code = "P1";
  s.event.penalties[2].code = "P2";
  series.seriesTitle = " COURSE 1 - EL1 - S\xE9rie2 ";
  series.clockTexts.duration = "0:15:00";
  series.clockTexts.elapsed = "0:10:03";
  series.clockTexts.remaining = "0:04:57";
  s.timer.countdownText = "0s";
  series.radioConflict = 1;
  // Every column wide enough for its texts to show on this screen (the factory's car number
  // column is exactly at its threshold on a screen 1600 wide).
  const int32_t W = GetSystemMetrics(SM_CXSCREEN);
  for (int c = 0; c < zd::kBoardColumns; ++c)
    s.display.widths[c] = std::max(s.display.widths[c], zd::CellTextThreshold(c, W) + 8);
  s.layoutWidths = s.display.widths;
}

class LiveBoardInTheMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    zd::SetMessageAnswerer([](const char*, const char*, UINT) { return IDOK; });
  }
  void TearDown() override {
    if (window_ && IsWindow(window_)) {
      // The display settings are written when the program ends: the widths as they were read,
      // not the ones widened for this screen.
      zd::MainState().display.widths = widths_;
      zd::SetMessageAnswerer([](const char*, const char*, UINT) { return IDNO; });
      SendMessageA(window_, WM_CLOSE, 0, 0);
    }
    zd::SetMessageAnswerer({});
  }

  bool Painted() {
    return zd_test::WaitFor([&] { return !GetUpdateRect(window_, nullptr, FALSE); });
  }

  static RECT ToRect(const zd::BoardRect& r) { return {r.left, r.top, r.right, r.bottom}; }

  HWND window_ = nullptr;
  zd::BoardColumnWidths widths_{};
};

TEST_F(LiveBoardInTheMainWindow, ShowsARunningSeriesAndRepaintsOnlyWhatAPassingChanged) {
  window_ = zd::StartProgram(GetModuleHandleA(nullptr));
  ASSERT_NE(window_, nullptr);
  ASSERT_TRUE(Painted());
  zd::MainWindowState& s = zd::MainState();
  widths_ = s.display.widths;
  LoadRunningSeries(s);
  zd::RefreshBoard(window_);
  ASSERT_TRUE(Painted());

  RECT client;
  GetClientRect(window_, &client);
  BoardCanvas canvas(client.right, client.bottom, RGB(1, 2, 3));
  ASSERT_TRUE(canvas.valid());
  canvas.CopyFrom(window_);

  const int32_t h = s.boardRows.rowHeight;
  ASSERT_GT(h, 0);
  ASSERT_EQ(s.boardRows.rowsShown, 8);
  const auto cell = [&](int column, int row) { return ToRect(s.layout.Cell(column, row, h)); };
  const COLORREF passing = Colour(s.display.colours[zd::kColourPassing]);
  const COLORREF seriesBest = Colour(s.display.colours[zd::kColourSeriesBestLap]);
  const COLORREF driverBest = Colour(s.display.colours[zd::kColourDriverBestLap]);
  EXPECT_GT(canvas.Count(cell(0, 0), passing), 0);
  EXPECT_EQ(canvas.Count(cell(0, 1), passing), 0);
  EXPECT_GT(canvas.Count(cell(9, 0), seriesBest), 0);
  EXPECT_GT(canvas.Count(cell(9, 1), driverBest), 0);
  EXPECT_GT(canvas.Count(cell(zd::kStatusColumn, 3), zd_test::Blackish), 0);  // chequered flag
  EXPECT_GT(canvas.Count(cell(zd::kStatusColumn, 7), RGB(255, 0, 0)), 0);     // " A "
  EXPECT_GT(canvas.Count(cell(zd::kStatusColumn, 5), RGB(255, 0, 0)), 0);     // "P2"
  EXPECT_GT(canvas.Count(ToRect(s.layout.radioConflictBanner),
                         Colour(s.display.colours[zd::kColourRadioConflict])),
            0);
  EXPECT_GT(canvas.Count(ToRect(s.layout.seriesTitlePanel),
                         Colour(s.display.colours[zd::kColourSeriesTitle])),
            0);

  // Car 3 passes: it takes the fastest lap, the highlight moves from car 7 to it.
  zd::LiveRow& leader = s.series->rows[0];
  zd::LiveRow& second = s.series->rows[1];
  leader.passed = 0;
  leader.fastestLap = 0;
  second.passed = 1;
  second.laps = "43";
  second.totalTime = "10:19.812";
  second.lastLap = "13.835";
  second.bestLap = "13.835";
  second.newBest = 0;
  second.fastestLap = 1;
  zd::RedrawChangedLiveCells(window_, s.series->rows, s.series->shownRows, s.scroll, 1000, s.dirty, s.layout, -1,
                             -1, s.boardRows.rowsShown, h);
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : {cell(0, 0), cell(9, 0), cell(0, 1), cell(4, 1), cell(5, 1), cell(8, 1),
                        cell(9, 1)}) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(expected, expected, part, RGN_OR);
    DeleteObject(part);
  }
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(window_, update, FALSE);
  EXPECT_TRUE(EqualRgn(update, expected));
  DeleteObject(update);
  DeleteObject(expected);

  // Something no repaint is asked for: it stays as it was on the screen.
  FillRect(s.dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_TRUE(Painted());
  canvas.CopyFrom(window_);
  EXPECT_EQ(canvas.Count(cell(0, 0), passing), 0);
  EXPECT_GT(canvas.Count(cell(0, 1), passing), 0);
  EXPECT_GT(canvas.Count(cell(9, 1), seriesBest), 0);
  EXPECT_EQ(canvas.Count(cell(9, 1), driverBest), 0);
  EXPECT_EQ(canvas.At(cell(2, 1).left + 5, cell(2, 1).top + 5), RGB(0, 0, 0));

  // The whole board once more, to look at.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ASSERT_TRUE(Painted());
  canvas.CopyFrom(window_);
  EXPECT_GT(canvas.Count(cell(0, 1), passing), 0);
  EXPECT_TRUE(canvas.SavePng(std::string(ZD_TEST_OUTPUT_DIR) + "/live_board.png"));
}

}  // namespace
