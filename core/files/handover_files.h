#pragma once
// The small files through which the main window hands a series over to the analysis dialogs,
// which share no memory with it. Each is rewritten whole on every hand-over, in the data folder.

#include <array>
#include <cstdint>
#include <string_view>

#include "files/fixed_text.h"
#include "files/series_sections.h"

namespace zd {

inline constexpr std::string_view kSeriesResultFile = "ResultatSerie.res";
inline constexpr std::string_view kDriverResultFile = "ResultatPilote.res";
inline constexpr std::string_view kSeriesCommentFile = "CommentaireSerie.res";

// The messages the main window shows when a hand-over fails (caption "Error").
inline constexpr std::string_view kSeriesResultFileFailed =
    "Error: File of the race detailed results not found";
inline constexpr std::string_view kDriverResultFileFailed =
    "Error: File of the driver's detailed results not found";
inline constexpr std::string_view kSeriesCommentFileFailed = "Error: File of the race comment not found";

using SeriesTitle = FixedText<80>;

// The writers return false, leaving any previous file as it was, when anything fails.

// The race time of each slot's passing 0, where its first lap starts.
using SeriesStartTimes = std::array<int32_t, kMaxSeriesSlots>;

// The ranking mode, then per slot the name, the passing count n and the race times at passings
// 0 to n: the analysis takes the first lap from passing 0, as the race control does.
bool WriteSeriesResultFile(const SeriesTable& table, std::string_view rankingMode);
// Clears the mode, the start times and, in every entry, the name, the passing count and the first
// 3000 values of the three per-passing arrays, then reads the file: passing 0 goes to the start
// times and the k-th passing time lands at index k - 1. False when the file cannot be opened
// (nothing changed), ended early or held a malformed value.
bool ReadSeriesResultFile(SeriesTable& table, FixedText<24>& rankingMode, SeriesStartTimes& starts);

// One car (index = slot - 1, 0 to 49): its name, n and the race times at passings 0 to n, then
// the series title, the track name and the run description.
bool WriteDriverResultFile(const SeriesTable& table, int index, std::string_view seriesTitle,
                           std::string_view trackName, std::string_view runDescription);
// Fills the entry's name, passing count and race times 0 to n, and the three texts.
bool ReadDriverResultFile(SeriesResultEntry& entry, SeriesTitle& seriesTitle,
                          FixedText<40>& trackName, RunDescription& runDescription);

bool WriteSeriesCommentFile(std::string_view trackCondition, std::string_view comment);
// Replaces both texts only when the file was read whole, so a failed read keeps what the caller
// had.
bool ReadSeriesCommentFile(TrackCondition& trackCondition, SeriesComment& comment);

}  // namespace zd
