#include "main/race_wiring.h"

#include <mmsystem.h>

#include <string>

#include "files/live_file.h"
#include "main/board.h"
#include "main/decoder_link.h"
#include "main/decoder_port.h"
#include "main/main_dialogs.h"
#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "main/race_alerts.h"
#include "main/transponder_scan.h"
#include "main/tree_view.h"
#include "web/live_publishing.h"

namespace zd {

namespace {

// The machine and the main window as the race control uses them.
class WindowRaceHooks final : public RaceHooks {
 public:
  void attach(HWND window) { window_ = window; }

  int64_t performanceCount() override {
    LARGE_INTEGER count;
    return QueryPerformanceCounter(&count) ? count.QuadPart : 0;
  }
  int64_t performanceFrequency() override {
    LARGE_INTEGER frequency;
    return QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0;
  }
  int64_t tickCount() override { return static_cast<int64_t>(GetTickCount64()); }

  // Without an audio device the sound simply does not play; the race goes on.
  void playSound(std::string_view file) override {
    const std::string name(file);
    PlaySoundA(name.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }

  void redrawChangedLiveCells() override { RedrawChangedBoardCells(window_); }

  bool writeLiveFile(const LiveRows& rows, const LiveClockTexts& clock,
                     std::string_view seriesTitle, std::string_view videoLink, int32_t rowCount,
                     int32_t nationFlag) override {
    return WriteLiveFile(kLiveFilePath, rows, clock, seriesTitle, videoLink, rowCount, nationFlag);
  }

  // The additional live screen reads the file again; it is told only while it is open.
  void refreshLiveScreen(int32_t what) override {
    MainWindowState& s = MainState();
    SendLiveScreenRefresh(s.liveScreen, s.liveScreenOpen, what);
  }

  // The worker sends the copy; the timer's tick shows how it went.
  void uploadLiveFile() override {
    if (!SubmitLiveFile(MainState().webEventInfo)) reportStatus(kLiveFileNotFound);
  }

  // While a series is live a box would hold the race up; otherwise the error box says it.
  void reportStatus(std::string_view text) override {
    const MainWindowState& s = MainState();
    if (SeriesIsLive(s.race, s.timer)) {
      ShowRaceAlert(window_, text);
    } else {
      const std::string t(text);
      ShowMessage(window_, t.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
    }
  }

  // A click of the button, handled before this returns.
  void pressStopButton() override {
    SendMessageA(GetDlgItem(window_, kStopSeriesButton), BM_CLICK, 0, 0);
  }

 private:
  HWND window_ = nullptr;
};

// The window's menus, controls and panels as the timer, the series commands, the loading and the
// transponder scan drive them.
class WindowSurfaces final : public RaceWindow,
                             public SeriesControlSurface,
                             public SeriesWindow,
                             public TransponderScanSurface {
 public:
  void attach(HWND window) { window_ = window; }

  // RaceWindow.
  void invalidatePanel(TimerPanel panel) override {
    switch (panel) {
      case TimerPanel::Clock:
        InvalidateBoardArea(window_, BoardArea::Clock);
        break;
      case TimerPanel::Countdown:
        InvalidateBoardArea(window_, BoardArea::Countdown);
        break;
      case TimerPanel::Rest:
        InvalidateBoardArea(window_, BoardArea::Rest);
        break;
    }
  }
  LocalDateTime localDateTime() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute};
  }
  void superviseDecoderLink() override { SuperviseMainDecoderLink(window_); }
  void runTransponderScanStep() override { RunTransponderScanStep(MainTransponderScan(window_)); }

