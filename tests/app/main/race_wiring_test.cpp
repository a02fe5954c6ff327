// A series run in the main window by its buttons and its timer: the start greys what could change
// the event under the run and the timer starts it, closing is refused while it runs, a lap counted
// reaches the board, the stop gives the controls back and the series is saved when it is left.

#include "gtest_win32.h"

#include <string>

#include "main/race_wiring.h"
#include "main_window_fixture.h"
#include "wait_for.h"

namespace {

class RaceWiring : public zd_test::MainWindowTest {
 protected:
  void Click(int id) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
};

TEST_F(RaceWiring, ASeriesRunsFromItsButtonsAndTheTimer) {
  zd::SeriesParameters parameters;
  parameters.countdown = 0;
  parameters.duration = 10;
  OpenTestEvent(parameters);
  Select(13101);
  zd::MainWindowState& s = zd::MainState();
  ASSERT_EQ(s.series->rowCount, 3);
  EXPECT_EQ(s.series->clockTexts.duration.view(), "0:10:00");

  Click(zd::kStartSeriesButton);
  EXPECT_EQ(s.race.armed + s.race.running, 1);
  EXPECT_TRUE(MenuItemGrayed(1002));
  EXPECT_FALSE(Enabled(zd::kEventTreeId));
  EXPECT_FALSE(Enabled(zd::kStartSeriesButton));
  EXPECT_TRUE(Enabled(zd::kStopSeriesButton));
  ASSERT_TRUE(zd_test::WaitFor([&] { return s.race.running == 1; })) << "the timer never started it";

  boxes.clear();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Zentrik");

  // A lap of the second car, as its manual lap button gives it.
  zd::SeriesResultEntry& car = (*s.series->liveTable)[1];
  car.elapsedTime = 21000;
  car.currentLap = 21000;
  zd::CountLap(zd::MainRaceControl(window).race, 1);
  EXPECT_EQ(s.series->rows[0].name.view(), "Brigitte");
  EXPECT_EQ(s.series->rows[0].laps.view(), "1");
  EXPECT_EQ(s.series->shownRows[0].name.view(), "Brigitte");

  Click(zd::kStopSeriesButton);
  EXPECT_EQ(s.race.running, 0);
  EXPECT_FALSE(MenuItemGrayed(1002));
  EXPECT_TRUE(MenuItemGrayed(1003));  // the event has no file to save to
  EXPECT_TRUE(Enabled(zd::kEventTreeId));
  EXPECT_EQ(s.series->rows[0].finished, 1);
  EXPECT_EQ((*s.series->savedTable)[1].laps, 1);

  Select(13102);
  zd::TreeViewControl view(tree);
  EXPECT_EQ(view.node(zd::ToTreeItem(Item(13101))).image, zd::kImageSeriesWithResults);
  EXPECT_EQ(s.series->rows[0].name.view(), "Denis");
}

}  // namespace
