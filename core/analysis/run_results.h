#pragma once
// The detailed results of the loaded series: every car's race time at each counted passing, its
// lap times and its place lap after lap, as "ResultatSerie.res" hands them over. The dialog works
// on the drivers compacted to the front of the table, in the order of their lines.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/fixed_text.h"
#include "files/handover_files.h"
#include "files/series_sections.h"

namespace zd {

inline constexpr std::string_view kRunResultsUnreadable =
    "Erreur: impossible d'ouvrir le fichier Résultats détaillés";
inline constexpr std::string_view kRunResultsUnreadableCaption = "Erreur";
inline constexpr std::string_view kEmptyLineName = "(NA)";

inline constexpr int32_t kGridColumns = 10;  // drivers shown side by side
inline constexpr int32_t kGridRows = 20;     // laps shown one under the other
inline constexpr int32_t kChartLaps = 10;    // lap points of the chart

// A table of 50 lines of which the first driverCount hold the drivers (see CompactRun).
using SeriesDetailTable = SeriesTable;

struct RunDetail {
  SeriesDetailTable table;
  FixedText<24> rankingMode;
  int32_t driverCount = 0;
  int32_t shownColumns = 0;  // min(driverCount, 10)
  int32_t longestRun = 0;    // the largest passing count
};

// Lap times of the 50 lines from their race times: lap 1 from the line's passing 0, where the run
// starts for that car, so that the run-up from the start signal is never taken for a lap. Indexes
// from the passing count on keep their value.
void ComputeLapTimes(SeriesDetailTable& table, const SeriesStartTimes& starts);

// The place of every line at each of the 3000 indexes: lines with a time there by increasing time,
// the later line first on equal times; then the lines without one (fewer laps, or empty), the
// later line first. A time of 0 at index 0 counts as a time.
void ComputePositionsPerLap(SeriesDetailTable& table);

// Moves the lines whose name is not "(NA)" to the front, in order, with the number of the line
// they came from; the lines after them become empty. Places stay as computed among all 50 lines.
// Returns the driver count.
int32_t CompactRun(SeriesDetailTable& table);

// Opening: the file read, then the lap times, places, compaction and counts. A file that cannot be
// read gives an empty run (no driver, no mode), never the run of an earlier opening; returns false
// then.
bool LoadRunDetail(RunDetail& run);
// The steps after reading, on a table as the reader leaves it.
void PrepareRunDetail(RunDetail& run, const SeriesStartTimes& starts);

// A scroll bar as the views set it: range 0 to maximum, shown or hidden.
struct ScrollSetting {
  int32_t maximum = 0;
  bool shown = false;
  friend bool operator==(const ScrollSetting&, const ScrollSetting&) = default;
};
// The grids' lap bar: 0 .. longest run - 19, shown from a longest run of 20.
ScrollSetting LapScrollSetting(int32_t longestRun);
// The grids' driver bar: 0 .. driver count - 10, shown from 11 drivers.
ScrollSetting DriverScrollSetting(int32_t driverCount);
// The chart's lap bar: 0 .. longest run - 9, shown from a longest run of 10.
ScrollSetting ChartScrollSetting(int32_t longestRun);

// The bubble of the position chart.
struct ChartBubble {
  bool on = false;
  int32_t lap = 0;  // 0..9, the column of the point
  friend bool operator==(const ChartBubble&, const ChartBubble&) = default;
};

// The dialog's view: which radio is checked and where its two bars stand. The lap bar (9404)
// scrolls the grids' laps; the horizontal bar (9405) their drivers, or the chart's laps.
enum class RunViewKind { RaceTimes, LapTimes, Chart };
struct RunView {
  RunViewKind kind = RunViewKind::RaceTimes;
  ScrollSetting lapBar;
  int32_t lapPos = 0;
  ScrollSetting sideBar;
  int32_t sidePos = 0;
  ChartBubble bubble;
  bool chartMode() const { return kind == RunViewKind::Chart; }
};
// A grid view with both bars at 0, as at opening and on every switch back from the chart.
RunView GridView(const RunDetail& run, RunViewKind kind);
// The chart: the lap bar empty and hidden, the horizontal bar over the chart's laps at 0. The
// bubble stays as it was.
RunView ChartView(const RunDetail& run, const RunView& from);

enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, ThumbReleased, Other };
// A bar's new position for a request: one step within 0 .. maximum, either end for a page, the
// thumb's position when it is released; anything else leaves it.
int32_t ScrolledPosition(int32_t position, int32_t maximum, ScrollRequest request, int32_t thumb);

// One text of a view, at (x, y) of the dialog's client area.
struct PlacedText {
  int32_t x = 0;
  int32_t y = 0;
  std::string text;
};

enum class GridValue { RaceTime, LapTime };

// A cell's time as the grids write it, cut to the 12 characters of a cell.
FixedText<13> GridCellText(int32_t t);
// The drivers' legend of the grids, left-aligned: "L%d: %s" in two columns of 25.
std::vector<PlacedText> GridLegend(const RunDetail& run);
// "Tour", the 20 lap numbers from vPos + 1 and the column headers "Ligne%d", right-aligned.
std::vector<PlacedText> GridHeadings(const RunDetail& run, int32_t vPos, int32_t hPos);
// The cells of the shown columns, right-aligned: each driver's column ends after his last lap.
std::vector<PlacedText> GridCells(const RunDetail& run, GridValue value, int32_t vPos,
                                  int32_t hPos);

}  // namespace zd
