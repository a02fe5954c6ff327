#pragma once
// The archive files: what a publishing window shows, written into "WebResults/Archive.txt"
// before it is sent to the web site, which turns them into its archive pages. Each writer
// rewrites the whole file (CR LF on disk; the upload sends it with LF line ends) and returns false
// when it cannot. Counts and flags come first, one a line; then the header texts; then one line
// per record, every field followed by a TAB.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "files/databases.h"
#include "files/event_sections.h"
#include "files/participants.h"
#include "files/ranking.h"

namespace zd {

inline constexpr std::string_view kArchivePath = "WebResults/Archive.txt";

// The event's texts as the archives carry them.
struct ArchiveEventTexts {
  std::string championship;
  std::string eventName;  // without the international prefix
  std::string raceName;
  std::string place;
  std::string date;
  std::string raceDirector;
  std::string club;
  int32_t international = 0;  // 1 when the stored name carried the international prefix
};
ArchiveEventTexts MakeArchiveEventTexts(const EventInformation& info, std::string_view raceName);

// The participants list, in the table's order.
bool WriteParticipantsArchive(std::string_view path, std::span<const ParticipantRecord> participants,
                              const ArchiveEventTexts& event);

// A session ranking: its lines in ranking order, the summary of the penalties its drivers carry,
// and the event's penalty codes up to the first empty one.
struct SessionArchive {
  std::span<const RankingEntry> entries;
  std::span<const PenaltySummaryRecord> summary;
  const PenaltyTable* penalties = nullptr;
  std::string_view rankingKey;  // kRankByLapsAndTime or kRankByBestLap
};
bool WriteSessionArchive(std::string_view path, const SessionArchive& archive,
                         const ArchiveEventTexts& event);

// A final ranking with its filters as the window shows them ("Toutes" for all).
struct FinalRankingArchive {
  std::span<const RankingEntry> entries;
  int32_t sexFilter = 3;  // 0 women, 1 men, 3 both
  std::string_view categoryFilter;
  std::string_view ageFilter;
  std::string_view rankingKey;
  int32_t firstSession = 1;
  int32_t lastSession = 1;
  int32_t bestCount = 0;  // sessions counted; 0 in practice
};
// Lines 2 and 3 count the lines whose abandonment or penalty count is above 0.
bool WriteFinalRankingArchive(std::string_view path, const FinalRankingArchive& archive,
                              const ArchiveEventTexts& event);

}  // namespace zd
