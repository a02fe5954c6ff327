// The arrangement dialogs opened from the event tree's "Répartition" nodes of race "Open", driven
// by messages as their user would: the count edits, the arrows clicked by the mouse, the source
// buttons, and what "Générer" and "Echap" leave in the race file.

#include "phases/arrangement_dialogs.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "gtest_win32.h"
#include "main/event_tree.h"
#include "phases/arrangement.h"
#include "print/pdf_queue.h"
#include "print/print_dialog_answer.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using zd_test::WriteWindowsFile;

constexpr int kPracticeCommand = 1062;
constexpr int kQualifyingCommand = 1074;
constexpr int kGridCommand = 1084;
constexpr const char* kPracticeCaption = "Répartition essais libres";
constexpr const char* kQualifyingCaption = "Répartition qualifications";
constexpr const char* kGridCaption = "Grille départ manches d'endurance";

// The client point of an arrow: the down arrow of visible row k, or the up arrow of row k + 1.
LPARAM DownArrow(int k) { return MAKELPARAM(335, 120 + 20 * k); }
LPARAM UpArrow(int k) { return MAKELPARAM(315, 140 + 20 * k); }

class ArrangementDialog : public DatabaseDialogTest {
 protected:
  ArrangementDialog() : DatabaseDialogTest({}) {}
  void SetUp() override {
    DatabaseDialogTest::SetUp();
    zd::SetArrangementSoundPlayer([this](const char* file) { sounds.push_back(file); });
  }
  void TearDown() override {
    zd::SetArrangementSoundPlayer({});
    DatabaseDialogTest::TearDown();
  }

  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }

  // The test event's race 1 with participants "P01" to "Pnn" (in that order in every
  // arrangement), race 1's record changed by edit.
  void WriteRace(int participants, int32_t practiceN, int32_t qualifyingN, int32_t gridQ,
                 const std::function<void(zd::RaceHeaderRecord&)>& edit = {}) {
    OpenTestEvent();
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    int32_t code = 0, races = 0;
    zd::RaceHeaderRecords records;
    zd::ClearRaceHeaderRecords(records);
    ASSERT_TRUE(zd::ReadRaceFileHeader(file, code, races, records));
    records[0].participantCount = participants;
    if (edit) edit(records[0]);
    // The main window writes its own header when a node is chosen: it must say the same.
    zd::RaceRecord(zd::MainState().event, 1) = records[0];
    ASSERT_TRUE(zd::WriteRaceFileHeader(file, code, races, records).ok);
    auto table = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*table);
    auto slots = std::make_unique<zd::ArrangementRecords>();
    for (int i = 0; i < participants; ++i) {
      (*table)[i].name = (i < 9 ? "P0" : "P") + std::to_string(i + 1);
      (*table)[i].carNumber = std::to_string(i + 1);
      (*slots)[i].name = (*table)[i].name;
    }
    ASSERT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *table).ok);
    ASSERT_TRUE(
        zd::WriteSeriesArrangementRecords(
            file, zd::ArrangementSectionTitle(1, zd::RacePhase::Practice), practiceN, *slots)
            .ok);
    ASSERT_TRUE(
        zd::WriteSeriesArrangementRecords(
            file, zd::ArrangementSectionTitle(1, zd::RacePhase::Qualifying), qualifyingN, *slots)
            .ok);
    ASSERT_TRUE(zd::WriteRoundArrangementRecords(
                    file, zd::ArrangementSectionTitle(1, zd::RacePhase::Rounds), gridQ, *table)
                    .ok);
  }

  // Opens the dialog; opened is the race file as the main window leaves it for the dialog. A
  // dialog that act left open is closed by "Echap".
  void Open(zd::RacePhase phase, const std::function<void(HWND)>& userAct) {
    Select(zd::PhaseNodeCode(1, phase) + 20);
    auto act = [&](HWND d) {
      opened = RaceFile();
      userAct(d);
      if (IsWindowVisible(d)) Click(d, IDCANCEL);
    };
    switch (phase) {
      case zd::RacePhase::Practice:
        WithDialog(kPracticeCommand, kPracticeCaption, 6102, act);
        break;
      case zd::RacePhase::Qualifying:
        WithDialog(kQualifyingCommand, kQualifyingCaption, 7102, act);
        break;
      case zd::RacePhase::Rounds:
        WithDialog(kGridCommand, kGridCaption, 8102, act);
        break;
    }
  }

  // The race file as the writers leave it from before, with race 1's record edited and the
  // phase's section written.
  std::string Expected(const std::string& before, zd::RacePhase phase, int32_t count,
                       const std::vector<std::string>& names,
                       const std::function<void(zd::RaceHeaderRecord&)>& edit) {
    const std::string golden = Outside("golden.race2");
    EXPECT_TRUE(WriteWindowsFile(golden, before));
    zd::TextFile file;
    EXPECT_TRUE(file.open(golden, zd::OpenMode::Update));
    int32_t code = 0, races = 0;
    zd::RaceHeaderRecords records;
    zd::ClearRaceHeaderRecords(records);
    EXPECT_TRUE(zd::ReadRaceFileHeader(file, code, races, records));
    edit(records[0]);
    EXPECT_TRUE(zd::WriteRaceFileHeader(file, code, races, records).ok);
    auto slots = std::make_unique<zd::ArrangementRecords>();
    for (std::size_t i = 0; i < names.size(); ++i) (*slots)[i].name = names[i];
    const std::string title = zd::ArrangementSectionTitle(1, phase);
    if (phase == zd::RacePhase::Rounds) {
      auto table = std::make_unique<zd::ParticipantTable>();
      std::copy_n(slots->begin(), zd::kGridSlots, table->begin());
      EXPECT_TRUE(zd::WriteRoundArrangementRecords(file, title, count, *table).ok);
    } else {
      EXPECT_TRUE(zd::WriteSeriesArrangementRecords(file, title, count, *slots).ok);
    }
    file.close();
    return ReadWindowsFile(golden);
  }

  std::vector<std::string> sounds;
  std::string opened;
};

