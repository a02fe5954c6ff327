#pragma once
// The bytes of a new race file, spelt out: the header of a one-race event ("COURSE 1", selection
// 10000) over its 430-character reservation, then the tree flags section with every flag 0. Both
// the file layer's tests and the program's start-up test compare with it.

#include <string>

namespace zd::test {

inline std::string NewRaceFileBytes() {
  auto repeat = [](const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  };
  const std::string header = "10000\t1\tCOURSE 1\t" + repeat("0\t", 25);
  const std::string reservation = repeat("1\t", 215);
  std::string bytes = header + reservation.substr(header.size()) + "\r\n";
  const std::string flags = repeat("0\t", 513) + "\r\n";
  const std::string filler = repeat("1\t", 860) + "\r\n";
  bytes += "\r\nDadevuDoreDrapeauxTreeview\t\r\n" + flags + filler.substr(flags.size());
  return bytes;
}

}  // namespace zd::test
