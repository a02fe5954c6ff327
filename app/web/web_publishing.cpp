#include "web/web_publishing.h"

#include <shellapi.h>

#include <string>
#include <utility>

#include "main/message_box.h"
#include "web/ftp_transport.h"

namespace zd {

namespace {

AddressOpener& Opener() {
  static AddressOpener opener;
  return opener;
}

}  // namespace

void OpenWebAddress(const char* address) {
  if (Opener()) {
    Opener()(address);
    return;
  }
  // The browser's answer is never read: the site is known ready only by probing its FTP area.
  ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void SetAddressOpener(AddressOpener opener) { Opener() = std::move(opener); }

void ShowSiteWait() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void PauseForSite(int32_t ms) {
  ShowSiteWait();
  Sleep(static_cast<DWORD>(ms));
}

SiteWaitScope::SiteWaitScope() : previous_(GetCursor()) { ShowSiteWait(); }

SiteWaitScope::~SiteWaitScope() { SetCursor(previous_); }

FtpOutcome WindowTransport::probe(std::string_view address, std::string_view account,
                                  int32_t timeoutMs) {
  ShowSiteWait();
  return WinInetTransport().probe(address, account, timeoutMs);
}

FtpOutcome WindowTransport::upload(std::string_view address, std::string_view account,
                                   std::string_view bytes) {
  ShowSiteWait();
  return WinInetTransport().upload(address, account, bytes);
}

int64_t WindowPublishingDesk::tickCount() { return static_cast<int64_t>(GetTickCount64()); }

void WindowPublishingDesk::sleep(int32_t ms) { PauseForSite(ms); }

void WindowPublishingDesk::openAddress(std::string_view address) {
  OpenWebAddress(std::string(address).c_str());
}

void WindowPublishingDesk::showMessage(std::string_view text, std::string_view caption,
                                       bool errorIcon) {
  const std::string t(text), c(caption);
  ShowMessage(owner_, t.c_str(), c.c_str(), MB_OK | (errorIcon ? MB_ICONERROR : 0));
}

void RunWebLinkCheck(HWND window, WebLink& link) {
  const SiteWaitScope waiting;
  WindowTransport transport;
  WindowPublishingDesk desk(window);
  WebLinkCheck(link, ReadWebSite(), transport, desk);
}

void RunArchivePublishing(HWND window, WebLink& link, const ArchiveRequest& request) {
  char folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  const SiteWaitScope waiting;
  WindowTransport transport;
  WindowPublishingDesk desk(window);
  ArchivePublishing(link, request, ReadWebSite(), transport, desk);
  if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(folder);
}

void SetSendButtonPicture(HWND button, const WebLink& link) {
  const char* path = SendingOn(link.info) ? "images/wifiVert.bmp" : "images/wifiRouge.bmp";
  HANDLE picture = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  HANDLE previous = reinterpret_cast<HANDLE>(
      SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
  if (previous && previous != picture) DeleteObject(previous);
}

}  // namespace zd
