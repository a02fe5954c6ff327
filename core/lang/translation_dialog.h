#pragma once
// The rules of the translation dialog: the software and reports languages, and the six-language
// texts of the translatable windows shown, edited, saved and restored to their factory state.
// The window (app/) shows what this holds and hands over the operator's choices; every file is
// read and written relative to the data folder, which the window makes current.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/translation.h"
#include "lang/window_texts.h"

namespace zd {

class TranslationDialogModel {
 public:
  // Receives each error message, for a box titled "Error".
  using ErrorSink = std::function<void(const std::string& text)>;
  explicit TranslationDialogModel(ErrorSink errors);

  // Reads the languages, the dialog's captions and the main menu's files.
  void open();
  // Writes the languages the operator selected where they differ from the current ones.
  void apply();
  void selectSoftwareLanguage(int32_t language) { selectedSoftware_ = language; }
  void selectReportsLanguage(int32_t language) { selectedReports_ = language; }
  // The texts of window 0 in another language.
  void chooseEditLanguage(int32_t language);
  void chooseWindow(int window);
  // entry: a position in expressionRows().
  void chooseExpression(int entry);
  // The active text of the current row in the edit language, cut to 89 characters.
  void editActiveText(std::string_view text);
  // Writes the current window's active file (never the languages file).
  void save();
  // Rewrites every window's active file from its factory file and shows English.
  void restore();

  int32_t softwareLanguage() const { return software_; }
  int32_t reportsLanguage() const { return reports_; }
  // The selections of the three language lists.
  int32_t selectedSoftwareLanguage() const { return selectedSoftware_; }
  int32_t selectedReportsLanguage() const { return selectedReports_; }
  int32_t editLanguage() const { return edit_; }
  int window() const { return window_; }
  int row() const { return row_; }
  const std::string& factoryFileName() const { return factoryFile_; }
  const std::string& activeFileName() const { return activeFile_; }

  const char* title() const { return TranslationWindowTitle(titleLanguage_); }
  // The dialog's caption of that row (0 to 11) in the software language.
  std::string_view caption(int row) const;
  const LanguageNames& languageNames() const { return languageNames_; }
  const WindowNames& windowNames() const { return windowNames_; }
  // The rows whose factory text in the edit language is not empty, in row order, and the
  // position of the current row among them (-1 when it is not there).
  std::vector<int> expressionRows() const;
  int expressionEntry() const;
  std::string_view factoryText() const { return factory_[row_][edit_].view(); }
  std::string_view activeText() const { return active_[row_][edit_].view(); }
  // The factory text of any row in the edit language, as the expression list shows it.
  std::string_view factoryText(int row) const { return factory_[row][edit_].view(); }

 private:
  static int32_t Listed(int32_t language) {
    return language >= 0 && language < kLanguageCount ? language : kLanguageEnglish;
  }
  void writeLanguages();
  void readCaptions();
  void setWindowFiles(int window);
  void fillWindowTexts(int window);
  void readMainMenuFiles(const char* factoryMissing);

  ErrorSink errors_;
  int32_t software_ = kLanguageEnglish;
  int32_t reports_ = kLanguageEnglish;
  int32_t selectedSoftware_ = kLanguageEnglish;
  int32_t selectedReports_ = kLanguageEnglish;
  int32_t edit_ = kLanguageEnglish;
  int32_t titleLanguage_ = kLanguageEnglish;
  int window_ = 0;
  int row_ = 0;
  std::string factoryFile_;
  std::string activeFile_;
  LanguageNames languageNames_{};
  WindowNames windowNames_{};
  TranslationTable factory_{};
  TranslationTable active_{};
  std::array<TranslationRow, kTranslationWindowRows> captions_{};
};

}  // namespace zd
