#include "files/time_format.h"

#include <cstdio>

namespace zd {

int32_t SplitMilliseconds(int32_t t, int32_t& hours, int32_t& minutes, int32_t& seconds,
                          int32_t& milliseconds) {
  hours = t / 3600000;
  minutes = (t - hours * 3600000) / 60000;
  seconds = (t - hours * 3600000 - minutes * 60000) / 1000;
  milliseconds = t - hours * 3600000 - minutes * 60000 - seconds * 1000;
  return milliseconds;
}

SplitTime SplitMilliseconds(int32_t t) {
  SplitTime s;
  SplitMilliseconds(t, s.hours, s.minutes, s.seconds, s.milliseconds);
  return s;
}

int FormatLapTime(char* buffer, std::size_t size, int32_t hours, int32_t minutes, int32_t seconds,
                  int32_t milliseconds) {
  if (buffer == nullptr || size == 0) return 0;
  int n;
  if (hours != 0)
    n = std::snprintf(buffer, size, "%d:%02d:%02d.%03d", hours, minutes, seconds, milliseconds);
  else if (minutes != 0)
    n = std::snprintf(buffer, size, "%d:%02d.%03d", minutes, seconds, milliseconds);
  else
    n = std::snprintf(buffer, size, "%d.%03d", seconds, milliseconds);
  if (n < 0) {
    buffer[0] = '\0';
    return 0;
  }
  // A short buffer holds a truncated text; report what actually stands in it.
  return static_cast<std::size_t>(n) < size ? n : static_cast<int>(size - 1);
}

std::string FormatLapTime(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds) {
  char text[48];
  int n = FormatLapTime(text, sizeof text, hours, minutes, seconds, milliseconds);
  return std::string(text, static_cast<std::size_t>(n));
}

std::string FormatLapTime(int32_t t) {
  SplitTime s = SplitMilliseconds(t);
  return FormatLapTime(s.hours, s.minutes, s.seconds, s.milliseconds);
}

}  // namespace zd
