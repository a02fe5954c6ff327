#pragma once
// The start-up detection of the timing hardware on the COM port saved in "RéglagesInterface2.rg".

#include <windows.h>

#include "files/settings.h"

namespace zd {

// Opens the saved port, sends the identification request and waits up to 1500 ms for a decoder's
// reply (none means the KV1 interface); shows the outcome in a message box owned by owner and
// writes the port, the connection state and the kind found back into the settings file. The port
// stays open for the main window, which keeps the settings returned.
InterfaceSettings DecoderDetection(HWND owner);

}  // namespace zd
