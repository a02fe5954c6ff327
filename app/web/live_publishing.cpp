#include "web/live_publishing.h"

#include <string>

#include "web/ftp_transport.h"
#include "web/live_upload.h"
#include "web/upload_file.h"
#include "web/web_addresses.h"

namespace zd {

namespace {

struct LivePublishing {
  WinInetTransport transport;
  LiveUploader uploader{transport};
  LiveUploadStatus status;
};

LivePublishing& Live() {
  static LivePublishing live;
  return live;
}

}  // namespace

bool SubmitLiveFile(const WebEventInfo& info) {
  std::string bytes;
  if (!ReadUploadFile(kLiveFilePath, bytes)) return false;
  const WebSite site = ReadWebSite();
  Live().uploader.submit(LiveFileAddress(site, info.championshipFolder, info.eventId),
                         site.account, std::move(bytes));
  return true;
}

std::string_view CollectLiveUpload() {
  const std::optional<FtpOutcome> outcome = Live().uploader.takeOutcome();
  return outcome ? Live().status.report(*outcome) : std::string_view();
}

void StopLiveUploads() { Live().uploader.stop(); }

}  // namespace zd
