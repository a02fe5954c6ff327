// An event opened from any race file, and its series loaded and saved back as the tree's
// selection makes them.

#include <memory>

#include "files/databases.h"
#include "main/event_file.h"
#include "main/event_tree.h"
#include "main/series_loading.h"
#include "fuzz_support.h"
#include "memory_event_tree.h"

namespace {

using namespace zd;

// Race 1's first series of each phase, the second practice series, and race 2's first.
constexpr int32_t kNodes[] = {13101, 13102, 14101, 15101, 23101};

struct Reference {
  DriverSummaryTable drivers{};
  CountryTable countries{};
  AgeCategoryTable ages{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;
  static const auto reference = std::make_unique<Reference>();
  fuzz::WriteInput(kRaceFilePath, data, size);

  EventState* event = &fuzz::Fresh<EventState>();
  ReadOpenedEvent(*event, {reference->drivers, reference->countries, reference->ages},
                  [](std::string_view) {});
  test::MemoryEventTree tree;
  BuildTreeFromRaceFile(tree, *event);

  LiveSeries* series = &fuzz::FreshLiveSeries();
  RaceState state;
  SoundSettings sounds;
  static const auto customSounds = std::make_unique<CustomSounds>();
  WebEventInfo web;
  fuzz::NullHooks hooks;
  fuzz::NullWindow window;
  fuzz::BytesPort port;
  RaceTimerState timer;
  PenaltySlotTable penaltySlots{};
  const RaceSettings settings{sounds, *customSounds, web, event->lapProtectionTime,
                              event->internationalEvent};
  const Race race{*series, state, settings, hooks};
  const RaceControl control{race, timer, kUsbDecoderKind, port, window};
  const SeriesDesk desk{control, *event, tree, window, penaltySlots, kTransponderPersonal};
  for (int32_t code : kNodes) {
    event->selectionCode = code;
    LoadSeries(desk, code, NormalisedNodeCode(code, 0), tree.find(code));
    SaveSeriesResults(desk);
  }
  return 0;
}
