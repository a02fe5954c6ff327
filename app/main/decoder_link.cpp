#include "main/decoder_link.h"

#include <string>

#include "main/bitmap_paint.h"
#include "main/decoder_port.h"
#include "main/main_window_state.h"
#include "main/message_box.h"
#include "main/race_alerts.h"
#include "main/race_wiring.h"

namespace zd {

namespace {

constexpr const char* kRedLight = "Images/voyantRouge.bmp";
constexpr const char* kGreenLight = "Images/voyantVert.bmp";

// The program's side of the link: the settings file, the kept port, the clocks, the boxes, the
// status text and the passings that a reconnection reads.
class WindowLinkHost final : public DecoderLinkHost {
 public:
  explicit WindowLinkHost(HWND window) : window_(window) {}

  bool readInterfaceSettings(InterfaceSettings& settings) override {
    return ReadInterfaceSettings(kInterfaceSettingsFile, settings);
  }
  bool writeInterfaceSettings(const InterfaceSettings& settings) override {
    return WriteInterfaceSettings(kInterfaceSettingsFile, settings);
  }
  bool openPort(const char* portName) override { return OpenDecoderPort(portName) != 0; }
  void closePort() override { CloseDecoderPort(); }
  int64_t tickCount() override { return static_cast<int64_t>(GetTickCount64()); }
  int64_t counterMs() override { return CounterNowMs(); }
  void showMessage(std::string_view text, std::string_view caption) override {
    const std::string t(text), c(caption);
    ShowMessage(window_, t.c_str(), c.c_str(), MB_OK);
  }
  void showStatus(std::string_view text) override { ShowRaceAlert(window_, text); }
  void reconnectionPassing(const DecoderPassing& passing) override {
    RouteReconnectionPassing(MainRaceControl(window_), passing);
  }
  void decoderFoundAgain() override { NoteDecoderFoundAgain(MainState().race); }

