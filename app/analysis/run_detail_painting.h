#pragma once
// The three views of the detailed results, drawn on the device context they are given (the
// dialog's paint context, or a memory context in the tests), in pixels of the dialog's client
// area. Each leaves the context's objects and state as it found them.

#include <windows.h>

#include <cstdint>

#include "analysis/run_results.h"

namespace zd {

void PaintRaceTimeGrid(HDC dc, const RunDetail& run, const RunView& view);
void PaintLapTimeGrid(HDC dc, const RunDetail& run, const RunView& view);
// The chart of the laps from view.sidePos; selected is the driver drawn thick (none when it is
// beyond the driver count); the bubble, when on, near the mouse.
void PaintPositionChart(HDC dc, const RunDetail& run, const RunView& view, int32_t selected,
                        int32_t mouseX, int32_t mouseY);

}  // namespace zd
