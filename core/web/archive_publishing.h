#pragma once
// The web logic that every publishing window (participants, session and final rankings) shares:
// WebLinkCheck when the window opens, which probes the site and sets the window's flags and the
// file "WebResults/CoordonneesWeb.txt", and ArchivePublishing when its send button is pressed,
// which writes the archive, asks the site's archive script (in the user's browser) to register
// it, waits for the race's folder on the FTP area and uploads the archive there. The machine (the
// FTP client, the clock, the sleep, the browser and the message boxes) is given to both.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/live_file.h"
#include "web/site_settings.h"
#include "web/web_transport.h"

namespace zd {

inline constexpr std::string_view kLibraryFailed = "Error: the use of the 'Libcurl' library failed.";

class PublishingDesk {
 public:
  virtual ~PublishingDesk() = default;
  virtual int64_t tickCount() = 0;  // ms
  virtual void sleep(int32_t ms) = 0;
  // Opens the address in the user's browser; the answer is never read.
  virtual void openAddress(std::string_view address) = 0;
  virtual void showMessage(std::string_view text, std::string_view caption, bool errorIcon) = 0;
};

// What a publishing window keeps for its lifetime.
struct WebLink {
  WebEventInfo info;
  bool libraryFailed = false;
};

// Reads the window's copy of WebEventInfo, probes the site's root (connected on success; connected
// and activated off on failure), writes the file back. The transfer library failing keeps the
// flags as read and shows its message.
void WebLinkCheck(WebLink& link, const WebSite& site, WebTransport& transport,
                  PublishingDesk& desk);
// The send button is green when both flags are 1, red otherwise.
bool SendingOn(const WebEventInfo& info);

enum class PublishingWindow {
  PracticeSession,
  QualifyingSession,
  RoundSession,
  PracticeFinal,
  QualifyingFinal,
  EnduranceFinal,
  Participants,
};

// A window's names and library message.
struct PublishingValues {
  PublishingWindow window = PublishingWindow::Participants;
  std::string archiveQueryValue;  // the script's "archive" value
  std::string remoteName;         // the archive's name in the race folder
  std::string_view libraryFailureText;
  std::string_view libraryFailureCaption;
};
// "T%d.txt", "Q%d.txt" or "M%d.txt" with the session or round number.
PublishingValues SessionPublishing(PublishingWindow window, int32_t number);
// "TClassement-%s-%s-%s.txt" (or Q, M) with the sex code ("F", "M", "MF" for the sex filter 0, 1,
// 3), the category text and the age text; the remote name takes the age text's short form.
PublishingValues FinalPublishing(PublishingWindow window, int32_t sexFilter,
                                 std::string_view categoryText, std::string_view ageText,
                                 std::string_view ageShortForm);
PublishingValues ParticipantsPublishing();

struct ArchiveRequest {
  PublishingValues values;
  int32_t lineCount = 0;  // lines the window shows; 0 stops silently
  int32_t raceNumber = 1;
  std::string_view raceName;
  // Writes the archive at the path; false when it could not.
  std::function<bool(std::string_view path)> writeArchive;
  // The window's own refusals, after the flags' checks: shows its message and returns true to
  // stop. Empty for none.
  std::function<bool()> refuse;
};

// The send button's sequence. Every outcome is shown through the desk.
void ArchivePublishing(WebLink& link, const ArchiveRequest& request, const WebSite& site,
                       WebTransport& transport, PublishingDesk& desk);

// The time the race's folder has to appear after the script was opened, and the pause after each
// probe.
inline constexpr int64_t kFolderWaitMs = 9999;
inline constexpr int32_t kProbePauseMs = 500;
// The least time a probe is given, the one that starts after the deadline included: enough for a
// slow but working site to answer.
inline constexpr int32_t kLastProbeTimeoutMs = kFtpConnectTimeoutMs;

// Polls for a folder from now until the wait's deadline: a probe, then a pause, until one succeeds
// or the first one that started after the deadline has failed. Each probe's own timeout is the
// time left but at least kLastProbeTimeoutMs: a silent server cannot hold the wait for long past
// its deadline, and a slow one is still heard. LibraryFailed stops at once.
FtpOutcome WaitForFolder(std::string_view address, std::string_view account,
                         WebTransport& transport, PublishingDesk& desk);

}  // namespace zd
