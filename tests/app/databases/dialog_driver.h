#pragma once
// Database dialogs opened from the main window's menu and driven by messages as their user would,
// with the data-folder files they write kept and put back around each test.

#include "gtest_win32.h"

#include <functional>
#include <string>
#include <vector>

#include "main/data_folder.h"
#include "main/main_window_fixture.h"
#include "unix_shell.h"

namespace zd_test::dialogs {

// Runs act on the dialog of this process that has the caption and the control, once it shows;
// the dialog is modal, so act runs from a thread timer that its message loop dispatches.
class DialogDriver {
 public:
  DialogDriver(const char* caption, int controlId, std::function<void(HWND)> act)
      : caption_(caption), controlId_(controlId), act_(std::move(act)) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
  }
  ~DialogDriver() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  bool acted() const { return acted_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = active_;
    if (self == nullptr || self->acted_) return;
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", self->caption_)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(dialog, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(dialog) &&
          GetDlgItem(dialog, self->controlId_) != nullptr) {
        self->acted_ = true;
        self->act_(dialog);
        return;
      }
    }
  }

  static inline DialogDriver* active_ = nullptr;
  const char* caption_;
  int controlId_;
  std::function<void(HWND)> act_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
};

inline std::string Text(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

inline void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Typing into an edit: its whole text replaced as a paste would, within the edit's limit. (A
// multi-line edit tells no change of a WM_SETTEXT.)
inline void Type(HWND dialog, int id, const std::string& text) {
  SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
  SendDlgItemMessageA(dialog, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

inline void SelectLine(HWND dialog, int list, int line) {
  SendDlgItemMessageA(dialog, list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
}

inline LOGFONTA FontOf(HWND dialog, int id) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0)), sizeof font,
             &font);
  return font;
}

// A control's rectangle in the dialog's client pixels.
inline RECT ControlRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Whether an edit's text area is wide enough for the text in the edit's own font.
inline bool ShowsWhole(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  RECT area{};
  SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  HDC dc = GetDC(edit);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return size.cx <= area.right - area.left;
}

// The edit's change when its user leaves it for another control.
inline void Leave(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::vector<std::string> Lines(HWND dialog, int list) {
  std::vector<std::string> lines;
  const LRESULT n = SendDlgItemMessageA(dialog, list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char text[256] = {};
    SendDlgItemMessageA(dialog, list, LB_GETTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

// What the user sees, for a look at the dialog: the screen once the dialog has painted, saved
// under that name in the tests' output folder.
inline void SaveDialogPicture(HWND dialog, const std::string& name) {
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(zd_test::RunShell("import -window root " +
                                zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name)));
}

// Presses "Ok"; true when the dialog then closed.
inline bool PressOk(HWND dialog) {
  Click(dialog, IDOK);
  return !IsWindowVisible(dialog);
}

class DatabaseDialogTest : public zd_test::MainWindowTest {
 protected:
  // The data-folder files that the tests write, kept and put back around each test.
  explicit DatabaseDialogTest(std::vector<const char*> files) : files_(std::move(files)) {}

  void SetUp() override {
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    for (const char* name : files_) {
      const std::string path = InDataFolder(name);
      kept_.push_back({path, GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES,
                       ReadWindowsFile(path)});
    }
    folder_ = zd_test::NewUnixFolder("databases");
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    for (const Kept& k : kept_) {
      if (k.existed) {
        WriteWindowsFile(k.path, k.bytes);
      } else {
        DeleteFileA(k.path.c_str());
      }
    }
  }

  // Opens the dialog by its menu command; act runs on it once it shows.
  void WithDialog(int command, const char* caption, int controlId,
                  const std::function<void(HWND)>& act) {
    DialogDriver driver(caption, controlId, act);
    Command(command);
    EXPECT_TRUE(driver.acted());
  }

  std::string Working(const char* name) { return ReadWindowsFile(InDataFolder(name)); }
  void SetWorking(const char* name, const std::string& bytes) {
    ASSERT_TRUE(WriteWindowsFile(InDataFolder(name), bytes));
  }
  // A file of the test's own folder, by its Windows path.
  std::string Outside(const std::string& name) { return zd_test::WindowsPathOf(folder_) + "\\" + name; }

  std::string folder_;

 private:
  struct Kept {
    std::string path;
    bool existed;
    std::string bytes;
  };
  std::vector<const char*> files_;
  std::vector<Kept> kept_;
};

}  // namespace zd_test::dialogs
