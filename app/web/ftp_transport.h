#pragma once
// The FTP client of the program: WinINet, in passive mode, with the site's account. Each operation
// opens its own session on a thread of its own and is given up at its timeout whatever the
// server does (a server that accepts the connection and then says nothing included); the thread
// ends on its own once WinINet lets go. Nothing here writes the account anywhere.

#include "web/web_transport.h"

namespace zd {

class WinInetTransport final : public WebTransport {
 public:
  FtpOutcome probe(std::string_view address, std::string_view account,
                   int32_t timeoutMs) override;
  FtpOutcome upload(std::string_view address, std::string_view account,
                    std::string_view bytes) override;
};

}  // namespace zd
