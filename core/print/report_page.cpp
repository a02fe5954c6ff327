#include "print/report_page.h"

#include <cstdio>

#include "files/race_file.h"
#include "files/settings.h"

namespace zd {

int ReportPageCount(int rows, int rowsPerPage) {
  if (rows <= 0 || rowsPerPage <= 0) return 0;
  return (rows - 1) / rowsPerPage + 1;
}

int ReportRowsOnPage(int rows, int page, int rowsPerPage) {
  if (page < 1 || page > ReportPageCount(rows, rowsPerPage)) return 0;
  const int before = (page - 1) * rowsPerPage;
  return rows - before < rowsPerPage ? rows - before : rowsPerPage;
}

std::string ReportPageNumber(int page, int pageCount) {
  char text[32];
  std::snprintf(text, sizeof text, "Page %d /%d", page, pageCount);
  return text;
}

ReportInformation MakeReportInformation(const EventInformation& info, std::string_view raceName,
                                        ReportEventLine line) {
  ReportInformation r;
  r.championship = info.championship.str();
  r.international = IsInternationalEvent(info.eventName.view());
  r.eventLine = std::string(DisplayedEventName(info.eventName.view()));
  if (line == ReportEventLine::kEventAndRace) {
    r.eventLine += " / ";
    r.eventLine += raceName;
  }
  r.place = info.place.str();
  r.date = info.date.str();
  r.raceDirector = info.raceDirector.str();
  r.club = info.club.str();
  return r;
}

ReportInformation ReadReportInformation(TextFile& raceFile, std::string_view raceName,
                                        ReportEventLine line) {
  EventInformation info;
  if (!FindSection(raceFile, kInformationTitle) || !ReadInformationSection(raceFile, info))
    info = EventInformation();
  return MakeReportInformation(info, raceName, line);
}

bool ReadReportLogoPath(FixedText<260>& logoPath) {
  logoPath.clear();
  return ReadDisplaySettingsLogo(kDisplaySettingsFile, logoPath);
}

}  // namespace zd
