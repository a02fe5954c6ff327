#pragma once
// The final ranking of a race's practice, qualifying or endurance rounds: the engine behind the
// three final ranking windows. Every session of the phase is read once from the race file and
// ranked with the session engine's rule (penalties, and in qualifying and the rounds the
// points); the final list then combines the sessions of the range F to L.
//
// Practice ranks the participants on their best session of the range (most laps, then the
// smaller race time) and their best lap. Qualifying and the rounds rank them on the sum of their
// N best session points, then the session points from the best down, then the final mode.
// The rounds rank the drivers named in the round sections, each with the identity of the
// participant of his name.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/phase_sections.h"
#include "files/ranking.h"
#include "files/text_file.h"
#include "phases/ranking_filters.h"
#include "phases/ranking_table.h"
#include "phases/session_reading.h"

namespace zd {

// The edits of the range: first and last session, and the number of best sessions summed.
enum class RangeEdit { First, Last, BestCount };

struct SessionRange {
  int32_t first = 1;
  int32_t last = 1;
  int32_t bestCount = 1;  // not used in practice
};

// An edit whose text the ranking rewrites after a change.
struct RangeRewrite {
  RangeEdit edit;
  std::string text;
};

// The parts of a published final ranking's names: "F", "M" or "MF"; the category; the age text
// without its first blank; the age code (the age text up to its '('). Characters a file name
// cannot hold become '_', and "Toutes" becomes "zToutes".
struct ArchiveNameParts {
  std::string sexCode;
  std::string category;
  std::string ageText;
  std::string ageCode;
};
std::string ArchiveNamePart(std::string_view text);
ArchiveNameParts FinalArchiveNameParts(const RankingFilters& filters);
// The name given to the site's script and the name of the uploaded file: they differ when an age
// category is chosen, as the site expects.
struct ArchiveNames {
  std::string request;
  std::string upload;
};
ArchiveNames FinalArchiveNames(RacePhase phase, const RankingFilters& filters);

// The nine sessions' tables of results: 9 x 200 buffers (about 22 MB), always on the heap.
using SessionTables = std::array<DriverSessionTable, kMaxSessions>;

class FinalRanking {
 public:
  explicit FinalRanking(RacePhase phase);
  ~FinalRanking();

  void open(TextFile* file);  // nullptr: the race file could not be opened
  void open();                // "Private/Course.race2"
  const std::vector<std::string>& messages() const { return context_.messages; }

  RacePhase phase() const { return phase_; }
  int32_t race() const { return context_.race; }
  bool international() const { return context_.international; }
  const EventInformation& information() const { return context_.information; }
  std::string_view raceName() const { return context_.header.name.view(); }
  // The sessions (rounds) in use, read from the file, 0 to 9.
  int32_t sessionCount() const { return sessionCount_; }
  // The drivers ranked: participants, or the drivers named in the round sections.
  int32_t fieldCount() const { return fieldCount_; }
  const RankingList& sessionList(int session) const { return (*sessionLists_)[session - 1]; }

  const SessionRange& range() const { return range_; }
  std::string rangeEditText(RangeEdit edit) const;
  // A typed value (one digit; 0 or nothing counts as 1 and is left as typed), settled against
  // the other edits. The rewrites are the edits whose value moved against another one; writing
  // them back changes nothing further.
  std::vector<RangeRewrite> rangeEdited(RangeEdit edit, std::string_view text);

  std::string_view rankingMode() const { return rankingMode_.view(); }
  void setRankingMode(std::string_view mode);

  const RankingFilters& filters() const { return filters_; }
  const std::vector<std::string>& categoryItems() const { return categoryItems_; }
  const std::vector<std::string>& ageItems() const { return ageItems_; }
  void clickSexBox(SexBox box, bool checked);
  void selectCategory(std::string_view item);
  void selectAge(std::string_view item);

  const RankingList& list() const { return *list_; }
  int shownCount() const { return shown_; }
  int abandonedDrivers() const { return abandoned_; }  // A
  int penalisedDrivers() const { return penalised_; }  // Pn
  // The points column and the session-points markers, when the leader has points.
  bool showsPoints() const;

  RankingTable table() const;
  std::string title() const;
  std::string subtitle() const;
  std::string abandonsTitle() const;
  std::string penaltiesTitle() const;
  // A block row's text: two blanks after the colon on screen, four on paper.
  std::string blockRowText(const TableRow& row, bool paper) const;
  // The session-points markers of an entry row: none, the best session's points, or also the
  // second best when the range holds more than one session.
  std::vector<std::string> markers(int entry) const;
  // The texts of an entry row: its position in the shown list, and the points when shown.
  EntryRowTexts entryTexts(int entry) const;
  // The printed subtitle: as on screen, but practice's with both filters set reads "essias".
  std::string paperSubtitle() const;
  const char* printJobName() const;

  // "OK": the phase's Classement section with the range, the best count (0 in practice), the
  // mode and the unfiltered order of the 200 entries, "(NA)" after the drivers.
  std::string classementSectionTitle() const;
  Outcome writeClassementSection(TextFile& file) const;
  Outcome writeClassementSection() const;
  ArchiveNames archiveNames() const { return FinalArchiveNames(phase_, filters_); }

 private:
  void readRounds(TextFile& file);
  void rankSessions();
  // The entry's laps and race time of its best session of the range, its best lap, its session
  // points from the best down and the sum of the best count of them.
  void combineSessionResults(RankingEntry& entry) const;
  // The sessions of the range the entry abandoned, and those it carried another penalty in.
  void countAbandonsAndPenalties(RankingEntry& entry) const;
  // The whole field, or those of it that pass the filters, combined and ordered.
  void rebuildFinalList(bool filtered);
  int32_t settle(RangeEdit edit, int32_t value);
  std::string rangeText() const;  // "séances Q1 à Q3", as the block titles name the range

  RacePhase phase_;
  RaceContext context_;
  std::unique_ptr<SessionTables> sessions_;
  std::array<int, kMaxSessions> sessionDrivers_{};  // the drivers of each session's table
  std::unique_ptr<std::array<RankingList, kMaxSessions>> sessionLists_;
  int32_t sessionCount_ = 0;
  int32_t fieldCount_ = 0;
  std::vector<FixedText<40>> roundDrivers_;  // the rounds' ranked drivers
  FixedText<24> sessionMode_ = kRankByLapsAndTime;
  PointsScale scale_;
  FixedText<24> rankingMode_ = kRankByLapsAndTime;
  SessionRange range_;
  RankingFilters filters_;
  std::vector<std::string> categoryItems_;
  std::vector<std::string> ageItems_;
  std::unique_ptr<RankingList> list_;
  int shown_ = 0;
  int abandoned_ = 0;
  int penalised_ = 0;
};

}  // namespace zd
