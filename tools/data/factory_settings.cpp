// Writes the settings files of a first start into a data folder, with the program's own writers
// and its factory values (files/factory_settings.h).
//
// Usage: zd_factory_settings <data folder>

#include <unistd.h>

#include <cstdio>

#include "files/factory_settings.h"
#include "files/settings.h"
#include "files/whole_file.h"
#include "web/site_settings.h"

int main(int argc, char** argv) {
  using namespace zd;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
    return 2;
  }
  // The core takes Windows-1252 paths relative to the data folder, as the program does.
  if (::chdir(argv[1]) != 0 || !MakeFolder("Private")) {
    std::fprintf(stderr, "%s: cannot use the folder %s\n", argv[0], argv[1]);
    return 1;
  }
  CustomSounds sounds;
  ClearCustomSounds(sounds);
  const bool written = WriteDisplaySettings(kDisplaySettingsFile, FactoryDisplaySettings(),
                                            FactoryCustomColours()) &&
                       WriteSoundSettings(kSoundSettingsFile, FactorySoundSettings()) &&
                       WriteCustomSounds(kCustomSoundsFile, sounds) &&
                       WriteInterfaceSettings(kInterfaceSettingsFile, FactoryInterfaceSettings()) &&
                       // No site: every probe fails at once until the user gives one.
                       WriteWebSite(kWebSiteFile, WebSite{});
  if (!written) {
    std::fprintf(stderr, "%s: a settings file could not be written\n", argv[0]);
    return 1;
  }
  return 0;
}
