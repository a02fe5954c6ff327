#include "main/data_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace zd {

std::string CurrentDirectoryPath() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

std::string DataFolderPath() {
  char program_files[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT,
                              program_files))) {
    lstrcpyA(program_files, "C:\\Program Files");
  }
  return std::string(program_files) + "\\Zentrik Dizavirov";
}

bool MakeDataFolderCurrent() { return SetCurrentDirectoryA(DataFolderPath().c_str()) != 0; }

DataFolderCurrentScope::DataFolderCurrentScope() : previous_(CurrentDirectoryPath()) {
  MakeDataFolderCurrent();
}

DataFolderCurrentScope::~DataFolderCurrentScope() {
  if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
}

}  // namespace zd
