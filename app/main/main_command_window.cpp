#include "main/main_command_window.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "live/board_painters.h"
#include "main/board.h"
#include "main/data_folder.h"
#include "main/decoder_link.h"
#include "main/main_dialogs.h"
#include "main/main_window_state.h"
#include "main/menus.h"
#include "main/message_box.h"
#include "main/race_wiring.h"
#include "main/results_edit.h"
#include "main/transponder_scan.h"

namespace zd {

namespace {

constexpr int kInternetCommand = 1023;
constexpr int kPublishingOffBitmap = 20;
constexpr int kPublishingOnBitmap = 21;

UINT IconFlag(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
    case MessageIcon::None:
      break;
  }
  return 0;
}

void InvalidateCell(HWND window, const BoardRect& cell) {
  const RECT r = ToRect(cell);
  RedrawWindow(window, &r, nullptr, RDW_INVALIDATE);
}

class MainCommandWindow final : public CommandWindow {
 public:
  void attach(HWND window) { window_ = window; }

  void openDialog(MainDialog dialog) override { OpenMainDialog(window_, dialog); }
  void openPenaltyDialog(LiveRankingEntry& row) override { OpenPenaltyAssignDialog(window_, row); }
  void openLiveScreen(int32_t& openFlag) override {
    HWND screen = CreateLiveScreen(window_, &openFlag);
    MainState().liveScreen = screen;
    if (screen) ShowWindow(screen, SW_SHOWMAXIMIZED);
  }
  void refreshLiveScreen(int32_t what) override {
    MainWindowState& s = MainState();
    SendLiveScreenRefresh(s.liveScreen, s.liveScreenOpen, what);
  }
  void openDocument(std::string_view path) override {
    const std::string file(path);
    ShellExecuteA(window_, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  void makeDataFolderCurrent() override { MakeDataFolderCurrent(); }

  void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    const std::string t(text), c(caption);
    ShowMessage(window_, t.c_str(), c.c_str(), MB_OK | IconFlag(icon));
  }
  bool askYesNo(std::string_view text, std::string_view caption) override {
    const std::string t(text), c(caption);
    return ShowMessage(window_, t.c_str(), c.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  void playSound(std::string_view file) override {
    const std::string name(file);
    PlaySoundA(name.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }

  void leaveResultsEditMode() override {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(kResultsEditOffCommand, 0), 0);
  }
  void closeResultEditors() override { CloseResultEditors(window_); }
  void closeClubTransponderBox() override { CloseClubTransponderBox(window_); }
  void createResultEditors(std::span<const ResultEditorPlacement> editors) override {
    for (const ResultEditorPlacement& e : editors) {
      HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_RIGHT,
                                  e.left, e.top, e.width, e.height, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.id)),
                                  MainState().instance, nullptr);
      // The edit control reports this first text as a change, which writes it back.
      SetWindowTextA(edit, e.text.c_str());
    }
  }
  void createClubTransponderBox(const ControlPlacementRect& place,
                                std::span<const std::string> texts, int selected) override {
    HWND box = CreateWindowExA(0, "COMBOBOX", "PucesClubs",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, place.left,
                               place.top, place.width, place.height, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClubTransponderList)),
                               MainState().instance, nullptr);
    for (const std::string& text : texts)
      SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, CB_SETCURSEL, 0, 0);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }

  int32_t firstShownRow() override { return MainState().scroll.nPos; }
  void redrawChangedLiveCells(int32_t previousFirstRow) override {
    MainWindowState& s = MainState();
    RedrawChangedLiveCells(window_, s.series->rows, s.series->shownRows, s.scroll, previousFirstRow,
                           s.dirty, s.layout, MainResultEditing().editRow, MainClubTransponderRow(),
                           s.boardRows.rowsShown, s.boardRows.rowHeight);
  }
  void repaintColumnHeaderBar() override {
    InvalidateBoardArea(window_, BoardArea::ColumnHeaderBar);
  }
  void repaintClubCells(bool everyRow) override {
    MainWindowState& s = MainState();
    constexpr int kClubColumn = 3;
    const int32_t shown = std::clamp(s.boardRows.rowsShown, 0, kBoardRows);
    for (int32_t i = 0; i < shown; ++i) {
      const int32_t index = s.scroll.nPos + i;
      if (index < 0 || index >= kLiveRows) continue;
      const LiveRow& row = s.series->rows[index];
      LiveRow& seen = s.series->shownRows[i];
      if (!everyRow && seen.club == row.club && seen.nationCode == row.nationCode) continue;
      CopyShownCell(seen, row, kClubColumn);
      s.dirty.cells[kClubColumn][i] = 1;
      InvalidateCell(window_, s.layout.Cell(kClubColumn, i, s.boardRows.rowHeight));
    }
  }
  void relayoutBoard() override {
    MainWindowState& s = MainState();
    InvalidateRect(window_, nullptr, TRUE);
    TreeView_SetBkColor(s.eventTree, static_cast<COLORREF>(s.display.colours[1]));
    UpdateBoardLayout(s);
    BoardRowState& rows = s.boardRows;
    ComputeBoardRowMetrics(window_, s.display, rows.rowHeight, rows.rowsThatFit, rows.rowsShown,
                           ToRect(s.layout.boardArea), ToRect(s.layout.table), s.scroll,
                           s.layout.scale.width, s.layout.scale.height, s.series->rowCount);
    UpdateBoardLayout(s);

    s.scroll.cbSize = sizeof s.scroll;
    s.scroll.fMask = SIF_RANGE | SIF_POS;
    s.scroll.nMin = 0;
    s.scroll.nMax = 0;
    s.scroll.nPos = 0;
    if (s.series->rowCount > rows.rowsThatFit) {
      s.scroll.nMax = s.series->rowCount - rows.rowsThatFit;
      ShowWindow(s.scrollBar, SW_SHOW);
    } else {
      ShowWindow(s.scrollBar, SW_HIDE);
    }
    SetScrollInfo(s.scrollBar, SB_CTL, &s.scroll, TRUE);

    // No flag raised: the next paint draws the whole board from the rows now shown.
    ClearLiveRows(s.series->shownRows);
    for (int32_t r = 0; r < std::clamp(rows.rowsShown, 0, kBoardRows); ++r) {
      CopyShownCell(s.series->shownRows[r], s.series->rows[r], kPositionCell);
      for (int c = 0; c < kCellColumns; ++c)
        CopyShownCell(s.series->shownRows[r], s.series->rows[r], c);
    }
    s.dirty.Clear();
    UpdateWindow(window_);
  }

  void retranslateMenus() override {
    MainWindowState& s = MainState();
    TranslateMenus(window_, s.menus, s.mainMenuTexts, s.softwareLanguage);
  }
  void showLivePublishing(bool on) override {
    static HBITMAP pictures[2] = {};
    const int index = on ? 1 : 0;
    if (!pictures[index]) {
      pictures[index] = LoadBitmapA(
          MainState().instance, MAKEINTRESOURCEA(on ? kPublishingOnBitmap : kPublishingOffBitmap));
    }
    SetMenuItemBitmaps(MainState().menus.bar, kInternetCommand, MF_BYCOMMAND, pictures[index],
                       pictures[index]);
    DrawMenuBar(window_);
  }

  void suspendDecoderLink() override { SuspendDecoderSupervision(MainDecoderLink()); }
  void reinitialiseDecoderLink() override { ResumeDecoderSupervision(MainDecoderLink()); }

  void editSelectedTreeLabel() override {
    HWND tree = MainState().eventTree;
    SetFocus(tree);
    TreeView_EditLabel(tree, TreeView_GetSelection(tree));
  }

 private:
  HWND window_ = nullptr;
};

