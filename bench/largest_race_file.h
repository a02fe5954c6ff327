#pragma once
// The largest race file the limits allow, for the benchmarks: three races, every practice and
// qualifying series section and nine round sections of capacity 3000 per race, appended as their
// writers first create them (an empty line, the title line and the filler).

#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/race_file.h"
#include "files/text_file.h"

namespace zd::bench {

inline std::string Filler(int32_t pairs) {
  std::string s;
  s.reserve(static_cast<std::size_t>(pairs) * 2 + 2);
  for (int32_t i = 0; i < pairs; ++i) s += "1\t";
  return s + "\r\n";
}

inline std::string SeriesTitle(int race, const char* phase, int session, int series) {
  return "DadevuDore" + std::to_string(race) + phase + std::to_string(session) + "S" +
         std::to_string(series);
}

struct AppendedSections {
  std::string lastSeriesTitle;
  std::string lastTitle;
};

// Appends the sections of the three races with their fillers, in one pass rather than section by
// section, to a file InitialiseRaceFile made.
inline AppendedSections AppendEverySection(TextFile& f) {
  AppendedSections out;
  f.seekEnd();
  const std::string seriesFiller = Filler(filler::kSeriesResults);
  // A round's first line holds its capacity, which sizes its region.
  const std::string roundFiller = Filler(filler::RoundResults(3000)).replace(0, 7, "3000\t\r\n");
  for (int race = 1; race <= 3; ++race) {
    std::string chunk;
    for (const char* phase : {"EL", "Q"})
      for (int s = 1; s <= 9; ++s)
        for (int n = 1; n <= 9; ++n) {
          out.lastSeriesTitle = SeriesTitle(race, phase, s, n);
          chunk += "\r\n" + out.lastSeriesTitle + "\t\r\n" + seriesFiller;
        }
    for (int m = 1; m <= 9; ++m) {
      out.lastTitle = "DadevuDore" + std::to_string(race) + "Manche" + std::to_string(m);
      chunk += "\r\n" + out.lastTitle + "\t\r\n" + roundFiller;
    }
    f.writeRaw(chunk);
  }
  return out;
}

// A temporary folder holding "Course.race2", removed with everything in it at the end.
struct TemporaryRaceFolder {
  std::string dir;
  std::string path;

  TemporaryRaceFolder() {
    char tmpl[] = "/tmp/zdbenchXXXXXX";
    dir = ::mkdtemp(tmpl);
    path = dir + "/Course.race2";
  }
  ~TemporaryRaceFolder() { std::system(("rm -rf '" + dir + "'").c_str()); }
  TemporaryRaceFolder(const TemporaryRaceFolder&) = delete;
  TemporaryRaceFolder& operator=(const TemporaryRaceFolder&) = delete;
};

// Creates the race file at path, opened in f, with every section appended.
inline AppendedSections CreateLargestRaceFile(TextFile& f, const std::string& path) {
  f.open(path, OpenMode::Create);
  InitialiseRaceFile(f);
  return AppendEverySection(f);
}

}  // namespace zd::bench
