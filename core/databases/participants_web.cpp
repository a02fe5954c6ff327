#include "databases/participants_web.h"

namespace zd {

std::optional<WebSendRefusal> ParticipantsSendRefusal(const WebEventInfo& web) {
  if (web.connected != 1) return WebSendRefusal{kWebNotConnected, "Erreur"};
  if (web.activated != 1) return WebSendRefusal{kWebNotActivated, "Attention"};
  return std::nullopt;
}

}  // namespace zd
