// Stand-ins for the handlers whose features are not built yet: each does nothing, so that every
// command of the window arrives somewhere. A feature takes its handler out of this file when it
// defines its own.

#include "main/main_window_handlers.h"
#include "phases/final_ranking_dialogs.h"
#include "phases/session_ranking_dialog.h"

namespace zd {

void OpenRankingDialog(HWND window, const char* dialogTemplate) {
  if (!OpenSessionRankingDialog(window, dialogTemplate))
    OpenFinalRankingDialog(window, dialogTemplate);
}

}  // namespace zd
