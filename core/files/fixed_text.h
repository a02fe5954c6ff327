#pragma once
// A text field of fixed width, as the data files and the dialogs hold it: at most Width - 1
// Windows-1252 characters and a terminator. Assigning a longer text keeps its beginning, so no
// text can ever overflow its field.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zd {

template <std::size_t Width>
class FixedText {
  static_assert(Width >= 1);

 public:
  static constexpr std::size_t kWidth = Width;
  static constexpr std::size_t kMaxLength = Width - 1;

  FixedText() = default;
  FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  void assign(std::string_view text) {
    std::size_t n = std::min(text.size(), kMaxLength);
    // The source may lie inside this field (a substring of itself): move, don't copy.
    std::memmove(data_, text.data(), n);
    std::memset(data_ + n, 0, Width - n);
  }

  // Appends one character when there is room; returns false when the field is full.
  bool push_back(char c) {
    std::size_t n = size();
    if (n >= kMaxLength) return false;
    data_[n] = c;
    data_[n + 1] = '\0';
    return true;
  }

  void clear() { std::memset(data_, 0, Width); }

  std::size_t size() const {
    const void* end = std::memchr(data_, '\0', kMaxLength);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - data_) : kMaxLength;
  }
  bool empty() const { return data_[0] == '\0'; }
  const char* c_str() const { return data_; }
  std::string_view view() const { return std::string_view(data_, size()); }
  std::string str() const { return std::string(view()); }
  operator std::string_view() const { return view(); }  // NOLINT: implicit on purpose

  // For the Win32 calls that fill a buffer (GetWindowTextA and the like): pass data() and
  // kWidth, then call terminate() in case the callee left the last byte set.
  char* data() { return data_; }
  void terminate() { data_[kMaxLength] = '\0'; }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  char data_[Width] = {};
};

// Sets n bytes to 0; nothing when n is 0 or negative.
inline void ZeroBuffer(void* buffer, long n) {
  if (buffer != nullptr && n > 0) std::memset(buffer, 0, static_cast<std::size_t>(n));
}

}  // namespace zd