  // SeriesControlSurface.
  void enableMenuCommand(int32_t command, bool enabled) override {
    const MainMenus& menus = MainState().menus;
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menus.bar, static_cast<UINT>(command), flags);
    EnableMenuItem(menus.results, static_cast<UINT>(command), flags);
    DrawMenuBar(window_);
  }
  void enableResultsEditSubmenu(bool enabled) override {
    // The submenu is the first entry of the results menu.
    EnableMenuItem(MainState().menus.results, 0, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  void enableWindow(int32_t id, bool enabled) override {
    EnableWindow(GetDlgItem(window_, id), enabled ? TRUE : FALSE);
  }
  bool askQuestion(std::string_view text, std::string_view caption) override {
    const std::string t(text), c(caption);
    return ShowMessage(window_, t.c_str(), c.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  void leaveResultsEditMode() override {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(kLeaveResultsEditCommand, 0), 0);
  }
  void removeClubTransponderBox() override {
    if (HWND box = GetDlgItem(window_, kClubTransponderList)) DestroyWindow(box);
  }
  void playSoundAndWait(std::string_view file) override {
    const std::string name(file);
    PlaySoundA(name.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
  }

  // SeriesWindow.
  void showError(std::string_view text, bool errorIcon) override {
    const std::string t(text);
    ShowMessage(window_, t.c_str(), kErrorCaption, MB_OK | (errorIcon ? MB_ICONERROR : 0));
  }
  // A series loaded: no results editing nor club transponder list, without recomputing.
  void leaveResultsEditing() override {
    MainResultEditing().mode = 0;
    MainClubAssignmentArmed() = 0;
    CloseResultEditors(window_);
    CloseClubTransponderBox(window_);
  }
  void enableResultsEditing(bool enabled) override {
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(MainState().menus.resultsEdit, 9102, flags);
    EnableMenuItem(MainState().menus.resultsEdit, kLeaveResultsEditCommand, flags);
  }
  void setLapButtons(const LapButtons& buttons) override {
    for (int k = 1; k <= kMaxSeriesSlots; ++k) {
      HWND button = GetDlgItem(window_, kFirstManualLapButton + k - 1);
      SetWindowTextA(button, buttons[k - 1].caption.c_str());
      EnableWindow(button, buttons[k - 1].enabled ? TRUE : FALSE);
    }
  }
  void refreshBoard() override { RefreshBoard(window_); }
  void reloadBoard() override { ReloadBoard(window_); }
  void emptyBoard() override { EmptyBoard(window_); }

  // TransponderScanSurface.
  void setScanStatus(std::string_view text) override {
    SetDlgItemTextA(window_, kScanStatus, std::string(text).c_str());
  }
  void releaseScanButton() override {
    SendDlgItemMessageA(window_, kScanToggle, BM_SETCHECK, BST_UNCHECKED, 0);
  }

 private:
  HWND window_ = nullptr;
};

WindowRaceHooks& Hooks(HWND window) {
  static WindowRaceHooks hooks;
  hooks.attach(window);
  return hooks;
}

WindowSurfaces& Surfaces(HWND window) {
  static WindowSurfaces surfaces;
  surfaces.attach(window);
  return surfaces;
}

KeptDecoderPort& Port() {
  static KeptDecoderPort port;
  return port;
}

TreeViewControl& Tree() {
  static TreeViewControl tree(nullptr);
  tree.attach(MainState().eventTree);
  return tree;
}

}  // namespace

SeriesCommandContext MainSeriesCommands(HWND window) {
  MainWindowState& s = MainState();
  return {MainRaceControl(window), Surfaces(window), s.event.penalties, s.penaltySlots,
          s.event.eventFileKnown};
}

TransponderScanContext MainTransponderScan(HWND window) {
  return {MainSeriesCommands(window), Surfaces(window)};
}

RaceControl MainRaceControl(HWND window) {
  MainWindowState& s = MainState();
  const RaceSettings settings{s.sounds, s.customSounds, s.webEventInfo, s.event.lapProtectionTime,
                              s.event.internationalEvent};
  const Race race{*s.series, s.race, settings, Hooks(window)};
  return {race, s.timer, s.interfaceSettings.decoderKind.view(), Port(), Surfaces(window)};
}

SeriesDesk MainSeriesDesk(HWND window) {
  MainWindowState& s = MainState();
  return {MainRaceControl(window), s.event, Tree(), Surfaces(window), s.penaltySlots,
          s.transponderMode};
}

void LeaveBoardEditing(HWND window) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(kLeaveResultsEditCommand, 0), 0);
  MainClubAssignmentArmed() = 0;
  Surfaces(window).removeClubTransponderBox();
}

void MainTimerTick(HWND window) {
  RunMainTimerTick(MainRaceControl(window));
  // The outcome of an upload that ran meanwhile, which may come after the series: it says
  // whether the site is reached again, never worth a box.
  const std::string_view upload = CollectLiveUpload();
  if (!upload.empty()) ShowRaceAlert(window, upload);
}

void SeriesButtonCommand(HWND window, int command) {
  const SeriesCommandContext context = MainSeriesCommands(window);
  switch (command) {
    case kStartSeriesButton:
      StartSeriesCommand(context);
      break;
    case kStopSeriesButton:
      StopSeriesCommand(context);
      break;
    case kClearSeriesButton:
      ClearSeriesCommand(context);
      break;
  }
}

void SeriesLoadCommand(HWND window, int command) {
  const RacePhase phase = command == 10000   ? RacePhase::Practice
                          : command == 10001 ? RacePhase::Qualifying
                                             : RacePhase::Rounds;
  LoadSeriesCommand(MainSeriesDesk(window), phase);
}

}  // namespace zd
