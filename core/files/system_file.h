#pragma once
// The only system calls of the core: opening, reading and writing a file at an offset, replacing
// a whole file safely, making a folder, and the local time. One side for Windows (the program), one for POSIX
// (the native tests); nothing else in the core includes a system header.
//
// Paths are Windows-1252, as the program holds them; the POSIX side converts them to UTF-8, as
// Wine stores such names on a Linux disk.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string_view>

namespace zd {

enum class OpenMode {
  Read,    // an existing file, for reading only (a read-only file can be read)
  Update,  // an existing file, for reading and writing
  Create,  // created or emptied, for reading and writing
};

namespace sys {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// A file (never a folder) opened in the given mode, or kNoFile.
FileHandle OpenFile(std::string_view path, OpenMode mode);
void CloseFile(FileHandle file);
// Bytes read at offset (0 at the end of the file), or -1 when the system refuses.
int64_t ReadAt(FileHandle file, void* data, std::size_t n, int64_t offset);
// Bytes written at offset, or -1 when the system refuses.
int64_t WriteAt(FileHandle file, const void* data, std::size_t n, int64_t offset);
// The size in bytes, 0 when it cannot be known.
int64_t FileSize(FileHandle file);
bool TruncateFile(FileHandle file, int64_t size);

// Writes bytes as the whole content of path through a temporary file in the same folder, flushed
// to disk and then put in the place of the old file; false, the old file untouched, on failure.
bool ReplaceWholeFile(std::string_view path, std::string_view bytes);

// Creates the folder when it does not exist; true when it exists afterwards.
bool MakeFolder(std::string_view path);

// The local calendar time of a moment, safely for any thread.
std::tm LocalTime(std::time_t moment);

}  // namespace sys
}  // namespace zd
