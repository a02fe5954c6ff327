#pragma once
// The table of the session ranking windows (a practice session, a qualifying session, a round)
// on screen and on paper: each phase's columns over the engine's rows.

#include <windows.h>

#include <string>
#include <vector>

#include "phases/ranking_table_painting.h"
#include "phases/ranking_table_printing.h"
#include "phases/session_ranking.h"
#include "print/report_page.h"

namespace zd {

// The table's rectangle in the window's client pixels.
inline constexpr RECT kSessionTableArea = {20, 170, 780, 630};

// The table painted from the scroll position on; the practice table has no points column.
void PaintPracticeSessionRanking(HDC dc, const SessionRanking& ranking, int position);
void PaintQualifyingSessionRanking(HDC dc, const SessionRanking& ranking, int position);
void PaintRoundRanking(HDC dc, const SessionRanking& ranking, int position);
// The one of the ranking's phase.
void PaintSessionRanking(HDC dc, const SessionRanking& ranking, int position);

// The information block of the printout: the event name alone after "Nom course :".
ReportInformation SessionReportInformation(const SessionRanking& ranking);
// The page of the printout (from 1), on a page already started.
void DrawSessionRankingPage(HDC dc, const SessionRanking& ranking,
                            const ReportInformation& information, int page);
// "Imprimer": the print dialog, then the pages; nothing without a driver shown.
bool PrintSessionRanking(HWND owner, const SessionRanking& ranking, const char* logoPath,
                         const char* savedDirectory);

}  // namespace zd
