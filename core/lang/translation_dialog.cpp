#include "lang/translation_dialog.h"

#include <utility>

namespace zd {

namespace {

constexpr const char* kLanguagesMissing =
    "Error: The translation file 'FenetrePrincipale.trans' has not been found";
constexpr const char* kCaptionsMissing =
    "Error: The translation file 'FenetreTraduction.trans' has not been found";
constexpr const char* kCaptionsFile = "FenetreTraduction.trans";

std::string Message(const char* before, const std::string& name) {
  return std::string(before) + name + "' has not been found";
}

}  // namespace

TranslationDialogModel::TranslationDialogModel(ErrorSink errors) : errors_(std::move(errors)) {}

void TranslationDialogModel::open() {
  software_ = reports_ = kLanguageEnglish;
  window_ = row_ = 0;
  if (!ReadLanguageSettings(software_, reports_)) {
    software_ = reports_ = kLanguageEnglish;
    errors_(kLanguagesMissing);
  }
  // A language the lists do not hold is shown, selected and edited as English, and the title
  // says so too; the next Apply writes English in its place.
  selectedSoftware_ = Listed(software_);
  selectedReports_ = Listed(reports_);
  edit_ = Listed(software_);
  titleLanguage_ = software_;
  FillLanguageNames(languageNames_, software_);
  FillWindowNames(windowNames_, edit_);
  readCaptions();
  setWindowFiles(0);
  readMainMenuFiles("Error: The factory translation file 'MenuPrincipal.usine' has not been found");
}

void TranslationDialogModel::readMainMenuFiles(const char* factoryMissing) {
  ClearTranslationTable(factory_, kMaxTranslationRows);
  ClearTranslationTable(active_, kMaxTranslationRows);
  if (!ReadTranslationFile(factory_, factoryFile_)) errors_(factoryMissing);
  if (!ReadTranslationFile(active_, activeFile_))
    errors_("Error: The active translation file 'MenuPrincipal.trans' has not been found");
}

void TranslationDialogModel::readCaptions() {
  ClearTranslationTable(captions_, kTranslationWindowRows);
  if (!ReadTranslationFile(captions_, kCaptionsFile)) errors_(kCaptionsMissing);
}

void TranslationDialogModel::writeLanguages() {
  if (!WriteLanguageSettings(software_, reports_)) errors_(kLanguagesMissing);
}

void TranslationDialogModel::apply() {
  if (selectedReports_ != reports_) {
    reports_ = selectedReports_;
    writeLanguages();
  }
  if (selectedSoftware_ != software_) {
    software_ = selectedSoftware_;
    titleLanguage_ = software_;
    FillLanguageNames(languageNames_, software_);
    writeLanguages();
  }
}

void TranslationDialogModel::setWindowFiles(int window) {
  const std::string key = kTranslatableWindows[window].key;
  factoryFile_ = key + ".usine";
  activeFile_ = key + ".trans";
}

// The built-in texts, with the window's saved edits read over the active table so that they are
// shown and a later save keeps them.
void TranslationDialogModel::fillWindowTexts(int window) {
  setWindowFiles(window);
  ClearTranslationTable(factory_, kMaxTranslationRows);
  ClearTranslationTable(active_, kMaxTranslationRows);
  FillFactoryTexts(factory_, active_, window);
  if (kTranslatableWindows[window].fill != nullptr) ReadTranslationFile(active_, activeFile_);
}

void TranslationDialogModel::chooseEditLanguage(int32_t language) {
  if (language < 0 || language >= kLanguageCount || language == edit_) return;
  edit_ = language;
  window_ = row_ = 0;
  FillWindowNames(windowNames_, edit_);
  fillWindowTexts(0);
}

void TranslationDialogModel::chooseWindow(int window) {
  if (window < 0 || window >= kTranslatableWindowCount || window == window_) return;
  window_ = window;
  row_ = 0;
  fillWindowTexts(window);
}

std::vector<int> TranslationDialogModel::expressionRows() const {
  std::vector<int> rows;
  for (int row = 0; row < kMaxTranslationRows; ++row)
    if (!factory_[row][edit_].empty()) rows.push_back(row);
  return rows;
}

int TranslationDialogModel::expressionEntry() const {
  const std::vector<int> rows = expressionRows();
  for (int entry = 0; entry < static_cast<int>(rows.size()); ++entry)
    if (rows[entry] == row_) return entry;
  return -1;
}

void TranslationDialogModel::chooseExpression(int entry) {
  const std::vector<int> rows = expressionRows();
  if (entry >= 0 && entry < static_cast<int>(rows.size())) row_ = rows[entry];
}

void TranslationDialogModel::editActiveText(std::string_view text) {
  active_[row_][edit_] = text.substr(0, 89);
}

std::string_view TranslationDialogModel::caption(int row) const {
  if (row < 0 || row >= kTranslationWindowRows) return {};
  return captions_[row][Listed(software_)].view();
}

void TranslationDialogModel::save() {
  if (window_ == kMainWindowIndex) return;
  if (!WriteTranslationFile(active_, activeFile_, kLanguageCount,
                            kTranslatableWindows[window_].rows)) {
    errors_(Message("Error: The translation file '", activeFile_));
    return;
  }
  if (window_ == kTranslationWindowIndex) readCaptions();
}

void TranslationDialogModel::restore() {
  for (int window = 0; window < kTranslatableWindowCount; ++window) {
    if (window == kMainWindowIndex) continue;
    setWindowFiles(window);
    ClearTranslationTable(active_, kMaxTranslationRows);
    // A factory file that cannot be read leaves the active file as it was rather than empty.
    if (!ReadTranslationFile(active_, factoryFile_)) {
      errors_(Message("Error: The translation source file '", factoryFile_));
      continue;
    }
    if (!WriteTranslationFile(active_, activeFile_, kLanguageCount,
                              kTranslatableWindows[window].rows))
      errors_(Message("Error: The translation destination file '", activeFile_));
  }
  // The languages file is not written: the main menu keeps the stored languages.
  software_ = reports_ = selectedSoftware_ = selectedReports_ = edit_ = kLanguageEnglish;
  window_ = row_ = 0;
  FillLanguageNames(languageNames_, kLanguageEnglish);
  FillWindowNames(windowNames_, kLanguageEnglish);
  readCaptions();
  setWindowFiles(0);
  readMainMenuFiles(
      "Error: The factory translation file 'Menu principal.usine' has not been found");
}

}  // namespace zd
