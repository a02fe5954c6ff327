#pragma once
// What the main window keeps for the program's life: the event, the reference data that the race
// needs, the settings, the menus and controls it refers to, the live board's layout and redraw
// flags, and the loaded series with its run as the race engine holds them. One instance, created
// with the program; the window procedure and the handlers of its messages share it.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <memory>

#include "files/databases.h"
#include "files/live_file.h"
#include "files/settings.h"
#include "files/translation.h"
#include "main/board_layout.h"
#include "main/board_paint.h"
#include "main/event_state.h"
#include "main/live_series.h"
#include "main/main_window_model.h"
#include "main/passing.h"
#include "main/penalties.h"
#include "main/race_timer.h"
#include "main/series_loading.h"

namespace zd {

struct MainMenus {
  HMENU bar = nullptr;
  std::array<HMENU, 6> popups{};  // the menu bar's popups, in order
  HMENU results = nullptr;        // ResultsPopupMenu
  HMENU resultsEdit = nullptr;    // its "Modifier résultats" submenu
  std::array<HMENU, kTreeContextMenus> treeContext{};
};

struct MainWindowState {
  HINSTANCE instance = nullptr;
  MainMenus menus;
  HWND window = nullptr;
  bool created = false;  // the creation went through: the data folder is current
  HDC dc = nullptr;  // MainWindowDC: the board painters draw through it
  FixedText<MAX_PATH> workingDirectory;
  int32_t currentMonthCount = 0;
  HCURSOR arrowCursor = nullptr;
  HCURSOR sizeCursor = nullptr;  // west-east, while a column edge is dragged

  EventState event;

  // Reference data and settings.
  CountryTable countries;
  DriverSummaryTable drivers;
  AgeCategoryTable ageCategories;
  TransponderPackTable transponderPacks;
  SoundSettings sounds;
  CustomSounds customSounds;
  DisplaySettings display;
  CustomColours customColours{};
  TranslationTable mainMenuTexts;
  int32_t softwareLanguage = kLanguageEnglish;
  int32_t reportsLanguage = kLanguageEnglish;
  WebEventInfo webEventInfo;
  InterfaceSettings interfaceSettings;  // as the decoder detection found the hardware

  // Controls made at creation.
  HIMAGELIST treeImages = nullptr;
  HWND eventTree = nullptr;
  HWND scrollBar = nullptr;
  SCROLLINFO scroll{};  // its position is the first board row shown
  HFONT controlFont = nullptr;
  // Set while the program itself changes the tree: the tree's notifications are then its own.
  int32_t treeChanging = 0;

  // The live board.
  BoardColumnWidths layoutWidths{};
  BoardLayout layout;  // computed again before every message
  BoardRowState boardRows;
  CellDirtyFlags dirty;

  // The loaded series and its run: the race engine's own records.
  std::unique_ptr<LiveSeries> series = std::make_unique<LiveSeries>();
  RaceState race;
  RaceTimerState timer;
  PenaltySlotTable penaltySlots{};
  int32_t transponderMode = kTransponderPersonal;

  int32_t liveScreenOpen = 0;  // set and cleared by the additional live screen
  HWND liveScreen = nullptr;
};

MainWindowState& MainState();

// A series armed or running, or a transponder scan or check: closing is refused.
inline bool SeriesOrScanRunning(const MainWindowState& s) { return SeriesIsLive(s.race, s.timer); }

}  // namespace zd
