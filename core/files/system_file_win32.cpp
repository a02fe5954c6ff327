#include <windows.h>

#include <atomic>
#include <string>

#include "files/system_file.h"

namespace zd::sys {

namespace {

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

OVERLAPPED At(int64_t offset) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return at;
}

// Each transfer stays below what one DWORD count can say.
constexpr std::size_t kLargestTransfer = 1u << 30;

}  // namespace

FileHandle OpenFile(std::string_view path, OpenMode mode) {
  const std::string name(path);
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if (mode != OpenMode::Read) access |= GENERIC_WRITE;
  if (mode == OpenMode::Create) disposition = CREATE_ALWAYS;
  // Shared as the C library shares its files, and open to a rename over it, as on POSIX.
  HANDLE file = CreateFileA(name.c_str(), access,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS: it fails here like a missing file.
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  return reinterpret_cast<FileHandle>(file);
}

void CloseFile(FileHandle file) {
  if (file != kNoFile) CloseHandle(AsHandle(file));
}

int64_t ReadAt(FileHandle file, void* data, std::size_t n, int64_t offset) {
  OVERLAPPED at = At(offset);
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(n < kLargestTransfer ? n : kLargestTransfer);
  if (!ReadFile(AsHandle(file), data, want, &got, &at))
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  return got;
}

int64_t WriteAt(FileHandle file, const void* data, std::size_t n, int64_t offset) {
  OVERLAPPED at = At(offset);
  DWORD done = 0;
  const DWORD want = static_cast<DWORD>(n < kLargestTransfer ? n : kLargestTransfer);
  if (!WriteFile(AsHandle(file), data, want, &done, &at)) return -1;
  return done;
}

int64_t FileSize(FileHandle file) {
  LARGE_INTEGER size;
  if (file == kNoFile || !GetFileSizeEx(AsHandle(file), &size)) return 0;
  return size.QuadPart;
}

bool TruncateFile(FileHandle file, int64_t size) {
  if (file == kNoFile) return false;
  LARGE_INTEGER at;
  at.QuadPart = size;
  return SetFilePointerEx(AsHandle(file), at, nullptr, FILE_BEGIN) && SetEndOfFile(AsHandle(file));
}

bool ReplaceWholeFile(std::string_view path, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  const std::string target(path);
  // CREATE_NEW never takes over a file that another writer is filling: try other names.
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = target + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
    file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (ok && left > 0) {
    DWORD done = 0;
    const DWORD want = static_cast<DWORD>(left < kLargestTransfer ? left : kLargestTransfer);
    ok = WriteFile(file, p, want, &done, nullptr) && done > 0;
    p += done;
    left -= done;
  }
  ok = ok && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExA(temp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

bool MakeFolder(std::string_view path) {
  const std::string name(path);
  if (CreateDirectoryA(name.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_s(&local, &moment);
  return local;
}

}  // namespace zd::sys
