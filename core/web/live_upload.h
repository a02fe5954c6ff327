#pragma once
// The live results file's upload, off the interface thread so that timing never waits for the
// network. The interface thread hands over a copy of the file just written; one worker uploads it
// through the transport and nothing else (it reads no file and touches no window). One upload is
// in flight at a time and at most one waits: a newer file replaces the waiting one. The interface
// thread collects the outcomes on its own time and shows them as a status text, never in a box.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "web/web_transport.h"

namespace zd {

inline constexpr std::string_view kLiveTransferFailed =
    "Error: the transfer of the live results file to the remote web site failed.";
inline constexpr std::string_view kLiveTransferResumed =
    "The live results file reaches the remote web site again.";

class LiveUploader {
 public:
  explicit LiveUploader(WebTransport& transport) : transport_(transport) {}
  ~LiveUploader() { stop(); }
  LiveUploader(const LiveUploader&) = delete;
  LiveUploader& operator=(const LiveUploader&) = delete;

  void submit(std::string address, std::string account, std::string bytes);
  // The outcome of the latest upload that ended since the last call, if any.
  std::optional<FtpOutcome> takeOutcome();
  // Drops the waiting file and waits for the upload in flight, which ends within its timeout.
  // Submitting starts the worker again.
  void stop();

 private:
  struct Upload {
    std::string address;
    std::string account;
    std::string bytes;
  };
  void run();

  WebTransport& transport_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Upload> waiting_;
  std::optional<FtpOutcome> finished_;
  bool stopping_ = false;
  std::thread worker_;
};

// What the status text says of the uploads: a failure once, until one succeeds again, which is
// said once too. Empty: nothing new to show.
class LiveUploadStatus {
 public:
  std::string_view report(FtpOutcome outcome);

 private:
  bool failing_ = false;
};

}  // namespace zd
