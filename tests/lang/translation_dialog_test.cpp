#include "lang/translation_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "files/whole_file.h"

namespace zd {
namespace {

// A data folder laid out as the installer leaves it: the languages (French) and every window's
// factory and active files holding the built-in texts.
class TranslationDialog : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    ASSERT_TRUE(MakeFolder("Translation"));
    ASSERT_TRUE(WriteWholeFile(kLanguageSettingsFile, "1\t1\t\n"));
    static TranslationTable texts, unused;
    for (int window = 0; window < kTranslatableWindowCount; ++window) {
      if (window == kMainWindowIndex) continue;
      ClearTranslationTable(texts, kMaxTranslationRows);
      FillFactoryTexts(texts, unused, window);
      const std::string key = kTranslatableWindows[window].key;
      for (const char* extension : {".usine", ".trans"})
        ASSERT_TRUE(WriteTranslationFile(texts, key + extension, kLanguageCount,
                                         kTranslatableWindows[window].rows));
    }
  }

  std::string bytes(const std::string& name) {
    return test::ReadBytes(file("Translation/" + name));
  }
  // The entry of the expression list that shows this row.
  int entryOf(int row) {
    const std::vector<int> rows = model_.expressionRows();
    for (int entry = 0; entry < static_cast<int>(rows.size()); ++entry)
      if (rows[entry] == row) return entry;
    return -1;
  }
  void edit(int row, const std::string& text) {
    model_.chooseExpression(entryOf(row));
    ASSERT_EQ(model_.row(), row);
    model_.editActiveText(text);
  }

  std::vector<std::string> errors_;
  TranslationDialogModel model_{[this](const std::string& text) { errors_.push_back(text); }};
};

TEST_F(TranslationDialog, OpensOnTheMainMenuInTheStoredLanguages) {
  model_.open();
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(model_.softwareLanguage(), kLanguageFrench);
  EXPECT_EQ(model_.editLanguage(), kLanguageFrench);
  EXPECT_STREQ(model_.title(), "Traduction logiciel");
  EXPECT_EQ(model_.caption(1), "R\xE9tablir la traduction d'usine");
  EXPECT_EQ(model_.languageNames()[kLanguageGerman], "Allemand");
  EXPECT_EQ(model_.windowNames()[18], "Fen\xEAtre 'Traduction'");
  EXPECT_EQ(model_.activeFileName(), "MenuPrincipal.trans");
  EXPECT_EQ(model_.expressionRows().size(), 31u);  // rows 6 and 31 are empty
  EXPECT_EQ(model_.factoryText(), "Fichier");
}

// Without the languages file: English, one message at opening and one at every write of Apply,
// since the file is never created.
TEST_F(TranslationDialog, WithoutLanguagesFileEnglishAndAMessageAtEveryWrite) {
  std::remove(file("Translation/FenetrePrincipale.trans").c_str());
  model_.open();
  const std::string missing =
      "Error: The translation file 'FenetrePrincipale.trans' has not been found";
  EXPECT_EQ(errors_, std::vector<std::string>{missing});
  EXPECT_EQ(model_.softwareLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.reportsLanguage(), kLanguageEnglish);
  EXPECT_STREQ(model_.title(), "Software translation");
  EXPECT_EQ(model_.caption(0), "Apply");
  model_.selectSoftwareLanguage(kLanguageGerman);
  model_.selectReportsLanguage(kLanguageGerman);
  model_.apply();
  EXPECT_EQ(errors_, (std::vector<std::string>{missing, missing, missing}));
  EXPECT_NE(::access(file("Translation/FenetrePrincipale.trans").c_str(), F_OK), 0);
}

