#include "files/ranking.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace zd {
namespace {

struct Row {
  const char* name;
  int32_t laps;
  int32_t raceTime;
  int32_t bestLap;
};

RankingList ListOf(const std::vector<Row>& rows) {
  RankingList list;
  ClearRankingEntries(list);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    list[i].name = rows[i].name;
    list[i].laps = rows[i].laps;
    list[i].raceTime = rows[i].raceTime;
    list[i].bestLap = rows[i].bestLap;
  }
  return list;
}

std::vector<std::string> Names(const RankingList& list, int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(list[i].name.str());
  return out;
}

TEST(RankingOrder, ByLapsAndTimeAndByBestLap) {
  struct Case {
    const char* what;
    void (*sort)(RankingList&, int);
    std::vector<Row> rows;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"laps, then time, then best lap; no laps last", SortByLapsAndTime,
       {{"a", 10, 600000, 50000}, {"b", 10, 600000, 49000}, {"c", 11, 700000, 60000},
        {"d", 0, 0, 0}},
       {"c", "b", "a", "d"}},
      {"complete ties: the later entry first", SortByLapsAndTime,
       {{"a", 5, 1000, 100}, {"b", 5, 1000, 100}, {"c", 5, 1000, 100}},
       {"c", "b", "a"}},
      {"no result before an empty slot; a missing best lap does not count", SortByLapsAndTime,
       {{"empty", 0, 1500000000, 1500000000}, {"n", 0, 0, 0}, {"m", 0, 0, 0},
        {"w", 2, 5000, 0}, {"v", 2, 5000, 4000}},
       {"v", "w", "m", "n", "empty"}},
      {"values beyond the sentinels are still placed once", SortByLapsAndTime,
       {{"x", 0, 1700000000, 1700000000}, {"y", 0, 1600000000, 0}, {"z", 1, 1000, 900}},
       {"z", "x", "y"}},
      {"best lap, then laps, then time; no best lap last", SortByBestLap,
       {{"a", 10, 600000, 0}, {"b", 3, 200000, 50000}, {"c", 5, 300000, 50000},
        {"d", 7, 100, 49000}, {"e", 5, 300000, 50000}},
       {"d", "e", "c", "b", "a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RankingList list = ListOf(c.rows);
    list[c.rows.size()].name = "beyond";
    c.sort(list, static_cast<int>(c.rows.size()));
    EXPECT_EQ(Names(list, static_cast<int>(c.rows.size())), c.order);
    EXPECT_EQ(list[c.rows.size()].name.view(), "beyond");
    // The missing times come back as they were.
    for (std::size_t i = 0; i < c.rows.size(); ++i)
      for (const Row& r : c.rows)
        if (list[i].name == r.name) {
          EXPECT_EQ(list[i].raceTime, r.raceTime);
          EXPECT_EQ(list[i].bestLap, r.bestLap);
        }
  }
}

TEST(RankingOrder, WholeEntriesMoveAndCountIsBounded) {
  RankingList list;
  ClearRankingEntries(list);
  for (int i = 0; i < kMaxRankingEntries; ++i) {
    list[i].name = "P" + std::to_string(i);
    list[i].club = "C" + std::to_string(i);
    list[i].laps = i % 7;
  }
  SortByLapsAndTime(list, 500);  // the whole list, never beyond it
  EXPECT_EQ(list[0].laps, 6);
  EXPECT_EQ(list[199].laps, 0);
  for (const RankingEntry& e : list)
    EXPECT_EQ(e.club.view().substr(1), e.name.view().substr(1));
}

TEST(Points, AssignedDownTheListWithTiesAndLimits) {
  struct Case {
    const char* what;
    std::string_view mode;
    std::vector<Row> rows;
    PointsScale scale;
    int count;
    std::vector<int32_t> points;  // of every row, 77 where nothing is given
  };
  std::vector<Row> ten;
  for (int i = 0; i < 10; ++i) ten.push_back({"p", 20 - i, 100000, 9000});
  const PointsScale def;
  const Case cases[] = {
      {"default scale", kRankByLapsAndTime, ten, def, 10, {15, 13, 12, 11, 10, 9, 8, 7, 6, 5}},
      {"each of the first four gaps in its place", kRankByLapsAndTime, ten, {20, 1, 2, 3, 4, 5}, 7,
       {27, 26, 24, 21, 17, 12, 7, 77, 77, 77}},
      {"tie on laps and time shares the points", kRankByLapsAndTime,
       {{"a", 10, 1, 5}, {"b", 9, 2, 5}, {"c", 9, 2, 6}, {"d", 8, 3, 7}}, def, 4, {9, 7, 7, 5}},
      {"tie on the best lap", kRankByBestLap,
       {{"a", 5, 1, 100}, {"b", 5, 2, 200}, {"c", 5, 3, 200}, {"d", 5, 4, 200}}, def, 4,
       {9, 7, 7, 7}},
      {"another mode knows no ties", "", {{"a", 5, 1, 100}, {"b", 5, 1, 100}}, def, 2, {7, 5}},
      {"negative points become 0", kRankByLapsAndTime,
       {{"a", 3, 1, 1}, {"b", 2, 1, 1}, {"c", 1, 1, 1}}, {0, 10, 10, 10, 10, 10}, 3, {3, 0, 0}},
      {"no result and empty slot get 0", kRankByLapsAndTime,
       {{"a", 5, 100, 50}, {"b", 0, 0, 0}, {"c", 0, 1500000000, 1500000000}, {"d", 0, 0, 9}},
       def, 4, {9, 0, 0, 5}},
      {"only the first count entries", kRankByLapsAndTime, {{"a", 5, 1, 1}, {"b", 4, 1, 1}},
       def, 1, {6, 77}},
      {"nothing below 1", kRankByLapsAndTime, {{"a", 5, 1, 1}}, def, 0, {77}},
      {"no overflow", kRankByLapsAndTime, {{"a", 5, 1, 1}, {"b", 4, 1, 1}},
       {INT32_MAX, INT32_MIN, 0, 0, 0, 0}, 2, {INT32_MAX, INT32_MAX}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RankingList list = ListOf(c.rows);
    for (std::size_t i = 0; i < c.rows.size(); ++i) list[i].points = 77;
    AssignPoints(list, c.mode, c.count, c.scale);
    std::vector<int32_t> got;
    for (std::size_t i = 0; i < c.rows.size(); ++i) got.push_back(list[i].points);
    EXPECT_EQ(got, c.points);
  }
}

TEST(FinalRanking, PointsThenSessionValuesThenTheMode) {
  auto make = [] {
    RankingList list = ListOf({{"a", 0, 0, 0},
                               {"b", 0, 0, 0},
                               {"c", 10, 100, 50},
                               {"d", 10, 90, 60},
                               {"e", 0, 0, 0},
                               {"f", 0, 0, 0},
                               {"g", 0, 0, 0}});
    for (int i = 0; i < 4; ++i) list[i].points = 20;
    list[0].sessionValues = {5, 5};
    for (int i = 1; i < 4; ++i) list[i].sessionValues = {5, 6};
    list[4].points = 25;
    // Equal up to the ninth value.
    list[5].points = list[6].points = 3;
    list[5].sessionValues = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    list[6].sessionValues = {1, 1, 1, 1, 1, 1, 1, 1, 2};
    return list;
  };
  struct Case {
    std::string_view mode;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {kRankByLapsAndTime, {"e", "d", "c", "b", "a", "g", "f"}},
      {kRankByBestLap, {"e", "c", "d", "b", "a", "g", "f"}},
      {"", {"e", "b", "c", "d", "a", "g", "f"}},  // equals keep their order
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    RankingList list = make();
    SortFinalRanking(list, 7, c.mode);
    EXPECT_EQ(Names(list, 7), c.order);
  }
  // Complete ties come out reversed, and a second call gives them back their order.
  RankingList list = ListOf({{"a", 3, 10, 5}, {"b", 3, 10, 5}, {"c", 3, 10, 5}});
  SortFinalRanking(list, 3, kRankByLapsAndTime);
  EXPECT_EQ(Names(list, 3), (std::vector<std::string>{"c", "b", "a"}));
  SortFinalRanking(list, 3, kRankByLapsAndTime);
  EXPECT_EQ(Names(list, 3), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Grouping, ByCategoryAndByAgeCategoryInOrderOfFirstOccurrence) {
  RankingList list;
  ClearRankingEntries(list);
  const char* categories[] = {"A", "B", "A", "C", "B", "", "A"};
  const char* ages[] = {"", "V", "", "S", "V", "S", "J"};
  for (int i = 0; i < 7; ++i) {
    list[i].name = std::to_string(i + 1);
    list[i].vehicleCategory = categories[i];
    list[i].ageCategoryCode = ages[i];
  }
  list[7].name = "beyond";
  list[7].vehicleCategory = "A";
  RankingList byCategory = list;
  GroupEntriesByCategory(byCategory, 7);
  EXPECT_EQ(Names(byCategory, 8),
            (std::vector<std::string>{"1", "3", "7", "2", "5", "4", "6", "beyond"}));
  RankingList byAge = list;
  GroupEntriesByAgeCategory(byAge, 7);
  EXPECT_EQ(Names(byAge, 7), (std::vector<std::string>{"1", "3", "2", "5", "4", "6", "7"}));
  EXPECT_EQ(byAge[2].vehicleCategory.view(), "B");  // whole entries move
}

TEST(SessionValues, SortedDescending) {
  RankingEntry e;
  e.sessionValues = {0, 12, 0, 15, 12, 0, 0, 0, 0};
  e.points = 39;
  SortSessionValuesDescending(e);
  EXPECT_EQ(e.sessionValues, (std::array<int32_t, 9>{15, 12, 12, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(e.points, 39);
}

TEST(Clearing, EveryFieldOfTheTables) {
  auto buffers = std::make_unique<DriverSessionTable>();
  (*buffers)[199].name = "x";
  (*buffers)[199].passingTimes[3000] = 5;
  (*buffers)[0].points = 12;
  ClearDriverSessionBuffers(*buffers);
  EXPECT_TRUE((*buffers)[199].name.empty());
  EXPECT_EQ((*buffers)[199].passingTimes[3000], 0);
  EXPECT_EQ((*buffers)[0].points, 0);
  RankingList list;
  list[5].penaltyCount = 3;
  list[5].ageCategoryName = "Senior";
  ClearRankingEntries(list);
  EXPECT_EQ(list[5].penaltyCount, 0);
  EXPECT_TRUE(list[5].ageCategoryName.empty());
}

}  // namespace
}  // namespace zd
