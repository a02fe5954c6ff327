// The event tree in the main window: the tree view built as the core builds a tree in memory, a
// selection change that saves the series left and loads the new one, the race renamed in place,
// and the other races closed when one opens.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "../../main/memory_event_tree.h"
#include "files/series_sections.h"
#include "main/event_file.h"
#include "main/race_commands.h"
#include "main_window_fixture.h"

namespace {

using zd_test::InDataFolder;

class EventTreeView : public zd_test::MainWindowTest {
 protected:
  int32_t Selected() { return zd::TreeItemCode(tree, TreeView_GetSelection(tree)); }
  int32_t ImageOf(int32_t code) {
    zd::TreeViewControl view(tree);
    return view.node(zd::ToTreeItem(Item(code))).image;
  }

  // The run of a series as the stop leaves it: a car with laps, in both tables.
  void RunLoadedSeries() {
    zd::LiveSeries& s = *zd::MainState().series;
    zd::SeriesResultEntry& car = (*s.liveTable)[0];
    car.passingCount = 2;
    car.laps = 2;
    car.passingTimes[1] = 30000;
    car.passingTimes[2] = 61000;
    car.raceTime = 61000;
    car.bestLap = 30000;
    zd::CopySeriesForSave(*s.liveTable, *s.savedTable, zd::MainState().penaltySlots,
                          zd::MainState().event.penalties);
  }
};

// The window's tree view takes the same nodes, codes, labels, images and open nodes as a tree in
// memory that the same operations build.
TEST_F(EventTreeView, TheTreeViewIsBuiltAsTheTreeInMemory) {
  zd::test::MemoryEventTree memory;
  zd::BuildDefaultTree(memory, "COURSE 1");
  EXPECT_EQ(TreeText(), memory.text());
  zd::TreeViewControl view(tree);
  EXPECT_TRUE(view.node(zd::ToTreeItem(Item(10000))).bold);
  EXPECT_FALSE(view.node(zd::ToTreeItem(Item(13000))).bold);

  auto event = std::make_unique<zd::EventState>();
  zd_test::MakeTestEvent(*event);
  event->flags[0].practice[0][1] = 1;
  for (zd::EventTreeView* built : {static_cast<zd::EventTreeView*>(&view),
                                    static_cast<zd::EventTreeView*>(&memory)}) {
    zd::BuildTreeFromRaceFile(*built, *event);
  }
  EXPECT_EQ(TreeText(), memory.text());
  EXPECT_NE(memory.text().find("13102 Série2 [8]"), std::string::npos);

  zd::RaceRecord(*event, 3).practiceSessions = -1;
  zd::RaceRecord(*event, 3).practiceSeries = 1;
  ASSERT_TRUE(zd::TakeFirstSession(zd::RaceRecord(*event, 3), zd::RacePhase::Practice));
  zd::RaceRecord(*event, 2).qualifyingSessions = 3;
  for (zd::EventTreeView* built : {static_cast<zd::EventTreeView*>(&view),
                                    static_cast<zd::EventTreeView*>(&memory)}) {
    zd::RebuildPhaseNode(*built, 3, zd::RacePhase::Practice, *event);
    zd::AddSessionNodes(*built, 2, zd::RacePhase::Qualifying, *event);
    zd::CollapseOtherRaces(*built, 2);
  }
  EXPECT_EQ(TreeText(), memory.text());
}

// Leaving a series that was run saves it, its node showing results; the series chosen loads.
// When the race file is gone, the series cannot be saved: it stays selected and loaded.
TEST_F(EventTreeView, ASelectionChangeSavesTheSeriesLeftAndLoadsTheNewOne) {
  OpenTestEvent();
  // Nothing is selected in the tree just built: a notification has nothing to publish.
  ASSERT_EQ(TreeView_GetSelection(tree), nullptr);
  zd::MainState().event.selectionCode = 13102;
  const std::string before = zd_test::ReadWindowsFile(InDataFolder("Private\\Course.race2"));
  NMHDR click = {tree, static_cast<UINT_PTR>(zd::kEventTreeId), static_cast<UINT>(NM_CLICK)};
  SendMessageA(window, WM_NOTIFY, zd::kEventTreeId, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(zd::MainState().event.selectionCode, 13102);
  EXPECT_EQ(zd_test::ReadWindowsFile(InDataFolder("Private\\Course.race2")), before);

  Select(13101);
  const zd::LiveSeries& s = *zd::MainState().series;
  ASSERT_EQ(s.rowCount, 3);
  EXPECT_EQ(s.rows[0].name.view(), "Alain");
  EXPECT_EQ(zd::MainState().event.selectionCode, 13101);
  char caption[16] = {};
  GetDlgItemTextA(window, zd::kFirstManualLapButton + 2, caption, sizeof caption);
  EXPECT_STREQ(caption, "3+");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, zd::kFirstManualLapButton + 3)));

  RunLoadedSeries();
  Select(13102);
  EXPECT_EQ(Selected(), 13102);
  EXPECT_EQ(ImageOf(13101), zd::kImageSeriesWithResults);
  EXPECT_EQ(s.rows[0].name.view(), "Denis");
  EXPECT_EQ(zd::MainState().event.races[0].practiceStates[0], 1);
  zd::TextFile file;
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
  ASSERT_TRUE(zd::FindSection(file, "DadevuDore1EL1S1"));
  auto saved = std::make_unique<zd::SeriesTable>();
  zd::SeriesTexts texts;
  zd::ReadSeriesResultsSection(file, *saved, texts);
  file.close();
  EXPECT_EQ((*saved)[0].laps, 2);
  // The header holds the node selected last, for the dialogs opened from the tree.
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
  EXPECT_EQ(zd::ReadInt(file), 13102);
  file.close();

  RunLoadedSeries();
  ASSERT_TRUE(DeleteFileA(InDataFolder("Private\\Course.race2").c_str()));
  boxes.clear();
  Select(13101);
  EXPECT_EQ(Selected(), 13102);
  EXPECT_EQ(ImageOf(13102), zd::kImageSeries);
  EXPECT_EQ(s.seriesSectionTitle.view(), "DadevuDore1EL1S2");
  EXPECT_EQ((*s.liveTable)[0].laps, 2);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front().text, zd::kRaceFileNotFound);
}

