#pragma once
// What the race control asks of the machine and of the main window: the clocks, the sounds, the
// board, the live results file and its publishing, and the stop button. The main window gives
// the real ones; tests and benchmarks give their own, so a whole series runs from a table of
// passings.

#include <cstdint>
#include <string_view>

#include "files/live_file.h"

namespace zd {

class RaceHooks {
 public:
  virtual ~RaceHooks() = default;

  // The high-resolution performance counter and its frequency (0 when there is none).
  virtual int64_t performanceCount() = 0;
  virtual int64_t performanceFrequency() = 0;
  // The system tick count, milliseconds.
  virtual int64_t tickCount() = 0;

  // Starts a wave file by name ("sons/beep1.wav" or one of the user's own files) without waiting
  // for it; a new sound replaces the one playing.
  virtual void playSound(std::string_view file) = 0;

  // RedrawChangedLiveCells: repaints the cells whose board row differs from the row shown.
  virtual void redrawChangedLiveCells() = 0;

  // WriteLiveFile into "WebResults/Live.txt"; false when the file could not be written.
  virtual bool writeLiveFile(const LiveRows& rows, const LiveClockTexts& clock,
                             std::string_view seriesTitle, std::string_view videoLink,
                             int32_t rowCount, int32_t nationFlag) = 0;
  // LiveScreenRefresh to the additional live screen: 1 for a new layout, 2 for new values.
  virtual void refreshLiveScreen(int32_t what) = 0;
  // UploadLiveFile: hands the file just written to the web publisher, which must return at once
  // (the upload runs elsewhere) and make the data folder current again.
  virtual void uploadLiveFile() = 0;

  // A race alert: shown at once on the main window while the series is live, where a modal box
  // would hold the race up; in an error box otherwise.
  virtual void reportStatus(std::string_view text) = 0;

  // A click on StopSeriesButton: the stop sequence has run when this returns.
  virtual void pressStopButton() = 0;
};

}  // namespace zd
