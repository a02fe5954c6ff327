// The "Fichier" commands run from the menu of the main window, the file choosers answered as the
// operator would: an event opened, saved under another name, replaced by a new event and opened
// again gives the same working file and the same tree; a file that is no event and a save that
// cannot be written change nothing and say so.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "../../files/new_race_file_bytes.h"
#include "../../main/memory_event_tree.h"
#include "chooser_answer.h"
#include "files/participants.h"
#include "main/event_file.h"
#include "main/main_window_handlers.h"
#include "main_window_fixture.h"

namespace {

using zd_test::ChooserAnswer;
using zd_test::ReadWindowsFile;
using zd_test::WriteWindowsFile;

const std::string kFolder = "C:\\zd_event_files";

constexpr int kNewEvent = 1001;
constexpr int kOpenEvent = 1002;
constexpr int kSaveEvent = 1003;
constexpr int kSaveEventAs = 1004;

class EventFileCommands : public zd_test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateDirectoryA(kFolder.c_str(), nullptr);
    MakeEventFile();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    for (const char* name : {"fixture.race2", "copy.race2", "notes.race2"})
      DeleteFileA((kFolder + "\\" + name).c_str());
    RemoveDirectoryA(kFolder.c_str());
  }

  // An event file of two races, the first with participants, a practice session and a series
  // with results, kept in the event files' folder. The participants' names are nobody's in the
  // drivers database, so opening it changes nothing of them.
  void MakeEventFile() {
    event_ = std::make_unique<zd::EventState>();
    zd::ClearEventRecords(*event_);
    event_->raceCount = 2;
    event_->selectionCode = 13101;
    zd::RaceHeaderRecord& open = zd::RaceRecord(*event_, 1);
    open.name = "Open";
    open.participantCount = 2;
    open.practiceSessions = 1;
    open.practiceSeries = 1;
    open.practiceStates[0] = 1;
    zd::RaceRecord(*event_, 2).name = "Junior";
    event_->flags[0].practice[0][0] = 1;
    event_->names[0][0] = "Zacharie Testeur";
    event_->names[0][1] = "Yolande Essai";

    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(zd::CreateWorkingRaceFile(*event_).ok);
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    (*participants)[0].name = event_->names[0][0].view();
    (*participants)[1].name = event_->names[0][1].view();
    ASSERT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
    file.close();
    fixtureBytes_ = ReadWindowsFile(zd_test::InDataFolder("Private\\Course.race2"));
    ASSERT_TRUE(WriteWindowsFile(Path("fixture.race2"), fixtureBytes_));
  }

  static std::string Path(const std::string& name) { return kFolder + "\\" + name; }
  std::string WorkingFile() { return ReadWindowsFile(zd_test::InDataFolder("Private\\Course.race2")); }

  // Opens the event file: chooser answered with its name, no save of the current event.
  void Open(const std::string& path) {
    ChooserAnswer chooser(path);
    answers = {IDNO};
    Command(kOpenEvent);
    ASSERT_TRUE(chooser.answered());
    EXPECT_EQ(chooser.shownFilter(), "Fichier course (.race2)");
  }

  std::string ExpectedTree() {
    zd::test::MemoryEventTree memory;
    zd::BuildTreeFromRaceFile(memory, *event_);
    return memory.text();
  }

  std::unique_ptr<zd::EventState> event_;
  std::string fixtureBytes_;
};

TEST_F(EventFileCommands, OpenSaveAsNewAndReopenKeepTheEventWhole) {
  EXPECT_TRUE(MenuItemGrayed(kSaveEvent));
  Open(Path("fixture.race2"));
  EXPECT_EQ(Title(), "Zentrik:   " + Path("fixture.race2"));
  EXPECT_FALSE(MenuItemGrayed(kSaveEvent));
  EXPECT_TRUE(zd_test::SameBytes(WorkingFile(), fixtureBytes_));
  const std::string openedTree = TreeText();
  EXPECT_EQ(openedTree, ExpectedTree());
  EXPECT_NE(openedTree.find("+20000 Junior [2]"), std::string::npos);
  EXPECT_NE(openedTree.find("13101 Série1 [8]"), std::string::npos);

  // Saved under a name typed without its extension.
  {
    ChooserAnswer chooser(Path("copy"));
    Command(kSaveEventAs);
    ASSERT_TRUE(chooser.answered());
  }
  EXPECT_EQ(Title(), "Zentrik:   " + Path("copy"));
  EXPECT_EQ(zd::MainState().event.eventFilePath.view(), Path("copy.race2"));
  EXPECT_TRUE(zd_test::SameBytes(ReadWindowsFile(Path("copy.race2")), fixtureBytes_));

  answers = {IDNO};
  Command(kNewEvent);
  EXPECT_EQ(Title(), "Zentrik");
  EXPECT_TRUE(MenuItemGrayed(kSaveEvent));
  EXPECT_TRUE(zd_test::SameBytes(WorkingFile(), zd::test::NewRaceFileBytes()));
  zd::test::MemoryEventTree fresh;
  zd::BuildDefaultTree(fresh, "COURSE 1");
  EXPECT_EQ(TreeText(), fresh.text());

  Open(Path("copy.race2"));
  EXPECT_TRUE(zd_test::SameBytes(WorkingFile(), fixtureBytes_));
  EXPECT_EQ(TreeText(), openedTree);
  EXPECT_EQ(Title(), "Zentrik:   " + Path("copy.race2"));
}

// A file that is no event leaves the current one; a save that cannot be written says so.
TEST_F(EventFileCommands, AFailedOpenOrSaveChangesNothingAndSaysSo) {
  Open(Path("fixture.race2"));
  const std::string tree = TreeText();
  ASSERT_TRUE(WriteWindowsFile(Path("notes.race2"), "Shopping list\r\n"));
  boxes.clear();
  Open(Path("notes.race2"));
  ASSERT_EQ(boxes.size(), 2u);  // the question, then the failure
  EXPECT_EQ(boxes[1].text, zd::kEventFileNotRead);
  EXPECT_EQ(Title(), "Zentrik:   " + Path("fixture.race2"));
  EXPECT_TRUE(zd_test::SameBytes(WorkingFile(), fixtureBytes_));
  EXPECT_EQ(TreeText(), tree);

  // The event file's folder gone, as a removed memory stick takes it.
  zd::MainState().event.eventFilePath = kFolder + "\\gone\\fixture.race2";
  boxes.clear();
  EXPECT_FALSE(zd::SaveEventCommand(window, kSaveEvent));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, zd::kEventFileNotSaved);
  EXPECT_FALSE(MenuItemGrayed(kSaveEvent));
}

}  // namespace
