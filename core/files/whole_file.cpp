#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/codepage.h"
#include "files/text_file.h"

namespace zd {

bool WriteWholeFile(std::string_view path, std::string_view text) {
  const std::string target = Cp1252ToUtf8(path);
  std::string temp = target + ".tmpXXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const std::string disk = ToDiskForm(text);
  const char* p = disk.data();
  std::size_t left = disk.size();
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

}  // namespace zd
