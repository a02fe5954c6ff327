#include "phases/ranking_filters.h"

#include <algorithm>
#include <memory>

namespace zd {

int32_t NextSexFilter(int32_t current, SexBox box, bool checked) {
  const int32_t self = box == SexBox::Men ? kMenOnly : kWomenOnly;
  const int32_t other = box == SexBox::Men ? kWomenOnly : kMenOnly;
  if (checked) return current == other ? kBothSexes : self;
  if (current == kBothSexes) return other;
  if (current == self) return kNoSex;
  return current;
}

bool FiltersSet(const RankingFilters& filters) {
  return filters.category != kAllFilter || filters.age != kAllFilter || filters.sex != kBothSexes;
}

std::string AgeFilterText(std::string_view code, std::string_view name) {
  std::string text(code);
  text.append(" (").append(name).append(")");
  return text;
}

std::string FilterSubtitleSuffix(const RankingFilters& f) {
  std::string out;
  const bool category = f.category != kAllFilter;
  const bool age = f.age != kAllFilter;
  if (category && age)
    out = " : " + f.category.str() + " / " + f.age.str();
  else if (category)
    out = " : " + f.category.str();
  else if (age)
    out = " : " + f.age.str();
  if (f.sex == kMenOnly) out += " / Hommes";
  if (f.sex == kWomenOnly) out += " / Femmes";
  return out;
}

void SetIdentity(RankingEntry& e, const ParticipantRecord& p) {
  e.name = p.name;
  e.club = p.club;
  e.nationCode = p.nationCode;
  e.carNumber = p.carNumber;
  e.vehicleCategory = p.vehicleCategory;
  e.ageCategoryCode = p.ageCategoryCode;
  e.ageCategoryName = p.ageCategoryName;
  e.sex = p.sex;
}

namespace {

bool Passes(std::string_view category, std::string_view ageCode, std::string_view ageName,
            int32_t sex, const RankingFilters& filters) {
  if (filters.category != kAllFilter && filters.category.view() != category) return false;
  // The combo's field holds 26 characters: compare with the text as it would stand there.
  if (filters.age != kAllFilter &&
      filters.age.view() != FixedText<27>(AgeFilterText(ageCode, ageName)).view())
    return false;
  if (filters.sex == kBothSexes) return true;
  return (filters.sex == kWomenOnly || filters.sex == kMenOnly) && filters.sex == sex;
}

}  // namespace

bool ParticipantPassesFilters(const ParticipantRecord& p, const RankingFilters& filters) {
  return Passes(p.vehicleCategory, p.ageCategoryCode, p.ageCategoryName, p.sex, filters);
}

bool EntryPassesFilters(const RankingEntry& e, const RankingFilters& filters) {
  return Passes(e.vehicleCategory, e.ageCategoryCode, e.ageCategoryName, e.sex, filters);
}

std::vector<std::string> CategoryComboItems(const RankingList& entries, int count) {
  count = std::clamp(count, 0, kMaxRankingEntries);
  auto grouped = std::make_unique<RankingList>(entries);
  GroupEntriesByCategory(*grouped, count);
  std::vector<std::string> items{std::string(kAllFilter)};
  if (count == 0 || (*grouped)[0].vehicleCategory.empty()) return items;
  for (int k = 0; k < count; ++k)
    if (k == 0 || (*grouped)[k].vehicleCategory != (*grouped)[k - 1].vehicleCategory)
      items.push_back((*grouped)[k].vehicleCategory.str());
  return items;
}

std::vector<std::string> AgeComboItems(const RankingList& entries, int count) {
  count = std::clamp(count, 0, kMaxRankingEntries);
  auto grouped = std::make_unique<RankingList>(entries);
  GroupEntriesByCategory(*grouped, count);
  GroupEntriesByAgeCategory(*grouped, count);
  std::vector<std::string> items{std::string(kAllFilter)};
  if (count == 0 || (*grouped)[0].ageCategoryCode.empty()) return items;
  for (int k = 0; k < count; ++k) {
    const RankingEntry& e = (*grouped)[k];
    if (k == 0 || e.ageCategoryCode != (*grouped)[k - 1].ageCategoryCode)
      items.push_back(AgeFilterText(e.ageCategoryCode, e.ageCategoryName));
  }
  return items;
}

}  // namespace zd
