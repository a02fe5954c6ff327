#pragma once
// The commands of the main window's menus "Base de données", "Pénalités", "Course live",
// "Réglages" and "?" (1006 to 1025): each opens its dialog, which keeps its own tables and writes
// its files; the main window then reads back the files whose content it holds and refreshes what
// depends on them (the participants of every race after the drivers, the penalties applied again,
// the board after the display settings, the menu captions after the languages).

#include <cstdint>
#include <string_view>

#include "files/databases.h"
#include "files/settings.h"
#include "files/translation.h"
#include "main/board_layout.h"
#include "main/command_window.h"

namespace zd {

inline constexpr std::string_view kLiveScreenAlreadyOpen =
    "L'écran de la série en Live est déjà ouvert";
inline constexpr std::string_view kTranslationUnfinished = "Fonction en cours de développement";
inline constexpr std::string_view kDisplaySettingsFileFailed =
    "Erreur: impossible d'ouvrir le fichier Réglage Affichage";
inline constexpr std::string_view kHelpDocument = "\\Guides\\HelpRiduduzudFR.pdf";

// What the main window holds of the files that the menu dialogs change. It refers to the
// window's own records, so build it for each call rather than keep it.
struct WindowRecords {
  DriverSummaryTable& drivers;
  AgeCategoryTable& ageCategories;
  TransponderPackTable& transponderPacks;
  const CountryTable& countries;
  int32_t currentMonthCount;
  SoundSettings& sounds;
  CustomSounds& customSounds;
  DisplaySettings& display;
  CustomColours& customColours;
  BoardColumnWidths& layoutWidths;
  int32_t& softwareLanguage;
  int32_t& reportsLanguage;
  TranslationTable& mainMenuTexts;
  WebEventInfo& webEventInfo;
  int32_t& liveScreenOpen;  // LiveScreenOpen: the additional screen keeps it at 1 while open
  std::string_view workingDirectory;
};

// One menu command; an id that is none (the print button's 9000 among them) does nothing.
void RunMenuCommand(const CommandDesk& desk, const WindowRecords& records, int32_t command);

}  // namespace zd
