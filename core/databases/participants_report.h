#pragma once
// The printed list of a race's participants: its title, its columns and the texts of each row,
// 30 rows to a page on the common report page.

#include <string>
#include <vector>

#include "files/participants.h"
#include "print/report_page.h"

namespace zd {

inline constexpr const char* kParticipantsDocumentName = "LIST OF PILOTS : Printing...";

std::string ParticipantsReportTitle(int count);  // "LISTE DES PARTICIPANTS (%d inscrits)"
// The band's separators and headings; "Nation" instead of "Club" for an international event.
std::vector<int> ParticipantsReportSeparators();
std::vector<ReportColumn> ParticipantsReportColumns(bool international);

// One row's texts, in the columns' order, and the font height of each (the vehicle is smaller).
struct ParticipantsReportCell {
  int x = 0;
  bool rightAligned = false;
  int fontHeight = 14;
  std::string text;
};
struct ParticipantsReportRow {
  std::vector<ParticipantsReportCell> cells;
  std::string flagCode;  // an international event's nation: its flag is drawn at (350, row y)
};
// Row of participant index (from 0 over the whole list).
ParticipantsReportRow ParticipantsReportRowOf(const ParticipantRecord& participant, int index,
                                              bool international);
inline constexpr int kParticipantsFlagX = 350;

}  // namespace zd
