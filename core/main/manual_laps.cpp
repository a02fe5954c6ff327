#include "main/manual_laps.h"

#include <algorithm>
#include <cstdio>

namespace zd {

namespace {

int32_t Low32(int64_t t) { return static_cast<int32_t>(static_cast<uint32_t>(t)); }

bool IsSlotNumber(int slotNumber) { return slotNumber >= 1 && slotNumber <= kMaxSeriesSlots; }

// The lap of a running series, timed by the PC's counter now, whatever times the other passings.
void AddPassing(const RaceControl& c, int slotIndex) {
  const Race& race = c.race;
  RaceState& state = race.state;
  SeriesResultEntry& slot = (*race.series.liveTable)[slotIndex];
  slot.passingTick = race.hooks.performanceCount();
  InterfaceElapsed(slot.passingTick, state.pcStartCount, race.hooks.performanceFrequency(),
                   state.seriesTimeOrigin, slot.elapsedTime);
  slot.currentLap =
      Low32(int64_t{Low32(slot.elapsedTime)} - slot.startOffset - int64_t{slot.raceTime});
  CountLap(race, slotIndex);
}

// The first car's passing given by hand: the series starts now and its time origin is this
// moment, on the counter that the clock reset started.
void AddFirstPassing(const RaceControl& c, int slotIndex) {
  const Race& race = c.race;
  RaceState& state = race.state;
  const int64_t count = race.hooks.performanceCount();
  StartRaceOnFirstPassing(race);
  const RaceSettings& settings = race.settings;
  if (settings.sounds.lines[kSoundStart] == kSoundSwitches[kSoundStart].on) {
    const std::string file =
        RaceSoundFile(RaceSound::Start, 0, settings.sounds, settings.customSounds);
    if (!file.empty()) race.hooks.playSound(file);
  }
  SeriesResultEntry& slot = (*race.series.liveTable)[slotIndex];
  slot.passingTick = count;
  const int64_t frequency = race.hooks.performanceFrequency();
  if (frequency != 0) {
    state.seriesTimeOrigin = CounterMilliseconds(count - state.pcStartCount, frequency);
    state.seriesTimeOriginSet = true;
    slot.elapsedTime = 0;
  }
  const int32_t last = std::clamp(slot.passingCount, 0, kMaxPassings);
  slot.currentLap = Low32(slot.elapsedTime - slot.passingTimes[last]);
  CountFirstCarLap(race, slotIndex);
}

}  // namespace

ManualLap ManualLapFor(const RaceControl& control, int slotNumber) {
  if (!IsSlotNumber(slotNumber)) return ManualLap::None;
  const LiveSeries& series = control.race.series;
  const SeriesResultEntry& slot = (*series.liveTable)[slotNumber - 1];
  const RaceState& state = control.race.state;
  if (state.running == 1) return slot.finished == 0 ? ManualLap::Passing : ManualLap::None;
  if (state.armed != 1 || control.timer.countdown.remainingSeconds > 0) return ManualLap::None;
  if (series.parameters.startType != kStartFirstCar || IsEmptySlot(slot)) return ManualLap::None;
  if (IsDecoder(DecoderLinkOf(control.decoderKind)) && control.timer.resetAccepted != 1) {
    return ManualLap::None;
  }
  return ManualLap::FirstPassing;
}

std::string ManualLapQuestion(const SeriesResultEntry& slot) {
  char text[160];
  std::snprintf(text, sizeof text,
                "1 tour va être ajouté à la voiture/moto '# %s'- %s !\nVeuillez confirmer !",
                slot.carNumber.c_str(), slot.name.c_str());
  return text;
}

ManualLap ManualLapButtonClick(const RaceControl& control, SeriesControlSurface& surface,
                               int slotNumber) {
  const ManualLap asked = ManualLapFor(control, slotNumber);
  if (asked == ManualLap::None) return ManualLap::None;
  const std::string question = ManualLapQuestion((*control.race.series.liveTable)[slotNumber - 1]);
  if (!surface.askQuestion(question, kManualLapCaption)) return ManualLap::None;
  return AddManualLap(control, slotNumber, asked) ? asked : ManualLap::None;
}

bool AddManualLap(const RaceControl& control, int slotNumber, ManualLap asked) {
  if (asked == ManualLap::None || ManualLapFor(control, slotNumber) != asked) return false;
  if (asked == ManualLap::Passing) {
    AddPassing(control, slotNumber - 1);
  } else {
    AddFirstPassing(control, slotNumber - 1);
  }
  return true;
}

}  // namespace zd