MainCommandWindow& CommandWindowOf(HWND window) {
  static MainCommandWindow commands;
  commands.attach(window);
  return commands;
}

}  // namespace

ResultEditing& MainResultEditing() {
  static ResultEditing editing;
  return editing;
}

void CloseResultEditors(HWND window) {
  for (int id = kFirstResultEditor; id <= kLastResultEditor; ++id) {
    if (HWND editor = GetDlgItem(window, id)) DestroyWindow(editor);
  }
}

int32_t& MainClubAssignmentArmed() {
  static int32_t armed = 0;
  return armed;
}

int32_t& MainClubTransponderRow() {
  static int32_t row = 0;
  return row;
}

void CloseClubTransponderBox(HWND window) {
  if (HWND box = GetDlgItem(window, kClubTransponderList)) DestroyWindow(box);
}

CommandDesk MainCommandDesk(HWND window) {
  ResultEditing& editing = MainResultEditing();
  return {MainSeriesDesk(window),
          CommandWindowOf(window),
          {editing.mode, editing.editRow, MainClubAssignmentArmed(), MainClubTransponderRow()}};
}

WindowRecords MainWindowRecords() {
  MainWindowState& s = MainState();
  return {s.drivers,           s.ageCategories, s.transponderPacks, s.countries,
          s.currentMonthCount, s.sounds,        s.customSounds,     s.display,
          s.customColours,     s.layoutWidths,  s.softwareLanguage, s.reportsLanguage,
          s.mainMenuTexts,     s.webEventInfo,  s.liveScreenOpen,   s.workingDirectory.view()};
}

}  // namespace zd
