#pragma once
// The event set-up dialogs of the event tree: the event information ("COURSEINFO"), the track
// ("COURSEPISTE") and a participant's details with the transponder scan ("COURSEPILOTEDETAILS",
// opened by OpenParticipantDetailsDialog of main/main_window_handlers.h). Each is modal over its
// owner and ends with 0; only "Valider" or "OK" writes the race file.

#include <windows.h>

namespace zd {

void OpenEventInformationDialog(HWND owner);
void OpenTrackDialog(HWND owner);

INT_PTR CALLBACK EventInformationDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                            LPARAM lparam);
INT_PTR CALLBACK TrackDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK ParticipantDetailsDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam);

// Control ids that the tests drive.
inline constexpr int kEventNameEdit = 5101;
inline constexpr int kEventClubList = 5102;
inline constexpr int kEventChampionshipList = 5103;
inline constexpr int kEventDirectorEdit = 5104;
inline constexpr int kEventPlaceEdit = 5105;
inline constexpr int kEventDateEdit = 5106;
inline constexpr int kInternationalBox = 5107;
inline constexpr int kTrackNameEdit = 5151;
inline constexpr int kLapProtectionEdit = 5157;
inline constexpr int kDetailsHeading = 5301;
inline constexpr int kDetailsVehicleList = 5302;
inline constexpr int kDetailsCategoryList = 5303;
inline constexpr int kDetailsCarNumberEdit = 5304;
inline constexpr int kDetailsTransponderEdit = 5305;
inline constexpr int kDetailsScanButton = 5306;
inline constexpr int kDetailsScanState = 5307;
inline constexpr int kDetailsFirstFrequencyList = 5308;

}  // namespace zd