// Each write of Apply is counted by the message it gives once the file has gone after opening.
TEST_F(TranslationDialog, ApplyWritesOncePerChangedLanguage) {
  struct Case {
    int32_t software, reports;
    size_t writes;
  };
  for (const Case& c : {Case{1, 1, 0}, Case{1, 4, 1}, Case{2, 4, 2}, Case{3, 1, 1}}) {
    SCOPED_TRACE(c.software * 10 + c.reports);
    ASSERT_TRUE(WriteWholeFile(kLanguageSettingsFile, "1\t1\t\n"));
    errors_.clear();
    model_.open();
    std::remove(file("Translation/FenetrePrincipale.trans").c_str());
    model_.selectSoftwareLanguage(c.software);
    model_.selectReportsLanguage(c.reports);
    model_.apply();
    EXPECT_EQ(errors_.size(), c.writes);
  }
  // Written, the second write holds both new values; the rest of the file is kept.
  ASSERT_TRUE(WriteWholeFile(kLanguageSettingsFile, "1\t1\t\nrest\n"));
  errors_.clear();
  model_.open();
  model_.selectSoftwareLanguage(kLanguageGerman);
  model_.selectReportsLanguage(kLanguageSpanish);
  model_.apply();
  EXPECT_TRUE(errors_.empty());
  int32_t software = -1, reports = -1;
  ASSERT_TRUE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, kLanguageGerman);
  EXPECT_EQ(reports, kLanguageSpanish);
  EXPECT_STREQ(model_.title(),
               "Software \xDC"
               "bersetzung");
  EXPECT_EQ(model_.caption(0),
            "\xDC"
            "bernehmen");
  EXPECT_EQ(model_.languageNames()[kLanguageFrench], "Franz\xF6sisch");
  // Apply changes neither the edit language nor the texts shown.
  EXPECT_EQ(model_.editLanguage(), kLanguageFrench);
  EXPECT_EQ(model_.factoryText(), "Fichier");
}

// A language the lists do not hold shows English lists and captions and the English title; the
// next Apply of English writes it.
TEST_F(TranslationDialog, StoredLanguageOutsideTheListsIsTakenAsEnglish) {
  ASSERT_TRUE(WriteWholeFile(kLanguageSettingsFile, "7\t1\t\n"));
  model_.open();
  EXPECT_STREQ(model_.title(), "Software translation");
  EXPECT_EQ(model_.caption(0), "Apply");
  EXPECT_EQ(model_.languageNames()[kLanguageFrench], "French");
  EXPECT_EQ(model_.selectedSoftwareLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.editLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.factoryText(), "File");
  model_.apply();
  int32_t software = -1, reports = -1;
  ASSERT_TRUE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, kLanguageEnglish);
}

// The participants window lists 22 expressions over 28 rows; each entry edits the row it shows.
TEST_F(TranslationDialog, ExpressionListSkipsEmptyRows) {
  model_.open();
  model_.chooseEditLanguage(kLanguageEnglish);
  model_.chooseWindow(4);
  const std::vector<int> rows = model_.expressionRows();
  EXPECT_EQ(rows.size(), 22u);
  model_.chooseExpression(4);
  EXPECT_EQ(model_.row(), 5);
  EXPECT_EQ(model_.factoryText(), "Race name :");
  EXPECT_EQ(model_.expressionEntry(), 4);
  model_.editActiveText(std::string(120, 'x'));
  EXPECT_EQ(model_.activeText(), std::string(89, 'x'));
  // Windows without texts show nothing and saving the main window writes nothing.
  for (int window : {1, 17}) {
    model_.chooseWindow(window);
    EXPECT_TRUE(model_.expressionRows().empty());
    EXPECT_EQ(model_.expressionEntry(), -1);
    EXPECT_EQ(model_.factoryText(), "");
  }
  model_.chooseWindow(1);
  model_.save();
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(bytes("FenetrePrincipale.trans"), "1\t1\t\r\n");
}

