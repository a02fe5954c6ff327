// "COURSEPILOTEDETAILS": one participant's vehicle, category, car number, transponder and radio
// frequencies, and the transponder scan. While the dialog is open the main window leaves the
// decoder port to it: its 10 ms timer empties the port, and parses what it reads while "Scan" is
// down.

#include <memory>
#include <string>

#include "databases/category_databases.h"
#include "databases/combo_fill.h"
#include "databases/database_dialog.h"
#include "databases/driver_databases.h"
#include "databases/event_setup_dialogs.h"
#include "databases/participant_details.h"
#include "main/bitmap_paint.h"
#include "main/decoder_port.h"
#include "main/decoder_supervision.h"
#include "main/main_window_handlers.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr UINT_PTR kScanTimer = 1;
constexpr UINT kScanPeriodMs = 10;
constexpr int kLastFrequencyList = kDetailsFirstFrequencyList + kDetailsFrequencies - 1;
constexpr int kFirstDetailsControl = 5301;
constexpr int kLastDetailsControl = 5312;
// The light, in client pixels of the template at two pixels per dialog unit: where its bitmap
// stands and the area cleared when it changes, which the bitmap's own size extends.
constexpr int kLightX = 255;
constexpr int kLightY = 225;
constexpr RECT kLightArea = {250, 225, 295, 260};
constexpr const char* kLightBitmaps[] = {"images/voyantScanPuce1.bmp", "images/voyantScanPuce2.bmp",
                                         "images/voyantScanPuce3.bmp", "images/voyantScanPuce4.bmp"};

struct DetailsState {
  ParticipantDetailsForm form;
  std::unique_ptr<VehicleTable> vehicles = std::make_unique<VehicleTable>();
  std::unique_ptr<DetailsScan> scan;
  DatabaseFonts fonts;
  HFONT heading = nullptr;
  bool settingText = false;
  SIZE lightSize{};  // of the light's first bitmap, in pixels
};

void ShowError(HWND dialog, std::string_view text) {
  ShowMessage(dialog, std::string(text).c_str(), kErrorCaption, MB_OK);
}

int64_t CounterNow() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t CounterFrequency() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

// The bitmaps are drawn at their own size wherever the dialog units put their corner, so the
// area drawn again takes the whole bitmap besides the template's area.
void RedrawLight(HWND dialog, const DetailsState& s) {
  RECT area =
      MapTemplatePixels(dialog, kLightArea.left, kLightArea.top, kLightArea.right, kLightArea.bottom);
  const RECT at = MapTemplatePixels(dialog, kLightX, kLightY, kLightX, kLightY);
  const RECT bitmap{at.left, at.top, at.left + s.lightSize.cx, at.top + s.lightSize.cy};
  UnionRect(&area, &area, &bitmap);
  RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
}

void PaintLight(HWND dialog, const DetailsState& s) {
  const int state = s.scan ? s.scan->indicator().state() : 0;
  if (state < 1 || state > 4) return;
  const RECT at = MapTemplatePixels(dialog, kLightX, kLightY, kLightX, kLightY);
  PaintBitmapFile(dialog, kLightBitmaps[state - 1], at.left, at.top);
}

// The frequencies database, each text offered by the five lists.
void FillFrequencyLists(HWND dialog) {
  auto frequencies = std::make_unique<FrequencyTable>();
  if (!ReadFrequencies(kFrequenciesFile, *frequencies)) {
    ShowError(dialog, FrequenciesDescriptor().texts.fileFailed);
    return;
  }
  for (const FrequencyRecord& f : *frequencies) {
    if (f.frequency.empty()) continue;
    for (int id = kDetailsFirstFrequencyList; id <= kLastFrequencyList; ++id) {
      SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.frequency.c_str()));
    }
  }
}

void SetText(HWND dialog, DetailsState& s, int id, const std::string& text) {
  s.settingText = true;
  SetDlgItemTextA(dialog, id, text.c_str());
  s.settingText = false;
}

void EndDetails(HWND dialog, DetailsState& s) {
  if (s.scan) s.scan->stop();
  CheckDlgButton(dialog, kDetailsScanButton, BST_UNCHECKED);
  SendDlgItemMessageA(dialog, kDetailsTransponderEdit, EM_SETREADONLY, FALSE, 0);
  KillTimer(dialog, kScanTimer);
  EndDialog(dialog, 0);
}

