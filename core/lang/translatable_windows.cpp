#include "lang/window_texts.h"

namespace zd {

const std::array<TranslatableWindow, kTranslatableWindowCount> kTranslatableWindows = {{
    {kMainMenuKey, kMainMenuRows, FillMainMenuTexts},
    {"FenetrePrincipale", 0, nullptr},
    {"Arborescence", 20, FillTreeviewTexts},
    {"FenetresArborescenceInformations", 11, FillRaceInformationTexts},
    {"FenetresArborescenceParticipants", 28, FillParticipantsTexts},
    {"FenetresArborescenceParametres", 30, FillParametersTexts},
    {"FenetresArborescenceRepartition", 27, FillArrangementTexts},
    {"BaseCategories", 4, FillCategoriesTexts},
    {"BaseCategoriesAge", 13, FillAgeCategoriesTexts},
    {"BaseVoituresMotos", 6, FillCarsMotorbikesTexts},
    {"BaseClubs", 11, FillClubsTexts},
    {"BasePilotes", 11, FillDriversTexts},
    {"BaseChampionnats", 2, FillChampionshipsTexts},
    {"BaseTranspondeurs", 3, FillTranspondersTexts},
    {"BaseFrequences", 2, FillFrequenciesTexts},
    {"FenetrePenalites", 12, FillPenaltiesTexts},
    {"FenetreSerieLive", 17, FillLiveRaceTexts},
    {"FenetrePlannification", 0, nullptr},
    {"FenetreTraduction", kTranslationWindowRows, FillTranslationWindowTexts},
    {"FenetreSons", 18, FillSoundsTexts},
    {"FenetreSonsPerso", 33, FillCustomSoundsTexts},
    {"FenetreAffichage", 23, FillDisplayTexts},
    {"FenetreInterface", 12, FillInterfaceTexts},
    {"FenetreInternet", 23, FillInternetTexts},
    {"FenetreCommentaire", 16, FillCommentWindowTexts},
    {"FenetreResultatsPilote", 21, FillDriverResultsTexts},
}};

void FillFactoryTexts(TranslationTable& factory, TranslationTable& active, int window) {
  if (window < 0 || window >= kTranslatableWindowCount) return;
  const TranslatableWindow& w = kTranslatableWindows[window];
  if (w.fill == nullptr) return;
  w.fill(factory);
  w.fill(active);
}

}  // namespace zd
