#include "files/handover_files.h"

#include <algorithm>

#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

int32_t StoredCount(int32_t n) { return std::clamp(n, 0, kMaxPassings); }

// Reads a passing count, kept within 0 to limit.
int32_t ReadCount(TextFile& file, int32_t limit, bool& ok) {
  bool fieldOk = false;
  int32_t n = ReadInt(file, &fieldOk);
  if (!fieldOk || n < 0 || n > limit) ok = false;
  return std::clamp(n, 0, limit);
}

int32_t ReadValue(TextFile& file, bool& ok) {
  bool fieldOk = false;
  int32_t v = ReadInt(file, &fieldOk);
  ok = ok && fieldOk;
  return v;
}

}  // namespace

bool WriteSeriesResultFile(const SeriesTable& table, std::string_view rankingMode) {
  FieldWriter out;
  out.text(rankingMode).endLine();
  for (const SeriesResultEntry& e : table) {
    const int32_t n = StoredCount(e.passingCount);
    out.text(e.name).integer(n);
    for (int32_t k = 0; k <= n; ++k) out.integer(e.passingTimes[k]);
    out.endLine();
  }
  return WriteWholeFile(kSeriesResultFile, out.str());
}

bool ReadSeriesResultFile(SeriesTable& table, FixedText<24>& rankingMode, SeriesStartTimes& starts) {
  TextFile file;
  if (!file.open(kSeriesResultFile, OpenMode::Read)) return false;
  rankingMode.clear();
  starts.fill(0);
  for (SeriesResultEntry& e : table) {
    e.name.clear();
    e.passingCount = 0;
    std::fill_n(e.passingTimes.begin(), kMaxPassings, 0);
    std::fill_n(e.lapTimes.begin(), kMaxPassings, 0);
    std::fill_n(e.positions.begin(), kMaxPassings, 0);
  }
  bool ok = ReadText(file, rankingMode) == FieldEnd::Tab;
  if (!SkipLine(file)) return false;
  for (int slot = 0; slot < kMaxSeriesSlots; ++slot) {
    SeriesResultEntry& e = table[slot];
    if (!SkipLineEnds(file)) return false;
    ReadText(file, e.name);
    // The times go to indexes 0 to n - 1, so 3000 of them fill the table's first 3000 values.
    const int32_t n = ReadCount(file, kMaxPassings, ok);
    e.passingCount = n;
    starts[slot] = ReadValue(file, ok);
    for (int32_t k = 0; k < n; ++k) e.passingTimes[k] = ReadValue(file, ok);
    if (!SkipLine(file)) return false;
  }
  return ok;
}

bool WriteDriverResultFile(const SeriesTable& table, int index, std::string_view seriesTitle,
                           std::string_view trackName, std::string_view runDescription) {
  if (index < 0 || index >= kMaxSeriesSlots) return false;
  const SeriesResultEntry& e = table[index];
  const int32_t n = StoredCount(e.passingCount);
  FieldWriter out;
  out.text(e.name).integer(n);
  for (int32_t k = 0; k <= n; ++k) out.integer(e.passingTimes[k]);
  out.endLine();
  out.text(seriesTitle).text(trackName).text(runDescription).endLine();
  return WriteWholeFile(kDriverResultFile, out.str());
}

bool ReadDriverResultFile(SeriesResultEntry& entry, SeriesTitle& seriesTitle,
                          FixedText<40>& trackName, RunDescription& runDescription) {
  TextFile file;
  if (!file.open(kDriverResultFile, OpenMode::Read)) return false;
  bool ok = true;
  ReadText(file, entry.name);
  const int32_t n = ReadCount(file, kMaxPassings, ok);
  entry.passingCount = n;
  for (int32_t k = 0; k <= n; ++k) entry.passingTimes[k] = ReadValue(file, ok);
  if (!SkipLine(file) || !SkipLineEnds(file)) return false;
  ReadText(file, seriesTitle);
  ReadText(file, trackName);
  return ReadText(file, runDescription) == FieldEnd::Tab && ok;
}

bool WriteSeriesCommentFile(std::string_view trackCondition, std::string_view comment) {
  FieldWriter out;
  out.text(trackCondition).multiLineText(comment).endLine();
  return WriteWholeFile(kSeriesCommentFile, out.str());
}

bool ReadSeriesCommentFile(TrackCondition& trackCondition, SeriesComment& comment) {
  TextFile file;
  if (!file.open(kSeriesCommentFile, OpenMode::Read)) return false;
  TrackCondition condition;
  SeriesComment text;
  if (ReadText(file, condition) != FieldEnd::Tab || ReadMultiLineText(file, text) != FieldEnd::Tab)
    return false;
  trackCondition = condition;
  comment = text;
  return true;
}

}  // namespace zd
