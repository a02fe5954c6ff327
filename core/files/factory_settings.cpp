#include "files/factory_settings.h"

namespace zd {

namespace {

constexpr int32_t Rgb(int32_t red, int32_t green, int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

constexpr int32_t kWhite = Rgb(255, 255, 255);
constexpr int32_t kBlack = Rgb(0, 0, 0);
constexpr int32_t kDarkBlue = Rgb(31, 78, 156);

BoardFont Arial(int32_t height, int32_t weight) {
  BoardFont font;
  font.face = "Arial";
  font.height = height;  // negative: a character height, as the font chooser gives it
  font.weight = weight;
  return font;
}

}  // namespace

DisplaySettings FactoryDisplaySettings() {
  DisplaySettings s;
  s.style = kStyleAlternate;
  // "# Num", "Nom pilote", "Catégorie", "Club", "Tours", "Temps total", "Ecart leader",
  // "Ecart précédt", "Dernier tour", "Meilleur tour", "Transp.": 1020 of the 1400 units right of
  // the event tree.
  // "# Num" wider than its text threshold (40), or the car numbers would never show.
  s.widths = {50, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};
  s.fonts[0] = Arial(-24, 700);  // series title
  s.fonts[1] = Arial(-28, 700);  // radio conflict banner
  s.fonts[2] = Arial(-13, 700);  // column labels
  for (int column = 0; column < kBoardColumns; ++column) s.fonts[3 + column] = Arial(-16, 400);
  s.fonts[3 + 1].weight = 700;  // driver name
  s.fonts[3 + 4].weight = 700;  // laps
  s.fontColours.fill(kBlack);
  s.fontColours[0] = kWhite;
  s.fontColours[1] = kWhite;
  s.fontColours[2] = kWhite;
  s.colours = {
      Rgb(214, 222, 235),  // software background
      kWhite,              // tree view background
      Rgb(235, 240, 248),  // behind the table
      kDarkBlue,           // series title panel
      Rgb(200, 30, 30),    // radio conflict banner
      Rgb(255, 214, 0),    // a car that has just passed
      Rgb(190, 120, 255),  // best lap of the series
      Rgb(120, 215, 120),  // a driver's best lap
      kDarkBlue,           // column labels, from
      Rgb(74, 122, 196),   // to
      kWhite,              // result rows, one
      Rgb(226, 236, 250),  // and the other
      Rgb(150, 160, 180),  // grid lines
  };
  return s;
}

CustomColours FactoryCustomColours() {
  CustomColours custom;
  custom.fill(kWhite);
  return custom;
}

SoundSettings FactorySoundSettings() {
  SoundSettings s;
  s.lines[kSoundLanguage] = kSoundLanguageFrench;
  for (int line = 1; line < kSoundLines; ++line) s.lines[line] = kSoundSwitches[line].on;
  return s;
}

InterfaceSettings FactoryInterfaceSettings() {
  InterfaceSettings s;
  s.portName = "COM1";
  s.connected = 0;
  s.decoderKind = kInterfaceKind;
  return s;
}

}  // namespace zd
