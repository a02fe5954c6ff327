#include "phases/arrangement.h"

#include <algorithm>

#include "databases/participants_list.h"
#include "files/ranking.h"
#include "main/series_loading.h"

namespace zd {

namespace {

constexpr int kGridRowsPerPage = 30;
constexpr int kMaxGeneratedSeries = 9;
// Before practice or qualifying has started, drivers move among the first 200 slots only.
constexpr int kLastFreeExchange = kMaxParticipants - 2;
constexpr std::string_view kNoClashFrequency = "2.4Ghz";

bool Started(int32_t state) { return state == 1; }

bool AnyStarted(const std::array<int32_t, kMaxSessions>& states) {
  return std::any_of(states.begin(), states.end(), Started);
}

}  // namespace

ArrangementPrintLayout ArrangementLayoutFor(int n) {
  if (n <= 30) return {31 / (std::max(n, 1) + 1), 20, 14, 12};
  if (n <= 40) return {1, 15, 12, 11};
  return {1, 12, 10, 10};
}

const char* ArrangementDocumentName(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return "REPARTITION ESSAIS : Printing...";
    case RacePhase::Qualifying:
      return "REPARTITION QUALIFS : Printing...";
    case RacePhase::Rounds:
      break;
  }
  return "REPARTITION RIDUDUZUD : Printing...";
}

const char* ArrangementReportTitle(RacePhase phase) {
  switch (phase) {
    case RacePhase::Practice:
      return "ESSAIS LIBRES : COMPOSITION SERIES";
    case RacePhase::Qualifying:
      return "QUALIFICATIONS : COMPOSITION SERIES";
    case RacePhase::Rounds:
      break;
  }
  return "MANCHES D'RIDUDUZUD : GRILLE DE DEPART";
}

ArrangementModel::ArrangementModel(RacePhase phase)
    : phase_(phase),
      participants_(std::make_unique<ParticipantTable>()),
      slots_(std::make_unique<ArrangementRecords>()) {
  ClearRaceHeaderRecords(records_);
  ClearParticipants(*participants_);
  slots_->fill(ParticipantRecord());
}

std::string_view ArrangementModel::raceName() const {
  return race_ ? header().name.view() : std::string_view();
}

const RaceHeaderRecord& ArrangementModel::header() const {
  return records_[static_cast<std::size_t>(std::max(race_, 1) - 1)];
}

bool ArrangementModel::EmptySlot(const ParticipantRecord& slot) {
  return slot.name.empty() || slot.name.view() == kEmptySlotName;
}

void ArrangementModel::setSlotName(int index, std::string_view name) {
  (*slots_)[static_cast<std::size_t>(index)].name = name;
}

std::vector<std::string> ArrangementModel::read(TextFile& file) {
  std::vector<std::string> messages;
  ClearRaceHeaderRecords(records_);
  ClearParticipants(*participants_);
  slots_->fill(ParticipantRecord());
  count_ = kMaxDriversPerSeries;
  race_ = 0;
  sourceAvailable_ = false;

  ReadRaceFileHeader(file, selectionCode_, raceCount_, records_);
  const int race = selectionCode_ / 10000;
  if (race >= 1 && race <= raceCount_) race_ = race;
  report_ = ReadReportInformation(file, raceName(), ReportEventLine::kEventAndRace);

  if (FindSection(file, ParticipantsSectionTitle(race_)))
    ReadParticipantsSection(file, *participants_);
  else
    messages.emplace_back(kParticipantsTitleMissing);

  const std::string title = ArrangementSectionTitle(race_, phase_);
  if (!FindSection(file, title)) {
    switch (phase_) {
      case RacePhase::Practice:
        messages.emplace_back(kPracticeArrangementMissing);
        break;
      case RacePhase::Qualifying:
        messages.emplace_back(kQualifyingArrangementMissing);
        break;
      case RacePhase::Rounds:
        messages.emplace_back(kStartingGridMissing);
        break;
    }
  } else if (grid()) {
    auto names = std::make_unique<ParticipantTable>();
    int32_t qualified = count_;
    ReadRoundArrangementRecords(file, qualified, *names);
    count_ = qualified;
    for (int i = 0; i < kGridSlots; ++i)
      setSlotName(i, (*names)[static_cast<std::size_t>(i)].name.view());
  } else {
    int32_t n = count_;
    ReadSeriesArrangementRecords(file, n, *slots_);
    count_ = n;
  }

  if (phase_ == RacePhase::Qualifying)
    sourceAvailable_ = FindSection(file, ArrangementSectionTitle(race_, RacePhase::Practice));
  if (grid())
    sourceAvailable_ = qualifyingStarted() &&
                       FindSection(file, ClassementSectionTitle(race_, RacePhase::Qualifying));
  boundQualified();
  refresh();
  storeSeriesCount();
  return messages;
}

