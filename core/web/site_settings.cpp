#include "web/site_settings.h"

#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

constexpr std::string_view kFtpKey = "ftp=";
constexpr std::string_view kScriptsKey = "scripts=";
constexpr std::string_view kAccountKey = "account=";

// The next line without its line end; false at the end of the file.
bool NextLine(TextFile& file, std::string& line) {
  line.clear();
  int c = file.get();
  if (c == kEndOfFile) return false;
  while (c != kEndOfFile && c != '\n') {
    line.push_back(static_cast<char>(c));
    c = file.get();
  }
  return true;
}

void TakeValue(std::string_view line, std::string_view key, std::string& value) {
  if (line.substr(0, key.size()) == key) value = std::string(line.substr(key.size()));
}

}  // namespace

WebSite ReadWebSite(std::string_view path) {
  WebSite site;
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return site;
  std::string line;
  while (NextLine(file, line)) {
    TakeValue(line, kFtpKey, site.ftpRoot);
    TakeValue(line, kScriptsKey, site.scriptRoot);
    TakeValue(line, kAccountKey, site.account);
  }
  return site;
}

bool WriteWebSite(std::string_view path, const WebSite& site) {
  std::string text;
  text.append(kFtpKey).append(site.ftpRoot).append("\n");
  text.append(kScriptsKey).append(site.scriptRoot).append("\n");
  text.append(kAccountKey).append(site.account).append("\n");
  return WriteWholeFile(path, text);
}

}  // namespace zd
