#include "files/table_helpers.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "test_support.h"

namespace zd {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(DatabaseSorts, DriversByNameWithEmptyNamesLastAndTheLaterSlotFirstOnTies) {
  auto table = std::make_unique<DriverTable>();
  ClearDriverTable(*table);
  DriverTable& t = *table;
  // Names that differ only in case are equal keys: the highest slot comes first.
  t[0].name = "dupont";
  t[1].name = "DUPONT";
  t[2].name = "Dupont";
  t[3].name = "\xC9mile";  // É is not lowered, and its code is above every plain letter
  t[4].name = "zoe";
  t[5].name = std::string(38, 'a') + "c";  // 39 characters: the last one still counts
  t[6].name = std::string(38, 'a') + "b";
  t[9].name = "Adam";
  t[9].sex = 0;  // whole records move
  t[9].birthMonthCount = 1234;
  t[9].photoPath = "adam.bmp";
  t[7].club = "empty-7";  // empty names, told apart by their club
  t[8].club = "empty-8";
  SortDrivers(t);

  const std::vector<std::string> expected = {std::string(38, 'a') + "b",
                                             std::string(38, 'a') + "c",
                                             "Adam",
                                             "Dupont",
                                             "DUPONT",
                                             "dupont",
                                             "zoe",
                                             "\xC9mile"};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(t[i].name.view(), expected[i]) << i;
  EXPECT_EQ(t[2].sex, 0);
  EXPECT_EQ(t[2].birthMonthCount, 1234);
  EXPECT_EQ(t[2].photoPath.view(), "adam.bmp");
  // Every record is still there once; the empty ones in reverse slot order.
  EXPECT_TRUE(t[8].name.empty());
  EXPECT_EQ(t[kMaxDrivers - 2].club.view(), "empty-8");
  EXPECT_EQ(t[kMaxDrivers - 1].club.view(), "empty-7");
}

// Every sort orders by its own key field: here "b", "A", an empty key and "a" in slots 0 to 3,
// each record marked in another field by its slot.
template <typename Table, typename Key, typename Mark>
std::vector<std::string> SortedMarks(void (*sort)(Table&), Key key, Mark mark) {
  auto table = std::make_unique<Table>();
  const char* keys[] = {"b", "A", "", "a"};
  for (int i = 0; i < 4; ++i) {
    key((*table)[i]) = keys[i];
    mark((*table)[i]) = std::to_string(i);
  }
  sort(*table);
  std::vector<std::string> marks;
  for (int i = 0; i < 3; ++i) marks.push_back(mark((*table)[i]).str());
  marks.push_back(mark((*table)[table->size() - 1]).str());  // the empty key, last of all
  return marks;
}

TEST(DatabaseSorts, EachTableSortsByItsNameField) {
  const std::vector<std::string> expected = {"3", "1", "0", "2"};
  EXPECT_EQ(SortedMarks(
                SortVehicleCategories, [](auto& r) -> auto& { return r.name; },
                [](auto& r) -> auto& { return r.description; }),
            expected);
  EXPECT_EQ(SortedMarks(
                SortVehicles, [](auto& r) -> auto& { return r.name; },
                [](auto& r) -> auto& { return r.picturePath; }),
            expected);
  EXPECT_EQ(SortedMarks(
                SortClubs, [](auto& r) -> auto& { return r.shortName; },
                [](auto& r) -> auto& { return r.fullName; }),
            expected);
  EXPECT_EQ(SortedMarks(
                SortChampionships, [](auto& r) -> auto& { return r.name; },
                [](auto& r) -> auto& { return r.description; }),
            expected);
  // A frequency record has one field: its own text tells the records apart.
  FrequencyTable frequencies{};
  frequencies[0].frequency = "40.685";
  frequencies[1].frequency = "2.4Ghz";
  frequencies[3].frequency = "27.145";
  SortFrequencies(frequencies);
  EXPECT_EQ(frequencies[0].frequency.view(), "2.4Ghz");
  EXPECT_EQ(frequencies[1].frequency.view(), "27.145");
  EXPECT_EQ(frequencies[2].frequency.view(), "40.685");
  EXPECT_TRUE(frequencies[3].frequency.empty());
}

TEST(ComboTexts, ListTheRecordsNotTheLinesOfTheFile) {
  TempDir dir;
  // The characteristics of the first category span three lines: they are not categories.
  WriteBytes(dir.file("c.bd"),
             "Tourisme\tcourte\tMoteur 540\r\nPneus mousse\r\nCarrosserie\t\r\nGT\t\t\t\r\n");
  std::vector<std::string> texts = {"stale"};
  ASSERT_TRUE(VehicleCategoryComboTexts(texts, dir.file("c.bd")));
  EXPECT_EQ(texts, (std::vector<std::string>{"Tourisme", "GT"}));

  // An empty name offers nothing; the names after it are offered.
  WriteBytes(dir.file("clubs.bd"), "RCN\tRC Nîmes\t\t\t\t\t\t\t\t\r\n\t\t\t\t\t\t\t\t\t\r\n"
                                   "RCL\t\t\t\t\t\t\t\t\t\r\n");
  ASSERT_TRUE(ClubComboTexts(texts, dir.file("clubs.bd")));
  EXPECT_EQ(texts, (std::vector<std::string>{"RCN", "RCL"}));

  WriteBytes(dir.file("v.bd"), "Buggy X\tKyosho\tMP10\tTT\t\t\r\n\r\nTruggy\t\t\t\t\t\r\n\r\n");
  ASSERT_TRUE(VehicleComboTexts(texts, dir.file("v.bd")));
  EXPECT_EQ(texts, (std::vector<std::string>{"Buggy X", "Truggy"}));

  WriteBytes(dir.file("pays.bd"), "Allemagne\r\n\r\nCôte d'Ivoire\r\n");
  ASSERT_TRUE(CountryComboTexts(texts, dir.file("pays.bd")));
  EXPECT_EQ(texts, (std::vector<std::string>{"Allemagne", "Côte d'Ivoire"}));

  EXPECT_FALSE(ClubComboTexts(texts, dir.file("none.bd")));
  EXPECT_TRUE(texts.empty());
}

TEST(ComboTexts, MonthNamesInEachLanguage) {
  struct {
    int32_t language;
    int month;
    const char* name;
  } cases[] = {
      {0, 0, "January"},    {0, 11, "December"}, {1, 1, "février"},   {1, 7, "aout"},
      {1, 11, "décembre"},  {2, 2, "März"},      {2, 9, "Oktober"},   {3, 4, "maggio"},
      {3, 11, "dicembre"},  {4, 2, "Março"},     {4, 0, "Janeiro"},   {5, 8, "septiembre"},
      {5, 11, "diciembre"}, {7, 4, "May"},       {-1, 1, "February"}, {6, 0, "January"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << c.language << " month " << c.month);
    std::vector<std::string> texts = MonthComboTexts(c.language);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[c.month], c.name);
  }
  EXPECT_EQ(std::string(MonthNames(1)[1]), "f\xE9vrier");  // Windows-1252 bytes
}

TEST(ComboTexts, YearsFrom1900ToTheCurrentYear) {
  std::vector<std::string> years = YearComboTexts(2025);
  ASSERT_EQ(years.size(), 126u);
  EXPECT_EQ(years.front(), "1900");
  EXPECT_EQ(years[125], "2025");

  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  years = YearComboTexts();
  ASSERT_FALSE(years.empty());
  EXPECT_EQ(years.back(), std::to_string(local.tm_year + 1900));
  EXPECT_EQ(years.size(), static_cast<std::size_t>(local.tm_year + 1));
}

}  // namespace
}  // namespace zd
