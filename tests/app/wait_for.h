#pragma once
// Waiting in GUI tests: for a condition, up to a deadline, never for a fixed time.

#include <windows.h>

namespace zd_test {

// Long enough for a loaded machine; a test that reaches it has found a fault.
constexpr DWORD kDeadlineMs = 30000;

// Checks condition until it holds or the deadline passes, dispatching this thread's messages in
// between so that windows of the test's own keep working. Returns whether the condition held.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout_ms = kDeadlineMs) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace zd_test
