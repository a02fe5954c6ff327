#pragma once
// Reading and writing one record per line, for the reference databases, the settings and the
// translation files. A record's fields are read in order until its line ends: a line cut short
// leaves the fields it lacks as they were instead of taking them from the next line, and nothing
// is ever read past the end of the file or stored past a field's width.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/text_file.h"

namespace zd {

// The leading decimal number of a text: blanks, a sign and digits; anything after the digits is
// ignored and values beyond the int range saturate. *ok says whether there were digits.
int32_t LeadingInt(std::string_view text, bool* ok = nullptr);

// The fields of one line, in order.
class LineFields {
 public:
  explicit LineFields(TextFile& file) : file_(file) {}

  // A single-line text up to its TAB (or, for the last field of a line, its line end).
  template <std::size_t W>
  void text(FixedText<W>& value) {
    if (!atField()) return;
    note(ReadText(file_, value));
  }
  // A text that may hold line breaks: only its TAB ends it.
  template <std::size_t W>
  void multiLineText(FixedText<W>& value) {
    if (!open_) return;
    note(ReadText(file_, value, FieldStop::TabOnly));
  }
  // A text stored only when the field is not empty.
  template <std::size_t W>
  void nonEmptyText(FixedText<W>& value) {
    FixedText<W> read;
    text(read);
    if (!read.empty()) value = read;
  }
  // A decimal integer; a field without digits leaves value as it was.
  void integer(int32_t& value);
  void skip();

  // True while the line has fields left to read.
  bool open() const { return open_; }
  // Skips the rest of the line and its line end; false when the file has ended.
  bool finish();

 private:
  bool atField();
  void note(FieldEnd end) { open_ = open_ && end == FieldEnd::Tab; }

  TextFile& file_;
  bool open_ = true;
};

// Reads a whole line (without its line end, which is consumed) into text, keeping at most its
// width - 1 characters. Returns false, leaving text alone, when the file has already ended.
bool ReadLineText(TextFile& file, char* text, std::size_t width);
template <std::size_t W>
bool ReadLineText(TextFile& file, FixedText<W>& text) {
  return ReadLineText(file, text.data(), W);
}

// True when nothing is left to read.
inline bool AtEndOfFile(TextFile& file) { return file.peek() == kEndOfFile; }

// A field that may hold line breaks: only a TAB would end it early, so TABs become blanks.
void AppendMultiLineField(FieldWriter& out, std::string_view value);
// A line of the files that hold one text per line ("%s\n"): a line break inside the text would
// shift every following line, so CR and LF become blanks.
void AppendLine(std::string& out, std::string_view value);

}  // namespace zd
