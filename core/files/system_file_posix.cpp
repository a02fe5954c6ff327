#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/codepage.h"
#include "files/system_file.h"

namespace zd::sys {

FileHandle OpenFile(std::string_view path, OpenMode mode) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::Read: flags |= O_RDONLY; break;
    case OpenMode::Update: flags |= O_RDWR; break;
    case OpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  const std::string unixPath = Cp1252ToUtf8(path);
  int fd;
  do {
    fd = ::open(unixPath.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return kNoFile;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

void CloseFile(FileHandle file) {
  if (file != kNoFile) ::close(static_cast<int>(file));
}

int64_t ReadAt(FileHandle file, void* data, std::size_t n, int64_t offset) {
  for (;;) {
    ssize_t r = ::pread(static_cast<int>(file), data, n, offset);
    if (r < 0 && errno == EINTR) continue;
    return r;
  }
}

int64_t WriteAt(FileHandle file, const void* data, std::size_t n, int64_t offset) {
  for (;;) {
    ssize_t w = ::pwrite(static_cast<int>(file), data, n, offset);
    if (w < 0 && errno == EINTR) continue;
    return w;
  }
}

int64_t FileSize(FileHandle file) {
  struct stat st;
  if (file == kNoFile || ::fstat(static_cast<int>(file), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_size);
}

bool TruncateFile(FileHandle file, int64_t size) {
  return file != kNoFile && ::ftruncate(static_cast<int>(file), size) == 0;
}

bool ReplaceWholeFile(std::string_view path, std::string_view bytes) {
  const std::string target = Cp1252ToUtf8(path);
  std::string temp = target + ".tmpXXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  bool ok = true;
  while (ok && left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Keep the permissions an ordinary file gets (mkstemp makes it private to its owner).
  mode_t mask = ::umask(0);
  ::umask(mask);
  ok = ok && ::fchmod(fd, 0666 & ~mask) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool MakeFolder(std::string_view path) {
  const std::string unixPath = Cp1252ToUtf8(path);
  if (::mkdir(unixPath.c_str(), 0777) == 0) return true;
  struct stat st;
  return errno == EEXIST && ::stat(unixPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_r(&moment, &local);
  return local;
}

}  // namespace zd::sys
