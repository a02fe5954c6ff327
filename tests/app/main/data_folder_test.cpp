#include "gtest_win32.h"

#include <cstdio>
#include <set>
#include <string>

#include "files/whole_file.h"
#include "main/data_folder.h"

namespace {

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

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

// The installer puts the program in "$LOCALAPPDATA\Programs\Zentrik Dizavirov": the program must
// look for its data in that same folder of the user's own.
TEST(DataFolder, IsTheUsersOwnProgramsFolderWhereTheInstallerPutsIt) {
  char local[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local), 0u);
  EXPECT_EQ(zd::DataFolderPath(), std::string(local) + "\\Programs\\Zentrik Dizavirov");
}

TEST(DataFolder, TakesFilesOnlyWhereOneCanBeMadeWrittenAndRemoved) {
  const std::string folder = zd::DataFolderPath();
  const std::set<std::string> before = Names(folder);
  struct Case {
    std::string folder;
    bool takes;
  };
  const Case cases[] = {
      {folder, true},
      // No file can be made in the system's process information, not even by root (under Wine
      // Windows access rights do not exist and root passes the Unix ones).
      {"Z:\\proc", false},
      {folder + "\\no such folder", false},
  };
  for (const Case& c : cases) EXPECT_EQ(zd::FolderTakesFiles(c.folder), c.takes) << c.folder;

  // The trial leaves nothing behind.
  EXPECT_EQ(Names(folder), before);
}

}  // namespace
