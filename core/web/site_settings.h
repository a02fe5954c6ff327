#pragma once
// The web site that receives the published results: its FTP area, its scripts and the account,
// kept in a small file of the data folder ("Private/SiteWeb.rg"), read again at each use so that
// a change needs no restart. The install writes it with no site, so that every probe fails at
// once as "not connected", and never replaces it once it exists.
//
// Layout: one "key=value" line each, in any order; other lines are ignored.
//   ftp=ftp://host[:port]/        the FTP area's root, closing slash included
//   scripts=http://host/          the root of the site's scripts
//   account=user:password         the FTP account

#include <string>
#include <string_view>

namespace zd {

inline constexpr std::string_view kWebSiteFile = "Private/SiteWeb.rg";

struct WebSite {
  std::string ftpRoot;
  std::string scriptRoot;
  std::string account;
};

// The site as the file says; a missing file is a site with nothing set.
WebSite ReadWebSite(std::string_view path = kWebSiteFile);
bool WriteWebSite(std::string_view path, const WebSite& site);

}  // namespace zd
