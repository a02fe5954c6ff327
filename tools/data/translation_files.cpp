// Writes the translation files that the program reads at start into a data folder: the languages
// (French for the software and its reports) and the main menu's texts, active and factory.
//
// Usage: zd_translation_files <data folder>

#include <unistd.h>

#include <cstdio>

#include "files/translation.h"
#include "files/whole_file.h"
#include "lang/main_menu_texts.h"

int main(int argc, char** argv) {
  using namespace zd;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
    return 2;
  }
  if (::chdir(argv[1]) != 0 || !MakeFolder("Translation")) {
    std::fprintf(stderr, "%s: cannot use the folder %s\n", argv[0], argv[1]);
    return 1;
  }
  static TranslationTable menu;
  ClearTranslationTable(menu, kMaxTranslationRows);
  FillMainMenuTexts(menu);
  const std::string key = kMainMenuKey;
  const bool written = WriteWholeFile(kLanguageSettingsFile, "1\t1\t\n") &&
                       WriteTranslationFile(menu, key + ".trans", kLanguageCount, kMainMenuRows) &&
                       WriteTranslationFile(menu, key + ".usine", kLanguageCount, kMainMenuRows);
  if (!written) {
    std::fprintf(stderr, "%s: a translation file could not be written\n", argv[0]);
    return 1;
  }
  return 0;
}
