#pragma once
// The program's texts, file names included, are Windows-1252 bytes; Linux stores file names as
// UTF-8 (as Wine does), so a path is converted at the one place where a file is opened; web
// addresses carry their names as UTF-8 too.

#include <string>
#include <string_view>

namespace zd {

std::string Cp1252ToUtf8(std::string_view text);

}  // namespace zd
