#include "lang/main_menu_texts.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "files/translation.h"

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

// The installed factory and active files hold the built-in table: 33 rows, the rows without
// texts (6 and 31) empty in every language. A missing row would shift every caption after it.
TEST(MainMenuTexts, TheShippedFilesHoldTheBuiltInTable) {
  static TranslationTable builtIn, shipped;
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
  for (const char* extension : {".usine", ".trans"}) {
    SCOPED_TRACE(extension);
    ClearTranslationTable(shipped, kMaxTranslationRows);
    ASSERT_TRUE(ReadTranslationFile(shipped, std::string(kMainMenuKey) + extension));
    for (int row = 0; row < kMaxTranslationRows; ++row)
      for (int language = 0; language < kLanguageCount; ++language)
        EXPECT_EQ(shipped[row][language], builtIn[row][language]) << row << " " << language;
  }

  int32_t software = -1, reports = -1;
  ASSERT_TRUE(ReadLanguageSettings(software, reports));
  EXPECT_EQ(software, kLanguageFrench);
  EXPECT_EQ(reports, kLanguageFrench);
}

}  // namespace
}  // namespace zd
