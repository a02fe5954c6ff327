// The menu commands on a scratch data folder: each dialog is a double that writes the files the
// real one writes, and the command reads back what the main window holds of them.

#include "main/menu_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "command_test_support.h"
#include "files/codepage.h"
#include "files/live_file.h"
#include "files/whole_file.h"
#include "main/live_ranking.h"
#include "main/main_window_model.h"

namespace zd {
namespace {

using test::GiveResults;
using test::OpenOrFail;

using test::Penalty;

constexpr char kDataFolder[] = "C:\\Users\\Anne\\AppData\\Local\\Programs\\Zentrik Dizavirov";

class MenuCommandsTest : public test::CommandDeskTest {
 protected:
  MenuCommandsTest() {
    ClearDriverSummaryTable(*drivers);
    ClearAgeCategoryTable(ages);
    ClearTransponderPackTable(packs);
    ClearTranslationTable(*menuTexts, kMaxTranslationRows);
    (*countries)[0].name = "France";
    (*countries)[0].code = "FRA";
    display.widths = {40, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};
    layoutWidths = display.widths;
    EXPECT_EQ(::mkdir("Translation", 0777), 0);
  }

  WindowRecords Records() {
    return {*drivers,      ages,         packs,          *countries,
            monthCount,    sounds,       *customSounds,  display,
            customColours, layoutWidths, software,       reports,
            *menuTexts,    webEventInfo, liveScreenOpen, kDataFolder};
  }
  void Run(int32_t command) { RunMenuCommand(Board(), Records(), command); }
  void OnDialog(MainDialog dialog, std::function<void()> writes) {
    commandWindow.dialogDoubles[dialog] = std::move(writes);
  }

  // A practice series of race with the given cars, loaded from the race file.
  void LoadPracticeSeries(int race, const std::vector<std::string>& names) {
    record(race).practiceSessions = 1;
    record(race).practiceSeries = 1;
    record(race).participantCount = static_cast<int32_t>(names.size());
    WriteRaceFile([&](TextFile& file) {
      for (int r = 1; r <= event->raceCount; ++r) {
        ParticipantTable list;
        ClearParticipants(list);
        SeriesArrangement arrangement;
        arrangement.driversPerSeries = 10;
        for (std::size_t i = 0; i < names.size(); ++i) {
          list[i].name = names[i];
          list[i].club = "Ancien";
          arrangement.names[i] = names[i];
        }
        ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(r), list).ok);
        ASSERT_TRUE(WriteSeriesArrangementNames(
                        file, ArrangementSectionTitle(r, RacePhase::Practice), arrangement)
                        .ok);
      }
      ASSERT_TRUE(WritePenaltiesSection(file, event->penalties).ok);
    });
    BuildTreeFromRaceFile(tree, *event);
    Select(RaceNodeCode(race) + 3101);
  }
  void RankRun() {
    *series->savedTable = table();
    series->startingListShown = 0;
    series->startingListShownForScan = 0;
    RankLiveSeries(parameters().rankingMode, *series->savedTable, series->rankingEntries,
                   series->rows, series->rowCount);
  }
  std::unique_ptr<ParticipantTable> ParticipantsOf(int race) {
    auto list = std::make_unique<ParticipantTable>();
    ClearParticipants(*list);
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, ParticipantsSectionTitle(race)));
    ReadParticipantsSection(file, *list);
    return list;
  }
  std::unique_ptr<PenaltyTable> RaceFilePenalties() {
    auto read = std::make_unique<PenaltyTable>();
    ClearPenaltyTable(*read);
    TextFile file = OpenOrFail(kRaceFilePath, OpenMode::Read);
    EXPECT_TRUE(FindSection(file, kPenaltiesTitle));
    ReadPenaltiesSection(file, *read);
    return read;
  }
  static void WritePenaltiesDatabase(const std::vector<PenaltyRecord>& list) {
    PenaltyTable table;
    ClearPenaltyTable(table);
    for (std::size_t i = 0; i < list.size(); ++i) table[i] = list[i];
    ASSERT_TRUE(WritePenalties(kPenaltiesFile, table, static_cast<int>(list.size())));
  }

  std::unique_ptr<DriverSummaryTable> drivers = std::make_unique<DriverSummaryTable>();
  AgeCategoryTable ages;
  TransponderPackTable packs;
  std::unique_ptr<CountryTable> countries = std::make_unique<CountryTable>();
  int32_t monthCount = BirthMonthCount(2024, 6);
  DisplaySettings display;
  CustomColours customColours{};
  BoardColumnWidths layoutWidths{};
  int32_t software = kLanguageEnglish;
  int32_t reports = kLanguageEnglish;
  std::unique_ptr<TranslationTable> menuTexts = std::make_unique<TranslationTable>();
  int32_t liveScreenOpen = 0;
};

