#include "gtest_win32.h"


#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../../files/new_race_file_bytes.h"
#include "chooser_answer.h"
#include "files/factory_settings.h"
#include "files/live_file.h"
#include "files/settings.h"
#include "files/translation.h"
#include "main/data_folder.h"
#include "main/main_window.h"
#include "main/main_window_model.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "unix_shell.h"
#include "wait_for.h"

// The start-up and the shutdown of the program, run in the test's own process so that its
// message boxes are answered and recorded through the one function that shows them all.

namespace {

struct Box {
  std::string caption;
  std::string text;
};

std::string ReadWholeFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size()) << path;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string InDataFolder(const std::string& name) { return zd::DataFolderPath() + "\\" + name; }

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

// Leaves the data folder, so that it can be moved.
void LeaveDataFolder() {
  SetCurrentDirectoryA("C:\\");
}

// Puts the installed data folder aside for a test, and brings it back when the test ends in
// place of whatever the test left there.
class DataFolderAside {
 protected:
  DataFolderAside() : folder_(zd::DataFolderPath()), aside_(folder_ + ".aside") {
    LeaveDataFolder();
    moved_ = MoveFileA(folder_.c_str(), aside_.c_str());
    EXPECT_TRUE(moved_) << "cannot move " << folder_ << " aside: " << GetLastError();
  }
  ~DataFolderAside() {
    if (!moved_) return;
    LeaveDataFolder();
    RemoveTree(folder_);
    EXPECT_TRUE(MoveFileA(aside_.c_str(), folder_.c_str())) << "cannot restore " << folder_;
  }

  std::string folder_;
  std::string aside_;
  bool moved_ = false;
};

