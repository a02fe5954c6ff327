#include "main/main_dialogs.h"

#include <algorithm>

#include "analysis/analysis_dialogs.h"
#include "analysis/driver_results_dialog.h"
#include "databases/entrant_dialogs.h"
#include "databases/event_setup_dialogs.h"
#include "databases/participants_dialog.h"
#include "databases/reference_dialogs.h"
#include "lang/translation_window.h"
#include "live/settings_dialogs.h"
#include "main/decoder_link.h"
#include "main/main_window_state.h"
#include "main/passing.h"
#include "phases/arrangement_dialogs.h"
#include "phases/parameters_dialogs.h"
#include "web/internet_dialog.h"

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
    case MainDialog::EventInformation:
      OpenEventInformationDialog(owner);
      break;
    case MainDialog::Track:
      OpenTrackDialog(owner);
      break;
    case MainDialog::SoundSettings:
      OpenSoundSettingsDialog(owner);
      break;
    case MainDialog::DisplaySettings:
      OpenDisplaySettingsDialog(owner);
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
    case MainDialog::PracticeArrangement:
      OpenPracticeArrangementDialog(owner);
      break;
    case MainDialog::QualifyingArrangement:
      OpenQualifyingArrangementDialog(owner);
      break;
    case MainDialog::StartingGrid:
      OpenStartingGridDialog(owner);
      break;
    case MainDialog::DriverResults:
      // The analysis counts the best lap as the board does, which hangs on the start type.
      OpenDriverResultsDialog(
          owner, std::max(1, FirstTimedLap(MainState().series->parameters.startType.view())));
      break;
    case MainDialog::Translation:
      OpenTranslationDialog(owner);
      break;
    case MainDialog::SeriesResults:
      OpenSeriesResultsDialog(owner);
      break;
    case MainDialog::SeriesComment:
      OpenSeriesCommentDialog(owner);
      break;
    case MainDialog::Internet:
      OpenInternetDialog(owner);
      break;
    default:
      break;
  }
}

void SendLiveScreenRefresh(HWND& screen, int32_t openFlag, int32_t what) {
  // A closed screen's handle may by then name another window.
  if (openFlag != 1) screen = nullptr;
  if (screen) SendMessageA(screen, WM_USER, 1, what);
}

}  // namespace zd
