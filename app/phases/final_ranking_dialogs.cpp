#include "phases/final_ranking_dialogs.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "databases/database_dialog.h"
#include "files/databases.h"
#include "files/race_file.h"
#include "live/gdi_objects.h"
#include "main/board_interaction.h"
#include "main/dialog_grid.h"
#include "main/message_box.h"
#include "phases/ranking_table_painting.h"
#include "phases/ranking_table_printing.h"
#include "print/report_drawing.h"
#include "web/archive_files.h"
#include "web/web_publishing.h"

namespace zd {

namespace {

// The controls of one phase's window.
struct FinalRankingControls {
  RacePhase phase;
  const char* dialogTemplate;
  PublishingWindow publishing;
  int category, age, men, women, first, last, bestCount, lapsAndTime, bestLap, send, print,
      scroll;
  std::vector<int> boldIds;
  std::vector<int> smallIds;  // the criteria of the order
};

FinalRankingControls PointsControls(RacePhase phase, const char* dialogTemplate,
                                    PublishingWindow publishing, int b) {
  return {phase,  dialogTemplate, publishing, b + 1,  b + 2,  b + 3,
          b + 4,  b + 5,          b + 6,      b + 7,  b + 8,  b + 9,
          b + 10, b + 11,         b + 23,     {b + 12, b + 17},
          {b + 18, b + 19, b + 20, b + 21, b + 22}};
}

const FinalRankingControls& ControlsOf(RacePhase phase) {
  static const FinalRankingControls practice = {
      RacePhase::Practice, "COURSEESSAISCLASSEMENTFINAL", PublishingWindow::PracticeFinal,
      6301, 6302, 6303, 6304, 6305, 6306, 0, 6307, 6308, 6309, 6310, 6317, {6311, 6316}, {}};
  static const FinalRankingControls qualifying = PointsControls(
      RacePhase::Qualifying, "COURSEQUALIFSCLASSEMENTFINAL", PublishingWindow::QualifyingFinal,
      7300);
  static const FinalRankingControls rounds = PointsControls(
      RacePhase::Rounds, "COURSEMANCHESCLASSEMENTFINAL", PublishingWindow::EnduranceFinal, 8300);
  switch (phase) {
    case RacePhase::Practice: return practice;
    case RacePhase::Qualifying: return qualifying;
    case RacePhase::Rounds: break;
  }
  return rounds;
}

const FinalRankingControls* ControlsOfTemplate(const char* dialogTemplate) {
  if (dialogTemplate == nullptr) return nullptr;
  for (RacePhase phase : {RacePhase::Practice, RacePhase::Qualifying, RacePhase::Rounds})
    if (std::strcmp(ControlsOf(phase).dialogTemplate, dialogTemplate) == 0)
      return &ControlsOf(phase);
  return nullptr;
}

// ---- The table, on screen and on paper ----

constexpr RECT kTableRect = {20, 175, 780, 630};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int32_t kBandColour = RGB(255, 255, 200);
constexpr int32_t kStripeColour = RGB(234, 234, 234);
constexpr int kScreenLeft = 25;
constexpr int kScreenRight = 775;
constexpr int kBandTop = 225;
constexpr int kBodyTop = 255;
constexpr int kScreenRowTextTop = 258;
constexpr int kRowHeight = 20;
constexpr int kBlockTitleX = 30;

// The columns of a phase's table on one medium.
struct TableLayout {
  std::vector<int> separators;
  std::vector<ReportColumn> headings;
  std::vector<EntryColumn> columns;
  int flagX = 0;
  int blockTextX = 0;
  int markerX[2] = {0, 0};  // the session-points markers, when the table has points
  int markerHeight = 0;
  int markerTop = 0;  // below a row's text top
};

TableLayout ScreenLayout(RacePhase phase, bool international) {
  const char* club = international ? "Nation" : "Club";
  TableLayout l;
  l.blockTextX = 260;
  if (phase == RacePhase::Practice) {
    l.separators = {55, 95, 255, 305, 345, 445, 555, 605, 695};
    l.headings = {{50, true, "Pos"},    {90, true, "Num"},  {105, false, "Pilote"},
                  {260, false, "Age"},  {310, false, "Sexe"}, {355, false, club},
                  {450, false, "Catégorie"}, {600, true, "Tours"}, {690, true, "Temps"},
                  {770, true, "Meilleur"}};
    l.columns = {{EntryField::Position, 50, ReportAlign::kRight},
                 {EntryField::CarNumber, 90, ReportAlign::kRight},
                 {EntryField::Name, 105},
                 {EntryField::AgeCategory, 260},
                 {EntryField::Sex, 310},
                 {EntryField::Club, 355},
                 {EntryField::Category, 450},
                 {EntryField::Laps, 600, ReportAlign::kRight},
                 {EntryField::RaceTime, 690, ReportAlign::kRight},
                 {EntryField::BestLap, 770, ReportAlign::kRight}};
    l.flagX = 385;
    return l;
  }
  l.separators = {55, 95, 245, 285, 325, 415, 525, 565, 635, 705};
  l.headings = {{50, true, "Pos"},   {90, true, "Num"},   {105, false, "Pilote"},
                {250, false, "Age"}, {290, false, "Sexe"}, {335, false, club},
                {420, false, "Catégorie"}, {560, true, "Tours"}, {630, true, "Temps"},
                {700, true, "Meilleur"}, {730, true, "Pts"}};
  l.columns = {{EntryField::Position, 50, ReportAlign::kRight},
               {EntryField::CarNumber, 90, ReportAlign::kRight},
               {EntryField::Name, 105},
               {EntryField::AgeCategory, 250},
               {EntryField::Sex, 290},
               {EntryField::Club, 335},
               {EntryField::Category, 420},
               {EntryField::Laps, 560, ReportAlign::kRight},
               {EntryField::RaceTime, 630, ReportAlign::kRight},
               {EntryField::BestLap, 700, ReportAlign::kRight},
               {EntryField::Points, 730, ReportAlign::kRight}};
  l.flagX = 365;
  l.markerX[0] = 733;
  l.markerX[1] = 753;
  l.markerHeight = 11;
  l.markerTop = 2;
  return l;
}

TableLayout PaperLayout(RacePhase phase, bool international) {
  const char* club = international ? "Nation" : "Club";
  TableLayout l;
  l.blockTextX = 295;
  if (phase == RacePhase::Practice) {
    l.separators = {55, 90, 220, 330, 430, 485, 580};
    l.headings = {{50, true, "Pos"},      {85, true, "#"},     {100, false, "Pilote"},
                  {230, false, club},     {340, false, "Catégorie"}, {480, true, "Tours"},
                  {575, true, "Temps"},   {655, true, "Meilleur"}};
    l.columns = {{EntryField::Position, 50, ReportAlign::kRight},
                 {EntryField::CarNumber, 85, ReportAlign::kRight},
                 {EntryField::Name, 100},
                 {EntryField::Club, 230},
                 {EntryField::Category, 340},
                 {EntryField::Laps, 480, ReportAlign::kRight},
                 {EntryField::RaceTime, 575, ReportAlign::kRight},
                 {EntryField::BestLap, 655, ReportAlign::kRight}};
    l.flagX = 270;
    return l;
  }
  l.separators = {55, 90, 210, 310, 410, 450, 530, 600};
  l.headings = {{50, true, "Pos"},    {85, true, "#"},     {100, false, "Pilote"},
                {220, false, club},   {320, false, "Catégorie"}, {445, true, "Tours"},
                {525, true, "Temps"}, {595, true, "Meilleur"}, {625, true, "Pts"}};
  l.columns = {{EntryField::Position, 50, ReportAlign::kRight},
               {EntryField::CarNumber, 85, ReportAlign::kRight},
               {EntryField::Name, 100},
               {EntryField::Club, 220},
               {EntryField::Category, 320},
               {EntryField::Laps, 445, ReportAlign::kRight},
               {EntryField::RaceTime, 525, ReportAlign::kRight},
               {EntryField::BestLap, 595, ReportAlign::kRight},
               {EntryField::Points, 625, ReportAlign::kRight}};
  l.flagX = 260;
  l.markerX[0] = 627;
  l.markerX[1] = 644;
  l.markerHeight = 8;
  l.markerTop = 4;
  return l;
}

// The cells of the table's rows, and where their flags and markers go.
std::vector<TableRowCells> RowCells(const FinalRanking& r, const std::vector<TableRow>& rows,
                                    const TableLayout& layout, bool paper) {
  std::vector<TableRowCells> cells;
  for (const TableRow& row : rows) {
    TableRowCells c;
    if (row.kind == RowKind::Entry) {
      c = EntryRowCells(r.entryTexts(row.index), layout.columns);
    } else if (row.kind == RowKind::Abandoned || row.kind == RowKind::Penalised) {
      if (row.blockTitle)
        c.push_back({kBlockTitleX, ReportAlign::kLeft,
                     row.kind == RowKind::Abandoned ? r.abandonsTitle() : r.penaltiesTitle()});
      c.push_back({layout.blockTextX, ReportAlign::kLeft, r.blockRowText(row, paper)});
    }
    cells.push_back(std::move(c));
  }
  return cells;
}

// The flags of an international event and the session-points markers of the entry rows.
void DrawEntryExtras(HDC dc, const FinalRanking& r, const std::vector<TableRow>& rows,
                     const TableLayout& layout, int firstTextTop) {
  for (std::size_t v = 0; v < rows.size(); ++v) {
    if (rows[v].kind != RowKind::Entry) continue;
    const int y = firstTextTop + kRowHeight * static_cast<int>(v);
    if (r.international()) {
      const std::string code = r.list()[rows[v].index].nationCode.str();
      if (!code.empty()) DrawBitmapFile(dc, CountryFlagPath(code).c_str(), layout.flagX, y, 20, 13);
    }
    if (layout.markerHeight == 0) continue;
    const std::vector<std::string> markers = r.markers(rows[v].index);
    for (std::size_t m = 0; m < markers.size() && m < 2; ++m)
      DrawReportText(dc, layout.markerX[m], y + layout.markerTop, markers[m], layout.markerHeight);
  }
}

void PaintFinalRanking(HDC dc, const FinalRanking& r, int position) {
  DcState state(dc);
  SetBkMode(dc, TRANSPARENT);
  FillSolid(dc, kTableRect, kWhite);
  DrawReportText(dc, 400, 175, r.title(), 20, true, ReportAlign::kCentre);
  if (r.filters().sex == kNoSex) {
    DrawReportText(dc, 30, 200, "Le sexe des pilotes n'a été sélectionné !", 15, true);
    return;
  }
  const int n = r.shownCount();
  FillSolid(dc, {kScreenLeft, kBandTop, kScreenRight, kBodyTop}, kBandColour);
  for (int k = 0; k <= 8 && position + 2 * k < n; ++k)
    FillSolid(dc, {kScreenLeft, kBodyTop + 40 * k, kScreenRight, kBodyTop + 40 * k + 20},
              kStripeColour);
  const TableLayout layout = ScreenLayout(r.phase(), r.international());
  const int bottom = std::clamp(kBodyTop + kRowHeight * (n - position), kBodyTop, 629);
  for (const auto& [x1, y1, x2, y2] :
       std::vector<std::array<int, 4>>{{kScreenLeft, kBandTop, kScreenRight, kBandTop},
                                       {kScreenLeft, kBodyTop, kScreenRight, kBodyTop},
                                       {kScreenLeft, kBandTop, kScreenLeft, bottom},
                                       {kScreenRight, kBandTop, kScreenRight, bottom},
                                       {kScreenLeft, bottom, kScreenRight, bottom}})
    DrawSolidLine(dc, 2, 0, x1, y1, x2, y2);
  for (int x : layout.separators) DrawSolidLine(dc, 2, 0, x, kBandTop, x, kBodyTop);

  DrawReportText(dc, 30, 200, r.subtitle(), 15, true);
  for (const ReportColumn& h : layout.headings)
    DrawReportText(dc, h.x, 235, h.heading, 16, false,
                   h.rightAligned ? ReportAlign::kRight : ReportAlign::kLeft);
  const std::vector<TableRow> rows = r.table().shownRows(position);
  TableGeometry geometry;
  geometry.top = kScreenRowTextTop;
  geometry.rowHeight = kRowHeight;
  geometry.textOffset = 0;
  geometry.textHeight = 14;
  PaintTableRows(dc, geometry, RowCells(r, rows, layout, false));
  DrawEntryExtras(dc, r, rows, layout, kScreenRowTextTop);
}

}  // namespace

void PaintPracticeFinalRanking(HDC dc, const FinalRanking& ranking, int position) {
  PaintFinalRanking(dc, ranking, position);
}
void PaintQualifyingFinalRanking(HDC dc, const FinalRanking& ranking, int position) {
  PaintFinalRanking(dc, ranking, position);
}
void PaintRiduduzudFinalRanking(HDC dc, const FinalRanking& ranking, int position) {
  PaintFinalRanking(dc, ranking, position);
}

int FinalRankingPageCount(const FinalRanking& ranking) {
  return static_cast<int>(ranking.table().pages().size());
}

void DrawFinalRankingPage(HDC dc, const FinalRanking& r, const ReportInformation& information,
                          int page) {
  const RankingTable table = r.table();
  const std::vector<PrintPage> pages = table.pages();
  if (page < 1 || page > static_cast<int>(pages.size())) return;
  const PrintPage& p = pages[page - 1];
  const TableLayout layout = PaperLayout(r.phase(), r.international());
  RankingPrintLayout print;
  print.separators = layout.separators;
  print.columns = layout.headings;
  print.outlineWithoutEntries = true;  // a page of summaries shows an outline of no height
  ReportFrameTexts texts;
  texts.title = r.title();
  texts.information = &information;
  texts.subtitle = r.paperSubtitle();
  DrawRankingPrintPage(dc, print, texts, p, static_cast<int>(pages.size()),
                       RowCells(r, table.rows(), layout, true));
  const std::vector<TableRow>& all = table.rows();
  const std::vector<TableRow> rows(all.begin() + p.firstRow,
                                   all.begin() + p.firstRow + p.rowCount);
  DrawEntryExtras(dc, r, rows, layout, kReportRowTextTop);
}

namespace {

// ---- The window ----

struct FinalRankingState {
  explicit FinalRankingState(const FinalRankingControls& c)
      : controls(c), ranking(std::make_unique<FinalRanking>(c.phase)) {}
  const FinalRankingControls& controls;
  std::unique_ptr<FinalRanking> ranking;
  ReportInformation information;
  WebLink web;
  FixedText<260> logoPath;
  char savedDirectory[MAX_PATH] = {};
  DatabaseFonts fonts;
  GdiObject smallFont{CreatePlainFont("Arial", 15)};
  std::unique_ptr<GdiObject> printBitmap;
  int position = 0;
  // Set while the window writes its own edits, whose change notifications are not the user's.
  bool settingEdits = false;
};

void RestoreDirectory(const FinalRankingState& s) {
  if (s.savedDirectory[0]) SetCurrentDirectoryA(s.savedDirectory);
}

void Repaint(HWND dialog) {
  InvalidateRect(dialog, &kTableRect, TRUE);
}

void ResetScroll(HWND dialog, FinalRankingState& s) {
  s.position = 0;
  const ScrollRange range = s.ranking->table().scrollRange();
  HWND bar = GetDlgItem(dialog, s.controls.scroll);
  if (range.shown) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, range.maximum, 0, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
  }
  ShowWindow(bar, range.shown ? SW_SHOW : SW_HIDE);
  Repaint(dialog);
}

// Both boxes checked and both combos on "Toutes", as the ranking's filters are after a change of
// the range or the mode.
void ShowFiltersCleared(HWND dialog, const FinalRankingState& s) {
  CheckDlgButton(dialog, s.controls.men, BST_CHECKED);
  CheckDlgButton(dialog, s.controls.women, BST_CHECKED);
  SendDlgItemMessageA(dialog, s.controls.category, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, s.controls.age, CB_SETCURSEL, 0, 0);
}

void SetEditText(HWND dialog, FinalRankingState& s, int id, const std::string& text) {
  s.settingEdits = true;
  SetDlgItemTextA(dialog, id, text.c_str());
  s.settingEdits = false;
}

void FillCombo(HWND dialog, int id, const std::vector<std::string>& items) {
  SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

std::string ComboText(HWND dialog, int id) {
  const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  if (selected < 0) return std::string(kAllFilter);
  char text[256] = {};
  if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) >=
      static_cast<LRESULT>(sizeof text))
    return std::string(kAllFilter);
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

void InitDialog(HWND dialog, FinalRankingState& s) {
  const FinalRankingControls& c = s.controls;
  GetCurrentDirectoryA(MAX_PATH, s.savedDirectory);
  FinalRanking& r = *s.ranking;
  r.open();
  for (const std::string& message : r.messages())
    ShowMessage(dialog, message.c_str(), kErrorCaption, MB_OK);
  s.information = MakeReportInformation(r.information(), r.raceName(), ReportEventLine::kEventAlone);
  s.information.international = r.international();
  if (!ReadReportLogoPath(s.logoPath))
    ShowMessage(dialog, kDisplaySettingsNotFound, kErrorCaption, MB_OK);
  RunWebLinkCheck(dialog, s.web);

  FillCombo(dialog, c.category, r.categoryItems());
  FillCombo(dialog, c.age, r.ageItems());
  std::vector<std::pair<int, RangeEdit>> edits = {{c.first, RangeEdit::First},
                                                  {c.last, RangeEdit::Last}};
  if (c.bestCount != 0) edits.push_back({c.bestCount, RangeEdit::BestCount});
  for (const auto& [id, edit] : edits) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 1, 0);
    SetEditText(dialog, s, id, r.rangeEditText(edit));
  }
  ShowFiltersCleared(dialog, s);
  CheckRadioButton(dialog, c.lapsAndTime, c.bestLap,
                   r.rankingMode() == kRankByLapsAndTime ? c.lapsAndTime : c.bestLap);

  s.printBitmap = std::make_unique<GdiObject>(
      LoadImageA(nullptr, "images/impression.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  SendDlgItemMessageA(dialog, c.print, BM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(s.printBitmap->get()));
  SetSendButtonPicture(GetDlgItem(dialog, c.send), s.web);
  SpreadToPixelGrid(dialog);
  s.fonts.apply(dialog, c.boldIds);
  for (int id : c.smallIds)
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(s.smallFont.get()), FALSE);
  ResetScroll(dialog, s);
}