// In place of the installed data folder, one that holds only its folders, empty.
class EmptiedDataFolder : DataFolderAside {
 public:
  EmptiedDataFolder() {
    if (!moved_) return;
    CreateDirectoryA(folder_.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((aside_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
          CreateDirectoryA((folder_ + "\\" + name).c_str(), nullptr);
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
  }
};

// The Unix path of a Windows path, as Wine maps it.
std::string UnixPathOf(const std::string& windowsPath) {
  using Convert = char*(CDECL*)(const WCHAR*);
  const auto convert = reinterpret_cast<Convert>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  if (convert == nullptr) return "";
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* unixPath = convert(wide);
  if (unixPath == nullptr) return "";
  std::string path = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return path;
}

// Puts the installed data folder aside and in its place a link to the system's process
// information, a folder where no file can be made, not even by root: under Wine, Windows access
// rights do not exist and root passes the Unix ones, yet the start must tell a folder it may not
// write to.
class DataFolderTakingNoFile {
 public:
  DataFolderTakingNoFile()
      : folder_(zd::DataFolderPath()), aside_(folder_ + ".aside"), link_(UnixPathOf(folder_)) {
    LeaveDataFolder();
    moved_ = MoveFileA(folder_.c_str(), aside_.c_str());
    EXPECT_TRUE(moved_) << "cannot move " << folder_ << " aside: " << GetLastError();
    EXPECT_FALSE(link_.empty());
    if (moved_ && !link_.empty())
      EXPECT_TRUE(zd_test::RunShell("ln -s /proc " + zd_test::ShellQuoted(link_)));
  }
  ~DataFolderTakingNoFile() {
    if (!moved_) return;
    LeaveDataFolder();
    EXPECT_TRUE(zd_test::RunShell("rm -f " + zd_test::ShellQuoted(link_)));
    EXPECT_TRUE(MoveFileA(aside_.c_str(), folder_.c_str())) << "cannot restore " << folder_;
  }

 private:
  std::string folder_;
  std::string aside_;
  std::string link_;
  bool moved_ = false;
};

// Puts the installed data folder aside and installs the program afresh in its place with the
// installer, silently, as a new user would; the installed one comes back when the test ends.
class FreshInstall : DataFolderAside {
 public:
  FreshInstall() {
    if (!moved_) return;
    std::string commandLine = "\"" + zd_test::WindowsPathOf(ZD_INSTALLER) + "\" /S";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      ADD_FAILURE() << "the installer did not start: " << GetLastError();
      return;
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, zd_test::kDeadlineMs), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u) << "the installer failed";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

// Keeps a file of the data folder as it was before the test.
class KeptFile {
 public:
  explicit KeptFile(std::string path)
      : path_(std::move(path)), existed_(Exists(path_)), bytes_(ReadWholeFile(path_)) {}
  ~KeptFile() {
    if (existed_)
      WriteWholeFile(path_, bytes_);
    else
      DeleteFileA(path_.c_str());
  }

 private:
  std::string path_;
  bool existed_;
  std::string bytes_;
};

class MainWindowStart : public ::testing::Test {
 protected:
  void SetUp() override {
    zd::SetMessageAnswerer([this](const char* text, const char* caption, UINT) {
      boxes_.push_back({caption, text});
      if (std::string(caption) == "Attention" && !closeAnswers_.empty()) {
        const int answer = closeAnswers_.front();
        closeAnswers_.erase(closeAnswers_.begin());
        return answer;
      }
      return IDOK;
    });
  }

  void TearDown() override {
    if (window_ && IsWindow(window_)) {
      zd::MainState().race.running = 0;
      closeAnswers_ = {IDNO};
      SendMessageA(window_, WM_CLOSE, 0, 0);
    }
    zd::SetMessageAnswerer({});
  }

  HWND Start() {
    boxes_.clear();
    window_ = zd::StartProgram(GetModuleHandleA(nullptr));
    return window_;
  }

  // A close request answered with answer; true when the window is gone and the quit message,
  // code 0, is waiting.
  bool Close(int answer) {
    closeAnswers_ = {answer};
    boxes_.clear();
    SendMessageA(window_, WM_CLOSE, 0, 0);
    if (IsWindow(window_)) return false;
    MSG quit;
    return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 0;
  }

  // Waits until the window has painted everything it was asked to.
  void WaitUntilPainted() {
    ASSERT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window_, nullptr, FALSE); }));
  }

  std::string MenuText(UINT item, UINT by) {
    char text[128] = {};
    GetMenuStringA(GetMenu(window_), item, text, sizeof text, by);
    return text;
  }

  RECT ClientRectOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  // The controls where the screen's layout puts them, with their class and text.
  void ExpectControlsPlaced() {
    const int W = GetSystemMetrics(SM_CXSCREEN);
    const int H = GetSystemMetrics(SM_CYSCREEN);
    for (const zd::ControlPlacement& c : zd::MainWindowControls(W, H)) {
      if (c.id == 0) continue;  // the frame, found below
      SCOPED_TRACE(c.id);
      HWND control = GetDlgItem(window_, c.id);
      ASSERT_NE(control, nullptr);
      char className[32] = {};
      GetClassNameA(control, className, sizeof className);
      EXPECT_EQ(lstrcmpiA(className, c.windowClass), 0) << className;
      const RECT r = ClientRectOf(control);
      EXPECT_EQ(r.left, c.left);
      EXPECT_EQ(r.top, c.top);
      EXPECT_EQ(r.right - r.left, c.width);
      // A drop-down list is as high as its edit part until it opens.
      if (c.kind != zd::ControlKind::DropDownList) {
        EXPECT_EQ(r.bottom - r.top, c.height);
      }
    }
    if (W == 1600 && H == 900) {
      const RECT first = ClientRectOf(GetDlgItem(window_, 2301));
      EXPECT_EQ(first.left, 400);
      EXPECT_EQ(first.top, 625);
      EXPECT_EQ(first.right - first.left, 40);
      EXPECT_EQ(first.bottom - first.top, 18);
      const RECT last = ClientRectOf(GetDlgItem(window_, 2350));
      EXPECT_EQ(last.left, 1100);
      EXPECT_EQ(last.top, 671);
    } else if (W == 1920 && H == 1080) {
      const RECT first = ClientRectOf(GetDlgItem(window_, 2301));
      EXPECT_EQ(first.left, 460);
      EXPECT_EQ(first.top, 750);
      EXPECT_EQ(first.right - first.left, 48);
      EXPECT_EQ(first.bottom - first.top, 21);
      const RECT start = ClientRectOf(GetDlgItem(window_, zd::kStartSeriesButton));
      EXPECT_EQ(start.left, 860);
      EXPECT_EQ(start.top, 48);
    }
    // Children without an id: the frame of the manual lap buttons and the hidden scroll bar.
    bool frameFound = false, scrollBarFound = false;
    const std::vector<zd::ControlPlacement> controls = zd::MainWindowControls(W, H);
    const zd::ControlPlacement frame = *std::find_if(
        controls.begin(), controls.end(), [](const zd::ControlPlacement& c) { return c.id == 0; });
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(child) != 0) continue;
      char className[32] = {};
      GetClassNameA(child, className, sizeof className);
      const RECT r = ClientRectOf(child);
      if (lstrcmpiA(className, "Button") == 0) {
        frameFound = r.left == frame.left && r.top == frame.top &&
                     r.right - r.left == frame.width && r.bottom - r.top == frame.height;
      } else if (lstrcmpiA(className, "ScrollBar") == 0) {
        scrollBarFound = !IsWindowVisible(child) && r.left == 201 && r.top == 145 * H / 900;
      }
    }
    EXPECT_TRUE(frameFound);
    EXPECT_TRUE(scrollBarFound);
  }

  HWND window_ = nullptr;
  std::vector<Box> boxes_;
  std::vector<int> closeAnswers_;
};

