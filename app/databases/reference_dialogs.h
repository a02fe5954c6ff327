#pragma once
// The database dialogs of the clubs, championships, radio frequencies, transponder packs and
// penalties, each modal over its owner, each ending with 0.

#include <windows.h>

namespace zd {

void OpenClubsDialog(HWND owner);
void OpenChampionshipsDialog(HWND owner);
void OpenFrequenciesDialog(HWND owner);
void OpenTransponderPacksDialog(HWND owner);
void OpenPenaltiesDialog(HWND owner);

// Control ids that the tests drive.
inline constexpr int kClubsList = 3204;
inline constexpr int kPenaltyNameEdit = 3806;
inline constexpr int kPenaltySecondsEdit = 3808;
inline constexpr int kPenaltyLapsEdit = 3809;
inline constexpr int kPenaltyFirstKindRadio = 3810;
inline constexpr int kFirstTransponderEdit = 3603;

}  // namespace zd
