#pragma once
// The manual lap buttons: ManualLapButton k (command 2300 + k) gives the car of slot k one lap by
// hand once the operator has confirmed it, for a car whose transponder was missed. In a running
// series the lap is timed by the PC's counter at the confirmation and obeys the track's minimum
// lap time as a decoder passing does: a lap too short is refused with the buzz, so that a click
// just after the car's own passing cannot make a lap of a few milliseconds. While a series that
// starts on the first car waits for it, the click starts the series and is that car's first
// passing. Otherwise a click does nothing.
//
// The timer keeps running while the question is open, so the state is looked at again after the
// answer: a series that stopped, started or finished the car meanwhile gets nothing.

#include <cstdint>
#include <string>
#include <string_view>

#include "main/race_commands.h"
#include "main/race_timer.h"

namespace zd {

inline constexpr int32_t kFirstManualLapCommand = 2301;  // button 1; button 50 is 2350
inline constexpr std::string_view kManualLapCaption = "Zentrik";

enum class ManualLap {
  None,          // the click does not apply
  Passing,       // a lap of a running series
  FirstPassing,  // the first car's passing, which starts the series
};

// What a click on the button of slotNumber (1 to 50) would do now. A series on a KV2/KV3 decoder
// is started by hand only once the decoder has accepted its clock reset: before that, the
// decoder's passings would be timed against an origin its clock does not share.
ManualLap ManualLapFor(const RaceControl& control, int slotNumber);

// "1 tour va être ajouté à la voiture/moto '# %s'- %s !\nVeuillez confirmer !" with the car
// number and the name of the slot.
std::string ManualLapQuestion(const SeriesResultEntry& slot);
// Why a manual lap is refused, with the minimum lap time in seconds: the question's last line
// when the lap clicked would be refused, and the status text when it is.
std::string ManualLapRefusal(int32_t lapProtectionTime);

// Whether the lap a click on the button of slotNumber would add now is no longer than the
// track's minimum lap time (a car's first passing never is).
bool ManualLapTooShort(const RaceControl& control, int slotNumber);

// The click: asks when it applies (Yes/No, question icon), saying when the lap would be refused,
// and, on Yes, adds the lap if the state still calls for what was asked. Returns what was done.
ManualLap ManualLapButtonClick(const RaceControl& control, SeriesControlSurface& surface,
                               int slotNumber);

// The lap itself, on Yes, when ManualLapFor still gives what was asked; false otherwise, and
// false when the lap is refused as too short.
bool AddManualLap(const RaceControl& control, int slotNumber, ManualLap asked);

}  // namespace zd
