#pragma once
// The sections that each phase of a race (free practice, qualifying, endurance rounds) keeps in
// the race file: its series parameters, its arrangement of the drivers into series (the starting
// grid for the rounds), the settings of its session rankings and its final ranking order.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/participants.h"
#include "files/race_file.h"
#include "files/ranking.h"
#include "files/text_file.h"

namespace zd {

enum class RacePhase { Practice, Qualifying, Rounds };

// The keywords of the series parameters, stored as they are.
inline constexpr std::string_view kDurationByTime = "DUREESERIETemps";
inline constexpr std::string_view kDurationByLaps = "DUREESERIETours";
inline constexpr std::string_view kStartSoundSignal = "DEPARTSignalSonore";
inline constexpr std::string_view kStartSoundSignalBis = "DEPARTSignalSonoreBis";
inline constexpr std::string_view kStartFirstCar = "DEPARTPremiereVoiture";
inline constexpr std::string_view kStartStaggered = "DEPARTDecale";
inline constexpr std::string_view kEndTimeSoundSignal = "FINTEMPSSignalSonore";
inline constexpr std::string_view kEndTimeFinishLap = "FINTEMPSFinirTour";
inline constexpr std::string_view kEndTimeTwoMoreLaps = "FINTEMPSFaire2Tours";
inline constexpr std::string_view kEndLapsSoundSignal = "FINTOURSignalSonore";
inline constexpr std::string_view kEndLapsFinishLap = "FINTOURFinirTour";
inline constexpr std::string_view kEndLapsAllLaps = "FINTOURFaireTousLesTours";

// The name of an empty slot in every list of names of the race file.
inline constexpr std::string_view kEmptySlotName = "(NA)";

inline constexpr int kArrangementSlots = 250;
inline constexpr int kGridSlots = 200;
inline constexpr int kMaxDriversPerSeries = 50;

// The settings of every series of a phase; the defaults are those of a phase without the section.
struct SeriesParameters {
  FixedText<24> rankingMode = kRankByLapsAndTime;
  FixedText<17> durationKind = kDurationByTime;
  int32_t passingCapacity = kPracticePassingCapacity;
  int32_t duration = 1;   // minutes
  int32_t laps = 1;
  int32_t countdown = 5;  // seconds
  int32_t rest = 0;       // minutes between two series
  FixedText<23> startType = kStartSoundSignal;
  FixedText<22> endRuleByTime = kEndTimeFinishLap;
  FixedText<26> endRuleByLaps = kEndLapsFinishLap;
};

// A series by laps ends when its cars have run its laps, and every lap is a passing: a car holds
// at most the phase's passing capacity of them. The laps read from the phase parameters are
// bounded by it, so that such a series can still finish.
int32_t BoundSeriesLaps(int32_t laps, int32_t passingCapacity);
// The check that the phase parameters' dialog makes of the laps it is given: empty when they
// can be run, otherwise the text to show, which gives the limit.
std::string SeriesLapsProblem(int32_t laps, int32_t passingCapacity);

using ArrangementNames = std::array<FixedText<40>, kArrangementSlots>;
using ArrangementRecords = std::array<ParticipantRecord, kArrangementSlots>;
using GridNames = std::array<FixedText<40>, kGridSlots>;

// Practice and qualifying: series k is made of slots (k - 1) * n + 1 to k * n.
struct SeriesArrangement {
  int32_t driversPerSeries = kMaxDriversPerSeries;
  ArrangementNames names;
};

// The rounds: the drivers in grid order, the first qualifiedCount of them qualified.
struct StartingGrid {
  int32_t qualifiedCount = 0;
  GridNames names;
};

// The head of a final ranking section.
struct ClassementSettings {
  int32_t firstSession = 1;  // the range of sessions (rounds) combined
  int32_t lastSession = 1;
  int32_t bestCount = 0;  // best session results summed per driver
  FixedText<24> rankingMode = kRankByLapsAndTime;
};

std::string ParametersSectionTitle(int race, RacePhase phase);   // "DadevuDore%dEssaisParamètres"...
std::string ArrangementSectionTitle(int race, RacePhase phase);  // "DadevuDore%dRepartitionEssais"...
std::string PointsSectionTitle(int race, RacePhase phase);       // "DadevuDore%dEssaisPoints"...
std::string ClassementSectionTitle(int race, RacePhase phase);   // "DadevuDore%dEssaisClassement"...

// Whether the names fit their section of the race file: 250 (200) names of 39 characters take
// more than it holds.
bool SeriesArrangementFits(const SeriesArrangement& arrangement);
bool StartingGridFits(const StartingGrid& grid);

// Writers. Names bodies write "(NA)" for an empty name, so that no name line is ever empty.
Outcome WriteParametersSection(TextFile& file, std::string_view title,
                               const SeriesParameters& parameters);
Outcome WriteSeriesArrangementRecords(TextFile& file, std::string_view title,
                                      int32_t driversPerSeries, const ArrangementRecords& records);
Outcome WriteSeriesArrangementNames(TextFile& file, std::string_view title,
                                    const SeriesArrangement& arrangement);
Outcome WriteRoundArrangementRecords(TextFile& file, std::string_view title,
                                     int32_t qualifiedCount, const ParticipantTable& records);
Outcome WriteRoundArrangementNames(TextFile& file, std::string_view title,
                                   const StartingGrid& grid);
Outcome WritePointsSection(TextFile& file, std::string_view title, std::string_view rankingMode,
                           const PointsScale& scale);
// The names of the 200 entries in list order.
Outcome WriteClassementSection(TextFile& file, std::string_view title,
                               const ClassementSettings& settings, const RankingList& list);

// Readers, at the position FindSection left, into destinations the caller cleared or set to its
// defaults. A malformed number leaves its destination as it was, and a parameters or points line
// cut short leaves all of them; counts are kept within their tables (drivers per series 1 to 50,
// qualified drivers 0 to 50, sessions 1 to 9, passing capacity 1 to 3000). They return false when
// something was malformed or the file ended early.
bool ReadParametersSection(TextFile& file, SeriesParameters& parameters);
bool ReadSeriesArrangementRecords(TextFile& file, int32_t& driversPerSeries,
                                  ArrangementRecords& records);  // the names only
bool ReadSeriesArrangementNames(TextFile& file, SeriesArrangement& arrangement);
bool ReadRoundArrangementRecords(TextFile& file, int32_t& qualifiedCount,
                                 ParticipantTable& records);  // the names only
bool ReadRoundArrangementNames(TextFile& file, StartingGrid& grid);
bool ReadPointsSection(TextFile& file, FixedText<24>& rankingMode, PointsScale& scale);
// The 200 names into the name fields of the entries, in order.
bool ReadClassementSection(TextFile& file, ClassementSettings& settings, RankingList& list);

}  // namespace zd
