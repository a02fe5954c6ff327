#include "databases/event_setup_dialogs.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "databases/combo_fill.h"
#include "databases/database_dialog.h"
#include "databases/event_setup.h"
#include "main/message_box.h"

namespace zd {

namespace {

// The lists offer at most this many entries of their database.
constexpr std::size_t kListedClubs = 100;
constexpr std::size_t kListedChampionships = 20;

constexpr int kEventLabels[] = {5108, 5109, 5110, 5111, 5112, 5113};
constexpr int kTrackLabels[] = {5158, 5165};

void ShowError(HWND dialog, const std::string& text) {
  ShowMessage(dialog, text.c_str(), kErrorCaption, MB_OK);
}

// What a dialog keeps while it is open; the dialog's own writes of an edit's text set settingText,
// so that their change notification is not taken for the user's.
template <class Values>
struct SetupState {
  Values values;
  DatabaseFonts fonts;
  bool settingText = false;

  void setText(HWND dialog, int id, const std::string& text) {
    settingText = true;
    SetDlgItemTextA(dialog, id, text.c_str());
    settingText = false;
  }
};
using InformationState = SetupState<EventInformationForm>;
using TrackState = SetupState<TrackSettings>;

template <class State>
State* StateOf(HWND dialog, UINT message, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The first entries of a list, in database order (the box is not sorted), and the stored one
// selected by its exact text.
void FillList(HWND dialog, int id, const std::vector<std::string>& texts, std::size_t shown,
              std::string_view selected) {
  const std::vector<std::string> listed(texts.begin(),
                                        texts.begin() + static_cast<std::ptrdiff_t>(
                                                            std::min(shown, texts.size())));
  AddComboTexts(GetDlgItem(dialog, id), listed);
  WPARAM item = static_cast<WPARAM>(-1);
  for (std::size_t i = 0; i < listed.size() && !selected.empty(); ++i) {
    if (listed[i] == selected) {
      item = i;
      break;
    }
  }
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, item, 0);
}

void InitEventInformation(HWND dialog, InformationState& s) {
  EventInformationForm& form = s.values;
  for (const std::string& m : LoadEventInformation(form)) ShowError(dialog, m);
  FillList(dialog, kEventClubList, form.clubs, kListedClubs, form.values.club);
  FillList(dialog, kEventChampionshipList, form.championships, kListedChampionships,
           form.values.championship);
  const struct {
    int id;
    int limit;
    std::string_view text;
  } edits[] = {{kEventNameEdit, kEventTextLimit, form.values.eventName},
               {kEventDirectorEdit, kEventTextLimit, form.values.raceDirector},
               {kEventPlaceEdit, kEventTextLimit, form.values.place},
               {kEventDateEdit, kEventDateLimit, form.values.date}};
  for (const auto& e : edits) {
    SendDlgItemMessageA(dialog, e.id, EM_LIMITTEXT, static_cast<WPARAM>(e.limit), 0);
    s.setText(dialog, e.id, std::string(e.text));
  }
  CheckDlgButton(dialog, kInternationalBox, form.international ? BST_CHECKED : BST_UNCHECKED);
  s.fonts.apply(dialog, {std::begin(kEventLabels), std::end(kEventLabels)});
}

// "Valider" writes and ends; a write that fails shows why and keeps the dialog open with its
// changes, so that nothing typed is lost.
template <class Save>
void Validate(HWND dialog, Save save) {
  const Outcome saved = save();
  if (!saved) {
    ShowError(dialog, saved.message);
    return;
  }
  EndDialog(dialog, 0);
}

bool EventInformationCommand(HWND dialog, InformationState& s, int id, int code) {
  EventInformationForm& form = s.values;
  switch (id) {
    case IDOK:
      Validate(dialog, [&] { return SaveEventInformation(form); });
      return true;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return true;
    case kInternationalBox:
      if (code == BN_CLICKED) form.international = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
      return true;
    case kEventClubList:
    case kEventChampionshipList: {
      std::string text;
      if (code != CBN_SELCHANGE || !SelectedComboText(dialog, id, text)) return false;
      if (id == kEventClubList) {
        form.values.club = text;
      } else {
        form.values.championship = text;
      }
      return true;
    }
    default:
      break;
  }
  if (code != EN_CHANGE || s.settingText) return false;
  const std::string text = DialogItemText(dialog, id);
  switch (id) {
    case kEventNameEdit:
      if (!form.setName(text)) s.setText(dialog, id, "");
      return true;
    case kEventDirectorEdit:
      form.values.raceDirector = text;
      return true;
    case kEventPlaceEdit:
      form.values.place = text;
      return true;
    case kEventDateEdit:
      form.values.date = text;
      return true;
    default:
      return false;
  }
}

void InitTrack(HWND dialog, TrackState& s) {
  const Outcome loaded = LoadTrackSettings(s.values);
  if (!loaded) ShowError(dialog, loaded.message);
  SendDlgItemMessageA(dialog, kTrackNameEdit, EM_LIMITTEXT, kEventTextLimit, 0);
  SendDlgItemMessageA(dialog, kLapProtectionEdit, EM_LIMITTEXT, kLapProtectionDigits, 0);
  s.setText(dialog, kTrackNameEdit, s.values.name.str());
  s.setText(dialog, kLapProtectionEdit, std::to_string(s.values.lapProtectionTime));
  s.fonts.apply(dialog, {std::begin(kTrackLabels), std::end(kTrackLabels)});
}

bool TrackCommand(HWND dialog, TrackState& s, int id, int code) {
  if (id == IDOK) {
    Validate(dialog, [&] { return SaveTrackSettings(s.values); });
    return true;
  }
  if (id == IDCANCEL) {
    EndDialog(dialog, 0);
    return true;
  }
  if (code != EN_CHANGE || s.settingText) return false;
  const std::string text = DialogItemText(dialog, id);
  if (id == kTrackNameEdit) {
    if (!SetTrackName(s.values, text)) s.setText(dialog, id, "");
    return true;
  }
  if (id == kLapProtectionEdit) {
    // The edit keeps what was typed; the time stored is never below 2.
    s.values.lapProtectionTime = LapProtectionTimeOf(text);
    return true;
  }
  return false;
}

template <class State, class Init, class Command>
INT_PTR HandleSetupMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, Init init,
                           Command command) {
  State* s = StateOf<State>(dialog, message, lparam);
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      init(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      return command(dialog, *s, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK EventInformationDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  return HandleSetupMessage<InformationState>(dialog, message, wparam, lparam, InitEventInformation,
                                        EventInformationCommand);
}

INT_PTR CALLBACK TrackDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  return HandleSetupMessage<TrackState>(dialog, message, wparam, lparam, InitTrack, TrackCommand);
}

void OpenEventInformationDialog(HWND owner) {
  InformationState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "COURSEINFO", owner, EventInformationDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

void OpenTrackDialog(HWND owner) {
  TrackState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "COURSEPISTE", owner, TrackDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace zd
