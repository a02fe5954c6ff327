// The run analysis and correction dialogs opened by their real commands on a loaded practice
// series with results: the detailed results (views switched, scrolled, a legend clicked), a
// penalty given by Ctrl + right-click on a position cell, and the run comment.

#include "gtest_win32.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_dialogs.h"
#include "analysis/position_chart.h"
#include "databases/dialog_driver.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "main/board_interaction.h"
#include "main/event_file.h"
#include "main/live_ranking.h"
#include "main/main_dialogs.h"
#include "main/race_wiring.h"
#include "main/results_edit.h"
#include "main/main_window_fixture.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace {

using namespace zd_test::dialogs;

constexpr int kDrivers = 12;

bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }
void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }
int BarPosition(HWND d, int id) { return GetScrollPos(GetDlgItem(d, id), SB_CTL); }
int BarMaximum(HWND d, int id) {
  int low = 0, high = 0;
  GetScrollRange(GetDlgItem(d, id), SB_CTL, &low, &high);
  return high;
}
void Scroll(HWND d, UINT message, int bar, WORD request) {
  SendMessageA(d, message, MAKEWPARAM(request, 0), reinterpret_cast<LPARAM>(GetDlgItem(d, bar)));
}

// What the user sees, for a look at the dialog.
void SavePicture(HWND d, const std::string& name) {
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(zd_test::RunShell("import -window root " +
                                zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name)));
}

class AnalysisDialogs : public zd_test::MainWindowTest {
 protected:
  void TearDown() override {
    zd_test::SetCtrl(false);
    MainWindowTest::TearDown();
  }

  // A practice series of race 1 with twelve drivers, loaded from the tree, and its run: driver i
  // has 25 - i laps of about 30 s after a run-up from the signal; the board ranks it.
  void LoadSeriesWithRun() {
    zd::MainWindowState& s = zd::MainState();
    std::vector<std::string> drivers;
    for (int i = 0; i < kDrivers; ++i)
      drivers.push_back("Pilote " + std::string(1, static_cast<char>('A' + i)));
    zd::ClearPenaltyTable(s.event.penalties);
    zd::PenaltyRecord& abandon = s.event.penalties[0];
    abandon.code = "A";
    abandon.name = "Abandon pilote";
    abandon.amount = 600;
    abandon.kind = zd::kPenaltyReplaceRaceTime;
    zd::PenaltyRecord& cut = s.event.penalties[1];
    cut.code = "P1";
    cut.name = "Coupe";
    cut.amount = 2;
    cut.kind = zd::kPenaltyRemoveLaps;
    zd_test::WritePracticeSeriesFile(s.event, drivers, [&](zd::TextFile& file) {
      ASSERT_TRUE(zd::WritePenaltiesSection(file, s.event.penalties).ok);
    });
    zd::TreeViewControl view(tree);
    zd::BuildTreeFromRaceFile(view, s.event);
    TreeView_SelectItem(tree, Item(13101));
    ASSERT_EQ(s.series->rowCount, kDrivers);

    int i = 0;
    for (zd::SeriesResultEntry& slot : *s.series->liveTable) {
      if (zd::IsEmptySlot(slot)) continue;
      const int laps = 25 - i;
      slot.passingCount = laps;
      slot.laps = laps;
      slot.passingTimes[0] = 700 + 90 * i;
      slot.bestLap = 0;
      for (int k = 1; k <= laps; ++k) {
        slot.passingTimes[k] = slot.passingTimes[k - 1] + 30000 + 40 * i + ((k + i) % 4) * 300;
        const int32_t lap = slot.passingTimes[k] - slot.passingTimes[k - 1];
        if (slot.bestLap == 0 || lap < slot.bestLap) slot.bestLap = lap;
      }
      slot.raceTime = slot.passingTimes[laps];
      ++i;
    }
    *s.series->savedTable = *s.series->liveTable;
    s.series->startingListShown = 0;
    zd::RankLiveSeries(s.series->parameters.rankingMode, *s.series->savedTable,
                       s.series->rankingEntries, s.series->rows, s.series->rowCount);
    InvalidateRect(window, nullptr, TRUE);
  }

