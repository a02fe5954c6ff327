#include "files/live_file.h"

#include <algorithm>
#include <memory>
#include <string>

#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

constexpr std::string_view kFinished = "Fin";
constexpr std::string_view kAbandoned = "A";

// One snapshot of the live file, read aside so that a file cut short changes nothing.
struct LiveSnapshot {
  int32_t rowCount = 0;
  int32_t nationFlag = 0;
  LiveRows rows;
  LiveClockTexts clock;
  FixedText<80> seriesTitle;
  FixedText<200> videoLink;
};

int32_t ReadNumber(TextFile& file, bool& ok) {
  bool fieldOk = false;
  int32_t v = ReadInt(file, &fieldOk);
  ok = ok && fieldOk;
  return v;
}

template <std::size_t W>
void ReadField(TextFile& file, FixedText<W>& text, bool& ok) {
  if (ReadText(file, text) != FieldEnd::Tab) ok = false;
}

// Reads a flag field: true exactly when it holds the given word. The buffer is wider than the
// words, so a longer field cannot be cut down to one of them.
bool ReadFlagField(TextFile& file, std::string_view word, bool& ok) {
  FixedText<8> field;
  ReadField(file, field, ok);
  return field == word;
}

// Returns false when the file ends before the snapshot is complete.
bool ReadSnapshot(TextFile& file, LiveSnapshot& s, bool& ok) {
  int32_t count = ReadNumber(file, ok);
  if (count < 0 || count > kLiveRows) ok = false;
  s.rowCount = std::clamp(count, 0, kLiveRows);
  if (!SkipLineEnds(file)) return false;
  s.nationFlag = ReadNumber(file, ok);
  if (!SkipLineEnds(file)) return false;
  ReadField(file, s.clock.duration, ok);
  ReadField(file, s.clock.elapsed, ok);
  ReadField(file, s.clock.remaining, ok);
  if (!SkipLine(file)) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!SkipLineEnds(file)) return false;
    if (i >= kLiveRows) {
      // Rows beyond the table are passed over so that the title is read in its place.
      if (!SkipLine(file)) return false;
      continue;
    }
    LiveRow& r = s.rows[i];
    ReadField(file, r.position, ok);
    ReadField(file, r.carNumber, ok);
    ReadField(file, r.name, ok);
    ReadField(file, r.category, ok);
    ReadField(file, r.club, ok);
    ReadField(file, r.nationCode, ok);
    ReadField(file, r.laps, ok);
    ReadField(file, r.totalTime, ok);
    ReadField(file, r.gapToLeader, ok);
    ReadField(file, r.gapToPrevious, ok);
    ReadField(file, r.lastLap, ok);
    ReadField(file, r.bestLap, ok);
    r.finished = ReadFlagField(file, kFinished, ok) ? 1 : 0;
    r.status = ReadFlagField(file, kAbandoned, ok) ? 1 : 0;
    if (!SkipLine(file)) return false;
  }
  if (!SkipLineEnds(file)) return false;
  ReadField(file, s.seriesTitle, ok);
  if (!SkipLine(file) || !SkipLineEnds(file)) return false;
  return ReadText(file, s.videoLink) == FieldEnd::Tab;
}

// A line of the web event information file: CR and LF would split it.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  line.push_back('\n');
  return line;
}

// A whole line without its line end, kept within the field; false at the end of the file.
template <std::size_t W>
bool ReadLine(TextFile& file, FixedText<W>& text) {
  text.clear();
  bool any = false;
  for (;;) {
    int c = file.get();
    if (c == kEndOfFile) return any;
    if (c == '\n') return true;
    any = true;
    text.push_back(static_cast<char>(c));
  }
}

// The folder part of a path, empty when there is none.
std::string_view FolderOf(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

}  // namespace

bool WriteLiveFile(std::string_view path, const LiveRows& rows, const LiveClockTexts& clock,
                   std::string_view seriesTitle, std::string_view videoLink, int32_t rowCount,
                   int32_t nationFlag) {
  const int32_t count = std::clamp(rowCount, 0, kLiveRows);
  FieldWriter out;
  out.raw(std::to_string(count)).endLine();
  out.raw(std::to_string(nationFlag)).endLine();
  out.text(clock.duration).text(clock.elapsed).text(clock.remaining).endLine();
  for (int32_t i = 0; i < count; ++i) {
    const LiveRow& r = rows[i];
    out.text(r.position)
        .text(r.carNumber)
        .text(r.name)
        .text(r.category)
        .text(r.club)
        .text(r.nationCode)
        .text(r.laps)
        .text(r.totalTime)
        .text(r.gapToLeader)
        .text(r.gapToPrevious)
        .text(r.lastLap)
        .text(r.bestLap)
        .text(r.finished == 1 ? kFinished : std::string_view())
        .text(r.status == 1 ? kAbandoned : std::string_view())
        .endLine();
  }
  out.text(seriesTitle).endLine();
  out.text(videoLink).endLine();
  std::string_view folder = FolderOf(path);
  if (!folder.empty()) MakeFolder(folder);
  return WriteWholeFile(path, out.str());
}

bool ReadLiveFile(std::string_view path, LiveRows& rows, LiveClockTexts& clock,
                  FixedText<80>& seriesTitle, FixedText<200>& videoLink, int32_t& rowCount,
                  int32_t& nationFlag) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  bool ok = true;
  // A file holds one snapshot; should more follow, the last complete one is kept. Every pass
  // consumes at least one character, so trailing bytes cannot keep it going.
  while (SkipLineEnds(file)) {
    auto s = std::make_unique<LiveSnapshot>();
    if (!ReadSnapshot(file, *s, ok)) return false;
    rows = s->rows;
    clock = s->clock;
    seriesTitle = s->seriesTitle;
    videoLink = s->videoLink;
    rowCount = s->rowCount;
    nationFlag = s->nationFlag;
  }
  return ok;
}

Outcome WriteWebEventInfo(const WebEventInfo& info) {
  std::string text = std::to_string(info.connected) + "\t" + std::to_string(info.activated) + "\t\n";
  text += OneLine(info.eventId);
  text += OneLine(info.championshipFolder);
  text += OneLine(info.videoLink);
  MakeFolder(kWebResultsFolder);
  if (!WriteWholeFile(kWebEventInfoPath, text))
    return Outcome::Failure(std::string(kWebEventInfoNotWritten));
  return Outcome::Success();
}

bool ReadWebEventInfo(WebEventInfo& info) {
  MakeFolder(kWebResultsFolder);
  TextFile file;
  if (!file.open(kWebEventInfoPath, OpenMode::Read)) return false;
  WebEventInfo read;
  bool ok = true;
  read.connected = ReadNumber(file, ok);
  read.activated = ReadNumber(file, ok);
  if (!SkipLine(file)) ok = false;
  if (!ReadLine(file, read.eventId)) ok = false;
  if (!ReadLine(file, read.championshipFolder)) ok = false;
  if (!ReadLine(file, read.videoLink)) ok = false;
  info = read;
  return ok;
}

}  // namespace zd
