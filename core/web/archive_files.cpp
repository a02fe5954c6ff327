#include "web/archive_files.h"

#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

void CountLine(FieldWriter& out, int64_t value) { out.raw(std::to_string(value)).endLine(); }
// A header text of the rankings: the text, a TAB, the line end.
void HeaderText(FieldWriter& out, std::string_view text) { out.text(text).endLine(); }
// A header text of the participants list: no TAB.
void PlainLine(FieldWriter& out, std::string_view text) {
  FieldWriter one;
  one.text(text);
  std::string line = one.take();
  line.pop_back();  // the field's TAB
  out.raw(line).endLine();
}

// The seven texts common to the rankings' headers, in their order.
void RankingHeader(FieldWriter& out, const ArchiveEventTexts& event) {
  for (std::string_view text : {std::string_view(event.championship),
                                std::string_view(event.eventName), std::string_view(event.place),
                                std::string_view(event.date), std::string_view(event.raceDirector),
                                std::string_view(event.club), std::string_view(event.raceName)}) {
    HeaderText(out, text);
  }
}

// The six texts that open a ranking line.
void RankingTexts(FieldWriter& out, const RankingEntry& e) {
  out.text(e.carNumber).text(e.name).text(e.ageCategoryCode).text(e.club).text(e.nationCode)
      .text(e.vehicleCategory);
}

}  // namespace

ArchiveEventTexts MakeArchiveEventTexts(const EventInformation& info, std::string_view raceName) {
  ArchiveEventTexts t;
  t.championship = info.championship.str();
  t.eventName = std::string(DisplayedEventName(info.eventName));
  t.raceName = std::string(raceName);
  t.place = info.place.str();
  t.date = info.date.str();
  t.raceDirector = info.raceDirector.str();
  t.club = info.club.str();
  t.international = IsInternationalEvent(info.eventName) ? 1 : 0;
  return t;
}

bool WriteParticipantsArchive(std::string_view path, std::span<const ParticipantRecord> participants,
                              const ArchiveEventTexts& event) {
  FieldWriter out;
  CountLine(out, static_cast<int64_t>(participants.size()));
  CountLine(out, event.international);
  PlainLine(out, event.championship);
  PlainLine(out, event.eventName + " / " + event.raceName);
  PlainLine(out, event.place);
  PlainLine(out, event.date);
  PlainLine(out, event.raceDirector);
  PlainLine(out, event.club);
  for (const ParticipantRecord& p : participants) {
    out.text(p.carNumber).text(p.name).text(p.ageCategoryCode).text(p.club).text(p.nationCode)
        .text(p.vehicle).text(p.vehicleCategory).endLine();
  }
  return WriteWholeFile(path, out.str());
}

bool WriteSessionArchive(std::string_view path, const SessionArchive& archive,
                         const ArchiveEventTexts& event) {
  const int codes = archive.penalties ? CountPenalties(*archive.penalties) : 0;
  FieldWriter out;
  CountLine(out, static_cast<int64_t>(archive.entries.size()));
  CountLine(out, static_cast<int64_t>(archive.summary.size()));
  CountLine(out, codes);
  CountLine(out, event.international);
  HeaderText(out, archive.rankingKey);
  RankingHeader(out, event);
  for (const RankingEntry& e : archive.entries) {
    RankingTexts(out, e);
    out.integer(e.sex).integer(e.penaltyIndex).integer(e.laps).integer(e.raceTime)
        .integer(e.bestLap).integer(e.points).endLine();
  }
  for (const PenaltySummaryRecord& s : archive.summary) {
    out.text(s.name).text(s.code).integer(s.amount).integer(s.kind).endLine();
  }
  for (int i = 0; i < codes; ++i) HeaderText(out, (*archive.penalties)[i].code);
  return WriteWholeFile(path, out.str());
}

bool WriteFinalRankingArchive(std::string_view path, const FinalRankingArchive& archive,
                              const ArchiveEventTexts& event) {
  int64_t abandoned = 0;
  int64_t penalised = 0;
  for (const RankingEntry& e : archive.entries) {
    if (e.abandonCount > 0) ++abandoned;
    if (e.penaltyCount > 0) ++penalised;
  }
  FieldWriter out;
  CountLine(out, static_cast<int64_t>(archive.entries.size()));
  CountLine(out, abandoned);
  CountLine(out, penalised);
  CountLine(out, archive.firstSession);
  CountLine(out, archive.lastSession);
  CountLine(out, archive.bestCount);
  CountLine(out, event.international);
  out.integer(archive.sexFilter).endLine();
  HeaderText(out, archive.categoryFilter);
  HeaderText(out, archive.ageFilter);
  HeaderText(out, archive.rankingKey);
  RankingHeader(out, event);
  for (const RankingEntry& e : archive.entries) {
    RankingTexts(out, e);
    out.integer(e.sex).integer(e.abandonCount).integer(e.penaltyCount).integer(e.laps)
        .integer(e.raceTime).integer(e.bestLap).integer(e.points);
    for (int32_t value : e.sessionValues) out.integer(value);
    out.endLine();
  }
  return WriteWholeFile(path, out.str());
}

}  // namespace zd
