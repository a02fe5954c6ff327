// The tree's ranking nodes name a dialog template; each family of ranking windows answers for its
// own templates.

#include "main/main_window_handlers.h"
#include "phases/final_ranking_dialogs.h"
#include "phases/session_ranking_dialog.h"

namespace zd {

void OpenRankingDialog(HWND window, const char* dialogTemplate) {
  if (!OpenSessionRankingDialog(window, dialogTemplate))
    OpenFinalRankingDialog(window, dialogTemplate);
}

}  // namespace zd
