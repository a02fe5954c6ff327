#include "main/main_window_model.h"

#include <array>
#include <cstdio>

#include "files/event_sections.h"
#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

namespace {

constexpr MenuItemModel kSeparator{};

constexpr MenuItemModel kFileItems[] = {
    {"Nouvel événement", 1001, 5, 7},
    {"Charger un événement", 1002, 0, 8},
    kSeparator,
    {"Enregistrer", 1003, 6, 9},
    {"Enregistrer sous...", 1004, 0, 10},
    kSeparator,
    kSeparator,
    {"Quitter", 1005, 7, 11},
};

// Rows 12 to 15 do not follow the command ids: the database menu was reordered after its texts.
constexpr MenuItemModel kDatabaseItems[] = {
    {"Catégories", 1006, 8, 12},
    {"Voitures/Motos", 1007, 0, 14},
    kSeparator,
    {"Clubs/Teams", 1008, 9, 15},
    kSeparator,
    {"Catégories d'ages", 1009, 10, 13},
    {"Pilotes", 1010, 0, 16},
    kSeparator,
    {"Championnats", 1011, 11, 17},
    kSeparator,
    {"Transpondeurs", 1012, 12, 18},
    kSeparator,
    {"Fréquences", 1013, 13, 19},
};

constexpr MenuItemModel kPenaltyItems[] = {{"Pénalités/Abandons", 1014, 14, 20}};

constexpr MenuItemModel kLiveRaceItems[] = {{"Ecran additionnel", 1015, 15, 21}};

constexpr MenuItemModel kSettingsItems[] = {
    {"Traduction", 1019, 16, 26},
    kSeparator,
    {"Sons", 1020, 17, 27},
    kSeparator,
    {"Affichage", 1021, 18, 28},
    kSeparator,
    {"Interface", 1022, 19, 29},
    kSeparator,
    {"Internet", 1023, 20, 30},
};

constexpr MenuItemModel kHelpItems[] = {{"Aide", 1025, 0, 32}};

constexpr MenuPopupModel kMenuBar[] = {
    {"Fichier", 0, kFileItems},
    {"Base de données", 1, kDatabaseItems},
    {"Pénalités", 2, kPenaltyItems},
    {"Course live", 3, kLiveRaceItems},
    {"Réglages", 5, kSettingsItems},
    {"?", -1, kHelpItems},
};

constexpr MenuItemModel kResultsEditItems[] = {
    {"Activer", 9102, 0, -1},
    {"Désactiver", 9103, 0, -1},
};
constexpr MenuPopupModel kResultsEditSubmenu{"Modifier résultats", -1, kResultsEditItems};

constexpr MenuItemModel kResultsPopupItems[] = {
    {"Résultats détaillés série", 9104, 0, -1},
    {"Commentaire série", 9105, 0, -1},
};

constexpr MenuItemModel kTreeMenu1[] = {{"Informations événement", 1053, 0, -1}};
constexpr MenuItemModel kTreeMenu2[] = {{"Piste pour l'événement", 1054, 0, -1}};
constexpr MenuItemModel kTreeMenu3[] = {{"Ajouter une course", 1051, 0, -1},
                                        {"Renommer la course", 1052, 0, -1}};
constexpr MenuItemModel kTreeMenu4[] = {{"Liste des participants", 1055, 0, -1}};
constexpr MenuItemModel kTreeMenu5[] = {{"Essais libres / Paramètres", 1061, 0, -1}};
constexpr MenuItemModel kTreeMenu6[] = {{"Essais libres / Répartition séries", 1062, 0, -1}};
constexpr MenuItemModel kTreeMenu7[] = {{"Ajouter une séance d'essais libres", 1063, 0, -1}};
constexpr MenuItemModel kTreeMenu8[] = {{"Qualifications / Paramètres", 1073, 0, -1}};
constexpr MenuItemModel kTreeMenu9[] = {{"Qualifications / Répartition séries", 1074, 0, -1}};
constexpr MenuItemModel kTreeMenu10[] = {{"Ajouter une séance de qualifs", 1075, 0, -1}};
constexpr MenuItemModel kTreeMenu11[] = {{"Dizavirov / Paramètres", 1083, 0, -1}};
constexpr MenuItemModel kTreeMenu12[] = {{"Dizavirov / Ordre des départs", 1084, 0, -1}};
constexpr MenuItemModel kTreeMenu13[] = {{"Ajouter une manche", 1085, 0, -1}};

constexpr std::span<const MenuItemModel> kTreeMenus[kTreeContextMenus] = {
    kTreeMenu1, kTreeMenu2, kTreeMenu3,  kTreeMenu4,  kTreeMenu5,  kTreeMenu6, kTreeMenu7,
    kTreeMenu8, kTreeMenu9, kTreeMenu10, kTreeMenu11, kTreeMenu12, kTreeMenu13,
};

bool SameRaceRecord(const RaceHeaderRecord& a, const RaceHeaderRecord& b) {
  return a.name == b.name && a.practiceStates == b.practiceStates &&
         a.qualifyingStates == b.qualifyingStates && a.roundsState == b.roundsState &&
         a.participantCount == b.participantCount && a.practiceSessions == b.practiceSessions &&
         a.practiceSeries == b.practiceSeries && a.qualifyingSessions == b.qualifyingSessions &&
         a.qualifyingSeries == b.qualifyingSeries && a.rounds == b.rounds;
}

bool NoFlagSet(const TreeviewFlagsTable& flags) {
  TreeviewFlagsTable cleared;
  ClearTreeviewFlags(cleared);
  for (int r = 0; r < kMaxRaces; ++r) {
    if (flags[r].practice != cleared[r].practice || flags[r].qualifying != cleared[r].qualifying ||
        flags[r].rounds != cleared[r].rounds) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::span<const MenuPopupModel> MainMenuBar() { return kMenuBar; }
const MenuPopupModel& ResultsEditSubmenu() { return kResultsEditSubmenu; }
std::span<const MenuItemModel> ResultsPopupMenuItems() { return kResultsPopupItems; }
std::span<const std::span<const MenuItemModel>> TreeContextMenus() { return kTreeMenus; }

std::string_view MenuCaption(std::span<const TranslationRow> table, int32_t row, int32_t language,
                             std::string_view builtIn) {
  if (row < 0 || static_cast<std::size_t>(row) >= table.size()) return builtIn;
  if (language < 0 || language >= kLanguageCount) language = kLanguageEnglish;
  std::string_view text = table[static_cast<std::size_t>(row)][language].view();
  return text.empty() ? builtIn : text;
}

std::vector<ControlPlacement> MainWindowControls(int32_t W, int32_t H) {
  const int32_t c = (W - 200) / 2 + 200;  // middle of the part right of the tree strip
  const int32_t m = 820 * W / 1600;
  std::vector<ControlPlacement> controls = {
      {2001, "BUTTON", "Depart", ControlKind::BitmapButton, W / 2 - 100, 40 * H / 900, 80, H / 20},
      {2004, "EDIT", "Départ", ControlKind::Label, W / 2 - 95, 86 * H / 900, 70, H / 45},
      {2002, "BUTTON", "Arrêt", ControlKind::BitmapButton, W / 2, 40 * H / 900, 80, H / 20},
      {2005, "EDIT", "Arrêt", ControlKind::Label, W / 2 + 5, 86 * H / 900, 70, H / 45},
      {2003, "BUTTON", "Effacer", ControlKind::BitmapButton, W / 2 + 100, 40 * H / 900, 80, H / 20},
      {2006, "EDIT", "Effacer", ControlKind::Label, W / 2 + 105, 86 * H / 900, 70, H / 45},
      {0, "BUTTON", "", ControlKind::GroupBox, c - 525 * W / 1600, 606 * H / 900, 1050 * W / 1600,
       H / 10},
  };

  // Three rows of buttons 50 design units apart; the short third row sits under columns 6 to 15.
  static constexpr const char* kSlotTexts[kManualLapButtons] = {
      "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13",
      "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26",
      "27", "28", "29", "30", "31", "32", "33", "34", "35", "36", "37", "38", "39",
      "40", "41", "42", "43", "44", "45", "46", "47", "48", "49", "50"};
  for (int32_t slot = 1; slot <= kManualLapButtons; ++slot) {
    int32_t column, top;
    if (slot <= 20) {
      column = slot;
      top = 625 * H / 900;
    } else if (slot <= 40) {
      column = slot - 20;
      top = 648 * H / 900;
    } else {
      column = slot - 35;
      top = 671 * H / 900;
    }
    const int32_t left = column <= 10 ? c - (50 * (11 - column) * W) / 1600
                                      : c + (50 * (column - 11) * W) / 1600;
    controls.push_back({kFirstManualLapButton + slot - 1, "BUTTON", kSlotTexts[slot - 1],
                        ControlKind::PushButton, left, top, W / 40, H / 50});
  }

  const std::vector<ControlPlacement> rest = {
      {9101, "BUTTON", "Résultats", ControlKind::BitmapButton, W - 120, H / 15, 40, 40},
      {9000, "BUTTON", "Imprimer", ControlKind::BitmapButton, W - 70, H / 15, 40, 40},
      {2221, "BUTTON", "Durée course / Horloge", ControlKind::GroupBox, 45 * W / 1600 + 200,
       720 * H / 900, 450 * W / 1600, H / 12},
      {2222, "BUTTON", "Décompte", ControlKind::GroupBox, 490 * W / 1600 + 220, 720 * H / 900, 100,
       H / 12},
      {2223, "BUTTON", "Mode transpondeurs", ControlKind::GroupBox, m + 200, 710 * H / 900, 330,
       85 * H / 900},
      {2101, "BUTTON", "Puces perso", ControlKind::RadioFirst, m + 205, 737 * H / 900, 105, H / 45},
      {2102, "BUTTON", "Puces club", ControlKind::Radio, m + 325, 737 * H / 900, 105, H / 45},
      {2103, "BUTTON", "Mixte (scan)", ControlKind::Radio, m + 205, 770 * H / 900, 105, H / 45},
      {2104, "COMBOBOX", "PackPuces", ControlKind::DropDownList, m + 435, 735 * H / 900, 72,
       600 * H / 900},
      {2105, "BUTTON", "Scan", ControlKind::PushLikeCheck, m + 320, 767 * H / 900, 60,
       23 * H / 900},
      {2106, "EDIT", "", ControlKind::StatusText, m + 390, 767 * H / 900, 110, 23 * H / 900},
      // Between the series title and the board, left of the series buttons: high in the window,
      // where a taskbar never hides it, and room for the longest alert on two lines.
      {kRaceAlertLine, "STATIC", "", ControlKind::AlertLine, 15 * W / 1600 + 200, H / 15 + 3,
       W / 2 - 110 - (15 * W / 1600 + 200), 115 * H / 900 - 3 - (H / 15 + 3)},
  };
  controls.insert(controls.end(), rest.begin(), rest.end());
  return controls;
}

ScrollBarPlacement BoardScrollBarPlacement(int32_t W, int32_t H) {
  const int32_t top = 145 * H / 900;
  return {201, top, 13 * W / 1600, 610 * H / 900 - top};
}

std::string DurationClockText(int32_t minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:00", minutes / 60, minutes % 60);
  return text;
}

std::string CountdownText(int32_t seconds) { return std::to_string(seconds) + "s"; }

bool RaceFileWorthKeeping(std::string_view raceFilePath) {
  TextFile file;
  if (!file.open(raceFilePath, OpenMode::Read)) return false;

  int32_t selectionCode = 0, raceCount = 0;
  RaceHeaderRecords records;
  ClearRaceHeaderRecords(records);
  if (!ReadRaceFileHeader(file, selectionCode, raceCount, records)) return true;
  if (raceCount != 1 || !SameRaceRecord(records[0], NewEventRaceRecords()[0])) return true;

  // A new event's file ends with its tree flags section, the first and only section written.
  const std::optional<int64_t> body = FindSectionBody(file, kTreeviewTitle);
  const int64_t firstBody =
      kHeaderReservation + 2 + 2 + static_cast<int64_t>(kTreeviewTitle.size()) + 1 + 2;
  if (!body || *body != firstBody || file.size() != firstBody + 2 * filler::kTreeview + 2)
    return true;
  file.seek(*body);
  TreeviewFlagsTable flags;
  ClearTreeviewFlags(flags);
  if (!ReadTreeviewSection(file, flags)) return true;
  return !NoFlagSet(flags);
}

}  // namespace zd
