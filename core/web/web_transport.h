#pragma once
// The FTP client as the publishing sequences use it: an existence probe and the upload of bytes
// held in memory. The program's is WinINet's (app/web/); the native tests give their own.

#include <cstdint>
#include <string_view>

namespace zd {

enum class FtpOutcome {
  Done,
  Failed,         // unreachable, refused, missing, or out of time
  LibraryFailed,  // the transfer library could not be set up: nothing was tried
};

// Every FTP operation gives up after these, whatever the server does: a connection that does not
// open within the first, an operation that has not ended within the second.
inline constexpr int32_t kFtpConnectTimeoutMs = 5000;
inline constexpr int32_t kFtpTotalTimeoutMs = 30000;

class WebTransport {
 public:
  virtual ~WebTransport() = default;
  // Whether the folder (address ending in "/") or file exists, with the account "user:password";
  // gives up after timeoutMs in all (at most kFtpTotalTimeoutMs).
  virtual FtpOutcome probe(std::string_view address, std::string_view account,
                           int32_t timeoutMs) = 0;
  // Creates or replaces the file at the address with the bytes.
  virtual FtpOutcome upload(std::string_view address, std::string_view account,
                            std::string_view bytes) = 0;
};

}  // namespace zd