void RangeEditChanged(HWND dialog, FinalRankingState& s, int id, RangeEdit edit) {
  char text[8] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  const FinalRankingControls& c = s.controls;
  for (const RangeRewrite& rewrite : s.ranking->rangeEdited(edit, text)) {
    const int rewritten = rewrite.edit == RangeEdit::First  ? c.first
                          : rewrite.edit == RangeEdit::Last ? c.last
                                                            : c.bestCount;
    if (rewritten != 0) SetEditText(dialog, s, rewritten, rewrite.text);
  }
  ShowFiltersCleared(dialog, s);
  ResetScroll(dialog, s);
}

void Print(HWND dialog, FinalRankingState& s) {
  const FinalRanking& r = *s.ranking;
  PrintReport(
      dialog, s.logoPath.c_str(), r.printJobName(), FinalRankingPageCount(r),
      [&](HDC dc, int page) { DrawFinalRankingPage(dc, r, s.information, page); },
      s.savedDirectory);
}

void Send(HWND dialog, FinalRankingState& s) {
  const FinalRanking& r = *s.ranking;
  const ArchiveNameParts parts = FinalArchiveNameParts(r.filters());
  ArchiveRequest request;
  request.values = FinalPublishing(s.controls.publishing, r.filters().sex, parts.category,
                                   parts.ageText, parts.ageCode);
  request.lineCount = r.shownCount();
  request.raceNumber = r.race();
  const std::string raceName(r.raceName());
  request.raceName = raceName;
  request.writeArchive = [&r, &raceName](std::string_view path) {
    FinalRankingArchive archive;
    archive.entries = std::span(r.list().data(), static_cast<std::size_t>(r.shownCount()));
    archive.sexFilter = r.filters().sex;
    archive.categoryFilter = r.filters().category.view();
    archive.ageFilter = r.filters().age.view();
    archive.rankingKey = r.rankingMode();
    archive.firstSession = r.range().first;
    archive.lastSession = r.range().last;
    archive.bestCount = r.phase() == RacePhase::Practice ? 0 : r.range().bestCount;
    ArchiveEventTexts event = MakeArchiveEventTexts(r.information(), raceName);
    event.international = r.international() ? 1 : 0;
    return WriteFinalRankingArchive(path, archive, event);
  };
  // The archive is written relative to the program's folder, whatever the printing did.
  RestoreDirectory(s);
  RunArchivePublishing(dialog, s.web, request);
}

