#include "files/race_file.h"

#include <algorithm>

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

namespace {

// Consumes a run of decimal digits at the front of text; false when there is none.
bool TakeNumber(std::string_view& text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
  text.remove_prefix(n);
  return n > 0;
}

bool TakeWord(std::string_view& text, std::string_view word) {
  if (text.substr(0, word.size()) != word) return false;
  text.remove_prefix(word.size());
  return true;
}

// A round's first line: its passing capacity, 1 to 3000 (four digits at most), which sets the
// size of its region.
std::optional<int32_t> RoundCapacityAt(TextFile& file, int64_t body) {
  constexpr int32_t kLargestCapacity = 3000;
  const std::string line = file.readRawAt(body, 8);
  int32_t capacity = 0;
  std::size_t i = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9' && i < 4; ++i)
    capacity = capacity * 10 + (line[i] - '0');
  if (i == 0 || i >= line.size() || line[i] != '\t' || capacity < 1 || capacity > kLargestCapacity)
    return std::nullopt;
  return capacity;
}

// Bytes read for an empty line and a title line: the longest title and its line end fit the first
// window; a title line that carries further fields may need the second.
constexpr std::size_t kTitleLineWindow = 2 + kMaxTitleLength + 3;
constexpr std::size_t kLongTitleLineWindow = 2 + 1024;

}  // namespace

std::optional<int32_t> SectionFillerPairs(std::string_view title) {
  if (!TakeWord(title, kTitlePrefix)) return std::nullopt;
  if (title == "DrapeauxTreeview") return filler::kTreeview;
  if (title == "Information") return filler::kInformation;
  if (title == "Piste") return filler::kTrack;
  if (title == "Penalites") return filler::kPenalties;
  if (!TakeNumber(title)) return std::nullopt;  // the race
  if (title == "ListeParticipants") return filler::kParticipants;
  if (title == "RepartitionEssais" || title == "RepartitionQualifs")
    return filler::kSeriesArrangement;
  if (title == "RepartitionManches") return filler::kRoundArrangement;
  {
    std::string_view rest = title;
    if ((TakeWord(rest, "EL") || TakeWord(rest, "Q")) && TakeNumber(rest) && TakeWord(rest, "S") &&
        TakeNumber(rest) && rest.empty())
      return filler::kSeriesResults;
  }
  {
    std::string_view rest = title;
    if (TakeWord(rest, "Manche") && TakeNumber(rest) && rest.empty()) return kRoundFiller;
  }
  for (std::string_view phase : {"Essais", "Qualifs", "Manches"}) {
    std::string_view rest = title;
    if (!TakeWord(rest, phase)) continue;
    if (rest == "Paramètres") return filler::kParameters;
    if (rest == "Points") return filler::kPoints;
    if (rest == "Classement") return filler::kClassement;
  }
  return std::nullopt;
}

namespace {

// Walks the chain of sections from the header, giving visit each title and body offset until it
// returns true (the section sought). Reads each section's empty line and title line (and a
// round's first line) only, never a body.
template <typename Visit>
SectionPlace WalkSections(TextFile& file, Visit visit) {
  constexpr SectionPlace kDamaged{SectionSearch::Damaged, 0};
  const int64_t size = file.size();
  if (file.readRawAt(kHeaderReservation, 2) != "\r\n") return kDamaged;
  for (int64_t at = kHeaderReservation + 2;;) {
    if (at == size) return {SectionSearch::Absent, 0};
    // Past the end: the last region was cut short, and anything appended would land inside it.
    if (at > size) return kDamaged;
    std::string lines = file.readRawAt(at, kTitleLineWindow);
    if (lines.compare(0, 2, "\r\n") != 0) return kDamaged;
    std::size_t lf = lines.find('\n', 2);
    if (lf == std::string::npos && lines.size() == kTitleLineWindow) {
      lines = file.readRawAt(at, kLongTitleLineWindow);
      lf = lines.find('\n', 2);
    }
    if (lf == std::string::npos || lines[lf - 1] != '\r') return kDamaged;
    // The title is the first field of its line.
    const std::string_view line(lines.data() + 2, lf - 1 - 2);
    const std::string_view found = line.substr(0, line.find('\t'));
    const std::optional<int32_t> pairs = SectionFillerPairs(found);
    if (!pairs) return kDamaged;
    const int64_t body = at + static_cast<int64_t>(lf) + 1;
    if (visit(found, body)) return {SectionSearch::Found, body};
    int32_t n = *pairs;
    if (n == kRoundFiller) {
      const std::optional<int32_t> capacity = RoundCapacityAt(file, body);
      if (!capacity) return kDamaged;
      n = filler::RoundResults(*capacity);
    }
    at = body + 2 * static_cast<int64_t>(n) + 2;
  }
}

}  // namespace

SectionPlace LocateSection(TextFile& file, std::string_view title) {
  const bool searchable = !title.empty() && title.size() <= kMaxTitleLength;
  return WalkSections(file, [&](std::string_view found, int64_t) {
    return searchable && found == title;
  });
}

SectionIndex IndexSections(TextFile& file) {
  SectionIndex index;
  const SectionPlace end = WalkSections(file, [&](std::string_view found, int64_t body) {
    // A title met twice: the first is the one every search finds.
    index.bodies.emplace(std::string(found), body);
    return false;
  });
  index.damaged = end.result == SectionSearch::Damaged;
  return index;
}

std::optional<int64_t> SectionIndex::find(std::string_view title) const {
  const auto it = bodies.find(title);
  if (it == bodies.end()) return std::nullopt;
  return it->second;
}

bool SectionIndex::seek(TextFile& file, std::string_view title) const {
  const std::optional<int64_t> body = find(title);
  if (!body) return false;
  file.seek(*body);
  return true;
}

std::optional<int64_t> FindSectionBody(TextFile& file, std::string_view title) {
  const SectionPlace place = LocateSection(file, title);
  if (place.result != SectionSearch::Found) {
    file.seekEnd();
    return std::nullopt;
  }
  file.seek(place.body);
  return place.body;
}

bool FindSection(TextFile& file, std::string_view title) {
  return FindSectionBody(file, title).has_value();
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

  const SectionPlace place = LocateSection(file, title);
  if (place.result == SectionSearch::Damaged)
    return Outcome::Failure("Error: The section '" + std::string(title) +
                            "' of the race file is damaged");
  if (place.result == SectionSearch::Absent) {
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
  if (!RegionEndsAt(file, place.body + static_cast<int64_t>(region.size())))
    return Outcome::Failure("Error: The section '" + std::string(title) +
                            "' of the race file is damaged");
  file.seek(place.body);
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
