#include "main/main_window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "../files/test_support.h"
#include "files/event_sections.h"
#include "files/race_file.h"
#include "lang/main_menu_texts.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(MainMenu, EveryTranslatedEntryTakesTheTextOfItsOwnRow) {
  static TranslationTable table;
  ClearTranslationTable(table, kMaxTranslationRows);
  FillMainMenuTexts(table);
  // The captions of the menu bar in English, by popup and by command: a wrong row shows here as
  // the text of a neighbour (the database menu's rows do not follow its commands).
  const std::vector<std::string_view> popups = {"File",      "Database", "Penalties",
                                                "Live race", "Settings", "?"};
  const std::map<int32_t, std::string_view> items = {{1001, "New event"},
                                                     {1002, "Load event"},
                                                     {1003, "Save"},
                                                     {1004, "Save as..."},
                                                     {1005, "Quit"},
                                                     {1006, "Categories"},
                                                     {1007, "Cars/Motorbikes"},
                                                     {1008, "Clubs/Teams"},
                                                     {1009, "Age categories"},
                                                     {1010, "Drivers/Riders"},
                                                     {1011, "Championships"},
                                                     {1012, "Transponders"},
                                                     {1013, "Frequencies"},
                                                     {1014, "Penalties/Abandonments"},
                                                     {1015, "Additional screen"},
                                                     {1019, "Translation"},
                                                     {1020, "Sounds"},
                                                     {1021, "Display"},
                                                     {1022, "Interface"},
                                                     {1023, "Internet"},
                                                     {1025, "Help"}};
  std::map<int32_t, std::string_view> seen;
  const auto bar = MainMenuBar();
  ASSERT_EQ(bar.size(), popups.size());
  for (std::size_t p = 0; p < bar.size(); ++p) {
    EXPECT_EQ(MenuCaption(table, bar[p].row, kLanguageEnglish, bar[p].caption), popups[p]);
    for (const MenuItemModel& item : bar[p].items)
      if (item.command != 0) seen[item.command] = MenuCaption(table, item.row, 0, item.caption);
  }
  EXPECT_EQ(seen, items);
}

TEST(MainMenu, AnEmptyOrMissingTextKeepsTheBuiltInCaption) {
  static TranslationTable table;
  ClearTranslationTable(table, kMaxTranslationRows);
  table[9][kLanguageGerman] = "Speichern";
  EXPECT_EQ(MenuCaption(table, 9, kLanguageGerman, "Enregistrer"), "Speichern");
  EXPECT_EQ(MenuCaption(table, 9, kLanguageItalian, "Enregistrer"), "Enregistrer");
  EXPECT_EQ(MenuCaption(table, 10, kLanguageGerman, "Enregistrer sous..."), "Enregistrer sous...");
  EXPECT_EQ(MenuCaption(table, -1, kLanguageGerman, "?"), "?");
  EXPECT_EQ(MenuCaption(table, 120, kLanguageGerman, "Aide"), "Aide");
  // A language out of range reads as English.
  table[9][kLanguageEnglish] = "Save";
  EXPECT_EQ(MenuCaption(table, 9, 7, "Enregistrer"), "Save");
}

TEST(MainMenu, ItemsWithPicturesAndTheTreeMenusCarryTheirCommands) {
  std::map<int32_t, int32_t> bitmaps;
  for (const MenuPopupModel& popup : MainMenuBar())
    for (const MenuItemModel& item : popup.items)
      if (item.bitmap != 0) bitmaps[item.command] = item.bitmap;
  const std::map<int32_t, int32_t> expected = {{1001, 5},  {1003, 6},  {1005, 7},  {1006, 8},
                                               {1008, 9},  {1009, 10}, {1011, 11}, {1012, 12},
                                               {1013, 13}, {1014, 14}, {1015, 15}, {1019, 16},
                                               {1020, 17}, {1021, 18}, {1022, 19}, {1023, 20}};
  EXPECT_EQ(bitmaps, expected);

  std::vector<int32_t> commands;
  for (const auto& menu : TreeContextMenus())
    for (const MenuItemModel& item : menu) commands.push_back(item.command);
  EXPECT_EQ(commands, (std::vector<int32_t>{1053, 1054, 1051, 1052, 1055, 1061, 1062, 1063, 1073,
                                            1074, 1075, 1083, 1084, 1085}));
}

struct ControlCase {
  int id;
  int left, top, width, height;
};

