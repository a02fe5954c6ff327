#include "phases/parameters_form.h"

#include <algorithm>
#include <initializer_list>

#include "files/ranking.h"
#include "files/series_sections.h"

namespace zd {

namespace {

constexpr int32_t kMaxMinutes = 60;  // practice and qualifying
constexpr int32_t kMaxPhaseLaps = 150;
constexpr int32_t kMaxRoundHours = 24;
constexpr int32_t kMaxCountdown = 3600;
constexpr int32_t kMaxRest = 99;

// A keyword that is none of its field's values reads as the field's default.
template <std::size_t W>
void KeepKnown(FixedText<W>& keyword, std::initializer_list<std::string_view> values,
               std::string_view fallback) {
  if (std::find(values.begin(), values.end(), keyword.view()) == values.end()) keyword = fallback;
}

// The leading digits of an edit's text; none reads 0.
int32_t Unsigned(std::string_view text) {
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<int64_t>(value * 10 + (c - '0'), INT32_MAX);
  }
  return static_cast<int32_t>(value);
}

// A typed value above max becomes max, and the edit shows it.
int32_t AtMost(FormControl edit, int32_t value, int32_t max, std::vector<EditRewrite>& rewrites) {
  if (value <= max) return value;
  rewrites.push_back({edit, std::to_string(max)});
  return max;
}

}  // namespace

FormControlKind KindOf(FormControl control) {
  switch (control) {
    case FormControl::Hours:
    case FormControl::Minutes:
    case FormControl::Laps:
    case FormControl::Countdown:
    case FormControl::Rest:
      return FormControlKind::Edit;
    case FormControl::FirstPassingCounted:
      return FormControlKind::Box;
    case FormControl::HoursUnit:
    case FormControl::MinutesUnit:
    case FormControl::LapsUnit:
    case FormControl::EndByTimeGroup:
    case FormControl::EndByLapsGroup:
      return FormControlKind::Other;
    default:
      return FormControlKind::Radio;
  }
}

ParametersForm::ParametersForm(RacePhase phase)
    : phase_(phase), maxLaps_(phase == RacePhase::Rounds ? kMaxPassings : kMaxPhaseLaps) {
  if (phase_ == RacePhase::Rounds) maxHours_ = kMaxRoundHours;
  boundValues();
}

bool ParametersForm::byTime() const { return p_.durationKind.view() == kDurationByTime; }

bool ParametersForm::staggered() const { return p_.startType.view() == kStartStaggered; }

void ParametersForm::read(TextFile& file) {
  int32_t code = 0;
  int32_t raceCount = 0;
  RaceHeaderRecords records;
  ClearRaceHeaderRecords(records);
  ReadRaceFileHeader(file, code, raceCount, records);
  const int32_t race = code / 10000;
  if (race < 1 || race > raceCount) return;
  race_ = race;
  const RaceHeaderRecord& record = records[static_cast<std::size_t>(race - 1)];
  raceName_ = record.name.view();

  if (FindSection(file, ParametersSectionTitle(race_, phase_))) ReadParametersSection(file, p_);
  KeepKnown(p_.rankingMode, {kRankByLapsAndTime, kRankByBestLap}, kRankByLapsAndTime);
  KeepKnown(p_.durationKind, {kDurationByTime, kDurationByLaps}, kDurationByTime);
  KeepKnown(p_.startType, {kStartSoundSignal, kStartSoundSignalBis, kStartFirstCar, kStartStaggered},
            kStartSoundSignal);
  KeepKnown(p_.endRuleByTime, {kEndTimeSoundSignal, kEndTimeFinishLap, kEndTimeTwoMoreLaps},
            kEndTimeFinishLap);
  KeepKnown(p_.endRuleByLaps, {kEndLapsSoundSignal, kEndLapsFinishLap, kEndLapsAllLaps},
            kEndLapsFinishLap);
  firstPassingCounted_ = p_.startType.view() != kStartSoundSignalBis;

  if (phase_ == RacePhase::Rounds) {
    // A round section's region was sized for its capacity: once one holds 1000 passings per car,
    // later rounds must fit in 1000 too.
    const int32_t rounds = std::clamp(record.rounds, 0, kMaxRounds);
    for (int round = 1; round <= rounds; ++round) {
      if (ReadRoundCapacity(file, RoundTitle(race_, round)) == kShortRoundCapacity) {
        maxHours_ = kShortRoundMinutes / 60;
        maxLaps_ = kShortRoundCapacity;
        break;
      }
    }
  }
  boundValues();
}