// A window whose dialog count is 0 is saved with all its rows: the edit is kept, shown again
// after switching away and back, and the next save does not lose it.
TEST_F(TranslationDialog, SavedEditsAreKeptAndShownAgain) {
  model_.open();
  model_.chooseWindow(2);
  edit(3, "Fahrerinnen");
  model_.save();
  model_.chooseWindow(5);
  edit(7, "dropped");
  model_.chooseWindow(2);
  model_.chooseExpression(entryOf(3));
  EXPECT_EQ(model_.activeText(), "Fahrerinnen");
  EXPECT_EQ(model_.factoryText(), "Pilotes");
  edit(4, "Essais");
  model_.save();
  static TranslationTable read;
  ClearTranslationTable(read, kMaxTranslationRows);
  ASSERT_TRUE(ReadTranslationFile(read, "Arborescence.trans"));
  EXPECT_EQ(read[3][kLanguageFrench], "Fahrerinnen");
  EXPECT_EQ(read[4][kLanguageFrench], "Essais");
  EXPECT_EQ(read[19][kLanguageGerman], "Durchgang hinzuf\xFCgen");
  // The unsaved edit of window 5 was dropped.
  model_.chooseWindow(5);
  model_.chooseExpression(entryOf(7));
  EXPECT_EQ(model_.activeText(),
            "Dur\xE9"
            "e s\xE9rie");
  EXPECT_TRUE(errors_.empty());
}

// Saving the translation window relabels the dialog at once; saving another window does not.
TEST_F(TranslationDialog, SavingTheTranslationWindowRelabelsTheDialog) {
  model_.open();
  model_.chooseWindow(0);
  model_.chooseWindow(kTranslationWindowIndex);
  edit(0, "Appliquer!");
  EXPECT_EQ(model_.caption(0), "Appliquer");
  model_.save();
  EXPECT_EQ(model_.caption(0), "Appliquer!");
  model_.chooseWindow(22);
  edit(0, "Decodeur");
  model_.save();
  EXPECT_EQ(model_.caption(0), "Appliquer!");
  // The interface window's 12 rows, the first line "6\t12\t".
  EXPECT_EQ(bytes("FenetreInterface.trans").substr(0, 7), "6\t12\t\r\n");
}

// Restore rewrites every active file from its factory file and shows English, keeping the title
// and the languages file; a factory file that cannot be read leaves its active file alone.
TEST_F(TranslationDialog, RestoreBringsBackTheFactoryTexts) {
  model_.open();
  model_.chooseWindow(kTranslationWindowIndex);
  edit(0, "Vas-y");
  model_.save();
  model_.chooseWindow(7);
  edit(1, "Cat");
  model_.save();
  model_.chooseWindow(9);
  edit(1, "Neuve");
  model_.save();
  const std::string edited9 = bytes("BaseVoituresMotos.trans");
  std::remove(file("Translation/BaseVoituresMotos.usine").c_str());
  const std::string languages = bytes("FenetrePrincipale.trans");
  model_.selectSoftwareLanguage(kLanguageGerman);

  model_.restore();
  EXPECT_EQ(errors_, std::vector<std::string>{
                         "Error: The translation source file 'BaseVoituresMotos.usine' has not "
                         "been found"});
  EXPECT_EQ(bytes("FenetreTraduction.trans"), bytes("FenetreTraduction.usine"));
  EXPECT_EQ(bytes("BaseCategories.trans"), bytes("BaseCategories.usine"));
  EXPECT_EQ(bytes("BaseVoituresMotos.trans"), edited9);
  EXPECT_EQ(bytes("FenetrePrincipale.trans"), languages);
  EXPECT_STREQ(model_.title(), "Traduction logiciel");
  EXPECT_EQ(model_.caption(0), "Apply");
  EXPECT_EQ(model_.languageNames()[kLanguageFrench], "French");
  EXPECT_EQ(model_.windowNames()[0], "Main menu");
  EXPECT_EQ(model_.softwareLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.selectedSoftwareLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.editLanguage(), kLanguageEnglish);
  EXPECT_EQ(model_.window(), 0);
  EXPECT_EQ(model_.factoryText(), "File");

  // Without the main menu's files the end of the restore says so, by the names it has always used.
  errors_.clear();
  std::remove(file("Translation/MenuPrincipal.usine").c_str());
  std::remove(file("Translation/MenuPrincipal.trans").c_str());
  model_.restore();
  ASSERT_FALSE(errors_.empty());
  EXPECT_EQ(errors_.back(),
            "Error: The active translation file 'MenuPrincipal.trans' has not been found");
  EXPECT_EQ(errors_[errors_.size() - 2],
            "Error: The factory translation file 'Menu principal.usine' has not been found");
}

}  // namespace
}  // namespace zd
