#include "main/data_folder.h"

#include <windows.h>
#include <shlobj.h>
#include <unistd.h>

#include <vector>

namespace zd {

namespace {

// The Unix path Wine maps a Windows path to, or "" when it has none.
std::string UnixPathOf(const std::string& windows_path) {
  int length = MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::vector<WCHAR> wide(length);
  MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide.data(), length);
  char* unix_path = wine_get_unix_file_name(wide.data());
  if (!unix_path) return {};
  std::string result(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

}  // namespace

std::string DataFolderPath() {
  char program_files[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT,
                              program_files))) {
    lstrcpyA(program_files, "C:\\Program Files");
  }
  return std::string(program_files) + "\\Zentrik Dizavirov";
}

bool MakeDataFolderCurrent() {
  const std::string folder = DataFolderPath();
  if (!SetCurrentDirectoryA(folder.c_str())) return false;
  const std::string unix_folder = UnixPathOf(folder);
  return !unix_folder.empty() && chdir(unix_folder.c_str()) == 0;
}

}  // namespace zd
