#include "live/sound_settings_form.h"

#include <cstdio>

namespace zd {

namespace {

constexpr std::array<std::string_view, kSoundLanguageChoices> kLanguageKeywords = {
    kSoundLanguageEnglish, kSoundLanguageFrench, kSoundLanguageCustom};

bool IsSwitchLine(int line) { return line >= kSoundCountdown && line < kSoundLines; }

void AddNumbered(std::vector<std::string>& texts, const char* format, int count) {
  for (int n = 1; n <= count; ++n) {
    char text[32] = {};
    std::snprintf(text, sizeof text, format, n);
    texts.emplace_back(text);
  }
}

std::vector<std::string> MakeItemTexts() {
  std::vector<std::string> texts = {"Départ", "Passages", "Meilleur tour", "Tour rejeté",
                                    "Arrivée dans 2 tours", "Course terminée"};
  AddNumbered(texts, "Fin de course n°%d", 50);
  for (const char* t :
       {"60 minutes avant départ", "30 minutes avant départ", "15 minutes avant départ",
        "  5 minutes avant départ", "  2 minutes avant départ", "  1 minute avant départ",
        "30 secondes avant départ", "10 secondes avant départ", "cinq", "quatre", "trois", "deux",
        "un", "mi-course", "Reste 5 minutes", "Reste 1 minute", "Temps écoulé",
        "60 minutes avant série", "30 minutes avant série", "15 minutes avant série",
        "  5 minutes avant série", "  2 minutes avant série", "  1 minute avant série",
        "  Repos écoulé", "Début scan", "Fin scan", "Erreur scan"}) {
    texts.emplace_back(t);
  }
  AddNumbered(texts, "Scan n°%d", 50);
  return texts;
}

}  // namespace

SoundLanguageChoice CheckedSoundLanguage(const SoundSettings& settings) {
  const std::string_view line = settings.lines[kSoundLanguage].view();
  if (line == kSoundLanguageEnglish) return kSoundChoiceEnglish;
  if (line == kSoundLanguageFrench) return kSoundChoiceFrench;
  return kSoundChoiceCustom;
}

void ChooseSoundLanguage(SoundSettings& settings, SoundLanguageChoice choice) {
  settings.lines[kSoundLanguage].clear();
  settings.lines[kSoundLanguage].assign(kLanguageKeywords[static_cast<std::size_t>(choice)]);
}

bool SoundSwitchChecked(const SoundSettings& settings, int line) {
  return IsSwitchLine(line) && settings.lines[static_cast<std::size_t>(line)].view() ==
                                   kSoundSwitches[static_cast<std::size_t>(line)].on;
}

void SetSoundSwitch(SoundSettings& settings, int line, bool checked) {
  if (!IsSwitchLine(line)) return;
  const SoundSwitchKeywords& keywords = kSoundSwitches[static_cast<std::size_t>(line)];
  FixedText<21>& text = settings.lines[static_cast<std::size_t>(line)];
  text.clear();
  text.assign(checked ? keywords.on : keywords.off);
}

void CompleteSoundSettings(SoundSettings& settings) {
  if (settings.lines[kSoundLanguage].empty()) ChooseSoundLanguage(settings, kSoundChoiceCustom);
  for (int line = kSoundCountdown; line < kSoundLines; ++line) {
    const bool empty = settings.lines[static_cast<std::size_t>(line)].empty();
    if (empty) SetSoundSwitch(settings, line, false);
  }
}

const std::vector<std::string>& CustomSoundItemTexts() {
  static const std::vector<std::string> texts = MakeItemTexts();
  return texts;
}

std::vector<std::string_view> CustomSoundGroupItems(int group) {
  std::vector<std::string_view> items;
  if (group < 0 || group >= kCustomSoundGroupCount) return items;
  const CustomSoundGroup& slots = kCustomSoundGroups[static_cast<std::size_t>(group)].slots;
  for (int i = 0; i < slots.count; ++i) {
    items.push_back(CustomSoundItemTexts()[static_cast<std::size_t>(slots.first + i)]);
  }
  return items;
}

int CustomSoundSlot(int group, int item) {
  if (group < 0 || group >= kCustomSoundGroupCount) return -1;
  const CustomSoundGroup& slots = kCustomSoundGroups[static_cast<std::size_t>(group)].slots;
  if (item < 0 || item >= slots.count) return -1;
  return slots.first + item;
}

}  // namespace zd
