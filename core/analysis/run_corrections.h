#pragma once
// The rules of the two correction dialogs of a loaded series: the penalty given to one car (its
// list, the texts of the penalty assigned) and the run comment (track condition and free text).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/event_sections.h"
#include "files/fixed_text.h"
#include "files/series_sections.h"

namespace zd {

inline constexpr std::string_view kPenaltyTitleMissing =
    "Error: Title of the list of 'Penalties' not found";
inline constexpr std::string_view kNoPenalty = "Aucune";

// The penalty list as the assignment dialog offers it: entry 0 is the abandonment, code "A" and
// name "Abandon pilote" whatever the race file says, with the amount and kind it gives (600
// seconds in place of the race time by default). The message to show when the race file or its
// list cannot be read; the list then offers the abandonment alone.
std::optional<std::string_view> LoadAssignablePenalties(PenaltyTable& table);

// "Aucune", then the code of each entry up to the first without one.
std::vector<std::string> PenaltyListTexts(const PenaltyTable& table);

// The description of a penalty by its kind, with its amount; empty for an unknown kind.
std::string PenaltyDescription(const PenaltyRecord& penalty);

// The texts of the penalty assigned for a list position: heading (9306), name (9303) and
// description (9304). A position that is not on the list shows those of "Aucune".
struct AssignedPenaltyTexts {
  std::string heading;
  std::string name;
  std::string description;
};
AssignedPenaltyTexts AssignedPenalty(const PenaltyTable& table, int32_t index);
// Whether a penalty index designates a line of the list (1 to the number of listed penalties).
bool PenaltyListed(const PenaltyTable& table, int32_t index);

// "Voiture/moto '# %s' - %s", within the 64 characters of the dialog's text.
std::string PenaltyCarCaption(std::string_view carNumber, std::string_view driverName);

// Run comment.
inline constexpr int32_t kCommentTypingLimit = 98;
inline constexpr std::string_view kDry = "Sec";
inline constexpr std::string_view kRain = "Pluie";
inline constexpr std::string_view kIce = "Glace";

// A condition word of another language in its French form; any other word unchanged.
TrackCondition FrenchTrackCondition(const TrackCondition& word);
// 0, 1 or 2: the radio of "Sec", "Pluie" or "Glace"; any other word checks the first.
int TrackConditionRadio(const TrackCondition& word);
// The edit's text as the comment keeps it: line breaks as "\n", a TAB as a blank so that the
// fields of the files stay in place, at most 99 characters.
SeriesComment CommentFromEdit(std::string_view text);
// The comment as the multi-line edit shows it, line breaks as "\r\n".
std::string CommentForEdit(std::string_view comment);
// What "Ok" saves: an empty comment becomes a single blank.
SeriesComment CommentToSave(const SeriesComment& comment);

}  // namespace zd