std::vector<std::string> Texts(const std::vector<Box>& boxes) {
  std::vector<std::string> texts;
  for (const Box& box : boxes) texts.push_back(box.text);
  return texts;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += "[" + text + "] ";
  return joined;
}

TEST_F(MainWindowStart, InstalledFolderInTheChosenLanguage) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  KeptFile languages(InDataFolder("Translation\\FenetrePrincipale.trans"));
  KeptFile web(InDataFolder("WebResults\\CoordonneesWeb.txt"));
  KeptFile display(InDataFolder("Private\\R\xE9glagesAffichage.rgsc"));
  KeptFile crashCopy(InDataFolder("VeVaravErez.race2"));
  // German for the software, and a published event that the run must not leave switched on.
  ASSERT_TRUE(zd::WriteLanguageSettings(zd::kLanguageGerman, zd::kLanguageFrench));
  zd::WebEventInfo published;
  published.connected = 1;
  published.activated = 1;
  published.eventId = "GP_12_07_2026";
  published.championshipFolder = "Coupe";
  ASSERT_TRUE(zd::WriteWebEventInfo(published));
  // The display settings as installed: the prefix outlives the run, and another run may have
  // left its own there.
  ASSERT_TRUE(zd::WriteDisplaySettings(zd::kDisplaySettingsFile, zd::FactoryDisplaySettings(),
                                       zd::FactoryCustomColours()));
  // The working file of a previous run that held an event.
  const std::string previous = zd::test::NewRaceFileBytes() + "\r\nDadevuDorePiste\t\r\nX\t2\t\r\n";
  WriteWholeFile(InDataFolder("Private\\Course.race2"), previous);

  ASSERT_NE(Start(), nullptr);
  // Sending is off from the start: a run that crashed cannot leave it on.
  zd::WebEventInfo atStart;
  ASSERT_TRUE(zd::ReadWebEventInfo(atStart));
  EXPECT_EQ(atStart.connected, 0);
  EXPECT_EQ(atStart.activated, 0);
  EXPECT_EQ(atStart.eventId.view(), "GP_12_07_2026");
  EXPECT_EQ(zd::MainState().webEventInfo.activated, 0);
  char className[32] = {};
  GetClassNameA(window_, className, sizeof className);
  EXPECT_STREQ(className, "classeF");
  EXPECT_TRUE(IsZoomed(window_));
  RECT frame;
  GetWindowRect(window_, &frame);
  EXPECT_LE(frame.left, 0);
  EXPECT_GE(frame.right, GetSystemMetrics(SM_CXSCREEN));
  char title[32] = {};
  GetWindowTextA(window_, title, sizeof title);
  EXPECT_STREQ(title, "Zentrik");
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.back().caption, "Message Important");
  for (const Box& box : boxes_) {
    EXPECT_EQ(box.text.find("translation"), std::string::npos) << box.text;
    EXPECT_EQ(box.text.find("Display settings"), std::string::npos) << box.text;
  }

  const std::vector<std::string> popups = {"Datei",       "Datenbank",   "Strafen",
                                           "Live-Rennen", "Einstellung", "?"};
  for (UINT p = 0; p < popups.size(); ++p) EXPECT_EQ(MenuText(p, MF_BYPOSITION), popups[p]);
  EXPECT_EQ(MenuText(1009, MF_BYCOMMAND), "Alterskategorien");
  EXPECT_EQ(MenuText(1025, MF_BYCOMMAND), "Hilfe");
  EXPECT_EQ(MenuText(1021, MF_BYCOMMAND), "Display");
  EXPECT_TRUE(GetMenuState(GetMenu(window_), 1003, MF_BYCOMMAND) & MF_GRAYED);

  ExpectControlsPlaced();
  HWND tree = GetDlgItem(window_, zd::kEventTreeId);
  RECT client;
  GetClientRect(window_, &client);
  const RECT treeRect = ClientRectOf(tree);
  EXPECT_EQ(treeRect.left, 10);
  EXPECT_EQ(treeRect.top, 54);
  EXPECT_EQ(treeRect.right - treeRect.left, 190);
  EXPECT_EQ(treeRect.bottom - treeRect.top, client.bottom - 80);
  EXPECT_EQ(ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)), 11);
  EXPECT_EQ(IsDlgButtonChecked(window_, zd::kPersonalTransponders), BST_CHECKED);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(window_, zd::kTransponderPackList)));
  char status[16] = {};
  GetDlgItemTextA(window_, zd::kScanStatus, status, sizeof status);
  EXPECT_STREQ(status, " Off");
  EXPECT_STREQ(zd::MainState().series->clockTexts.duration.c_str(), "0:01:00");
  EXPECT_STREQ(zd::MainState().timer.countdownText.c_str(), "5s");

  EXPECT_EQ(ReadWholeFile(InDataFolder("Private\\Course.race2")), zd::test::NewRaceFileBytes());
  EXPECT_EQ(ReadWholeFile(InDataFolder("VeVaravErez.race2")), previous);
  WaitUntilPainted();

  // A column widened by dragging goes into the display settings at exit.
  zd::MainState().display.widths[1] = 321;
  // "Yes, save" without an event file asks for one; with no save done the window stays. "No"
  // closes it.
  {
    zd_test::ChooserAnswer cancel("");
    EXPECT_FALSE(Close(IDYES));
    EXPECT_TRUE(cancel.answered());
  }
  EXPECT_TRUE(IsWindow(window_));
  ASSERT_TRUE(Close(IDNO));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Attention");

  zd::DisplaySettings written;
  zd::CustomColours colours;
  ASSERT_TRUE(zd::ReadDisplaySettings(zd::kDisplaySettingsFile, written, colours));
  EXPECT_EQ(written.widths[1], 321);
  EXPECT_EQ(written.widths[0], zd::FactoryDisplaySettings().widths[0]);
  zd::WebEventInfo after;
  ASSERT_TRUE(zd::ReadWebEventInfo(after));
  EXPECT_EQ(after.connected, 0);
  EXPECT_EQ(after.activated, 0);
  EXPECT_EQ(after.eventId.view(), "GP_12_07_2026");
  EXPECT_EQ(after.championshipFolder.view(), "Coupe");
}

