#include "files/text_file.h"

#include <climits>
#include <cstring>

namespace zd {

namespace {
// The fuzz build reads in small blocks: its readers then cross block ends every few kilobytes, and
// a run does not pay for a quarter megabyte of fresh pages per file opened.
#ifdef ZD_TEXT_FILE_BUFFER_SIZE
constexpr std::size_t kBufferSize = ZD_TEXT_FILE_BUFFER_SIZE;
#else
constexpr std::size_t kBufferSize = 256 * 1024;
#endif
}  // namespace

TextFile::~TextFile() { close(); }

TextFile::TextFile(TextFile&& other) noexcept { *this = std::move(other); }

TextFile& TextFile::operator=(TextFile&& other) noexcept {
  if (this != &other) {
    close();
    file_ = other.file_;
    buffer_ = std::move(other.buffer_);
    bufferStart_ = other.bufferStart_;
    bufferLen_ = other.bufferLen_;
    bufferPos_ = other.bufferPos_;
    lastLength_ = other.lastLength_;
    failed_ = other.failed_;
    other.file_ = sys::kNoFile;
  }
  return *this;
}

bool TextFile::open(std::string_view path, OpenMode mode) {
  close();
  file_ = sys::OpenFile(path, mode);
  if (file_ == sys::kNoFile) return false;
  buffer_.resize(kBufferSize);
  bufferStart_ = 0;
  bufferLen_ = bufferPos_ = 0;
  lastLength_ = 0;
  failed_ = false;
  return true;
}

void TextFile::close() {
  sys::CloseFile(file_);
  file_ = sys::kNoFile;
  bufferStart_ = 0;
  bufferLen_ = bufferPos_ = 0;
}

bool TextFile::fill() {
  if (!isOpen()) return false;
  bufferStart_ += static_cast<int64_t>(bufferPos_);
  bufferPos_ = bufferLen_ = 0;
  const int64_t n = sys::ReadAt(file_, buffer_.data(), buffer_.size(), bufferStart_);
  if (n <= 0) return false;
  bufferLen_ = static_cast<std::size_t>(n);
  return true;
}

int TextFile::get() {
  if (bufferPos_ >= bufferLen_ && !fill()) {
    lastLength_ = 0;
    return kEndOfFile;
  }
  int c = buffer_[bufferPos_++];
  lastLength_ = 1;
  if (c == '\r') {
    // The LF may stand in the next block; fill() keeps the position just after the CR.
    if (bufferPos_ >= bufferLen_) fill();
    if (bufferPos_ < bufferLen_ && buffer_[bufferPos_] == '\n') {
      ++bufferPos_;
      lastLength_ = 2;
      return '\n';
    }
  }
  return c;
}

int TextFile::peek() {
  int64_t at = tell();
  int saved = lastLength_;
  int c = get();
  seek(at);
  lastLength_ = saved;
  return c;
}

void TextFile::stepBack() {
  if (lastLength_ > 0) seek(tell() - lastLength_);
  lastLength_ = 0;
}

void TextFile::seek(int64_t offset) {
  if (offset < 0) offset = 0;
  if (offset >= bufferStart_ && offset <= bufferStart_ + static_cast<int64_t>(bufferLen_)) {
    bufferPos_ = static_cast<std::size_t>(offset - bufferStart_);
  } else {
    bufferStart_ = offset;
    bufferLen_ = bufferPos_ = 0;
  }
  lastLength_ = 0;
}

int64_t TextFile::size() const {
  return isOpen() ? sys::FileSize(file_) : 0;
}

void TextFile::seekEnd() { seek(size()); }

bool TextFile::writeAll(const char* data, std::size_t n) {
  if (!isOpen()) {
    failed_ = true;
    return false;
  }
  int64_t at = tell();
  // What is buffered may be overwritten: drop it, the next read fetches the new bytes.
  bufferStart_ = at;
  bufferLen_ = bufferPos_ = 0;
  while (n > 0) {
    const int64_t w = sys::WriteAt(file_, data, n, at);
    if (w <= 0) {
      failed_ = true;
      return false;
    }
    data += w;
    n -= static_cast<std::size_t>(w);
    at += w;
  }
  bufferStart_ = at;
  return true;
}

bool TextFile::write(std::string_view text) {
  std::string disk = ToDiskForm(text);
  return writeAll(disk.data(), disk.size());
}

bool TextFile::writeRaw(std::string_view bytes) { return writeAll(bytes.data(), bytes.size()); }

bool TextFile::truncate(int64_t offset) {
  if (!sys::TruncateFile(file_, offset)) return false;
  bufferStart_ = offset;
  bufferLen_ = bufferPos_ = 0;
  lastLength_ = 0;
  return true;
}

std::string TextFile::readRawAt(int64_t offset, std::size_t n) {
  std::string out(n, '\0');
  std::size_t got = 0;
  while (isOpen() && got < n) {
    const int64_t r = sys::ReadAt(file_, out.data() + got, n - got, offset + static_cast<int64_t>(got));
    if (r <= 0) break;
    got += static_cast<std::size_t>(r);
  }
  out.resize(got);
  return out;
}

std::string ToDiskForm(std::string_view text) {
  std::string out;
  out.reserve(DiskSize(text));
  for (char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::size_t DiskSize(std::string_view text) {
  std::size_t n = text.size();
  for (char c : text)
    if (c == '\n') ++n;
  return n;
}

FieldEnd ReadText(TextFile& file, char* text, std::size_t width, FieldStop stop) {
  std::size_t kept = 0;
  std::size_t room = width > 0 ? width - 1 : 0;
  FieldEnd end = FieldEnd::EndOfFile;
  for (;;) {
    int c = file.get();
    if (c == kEndOfFile) break;
    if (c == '\t') {
      end = FieldEnd::Tab;
      break;
    }
    if (c == '\n' && stop == FieldStop::TabOrLineEnd) {
      file.stepBack();
      end = FieldEnd::LineEnd;
      break;
    }
    if (kept < room) text[kept++] = static_cast<char>(c);
  }
  if (width > 0) text[kept] = '\0';
  return end;
}

FieldEnd ReadMultiLineText(TextFile& file, char* text, std::size_t width) {
  std::size_t kept = 0;
  const std::size_t room = width > 0 ? width - 1 : 0;
  const auto keep = [&](char c) {
    if (kept < room) text[kept++] = c;
  };
  // CRs just before a line end belong to it (CR CR LF, as older writers left a line break); the
  // others are characters of the text.
  std::size_t pendingCr = 0;
  FieldEnd end = FieldEnd::EndOfFile;
  for (int c; (c = file.get()) != kEndOfFile;) {
    if (c == '\r') {
      ++pendingCr;
      continue;
    }
    if (c != '\n')
      for (; pendingCr > 0; --pendingCr) keep('\r');
    pendingCr = 0;
    if (c == '\t') {
      end = FieldEnd::Tab;
      break;
    }
    keep(static_cast<char>(c));
  }
  if (width > 0) text[kept] = '\0';
  return end;
}

int32_t ReadInt(TextFile& file, bool* ok) {
  char field[32];
  ReadText(file, field, sizeof field);
  const char* p = field;
  while (*p == ' ') ++p;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = (*p++ == '-');
  int64_t value = 0;
  bool digits = false;
  for (; *p >= '0' && *p <= '9'; ++p) {
    digits = true;
    if (value <= static_cast<int64_t>(INT32_MAX) + 1) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  if (ok) *ok = digits;
  return static_cast<int32_t>(value);
}

bool SkipLine(TextFile& file) {
  for (;;) {
    int c = file.get();
    if (c == kEndOfFile) return false;
    if (c == '\n') return true;
  }
}

bool SkipLineEnds(TextFile& file) {
  for (;;) {
    int c = file.get();
    if (c == kEndOfFile) return false;
    if (c != '\n') {
      file.stepBack();
      return true;
    }
  }
}

FieldWriter& FieldWriter::text(std::string_view value) {
  for (char c : value) out_.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
  out_.push_back('\t');
  return *this;
}

FieldWriter& FieldWriter::multiLineText(std::string_view value) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r') {
      // CRs just before a line break are part of it: the break is written as one CR LF.
      const std::size_t next = value.find_first_not_of('\r', i);
      if (next != std::string_view::npos && value[next] == '\n') {
        i = next - 1;
        continue;
      }
    }
    out_.push_back(c == '\t' ? ' ' : c);
  }
  out_.push_back('\t');
  return *this;
}

FieldWriter& FieldWriter::integer(int64_t value) {
  out_ += std::to_string(value);
  out_.push_back('\t');
  return *this;
}

FieldWriter& FieldWriter::endLine() {
  out_.push_back('\n');
  return *this;
}

FieldWriter& FieldWriter::raw(std::string_view value) {
  out_ += value;
  return *this;
}

}  // namespace zd
