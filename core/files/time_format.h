#pragma once
// Times are ints in milliseconds everywhere in the program.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zd {

struct SplitTime {
  int32_t hours = 0;
  int32_t minutes = 0;
  int32_t seconds = 0;
  int32_t milliseconds = 0;
};

// Splits t into hours, minutes, seconds and milliseconds (truncating divisions; hours are not
// wrapped at 24). Also returns the milliseconds.
int32_t SplitMilliseconds(int32_t t, int32_t& hours, int32_t& minutes, int32_t& seconds,
                          int32_t& milliseconds);
SplitTime SplitMilliseconds(int32_t t);

// Writes "h:mm:ss.mmm", "m:ss.mmm" or "s.mmm" (leading zero units left out) into buffer, never
// more than size bytes with the terminator. Returns the length of the text it wrote.
int FormatLapTime(char* buffer, std::size_t size, int32_t hours, int32_t minutes, int32_t seconds,
                  int32_t milliseconds);
std::string FormatLapTime(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);
// Formats a time in milliseconds in the same shapes.
std::string FormatLapTime(int32_t t);

}  // namespace zd
