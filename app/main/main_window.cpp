#include "main/main_window.h"

#include <commctrl.h>

#include <string>

#include "files/databases.h"
#include "files/factory_settings.h"
#include "files/whole_file.h"
#include "main/board.h"
#include "main/controls.h"
#include "main/data_folder.h"
#include "main/decoder_detection.h"
#include "main/decoder_port.h"
#include "main/event_file.h"
#include "main/event_tree.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/menus.h"
#include "main/message_box.h"
#include "main/tree_view.h"
#include "web/live_publishing.h"

namespace zd {

namespace {

constexpr int kTreeImages = 11;
constexpr int kFirstTreeIcon = 26;
constexpr int kMenuTableRows = 100;

// Resource bitmaps of the buttons.
constexpr struct {
  int id;
  int bitmap;
} kButtonPictures[] = {
    {kStartSeriesButton, 2},  {kStopSeriesButton, 3}, {kClearSeriesButton, 4},
    {kResultsMenuButton, 24}, {kPrintButton, 25},
};

constexpr int kControlFontIds[] = {2004, 2005, 2006, 2221, 2222, 2223,
                                   2101, 2102, 2103, 2104, 2105, 2106};

const char kPrintingWarning[] =
    "Les impressions de documents avec les dernières versions de Windows 11 peuvent provoquer un "
    "bug entrainant la fermeture du logiciel.\nSi vous êtes sous W11, avant toute utilisation du "
    "logiciel, veuillez tester l'impression en imprimant au moins 2 documents consécutifs. Si ce "
    "bug apparait, pour pouvoir imprimer un document de course à partir du logiciel, il ne faudra "
    "pas l'imprimer directement, mais passer par une capture d'écran.\nNous travaillons "
    "actuellement à une résolution de ce problème.";

void ShowError(HWND owner, const char* text) { ShowMessage(owner, text, kErrorCaption, MB_OK); }

void Redraw(HWND window, const BoardRect& area, UINT flags) {
  const RECT r = ToRect(area);
  RedrawWindow(window, &r, nullptr, RDW_INVALIDATE | flags);
}

// The reference data that the race needs, each missing file announced in turn.
void LoadReferenceData(HWND window, MainWindowState& s) {
  if (!ReadCountryNames(kCountryNamesFile, s.countries))
    ShowError(window, "Error : 'Countries names' database file not found");
  if (!ReadCountryCodes(kCountryCodesFile, s.countries))
    ShowError(window, "Error : 'Countries codes' database file not found");
  if (!ReadDriverSummaries(kDriversFile, s.drivers, s.currentMonthCount))
    ShowError(window, "Error : 'Drivers' mini-database file not found");
  if (!ReadAgeCategories(kAgeCategoriesFile, s.ageCategories))
    ShowError(window, "Error : 'Age categories' database file not found");
  ClearTransponderPackTable(s.transponderPacks);
  if (!ReadTransponderPacks(kTransponderPacksFile, s.transponderPacks))
    ShowError(window, "Error : 'Transponders' database file not found");
  if (!ReadSoundSettings(kSoundSettingsFile, s.sounds))
    ShowError(window, "Error: Sound settings file not found");
  ClearCustomSounds(s.customSounds);
  if (!ReadCustomSounds(kCustomSoundsFile, s.customSounds))
    ShowError(window, "Error: Custom sounds file not found");

  for (BoardFont& font : s.display.fonts) font.face.clear();
  s.display.logoPath.clear();
  if (!ReadDisplaySettings(kDisplaySettingsFile, s.display, s.customColours)) {
    ShowError(window, "Error: Display settings file not found");
    // Zero widths, colours and fonts would leave no board to see, and be written back at exit.
    s.display = FactoryDisplaySettings();
    s.customColours = FactoryCustomColours();
  }
  s.layoutWidths = s.display.widths;
}

void CreateEventTree(HWND window, MainWindowState& s) {
  INITCOMMONCONTROLSEX common = {sizeof common, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&common);
  const int cx = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  s.treeImages = ImageList_Create(cx, cy, ILC_COLOR32, kTreeImages, 0);
  for (int i = 0; i < kTreeImages; ++i) {
    HICON icon = static_cast<HICON>(
        LoadImageA(s.instance, MAKEINTRESOURCEA(kFirstTreeIcon + i), IMAGE_ICON, cx, cy, 0));
    ImageList_AddIcon(s.treeImages, icon);
    if (icon) DestroyIcon(icon);
  }

  s.eventTree = CreateWindowExA(
      WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
      WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS, 0,
      0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEventTreeId)), s.instance,
      nullptr);
  TreeView_SetImageList(s.eventTree, s.treeImages, TVSIL_NORMAL);
  TreeView_SetBkColor(s.eventTree, static_cast<COLORREF>(s.display.colours[1]));
  TreeViewControl tree(s.eventTree);
  BuildDefaultTree(tree, RaceRecord(s.event, 1).name.view());
}

