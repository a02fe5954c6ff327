#pragma once
// The addresses of the web site: the files and folders of its FTP area, and its scripts opened in
// the browser. Every value put into an address goes through PercentEncode, so that an "&", "#",
// "%", "+", "/" or an accent in a championship, event or race name stays inside its own value or
// path segment. Every name that becomes a folder or file on the site goes through SiteSegment
// first: names come from files made elsewhere too (an imported championships file, an event file
// from another PC), and none may reach outside the web event's folder.

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

// A name as one segment of a path on the site: each "/", "\" and control character made an
// underscore, a name of dots only ("." and "..") made underscores, and an empty name "_". Any
// other name stays as it is.
std::string SiteSegment(std::string_view name);

// The race's folder on the site: its name (at most 29 characters) with every blank made an
// underscore, as one segment.
std::string RaceWebFolder(std::string_view raceName);
// The race as the archive script knows it: "C%d-" with the race number, then its folder.
std::string RaceWebKey(int32_t raceNumber, std::string_view raceFolder);

// The FTP area. The names are taken through SiteSegment.
std::string LiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                            std::string_view eventId);
std::string EventFolderAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId);
std::string RaceFolderAddress(const WebSite& site, std::string_view championshipFolder,
                              std::string_view eventId, std::string_view raceFolder);
std::string ArchiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId, std::string_view raceFolder,
                               std::string_view remoteName);

// The scripts. The archive script's championship folder and event id are taken through
// SiteSegment, so that it makes the race's folder where the FTP addresses look for it.
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
// the root, decoded segment by segment to the bytes the server names it by.
struct FtpLocation {
  std::string host;
  int32_t port = 21;
  std::string path;
};
// False for anything but "ftp://host[:port]/...", and for a path that decoding would make leave
// its segments: a segment that decodes to a "/", "\" or control character, an empty segment
// ("a//b"; a closing "/" is kept) and a "." or ".." segment.
bool SplitFtpAddress(std::string_view address, FtpLocation& location);

// "user:password", split at the first colon.
struct FtpAccount {
  std::string user;
  std::string password;
};
FtpAccount SplitAccount(std::string_view account);

}  // namespace zd
