#include "unix_shell.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "wait_for.h"
#include "windows_files.h"

namespace zd_test {

namespace {

std::atomic<unsigned> g_counter{0};

std::string ScratchFolder() {
  static const std::string folder = NewUnixFolder("shell");
  return folder;
}

}  // namespace

std::string NewUnixFolder(const std::string& name) {
  CreateDirectoryA(WindowsPathOf("/tmp").c_str(), nullptr);
  // Wine gives the same process ids again in each run: a folder that exists is someone else's.
  for (;;) {
    const std::string path = "/tmp/zd-app-tests-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()) + "-" + name + "-" +
                             std::to_string(g_counter++);
    if (CreateDirectoryA(WindowsPathOf(path).c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return path;
  }
}

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool WriteUnixFile(const std::string& unixPath, const std::string& text) {
  return WriteWindowsFile(WindowsPathOf(unixPath), text);
}

std::string ReadUnixFile(const std::string& unixPath) {
  return ReadWindowsFile(WindowsPathOf(unixPath), "");
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool StartShell(const std::string& script) {
  // The script goes through a file: no quoting rules between the Windows and Unix command lines.
  const std::string file = ScratchFolder() + "/script" + std::to_string(g_counter++) + ".sh";
  // Its output goes to a log of its own: a command still running when the test ends must not
  // hold the test's output open (ctest would wait for it).
  const std::string log = ScratchFolder() + "/shell.log";
  if (!WriteUnixFile(file, "exec </dev/null >>" + ShellQuoted(log) + " 2>&1\n" + script + "\n"))
    return false;
  std::string commandLine = "/bin/sh " + file;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  return true;
}

bool RunShell(const std::string& script) {
  const std::string status = ScratchFolder() + "/status" + std::to_string(g_counter++);
  // Written aside and renamed: the status file is whole once it exists.
  if (!StartShell("(" + script + "\n)\necho $? > " + status + ".part && mv " + status + ".part " +
                  status))
    return false;
  const std::string windowsStatus = WindowsPathOf(status);
  if (!WaitFor([&] { return GetFileAttributesA(windowsStatus.c_str()) != INVALID_FILE_ATTRIBUTES; },
               120000))
    return false;
  return std::atoi(ReadUnixFile(status).c_str()) == 0;
}

bool MakePicture(const std::string& convertArguments, const std::string& windowsPath) {
  const std::size_t dot = windowsPath.rfind('.');
  const std::string made = ScratchFolder() + "/picture" + std::to_string(g_counter++) +
                           (dot == std::string::npos ? std::string() : windowsPath.substr(dot));
  return RunShell("convert " + convertArguments + " " + ShellQuoted(made)) &&
         CopyFileA(WindowsPathOf(made).c_str(), windowsPath.c_str(), FALSE);
}

}  // namespace zd_test
