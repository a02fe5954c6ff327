#pragma once
// The "i_n_t_" prefix that marks an international event in its stored name: every window and
// report shows the name without it.

#include <string>
#include <string_view>

namespace zd {

bool HasInternationalPrefix(std::string_view name);
// The name without the prefix; a name without one comes back as it is.
std::string StripInternationalPrefix(std::string_view name);

}  // namespace zd