int ArrangementModel::participantCount() const { return race_ ? header().participantCount : 0; }

void ArrangementModel::boundQualified() {
  if (grid()) count_ = std::clamp(count_, 0, std::min(kMaxDriversPerSeries, participantCount()));
}

void ArrangementModel::refresh() {
  for (ParticipantRecord& slot : *slots_) {
    if (EmptySlot(slot)) continue;
    for (const ParticipantRecord& p : *participants_) {
      if (p.name.view() != slot.name.view()) continue;
      slot = p;
    }
  }
}

void ArrangementModel::storeSeriesCount() {
  if (!race_) return;
  RaceHeaderRecord& h = records_[static_cast<std::size_t>(race_ - 1)];
  if (phase_ == RacePhase::Practice) h.practiceSeries = seriesCount();
  if (phase_ == RacePhase::Qualifying) h.qualifyingSeries = seriesCount();
}

int ArrangementModel::lastUsedSlot() const {
  for (int i = slotCount(); i > 0; --i)
    if (!EmptySlot(slot(i - 1))) return i;
  return 0;
}

int ArrangementModel::seriesCount() const {
  if (grid()) return 1;
  if (count_ < 1) return 0;
  // Truncated toward zero: an empty list makes one (empty) series of N from 2 on, none of 1.
  return (lastUsedSlot() - 1) / count_ + 1;
}

int ArrangementModel::rowCount() const {
  return grid() ? participantCount() : count_ * seriesCount();
}

bool ArrangementModel::practiceStarted() const { return AnyStarted(header().practiceStates); }
bool ArrangementModel::qualifyingStarted() const { return AnyStarted(header().qualifyingStates); }
bool ArrangementModel::roundsStarted() const { return Started(header().roundsState); }

bool ArrangementModel::countEditable() const {
  switch (phase_) {
    case RacePhase::Practice:
      return !practiceStarted() && !qualifyingStarted() && !roundsStarted();
    case RacePhase::Qualifying:
      return !qualifyingStarted() && !roundsStarted();
    case RacePhase::Rounds:
      break;
  }
  return !roundsStarted();
}

bool ArrangementModel::generateEnabled() const {
  if (!race_) return false;
  return phase_ != RacePhase::Qualifying || !roundsStarted();
}

std::optional<std::string> ArrangementModel::countChanged(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min(value * 10 + (c - '0'), 1000);
  }
  std::optional<std::string> rewrite;
  if (value > kMaxDriversPerSeries) {
    value = kMaxDriversPerSeries;
    rewrite = std::to_string(value);
  }
  if (grid() && value > participantCount()) {
    value = participantCount();
    rewrite = std::to_string(value);
  }
  if (value == 0 && (!grid() || participantCount() > 0)) value = 1;
  count_ = value;
  storeSeriesCount();
  return rewrite;
}

ScrollRange ArrangementModel::scrollRange() const {
  const int rows = rowCount();
  if (rows <= kArrangementVisibleRows) return {};
  return {true, rows - kArrangementVisibleRows};
}

int ArrangementModel::boundScroll(int position) const {
  return std::clamp(position, 0, scrollRange().maximum);
}

ArrowPair ArrangementModel::arrowsAt(int p, int k) const {
  ArrowPair arrows;
  if (k < 0 || k >= kArrangementVisibleRows - 1) return arrows;
  const int s = p + k;
  if (k >= rowCount() - p - 1 || s < 0 || s + 1 >= slotCount()) return arrows;
  arrows.shown = true;
  if (grid()) {
    const int c = count_ - p;
    arrows.downGrey = k >= c;
    arrows.upGrey = k >= c - 1;
  }
  return arrows;
}

std::optional<int> ArrangementModel::hitArrow(int x, int y, int p) const {
  for (int k = 0; k < kArrangementVisibleRows - 1; ++k) {
    if (!arrowsAt(p, k).shown) break;
    const bool up = x >= 311 && x <= 321 && y >= 135 + 20 * k && y <= 145 + 20 * k;
    const bool down = x >= 331 && x <= 341 && y >= 115 + 20 * k && y <= 125 + 20 * k;
    if (up || down) return p + k;
  }
  return std::nullopt;
}

ExchangeResult ArrangementModel::exchange(int s) {
  if (s < 0 || s + 1 >= slotCount()) return {};
  auto swap = [&]() {
    std::swap((*slots_)[static_cast<std::size_t>(s)], (*slots_)[static_cast<std::size_t>(s + 1)]);
    storeSeriesCount();
    return ExchangeResult{true, kExchangeSound, nullptr};
  };
  const bool sameSeries = !grid() && s / count_ == (s + 1) / count_;
  switch (phase_) {
    case RacePhase::Practice:
      if (practiceStarted())
        return sameSeries ? swap() : ExchangeResult{false, kRefusalSound, kPracticeStartedWarning};
      break;
    case RacePhase::Qualifying:
      if (roundsStarted()) return {false, kRefusalSound, kQualifyingFrozenWarning};
      if (qualifyingStarted())
        return sameSeries ? swap()
                          : ExchangeResult{false, kRefusalSound, kQualifyingStartedWarning};
      break;
    case RacePhase::Rounds: {
      const int32_t state = header().roundsState;
      if (state == 0) return s + 1 < participantCount() ? swap() : ExchangeResult{};
      if (state != 1) return {};
      return s < count_ - 1 ? swap() : ExchangeResult{false, kRefusalSound, kGridLockedWarning};
    }
  }
  return s <= kLastFreeExchange ? swap() : ExchangeResult{};
}

