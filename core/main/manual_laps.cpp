#include "main/manual_laps.h"

#include <algorithm>
#include <cstdio>

namespace zd {

namespace {

int32_t Low32(int64_t t) { return static_cast<int32_t>(static_cast<uint32_t>(t)); }

bool IsSlotNumber(int slotNumber) { return slotNumber >= 1 && slotNumber <= kMaxSeriesSlots; }

// The slot's current lap if the PC's counter timed its passing now; its elapsed time and current
// lap are set.
void TimeManualPassing(const Race& race, SeriesResultEntry& slot) {
  const RaceState& state = race.state;
  slot.passingTick = race.hooks.performanceCount();
  InterfaceElapsed(slot.passingTick, state.pcStartCount, race.hooks.performanceFrequency(),
                   state.seriesTimeOrigin, slot.elapsedTime);
  slot.currentLap =
      Low32(int64_t{Low32(slot.elapsedTime)} - slot.startOffset - int64_t{slot.raceTime});
}

bool TooShort(const Race& race, const SeriesResultEntry& slot) {
  const bool firstPassing = slot.passingCount == 0 && slot.startOffset == 0 &&
                            slot.lapTimes[0] == 0 && slot.firstPassingTaken == 0;
  return !firstPassing && slot.currentLap <= int64_t{race.settings.lapProtectionTime} * 1000;
}

// The lap of a running series, timed by the PC's counter now, whatever times the other passings.
// False when it is too short for a lap.
bool AddPassing(const RaceControl& c, int slotIndex) {
  const Race& race = c.race;
  SeriesResultEntry& slot = (*race.series.liveTable)[slotIndex];
  TimeManualPassing(race, slot);
  if (TooShort(race, slot)) {
    const RaceSettings& settings = race.settings;
    if (settings.sounds.lines[kSoundPassing] == kSoundSwitches[kSoundPassing].on) {
      const std::string file =
          RaceSoundFile(RaceSound::Rejection, 0, settings.sounds, settings.customSounds);
      if (!file.empty()) race.hooks.playSound(file);
    }
    race.hooks.reportStatus(ManualLapRefusal(settings.lapProtectionTime));
    return false;
  }
  CountLap(race, slotIndex);
  return true;
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

std::string ManualLapRefusal(int32_t lapProtectionTime) {
  char text[120];
  std::snprintf(text, sizeof text,
                "Tour manuel refusé : moins de %d s depuis le dernier passage de la voiture/moto !",
                static_cast<int>(lapProtectionTime));
  return text;
}

bool ManualLapTooShort(const RaceControl& control, int slotNumber) {
  if (!IsSlotNumber(slotNumber)) return false;
  // Timed on a copy: asking changes nothing of the slot.
  SeriesResultEntry slot = (*control.race.series.liveTable)[slotNumber - 1];
  TimeManualPassing(control.race, slot);
  return TooShort(control.race, slot);
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
  std::string question = ManualLapQuestion((*control.race.series.liveTable)[slotNumber - 1]);
  if (asked == ManualLap::Passing && ManualLapTooShort(control, slotNumber)) {
    question += "\n" + ManualLapRefusal(control.race.settings.lapProtectionTime);
  }
  if (!surface.askQuestion(question, kManualLapCaption)) return ManualLap::None;
  return AddManualLap(control, slotNumber, asked) ? asked : ManualLap::None;
}

bool AddManualLap(const RaceControl& control, int slotNumber, ManualLap asked) {
  if (asked == ManualLap::None || ManualLapFor(control, slotNumber) != asked) return false;
  if (asked == ManualLap::Passing) return AddPassing(control, slotNumber - 1);
  AddFirstPassing(control, slotNumber - 1);
  return true;
}

}  // namespace zd
