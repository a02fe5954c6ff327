#pragma once
// The data folder holds the program, its reference files, sounds and pictures, and the files the
// user makes: "<Program Files>\Zentrik Dizavirov".

#include <string>

namespace zd {

// The data folder's Windows path, without a trailing backslash.
std::string DataFolderPath();

// Makes the data folder current for the Win32 functions and for the C library, through which the
// core opens files by relative paths (Wine's SetCurrentDirectoryA leaves the Unix working
// directory alone). Returns false when either change fails, e.g. when the folder does not exist.
bool MakeDataFolderCurrent();

}  // namespace zd
