#include "files/whole_file.h"

#include "files/system_file.h"
#include "files/text_file.h"

namespace zd {

bool WriteWholeFile(std::string_view path, std::string_view text) {
  return sys::ReplaceWholeFile(path, ToDiskForm(text));
}

bool MakeFolder(std::string_view path) { return sys::MakeFolder(path); }

}  // namespace zd
