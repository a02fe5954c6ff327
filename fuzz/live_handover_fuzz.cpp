// The live results file, the web event information file and the hand-over files of the analysis
// dialogs as any bytes: each read, written back and read again. What the analysis dialogs compute
// from the hand-over files is computed from whatever the readers accepted.

#include <memory>
#include <string>

#include "analysis/driver_charts.h"
#include "analysis/run_results.h"
#include "files/handover_files.h"
#include "files/live_file.h"
#include "fuzz_support.h"

namespace {

using namespace zd;

void WriteAt(std::string_view path, const uint8_t* data, size_t size) {
  fuzz::WriteInput(std::string(path).c_str(), data, size);
}

// The driver analysis over the whole run, as the window opens on it: summary, histogram, curve.
void AnalyseDriver(SeriesResultEntry& entry) {
  DeriveLapTimes(entry);
  const int32_t n = entry.passingCount;
  LapSummary summary;
  ComputeLapSummary(entry, summary, 1, n);
  LapHistogram histogram;
  ComputeLapHistogram(entry, histogram, 1, n);
  for (int i = 0; i < 16; ++i) HistogramTickTime(histogram.edges[0], i);
  HistogramTimeX(kScreenHistogram, histogram.edges[0], histogram.average);
  LapRangeStats stats;
  ComputeLapRange(entry, stats, 1, n);
  const CurveScale scale = ComputeCurveScale(stats);
  CurveTimeLabels(kScreenCurve, scale);
  for (int32_t lap = 1; lap <= n && lap <= kMaxPassings; ++lap)
    CurveY(kScreenCurve, scale, entry.lapTimes[lap]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;

  WriteAt(kLiveFilePath, data, size);
  LiveRows rows;
  LiveClockTexts clock;
  FixedText<80> title;
  FixedText<200> video;
  int32_t count = 0, nation = 0;
  if (ReadLiveFile(kLiveFilePath, rows, clock, title, video, count, nation) &&
      WriteLiveFile("WebResults/LiveCopy.txt", rows, clock, title, video, count, nation))
    ReadLiveFile("WebResults/LiveCopy.txt", rows, clock, title, video, count, nation);

  WriteAt(kWebEventInfoPath, data, size);
  WebEventInfo web;
  if (ReadWebEventInfo(web) && WriteWebEventInfo(web)) ReadWebEventInfo(web);

  SeriesTable* table = &fuzz::Fresh<SeriesTable>();
  FixedText<24> mode;
  WriteAt(kSeriesResultFile, data, size);
  SeriesStartTimes starts{};
  if (ReadSeriesResultFile(*table, mode, starts) && WriteSeriesResultFile(*table, mode))
    ReadSeriesResultFile(*table, mode, starts);
  ComputeLapTimes(*table, starts);

  SeriesTitle seriesTitle;
  FixedText<40> track;
  RunDescription description;
  WriteAt(kDriverResultFile, data, size);
  if (ReadDriverResultFile((*table)[0], seriesTitle, track, description) &&
      WriteDriverResultFile(*table, 0, seriesTitle, track, description))
    ReadDriverResultFile((*table)[0], seriesTitle, track, description);
  AnalyseDriver((*table)[0]);

  TrackCondition condition;
  SeriesComment comment;
  WriteAt(kSeriesCommentFile, data, size);
  if (ReadSeriesCommentFile(condition, comment) && WriteSeriesCommentFile(condition, comment)) {
    SeriesComment back;
    fuzz::Check(ReadSeriesCommentFile(condition, back) && back.view() == comment.view());
  }
  return 0;
}
