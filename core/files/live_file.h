#pragma once
// The rows of the live ranking, the live results file "WebResults/Live.txt" through which the
// additional screen and the web site get them, and the web event information file
// "WebResults/CoordonneesWeb.txt".

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/race_file.h"
#include "files/time_format.h"

namespace zd {

inline constexpr int kLiveRows = 50;

// The numeric form of one line of the live ranking.
struct LiveRankingEntry {
  FixedText<40> name;
  FixedText<7> transponder;
  FixedText<15> club;
  FixedText<5> nationCode;
  FixedText<5> carNumber;
  FixedText<30> category;
  int32_t slotNumber = 0;  // 1 to 50; 0 in the rows beyond the ranked ones
  int32_t laps = 0;
  int32_t raceTime = 0;
  int32_t bestLap = 0;
  int32_t passings = 0;
  int32_t lastPassingTime = 0;  // race time at the last passing
  int32_t spareTime = 0;
  int32_t lastLapTime = 0;
  int32_t lapsBehindLeader = 0;
  int32_t timeBehindLeader = 0;
  int32_t lapsBehindPrevious = 0;
  int32_t timeBehindPrevious = 0;
  int32_t penaltyIndex = 0;
  int32_t finished = 0;
  int32_t passed = 0;
  int32_t newBest = 0;
  int32_t fastestLap = 0;
  SplitTime raceTimeParts;
  SplitTime lastLapParts;
  SplitTime bestLapParts;
  SplitTime behindLeaderParts;
  SplitTime behindPreviousParts;
  SplitTime lastPassingParts;
  SplitTime spareTimeParts;
};
using LiveRankingEntries = std::array<LiveRankingEntry, kLiveRows>;

// The text form of one line of the live ranking.
struct LiveRow {
  FixedText<40> name;
  FixedText<7> transponder;
  FixedText<15> club;
  FixedText<5> nationCode;
  FixedText<5> carNumber;
  FixedText<30> category;
  FixedText<3> position;
  FixedText<5> slotNumber;  // " %d "
  FixedText<7> laps;
  FixedText<20> totalTime;
  FixedText<20> lastLap;
  FixedText<20> bestLap;
  FixedText<20> gapToLeader;
  FixedText<20> gapToPrevious;
  FixedText<7> passings;
  FixedText<20> lastPassingTime;
  FixedText<20> spareTime;
  int32_t status = 0;  // the penalty index: 1 is the abandonment
  int32_t finished = 0;
  int32_t passed = 0;
  int32_t newBest = 0;
  int32_t fastestLap = 0;
};
using LiveRows = std::array<LiveRow, kLiveRows>;

// The three clock texts of a running series.
struct LiveClockTexts {
  FixedText<11> duration;   // "%d:%02d:00" for a series by time, "%d tours" for one in laps
  FixedText<10> elapsed;    // "%d:%02d:%02d"
  FixedText<10> remaining;  // empty for a series in laps
};

inline constexpr std::string_view kWebResultsFolder = "WebResults";
inline constexpr std::string_view kLiveFilePath = "WebResults/Live.txt";
inline constexpr std::string_view kWebEventInfoPath = "WebResults/CoordonneesWeb.txt";
inline constexpr std::string_view kLiveFileNotFound = "Error: live results source file not found.";
inline constexpr std::string_view kWebEventInfoNotWritten =
    "Error: File of the web event information not found";

// Writes the first rowCount rows (kept within 0 to 50) and the texts, creating the file's folder
// when it is missing. False, leaving any previous file as it was, when anything fails.
bool WriteLiveFile(std::string_view path, const LiveRows& rows, const LiveClockTexts& clock,
                   std::string_view seriesTitle, std::string_view videoLink, int32_t rowCount,
                   int32_t nationFlag);
// Reads the rows (at most 50), the clock, the title and the video link. What the file holds is
// stored only when it was read to its end; false when the file cannot be opened, ended early or
// held a malformed value. An empty file reads as nothing, successfully.
bool ReadLiveFile(std::string_view path, LiveRows& rows, LiveClockTexts& clock,
                  FixedText<80>& seriesTitle, FixedText<200>& videoLink, int32_t& rowCount,
                  int32_t& nationFlag);

// Whether and where the results are published on the web site.
struct WebEventInfo {
  int32_t connected = 0;  // the last connection test to the web site succeeded
  int32_t activated = 0;  // sending results to the web site is switched on
  FixedText<41> eventId;  // the event's folder on the web site; empty while there is none
  FixedText<20> championshipFolder;
  FixedText<200> videoLink;
};

// Creates "WebResults" when it is missing and rewrites the file; on failure the message to show.
Outcome WriteWebEventInfo(const WebEventInfo& info);
// Creates "WebResults" when it is missing and reads the file; each text is its whole line, kept
// within its field. When the file cannot be opened, info is left as it was and false returned.
bool ReadWebEventInfo(WebEventInfo& info);

}  // namespace zd
