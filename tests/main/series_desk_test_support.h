#pragma once
// Loading and saving series on a race file of a scratch data folder: a window that records what
// it is asked, a tree in memory, and helpers that write the sections of a fixture event.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../files/test_support.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/series_sections.h"
#include "main/event_file.h"
#include "main/series_loading.h"
#include "memory_event_tree.h"
#include "race_control_test_support.h"

namespace zd::test {

class FakeSeriesWindow : public SeriesWindow {
 public:
  void showError(std::string_view text, bool errorIcon) override {
    errors.emplace_back(text);
    if (errorIcon) ++errorIcons;
  }
  void leaveResultsEditing() override { ++editingLeft; }
  void enableResultsEditing(bool enabled) override { resultsEditing = enabled ? 1 : 0; }
  void setLapButtons(const LapButtons& b) override { buttons = b; }
  void refreshBoard() override { ++refreshes; }
  void reloadBoard() override { ++reloads; }
  void emptyBoard() override { ++empties; }

  std::vector<std::string> errors;
  int errorIcons = 0;
  int editingLeft = 0;
  int resultsEditing = -1;
  LapButtons buttons{};
  int refreshes = 0;
  int reloads = 0;
  int empties = 0;
};

// A car's results as a series section stores them: laps passings at the given race times.
inline void GiveResults(SeriesResultEntry& slot, const std::vector<int32_t>& times) {
  slot.passingCount = static_cast<int32_t>(times.size()) - 1;
  slot.laps = slot.passingCount;
  for (std::size_t k = 0; k < times.size(); ++k) slot.passingTimes[k] = times[k];
  slot.raceTime = times.back();
  slot.bestLap = 0;
  for (std::size_t k = 1; k < times.size(); ++k) {
    const int32_t lap = times[k] - times[k - 1];
    if (slot.bestLap == 0 || lap < slot.bestLap) slot.bestLap = lap;
  }
  slot.lapTimes[slot.passingCount] = times.size() > 1 ? times.back() - times[times.size() - 2] : 0;
}

inline SeriesTexts Texts(std::string_view description, std::string_view comment,
                         std::string_view trackCondition) {
  SeriesTexts texts;
  texts.description = description;
  texts.comment = comment;
  texts.trackCondition = trackCondition;
  return texts;
}

class SeriesDeskTest : public RaceControlTest {
 protected:
  SeriesDeskTest() {
    char cwd[4096];
    previous_ = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
    EXPECT_EQ(::chdir(dir_.path().c_str()), 0);
    EXPECT_EQ(::mkdir("Private", 0777), 0);
    ClearPenaltyTable(event->penalties);
    event->penalties[0].code = "A";
    event->penalties[0].name = "Abandon pilote";
  }
  ~SeriesDeskTest() override { EXPECT_EQ(::chdir(previous_.c_str()), 0); }

  SeriesDesk Desk() {
    return {Control(), *event, tree, seriesWindow, penaltySlots, transponderMode};
  }
  RaceHeaderRecord& record(int race) { return RaceRecord(*event, race); }

  // The working race file with the event's header and flags, then whatever the writer adds.
  void WriteRaceFile(const std::function<void(TextFile&)>& sections = {}) {
    ASSERT_TRUE(CreateWorkingRaceFile(*event).ok);
    if (!sections) return;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Update);
    sections(file);
  }
  std::string RaceFileBytes() { return ReadBytes(dir_.file(kRaceFilePath)); }

  // The series or round of a node, loaded as its selection makes it.
  void Select(int32_t code) {
    event->selectionCode = code;
    const TreeItem item = tree.find(code);
    zd::LoadSeries(Desk(), code, NormalisedNodeCode(code, 0), item);
  }

  // The series read back from the race file.
  std::unique_ptr<SeriesTable> SectionOf(const std::string& title, SeriesTexts* texts = nullptr) {
    auto table = std::make_unique<SeriesTable>();
    SeriesTexts read;
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, title)) << title;
    ReadSeriesResultsSection(file, *table, read);
    if (texts) *texts = read;
    return table;
  }

  std::unique_ptr<EventState> event = std::make_unique<EventState>();
  MemoryEventTree tree;
  FakeSeriesWindow seriesWindow;
  int32_t transponderMode = kTransponderPersonal;

 private:
  TempDir dir_;
  std::string previous_;
};

}  // namespace zd::test