  // The series section as the race file holds it.
  std::unique_ptr<zd::SeriesTable> SavedSection(zd::SeriesTexts& texts) {
    auto table = std::make_unique<zd::SeriesTable>();
    zd::TextFile file;
    EXPECT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
    EXPECT_TRUE(zd::FindSection(file, "DadevuDore1EL1S1"));
    EXPECT_TRUE(zd::ReadSeriesResultsSection(file, *table, texts));
    return table;
  }
};

TEST_F(AnalysisDialogs, DetailedResultsSwitchScrollAndSelectADriver) {
  LoadSeriesWithRun();
  DialogDriver driver("Résultats détaillés série", 9401, [&](HWND d) {
    // No font of its own: the template's 550 x 330 units at two pixels each, as on Windows,
    // hold the drawing up to x 1050 and y 600. Wine's system font gives 1.75 pixels across
    // (963 for 550 units): the window spreads its controls to two, so that the tenth column and
    // the chart's right end show, with the lap bar right of them and the driver bar below.
    RECT client;
    GetClientRect(d, &client);
    EXPECT_GE(client.right, 1050);
    EXPECT_GE(client.bottom, 600);
    const RECT lapBar = zd_test::dialogs::ControlRect(d, 9404);
    EXPECT_GE(lapBar.left, 1050);
    EXPECT_LE(lapBar.right, client.right);
    const RECT driverBar = zd_test::dialogs::ControlRect(d, 9405);
    EXPECT_GE(driverBar.top, 600);
    EXPECT_LE(driverBar.right, 1052);
    EXPECT_LE(zd_test::dialogs::ControlRect(d, IDOK).bottom, client.bottom);
    RecordProperty("client_width", static_cast<int>(client.right));

    EXPECT_EQ(IsDlgButtonChecked(d, 9401), BST_CHECKED);
    ASSERT_TRUE(Shown(d, 9404));  // 25 laps
    EXPECT_EQ(BarMaximum(d, 9404), 6);
    ASSERT_TRUE(Shown(d, 9405));  // 12 drivers
    EXPECT_EQ(BarMaximum(d, 9405), 2);
    SavePicture(d, "run_detail_race_times.png");

    Scroll(d, WM_VSCROLL, 9404, SB_PAGEDOWN);
    Scroll(d, WM_HSCROLL, 9405, SB_LINEDOWN);
    EXPECT_EQ(BarPosition(d, 9404), 6);
    EXPECT_EQ(BarPosition(d, 9405), 1);
    SavePicture(d, "run_detail_race_times_scrolled.png");

    Press(d, 9402);
    EXPECT_EQ(IsDlgButtonChecked(d, 9402), BST_CHECKED);
    EXPECT_EQ(BarPosition(d, 9404), 0);
    EXPECT_EQ(BarPosition(d, 9405), 0);
    SavePicture(d, "run_detail_lap_times.png");

    Press(d, 9403);
    EXPECT_FALSE(Shown(d, 9404));
    ASSERT_TRUE(Shown(d, 9405));
    EXPECT_EQ(BarMaximum(d, 9405), 16);

    // The same run as the dialog read it, to aim at a legend entry and a point of the chart.
    auto run = std::make_unique<zd::RunDetail>();
    ASSERT_TRUE(zd::LoadRunDetail(*run));
    ASSERT_EQ(run->driverCount, kDrivers);
    const std::vector<zd::LegendEntry> legend = zd::ChartLegend(*run, 0);
    const zd::LegendEntry& third = legend[2];
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, third.y + 5));
    EXPECT_EQ(zd::SelectedChartDriver(), third.driver);
    const int32_t x = zd::ChartLapX(4);
    const int32_t y = zd::ChartPlaceY(run->table[third.driver].positions[4], kDrivers);
    SendMessageA(d, WM_MOUSEMOVE, 0, MAKELPARAM(x + 1, y - 2));
    UpdateWindow(d);
    HDC dc = GetDC(d);
    EXPECT_EQ(GetPixel(dc, std::clamp(x, 395, 1005) - 35, std::clamp(y, 80, 600) - 10),
              RGB(255, 255, 255));  // inside the bubble
    ReleaseDC(d, dc);
    SavePicture(d, "run_detail_chart.png");

    Scroll(d, WM_HSCROLL, 9405, SB_PAGEDOWN);
    EXPECT_EQ(BarPosition(d, 9405), 16);
    SavePicture(d, "run_detail_chart_last_laps.png");

    // Back to a grid: both bars at 0 again.
    Press(d, 9401);
    EXPECT_TRUE(Shown(d, 9404));
    EXPECT_EQ(BarPosition(d, 9404), 0);
    EXPECT_EQ(BarPosition(d, 9405), 0);
    EXPECT_EQ(BarMaximum(d, 9405), 2);

    // Escape leaves the window open; "Ok" closes it.
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(d));
    Press(d, IDOK);
  });
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kSeriesResultsCommand, 0), 0);
  EXPECT_TRUE(driver.acted());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(AnalysisDialogs, APenaltyChosenOnAPositionCellRanksTheBoardAgainAndIsSaved) {
  LoadSeriesWithRun();
  zd::MainWindowState& s = zd::MainState();
  const std::string leader = s.series->rankingEntries[0].name.str();
  const std::string second = s.series->rankingEntries[1].name.str();
  answers = {IDNO};  // keep the race's own penalties

  DialogDriver driver("Pénalités et Abandons", 9302, [&](HWND d) {
    EXPECT_EQ(Text(d, 9301), "Voiture/moto '# ' - " + leader);
    EXPECT_EQ(SendDlgItemMessageA(d, 9302, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(d, 9302, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(d, 9306), "Pénalité attribuée :");
    EXPECT_EQ(Text(d, 9303), "Aucune pénalité attribuée");
    SelectLine(d, 9302, 2);
    EXPECT_EQ(Text(d, 9306), "Pénalité attribuée : P1");
    EXPECT_EQ(Text(d, 9303), "Coupe");
    EXPECT_EQ(Text(d, 9304), "2 tours retirés au nombre de tours du pilote");
    SavePicture(d, "penalty_assign.png");
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);  // Escape: the choice stays
  });
  zd_test::SetCtrl(true);
  const zd::BoardRect cell = s.layout.PositionCell(0, s.boardRows.rowHeight);
  SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL,
               MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  zd_test::SetCtrl(false);
  ASSERT_TRUE(driver.acted());
  ASSERT_EQ(boxes.size(), 1u);  // the question about the database's penalties

  // Two laps fewer: the leader drops behind the drivers of 24 and 23 laps.
  EXPECT_EQ(s.series->rankingEntries[0].name.str(), second);
  EXPECT_EQ(s.series->rankingEntries[2].name.str(), leader);
  EXPECT_EQ(s.series->rankingEntries[2].penaltyIndex, 2);
  EXPECT_EQ(s.series->rankingEntries[2].laps, 23);

  ASSERT_TRUE(zd::SaveSeriesResults(zd::MainSeriesDesk(window)));
  zd::SeriesTexts texts;
  const auto saved = SavedSection(texts);
  bool found = false;
  for (const zd::SeriesResultEntry& slot : *saved) {
    if (slot.name != leader) continue;
    found = true;
    EXPECT_EQ(slot.penaltyIndex, 2);
  }
  EXPECT_TRUE(found);
}

TEST_F(AnalysisDialogs, TheRunCommentKeepsItsLinesAndLosesItsTabs) {
  LoadSeriesWithRun();
  zd::MainWindowState& s = zd::MainState();
  s.series->texts.trackCondition = "Dry";
  s.series->texts.comment = "Ancien";

  // Typing stops at 98 characters; "Echap" keeps what the series had.
  {
    DialogDriver driver("Commentaire série", 9604, [&](HWND d) {
      EXPECT_EQ(IsDlgButtonChecked(d, 9601), BST_CHECKED);
      EXPECT_EQ(Text(d, 9604), "Ancien");
      HWND edit = GetDlgItem(d, 9604);
      SendMessageA(edit, EM_SETSEL, 0, -1);
      for (int i = 0; i < 120; ++i) SendMessageA(edit, WM_CHAR, 'a', 0);
      EXPECT_EQ(GetWindowTextLengthA(edit), 98);
      Press(d, 9603);
      Press(d, IDCANCEL);
    });
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kSeriesCommentCommand, 0), 0);
    ASSERT_TRUE(driver.acted());
  }
  EXPECT_EQ(s.series->texts.trackCondition.view(), "Dry");
  EXPECT_EQ(s.series->texts.comment.view(), "Ancien");

  // A pasted TAB becomes a blank, the line break stays; Enter in the edit is a line break.
  {
    DialogDriver driver("Commentaire série", 9604, [&](HWND d) {
      Type(d, 9604, "Piste\tgrasse\r\nvent");
      HWND edit = GetDlgItem(d, 9604);
      SendMessageA(edit, EM_SETSEL, -1, -1);
      SendMessageA(edit, WM_CHAR, VK_RETURN, 0);
      SendMessageA(edit, WM_CHAR, 'x', 0);
      EXPECT_TRUE(IsWindow(d));
      Press(d, 9602);
      SavePicture(d, "series_comment.png");
      Press(d, IDOK);
    });
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kSeriesCommentCommand, 0), 0);
    ASSERT_TRUE(driver.acted());
  }
  EXPECT_EQ(s.series->texts.trackCondition.view(), "Pluie");
  EXPECT_EQ(s.series->texts.comment.view(), "Piste grasse\nvent\nx");
  EXPECT_TRUE(zd_test::SameBytes(zd_test::ReadWindowsFile(zd_test::InDataFolder("CommentaireSerie.res")),
                                 "Pluie\tPiste grasse\r\nvent\r\nx\t\r\n"));

  // The race file reads the comment back, lines and all.
  ASSERT_TRUE(zd::SaveSeriesResults(zd::MainSeriesDesk(window)));
  zd::SeriesTexts texts;
  SavedSection(texts);
  EXPECT_EQ(texts.comment.view(), "Piste grasse\nvent\nx");
  EXPECT_EQ(texts.trackCondition.view(), "Pluie");
}

