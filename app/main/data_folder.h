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

}  // namespace zd
