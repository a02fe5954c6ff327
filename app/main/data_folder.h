#pragma once
// The data folder holds the program, its reference files, sounds and pictures, and the files the
// user makes: "<the user's local application data>\Programs\Zentrik Dizavirov", a folder of the
// user's own, so that a standard user can both install the program and save there.

#include <string>

namespace zd {

// The data folder's Windows path, without a trailing backslash; empty when the shell does not
// give the user's local application data folder.
std::string DataFolderPath();

// The current directory, to make current again after a chooser or a dialog.
std::string CurrentDirectoryPath();

// Makes the data folder current: the core opens its files by paths relative to it. Returns false
// when the folder does not exist.
bool MakeDataFolderCurrent();

// True when a file can be created, written and removed in the folder. A folder the user may not
// change (one shared by every user of the computer, a read-only medium) would make every save of
// the run fail.
bool FolderTakesFiles(const std::string& folder);
// What the start says when the data folder takes no files: the folder, and what to do.
std::string DataFolderNotWritableText(const std::string& folder);

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