TEST_F(AnalysisDialogs, AnIndexOffTheListSelectsNothingAndStaysUntilALineIsPicked) {
  LoadSeriesWithRun();
  zd::LiveRankingEntry row;
  row.name = "Pilote A";
  row.penaltyIndex = 9;
  DialogDriver driver("Pénalités et Abandons", 9302, [&](HWND d) {
    EXPECT_EQ(SendDlgItemMessageA(d, 9302, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(Text(d, 9306), "Pénalité attribuée :");
    EXPECT_EQ(Text(d, 9303), "Aucune pénalité attribuée");
    EXPECT_EQ(Text(d, 9304), "");
    Press(d, IDOK);
  });
  zd::OpenPenaltyAssignDialog(window, row);
  ASSERT_TRUE(driver.acted());
  EXPECT_EQ(row.penaltyIndex, 9);
}

TEST_F(AnalysisDialogs, AnUnknownConditionAndAnEmptyCommentAreSavedAsTheyShould) {
  LoadSeriesWithRun();
  zd::MainWindowState& s = zd::MainState();
  s.series->texts.trackCondition = "Neige";
  s.series->texts.comment = "";
  DialogDriver driver("Commentaire série", 9604, [&](HWND d) {
    EXPECT_EQ(IsDlgButtonChecked(d, 9601), BST_CHECKED);
    Press(d, IDOK);
  });
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(zd::kSeriesCommentCommand, 0), 0);
  ASSERT_TRUE(driver.acted());
  EXPECT_EQ(zd_test::ReadWindowsFile(zd_test::InDataFolder("CommentaireSerie.res")),
            "Neige\t \t\r\n");
  EXPECT_EQ(s.series->texts.trackCondition.view(), "Neige");
  EXPECT_EQ(s.series->texts.comment.view(), " ");
}

}  // namespace
