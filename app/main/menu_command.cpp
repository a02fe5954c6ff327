// The commands of the menu bar from "Base de données" to "?" (1006 to 1025).

#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/menu_commands.h"

namespace zd {

void MenuCommand(HWND window, int command) {
  RunMenuCommand(MainCommandDesk(window), MainWindowRecords(), command);
}

}  // namespace zd
