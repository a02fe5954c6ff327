#include "databases/participants_report.h"

namespace zd {

std::string ParticipantsReportTitle(int count) {
  return "LISTE DES PARTICIPANTS (" + std::to_string(count) + " inscrits)";
}

std::vector<int> ParticipantsReportSeparators() { return {80, 130, 260, 300, 400, 550}; }

std::vector<ReportColumn> ParticipantsReportColumns(bool international) {
  return {{70, true, "Id"},
          {120, true, "# Num"},
          {140, false, "Pilote"},
          {270, false, "Age"},
          {310, false, international ? "Nation" : "Club"},
          {410, false, "Voiture/Moto"},
          {560, false, "Catégorie"}};
}

ParticipantsReportRow ParticipantsReportRowOf(const ParticipantRecord& p, int index,
                                              bool international) {
  ParticipantsReportRow row;
  row.cells = {{70, true, 14, std::to_string(index + 1)},
               {120, true, 14, p.carNumber.str()},
               {140, false, 14, p.name.str()},
               {270, false, 14, p.ageCategoryCode.str()},
               {310, false, 14, international ? p.nationCode.str() : p.club.str()},
               {410, false, 12, p.vehicle.str()},
               {560, false, 14, p.vehicleCategory.str()}};
  if (international) row.flagCode = p.nationCode.str();
  return row;
}

}  // namespace zd
