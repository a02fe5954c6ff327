#pragma once
// The participants of one race as their dialog chooses them from the drivers database: each
// driver added becomes a participant filled from the reference tables, and every arrangement of
// the race follows the list (the drivers there when it opened in list order, those added at the
// end). The race file is written only when everything fits it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/text_file.h"
#include "print/report_page.h"

namespace zd {

inline constexpr const char* kParticipantsListFull =
    "Error: The list of participants is full for the race file. Remove a participant or "
    "shorten the names of the drivers.";
inline constexpr const char* kSelectedRaceNotFound =
    "Error: The selected race is not in the race file.";

// The reference tables that participants are filled from.
struct ParticipantSources {
  CountryTable countries;
  VehicleTable vehicles;
  AgeCategoryTable ageCategories;
  DriverSummaryTable drivers;
};
// Reads the country names and codes, the vehicles, the age categories and the drivers (births
// later than today read as 0). Returns the message of each file that could not be opened, in
// that order; its table stays empty.
std::vector<std::string> ReadParticipantSources(ParticipantSources& sources,
                                                int32_t todayMonthCount);
// The drivers' names in database order, up to the first empty one.
std::vector<std::string> DriverNames(const DriverSummaryTable& drivers);

enum class ParticipantAdd {
  Added,
  Unchanged,  // already a participant, or 200 of them already
  Full,       // the race file's sections would not hold the list: refused, kParticipantsListFull
};

class ParticipantsList {
 public:
  ParticipantsList();

  // Reads the header, the event information and the participants of the SelectionCode's race,
  // and sets every arrangement to the list's order.
  void read(TextFile& raceFile);
  // False when the SelectionCode names no race of the header: nothing can be edited or written.
  bool raceKnown() const { return race_ != 0; }
  int race() const { return race_; }
  std::string_view raceName() const;
  // Editing is over once a session or the rounds of the race have started.
  bool locked() const;
  int count() const { return count_; }
  const ParticipantTable& participants() const { return participants_; }
  const EventInformation& eventInformation() const { return information_; }
  // The information block of its printout: the event name without its prefix, " / ", the race.
  const ReportInformation& reportInformation() const { return report_; }
  const SeriesArrangement& practice() const { return practice_; }
  const SeriesArrangement& qualifying() const { return qualifying_; }
  const StartingGrid& grid() const { return grid_; }
  const RaceHeaderRecord& header() const;

  ParticipantAdd add(const DriverSummaryRecord& driver, const ParticipantSources& sources);
  // Removes every participant of this name; false when there is none.
  bool remove(std::string_view name);

  // The header (series and rounds counts of the race zeroed), the participants and the three
  // arrangements; nothing is written unless all of them fit.
  Outcome write(TextFile& raceFile);

 private:
  void rebuildArrangements();

  int32_t selectionCode_ = 0;
  int32_t raceCount_ = 1;
  RaceHeaderRecords records_{};
  int race_ = 0;
  int count_ = 0;
  ParticipantTable participants_{};
  EventInformation information_;
  ReportInformation report_;
  SeriesArrangement practice_;
  SeriesArrangement qualifying_;
  StartingGrid grid_;
};

// The list read from "Private/Course.race2"; on failure the message to show.
Outcome LoadParticipantsList(ParticipantsList& list);
Outcome SaveParticipantsList(ParticipantsList& list);

}  // namespace zd
