// The clubs, championships, frequencies, transponder packs and penalties dialogs opened from the
// main window's menu, driven by messages as their user would, and the files they write.

#include "gtest_win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "databases/reference_databases.h"
#include "databases/reference_dialogs.h"
#include "files/databases.h"
#include "files/event_sections.h"
#include "files/race_file.h"
#include "main/chooser_answer.h"
#include "main/main_window_fixture.h"
#include "databases/dialog_driver.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace {

using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using zd_test::WriteWindowsFile;

using namespace zd_test::dialogs;

constexpr int kClubsCommand = 1008;
constexpr int kChampionshipsCommand = 1011;
constexpr int kPacksCommand = 1012;
constexpr int kFrequenciesCommand = 1013;
constexpr int kPenaltiesCommand = 1014;

class DatabaseDialogs : public DatabaseDialogTest {
 protected:
  DatabaseDialogs()
      : DatabaseDialogTest({zd::kClubsFile, zd::kChampionshipsFile, zd::kFrequenciesFile,
                            zd::kTransponderPacksFile, zd::kPenaltiesFile}) {}
};

const std::string kTwoClubs =
    "Alpha\tClub Alpha\t1 rue A\t\t75001\tParis\tFrance\t0102030405\ta@alpha.fr\t\r\n"
    "Charlie\tClub Charlie\t\t\t\t\t\t\t\t\r\n";

