#include "web/live_upload.h"

#include <utility>

namespace zd {

void LiveUploader::submit(std::string address, std::string account, std::string bytes) {
  {
    std::lock_guard lock(mutex_);
    waiting_ = Upload{std::move(address), std::move(account), std::move(bytes)};
    stopping_ = false;
  }
  if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  wake_.notify_one();
}

std::optional<FtpOutcome> LiveUploader::takeOutcome() {
  std::lock_guard lock(mutex_);
  return std::exchange(finished_, std::nullopt);
}

void LiveUploader::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    waiting_.reset();
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

void LiveUploader::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
    if (stopping_) return;
    const Upload upload = std::move(*waiting_);
    waiting_.reset();
    lock.unlock();
    const FtpOutcome outcome = transport_.upload(upload.address, upload.account, upload.bytes);
    lock.lock();
    finished_ = outcome;
  }
}

std::string_view LiveUploadStatus::report(FtpOutcome outcome) {
  const bool failed = outcome != FtpOutcome::Done;
  if (failed == failing_) return {};
  failing_ = failed;
  return failed ? kLiveTransferFailed : kLiveTransferResumed;
}

}  // namespace zd
