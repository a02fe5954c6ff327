#include "files/race_file.h"

#include <algorithm>
#include <cstring>

#include "files/event_sections.h"

namespace zd {

namespace {

// The filler of a region, in its disk form: N pairs "1\t" and CR LF.
std::string DiskFiller(int32_t pairs) {
  std::string out;
  out.reserve(static_cast<std::size_t>(pairs) * 2 + 2);
  for (int32_t i = 0; i < pairs; ++i) out += "1\t";
  out += "\r\n";
  return out;
}

// A region is followed by the end of the file or by the empty line before the next title. A
// region size that does not end there (a capacity that differs from the one the section was
// created with, a damaged file) must not be written: it would overwrite its neighbour.
bool RegionEndsAt(TextFile& file, int64_t end) {
  if (end >= file.size()) return true;
  std::string next = file.readRawAt(end, 2 + kTitlePrefix.size());
  return next.size() == 2 + kTitlePrefix.size() && next.compare(0, 2, "\r\n") == 0 &&
         next.compare(2, std::string_view::npos, kTitlePrefix) == 0;
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return std::min(std::max(v, lo), hi); }

}  // namespace

std::string ParticipantsSectionTitle(int race) {
  return std::string(kTitlePrefix) + std::to_string(race) + "ListeParticipants";
}

void ClearRaceHeaderRecords(RaceHeaderRecords& records) { records = RaceHeaderRecords{}; }

RaceHeaderRecords NewEventRaceRecords() {
  RaceHeaderRecords records{};
  records[0].name = "COURSE 1";
  return records;
}

Outcome WriteRaceFileHeader(TextFile& file, int32_t selectionCode, int32_t raceCount,
                            const RaceHeaderRecords& records) {
  FieldWriter header;
  header.integer(selectionCode).integer(Clamp(raceCount, 1, kMaxRaces));
  for (int r = 0; r < Clamp(raceCount, 1, kMaxRaces); ++r) {
    const RaceHeaderRecord& rec = records[r];
    header.text(rec.name).integer(rec.participantCount);
    for (int32_t s : rec.practiceStates) header.integer(s);
    for (int32_t s : rec.qualifyingStates) header.integer(s);
    header.integer(rec.roundsState)
        .integer(rec.practiceSessions)
        .integer(rec.practiceSeries)
        .integer(rec.qualifyingSessions)
        .integer(rec.qualifyingSeries)
        .integer(rec.rounds);
  }
  const std::string& text = header.str();
  if (text.size() > static_cast<std::size_t>(kHeaderReservation))
    return Outcome::Failure("Error: The header of the race file is too long");
  if (file.size() > kHeaderReservation && file.readRawAt(kHeaderReservation, 2) != "\r\n")
    return Outcome::Failure("Error: The header of the race file is damaged");

  std::string region = DiskFiller(kHeaderReservation / 2);
  region.replace(0, text.size(), text);
  file.rewind();
  if (!file.writeRaw(region)) return Outcome::Failure("Error: The race file could not be written");
  return Outcome::Success();
}

bool ReadRaceFileHeader(TextFile& file, int32_t& selectionCode, int32_t& raceCount,
                        RaceHeaderRecords& records) {
  file.rewind();
  bool ok = true;
  bool fieldOk = false;
  auto next = [&]() {
    int32_t v = ReadInt(file, &fieldOk);
    ok = ok && fieldOk;
    return v;
  };
  selectionCode = next();
  int32_t count = next();
  raceCount = Clamp(count, 1, kMaxRaces);
  if (count != raceCount) ok = false;
  for (int r = 0; r < raceCount; ++r) {
    RaceHeaderRecord& rec = records[r];
    if (ReadText(file, rec.name) != FieldEnd::Tab) ok = false;
    rec.participantCount = Clamp(next(), 0, kMaxParticipants);
    for (int32_t& s : rec.practiceStates) s = next();
    for (int32_t& s : rec.qualifyingStates) s = next();
    rec.roundsState = next();
    rec.practiceSessions = Clamp(next(), -1, kMaxSessions);
    rec.practiceSeries = Clamp(next(), 0, kMaxSeriesPerSession);
    rec.qualifyingSessions = Clamp(next(), -1, kMaxSessions);
    rec.qualifyingSeries = Clamp(next(), 0, kMaxSeriesPerSession);
    rec.rounds = Clamp(next(), -1, kMaxRounds);
  }
  return ok;
}

std::optional<int64_t> FindSectionBody(TextFile& file, std::string_view title) {
  file.rewind();
  if (title.empty() || title.size() > kMaxTitleLength) {
    file.seekEnd();
    return std::nullopt;
  }
  // Each line is compared as it streams by: most lines differ at their first byte, and the rest
  // of a line is skipped with memchr, so a scan costs little more than reading the file.
  enum class State { Matching, Skipping, AfterCr, ToLineEnd };
  State state = State::Matching;
  std::size_t matched = 0;
  for (;;) {
    std::string_view bytes = file.bufferedBytes();
    if (bytes.empty()) break;
    std::size_t i = 0;
    while (i < bytes.size()) {
      char c = bytes[i];
      switch (state) {
        case State::Skipping:
        case State::ToLineEnd: {
          const void* lf = std::memchr(bytes.data() + i, '\n', bytes.size() - i);
          if (lf == nullptr) {
            i = bytes.size();
            break;
          }
          i = static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data()) + 1;
          if (state == State::ToLineEnd) {
            file.skipBytes(i);
            return file.tell();
          }
          state = State::Matching;
          matched = 0;
          break;
        }
        case State::AfterCr:
          ++i;
          if (c == '\n') {
            file.skipBytes(i);
            return file.tell();
          }
          // A lone CR is a character of the field: the field is longer than the title.
          state = State::Skipping;
          break;
        case State::Matching:
          if (matched < title.size()) {
            if (c == title[matched]) {
              ++matched;
              ++i;
            } else {
              state = State::Skipping;
            }
          } else if (c == '\t') {
            ++i;
            state = State::ToLineEnd;
          } else if (c == '\n') {
            ++i;
            file.skipBytes(i);
            return file.tell();
          } else if (c == '\r') {
            ++i;
            state = State::AfterCr;
          } else {
            state = State::Skipping;
          }
          break;
      }
    }
    file.skipBytes(i);
  }
  // A title on the last line, with no body after it, is still found.
  if ((state == State::Matching && matched == title.size()) || state == State::ToLineEnd)
    return file.tell();
  return std::nullopt;
}

