#pragma once
// The web site for the tests of the Windows half: a real FTP server on 127.0.0.1 (or a listener
// that never answers) serving a folder of its own, and the stand-in for the site's scripts set as
// the Wine prefix's browser, which makes the asked folder after a delay.

#include <string>
#include <vector>

namespace zd_test {

class WebSiteProcess {
 public:
  WebSiteProcess();
  WebSiteProcess(const WebSiteProcess&) = delete;
  WebSiteProcess& operator=(const WebSiteProcess&) = delete;
  ~WebSiteProcess();

  // Starts the server (silent: accepts and never answers) on a free port, or on the port of the
  // last start when samePort; waits until it listens.
  bool start(bool silent = false, bool samePort = false);
  void stop();

  int port() const { return port_; }
  std::string ftpRoot() const { return "ftp://127.0.0.1:" + std::to_string(port_) + "/"; }
  const std::string& account() const { return account_; }
  // Writes the program's site settings file (Windows path) for this site.
  bool writeSettings(const std::string& windowsPath) const;
  // Starts the site and readies the data folder (Windows path, also the current directory) to
  // publish to it: the stand-in browser answering after a second, the site settings, and sending
  // switched on for the event "GP_1" of "Ligue_Sud", whose folder the site already holds.
  bool startWithActivatedEvent(const std::string& dataFolder);

  // Below the FTP area's root, a path in UTF-8 as the server stores it.
  std::string remoteFile(const std::string& path) const;
  bool remoteExists(const std::string& path) const;
  bool makeRemoteFolder(const std::string& path) const;
  // Every file below the FTP area's root, in UTF-8, sorted byte by byte.
  std::vector<std::string> remoteFiles() const;
  // Every file the server received, in the order of their arrival, over all its starts.
  std::vector<std::string> receivedFiles() const;
  // Sessions the server has opened since it started.
  int sessionsOpened() const;

  // Makes the stand-in the prefix's browser: an archive or event script address makes its folder
  // after delaySeconds (never when negative). Undone by the destructor.
  bool useStandInBrowser(double delaySeconds);
  // The addresses the stand-in was given, one a line.
  std::string browsedAddresses() const;

 private:
  std::string folder_;  // Unix path of the site's files
  std::string root_;    // the FTP area's root
  std::string account_ = "zentrik1:Pw-4tests!xy";
  int port_ = 0;
  int starts_ = 0;
  bool browserSet_ = false;
};

}  // namespace zd_test
