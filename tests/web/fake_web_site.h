#pragma once
// A web site on a fake clock for the publishing sequences: an FTP area whose folders appear at
// given times, probes and uploads that take time, and a stand-in for the site's archive script
// that makes the race's folder some time after the browser was asked to open it, and for its
// event script, which makes the web event's folder.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "web/archive_publishing.h"
#include "web/web_addresses.h"

namespace zd::test {

inline constexpr int64_t kNever = INT64_MAX;

class FakeWebSite final : public WebTransport, public PublishingDesk {
 public:
  struct Probe {
    std::string path;  // decoded, below the FTP root
    int32_t timeoutMs;
    int64_t start;
  };
  struct Upload {
    std::string path;
    std::string bytes;
  };
  struct Message {
    std::string text;
    std::string caption;
    bool errorIcon;
  };

  WebSite site{"ftp://127.0.0.1:2121/", "http://site.test/", "zentrik1:secret123456"};

  // The clock.
  int64_t now = 100000;
  int64_t tickCount() override { return now; }
  void sleep(int32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }

  // The FTP area: a path exists from its time on.
  std::map<std::string, int64_t> folders;
  int64_t probeCost = 40;      // ms a probe of a live server takes
  bool silentServer = false;   // probes last their whole timeout
  FtpOutcome forced = FtpOutcome::Done;  // Failed or LibraryFailed: every operation gives it
  FtpOutcome probe(std::string_view address, std::string_view account, int32_t timeoutMs) override {
    EXPECT_EQ(account, site.account);
    const std::string path = Path(address);
    probes.push_back({path, timeoutMs, now});
    if (forced == FtpOutcome::LibraryFailed) return forced;
    now += silentServer ? timeoutMs : probeCost;
    if (silentServer || forced == FtpOutcome::Failed) return FtpOutcome::Failed;
    const auto found = folders.find(path);
    return found != folders.end() && found->second <= now ? FtpOutcome::Done : FtpOutcome::Failed;
  }
  FtpOutcome uploadOutcome = FtpOutcome::Done;
  FtpOutcome upload(std::string_view address, std::string_view account,
                    std::string_view bytes) override {
    EXPECT_EQ(account, site.account);
    uploads.push_back({Path(address), std::string(bytes)});
    now += probeCost;
    return forced == FtpOutcome::Done ? uploadOutcome : forced;
  }

  // The browser with the stand-in of the archive script: the race's folder (the key without its
  // "C%d-") appears scriptDelay ms after the call.
  int64_t scriptDelay = 3000;
  void openAddress(std::string_view address) override {
    opened.emplace_back(address);
    const std::size_t query = address.find('?');
    if (query == std::string_view::npos || scriptDelay == kNever) return;
    std::map<std::string, std::string> values;
    std::string_view rest = address.substr(query + 1);
    while (!rest.empty()) {
      const std::size_t amp = rest.find('&');
      const std::string_view pair = rest.substr(0, amp);
      const std::size_t eq = pair.find('=');
      values[std::string(pair.substr(0, eq))] = PercentDecode(pair.substr(eq + 1));
      rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    }
    // The event script makes the new web event's folder.
    if (values.count("payssaisie")) {
      folders.emplace(std::string(kWebArea) + values["payssaisie"] + "/" + values["eventsaisie"] + "/",
                      now + scriptDelay);
      return;
    }
    std::string race = values["race"];
    race = race.substr(race.find('-') + 1);
    // A folder already there stays as it was.
    folders.emplace(
        std::string(kWebArea) + values["country"] + "/" + values["event"] + "/" + race + "/",
        now + scriptDelay);
  }

  void showMessage(std::string_view text, std::string_view caption, bool errorIcon) override {
    messages.push_back({std::string(text), std::string(caption), errorIcon});
  }

  std::string Path(std::string_view address) const {
    FtpLocation at;
    return SplitFtpAddress(address, at) ? at.path : "(not an FTP address)";
  }

  std::vector<Probe> probes;
  std::vector<Upload> uploads;
  std::vector<std::string> opened;
  std::vector<Message> messages;
  std::vector<int32_t> sleeps;
};

}  // namespace zd::test
