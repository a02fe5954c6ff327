// The session ranking windows opened on a race file of the tests by its SelectionCode (and from
// the event tree), driven by messages as their user would, and the race file they leave.

#include "gtest_win32.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "files/live_file.h"
#include "files/ranking.h"
#include "main/main_window_fixture.h"
#include "phases/session_race_file.h"
#include "phases/session_ranking_dialog.h"
#include "print/pdf_queue.h"
#include "print/print_dialog_answer.h"
#include "web/web_site_process.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SessionRaceFile;
using zd_test::WriteWindowsFile;

constexpr const char* kPracticeCaption = "Classement s\xE9" "ance d'essais libres";
constexpr const char* kQualifyingCaption = "Classement s\xE9" "ance qualifications";
constexpr const char* kRoundCaption = "Classement manche endurance";

struct Window {
  zd::RacePhase phase;
  const char* dialogTemplate;
  const char* caption;
  int base;  // the category combo is base + 1
};
const Window kWindows[] = {
    {zd::RacePhase::Practice, "COURSEESSAISCLASSEMENTSEANCE", kPracticeCaption, 6200},
    {zd::RacePhase::Qualifying, "COURSEQUALIFSCLASSEMENTSEANCE", kQualifyingCaption, 7200},
    {zd::RacePhase::Rounds, "COURSEMANCHESCLASSEMENTMANCHE", kRoundCaption, 8200},
};

// The ids of a window's controls.
struct Ids {
  int category, age, men, women, byLaps, byBestLap, firstPointsEdit;
};
Ids IdsOf(const Window& w) {
  if (w.phase == zd::RacePhase::Practice) return {6201, 6202, 6203, 6204, 6205, 6206, 0};
  const int b = w.base;
  return {b + 1, b + 2, b + 3, b + 4, b + 11, b + 12, b + 5};
}

// Six drivers over two categories and both sexes; Brigitte carries penalty P1.
SessionRaceFile Race(zd::RacePhase phase) {
  SessionRaceFile race;
  race.phase = phase;
  race.drivers = {{"Alain", "Buggy"},          {"Brigitte", "TT", "JUN", "Junior", 0},
                  {"Cyril", "Buggy"},          {"Denis", "TT", "JUN", "Junior"},
                  {"Emma", "Buggy", "SEN", "Senior", 0}, {"Fred", "TT"}};
  race.lines = {{"Alain", 20, 600000, 28000},    {"Brigitte", 21, 601000, 27000, 2},
                {"Cyril", 19, 600500, 29000},    {"Denis", 18, 600000, 30000},
                {"Emma", 20, 605000, 27500}};
  race.penalties = {{"A", "Abandon", 3, 0}, {"P1", "Coupe de piste", 1, 10}};
  return race;
}

void ChooseItem(HWND d, int combo, int item) {
  SendDlgItemMessageA(d, combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(d, combo)));
}
void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }
bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
int Selection(HWND d, int combo) {
  return static_cast<int>(SendDlgItemMessageA(d, combo, CB_GETCURSEL, 0, 0));
}

class SessionRankingWindows : public DatabaseDialogTest {
 protected:
  explicit SessionRankingWindows(std::vector<const char*> kept = {})
      : DatabaseDialogTest(std::move(kept)) {}
  // Opens the window of w on the race file as it stands; act runs on it once it shows.
  bool WithWindow(const Window& w, const std::function<void(HWND)>& act) {
    DialogDriver driver(w.caption, IdsOf(w).category, act);
    EXPECT_TRUE(zd::OpenSessionRankingDialog(window, w.dialogTemplate));
    return driver.acted();
  }
  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }
  // The race file as `before` with the points section written by the core's own writer.
  std::string WithPoints(const std::string& before, zd::RacePhase phase, std::string_view mode,
                         const zd::PointsScale& scale) {
    WriteWindowsFile(InDataFolder("Private\\Course.race2"), before);
    {
      zd::TextFile file;
      EXPECT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
      EXPECT_TRUE(zd::WritePointsSection(file, zd::PointsSectionTitle(1, phase), mode, scale).ok);
    }
    return RaceFile();
  }
};