TEST_F(MenuCommandsTest, ReferenceTablesAreReadBackAfterTheirDialogs) {
  OnDialog(MainDialog::AgeCategories, [] {
    AgeCategoryTable table;
    ClearAgeCategoryTable(table);
    table[0].code = "J";
    table[0].name = "Junior";
    ASSERT_TRUE(WriteAgeCategories(kAgeCategoriesFile, table, 1));
  });
  OnDialog(MainDialog::TransponderPacks, [] {
    TransponderPackTable table;
    ClearTransponderPackTable(table);
    table[2].name = "Club";
    table[2].transponders[0] = "004511";
    ASSERT_TRUE(WriteTransponderPacks(kTransponderPacksFile, table));
  });
  OnDialog(MainDialog::SoundSettings, [] {
    SoundSettings written;
    for (int line = 0; line < kSoundLines; ++line) written.lines[line] = kSoundSwitches[line].on;
    written.lines[kSoundLanguage] = kSoundLanguageCustom;
    ASSERT_TRUE(WriteSoundSettings(kSoundSettingsFile, written));
    CustomSounds custom;
    ClearCustomSounds(custom);
    custom[5] = "C:\\sons\\fin.wav";
    ASSERT_TRUE(WriteCustomSounds(kCustomSoundsFile, custom));
  });
  for (const int32_t command : {1009, 1012, 1020}) Run(command);
  EXPECT_TRUE(commandWindow.messages.empty());
  EXPECT_EQ(ages[0].name.view(), "Junior");
  EXPECT_EQ(packs[2].transponders[0].view(), "004511");
  EXPECT_EQ(sounds.lines[kSoundLanguage].view(), kSoundLanguageCustom);
  EXPECT_EQ((*customSounds)[5].view(), "C:\\sons\\fin.wav");

  // Files gone: each is reported and its table left empty.
  for (const char* file :
       {kAgeCategoriesFile, kTransponderPacksFile, kSoundSettingsFile, kCustomSoundsFile}) {
    ASSERT_EQ(std::remove(Cp1252ToUtf8(file).c_str()), 0) << file;
  }
  commandWindow.dialogDoubles.clear();
  for (const int32_t command : {1009, 1012, 1020}) Run(command);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                "Error : 'Age categories' database file not found",
                                "Error : 'Transponders' database file not found",
                                "Error: Sound settings file not found",
                                "Error: Custom sounds file not found",
                            }));
  EXPECT_TRUE(ages[0].name.empty());
  EXPECT_TRUE(packs[2].name.empty());
  EXPECT_TRUE((*customSounds)[5].empty());

  // The other databases are not held: their dialogs open and nothing is read.
  commandWindow.dialogs.clear();
  for (const int32_t command : {1006, 1007, 1008, 1011, 1013}) Run(command);
  EXPECT_EQ(commandWindow.dialogs,
            (std::vector<MainDialog>{MainDialog::VehicleCategories, MainDialog::Vehicles,
                                     MainDialog::Clubs, MainDialog::Championships,
                                     MainDialog::Frequencies}));
  EXPECT_EQ(commandWindow.messages.size(), 4u);
}

TEST_F(MenuCommandsTest, ADriversNewClubReachesEveryRaceAndTheLoadedSeries) {
  event->raceCount = 2;
  LoadPracticeSeries(2, {"Alain", "Brigitte"});
  ASSERT_EQ(series->rows[0].club.view(), "Ancien");

  OnDialog(MainDialog::Drivers, [] {
    auto table = std::make_unique<DriverTable>();
    ClearDriverTable(*table);
    (*table)[0].name = "Alain";
    (*table)[0].club = "Nouveau";
    (*table)[0].country = "France";
    (*table)[0].birth = "1000";
    ASSERT_TRUE(WriteDrivers(kDriversFile, *table, 1));
  });
  Run(1010);
  EXPECT_EQ((*drivers)[0].club.view(), "Nouveau");
  for (int race : {1, 2}) {
    EXPECT_EQ((*ParticipantsOf(race))[0].club.view(), "Nouveau") << race;
    EXPECT_EQ((*ParticipantsOf(race))[0].nationCode.view(), "FRA") << race;
    EXPECT_EQ((*ParticipantsOf(race))[1].club.view(), "Ancien") << race;
  }
  EXPECT_EQ(slot(1).club.view(), "Nouveau");
  EXPECT_EQ((*series->savedTable)[0].nationCode.view(), "FRA");
  EXPECT_EQ(series->rankingEntries[0].club.view(), "Nouveau");
  EXPECT_EQ(series->rows[0].club.view(), "Nouveau");
  EXPECT_EQ(series->rows[1].club.view(), "Ancien");
  EXPECT_EQ(commandWindow.clubCellRepaints, (std::vector<bool>{false}));
}

