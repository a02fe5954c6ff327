#include "files/record_fields.h"

#include <climits>

namespace zd {

int32_t LeadingInt(std::string_view text, bool* ok) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    digits = true;
    if (value <= static_cast<int64_t>(INT32_MAX) + 1) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  if (ok) *ok = digits;
  return static_cast<int32_t>(value);
}

bool LineFields::atField() {
  if (!open_) return false;
  // Every field ends with a TAB, so a line end or the end of the file here means the line holds
  // no more fields.
  int c = file_.peek();
  if (c == '\n' || c == kEndOfFile) open_ = false;
  return open_;
}

void LineFields::integer(int32_t& value) {
  if (!atField()) return;
  char field[32];
  note(ReadText(file_, field, sizeof field));
  bool ok = false;
  int32_t read = LeadingInt(field, &ok);
  if (ok) value = read;
}

void LineFields::skip() {
  if (!atField()) return;
  char none;
  note(ReadText(file_, &none, 1));
}

bool LineFields::finish() {
  open_ = false;
  return SkipLine(file_);
}

bool ReadLineText(TextFile& file, char* text, std::size_t width) {
  int c = file.get();
  if (c == kEndOfFile) return false;
  std::size_t kept = 0;
  const std::size_t room = width > 0 ? width - 1 : 0;
  for (; c != kEndOfFile && c != '\n'; c = file.get())
    if (kept < room) text[kept++] = static_cast<char>(c);
  if (width > 0) text[kept] = '\0';
  return true;
}

void AppendMultiLineField(FieldWriter& out, std::string_view value) {
  std::string field(value);
  for (char& c : field)
    if (c == '\t') c = ' ';
  out.raw(field).raw("\t");
}

void AppendLine(std::string& out, std::string_view value) {
  for (char c : value) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
  out.push_back('\n');
}

}  // namespace zd
