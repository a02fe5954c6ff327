#pragma once
// The installed program run as its user runs it, in a process of its own: finding its windows and
// answering its message boxes from outside, as a user would.

#include <windows.h>

#include <string>

#include "main/data_folder.h"

namespace zd_test {

// The program as the user starts it: the copy installed in the data folder.
inline std::string InstalledProgram() { return zd::DataFolderPath() + "\\ZentrikDizavirov.exe"; }

// Starts the program and makes sure it does not outlive the test.
class ProgramProcess {
 public:
  bool Start(const std::string& program) {
    std::string command_line = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_);
  }
  ~ProgramProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(info_.hProcess, 255);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
};

// The first top-level window of the given class that belongs to the given process, if any; only a
// visible one when visible is set.
inline HWND FindWindowOfProcess(const char* window_class, DWORD process_id, bool visible = false) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, window_class, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_id && (!visible || IsWindowVisible(window))) return window;
  }
  return nullptr;
}

inline std::string WindowText(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A message box of the program, as it shows: its caption and its text.
struct ProgramBox {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

// The message box that the process shows, if it shows one (a dialog of the standard class whose
// static controls hold the text).
inline ProgramBox FindMessageBox(DWORD process_id) {
  ProgramBox box;
  box.window = FindWindowOfProcess("#32770", process_id, true);
  if (!box.window) return {};
  box.caption = WindowText(box.window);
  for (HWND child = GetWindow(box.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char child_class[32] = {};
    GetClassNameA(child, child_class, sizeof child_class);
    const std::string text = WindowText(child);
    if (lstrcmpiA(child_class, "Static") == 0 && !text.empty()) box.text += text;
  }
  return box;
}

// Presses the box's button with the given id (IDOK, IDYES, IDNO...).
inline void Answer(const ProgramBox& box, int button) {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, button)));
}

}  // namespace zd_test
