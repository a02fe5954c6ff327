#pragma once
// Ranking lists and the orderings, groupings and points that the session and final rankings of
// the three phases share.
//
// The orderings are selections in which, among entries equal on every key, the one that stands
// later in the list is taken first. Missing times count as 1400000000 while ordering, so entries
// without a result come after every entry with one; they are written back as 0.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/series_sections.h"

namespace zd {

inline constexpr std::string_view kRankByLapsAndTime = "CLASSEMENTToursTemps";
inline constexpr std::string_view kRankByBestLap = "CLASSEMENTMeilleurTour";

inline constexpr int32_t kMissingTime = 1400000000;    // a missing time while ordering
inline constexpr int32_t kEmptySlotTime = 1500000000;  // race time and best lap of an empty slot
inline constexpr int32_t kPlacedMark = 1600000000;     // an entry already placed

inline constexpr int kMaxRankingEntries = 200;
inline constexpr int kSessionValues = 9;

// One line of a ranking list.
struct RankingEntry {
  FixedText<40> name;
  FixedText<15> club;
  FixedText<5> nationCode;
  FixedText<5> carNumber;
  FixedText<30> vehicleCategory;
  FixedText<4> ageCategoryCode;
  FixedText<20> ageCategoryName;
  int32_t sex = 0;  // 1 man, 0 woman
  int32_t laps = 0;
  int32_t raceTime = 0;  // ms
  int32_t bestLap = 0;   // ms
  int32_t points = 0;
  // In a final ranking, the points of each session of the range (index = session - 1).
  std::array<int32_t, kSessionValues> sessionValues{};
  int32_t penaltyIndex = 0;  // of the session result, in a session list
  int32_t abandonCount = 0;  // sessions of the range abandoned, in a final list
  int32_t penaltyCount = 0;  // sessions of the range with another penalty, in a final list
};
using RankingList = std::array<RankingEntry, kMaxRankingEntries>;

// One driver's result in one session, as collected from the series sections.
struct DriverSessionBuffer {
  FixedText<40> name;
  int32_t laps = 0;
  int32_t raceTime = 0;
  int32_t bestLap = 0;
  int32_t passingCount = 0;
  std::array<int32_t, kPassingSlots> passingTimes{};
  int32_t penaltyIndex = 0;
  int32_t points = 0;  // the driver's session points, once they are computed
};
// 200 buffers of 12 KB each: keep tables of them off the stack.
using DriverSessionTable = std::array<DriverSessionBuffer, kMaxRankingEntries>;

// Points down a session ranking.
struct PointsScale {
  int32_t firstPlaceOffset = 5;  // the first place gets this plus the number of ranked drivers
  int32_t gap1To2 = 2;
  int32_t gap2To3 = 1;
  int32_t gap3To4 = 1;
  int32_t gap4To5 = 1;
  int32_t gapAfter5 = 1;  // between each later place and the one before it
};

void ClearRankingEntries(RankingList& list);
void ClearDriverSessionBuffers(DriverSessionTable& table);

void SortSessionValuesDescending(RankingEntry& entry);

// Each of these works on the first count entries (count is kept within 0 to 200) and leaves the
// others as they are.

// Entries of one vehicle category (age category code) together, the groups in the order their key
// first occurs, each group in the order its entries had.
void GroupEntriesByCategory(RankingList& list, int count);
void GroupEntriesByAgeCategory(RankingList& list, int count);
// More laps first, then the smaller race time, then the smaller best lap.
void SortByLapsAndTime(RankingList& list, int count);
// Smaller best lap first, then more laps, then the smaller race time.
void SortByBestLap(RankingList& list, int count);
// Gives points down an ordered list; entries tied by the ranking mode share the points of the
// first of them, entries without a result get 0 and no entry gets fewer than 0.
void AssignPoints(RankingList& list, std::string_view rankingMode, int count,
                  const PointsScale& scale);
// More points first, then the session values from the first one, then the ranking mode's order.
void SortFinalRanking(RankingList& list, int count, std::string_view rankingMode);

}  // namespace zd
