#include "print/report_drawing.h"

#include "live/gdi_objects.h"

namespace zd {

namespace {

constexpr int kFrameLeft = 20;
constexpr int kFrameRight = 665;
constexpr int kFrameTop = 120;
constexpr int kFrameBottom = 950;
constexpr int kBandTop = 247;
constexpr int kBandBottom = 267;
constexpr int kTitleCentre = 342;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBandColour = RGB(255, 255, 200);
constexpr COLORREF kShadeColour = RGB(234, 234, 234);

// A label and its value, at their top-left points.
struct InformationPlace {
  const char* label;
  int labelX, y, valueX;
  std::string ReportInformation::*value;
};
constexpr InformationPlace kInformationPlaces[] = {
    {"Championnat :", 30, 145, 130, &ReportInformation::championship},
    {"Nom course :", 30, 163, 130, &ReportInformation::eventLine},
    {"Lieu :", 30, 181, 130, &ReportInformation::place},
    {"Date :", 520, 181, 565, &ReportInformation::date},
    {"Directeur de course :", 30, 915, 170, &ReportInformation::raceDirector},
    {"Club organisateur :", 30, 935, 170, &ReportInformation::club},
};

void Line(HDC dc, int width, int x1, int y1, int x2, int y2) {
  DrawSolidLine(dc, width, kBlack, x1, y1, x2, y2);
}

}  // namespace

HDC OpenReportPrinter(HWND owner) {
  HGLOBAL setup = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
  if (!setup) return nullptr;
  if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(setup))) {
    mode->dmSize = sizeof(DEVMODEA);
    mode->dmFields = DM_ORIENTATION | DM_PRINTQUALITY;
    mode->dmOrientation = DMORIENT_PORTRAIT;
    mode->dmPrintQuality = DMRES_MEDIUM;
    GlobalUnlock(setup);
  }
  PRINTDLGA request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.hDevMode = setup;
  request.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
  request.nCopies = 1;
  request.nFromPage = request.nToPage = request.nMinPage = request.nMaxPage = 1;
  const BOOL confirmed = PrintDlgA(&request);
  // The dialog may hand back blocks of its own: none is used once it has returned.
  if (request.hDevMode) GlobalFree(request.hDevMode);
  if (request.hDevNames) GlobalFree(request.hDevNames);
  if (!confirmed) {
    if (request.hDC) DeleteDC(request.hDC);
    return nullptr;
  }
  return request.hDC;
}

HDC CreateReportLogo(HDC reference, const char* logoPath, HGDIOBJ& bitmap, HGDIOBJ& previous) {
  bitmap = nullptr;
  previous = nullptr;
  if (!logoPath || !*logoPath) return nullptr;
  bitmap = LoadImageA(nullptr, logoPath, IMAGE_BITMAP, 196, 50,
                      LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_VGACOLOR);
  if (!bitmap) return nullptr;
  HDC logo = CreateCompatibleDC(reference);
  if (!logo) {
    DeleteObject(bitmap);
    bitmap = nullptr;
    return nullptr;
  }
  previous = SelectObject(logo, bitmap);
  return logo;
}

bool BeginReportDocument(ReportDocument& document, HDC printer, const char* logoPath,
                         const char* documentName) {
  document = ReportDocument();
  document.printer = printer;
  document.horizontalResolution = GetDeviceCaps(printer, HORZRES);
  document.verticalResolution = GetDeviceCaps(printer, VERTRES);
  document.logo =
      CreateReportLogo(printer, logoPath, document.logoBitmap, document.previousBitmap);
  DOCINFOA info = {};
  info.cbSize = sizeof info;
  info.lpszDocName = documentName;
  document.started = StartDocA(printer, &info) > 0;
  return document.started;
}

void EndReportDocument(ReportDocument& document) {
  if (document.started) EndDoc(document.printer);
  if (document.logo) {
    SelectObject(document.logo, document.previousBitmap);
    DeleteDC(document.logo);
  }
  if (document.logoBitmap) DeleteObject(document.logoBitmap);
  if (document.printer) DeleteDC(document.printer);
  document = ReportDocument();
}

