// The series parameters dialogs opened from the event tree's commands on a race file of the
// tests, driven by messages as their user would, and the race file they leave.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "databases/dialog_driver.h"
#include "files/series_sections.h"
#include "main/main_window_fixture.h"
#include "unix_shell.h"

namespace {

using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using namespace zd_test::dialogs;

constexpr int kPracticeParametersCommand = 1061;
constexpr int kQualifyingParametersCommand = 1073;
constexpr int kRoundsParametersCommand = 1083;
constexpr const char* kPracticeCaption = "Options de course / essais libres";
constexpr const char* kQualifyingCaption = "Options de course / qualifications";
constexpr const char* kRoundsCaption = "Options de course / manches endurance";

constexpr const char* kDefaultLine =
    "CLASSEMENTToursTemps\tDUREESERIETemps\t150\t1\t1\t5\t0\tDEPARTSignalSonore\t"
    "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n";

// A parameters section as the race file holds it: its title line, then its line over the filler.
std::string Section(zd::RacePhase phase, int race, const std::string& line) {
  std::string filler;
  for (int i = 0; i < zd::filler::kParameters; ++i) filler += "1\t";
  filler += "\r\n";
  return "\r\n" + zd::ParametersSectionTitle(race, phase) + "\t\r\n" + line +
         filler.substr(line.size());
}

bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }

// The main window's race file is kept and put back around each test.
class ParametersDialogs : public DatabaseDialogTest {
 protected:
  ParametersDialogs() : DatabaseDialogTest({}) {}

  // The event of the tests, with the node of selectionCode selected; race 1 has its practice
  // parameters section (countdown 30 s, ranking by best lap), the others have none.
  void OpenEvent(int32_t selectionCode) {
    zd::EventState& event = zd::MainState().event;
    zd_test::MakeTestEvent(event);
    event.selectionCode = selectionCode;
    zd::SeriesParameters practice;
    practice.countdown = 30;
    practice.rankingMode = zd::kRankByBestLap;
    zd_test::WriteTestEventFile(event, practice);
  }
  // A round of race 1 recorded with room for capacity passings per car.
  void RecordRound(int32_t capacity) {
    auto table = std::make_unique<zd::SeriesTable>();
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteRoundResultsSection(file, zd::RoundTitle(1, 1), *table, capacity, {}).ok);
  }
  void WriteParameters(zd::RacePhase phase, const zd::SeriesParameters& p) {
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteParametersSection(file, zd::ParametersSectionTitle(1, phase), p).ok);
  }
  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }
  // The race file as it was, with the section of race 1 rewritten from one line to another.
  static std::string Rewritten(std::string bytes, zd::RacePhase phase, const std::string& from,
                               const std::string& to) {
    const std::string old = Section(phase, 1, from);
    const std::size_t at = bytes.find(old);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) bytes.replace(at, old.size(), Section(phase, 1, to));
    return bytes;
  }
};

