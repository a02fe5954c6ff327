#pragma once
// The main window's rules that need no window: its menus with their commands, pictures and
// translation rows, the captions they take in a language, where its child controls stand on a
// screen, the texts its panels start with, and when the working race file of the previous run is
// kept as the crash copy.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/fixed_text.h"
#include "files/translation.h"

namespace zd {

inline constexpr const char* kCrashCopyPath = "VeVaravErez.race2";
inline constexpr const char* kMainMenuTranslationFile = "MenuPrincipal.trans";

// One entry of a menu. A separator has command 0 and an empty caption.
struct MenuItemModel {
  std::string_view caption;  // French, as the menu is built
  int32_t command = 0;
  int32_t bitmap = 0;  // resource bitmap shown beside the item; 0 for none
  int32_t row = -1;    // row of the main menu translation table; -1 when never translated
};

struct MenuPopupModel {
  std::string_view caption;
  int32_t row = -1;
  std::span<const MenuItemModel> items;
};

// The menu bar's popups, in order ("Fichier" to "?").
std::span<const MenuPopupModel> MainMenuBar();
// The results menu: its "Modifier résultats" submenu, then its two items.
const MenuPopupModel& ResultsEditSubmenu();
std::span<const MenuItemModel> ResultsPopupMenuItems();
// The thirteen context menus of the event tree, in the order they are built.
inline constexpr int kTreeContextMenus = 13;
std::span<const std::span<const MenuItemModel>> TreeContextMenus();

// The bitmap every item with a picture shows when checked.
inline constexpr int32_t kMenuCheckedBitmap = 2;

// The caption an entry takes in a language: the text of its row in the main menu table, or its
// built-in caption when it has no row or that text is empty (a missing or partial translation
// file must not leave blank, unusable entries). Any language outside 0 to 5 counts as English.
std::string_view MenuCaption(std::span<const TranslationRow> table, int32_t row, int32_t language,
                             std::string_view builtIn);

// The kinds of child controls of the main window.
enum class ControlKind {
  BitmapButton,  // push button showing a picture
  Label,         // read-only edit, centred
  GroupBox,
  PushButton,
  RadioFirst,     // automatic radio button that begins a group
  Radio,          // automatic radio button
  DropDownList,   // combo box with a drop-down list
  PushLikeCheck,  // automatic check box drawn as a push button, tab stop
  StatusText,     // read-only edit with a border
  AlertLine,      // static text, wrapped, no accelerator prefix
};

struct ControlPlacement {
  int32_t id = 0;
  const char* windowClass = "";
  const char* text = "";
  ControlKind kind = ControlKind::PushButton;
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Control ids.
inline constexpr int32_t kStartSeriesButton = 2001;
inline constexpr int32_t kStopSeriesButton = 2002;
inline constexpr int32_t kClearSeriesButton = 2003;
inline constexpr int32_t kPersonalTransponders = 2101;
inline constexpr int32_t kClubTransponders = 2102;
inline constexpr int32_t kMixedTransponders = 2103;
inline constexpr int32_t kTransponderPackList = 2104;
inline constexpr int32_t kScanToggle = 2105;
inline constexpr int32_t kScanStatus = 2106;
inline constexpr int32_t kRaceAlertLine = 2108;         // the latest race alert, in every mode
inline constexpr int32_t kFirstManualLapButton = 2301;  // slot 1; slot k is 2300 + k
inline constexpr int32_t kManualLapButtons = 50;
inline constexpr int32_t kPrintButton = 9000;
inline constexpr int32_t kResultsMenuButton = 9101;
inline constexpr int32_t kEventTreeId = 5000;

// The fixed child controls for a screen of width x height pixels, in creation order: the series
// buttons and their labels, the frame of the manual lap buttons and the fifty buttons, the results
// and print buttons, the three group boxes, the transponder mode controls and the race alert line.
// They are placed once from the screen size, never from the window's.
std::vector<ControlPlacement> MainWindowControls(int32_t width, int32_t height);

// The board's vertical scroll bar: hidden until a series has more rows than fit.
struct ScrollBarPlacement {
  int32_t left, top, width, height;
};
ScrollBarPlacement BoardScrollBarPlacement(int32_t width, int32_t height);

// The panels' texts before any series is loaded: the series length "%d:%02d:00" of a duration in
// minutes, and the countdown "%ds".
std::string DurationClockText(int32_t minutes);
std::string CountdownText(int32_t seconds);
inline constexpr std::string_view kClockZero = "0:00:00";

// The rest panel: the rest length "%d:00", the rest clock's text and whether the rest is over.
struct RestPanelTexts {
  FixedText<7> length;
  FixedText<22> state;
  int32_t over = 0;
};

// Whether the working race file of the last run is worth keeping as the crash copy: false when
// it cannot be read or holds nothing but a new event (one race "COURSE 1" with no participant,
// session or flag, whatever node was selected), so that starting twice never replaces the event
// of a crashed run with an empty one.
bool RaceFileWorthKeeping(std::string_view raceFilePath);

}  // namespace zd
