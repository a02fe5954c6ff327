#include "main/results_edit.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "files/handover_files.h"
#include "main/race_commands.h"

namespace zd {

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

constexpr ResultEditorField kEditors[kResultEditors] = {
    {9201, 4, EditedValue::Laps, TimePart::Whole},
    {9202, 5, EditedValue::RaceTime, TimePart::Hours},
    {9203, 5, EditedValue::RaceTime, TimePart::Minutes},
    {9204, 5, EditedValue::RaceTime, TimePart::Seconds},
    {9205, 5, EditedValue::RaceTime, TimePart::Milliseconds},
    {9206, 8, EditedValue::LastLap, TimePart::Hours},
    {9207, 8, EditedValue::LastLap, TimePart::Minutes},
    {9208, 8, EditedValue::LastLap, TimePart::Seconds},
    {9209, 8, EditedValue::LastLap, TimePart::Milliseconds},
    {9210, 9, EditedValue::BestLap, TimePart::Hours},
    {9211, 9, EditedValue::BestLap, TimePart::Minutes},
    {9212, 9, EditedValue::BestLap, TimePart::Seconds},
    {9213, 9, EditedValue::BestLap, TimePart::Milliseconds},
};

SplitTime& PartsOf(LiveRankingEntry& row, EditedValue value) {
  switch (value) {
    case EditedValue::LastLap:
      return row.lastLapParts;
    case EditedValue::BestLap:
      return row.bestLapParts;
    default:
      return row.raceTimeParts;
  }
}

int32_t& PartOf(SplitTime& time, TimePart part) {
  switch (part) {
    case TimePart::Hours:
      return time.hours;
    case TimePart::Minutes:
      return time.minutes;
    case TimePart::Seconds:
      return time.seconds;
    default:
      return time.milliseconds;
  }
}

int32_t& FieldOf(LiveRankingEntry& row, const ResultEditorField& editor) {
  if (editor.value == EditedValue::Laps) return row.laps;
  return PartOf(PartsOf(row, editor.value), editor.part);
}

int32_t& TimeOf(LiveRankingEntry& row, EditedValue value) {
  switch (value) {
    case EditedValue::LastLap:
      return row.lastLapTime;
    case EditedValue::BestLap:
      return row.bestLap;
    default:
      return row.raceTime;
  }
}

// Hours beyond any bound (a series of no phase) must not wrap the time round.
int32_t JoinTime(const SplitTime& t) {
  const int64_t ms = int64_t{t.hours} * 3600000 + int64_t{t.minutes} * 60000 +
                     int64_t{t.seconds} * 1000 + t.milliseconds;
  return static_cast<int32_t>(std::min<int64_t>(ms, kMaxInt));
}

void WriteIntoSlot(SeriesResultEntry& slot, EditedValue value, int32_t v) {
  switch (value) {
    case EditedValue::Laps:
      slot.laps = v;
      break;
    case EditedValue::RaceTime:
      slot.raceTime = v;
      break;
    case EditedValue::BestLap:
      slot.bestLap = v;
      break;
    case EditedValue::LastLap:
      if (slot.passingCount >= 0 && slot.passingCount < kPassingSlots) {
        slot.lapTimes[slot.passingCount] = v;
      }
      break;
  }
}

std::string Printed(const char* format, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

const char* FormatOf(TimePart part) {
  switch (part) {
    case TimePart::Minutes:
    case TimePart::Seconds:
      return "%02d";
    case TimePart::Milliseconds:
      return "%03d";
    default:
      return "%d";
  }
}

}  // namespace

std::optional<ResultEditorField> ResultEditorOf(int32_t id) {
  if (id < kFirstResultEditor || id > kLastResultEditor) return std::nullopt;
  return kEditors[id - kFirstResultEditor];
}

int32_t EditorTextLimit(int32_t id, std::optional<RacePhase> phase) {
  const std::optional<ResultEditorField> editor = ResultEditorOf(id);
  if (!editor) return 0;
  switch (editor->part) {
    case TimePart::Whole:
      if (!phase) return 0;
      return *phase == RacePhase::Rounds ? 4 : 3;
    case TimePart::Hours:
      if (!phase) return 0;
      return *phase == RacePhase::Rounds ? 2 : 1;
    case TimePart::Minutes:
    case TimePart::Seconds:
      return 2;
    case TimePart::Milliseconds:
      return 3;
  }
  return 0;
}

std::optional<int32_t> EditorUpperBound(int32_t id, std::optional<RacePhase> phase) {
  const std::optional<ResultEditorField> editor = ResultEditorOf(id);
  if (!editor) return std::nullopt;
  switch (editor->part) {
    case TimePart::Hours:
      if (!phase) return std::nullopt;
      return *phase == RacePhase::Rounds ? 24 : 2;
    case TimePart::Minutes:
    case TimePart::Seconds:
      return 59;
    default:
      return std::nullopt;
  }
}

int32_t ReadEditorNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), kMaxInt);
  }
  return static_cast<int32_t>(value);
}

