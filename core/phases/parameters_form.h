#pragma once
// The series parameters form of a phase (free practice, qualifying, endurance rounds): what its
// dialog shows, how each choice and each typed number changes it, and the parameters line that
// "Valider" writes into the race file. The three dialogs are one form; each maps the roles below
// to the ids of its template.
//
// The form holds one state and shows it: every radio, the first-passing box and the enabled and
// shown state of the controls follow from the stored keywords, so the window never shows a choice
// other than the one that would be written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/fixed_text.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

// The controls of the form by what they do. Hours and HoursUnit exist in the rounds only, whose
// Minutes is the minutes part of a duration in hours and minutes.
enum class FormControl {
  RankByLapsAndTime,
  RankByBestLap,
  DurationByTime,
  DurationByLaps,
  Hours,
  HoursUnit,
  Minutes,
  MinutesUnit,
  Laps,
  LapsUnit,
  Countdown,
  Rest,
  StartSoundSignal,
  FirstPassingCounted,  // the box beside StartSoundSignal
  StartFirstCar,
  StartStaggered,
  EndByTimeGroup,
  EndTimeSoundSignal,
  EndTimeFinishLap,
  EndTimeTwoMoreLaps,
  EndByLapsGroup,
  EndLapsSoundSignal,
  EndLapsFinishLap,
  EndLapsAllLaps,
};
inline constexpr int kFormControlCount = static_cast<int>(FormControl::EndLapsAllLaps) + 1;

enum class FormControlKind { Radio, Box, Edit, Other };  // Other: labels and group boxes
FormControlKind KindOf(FormControl control);

struct FormControlView {
  bool shown = true;
  bool enabled = true;
  bool checked = false;  // radios and the box
};

// An edit whose text the form sets after a change.
struct EditRewrite {
  FormControl edit;
  std::string text;
};

// The duration of a round up to which it is recorded with room for 1000 passings per car.
inline constexpr int32_t kShortRoundMinutes = 6 * 60;

class ParametersForm {
 public:
  explicit ParametersForm(RacePhase phase);

  // Opening: the race of the SelectionCode, its name, its parameters section and, for the rounds,
  // the capacity of its recorded rounds, from the open race file. Values out of their field's
  // limits are brought within them, and a keyword that is none of its field's reads as the
  // field's default.
  void read(TextFile& file);
  // "Valider": the parameters line of the race's section, appended when the section is missing.
  // Nothing is written for a SelectionCode that names no race of the file.
  Outcome write(TextFile& file) const;

  RacePhase phase() const { return phase_; }
  int race() const { return race_; }
  std::string_view raceName() const { return raceName_.view(); }

  FormControlView view(FormControl control) const;
  // A radio chosen, or the first-passing box set as the user left it.
  void choose(FormControl radio);
  void setFirstPassingCounted(bool checked);

  // The edits: their character limit, their text at opening, and a change of their text, which
  // returns the edits to rewrite (none when the text is kept as typed).
  int editLimit(FormControl edit) const;
  std::string editText(FormControl edit) const;
  std::vector<EditRewrite> editChanged(FormControl edit, std::string_view text);

  // The rounds' limits, lowered once a round was recorded with room for 1000 passings.
  int32_t maxHours() const { return maxHours_; }
  int32_t maxLaps() const { return maxLaps_; }

  // The line that "Valider" writes, with its passing capacity.
  SeriesParameters record() const;

 private:
  bool byTime() const;
  bool staggered() const;
  void boundValues();
  void settleHours(std::vector<EditRewrite>& rewrites);

  RacePhase phase_;
  int race_ = 0;  // 0: the SelectionCode names no race
  FixedText<30> raceName_;
  SeriesParameters p_;
  bool firstPassingCounted_ = true;
  int32_t hours_ = 0;        // rounds: the duration shown in hours and minutes
  int32_t minutesPart_ = 1;
  int32_t maxHours_ = 24;
  int32_t maxLaps_ = 3000;
};

// The same on the working race file: the failure's message when it cannot be opened or written.
Outcome LoadParametersForm(ParametersForm& form);
Outcome SaveParametersForm(const ParametersForm& form);

}  // namespace zd
