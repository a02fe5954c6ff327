#pragma once
// The addresses of the web site: the files and folders of its FTP area, and its scripts opened in
// the browser. Every value put into an address goes through PercentEncode, so that an "&", "#",
// "%", "+", "/" or an accent in a championship, event or race name stays inside its own value or
// path segment.

#include <cstdint>
#include <string>
#include <string_view>

#include "web/site_settings.h"

namespace zd {

inline constexpr std::string_view kWebArea = "public_html/ZentrikRiduduzud/";
inline constexpr std::string_view kRemoteLiveFile = "RiduduzudLive.txt";

// A Windows-1252 text as UTF-8 with every byte but the unreserved characters (letters, digits,
// "-", ".", "_", "~") written "%XX": a query value or an FTP path segment.
std::string PercentEncode(std::string_view text);
// "%XX" back to its byte; anything else as it is.
std::string PercentDecode(std::string_view text);

// The race's folder on the site: its name with every blank and slash made an underscore
// (at most 29 characters).
std::string RaceWebFolder(std::string_view raceName);
// The race as the archive script knows it: "C%d-" with the race number, then its folder.
std::string RaceWebKey(int32_t raceNumber, std::string_view raceFolder);

// The FTP area.
std::string LiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                            std::string_view eventId);
std::string EventFolderAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId);
std::string RaceFolderAddress(const WebSite& site, std::string_view championshipFolder,
                              std::string_view eventId, std::string_view raceFolder);
std::string ArchiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId, std::string_view raceFolder,
                               std::string_view remoteName);

// The scripts.
std::string ArchiveScriptAddress(const WebSite& site, std::string_view championshipFolder,
                                 std::string_view eventId, std::string_view raceKey,
                                 std::string_view archive);
// action "create" or "rename"; the stored values are empty when there is no stored event.
std::string EventScriptAddress(const WebSite& site, std::string_view action,
                               std::string_view newChampionshipFolder,
                               std::string_view storedChampionshipFolder,
                               std::string_view newEventId, std::string_view storedEventId);
std::string EventListAddress(const WebSite& site);

// An FTP address taken apart for the transport: host, port (21 unless given) and the path below
// the root, decoded to the bytes the server names it by.
struct FtpLocation {
  std::string host;
  int32_t port = 21;
  std::string path;
};
// False for anything but "ftp://host[:port]/...".
bool SplitFtpAddress(std::string_view address, FtpLocation& location);

// "user:password", split at the first colon.
struct FtpAccount {
  std::string user;
  std::string password;
};
FtpAccount SplitAccount(std::string_view account);

}  // namespace zd
