#include "lang/main_menu_texts.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "files/translation.h"
#include "lang/window_texts.h"

namespace zd {
namespace {

// The translation readers take paths relative to the data folder, as the program does.
class InDataFolder {
 public:
  InDataFolder() {
    if (::getcwd(previous_, sizeof previous_) == nullptr) previous_[0] = '\0';
    EXPECT_EQ(::chdir(ZD_DATA_FOLDER), 0);
  }
  ~InDataFolder() {
    if (previous_[0] != '\0' && ::chdir(previous_) != 0) ADD_FAILURE() << "cannot go back";
  }

 private:
  char previous_[PATH_MAX] = {};
};

// The installed factory and active files hold the built-in tables: the main menu's 33 rows with
// the rows without texts (6 and 31) empty in every language, and so every window's. A missing row
// would shift every caption after it.
TEST(MainMenuTexts, TheShippedFilesHoldTheBuiltInTable) {
  static TranslationTable builtIn;
  ClearTranslationTable(builtIn, kMaxTranslationRows);
  FillMainMenuTexts(builtIn);
  EXPECT_EQ(builtIn[13][kLanguageFrench].view(), "Cat\xE9gories d'age");
  EXPECT_EQ(builtIn[22][kLanguageSpanish].view(), "Plan entrenamientos libres");
  for (int language = 0; language < kLanguageCount; ++language) {
    EXPECT_TRUE(builtIn[6][language].empty());
    EXPECT_TRUE(builtIn[31][language].empty());
    EXPECT_FALSE(builtIn[32][language].empty());
  }

  InDataFolder inDataFolder;
  // Every window's files, read back over a table that a missing or shifted row would show.
  static TranslationTable fromFile, unused;
  for (int window = 0; window < kTranslatableWindowCount; ++window) {
    if (window == kMainWindowIndex) continue;
    ClearTranslationTable(builtIn, kMaxTranslationRows);
    FillFactoryTexts(builtIn, unused, window);
    for (const char* extension : {".usine", ".trans"}) {
      const std::string name = std::string(kTranslatableWindows[window].key) + extension;
      SCOPED_TRACE(name);
      ClearTranslationTable(fromFile, kMaxTranslationRows);
      ASSERT_TRUE(ReadTranslationFile(fromFile, name));
      for (int row = 0; row < kMaxTranslationRows; ++row)
        for (int language = 0; language < kLanguageCount; ++language)
          ASSERT_EQ(fromFile[row][language], builtIn[row][language]) << row << " " << language;
    }
  }
  // The window without texts still has its files, holding the first line alone.
  std::ifstream planning("Translation/FenetrePlannification.usine", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(planning), {}), "6\t0\t\r\n");

  int32_t software = -1, reports = -1;
  ASSERT_TRUE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, kLanguageFrench);
  EXPECT_EQ(reports, kLanguageFrench);
}

}  // namespace
}  // namespace zd