bool FindSection(TextFile& file, std::string_view title) {
  std::optional<int64_t> body = FindSectionBody(file, title);
  if (body) file.seek(*body);
  return body.has_value();
}

Outcome RewriteSection(TextFile& file, std::string_view title, int32_t fillerPairs,
                       std::string_view body, std::string_view notFoundMessage) {
  std::string region = DiskFiller(fillerPairs);
  std::string diskBody = ToDiskForm(body);
  if (diskBody.size() > region.size())
    return Outcome::Failure("Error: The data do not fit in the section '" + std::string(title) +
                            "' of the race file");
  // The body over the beginning of the filler; what it does not cover stays.
  region.replace(0, diskBody.size(), diskBody);

  std::optional<int64_t> at = FindSectionBody(file, title);
  if (!at) {
    file.seekEnd();
    int64_t end = file.tell();
    std::string titleLine = "\n";
    titleLine.append(title).append("\t\n");
    std::string section = ToDiskForm(titleLine) + region;
    if (!file.writeRaw(section)) {
      // Leave no half-written section behind.
      file.truncate(end);
      return Outcome::Failure(std::string(notFoundMessage));
    }
    return Outcome::Success();
  }
  if (!RegionEndsAt(file, *at + static_cast<int64_t>(region.size())))
    return Outcome::Failure("Error: The section '" + std::string(title) +
                            "' of the race file is damaged");
  file.seek(*at);
  if (!file.writeRaw(region)) return Outcome::Failure(std::string(notFoundMessage));
  return Outcome::Success();
}

Outcome InitialiseRaceFile(TextFile& file) {
  Outcome header = WriteRaceFileHeader(file, 10000, 1, NewEventRaceRecords());
  if (!header) return header;
  TreeviewFlagsTable flags;
  ClearTreeviewFlags(flags);
  return WriteTreeviewSection(file, flags);
}

}  // namespace zd