TEST_F(SessionRankingWindows, FiltersSexBoxesAndModeDriveTheList) {
  for (const Window& w : kWindows) {
    SCOPED_TRACE(w.dialogTemplate);
    Race(w.phase).write();
    const Ids ids = IdsOf(w);
    EXPECT_TRUE(WithWindow(w, [&](HWND d) {
      const zd::SessionRanking* r = zd::ShownSessionRanking();
      ASSERT_NE(r, nullptr);
      EXPECT_EQ(r->shownCount(), w.phase == zd::RacePhase::Rounds ? 5 : 6);
      EXPECT_EQ(Lines(d, ids.category).size(), 0u);  // a combo: its items are read below
      EXPECT_EQ(SendDlgItemMessageA(d, ids.category, CB_GETCOUNT, 0, 0), 3);  // Toutes, Buggy, TT
      EXPECT_TRUE(Checked(d, ids.men));
      EXPECT_TRUE(Checked(d, ids.women));
      EXPECT_TRUE(Checked(d, ids.byLaps));
      EXPECT_EQ(FontOf(d, ids.category).lfHeight, 16);
      // The table is painted at fixed pixels that assume two pixels a dialog unit; Wine's
      // system font gives less across, so the client area may be narrower than the table.
      RECT units = {0, 0, 405, 340};
      MapDialogRect(d, &units);
      std::printf("405 x 340 units: %ld x %ld pixels\n", units.right, units.bottom);
      SaveDialogPicture(d, std::string("session_ranking_") + w.dialogTemplate + ".png");

      // A combo opening its list, a focus change: the window stays.
      SendDlgItemMessageA(d, ids.category, CB_SHOWDROPDOWN, TRUE, 0);
      SendDlgItemMessageA(d, ids.category, CB_SHOWDROPDOWN, FALSE, 0);
      for (int notification : {CBN_DROPDOWN, CBN_CLOSEUP, CBN_SETFOCUS, CBN_KILLFOCUS})
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(ids.category, notification),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, ids.category)));
      EXPECT_TRUE(IsWindowVisible(d));

      ChooseItem(d, ids.category, 2);  // TT
      EXPECT_EQ(r->filters().category.view(), "TT");
      for (int i = 0; i < r->shownCount(); ++i)
        EXPECT_EQ(r->list()[i].vehicleCategory.view(), "TT");
      EXPECT_EQ(r->shownCount(), w.phase == zd::RacePhase::Rounds ? 2 : 3);

      // Both boxes cleared: nobody.
      Press(d, ids.men);
      Press(d, ids.women);
      EXPECT_EQ(r->filters().sex, zd::kNoSex);
      EXPECT_EQ(r->shownCount(), 0);
      SaveDialogPicture(d, std::string("session_ranking_nosex_") + w.dialogTemplate + ".png");

      // A mode click brings back the whole field and clears every filter.
      Press(d, ids.byBestLap);
      EXPECT_EQ(r->rankingMode(), zd::kRankByBestLap);
      EXPECT_EQ(r->filters().sex, zd::kBothSexes);
      EXPECT_EQ(r->filters().category.view(), "Toutes");
      EXPECT_TRUE(Checked(d, ids.men));
      EXPECT_TRUE(Checked(d, ids.women));
      EXPECT_EQ(Selection(d, ids.category), 0);
      EXPECT_EQ(r->list()[0].name.view(), "Brigitte");  // 27.000 and no penalty on the best lap
      Click(d, IDCANCEL);
    }));
    EXPECT_EQ(zd::ShownSessionRanking(), nullptr);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SessionRankingWindows, OkWritesThePointsSectionAndEscapeOrTheCloseBoxNothing) {
  for (const Window& w : kWindows) {
    SCOPED_TRACE(w.dialogTemplate);
    Race(w.phase).write();
    const std::string before = RaceFile();
    const Ids ids = IdsOf(w);
    const bool points = ids.firstPointsEdit != 0;
    const int drivers = w.phase == zd::RacePhase::Rounds ? 5 : 6;

    // Escape, then the close box, after a change: nothing written.
    for (bool closeBox : {false, true}) {
      EXPECT_TRUE(WithWindow(w, [&](HWND d) {
        if (points) Type(d, ids.firstPointsEdit, "30");
        Press(d, ids.byBestLap);
        if (closeBox)
          SendMessageA(d, WM_CLOSE, 0, 0);
        else
          Click(d, IDCANCEL);
      }));
      EXPECT_TRUE(zd_test::SameBytes(RaceFile(), before));
    }

    EXPECT_TRUE(WithWindow(w, [&](HWND d) {
      const zd::SessionRanking* r = zd::ShownSessionRanking();
      if (points) {
        EXPECT_EQ(Text(d, ids.firstPointsEdit), std::to_string(5 + drivers));
        EXPECT_EQ(Text(d, ids.firstPointsEdit + 1), "2");
        EXPECT_EQ(r->list()[0].points, 5 + drivers);
        ChooseItem(d, ids.category, 1);
        Type(d, ids.firstPointsEdit, "30");  // brings back the whole field
        EXPECT_EQ(r->filters().category.view(), "Toutes");
        EXPECT_EQ(r->list()[0].points, 30);
        Type(d, ids.firstPointsEdit + 1, "4");
        EXPECT_EQ(r->list()[1].points, 26);
        Type(d, ids.firstPointsEdit + 5, "");  // an emptied gap counts as 0
        EXPECT_EQ(Text(d, ids.firstPointsEdit + 5), "");
        EXPECT_TRUE(IsWindowVisible(d));
      }
      Press(d, ids.byBestLap);
      EXPECT_TRUE(PressOk(d));
    }));
    zd::PointsScale scale;
    if (points) scale = {30 - drivers, 4, 1, 1, 1, 0};
    else scale = {0, 0, 0, 0, 0, 0};
    const std::string written = RaceFile();
    EXPECT_TRUE(zd_test::SameBytes(written, WithPoints(before, w.phase, zd::kRankByBestLap, scale)));
  }
  EXPECT_TRUE(boxes.empty());
}

