#include "web/upload_file.h"

#include "files/text_file.h"

namespace zd {

bool ReadUploadFile(std::string_view path, std::string& bytes) {
  bytes.clear();
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  for (int c = file.get(); c != kEndOfFile; c = file.get()) bytes.push_back(static_cast<char>(c));
  return true;
}

}  // namespace zd
