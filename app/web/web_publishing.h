#pragma once
// The web publishing of a window: the core's link check and send sequence over the machine (the
// WinINet client, the tick count, Sleep, the shell's "open" and the message boxes), and the send
// button's picture. The publishing windows call these:
//
//   WebLink link;                        // kept for the window's lifetime
//   RunWebLinkCheck(window, link);       // when it opens
//   SetSendButtonPicture(button, link);  // when its controls are made
//   RunArchivePublishing(window, link, request);  // when the send button is pressed

#include <windows.h>

#include <functional>

#include "web/archive_publishing.h"

namespace zd {

// Every address the program opens in the browser goes through OpenWebAddress (the shell's "open",
// no owner, shown normally), so that a test can answer it instead.
void OpenWebAddress(const char* address);
using AddressOpener = std::function<void(const char* address)>;
// While an opener is set, OpenWebAddress hands it the address and opens nothing; empty: the
// shell again.
void SetAddressOpener(AddressOpener opener);

// The machine as the core's sequences use it; messages are owned by the window.
class WindowPublishingDesk final : public PublishingDesk {
 public:
  explicit WindowPublishingDesk(HWND owner) : owner_(owner) {}
  int64_t tickCount() override;
  void sleep(int32_t ms) override;
  void openAddress(std::string_view address) override;
  void showMessage(std::string_view text, std::string_view caption, bool errorIcon) override;

 private:
  HWND owner_;
};

// The site's settings are read again at each call.
void RunWebLinkCheck(HWND window, WebLink& link);
// Then makes the current folder the one it was before, whatever the browser did.
void RunArchivePublishing(HWND window, WebLink& link, const ArchiveRequest& request);

// "images/wifiVert.bmp" when sending is on, else "images/wifiRouge.bmp", as the button's image.
void SetSendButtonPicture(HWND button, const WebLink& link);

}  // namespace zd