// The tree opens the window of a ranking node once a session of its phase has started.
TEST_F(SessionRankingWindows, TheTreeOpensARankingNodeOnceItsPhaseHasStarted) {
  OpenTestEvent();
  zd::RaceHeaderRecord& open = zd::RaceRecord(zd::MainState().event, 1);
  open.qualifyingSessions = 1;
  open.qualifyingSeries = 1;
  {
    zd::TreeViewControl view(tree);
    zd::BuildTreeFromRaceFile(view, zd::MainState().event);
  }
  struct Node {
    int32_t code;
    const Window& w;
    int32_t* state;
  };
  const Node nodes[] = {{13951, kWindows[0], &open.practiceStates[0]},
                        {14951, kWindows[1], &open.qualifyingStates[0]},
                        {15951, kWindows[2], &open.roundsState}};
  for (const Node& node : nodes) {
    SCOPED_TRACE(node.code);
    for (int started : {0, 1}) {
      *node.state = started;
      Select(10000);
      DialogDriver driver(node.w.caption, IdsOf(node.w).category, [](HWND d) {
        EXPECT_NE(zd::ShownSessionRanking(), nullptr);
        Click(d, IDCANCEL);
      });
      Select(node.code);
      EXPECT_EQ(driver.acted(), started == 1);
    }
  }
}

TEST_F(SessionRankingWindows, TheScrollBarMovesTheViewWithinItsRange) {
  zd_test::NumberedRace(zd::RacePhase::Qualifying, 20).write();  // D + S = 20: range 0 to 4
  EXPECT_TRUE(WithWindow(kWindows[1], [&](HWND d) {
    HWND bar = GetDlgItem(d, 7232);
    EXPECT_TRUE(IsWindowVisible(bar));
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 4);
    struct Step {
      WPARAM request;
      int position;
    };
    const Step steps[] = {{SB_LINEUP, 0},   {SB_LINEDOWN, 1}, {SB_PAGEDOWN, 4},
                          {SB_LINEDOWN, 4}, {SB_PAGEUP, 0},   {MAKEWPARAM(SB_THUMBPOSITION, 3), 3},
                          {MAKEWPARAM(SB_THUMBTRACK, 1), 3}};
    for (const Step& step : steps) {
      SendMessageA(d, WM_VSCROLL, step.request, reinterpret_cast<LPARAM>(bar));
      EXPECT_EQ(GetScrollPos(bar, SB_CTL), step.position) << step.request;
    }
    // A filter change starts the view again from the top; the bar hides when all rows fit.
    ChooseItem(d, 7201, 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    Press(d, 7203);  // men out: nobody left
    EXPECT_FALSE(IsWindowVisible(bar));
    Click(d, IDCANCEL);
  }));
}

