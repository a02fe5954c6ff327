#pragma once
// What an upload sends: a whole local file read as text, so that its CR LF line ends go as LF,
// every other byte (0xFF included) as it is and however long the file is.

#include <string>
#include <string_view>

namespace zd {

// False, bytes left empty, when the file cannot be opened.
bool ReadUploadFile(std::string_view path, std::string& bytes);

}  // namespace zd