std::vector<std::string> Numbered(int n) {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back((i < 9 ? "P0" : "P") + std::to_string(i + 1));
  return names;
}

TEST_F(ArrangementDialog, PracticeCountArrowsAndGenererWriteTheHeaderAndTheSection) {
  WriteRace(12, 5, 5, 50);
  std::string written;
  Open(zd::RacePhase::Practice, [&](HWND d) {
    EXPECT_EQ(Text(d, 6101), "Open");
    EXPECT_EQ(Text(d, 6102), "5");
    EXPECT_EQ(FontOf(d, 6104).lfWeight, FW_BOLD);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 6102)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, 6106)));  // 15 rows
    Type(d, 6102, "0");
    EXPECT_EQ(Text(d, 6102), "0");  // kept as typed, 1 used
    Type(d, 6102, "75");
    EXPECT_EQ(Text(d, 6102), "50");
    Type(d, 6102, "4");  // three series of four
    SaveDialogPicture(d, "practice_arrangement.png");
    // P01 down, then P03 up over P02: P02 P03 P01 P04...
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(0));
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, UpArrow(1));
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 120));  // no arrow
    EXPECT_EQ(sounds, (std::vector<std::string>{"sons/beep1.wav", "sons/beep1.wav"}));
    EXPECT_TRUE(PressOk(d));
    written = RaceFile();  // before the main window takes the first session
  });
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  std::vector<std::string> names = Numbered(12);
  names[0] = "P02";
  names[1] = "P03";
  names[2] = "P01";
  EXPECT_TRUE(SameBytes(
      written, Expected(opened, zd::RacePhase::Practice, 4, names, [](zd::RaceHeaderRecord& r) {
        r.practiceSeries = 3;
        r.practiceSessions = -1;
      })));
}

