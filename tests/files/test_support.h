#pragma once
// Temporary files for the file-layer tests, and raw access to their bytes.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "files/race_file.h"
#include "files/text_file.h"

namespace zd::test {

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/zdtestXXXXXX";
    const char* made = ::mkdtemp(tmpl);
    path_ = made ? made : "/tmp";
  }
  ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A disk that fills up: while it lives, writes past `bytes` bytes of any file fail (with
// SIGXFSZ ignored, so that the write returns its error instead of ending the process).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    struct rlimit small = old_;
    small.rlim_cur = bytes;
    set_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool set() const { return set_; }

 private:
  struct rlimit old_ {};
  void (*oldHandler_)(int);
  bool set_ = false;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// The filler of n pairs as it stands on disk.
inline std::string Filler(int pairs) { return Repeat("1\t", pairs) + "\r\n"; }

// Compares two byte strings and, when they differ, says where, with a little context: file
// contents are too long to print whole.
inline ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  std::size_t from = at > 20 ? at - 20 : 0;
  return ::testing::AssertionFailure()
         << "sizes " << actual.size() << " and " << expected.size() << ", first difference at "
         << at << ": actual \"" << ::testing::PrintToString(actual.substr(from, 40))
         << "\" expected \"" << ::testing::PrintToString(expected.substr(from, 40)) << "\"";
}

inline TextFile OpenOrFail(const std::string& path, OpenMode mode) {
  TextFile f;
  EXPECT_TRUE(f.open(path, mode)) << path;
  return f;
}

// A new race file in a scratch folder, as the program creates it at start.
class NewRaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file("Course.race2");
    TextFile f = OpenOrFail(path_, OpenMode::Create);
    ASSERT_TRUE(InitialiseRaceFile(f).ok);
    newFileSize_ = ReadBytes(path_).size();
  }
  TextFile Open() { return OpenOrFail(path_, OpenMode::Update); }
  // The bytes after the new file's own content: the sections written since.
  std::string Appended() { return ReadBytes(path_).substr(newFileSize_); }
  // A section as the writers leave it: its title line, then the body over its filler.
  static std::string Section(const std::string& title, const std::string& body, int pairs) {
    return "\r\n" + title + "\t\r\n" + body + Filler(pairs).substr(body.size());
  }

  TempDir dir_;
  std::string path_;
  std::size_t newFileSize_ = 0;
};

}  // namespace zd::test