TEST_F(ParametersDialogs, PracticeValiderRewritesTheSectionOfTheSelectedRace) {
  OpenEvent(10061);
  const std::string before = RaceFile();
  WithDialog(kPracticeParametersCommand, kPracticeCaption, 6001, [&](HWND d) {
    EXPECT_EQ(Text(d, 6001), "Open");
    EXPECT_EQ(Text(d, 6020), "Param\xE8tres des s\xE9ries d'essais libres :");
    EXPECT_EQ(FontOf(d, 6025).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(d, 6014).lfWeight, FW_NORMAL);
    EXPECT_STREQ(FontOf(d, 6014).lfFaceName, "Arial");
    EXPECT_TRUE(Checked(d, 6003));
    EXPECT_EQ(Text(d, 6008), "30");
    EXPECT_TRUE(Shown(d, 6006));
    EXPECT_FALSE(Shown(d, 6007));
    SaveDialogPicture(d, "practice_parameters.png");

    Type(d, 6006, "75");
    EXPECT_EQ(Text(d, 6006), "60");
    Press(d, 6012);  // staggered start
    Press(d, 6005);  // by laps
    EXPECT_FALSE(Shown(d, 6006));
    EXPECT_TRUE(Shown(d, 6007));
    EXPECT_FALSE(Shown(d, 6013));
    EXPECT_FALSE(Enabled(d, 6017));
    EXPECT_FALSE(Enabled(d, 6018));
    EXPECT_TRUE(Enabled(d, 6019));
    EXPECT_TRUE(Checked(d, 6019));
    Click(d, 6017);  // a click reported for a disabled radio changes nothing
    EXPECT_TRUE(Checked(d, 6019));
    Type(d, 6007, "200");
    EXPECT_EQ(Text(d, 6007), "150");
    Type(d, 6008, "5000");
    EXPECT_EQ(Text(d, 6008), "3600");
    Type(d, 6009, "7");
    Press(d, 6011);  // the first car starts: the end rules are free again
    EXPECT_TRUE(Enabled(d, 6017));
    EXPECT_TRUE(Checked(d, 6019));
    Press(d, 6002);
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  const std::string expected = Rewritten(
      before, zd::RacePhase::Practice,
      "CLASSEMENTMeilleurTour\tDUREESERIETemps\t150\t1\t1\t30\t0\tDEPARTSignalSonore\t"
      "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n",
      "CLASSEMENTToursTemps\tDUREESERIETours\t150\t60\t150\t3600\t7\tDEPARTPremiereVoiture\t"
      "FINTEMPSFinirTour\tFINTOURFaireTousLesTours\t\r\n");
  EXPECT_TRUE(SameBytes(RaceFile(), expected));
}

// The start key says what the first-passing box shows, and a section that was missing is added.
TEST_F(ParametersDialogs, QualifyingValiderAppendsTheMissingSection) {
  OpenEvent(20073);
  const std::string before = RaceFile();
  WithDialog(kQualifyingParametersCommand, kQualifyingCaption, 7001, [&](HWND d) {
    EXPECT_EQ(Text(d, 7001), "Junior");
    EXPECT_TRUE(Checked(d, 7002));
    EXPECT_TRUE(Checked(d, 7010));
    EXPECT_TRUE(Checked(d, 7013));
    EXPECT_FALSE(Enabled(d, 7032));
    EXPECT_EQ(Text(d, 7008), "5");
    SaveDialogPicture(d, "qualifying_parameters.png");

    Press(d, 7013);  // the first passing not counted
    Press(d, 7011);
    EXPECT_FALSE(Shown(d, 7013));
    Press(d, 7010);
    EXPECT_TRUE(Shown(d, 7013));
    EXPECT_FALSE(Checked(d, 7013));
    Type(d, 7006, "0");
    EXPECT_EQ(Text(d, 7006), "0");
    Press(d, 7016);
    // Neither a click in the race name nor a focus change ends the dialog.
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(7001, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, 7001)));
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, IDOK)));
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(SameBytes(RaceFile(),
                        before + Section(zd::RacePhase::Qualifying, 2,
                                         "CLASSEMENTToursTemps\tDUREESERIETemps\t150\t1\t1\t5\t0\t"
                                         "DEPARTSignalSonoreBis\tFINTEMPSFaire2Tours\t"
                                         "FINTOURFinirTour\t\r\n")));
}

