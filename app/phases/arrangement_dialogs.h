#pragma once
// The arrangement dialogs: the practice series ("COURSEESSAISREPARTITION"), the qualifying series
// ("COURSEQUALIFSREPARTITION") and the starting grid of the rounds ("COURSEMANCHESREPARTITION").
// Each is modal over its owner, ends with 0 and works on the race of the SelectionCode.

#include <windows.h>

#include <functional>

namespace zd {

void OpenPracticeArrangementDialog(HWND owner);
void OpenQualifyingArrangementDialog(HWND owner);
void OpenStartingGridDialog(HWND owner);

// The sounds of the arrows' clicks go through this player; by default PlaySound, asynchronous.
// Tests record them instead; an empty player plays them again.
using ArrangementSoundPlayer = std::function<void(const char* file)>;
void SetArrangementSoundPlayer(ArrangementSoundPlayer player);

}  // namespace zd
