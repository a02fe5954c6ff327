#pragma once
// The rules of the sound settings dialog ("SONS") and of the custom sounds dialog
// ("SONSPERSONNALISES"): which radio and boxes the file's keywords check, which keyword a click
// stores, and which slot of the custom sounds each group's list item names.
//
// A line changes only when its control is clicked, so a word the dialog does not know is written
// back as it was read.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "files/settings.h"

namespace zd {

inline constexpr std::string_view kSoundSettingsFileFailed = "Error: Sound settings file not found";
inline constexpr std::string_view kCustomSoundsFileFailed = "Error: Custom sounds file not found";

// The language radios in template order: "English", "Francais", "Sons personnalisés".
enum SoundLanguageChoice : int {
  kSoundChoiceEnglish = 0,
  kSoundChoiceFrench = 1,
  kSoundChoiceCustom = 2,
};
inline constexpr int kSoundLanguageChoices = 3;

// The radio that line 1 checks: the English or French keyword, else the custom sounds, whatever
// else the line holds (empty included).
SoundLanguageChoice CheckedSoundLanguage(const SoundSettings& settings);
// A language radio clicked: line 1 takes its keyword.
void ChooseSoundLanguage(SoundSettings& settings, SoundLanguageChoice choice);

// Lines 2 to 9 (SoundLine 1 to 8): a box is checked exactly when its line is the "oui" keyword,
// compared whole and case-sensitively.
bool SoundSwitchChecked(const SoundSettings& settings, int line);
// A box clicked: its line takes the keyword of the state the box is now in.
void SetSoundSwitch(SoundSettings& settings, int line, bool checked);
// "Ok": a line still empty (the file was missing or short) takes the keyword of what the dialog
// shows for it, the custom sounds or a box unchecked. The file is read word by word, so an empty
// line would hand the next line's keyword to its place.
void CompleteSoundSettings(SoundSettings& settings);

// The custom sounds dialog's groups, in template order, each with the slots its list shows.
struct CustomSoundGroupView {
  std::string_view caption;
  CustomSoundGroup slots;
};
inline constexpr int kCustomSoundGroupCount = 6;
inline constexpr std::array<CustomSoundGroupView, kCustomSoundGroupCount> kCustomSoundGroups = {{
    {"Course", kCustomSoundsRace},
    {"Fin de Course", kCustomSoundsRaceEnd},
    {"Compte à rebours", kCustomSoundsCountdown},
    {"Horloge de course", kCustomSoundsRaceClock},
    {"Repos entre séries", kCustomSoundsRest},
    {"Scan transpondeurs", kCustomSoundsScan},
}};

// The event each slot stands for, as its list item shows it: 133 texts in slot order.
const std::vector<std::string>& CustomSoundItemTexts();
// The list items of group g, in order.
std::vector<std::string_view> CustomSoundGroupItems(int group);
// The slot of item `item` of group g: first(g) + item; -1 outside the group.
int CustomSoundSlot(int group, int item);

}  // namespace zd