TEST(MainWindowControls, PlacedFromTheScreenSize) {
  struct ScreenCase {
    int width, height;
    std::vector<ControlCase> expected;
  };
  const ScreenCase screens[] = {
      {1600,
       900,
       {{2001, 700, 40, 80, 45},    {2004, 705, 86, 70, 20},    {2002, 800, 40, 80, 45},
        {2003, 900, 40, 80, 45},    {2006, 905, 86, 70, 20},    {0, 375, 606, 1050, 90},
        {2301, 400, 625, 40, 18},   {2311, 900, 625, 40, 18},   {2320, 1350, 625, 40, 18},
        {2321, 400, 648, 40, 18},   {2341, 650, 671, 40, 18},   {2350, 1100, 671, 40, 18},
        {9101, 1480, 60, 40, 40},   {9000, 1530, 60, 40, 40},   {2221, 245, 720, 450, 75},
        {2222, 710, 720, 100, 75},  {2223, 1020, 710, 330, 85}, {2101, 1025, 737, 105, 20},
        {2102, 1145, 737, 105, 20}, {2103, 1025, 770, 105, 20}, {2104, 1255, 735, 72, 600},
        {2105, 1140, 767, 60, 23},  {2106, 1210, 767, 110, 23}, {2108, 215, 63, 475, 49}}},
      {1920,
       1080,
       {{2001, 860, 48, 80, 54},
        {2002, 960, 48, 80, 54},
        {2003, 1060, 48, 80, 54},
        {2301, 460, 750, 48, 21},
        {2311, 1060, 750, 48, 21},
        {2341, 760, 805, 48, 21},
        {0, 430, 727, 1260, 108},
        {2223, 1184, 852, 330, 102},
        {2108, 218, 75, 632, 60}}},
  };
  for (const ScreenCase& screen : screens) {
    SCOPED_TRACE(screen.width);
    const std::vector<ControlPlacement> controls = MainWindowControls(screen.width, screen.height);
    ASSERT_EQ(controls.size(), 7u + 50u + 12u);
    for (const ControlCase& e : screen.expected) {
      SCOPED_TRACE(e.id);
      auto found = std::find_if(controls.begin(), controls.end(),
                                [&](const ControlPlacement& c) { return c.id == e.id; });
      ASSERT_NE(found, controls.end());
      EXPECT_EQ(found->left, e.left);
      EXPECT_EQ(found->top, e.top);
      EXPECT_EQ(found->width, e.width);
      EXPECT_EQ(found->height, e.height);
    }
  }
}

TEST(MainWindowPanels, StartTexts) {
  EXPECT_EQ(DurationClockText(1), "0:01:00");
  EXPECT_EQ(DurationClockText(135), "2:15:00");
  EXPECT_EQ(CountdownText(5), "5s");
}

class CrashCopyTest : public test::NewRaceFileTest {};

TEST_F(CrashCopyTest, OnlyARaceFileHoldingMoreThanANewEventIsKept) {
  const std::string fresh = ReadBytes(path_);
  EXPECT_FALSE(RaceFileWorthKeeping(path_));
  EXPECT_FALSE(RaceFileWorthKeeping(dir_.file("none.race2")));

  struct Case {
    const char* name;
    bool keep;
    void (*change)(TextFile&);
  };
  const Case cases[] = {
      {"another node selected", false,
       [](TextFile& f) { ASSERT_TRUE(WriteRaceFileHeader(f, 13010, 1, NewEventRaceRecords())); }},
      {"a participant", true,
       [](TextFile& f) {
         RaceHeaderRecords records = NewEventRaceRecords();
         records[0].participantCount = 1;
         ASSERT_TRUE(WriteRaceFileHeader(f, 10000, 1, records));
       }},
      {"a race renamed", true,
       [](TextFile& f) {
         RaceHeaderRecords records = NewEventRaceRecords();
         records[0].name = "Endurance";
         ASSERT_TRUE(WriteRaceFileHeader(f, 10000, 1, records));
       }},
      {"a second race", true,
       [](TextFile& f) { ASSERT_TRUE(WriteRaceFileHeader(f, 10000, 2, NewEventRaceRecords())); }},
      {"a series with results", true,
       [](TextFile& f) {
         TreeviewFlagsTable flags;
         ClearTreeviewFlags(flags);
         flags[0].rounds[0] = 1;
         ASSERT_TRUE(WriteTreeviewSection(f, flags));
       }},
      {"a section besides", true,
       [](TextFile& f) {
         TrackSettings track;
         track.name = "Circuit";
         ASSERT_TRUE(WriteTrackSection(f, track));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path_, fresh);
    TextFile f = Open();
    c.change(f);
    f.close();
    EXPECT_EQ(RaceFileWorthKeeping(path_), c.keep);
  }

  // What cannot be told from a new event is kept.
  WriteBytes(path_, "not a race file");
  EXPECT_TRUE(RaceFileWorthKeeping(path_));
  WriteBytes(path_, fresh.substr(0, fresh.size() - 10));
  EXPECT_TRUE(RaceFileWorthKeeping(path_));
}

}  // namespace
}  // namespace zd