void ParametersForm::boundValues() {
  const int32_t maxMinutes = phase_ == RacePhase::Rounds ? 60 * maxHours_ : kMaxMinutes;
  p_.duration = std::clamp(p_.duration, 1, maxMinutes);
  p_.laps = std::clamp(p_.laps, 1, maxLaps_);
  p_.countdown = std::clamp(p_.countdown, 0, kMaxCountdown);
  p_.rest = std::clamp(p_.rest, 0, kMaxRest);
  hours_ = p_.duration / 60;
  minutesPart_ = p_.duration % 60;
}

SeriesParameters ParametersForm::record() const {
  SeriesParameters r = p_;
  if (phase_ != RacePhase::Rounds) {
    r.passingCapacity = kPracticePassingCapacity;
  } else if (byTime()) {
    r.passingCapacity = r.duration > kShortRoundMinutes ? kLongRoundCapacity : kShortRoundCapacity;
  } else {
    r.passingCapacity = r.laps <= kShortRoundCapacity ? kShortRoundCapacity : kLongRoundCapacity;
  }
  return r;
}

Outcome ParametersForm::write(TextFile& file) const {
  if (race_ == 0) return Outcome::Success();
  const SeriesParameters r = record();
  // The laps of a series by time are not run, and may exceed the capacity a short time gives.
  if (!byTime()) {
    std::string problem = SeriesLapsProblem(r.laps, r.passingCapacity);
    if (!problem.empty()) return Outcome::Failure(std::move(problem));
  }
  return WriteParametersSection(file, ParametersSectionTitle(race_, phase_), r);
}

FormControlView ParametersForm::view(FormControl control) const {
  const bool time = byTime();
  const bool free = !staggered();  // the end rules that a staggered start rules out
  const std::string_view start = p_.startType.view();
  const bool soundSignal = start == kStartSoundSignal || start == kStartSoundSignalBis;
  FormControlView v;
  switch (control) {
    case FormControl::RankByLapsAndTime:
      v.checked = p_.rankingMode.view() == kRankByLapsAndTime;
      break;
    case FormControl::RankByBestLap:
      v.checked = p_.rankingMode.view() == kRankByBestLap;
      break;
    case FormControl::DurationByTime:
      v.checked = time;
      break;
    case FormControl::DurationByLaps:
      v.checked = !time;
      break;
    case FormControl::Hours:
    case FormControl::HoursUnit:
      v.shown = time && phase_ == RacePhase::Rounds;
      break;
    case FormControl::Minutes:
    case FormControl::MinutesUnit:
      v.shown = time;
      break;
    case FormControl::Laps:
    case FormControl::LapsUnit:
      v.shown = !time;
      break;
    case FormControl::Countdown:
    case FormControl::Rest:
      break;
    case FormControl::StartSoundSignal:
      v.checked = soundSignal;
      break;
    case FormControl::FirstPassingCounted:
      v.shown = soundSignal;
      v.checked = firstPassingCounted_;
      break;
    case FormControl::StartFirstCar:
      v.checked = start == kStartFirstCar;
      break;
    case FormControl::StartStaggered:
      v.checked = !free;
      break;
    case FormControl::EndByTimeGroup:
      v.enabled = time;
      break;
    case FormControl::EndTimeSoundSignal:
      v.enabled = time && free;
      v.checked = p_.endRuleByTime.view() == kEndTimeSoundSignal;
      break;
    case FormControl::EndTimeFinishLap:
      v.enabled = time;
      v.checked = p_.endRuleByTime.view() == kEndTimeFinishLap;
      break;
    case FormControl::EndTimeTwoMoreLaps:
      v.enabled = time && free;
      v.checked = p_.endRuleByTime.view() == kEndTimeTwoMoreLaps;
      break;
    case FormControl::EndByLapsGroup:
      v.enabled = !time;
      break;
    case FormControl::EndLapsSoundSignal:
      v.enabled = !time && free;
      v.checked = p_.endRuleByLaps.view() == kEndLapsSoundSignal;
      break;
    case FormControl::EndLapsFinishLap:
      v.enabled = !time && free;
      v.checked = p_.endRuleByLaps.view() == kEndLapsFinishLap;
      break;
    case FormControl::EndLapsAllLaps:
      v.enabled = !time;
      v.checked = p_.endRuleByLaps.view() == kEndLapsAllLaps;
      break;
  }
  return v;
}

