#pragma once
// The languages of the program and its translation tables: the chosen languages on the first line
// of "Translation/FenetrePrincipale.trans", and per translatable window a table of captions in six
// languages, "Translation/<key>.trans" (active, rewritten by the translation dialog) and
// "Translation/<key>.usine" (factory, read only). Also the age text of the age categories dialog.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/fixed_text.h"

namespace zd {

// A UiLanguage: the index of a language in every six-language table.
enum UiLanguage : int32_t {
  kLanguageEnglish = 0,
  kLanguageFrench = 1,
  kLanguageGerman = 2,
  kLanguageItalian = 3,
  kLanguagePortuguese = 4,
  kLanguageSpanish = 5,
};
inline constexpr int kLanguageCount = 6;

inline constexpr const char* kTranslationFolder = "Translation/";
inline constexpr const char* kLanguageSettingsFile = "Translation/FenetrePrincipale.trans";

// Reads the two numbers that begin the file: the software language and the reports language.
// False, leaving both as they were, when the file cannot be opened.
bool ReadLanguageSettings(int32_t& software, int32_t& reports,
                          std::string_view path = kLanguageSettingsFile);
// Puts "%d\t%d" in place of the two numbers that begin the file, keeping the rest of it as it
// was. The file must exist: false, creating nothing, when it cannot be opened for writing.
bool WriteLanguageSettings(int32_t software, int32_t reports,
                           std::string_view path = kLanguageSettingsFile);

// A row holds one caption in the six languages, each at most 89 characters.
using TranslationRow = std::array<FixedText<90>, kLanguageCount>;
inline constexpr int kMaxTranslationRows = 100;
using TranslationTable = std::array<TranslationRow, kMaxTranslationRows>;

// "Translation/" followed by the whole file name (key and extension).
std::string TranslationFilePath(std::string_view fileName);
// Empties the six texts of rows 0 to rows - 1 (within the table); nothing when rows <= 0.
void ClearTranslationTable(std::span<TranslationRow> table, int rows);
// Reads "Translation/" + fileName into a table the caller cleared: the header's column and row
// counts, then up to that many rows, each up to that many TAB-ended texts. An empty text leaves
// its entry as it was, and so does a row that ends early for the texts it lacks. Never more rows
// than the table holds nor more than six texts a row. False when the file cannot be opened.
bool ReadTranslationFile(std::span<TranslationRow> table, std::string_view fileName);
// Writes the header "%d\t%d\t" and the first rows rows of the table, each with its first columns
// texts TAB-ended (columns kept within 0 to 6, rows within the table).
bool WriteTranslationFile(std::span<const TranslationRow> table, std::string_view fileName,
                          int columns, int rows);

// The age text beside a bound of an age category: "(%d years)" and its five translations; any
// language other than 1 to 5 gives English. Writes at most size bytes with the terminator and
// returns the length of the text written.
int FormatAgeYears(char* buffer, std::size_t size, int32_t years, int32_t language);
std::string FormatAgeYears(int32_t years, int32_t language);

}  // namespace zd
