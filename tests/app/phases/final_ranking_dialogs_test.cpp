// The final ranking windows opened from the event tree's nodes on a race file of the tests,
// driven by messages as their user would, and the race file they leave; their tables painted and
// their pages printed on metafiles.

#include "gtest_win32.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "files/event_sections.h"
#include "files/live_file.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/series_sections.h"
#include "main/event_tree.h"
#include "phases/final_ranking.h"
#include "phases/final_ranking_dialogs.h"
#include "phases/session_race_file.h"
#include "print/metafile_records.h"
#include "print/pdf_queue.h"
#include "print/print_dialog_answer.h"
#include "web/web_site_process.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;

using Line = zd_test::SessionLine;

// Two sessions of each phase. In the first, Cyril abandons and Denis's best lap is penalised;
// in the second, Emma abandons; Fred never runs.
const std::vector<Line> kFirstSession = {{"Alain", 12, 602500, 48100},
                                         {"Brigitte", 11, 600000, 49000},
                                         {"Cyril", 10, 500000, 49500, 1},
                                         {"Denis", 12, 610000, 47000, 2}};
const std::vector<Line> kSecondSession = {{"Alain", 12, 598000, 48600},
                                          {"Brigitte", 12, 599000, 48000},
                                          {"Emma", 9, 500000, 50000, 1}};

std::string ClassementSection(const std::string& title, const std::string& head,
                              const std::vector<std::string>& names) {
  std::string body = head;
  for (const std::string& name : names) body += name + "\t\r\n";
  for (std::size_t i = names.size(); i < 200; ++i) body += "(NA)\t\r\n";
  std::string filler;
  for (int i = 0; i < zd::filler::kClassement; ++i) filler += "1\t";
  filler += "\r\n";
  return "\r\n" + title + "\t\r\n" + body + filler.substr(body.size());
}

class FinalRankingDialogs : public DatabaseDialogTest {
 protected:
  explicit FinalRankingDialogs(std::vector<const char*> files = {})
      : DatabaseDialogTest(std::move(files)) {}

  // Race 1 with six participants of two categories, its penalties and two sessions of each
  // phase (without rounds: of practice and qualifying only), shown in the tree.
  void OpenRankingEvent(bool withRounds = true) {
    zd::EventState& event = zd::MainState().event;
    zd_test::MakeTestEvent(event);
    zd::RaceHeaderRecord& open = zd::RaceRecord(event, 1);
    open.practiceSessions = 2;
    open.practiceSeries = 1;
    open.qualifyingSessions = 2;
    open.qualifyingSeries = 1;
    open.rounds = withRounds ? 2 : 0;
    open.practiceStates[0] = open.practiceStates[1] = 1;
    open.qualifyingStates[0] = open.qualifyingStates[1] = 1;
    open.roundsState = withRounds ? 1 : 0;
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(zd::CreateWorkingRaceFile(event).ok);
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    const char* categories[] = {"TT", "TT", "GT", "GT", "TT", "GT"};
    const char* ages[] = {"S", "J", "S", "J", "S", "S"};
    const int32_t sexes[] = {1, 0, 1, 1, 0, 1};
    for (int i = 0; i < 6; ++i) {
      zd::ParticipantRecord& p = (*participants)[i];
      p.name = event.names[0][i].view();
      p.vehicleCategory = categories[i];
      p.ageCategoryCode = ages[i];
      p.ageCategoryName = ages[i][0] == 'S' ? "Senior" : "Junior";
      p.sex = sexes[i];
      p.carNumber = std::to_string(10 + i);
      p.club = "RC " + p.name.str();
    }
    ASSERT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
    // The starting grid, empty as the participants list leaves it.
    auto grid = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*grid);
    ASSERT_TRUE(zd::WriteRoundArrangementRecords(
                    file, zd::ArrangementSectionTitle(1, zd::RacePhase::Rounds), 0, *grid)
                    .ok);
    auto penalties = std::make_unique<zd::PenaltyTable>();
    zd::ClearPenaltyTable(*penalties);
    (*penalties)[0].code = "A";
    (*penalties)[0].name = "Abandon";
    (*penalties)[0].kind = zd::kPenaltyReplaceRaceTime;
    (*penalties)[0].amount = 600;
    (*penalties)[1].code = "P1";
    (*penalties)[1].name = "Meilleur tour";
    (*penalties)[1].kind = zd::kPenaltyAddBestLap;
    (*penalties)[1].amount = 5;
    ASSERT_TRUE(zd::WritePenaltiesSection(file, *penalties).ok);
    const std::vector<Line>* sessions[] = {&kFirstSession, &kSecondSession};
    for (int s = 1; s <= 2; ++s) {
      const auto table = zd_test::SeriesTableOf(*sessions[s - 1]);
      ASSERT_TRUE(
          zd::WriteSeriesResultsSection(file, zd::PracticeSeriesTitle(1, s, 1), *table, {}).ok);
      ASSERT_TRUE(
          zd::WriteSeriesResultsSection(file, zd::QualifyingSeriesTitle(1, s, 1), *table, {}).ok);
      if (withRounds)
        ASSERT_TRUE(zd::WriteRoundResultsSection(file, zd::RoundTitle(1, s), *table, 3000, {}).ok);
    }
    file.close();
    zd::TreeViewControl view(tree);
    zd::BuildTreeFromRaceFile(view, event);
  }

  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }

  // Opens the window of the node as the operator selects it; act runs on it once it shows.
  void WithRanking(int32_t code, const char* caption, int control,
                   const std::function<void(HWND)>& act) {
    DialogDriver driver(caption, control, act);
    Select(code);
    EXPECT_TRUE(driver.acted());
  }

  // The names of the unfiltered list of a fresh opening: the order "OK" writes.
  static std::vector<std::string> UnfilteredOrder(zd::RacePhase phase) {
    zd::FinalRanking r(phase);
    r.open();
    std::vector<std::string> names;
    for (int i = 0; i < r.shownCount(); ++i) names.push_back(r.list()[i].name.str());
    return names;
  }
};

