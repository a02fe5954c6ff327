#pragma once
// Whole-file writes and folders. A data file is rewritten through a temporary file in the same
// folder that is renamed over it only once every byte is on disk, so a full disk or a crash
// leaves the old file, never a truncated one behind a reported success.

#include <string_view>

namespace zd {

// Writes text ("\n" becomes CR LF) as the whole content of path (Windows-1252). Returns false,
// leaving any old file as it was, when anything fails.
bool WriteWholeFile(std::string_view path, std::string_view text);

// Creates the folder when it does not exist; true when it exists afterwards.
bool MakeFolder(std::string_view path);

}  // namespace zd
