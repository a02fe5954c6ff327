#pragma once
// The "Fichier" menu: new event (1001), open (1002), save (1003), save as (1004) and quit (1005).
// The event lives in the working race file of the data folder; an event file is a copy of it, and
// every copy is checked: a file that cannot be read leaves the current event as it was, and a
// save that could not be made says so.

#include <windows.h>

#include <string>
#include <string_view>

namespace zd {

enum class EventFileChooser { Open, Save };

// The file chooser of the event files: only "*.race2", starting in the data folder, owned by
// owner; the current directory stays. prefill is the name buffer's text at opening (the save
// chooser's data folder and "\*.race2"). Returns the name chosen, or "" when cancelled.
std::string ChooseEventFile(HWND owner, EventFileChooser kind, std::string_view prefill);

}  // namespace zd