std::vector<std::string> ComboItems(HWND d, int id) {
  std::vector<std::string> items;
  const LRESULT n = SendDlgItemMessageA(d, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char text[256] = {};
    SendDlgItemMessageA(d, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }
bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
void SelectItem(HWND d, int id, int item) {
  SendDlgItemMessageA(d, id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

constexpr int32_t kPracticeFinalNode = 13990;
constexpr int32_t kQualifyingFinalNode = 14990;
constexpr int32_t kRoundsFinalNode = 15990;

// The range typed, N and the mode changed, a filter set: what the practice window shows.
void DrivePracticeWindow(HWND d) {
  EXPECT_EQ(Text(d, 6305), "1");
  EXPECT_EQ(Text(d, 6306), "2");
  EXPECT_EQ(ComboItems(d, 6301), (std::vector<std::string>{"Toutes", "TT", "GT"}));
  EXPECT_TRUE(Checked(d, 6303) && Checked(d, 6304) && Checked(d, 6307));
  EXPECT_EQ(FontOf(d, 6311).lfWeight, FW_BOLD);
  EXPECT_STREQ(FontOf(d, 6305).lfFaceName, "Arial");
  Type(d, 6305, "0");  // counts as 1, left as typed
  EXPECT_EQ(Text(d, 6305), "0");
  Type(d, 6305, "5");  // above the last session
  EXPECT_EQ(Text(d, 6305), "2");
  Type(d, 6306, "1");  // below the first
  EXPECT_EQ(Text(d, 6306), "2");
  Type(d, 6305, "1");
  EXPECT_EQ(Text(d, 6305), "1");
  // A filter, then the mode: the filters are cleared.
  Press(d, 6303);
  EXPECT_FALSE(Checked(d, 6303));
  Press(d, 6308);
  EXPECT_TRUE(Checked(d, 6303));
  EXPECT_TRUE(Checked(d, 6308));
  SelectItem(d, 6301, 1);  // "TT" only
  SelectItem(d, 6302, 1);
  EXPECT_TRUE(IsWindowVisible(d));
}

TEST_F(FinalRankingDialogs, PracticeOkWritesTheUnfilteredOrderOfTheRange) {
  OpenRankingEvent();
  std::string before;
  WithRanking(kPracticeFinalNode, "Classement final essais libres", 6305, [&](HWND d) {
    before = RaceFile();
    DrivePracticeWindow(d);
    SaveDialogPicture(d, "practice_final_ranking.png");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  // By best lap: Brigitte 48.000, Alain 48.100, Cyril 49.500, Emma 50.000, Denis 47.000 + 5 s,
  // Fred without any.
  EXPECT_TRUE(SameBytes(
      RaceFile(), before + ClassementSection("DadevuDore1EssaisClassement",
                                             "1\t2\t0\tCLASSEMENTMeilleurTour\t\r\n",
                                             {"Brigitte", "Alain", "Cyril", "Emma", "Denis",
                                              "Fred"})));
}

TEST_F(FinalRankingDialogs, PracticeEscapeWritesNothing) {
  OpenRankingEvent();
  std::string before;
  WithRanking(kPracticeFinalNode, "Classement final essais libres", 6305, [&](HWND d) {
    before = RaceFile();
    DrivePracticeWindow(d);
    // A click of the scroll bar's id is no way out.
    Click(d, 6317);
    EXPECT_TRUE(IsWindowVisible(d));
    Click(d, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(d));
  });
  EXPECT_TRUE(SameBytes(RaceFile(), before));
}

TEST_F(FinalRankingDialogs, QualifyingBestCountKeepsWithinTheRangeAndOkWritesIt) {
  OpenRankingEvent();
  std::string before;
  WithRanking(kQualifyingFinalNode, "Classement final qualifications", 7307, [&](HWND d) {
    before = RaceFile();
    EXPECT_EQ(Text(d, 7305), "1");
    EXPECT_EQ(Text(d, 7306), "2");
    EXPECT_EQ(Text(d, 7307), "2");
    EXPECT_EQ(FontOf(d, 7318).lfHeight, 15);
    EXPECT_EQ(FontOf(d, 7317).lfWeight, FW_BOLD);
    Type(d, 7307, "3");
    EXPECT_EQ(Text(d, 7307), "2");
    Type(d, 7307, "0");  // counts as 1, left as typed
    EXPECT_EQ(Text(d, 7307), "0");
    Press(d, 7304);  // men only
    SaveDialogPicture(d, "qualifying_final_ranking.png");
    Press(d, 7309);
    Press(d, 7308);
    EXPECT_TRUE(Checked(d, 7304));
    Press(d, 7303);  // women only
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(SameBytes(
      RaceFile(), before + ClassementSection("DadevuDore1QualifsClassement",
                                             "1\t2\t1\tCLASSEMENTToursTemps\t\r\n",
                                             UnfilteredOrder(zd::RacePhase::Qualifying))));
}

// Keys as the organiser presses them in the one-character edits: the digit rubbed out, then 5.
TEST_F(FinalRankingDialogs, AClearedRangeEditTakesTheNextDigit) {
  OpenRankingEvent();
  struct Window {
    int32_t node;
    const char* caption;
    int last;
  };
  const Window windows[] = {{kPracticeFinalNode, "Classement final essais libres", 6306},
                            {kQualifyingFinalNode, "Classement final qualifications", 7306},
                            {kRoundsFinalNode, "Classement final endurance", 8306}};
  for (const Window& w : windows) {
    SCOPED_TRACE(w.caption);
    WithRanking(w.node, w.caption, w.last, [&](HWND d) {
      HWND edit = GetDlgItem(d, w.last);
      SetFocus(edit);
      SendMessageA(edit, EM_SETSEL, 0, -1);
      SendMessageA(edit, WM_CHAR, VK_BACK, 0);
      EXPECT_EQ(Text(d, w.last), "");
      SendMessageA(edit, WM_CHAR, '5', 0);
      EXPECT_EQ(Text(d, w.last), "5");
      Click(d, IDCANCEL);
    });
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FinalRankingDialogs, RoundsOkWritesTheRoundDriversAndEscapeNothing) {
  OpenRankingEvent();
  std::string before;
  WithRanking(kRoundsFinalNode, "Classement final endurance", 8307, [&](HWND d) {
    before = RaceFile();
    EXPECT_EQ(Text(d, 8312), "Classement de l'endurance");
    Type(d, 8305, "2");
    Press(d, 8303);
    SaveDialogPicture(d, "rounds_final_ranking.png");
    Click(d, IDCANCEL);
  });
  EXPECT_TRUE(SameBytes(RaceFile(), before));
  Select(zd::RaceNodeCode(1));  // the node is chosen again
  WithRanking(kRoundsFinalNode, "Classement final endurance", 8307, [&](HWND d) {
    Type(d, 8305, "2");
    Press(d, 8304);
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  // A change of the range does not lower the best count.
  EXPECT_TRUE(SameBytes(RaceFile(), before + ClassementSection("DadevuDore1ManchesClassement",
                                                                "2\t2\t2\tCLASSEMENTToursTemps\t\r\n",
                                                                UnfilteredOrder(zd::RacePhase::Rounds))));
}

// 29 drivers without results: rows 29 + 2, the bar over 0 to 14.
TEST_F(FinalRankingDialogs, TheScrollBarMovesByItsRequestsAndAFilterPutsItBack) {
  zd::EventState& event = zd::MainState().event;
  zd_test::MakeTestEvent(event);
  zd::RaceRecord(event, 1).practiceStates[0] = 1;
  std::vector<std::string> drivers;
  for (int i = 1; i <= 29; ++i) drivers.push_back("Pilote " + std::to_string(i));
  zd_test::WritePracticeSeriesFile(event, drivers);
  zd::TreeViewControl view(tree);
  zd::BuildTreeFromRaceFile(view, event);
  WithRanking(kPracticeFinalNode, "Classement final essais libres", 6317, [&](HWND d) {
    HWND bar = GetDlgItem(d, 6317);
    EXPECT_TRUE(IsWindowVisible(bar));
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 14);
    const auto scroll = [&](int request, int thumb = 0) {
      SendMessageA(d, WM_VSCROLL, MAKEWPARAM(request, thumb), reinterpret_cast<LPARAM>(bar));
      return GetScrollPos(bar, SB_CTL);
    };
    EXPECT_EQ(scroll(SB_LINEUP), 0);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 14);
    EXPECT_EQ(scroll(SB_LINEDOWN), 14);
    EXPECT_EQ(scroll(SB_LINEUP), 13);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 2), 13);
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 3), 3);
    EXPECT_EQ(scroll(SB_PAGEUP), 0);
    scroll(SB_PAGEDOWN);
    Press(d, 6304);  // men only: still all 29, the bar back at the top
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    Press(d, 6303);  // nobody: no bar
    EXPECT_FALSE(IsWindowVisible(bar));
    SaveDialogPicture(d, "practice_final_ranking_no_sex.png");
    Click(d, IDCANCEL);
  });
}

// The qualifying final order is the one the starting grid takes.
TEST_F(FinalRankingDialogs, TheStartingGridFollowsTheQualifyingFinalOrder) {
  OpenRankingEvent(false);
  WithRanking(kQualifyingFinalNode, "Classement final qualifications", 7307, [&](HWND d) {
    Press(d, 7309);
    EXPECT_TRUE(PressOk(d));
  });
  const std::vector<std::string> order = UnfilteredOrder(zd::RacePhase::Qualifying);
  ASSERT_EQ(order.size(), 6u);
  // Another order than the participants' own, which the grid would keep otherwise.
  ASSERT_NE(order, (std::vector<std::string>{"Alain", "Brigitte", "Cyril", "Denis", "Emma", "Fred"}));
  Select(zd::PhaseNodeCode(1, zd::RacePhase::Rounds) + 20);
  {
    DialogDriver grid("Grille d\xE9part manches d'endurance", 8102, [&](HWND d) {
      Click(d, 8103);  // "Suivant résultats qualifications"
      EXPECT_TRUE(PressOk(d));  // "Générer"
    });
    Command(1084);
    EXPECT_TRUE(grid.acted());
  }
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  zd::TextFile file;
  ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
  ASSERT_TRUE(zd::FindSection(file, zd::ArrangementSectionTitle(1, zd::RacePhase::Rounds)));
  int32_t qualified = 0;
  auto records = std::make_unique<zd::ParticipantTable>();
  zd::ClearParticipants(*records);
  zd::ReadRoundArrangementRecords(file, qualified, *records);
  std::vector<std::string> grid;
  for (std::size_t i = 0; i < order.size(); ++i) grid.push_back((*records)[i].name.str());
  EXPECT_EQ(grid, order);
}

// ---- The table on a metafile ----

class FinalRankingPainting : public FinalRankingDialogs {};

TEST_F(FinalRankingPainting, BlocksWithTheirTitlesAlsoScrolledPastThem) {
  OpenRankingEvent();
  zd::FinalRanking r(zd::RacePhase::Practice);
  r.open();
  // Rows: six entries, empty, Cyril and Emma with an abandon, empty, Denis with a penalty.
  {
    zd_test::MetafilePage metafile;
    zd::PaintPracticeFinalRanking(metafile.dc(), r, 0);
    const zd_test::MetaPage page = metafile.read();
    const auto* title = page.textAt(30, 258 + 20 * 7);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "Abandons subis lors des s\xE9" "ances EL1 \xE0 EL2 :");
    ASSERT_NE(page.textAt(260, 398), nullptr);
    EXPECT_EQ(page.textAt(260, 398)->text, "Cyril :  1 abandon");
    EXPECT_EQ(page.textAt(30, 458)->text, "P\xE9nalit\xE9s re\xE7ues lors des s\xE9" "ances EL1 \xE0 EL2 :");
    EXPECT_EQ(page.textAt(260, 458)->text, "Denis :  1 p\xE9nalit\xE9");
    EXPECT_EQ(page.textAt(400, 175)->text, "Open - Classement Essais Libres EL1 \xE0 EL2");
    EXPECT_EQ(page.textAt(105, 258)->text, "Alain");
    EXPECT_EQ(page.textAt(600, 258)->text, "12");
    EXPECT_EQ(page.textAt(690, 258)->text, "9:58.000");
    EXPECT_EQ(page.textAt(770, 258)->text, "48.100");
    EXPECT_EQ(page.textAt(260, 258)->text, "S");
    EXPECT_EQ(page.textAt(310, 278)->text, "F");
    EXPECT_EQ(page.findText("Pts"), nullptr);
    // Stripes on the entry rows 0, 2 and 4 only; the body ends below the sixth entry.
    int stripes = 0;
    for (const auto& fill : page.fills) stripes += fill.colour == RGB(234, 234, 234) ? 1 : 0;
    EXPECT_EQ(stripes, 3);
    EXPECT_TRUE(page.hasLine(2, 25, 375, 775, 375));
  }
  {
    zd_test::MetafilePage metafile;
    zd::PaintPracticeFinalRanking(metafile.dc(), r, 8);
    const zd_test::MetaPage page = metafile.read();
    EXPECT_EQ(page.textAt(30, 258), nullptr);
    ASSERT_NE(page.textAt(260, 258), nullptr);
    EXPECT_EQ(page.textAt(260, 258)->text, "Emma :  1 abandon");
    EXPECT_EQ(page.textAt(30, 298)->text.substr(0, 9), "P\xE9nalit\xE9s");
  }
}

TEST_F(FinalRankingPainting, MarkersOfTheBestSessionsWhenTheLeaderHasPoints) {
  OpenRankingEvent();
  for (const auto& [phase, paint] :
       std::vector<std::pair<zd::RacePhase, void (*)(HDC, const zd::FinalRanking&, int)>>{
           {zd::RacePhase::Qualifying, zd::PaintQualifyingFinalRanking},
           {zd::RacePhase::Rounds, zd::PaintRiduduzudFinalRanking}}) {
    zd::FinalRanking r(phase);
    r.open();
    ASSERT_TRUE(r.showsPoints());
    zd_test::MetafilePage metafile;
    paint(metafile.dc(), r, 0);
    const zd_test::MetaPage page = metafile.read();
    const std::vector<std::string> markers = r.markers(0);
    ASSERT_EQ(markers.size(), 2u);
    const auto* best = page.textAt(733, 260);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->text, markers[0]);
    EXPECT_EQ(best->fontHeight, 11);
    ASSERT_NE(page.textAt(753, 260), nullptr);
    EXPECT_EQ(page.textAt(753, 260)->text, markers[1]);
    EXPECT_EQ(page.textAt(730, 258)->text, std::to_string(r.list()[0].points));
    EXPECT_NE(page.findText("Pts"), nullptr);
  }
}

TEST_F(FinalRankingPainting, NoSexShowsTheTitleAndTheMessageOnly) {
  OpenRankingEvent();
  zd::FinalRanking r(zd::RacePhase::Qualifying);
  r.open();
  r.clickSexBox(zd::SexBox::Men, false);
  r.clickSexBox(zd::SexBox::Women, false);
  zd_test::MetafilePage metafile;
  zd::PaintQualifyingFinalRanking(metafile.dc(), r, 0);
  const zd_test::MetaPage page = metafile.read();
  ASSERT_EQ(page.texts.size(), 2u);
  EXPECT_EQ(page.textAt(30, 200)->text, "Le sexe des pilotes n'a \xE9t\xE9 s\xE9lectionn\xE9 !");
  EXPECT_TRUE(page.textAt(30, 200)->bold);
  EXPECT_TRUE(page.lines.empty());
}

// ---- The printout on metafiles ----

TEST_F(FinalRankingPainting, TwentyNineEntriesPrintTwoPagesTheSecondWithTheTrailingRowOnly) {
  zd::EventState& event = zd::MainState().event;
  zd_test::MakeTestEvent(event);
  std::vector<std::string> drivers;
  for (int i = 1; i <= 29; ++i) drivers.push_back("Pilote " + std::to_string(i));
  zd_test::WritePracticeSeriesFile(event, drivers);
  zd::FinalRanking r(zd::RacePhase::Practice);
  r.open();
  ASSERT_EQ(r.shownCount(), 29);
  ASSERT_EQ(zd::FinalRankingPageCount(r), 2);
  zd::ReportInformation information;
  {
    zd_test::MetafilePage metafile;
    zd::DrawFinalRankingPage(metafile.dc(), r, information, 1);
    const zd_test::MetaPage page = metafile.read();
    EXPECT_NE(page.findText("Page 1 /2"), nullptr);
    EXPECT_EQ(page.textAt(100, 252)->text, "Pilote");
    EXPECT_EQ(page.textAt(100, 275 + 20 * 28)->text, "Pilote 29");
    EXPECT_TRUE(page.hasLine(1, 25, 852, 660, 852));
    EXPECT_EQ(page.findText("Age"), nullptr);  // no age nor sex on paper
  }
  zd_test::MetafilePage metafile;
  zd::DrawFinalRankingPage(metafile.dc(), r, information, 2);
  const zd_test::MetaPage page = metafile.read();
  EXPECT_NE(page.findText("Page 2 /2"), nullptr);
  EXPECT_EQ(page.findText("Pilote"), nullptr);
  for (const auto& fill : page.fills) {
    EXPECT_NE(fill.colour, RGB(255, 255, 200));
    EXPECT_NE(fill.colour, RGB(234, 234, 234));
  }
  // The outline of no row: its top and bottom on y 272.
  EXPECT_TRUE(page.hasLine(1, 25, 272, 660, 272));
  EXPECT_TRUE(page.hasLine(1, 25, 272, 25, 272));
}

TEST_F(FinalRankingPainting, PrintedRowsBlocksAndTheFilteredSubtitle) {
  OpenRankingEvent();
  zd::FinalRanking r(zd::RacePhase::Practice);
  r.open();
  r.selectCategory("TT");
  r.selectAge("S (Senior)");
  // Alain and Emma; Emma abandoned in the second session.
  zd::ReportInformation information;
  zd_test::MetafilePage metafile;
  zd::DrawFinalRankingPage(metafile.dc(), r, information, 1);
  const zd_test::MetaPage page = metafile.read();
  EXPECT_NE(page.findText("Classement des essias libres : TT / S (Senior)"), nullptr);
  EXPECT_EQ(page.textAt(100, 275)->text, "Alain");
  EXPECT_EQ(page.textAt(50, 295)->text, "2");
  EXPECT_EQ(page.textAt(230, 275)->text, "RC Alain");
  EXPECT_EQ(page.textAt(480, 275)->text, "12");
  EXPECT_EQ(page.textAt(30, 335)->text.substr(0, 8), "Abandons");
  EXPECT_EQ(page.textAt(295, 335)->text, "Emma :    1 abandon");
  EXPECT_TRUE(page.hasLine(1, 25, 312, 660, 312));
}

// ---- A print through the PDF queue of the test run's own print server ----

class FinalRankingPrinting : public FinalRankingDialogs {
 protected:
  void SetUp() override {
    if (zd_test::PdfFolder().empty()) GTEST_SKIP() << "no print server: ./test gui starts one";
    FinalRankingDialogs::SetUp();
  }
};

TEST_F(FinalRankingPrinting, ThePracticeFinalRankingPrintsToAPdf) {
  OpenRankingEvent();
  const std::set<std::string> before = zd_test::PdfFiles();
  WithRanking(kPracticeFinalNode, "Classement final essais libres", 6310, [&](HWND d) {
    zd_test::PrintDialogAnswer answer(IDOK);
    Click(d, 6310);
    EXPECT_TRUE(answer.answered());
    Click(d, IDCANCEL);
  });
  const std::string pdf = zd_test::NewPdf(before);
  ASSERT_FALSE(pdf.empty());
  EXPECT_NE(pdf.find("CLASSEMENT_ESSAIS_LIBRES"), std::string::npos) << pdf;
  EXPECT_EQ(zd_test::PdfPages(pdf, folder_), 1);
  const std::string text =
      zd_test::CommandOutput("pdftotext -layout " + zd_test::ShellQuoted(pdf) + " -", folder_);
  for (const char* expected :
       {"Classement Essais Libres EL1 \xC3\xA0 EL2", "Classement des essais libres",
        "Abandons subis lors des s\xC3\xA9" "ances EL1 \xC3\xA0 EL2 :", "Cyril :", "1 abandon",
        "1 p\xC3\xA9nalit\xC3\xA9", "Page 1 /1", "9:58.000", "48.100"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_TRUE(zd_test::RunShell(
      "pdftoppm -png -r 60 -singlefile " + zd_test::ShellQuoted(pdf) + " " +
      zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/practice_final_ranking_print")));
}

// ---- "Envoyer" against the local FTP server, the site's stand-in answering the script ----

class FinalRankingWeb : public FinalRankingDialogs {
 protected:
  static constexpr const char* kArchive = "WebResults\\Archive.txt";
  static constexpr const char* kRaceFolder = "public_html/ZentrikRiduduzud/Ligue_Sud/GP_1/Open";

  FinalRankingWeb()
      : FinalRankingDialogs({"Private\\SiteWeb.rg", "WebResults\\CoordonneesWeb.txt", kArchive}) {}

  void SetUp() override {
    FinalRankingDialogs::SetUp();
    ASSERT_TRUE(site_.startWithActivatedEvent(zd::DataFolderPath()));
  }
  zd_test::WebSiteProcess site_;
};

// The filtered view is sent as shown, under the names of its filters: the script is given the
// age category's whole text (its brackets escaped in the address), the file is uploaded under its code.
TEST_F(FinalRankingWeb, EnvoyerSendsTheShownViewUnderTheNamesOfItsFilters) {
  OpenRankingEvent();
  WithRanking(kQualifyingFinalNode, "Classement final qualifications", 7310, [&](HWND d) {
    const LRESULT junior = SendDlgItemMessageA(d, 7302, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>("J (Junior)"));
    ASSERT_GE(junior, 1);
    SelectItem(d, 7302, static_cast<int>(junior));
    Click(d, 7310);
    Click(d, IDCANCEL);
  });
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  std::string archive = Working(kArchive);
  // Brigitte and Denis, the juniors.
  EXPECT_NE(archive.find("Denis"), std::string::npos) << archive;
  EXPECT_NE(archive.find("Brigitte"), std::string::npos) << archive;
  EXPECT_EQ(archive.find("Alain"), std::string::npos) << archive;
  for (std::size_t at; (at = archive.find("\r\n")) != std::string::npos;) archive.erase(at, 1);
  EXPECT_EQ(site_.remoteFile(std::string(kRaceFolder) + "/QClassement-MF-zToutes-J.txt"), archive);
  EXPECT_NE(site_.browsedAddresses().find("archive=QClassement-MF-zToutes-J%28Junior%29.txt"),
            std::string::npos)
      << site_.browsedAddresses();
}

}  // namespace
