// The filters of the ranking windows: the two sex boxes, the three tests, the combos' items.

#include "phases/ranking_filters.h"

#include <gtest/gtest.h>

#include <memory>

namespace zd {
namespace {

TEST(SexFilterTest, EveryClick) {
  struct Case {
    SexBox box;
    bool checked;
    int32_t before, after;
  };
  const Case cases[] = {
      {SexBox::Men, true, kWomenOnly, kBothSexes},
      {SexBox::Men, true, kNoSex, kMenOnly},
      {SexBox::Men, false, kBothSexes, kWomenOnly},
      {SexBox::Men, false, kMenOnly, kNoSex},
      {SexBox::Women, true, kMenOnly, kBothSexes},
      {SexBox::Women, true, kNoSex, kWomenOnly},
      {SexBox::Women, false, kBothSexes, kMenOnly},
      {SexBox::Women, false, kWomenOnly, kNoSex},
      // An unchecking click from another state changes nothing.
      {SexBox::Men, false, kNoSex, kNoSex},
      {SexBox::Women, false, kMenOnly, kMenOnly},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.box == SexBox::Men ? "men " : "women ") << c.checked
                                    << " from " << c.before);
    EXPECT_EQ(NextSexFilter(c.before, c.box, c.checked), c.after);
  }
}

TEST(ParticipantFiltersTest, TheThreeTests) {
  ParticipantRecord p;
  p.vehicleCategory = "GT 1/8";
  p.ageCategoryCode = "J";
  p.ageCategoryName = "Juniors";
  p.sex = 0;
  struct Case {
    const char* category;
    const char* age;
    int32_t sex;
    bool passes;
  };
  const Case cases[] = {
      {"Toutes", "Toutes", kBothSexes, true},      {"GT 1/8", "Toutes", kBothSexes, true},
      {"gt 1/8", "Toutes", kBothSexes, false},     {"Buggy", "Toutes", kBothSexes, false},
      {"Toutes", "J (Juniors)", kBothSexes, true}, {"Toutes", "J (Jeunes)", kBothSexes, false},
      {"Toutes", "Toutes", kWomenOnly, true},      {"Toutes", "Toutes", kMenOnly, false},
      {"Toutes", "Toutes", kNoSex, false},         {"GT 1/8", "J (Juniors)", kWomenOnly, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.category << " | " << c.age << " | " << c.sex);
    RankingFilters f;
    f.category = c.category;
    f.age = c.age;
    f.sex = c.sex;
    EXPECT_EQ(ParticipantPassesFilters(p, f), c.passes);
    EXPECT_EQ(FiltersSet(f), !(std::string_view(c.category) == "Toutes" &&
                               std::string_view(c.age) == "Toutes" && c.sex == kBothSexes));
  }
}

struct Identity {
  const char* category;
  const char* ageCode;
  const char* ageName;
};

std::unique_ptr<RankingList> ListOf(const std::vector<Identity>& people) {
  auto list = std::make_unique<RankingList>();
  for (std::size_t i = 0; i < people.size(); ++i) {
    (*list)[i].vehicleCategory = people[i].category;
    (*list)[i].ageCategoryCode = people[i].ageCode;
    (*list)[i].ageCategoryName = people[i].ageName;
  }
  return list;
}

TEST(ComboItemsTest, CategoriesAndAgeCategories) {
  using V = std::vector<std::string>;
  struct Case {
    const char* what;
    std::vector<Identity> people;
    V categories, ages;
  };
  const Case cases[] = {
      {"age categories in their order in the list grouped by category",
       {{"GT", "J", "Juniors"}, {"Buggy", "S", "Seniors"}, {"GT", "V", "Vétérans"}},
       {"Toutes", "GT", "Buggy"},
       {"Toutes", "J (Juniors)", "V (Vétérans)", "S (Seniors)"}},
      {"a first participant without a category gives Toutes alone",
       {{"", "", ""}, {"GT", "J", "Juniors"}},
       {"Toutes"},
       {"Toutes"}},
      {"a later group without a category gives an empty item",
       {{"GT", "J", "Juniors"}, {"", "J", "Juniors"}},
       {"Toutes", "GT", ""},
       {"Toutes", "J (Juniors)"}},
      {"two age categories sharing a code give one item, the first met",
       {{"GT", "J", "Juniors"}, {"GT", "J", "Jeunes"}, {"GT", "S", "Seniors"}},
       {"Toutes", "GT"},
       {"Toutes", "J (Juniors)", "S (Seniors)"}},
      {"no participant", {}, {"Toutes"}, {"Toutes"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto list = ListOf(c.people);
    const int n = static_cast<int>(c.people.size());
    EXPECT_EQ(CategoryComboItems(*list, n), c.categories);
    EXPECT_EQ(AgeComboItems(*list, n), c.ages);
  }
}

TEST(ComboItemsTest, TheLongestAgeItemLetsItsOwnCategoryThrough) {
  // The fields keep 3 and 19 characters of these: "VET (Vétérans et super-v)", 25 characters.
  const char* code = "VETE";
  const char* name = "Vétérans et super-vétérans";
  ParticipantRecord p;
  p.ageCategoryCode = code;
  p.ageCategoryName = name;
  const std::vector<std::string> items = AgeComboItems(*ListOf({{"GT", code, name}}), 1);
  ASSERT_EQ(items.size(), 2u);
  RankingFilters f;
  f.age = items[1];
  EXPECT_EQ(f.age.view(), items[1]);  // the filter holds the whole item
  EXPECT_TRUE(ParticipantPassesFilters(p, f));
}

TEST(ComboItemsTest, AnAgeItemSharedByTwoNamesLetsOnlyItsOwnNameThrough) {
  RankingFilters f;
  f.age = "J (Juniors)";
  ParticipantRecord juniors, jeunes;
  juniors.ageCategoryCode = jeunes.ageCategoryCode = "J";
  juniors.ageCategoryName = "Juniors";
  jeunes.ageCategoryName = "Jeunes";
  EXPECT_TRUE(ParticipantPassesFilters(juniors, f));
  EXPECT_FALSE(ParticipantPassesFilters(jeunes, f));
}

}  // namespace
}  // namespace zd
