#include "main/message_box.h"

namespace zd {

int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags) {
  return MessageBoxA(owner, text, caption, flags);
}

}  // namespace zd
