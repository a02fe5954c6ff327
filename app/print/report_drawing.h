#pragma once
// The page frame of every printed report: the print dialog, the document, the isotropic page, the
// logo, the frame lines, the title, the information block and the footer, and for list reports the
// heading band, the row shading and the table outline. Everything draws on any device context,
// so that tests draw pages on a metafile and the printer goes through the same code.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "print/report_page.h"

namespace zd {

// The print dialog on a fresh portrait, medium-quality print set-up; the printer's device
// context when the user confirms, else nullptr.
HDC OpenReportPrinter(HWND owner);

// One print job: the printer, its resolution and the logo loaded for it.
struct ReportDocument {
  HDC printer = nullptr;
  int horizontalResolution = 0;
  int verticalResolution = 0;
  HDC logo = nullptr;  // nullptr when the logo file does not load as a bitmap: the area stays blank
  HGDIOBJ logoBitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  bool started = false;
};

// Loads the logo at 196 x 50 pixels for the printer and starts the document under its name.
// False when the document could not start.
bool BeginReportDocument(ReportDocument& document, HDC printer, const char* logoPath,
                         const char* documentName);
// Ends the document and releases the logo and the printer.
void EndReportDocument(ReportDocument& document);

// A loaded logo, drawn by StartReportPage; for the tests' metafile pages.
HDC CreateReportLogo(HDC reference, const char* logoPath, HGDIOBJ& bitmap, HGDIOBJ& previous);

// The logical page: 700 × 990 units for the reports in the frame; a printout of its own may
// have another.
struct ReportPageSize {
  int width = kReportPageWidth;
  int height = kReportPageHeight;
};
// The page's mapping: the page's units with equal scales, fitting the printable area (horizontal
// x vertical resolution in pixels).
void SetReportMapping(HDC dc, int horizontalResolution, int verticalResolution,
                      ReportPageSize size = {});
// Starts the page, sets the mapping and copies the logo (none: the area stays blank).
void StartReportPage(HDC dc, int horizontalResolution, int verticalResolution, HDC logo,
                     ReportPageSize size = {});

// The texts of the frame.
struct ReportFrameTexts {
  std::string title;
  const ReportInformation* information = nullptr;  // nullptr: labels alone
  std::string subtitle;                           // at (30, 220) when not empty
  bool subtitleBold = false;                      // Arial 15, bold for the session rankings
  int page = 1;
  int pageCount = 1;
};
// The frame lines (2 units): verticals at x 20 and 665, rules at y 141, 210 and 910.
void DrawReportFrameLines(HDC dc);
// Title centred on x 342, information labels and values, subtitle and footer "Page %d /%d".
void DrawReportFrameTexts(HDC dc, const ReportFrameTexts& texts);

struct ReportListPage {
  ReportFrameTexts texts;
  ReportTableEdges edges = kListTableEdges;
  int rows = 0;                  // rows on this page
  std::vector<int> separators;   // column separators inside the band
  std::vector<ReportColumn> columns;
};
// The band from y 247 to 267 across the table, in pale yellow.
void FillReportHeadingBand(HDC dc, ReportTableEdges edges);
// Every other row of the page from the first, in light grey.
void ShadeReportRows(HDC dc, ReportTableEdges edges, int rows);
// The band's outline (2 units).
void DrawReportBandOutline(HDC dc, ReportTableEdges edges);
// Separators inside the band (1 unit).
void DrawReportBandSeparators(HDC dc, const std::vector<int>& separators);
// The outline of the page's rows (1 unit), from y 272 to the bottom of the last row.
void DrawReportTableOutline(HDC dc, ReportTableEdges edges, int rows);
// The headings in Arial 12 bold at y 252.
void DrawReportHeadings(HDC dc, const std::vector<ReportColumn>& columns);

// Everything of a list report's page but its rows, in the order that keeps lines and texts on top
// of the fills; the page is started by StartReportPage first.
void DrawReportPageFrame(HDC dc, const ReportListPage& page);

// Draws one text left-aligned (or right-aligned, or centred) with its top at y, in a font of its
// own: "Arial" of the height and weight given, transparent, black.
enum class ReportAlign { kLeft, kRight, kCentre };
void DrawReportText(HDC dc, int x, int y, const std::string& text, int height, bool bold = false,
                    ReportAlign align = ReportAlign::kLeft);

// A whole print command: the print dialog, then when confirmed and pageCount > 0 the document
// with each page started, drawn by drawPage (page from 1) and ended; the current directory is set
// back to savedDirectory in every case. False when nothing was printed.
using ReportPageDrawer = std::function<void(HDC dc, int page)>;
bool PrintReport(HWND owner, const char* logoPath, const char* documentName, int pageCount,
                 const ReportPageDrawer& drawPage, const char* savedDirectory,
                 ReportPageSize size = {});

}  // namespace zd