TEST_F(MainWindowStart, EmptyFolderAnnouncesEachMissingFileAndStaysUsable) {
  EmptiedDataFolder empty;
  ASSERT_NE(Start(), nullptr);

  const std::vector<std::string> creation = {
      "Error : 'Countries names' database file not found",
      "Error : 'Countries codes' database file not found",
      "Error : 'Drivers' mini-database file not found",
      "Error : 'Age categories' database file not found",
      "Error : 'Transponders' database file not found",
      "Error: Sound settings file not found",
      "Error: Custom sounds file not found",
      "Error: Display settings file not found",
      "Error: The translation file 'FenetrePrincipale.trans' has not been found",
      "Error: The translation file 'MenuPrincipal.trans' has not been found",
  };
  const std::vector<std::string> texts = Texts(boxes_);
  ASSERT_GT(texts.size(), creation.size());
  EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + creation.size()), creation);
  for (std::size_t i = 0; i < creation.size(); ++i) EXPECT_EQ(boxes_[i].caption, "Error");
  EXPECT_EQ(boxes_.back().caption, "Message Important");

  // The menus keep their French captions, the board the factory settings.
  EXPECT_EQ(MenuText(0, MF_BYPOSITION), "Fichier");
  EXPECT_EQ(MenuText(1009, MF_BYCOMMAND), "Cat\xE9gories d'ages");
  EXPECT_EQ(zd::MainState().layoutWidths, zd::FactoryDisplaySettings().widths);
  EXPECT_TRUE(IsZoomed(window_));
  ExpectControlsPlaced();

  EXPECT_EQ(ReadWholeFile(InDataFolder("Private\\Course.race2")), zd::test::NewRaceFileBytes());
  EXPECT_FALSE(Exists(InDataFolder("VeVaravErez.race2")));
  WaitUntilPainted();

  ASSERT_TRUE(Close(IDNO));
  zd::DisplaySettings written;
  zd::CustomColours colours;
  ASSERT_TRUE(zd::ReadDisplaySettings(zd::kDisplaySettingsFile, written, colours));
  EXPECT_EQ(written.widths, zd::FactoryDisplaySettings().widths);
  EXPECT_EQ(written.colours, zd::FactoryDisplaySettings().colours);
  zd::WebEventInfo after;
  after.connected = after.activated = 7;
  ASSERT_TRUE(zd::ReadWebEventInfo(after));
  EXPECT_EQ(after.connected, 0);
  EXPECT_EQ(after.activated, 0);
  // Nothing writes the translation files but their own dialog.
  EXPECT_FALSE(Exists(InDataFolder("Translation\\FenetrePrincipale.trans")));
  EXPECT_FALSE(Exists(InDataFolder("Translation\\MenuPrincipal.trans")));
}

