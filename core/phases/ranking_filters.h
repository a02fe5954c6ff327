#pragma once
// The filters of every ranking window: one vehicle category, one age category, men, women or
// both. A filtered view is shown and printed but never published.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/fixed_text.h"
#include "files/participants.h"
#include "files/ranking.h"

namespace zd {

// The first item of both combos: no filter.
inline constexpr std::string_view kAllFilter = "Toutes";

// Who the "Hommes" and "Femmes" boxes let through.
enum SexFilter : int32_t {
  kWomenOnly = 0,
  kMenOnly = 1,
  kBothSexes = 3,
  kNoSex = 4,
};
enum class SexBox { Men, Women };

struct RankingFilters {
  FixedText<30> category = kAllFilter;
  FixedText<27> age = kAllFilter;  // "%s (%s)": age category code and name
  int32_t sex = kBothSexes;
};

// The filter after a click that left the box checked or not.
int32_t NextSexFilter(int32_t current, SexBox box, bool checked);
// Whether any of the three filters keeps someone out: such a view cannot be sent.
bool FiltersSet(const RankingFilters& filters);

// The age combo's text of an age category: code, a blank and the name in brackets.
std::string AgeFilterText(std::string_view code, std::string_view name);

// What a subtitle adds for the filters set: " : category / age", then " / Hommes" or " / Femmes".
std::string FilterSubtitleSuffix(const RankingFilters& filters);

// The identity of a ranked driver: name, club, nation, car number, categories and sex.
void SetIdentity(RankingEntry& entry, const ParticipantRecord& participant);

bool ParticipantPassesFilters(const ParticipantRecord& participant, const RankingFilters& filters);
bool EntryPassesFilters(const RankingEntry& entry, const RankingFilters& filters);

// The items of the two combos, "Toutes" first, from the first count entries (participants' or
// round drivers' identities): the categories in order of first appearance, then the age
// categories in their order in the list grouped by category, one item per code. A first entry
// without a category (an age code) gives "Toutes" alone.
std::vector<std::string> CategoryComboItems(const RankingList& entries, int count);
std::vector<std::string> AgeComboItems(const RankingList& entries, int count);

}  // namespace zd
