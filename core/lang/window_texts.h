#pragma once
// The built-in six-language texts of every translatable window, one filler per window, and the
// table of those windows in the order of the translation dialog's window list. The factory files
// ("<key>.usine") and the first active files ("<key>.trans") hold these texts.

#include <array>

#include "files/fixed_text.h"
#include "files/translation.h"
#include "lang/main_menu_texts.h"

namespace zd {

// Each filler writes its window's rows in all six languages and leaves the other rows as they
// were (callers clear the table first).
void FillTreeviewTexts(TranslationTable& table);
void FillRaceInformationTexts(TranslationTable& table);
void FillParticipantsTexts(TranslationTable& table);
void FillParametersTexts(TranslationTable& table);
void FillArrangementTexts(TranslationTable& table);
void FillCategoriesTexts(TranslationTable& table);
void FillAgeCategoriesTexts(TranslationTable& table);
void FillCarsMotorbikesTexts(TranslationTable& table);
void FillClubsTexts(TranslationTable& table);
void FillDriversTexts(TranslationTable& table);
void FillChampionshipsTexts(TranslationTable& table);
void FillTranspondersTexts(TranslationTable& table);
void FillFrequenciesTexts(TranslationTable& table);
void FillPenaltiesTexts(TranslationTable& table);
void FillLiveRaceTexts(TranslationTable& table);
void FillTranslationWindowTexts(TranslationTable& table);
void FillSoundsTexts(TranslationTable& table);
void FillCustomSoundsTexts(TranslationTable& table);
void FillDisplayTexts(TranslationTable& table);
void FillInterfaceTexts(TranslationTable& table);
void FillInternetTexts(TranslationTable& table);
void FillCommentWindowTexts(TranslationTable& table);
void FillDriverResultsTexts(TranslationTable& table);

struct TranslatableWindow {
  const char* key;  // at most 32 characters; with ".usine" or ".trans" it names the files
  // The filler's highest row plus one (0 for a window without built-in texts): the rows that the
  // factory file holds and that saving or restoring the active file writes, so that no saved
  // text is left out.
  int rows;
  void (*fill)(TranslationTable&);  // nullptr for a window without built-in texts
};

inline constexpr int kTranslatableWindowCount = 26;
// Index 1 is the main window, whose file is the languages file; indexes 1 and 17 have no texts.
inline constexpr int kMainWindowIndex = 1;
inline constexpr int kTranslationWindowIndex = 18;
inline constexpr int kTranslationWindowRows = 12;
extern const std::array<TranslatableWindow, kTranslatableWindowCount> kTranslatableWindows;

// Fills both tables with the built-in texts of the window, the factory table first; windows
// without texts and indexes outside 0 to 25 leave both as they were.
void FillFactoryTexts(TranslationTable& factory, TranslationTable& active, int window);

// The names of the six languages spelled in the given language (English outside 1 to 5).
using LanguageNames = std::array<FixedText<64>, kLanguageCount>;  // at most 14 characters each
void FillLanguageNames(LanguageNames& names, int32_t language);
// The 26 windows' display names in the given language (English outside 1 to 5).
using WindowNames = std::array<FixedText<64>, kTranslatableWindowCount>;  // at most 44 each
void FillWindowNames(WindowNames& names, int32_t language);
// The translation dialog's title in the software language (English outside 0 to 5).
const char* TranslationWindowTitle(int32_t language);

}  // namespace zd
