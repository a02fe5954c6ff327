#pragma once
// Rows of the live ranking as the main window writes them a few minutes into a series, for the
// additional live screen's tests and its timing.

#include <string>

#include "files/live_file.h"

namespace zd_test {

inline void FillLiveScreenRows(zd::LiveRows& rows, int32_t n) {
  rows = {};
  for (int32_t i = 0; i < n; ++i) {
    zd::LiveRow& r = rows[i];
    r.position = std::to_string(i + 1);
    r.carNumber = std::to_string(10 + i);
    r.name = "Pilote " + std::to_string(i + 1);
    r.category = "TT 1/10";
    r.club = "RC Lyon";
    r.nationCode = "FRA";
    r.laps = std::to_string(60 - i);
    r.totalTime = "10:03.512";
    r.gapToLeader = i == 0 ? "" : "1 tour";
    r.gapToPrevious = i == 0 ? "" : "2.465";
    r.lastLap = "14.104";
    r.bestLap = "13.842";
  }
}

}  // namespace zd_test
