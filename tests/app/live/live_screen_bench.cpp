// How long the additional live screen takes on the main window's thread for one values-only
// refresh of a full live file and the paint that follows, on a 1920 x 1080 monitor: run under
// Wine from the installed program's data folder (for the flags), it prints the figures.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "board_canvas.h"
#include "files/live_file.h"
#include "live/live_screen_window.h"
#include "live_screen_rows.h"
#include "main/data_folder.h"

namespace {

constexpr int32_t kW = 1920;
constexpr int32_t kH = 1080;
constexpr int kRuns = 200;

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

void Measure(const char* what, zd::LiveScreenState& s, const std::string& path, HDC dc) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    zd::RefreshLiveScreenFromFile(s, 1, zd::kLiveRefreshValues, path);
    zd::PaintLiveScreen(dc, s);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(end.QuadPart - start.QuadPart));
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-40s mean %6.2f ms  median %6.2f ms  max %6.2f ms  (%d runs)\n", what,
              sum / times.size(), times[times.size() / 2], times.back(), kRuns);
}

}  // namespace

int main() {
  if (!zd::MakeDataFolderCurrent()) {
    std::fprintf(stderr, "no data folder\n");
    return 1;
  }
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "zd_live_screen_bench.txt";
  zd::LiveRows rows;
  zd_test::FillLiveScreenRows(rows, zd::kLiveRows);
  for (int i = 0; i < zd::kLiveRows; ++i) {
    zd::LiveRow& r = rows[i];
    r.nationCode = i % 2 ? "FRA" : "ITA";
    r.finished = i % 3 == 0 ? 1 : 0;
    r.status = i % 7 == 0 ? 1 : 0;
  }
  zd::LiveClockTexts clock;
  clock.duration = "0:30:00";
  clock.elapsed = "0:20:03";
  clock.remaining = "0:09:57";
  if (!zd::WriteLiveFile(path, rows, clock, "Open - EL1 - S\xE9rie1", "", 50, 1)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }

  zd_test::BoardCanvas canvas(kW, kH, RGB(242, 242, 242));
  const HDC dc = canvas.dc();

  zd::LiveScreenState s;
  zd::OpenLiveScreen(s, kW, kH);
  zd::RefreshLiveScreenFromFile(s, 1, zd::kLiveRefreshLayout, path);
  zd::SetLiveTableMode(s, true);
  Measure("two tables, 50 rows", s, path, dc);
  zd::SetLiveTableMode(s, false);
  Measure("one table with nation flags, 50 rows", s, path, dc);
  zd::WriteLiveFile(path, rows, clock, "Open - EL1 - S\xE9rie1", "", 50, 0);
  Measure("one table with clubs, 50 rows", s, path, dc);

  DeleteFileA(path.c_str());
  return 0;
}
