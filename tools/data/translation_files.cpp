// Writes the translation files of a first start into a data folder: the languages (French for the
// software and its reports) and, for every translatable window, its factory file (".usine") and
// its first active file (".trans"), both holding the built-in texts.
//
// Usage: zd_translation_files <data folder>
//        zd_translation_files --written-texts <language>
// The second form prints, one a line, the built-in texts of that language (2 to 5) that were
// written for the program rather than handed down, for the spelling check.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/translation.h"
#include "files/whole_file.h"
#include "lang/window_texts.h"

namespace {

using namespace zd;

// The main menu's texts and the window names of the main menu, the tree and the translation
// window were handed down in every language.
bool WindowNameHandedDown(int window) {
  return window == 0 || window == 2 || window == kTranslationWindowIndex;
}

int PrintWrittenTexts(int language) {
  if (language < kLanguageGerman || language >= kLanguageCount) return 2;
  static TranslationTable table, unused;
  for (int window = 1; window < kTranslatableWindowCount; ++window) {
    ClearTranslationTable(table, kMaxTranslationRows);
    FillFactoryTexts(table, unused, window);
    for (int row = 0; row < kTranslatableWindows[window].rows; ++row)
      if (!table[row][language].empty()) std::printf("%s\n", table[row][language].c_str());
  }
  WindowNames names;
  FillWindowNames(names, language);
  for (int window = 0; window < kTranslatableWindowCount; ++window)
    if (!WindowNameHandedDown(window)) std::printf("%s\n", names[window].c_str());
  return 0;
}

bool WriteWindowFiles() {
  static TranslationTable texts, unused;
  for (int window = 0; window < kTranslatableWindowCount; ++window) {
    if (window == kMainWindowIndex) continue;  // its file is the languages file
    const TranslatableWindow& w = kTranslatableWindows[window];
    ClearTranslationTable(texts, kMaxTranslationRows);
    FillFactoryTexts(texts, unused, window);
    const std::string key = w.key;
    for (const char* extension : {".usine", ".trans"})
      if (!WriteTranslationFile(texts, key + extension, kLanguageCount, w.rows)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--written-texts") == 0)
    return PrintWrittenTexts(std::atoi(argv[2]));
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <data folder> | --written-texts <language>\n", argv[0]);
    return 2;
  }
  if (::chdir(argv[1]) != 0 || !MakeFolder("Translation")) {
    std::fprintf(stderr, "%s: cannot use the folder %s\n", argv[0], argv[1]);
    return 1;
  }
  if (!WriteWholeFile(kLanguageSettingsFile, "1\t1\t\n") || !WriteWindowFiles()) {
    std::fprintf(stderr, "%s: a translation file could not be written\n", argv[0]);
    return 1;
  }
  return 0;
}
