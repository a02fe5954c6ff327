#include "files/series_sections.h"

#include <algorithm>

#include "files/event_sections.h"
#include "files/ranking.h"

namespace zd {

namespace {

constexpr std::string_view kSeriesNotFound = "Error: Title of the qualifying heat not found";
constexpr std::string_view kCapacityOutOfRange =
    "Error: The passing capacity of the round is out of range";

void WriteEntryLine(FieldWriter& body, const SeriesResultEntry& e) {
  // The arrays hold 3001 times: a count beyond them cannot be written whole.
  const int32_t n = std::clamp(e.passingCount, 0, kMaxPassings);
  body.text(e.name)
      .integer(e.penaltyIndex)
      .integer(n)
      .integer(e.laps)
      .integer(e.raceTime)
      .integer(e.lapTimes[n])
      .integer(e.bestLap);
  for (int32_t k = 0; k <= n; ++k) body.integer(e.passingTimes[k]);
  body.endLine();
}

std::string SeriesBody(const SeriesTable& table, const SeriesTexts& texts) {
  FieldWriter body;
  for (const SeriesResultEntry& e : table) WriteEntryLine(body, e);
  // The comment is edited in a multi-line box: its line breaks are its own.
  body.text(texts.description).multiLineText(texts.comment).text(texts.trackCondition).endLine();
  return body.take();
}

class IntReader {
 public:
  explicit IntReader(TextFile& file) : file_(file) {}
  int32_t next() {
    bool fieldOk = false;
    int32_t v = ReadInt(file_, &fieldOk);
    ok_ = ok_ && fieldOk;
    return v;
  }
  // Keeps v within [lo, hi], replacing it by fallback (and noting the fault) when it is not.
  int32_t within(int32_t v, int32_t lo, int32_t hi, int32_t fallback) {
    if (v >= lo && v <= hi) return v;
    ok_ = false;
    return fallback;
  }
  bool ok() const { return ok_; }

 private:
  TextFile& file_;
  bool ok_ = true;
};

static_assert(kMaxRecordedTime < kMissingTime && kMissingTime < kEmptySlotTime);

// A time as a series can hold it: 0 to kMaxRecordedTime, or one of the markers the program writes
// for a missing time and for an empty slot. Anything else reads as missing (0): a number past the
// field arrives as INT32_MIN or INT32_MAX, both outside.
int32_t StoredTime(IntReader& in, int32_t v) {
  if ((v >= 0 && v <= kMaxRecordedTime) || v == kMissingTime || v == kEmptySlotTime) return v;
  return in.within(v, 0, 0, 0);
}

// One entry line, from its first character to the start of the next line. Laps are kept within
// the passing capacity and times within what a series can hold.
bool ReadEntryLine(TextFile& file, SeriesResultEntry& e, int32_t capacity) {
  if (!SkipLineEnds(file)) return false;
  IntReader in(file);
  ReadText(file, e.name);
  e.penaltyIndex = in.within(in.next(), 0, kMaxPenalties, 0);
  int32_t n = in.next();
  n = in.within(n, 0, kMaxPassings, std::clamp(n, 0, kMaxPassings));
  e.passingCount = n;
  const int32_t laps = in.next();
  e.laps = in.within(laps, 0, capacity, std::clamp(laps, 0, capacity));
  e.raceTime = StoredTime(in, in.next());
  e.lapTimes[n] = StoredTime(in, in.next());
  e.bestLap = StoredTime(in, in.next());
  for (int32_t k = 0; k <= n; ++k) e.passingTimes[k] = StoredTime(in, in.next());
  // The rest of the line: the times beyond the table's 3001, if any, so the next line is in step.
  if (!SkipLine(file)) return false;
  return in.ok();
}

bool ReadEntriesAndTexts(TextFile& file, SeriesTable& table, SeriesTexts& texts,
                         int32_t capacity) {
  bool ok = true;
  for (SeriesResultEntry& e : table) {
    if (!ReadEntryLine(file, e, capacity)) {
      ok = false;
      if (file.peek() == kEndOfFile) return false;
    }
  }
  if (!SkipLineEnds(file)) return false;
  ReadText(file, texts.description);
  ReadMultiLineText(file, texts.comment);
  return ReadText(file, texts.trackCondition) == FieldEnd::Tab && ok;
}

bool ValidCapacity(int32_t capacity) { return capacity >= 1 && capacity <= kMaxPassings; }

}  // namespace

std::string PracticeSeriesTitle(int race, int session, int series) {
  return std::string(kTitlePrefix) + std::to_string(race) + "EL" + std::to_string(session) + "S" +
         std::to_string(series);
}

std::string QualifyingSeriesTitle(int race, int session, int series) {
  return std::string(kTitlePrefix) + std::to_string(race) + "Q" + std::to_string(session) + "S" +
         std::to_string(series);
}

std::string RoundTitle(int race, int round) {
  return std::string(kTitlePrefix) + std::to_string(race) + "Manche" + std::to_string(round);
}

Outcome WriteSeriesResultsSection(TextFile& file, std::string_view title, const SeriesTable& table,
                                  const SeriesTexts& texts) {
  return RewriteSection(file, title, filler::kSeriesResults, SeriesBody(table, texts),
                        kSeriesNotFound);
}

Outcome WriteRoundResultsSection(TextFile& file, std::string_view title, const SeriesTable& table,
                                 int32_t passingCapacity, const SeriesTexts& texts) {
  // The region of an existing section was sized for the capacity on its first line; another one
  // would give a region that ends elsewhere.
  int32_t capacity = ReadRoundCapacity(file, title).value_or(passingCapacity);
  if (!ValidCapacity(capacity)) return Outcome::Failure(std::string(kCapacityOutOfRange));
  FieldWriter first;
  first.integer(capacity).endLine();
  return RewriteSection(file, title, filler::RoundResults(capacity),
                        first.str() + SeriesBody(table, texts), kSeriesNotFound);
}

bool ReadSeriesResultsSection(TextFile& file, SeriesTable& table, SeriesTexts& texts) {
  return ReadEntriesAndTexts(file, table, texts, kMaxPassings);
}

bool ReadRoundResultsSection(TextFile& file, SeriesTable& table, int32_t& passingCapacity,
                             SeriesTexts& texts) {
  IntReader in(file);
  int32_t capacity = in.next();
  passingCapacity = in.within(capacity, 1, kMaxPassings, std::clamp(capacity, 1, kMaxPassings));
  if (!SkipLine(file)) return false;
  return ReadEntriesAndTexts(file, table, texts, passingCapacity) && in.ok();
}

std::optional<int32_t> ReadRoundCapacity(TextFile& file, std::string_view title) {
  if (!FindSection(file, title)) return std::nullopt;
  bool ok = false;
  int32_t capacity = ReadInt(file, &ok);
  if (!ok || !ValidCapacity(capacity)) return std::nullopt;
  return capacity;
}

}  // namespace zd
