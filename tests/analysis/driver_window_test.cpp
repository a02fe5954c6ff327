// The rules of the driver results window: its texts, the lap range fields, the lap strip and
// the pages of the lap list.

#include "analysis/driver_window.h"

#include <gtest/gtest.h>

#include <string>

namespace zd {
namespace {

TEST(DriverWindow, TitleAndTrackLineAreCutToTheirBuffers) {
  EXPECT_EQ(MakeDriverPageTitle(" Open - EL1 - Série1 ", "Alain").view(),
            " Open - EL1 - Série1  : Alain");
  EXPECT_EQ(MakeDriverTrackLine("Circuit Nord", ".").view(), " Piste : Circuit Nord   (.) ");
  const std::string longTitle(200, 'T');
  const std::string longNote(200, 'N');
  EXPECT_EQ(MakeDriverPageTitle(longTitle, "Alain").view(), std::string(122, 'T'));
  const DriverTrackLine line = MakeDriverTrackLine("Nord", longNote);
  EXPECT_EQ(line.size(), 159u);
  EXPECT_EQ(line.view().substr(0, 18), " Piste : Nord   (N");
}

TEST(DriverWindow, RangeFields) {
  struct Case {
    uint32_t typed;
    int32_t n;
    RangeFieldValue first, last;
  };
  const Case cases[] = {
      {0, 6, {1, false}, {0, false}},  // 0 or an empty field
      {3, 6, {3, false}, {3, false}},
      {6, 6, {6, false}, {6, false}},
      {9999, 6, {6, true}, {6, true}},
      {7, 6, {6, true}, {6, true}},
      {0, 0, {0, false}, {0, false}},  // no laps
      {5, 0, {0, true}, {0, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.typed << " of " << c.n);
    const RangeFieldValue first = FirstLapField(c.typed, c.n);
    const RangeFieldValue last = LastLapField(c.typed, c.n);
    EXPECT_EQ(first.lap, c.first.lap);
    EXPECT_EQ(first.rewritten, c.first.rewritten);
    EXPECT_EQ(last.lap, c.last.lap);
    EXPECT_EQ(last.rewritten, c.last.rewritten);
  }
}

TEST(DriverWindow, StripScrollBarAndCells) {
  struct Case {
    int32_t n;
    bool shown;
    int32_t maximum;
  };
  const Case cases[] = {{0, false, 0}, {6, false, 0}, {7, true, 1}, {3000, true, 2994}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const StripScrollRange r = LapStripScrollRange(c.n);
    EXPECT_EQ(r.shown, c.shown);
    EXPECT_EQ(r.maximum, c.maximum);
  }
  // Five laps at position 0: five cells and two empty ones.
  const int32_t five[] = {1, 2, 3, 4, 5, 0, 0};
  for (int k = 0; k < kStripCells; ++k) EXPECT_EQ(LapStripCell(5, 0, k), five[k]);
  // Seven at position 1: laps 2 to 7 and an empty seventh cell.
  const int32_t seven[] = {2, 3, 4, 5, 6, 7, 0};
  for (int k = 0; k < kStripCells; ++k) EXPECT_EQ(LapStripCell(7, 1, k), seven[k]);
}

TEST(DriverWindow, LapListPages) {
  struct Case {
    int32_t n, pages, lastPageLaps, lastPageColumns;
  };
  const Case cases[] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {100, 1, 100, 4}, {101, 2, 1, 1}, {250, 3, 50, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(DetailPageCount(c.n), c.pages);
    if (c.pages == 0) continue;
    EXPECT_EQ(DetailPageLaps(c.n, c.pages - 1), c.lastPageLaps);
    EXPECT_EQ(DetailPageColumns(c.n, c.pages - 1), c.lastPageColumns);
  }
  EXPECT_EQ(DetailPageLaps(250, 1), 100);
  // Lap 250: the last row of the third page's second column.
  const DetailCell last = DetailPageCell(2, 49);
  EXPECT_EQ(last.lap, 250);
  EXPECT_EQ(last.column, 1);
  EXPECT_EQ(last.row, 24);
  EXPECT_EQ(last.lapX, 265);
  EXPECT_EQ(last.timeX, 350);
  EXPECT_EQ(last.y, 935);
}

}  // namespace
}  // namespace zd
