#pragma once
// The driver results printouts: "Synthèse run", one page of the summary, histogram and curve of
// the lap range, and "Détail tours", every lap time at 100 a page. Each page is drawn on the
// device context given, in a page of 630 × 1120 units, so that tests record it in a metafile.

#include <windows.h>

#include <cstdint>

#include "files/series_sections.h"

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

// The page's mapping: 630 × 1120 units, equal scales, over the width × height the device prints.
void SetDriverPageMapping(HDC dc, int width, int height);
// One page of "Synthèse run", its statistics computed for the range.
void DrawRunSummaryPage(HDC dc, const DriverPrintInputs& in);
// Page p of "Détail tours" (laps 100·p + 1 to 100·p + 100, at most n).
void DrawLapListPage(HDC dc, const DriverPrintInputs& in, int32_t page);

// Through the print dialog owned by owner to the printer chosen; nothing is printed when the
// dialog is cancelled or the driver has no laps. The printer's context and the dialog's blocks
// are freed whatever happens, and savedDirectory is made current again.
void PrintRunSummary(HWND owner, const DriverPrintInputs& in, const char* savedDirectory);
void PrintLapList(HWND owner, const DriverPrintInputs& in, const char* savedDirectory);

}  // namespace zd