bool ArrangementModel::clash(int index) const {
  if (index < 0 || index >= slotCount()) return false;
  const std::string_view frequency = slot(index).frequencies[0].view();
  if (frequency.empty() || frequency == kNoClashFrequency) return false;
  int first = 0, end = 0;
  if (grid()) {
    if (index >= count_) return false;
    end = count_;
  } else {
    first = seriesOf(index) * count_;
    end = std::min(first + count_, slotCount());
  }
  int same = 0;
  for (int i = first; i < end && same < 2; ++i)
    if (slot(i).frequencies[0].view() == frequency) ++same;
  return same >= 2;
}

void ArrangementModel::loadSource(TextFile& file) {
  if (phase_ == RacePhase::Qualifying &&
      FindSection(file, ArrangementSectionTitle(race_, RacePhase::Practice))) {
    slots_->fill(ParticipantRecord());
    int32_t n = count_;
    ReadSeriesArrangementRecords(file, n, *slots_);
    count_ = n;
  }
  if (grid() && FindSection(file, ClassementSectionTitle(race_, RacePhase::Qualifying))) {
    auto list = std::make_unique<RankingList>();
    ClassementSettings settings;
    ReadClassementSection(file, settings, *list);
    for (int i = 0; i < kGridSlots; ++i) {
      (*slots_)[static_cast<std::size_t>(i)] = ParticipantRecord();
      setSlotName(i, (*list)[static_cast<std::size_t>(i)].name.view());
    }
  }
  refresh();
  storeSeriesCount();
}

bool ArrangementModel::seriesCountAllowed() const {
  return grid() || seriesCount() <= kMaxGeneratedSeries;
}

Outcome ArrangementModel::write(TextFile& file) {
  if (!race_) return Outcome::Failure(kSelectedRaceNotFound);
  RaceHeaderRecord& h = records_[static_cast<std::size_t>(race_ - 1)];
  storeSeriesCount();
  switch (phase_) {
    case RacePhase::Practice:
      if (!practiceStarted()) h.practiceSessions = -1;
      break;
    case RacePhase::Qualifying:
      if (!qualifyingStarted()) h.qualifyingSessions = -1;
      break;
    case RacePhase::Rounds:
      if (!roundsStarted()) h.rounds = -1;
      break;
  }
  Outcome o = WriteRaceFileHeader(file, selectionCode_, raceCount_, records_);
  if (!o) return o;
  const std::string title = ArrangementSectionTitle(race_, phase_);
  if (!grid()) return WriteSeriesArrangementRecords(file, title, count_, *slots_);
  auto table = std::make_unique<ParticipantTable>();
  std::copy_n(slots_->begin(), kGridSlots, table->begin());
  return WriteRoundArrangementRecords(file, title, count_, *table);
}

bool ArrangementModel::printable() const { return participantCount() > 0 && count_ > 0; }

int ArrangementModel::pageCount() const {
  if (!printable()) return 0;
  if (grid()) return (participantCount() - 1) / kGridRowsPerPage + 1;
  return (seriesCount() - 1) / printLayout().seriesPerPage + 1;
}

int ArrangementModel::firstSeriesOnPage(int page) const {
  return (page - 1) * printLayout().seriesPerPage;
}

int ArrangementModel::seriesOnPage(int page) const {
  return std::clamp(seriesCount() - firstSeriesOnPage(page), 0, printLayout().seriesPerPage);
}

GridPrintPage ArrangementModel::gridPage(int page) const {
  GridPrintPage g;
  g.firstSlot = (page - 1) * kGridRowsPerPage;
  g.rows = std::clamp(participantCount() - g.firstSlot, 0, kGridRowsPerPage);
  g.qualified = std::clamp(count_ - g.firstSlot, 0, g.rows);
  return g;
}

std::vector<std::string> LoadArrangement(ArrangementModel& model) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) return {kRaceFileNotFound};
  return model.read(file);
}

void LoadArrangementSource(ArrangementModel& model, std::vector<std::string>& messages) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) {
    messages.emplace_back(kRaceFileNotFound);
    return;
  }
  model.loadSource(file);
}

Outcome SaveArrangement(ArrangementModel& model) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return model.write(file);
}

}  // namespace zd
