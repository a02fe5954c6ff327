#include "databases/database_model.h"

#include <cstring>

namespace zd {

std::string_view TextFieldRef::view() const {
  const void* end = std::memchr(data_, '\0', width_ - 1);
  return std::string_view(data_, end ? static_cast<const char*>(end) - data_ : width_ - 1);
}

void TextFieldRef::assign(std::string_view text) {
  const std::size_t n = std::min(text.size(), width_ - 1);
  std::memmove(data_, text.data(), n);
  std::memset(data_ + n, 0, width_ - n);
}

void StoreTypedText(TextFieldRef field, std::string_view editText, bool multiLine) {
  std::string out;
  out.reserve(editText.size());
  for (std::size_t i = 0; i < editText.size(); ++i) {
    const char c = editText[i];
    const bool crlf = c == '\r' && i + 1 < editText.size() && editText[i + 1] == '\n';
    if (c == '\t') {
      out.push_back(' ');
    } else if (crlf) {
      out.push_back(multiLine ? '\n' : ' ');
      ++i;
    } else if (c == '\r' || c == '\n') {
      // A lone CR or LF is a line break of pasted text: on disk both become CR LF.
      out.push_back(multiLine ? '\n' : ' ');
    } else {
      out.push_back(c);
    }
  }
  field.assign(out);
}

std::optional<std::string> DatabaseExportPath(std::string_view chosen, std::string_view prefilled,
                                              std::string_view extension) {
  if (chosen.empty() || chosen == prefilled) return std::nullopt;
  std::string path(chosen);
  if (path.find(extension) == std::string::npos) path += extension;
  if (path.size() > kMaxDatabasePath) return std::string();
  return path;
}

std::string DatabaseExportPrefill(std::string_view folder, std::string_view extension) {
  std::string prefill(folder);
  prefill += "\\*";
  prefill += extension;
  return prefill.size() <= kMaxDatabasePath ? prefill : std::string();
}

bool SameDatabaseKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace zd
