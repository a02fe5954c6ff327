#include "phases/parameters_dialogs.h"

#include <array>
#include <string>
#include <vector>

#include "databases/database_dialog.h"
#include "main/command_window.h"
#include "main/message_box.h"
#include "phases/parameters_form.h"

namespace zd {

namespace {

// A template's ids: the form's controls by role (0 where the template has none), the race name,
// and the controls in bold (the title, the race name, the group boxes).
struct ParametersDialogIds {
  std::array<int, kFormControlCount> controls;
  int raceName;
  std::vector<int> bold;
};

// In the order of FormControl.
const ParametersDialogIds kPracticeIds{
    {6002, 6003, 6004, 6005, 0, 0, 6006, 6021, 6007, 6022, 6008, 6009,
     6010, 6013, 6011, 6012, 6031, 6014, 6015, 6016, 6032, 6017, 6018, 6019},
    6001,
    {6020, 6001, 6025, 6026, 6027, 6028, 6029, 6030, 6031, 6032}};
const ParametersDialogIds kQualifyingIds{
    {7002, 7003, 7004, 7005, 0, 0, 7006, 7021, 7007, 7022, 7008, 7009,
     7010, 7013, 7011, 7012, 7031, 7014, 7015, 7016, 7032, 7017, 7018, 7019},
    7001,
    {7020, 7001, 7025, 7026, 7027, 7028, 7029, 7030, 7031, 7032}};
const ParametersDialogIds kRoundsIds{
    {8002, 8003, 8004, 8005, 8006, 8022, 8007, 8023, 8008, 8024, 8009, 8010,
     8011, 8014, 8012, 8013, 8033, 8015, 8016, 8017, 8034, 8018, 8019, 8020},
    8001,
    {8021, 8001, 8027, 8028, 8029, 8030, 8031, 8032, 8033, 8034}};

// What a dialog holds while it is open.
struct ParametersDialogState {
  explicit ParametersDialogState(RacePhase phase) : form(phase) {}
  ParametersForm form;
  DatabaseFonts fonts;
  // Set while the program writes an edit's text: the edit reports that change too, and it must
  // not be taken for the user's.
  bool settingText = false;
};

int IdOf(const ParametersDialogIds& ids, FormControl role) {
  return ids.controls[static_cast<std::size_t>(role)];
}

bool RoleOf(const ParametersDialogIds& ids, int id, FormControl& role) {
  if (id == 0) return false;
  for (int i = 0; i < kFormControlCount; ++i) {
    if (ids.controls[static_cast<std::size_t>(i)] == id) {
      role = static_cast<FormControl>(i);
      return true;
    }
  }
  return false;
}

void SetEditText(HWND dialog, ParametersDialogState& s, int id, const std::string& text) {
  s.settingText = true;
  SetDlgItemTextA(dialog, id, text.c_str());
  s.settingText = false;
}

// Every control as the form says: shown, enabled, checked.
void ShowForm(HWND dialog, const ParametersDialogIds& ids, const ParametersForm& form) {
  for (int i = 0; i < kFormControlCount; ++i) {
    const FormControl role = static_cast<FormControl>(i);
    HWND control = GetDlgItem(dialog, IdOf(ids, role));
    if (IdOf(ids, role) == 0 || control == nullptr) continue;
    const FormControlView view = form.view(role);
    ShowWindow(control, view.shown ? SW_SHOW : SW_HIDE);
    EnableWindow(control, view.enabled);
    const FormControlKind kind = KindOf(role);
    if (kind == FormControlKind::Radio || kind == FormControlKind::Box) {
      SendMessageA(control, BM_SETCHECK, view.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
}

void InitDialog(HWND dialog, const ParametersDialogIds& ids, ParametersDialogState& s) {
  const Outcome loaded = LoadParametersForm(s.form);
  if (!loaded) ShowMessage(dialog, loaded.message.c_str(), kErrorCaption, MB_OK);
  SetDlgItemTextA(dialog, ids.raceName, std::string(s.form.raceName()).c_str());
  for (int i = 0; i < kFormControlCount; ++i) {
    const FormControl role = static_cast<FormControl>(i);
    const int id = IdOf(ids, role);
    if (id == 0 || KindOf(role) != FormControlKind::Edit) continue;
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(s.form.editLimit(role)), 0);
    SetEditText(dialog, s, id, s.form.editText(role));
  }
  ShowForm(dialog, ids, s.form);
  s.fonts.apply(dialog, ids.bold);
}

bool Command(HWND dialog, const ParametersDialogIds& ids, ParametersDialogState& s, int id,
             int notification) {
  if ((id == IDOK || id == IDCANCEL) && notification == BN_CLICKED) {
    if (id == IDOK) {
      const Outcome saved = SaveParametersForm(s.form);
      if (!saved) ShowMessage(dialog, saved.message.c_str(), kErrorCaption, MB_OK);
    }
    EndDialog(dialog, 0);
    return true;
  }
  FormControl role{};
  if (!RoleOf(ids, id, role)) return false;
  switch (KindOf(role)) {
    case FormControlKind::Edit:
      if (notification != EN_CHANGE) return false;
      if (s.settingText) return true;
      for (const EditRewrite& r : s.form.editChanged(role, DialogItemText(dialog, id))) {
        SetEditText(dialog, s, IdOf(ids, r.edit), r.text);
      }
      return true;
    case FormControlKind::Box:
      if (notification != BN_CLICKED) return false;
      s.form.setFirstPassingCounted(IsDlgButtonChecked(dialog, id) == BST_CHECKED);
      break;
    case FormControlKind::Radio:
      if (notification != BN_CLICKED) return false;
      s.form.choose(role);
      break;
    case FormControlKind::Other:
      return false;
  }
  ShowForm(dialog, ids, s.form);
  return true;
}

INT_PTR HandleParametersMessage(const ParametersDialogIds& ids, HWND dialog, UINT message,
                                WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<ParametersDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, ids, *s);
      return TRUE;
    case WM_COMMAND:
      return Command(dialog, ids, *s, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void RunParametersDialog(HWND owner, RacePhase phase, MainDialog dialog, DLGPROC proc) {
  ParametersDialogState state(phase);
  DialogBoxParamA(GetModuleHandleA(nullptr), DialogTemplateName(dialog).data(), owner, proc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace

INT_PTR CALLBACK PracticeParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  return HandleParametersMessage(kPracticeIds, dialog, message, wparam, lparam);
}

INT_PTR CALLBACK QualifyingParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
  return HandleParametersMessage(kQualifyingIds, dialog, message, wparam, lparam);
}

INT_PTR CALLBACK RoundsParametersDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  return HandleParametersMessage(kRoundsIds, dialog, message, wparam, lparam);
}

void OpenPracticeParametersDialog(HWND owner) {
  RunParametersDialog(owner, RacePhase::Practice, MainDialog::PracticeParameters,
                      PracticeParametersDialogProc);
}

void OpenQualifyingParametersDialog(HWND owner) {
  RunParametersDialog(owner, RacePhase::Qualifying, MainDialog::QualifyingParameters,
                      QualifyingParametersDialogProc);
}

void OpenRoundsParametersDialog(HWND owner) {
  RunParametersDialog(owner, RacePhase::Rounds, MainDialog::RoundsParameters,
                      RoundsParametersDialogProc);
}

}  // namespace zd