std::vector<ResultEditorPlacement> ResultEditorPlacements(const BoardLayout& layout,
                                                          int32_t rowHeight, int32_t screenRow,
                                                          int column, const LiveRankingEntry& row) {
  std::vector<ResultEditorPlacement> editors;
  if (column < 0 || column >= kBoardColumns) return editors;
  const ScreenScale& scale = layout.scale;
  const auto pixels = [&](int32_t units) { return units * scale.width / kDesignWidth; };
  const int32_t L = scale.X(60);
  const int32_t S = layout.edges[column] - 60;
  const int32_t w = layout.edges[column + 1] - layout.edges[column];
  const int32_t top = layout.RowTop(screenRow, rowHeight) + 2;
  const int32_t height = scale.Y(rowHeight - 4);

  LiveRankingEntry values = row;
  for (const ResultEditorField& e : kEditors) {
    if (e.column != column) continue;
    ResultEditorPlacement p;
    p.id = e.id;
    p.top = top;
    p.height = height;
    switch (e.part) {
      case TimePart::Whole:
        p.left = L + pixels(S + 2);
        p.width = pixels(w - 4);
        break;
      case TimePart::Hours:
        p.left = L + pixels(S + 2);
        p.width = pixels(2 * w / 9 - 1);
        break;
      case TimePart::Minutes:
        p.left = L + pixels(S + 2 * w / 9 + 1);
        p.width = pixels(2 * w / 9 - 1);
        break;
      case TimePart::Seconds:
        p.left = L + pixels(S + 4 * w / 9);
        p.width = pixels(2 * w / 9 - 1);
        break;
      case TimePart::Milliseconds:
        p.left = L + pixels(S + 6 * w / 9 - 1);
        p.width = pixels(w / 3 - 1);
        break;
    }
    p.text = Printed(FormatOf(e.part), FieldOf(values, e));
    editors.push_back(std::move(p));
  }
  return editors;
}

EditorChange ApplyEditorText(LiveSeries& series, int32_t editRow, int32_t id,
                             std::string_view text) {
  EditorChange change;
  const std::optional<ResultEditorField> editor = ResultEditorOf(id);
  if (!editor || editRow < 0 || editRow >= kLiveRows) return change;
  LiveRankingEntry& row = series.rankingEntries[editRow];

  int32_t& field = FieldOf(row, *editor);
  field = ReadEditorNumber(text);
  const std::optional<int32_t> bound = EditorUpperBound(id, LoadedSeriesPhase(series));
  if (bound && field > *bound) {
    field = *bound;
    change.clampedText = Printed("%d", *bound);
  }
  int32_t value = field;
  if (editor->value != EditedValue::Laps) {
    value = JoinTime(PartsOf(row, editor->value));
    TimeOf(row, editor->value) = value;
  }
  change.stored = value;

  for (int i = 0; i < kMaxSeriesSlots; ++i) {
    if ((*series.liveTable)[i].name != row.name) continue;
    WriteIntoSlot((*series.liveTable)[i], editor->value, value);
    WriteIntoSlot((*series.savedTable)[i], editor->value, value);
  }
  series.startingListShown = 0;
  series.startingListShownForScan = 0;
  return change;
}

void SwitchResultsEditOn(const CommandDesk& desk) {
  if (desk.editing.resultsEditMode != 0) return;
  desk.editing.clubAssignmentArmed = 0;
  desk.window.closeResultEditors();
  desk.window.closeClubTransponderBox();
  desk.editing.resultsEditMode = 1;
  desk.window.redrawChangedLiveCells(desk.window.firstShownRow());
}

void SwitchResultsEditOff(const CommandDesk& desk) {
  desk.editing.resultsEditMode = 0;
  desk.window.closeResultEditors();
  RecomputeLoadedSeries(desk.series.control);
  // The cells that the closed editors covered are drawn again, changed or not.
  desk.window.redrawChangedLiveCells(desk.window.firstShownRow());
}

void CreateResultEditors(const CommandDesk& desk, const BoardLayout& layout, int32_t rowHeight,
                         int32_t screenRow, int column) {
  const int32_t editRow = screenRow + desk.window.firstShownRow();
  if (editRow < 0 || editRow >= kLiveRows) return;
  desk.editing.editRow = editRow;
  LiveSeries& series = desk.series.control.race.series;
  const LiveRankingEntry& row = series.rankingEntries[editRow];
  if (row.penaltyIndex != 0) {
    desk.window.showMessage(kPenalisedNotEditable, kPenalisedNotEditableCaption, MessageIcon::None);
    return;
  }
  desk.window.playSound(kEditorsOpenSound);
  const std::vector<ResultEditorPlacement> editors =
      ResultEditorPlacements(layout, rowHeight, screenRow, column, row);
  desk.window.createResultEditors(editors);
}

void ShowSeriesResults(const CommandDesk& desk) {
  LeaveBoardEditing(desk);
  const LiveSeries& series = desk.series.control.race.series;
  if (!WriteSeriesResultFile(*series.liveTable, series.parameters.rankingMode)) {
    desk.window.showMessage(kSeriesResultFileFailed, kErrorCaption, MessageIcon::Error);
  }
  desk.window.openDialog(MainDialog::SeriesResults);
}

void EditSeriesComment(const CommandDesk& desk) {
  LeaveBoardEditing(desk);
  SeriesTexts& texts = desk.series.control.race.series.texts;
  if (!WriteSeriesCommentFile(texts.trackCondition, texts.comment)) {
    desk.window.showMessage(kSeriesCommentFileFailed, kErrorCaption, MessageIcon::None);
  }
  desk.window.openDialog(MainDialog::SeriesComment);
  // The reader replaces both texts only once the whole file is read: a comment that cannot be
  // read back leaves the one the series had, which the next save would otherwise wipe.
  if (!ReadSeriesCommentFile(texts.trackCondition, texts.comment)) {
    desk.window.showMessage(kSeriesCommentFileFailed, kErrorCaption, MessageIcon::None);
  }
}

}  // namespace zd
