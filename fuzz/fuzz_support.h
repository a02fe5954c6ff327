#pragma once
// What the fuzz targets share: a scratch data folder that each process works in, the input
// written there as a file (the readers take paths), and windows and hooks that do nothing.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "main/live_series.h"
#include "main/race_commands.h"
#include "main/race_hooks.h"
#include "main/race_timer.h"
#include "main/series_loading.h"

namespace zd::fuzz {

// A folder of its own for the process (in memory where the system offers it), with the
// subfolders of a data folder; removed when the process ends. The readers take paths relative to
// the data folder, so each input is run inside it; libFuzzer's own paths are relative to the
// folder it was started in, to which each run returns.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    path_ = std::string(base) + "/zdfuzzXXXXXX";
    if (::mkdtemp(path_.data()) == nullptr) std::abort();
    for (const char* sub : {"/Private", "/WebResults", "/Translation"})
      ::mkdir((path_ + sub).c_str(), 0777);
  }
  ~ScratchFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class InScratchFolder {
 public:
  InScratchFolder() : previous_(::open(".", O_RDONLY | O_DIRECTORY)) {
    static ScratchFolder folder;
    if (previous_ < 0 || ::chdir(folder.path().c_str()) != 0) std::abort();
  }
  ~InScratchFolder() {
    if (::fchdir(previous_) != 0) std::abort();
    ::close(previous_);
  }
  InScratchFolder(const InScratchFolder&) = delete;
  InScratchFolder& operator=(const InScratchFolder&) = delete;

 private:
  int previous_;
};

inline void WriteInput(const char* path, const uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path, "wb");
  if (f == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

// A fresh T for each input, copied over the one of the previous input: a large object made anew
// on every run would spend most of the run in page faults under the sanitizers' allocator.
template <typename T>
T& Fresh() {
  static const auto blank = std::make_unique<T>();
  static const auto work = std::make_unique<T>();
  *work = *blank;
  return *work;
}

// The same for the loaded series, which cannot be copied whole.
inline LiveSeries& FreshLiveSeries() {
  static const auto blank = std::make_unique<LiveSeries>();
  static const auto work = std::make_unique<LiveSeries>();
  LiveSeries& s = *work;
  const LiveSeries& b = *blank;
  *s.liveTable = *b.liveTable;
  *s.savedTable = *b.savedTable;
  s.rankingEntries = b.rankingEntries;
  s.rowCount = b.rowCount;
  s.rows = b.rows;
  s.shownRows = b.shownRows;
  s.loadedParticipants = b.loadedParticipants;
  s.arrangementNames = b.arrangementNames;
  s.practiceDriversPerSeries = b.practiceDriversPerSeries;
  s.qualifyingDriversPerSeries = b.qualifyingDriversPerSeries;
  s.qualifiedCount = b.qualifiedCount;
  s.loadedSeriesNode = b.loadedSeriesNode;
  s.seriesSectionTitle = b.seriesSectionTitle;
  s.seriesTitle = b.seriesTitle;
  s.texts = b.texts;
  s.seriesLoaded = b.seriesLoaded;
  s.startingListShown = b.startingListShown;
  s.startingListShownForScan = b.startingListShownForScan;
  s.seriesClearAllowed = b.seriesClearAllowed;
  s.seriesSaveNeeded = b.seriesSaveNeeded;
  s.seriesHasResults = b.seriesHasResults;
  s.radioConflict = b.radioConflict;
  s.roundCapacity = b.roundCapacity;
  s.roundSectionExists = b.roundSectionExists;
  s.lapSeriesTimeLimit = b.lapSeriesTimeLimit;
  s.parameters = b.parameters;
  s.clockTexts = b.clockTexts;
  return s;
}

// The fuzzer's verdict on a property of the code under test.
inline void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// A port whose reads hand out the given bytes, a chunk per read.
class BytesPort : public DecoderPortIo {
 public:
  void give(const uint8_t* bytes, std::size_t n) {
    data_ = bytes;
    left_ = n;
  }
  bool read(uint8_t* buffer, uint32_t max, uint32_t& count) override {
    count = static_cast<uint32_t>(left_ < max ? left_ : max);
    for (uint32_t i = 0; i < count; ++i) buffer[i] = data_[i];
    data_ += count;
    left_ -= count;
    return true;
  }
  bool write(const uint8_t*, uint32_t count, uint32_t& written) override {
    written = count;
    return true;
  }

 private:
  const uint8_t* data_ = nullptr;
  std::size_t left_ = 0;
};

class NullHooks : public RaceHooks {
 public:
  int64_t performanceCount() override { return tick; }
  int64_t performanceFrequency() override { return 1000; }
  int64_t tickCount() override { return tick; }
  void playSound(std::string_view) override {}
  void redrawChangedLiveCells() override {}
  bool writeLiveFile(const LiveRows&, const LiveClockTexts&, std::string_view, std::string_view,
                     int32_t, int32_t) override {
    return true;
  }
  void refreshLiveScreen(int32_t) override {}
  void uploadLiveFile() override {}
  void reportStatus(std::string_view) override {}
  void pressStopButton() override {
    if (onStop) onStop();
  }

  int64_t tick = 5000000;
  std::function<void()> onStop;
};

class NullWindow : public RaceWindow, public SeriesControlSurface, public SeriesWindow {
 public:
  void invalidatePanel(TimerPanel) override {}
  LocalDateTime localDateTime() override { return {14, 7, 2024, 15, 5}; }
  void superviseDecoderLink() override {}
  void runTransponderScanStep() override {}

  void enableMenuCommand(int32_t, bool) override {}
  void enableResultsEditSubmenu(bool) override {}
  void enableWindow(int32_t, bool) override {}
  bool askQuestion(std::string_view, std::string_view) override { return true; }
  void leaveResultsEditMode() override {}
  void removeClubTransponderBox() override {}
  void playSoundAndWait(std::string_view) override {}

  void showError(std::string_view, bool) override {}
  void leaveResultsEditing() override {}
  void enableResultsEditing(bool) override {}
  void setLapButtons(const LapButtons&) override {}
  void refreshBoard() override {}
  void reloadBoard() override {}
  void emptyBoard() override {}
};

}  // namespace zd::fuzz
