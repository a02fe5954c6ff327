#include "main/main_dialogs.h"

#include "databases/entrant_dialogs.h"
#include "databases/participants_dialog.h"
#include "databases/reference_dialogs.h"
#include "main/decoder_link.h"
#include "phases/parameters_dialogs.h"

namespace zd {

void OpenMainDialog(HWND owner, MainDialog dialog) {
  switch (dialog) {
    case MainDialog::Interface:
      OpenInterfaceDialog(owner);
      break;
    case MainDialog::Clubs:
      OpenClubsDialog(owner);
      break;
    case MainDialog::Championships:
      OpenChampionshipsDialog(owner);
      break;
    case MainDialog::Frequencies:
      OpenFrequenciesDialog(owner);
      break;
    case MainDialog::TransponderPacks:
      OpenTransponderPacksDialog(owner);
      break;
    case MainDialog::AgeCategories:
      OpenAgeCategoriesDialog(owner);
      break;
    case MainDialog::VehicleCategories:
      OpenVehicleCategoriesDialog(owner);
      break;
    case MainDialog::Vehicles:
      OpenVehiclesDialog(owner);
      break;
    case MainDialog::Drivers:
      OpenDriversDialog(owner);
      break;
    case MainDialog::Penalties:
      OpenPenaltiesDialog(owner);
      break;
    case MainDialog::Participants:
      OpenParticipantsDialog(owner);
      break;
    case MainDialog::PracticeParameters:
      OpenPracticeParametersDialog(owner);
      break;
    case MainDialog::QualifyingParameters:
      OpenQualifyingParametersDialog(owner);
      break;
    case MainDialog::RoundsParameters:
      OpenRoundsParametersDialog(owner);
      break;
    default:
      break;
  }
}

void OpenPenaltyAssignDialog(HWND, LiveRankingEntry&) {}

void SendLiveScreenRefresh(HWND& screen, int32_t openFlag, int32_t what) {
  // A closed screen's handle may by then name another window.
  if (openFlag != 1) screen = nullptr;
  if (screen) SendMessageA(screen, WM_USER, 1, what);
}

}  // namespace zd