 private:
  HWND window_;
};

// What the dialog keeps while it is open.
struct InterfaceDialogState {
  char savedDirectory[MAX_PATH] = {};
  InterfaceSettings settings;
  HFONT normalFont = nullptr;
  HFONT boldFont = nullptr;
};

InterfaceDialogState& DialogState() {
  static InterfaceDialogState state;
  return state;
}

void InvalidateLight(HWND dialog) {
  const RECT light = {kInterfaceLightX, kInterfaceLightY, kInterfaceLightX + kInterfaceLightSize,
                      kInterfaceLightY + kInterfaceLightSize};
  InvalidateRect(dialog, &light, TRUE);
}

void SetText(HWND dialog, int id, std::string_view text) {
  SetDlgItemTextA(dialog, id, std::string(text).c_str());
}

void ShowKind(HWND dialog, std::string_view kind) {
  CheckRadioButton(dialog, kInterfaceKv1Radio, kInterfaceBluetoothRadio, InterfaceKindRadio(kind));
}

void InitDialog(HWND dialog) {
  InterfaceDialogState& d = DialogState();
  GetCurrentDirectoryA(MAX_PATH, d.savedDirectory);
  SetWindowTextA(dialog, std::string(kInterfaceDialogCaption).c_str());
  SetText(dialog, kInterfaceDecoderGroup, std::string(kInterfaceTexts[kTextDecoder]) + " Zentrik");
  SetText(dialog, kInterfaceOpenButton, kInterfaceTexts[kTextOpen]);
  SetText(dialog, kInterfaceMessagesGroup, kInterfaceTexts[kTextMessages]);
  SetText(dialog, kInterfacePortGroup, kInterfaceTexts[kTextComPort]);
  HWND ports = GetDlgItem(dialog, kInterfacePortList);
  for (int n = 1; n <= 99; ++n) {
    const std::string name = "COM" + std::to_string(n);
    SendMessageA(ports, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }

  d.settings = InterfaceSettings{};
  if (!ReadInterfaceSettings(kInterfaceSettingsFile, d.settings)) {
    ShowMessage(dialog, kComPortFileNotFound, "Error", MB_OK);
  }
  ShowKind(dialog, d.settings.decoderKind);
  SendMessageA(ports, CB_SETCURSEL,
               SendMessageA(ports, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(d.settings.portName.c_str())),
               0);
  SetText(dialog, kInterfaceMessages, InterfaceStateMessage(d.settings));

  d.normalFont = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  d.boldFont = CreateFontA(16, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  for (int id : {IDOK, kInterfaceOpenButton, kInterfaceMessages, kInterfacePortList,
                 kInterfaceKv1Radio, kInterfaceUsbRadio, kInterfaceBluetoothRadio}) {
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(d.normalFont), TRUE);
  }
  for (int id : {kInterfaceDecoderGroup, kInterfaceMessagesGroup, kInterfacePortGroup}) {
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(d.boldFont), TRUE);
  }
  InvalidateLight(dialog);
}

// "Ouvrir": the chosen port opened and the hardware detected; the port stays open for the main
// window.
void OpenChosenPort(HWND dialog) {
  InterfaceDialogState& d = DialogState();
  char port[32] = {};
  GetDlgItemTextA(dialog, kInterfacePortList, port, sizeof port);
  SetText(dialog, kInterfaceMessages, kInterfaceTexts[kTextOpeningPort]);
  UpdateWindow(GetDlgItem(dialog, kInterfaceMessages));
  WindowLinkHost host(GetParent(dialog));
  KeptDecoderPort kept;
  const std::string message = DetectInterface(host, kept, port, d.settings);
  ShowKind(dialog, d.settings.decoderKind);
  SetText(dialog, kInterfaceMessages, message);
  if (!WriteInterfaceSettings(kInterfaceSettingsFile, d.settings)) {
    ShowMessage(dialog, kComPortFileNotFound, "Error", MB_OK);
  }
  InvalidateLight(dialog);
}

void EndInterfaceDialog(HWND dialog) {
  InterfaceDialogState& d = DialogState();
  SetCurrentDirectoryA(d.savedDirectory);
  if (d.normalFont) DeleteObject(d.normalFont);
  if (d.boldFont) DeleteObject(d.boldFont);
  d.normalFont = nullptr;
  d.boldFont = nullptr;
  EndDialog(dialog, 0);
}

}  // namespace

DecoderLinkState& MainDecoderLink() {
  static DecoderLinkState link;
  return link;
}

void SuperviseMainDecoderLink(HWND window) {
  MainWindowState& s = MainState();
  WindowLinkHost host(window);
  KeptDecoderPort port;
  const bool running = s.race.running != 0;
  SuperviseDecoderLink({MainDecoderLink(), s.interfaceSettings, host, port, s.timer.passingParser,
                        running, SeriesIsLive(s.race, s.timer), s.race.raceClock.startTick});
}

void OpenInterfaceDialog(HWND owner) {
  SuspendDecoderSupervision(MainDecoderLink());
  DialogBoxParamA(MainState().instance, "INTERFACE", owner, InterfaceDialogProc, 0);
  ResumeDecoderSupervision(MainDecoderLink());
}

INT_PTR CALLBACK InterfaceDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog);
      return TRUE;
    case WM_PAINT: {
      const int32_t connected = DialogState().settings.connected;
      if (connected == 0 || connected == 1) {
        PaintBitmapFile(dialog, connected == 1 ? kGreenLight : kRedLight, kInterfaceLightX,
                        kInterfaceLightY);
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kInterfaceKv1Radio:
          DialogState().settings.decoderKind = kInterfaceKind;
          return TRUE;
        case kInterfaceUsbRadio:
          DialogState().settings.decoderKind = kUsbDecoderKind;
          return TRUE;
        case kInterfaceBluetoothRadio:
          DialogState().settings.decoderKind = kBluetoothDecoderKind;
          return TRUE;
        case kInterfaceOpenButton:
          OpenChosenPort(dialog);
          return TRUE;
        case kInterfaceMessages:
        case kInterfacePortList:
          return TRUE;
        default:
          EndInterfaceDialog(dialog);
          return TRUE;
      }
    case WM_CLOSE:
      EndInterfaceDialog(dialog);
      return TRUE;
  }
  return FALSE;
}

}  // namespace zd
