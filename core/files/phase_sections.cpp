#include "files/phase_sections.h"

#include <algorithm>

namespace zd {

namespace {

constexpr std::string_view kParametersNotFound =
    "Error: Title of the qualification race parameters not found";
constexpr std::string_view kArrangementNotFound = "Error: Title of series arrangement not found";
constexpr std::string_view kPointsNotFound = "Error: Title of the classification points not found";
constexpr std::string_view kClassementNotFound =
    "Error: Title of the qualification points not found";

std::string_view PhaseWord(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice: return "Essais";
    case RacePhase::Qualifying: return "Qualifs";
    case RacePhase::Rounds: return "Manches";
  }
  return "Essais";
}

std::string Title(int race, std::string_view before, std::string_view after) {
  std::string title(kTitlePrefix);
  title += std::to_string(race);
  title += before;
  title += after;
  return title;
}

std::string_view NameOrEmptySlot(std::string_view name) {
  return name.empty() ? kEmptySlotName : name;
}

// A count line followed by one name line per slot.
template <typename NameFn>
std::string NamesBody(int32_t count, int slots, NameFn nameAt) {
  FieldWriter body;
  body.integer(count).endLine();
  for (int i = 0; i < slots; ++i) body.text(NameOrEmptySlot(nameAt(i))).endLine();
  return body.take();
}

// Reads an integer field into value when it is one, kept within [lo, hi]; notes any fault.
void ReadBoundedInt(TextFile& file, int32_t& value, int32_t lo, int32_t hi, bool& ok) {
  bool fieldOk = false;
  int32_t v = ReadInt(file, &fieldOk);
  if (!fieldOk) {
    ok = false;
    return;
  }
  if (v < lo || v > hi) ok = false;
  value = std::clamp(v, lo, hi);
}

// One name per line, each up to its TAB; empty lines between names are skipped.
template <typename NameFn>
bool ReadNames(TextFile& file, int slots, NameFn nameAt) {
  for (int i = 0; i < slots; ++i) {
    if (!SkipLineEnds(file)) return false;
    ReadText(file, nameAt(i));
    if (!SkipLine(file)) return false;
  }
  return true;
}

// A body of a count line and names.
template <typename NameFn>
bool ReadCountAndNames(TextFile& file, int32_t& count, int32_t lo, int32_t hi, int slots,
                       NameFn nameAt) {
  bool ok = true;
  ReadBoundedInt(file, count, lo, hi, ok);
  if (!SkipLine(file)) return false;
  return ReadNames(file, slots, nameAt) && ok;
}

}  // namespace

int32_t BoundSeriesLaps(int32_t laps, int32_t passingCapacity) {
  return std::min(laps, passingCapacity);
}

std::string SeriesLapsProblem(int32_t laps, int32_t passingCapacity) {
  if (laps >= 1 && laps <= passingCapacity) return {};
  return "Le nombre de tours doit être compris entre 1 et " + std::to_string(passingCapacity) +
         " !";
}

std::string ParametersSectionTitle(int race, RacePhase phase) {
  return Title(race, PhaseWord(phase), "Paramètres");
}

std::string ArrangementSectionTitle(int race, RacePhase phase) {
  return Title(race, "Repartition", PhaseWord(phase));
}

std::string PointsSectionTitle(int race, RacePhase phase) {
  return Title(race, PhaseWord(phase), "Points");
}

std::string ClassementSectionTitle(int race, RacePhase phase) {
  return Title(race, PhaseWord(phase), "Classement");
}

Outcome WriteParametersSection(TextFile& file, std::string_view title,
                               const SeriesParameters& p) {
  FieldWriter body;
  body.text(p.rankingMode)
      .text(p.durationKind)
      .integer(p.passingCapacity)
      .integer(p.duration)
      .integer(p.laps)
      .integer(p.countdown)
      .integer(p.rest)
      .text(p.startType)
      .text(p.endRuleByTime)
      .text(p.endRuleByLaps)
      .endLine();
  return RewriteSection(file, title, filler::kParameters, body.str(), kParametersNotFound);
}

bool ReadParametersSection(TextFile& file, SeriesParameters& parameters) {
  // One record on one line: a line cut short leaves the caller's values whole.
  SeriesParameters p = parameters;
  bool ok = true;
  ReadText(file, p.rankingMode);
  ReadText(file, p.durationKind);
  ReadBoundedInt(file, p.passingCapacity, 1, kMaxPassings, ok);
  ReadBoundedInt(file, p.duration, INT32_MIN, INT32_MAX, ok);
  ReadBoundedInt(file, p.laps, INT32_MIN, INT32_MAX, ok);
  ReadBoundedInt(file, p.countdown, INT32_MIN, INT32_MAX, ok);
  ReadBoundedInt(file, p.rest, INT32_MIN, INT32_MAX, ok);
  ReadText(file, p.startType);
  ReadText(file, p.endRuleByTime);
  if (ReadText(file, p.endRuleByLaps) != FieldEnd::Tab) return false;
  parameters = p;
  return ok;
}

Outcome WriteSeriesArrangementRecords(TextFile& file, std::string_view title,
                                      int32_t driversPerSeries, const ArrangementRecords& records) {
  return RewriteSection(
      file, title, filler::kSeriesArrangement,
      NamesBody(driversPerSeries, kArrangementSlots, [&](int i) { return records[i].name.view(); }),
      kArrangementNotFound);
}

