#pragma once
// The main window's live publishing: after each rewrite of "WebResults/Live.txt" the file is read
// back (LF line ends) and handed, with its address built from the web event and the site's
// settings, to the upload worker; the timer's tick collects the outcome for the status text.

#include <string_view>

#include "files/live_file.h"

namespace zd {

// Hands the live file to the worker and returns at once. False when the file cannot be read:
// nothing is sent then, and no connection opened.
bool SubmitLiveFile(const WebEventInfo& info);
// The status text an upload that ended since the last call gives, or empty.
std::string_view CollectLiveUpload();
// When the main window goes: the waiting file is dropped and the upload in flight given at most
// its timeout.
void StopLiveUploads();

}  // namespace zd
