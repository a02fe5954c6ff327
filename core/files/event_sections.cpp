#include "files/event_sections.h"

namespace zd {

namespace {

constexpr std::string_view kInformationNotFound = "Error: Title of the Event information not found";
constexpr std::string_view kTrackNotFound = "Error: Title of the Event track not found";
constexpr std::string_view kPenaltiesNotFound = "Error: Title of the race penalties not found";
constexpr std::string_view kTreeviewNotFound = "Error: Title of the Treeview flags not found";

// The flags in body order: per race, practice sessions and their series, qualifying, rounds.
template <typename Table, typename Fn>
void ForEachFlag(Table& flags, Fn fn) {
  for (auto& race : flags) {
    for (auto& session : race.practice)
      for (auto& f : session) fn(f);
    for (auto& session : race.qualifying)
      for (auto& f : session) fn(f);
    for (auto& f : race.rounds) fn(f);
  }
}

}  // namespace

bool IsInternationalEvent(std::string_view storedName) {
  return storedName.substr(0, kInternationalPrefix.size()) == kInternationalPrefix;
}

std::string_view DisplayedEventName(std::string_view storedName) {
  return IsInternationalEvent(storedName) ? storedName.substr(kInternationalPrefix.size())
                                          : storedName;
}

std::string StoredEventName(std::string_view typedName, bool international) {
  std::string name = international ? std::string(kInternationalPrefix) : std::string();
  name += typedName;
  return name;
}

void ClearPenaltyTable(PenaltyTable& table) { table = PenaltyTable{}; }

int CountPenalties(const PenaltyTable& table) {
  int n = 0;
  while (n < kMaxPenalties && !table[n].code.empty()) ++n;
  return n;
}

Outcome WriteInformationSection(TextFile& file, const EventInformation& info) {
  FieldWriter body;
  body.text(info.eventName)
      .text(info.club)
      .text(info.championship)
      .text(info.raceDirector)
      .text(info.place)
      .text(info.date)
      .endLine();
  return RewriteSection(file, kInformationTitle, filler::kInformation, body.str(),
                        kInformationNotFound);
}

bool ReadInformationSection(TextFile& file, EventInformation& info) {
  ReadText(file, info.eventName);
  ReadText(file, info.club);
  ReadText(file, info.championship);
  ReadText(file, info.raceDirector);
  ReadText(file, info.place);
  return ReadText(file, info.date) == FieldEnd::Tab;
}

Outcome WriteTrackSection(TextFile& file, const TrackSettings& track) {
  FieldWriter body;
  body.text(track.name).integer(track.lapProtectionTime).endLine();
  return RewriteSection(file, kTrackTitle, filler::kTrack, body.str(), kTrackNotFound);
}

bool ReadTrackSection(TextFile& file, TrackSettings& track) {
  ReadText(file, track.name);
  bool ok = false;
  int32_t seconds = ReadInt(file, &ok);
  if (ok) track.lapProtectionTime = seconds;
  return ok;
}

namespace {

std::string PenaltiesBody(const PenaltyTable& table) {
  int count = CountPenalties(table);
  FieldWriter body;
  body.integer(count).endLine();
  for (int i = 0; i < count; ++i) {
    const PenaltyRecord& p = table[i];
    body.integer(p.kind).integer(p.amount).text(p.code).text(p.name).endLine();
  }
  return body.take();
}

}  // namespace

bool PenaltiesFit(const PenaltyTable& table) {
  return DiskSize(PenaltiesBody(table)) <= 2 * static_cast<std::size_t>(filler::kPenalties) + 2;
}

Outcome WritePenaltiesSection(TextFile& file, const PenaltyTable& table) {
  return RewriteSection(file, kPenaltiesTitle, filler::kPenalties, PenaltiesBody(table),
                        kPenaltiesNotFound);
}

bool ReadPenaltiesSection(TextFile& file, PenaltyTable& table) {
  bool ok = false;
  int32_t count = ReadInt(file, &ok);
  if (!SkipLine(file)) return ok && count <= 0;
  if (count > kMaxPenalties) {
    count = kMaxPenalties;
    ok = false;
  }
  for (int i = 0; i < count; ++i) {
    PenaltyRecord& p = table[i];
    bool kindOk = false, amountOk = false;
    p.kind = ReadInt(file, &kindOk);
    p.amount = ReadInt(file, &amountOk);
    ok = ok && kindOk && amountOk;
    ReadText(file, p.code);
    ReadText(file, p.name);
    if (!SkipLine(file)) return false;
  }
  return ok;
}

void ClearTreeviewFlags(TreeviewFlagsTable& flags) { flags = TreeviewFlagsTable{}; }

std::string TreeviewFlagsBody(const TreeviewFlagsTable& flags) {
  FieldWriter body;
  ForEachFlag(flags, [&](int32_t f) { body.integer(f); });
  body.endLine();
  return body.take();
}

Outcome WriteTreeviewSection(TextFile& file, const TreeviewFlagsTable& flags) {
  return RewriteSection(file, kTreeviewTitle, filler::kTreeview, TreeviewFlagsBody(flags),
                        kTreeviewNotFound);
}

bool ReadTreeviewSection(TextFile& file, TreeviewFlagsTable& flags) {
  bool ok = true;
  ForEachFlag(flags, [&](int32_t& f) {
    bool fieldOk = false;
    f = ReadInt(file, &fieldOk);
    ok = ok && fieldOk;
  });
  return ok;
}

}  // namespace zd
