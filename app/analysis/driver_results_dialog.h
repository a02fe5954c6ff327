#pragma once
// "Analyse résultats pilote": one driver's laps of the run on the live board, read from
// "ResultatPilote.res", as a summary, a histogram or a curve over a lap range, with a strip of
// every lap time and two printouts.

#include <windows.h>

#include <cstdint>

#include "files/series_sections.h"

namespace zd {

inline constexpr int kDriverViewSummary = 9501;
inline constexpr int kDriverViewHistogram = 9502;
inline constexpr int kDriverViewCurve = 9503;
inline constexpr int kDriverFirstLap = 9504;
inline constexpr int kDriverLastLap = 9505;
inline constexpr int kDriverPrintButton = 9510;
inline constexpr int kDriverPrintSummary = 9511;
inline constexpr int kDriverPrintLaps = 9512;
inline constexpr int kDriverStripBar = 9513;

// Modal. firstTimedLap: the first lap that can be the best one under the series' start type.
void OpenDriverResultsDialog(HWND owner, int32_t firstTimedLap);
INT_PTR CALLBACK DriverResultsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
// The driver the window shows or showed last, and its lap range.
const SeriesResultEntry& ShownDriver();
void ShownLapRange(int32_t& from, int32_t& to);

}  // namespace zd