// A folder the user may not write to is named at once, with what to do, and the program ends
// before any save could fail.
TEST_F(MainWindowStart, ADataFolderTakingNoFileIsNamedAtOnce) {
  DataFolderTakingNoFile unwritable;
  EXPECT_EQ(Start(), nullptr);
  ASSERT_EQ(boxes_.size(), 1u) << Joined(Texts(boxes_));
  EXPECT_EQ(boxes_[0].caption, "Zentrik");
  EXPECT_NE(boxes_[0].text.find("\n" + zd::DataFolderPath() + "\n"), std::string::npos)
      << boxes_[0].text;
  EXPECT_NE(boxes_[0].text.find("installateur"), std::string::npos) << boxes_[0].text;
}

// Closes the first dialog of this process that shows, from the timer ticks that its modal loop
// dispatches, and keeps its caption.
class DialogCloser {
 public:
  DialogCloser() {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &DialogCloser::Tick);
  }
  ~DialogCloser() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  HWND dialog() const { return dialog_; }
  const std::string& caption() const { return caption_; }

 private:
  static BOOL CALLBACK Each(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        lstrcmpA(className, "#32770") != 0)
      return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogCloser* self = active_;
    if (self == nullptr || self->dialog_ != nullptr) return;
    HWND found = nullptr;
    EnumWindows(&DialogCloser::Each, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return;
    self->dialog_ = found;
    char text[128] = {};
    GetWindowTextA(found, text, sizeof text);
    self->caption_ = text;
    SendMessageA(found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found, IDCANCEL)));
  }

  static inline DialogCloser* active_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  std::string caption_;
};

