#include "main/menu_commands.h"

#include <algorithm>
#include <memory>
#include <string>

#include "files/participants.h"
#include "files/whole_file.h"
#include "main/board_clicks.h"
#include "main/event_file.h"
#include "main/live_ranking.h"
#include "main/main_window_model.h"
#include "main/penalties.h"

namespace zd {

namespace {

constexpr int kMenuTranslationRows = 100;

LiveSeries& SeriesOf(const CommandDesk& desk) { return desk.series.control.race.series; }

void ShowError(const CommandDesk& desk, std::string_view text) {
  desk.window.showMessage(text, kErrorCaption, MessageIcon::None);
}

void AgeCategories(const CommandDesk& desk, const WindowRecords& r) {
  desk.window.openDialog(MainDialog::AgeCategories);
  ClearAgeCategoryTable(r.ageCategories);
  if (!ReadAgeCategories(kAgeCategoriesFile, r.ageCategories)) {
    ShowError(desk, "Error : 'Age categories' database file not found");
  }
}

// The loaded series takes the clubs and nations of its race's participants, in its slots, its
// ranking rows and its board rows.
void TakeClubsAndNations(LiveSeries& s, const ParticipantTable& participants) {
  CopyClubsAndNationsToSlots(*s.liveTable, participants);
  CopyClubsAndNationsToSlots(*s.savedTable, participants);
  const int32_t rows = std::clamp(s.rowCount, 0, kLiveRows);
  for (int32_t i = 0; i < rows; ++i) {
    for (const ParticipantRecord& p : participants) {
      if (p.name == s.rankingEntries[i].name) {
        s.rankingEntries[i].club = p.club.view();
        s.rankingEntries[i].nationCode = p.nationCode.view();
      }
      if (p.name == s.rows[i].name) {
        s.rows[i].club = p.club.view();
        s.rows[i].nationCode = p.nationCode.view();
      }
    }
  }
}

void Drivers(const CommandDesk& desk, const WindowRecords& r) {
  LeaveBoardEditing(desk);
  desk.window.openDialog(MainDialog::Drivers);
  ClearDriverSummaryTable(r.drivers);
  if (!ReadDriverSummaries(kDriversFile, r.drivers, r.currentMonthCount)) {
    ShowError(desk, "Error : 'Drivers' mini-database file not found");
  }

  const EventState& event = desk.series.event;
  LiveSeries& s = SeriesOf(desk);
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) {
    ShowError(desk, kRaceFileNotFound);
  } else {
    const DriverReference reference{r.drivers, r.countries, r.ageCategories};
    for (int race = 1; race <= std::clamp(event.raceCount, 1, kMaxRaces); ++race) {
      const Outcome refreshed = RefreshParticipantsFromDrivers(file, race, reference);
      if (!refreshed) ShowError(desk, refreshed.message);
      if (LoadedSeriesRace(s) != race || !FindSection(file, ParticipantsSectionTitle(race))) {
        continue;
      }
      auto participants = std::make_unique<ParticipantTable>();
      ClearParticipants(*participants);
      ReadParticipantsSection(file, *participants);
      TakeClubsAndNations(s, *participants);
    }
    file.close();
  }
  desk.window.repaintClubCells(false);
}

void TransponderPacks(const CommandDesk& desk, const WindowRecords& r) {
  desk.window.openDialog(MainDialog::TransponderPacks);
  ClearTransponderPackTable(r.transponderPacks);
  if (!ReadTransponderPacks(kTransponderPacksFile, r.transponderPacks)) {
    ShowError(desk, "Error : 'Transponders' database file not found");
  }
}

void Penalties(const CommandDesk& desk) {
  LeaveBoardEditing(desk);
  desk.window.openDialog(MainDialog::Penalties);
  EventState& event = desk.series.event;
  if (event.racePenaltiesFromDatabase == 0) return;
  if (!TakeDatabasePenalties(desk)) return;

  LiveSeries& s = SeriesOf(desk);
  if (s.startingListShown != 0) return;
  DropStalePenalties(*s.liveTable, event.penalties);
  CopySeriesForSave(*s.liveTable, *s.savedTable, desk.series.penaltySlots, event.penalties);
  ApplyPenalties(*s.savedTable, *s.liveTable, event.penalties);
  RankLiveSeries(s.parameters.rankingMode, *s.savedTable, s.rankingEntries, s.rows, s.rowCount);
  desk.window.redrawChangedLiveCells(desk.window.firstShownRow());
}

void LiveScreen(const CommandDesk& desk, const WindowRecords& r) {
  if (r.liveScreenOpen != 0) {
    desk.window.showMessage(kLiveScreenAlreadyOpen, "Erreur", MessageIcon::Error);
    return;
  }
  desk.window.openLiveScreen(r.liveScreenOpen);
  MakeFolder(kWebResultsFolder);
  const Race& race = desk.series.control.race;
  const LiveSeries& s = race.series;
  if (!WriteLiveFile(kLiveFilePath, s.rows, s.clockTexts, s.seriesTitle,
                     race.settings.webEventInfo.videoLink, s.rowCount,
                     race.settings.internationalEvent)) {
    desk.window.showMessage(kLiveFileNotFound, kErrorCaption, MessageIcon::Error);
  }
  desk.window.refreshLiveScreen(1);
  desk.window.makeDataFolderCurrent();
}

void Translation(const CommandDesk& desk, const WindowRecords& r) {
  LeaveBoardEditing(desk);
  desk.window.showMessage(kTranslationUnfinished, "Attention", MessageIcon::Warning);
  desk.window.openDialog(MainDialog::Translation);
  if (!ReadLanguageSettings(r.softwareLanguage, r.reportsLanguage)) {
    ShowError(desk, "Error: The translation file 'FenetrePrincipale.trans' has not been found");
  }
  ClearTranslationTable(r.mainMenuTexts, kMenuTranslationRows);
  if (!ReadTranslationFile(r.mainMenuTexts, kMainMenuTranslationFile)) {
    ShowError(desk, "Error: The translation file 'MenuPrincipal.trans' has not been found");
  }
  desk.window.retranslateMenus();
}

void Sounds(const CommandDesk& desk, const WindowRecords& r) {
  LeaveBoardEditing(desk);
  desk.window.openDialog(MainDialog::SoundSettings);
  for (FixedText<21>& line : r.sounds.lines) line.clear();
  if (!ReadSoundSettings(kSoundSettingsFile, r.sounds)) {
    ShowError(desk, "Error: Sound settings file not found");
  }
  ClearCustomSounds(r.customSounds);
  if (!ReadCustomSounds(kCustomSoundsFile, r.customSounds)) {
    ShowError(desk, "Error: Custom sounds file not found");
  }
}

void Display(const CommandDesk& desk, const WindowRecords& r) {
  LeaveBoardEditing(desk);
  // The dialog starts from the settings in use, column widths dragged on the board included.
  if (!WriteDisplaySettings(kDisplaySettingsFile, r.display, r.customColours)) {
    desk.window.showMessage(kDisplaySettingsFileFailed, "Erreur", MessageIcon::None);
  }
  desk.window.openDialog(MainDialog::DisplaySettings);
  for (BoardFont& font : r.display.fonts) font.face.clear();
  r.display.logoPath.clear();
  if (!ReadDisplaySettings(kDisplaySettingsFile, r.display, r.customColours)) {
    desk.window.showMessage(kDisplaySettingsFileFailed, "Erreur", MessageIcon::None);
  }
  r.layoutWidths = r.display.widths;
  desk.window.relayoutBoard();
}

void DecoderInterface(const CommandDesk& desk) {
  LeaveBoardEditing(desk);
  desk.window.suspendDecoderLink();
  desk.window.openDialog(MainDialog::Interface);
  desk.window.reinitialiseDecoderLink();
}

void Internet(const CommandDesk& desk, const WindowRecords& r) {
  LeaveBoardEditing(desk);
  desk.window.openDialog(MainDialog::Internet);
  ReadWebEventInfo(r.webEventInfo);
  desk.window.showLivePublishing(r.webEventInfo.connected == 1 && r.webEventInfo.activated == 1);
}

}  // namespace

