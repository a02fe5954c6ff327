#pragma once
// Tests of the files that the program keeps at fixed places of its data folder: the folder is a
// fresh temporary one, made current for the test.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "test_support.h"

namespace zd::test {

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    previous_ = cwd;
    ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(::chdir(previous_.c_str()), 0); }
  std::string file(const std::string& name) const { return dir_.file(name); }
  // The working race file of a new event, in its folder.
  void MakeWorkingRaceFile() {
    ASSERT_EQ(::mkdir("Private", 0777), 0);
    TextFile race = OpenOrFail(kRaceFilePath, OpenMode::Create);
    ASSERT_TRUE(InitialiseRaceFile(race).ok);
  }

  TempDir dir_;
  std::string previous_;
};

}  // namespace zd::test
