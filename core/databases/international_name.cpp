#include "databases/international_name.h"

#include "files/event_sections.h"

namespace zd {

bool HasInternationalPrefix(std::string_view name) { return IsInternationalEvent(name); }

std::string StripInternationalPrefix(std::string_view name) {
  return std::string(DisplayedEventName(name));
}

}  // namespace zd
