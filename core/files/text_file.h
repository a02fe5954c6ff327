#pragma once
// The text file layer under every data file of the program.
//
// The files are Windows-1252 text with CR LF line ends, as Windows text mode writes them: every
// "\n" written becomes CR LF on disk and CR LF reads back as "\n"; every other byte, 0x1A and 0xFF
// included, is data. Offsets (tell, seek) are bytes on disk, so the fixed regions of the race file
// keep the sizes they have on Windows.
//
// Fields are TAB-terminated. The readers below are bounded: a text never takes more than its
// width - 1 characters (the rest of the field is skipped), numbers saturate, and every read stops
// at the end of the file, so a truncated or hand-edited file cannot overrun anything.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/fixed_text.h"
#include "files/system_file.h"

namespace zd {

inline constexpr int kEndOfFile = -1;

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  TextFile(TextFile&& other) noexcept;
  TextFile& operator=(TextFile&& other) noexcept;

  // path is a Windows-1252 path, relative to the current directory or absolute.
  bool open(std::string_view path, OpenMode mode);
  bool isOpen() const { return file_ != sys::kNoFile; }
  void close();

  // Reading. get() returns the next character (0 to 255; CR LF as '\n') or kEndOfFile.
  int get();
  int peek();
  // Goes back to just before the character that the last get() returned.
  void stepBack();

  // Positions, in bytes on disk.
  int64_t tell() const { return bufferStart_ + static_cast<int64_t>(bufferPos_); }
  void seek(int64_t offset);
  void rewind() { seek(0); }
  void seekEnd();
  int64_t size() const;

  // Writing at the current position; "\n" is written as CR LF. Returns false (and keeps the
  // failure in failed()) when the system refuses the write.
  bool write(std::string_view text);
  // Bytes exactly as given, for content already in its disk form.
  bool writeRaw(std::string_view bytes);
  bool failed() const { return failed_; }
  // Cuts the file at offset (to take back an append that failed half-way).
  bool truncate(int64_t offset);

  // Reads up to n bytes as they stand on disk at offset, without moving the read position.
  std::string readRawAt(int64_t offset, std::size_t n);

 private:
  bool fill();
  bool writeAll(const char* data, std::size_t n);

  sys::FileHandle file_ = sys::kNoFile;
  std::vector<unsigned char> buffer_;
  int64_t bufferStart_ = 0;  // disk offset of buffer_[0]
  std::size_t bufferLen_ = 0;
  std::size_t bufferPos_ = 0;
  int lastLength_ = 0;  // bytes on disk of the character last read
  bool failed_ = false;
};

// Converts "\n" to CR LF: the form a text takes on disk.
std::string ToDiskForm(std::string_view text);
// Bytes a text takes on disk.
std::size_t DiskSize(std::string_view text);

// How a text field ends.
enum class FieldEnd {
  Tab,      // the field's TAB was read
  LineEnd,  // a line end came first; it is left unread
  EndOfFile,
};

enum class FieldStop {
  TabOrLineEnd,  // single-line fields
  TabOnly,       // fields that may hold line breaks
};

// Reads a text field up to its TAB: at most width - 1 characters are stored (zero-terminated in
// text[0..width)), the rest of the field is skipped.
FieldEnd ReadText(TextFile& file, char* text, std::size_t width,
                  FieldStop stop = FieldStop::TabOrLineEnd);
template <std::size_t W>
FieldEnd ReadText(TextFile& file, FixedText<W>& text, FieldStop stop = FieldStop::TabOrLineEnd) {
  FieldEnd end = ReadText(file, text.data(), W, stop);
  return end;
}
// Reads a text that may hold line breaks up to its TAB, across line ends: each line end is stored
// as "\n", with the CRs just before it (CR CR LF, as older writers left a "\r\n" of the text).
FieldEnd ReadMultiLineText(TextFile& file, char* text, std::size_t width);
template <std::size_t W>
FieldEnd ReadMultiLineText(TextFile& file, FixedText<W>& text) {
  return ReadMultiLineText(file, text.data(), W);
}
// Reads a field as a decimal integer (leading blanks, a sign, digits; anything after the digits is
// ignored; no digits gives 0; values beyond the int range saturate). Sets *ok when given.
int32_t ReadInt(TextFile& file, bool* ok = nullptr);
// Skips the rest of the line and its line end. Returns false at the end of the file.
bool SkipLine(TextFile& file);
// Skips empty lines; returns false at the end of the file.
bool SkipLineEnds(TextFile& file);

// Builds the text of lines of TAB-terminated fields, in memory, before it is written.
class FieldWriter {
 public:
  // A single-line text: TAB, CR and LF become blanks so they cannot shift the following fields.
  FieldWriter& text(std::string_view value);
  // A text that keeps its line breaks (CR LF on disk): only a TAB would end it early, so TABs
  // become blanks, and a "\r\n" (or CRs before a "\n") is written as one line end.
  FieldWriter& multiLineText(std::string_view value);
  FieldWriter& integer(int64_t value);
  FieldWriter& endLine();
  FieldWriter& raw(std::string_view value);
  const std::string& str() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace zd
