// The live upload's worker: one upload in flight, the newest file waiting, outcomes collected by
// the interface thread, and the status text they give.

#include "web/live_upload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace zd {
namespace {

using namespace std::chrono_literals;

// Uploads that each wait for the test to let them end.
class GatedTransport final : public WebTransport {
 public:
  FtpOutcome probe(std::string_view, std::string_view, int32_t) override {
    return FtpOutcome::Failed;
  }
  FtpOutcome upload(std::string_view address, std::string_view, std::string_view bytes) override {
    std::unique_lock lock(mutex_);
    started_.push_back(std::string(address) + "=" + std::string(bytes));
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_ > 0; });
    --released_;
    return outcome_;
  }
  void release(FtpOutcome outcome) {
    std::lock_guard lock(mutex_);
    outcome_ = outcome;
    ++released_;
    changed_.notify_all();
  }
  bool waitForStarted(std::size_t n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [&] { return started_.size() >= n; });
  }
  std::vector<std::string> started() {
    std::lock_guard lock(mutex_);
    return started_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> started_;
  int released_ = 0;
  FtpOutcome outcome_ = FtpOutcome::Done;
};

std::optional<FtpOutcome> WaitForOutcome(LiveUploader& uploader) {
  for (int i = 0; i < 1000; ++i) {
    if (auto outcome = uploader.takeOutcome()) return outcome;
    std::this_thread::sleep_for(10ms);
  }
  return std::nullopt;
}

TEST(LiveUploaderTest, OneInFlightAndOnlyTheNewestFileWaits) {
  GatedTransport transport;
  LiveUploader uploader(transport);
  EXPECT_EQ(uploader.takeOutcome(), std::nullopt);
  uploader.submit("live", "account", "1");
  ASSERT_TRUE(transport.waitForStarted(1));
  uploader.submit("live", "account", "2");
  uploader.submit("live", "account", "3");
  // While the first is in flight nothing else starts.
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(transport.started().size(), 1u);
  EXPECT_EQ(uploader.takeOutcome(), std::nullopt);

  transport.release(FtpOutcome::Failed);
  ASSERT_TRUE(transport.waitForStarted(2));
  EXPECT_EQ(transport.started(), (std::vector<std::string>{"live=1", "live=3"}));
  EXPECT_EQ(WaitForOutcome(uploader), FtpOutcome::Failed);
  transport.release(FtpOutcome::Done);
  EXPECT_EQ(WaitForOutcome(uploader), FtpOutcome::Done);
}

TEST(LiveUploaderTest, StoppingDropsTheWaitingFileAndWaitsForTheOneInFlight) {
  GatedTransport transport;
  LiveUploader uploader(transport);
  uploader.submit("live", "account", "1");
  ASSERT_TRUE(transport.waitForStarted(1));
  uploader.submit("live", "account", "2");
  std::thread releaser([&] {
    std::this_thread::sleep_for(50ms);
    transport.release(FtpOutcome::Done);
  });
  uploader.stop();
  releaser.join();
  EXPECT_EQ(transport.started(), std::vector<std::string>{"live=1"});
  EXPECT_EQ(uploader.takeOutcome(), FtpOutcome::Done);
  // A later file starts the worker again.
  transport.release(FtpOutcome::Failed);
  uploader.submit("live", "account", "3");
  EXPECT_EQ(WaitForOutcome(uploader), FtpOutcome::Failed);
  EXPECT_EQ(transport.started(), (std::vector<std::string>{"live=1", "live=3"}));
}

TEST(LiveUploadStatusTest, AFailureAndTheRecoveryAreEachSaidOnce) {
  LiveUploadStatus status;
  const struct {
    FtpOutcome outcome;
    std::string_view text;
  } steps[] = {
      {FtpOutcome::Done, ""},
      {FtpOutcome::Failed, kLiveTransferFailed},
      {FtpOutcome::Failed, ""},
      {FtpOutcome::LibraryFailed, ""},
      {FtpOutcome::Done, kLiveTransferResumed},
      {FtpOutcome::Done, ""},
  };
  for (const auto& step : steps) EXPECT_EQ(status.report(step.outcome), step.text);
}

}  // namespace
}  // namespace zd
