#include "gtest_winelib.h"

#include <cstdio>
#include <string>

#include "main/data_folder.h"

namespace {

// The core opens files by relative paths through the C library, which does not follow
// SetCurrentDirectoryA under Wine: a file it makes must land in the data folder.
TEST(DataFolder, BecomesCurrentForWin32AndForTheCLibrary) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  EXPECT_STREQ(current, zd::DataFolderPath().c_str());

  const char name[] = "data_folder_test.tmp";
  FILE* file = std::fopen(name, "w");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  const std::string windows_path = zd::DataFolderPath() + "\\" + name;
  EXPECT_NE(GetFileAttributesA(windows_path.c_str()), INVALID_FILE_ATTRIBUTES);
  std::remove(name);
}

}  // namespace