void CreateBoardScrollBar(HWND window, MainWindowState& s, int32_t W, int32_t H) {
  const ScrollBarPlacement p = BoardScrollBarPlacement(W, H);
  s.scrollBar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, p.left, p.top, p.width,
                                p.height, window, nullptr, s.instance, nullptr);
  s.scroll = {};
  s.scroll.cbSize = sizeof s.scroll;
  s.scroll.fMask = SIF_RANGE | SIF_POS;
  SetScrollInfo(s.scrollBar, SB_CTL, &s.scroll, FALSE);
}

// Translation/FenetrePrincipale.trans gives the languages, MenuPrincipal.trans the captions.
void TranslateMainMenu(HWND window, MainWindowState& s) {
  s.softwareLanguage = kLanguageEnglish;
  s.reportsLanguage = kLanguageEnglish;
  if (!ReadLanguageSettings(s.softwareLanguage, s.reportsLanguage))
    ShowError(window, "Error: The translation file 'FenetrePrincipale.trans' has not been found");
  ClearTranslationTable(s.mainMenuTexts, kMenuTableRows);
  if (!ReadTranslationFile(s.mainMenuTexts, kMainMenuTranslationFile))
    ShowError(window, "Error: The translation file 'MenuPrincipal.trans' has not been found");
  TranslateMenus(window, s.menus, s.mainMenuTexts, s.softwareLanguage);
}

void SetDefaults(HWND window, MainWindowState& s) {
  s.event.racePenaltiesPrepared = 0;
  s.event.racePenaltiesFromDatabase = 0;
  s.event.internationalEvent = 0;
  s.series->parameters = SeriesParameters{};
  s.series->texts.trackCondition = "Sec";
  s.event.lapProtectionTime = kDefaultLapProtectionTime;
  s.event.eventFileKnown = 0;
  EnableMenuItem(s.menus.bar, 1003, MF_BYCOMMAND | MF_GRAYED);
  s.transponderMode = kTransponderPersonal;
  CheckRadioButton(window, kPersonalTransponders, kMixedTransponders, kPersonalTransponders);

  HWND packs = GetDlgItem(window, kTransponderPackList);
  ShowWindow(packs, SW_HIDE);
  for (const TransponderPackRecord& pack : s.transponderPacks)
    SendMessageA(packs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pack.name.c_str()));
  SendMessageA(packs, CB_SETCURSEL, 0, 0);
  SetDlgItemTextA(window, kScanStatus, " Off");

  LiveClockTexts& clock = s.series->clockTexts;
  clock.duration = DurationClockText(s.series->parameters.duration);
  clock.elapsed = kClockZero;
  clock.remaining = kClockZero;
  s.timer.countdownText = CountdownText(s.series->parameters.countdown);
}

// Both flags cleared in the file and in the window's copy, so that no live upload goes out until
// the internet settings switch sending on: done at start and at the end, so that a run that
// crashed leaves it off too.
void SwitchLivePublishingOff(HWND owner, MainWindowState& s) {
  s.webEventInfo = WebEventInfo{};
  ReadWebEventInfo(s.webEventInfo);
  s.webEventInfo.connected = 0;
  s.webEventInfo.activated = 0;
  const Outcome written = WriteWebEventInfo(s.webEventInfo);
  if (!written) ShowMessage(owner, written.message.c_str(), kErrorCaption, MB_OK);
}