void InitDetails(HWND dialog, DetailsState& s) {
  SetTimer(dialog, kScanTimer, kScanPeriodMs, nullptr);
  InterfaceSettings settings;
  if (!ReadInterfaceSettings(kInterfaceSettingsFile, settings)) {
    ShowError(dialog, kDecoderInterfaceFileNotFound);
  }
  s.scan = std::make_unique<DetailsScan>(settings.decoderKind.view());

  ClearVehicleTable(*s.vehicles);
  const std::string_view vehiclesMissing = VehiclesDescriptor().texts.fileFailed;
  if (!ReadVehicles(kVehiclesFile, *s.vehicles)) ShowError(dialog, vehiclesMissing);
  if (!FillVehicleCombo(GetDlgItem(dialog, kDetailsVehicleList))) ShowError(dialog, vehiclesMissing);
  if (!FillVehicleCategoryCombo(GetDlgItem(dialog, kDetailsCategoryList))) {
    ShowError(dialog, VehicleCategoriesDescriptor(0).texts.fileFailed);
  }
  FillFrequencyLists(dialog);

  for (const std::string& m : LoadParticipantDetails(s.form)) ShowError(dialog, m);
  // A code that names no participant: there is nothing to edit.
  if (!s.form.valid()) {
    EndDetails(dialog, s);
    return;
  }
  const ParticipantRecord& p = s.form.participant();
  SetText(dialog, s, kDetailsHeading, s.form.heading());
  SelectComboText(dialog, kDetailsVehicleList, p.vehicle.str());
  SelectComboText(dialog, kDetailsCategoryList, p.vehicleCategory.str());
  for (int i = 0; i < kDetailsFrequencies; ++i) {
    SelectComboText(dialog, kDetailsFirstFrequencyList + i, p.frequencies[i].str());
  }
  SendDlgItemMessageA(dialog, kDetailsCarNumberEdit, EM_LIMITTEXT, kCarNumberLimit, 0);
  SendDlgItemMessageA(dialog, kDetailsTransponderEdit, EM_LIMITTEXT, kTransponderDigits, 0);
  SetText(dialog, s, kDetailsCarNumberEdit, p.carNumber.str());
  SetText(dialog, s, kDetailsTransponderEdit, p.transponder.str());
  SetText(dialog, s, kDetailsScanState, "Off");

  s.fonts.apply(dialog, {5313, 5314, 5315, 5316, 5317, 5318, 5319, 5320, 5321, 5322, 5323, 5324});
  s.heading = CreateFontA(25, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  SendDlgItemMessageA(dialog, kDetailsHeading, WM_SETFONT, reinterpret_cast<WPARAM>(s.heading),
                      FALSE);
  s.lightSize = BitmapFileSize(kLightBitmaps[0]);
  RedrawLight(dialog, s);
}

void ToggleScan(HWND dialog, DetailsState& s) {
  const bool down = IsDlgButtonChecked(dialog, kDetailsScanButton) == BST_CHECKED;
  if (down) {
    // What waited before the scan is not a car held over the loop now.
    uint8_t buffer[kDecoderReadSize + 1];
    uint32_t count = 0;
    ReadDecoderPort(buffer, kDecoderReadSize, count);
    s.scan->start(CounterNow(), CounterFrequency());
  } else {
    s.scan->stop();
  }
  SendDlgItemMessageA(dialog, kDetailsTransponderEdit, EM_SETREADONLY, down ? TRUE : FALSE, 0);
  SetText(dialog, s, kDetailsScanState, down ? "On" : "Off");
  RedrawLight(dialog, s);
}

void Tick(HWND dialog, DetailsState& s) {
  uint8_t buffer[kDecoderReadSize + 1];
  uint32_t count = 0;
  if (!ReadDecoderPort(buffer, kDecoderReadSize, count)) count = 0;
  const DetailsScan::Tick tick = s.scan->tick(buffer, count, CounterNow());
  // The edit's change stores the number, as if it had been typed.
  if (!tick.transponder.empty()) {
    SetDlgItemTextA(dialog, kDetailsTransponderEdit, tick.transponder.c_str());
  }
  if (tick.indicatorChanged) RedrawLight(dialog, s);
}

// "OK" writes only while the transponder edit shows the number stored; otherwise it shows it
// and the dialog stays, so that what is seen is what is written. A write that fails keeps the
// dialog open too.
void Ok(HWND dialog, DetailsState& s) {
  if (ShowStoredTransponder(dialog, kDetailsTransponderEdit,
                            s.form.participant().transponder.view(), s.settingText)) {
    return;
  }
  const Outcome saved = SaveParticipantDetails(s.form);
  if (!saved) {
    ShowError(dialog, saved.message);
    return;
  }
  EndDetails(dialog, s);
}

void Command(HWND dialog, DetailsState& s, int id, int code) {
  if (id == IDOK) {
    Ok(dialog, s);
    return;
  }
  if (id < kFirstDetailsControl || id > kLastDetailsControl) {
    EndDetails(dialog, s);
    return;
  }
  ParticipantRecord& p = s.form.participant();
  std::string text;
  if (id == kDetailsScanButton) {
    if (code == BN_CLICKED) ToggleScan(dialog, s);
  } else if (id == kDetailsTransponderEdit) {
    if (code == EN_CHANGE && !s.settingText) s.form.setTransponder(DialogItemText(dialog, id));
    if (code == EN_KILLFOCUS) {
      ShowStoredTransponder(dialog, id, p.transponder.view(), s.settingText);
    }
  } else if (id == kDetailsCarNumberEdit) {
    if (code == EN_CHANGE && !s.settingText) s.form.setCarNumber(DialogItemText(dialog, id));
  } else if (code != CBN_SELCHANGE || !SelectedComboText(dialog, id, text)) {
    return;
  } else if (id == kDetailsVehicleList) {
    if (s.form.chooseVehicle(text, *s.vehicles)) {
      SelectComboText(dialog, kDetailsCategoryList, p.vehicleCategory.str());
    }
  } else if (id == kDetailsCategoryList) {
    p.vehicleCategory = text;
  } else if (id >= kDetailsFirstFrequencyList && id <= kLastFrequencyList) {
    p.frequencies[static_cast<std::size_t>(id - kDetailsFirstFrequencyList)] = text;
  }
}

}  // namespace

INT_PTR CALLBACK ParticipantDetailsDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<DetailsState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDetails(dialog, *s);
      return TRUE;
    case WM_PAINT:
      PaintLight(dialog, *s);
      return FALSE;
    case WM_TIMER:
      if (wparam == kScanTimer && s->scan) Tick(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      Command(dialog, *s, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      EndDetails(dialog, *s);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenParticipantDetailsDialog(HWND window) {
  DetailsState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "COURSEPILOTEDETAILS", window,
                  ParticipantDetailsDialogProc, reinterpret_cast<LPARAM>(&state));
  if (state.heading) DeleteObject(state.heading);
}

}  // namespace zd
