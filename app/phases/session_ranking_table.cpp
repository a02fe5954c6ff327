#include "phases/session_ranking_table.h"

namespace zd {

namespace {

using A = ReportAlign;

struct PhaseColumns {
  std::vector<EntryColumn> entry;
  int penaltyCodeX = 0, penaltyNameX = 0, descriptionX = 0, descriptionStep = 6;
};

// On screen the practice table and the others differ in their result columns only.
ScreenTableLayout ScreenLayout(bool points, bool international) {
  ScreenTableLayout layout;
  layout.area = kSessionTableArea;
  const int laps = points ? 560 : 570, time = points ? 630 : 650, best = points ? 700 : 730,
            penalty = points ? 740 : 770;
  layout.separators = points ? std::vector<int>{55, 95, 245, 285, 325, 415, 525, 565, 635, 705, 745}
                             : std::vector<int>{55, 95, 245, 285, 325, 415, 525, 575, 655, 735};
  layout.headings = {{50, true, "Pos"},   {90, true, "Num"},
                     {105, false, "Pilote"}, {250, false, "Age"},
                     {290, false, "Sexe"},   {335, false, international ? "Nation" : "Club"},
                     {420, false, "Catégorie"}, {laps, true, "Tours"},
                     {time, true, "Temps"},  {best, true, "Meilleur"},
                     {penalty, true, "Pén."}};
  if (points) layout.headings.push_back({770, true, "Pts"});
  return layout;
}

PhaseColumns ScreenColumns(bool points) {
  PhaseColumns c;
  c.entry = {{EntryField::Position, 50, A::kRight}, {EntryField::CarNumber, 90, A::kRight},
             {EntryField::Name, 105},               {EntryField::AgeCategory, 250},
             {EntryField::Sex, 290},                {EntryField::Club, 335},
             {EntryField::Flag, 365},               {EntryField::Category, 420}};
  if (points) {
    c.entry.insert(c.entry.end(), {{EntryField::Laps, 560, A::kRight},
                                   {EntryField::RaceTime, 630, A::kRight},
                                   {EntryField::BestLap, 700, A::kRight},
                                   {EntryField::Penalty, 740, A::kRight},
                                   {EntryField::Points, 770, A::kRight}});
  } else {
    c.entry.insert(c.entry.end(), {{EntryField::Laps, 570, A::kRight},
                                   {EntryField::RaceTime, 650, A::kRight},
                                   {EntryField::BestLap, 730, A::kRight},
                                   {EntryField::Penalty, 770, A::kRight}});
  }
  c.penaltyCodeX = 25;
  c.penaltyNameX = 60;
  c.descriptionX = 60;
  return c;
}

RankingPrintLayout PrintLayout(bool points, bool international) {
  RankingPrintLayout layout;
  layout.edges = kRankingTableEdges;
  const int laps = points ? 445 : 455, time = points ? 525 : 545, best = points ? 595 : 620,
            penalty = points ? 629 : 655;
  layout.separators = points ? std::vector<int>{55, 90, 210, 310, 410, 450, 530, 600, 632}
                             : std::vector<int>{55, 90, 210, 310, 410, 460, 550, 625};
  layout.columns = {{50, true, "Pos"},           {85, true, "#"},
                    {100, false, "Pilote"},      {220, false, international ? "Nation" : "Club"},
                    {320, false, "Catégorie"},   {laps, true, "Tours"},
                    {time, true, "Temps"},       {best, true, "Meilleur"},
                    {penalty, true, "Pén."}};
  if (points) layout.columns.push_back({655, true, "Pts"});
  // The practice page keeps an outline of no height where it has no driver.
  layout.outlineWithoutEntries = !points;
  return layout;
}

PhaseColumns PrintColumns(bool points) {
  PhaseColumns c;
  c.entry = {{EntryField::Position, 50, A::kRight}, {EntryField::CarNumber, 85, A::kRight},
             {EntryField::Name, 100},               {EntryField::Club, 220},
             {EntryField::Flag, 260},               {EntryField::Category, 320}};
  if (points) {
    c.entry.insert(c.entry.end(), {{EntryField::Laps, 445, A::kRight},
                                   {EntryField::RaceTime, 525, A::kRight},
                                   {EntryField::BestLap, 595, A::kRight},
                                   {EntryField::Penalty, 629, A::kRight},
                                   {EntryField::Points, 655, A::kRight}});
  } else {
    c.entry.insert(c.entry.end(), {{EntryField::Laps, 455, A::kRight},
                                   {EntryField::RaceTime, 545, A::kRight},
                                   {EntryField::BestLap, 620, A::kRight},
                                   {EntryField::Penalty, 655, A::kRight}});
  }
  c.penaltyCodeX = 30;
  c.penaltyNameX = 70;
  c.descriptionX = 80;
  return c;
}

bool HasPoints(const SessionRanking& ranking) { return ranking.phase() != RacePhase::Practice; }

std::vector<EntryColumn> WithoutFlag(std::vector<EntryColumn> columns, bool international) {
  if (!international)
    std::erase_if(columns, [](const EntryColumn& c) { return c.field == EntryField::Flag; });
  return columns;
}

std::vector<TableRowCells> RowCells(const SessionRanking& ranking,
                                    const std::vector<TableRow>& rows, const PhaseColumns& c) {
  const bool international = ranking.international();
  const bool points = ranking.showsPoints();
  const std::vector<EntryColumn> columns = WithoutFlag(c.entry, international);
  const PenaltySummary& summary = ranking.summary();
  const int descriptionX =
      c.descriptionX + c.descriptionStep * LongestPenaltyName(summary.records, summary.count);
  std::vector<TableRowCells> cells;
  for (const TableRow& row : rows) {
    switch (row.kind) {
      case RowKind::Entry:
        cells.push_back(EntryRowCells(
            SessionEntryTexts(ranking.list()[row.index], row.index, ranking.penalties(),
                              ranking.penaltyCount(), international, points),
            columns));
        break;
      case RowKind::Penalty:
        cells.push_back(PenaltyRowCells(PenaltyLine(summary.records[row.index]), c.penaltyCodeX,
                                        c.penaltyNameX, descriptionX));
        break;
      default:
        cells.push_back({});
        break;
    }
  }
  return cells;
}

constexpr const char* kNoSexMessage = "Le sexe des pilotes n'a été sélectionné !";

}  // namespace

void PaintSessionRanking(HDC dc, const SessionRanking& ranking, int position) {
  const bool points = HasPoints(ranking);
  const RankingTable table = ranking.table();
  ScreenTableView view;
  view.title = ranking.title();
  view.table = ranking.filters().sex != kNoSex;
  view.subtitle = view.table ? ranking.screenSubtitle() : kNoSexMessage;
  view.entries = table.entryCount();
  view.position = position;
  const std::vector<TableRowCells> rows =
      view.table ? RowCells(ranking, table.shownRows(position), ScreenColumns(points))
                 : std::vector<TableRowCells>{};
  PaintRankingScreen(dc, ScreenLayout(points, ranking.international()), view, rows);
}

void PaintPracticeSessionRanking(HDC dc, const SessionRanking& ranking, int position) {
  PaintSessionRanking(dc, ranking, position);
}
void PaintQualifyingSessionRanking(HDC dc, const SessionRanking& ranking, int position) {
  PaintSessionRanking(dc, ranking, position);
}
void PaintRoundRanking(HDC dc, const SessionRanking& ranking, int position) {
  PaintSessionRanking(dc, ranking, position);
}

namespace {

ReportFrameTexts PaperTexts(const SessionRanking& ranking, const ReportInformation& information) {
  ReportFrameTexts texts;
  texts.title = ranking.title();
  texts.information = &information;
  texts.subtitle = ranking.paperSubtitle();
  return texts;
}

}  // namespace

ReportInformation SessionReportInformation(const SessionRanking& ranking) {
  // The engine has taken the international prefix off the event name already.
  ReportInformation information = MakeReportInformation(
      ranking.information(), ranking.raceName(), ReportEventLine::kEventAlone);
  information.international = ranking.international();
  return information;
}

void DrawSessionRankingPage(HDC dc, const SessionRanking& ranking,
                            const ReportInformation& information, int page) {
  const bool points = HasPoints(ranking);
  const RankingTable table = ranking.table();
  const std::vector<PrintPage> pages = table.pages();
  if (page < 1 || page > static_cast<int>(pages.size())) return;
  DrawRankingPrintPage(dc, PrintLayout(points, ranking.international()),
                       PaperTexts(ranking, information), pages[page - 1],
                       static_cast<int>(pages.size()),
                       RowCells(ranking, table.rows(), PrintColumns(points)));
}

bool PrintSessionRanking(HWND owner, const SessionRanking& ranking, const char* logoPath,
                         const char* savedDirectory) {
  const bool points = HasPoints(ranking);
  const ReportInformation information = SessionReportInformation(ranking);
  const RankingTable table = ranking.table();
  return PrintRankingTable(owner, logoPath, ranking.printJobName(),
                           PrintLayout(points, ranking.international()),
                           PaperTexts(ranking, information), table.pages(),
                           RowCells(ranking, table.rows(), PrintColumns(points)), savedDirectory);
}

}  // namespace zd