void Validate(HWND dialog, FinalRankingState& s) {
  RestoreDirectory(s);
  const Outcome written = s.ranking->writeClassementSection();
  if (!written)
    ShowMessage(dialog, written.message.c_str(), kErrorCaption,
                written.message == kRaceFileNotFound ? MB_OK | MB_ICONERROR : MB_OK);
  EndDialog(dialog, 0);
}

void Close(HWND dialog, const FinalRankingState& s) {
  RestoreDirectory(s);
  EndDialog(dialog, 0);
}

void Scroll(HWND dialog, FinalRankingState& s, int request, int thumb) {
  const ScrollRange range = s.ranking->table().scrollRange();
  const int position = ScrolledPosition(request, thumb, s.position, 0, range.maximum);
  SetScrollPos(GetDlgItem(dialog, s.controls.scroll), SB_CTL, position, TRUE);
  if (position != s.position) {
    s.position = position;
    Repaint(dialog);
  }
}

void Command(HWND dialog, FinalRankingState& s, int id, int notification) {
  const FinalRankingControls& c = s.controls;
  FinalRanking& r = *s.ranking;
  const bool clicked = notification == BN_CLICKED;
  if (id == c.first || id == c.last || (c.bestCount != 0 && id == c.bestCount)) {
    if (notification == EN_CHANGE && !s.settingEdits)
      RangeEditChanged(dialog, s, id,
                       id == c.first  ? RangeEdit::First
                       : id == c.last ? RangeEdit::Last
                                      : RangeEdit::BestCount);
  } else if (id == c.category || id == c.age) {
    if (notification != CBN_SELCHANGE) return;
    if (id == c.category)
      r.selectCategory(ComboText(dialog, c.category));
    else
      r.selectAge(ComboText(dialog, c.age));
    ResetScroll(dialog, s);
  } else if (id == c.men || id == c.women) {
    if (!clicked) return;
    r.clickSexBox(id == c.men ? SexBox::Men : SexBox::Women,
                  IsDlgButtonChecked(dialog, id) == BST_CHECKED);
    ResetScroll(dialog, s);
  } else if (id == c.lapsAndTime || id == c.bestLap) {
    if (!clicked) return;
    r.setRankingMode(id == c.lapsAndTime ? kRankByLapsAndTime : kRankByBestLap);
    ShowFiltersCleared(dialog, s);
    ResetScroll(dialog, s);
  } else if (id == c.print) {
    if (clicked) Print(dialog, s);
  } else if (id == c.send) {
    if (clicked) Send(dialog, s);
  } else if (id == IDOK) {
    if (clicked) Validate(dialog, s);
  } else if (id != c.scroll) {
    // Escape and every other command close without writing.
    Close(dialog, s);
  }
}

