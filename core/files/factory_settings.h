#pragma once
// The settings of a first start: a live board that reads well on a 1600 x 900 screen, every sound
// on with the French voice, no custom sound chosen, and the decoder expected on COM1 (the start-up
// detection corrects it). They are installed with the program, and the main window falls back on
// the display settings when its file cannot be read, so that the board never draws with zero
// widths and colours.

#include "files/settings.h"

namespace zd {

DisplaySettings FactoryDisplaySettings();
CustomColours FactoryCustomColours();
SoundSettings FactorySoundSettings();
InterfaceSettings FactoryInterfaceSettings();

}  // namespace zd
