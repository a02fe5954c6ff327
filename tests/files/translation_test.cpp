#include "files/translation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::SameBytes;
using test::TempDir;
using test::WriteBytes;

// Translation tables are opened relative to the data folder, which is the current directory.
class TranslationFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    saved_ = cwd;
    ASSERT_EQ(::mkdir(dir_.file("Translation").c_str(), 0777), 0);
    ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
    table_ = std::make_unique<TranslationTable>();
    ClearTranslationTable(*table_, kMaxTranslationRows);
  }
  void TearDown() override { ASSERT_EQ(::chdir(saved_.c_str()), 0); }
  std::string Translation(const std::string& name) { return dir_.file("Translation/" + name); }

  TempDir dir_;
  std::string saved_;
  std::unique_ptr<TranslationTable> table_;
};

const std::string kFourRows =
    "6\t4\t\r\n"
    "File\tFichier\tDatei\tFile\tArquivo\tArchivo\t\r\n"
    "Open\tOuvrir\tÖffnen\tApri\tAbrir\tAbrir\t\r\n"
    "\t\t\t\t\t\t\r\n"
    "Rankings\tClassements\tWertungen\tClassifiche\tClassificações\tClasificaciones\t\r\n";

TEST_F(TranslationFileTest, RoundTripsAndHonoursTheRowCountOfTheHeader) {
  WriteBytes(Translation("MenuPrincipal.usine"), kFourRows);
  ASSERT_TRUE(ReadTranslationFile(*table_, "MenuPrincipal.usine"));
  EXPECT_EQ((*table_)[1][kLanguageGerman].view(), "Öffnen");
  EXPECT_TRUE((*table_)[2][0].empty());
  EXPECT_EQ((*table_)[3][kLanguageSpanish].view(), "Clasificaciones");
  ASSERT_TRUE(WriteTranslationFile(*table_, "MenuPrincipal.trans", 6, 4));
  EXPECT_TRUE(SameBytes(ReadBytes(Translation("MenuPrincipal.trans")), kFourRows));

  // The same rows under a header that announces two: only rows 0 and 1 are filled.
  std::string twoRows = kFourRows;
  twoRows[2] = '2';
  WriteBytes(Translation("Deux.trans"), twoRows);
  auto read = std::make_unique<TranslationTable>();
  ClearTranslationTable(*read, kMaxTranslationRows);
  ASSERT_TRUE(ReadTranslationFile(*read, "Deux.trans"));
  EXPECT_EQ((*read)[1][0].view(), "Open");
  EXPECT_TRUE((*read)[3][0].empty());

  ASSERT_TRUE(WriteTranslationFile(*table_, "Vide.trans", 6, 0));
  EXPECT_EQ(ReadBytes(Translation("Vide.trans")), "6\t0\t\r\n");
  EXPECT_FALSE(ReadTranslationFile(*read, "Absent.trans"));
}

TEST_F(TranslationFileTest, ShortRowsKeepTheirMissingTextsAndTheTableBoundsTheRows) {
  // A row of three texts, then an ordinary row, then a row cut at the end of the file.
  WriteBytes(Translation("Fenetre.trans"),
             "6\t9\t\nA0\tA1\tA2\t\nB0\tB1\tB2\tB3\tB4\tB5\tB6 extra\t\nC0\tC1");
  std::array<TranslationRow, 2> small;  // a caller's table of two rows
  ClearTranslationTable(small, 2);
  small[0][4] = "kept";
  ASSERT_TRUE(ReadTranslationFile(small, "Fenetre.trans"));
  EXPECT_EQ(small[0][2].view(), "A2");
  EXPECT_TRUE(small[0][3].empty());
  EXPECT_EQ(small[0][4].view(), "kept");
  EXPECT_EQ(small[1][0].view(), "B0");
  EXPECT_EQ(small[1][5].view(), "B5");

  ASSERT_TRUE(ReadTranslationFile(*table_, "Fenetre.trans"));
  EXPECT_EQ((*table_)[2][1].view(), "C1");
  EXPECT_TRUE((*table_)[3][0].empty());

  // Texts longer than 89 characters are cut; the next texts stay in place.
  WriteBytes(Translation("Long.trans"), "6\t1\t\r\n" + std::string(120, 'x') + "\ty\t\r\n");
  ASSERT_TRUE(ReadTranslationFile(*table_, "Long.trans"));
  EXPECT_EQ((*table_)[0][0].view(), std::string(89, 'x'));
  EXPECT_EQ((*table_)[0][1].view(), "y");
}

