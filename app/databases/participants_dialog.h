#pragma once
// The participants of a race ("COURSEPILOTES", "Liste des pilotes"): modal over its owner, ending
// with 0. It works on the race of the SelectionCode in the race file, prints the list on the
// common report page and sends it to the web site.

#include <windows.h>

#include "databases/participants_list.h"

namespace zd {

void OpenParticipantsDialog(HWND owner);
INT_PTR CALLBACK ParticipantsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Page (from 1) of the printed list, on any device context already set up by StartReportPage.
void DrawParticipantsPage(HDC dc, const ParticipantsList& list, int page, int pageCount);

}  // namespace zd
