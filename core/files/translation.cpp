#include "files/translation.h"

#include <algorithm>
#include <cstdio>

#include "files/record_fields.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

// Length of the number (a sign and digits) at the start of text.
std::size_t NumberLength(std::string_view text) {
  std::size_t n = 0;
  if (n < text.size() && (text[n] == '-' || text[n] == '+')) ++n;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  return n;
}

}  // namespace

bool ReadLanguageSettings(int32_t& software, int32_t& reports, std::string_view path) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  LineFields line(file);
  line.integer(software);
  line.integer(reports);
  return true;
}

bool WriteLanguageSettings(int32_t software, int32_t reports, std::string_view path) {
  TextFile file;
  if (!file.open(path, OpenMode::Update)) return false;
  std::string text;
  for (int c = file.get(); c != kEndOfFile; c = file.get()) text.push_back(static_cast<char>(c));
  file.close();
  // The two numbers are replaced whatever their lengths, so the rest of the line never shifts
  // under a longer or shorter number.
  std::size_t end = NumberLength(text);
  if (end < text.size() && text[end] == '\t')
    end += 1 + NumberLength(std::string_view(text).substr(end + 1));
  std::string updated = std::to_string(software) + "\t" + std::to_string(reports);
  updated.append(text, end, std::string::npos);
  return WriteWholeFile(path, updated);
}

std::string TranslationFilePath(std::string_view fileName) {
  return std::string(kTranslationFolder) + std::string(fileName);
}

void ClearTranslationTable(std::span<TranslationRow> table, int rows) {
  const std::size_t n =
      std::min<std::size_t>(rows > 0 ? static_cast<std::size_t>(rows) : 0, table.size());
  for (std::size_t r = 0; r < n; ++r)
    for (auto& text : table[r]) text.clear();
}

bool ReadTranslationFile(std::span<TranslationRow> table, std::string_view fileName) {
  TextFile file;
  if (!file.open(TranslationFilePath(fileName), OpenMode::Read)) return false;
  int32_t columns = 0, rows = 0;
  LineFields header(file);
  header.integer(columns);
  header.integer(rows);
  if (!header.finish() || rows <= 0) return true;
  const std::size_t rowCount = std::min<std::size_t>(static_cast<std::size_t>(rows), table.size());
  const int textCount = std::clamp(columns, 0, kLanguageCount);
  for (std::size_t r = 0; r < rowCount; ++r) {
    if (AtEndOfFile(file)) break;
    LineFields line(file);
    for (int l = 0; l < textCount; ++l) line.nonEmptyText(table[r][l]);
    if (!line.finish()) break;
  }
  return true;
}

bool WriteTranslationFile(std::span<const TranslationRow> table, std::string_view fileName,
                          int columns, int rows) {
  const int textCount = std::clamp(columns, 0, kLanguageCount);
  const int rowCount = std::clamp(rows, 0, static_cast<int>(table.size()));
  FieldWriter out;
  out.integer(textCount).integer(rowCount).endLine();
  for (int r = 0; r < rowCount; ++r) {
    for (int l = 0; l < textCount; ++l) out.text(table[r][l]);
    out.endLine();
  }
  return WriteWholeFile(TranslationFilePath(fileName), out.str());
}

int FormatAgeYears(char* buffer, std::size_t size, int32_t years, int32_t language) {
  if (size == 0) return 0;
  int n = 0;
  switch (language) {
    case kLanguageFrench:
      n = std::snprintf(buffer, size, "(%d ans)", years);
      break;
    case kLanguageGerman:
      n = std::snprintf(buffer, size, "(%d Jahre)", years);
      break;
    case kLanguageItalian:
      n = std::snprintf(buffer, size, "(%d anni)", years);
      break;
    case kLanguagePortuguese:
      n = std::snprintf(buffer, size, "(%d anos)", years);
      break;
    case kLanguageSpanish:
      n = std::snprintf(buffer, size, "(%d años)", years);
      break;
    default:
      n = std::snprintf(buffer, size, "(%d years)", years);
      break;
  }
  if (n < 0) {
    buffer[0] = '\0';
    return 0;
  }
  // snprintf gives the length the whole text would have had.
  return std::min(n, static_cast<int>(size) - 1);
}

std::string FormatAgeYears(int32_t years, int32_t language) {
  char buffer[32];
  int n = FormatAgeYears(buffer, sizeof buffer, years, language);
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace zd