TEST_F(TranslationFileTest, TheWholeNameIsOpenedUnderTranslation) {
  const std::string name = "FenetresArborescenceInformations.usine";  // 38 characters
  ASSERT_EQ(name.size(), 38u);
  EXPECT_EQ(TranslationFilePath(name), "Translation/" + name);
  WriteBytes(Translation(name), "6\t1\t\r\nInfo\tInfos\t\t\t\t\t\r\n");
  ASSERT_TRUE(ReadTranslationFile(*table_, name));
  EXPECT_EQ((*table_)[0][1].view(), "Infos");
}

TEST_F(TranslationFileTest, ClearEmptiesOnlyTheRowsAsked) {
  (*table_)[0][5] = "a";
  (*table_)[1][0] = "b";
  ClearTranslationTable(*table_, 0);
  EXPECT_EQ((*table_)[0][5].view(), "a");
  ClearTranslationTable(*table_, 1);
  EXPECT_TRUE((*table_)[0][5].empty());
  EXPECT_EQ((*table_)[1][0].view(), "b");
}

TEST_F(TranslationFileTest, LanguageSettingsChangeOnlyTheTwoNumbers) {
  const std::string rest = "\tautres\r\n6\t12\t\r\nMenu\t\r\n";
  WriteBytes(Translation("FenetrePrincipale.trans"), "1\t1" + rest);
  int32_t software = -1, reports = -1;
  ASSERT_TRUE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, 1);
  EXPECT_EQ(reports, 1);

  ASSERT_TRUE(WriteLanguageSettings(3, 0));
  EXPECT_TRUE(SameBytes(ReadBytes(Translation("FenetrePrincipale.trans")), "3\t0" + rest));
  // Numbers of another length do not eat into what follows them.
  ASSERT_TRUE(WriteLanguageSettings(10, 5));
  EXPECT_TRUE(SameBytes(ReadBytes(Translation("FenetrePrincipale.trans")), "10\t5" + rest));
  ASSERT_TRUE(WriteLanguageSettings(2, 4));
  EXPECT_TRUE(SameBytes(ReadBytes(Translation("FenetrePrincipale.trans")), "2\t4" + rest));

  // The file is never created.
  ASSERT_EQ(::unlink(Translation("FenetrePrincipale.trans").c_str()), 0);
  EXPECT_FALSE(WriteLanguageSettings(1, 1));
  software = 4;
  EXPECT_FALSE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, 4);
  EXPECT_EQ(::access(Translation("FenetrePrincipale.trans").c_str(), F_OK), -1);
}

TEST(FormatAgeYears, EachLanguage) {
  struct {
    int32_t language;
    int32_t years;
    const char* text;
  } cases[] = {{0, 40, "(40 years)"}, {1, 40, "(40 ans)"},  {2, 7, "(7 Jahre)"},
               {3, 12, "(12 anni)"},  {4, 65, "(65 anos)"}, {5, 40, "(40 a\xF1os)"},
               {9, 40, "(40 years)"}, {-1, 0, "(0 years)"}};
  for (const auto& c : cases) EXPECT_EQ(FormatAgeYears(c.years, c.language), c.text) << c.language;

  char small[8];
  EXPECT_EQ(FormatAgeYears(small, sizeof small, 40, kLanguageGerman), 7);
  EXPECT_STREQ(small, "(40 Jah");
}

}  // namespace
}  // namespace zd