// A new user's first start and first visit of each database window: no box but the decoder
// detection's and the printing warning.
TEST_F(MainWindowStart, AFreshInstallStartsAndOpensEveryDatabaseWithNoError) {
  FreshInstall install;
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(boxes_.size(), 2u) << Joined(Texts(boxes_));
  EXPECT_EQ(boxes_[0].caption, "Message");
  EXPECT_EQ(boxes_[1].caption, "Message Important");

  // Categories, cars, clubs, age categories, drivers, championships, transponders, frequencies,
  // penalties.
  for (int command = 1006; command <= 1014; ++command) {
    SCOPED_TRACE(command);
    boxes_.clear();
    DialogCloser closer;
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    ASSERT_NE(closer.dialog(), nullptr) << "no window opened";
    EXPECT_FALSE(IsWindow(closer.dialog())) << closer.caption() << " stayed open";
    for (const Box& box : boxes_)
      ADD_FAILURE() << closer.caption() << ": " << box.caption << ": " << box.text;
  }
  // Closed here, while the fresh folder is still the data folder.
  ASSERT_TRUE(Close(IDNO));
}

// Run on the screen of the moment; the test below runs it again on a screen of another size.
TEST_F(MainWindowStart, ControlsFollowTheScreen) {
  ASSERT_NE(Start(), nullptr);
  char expected[32] = {};
  if (GetEnvironmentVariableA("ZD_EXPECTED_SCREEN", expected, sizeof expected) > 0) {
    const std::string screen = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                               std::to_string(GetSystemMetrics(SM_CYSCREEN));
    ASSERT_EQ(screen, expected);
  }
  EXPECT_TRUE(IsZoomed(window_));
  ExpectControlsPlaced();
}

TEST_F(MainWindowStart, AnEmptyEventDoesNotReplaceTheCrashCopy) {
  KeptFile crashCopy(InDataFolder("VeVaravErez.race2"));
  WriteWholeFile(InDataFolder("VeVaravErez.race2"), "the event of a crashed run");
  WriteWholeFile(InDataFolder("Private\\Course.race2"), zd::test::NewRaceFileBytes());
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(ReadWholeFile(InDataFolder("VeVaravErez.race2")), "the event of a crashed run");
}

TEST_F(MainWindowStart, ClosingIsRefusedWhileASeriesRuns) {
  ASSERT_NE(Start(), nullptr);
  zd::MainState().race.running = 1;
  EXPECT_FALSE(Close(IDNO));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Zentrik");
  EXPECT_EQ(boxes_[0].text,
            "Une s\xE9rie ou un scan transpondeurs est en cours!\r\nVous ne pouvez pas fermer "
            "l'application !");
  zd::MainState().race.running = 0;
  EXPECT_TRUE(Close(IDNO));
}

// The same start on a screen of another size: this test program runs the test above again on a
// Wine virtual desktop of 1920 x 1080, whose size is then the screen's, and reports through its
// XML output.
TEST(MainWindowOnAnotherScreen, PlacesItsControlsForThatScreen) {
  const std::string report =
      zd_test::WindowsPathOf(std::string(ZD_TEST_OUTPUT_DIR) + "/other_screen.xml");
  DeleteFileA(report.c_str());
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string commandLine = std::string("explorer.exe /desktop=zd1920,1920x1080 \"") + self +
                            "\" --gtest_filter=MainWindowStart.ControlsFollowTheScreen" +
                            " --gtest_output=xml:" + report;
  SetEnvironmentVariableA("ZD_EXPECTED_SCREEN", "1920x1080");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION desktop = {};
  const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &startup, &desktop);
  SetEnvironmentVariableA("ZD_EXPECTED_SCREEN", nullptr);
  ASSERT_TRUE(started) << GetLastError();

  std::string xml;
  const bool reported = zd_test::WaitFor([&] {
    xml.clear();
    if (FILE* file = std::fopen(report.c_str(), "rb")) {
      char buffer[4096];
      std::size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) xml.append(buffer, n);
      std::fclose(file);
    }
    return xml.find("</testsuites>") != std::string::npos;
  });
  // The virtual desktop outlives the run on it; it is of no use once the report is written.
  TerminateProcess(desktop.hProcess, 0);
  WaitForSingleObject(desktop.hProcess, zd_test::kDeadlineMs);
  CloseHandle(desktop.hThread);
  CloseHandle(desktop.hProcess);
  ASSERT_TRUE(reported) << "no report from the run on the other screen";
  EXPECT_NE(xml.find("tests=\"1\" failures=\"0\""), std::string::npos) << xml;
}

}  // namespace
