#include "web/web_site_process.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "files/live_file.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace zd_test {

namespace {

const std::string kTools = ZD_WEB_SITE_TOOLS;
const char* kBrowserKey = "Software\\Wine\\WineBrowser";

std::string UnixPath(const std::string& folder, const std::string& path) {
  return folder + "/" + path;
}

}  // namespace

WebSiteProcess::WebSiteProcess() : folder_(NewUnixFolder("web-site")), root_(folder_ + "/root") {
  RunShell("mkdir -p " + ShellQuoted(root_) + " " + ShellQuoted(folder_ + "/received"));
  WriteUnixFile(folder_ + "/account", account_);
}

WebSiteProcess::~WebSiteProcess() {
  stop();
  if (browserSet_) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, "Browsers");
      RegCloseKey(key);
    }
  }
}

bool WebSiteProcess::start(bool silent, bool samePort) {
  stop();
  const std::string portFile = folder_ + "/port" + std::to_string(++starts_);
  const std::string command =
      "echo $$ > " + ShellQuoted(folder_ + "/pid") + "\nexec /usr/bin/python3 " +
      ShellQuoted(kTools + "/ftp_site.py") + " --root " + ShellQuoted(root_) + " --account-file " +
      ShellQuoted(folder_ + "/account") + " --port-file " + ShellQuoted(portFile) + " --log " +
      ShellQuoted(folder_ + "/server.log") + " --received " +
      ShellQuoted(folder_ + "/received") + " --port " +
      std::to_string(samePort ? port_ : 0) + (silent ? " --silent" : "");
  if (!StartShell(command)) return false;
  if (!WaitFor([&] { return !ReadUnixFile(portFile).empty(); })) return false;
  port_ = std::atoi(ReadUnixFile(portFile).c_str());
  return port_ > 0;
}

void WebSiteProcess::stop() {
  const std::string pid = folder_ + "/pid";
  if (ReadUnixFile(pid).empty()) return;
  RunShell("kill $(cat " + ShellQuoted(pid) + ") 2>/dev/null; rm -f " + ShellQuoted(pid));
}

bool WebSiteProcess::writeSettings(const std::string& windowsPath) const {
  const std::string text = "ftp=" + ftpRoot() + "\r\nscripts=http://127.0.0.1:9/\r\naccount=" +
                           account_ + "\r\n";
  HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  CloseHandle(file);
  return ok;
}

std::string WebSiteProcess::remoteFile(const std::string& path) const {
  // Through the shell: the name is UTF-8 on the disk, which the ANSI functions would not reach.
  const std::string copy = folder_ + "/fetched";
  RunShell("rm -f " + ShellQuoted(copy) + "; cp " + ShellQuoted(UnixPath(root_, path)) + " " +
           ShellQuoted(copy));
  return ReadUnixFile(copy);
}

bool WebSiteProcess::remoteExists(const std::string& path) const {
  return RunShell("test -e " + ShellQuoted(UnixPath(root_, path)));
}

bool WebSiteProcess::startWithActivatedEvent(const std::string& dataFolder) {
  if (!start() || !useStandInBrowser(1.0)) return false;
  CreateDirectoryA((dataFolder + "\\WebResults").c_str(), nullptr);  // kept when it is there
  if (!writeSettings(dataFolder + "\\Private\\SiteWeb.rg")) return false;
  zd::WebEventInfo info;
  info.activated = 1;
  info.championshipFolder = "Ligue_Sud";
  info.eventId = "GP_1";
  return zd::WriteWebEventInfo(info).ok &&
         makeRemoteFolder("public_html/ZentrikRiduduzud/Ligue_Sud/GP_1");
}

bool WebSiteProcess::makeRemoteFolder(const std::string& path) const {
  return RunShell("mkdir -p " + ShellQuoted(UnixPath(root_, path)));
}

std::vector<std::string> WebSiteProcess::remoteFiles() const {
  const std::string listing = folder_ + "/listing";
  RunShell("cd " + ShellQuoted(root_) + " && find . -type f | cut -c3- | LC_ALL=C sort > " +
           ShellQuoted(listing));
  std::vector<std::string> files;
  const std::string text = ReadUnixFile(listing);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    files.push_back(text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return files;
}

std::vector<std::string> WebSiteProcess::receivedFiles() const {
  std::vector<std::string> files;
  for (int rank = 1;; ++rank) {
    char name[16];
    std::snprintf(name, sizeof name, "/%06d", rank);
    const std::string path = folder_ + "/received" + name;
    if (!RunShell("test -e " + ShellQuoted(path))) return files;
    files.push_back(ReadUnixFile(path));
  }
}

int WebSiteProcess::sessionsOpened() const {
  const std::string log = ReadUnixFile(folder_ + "/server.log");
  int count = 0;
  for (std::size_t at = log.find("FTP session opened"); at != std::string::npos;
       at = log.find("FTP session opened", at + 1))
    ++count;
  return count;
}

bool WebSiteProcess::useStandInBrowser(double delaySeconds) {
  const std::string browser = folder_ + "/browser.sh";
  if (!WriteUnixFile(browser, "#!/bin/sh\nexec /usr/bin/python3 " +
                                  ShellQuoted(kTools + "/archive_script.py") + " --root " +
                                  ShellQuoted(root_) + " --delay " +
                                  std::to_string(delaySeconds) + " --log " +
                                  ShellQuoted(folder_ + "/browsed.log") + " \"$@\"\n") ||
      !RunShell("chmod +x " + ShellQuoted(browser)))
    return false;
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const LONG set = RegSetValueExA(key, "Browsers", 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(browser.c_str()),
                                  static_cast<DWORD>(browser.size() + 1));
  RegCloseKey(key);
  browserSet_ = set == ERROR_SUCCESS;
  return browserSet_;
}

std::string WebSiteProcess::browsedAddresses() const {
  return ReadUnixFile(folder_ + "/browsed.log");
}

}  // namespace zd_test