// Once a round was recorded with room for 1000 passings, the rounds keep within 6 hours and 1000
// laps.
TEST_F(ParametersDialogs, RoundsKeepWithinTheCapacityOfARecordedRound) {
  OpenEvent(10083);
  RecordRound(zd::kShortRoundCapacity);
  const std::string before = RaceFile();
  WithDialog(kRoundsParametersCommand, kRoundsCaption, 8001, [&](HWND d) {
    EXPECT_EQ(Text(d, 8006), "0");
    EXPECT_EQ(Text(d, 8007), "1");
    EXPECT_TRUE(Shown(d, 8022));
    EXPECT_FALSE(Shown(d, 8008));
    SaveDialogPicture(d, "rounds_parameters.png");

    Type(d, 8007, "30");
    Type(d, 8006, "7");
    EXPECT_EQ(Text(d, 8006), "6");
    EXPECT_EQ(Text(d, 8007), "0");
    Press(d, 8005);
    EXPECT_FALSE(Shown(d, 8006));
    EXPECT_FALSE(Shown(d, 8007));
    Type(d, 8008, "1500");
    EXPECT_EQ(Text(d, 8008), "1000");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(SameBytes(RaceFile(),
                        before + Section(zd::RacePhase::Rounds, 1,
                                         "CLASSEMENTToursTemps\tDUREESERIETours\t1000\t360\t1000\t5\t"
                                         "0\tDEPARTSignalSonore\tFINTEMPSFinirTour\t"
                                         "FINTOURFinirTour\t\r\n")));
}

TEST_F(ParametersDialogs, RoundsShowTheirDurationInHoursAndMinutes) {
  OpenEvent(10083);
  zd::SeriesParameters stored;
  stored.duration = 90;
  stored.passingCapacity = zd::kShortRoundCapacity;
  WriteParameters(zd::RacePhase::Rounds, stored);
  const std::string before = RaceFile();
  WithDialog(kRoundsParametersCommand, kRoundsCaption, 8001, [&](HWND d) {
    EXPECT_EQ(Text(d, 8006), "1");
    EXPECT_EQ(Text(d, 8007), "30");
    Type(d, 8006, "24");
    EXPECT_EQ(Text(d, 8006), "24");
    EXPECT_EQ(Text(d, 8007), "0");
    EXPECT_TRUE(PressOk(d));
  });
  const std::string expected = Rewritten(
      before, zd::RacePhase::Rounds,
      "CLASSEMENTToursTemps\tDUREESERIETemps\t1000\t90\t1\t5\t0\tDEPARTSignalSonore\t"
      "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n",
      "CLASSEMENTToursTemps\tDUREESERIETemps\t3000\t1440\t1\t5\t0\tDEPARTSignalSonore\t"
      "FINTEMPSFinirTour\tFINTOURFinirTour\t\r\n");
  EXPECT_TRUE(SameBytes(RaceFile(), expected));
}

TEST_F(ParametersDialogs, EchapAndTheCloseBoxLeaveTheRaceFileAsItWas) {
  struct Case {
    int command;
    const char* caption;
    int32_t selectionCode;
    int nameEdit, countdown;
  };
  const Case cases[] = {
      {kPracticeParametersCommand, kPracticeCaption, 10061, 6001, 6008},
      {kQualifyingParametersCommand, kQualifyingCaption, 10073, 7001, 7008},
      {kRoundsParametersCommand, kRoundsCaption, 10083, 8001, 8009},
  };
  for (const Case& c : cases) {
    for (bool closeBox : {false, true}) {
      SCOPED_TRACE(std::string(c.caption) + (closeBox ? " close box" : " Echap"));
      OpenEvent(c.selectionCode);
      const std::string before = RaceFile();
      WithDialog(c.command, c.caption, c.nameEdit, [&](HWND d) {
        Type(d, c.countdown, "12");
        Press(d, c.nameEdit + 2);
        if (closeBox) {
          SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
          Click(d, IDCANCEL);
        }
        EXPECT_FALSE(IsWindowVisible(d));
      });
      EXPECT_TRUE(SameBytes(RaceFile(), before));
    }
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ParametersDialogs, AMissingRaceFileIsShownAndNothingIsWritten) {
  OpenEvent(10061);
  ASSERT_TRUE(DeleteFileA(InDataFolder("Private\\Course.race2").c_str()));
  WithDialog(kPracticeParametersCommand, kPracticeCaption, 6001, [&](HWND d) {
    EXPECT_EQ(Text(d, 6001), "");
    EXPECT_EQ(Text(d, 6008), "5");
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 2u);
  for (const zd_test::ShownBox& box : boxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Error : 'Race' file not found");
  }
  EXPECT_EQ(RaceFile(), "(missing)");
}

// The dialogs keep a typed number within its limits by setting the edit's text, and the edit
// reports that change as it reports the user's: their handlers must not take it for one.
LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) {
    ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(EditNotifications, AnEditReportsATextSetFromCode) {
  WNDCLASSA type{};
  type.lpfnWndProc = CountingParent;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "zdCountingParent";
  ASSERT_NE(RegisterClassA(&type), 0);
  HWND parent = CreateWindowA("zdCountingParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, type.hInstance, nullptr);
  ASSERT_NE(parent, nullptr);
  int changes = 0;
  SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&changes));
  HWND edit = CreateWindowA("EDIT", "", WS_CHILD | ES_NUMBER, 0, 0, 100, 20, parent,
                            reinterpret_cast<HMENU>(7006), type.hInstance, nullptr);
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "60");
  EXPECT_EQ(changes, 1);
  SetDlgItemTextA(parent, 7006, "150");
  EXPECT_EQ(changes, 2);
  DestroyWindow(parent);
}

}  // namespace