TEST_F(MenuCommandsTest, PenaltiesAreTakenAgainOnlyWhenTheEventTookThemFromTheDatabase) {
  event->penalties[1] = Penalty("P1", 1, kPenaltyRemoveLaps);
  LoadPracticeSeries(1, {"Alain", "Brigitte"});
  GiveResults(slot(1), {0, 30000, 60000, 90000});
  GiveResults(slot(2), {0, 31000, 62000});
  slot(1).penaltyIndex = 2;  // P1: Alain keeps 2 laps, behind Brigitte
  RankRun();
  CopySeriesForSave(table(), *series->savedTable, penaltySlots, event->penalties);
  ApplyPenalties(*series->savedTable, table(), event->penalties);
  RankLiveSeries(parameters().rankingMode, *series->savedTable, series->rankingEntries,
                 series->rows, series->rowCount);
  ASSERT_EQ(series->rankingEntries[0].name.view(), "Brigitte");
  const auto databaseOfAbandonmentOnly = [] {
    WritePenaltiesDatabase({Penalty("A", 0, kPenaltyAddRaceTime)});
  };
  OnDialog(MainDialog::Penalties, databaseOfAbandonmentOnly);

  // The event's own list stays.
  Run(1014);
  EXPECT_EQ(event->penalties[1].code.view(), "P1");
  EXPECT_EQ(slot(1).penaltyIndex, 2);

  // Taken from an unreadable database: the list, its section and the penalty stay.
  event->racePenaltiesFromDatabase = 1;
  OnDialog(MainDialog::Penalties, [] { std::remove(Cp1252ToUtf8(kPenaltiesFile).c_str()); });
  Run(1014);
  ASSERT_FALSE(MessageTexts().empty());
  EXPECT_EQ(MessageTexts().back(), "Error : 'Penalties' database file not found");
  EXPECT_EQ(event->penalties[1].code.view(), "P1");
  EXPECT_EQ((*RaceFilePenalties())[1].code.view(), "P1");
  EXPECT_EQ(slot(1).penaltyIndex, 2);
  EXPECT_EQ(series->rankingEntries[0].name.view(), "Brigitte");

  // A database list that the race file cannot hold is refused whole, with its message.
  OnDialog(MainDialog::Penalties, [] {
    std::vector<PenaltyRecord> full;
    const std::string name(29, 'n');
    for (int i = 0; i < kMaxPenalties; ++i) {
      const std::string code = i == 0 ? "A" : "P" + std::to_string(i);
      full.push_back(Penalty(code.c_str(), name.c_str(), 999999, kPenaltyAddRaceTime));
    }
    WritePenaltiesDatabase(full);
  });
  Run(1014);
  ASSERT_FALSE(MessageTexts().empty());
  EXPECT_EQ(MessageTexts().back(), kPenaltiesDoNotFit);
  EXPECT_EQ(event->penalties[1].code.view(), "P1");
  EXPECT_EQ(event->penalties[2].code.view(), "");
  EXPECT_EQ((*RaceFilePenalties())[1].code.view(), "P1");
  EXPECT_EQ(slot(1).penaltyIndex, 2);

  // The database's list: P1 is gone, and so is Alain's penalty.
  OnDialog(MainDialog::Penalties, databaseOfAbandonmentOnly);
  Run(1014);
  EXPECT_TRUE(event->penalties[1].code.empty());
  EXPECT_TRUE((*RaceFilePenalties())[1].code.empty());
  EXPECT_EQ(slot(1).penaltyIndex, 0);
  EXPECT_EQ((*series->savedTable)[0].laps, 3);
  EXPECT_EQ(series->rankingEntries[0].name.view(), "Alain");
}

TEST_F(MenuCommandsTest, TheLiveScreenOpensOnceAtATime) {
  LoadPracticeSeries(1, {"Alain", "Brigitte"});
  webEventInfo.videoLink = "http://video";
  Run(1015);
  EXPECT_EQ(commandWindow.liveScreens, 1);
  EXPECT_EQ(liveScreenOpen, 1);
  EXPECT_EQ(commandWindow.liveScreenRefreshes, (std::vector<int32_t>{1}));
  EXPECT_EQ(commandWindow.dataFolderMadeCurrent, 1);
  LiveRows rows;
  LiveClockTexts clock;
  FixedText<80> title;
  FixedText<200> video;
  int32_t count = 0;
  int32_t nation = -1;
  ASSERT_TRUE(ReadLiveFile(kLiveFilePath, rows, clock, title, video, count, nation));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(rows[1].name.view(), "Brigitte");
  EXPECT_EQ(title.view(), series->seriesTitle.view());
  EXPECT_EQ(video.view(), "http://video");

  Run(1015);
  EXPECT_EQ(commandWindow.liveScreens, 1);
  ASSERT_EQ(commandWindow.messages.size(), 1u);
  EXPECT_EQ(commandWindow.messages[0].text, kLiveScreenAlreadyOpen);
  EXPECT_EQ(commandWindow.messages[0].caption, "Erreur");
  EXPECT_EQ(commandWindow.messages[0].icon, MessageIcon::Error);

  liveScreenOpen = 0;  // the screen closed
  Run(1015);
  EXPECT_EQ(commandWindow.liveScreens, 2);
}

