#pragma once
// The main window's commands on a scratch data folder: a window that records what it is asked
// and whose dialogs are doubles writing the files the real dialogs write, and a fixture that
// hands the commands the series, the event and the board editing state.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "main/command_window.h"
#include "main/results_edit.h"
#include "series_desk_test_support.h"

namespace zd::test {

// A penalty of the event's list; the name defaults to the code.
inline PenaltyRecord Penalty(const char* code, const char* name, int32_t amount, int32_t kind) {
  PenaltyRecord p;
  p.code = code;
  p.name = name;
  p.amount = amount;
  p.kind = kind;
  return p;
}
inline PenaltyRecord Penalty(const char* code, int32_t amount, int32_t kind) {
  return Penalty(code, code, amount, kind);
}

struct ShownMessage {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
};

class FakeCommandWindow : public CommandWindow {
 public:
  void openDialog(MainDialog dialog) override {
    dialogs.push_back(dialog);
    if (auto it = dialogDoubles.find(dialog); it != dialogDoubles.end()) it->second();
  }
  void openPenaltyDialog(LiveRankingEntry& row) override {
    ++penaltyDialogs;
    if (penaltyChoice) row.penaltyIndex = *penaltyChoice;
  }
  void openLiveScreen(int32_t& openFlag) override {
    ++liveScreens;
    openFlag = 1;  // as the screen does when it is created
    liveScreenFlag = &openFlag;
  }
  void refreshLiveScreen(int32_t what) override { liveScreenRefreshes.push_back(what); }
  void openDocument(std::string_view path) override { documents.emplace_back(path); }
  void makeDataFolderCurrent() override { ++dataFolderMadeCurrent; }

  void showMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.push_back({std::string(text), std::string(caption), icon});
  }
  bool askYesNo(std::string_view text, std::string_view) override {
    questions.emplace_back(text);
    return answerYes;
  }
  void playSound(std::string_view file) override { sounds.emplace_back(file); }

  void leaveResultsEditMode() override {
    ++editModeLeft;
    if (onLeaveEditMode) onLeaveEditMode();
  }
  void closeResultEditors() override {
    ++editorsClosed;
    editors.clear();
  }
  void closeClubTransponderBox() override {
    ++clubBoxesClosed;
    clubBoxTexts.clear();
    clubBoxOpen = false;
  }
  void createResultEditors(std::span<const ResultEditorPlacement> created) override {
    editors.assign(created.begin(), created.end());
    // The window runs each editor's handler as its first text is set.
    for (const ResultEditorPlacement& e : editors) {
      if (onEditorText) onEditorText(e.id, e.text);
    }
  }
  void createClubTransponderBox(const ControlPlacementRect& place,
                                std::span<const std::string> texts, int selected) override {
    clubBoxOpen = true;
    clubBoxPlace = place;
    clubBoxTexts.assign(texts.begin(), texts.end());
    clubBoxSelected = selected;
  }

  int32_t firstShownRow() override { return firstRow; }
  void redrawChangedLiveCells(int32_t previousFirstRow) override {
    redraws.push_back(previousFirstRow);
  }
  void repaintColumnHeaderBar() override { ++columnHeaderRepaints; }
  void repaintClubCells(bool everyRow) override { clubCellRepaints.push_back(everyRow); }
  void relayoutBoard() override { ++relayouts; }
  void retranslateMenus() override { ++retranslations; }
  void showLivePublishing(bool on) override { livePublishing.push_back(on); }
  void suspendDecoderLink() override { calls.push_back("suspend link"); }
  void reinitialiseDecoderLink() override { calls.push_back("reinitialise link"); }
  void editSelectedTreeLabel() override { ++labelEdits; }

  std::vector<MainDialog> dialogs;
  std::map<MainDialog, std::function<void()>> dialogDoubles;
  int penaltyDialogs = 0;
  std::optional<int32_t> penaltyChoice;  // what the penalty dialog's operator picks
  int liveScreens = 0;
  int32_t* liveScreenFlag = nullptr;
  std::vector<int32_t> liveScreenRefreshes;
  std::vector<std::string> documents;
  int dataFolderMadeCurrent = 0;
  std::vector<ShownMessage> messages;
  bool answerYes = true;
  std::vector<std::string> questions;
  std::vector<std::string> sounds;
  int editModeLeft = 0;
  std::function<void()> onLeaveEditMode;
  int editorsClosed = 0;
  int clubBoxesClosed = 0;
  std::vector<ResultEditorPlacement> editors;
  std::function<void(int32_t, const std::string&)> onEditorText;
  bool clubBoxOpen = false;
  ControlPlacementRect clubBoxPlace;
  std::vector<std::string> clubBoxTexts;
  int clubBoxSelected = -2;
  int32_t firstRow = 0;
  std::vector<int32_t> redraws;
  int columnHeaderRepaints = 0;
  std::vector<bool> clubCellRepaints;  // everyRow of each
  int relayouts = 0;
  int retranslations = 0;
  std::vector<bool> livePublishing;
  std::vector<std::string> calls;
  int labelEdits = 0;
};

class CommandDeskTest : public SeriesDeskTest {
 protected:
  CommandDeskTest() {
    // As the main window handles 9103 and the editors' change notifications.
    commandWindow.onLeaveEditMode = [this] { SwitchResultsEditOff(Board()); };
    commandWindow.onEditorText = [this](int32_t id, const std::string& text) {
      ApplyEditorText(*series, editing.editRow, id, text);
    };
  }

  CommandDesk Board() {
    return {Desk(),
            commandWindow,
            {editing.resultsEditMode, editing.editRow, editing.clubAssignmentArmed,
             editing.clubTransponderRow}};
  }

  // The messages shown so far, by text.
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> out;
    for (const ShownMessage& m : commandWindow.messages) out.push_back(m.text);
    return out;
  }

  FakeCommandWindow commandWindow;
  struct {
    int32_t resultsEditMode = 0;
    int32_t editRow = 0;
    int32_t clubAssignmentArmed = 0;
    int32_t clubTransponderRow = 0;
  } editing;
};

}  // namespace zd::test