void RunMenuCommand(const CommandDesk& desk, const WindowRecords& records, int32_t command) {
  switch (command) {
    case 1006:
      desk.window.openDialog(MainDialog::VehicleCategories);
      break;
    case 1007:
      desk.window.openDialog(MainDialog::Vehicles);
      break;
    case 1008:
      desk.window.openDialog(MainDialog::Clubs);
      break;
    case 1009:
      AgeCategories(desk, records);
      break;
    case 1010:
      Drivers(desk, records);
      break;
    case 1011:
      desk.window.openDialog(MainDialog::Championships);
      break;
    case 1012:
      TransponderPacks(desk, records);
      break;
    case 1013:
      desk.window.openDialog(MainDialog::Frequencies);
      break;
    case 1014:
      Penalties(desk);
      break;
    case 1015:
      LiveScreen(desk, records);
      break;
    case 1019:
      Translation(desk, records);
      break;
    case 1020:
      Sounds(desk, records);
      break;
    case 1021:
      Display(desk, records);
      break;
    case 1022:
      DecoderInterface(desk);
      break;
    case 1023:
      Internet(desk, records);
      break;
    case 1025:
      desk.window.openDocument(std::string(records.workingDirectory) + std::string(kHelpDocument));
      break;
    default:
      break;
  }
}

}  // namespace zd
