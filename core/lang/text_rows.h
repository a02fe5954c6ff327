#pragma once
// The form of every built-in text table: numbered rows of six texts, written into a translation
// table by row number, so that rows a table does not list keep what the caller left there.

#include <span>

#include "files/translation.h"

namespace zd {

struct TextRow {
  int row;
  const char* texts[kLanguageCount];  // English, French, German, Italian, Portuguese, Spanish
};

inline void FillTextRows(TranslationTable& table, std::span<const TextRow> rows) {
  for (const TextRow& row : rows)
    for (int language = 0; language < kLanguageCount; ++language)
      table[row.row][language] = row.texts[language];
}

}  // namespace zd
