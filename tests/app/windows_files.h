#pragma once
// Whole files read and written by the tests through the Win32 API, as the program sees them.

#include <windows.h>

#include <cstdio>
#include <string>

namespace zd_test {

// The bytes of the file, or `missing` when it cannot be opened.
inline std::string ReadWindowsFile(const std::string& path, const char* missing = "(missing)") {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return missing;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

inline bool WriteWindowsFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (!wrote || written != bytes.size()) {
    // Said where the run's log shows it: a test that fails on it then tells why.
    std::fprintf(stderr, "cannot write %s: %lu bytes of %zu written, error %lu\n", path.c_str(),
                 static_cast<unsigned long>(written), bytes.size(),
                 static_cast<unsigned long>(wrote ? 0 : error));
    return false;
  }
  return true;
}

}  // namespace zd_test
