#pragma once
// The table of the arrangement dialogs and their printouts, drawn from the model on any device
// context: the dialog paints the table in client pixels, the printout draws its pages on the
// common report page.

#include <windows.h>

#include "phases/arrangement.h"

namespace zd {

// The table's rectangle in the dialog's client pixels.
inline constexpr RECT kArrangementTableRect = {19, 80, 811, 511};

// The table with its first row showing slot p. The three dialogs share one painter; the grid
// draws its qualified and eliminated bands where the series draw theirs.
void PaintArrangementTable(HDC dc, const ArrangementModel& model, int p);
inline void PaintPracticeArrangement(HDC dc, const ArrangementModel& model, int p) {
  PaintArrangementTable(dc, model, p);
}
inline void PaintQualifyingArrangement(HDC dc, const ArrangementModel& model, int p) {
  PaintArrangementTable(dc, model, p);
}
inline void PaintStartingGrid(HDC dc, const ArrangementModel& model, int p) {
  PaintArrangementTable(dc, model, p);
}

// Page (from 1) of the printout, on a device context already set up by StartReportPage.
void DrawArrangementPage(HDC dc, const ArrangementModel& model, int page, int pageCount);

}  // namespace zd
