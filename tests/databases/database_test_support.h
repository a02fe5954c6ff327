#pragma once
// What the database dialog tests look at: the bytes of a data-folder file and a model's keys.

#include <string>
#include <string_view>

#include "files/text_file.h"

namespace zd::test {

// The bytes of a file of the current folder, by its Windows-1252 name; "(missing)" without one.
inline std::string FileBytes(std::string_view name) {
  TextFile file;
  if (!file.open(name, OpenMode::Read)) return "(missing)";
  return file.readRawAt(0, 1 << 20);
}

// The listed keys of a model, each followed by "|".
inline std::string Keys(const auto& model) {
  std::string keys;
  for (int i = 0; i < model.count(); ++i) keys += std::string(model.keyAt(i)) + "|";
  return keys;
}

}  // namespace zd::test
