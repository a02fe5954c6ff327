#include "files/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace zd {

namespace {

// The five bytes that Windows-1252 leaves undefined go to the C1 control of the same value, as
// Windows itself maps them, so that no file name is ever refused.
void AppendC1(std::string& out, unsigned char byte) {
  out.push_back(static_cast<char>(0xC2));
  out.push_back(static_cast<char>(byte));
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without a converter, pass plain ASCII through and map the rest as Latin-1.
    for (unsigned char c : text) {
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
      } else {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      }
    }
    return out;
  }
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char chunk[256];
  while (inLeft > 0) {
    char* outPtr = chunk;
    std::size_t outLeft = sizeof chunk;
    std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An undefined byte: map it and go on after it.
      AppendC1(out, static_cast<unsigned char>(*in));
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace zd
