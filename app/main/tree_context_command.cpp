// The commands of the event tree's context menus (1051 to 1085).

#include "main/main_command_window.h"
#include "main/main_window_handlers.h"
#include "main/tree_commands.h"

namespace zd {

void TreeContextCommand(HWND window, int command) {
  RunTreeContextCommand(MainCommandDesk(window), command);
}

}  // namespace zd
