// The age categories and vehicle categories dialogs without their windows.

#include "databases/category_databases.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../files/data_folder_fixture.h"
#include "database_test_support.h"
#include "files/translation.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {
namespace {

using test::FileBytes;
using test::Keys;

TEST(AgeBounds, TheMovedBoundTakesTheOthersMonthAndYear) {
  struct Case {
    bool from;  // the born-from combos chosen, else the born-to ones
    int32_t month, year;
    bool moved;
    int32_t fromMonth, fromYear, toMonth, toYear;
  };
  // Every case starts from born-from March 2000, born-to June 2005.
  for (const Case& c : {
           Case{true, 0, 106, true, 5, 105, 5, 105},     // from after to: from takes to
           Case{true, 5, 105, false, 5, 105, 5, 105},    // equal bounds stay
           Case{true, 6, 105, true, 5, 105, 5, 105},     // same year, later month
           Case{true, 4, 105, false, 4, 105, 5, 105},    // same year, earlier month
           Case{false, 2, 99, true, 2, 100, 2, 100},     // to before from: to takes from
           Case{false, 1, 100, true, 2, 100, 2, 100},    // same year, earlier month
           Case{false, 11, 100, false, 2, 100, 11, 100},
       }) {
    AgeCategoryRecord r;
    r.fromMonth = 2;
    r.fromYear = 100;
    r.toMonth = 5;
    r.toYear = 105;
    const bool moved = c.from ? SetBornFrom(r, c.month, c.year) : SetBornTo(r, c.month, c.year);
    EXPECT_EQ(moved, c.moved);
    EXPECT_EQ(r.fromMonth, c.fromMonth);
    EXPECT_EQ(r.fromYear, c.fromYear);
    EXPECT_EQ(r.toMonth, c.toMonth);
    EXPECT_EQ(r.toYear, c.toYear);
    EXPECT_EQ(r.fromCount, c.fromYear * 12 + c.fromMonth);
    EXPECT_EQ(r.toCount, c.toYear * 12 + c.toMonth);
  }
}

TEST(AgeBounds, AgeTextsInTheSixLanguages) {
  const int32_t april2010 = BirthMonthCount(2010, 3);
  const int32_t march2026 = BirthMonthCount(2026, 2);
  const char* expected[] = {"(15 years)", "(15 ans)",  "(15 Jahre)",
                            "(15 anni)",  "(15 anos)", "(15 años)"};
  for (int32_t language = 0; language < 6; ++language) {
    EXPECT_EQ(BoundAgeText(april2010, march2026, language), expected[language]);
  }
  EXPECT_EQ(BoundAgeText(april2010, march2026, 9), "(15 years)");
  EXPECT_EQ(BoundAgeText(BirthMonthCount(2010, 2), march2026, 0), "(16 years)");
}

TEST(AgeBounds, NamesAndComboIndexes) {
  AgeCategoryRecord r;
  StoreAgeCategoryName(r, "Moins-de-12\tans");
  EXPECT_EQ(r.name.view(), "Moins_de_12 ans");
  EXPECT_EQ(ComboItemOrNone(0, 12), 0);
  EXPECT_EQ(ComboItemOrNone(11, 12), 11);
  EXPECT_EQ(ComboItemOrNone(12, 12), -1);
  EXPECT_EQ(ComboItemOrNone(-1, 12), -1);
}

class AgeCategories : public test::DataFolderTest {};

TEST_F(AgeCategories, CodesAreLettersAndDigitsWithTheMessageOfTheLanguage) {
  AgeCategoriesModel model(AgeCategoriesDescriptor(kLanguageGerman));
  ASSERT_TRUE(model.load());  // no file: an empty list
  for (const char* refused : {"A B", "Bé", "-1"}) {
    const auto result = model.add(refused);
    EXPECT_FALSE(result.added) << refused;
    ASSERT_TRUE(result.message) << refused;
    EXPECT_EQ(result.message->caption, "Fehler");
    EXPECT_EQ(result.message->icon, MessageIcon::Error);
    EXPECT_EQ(result.message->text,
              "Fehler: die Datenerfassung ist nicht richtig.\nDie eingegebenen Zeichen müssen nur "
              "sein :\n - Buchstaben ohne Akzent\n - Zahlen\n - kein Raum");
  }
  EXPECT_TRUE(model.add("B").added);
  EXPECT_TRUE(model.add("a2").added);
  EXPECT_FALSE(model.add("A2").added);
  EXPECT_TRUE(model.add("ZZZZ").added);  // the edit's four letters cut to the code's three
  EXPECT_EQ(Keys(model), "B|a2|ZZZ|");
  EXPECT_EQ(model.selected(), 2);
  const AgeCategoryRecord& added = model.table()[2];
  EXPECT_EQ(added.flag, 1);
  EXPECT_EQ(added.fromMonth + added.fromYear + added.toMonth + added.toYear, 0);
  EXPECT_EQ(AgeCodeRefusal(7).caption, "Error");
  EXPECT_EQ(AgeCodeRefusal(kLanguageFrench).text.substr(0, 6), "Erreur");
}

TEST_F(AgeCategories, ADeleteClosesTheGapAndTheFileKeepsTheOrder) {
  ASSERT_TRUE(WriteWholeFile(kAgeCategoriesFile,
                             "1\t0\t100\t11\t105\t1200\t1271\tMIN\tMinimes\t\r\n"
                             "1\t0\t90\t11\t99\t1080\t1199\tCAD\tCadets\t\r\n"
                             "1\t0\t80\t11\t89\t960\t1079\tJUN\tJuniors\t\r\n"));
  AgeCategoriesModel model(AgeCategoriesDescriptor(kLanguageEnglish));
  ASSERT_FALSE(model.load());
  model.select(1);
  ASSERT_TRUE(model.remove());
  EXPECT_EQ(Keys(model), "MIN|JUN|");
  EXPECT_EQ(model.selected(), 0);
  EXPECT_EQ(model.table()[2].flag, 1);
  EXPECT_TRUE(model.table()[2].code.empty());
  ASSERT_FALSE(model.save());
  EXPECT_EQ(FileBytes(kAgeCategoriesFile),
            "1\t0\t100\t11\t105\t1200\t1271\tMIN\tMinimes\t\r\n"
            "1\t0\t80\t11\t89\t960\t1079\tJUN\tJuniors\t\r\n");
}

TEST_F(AgeCategories, FiltersFollowTheLanguage) {
  EXPECT_EQ(AgeCategoriesDescriptor(kLanguageItalian).texts.filterName, "DB Categorie Età (.bda2)");
  EXPECT_EQ(AgeCategoriesDescriptor(-3).texts.filterName, "DB Age categories (.bda2)");
  EXPECT_EQ(AgeCategoriesDescriptor(kLanguageSpanish).texts.extension, ".bda2");
}

class VehicleCategories : public test::DataFolderTest {};

TEST_F(VehicleCategories, NamesTakeBlanksAndTheFiftyFirstIsRefused) {
  VehicleCategoriesModel model(VehicleCategoriesDescriptor(kLanguageGerman));
  ASSERT_TRUE(model.load());
  const auto accented = model.add("Catégorie");
  ASSERT_TRUE(accented.message);
  EXPECT_EQ(accented.message->caption, "Fehler");
  EXPECT_EQ(accented.message->text, VehicleCategoryNameRefusal(kLanguageGerman).text);
  EXPECT_NE(accented.message->text.find(" - Räume"), std::string::npos);
  EXPECT_FALSE(model.add(" Open").added);
  EXPECT_FALSE(model.add(" Open").message);
  EXPECT_TRUE(model.add("Open 125").added);
  for (int i = 1; i < 50; ++i) ASSERT_TRUE(model.add("Class " + std::to_string(i)).added) << i;
  const auto full = model.add("Class 50");
  EXPECT_FALSE(full.added);
  EXPECT_FALSE(full.message);
  EXPECT_EQ(model.count(), 50);
}

TEST(VehicleCategoriesLanguage, CaptionLabelsAndFilters) {
  EXPECT_EQ(VehicleCategoriesCaption(kLanguageGerman), "Datenbank Kategorien");
  EXPECT_EQ(VehicleCategoriesCaption(kLanguageFrench), "Base de données Catégories");
  EXPECT_EQ(VehicleCategoriesCaption(6), "Database categories");
  const VehicleCategoriesLabels german = VehicleCategoriesLabelPlaces(kLanguageGerman);
  EXPECT_EQ(german.characteristics, (LabelPlace{455, 340, 75}));
  EXPECT_EQ(german.description, (LabelPlace{400, 300, 130}));
  EXPECT_EQ(VehicleCategoriesLabelPlaces(kLanguageFrench).newKey, (LabelPlace{40, 40, 60}));
  EXPECT_EQ(VehicleCategoriesLabelPlaces(-1).characteristics, (LabelPlace{430, 340, 100}));
  EXPECT_EQ(VehicleCategoriesDescriptor(kLanguagePortuguese).texts.filterName,
            "BD Categorias Carros/Motos (*.bds2)");
  EXPECT_EQ(VehicleCategoryNameRefusal(kLanguageSpanish).text.substr(0, 6), "Error:");
}

}  // namespace
}  // namespace zd
