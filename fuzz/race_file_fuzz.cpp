// The race file as any bytes: the header and every section read, then sections rewritten into it.
// A rewrite must never break a chain of sections that was whole before it.

#include <memory>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/ranking.h"
#include "files/series_sections.h"
#include "fuzz_support.h"

namespace {

using namespace zd;

constexpr RacePhase kPhases[] = {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds};

// Every reader's destination, new for each input as a caller clears them.
struct Tables {
  RaceHeaderRecords header;
  EventInformation info;
  TrackSettings track;
  PenaltyTable penalties;
  TreeviewFlagsTable flags;
  ParticipantTable participants;
  ParticipantNames names;
  SeriesParameters parameters;
  ArrangementRecords arrangementRecords;
  SeriesArrangement arrangement;
  StartingGrid grid;
  FixedText<24> rankingMode;
  PointsScale points;
  ClassementSettings classement;
  RankingList ranking;
  SeriesTable series;
  SeriesTexts texts;
};

void ReadEverything(TextFile& f, Tables& t) {
  int32_t code = 0, count = 0;
  ReadRaceFileHeader(f, code, count, t.header);
  if (FindSection(f, kInformationTitle)) ReadInformationSection(f, t.info);
  if (FindSection(f, kTrackTitle)) ReadTrackSection(f, t.track);
  if (FindSection(f, kPenaltiesTitle)) ReadPenaltiesSection(f, t.penalties);
  if (FindSection(f, kTreeviewTitle)) ReadTreeviewSection(f, t.flags);
  if (FindSection(f, ParticipantsSectionTitle(1))) ReadParticipantsSection(f, t.participants);
  if (FindSection(f, ParticipantsSectionTitle(1))) ReadParticipantNames(f, t.names);
  for (RacePhase phase : kPhases) {
    if (FindSection(f, ParametersSectionTitle(1, phase))) ReadParametersSection(f, t.parameters);
    const std::string arrangement = ArrangementSectionTitle(1, phase);
    int32_t n = 0;
    if (phase == RacePhase::Rounds) {
      if (FindSection(f, arrangement)) ReadRoundArrangementRecords(f, n, t.participants);
      if (FindSection(f, arrangement)) ReadRoundArrangementNames(f, t.grid);
    } else {
      if (FindSection(f, arrangement)) ReadSeriesArrangementRecords(f, n, t.arrangementRecords);
      if (FindSection(f, arrangement)) ReadSeriesArrangementNames(f, t.arrangement);
    }
    if (FindSection(f, PointsSectionTitle(1, phase))) ReadPointsSection(f, t.rankingMode, t.points);
    if (FindSection(f, ClassementSectionTitle(1, phase)))
      ReadClassementSection(f, t.classement, t.ranking);
  }
  for (const std::string& title : {PracticeSeriesTitle(1, 1, 1), QualifyingSeriesTitle(1, 1, 1)})
    if (FindSection(f, title)) ReadSeriesResultsSection(f, t.series, t.texts);
  int32_t capacity = 0;
  if (FindSection(f, RoundTitle(1, 1))) ReadRoundResultsSection(f, t.series, capacity, t.texts);
  ReadRoundCapacity(f, RoundTitle(1, 1));
}

// A title that no section has: the walk goes over the whole chain.
bool ChainWhole(TextFile& f) {
  return LocateSection(f, "DadevuDoreNone").result != SectionSearch::Damaged;
}

void RewriteSome(TextFile& f, Tables& t) {
  const bool whole = ChainWhole(f);
  const auto after = [&](const Outcome& out) {
    if (whole) fuzz::Check(ChainWhole(f));
    (void)out;
  };
  t.info.eventName = "Grand Prix";
  after(WriteInformationSection(f, t.info));
  after(WritePenaltiesSection(f, t.penalties));
  t.participants[0].name = "DadevuDore1EL1S1";
  after(WriteParticipantsSection(f, ParticipantsSectionTitle(1), t.participants));
  after(WriteSeriesResultsSection(f, PracticeSeriesTitle(1, 1, 1), t.series, t.texts));
  after(WriteRoundResultsSection(f, RoundTitle(1, 1), t.series, 1000, t.texts));
  after(WritePointsSection(f, PointsSectionTitle(1, RacePhase::Rounds), t.rankingMode, t.points));
  after(WriteRaceFileHeader(f, 10000, 3, t.header));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;
  fuzz::WriteInput(kRaceFilePath, data, size);
  TextFile f;
  if (!f.open(kRaceFilePath, OpenMode::Update)) return 0;
  Tables& tables = fuzz::Fresh<Tables>();
  ReadEverything(f, tables);
  RewriteSome(f, tables);
  ReadEverything(f, fuzz::Fresh<Tables>());
  return 0;
}
