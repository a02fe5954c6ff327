#include "lang/translation_window.h"

#include <memory>
#include <string>

#include "lang/translation_dialog.h"
#include "lang/window_texts.h"
#include "main/message_box.h"

namespace zd {

namespace {

enum : int {
  kSoftwareList = 3901,
  kReportsList = 3902,
  kApplyButton = 3903,
  kEditLanguageList = 3904,
  kRestoreButton = 3905,
  kWindowList = 3906,
  kExpressionList = 3907,
  kFactoryEdit = 3908,
  kActiveEdit = 3909,
  kSaveButton = 3910,
};

// The controls that the caption table relabels, by caption row.
constexpr int kCaptionControls[kTranslationWindowRows] = {3903, 3905, 3910, 3911, 3912, 3913,
                                                          3914, 3915, 3916, 3917, 3918, 3919};

struct DialogState {
  std::unique_ptr<TranslationDialogModel> model;
  char savedDirectory[MAX_PATH] = {};
  HFONT normalFont = nullptr;
  HFONT boldFont = nullptr;
};

DialogState& State() {
  static DialogState state;
  return state;
}

TranslationDialogModel& Model() { return *State().model; }

void FillList(HWND dialog, int id, auto&& names, int selection) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const auto& name : names)
    if (!name.empty()) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void FillLanguageLists(HWND dialog) {
  const TranslationDialogModel& m = Model();
  FillList(dialog, kSoftwareList, m.languageNames(), m.selectedSoftwareLanguage());
  FillList(dialog, kReportsList, m.languageNames(), m.selectedReportsLanguage());
  FillList(dialog, kEditLanguageList, m.languageNames(), m.editLanguage());
}

void FillExpressionList(HWND dialog) {
  const TranslationDialogModel& m = Model();
  HWND list = GetDlgItem(dialog, kExpressionList);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (int row : m.expressionRows()) {
    const std::string text(m.factoryText(row));
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(m.expressionEntry()), 0);
}

void UpdateEdits(HWND dialog) {
  const TranslationDialogModel& m = Model();
  const std::string factory(m.factoryText());
  const std::string active(m.activeText());
  SetDlgItemTextA(dialog, kFactoryEdit, factory.c_str());
  // An empty factory text sets no limit of the edit's own; the model still cuts at 89.
  SendDlgItemMessageA(dialog, kActiveEdit, EM_LIMITTEXT, factory.size(), 0);
  SetDlgItemTextA(dialog, kActiveEdit, active.c_str());
}

void ApplyCaptions(HWND dialog) {
  for (int row = 0; row < kTranslationWindowRows; ++row) {
    const std::string caption(Model().caption(row));
    SetDlgItemTextA(dialog, kCaptionControls[row], caption.c_str());
  }
}

// Every list and edit from the model, as the dialog shows them after each of its actions.
void ShowAll(HWND dialog) {
  SetWindowTextA(dialog, Model().title());
  ApplyCaptions(dialog);
  FillLanguageLists(dialog);
  FillList(dialog, kWindowList, Model().windowNames(), Model().window());
  FillExpressionList(dialog);
  UpdateEdits(dialog);
}

int Selection(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void InitDialog(HWND dialog) {
  DialogState& s = State();
  GetCurrentDirectoryA(MAX_PATH, s.savedDirectory);
  s.model = std::make_unique<TranslationDialogModel>(
      [dialog](const std::string& text) { ShowMessage(dialog, text.c_str(), "Error", MB_OK); });
  Model().open();
  ShowAll(dialog);
  s.normalFont = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  s.boldFont = CreateFontA(16, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  for (int id : {1, 3901, 3902, 3903, 3904, 3905, 3906, 3907, 3909, 3910, 3911, 3912, 3913, 3914,
                 3915, 3917})
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(s.normalFont), TRUE);
  for (int id : {3908, 3916, 3918, 3919})
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(s.boldFont), TRUE);
}

void EndTranslationDialog(HWND dialog) {
  DialogState& s = State();
  SetCurrentDirectoryA(s.savedDirectory);
  if (s.normalFont) DeleteObject(s.normalFont);
  if (s.boldFont) DeleteObject(s.boldFont);
  s.normalFont = s.boldFont = nullptr;
  s.model.reset();
  EndDialog(dialog, 0);
}

void ActiveTextChanged(HWND dialog) {
  char text[256] = {};
  GetDlgItemTextA(dialog, kActiveEdit, text, sizeof text);
  Model().editActiveText(text);
}

// Reacts to a command; false for one that closes the dialog.
bool Command(HWND dialog, int id, int code) {
  TranslationDialogModel& m = Model();
  switch (id) {
    case kSoftwareList:
    case kReportsList:
      if (code == CBN_SELCHANGE) {
        const int32_t language = Selection(dialog, id);
        if (id == kSoftwareList)
          m.selectSoftwareLanguage(language);
        else
          m.selectReportsLanguage(language);
      }
      return true;
    case kEditLanguageList:
      if (code == CBN_SELCHANGE) {
        m.chooseEditLanguage(Selection(dialog, id));
        ShowAll(dialog);
      }
      return true;
    case kWindowList:
      if (code == CBN_SELCHANGE) {
        // The list holds every window, so a position is a window index.
        m.chooseWindow(Selection(dialog, id));
        ShowAll(dialog);
      }
      return true;
    case kExpressionList:
      if (code == CBN_SELCHANGE) {
        m.chooseExpression(Selection(dialog, id));
        UpdateEdits(dialog);
      }
      return true;
    case kActiveEdit:
      if (code == EN_CHANGE) ActiveTextChanged(dialog);
      return true;
    case kFactoryEdit:
      return true;
    case kApplyButton:
      m.apply();
      ShowAll(dialog);
      return true;
    case kSaveButton:
      m.save();
      ShowAll(dialog);
      return true;
    case kRestoreButton:
      SetCurrentDirectoryA(State().savedDirectory);
      m.restore();
      ShowAll(dialog);
      SetCurrentDirectoryA(State().savedDirectory);
      return true;
    default:
      return false;
  }
}

}  // namespace

void OpenTranslationDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), "TRADUCTION", owner, TranslationDialogProc, 0);
}

INT_PTR CALLBACK TranslationDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      // What the controls tell while the dialog ends goes nowhere.
      if (!State().model) return FALSE;
      if (!Command(dialog, LOWORD(wparam), HIWORD(wparam))) EndTranslationDialog(dialog);
      return TRUE;
    case WM_CLOSE:
      if (State().model) EndTranslationDialog(dialog);
      return TRUE;
  }
  return FALSE;
}

}  // namespace zd
