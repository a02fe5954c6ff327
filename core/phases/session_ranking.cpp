#include "phases/session_ranking.h"

#include <algorithm>
#include <cstdio>

namespace zd {

namespace {

std::string Format(const char* format, std::string_view text, int number) {
  char out[160];
  std::snprintf(out, sizeof out, format, std::string(text).c_str(), number);
  return out;
}

std::string Format(const char* format, int number) {
  char out[96];
  std::snprintf(out, sizeof out, format, number);
  return out;
}

}  // namespace

void RankSessionList(RankingList& list, int count, std::string_view rankingMode,
                     const PointsScale* scale) {
  // The second pass gives back their earlier order to entries tied on every key.
  for (int pass = 0; pass < 2; ++pass) {
    if (rankingMode == kRankByLapsAndTime)
      SortByLapsAndTime(list, count);
    else
      SortByBestLap(list, count);
  }
  if (scale != nullptr) AssignPoints(list, rankingMode, count, *scale);
}

int32_t ReadPointsEdit(std::string_view text, int maxChars) {
  int32_t value = 0;
  for (int i = 0; i < maxChars && i < static_cast<int>(text.size()); ++i) {
    if (text[i] < '0' || text[i] > '9') break;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int PointsEditLimit(PointsEdit edit) { return edit == PointsEdit::FirstPlace ? 3 : 2; }

SessionRanking::SessionRanking(RacePhase phase)
    : phase_(phase),
      drivers_(std::make_unique<DriverSessionTable>()),
      list_(std::make_unique<RankingList>()),
      summary_(std::make_unique<PenaltySummary>()) {
  if (phase_ == RacePhase::Practice) scale_ = PointsScale{0, 0, 0, 0, 0, 0};
}

SessionRanking::~SessionRanking() = default;

void SessionRanking::open() {
  TextFile file;
  if (file.open(kRaceFilePath, OpenMode::Read))
    open(&file);
  else
    open(nullptr);
}

void SessionRanking::open(TextFile* file) {
  if (file == nullptr) {
    context_.messages.emplace_back(kRaceFileNotFound);
  } else {
    ReadRaceContext(*file, phase_, context_);
    if (context_.race != 0 && context_.index.seek(*file, pointsSectionTitle())) {
      PointsScale read = scale_;
      ReadPointsSection(*file, rankingMode_, read);
      // Practice keeps only the mode: its section's numbers are six 0.
      if (phase_ != RacePhase::Practice) scale_ = read;
    }
    if (phase_ == RacePhase::Rounds) {
      fieldCount_ = ReadRoundDrivers(*file, context_, context_.session, *drivers_);
    } else {
      ReadSessionSlots(*file, context_, phase_, context_.session, *drivers_);
      fieldCount_ = context_.participantCount;
    }
  }
  results_.clear();
  for (int i = 0; i < fieldCount_; ++i)
    results_.push_back(
        ApplySessionPenalty((*drivers_)[i], *context_.penalties, context_.penaltyCount));

  // The combos offer what the whole field holds, in its own order, once.
  ClearRankingEntries(*list_);
  for (int i = 0; i < fieldCount_; ++i) identityOf(i, (*list_)[i]);
  categoryItems_ = CategoryComboItems(*list_, fieldCount_);
  ageItems_ = AgeComboItems(*list_, fieldCount_);
  rankWholeField(phase_ == RacePhase::Practice);
}

void SessionRanking::identityOf(int driver, RankingEntry& entry) const {
  if (phase_ != RacePhase::Rounds) {
    SetIdentity(entry, (*context_.participants)[driver]);
    return;
  }
  RoundDriverIdentity(context_, (*drivers_)[driver].name, entry);
}

int SessionRanking::driverNamed(std::string_view name) const {
  int found = -1;
  for (int i = 0; i < fieldCount_; ++i)
    if ((*drivers_)[i].name == name) found = i;
  return found;
}

void SessionRanking::takeResult(int driver, RankingEntry& entry) const {
  if (driver < 0) return;
  const SessionResult& r = results_[static_cast<std::size_t>(driver)];
  entry.laps = r.laps;
  entry.raceTime = r.raceTime;
  entry.bestLap = r.bestLap;
  entry.penaltyIndex = r.penaltyIndex;
  entry.points = (*drivers_)[driver].points;
}

void SessionRanking::fillWholeField() {
  ClearRankingEntries(*list_);
  for (int i = 0; i < fieldCount_; ++i) {
    RankingEntry& e = (*list_)[i];
    identityOf(i, e);
    // Practice and qualifying: the result of the participant's name (the last slot of it, which
    // holds the same line as the others); a round line keeps its own.
    takeResult(phase_ == RacePhase::Rounds ? i : driverNamed(e.name), e);
  }
  shown_ = fieldCount_;
}

void SessionRanking::rankWholeField(bool grouped) {
  filters_ = RankingFilters{};
  fillWholeField();
  if (grouped) {
    // The sorts keep the order of full ties: drivers without results stand by category.
    GroupEntriesByCategory(*list_, shown_);
    GroupEntriesByAgeCategory(*list_, shown_);
  }
  RankSessionList(*list_, shown_, rankingMode_, phase_ == RacePhase::Practice ? nullptr : &scale_);
  // Every driver keeps his points for the filtered views.
  for (int i = 0; i < fieldCount_; ++i) {
    (*drivers_)[i].points = 0;
    for (int j = 0; j < shown_; ++j)
      if ((*list_)[j].name == (*drivers_)[i].name) (*drivers_)[i].points = (*list_)[j].points;
  }
  finishRebuild();
}

void SessionRanking::rebuildFiltered() {
  if (!FiltersSet(filters_)) {
    // No filter: the whole field as ranked, unmatched round drivers included.
    fillWholeField();
    RankSessionList(*list_, shown_, rankingMode_, nullptr);
    finishRebuild();
    return;
  }
  ClearRankingEntries(*list_);
  shown_ = 0;
  const ParticipantTable& participants = *context_.participants;
  auto append = [&](int participant, int driver) {
    RankingEntry& e = (*list_)[shown_++];
    SetIdentity(e, participants[participant]);
    takeResult(driver, e);
  };
  if (phase_ == RacePhase::Rounds) {
    // In round order; a driver matching no participant is never listed in a filtered view.
    for (int r = 0; r < fieldCount_ && shown_ < kMaxRankingEntries; ++r)
      for (int t = 0; t < context_.participantCount && shown_ < kMaxRankingEntries; ++t)
        if (participants[t].name == (*drivers_)[r].name &&
            ParticipantPassesFilters(participants[t], filters_))
          append(t, driverNamed((*drivers_)[r].name));
  } else {
    for (int i = 0; i < context_.participantCount; ++i)
      if (ParticipantPassesFilters(participants[i], filters_))
        append(i, driverNamed(participants[i].name));
  }
  // The points are those of the whole field; positions count within the view.
  RankSessionList(*list_, shown_, rankingMode_, nullptr);
  finishRebuild();
}

void SessionRanking::finishRebuild() {
  BuildPenaltySummary(*list_, shown_, *context_.penalties, context_.penaltyCount, *summary_);
}

void SessionRanking::clickSexBox(SexBox box, bool checked) {
  filters_.sex = NextSexFilter(filters_.sex, box, checked);
  rebuildFiltered();
}

void SessionRanking::selectCategory(std::string_view item) {
  filters_.category = item;
  rebuildFiltered();
}

void SessionRanking::selectAge(std::string_view item) {
  filters_.age = item;
  rebuildFiltered();
}

void SessionRanking::setRankingMode(std::string_view mode) {
  rankingMode_ = mode;
  rankWholeField();
}

std::string SessionRanking::pointsEditText(PointsEdit edit) const {
  switch (edit) {
    case PointsEdit::FirstPlace:
      return std::to_string(int64_t{scale_.firstPlaceOffset} + fieldCount_);
    case PointsEdit::Gap1To2:
      return std::to_string(scale_.gap1To2);
    case PointsEdit::Gap2To3:
      return std::to_string(scale_.gap2To3);
    case PointsEdit::Gap3To4:
      return std::to_string(scale_.gap3To4);
    case PointsEdit::Gap4To5:
      return std::to_string(scale_.gap4To5);
    case PointsEdit::GapAfter5:
      return std::to_string(scale_.gapAfter5);
  }
  return {};
}

void SessionRanking::pointsEditChanged(PointsEdit edit, std::string_view text) {
  if (phase_ == RacePhase::Practice) return;
  const int32_t value = ReadPointsEdit(text, PointsEditLimit(edit));
  switch (edit) {
    case PointsEdit::FirstPlace:
      scale_.firstPlaceOffset = value - fieldCount_;
      break;
    case PointsEdit::Gap1To2:
      scale_.gap1To2 = value;
      break;
    case PointsEdit::Gap2To3:
      scale_.gap2To3 = value;
      break;
    case PointsEdit::Gap3To4:
      scale_.gap3To4 = value;
      break;
    case PointsEdit::Gap4To5:
      scale_.gap4To5 = value;
      break;
    case PointsEdit::GapAfter5:
      scale_.gapAfter5 = value;
      break;
  }
  rankWholeField();
}

bool SessionRanking::showsPoints() const {
  return phase_ != RacePhase::Practice && shown_ > 0 && (*list_)[0].points > 0;
}

RankingTable SessionRanking::table() const {
  return RankingTable::Session(shown_, summary_->count);
}

std::string SessionRanking::heading() const {
  switch (phase_) {
    case RacePhase::Practice:
      return Format("Classement de la Séance Essai %d", session());
    case RacePhase::Qualifying:
      return Format("Classement de la Qualif %d", session());
    case RacePhase::Rounds:
      return Format("Classement de la Manche %d", session());
  }
  return {};
}

std::string SessionRanking::title() const {
  switch (phase_) {
    case RacePhase::Practice:
      return Format("%s - Classement Séance Essai %d", raceName(), session());
    case RacePhase::Qualifying:
      return Format("%s - Classement Qualif %d", raceName(), session());
    case RacePhase::Rounds:
      return Format("%s - Classement Manche %d", raceName(), session());
  }
  return {};
}

std::string SessionRanking::screenSubtitle() const {
  const char* base =
      phase_ == RacePhase::Rounds ? "Classement de la manche" : "Classement de la séance";
  return base + FilterSubtitleSuffix(filters_);
}

std::string SessionRanking::paperSubtitle() const {
  return heading() + FilterSubtitleSuffix(filters_);
}

const char* SessionRanking::printJobName() const {
  switch (phase_) {
    case RacePhase::Practice:
      return "CLASSEMENT SEANCE ESSAIS LIBRES : Printing...";
    case RacePhase::Qualifying:
      return "CLASSEMENT SEANCE QUALIFS : Printing...";
    case RacePhase::Rounds:
      return "CLASSEMENT MANCHE RIDUDUZUD : Printing...";
  }
  return "";
}

std::string SessionRanking::pointsSectionTitle() const {
  return PointsSectionTitle(context_.race, phase_);
}

Outcome SessionRanking::writePointsSection(TextFile& file) const {
  // Nothing to write for a SelectionCode that names no race.
  if (context_.race == 0) return Outcome::Success();
  return WritePointsSection(file, pointsSectionTitle(), rankingMode_, scale_);
}

Outcome SessionRanking::writePointsSection() const {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return writePointsSection(file);
}

std::optional<std::string> SessionRanking::sendRefusal() const {
  if (!FiltersSet(filters_)) return std::nullopt;
  const char* what = phase_ == RacePhase::Rounds ? "manche" : "séance";
  return std::string("Seul le classement global de la ") + what +
         " peut être envoyé sur le web.\nVeuillez sélectionner :\n- Les pilotes des 2 sexes\n- "
         "Catégorie auto/moto = 'Toutes'.\n- Catégorie d'age = 'Toutes'.";
}

}  // namespace zd
