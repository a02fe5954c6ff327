// The live board of the running program under the mouse: a column boundary dragged in the
// header bar, and Ctrl+clicks on the rows of a loaded series that open the result editors and
// hand a driver's results over.

#include <memory>
#include <optional>
#include <string>

#include "analysis/driver_results_dialog.h"
#include "databases/dialog_driver.h"
#include "files/handover_files.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "gtest_win32.h"
#include "main/board_interaction.h"
#include "main/event_file.h"
#include "main/results_edit.h"
#include "main_window_fixture.h"
#include "wait_for.h"

namespace {

const char* const kDrivers[] = {"Albane Souris", "Bruno Clic", "Carla Molette"};

class BoardMouse : public zd_test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    widths_ = zd::MainState().display.widths;
  }
  void TearDown() override {
    zd_test::SetCtrl(false);
    // The display settings are written when the program ends: as they were.
    zd::MainState().display.widths = widths_;
    zd::MainState().layoutWidths = widths_;
    MainWindowTest::TearDown();
  }

  // A practice series of race 1 with three drivers, selected in the tree and so loaded.
  void LoadSeries() {
    zd::MainWindowState& s = zd::MainState();
    zd_test::WritePracticeSeriesFile(s.event, {kDrivers[0], kDrivers[1], kDrivers[2]});
    zd::TreeViewControl view(tree);
    zd::BuildTreeFromRaceFile(view, s.event);
    TreeView_SelectItem(tree, Item(13101));
    ASSERT_EQ(s.series->rowCount, 3);
    ASSERT_GT(s.boardRows.rowsShown, 2);
  }

  void Mouse(UINT message, int32_t x, int32_t y) {
    SendMessageA(window, message, 0, MAKELPARAM(x, y));
  }
  HCURSOR CursorAt(int32_t x, int32_t y) {
    Mouse(WM_MOUSEMOVE, x, y);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  // The middle of a cell of a row on screen; column -1 for the position cell.
  POINT CellCentre(int column, int32_t row) {
    const zd::MainWindowState& s = zd::MainState();
    const zd::BoardRect r = column < 0 ? s.layout.PositionCell(row, s.boardRows.rowHeight)
                                       : s.layout.Cell(column, row, s.boardRows.rowHeight);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  std::string EditorText(int id) {
    char text[32] = {};
    GetWindowTextA(GetDlgItem(window, id), text, sizeof text);
    return text;
  }

  zd::BoardColumnWidths widths_{};
};

TEST_F(BoardMouse, ADraggedBoundaryWidensItsColumnOnTheBoard) {
  zd::MainWindowState& s = zd::MainState();
  const zd::ScreenScale scale = s.layout.scale;
  const int32_t bar = (scale.Y(123) + scale.Y(145)) / 2;
  const int32_t boundary = zd::ResizeBoundaries(scale, s.display.widths)[1];
  const int32_t before = s.display.widths[1];

  EXPECT_EQ(CursorAt(boundary + 1, bar), s.sizeCursor);
  EXPECT_EQ(CursorAt(boundary + 20, bar), s.arrowCursor);

  Mouse(WM_MOUSEMOVE, boundary, bar);
  Mouse(WM_LBUTTONDOWN, boundary, bar);
  EXPECT_EQ(CursorAt(boundary + 30, bar), s.sizeCursor);  // anywhere in the bar while dragging
  Mouse(WM_MOUSEMOVE, boundary + 40, bar);
  Mouse(WM_LBUTTONUP, boundary + 40, bar);

  EXPECT_EQ(s.display.widths[1], before + 40);
  EXPECT_EQ(s.layoutWidths[1], before + 40);
  EXPECT_EQ(s.layout.edges[2], 60 + s.display.widths[0] + before + 40);
  EXPECT_EQ(CursorAt(boundary + 30, bar), s.arrowCursor);
  EXPECT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window, nullptr, FALSE); }));

  // Released below the bar: no width changes.
  Mouse(WM_MOUSEMOVE, boundary + 40, bar);
  Mouse(WM_LBUTTONDOWN, boundary + 40, bar);
  Mouse(WM_MOUSEMOVE, boundary + 90, bar + 200);
  Mouse(WM_LBUTTONUP, boundary + 90, bar + 200);
  EXPECT_EQ(s.display.widths[1], before + 40);
}

