#include "main/main_dialogs.h"

#include "main/decoder_link.h"

namespace zd {

void OpenMainDialog(HWND owner, MainDialog dialog) {
  if (dialog == MainDialog::Interface) OpenInterfaceDialog(owner);
}

void OpenPenaltyAssignDialog(HWND, LiveRankingEntry&) {}

HWND CreateLiveScreen(HWND, int32_t*) { return nullptr; }

}  // namespace zd
