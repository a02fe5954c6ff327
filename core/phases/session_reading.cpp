#include "phases/session_reading.h"

#include <algorithm>

#include "files/series_sections.h"
#include "phases/ranking_filters.h"

namespace zd {

namespace {

// Empty slots carry markers in place of their times; a driver's line never should.
int32_t PlainTime(int32_t t) { return (t == kMissingTime || t == kEmptySlotTime) ? 0 : t; }

void TakeLine(DriverSessionBuffer& d, const SeriesResultEntry& e) {
  d.laps = e.laps;
  d.raceTime = PlainTime(e.raceTime);
  d.bestLap = PlainTime(e.bestLap);
  d.passingCount = std::clamp(e.passingCount, 0, kMaxPassings);
  std::copy(e.passingTimes.begin(), e.passingTimes.begin() + d.passingCount + 1,
            d.passingTimes.begin());
  d.penaltyIndex = e.penaltyIndex;
}

bool NamedLine(const SeriesResultEntry& e) { return !e.name.empty() && e.name != kEmptySlotName; }

}  // namespace

int32_t SessionNodeBase(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return 3950;
    case RacePhase::Qualifying:
      return 4950;
    case RacePhase::Rounds:
      return 5950;
  }
  return 0;
}

RaceContext::RaceContext() {
  ClearParticipants(*participants);
  ClearPenaltyTable(*penalties);
}

int32_t RaceContext::seriesCount(RacePhase phase) const {
  const int32_t n = phase == RacePhase::Practice ? header.practiceSeries : header.qualifyingSeries;
  return std::clamp(n, 0, kMaxSeriesPerSession);
}

void ReadRaceContext(TextFile& file, RacePhase phase, RaceContext& context) {
  int32_t code = 0;
  int32_t raceCount = 0;
  RaceHeaderRecords records;
  ClearRaceHeaderRecords(records);
  ReadRaceFileHeader(file, code, raceCount, records);
  context.index = IndexSections(file);
  const SectionIndex& index = context.index;

  if (index.seek(file, kInformationTitle)) {
    ReadInformationSection(file, context.information);
    context.international = IsInternationalEvent(context.information.eventName);
    context.information.eventName = DisplayedEventName(context.information.eventName);
  }

  const int32_t race = code / 10000;
  if (race >= 1 && race <= raceCount) {
    context.race = race;
    context.header = records[static_cast<std::size_t>(race - 1)];
    context.participantCount = std::clamp(context.header.participantCount, 0, kMaxParticipants);
    context.session = std::clamp(code % 10000 - SessionNodeBase(phase), 1, kMaxSessions);
    if (index.seek(file, ParticipantsSectionTitle(race)))
      ReadParticipantsSection(file, *context.participants);
    else
      context.messages.emplace_back(kParticipantsTitleNotFound);
  }
  if (index.seek(file, kPenaltiesTitle)) ReadPenaltiesSection(file, *context.penalties);
  context.penaltyCount = CountPenalties(*context.penalties);
}

void ReadSessionSlots(TextFile& file, const RaceContext& context, RacePhase phase, int session,
                      DriverSessionTable& slots) {
  for (int i = 0; i < kMaxParticipants; ++i) slots[i].name = (*context.participants)[i].name;
  if (context.race == 0) return;
  auto table = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  const int32_t series = context.seriesCount(phase);
  for (int s = 1; s <= series; ++s) {
    const std::string title = phase == RacePhase::Practice
                                  ? PracticeSeriesTitle(context.race, session, s)
                                  : QualifyingSeriesTitle(context.race, session, s);
    if (!context.index.seek(file, title)) continue;
    std::fill(table->begin(), table->end(), SeriesResultEntry{});
    ReadSeriesResultsSection(file, *table, texts);
    for (const SeriesResultEntry& e : *table) {
      if (!NamedLine(e)) continue;
      // Participants sharing a name all take the line; a later line of the name replaces it.
      for (int i = 0; i < context.participantCount; ++i)
        if ((*context.participants)[i].name == e.name) TakeLine(slots[i], e);
    }
  }
}

int ReadRoundDrivers(TextFile& file, const RaceContext& context, int round,
                     DriverSessionTable& drivers) {
  if (context.race == 0 || !context.index.seek(file, RoundTitle(context.race, round))) return 0;
  auto table = std::make_unique<SeriesTable>();
  SeriesTexts texts;
  int32_t capacity = 0;
  ReadRoundResultsSection(file, *table, capacity, texts);
  int count = 0;
  for (const SeriesResultEntry& e : *table) {
    if (!NamedLine(e)) continue;
    drivers[count].name = e.name;
    TakeLine(drivers[count], e);
    ++count;
  }
  return count;
}

void RoundDriverIdentity(const RaceContext& context, std::string_view name, RankingEntry& entry) {
  entry = RankingEntry{};
  entry.name = name;
  for (int j = 0; j < context.participantCount; ++j)
    if ((*context.participants)[j].name == name) SetIdentity(entry, (*context.participants)[j]);
}

}  // namespace zd