TEST_F(EventTreeView, ARaceIsRenamedInPlaceUnlessTheNameIsWrongOrTheEditIsCancelled) {
  OpenTestEvent();
  Select(20000);
  SetFocus(tree);
  auto rename = [&](const char* typed, bool cancel) {
    HWND edit = TreeView_EditLabel(tree, Item(20000));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, typed);
    TreeView_EndEditLabelNow(tree, cancel ? TRUE : FALSE);
  };
  auto label = [&] {
    zd::TreeViewControl view(tree);
    return view.node(zd::ToTreeItem(Item(20000))).label;
  };

  rename("Cadets 1/10", false);
  EXPECT_EQ(label(), "Cadets 1/10");
  EXPECT_EQ(zd::MainState().event.races[1].name.view(), "Cadets 1/10");
  zd::TextFile file;
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
  auto read = std::make_unique<zd::EventState>();
  ASSERT_TRUE(zd::ReadEventHeader(file, *read));
  EXPECT_EQ(read->races[1].name.view(), "Cadets 1/10");
  file.close();

  boxes.clear();
  rename("Cadets-2", false);
  EXPECT_EQ(label(), "Cadets 1/10");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Erreur");
  rename("Abandoned", true);
  EXPECT_EQ(label(), "Cadets 1/10");
  EXPECT_EQ(zd::MainState().event.races[1].name.view(), "Cadets 1/10");

  // Any other node keeps its label.
  Select(13000);
  HWND edit = TreeView_EditLabel(tree, Item(13000));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Practice");
  TreeView_EndEditLabelNow(tree, FALSE);
  zd::TreeViewControl view(tree);
  EXPECT_EQ(view.node(zd::ToTreeItem(Item(13000))).label, "Essais libres");
}

// Opening another race while a race is selected saves and unloads the series and closes "Piste"
// and the other races; the race opened then opens.
TEST_F(EventTreeView, OpeningARaceClosesTheOthersAndLeavesTheSeries) {
  OpenTestEvent();
  Select(13101);
  RunLoadedSeries();
  Select(10000);
  EXPECT_EQ(ImageOf(13101), zd::kImageSeriesWithResults);
  zd::TreeViewControl view(tree);
  view.expand(zd::ToTreeItem(Item(10000)), true);
  view.expand(zd::ToTreeItem(Item(30000)), true);

  // As the operator opens it.
  TreeView_Expand(tree, Item(20000), TVE_EXPAND);
  EXPECT_TRUE(view.node(zd::ToTreeItem(Item(10000))).expanded);
  EXPECT_TRUE(view.node(zd::ToTreeItem(Item(20000))).expanded);
  EXPECT_FALSE(view.node(zd::ToTreeItem(Item(30000))).expanded);
  EXPECT_TRUE(zd::MainState().series->seriesSectionTitle.empty());
  EXPECT_EQ(zd::MainState().series->rowCount, 0);
}

}  // namespace
