#pragma once
// The series parameters dialogs of free practice ("COURSEESSAISPARAMETRES"), qualifying
// ("COURSEQUALIFSPARAMETRES") and the endurance rounds ("COURSEMANCHESPARAMETRES"): modal over
// their owner, ending with 0. Each works on the race of the SelectionCode in the race file.

#include <windows.h>

namespace zd {

void OpenPracticeParametersDialog(HWND owner);
void OpenQualifyingParametersDialog(HWND owner);
void OpenRoundsParametersDialog(HWND owner);

INT_PTR CALLBACK PracticeParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam);
INT_PTR CALLBACK QualifyingParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                                LPARAM lparam);
INT_PTR CALLBACK RoundsParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                            LPARAM lparam);

}  // namespace zd
