#pragma once
// The session ranking windows of the event tree: "COURSEESSAISCLASSEMENTSEANCE",
// "COURSEQUALIFSCLASSEMENTSEANCE" and "COURSEMANCHESCLASSEMENTMANCHE". Each ranks the session (or
// round) that the race file's SelectionCode names, lets the user filter, rank, scroll, print and
// send it, and on "OK" stores the ranking mode and the points scale.

#include <windows.h>

#include <optional>

#include "files/phase_sections.h"
#include "phases/session_ranking.h"

namespace zd {

// The phase of one of these templates; nothing for any other name.
std::optional<RacePhase> SessionRankingPhase(const char* dialogTemplate);

// Opens the window of the template, modal over owner. False (and nothing opened) when the
// template is none of the three.
bool OpenSessionRankingDialog(HWND owner, const char* dialogTemplate);

// The ranking of the window open, for the tests; nullptr when none is.
const SessionRanking* ShownSessionRanking();

}  // namespace zd
