#pragma once
// The driver results printouts: "Synthèse run", one page of the summary, histogram and curve of
// the lap range, and "Détail tours", every lap time at 100 a page. They go through the reports'
// print dialog and document, which copy in the logo, on a page of their own: 630 × 1120 units and
// none of the frame. Each page is drawn on the device context given, so that tests record it in
// a metafile.

#include <windows.h>

#include <cstdint>

#include "files/series_sections.h"
#include "print/report_drawing.h"

namespace zd {

struct DriverPrintInputs {
  const SeriesResultEntry* entry = nullptr;  // name, n and lap times 1..n
  const char* pageTitle = "";
  const char* trackLine = "";
  const char* logoPath = "";
  int32_t from = 0;
  int32_t to = 0;
  int32_t firstTimedLap = 1;
};

inline constexpr ReportPageSize kDriverPage = {630, 1120};

// The page's mapping: 630 × 1120 units, equal scales, over the width × height the device prints.
void SetDriverPageMapping(HDC dc, int width, int height);
// One page of "Synthèse run" but its logo, its statistics computed for the range.
void DrawRunSummaryPage(HDC dc, const DriverPrintInputs& in);
// Page p of "Détail tours" but its logo (laps 100·p + 1 to 100·p + 100, at most n).
void DrawLapListPage(HDC dc, const DriverPrintInputs& in, int32_t page);

// Through the print dialog owned by owner to the printer chosen; nothing is printed when the
// dialog is cancelled or the driver has no laps. savedDirectory is made current again.
void PrintRunSummary(HWND owner, const DriverPrintInputs& in, const char* savedDirectory);
void PrintLapList(HWND owner, const DriverPrintInputs& in, const char* savedDirectory);

}  // namespace zd
