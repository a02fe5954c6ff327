#include "gtest_winelib.h"

#include <string>

#include "files/time_format.h"

namespace {

// The core is built by g++ and linked into winelib programs as it is: its std::string results
// must arrive intact on this side.
TEST(CoreInWinelib, StringResultsPassBetweenTheHalves) {
  EXPECT_EQ(zd::FormatLapTime(3723004), "1:02:03.004");
}

}  // namespace
