#pragma once
// What the main window keeps for the program's life: the event, the reference data that the race
// needs, the settings, the menus and controls it refers to, and the live board's layout, rows and
// redraw flags. One instance, created with the program; the window procedure and the handlers of
// its messages share it.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/live_file.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/settings.h"
#include "files/translation.h"
#include "main/board_layout.h"
#include "main/board_paint.h"
#include "main/main_window_model.h"

namespace zd {

struct MainMenus {
  HMENU bar = nullptr;
  std::array<HMENU, 6> popups{};  // the menu bar's popups, in order
  HMENU results = nullptr;        // ResultsPopupMenu
  HMENU resultsEdit = nullptr;    // its "Modifier résultats" submenu
  std::array<HMENU, kTreeContextMenus> treeContext{};
};

// TransponderMode: where the slots of the loaded series take their transponders.
enum TransponderMode : int32_t {
  kTransponderPersonal = 0,  // "Puces perso"
  kTransponderClub = 1,      // "Puces club"
  kTransponderMixed = 2,     // "Mixte (scan)"
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

  // The event.
  RaceHeaderRecords raceRecords{};
  RaceNameLists raceNames;
  TreeviewFlagsTable treeviewFlags{};
  int32_t selectionCode = 10000;
  int32_t raceCount = 1;
  FixedText<MAX_PATH> eventFilePath;  // empty while the event has no file of its own
  int32_t eventFileKnown = 0;

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

  // Controls made at creation.
  HIMAGELIST treeImages = nullptr;
  HWND eventTree = nullptr;
  HWND scrollBar = nullptr;
  SCROLLINFO scroll{};  // its position is the first board row shown
  HFONT controlFont = nullptr;

  // The live board.
  BoardColumnWidths layoutWidths{};
  BoardLayout layout;  // computed again before every message
  BoardRowState boardRows;
  CellDirtyFlags dirty;
  LiveRows rows;       // the board rows, in ranking order
  LiveRows shownRows;  // ShownRows: what the board shows
  int32_t rankingRows = 0;
  FixedText<96> seriesTitle;
  LiveClockTexts clock;
  FixedText<12> countdownText;
  RestPanelTexts rest;
  int32_t radioConflict = 0;
  int32_t nationFlag = 0;  // InternationalEvent of the loaded race
  PenaltyTable racePenalties;

  // The series parameters and modes.
  SeriesParameters parameters;
  FixedText<7> trackCondition;
  int32_t lapProtectionTime = 2;  // seconds
  int32_t racePenaltiesPrepared = 0;
  int32_t racePenaltiesFromDatabase = 0;
  int32_t transponderMode = kTransponderPersonal;

  // SeriesStateFlags: any of them set refuses closing.
  int32_t seriesArmed = 0;
  int32_t seriesRunning = 0;
  int32_t transponderScan = 0;
  int32_t transponderCheck = 0;

  int32_t liveScreenOpen = 0;  // set and cleared by the additional live screen
  HWND liveScreen = nullptr;
};

MainWindowState& MainState();

inline bool SeriesOrScanRunning(const MainWindowState& s) {
  return s.seriesArmed || s.seriesRunning || s.transponderScan || s.transponderCheck;
}

}  // namespace zd
