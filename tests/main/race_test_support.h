#pragma once
// A loaded series driven from passings: hooks that record what the race control asked for, and a
// fixture that loads named cars into the slots and feeds them decoder passings.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main/live_ranking.h"
#include "main/live_series.h"
#include "main/passing.h"

namespace zd::test {

class RecordingHooks : public RaceHooks {
 public:
  int64_t performanceCount() override { return count; }
  int64_t performanceFrequency() override { return frequency; }
  int64_t tickCount() override { return tick; }
  void playSound(std::string_view file) override { sounds.emplace_back(file); }
  void redrawChangedLiveCells() override { ++redraws; }
  bool writeLiveFile(const LiveRows& rows, const LiveClockTexts&, std::string_view title,
                     std::string_view videoLink, int32_t rowCount, int32_t nationFlag) override {
    ++writes;
    writtenRows = rows;
    writtenTitle = title;
    writtenVideoLink = videoLink;
    writtenRowCount = rowCount;
    writtenNationFlag = nationFlag;
    return writeSucceeds;
  }
  void refreshLiveScreen(int32_t what) override { refreshes.push_back(what); }
  void uploadLiveFile() override { ++uploads; }
  void reportStatus(std::string_view text) override { statuses.emplace_back(text); }
  void pressStopButton() override {
    ++stops;
    if (onStop) onStop();
  }

  int64_t count = 0;
  int64_t frequency = 1000;
  int64_t tick = 0;
  std::vector<std::string> sounds;
  int redraws = 0;
  bool writeSucceeds = true;
  int writes = 0;
  LiveRows writtenRows;
  std::string writtenTitle;
  std::string writtenVideoLink;
  int32_t writtenRowCount = -1;
  int32_t writtenNationFlag = -1;
  std::vector<int32_t> refreshes;
  int uploads = 0;
  std::vector<std::string> statuses;
  int stops = 0;
  std::function<void()> onStop;
};

inline std::string TransponderOf(int slotNumber) {
  char text[12];
  std::snprintf(text, sizeof text, "%06d", 1000 + slotNumber);
  return text;
}

class RaceTest : public ::testing::Test {
 protected:
  RaceTest() {
    // What the stop sequence does to a running series that matters here: the run ends and every
    // car is finished.
    hooks.onStop = [this] {
      state.armed = 0;
      if (state.running == 0) return;
      state.running = 0;
      for (SeriesResultEntry& slot : table()) slot.finished = 1;
      for (LiveRankingEntry& e : series->rankingEntries) e.finished = 1;
      for (int i = 0; i < series->rowCount; ++i) series->rows[i].finished = 1;
    };
    sounds.lines[kSoundLanguage] = kSoundLanguageFrench;
    for (int line = 1; line < kSoundLines; ++line) sounds.lines[line] = kSoundSwitches[line].off;
  }

  LiveSeriesTable& table() { return *series->liveTable; }
  SeriesResultEntry& slot(int slotNumber) { return table()[slotNumber - 1]; }
  SeriesParameters& parameters() { return series->parameters; }
  void SoundOn(SoundLine line) { sounds.lines[line] = kSoundSwitches[line].on; }
  Race race() {
    const RaceSettings settings{sounds, *customSounds, webEventInfo, lapProtectionTime,
                                internationalEvent};
    return {*series, state, settings, hooks};
  }

  // Cars in slots 1 to names.size() ("(NA)" for an empty slot), the rest empty; transponders
  // from TransponderOf. The series is reset, collected and running.
  void Load(const std::vector<std::string>& names) {
    ClearSeriesResultEntries(table());
    for (int k = 1; k <= kMaxSeriesSlots; ++k) {
      const bool named = k <= static_cast<int>(names.size());
      slot(k).name = named ? names[k - 1] : std::string(kEmptySlotName);
      if (named) slot(k).transponder = TransponderOf(k);
    }
    ResetSeriesResultSlots(table());
    series->rowCount = CollectRankingEntries(series->rankingEntries, table());
    FillStartingRows(series->rows, series->rankingEntries, series->rowCount);
    ResetRaceValues(state);
    state.running = 1;
  }

  // A KV2 passing of slot k's transponder at ms of the decoder clock, read at once: the
  // performance counter, the series' own clock, is brought to the same moment.
  void Pass(int slotNumber, int32_t ms) {
    hooks.count = std::max(hooks.count, state.pcStartCount + int64_t{ms} * hooks.frequency / 1000);
    PassAtCounter(slotNumber, ms);
  }
  // The same, the counter left where it is.
  void PassAtCounter(int slotNumber, int32_t ms) {
    PassingTime time;
    time.link = DecoderLink::UsbDecoder;
    time.decoderTime = ms;
    HandlePassing(race(), TransponderOf(slotNumber), time);
  }

  std::unique_ptr<LiveSeries> series = std::make_unique<LiveSeries>();
  RaceState state;
  SoundSettings sounds;
  std::unique_ptr<CustomSounds> customSounds = std::make_unique<CustomSounds>();
  WebEventInfo webEventInfo;
  int32_t lapProtectionTime = 2;
  int32_t internationalEvent = 0;
  RecordingHooks hooks;
};

}  // namespace zd::test
