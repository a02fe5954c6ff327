#include "lang/window_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/translation.h"

namespace zd {
namespace {

// The windows' keys, the rows of their row tables and the rows the translation dialog writes
// where it names a count (0 where it names none).
struct ExpectedWindow {
  const char* key;
  int rows;
  int dialogRows;
};
constexpr ExpectedWindow kExpected[kTranslatableWindowCount] = {
    {"MenuPrincipal", 33, 33},
    {"FenetrePrincipale", 0, 0},
    {"Arborescence", 20, 0},
    {"FenetresArborescenceInformations", 11, 0},
    {"FenetresArborescenceParticipants", 28, 0},
    {"FenetresArborescenceParametres", 30, 0},
    {"FenetresArborescenceRepartition", 27, 0},
    {"BaseCategories", 4, 4},
    {"BaseCategoriesAge", 13, 13},
    {"BaseVoituresMotos", 6, 0},
    {"BaseClubs", 11, 0},
    {"BasePilotes", 11, 0},
    {"BaseChampionnats", 2, 0},
    {"BaseTranspondeurs", 3, 0},
    {"BaseFrequences", 2, 0},
    {"FenetrePenalites", 12, 0},
    {"FenetreSerieLive", 17, 0},
    {"FenetrePlannification", 0, 0},
    {"FenetreTraduction", 12, 12},
    {"FenetreSons", 18, 0},
    {"FenetreSonsPerso", 33, 0},
    {"FenetreAffichage", 23, 0},
    {"FenetreInterface", 12, 12},
    {"FenetreInternet", 23, 0},
    {"FenetreCommentaire", 16, 0},
    {"FenetreResultatsPilote", 21, 0},
};

// A text that travels through a translation file: Windows-1252 (no byte that code page leaves
// undefined), at most 89 bytes, no control character (TAB, CR and LF included).
::testing::AssertionResult IsStorableText(std::string_view text) {
  if (text.size() > 89) return ::testing::AssertionFailure() << "too long: " << text.size();
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
      return ::testing::AssertionFailure() << "byte " << int(c);
  }
  return ::testing::AssertionSuccess();
}

void FillWith(TranslationTable& table, std::string_view text) {
  for (TranslationRow& row : table)
    for (auto& cell : row) cell = text;
}

class EveryWindow : public ::testing::TestWithParam<int> {};

// Each table fills exactly its rows: a row it lists gets six texts, a row it does not list keeps
// what the caller left, and the factory and active tables come out identical. The highest listed
// row fixes the rows of the window's files.
TEST_P(EveryWindow, FillsItsRowsInSixLanguagesAndNothingElse) {
  const int window = GetParam();
  const ExpectedWindow& expected = kExpected[window];
  const TranslatableWindow& w = kTranslatableWindows[window];
  EXPECT_STREQ(w.key, expected.key);
  EXPECT_EQ(w.rows, expected.rows);
  if (expected.dialogRows != 0) {
    EXPECT_EQ(w.rows, expected.dialogRows);
  }

  static TranslationTable factory, active, kept, empty;
  FillWith(factory, "caller's");
  FillWith(active, "caller's");
  ClearTranslationTable(empty, kMaxTranslationRows);
  FillWith(kept, "");
  FillFactoryTexts(factory, active, window);
  if (w.fill != nullptr) w.fill(kept);

  int highest = -1;
  for (int row = 0; row < kMaxTranslationRows; ++row) {
    SCOPED_TRACE(row);
    int listed = 0;
    for (int language = 0; language < kLanguageCount; ++language) {
      EXPECT_EQ(factory[row][language], active[row][language]);
      if (!kept[row][language].empty()) ++listed;
    }
    if (listed == 0) {
      for (int language = 0; language < kLanguageCount; ++language)
        EXPECT_EQ(factory[row][language], "caller's");
      continue;
    }
    EXPECT_EQ(listed, kLanguageCount) << "a language is missing";
    highest = row;
    for (int language = 0; language < kLanguageCount; ++language) {
      EXPECT_EQ(factory[row][language], kept[row][language]);
      EXPECT_TRUE(IsStorableText(kept[row][language].view())) << language;
    }
  }
  EXPECT_EQ(highest + 1, expected.rows);
}

INSTANTIATE_TEST_SUITE_P(WindowTexts, EveryWindow, ::testing::Range(0, kTranslatableWindowCount));

TEST(WindowTexts, OutsideTheWindowsBothTablesStayAsTheyWere) {
  static TranslationTable factory, active;
  for (int window : {-1, 1, 17, 26, 1000}) {
    SCOPED_TRACE(window);
    FillWith(factory, "f");
    FillWith(active, "a");
    FillFactoryTexts(factory, active, window);
    for (int row = 0; row < kMaxTranslationRows; ++row)
      for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_EQ(factory[row][language], "f");
        ASSERT_EQ(active[row][language], "a");
      }
  }
}

