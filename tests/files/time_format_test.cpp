#include "files/time_format.h"

#include <gtest/gtest.h>

#include <climits>

namespace zd {
namespace {

TEST(TimeFormat, SplitsAndFormatsInThreeShapes) {
  struct Case {
    int32_t ms;
    int32_t h, m, s, rest;
    const char* text;
  };
  const Case cases[] = {
      {3723045, 1, 2, 3, 45, "1:02:03.045"},
      {0, 0, 0, 0, 0, "0.000"},
      {59999, 0, 0, 59, 999, "59.999"},
      {60000, 0, 1, 0, 0, "1:00.000"},
      {3600000, 1, 0, 0, 0, "1:00:00.000"},
      {90061001, 25, 1, 1, 1, "25:01:01.001"},  // hours are not wrapped at 24
      {754321, 0, 12, 34, 321, "12:34.321"},
  };
  for (const Case& c : cases) {
    int32_t h, m, s, rest;
    EXPECT_EQ(SplitMilliseconds(c.ms, h, m, s, rest), c.rest) << c.ms;
    EXPECT_EQ(h, c.h) << c.ms;
    EXPECT_EQ(m, c.m) << c.ms;
    EXPECT_EQ(s, c.s) << c.ms;
    EXPECT_EQ(FormatLapTime(c.ms), c.text);
  }
}

TEST(TimeFormat, NegativeTimeGivesNonPositiveComponents) {
  SplitTime t = SplitMilliseconds(-3723045);
  EXPECT_EQ(t.hours, -1);
  EXPECT_EQ(t.minutes, -2);
  EXPECT_EQ(t.seconds, -3);
  EXPECT_EQ(t.milliseconds, -45);
}

TEST(TimeFormat, BufferIsNeverOverrun) {
  // The longest split of an int time fits 17 characters and its terminator.
  SplitTime worst = SplitMilliseconds(INT_MIN);
  char text[18];
  int n = FormatLapTime(text, sizeof text, worst.hours, worst.minutes, worst.seconds,
                        worst.milliseconds);
  EXPECT_EQ(n, static_cast<int>(std::string(text).size()));
  EXPECT_LE(n, 17);

  char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  n = FormatLapTime(small, 5, 1, 2, 3, 45);
  EXPECT_EQ(std::string(small), "1:02");
  EXPECT_EQ(n, 4);
  EXPECT_EQ(small[5], 'x');
}

}  // namespace
}  // namespace zd
