#pragma once
// The print dialog answered from a thread timer, which its modal loop dispatches: OK prints on
// the printer it shows (the default one), Cancel prints nothing.

#include <windows.h>

namespace zd_test {

class PrintDialogAnswer {
 public:
  explicit PrintDialogAnswer(int button) : button_(button) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 50, &PrintDialogAnswer::Tick);
  }
  ~PrintDialogAnswer() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
  }
  PrintDialogAnswer(const PrintDialogAnswer&) = delete;
  PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;
  bool answered() const { return answered_; }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM) {
    PrintDialogAnswer* self = active_;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    // The print dialog has its printer list (a combo box, id 1139) and its OK button.
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, 1139) != nullptr && GetDlgItem(window, self->button_) != nullptr) {
      self->answered_ = true;
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, self->button_)));
      return FALSE;
    }
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active_ == nullptr || active_->answered_) return;
    EnumThreadWindows(GetCurrentThreadId(), &PrintDialogAnswer::Visit, 0);
  }

  static inline PrintDialogAnswer* active_ = nullptr;
  int button_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
};

}  // namespace zd_test