TEST_F(MenuCommandsTest, TheDisplayDialogStartsFromTheBoardAndItsResultLaysTheBoardOut) {
  display.widths[1] = 300;  // dragged on the board
  display.fonts[3].face = "Arial";
  int32_t seen = 0;
  OnDialog(MainDialog::DisplaySettings, [&] {
    DisplaySettings read;
    CustomColours colours;
    ASSERT_TRUE(ReadDisplaySettings(kDisplaySettingsFile, read, colours));
    seen = read.widths[1];
    read.widths[2] = 150;
    read.fonts[3].face = "Verdana";
    ASSERT_TRUE(WriteDisplaySettings(kDisplaySettingsFile, read, colours));
  });
  Run(1021);
  EXPECT_EQ(seen, 300);
  EXPECT_EQ(display.widths[2], 150);
  EXPECT_EQ(display.fonts[3].face.view(), "Verdana");
  EXPECT_EQ(layoutWidths, display.widths);
  EXPECT_EQ(commandWindow.relayouts, 1);
  EXPECT_EQ(commandWindow.editModeLeft, 1);
}

TEST_F(MenuCommandsTest, LanguagesAndMenuCaptionsAreReadBackAfterTheTranslationDialog) {
  ASSERT_TRUE(WriteWholeFile(kLanguageSettingsFile, "0\t0\t\n"));
  OnDialog(MainDialog::Translation, [] {
    ASSERT_TRUE(WriteLanguageSettings(kLanguageGerman, kLanguageSpanish));
    TranslationTable table;
    ClearTranslationTable(table, kMaxTranslationRows);
    table[4][kLanguageGerman] = "Datei";
    ASSERT_TRUE(WriteTranslationFile(table, kMainMenuTranslationFile, kLanguageCount, 10));
  });
  Run(1019);
  ASSERT_FALSE(commandWindow.messages.empty());
  EXPECT_EQ(commandWindow.messages[0].text, kTranslationUnfinished);
  EXPECT_EQ(commandWindow.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(commandWindow.messages.size(), 1u);
  EXPECT_EQ(software, kLanguageGerman);
  EXPECT_EQ(reports, kLanguageSpanish);
  EXPECT_EQ((*menuTexts)[4][kLanguageGerman].view(), "Datei");
  EXPECT_EQ(commandWindow.retranslations, 1);
}

TEST_F(MenuCommandsTest, InterfaceInternetAndHelp) {
  OnDialog(MainDialog::Interface, [this] { commandWindow.calls.push_back("dialog"); });
  Run(1022);
  EXPECT_EQ(commandWindow.calls,
            (std::vector<std::string>{"suspend link", "dialog", "reinitialise link"}));

  const auto publishing = [](int32_t connected, int32_t activated) {
    return [=] {
      WebEventInfo info;
      info.connected = connected;
      info.activated = activated;
      info.videoLink = "http://video";
      ASSERT_TRUE(WriteWebEventInfo(info).ok);
    };
  };
  // With "WebResults" gone and the dialog writing nothing, the reread makes the folder again.
  std::system("rm -rf WebResults");
  OnDialog(MainDialog::Internet, [] {});
  Run(1023);
  struct stat folder {};
  EXPECT_EQ(::stat("WebResults", &folder), 0);
  EXPECT_TRUE(S_ISDIR(folder.st_mode));
  commandWindow.livePublishing.clear();

  OnDialog(MainDialog::Internet, publishing(1, 1));
  Run(1023);
  EXPECT_EQ(webEventInfo.videoLink.view(), "http://video");
  OnDialog(MainDialog::Internet, publishing(1, 0));
  Run(1023);
  EXPECT_EQ(commandWindow.livePublishing, (std::vector<bool>{true, false}));

  Run(1025);
  EXPECT_EQ(commandWindow.documents,
            (std::vector<std::string>{std::string(kDataFolder) + "\\Guides\\HelpRiduduzudFR.pdf"}));
}

}  // namespace
}  // namespace zd