// Texts kept exactly as they were always written: blanks that join texts or align them, and the
// rows left empty inside a table.
TEST(WindowTexts, QuotedTextsKeepTheirBlanksAndGaps) {
  struct Case {
    int window, row, language;
    const char* text;
  };
  const Case cases[] = {
      {5, 19, kLanguageFrench, "simultan\xE9 au signal sonore    ("},
      {5, 19, kLanguageEnglish, "groupstart at the sound signal ("},
      {25, 3, kLanguageEnglish, " from lap "},
      {25, 3, kLanguageFrench, " entre tour "},
      {25, 4, kLanguageEnglish, " to lap "},
      {25, 4, kLanguageGerman, " bis Runde "},
      {7, 1, kLanguageEnglish, "Categories  (50 max)"},
      {7, 1, kLanguageItalian, "Categorie  (max 50)"},
      {11, 1, kLanguageEnglish, "Drivers/Riders (500 max)"},
      {6, 16, kLanguageEnglish, "RIDUDUZUD ROUNDS : STARTING GRID"},
      {6, 21, kLanguageFrench, "Seul l'ordre des d\xE9parts peut \xEAtre modif\xE9"},
      {18, 1, kLanguageFrench, "R\xE9tablir la traduction d'usine"},
      {18, 0, kLanguageGerman,
       "\xDC"
       "bernehmen"},
      {2, 13, kLanguageSpanish, "Dizavirov"},
  };
  static TranslationTable factory, active;
  for (const Case& c : cases) {
    ClearTranslationTable(factory, kMaxTranslationRows);
    FillFactoryTexts(factory, active, c.window);
    EXPECT_EQ(factory[c.row][c.language], c.text) << c.window << " " << c.row;
  }
  ClearTranslationTable(factory, kMaxTranslationRows);
  FillFactoryTexts(factory, active, 4);
  for (int row : {4, 6, 8, 9, 11, 17})
    for (int language = 0; language < kLanguageCount; ++language)
      EXPECT_TRUE(factory[row][language].empty()) << row;
  EXPECT_FALSE(factory[27][kLanguageGerman].empty());
}

TEST(WindowTexts, NamesAndTitleInEachLanguageAndEnglishOutsideThem) {
  LanguageNames languages;
  WindowNames windows;
  FillLanguageNames(languages, kLanguageGerman);
  EXPECT_EQ(languages[kLanguageFrench], "Franz\xF6sisch");
  FillWindowNames(windows, kLanguageItalian);
  EXPECT_EQ(windows[0], "Menu principale ");
  FillWindowNames(windows, kLanguagePortuguese);
  EXPECT_EQ(windows[2], "Vista de \xC1rvore ");
  FillWindowNames(windows, kLanguageGerman);
  EXPECT_EQ(windows[18],
            "Fenster '\xDC"
            "bersetzung'");
  EXPECT_STREQ(TranslationWindowTitle(kLanguageSpanish), "Traducci\xF3n del software");
  for (int32_t language : {-1, 0, 6, 99}) {
    SCOPED_TRACE(language);
    FillLanguageNames(languages, language);
    EXPECT_EQ(languages[kLanguagePortuguese], "Portuguese");
    FillWindowNames(windows, language);
    EXPECT_EQ(windows[13], "Database 'Transponders");
    EXPECT_EQ(windows[14], "Database 'Frequencies");
    EXPECT_STREQ(TranslationWindowTitle(language), "Software translation");
  }
  for (int32_t language = 0; language < kLanguageCount; ++language) {
    FillLanguageNames(languages, language);
    FillWindowNames(windows, language);
    for (const auto& name : languages) {
      EXPECT_FALSE(name.empty());
      EXPECT_LE(name.view().size(), 14u) << name.view();
    }
    for (const auto& name : windows) {
      EXPECT_FALSE(name.empty()) << language;
      EXPECT_LE(name.view().size(), 44u) << name.view();
    }
  }
}

// The longest keys still give paths within the dialog's 50 characters.
TEST(WindowTexts, LongestKeysGiveFiftyCharacterPaths) {
  for (int window : {3, 4}) {
    const std::string key = kTranslatableWindows[window].key;
    EXPECT_EQ(key.size(), 32u);
    EXPECT_EQ(TranslationFilePath(key + ".usine").size(), 50u);
  }
  for (const TranslatableWindow& w : kTranslatableWindows) EXPECT_LE(std::strlen(w.key), 32u);
}

}  // namespace
}  // namespace zd