// Sending from a window connected to the test site: a filtered view is refused, the whole
// ranking goes to the race folder as "Q1.txt".
class SessionRankingWeb : public SessionRankingWindows {
 protected:
  static constexpr const char* kArchive = "WebResults\\Archive.txt";
  static constexpr const char* kRaceFolder = "public_html/ZentrikRiduduzud/Ligue_Sud/GP_1/Open";

  SessionRankingWeb()
      : SessionRankingWindows(
            {"Private\\SiteWeb.rg", "WebResults\\CoordonneesWeb.txt", kArchive}) {}

  void SetUp() override {
    SessionRankingWindows::SetUp();
    ASSERT_TRUE(site_.startWithActivatedEvent(zd::DataFolderPath()));
  }

  zd_test::WebSiteProcess site_;
};

TEST_F(SessionRankingWeb, AFilteredViewIsRefusedAndTheWholeRankingIsSent) {
  Race(zd::RacePhase::Qualifying).write();
  EXPECT_TRUE(WithWindow(kWindows[1], [&](HWND d) {
    ChooseItem(d, 7201, 1);
    Click(d, 7213);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Erreur");
    EXPECT_EQ(boxes[0].text.rfind("Seul le classement global de la s\xE9" "ance", 0), 0u);
    boxes.clear();
    ChooseItem(d, 7201, 0);
    Click(d, 7213);
    Click(d, IDCANCEL);
  }));
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  std::string archive = ReadWindowsFile(InDataFolder(kArchive));
  ASSERT_NE(archive.find("Brigitte"), std::string::npos) << archive;
  for (std::size_t at; (at = archive.find("\r\n")) != std::string::npos;) archive.erase(at, 1);
  EXPECT_EQ(site_.remoteFile(std::string(kRaceFolder) + "/Q1.txt"), archive);
  EXPECT_NE(site_.browsedAddresses().find("archive=Q1.txt"), std::string::npos)
      << site_.browsedAddresses();
}

// One qualifying ranking through the print dialog to the PDF printer, its pages as pictures.
TEST_F(SessionRankingWindows, AQualifyingRankingPrintsToAPdf) {
  if (zd_test::PdfFolder().empty()) GTEST_SKIP() << "no print server: ./test gui starts one";
  SessionRaceFile race = zd_test::NumberedRace(zd::RacePhase::Qualifying, 25);
  race.international = true;
  race.penalties = {{"A", "Abandon", 3, 0}, {"P1", "Coupe de piste", 1, 10}};
  race.lines[3].penaltyIndex = 2;
  race.write();
  const std::set<std::string> before = zd_test::PdfFiles();
  EXPECT_TRUE(WithWindow(kWindows[1], [&](HWND d) {
    zd_test::PrintDialogAnswer answer(IDOK);
    Click(d, 7214);
    EXPECT_TRUE(answer.answered());
    Click(d, IDCANCEL);
  }));
  const std::string pdf = zd_test::NewPdf(before);
  ASSERT_FALSE(pdf.empty());
  const std::string folder = zd_test::NewUnixFolder("ranking_pdf");
  EXPECT_EQ(zd_test::PdfPages(pdf, folder), 1);
  const std::string text =
      zd_test::CommandOutput("pdftotext -layout " + zd_test::ShellQuoted(pdf) + " -", folder);
  for (const char* expected : {"Classement Qualif 1", "Classement de la Qualif 1",
                               "Pilote 25", "Nation", "Pts", "(P1) : ", "Page 1 /1"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_TRUE(zd_test::RunShell("pdftoppm -png -r 60 " + zd_test::ShellQuoted(pdf) + " " +
                                zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) +
                                                     "/qualifying_session_ranking")));
}

}  // namespace
