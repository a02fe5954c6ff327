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

// A window's waits for the site hold its thread, which handles no messages meanwhile: the wait
// cursor shows it. A scope around a sequence puts back the cursor it found at its end; every
// probe, upload and pause inside sets the wait cursor again (a box in between puts the arrow
// back).
class SiteWaitScope {
 public:
  SiteWaitScope();
  ~SiteWaitScope();
  SiteWaitScope(const SiteWaitScope&) = delete;
  SiteWaitScope& operator=(const SiteWaitScope&) = delete;

 private:
  HCURSOR previous_;
};
void ShowSiteWait();
// A pause between two tries of the site, with the wait cursor.
void PauseForSite(int32_t ms);

// The program's FTP client as a window's sequences use it, with the wait cursor.
class WindowTransport final : public WebTransport {
 public:
  FtpOutcome probe(std::string_view address, std::string_view account,
                   int32_t timeoutMs) override;
  FtpOutcome upload(std::string_view address, std::string_view account,
                    std::string_view bytes) override;
};

// The site's settings are read again at each call.
void RunWebLinkCheck(HWND window, WebLink& link);
// Then makes the current folder the one it was before, whatever the browser did.
void RunArchivePublishing(HWND window, WebLink& link, const ArchiveRequest& request);

// "images/wifiVert.bmp" when sending is on, else "images/wifiRouge.bmp", as the button's image.
void SetSendButtonPicture(HWND button, const WebLink& link);

}  // namespace zd
