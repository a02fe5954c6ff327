#pragma once
// The dialogs of the run analysis and corrections, modal, owned by the main window.

#include <windows.h>

namespace zd {

// "SERIERESULTATDETAIL": the loaded series' run read from "ResultatSerie.res".
void OpenSeriesResultsDialog(HWND owner);
// "SERIECOMMENTAIRE": the track condition and comment of "CommentaireSerie.res".
void OpenSeriesCommentDialog(HWND owner);
// "PENALITESBIS" opens through OpenPenaltyAssignDialog (main/main_dialogs.h).

// The driver selected in the position chart; it survives from one opening to the next.
int SelectedChartDriver();

}  // namespace zd