void SetControlFonts(HWND window, MainWindowState& s) {
  s.controlFont = CreateFontA(16, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  const WPARAM font = reinterpret_cast<WPARAM>(s.controlFont);
  for (int id : kControlFontIds) SendDlgItemMessageA(window, id, WM_SETFONT, font, TRUE);
  for (int slot = 0; slot < kManualLapButtons; ++slot)
    SendDlgItemMessageA(window, kFirstManualLapButton + slot, WM_SETFONT, font, TRUE);
}

bool OnCreate(HWND window) {
  MainWindowState& s = MainState();
  s.window = window;
  s.dc = GetDC(window);
  s.currentMonthCount = CurrentBirthMonthCount();

  if (!MakeDataFolderCurrent()) {
    const std::string text = "Le dossier de données est introuvable :\n" + DataFolderPath();
    ShowMessage(window, text.c_str(), kMainWindowTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  // Said once here rather than by every save of the run failing one after the other.
  if (!FolderTakesFiles(DataFolderPath())) {
    const std::string text = DataFolderNotWritableText(DataFolderPath());
    ShowMessage(window, text.c_str(), kMainWindowTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  GetCurrentDirectoryA(static_cast<DWORD>(s.workingDirectory.kWidth), s.workingDirectory.data());
  s.workingDirectory.terminate();
  // Without its folder no race file could be made, and nothing of the event could be kept.
  MakeFolder("Private");

  // The working file of the last run survives as the crash copy, unless it is an empty event.
  if (RaceFileWorthKeeping(kRaceFilePath))
    CopyFileA("Private\\Course.race2", kCrashCopyPath, FALSE);
  SwitchLivePublishingOff(window, s);

  s.arrowCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  s.sizeCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE));

  ClearEventRecords(s.event);
  StartNewEvent(s.event);
  const Outcome made = CreateWorkingRaceFile(s.event);
  if (!made) ShowError(window, made.message.c_str());

  LoadReferenceData(window, s);
  CreateEventTree(window, s);

  const ScreenScale screen = CurrentScreen();
  CreateMainWindowControls(window, screen.width, screen.height);
  for (const auto& button : kButtonPictures) {
    SendDlgItemMessageA(
        window, button.id, BM_SETIMAGE, IMAGE_BITMAP,
        reinterpret_cast<LPARAM>(LoadBitmapA(s.instance, MAKEINTRESOURCEA(button.bitmap))));
  }
  CreateBoardScrollBar(window, s, screen.width, screen.height);

  TranslateMainMenu(window, s);
  SetDefaults(window, s);
  SetControlFonts(window, s);

  s.dirty.Clear();
  UpdateBoardLayout(s);
  Redraw(window, s.layout.boardArea, RDW_ERASE | RDW_ERASENOW);
  Redraw(window, s.layout.clockPanel, RDW_ERASENOW);
  Redraw(window, s.layout.countdownPanel, RDW_ERASENOW);
  s.created = true;
  return true;
}

void OnClose(HWND window) {
  MainWindowState& s = MainState();
  if (SeriesOrScanRunning(s)) {
    ShowMessage(window,
                "Une série ou un scan transpondeurs est en cours!\r\nVous ne pouvez pas fermer "
                "l'application !",
                "Zentrik", MB_OK | MB_ICONSTOP);
    return;
  }
  const int answer =
      ShowMessage(window, "Vous voulez quitter!\nSouhaitez-vous sauvegarder l'événement en cours?",
                  "Attention", MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDYES) {
    // A save that was cancelled or failed keeps the window: closing would lose the event.
    if (!SaveEventCommand(window, s.event.eventFilePath.empty() ? 1004 : 1003)) return;
    DestroyWindow(window);
  } else if (answer == IDNO) {
    DestroyWindow(window);
  }
}

void OnDestroy(HWND window) {
  MainWindowState& s = MainState();
  if (!s.created) {
    // Creation stopped short of the data folder: there is nothing of this run to keep.
    ReleaseDC(window, s.dc);
    s.dc = nullptr;
    return;
  }
  if (!WriteDisplaySettings(kDisplaySettingsFile, s.display, s.customColours)) {
    ShowMessage(nullptr, "Erreur: impossible d'ouvrir le fichier Réglage Affichage", "Erreur",
                MB_OK);
  }

  // Live publishing stays off at the next start until the internet settings switch it on.
  SwitchLivePublishingOff(nullptr, s);

  KillTimer(window, kMainTimerId);
  StopLiveUploads();
  if (s.controlFont) DeleteObject(s.controlFont);
  s.controlFont = nullptr;
  ReleaseDC(window, s.dc);
  s.dc = nullptr;
  CloseDecoderPort();
  PostQuitMessage(0);
}

void OnSize(HWND window, int clientHeight) {
  MainWindowState& s = MainState();
  MoveWindow(s.eventTree, 10, 54, 190, clientHeight > 80 ? clientHeight - 80 : 0, TRUE);
  InvalidateRect(window, nullptr, TRUE);
  s.dirty.Clear();
  Redraw(window, s.layout.boardArea, RDW_ERASE | RDW_ERASENOW);
  Redraw(window, s.layout.seriesTitlePanel, RDW_ERASE | RDW_ERASENOW);
  Redraw(window, s.layout.clockPanel, RDW_ERASENOW);
  Redraw(window, s.layout.countdownPanel, RDW_ERASENOW);
  Redraw(window, s.layout.radioConflictBanner, RDW_ERASE | RDW_ERASENOW);
}

// The software background, colour 0 of the display settings, outlined by the current pen.
void EraseBackground(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(MainState().display.colours[0]));
  HGDIOBJ previous = SelectObject(dc, brush);
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

void OnCommand(HWND window, int id, int notification) {
  if (id >= 1001 && id <= 1005) {
    EventFileCommand(window, id);
  } else if (id >= 1006 && id <= 1025) {
    MenuCommand(window, id);
  } else if (id >= 1051 && id <= 1085) {
    TreeContextCommand(window, id);
  } else if (id >= 2001 && id <= 2003) {
    SeriesButtonCommand(window, id);
  } else if (id >= 2101 && id <= 2107) {
    TransponderModeCommand(window, id, notification);
  } else if (id >= kFirstManualLapButton && id < kFirstManualLapButton + kManualLapButtons) {
    ManualLapCommand(window, id - kFirstManualLapButton + 1);
  } else if ((id >= 9101 && id <= 9105) || (id >= 9201 && id <= 9213)) {
    ResultsEditCommand(window, id, notification);
  } else if (id >= 10000 && id <= 10002) {
    SeriesLoadCommand(window, id);
  }
  // Anything else, the print button's 9000 among them, does nothing.
}

}  // namespace

MainWindowState& MainState() {
  static MainWindowState state;
  return state;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindowState& s = MainState();
  UpdateBoardLayout(s);
  switch (message) {
    case WM_CREATE:
      return OnCreate(window) ? 0 : -1;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_SIZE:
      OnSize(window, HIWORD(lparam));
      return 0;
    case WM_PAINT:
      PaintMainWindowBoard(window);
      return 0;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_ERASEBKGND:
      EraseBackground(window, reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_SETCURSOR:
      return BoardSetCursor(window, wparam, lparam);
    case WM_NOTIFY:
      return TreeNotification(window, reinterpret_cast<const NMHDR*>(lparam));
    case WM_CONTEXTMENU:
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_TIMER:
      if (wparam == kMainTimerId) {
        // The tick's decoder passings, saves, live file and upload outcome use paths relative to
        // the data folder, even while a file chooser has moved the current directory.
        const DataFolderCurrentScope inDataFolder;
        MainTimerTick(window);
      }
      return 0;
    case WM_VSCROLL:
      BoardVerticalScroll(window, wparam, lparam);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
      BoardMouse(window, message, wparam, lparam);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND StartProgram(HINSTANCE instance) {
  MainWindowState& s = MainState();
  s.instance = instance;
  s.menus = BuildMenus(instance);

  WNDCLASSA windowClass = {};
  windowClass.style = 0;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = CreateSolidBrush(RGB(200, 200, 200));
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassA(&windowClass)) return nullptr;

  HWND window = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                s.menus.bar, instance, nullptr);
  if (!window) return nullptr;
  ShowWindow(window, SW_SHOWMAXIMIZED);
  UpdateWindow(window);

  MakeDataFolderCurrent();
  s.interfaceSettings = DecoderDetection(window);
  SetTimer(window, kMainTimerId, kMainTimerPeriodMs, nullptr);
  ShowMessage(window, kPrintingWarning, "Message Important", MB_OK | MB_ICONWARNING);
  return window;
}

int RunMessageLoop() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace zd