void ParametersForm::choose(FormControl radio) {
  // A control that is not enabled cannot be chosen, whatever message says so.
  if (!view(radio).enabled) return;
  switch (radio) {
    case FormControl::RankByLapsAndTime: p_.rankingMode = kRankByLapsAndTime; break;
    case FormControl::RankByBestLap: p_.rankingMode = kRankByBestLap; break;
    case FormControl::DurationByTime: p_.durationKind = kDurationByTime; break;
    case FormControl::DurationByLaps: p_.durationKind = kDurationByLaps; break;
    case FormControl::StartSoundSignal:
      // The key always says what the first-passing box shows.
      p_.startType = firstPassingCounted_ ? kStartSoundSignal : kStartSoundSignalBis;
      break;
    case FormControl::StartFirstCar: p_.startType = kStartFirstCar; break;
    case FormControl::StartStaggered:
      // The cars start one after the other, so every car must end its own lap or laps.
      p_.startType = kStartStaggered;
      p_.endRuleByTime = kEndTimeFinishLap;
      p_.endRuleByLaps = kEndLapsAllLaps;
      break;
    case FormControl::EndTimeSoundSignal: p_.endRuleByTime = kEndTimeSoundSignal; break;
    case FormControl::EndTimeFinishLap: p_.endRuleByTime = kEndTimeFinishLap; break;
    case FormControl::EndTimeTwoMoreLaps: p_.endRuleByTime = kEndTimeTwoMoreLaps; break;
    case FormControl::EndLapsSoundSignal: p_.endRuleByLaps = kEndLapsSoundSignal; break;
    case FormControl::EndLapsFinishLap: p_.endRuleByLaps = kEndLapsFinishLap; break;
    case FormControl::EndLapsAllLaps: p_.endRuleByLaps = kEndLapsAllLaps; break;
    default: break;
  }
}

void ParametersForm::setFirstPassingCounted(bool checked) {
  firstPassingCounted_ = checked;
  const std::string_view start = p_.startType.view();
  if (start == kStartSoundSignal || start == kStartSoundSignalBis) {
    p_.startType = checked ? kStartSoundSignal : kStartSoundSignalBis;
  }
}

int ParametersForm::editLimit(FormControl edit) const {
  switch (edit) {
    case FormControl::Laps: return phase_ == RacePhase::Rounds ? 4 : 3;
    case FormControl::Countdown: return 4;
    default: return 2;
  }
}

std::string ParametersForm::editText(FormControl edit) const {
  switch (edit) {
    case FormControl::Hours: return std::to_string(hours_);
    case FormControl::Minutes:
      return std::to_string(phase_ == RacePhase::Rounds ? minutesPart_ : p_.duration);
    case FormControl::Laps: return std::to_string(p_.laps);
    case FormControl::Countdown: return std::to_string(p_.countdown);
    case FormControl::Rest: return std::to_string(p_.rest);
    default: return {};
  }
}

void ParametersForm::settleHours(std::vector<EditRewrite>& rewrites) {
  if (hours_ > maxHours_ || (hours_ == maxHours_ && minutesPart_ > 0)) {
    hours_ = maxHours_;
    minutesPart_ = 0;
    rewrites.clear();
    rewrites.push_back({FormControl::Hours, std::to_string(hours_)});
    rewrites.push_back({FormControl::Minutes, "0"});
  }
  p_.duration = std::max(60 * hours_ + minutesPart_, 1);
}

std::vector<EditRewrite> ParametersForm::editChanged(FormControl edit, std::string_view text) {
  std::vector<EditRewrite> rewrites;
  const int32_t value = Unsigned(text);
  switch (edit) {
    case FormControl::Hours:
      if (phase_ != RacePhase::Rounds) break;
      hours_ = value;
      settleHours(rewrites);
      break;
    case FormControl::Minutes:
      if (phase_ == RacePhase::Rounds) {
        minutesPart_ = AtMost(edit, value, 59, rewrites);
        settleHours(rewrites);
      } else {
        // An empty or 0 edit is left for the user to finish typing; the series lasts 1 minute.
        p_.duration = std::max(AtMost(edit, value, kMaxMinutes, rewrites), 1);
      }
      break;
    case FormControl::Laps:
      p_.laps = std::max(AtMost(edit, value, maxLaps_, rewrites), 1);
      break;
    case FormControl::Countdown:
      p_.countdown = AtMost(edit, value, kMaxCountdown, rewrites);
      break;
    case FormControl::Rest:
      p_.rest = AtMost(edit, value, kMaxRest, rewrites);
      break;
    default:
      break;
  }
  return rewrites;
}

Outcome LoadParametersForm(ParametersForm& form) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Read)) return Outcome::Failure(kRaceFileNotFound);
  form.read(file);
  return Outcome::Success();
}

Outcome SaveParametersForm(const ParametersForm& form) {
  TextFile file;
  if (!file.open(kRaceFilePath, OpenMode::Update)) return Outcome::Failure(kRaceFileNotFound);
  return form.write(file);
}

}  // namespace zd
