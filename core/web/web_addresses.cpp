#include "web/web_addresses.h"

#include <charconv>

#include "files/codepage.h"

namespace zd {

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A root as the settings give it, with its closing slash.
std::string Root(std::string_view root) {
  std::string out(root);
  if (!out.empty() && out.back() != '/') out.push_back('/');
  return out;
}

// A name as an encoded path segment.
std::string Segment(std::string_view name) { return PercentEncode(SiteSegment(name)); }

std::string AreaPath(const WebSite& site, std::string_view championshipFolder,
                     std::string_view eventId) {
  return Root(site.ftpRoot) + std::string(kWebArea) + Segment(championshipFolder) + "/" +
         Segment(eventId) + "/";
}

// A Windows-1252 byte that is a control character, C1 ones (which the undefined bytes stand for)
// included.
bool Control1252(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// A decoded segment (UTF-8) that the server would take for more, or other, than one name.
bool SafeDecodedSegment(std::string_view segment) {
  if (segment.empty() || segment.find_first_not_of('.') == std::string_view::npos) return false;
  for (std::size_t i = 0; i < segment.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(segment[i]);
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return false;
    // U+0080 to U+009F, the C1 controls.
    if (c == 0xC2 && i + 1 < segment.size() &&
        (static_cast<unsigned char>(segment[i + 1]) & 0xE0) == 0x80)
      return false;
  }
  return true;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : Cp1252ToUtf8(text)) {
    if (Unreserved(c)) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0xF]);
    }
  }
  return out;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string SiteSegment(std::string_view name) {
  if (name.empty()) return "_";
  std::string segment(name);
  const bool dotsOnly = segment.find_first_not_of('.') == std::string::npos;
  for (char& c : segment) {
    if (c == '/' || c == '\\' || Control1252(static_cast<unsigned char>(c)) || dotsOnly) c = '_';
  }
  return segment;
}

std::string RaceWebFolder(std::string_view raceName) {
  std::string folder(raceName.substr(0, 29));
  for (char& c : folder) {
    if (c == ' ') c = '_';
  }
  return SiteSegment(folder);
}

std::string RaceWebKey(int32_t raceNumber, std::string_view raceFolder) {
  return "C" + std::to_string(raceNumber) + "-" + std::string(raceFolder);
}

std::string LiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                            std::string_view eventId) {
  return AreaPath(site, championshipFolder, eventId) + std::string(kRemoteLiveFile);
}

std::string EventFolderAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId) {
  return AreaPath(site, championshipFolder, eventId);
}

std::string RaceFolderAddress(const WebSite& site, std::string_view championshipFolder,
                              std::string_view eventId, std::string_view raceFolder) {
  return AreaPath(site, championshipFolder, eventId) + Segment(raceFolder) + "/";
}

std::string ArchiveFileAddress(const WebSite& site, std::string_view championshipFolder,
                               std::string_view eventId, std::string_view raceFolder,
                               std::string_view remoteName) {
  return RaceFolderAddress(site, championshipFolder, eventId, raceFolder) + Segment(remoteName);
}

std::string ArchiveScriptAddress(const WebSite& site, std::string_view championshipFolder,
                                 std::string_view eventId, std::string_view raceKey,
                                 std::string_view archive) {
  return Root(site.scriptRoot) + "ZentrikRiduduzud/AdditionArchive.php?country=" +
         Segment(championshipFolder) + "&event=" + Segment(eventId) +
         "&race=" + PercentEncode(raceKey) + "&archive=" + PercentEncode(archive);
}

std::string EventScriptAddress(const WebSite& site, std::string_view action,
                               std::string_view newChampionshipFolder,
                               std::string_view storedChampionshipFolder,
                               std::string_view newEventId, std::string_view storedEventId) {
  return Root(site.scriptRoot) + "ZentrikRiduduzud/CreationEvent.php?action=" +
         PercentEncode(action) + "&payssaisie=" + PercentEncode(newChampionshipFolder) +
         "&paysfichier=" + PercentEncode(storedChampionshipFolder) +
         "&eventsaisie=" + PercentEncode(newEventId) +
         "&eventfichier=" + PercentEncode(storedEventId);
}

std::string EventListAddress(const WebSite& site) {
  return Root(site.scriptRoot) + "ZentrikRiduduzud/ListeEvents.php?lang=FR&country=_&event=_&race=_";
}

bool SplitFtpAddress(std::string_view address, FtpLocation& location) {
  constexpr std::string_view kScheme = "ftp://";
  if (address.substr(0, kScheme.size()) != kScheme) return false;
  std::string_view rest = address.substr(kScheme.size());
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return false;
  std::string_view hostPort = rest.substr(0, slash);
  FtpLocation found;
  const std::size_t colon = hostPort.find(':');
  if (colon != std::string_view::npos) {
    const std::string_view port = hostPort.substr(colon + 1);
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), found.port);
    if (error != std::errc() || end != port.data() + port.size() || found.port <= 0 ||
        found.port > 65535)
      return false;
    hostPort = hostPort.substr(0, colon);
  }
  if (hostPort.empty()) return false;
  found.host = std::string(hostPort);
  // Each segment decoded on its own: an encoded "/" stays inside its name, or the address is
  // refused, never made a separator.
  std::string_view path = rest.substr(slash + 1);
  while (!path.empty()) {
    const std::size_t end = path.find('/');
    const std::string segment = PercentDecode(path.substr(0, end));
    if (!SafeDecodedSegment(segment)) return false;
    found.path += segment;
    if (end == std::string_view::npos) break;
    found.path += '/';
    path = path.substr(end + 1);
  }
  location = found;
  return true;
}

FtpAccount SplitAccount(std::string_view account) {
  const std::size_t colon = account.find(':');
  if (colon == std::string_view::npos) return {std::string(account), {}};
  return {std::string(account.substr(0, colon)), std::string(account.substr(colon + 1))};
}

}  // namespace zd