bool SeriesArrangementFits(const SeriesArrangement& arrangement) {
  return DiskSize(NamesBody(arrangement.driversPerSeries, kArrangementSlots,
                            [&](int i) { return arrangement.names[i].view(); })) <=
         2 * static_cast<std::size_t>(filler::kSeriesArrangement) + 2;
}

bool StartingGridFits(const StartingGrid& grid) {
  return DiskSize(NamesBody(grid.qualifiedCount, kGridSlots,
                            [&](int i) { return grid.names[i].view(); })) <=
         2 * static_cast<std::size_t>(filler::kRoundArrangement) + 2;
}

Outcome WriteSeriesArrangementNames(TextFile& file, std::string_view title,
                                    const SeriesArrangement& arrangement) {
  return RewriteSection(file, title, filler::kSeriesArrangement,
                        NamesBody(arrangement.driversPerSeries, kArrangementSlots,
                                  [&](int i) { return arrangement.names[i].view(); }),
                        kArrangementNotFound);
}

Outcome WriteRoundArrangementRecords(TextFile& file, std::string_view title,
                                     int32_t qualifiedCount, const ParticipantTable& records) {
  return RewriteSection(
      file, title, filler::kRoundArrangement,
      NamesBody(qualifiedCount, kGridSlots, [&](int i) { return records[i].name.view(); }),
      kArrangementNotFound);
}

Outcome WriteRoundArrangementNames(TextFile& file, std::string_view title,
                                   const StartingGrid& grid) {
  return RewriteSection(
      file, title, filler::kRoundArrangement,
      NamesBody(grid.qualifiedCount, kGridSlots, [&](int i) { return grid.names[i].view(); }),
      kArrangementNotFound);
}

bool ReadSeriesArrangementRecords(TextFile& file, int32_t& driversPerSeries,
                                  ArrangementRecords& records) {
  return ReadCountAndNames(file, driversPerSeries, 1, kMaxDriversPerSeries, kArrangementSlots,
                           [&](int i) -> FixedText<40>& { return records[i].name; });
}

bool ReadSeriesArrangementNames(TextFile& file, SeriesArrangement& arrangement) {
  return ReadCountAndNames(file, arrangement.driversPerSeries, 1, kMaxDriversPerSeries,
                           kArrangementSlots,
                           [&](int i) -> FixedText<40>& { return arrangement.names[i]; });
}

bool ReadRoundArrangementRecords(TextFile& file, int32_t& qualifiedCount,
                                 ParticipantTable& records) {
  return ReadCountAndNames(file, qualifiedCount, 0, kMaxDriversPerSeries, kGridSlots,
                           [&](int i) -> FixedText<40>& { return records[i].name; });
}

bool ReadRoundArrangementNames(TextFile& file, StartingGrid& grid) {
  return ReadCountAndNames(file, grid.qualifiedCount, 0, kMaxDriversPerSeries, kGridSlots,
                           [&](int i) -> FixedText<40>& { return grid.names[i]; });
}

Outcome WritePointsSection(TextFile& file, std::string_view title, std::string_view rankingMode,
                           const PointsScale& scale) {
  FieldWriter body;
  body.text(rankingMode)
      .integer(scale.firstPlaceOffset)
      .integer(scale.gap1To2)
      .integer(scale.gap2To3)
      .integer(scale.gap3To4)
      .integer(scale.gap4To5)
      .integer(scale.gapAfter5)
      .endLine();
  return RewriteSection(file, title, filler::kPoints, body.str(), kPointsNotFound);
}

bool ReadPointsSection(TextFile& file, FixedText<24>& rankingMode, PointsScale& scale) {
  // One line: a line cut short leaves the caller's values whole.
  FixedText<24> mode;
  PointsScale read = scale;
  bool ok = ReadText(file, mode) == FieldEnd::Tab;
  for (int32_t* v : {&read.firstPlaceOffset, &read.gap1To2, &read.gap2To3, &read.gap3To4,
                     &read.gap4To5, &read.gapAfter5})
    ReadBoundedInt(file, *v, INT32_MIN, INT32_MAX, ok);
  if (!SkipLine(file)) return false;
  rankingMode = mode;
  scale = read;
  return ok;
}

Outcome WriteClassementSection(TextFile& file, std::string_view title,
                               const ClassementSettings& settings, const RankingList& list) {
  FieldWriter body;
  body.integer(settings.firstSession)
      .integer(settings.lastSession)
      .integer(settings.bestCount)
      .text(settings.rankingMode)
      .endLine();
  for (const RankingEntry& e : list) body.text(NameOrEmptySlot(e.name)).endLine();
  return RewriteSection(file, title, filler::kClassement, body.str(), kClassementNotFound);
}

bool ReadClassementSection(TextFile& file, ClassementSettings& settings, RankingList& list) {
  bool ok = true;
  ReadBoundedInt(file, settings.firstSession, 1, kMaxSessions, ok);
  ReadBoundedInt(file, settings.lastSession, 1, kMaxSessions, ok);
  ReadBoundedInt(file, settings.bestCount, 0, kMaxSessions, ok);
  if (ReadText(file, settings.rankingMode) != FieldEnd::Tab) ok = false;
  if (!SkipLine(file)) return false;
  return ReadNames(file, kMaxRankingEntries,
                   [&](int i) -> FixedText<40>& { return list[i].name; }) &&
         ok;
}

}  // namespace zd
