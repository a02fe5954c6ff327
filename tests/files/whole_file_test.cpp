#include "files/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_support.h"

namespace zd {
namespace {

TEST(WholeFile, ReplacesTheFileWithCrLfTextAndLeavesNoTemporary) {
  test::TempDir dir;
  std::string path = dir.file("R\xE9glagesSons.rg");  // 1252 name
  test::WriteBytes(dir.file("R\xC3\xA9glagesSons.rg"), "old content that is longer\r\n");
  ASSERT_TRUE(WriteWholeFile(path, "a\tb\n"));
  EXPECT_EQ(test::ReadBytes(dir.file("R\xC3\xA9glagesSons.rg")), "a\tb\r\n");
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
  struct stat st;
  ASSERT_EQ(::stat(dir.file("R\xC3\xA9glagesSons.rg").c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IRGRP, 0u);  // an ordinary file, not a private temporary
}

TEST(WholeFile, FailureKeepsTheOldFile) {
  test::TempDir dir;
  // The folder does not exist: nothing can be written, and false says so.
  EXPECT_FALSE(WriteWholeFile(dir.file("missing/x.txt"), "x\n"));
  // A disk that fills up half-way: the file size limit makes the write fail after 16 bytes.
  std::string target = dir.file("kept.txt");
  test::WriteBytes(target, "kept\r\n");
  bool written;
  {
    test::FileSizeLimit limit(16);
    ASSERT_TRUE(limit.set());
    written = WriteWholeFile(target, std::string(100, 'x'));
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(test::ReadBytes(target), "kept\r\n");
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);  // the temporary is gone
}

TEST(WholeFile, MakeFolderIsIdempotent) {
  test::TempDir dir;
  EXPECT_TRUE(MakeFolder(dir.file("WebResults")));
  EXPECT_TRUE(MakeFolder(dir.file("WebResults")));
  test::WriteBytes(dir.file("plain"), "x");
  EXPECT_FALSE(MakeFolder(dir.file("plain")));
}

}  // namespace
}  // namespace zd
