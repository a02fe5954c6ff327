#pragma once
// The race file: one header line in a reserved region, then titled sections. A section is found
// by walking the chain of sections from the header on, and is rewritten in place inside the region
// of fixed capacity that was reserved when it was first written, so sections never move and never
// shrink.
//
// Layout on disk:
//   the header region: 430 characters ("1\t" pairs with the header written over their start), CR LF
//   per section, in the order first written: CR LF, the title and a TAB, CR LF, the body region
// A body region is a filler of N pairs "1\t" and a line end (2N + 2 bytes), with the body written
// over its beginning. N follows from the title (for a round, from the capacity on the first line
// of its body), so the start of each section follows from the one before: bodies are never
// searched for titles, and a participant named like a section cannot be taken for it.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/text_file.h"

namespace zd {

// What a writer reports: on failure, the text of the message box (caption "Error") that the
// window showing it puts up.
struct Outcome {
  bool ok = true;
  std::string message;

  static Outcome Success() { return {}; }
  static Outcome Failure(std::string text) { return {false, std::move(text)}; }
  explicit operator bool() const { return ok; }
};

inline constexpr const char* kErrorCaption = "Error";
inline constexpr const char* kRaceFileNotFound = "Error : 'Race' file not found";
inline constexpr const char* kRaceFilePath = "Private/Course.race2";

inline constexpr int kMaxRaces = 3;
inline constexpr int kMaxSessions = 9;
inline constexpr int kMaxSeriesPerSession = 9;
inline constexpr int kMaxRounds = 9;
inline constexpr int kMaxParticipants = 200;
inline constexpr std::size_t kMaxTitleLength = 104;
inline constexpr int kHeaderReservation = 430;  // characters before the header's line end

// Pair counts of the section fillers, by section.
namespace filler {
inline constexpr int32_t kTreeview = 860;
inline constexpr int32_t kInformation = 95;
inline constexpr int32_t kTrack = 25;
inline constexpr int32_t kPenalties = 1101;
inline constexpr int32_t kParticipants = 19310;
inline constexpr int32_t kParameters = 70;
inline constexpr int32_t kSeriesArrangement = 5010;
inline constexpr int32_t kRoundArrangement = 4005;
inline constexpr int32_t kSeriesResults = 32206;
inline constexpr int32_t kPoints = 25;
inline constexpr int32_t kClassement = 4215;
inline constexpr int32_t RoundResults(int32_t passingCapacity) { return 225 * passingCapacity + 2359; }
}  // namespace filler

// Section titles.
inline constexpr std::string_view kTreeviewTitle = "DadevuDoreDrapeauxTreeview";
inline constexpr std::string_view kInformationTitle = "DadevuDoreInformation";
inline constexpr std::string_view kTrackTitle = "DadevuDorePiste";
inline constexpr std::string_view kPenaltiesTitle = "DadevuDorePenalites";
inline constexpr std::string_view kTitlePrefix = "DadevuDore";
std::string ParticipantsSectionTitle(int race);

// One race's record on the header line.
struct RaceHeaderRecord {
  FixedText<30> name;
  std::array<int32_t, kMaxSessions> practiceStates{};    // 1 when a series of the session was run
  std::array<int32_t, kMaxSessions> qualifyingStates{};
  int32_t roundsState = 0;
  int32_t participantCount = 0;     // 0 to 200
  int32_t practiceSessions = 0;     // -1: arrangement just generated, before any session
  int32_t practiceSeries = 0;       // series per session, 0 to 9
  int32_t qualifyingSessions = 0;
  int32_t qualifyingSeries = 0;
  int32_t rounds = 0;               // -1: starting grid just generated
};
using RaceHeaderRecords = std::array<RaceHeaderRecord, kMaxRaces>;

void ClearRaceHeaderRecords(RaceHeaderRecords& records);
// The records of a new event: race 1 named "COURSE 1", every integer 0.
RaceHeaderRecords NewEventRaceRecords();

// Rewrites the header over the start of the reserved region; the rest of the reservation stays.
// The race count is kept within 1 to 3. Refuses (file unchanged) a header longer than the region.
Outcome WriteRaceFileHeader(TextFile& file, int32_t selectionCode, int32_t raceCount,
                            const RaceHeaderRecords& records);
// Reads the header into records the caller cleared. The race count comes back within 1 to 3 and
// every count within its table; returns false when the header was malformed or cut short.
bool ReadRaceFileHeader(TextFile& file, int32_t& selectionCode, int32_t& raceCount,
                        RaceHeaderRecords& records);

// The pair count of the filler of the section with this title; kRoundFiller for a round section,
// whose count follows the capacity on its body's first line; nothing for a title no writer makes.
inline constexpr int32_t kRoundFiller = 0;
std::optional<int32_t> SectionFillerPairs(std::string_view title);

enum class SectionSearch {
  Found,
  Absent,   // the chain reaches the end of the file without it
  Damaged,  // the chain breaks before it: the file is not as the writers lay it out
};
struct SectionPlace {
  SectionSearch result = SectionSearch::Absent;
  int64_t body = 0;  // disk offset of the body, when found
};
// Walks the chain of sections from the header for title. Reads each section's empty line and
// title line (and a round's first line) only, never a body. The file position is left alone.
SectionPlace LocateSection(TextFile& file, std::string_view title);

// The places of every section of the file, from one walk of the chain: a reader of many sections
// finds each without walking the chain again. A break of the chain ends the index there (the
// sections behind it are absent, as for LocateSection).
struct SectionIndex {
  std::map<std::string, int64_t, std::less<>> bodies;  // title to the disk offset of its body
  bool damaged = false;

  std::optional<int64_t> find(std::string_view title) const;
  // When the section is there, puts the file at the first byte of its body.
  bool seek(TextFile& file, std::string_view title) const;
};
SectionIndex IndexSections(TextFile& file);

// When found, returns true with the file standing at the first byte of the section's body;
// otherwise (absent or behind a break of the chain) the file stands at its end.
bool FindSection(TextFile& file, std::string_view title);
// The same, giving the disk offset of the body.
std::optional<int64_t> FindSectionBody(TextFile& file, std::string_view title);

// The rewrite that every section writer performs: the body (in "\n" form) replaces the old one
// inside the section's region of fillerPairs pairs, or the section is appended at the end of the
// file. A body that would not fit the region is refused and the file is left as it was, as is a
// file whose chain breaks before the section (reported damaged with the section's title);
// notFoundMessage is the writer's own message for a section that could not be written.
Outcome RewriteSection(TextFile& file, std::string_view title, int32_t fillerPairs,
                       std::string_view body, std::string_view notFoundMessage);

// Creates the content of a new race file in a file just opened with OpenMode::Create: the header
// of a new event and the tree flags section with every flag 0.
Outcome InitialiseRaceFile(TextFile& file);

}  // namespace zd
