#include "gtest_win32.h"

#include <cstdio>
#include <string>

#include "files/whole_file.h"
#include "main/data_folder.h"

namespace {

// The core opens files by paths relative to the data folder: a file it makes must land there.
TEST(DataFolder, BecomesCurrentForTheFilesOfTheProgram) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_STREQ(current, zd::DataFolderPath().c_str());

  const char name[] = "data_folder_test.tmp";
  ASSERT_TRUE(zd::WriteWholeFile(name, "x\n"));
  const std::string windows_path = zd::DataFolderPath() + "\\" + name;
  EXPECT_NE(GetFileAttributesA(windows_path.c_str()), INVALID_FILE_ATTRIBUTES);
  std::remove(name);
}

}  // namespace
