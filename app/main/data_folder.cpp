#include "main/data_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace zd {

namespace {

// Written and removed at start only to learn whether the folder takes files.
constexpr char kProbeFile[] = "ZentrikDizavirov-EssaiEcriture.tmp";

}  // namespace

std::string CurrentDirectoryPath() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

std::string DataFolderPath() {
  // The user's own programs folder ("%LOCALAPPDATA%\Programs"), where the installer puts the
  // program without administrator rights and where that user may write.
  char local[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)))
    return "";
  return std::string(local) + "\\Programs\\Zentrik Dizavirov";
}

bool MakeDataFolderCurrent() {
  const std::string folder = DataFolderPath();
  return !folder.empty() && SetCurrentDirectoryA(folder.c_str()) != 0;
}

bool FolderTakesFiles(const std::string& folder) {
  const std::string path = folder + "\\" + kProbeFile;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const char bytes[] = "x\r\n";
  DWORD written = 0;
  const bool wrote = WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr) &&
                     written == sizeof bytes - 1;
  const bool closed = CloseHandle(file) != 0;
  const bool removed = DeleteFileA(path.c_str()) != 0;
  return wrote && closed && removed;
}

std::string DataFolderNotWritableText(const std::string& folder) {
  return "Le logiciel ne peut pas écrire dans son dossier de données :\n" + folder +
         "\n\nL'événement, les bases de données et les réglages y sont enregistrés : sans ce "
         "droit, rien ne serait sauvegardé.\nRéinstallez le logiciel avec son installateur sous "
         "votre propre compte Windows (il s'installe alors dans ce dossier sans droits "
         "d'administrateur), ou donnez à votre compte le droit de modifier ce dossier, puis "
         "relancez le logiciel.";
}

DataFolderCurrentScope::DataFolderCurrentScope() : previous_(CurrentDirectoryPath()) {
  MakeDataFolderCurrent();
}

DataFolderCurrentScope::~DataFolderCurrentScope() {
  if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
}

}  // namespace zd
