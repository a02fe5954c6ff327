#pragma once
// The web site as the participants dialog uses it: the connection check when it opens and the
// sending of the list ("ZListe.txt"). The publishing sequence itself belongs to the web half of
// the program; the dialog reaches it through this interface.

#include <optional>
#include <string>

#include "databases/participants_list.h"
#include "files/live_file.h"

namespace zd {

class ParticipantsWebSite {
 public:
  virtual ~ParticipantsWebSite() = default;
  // Tests the connection, sets web's connected and activated flags from the result and writes
  // them back to the web event information file.
  virtual void checkConnection(WebEventInfo& web) = 0;
  // Writes the archive of the list and uploads it into the race's folder of the web site.
  virtual void sendParticipants(const ParticipantsList& list, const WebEventInfo& web) = 0;
};

// Why "Envoyer" sends nothing, as its message box: text, caption; nothing when it may send (an
// empty list is sent silently never).
struct WebSendRefusal {
  std::string text;
  std::string caption;
};
inline constexpr const char* kWebNotConnected =
    "Le logiciel n'est pas connecté au site web distant.";
inline constexpr const char* kWebNotActivated =
    "L'envoi des résultats sur le web n'est pas activé.";
std::optional<WebSendRefusal> ParticipantsSendRefusal(const WebEventInfo& web);

}  // namespace zd