void Paint(HWND dialog, const FinalRankingState& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  switch (s.controls.phase) {
    case RacePhase::Practice:
      PaintPracticeFinalRanking(dc, *s.ranking, s.position);
      break;
    case RacePhase::Qualifying:
      PaintQualifyingFinalRanking(dc, *s.ranking, s.position);
      break;
    case RacePhase::Rounds:
      PaintRiduduzudFinalRanking(dc, *s.ranking, s.position);
      break;
  }
  EndPaint(dialog, &paint);
}

}  // namespace

INT_PTR CALLBACK FinalRankingDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<FinalRankingState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *s);
      return TRUE;
    case WM_PAINT:
      Paint(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      Command(dialog, *s, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_VSCROLL:
      Scroll(dialog, *s, LOWORD(wparam), static_cast<int16_t>(HIWORD(wparam)));
      return TRUE;
    case WM_CLOSE:
      Close(dialog, *s);
      return TRUE;
    default:
      return FALSE;
  }
}

bool OpenFinalRankingDialog(HWND owner, const char* dialogTemplate) {
  const FinalRankingControls* controls = ControlsOfTemplate(dialogTemplate);
  if (controls == nullptr) return false;
  FinalRankingState state(*controls);
  DialogBoxParamA(GetModuleHandleA(nullptr), controls->dialogTemplate, owner,
                  FinalRankingDialogProc, reinterpret_cast<LPARAM>(&state));
  return true;
}

}  // namespace zd
