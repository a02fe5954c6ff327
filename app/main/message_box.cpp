#include "main/message_box.h"

#include <utility>

namespace zd {

namespace {

MessageAnswerer& Answerer() {
  static MessageAnswerer answerer;
  return answerer;
}

}  // namespace

int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags) {
  if (Answerer()) return Answerer()(text, caption, flags);
  return MessageBoxA(owner, text, caption, flags);
}

void ShowErrorBox(HWND owner, std::string_view text) {
  const std::string t(text);
  ShowMessage(owner, t.c_str(), "Error", MB_OK);
}

void SetMessageAnswerer(MessageAnswerer answerer) { Answerer() = std::move(answerer); }

}  // namespace zd
