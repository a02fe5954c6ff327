#include "phases/final_ranking.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "phases/session_penalties.h"
#include "phases/session_ranking.h"

namespace zd {

namespace {

constexpr int32_t kNoValue = kEmptySlotTime;  // nothing kept yet while combining

std::string FormatRange(const char* format, std::string_view text, int a, int b) {
  char out[160];
  std::snprintf(out, sizeof out, format, std::string(text).c_str(), a, b);
  return out;
}

std::string FormatRange(const char* format, int a, int b) {
  char out[120];
  std::snprintf(out, sizeof out, format, a, b);
  return out;
}

bool HasResult(const RankingEntry& e) { return e.laps > 0 || e.raceTime > 0 || e.bestLap > 0; }

}  // namespace

std::string ArchiveNamePart(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (std::string_view("<>:/\\|?*\" ").find(c) != std::string_view::npos) c = '_';
  return out;
}

ArchiveNameParts FinalArchiveNameParts(const RankingFilters& f) {
  ArchiveNameParts parts;
  parts.sexCode = f.sex == kWomenOnly ? "F" : f.sex == kMenOnly ? "M" : "MF";
  auto orAll = [](std::string s) { return s == kAllFilter ? std::string("zToutes") : s; };
  parts.category = orAll(ArchiveNamePart(f.category));
  std::string age(f.age.view());
  if (const std::size_t blank = age.find(' '); blank != std::string::npos) age.erase(blank, 1);
  age = ArchiveNamePart(age);
  parts.ageCode = orAll(age.substr(0, age.find('(')));
  parts.ageText = orAll(age);
  return parts;
}

ArchiveNames FinalArchiveNames(RacePhase phase, const RankingFilters& filters) {
  const ArchiveNameParts p = FinalArchiveNameParts(filters);
  const std::string prefix = phase == RacePhase::Practice     ? "TClassement-"
                             : phase == RacePhase::Qualifying ? "QClassement-"
                                                              : "MClassement-";
  const std::string head = prefix + p.sexCode + "-" + p.category + "-";
  return {head + p.ageText + ".txt", head + p.ageCode + ".txt"};
}

FinalRanking::FinalRanking(RacePhase phase)
    : phase_(phase),
      sessions_(std::make_unique<SessionTables>()),
      sessionLists_(std::make_unique<std::array<RankingList, kMaxSessions>>()),
      list_(std::make_unique<RankingList>()) {}

FinalRanking::~FinalRanking() = default;

void FinalRanking::open() {
  TextFile file;
  if (file.open(kRaceFilePath, OpenMode::Read))
    open(&file);
  else
    open(nullptr);
}

void FinalRanking::open(TextFile* file) {
  if (file == nullptr) {
    context_.messages.emplace_back(kRaceFileNotFound);
  } else {
    ReadRaceContext(*file, phase_, context_);
    const RaceHeaderRecord& h = context_.header;
    const int32_t count = phase_ == RacePhase::Practice     ? h.practiceSessions
                          : phase_ == RacePhase::Qualifying ? h.qualifyingSessions
                                                            : h.rounds;
    sessionCount_ = context_.race == 0 ? 0 : std::clamp(count, 0, kMaxSessions);
    range_ = {1, sessionCount_, sessionCount_};
    if (context_.race != 0 &&
        context_.index.seek(*file, PointsSectionTitle(context_.race, phase_))) {
      ReadPointsSection(*file, sessionMode_, scale_);
    }
    rankingMode_ = sessionMode_;
    if (context_.race != 0 && context_.index.seek(*file, classementSectionTitle())) {
      ClassementSettings settings;
      settings.rankingMode = rankingMode_;
      auto names = std::make_unique<RankingList>();
      ReadClassementSection(*file, settings, *names);
      range_ = {settings.firstSession, settings.lastSession, settings.bestCount};
      rankingMode_ = settings.rankingMode;
    }
    if (phase_ == RacePhase::Rounds) {
      readRounds(*file);
    } else {
      for (int s = 1; s <= sessionCount_; ++s) {
        ReadSessionSlots(*file, context_, phase_, s, (*sessions_)[s - 1]);
        sessionDrivers_[s - 1] = context_.participantCount;
      }
      fieldCount_ = context_.participantCount;
    }
  }
  rankSessions();

  // The combos offer what the whole field holds, in its own order.
  ClearRankingEntries(*list_);
  for (int i = 0; i < fieldCount_; ++i) {
    if (phase_ == RacePhase::Rounds)
      RoundDriverIdentity(context_, roundDrivers_[i], (*list_)[i]);
    else
      SetIdentity((*list_)[i], (*context_.participants)[i]);
  }
  categoryItems_ = CategoryComboItems(*list_, fieldCount_);
  ageItems_ = AgeComboItems(*list_, fieldCount_);

  // Showing the three numbers is an edit of each in turn.
  range_.first = std::clamp(range_.first, 1, kMaxSessions);
  range_.last = std::clamp(range_.last, 1, kMaxSessions);
  range_.bestCount = std::clamp(range_.bestCount, 1, kMaxSessions);
  settle(RangeEdit::First, range_.first);
  settle(RangeEdit::Last, range_.last);
  if (phase_ != RacePhase::Practice) settle(RangeEdit::BestCount, range_.bestCount);
  rebuildFinalList(false);
}

void FinalRanking::readRounds(TextFile& file) {
  // Each round keeps its own drivers; the ranked ones are those of the last round present, then
  // the others in order of first appearance.
  std::vector<FixedText<40>> last;
  std::vector<FixedText<40>> others;
  for (int r = 1; r <= sessionCount_; ++r) {
    DriverSessionTable& table = (*sessions_)[r - 1];
    if (!context_.index.find(RoundTitle(context_.race, r))) continue;
    sessionDrivers_[r - 1] = ReadRoundDrivers(file, context_, r, table);
    for (const FixedText<40>& name : last)
      if (std::find(others.begin(), others.end(), name) == others.end()) others.push_back(name);
    last.clear();
    for (int k = 0; k < sessionDrivers_[r - 1]; ++k)
      if (std::find(last.begin(), last.end(), table[k].name) == last.end())
        last.push_back(table[k].name);
  }
  roundDrivers_ = last;
  for (const FixedText<40>& name : others) {
    if (static_cast<int>(roundDrivers_.size()) >= kMaxRankingEntries) break;
    if (std::find(roundDrivers_.begin(), roundDrivers_.end(), name) == roundDrivers_.end())
      roundDrivers_.push_back(name);
  }
  if (static_cast<int>(roundDrivers_.size()) > kMaxRankingEntries)
    roundDrivers_.resize(kMaxRankingEntries);
  fieldCount_ = static_cast<int32_t>(roundDrivers_.size());
}

void FinalRanking::rankSessions() {
  for (int s = 1; s <= kMaxSessions; ++s) {
    RankingList& list = (*sessionLists_)[s - 1];
    ClearRankingEntries(list);
    if (s > sessionCount_) continue;
    const DriverSessionTable& table = (*sessions_)[s - 1];
    const int count = sessionDrivers_[s - 1];
    for (int i = 0; i < count; ++i) {
      RankingEntry& e = list[i];
      e.name = table[i].name;
      // Participants sharing a name hold the same line; a round line is its own driver's.
      int from = i;
      if (phase_ != RacePhase::Rounds)
        for (int j = 0; j < count; ++j)
          if (table[j].name == e.name) from = j;
      const SessionResult r =
          ApplySessionPenalty(table[from], *context_.penalties, context_.penaltyCount);
      e.laps = r.laps;
      e.raceTime = r.raceTime;
      e.bestLap = r.bestLap;
      e.penaltyIndex = r.penaltyIndex;
    }
    if (phase_ != RacePhase::Practice) RankSessionList(list, count, sessionMode_, &scale_);
  }
}

void FinalRanking::combineSessionResults(RankingEntry& entry) const {
  int32_t laps = 0;
  int32_t time = kNoValue;
  int32_t best = kNoValue;
  entry.sessionValues.fill(0);
  for (int s = range_.first; s <= range_.last && s <= sessionCount_; ++s) {
    const RankingList& list = (*sessionLists_)[s - 1];
    for (int i = 0; i < sessionDrivers_[s - 1]; ++i) {
      const RankingEntry& e = list[i];
      if (e.name != entry.name) continue;
      // The best session: most laps, then the smaller time; a session not run never counts.
      if ((e.laps != 0 || e.raceTime != 0) &&
          (e.laps > laps || (e.laps == laps && e.raceTime < time))) {
        laps = e.laps;
        time = e.raceTime;
      }
      if (e.bestLap != 0 && e.bestLap < best) best = e.bestLap;
      entry.sessionValues[s - 1] = e.points;
    }
  }
  entry.laps = laps;
  entry.raceTime = (laps == 0 && time == kNoValue) ? 0 : time;
  entry.bestLap = best == kNoValue ? 0 : best;
  SortSessionValuesDescending(entry);
  int64_t sum = 0;
  if (phase_ != RacePhase::Practice)
    for (int k = 0; k < std::clamp(range_.bestCount, 0, kSessionValues); ++k)
      sum += entry.sessionValues[k];
  entry.points = static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
}

void FinalRanking::countAbandonsAndPenalties(RankingEntry& entry) const {
  entry.abandonCount = 0;
  entry.penaltyCount = 0;
  for (int s = range_.first; s <= range_.last && s <= sessionCount_; ++s) {
    const RankingList& list = (*sessionLists_)[s - 1];
    for (int i = 0; i < sessionDrivers_[s - 1]; ++i) {
      if (list[i].name != entry.name) continue;
      if (IsAbandon(list[i].penaltyIndex, context_.penaltyCount)) ++entry.abandonCount;
      if (IsOtherPenalty(list[i].penaltyIndex, context_.penaltyCount)) ++entry.penaltyCount;
    }
  }
}

void FinalRanking::rebuildFinalList(bool filtered) {
  if (!filtered) filters_ = RankingFilters{};
  const bool filtering = FiltersSet(filters_);
  ClearRankingEntries(*list_);
  shown_ = 0;
  const ParticipantTable& participants = *context_.participants;
  if (phase_ == RacePhase::Rounds) {
    for (const FixedText<40>& name : roundDrivers_) {
      if (!filtering) {
        RoundDriverIdentity(context_, name, (*list_)[shown_++]);
        continue;
      }
      // A filtered view lists the participants of the driver's name that pass.
      for (int t = 0; t < context_.participantCount && shown_ < kMaxRankingEntries; ++t)
        if (participants[t].name == name && ParticipantPassesFilters(participants[t], filters_))
          SetIdentity((*list_)[shown_++], participants[t]);
      if (shown_ >= kMaxRankingEntries) break;
    }
  } else {
    for (int i = 0; i < context_.participantCount; ++i)
      if (!filtering || ParticipantPassesFilters(participants[i], filters_))
        SetIdentity((*list_)[shown_++], participants[i]);
  }
  abandoned_ = 0;
  penalised_ = 0;
  for (int i = 0; i < shown_; ++i) {
    combineSessionResults((*list_)[i]);
    countAbandonsAndPenalties((*list_)[i]);
    if ((*list_)[i].abandonCount > 0) ++abandoned_;
    if ((*list_)[i].penaltyCount > 0) ++penalised_;
  }
  // The second pass gives back their order to the entries tied on every criterion.
  SortFinalRanking(*list_, shown_, rankingMode_);
  SortFinalRanking(*list_, shown_, rankingMode_);
}

int32_t FinalRanking::settle(RangeEdit edit, int32_t value) {
  value = std::clamp(value, 1, kMaxSessions);
  switch (edit) {
    case RangeEdit::First:
      range_.first = std::min(value, range_.last);
      return range_.first;
    case RangeEdit::Last:
      range_.last = std::max(value, range_.first);
      return range_.last;
    case RangeEdit::BestCount:
      range_.bestCount = std::min(value, range_.last - range_.first + 1);
      return range_.bestCount;
  }
  return value;
}

std::string FinalRanking::rangeEditText(RangeEdit edit) const {
  switch (edit) {
    case RangeEdit::First:
      return std::to_string(range_.first);
    case RangeEdit::Last:
      return std::to_string(range_.last);
    case RangeEdit::BestCount:
      return std::to_string(range_.bestCount);
  }
  return {};
}

std::vector<RangeRewrite> FinalRanking::rangeEdited(RangeEdit edit, std::string_view text) {
  std::vector<RangeRewrite> rewrites;
  // 0 and an empty edit count as 1 without a rewrite, so that the organiser can type the next
  // digit in the one-character edit.
  const int32_t typed = std::max(ReadPointsEdit(text, 1), 1);
  const int32_t kept = settle(edit, typed);
  // Only a value moved against another edit is written back; the rewrite settles at once.
  if (kept != typed) rewrites.push_back({edit, std::to_string(kept)});
  rebuildFinalList(false);
  return rewrites;
}

void FinalRanking::setRankingMode(std::string_view mode) {
  rankingMode_ = mode;
  rebuildFinalList(false);
}

void FinalRanking::clickSexBox(SexBox box, bool checked) {
  filters_.sex = NextSexFilter(filters_.sex, box, checked);
  rebuildFinalList(true);
}

void FinalRanking::selectCategory(std::string_view item) {
  filters_.category = item;
  rebuildFinalList(true);
}

void FinalRanking::selectAge(std::string_view item) {
  filters_.age = item;
  rebuildFinalList(true);
}

bool FinalRanking::showsPoints() const { return shown_ > 0 && (*list_)[0].points > 0; }

RankingTable FinalRanking::table() const { return RankingTable::Final(*list_, shown_); }

std::string FinalRanking::title() const {
  switch (phase_) {
    case RacePhase::Practice:
      return FormatRange("%s - Classement Essais Libres EL%d à EL%d", raceName(), range_.first,
                         range_.last);
    case RacePhase::Qualifying:
      return FormatRange("%s - Classement Qualifications Q%d à Q%d", raceName(), range_.first,
                         range_.last);
    case RacePhase::Rounds:
      return FormatRange("%s - Classement Dizavirov M%d à M%d", raceName(), range_.first,
                         range_.last);
  }
  return {};
}

std::string FinalRanking::subtitle() const {
  const char* base = phase_ == RacePhase::Practice     ? "Classement des essais libres"
                     : phase_ == RacePhase::Qualifying ? "Classement des qualifications"
                                                       : "Classement de l'endurance";
  return base + FilterSubtitleSuffix(filters_);
}

std::string FinalRanking::rangeText() const {
  switch (phase_) {
    case RacePhase::Practice:
      return FormatRange("séances EL%d à EL%d", range_.first, range_.last);
    case RacePhase::Qualifying:
      return FormatRange("séances Q%d à Q%d", range_.first, range_.last);
    case RacePhase::Rounds:
      return FormatRange("manches M%d à M%d", range_.first, range_.last);
  }
  return {};
}

std::string FinalRanking::abandonsTitle() const {
  return "Abandons subis lors des " + rangeText() + " :";
}

std::string FinalRanking::penaltiesTitle() const {
  return "Pénalités reçues lors des " + rangeText() + " :";
}

std::string FinalRanking::blockRowText(const TableRow& row, bool paper) const {
  if (row.kind != RowKind::Abandoned && row.kind != RowKind::Penalised) return {};
  const RankingEntry& e = (*list_)[row.index];
  const bool abandons = row.kind == RowKind::Abandoned;
  const int count = abandons ? e.abandonCount : e.penaltyCount;
  std::string text = e.name.str() + (paper ? " :    " : " :  ") + std::to_string(count);
  text += abandons ? " abandon" : " pénalité";
  if (count > 1) text += "s";
  return text;
}

std::vector<std::string> FinalRanking::markers(int entry) const {
  std::vector<std::string> out;
  if (!showsPoints() || entry < 0 || entry >= shown_ || !HasResult((*list_)[entry])) return out;
  const RankingEntry& e = (*list_)[entry];
  out.push_back("(" + std::to_string(e.sessionValues[0]) + ")");
  if (range_.last > range_.first) out.push_back("(" + std::to_string(e.sessionValues[1]) + ")");
  return out;
}

EntryRowTexts FinalRanking::entryTexts(int entry) const {
  // The final list carries no session penalty: no penalty column.
  return SessionEntryTexts((*list_)[std::clamp(entry, 0, kMaxRankingEntries - 1)], entry,
                           *context_.penalties, 0, international(), showsPoints());
}

std::string FinalRanking::paperSubtitle() const {
  std::string text = subtitle();
  const bool bothFilters = filters_.category != kAllFilter && filters_.age != kAllFilter;
  if (phase_ == RacePhase::Practice && bothFilters)
    text.replace(0, std::string_view("Classement des essais").size(), "Classement des essias");
  return text;
}

const char* FinalRanking::printJobName() const {
  switch (phase_) {
    case RacePhase::Practice:
      return "CLASSEMENT ESSAIS LIBRES : Printing...";
    case RacePhase::Qualifying:
      return "CLASSEMENT QUALIFICATIONS : Printing...";
    case RacePhase::Rounds:
      return "CLASSEMENT RIDUDUZUD : Printing...";
  }
  return "";
}

std::string FinalRanking::classementSectionTitle() const {
  return ClassementSectionTitle(context_.race, phase_);
}

Outcome FinalRanking::writeClassementSection(TextFile& file) const {
  if (context_.race == 0) return Outcome::Success();
  // The whole field in its unfiltered order, whatever the view shows.
  auto order = std::make_unique<RankingList>();
  ClearRankingEntries(*order);
  for (int i = 0; i < fieldCount_; ++i)
    (*order)[i].name = phase_ == RacePhase::Rounds ? roundDrivers_[i].view()
                                                   : (*context_.participants)[i].name.view();
  for (int i = 0; i < fieldCount_; ++i) combineSessionResults((*order)[i]);
  SortFinalRanking(*order, fieldCount_, rankingMode_);
  SortFinalRanking(*order, fieldCount_, rankingMode_);
  ClassementSettings settings;
  settings.firstSession = range_.first;
  settings.lastSession = range_.last;
  settings.bestCount = phase_ == RacePhase::Practice ? 0 : range_.bestCount;
  settings.rankingMode = rankingMode_;
  return WriteClassementSection(file, classementSectionTitle(), settings, *order);
}

Outcome FinalRanking::writeClassementSection() const {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return writeClassementSection(file);
}

}  // namespace zd
