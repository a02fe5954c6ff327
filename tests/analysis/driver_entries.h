#pragma once
// A driver's laps for the tests of the driver analysis, native and under Wine: the entry as the
// driver results window holds it.

#include <memory>
#include <string>
#include <vector>

#include "analysis/driver_laps.h"
#include "files/series_sections.h"

namespace zd_test {

// Race times from start, lap times derived.
inline std::unique_ptr<zd::SeriesResultEntry> DriverLaps(const std::string& name, int32_t start,
                                                         const std::vector<int32_t>& laps) {
  auto entry = std::make_unique<zd::SeriesResultEntry>();
  entry->name = name;
  entry->passingTimes[0] = start;
  for (std::size_t i = 0; i < laps.size(); ++i) {
    entry->passingTimes[i + 1] = entry->passingTimes[i] + laps[i];
  }
  entry->passingCount = static_cast<int32_t>(laps.size());
  zd::DeriveLapTimes(*entry);
  return entry;
}

inline std::vector<int32_t> SixLaps() { return {31250, 30480, 30990, 45010, 30480, 32600}; }

// n laps of 30 to 31 s.
inline std::vector<int32_t> ManyLaps(int n) {
  std::vector<int32_t> laps;
  for (int i = 0; i < n; ++i) laps.push_back(30000 + (i * 137) % 1000);
  return laps;
}

}  // namespace zd_test
