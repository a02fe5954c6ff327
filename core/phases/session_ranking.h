#pragma once
// The ranking of one practice session, one qualifying session or one endurance round: the engine
// behind the three session ranking windows. It reads the race file once, penalises every result,
// and then rebuilds its list after each filter, mode or points change; the window shows the list,
// the rows and the pages it gives.
//
// Practice and qualifying rank the race's participants, each with the line of his name in the
// session's series; a round ranks the named lines of its section, each matched to the participant
// of his name. Practice gives no points.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/phase_sections.h"
#include "files/ranking.h"
#include "files/text_file.h"
#include "phases/ranking_filters.h"
#include "phases/ranking_table.h"
#include "phases/session_penalties.h"
#include "phases/session_reading.h"

namespace zd {

// Gives the points of a session ranked in mode with scale over all its count entries, after the
// double sort; the list must hold the session's whole field.
void RankSessionList(RankingList& list, int count, std::string_view rankingMode,
                     const PointsScale* scale);

// A number typed in a points edit of maxChars characters: its leading digits, 0 when it does not
// begin with one.
int32_t ReadPointsEdit(std::string_view text, int maxChars);

// The points edits of the qualifying and round windows: the first place, then the five gaps.
enum class PointsEdit { FirstPlace, Gap1To2, Gap2To3, Gap3To4, Gap4To5, GapAfter5 };
inline constexpr int kPointsEditCount = 6;
int PointsEditLimit(PointsEdit edit);  // characters: 3 for the first place, 2 for the gaps

class SessionRanking {
 public:
  explicit SessionRanking(RacePhase phase);
  ~SessionRanking();

  // Opening on the open race file (nullptr when it could not be opened: the ranking is empty and
  // the race file message comes first). Then the full list, sorted and given points.
  void open(TextFile* file);
  // Reads "Private/Course.race2".
  void open();
  // The message boxes that opening asks for (caption "Error"), in order.
  const std::vector<std::string>& messages() const { return context_.messages; }

  RacePhase phase() const { return phase_; }
  int32_t race() const { return context_.race; }
  int32_t session() const { return context_.session; }
  bool international() const { return context_.international; }
  const EventInformation& information() const { return context_.information; }
  std::string_view raceName() const { return context_.header.name.view(); }
  // Participants (practice, qualifying) or round drivers: the size of the field ranked.
  int32_t fieldCount() const { return fieldCount_; }

  // The filters, as the combos and boxes must show them after any change.
  const RankingFilters& filters() const { return filters_; }
  const std::vector<std::string>& categoryItems() const { return categoryItems_; }
  const std::vector<std::string>& ageItems() const { return ageItems_; }
  void clickSexBox(SexBox box, bool checked);
  void selectCategory(std::string_view item);
  void selectAge(std::string_view item);

  // Each of these clears the filters and ranks the whole field again.
  std::string_view rankingMode() const { return rankingMode_.view(); }
  void setRankingMode(std::string_view mode);
  const PointsScale& scale() const { return scale_; }
  std::string pointsEditText(PointsEdit edit) const;
  void pointsEditChanged(PointsEdit edit, std::string_view text);

  // The list shown.
  const RankingList& list() const { return *list_; }
  int shownCount() const { return shown_; }
  const PenaltySummary& summary() const { return *summary_; }
  const PenaltyTable& penalties() const { return *context_.penalties; }
  int penaltyCount() const { return context_.penaltyCount; }
  // The points column, when there are points and the leader has some.
  bool showsPoints() const;

  // The table and the printout.
  RankingTable table() const;
  std::string heading() const;  // the static above the filters
  std::string title() const;    // of the table, on screen and on paper
  std::string screenSubtitle() const;
  std::string paperSubtitle() const;
  const char* printJobName() const;

  // "OK": the phase's points section of the race, with the ranking mode and the points scale (six
  // 0 in practice). The body the section takes, and the write on the open race file.
  std::string pointsSectionTitle() const;
  Outcome writePointsSection(TextFile& file) const;
  Outcome writePointsSection() const;  // on "Private/Course.race2"
  // The refusal of "Envoyer" for a filtered view; nothing when the view can be sent.
  std::optional<std::string> sendRefusal() const;

 private:
  void fillWholeField();
  // grouped: full ties in the participant order regrouped by vehicle category, then by age
  // category code (the practice ranking as it opens); otherwise in participant order.
  void rankWholeField(bool grouped = false);
  void rebuildFiltered();
  void identityOf(int driver, RankingEntry& entry) const;
  void takeResult(int driver, RankingEntry& entry) const;
  int driverNamed(std::string_view name) const;
  void finishRebuild();

  RacePhase phase_;
  RaceContext context_;
  std::unique_ptr<DriverSessionTable> drivers_;  // a slot per participant, or the round's lines
  std::vector<SessionResult> results_;           // penalised, per driver
  int fieldCount_ = 0;
  FixedText<24> rankingMode_ = kRankByLapsAndTime;
  PointsScale scale_;
  RankingFilters filters_;
  std::vector<std::string> categoryItems_;
  std::vector<std::string> ageItems_;
  std::unique_ptr<RankingList> list_;
  int shown_ = 0;
  std::unique_ptr<PenaltySummary> summary_;
};

}  // namespace zd
