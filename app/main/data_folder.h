#pragma once
// The data folder holds the program, its reference files, sounds and pictures, and the files the
// user makes: "<Program Files>\Zentrik Dizavirov".

#include <string>

namespace zd {

// The data folder's Windows path, without a trailing backslash.
std::string DataFolderPath();

// The current directory, to make current again after a chooser or a dialog.
std::string CurrentDirectoryPath();

// Makes the data folder current: the core opens its files by paths relative to it. Returns false
// when the folder does not exist.
bool MakeDataFolderCurrent();

// The data folder current for the scope's life, then the directory that was current before. A
// timer tick may come while a file chooser browses elsewhere (browsing moves the current
// directory): its files still go to the data folder and the chooser stays where it was.
class DataFolderCurrentScope {
 public:
  DataFolderCurrentScope();
  ~DataFolderCurrentScope();
  DataFolderCurrentScope(const DataFolderCurrentScope&) = delete;
  DataFolderCurrentScope& operator=(const DataFolderCurrentScope&) = delete;

 private:
  std::string previous_;
};

}  // namespace zd
