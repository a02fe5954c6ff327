#pragma once
// The final ranking windows of free practice ("COURSEESSAISCLASSEMENTFINAL"), qualifying
// ("COURSEQUALIFSCLASSEMENTFINAL") and the endurance rounds ("COURSEMANCHESCLASSEMENTFINAL"):
// modal over their owner, ending with 0. Each ranks its race's phase over a range of sessions,
// filters, scrolls, prints and publishes the ranking, and "OK" writes its Classement section.

#include <windows.h>

#include "phases/final_ranking.h"
#include "print/report_page.h"

namespace zd {

// Opens the window of the template; false when the template is not a final ranking's.
bool OpenFinalRankingDialog(HWND owner, const char* dialogTemplate);
INT_PTR CALLBACK FinalRankingDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The table in the dialog's client pixels, from the scroll position on, on any device context:
// the rectangle (20, 175)-(780, 630) is filled first.
void PaintPracticeFinalRanking(HDC dc, const FinalRanking& ranking, int position);
void PaintQualifyingFinalRanking(HDC dc, const FinalRanking& ranking, int position);
void PaintRiduduzudFinalRanking(HDC dc, const FinalRanking& ranking, int position);

// The printout's page count, and a page (from 1) on a device context set up by StartReportPage.
int FinalRankingPageCount(const FinalRanking& ranking);
void DrawFinalRankingPage(HDC dc, const FinalRanking& ranking,
                          const ReportInformation& information, int page);

}  // namespace zd