TEST_F(DatabaseDialogs, ClubsAreAddedEditedAndWrittenOnOk) {
  SetWorking(zd::kClubsFile, kTwoClubs);
  WithDialog(kClubsCommand, "Base de données Clubs/Teams", zd::kClubsList, [&](HWND d) {
    EXPECT_EQ(Lines(d, zd::kClubsList), (std::vector<std::string>{"Alpha", "Charlie"}));
    EXPECT_EQ(Text(d, 3206), "Alpha");
    EXPECT_EQ(Text(d, 3212), "France");
    EXPECT_EQ(Lines(d, 3203), (std::vector<std::string>{"1"}));
    for (auto [id, weight] : {std::pair{3217, FW_BOLD}, {3220, FW_BOLD}, {3206, FW_BOLD},
                              {3207, FW_NORMAL}, {3204, FW_NORMAL}}) {
      EXPECT_EQ(FontOf(d, id).lfWeight, weight) << id;
      EXPECT_STREQ(FontOf(d, id).lfFaceName, "Arial") << id;
    }

    Type(d, 3205, "bravo");
    Click(d, 3201);
    EXPECT_EQ(Text(d, 3205), "");
    EXPECT_EQ(Lines(d, zd::kClubsList), (std::vector<std::string>{"Alpha", "bravo", "Charlie"}));
    EXPECT_EQ(Text(d, 3206), "bravo");
    EXPECT_EQ(Text(d, 3207), "");
    EXPECT_EQ(Lines(d, 3203), (std::vector<std::string>{"2"}));
    Type(d, 3207, "Club\tBravo");
    HWND country = GetDlgItem(d, 3212);
    SendMessageA(country, CB_SETCURSEL,
                 SendMessageA(country, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>("Belgique")),
                 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(3212, CBN_SELCHANGE), reinterpret_cast<LPARAM>(country));

    SelectLine(d, zd::kClubsList, 2);
    Click(d, 3202);
    EXPECT_EQ(Lines(d, zd::kClubsList), (std::vector<std::string>{"Alpha", "bravo"}));
    EXPECT_EQ(Text(d, 3206), "Alpha");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kClubsFile),
                        "Alpha\tClub Alpha\t1 rue A\t\t75001\tParis\tFrance\t0102030405\ta@alpha.fr\t\r\n"
                        "bravo\tClub Bravo\t\t\t\t\tBelgique\t\t\t\r\n"));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DatabaseDialogs, EchapAndAFailedImportLeaveTheWorkingFile) {
  SetWorking(zd::kClubsFile, kTwoClubs);
  WithDialog(kClubsCommand, "Base de données Clubs/Teams", zd::kClubsList, [&](HWND d) {
    Type(d, 3207, "changed");
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(Working(zd::kClubsFile), kTwoClubs);

  // An import file that another program holds shut cannot be read.
  const std::string locked = Outside("locked.bdc2");
  ASSERT_TRUE(WriteWindowsFile(locked, "Zulu\t\t\t\t\t\t\t\t\t\r\n"));
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  WithDialog(kClubsCommand, "Base de données Clubs/Teams", zd::kClubsList, [&](HWND d) {
    zd_test::ChooserAnswer answer(locked);
    Click(d, 3215);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(answer.shownFilter(), "Base données Clubs/Teams (.bdc2)");
    EXPECT_EQ(Lines(d, zd::kClubsList), (std::vector<std::string>{"Alpha", "Charlie"}));
    EXPECT_TRUE(PressOk(d));
  });
  CloseHandle(hold);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error : Import file 'Clubs/Teams' not found");
  EXPECT_EQ(Working(zd::kClubsFile), kTwoClubs);
}

TEST_F(DatabaseDialogs, ClubsExportAndImportTheirFiles) {
  SetWorking(zd::kClubsFile, kTwoClubs);
  WithDialog(kClubsCommand, "Base de données Clubs/Teams", zd::kClubsList, [&](HWND d) {
    zd_test::ChooserAnswer answer(Outside("saved"));
    Click(d, 3216);
    EXPECT_TRUE(answer.answered());
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(ReadWindowsFile(Outside("saved.bdc2")), kTwoClubs);

  // A file from Windows: CR LF lines, one club with an accented city.
  const std::string windowsFile = "Delta\tClub Delta\t\t\t\tSète\tFrance\t\t\t\r\n";
  ASSERT_TRUE(WriteWindowsFile(Outside("import.bdc2"), windowsFile));
  WithDialog(kClubsCommand, "Base de données Clubs/Teams", zd::kClubsList, [&](HWND d) {
    zd_test::ChooserAnswer answer(Outside("import.bdc2"));
    Click(d, 3215);
    EXPECT_EQ(Lines(d, zd::kClubsList), (std::vector<std::string>{"Delta"}));
    EXPECT_EQ(Text(d, 3211), "Sète");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kClubsFile), windowsFile));
}

TEST_F(DatabaseDialogs, ChampionshipsKeepTheirMultiLineDescriptions) {
  SetWorking(zd::kChampionshipsFile, "");
  const std::string windowsFile = "Ligue Sud\tPremière ligne\r\nseconde\r\n\r\nfin\t\r\n";
  ASSERT_TRUE(WriteWindowsFile(Outside("import.bdch2"), windowsFile));
  WithDialog(kChampionshipsCommand, "Base de données Championnats", 3504, [&](HWND d) {
    Type(d, 3505, "Coupe été");
    Click(d, 3501);
    EXPECT_EQ(Text(d, 3505), "Coupe été");
    EXPECT_TRUE(Lines(d, 3504).empty());

    zd_test::ChooserAnswer answer(Outside("import.bdch2"));
    Click(d, 3508);
    EXPECT_EQ(Text(d, 3507), "Première ligne\r\nseconde\r\n\r\nfin");
    Type(d, 3505, "Coupe Nord");
    Click(d, 3501);
    Type(d, 3507, "un\r\ndeux");
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Erreur");
  EXPECT_EQ(boxes[0].text, std::string(zd::kLettersDigitsBlanksOnly));
  EXPECT_TRUE(SameBytes(Working(zd::kChampionshipsFile),
                        "Coupe Nord\tun\r\ndeux\t\r\n" + windowsFile));
}

TEST_F(DatabaseDialogs, FrequenciesTakeSixCharacters) {
  SetWorking(zd::kFrequenciesFile, "2.4Ghz\r\n40.665\r\n");
  WithDialog(kFrequenciesCommand, "Base de données Fréquences radio", 3704, [&](HWND d) {
    Type(d, 3705, "27.04");
    Click(d, 3701);
    EXPECT_EQ(Lines(d, 3704).size(), 2u);
    Type(d, 3705, "27.045");
    Click(d, 3701);
    EXPECT_EQ(Lines(d, 3704), (std::vector<std::string>{"2.4Ghz", "27.045", "40.665"}));
    EXPECT_EQ(SendDlgItemMessageA(d, 3704, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Lines(d, 3703), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_EQ(Working(zd::kFrequenciesFile), "2.4Ghz\r\n27.045\r\n40.665\r\n");
}

TEST_F(DatabaseDialogs, APackStoresNumbersOfSixDigits) {
  std::string packs;
  for (int i = 1; i <= 10; ++i) {
    packs += "Pack" + std::to_string(i) + "\t" + (i == 2 ? "654321\t" : "\t");
    for (int k = 1; k < 20; ++k) packs += "\t";
    packs += "\r\n";
  }
  SetWorking(zd::kTransponderPacksFile, packs);
  WithDialog(kPacksCommand, "Base de données Transpondeurs", 3601, [&](HWND d) {
    EXPECT_EQ(Lines(d, 3601).size(), 10u);
    SelectLine(d, 3601, 1);
    EXPECT_EQ(Text(d, 3602), "Pack2");
    EXPECT_EQ(Text(d, zd::kFirstTransponderEdit), "654321");
    for (int k = 0; k < 20; ++k) EXPECT_TRUE(ShowsWhole(d, zd::kFirstTransponderEdit + k, "000000"));
    // Typed short, a number is the decoder's with leading zeros, shown whole once left.
    Type(d, zd::kFirstTransponderEdit, "101");
    Leave(d, zd::kFirstTransponderEdit);
    EXPECT_EQ(Text(d, zd::kFirstTransponderEdit), "000101");
    Type(d, zd::kFirstTransponderEdit + 1, "123456");
    // Pasted, a letter passes the digits-only style but is no number: "Ok" puts the stored
    // number back on the screen and stays open.
    Type(d, zd::kFirstTransponderEdit + 3, "12a45");
    EXPECT_FALSE(PressOk(d));
    EXPECT_EQ(Text(d, zd::kFirstTransponderEdit + 3), "");
    Type(d, zd::kFirstTransponderEdit + 1, "");
    Type(d, zd::kFirstTransponderEdit + 2, "7");
    EXPECT_TRUE(PressOk(d));
  });
  std::string expected = packs;
  const std::string pack2 = "Pack2\t654321\t\t\t";
  expected.replace(expected.find(pack2), pack2.size(), "Pack2\t000101\t\t000007\t");
  EXPECT_TRUE(SameBytes(Working(zd::kTransponderPacksFile), expected));
}

// An empty list shows the place of the first entry to come: N°ID "1", at opening and once the
// last entry is deleted.
TEST_F(DatabaseDialogs, AnEmptyListShowsNumberOne) {
  struct Case {
    int command;
    const char* caption;
    const char* file;
    int add, remove, newKey, idBox, list;
  };
  const Case cases[] = {
      {kClubsCommand, "Base de données Clubs/Teams", zd::kClubsFile, 3201, 3202, 3205, 3203, 3204},
      {kChampionshipsCommand, "Base de données Championnats", zd::kChampionshipsFile, 3501, 3502,
       3505, 3503, 3504},
      {kFrequenciesCommand, "Base de données Fréquences radio", zd::kFrequenciesFile, 3701, 3702,
       3705, 3703, 3704},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    SetWorking(c.file, "");
    WithDialog(c.command, c.caption, c.list, [&](HWND d) {
      EXPECT_TRUE(Lines(d, c.list).empty());
      EXPECT_EQ(Lines(d, c.idBox), (std::vector<std::string>{"1"}));
      Type(d, c.newKey, "ABCDEF");
      Click(d, c.add);
      EXPECT_EQ(Lines(d, c.list), (std::vector<std::string>{"ABCDEF"}));
      SelectLine(d, c.list, 0);
      Click(d, c.remove);
      EXPECT_TRUE(Lines(d, c.list).empty());
      EXPECT_EQ(Lines(d, c.idBox), (std::vector<std::string>{"1"}));
      Click(d, IDCANCEL);
    });
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DatabaseDialogs, PenaltiesAreCreatedWithTheirKindAndAmount) {
  SetWorking(zd::kPenaltiesFile, "3\t600\tA\tAbandon pilote\tAbandon d'un pilote\t\r\n");
  WithDialog(kPenaltiesCommand, "Pénalités et Abandons", 3803, [&](HWND d) {
    EXPECT_EQ(Text(d, 3805), "Abandon : A");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, zd::kPenaltyNameEdit), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(IsDlgButtonChecked(d, zd::kPenaltyFirstKindRadio + 2), BST_CHECKED);
    Click(d, 3804);  // the abandonment stays
    Click(d, 3803);
    Click(d, 3803);
    EXPECT_EQ(Lines(d, 3802), (std::vector<std::string>{"A", "P1", "P2"}));
    EXPECT_EQ(Text(d, 3805), "Pénalité : P2");
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(d, zd::kPenaltyNameEdit), GWL_STYLE) & ES_READONLY);
    Type(d, zd::kPenaltyNameEdit, "Coupe de piste");
    Type(d, zd::kPenaltySecondsEdit, "90000");
    EXPECT_EQ(Text(d, zd::kPenaltySecondsEdit), "86400");
    SendDlgItemMessageA(d, zd::kPenaltyFirstKindRadio + 4, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(d, zd::kPenaltyFirstKindRadio + 4), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, zd::kPenaltySecondsEdit)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, zd::kPenaltyLapsEdit)));
    EXPECT_EQ(Text(d, zd::kPenaltyLapsEdit), "0");
    Type(d, zd::kPenaltyLapsEdit, "2");
    SelectLine(d, 3802, 1);
    Click(d, 3804);
    EXPECT_EQ(Lines(d, 3802), (std::vector<std::string>{"A", "P2"}));
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(Working(zd::kPenaltiesFile),
                        "3\t600\tA\tAbandon pilote\tAbandon d'un pilote\t\r\n"
                        "5\t2\tP2\tCoupe de piste\t\t\r\n"));
}

// After the dialog, an event that took its penalties from the database takes the new list into
// its race file; one that never did keeps its own.
TEST_F(DatabaseDialogs, TheRaceFileTakesTheListOnlyWhenTheEventTookTheDatabases) {
  SetWorking(zd::kPenaltiesFile, "3\t600\tA\tAbandon pilote\t\t\r\n");
  for (int fromDatabase : {0, 1}) {
    OpenTestEvent();
    zd::MainState().event.racePenaltiesFromDatabase = fromDatabase;
    const std::string raceFile = InDataFolder("Private\\Course.race2");
    const std::string before = ReadWindowsFile(raceFile);
    WithDialog(kPenaltiesCommand, "Pénalités et Abandons", 3803, [&](HWND d) {
      Click(d, 3803);
      Type(d, zd::kPenaltyNameEdit, "Retard");
      EXPECT_TRUE(PressOk(d));
    });
    if (fromDatabase == 0) {
      EXPECT_EQ(ReadWindowsFile(raceFile), before);
      continue;
    }
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Read));
    ASSERT_TRUE(zd::FindSection(file, zd::kPenaltiesTitle));
    zd::PenaltyTable listed;
    zd::ClearPenaltyTable(listed);
    ASSERT_TRUE(zd::ReadPenaltiesSection(file, listed));
    EXPECT_EQ(listed[1].code.view(), "P1");
    EXPECT_EQ(listed[1].name.view(), "Retard");
  }
}

}  // namespace
