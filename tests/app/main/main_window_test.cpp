#include "gtest_winelib.h"

#include <string>

#include "main/data_folder.h"
#include "wait_for.h"

namespace {

// The program as the user starts it: the copy installed in the data folder.
std::string InstalledProgram() { return zd::DataFolderPath() + "\\ZentrikDizavirov.exe.so"; }

// The top-level window of the given class that belongs to the given process, if any.
HWND FindWindowOfProcess(const char* window_class, DWORD process_id) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, window_class, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_id) return window;
  }
  return nullptr;
}

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

TEST(MainWindow, OpensAndTheProgramEndsWithCodeZeroWhenItIsClosed) {
  const std::string program = InstalledProgram();
  ASSERT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES)
      << program << " is not installed";
  ProgramProcess process;
  ASSERT_TRUE(process.Start(program)) << "CreateProcessA failed: " << GetLastError();

  HWND window = nullptr;
  ASSERT_TRUE(zd_test::WaitFor([&] {
    window = FindWindowOfProcess("classeF", process.id());
    return window != nullptr && IsWindowVisible(window);
  })) << "no visible window of class classeF";

  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Zentrik Dizavirov");

  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  ASSERT_EQ(WaitForSingleObject(process.handle(), zd_test::kDeadlineMs), WAIT_OBJECT_0)
      << "the program is still running after WM_CLOSE";
  DWORD exit_code = 1;
  ASSERT_TRUE(GetExitCodeProcess(process.handle(), &exit_code));
  EXPECT_EQ(exit_code, 0u);
}

}  // namespace
