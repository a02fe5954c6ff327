#pragma once
// The arrangement of a race's drivers for a phase, as its dialog edits it: the practice and
// qualifying series (250 slots cut into series of N drivers) and the starting grid of the rounds
// (200 slots, the first QualifiedCount qualified). The three dialogs are one model; the phase says
// which slots, which locks and which section.
//
// Slots are numbered from 0. A slot named "(NA)" or nothing is empty; the others are drivers.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/text_file.h"
#include "phases/ranking_table.h"
#include "print/report_page.h"

namespace zd {

inline constexpr const char* kTooManySeries =
    "Le nombre de séries générées ne doit pas être supérieur à 9";
inline constexpr const char* kArrangementErrorCaption = "Erreur";
inline constexpr const char* kArrangementWarningCaption = "Attention";
inline constexpr const char* kPracticeStartedWarning =
    "Les essais libres ont commencé.\r\n - Les pilotes ne peuvent plus changer "
    "de série\r\n"
    " - Seul l'ordre des départs peut être modifé";
inline constexpr const char* kQualifyingStartedWarning =
    "Les qualifications ont commencé.\r\n - Les pilotes ne peuvent plus "
    "changer de série\r\n"
    " - Seul l'ordre des départs peut être modifé";
inline constexpr const char* kQualifyingFrozenWarning =
    "Les manches d'endurance ont commencé.\r\n - Les séries de qualifications "
    "sont bloquées";
inline constexpr const char* kGridLockedWarning =
    "Les manches d'endurance ont commencé.\r\n - Seul l'ordre des départs des "
    "pilotes déjà "
    "qualifiés peut être modifié";
inline constexpr const char* kExchangeSound = "sons/beep1.wav";
inline constexpr const char* kRefusalSound = "sons/buzz.wav";

// The table on screen: 20 rows of 20 pixels from y 110; arrows' hot spots 10 pixels square.
inline constexpr int kArrangementVisibleRows = 20;

// What a click on an arrow did: the sound to play (nullptr: none) and the warning to show.
struct ExchangeResult {
  bool exchanged = false;
  const char* sound = nullptr;
  const char* warning = nullptr;  // titled "Attention", warning icon
};

// The arrows between visible rows k and k + 1: the down arrow of row k and the up arrow of the
// next. Grey arrows mark a move that touches an eliminated driver of the grid.
struct ArrowPair {
  bool shown = false;
  bool downGrey = false;
  bool upGrey = false;
};

// The printout of a practice or qualifying arrangement: series per page, row height and the fonts
// of the first and last columns, by N.
struct ArrangementPrintLayout {
  int seriesPerPage = 1;
  int rowHeight = 20;
  int firstFont = 14;
  int secondFont = 12;
};
ArrangementPrintLayout ArrangementLayoutFor(int driversPerSeries);

// The printed grid: 30 rows a page, of which the qualified come first.
struct GridPrintPage {
  int firstSlot = 0;
  int rows = 0;
  int qualified = 0;
};

// The report's texts.
const char* ArrangementDocumentName(RacePhase phase);
const char* ArrangementReportTitle(RacePhase phase);

class ArrangementModel {
 public:
  explicit ArrangementModel(RacePhase phase);

  // Opening, from the open race file: the header, the event information, the participants and the
  // phase's section. Returns the messages to show (captioned "Error"), in order.
  std::vector<std::string> read(TextFile& file);

  RacePhase phase() const { return phase_; }
  bool grid() const { return phase_ == RacePhase::Rounds; }
  int race() const { return race_; }
  std::string_view raceName() const;
  const RaceHeaderRecord& header() const;
  const ReportInformation& reportInformation() const { return report_; }

  int slotCount() const { return grid() ? kGridSlots : kArrangementSlots; }
  const ParticipantRecord& slot(int index) const {
    return (*slots_)[static_cast<std::size_t>(index)];
  }
  static bool EmptySlot(const ParticipantRecord& slot);
  // Sets a slot's name; the other fields follow at the next refresh.
  void setSlotName(int index, std::string_view name);

  // N for the series, Q for the grid.
  int count() const { return count_; }
  int participantCount() const;
  // 1-based number of the last slot holding a driver, 0 when none does.
  int lastUsedSlot() const;
  // Series: S = (U - 1) / N + 1, 1 when no slot is used. The grid is one series.
  int seriesCount() const;
  // Rows of the table: N × S, or P for the grid.
  int rowCount() const;
  int seriesOf(int index) const { return grid() ? 0 : index / count_; }

  bool practiceStarted() const;
  bool qualifyingStarted() const;
  bool roundsStarted() const;
  // Which controls the locks leave: the count edit, the source button (the practice copy, the
  // qualifying order) and "Générer".
  bool countEditable() const;
  bool sourceAvailable() const { return sourceAvailable_; }
  bool generateEnabled() const;

  // The count edit's text changed: the count it takes, and the text to write back into the edit
  // when it is not kept as typed.
  std::optional<std::string> countChanged(std::string_view text);
  static constexpr int kCountEditLimit = 2;

  ScrollRange scrollRange() const;
  // Position p kept within the range.
  int boundScroll(int position) const;

  // The slot s of the pair s, s + 1 whose arrow the client point (x, y) hits with the table
  // scrolled to p; nothing when no arrow is there.
  std::optional<int> hitArrow(int x, int y, int p) const;
  ExchangeResult exchange(int s);
  // The arrows between visible rows k and k + 1 at scroll position p.
  ArrowPair arrowsAt(int p, int k) const;

  // Whether the slot's first frequency clashes: another driver of its series (of the qualified, in
  // the grid) on the same frequency, "2.4Ghz" and no frequency never clashing.
  bool clash(int index) const;

  // The source button: the practice arrangement into the qualifying one (N with it), or the final
  // qualifying order into the grid (Q kept). Nothing is read when the section is absent.
  void loadSource(TextFile& file);

  // "Générer": the series check (kTooManySeries) and then the header and the section.
  bool seriesCountAllowed() const;
  Outcome write(TextFile& file);

  // The printout.
  bool printable() const;
  int pageCount() const;
  ArrangementPrintLayout printLayout() const { return ArrangementLayoutFor(count_); }
  // Series of page (from 1): the first (0-based) and how many.
  int firstSeriesOnPage(int page) const;
  int seriesOnPage(int page) const;
  GridPrintPage gridPage(int page) const;

 private:
  void refresh();
  void storeSeriesCount();
  void boundQualified();

  RacePhase phase_;
  int race_ = 0;
  int32_t selectionCode_ = 0;
  int32_t raceCount_ = 1;
  RaceHeaderRecords records_;
  std::unique_ptr<ParticipantTable> participants_;
  std::unique_ptr<ArrangementRecords> slots_;
  int count_ = kMaxDriversPerSeries;
  bool sourceAvailable_ = false;
  EventInformation information_;
  ReportInformation report_;
};

// The same on the working race file: the messages of the opening, the outcome of the writing.
std::vector<std::string> LoadArrangement(ArrangementModel& model);
void LoadArrangementSource(ArrangementModel& model, std::vector<std::string>& messages);
Outcome SaveArrangement(ArrangementModel& model);

}  // namespace zd