TEST_F(BoardMouse, CtrlClicksOnARowEditItsResultsAndShowItsDriver) {
  LoadSeries();
  zd::MainWindowState& s = zd::MainState();
  Command(zd::kResultsEditOnCommand);

  // A plain click on the laps cell opens nothing; with Ctrl, the laps editor of that row.
  const POINT laps = CellCentre(4, 1);
  Mouse(WM_LBUTTONDOWN, laps.x, laps.y);
  EXPECT_EQ(GetDlgItem(window, 9201), nullptr);
  zd_test::SetCtrl(true);
  Mouse(WM_LBUTTONDOWN, laps.x, laps.y);
  HWND editor = GetDlgItem(window, 9201);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(EditorText(9201), "0");
  const std::string driver = s.series->rankingEntries[1].name.str();

  // Typed laps reach the car in both tables; leaving the mode ranks it first.
  SetWindowTextA(editor, "7");
  EXPECT_EQ((*s.series->liveTable)[1].laps, 7);
  EXPECT_EQ((*s.series->savedTable)[1].laps, 7);
  Command(zd::kResultsEditOffCommand);
  EXPECT_EQ(GetDlgItem(window, 9201), nullptr);
  EXPECT_EQ(s.series->rows[0].name.view(), driver);
  EXPECT_EQ(s.series->rows[0].laps.view(), "7");

  // Ctrl+click on the first row's position: that driver's results handed over and shown.
  const POINT position = CellCentre(-1, 0);
  {
    zd_test::dialogs::DialogDriver results("Analyse résultats pilote", zd::kDriverFirstLap,
                                           [](HWND d) { zd_test::dialogs::Click(d, IDOK); });
    Mouse(WM_LBUTTONDOWN, position.x, position.y);
    EXPECT_TRUE(results.acted());
  }
  EXPECT_EQ(zd::ShownDriver().name.view(), driver);
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  auto entry = std::make_unique<zd::SeriesResultEntry>();
  zd::SeriesTitle title;
  zd::FixedText<40> track;
  zd::RunDescription description;
  ASSERT_TRUE(zd::ReadDriverResultFile(*entry, title, track, description));
  EXPECT_EQ(entry->name.view(), driver);
  EXPECT_EQ(title.view(), s.series->seriesTitle.view());
}

// Real input: the Ctrl key and the left button as the user presses them, through the system's
// input queue, so that the board reads the key's state as it stood at the click.
TEST_F(BoardMouse, ACtrlClickWithRealInputShowsThatDriversLaps) {
  LoadSeries();
  zd::MainWindowState& s = zd::MainState();
  // The first car's laps.
  const std::optional<int> slot = zd::SlotIndexOfRow(s.series->rankingEntries, 0);
  ASSERT_TRUE(slot);
  zd::SeriesResultEntry& car = (*s.series->liveTable)[*slot];
  car.passingCount = 3;
  car.passingTimes[1] = 31250;
  car.passingTimes[2] = 61730;
  car.passingTimes[3] = 92720;
  const std::string driver = s.series->rankingEntries[0].name.str();

  SetForegroundWindow(window);
  POINT cell = CellCentre(-1, 0);
  ClientToScreen(window, &cell);
  const auto key = [](WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    return input;
  };
  const auto button = [](DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
  };
  ASSERT_TRUE(SetCursorPos(cell.x, cell.y));
  INPUT click[] = {key(VK_CONTROL, 0), button(MOUSEEVENTF_LEFTDOWN), button(MOUSEEVENTF_LEFTUP),
                   key(VK_CONTROL, KEYEVENTF_KEYUP)};

  std::string shown;
  int32_t laps = -1;
  zd_test::dialogs::DialogDriver results("Analyse résultats pilote", zd::kDriverFirstLap,
                                         [&](HWND d) {
                                           shown = zd::ShownDriver().name.str();
                                           laps = zd::ShownDriver().passingCount;
                                           zd_test::dialogs::Click(d, IDOK);
                                         });
  ASSERT_EQ(SendInput(4, click, sizeof(INPUT)), 4u);
  EXPECT_TRUE(zd_test::WaitFor([&] { return results.acted(); }));
  EXPECT_EQ(shown, driver);
  EXPECT_EQ(laps, 3);
  EXPECT_EQ(zd::ShownDriver().lapTimes[2], 30480);
  // The key is up again: a plain click opens nothing.
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

}  // namespace
