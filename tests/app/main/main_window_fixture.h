#pragma once
// The program's main window started in the test's own process, its message boxes recorded and
// answered, and the working race file and crash copy of the data folder put back as they were
// when the test ends.

#include "gtest_win32.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/participants.h"
#include "files/phase_sections.h"
#include "main/data_folder.h"
#include "main/decoder_link.h"
#include "main/event_file.h"
#include "main/main_window.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "main/tree_view.h"
#include "wait_for.h"
#include "windows_files.h"

namespace zd_test {

// Two file contents compared; when they differ, where, with a little context.
inline ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at > 20 ? at - 20 : 0;
  return ::testing::AssertionFailure()
         << "sizes " << actual.size() << " and " << expected.size() << ", first difference at "
         << at << ": \"" << actual.substr(from, 40) << "\" instead of \""
         << expected.substr(from, 40) << "\"";
}

inline std::string InDataFolder(const std::string& name) {
  return zd::DataFolderPath() + "\\" + name;
}

// The event of the tests: race "Open" with six participants in practice, one session of two
// series of three drivers, a round, and two more races.
inline void MakeTestEvent(zd::EventState& event) {
  zd::ClearEventRecords(event);
  event.raceCount = 3;
  event.selectionCode = 10000;
  zd::RaceHeaderRecord& open = zd::RaceRecord(event, 1);
  open.name = "Open";
  open.participantCount = 6;
  open.practiceSessions = 1;
  open.practiceSeries = 2;
  open.rounds = 1;
  zd::RaceRecord(event, 2).name = "Junior";
  zd::RaceRecord(event, 2).qualifyingSessions = 2;
  zd::RaceRecord(event, 2).qualifyingSeries = 1;
  zd::RaceRecord(event, 3).name = "GT";
  const char* names[] = {"Alain", "Brigitte", "Cyril", "Denis", "Emma", "Fred"};
  for (int i = 0; i < 6; ++i) event.names[0][i] = names[i];
}

// Race 1's participants and practice arrangement, driversPerSeries a series.
inline void WritePracticeDrivers(zd::TextFile& file, const std::vector<std::string>& drivers,
                                 int32_t driversPerSeries) {
  auto participants = std::make_unique<zd::ParticipantTable>();
  zd::ClearParticipants(*participants);
  auto arrangement = std::make_unique<zd::SeriesArrangement>();
  arrangement->driversPerSeries = driversPerSeries;
  for (std::size_t i = 0; i < drivers.size(); ++i) {
    (*participants)[i].name = drivers[i];
    arrangement->names[i] = drivers[i];
  }
  ASSERT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
  ASSERT_TRUE(zd::WriteSeriesArrangementNames(
                  file, zd::ArrangementSectionTitle(1, zd::RacePhase::Practice), *arrangement)
                  .ok);
}

// Its working race file: the header and flags, the participants and the practice arrangement of
// race 1, and its practice parameters.
inline void WriteTestEventFile(const zd::EventState& event,
                               const zd::SeriesParameters& parameters = {}) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  ASSERT_TRUE(zd::CreateWorkingRaceFile(event).ok);
  zd::TextFile file;
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
  std::vector<std::string> drivers;
  for (int i = 0; i < 6; ++i) drivers.push_back(event.names[0][i].str());
  WritePracticeDrivers(file, drivers, 3);
  ASSERT_TRUE(zd::WriteParametersSection(
                  file, zd::ParametersSectionTitle(1, zd::RacePhase::Practice), parameters)
                  .ok);
}

// Race 1 with one practice series of these drivers: its working race file with the participants
// and the arrangement, then whatever sections adds.
inline void WritePracticeSeriesFile(zd::EventState& event, const std::vector<std::string>& drivers,
                                    const std::function<void(zd::TextFile&)>& sections = {}) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  zd::RaceHeaderRecord& open = zd::RaceRecord(event, 1);
  open.name = "Open";
  open.participantCount = static_cast<int32_t>(drivers.size());
  open.practiceSessions = 1;
  open.practiceSeries = 1;
  ASSERT_TRUE(zd::CreateWorkingRaceFile(event).ok);
  zd::TextFile file;
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
  WritePracticeDrivers(file, drivers, static_cast<int32_t>(drivers.size()));
  if (sections) sections(file);
}

// The Ctrl key as the window's next key-state query sees it.
inline void SetCtrl(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

struct ShownBox {
  std::string caption;
  std::string text;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Private\\Course.race2", "VeVaravErez.race2"}) {
      const std::string path = InDataFolder(name);
      kept_.push_back({path, GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES,
                       ReadWindowsFile(path)});
    }
    zd::SetMessageAnswerer([this](const char* text, const char* caption, UINT) {
      boxes.push_back({caption, text});
      if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
      }
      return IDOK;
    });
    window = zd::StartProgram(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    tree = zd::MainState().eventTree;
    boxes.clear();
    // The main timer's first tick reads the interface settings from the current directory, the
    // data folder. It comes at once at normal speed; on a loaded machine it could come inside a
    // file chooser the test opens, whose browsing moves the current directory, and the file
    // would not be found. The test starts once it has come, as the user would.
    ASSERT_TRUE(zd_test::WaitFor([] { return zd::MainDecoderLink().initialised == 1; }));
  }

  void TearDown() override {
    if (window && IsWindow(window)) {
      zd::MainState().race = zd::RaceState{};
      answers = {IDNO};
      SendMessageA(window, WM_CLOSE, 0, 0);
    }
    zd::SetMessageAnswerer({});
    for (const Kept& k : kept_) {
      if (k.existed) {
        WriteWindowsFile(k.path, k.bytes);
      } else {
        DeleteFileA(k.path.c_str());
      }
    }
  }

  void Command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  std::string TreeText() {
    zd::TreeViewControl view(tree);
    return zd::TreeListingText(zd::TreeListing(view));
  }

  // The tree item of a code, or nullptr.
  HTREEITEM Item(int32_t code) {
    zd::TreeViewControl view(tree);
    return FindIn(view, zd::kNoItem, code);
  }

  // The event of the tests in the program, as if it had been opened.
  void OpenTestEvent(const zd::SeriesParameters& parameters = {}) {
    zd::EventState& event = zd::MainState().event;
    MakeTestEvent(event);
    WriteTestEventFile(event, parameters);
    zd::TreeViewControl view(tree);
    zd::BuildTreeFromRaceFile(view, event);
  }

  // The node selected as the operator selects it.
  void Select(int32_t code) {
    HTREEITEM item = Item(code);
    ASSERT_NE(item, nullptr) << code;
    TreeView_SelectItem(tree, item);
  }

  std::string Title() {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

  bool MenuItemGrayed(UINT command) {
    return (GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED) != 0;
  }

  HWND window = nullptr;
  HWND tree = nullptr;
  std::vector<ShownBox> boxes;
  std::deque<int> answers;

 private:
  struct Kept {
    std::string path;
    bool existed;
    std::string bytes;
  };

  static HTREEITEM FindIn(zd::TreeViewControl& view, zd::TreeItem parent, int32_t code) {
    for (zd::TreeItem item = view.firstChild(parent); item != zd::kNoItem;
         item = view.nextSibling(item)) {
      if (view.node(item).code == code) return zd::ToTreeHandle(item);
      if (HTREEITEM found = FindIn(view, item, code)) return found;
    }
    return nullptr;
  }

  std::vector<Kept> kept_;
};

}  // namespace zd_test
