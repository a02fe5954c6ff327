#include "web/internet_dialog.h"

#include <string>

#include "databases/database_dialog.h"
#include "main/bitmap_paint.h"
#include "main/message_box.h"
#include "web/internet_settings.h"
#include "web/web_addresses.h"
#include "web/web_publishing.h"

namespace zd {

namespace {

constexpr int kMessagesEdit = 4301;
constexpr int kNameEdit = 4302;
constexpr int kDayEdit = 4303;
constexpr int kMonthEdit = 4304;
constexpr int kYearEdit = 4305;
constexpr int kChampionshipList = 4306;
constexpr int kVideoEdit = 4307;
constexpr int kActivateButton = 4308;
constexpr int kViewButton = 4309;
// The light, in client pixels of the template at two pixels per dialog unit.
constexpr int kLightX = 210;
constexpr int kLightY = 440;
constexpr int kLightSize = 40;

// The typing limits, set again at each change of an edit.
int EditLimit(int id) {
  switch (id) {
    case kNameEdit:
      return 28;
    case kDayEdit:
    case kMonthEdit:
      return 2;
    case kYearEdit:
      return 4;
    case kVideoEdit:
      return 198;
    default:
      return 0;
  }
}

class InternetWindowDesk final : public InternetDesk {
 public:
  void attach(HWND owner) { owner_ = owner; }
  int64_t tickCount() override { return static_cast<int64_t>(GetTickCount64()); }
  void sleep(int32_t ms) override { PauseForSite(ms); }
  void openAddress(std::string_view address) override {
    OpenWebAddress(std::string(address).c_str());
  }
  void showMessage(std::string_view text, std::string_view caption, bool errorIcon) override {
    const std::string t(text), c(caption);
    ShowMessage(owner_, t.c_str(), c.c_str(), MB_OK | (errorIcon ? MB_ICONERROR : 0));
  }
  Answer ask(std::string_view text, bool withCancel) override {
    const std::string t(text);
    switch (ShowMessage(owner_, t.c_str(), "Attention",
                        MB_ICONQUESTION | (withCancel ? MB_YESNOCANCEL : MB_YESNO))) {
      case IDYES:
        return Answer::Yes;
      case IDNO:
        return Answer::No;
      default:
        return Answer::Cancel;
    }
  }
  LocalDate today() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wDay, now.wMonth, now.wYear};
  }

 private:
  HWND owner_ = nullptr;
};

struct InternetState {
  WebSite site = ReadWebSite();
  WindowTransport transport;
  InternetWindowDesk desk;
  InternetSettings settings{site, transport, desk};
  DatabaseFonts fonts;
};

void RedrawLight(HWND dialog) {
  const RECT area =
      MapTemplatePixels(dialog, kLightX, kLightY, kLightX + kLightSize, kLightY + kLightSize);
  RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW);
}

void PaintLight(HWND dialog, const InternetState& s) {
  const RECT at = MapTemplatePixels(dialog, kLightX, kLightY, kLightX, kLightY);
  PaintBitmapFile(dialog, s.settings.lightGreen() ? "images/wifiVert.bmp" : "images/wifiRouge.bmp",
                  at.left, at.top);
}

// The settings' state in the controls: the messages, the edit copy, and the switch.
void ShowSettings(HWND dialog, const InternetState& s) {
  const InternetSettings& settings = s.settings;
  SetDlgItemTextA(dialog, kMessagesEdit, settings.messages().c_str());
  const WebEventCoordinates& e = settings.edited();
  SetDlgItemTextA(dialog, kNameEdit, e.eventName.c_str());
  SetDlgItemTextA(dialog, kDayEdit, e.day.c_str());
  SetDlgItemTextA(dialog, kMonthEdit, e.month.c_str());
  SetDlgItemTextA(dialog, kYearEdit, e.year.c_str());
  SetDlgItemTextA(dialog, kVideoEdit, e.videoLink.c_str());
  SelectComboText(dialog, kChampionshipList, e.championshipName.str());

  CheckDlgButton(dialog, kActivateButton, settings.activateChecked() ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dialog, kActivateButton, std::string(settings.activateCaption()).c_str());
  EnableWindow(GetDlgItem(dialog, kActivateButton), settings.buttonsEnabled());
  EnableWindow(GetDlgItem(dialog, kViewButton), settings.buttonsEnabled());
  for (int id : {kNameEdit, kDayEdit, kMonthEdit, kYearEdit, kVideoEdit}) {
    SendDlgItemMessageA(dialog, id, EM_SETREADONLY, settings.fieldsLocked() ? TRUE : FALSE, 0);
  }
  EnableWindow(GetDlgItem(dialog, kChampionshipList), !settings.fieldsLocked());
}

void InitInternet(HWND dialog, InternetState& s) {
  s.desk.attach(dialog);
  {
    const SiteWaitScope waiting;
    s.settings.open();
  }
  HWND list = GetDlgItem(dialog, kChampionshipList);
  for (const std::string& name : s.settings.championships()) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  for (int id : {kNameEdit, kDayEdit, kMonthEdit, kYearEdit, kVideoEdit}) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(EditLimit(id)), 0);
  }
  ShowSettings(dialog, s);
  s.fonts.apply(dialog, {4310, 4311, 4312});
  RedrawLight(dialog);
}

void UseActivateButton(HWND dialog, InternetState& s) {
  if (IsDlgButtonChecked(dialog, kActivateButton) == BST_CHECKED) {
    const SiteWaitScope waiting;
    s.settings.activate({DialogItemText(dialog, kNameEdit), DialogItemText(dialog, kDayEdit),
                         DialogItemText(dialog, kMonthEdit), DialogItemText(dialog, kYearEdit),
                         DialogItemText(dialog, kVideoEdit)});
  } else {
    s.settings.deactivate();
  }
  ShowSettings(dialog, s);
  RedrawLight(dialog);
}

void Command(HWND dialog, InternetState& s, int id, int code) {
  std::string text;
  switch (id) {
    case kActivateButton:
      if (code == BN_CLICKED) UseActivateButton(dialog, s);
      return;
    case kViewButton:
      if (code == BN_CLICKED) OpenWebAddress(EventListAddress(s.site).c_str());
      return;
    case kChampionshipList:
      if (code == CBN_SELCHANGE && SelectedComboText(dialog, id, text))
        s.settings.chooseChampionship(text);
      return;
    case kNameEdit:
    case kDayEdit:
    case kMonthEdit:
    case kYearEdit:
    case kVideoEdit:
      if (code == EN_CHANGE)
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(EditLimit(id)), 0);
      return;
    case kMessagesEdit:
      return;
    default:
      EndDialog(dialog, 0);
      return;
  }
}

}  // namespace

INT_PTR CALLBACK InternetDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<InternetState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitInternet(dialog, *s);
      return TRUE;
    case WM_PAINT:
      PaintLight(dialog, *s);
      return FALSE;
    case WM_COMMAND:
      Command(dialog, *s, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenInternetDialog(HWND owner) {
  // The fonts go with the state when the dialog has ended.
  InternetState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "INTERNET", owner, InternetDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace zd