// Fifty drivers in one series, and a grid of fifty: the table is painted up to x 811 at fixed
// pixels; the controls stand where two pixels a dialog unit put them, as on Windows (Wine's
// narrower font is spread to that grid), so the scroll bar is whole just right of the table.
TEST_F(ArrangementDialog, FiftyDriversShowWholeWithTheScrollBarBesideTheTable) {
  WriteRace(50, 50, 50, 50);
  struct Window {
    zd::RacePhase phase;
    int bar, count;
    const char* picture;
  };
  const Window windows[] = {{zd::RacePhase::Practice, 6106, 6102, "practice_arrangement_50.png"},
                            {zd::RacePhase::Qualifying, 7107, 7102, nullptr},
                            {zd::RacePhase::Rounds, 8107, 8102, "starting_grid_50.png"}};
  for (const Window& w : windows) {
    SCOPED_TRACE(w.bar);
    Open(w.phase, [&](HWND d) {
      RECT client;
      GetClientRect(d, &client);
      ASSERT_TRUE(IsWindowVisible(GetDlgItem(d, w.bar)));
      const RECT bar = ControlRect(d, w.bar);
      // 406 units, 9 wide.
      EXPECT_GE(bar.left, 811);
      EXPECT_LE(bar.left, 814);
      EXPECT_LE(bar.right, client.right);
      EXPECT_LE(bar.bottom, client.bottom);
      // Everything else inside the window and clear of the table.
      for (int id : {w.count, IDOK, IDCANCEL}) {
        const RECT r = ControlRect(d, id);
        EXPECT_LE(r.right, client.right) << id;
        EXPECT_TRUE(r.bottom <= 80 || r.top >= 511) << id;
      }
      if (w.picture) SaveDialogPicture(d, w.picture);
    });
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ArrangementDialog, TheScrollBarMovesTheArrowsWithTheRows) {
  WriteRace(30, 5, 5, 50);  // 30 rows: range 0..10
  std::string written;
  Open(zd::RacePhase::Practice, [&](HWND d) {
    HWND bar = GetDlgItem(d, 6106);
    EXPECT_TRUE(IsWindowVisible(bar));
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10);
    SendMessageA(d, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    SendMessageA(d, WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 9);
    // Rows 0 and 1 now show slots 9 and 10, in two series: before practice they still swap.
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(0));
    EXPECT_TRUE(PressOk(d));
    written = RaceFile();
  });
  std::vector<std::string> names = Numbered(30);
  std::swap(names[9], names[10]);
  EXPECT_TRUE(SameBytes(
      written, Expected(opened, zd::RacePhase::Practice, 5, names, [](zd::RaceHeaderRecord& r) {
        r.practiceSeries = 6;
        r.practiceSessions = -1;
      })));
}

TEST_F(ArrangementDialog, EchapWritesNothingAndTenSeriesKeepTheDialogOpen) {
  WriteRace(12, 5, 5, 50);
  Open(zd::RacePhase::Qualifying, [&](HWND d) {
    Type(d, 7102, "1");
    Click(d, IDOK);
    EXPECT_TRUE(IsWindowVisible(d));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Erreur");
    EXPECT_EQ(boxes[0].text, zd::kTooManySeries);
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(0));
    Click(d, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(d));
  });
  EXPECT_TRUE(SameBytes(RaceFile(), opened));
}

TEST_F(ArrangementDialog, QualifyingStartedKeepsDriversInTheirSeries) {
  WriteRace(12, 3, 5, 50, [](zd::RaceHeaderRecord& r) { r.qualifyingStates[0] = 1; });
  std::string written;
  Open(zd::RacePhase::Qualifying, [&](HWND d) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 7102)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 7103)));
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(4));  // P05 into series 2: refused
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Attention");
    EXPECT_EQ(boxes[0].text, zd::kQualifyingStartedWarning);
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, UpArrow(3));  // P05 over P04
    EXPECT_EQ(sounds, (std::vector<std::string>{"sons/buzz.wav", "sons/beep1.wav"}));
    EXPECT_TRUE(PressOk(d));
    written = RaceFile();
  });
  std::vector<std::string> names = Numbered(12);
  std::swap(names[3], names[4]);
  // Qualifying had started: its session count stays.
  EXPECT_TRUE(
      SameBytes(written, Expected(opened, zd::RacePhase::Qualifying, 5, names,
                                  [](zd::RaceHeaderRecord& r) { r.qualifyingSeries = 3; })));
}

TEST_F(ArrangementDialog, IdentiqueAuxEssaisLibresCopiesThePracticeArrangement) {
  WriteRace(12, 3, 5, 50);
  std::string written;
  Open(zd::RacePhase::Qualifying, [&](HWND d) {
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 7103)));
    Type(d, 7102, "7");
    Click(d, 7103);
    EXPECT_EQ(Text(d, 7102), "3");
    Type(d, 7102, "1");  // twelve series
    Click(d, IDOK);
    EXPECT_TRUE(IsWindowVisible(d));
    Click(d, 7103);
    EXPECT_TRUE(PressOk(d));
    written = RaceFile();
  });
  EXPECT_TRUE(SameBytes(written, Expected(opened, zd::RacePhase::Qualifying, 3, Numbered(12),
                                          [](zd::RaceHeaderRecord& r) {
                                            r.qualifyingSeries = 4;
                                            r.qualifyingSessions = -1;
                                          })));
}