void SetReportMapping(HDC dc, int horizontalResolution, int verticalResolution,
                      ReportPageSize size) {
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, size.width, size.height, nullptr);
  SetViewportExtEx(dc, horizontalResolution, verticalResolution, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

void StartReportPage(HDC dc, int horizontalResolution, int verticalResolution, HDC logo,
                     ReportPageSize size) {
  StartPage(dc);
  SetReportMapping(dc, horizontalResolution, verticalResolution, size);
  // 200 units wide although the bitmap is 196 pixels: the frame's own measure.
  if (logo) BitBlt(dc, 25, 25, 200, 50, logo, 0, 0, SRCCOPY);
}

void DrawReportText(HDC dc, int x, int y, const std::string& text, int height, bool bold,
                    ReportAlign align) {
  GdiObject font(CreatePlainFont("Arial", height, bold ? FW_BOLD : 0));
  const HGDIOBJ previous = SelectObject(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlack);
  const UINT flags = align == ReportAlign::kRight    ? TA_RIGHT
                     : align == ReportAlign::kCentre ? TA_CENTER
                                                     : TA_LEFT;
  TextAt(dc, flags | TA_TOP, x, y, text.c_str());
  SelectObject(dc, previous);
}

void DrawReportFrameLines(HDC dc) {
  Line(dc, 2, kFrameLeft, kFrameTop, kFrameLeft, kFrameBottom);
  Line(dc, 2, kFrameRight, kFrameTop, kFrameRight, kFrameBottom);
  for (int y : {141, 210, 910}) Line(dc, 2, kFrameLeft, y, kFrameRight, y);
}

void DrawReportFrameTexts(HDC dc, const ReportFrameTexts& texts) {
  DrawReportText(dc, kTitleCentre, kFrameTop, texts.title, 20, true, ReportAlign::kCentre);
  for (const InformationPlace& place : kInformationPlaces)
    DrawReportText(dc, place.labelX, place.y, place.label, 15, true);
  if (texts.information)
    for (const InformationPlace& place : kInformationPlaces)
      DrawReportText(dc, place.valueX, place.y, texts.information->*place.value, 15);
  if (!texts.subtitle.empty())
    DrawReportText(dc, 30, 220, texts.subtitle, 15, texts.subtitleBold);
  DrawReportText(dc, 615, 970, ReportPageNumber(texts.page, texts.pageCount), 15);
}

void FillReportHeadingBand(HDC dc, ReportTableEdges edges) {
  FillSolid(dc, {edges.left, kBandTop, edges.right, kBandBottom}, kBandColour);
}

void ShadeReportRows(HDC dc, ReportTableEdges edges, int rows) {
  for (int row = 0; row < rows; row += 2)
    FillSolid(dc, {edges.left, ReportRowTop(row), edges.right, ReportRowTop(row + 1)},
              kShadeColour);
}

void DrawReportBandOutline(HDC dc, ReportTableEdges edges) {
  Line(dc, 2, edges.left, kBandTop, edges.right, kBandTop);
  Line(dc, 2, edges.left, kBandBottom, edges.right, kBandBottom);
  Line(dc, 2, edges.left, kBandTop, edges.left, kBandBottom);
  Line(dc, 2, edges.right, kBandTop, edges.right, kBandBottom);
}

void DrawReportBandSeparators(HDC dc, const std::vector<int>& separators) {
  for (int x : separators) Line(dc, 1, x, kBandTop, x, kBandBottom);
}

void DrawReportTableOutline(HDC dc, ReportTableEdges edges, int rows) {
  const int bottom = ReportRowTop(rows);
  Line(dc, 1, edges.left, kReportRowTop, edges.right, kReportRowTop);
  Line(dc, 1, edges.left, bottom, edges.right, bottom);
  Line(dc, 1, edges.left, kReportRowTop, edges.left, bottom);
  Line(dc, 1, edges.right, kReportRowTop, edges.right, bottom);
}

void DrawReportHeadings(HDC dc, const std::vector<ReportColumn>& columns) {
  for (const ReportColumn& column : columns)
    DrawReportText(dc, column.x, 252, column.heading, 12, true,
                   column.rightAligned ? ReportAlign::kRight : ReportAlign::kLeft);
}

void DrawReportPageFrame(HDC dc, const ReportListPage& page) {
  FillReportHeadingBand(dc, page.edges);
  ShadeReportRows(dc, page.edges, page.rows);
  DrawReportFrameLines(dc);
  DrawReportBandOutline(dc, page.edges);
  DrawReportBandSeparators(dc, page.separators);
  DrawReportTableOutline(dc, page.edges, page.rows);
  DrawReportFrameTexts(dc, page.texts);
  DrawReportHeadings(dc, page.columns);
}

bool PrintReport(HWND owner, const char* logoPath, const char* documentName, int pageCount,
                 const ReportPageDrawer& drawPage, const char* savedDirectory,
                 ReportPageSize size) {
  bool printed = false;
  if (HDC printer = OpenReportPrinter(owner)) {
    if (pageCount <= 0) {
      DeleteDC(printer);
    } else {
      ReportDocument document;
      if (BeginReportDocument(document, printer, logoPath, documentName)) {
        for (int page = 1; page <= pageCount; ++page) {
          StartReportPage(printer, document.horizontalResolution, document.verticalResolution,
                          document.logo, size);
          drawPage(printer, page);
          EndPage(printer);
        }
        printed = true;
      }
      EndReportDocument(document);
    }
  }
  if (savedDirectory && *savedDirectory) SetCurrentDirectoryA(savedDirectory);
  return printed;
}

}  // namespace zd
