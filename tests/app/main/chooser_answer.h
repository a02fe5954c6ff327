#pragma once
// Answers the file chooser that the program opens in the test's own process, as its user would:
// the name typed into the chooser's name box and its OK button pressed, or Cancel pressed. The
// chooser is modal, so the answer comes from a thread timer, which its message loop dispatches.

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <string>
#include <vector>

namespace zd_test {

class ChooserAnswer {
 public:
  // An empty name cancels the chooser.
  explicit ChooserAnswer(std::string name) : name_(std::move(name)) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &ChooserAnswer::Tick);
  }
  ~ChooserAnswer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  ChooserAnswer(const ChooserAnswer&) = delete;
  ChooserAnswer& operator=(const ChooserAnswer&) = delete;

  bool answered() const { return answered_; }
  // The type list of the chooser answered: the type shown, and every type it offers in order.
  const std::string& shownFilter() const { return shownFilter_; }
  const std::vector<std::string>& offeredFilters() const { return offeredFilters_; }

 private:
  // The name box of a chooser (cmb13) and its type list (cmb1).
  static constexpr int kNameBox = 1148;
  static constexpr int kTypeList = 1136;

  static std::string TextOf(HWND control) {
    char text[MAX_PATH] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
  }

  // The chooser of this process, if one shows.
  static HWND FindChooser() {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(dialog, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(dialog) &&
          GetDlgItem(dialog, kNameBox) != nullptr) {
        return dialog;
      }
    }
    return nullptr;
  }

  // The OK button: the shell's list view has the same id, so the class tells them apart.
  static HWND OkButton(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char className[32] = {};
      GetClassNameA(child, className, sizeof className);
      if (GetDlgCtrlID(child) == IDOK && lstrcmpiA(className, "Button") == 0) return child;
    }
    return nullptr;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ChooserAnswer* self = active_;
    if (self == nullptr || self->answered_) return;
    HWND dialog = FindChooser();
    if (dialog == nullptr) return;
    self->answered_ = true;
    HWND types = GetDlgItem(dialog, kTypeList);
    self->shownFilter_ = TextOf(types);
    const LRESULT count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[MAX_PATH] = {};
      if (SendMessageA(types, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= MAX_PATH) continue;
      SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      self->offeredFilters_.push_back(text);
    }
    if (self->name_.empty()) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    }
    SendMessageA(dialog, CDM_SETCONTROLTEXT, kNameBox, reinterpret_cast<LPARAM>(self->name_.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(OkButton(dialog)));
  }

  static inline ChooserAnswer* active_ = nullptr;
  std::string name_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
  std::string shownFilter_;
  std::vector<std::string> offeredFilters_;
};

}  // namespace zd_test