TEST_F(ArrangementDialog, GridQualifiedCountAndTheQualifyingOrder) {
  WriteRace(12, 3, 5, 50, [](zd::RaceHeaderRecord& r) { r.qualifyingStates[1] = 1; });
  {
    // The final qualifying order: P12 down to P01.
    auto list = std::make_unique<zd::RankingList>();
    zd::ClearRankingEntries(*list);
    for (int i = 0; i < 12; ++i) (*list)[i].name = Numbered(12)[11 - i];
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteClassementSection(file,
                                           zd::ClassementSectionTitle(1, zd::RacePhase::Qualifying),
                                           zd::ClassementSettings{}, *list)
                    .ok);
  }
  std::string written;
  Open(zd::RacePhase::Rounds, [&](HWND d) {
    EXPECT_EQ(Text(d, 8102), "12");
    Type(d, 8102, "20");
    EXPECT_EQ(Text(d, 8102), "12");
    Type(d, 8102, "0");
    EXPECT_EQ(Text(d, 8102), "0");
    Type(d, 8102, "5");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 8103)));
    Click(d, 8103);
    EXPECT_EQ(Text(d, 8102), "5");
    // Before the rounds any pair swaps, eliminated ones too: P08 below P07.
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(4));
    SaveDialogPicture(d, "starting_grid.png");
    EXPECT_TRUE(PressOk(d));
    written = RaceFile();
  });
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  std::vector<std::string> names;
  for (int i = 12; i >= 1; --i) names.push_back(Numbered(12)[i - 1]);
  std::swap(names[4], names[5]);
  EXPECT_TRUE(SameBytes(written, Expected(opened, zd::RacePhase::Rounds, 5, names,
                                          [](zd::RaceHeaderRecord& r) { r.rounds = -1; })));
}

TEST_F(ArrangementDialog, StartedRoundsExchangeOnlyAmongTheQualified) {
  WriteRace(20, 3, 5, 10, [](zd::RaceHeaderRecord& r) { r.roundsState = 1; });
  Open(zd::RacePhase::Rounds, [&](HWND d) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 8102)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, 8103)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(8));  // positions 9 and 10
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, DownArrow(9));  // 10 and 11
    SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, UpArrow(14));   // 15 and 16
    EXPECT_EQ(sounds,
              (std::vector<std::string>{"sons/beep1.wav", "sons/buzz.wav", "sons/buzz.wav"}));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, zd::kGridLockedWarning);
    Click(d, IDCANCEL);
  });
}

// Through the print dialog to the PDF queue of the test run's own CUPS server (skipped without
// it), then read back: one series a page at N = 15.
class ArrangementPrinting : public ArrangementDialog {
 protected:
  void SetUp() override {
    if (zd_test::PdfFolder().empty()) GTEST_SKIP() << "no print server: ./test gui starts one";
    ArrangementDialog::SetUp();
  }
};

TEST_F(ArrangementPrinting, TheQualifyingArrangementPrintsOneSeriesAPage) {
  WriteRace(40, 3, 15, 50);
  const std::set<std::string> before = zd_test::PdfFiles();
  Open(zd::RacePhase::Qualifying, [&](HWND d) {
    zd_test::PrintDialogAnswer answer(IDOK);
    Click(d, 7104);
    EXPECT_TRUE(answer.answered());
    Click(d, IDCANCEL);
  });
  const std::string pdf = zd_test::NewPdf(before);
  ASSERT_FALSE(pdf.empty());
  EXPECT_NE(pdf.find("REPARTITION_QUALIFS"), std::string::npos) << pdf;
  EXPECT_EQ(zd_test::PdfPages(pdf, folder_), 3);
  const std::string text =
      zd_test::CommandOutput("pdftotext -layout " + zd_test::ShellQuoted(pdf) + " -", folder_);
  for (const char* expected : {"QUALIFICATIONS : COMPOSITION SERIES", "Open", "P01", "P40",
                               "Page 1 /3", "Page 3 /3", "S\xC3\xA9rie 3"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  // The pages to look at.
  EXPECT_TRUE(zd_test::RunShell(
      "pdftoppm -png -r 60 " + zd_test::ShellQuoted(pdf) + " " +
      zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/qualifying_arrangement")));
}

}  // namespace
