// The display settings dialog ("AFFICHAGE") and its preview.

#include <string>

#include "databases/database_dialog.h"
#include "live/gdi_objects.h"
#include "live/picture_drawing.h"
#include "live/settings_choosers.h"
#include "live/settings_dialogs.h"
#include "main/data_folder.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr int kFirstStyleRadio = 4101;
constexpr int kColumnList = 4104;
constexpr int kWidthEdit = 4105;
constexpr int kWidthPlus = 4106;
constexpr int kWidthMinus = 4107;
constexpr int kImport = 4108;
constexpr int kExport = 4109;
constexpr const char* kFileFilter = "Fichier affichage (.scrn2)";
constexpr const char* kFilePattern = "*.scrn2";
constexpr UINT kRedrawZone = RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_ERASENOW;

// The dialog's record, kept from one opening to the next but reloaded at each; the selected
// column stays for the whole run.
struct DisplayRecord {
  DisplaySettings settings;
  CustomColours custom{};
  int selectedColumn = 0;
};
DisplayRecord& Record() {
  static DisplayRecord record;
  return record;
}

// What one opening holds.
struct DisplayDialogState {
  std::string savedDirectory;
  std::string dataFolder;
  DatabaseFonts fonts;
  DisplayZones zones;
  // Set while the program writes the width edit, whose change notification is not the user's.
  bool settingWidth = false;
};

void RestoreDirectory(const DisplayDialogState& s) { SetCurrentDirectoryA(s.savedDirectory.c_str()); }

RECT ToRect(const ZoneRect& z) { return {z.left, z.top, z.right, z.bottom}; }

void RedrawZone(HWND dialog, const ZoneRect& zone) {
  const RECT r = ToRect(zone);
  RedrawWindow(dialog, &r, nullptr, kRedrawZone);
}

void RedrawFontZones(HWND dialog, const DisplayDialogState& s) {
  for (const ZoneRect& z : s.zones.fonts) RedrawZone(dialog, z);
}

void RedrawEverything(HWND dialog, const DisplayDialogState& s) {
  RedrawZone(dialog, s.zones.logo);
  for (const ZoneRect& z : s.zones.colours) RedrawZone(dialog, z);
  RedrawFontZones(dialog, s);
}

int32_t& SelectedWidth() {
  DisplayRecord& r = Record();
  return r.settings.widths[static_cast<std::size_t>(r.selectedColumn)];
}

void ShowWidth(HWND dialog, DisplayDialogState& s) {
  s.settingWidth = true;
  SetDlgItemTextA(dialog, kWidthEdit, WidthText(SelectedWidth()).c_str());
  s.settingWidth = false;
}

// The column list, the width and the style radio as the record holds them.
void ShowRecord(HWND dialog, DisplayDialogState& s) {
  SendDlgItemMessageA(dialog, kColumnList, CB_SETCURSEL, static_cast<WPARAM>(Record().selectedColumn), 0);
  ShowWidth(dialog, s);
  CheckRadioButton(dialog, kFirstStyleRadio, kFirstStyleRadio + 2,
                   kFirstStyleRadio + CheckedStyleRadio(Record().settings.style));
}

void InitDisplaySettings(HWND dialog, DisplayDialogState& s) {
  s.savedDirectory = CurrentDirectoryPath();
  s.dataFolder = DataFolderPath();
  s.zones = DialogDisplayZones(dialog);
  DisplayRecord& r = Record();
  for (BoardFont& font : r.settings.fonts) font.face.clear();
  r.settings.logoPath.clear();
  if (!ReadDisplaySettings(kDisplaySettingsFile, r.settings, r.custom)) {
    ShowErrorBox(dialog, kDisplaySettingsFileNotFound);
  }
  for (std::string_view text : kBoardColumnTexts) {
    const std::string t(text);
    SendDlgItemMessageA(dialog, kColumnList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
  }
  SendDlgItemMessageA(dialog, kWidthEdit, EM_LIMITTEXT, kWidthEditLimit, 0);
  ShowRecord(dialog, s);
  s.fonts.apply(dialog, {4110, 4111, 4117, 4123});
  RedrawEverything(dialog, s);
}

void DoubleClick(HWND dialog, DisplayDialogState& s, int32_t x, int32_t y) {
  DisplayRecord& r = Record();
  const ZoneHit hit = HitDisplayZone(s.zones, x, y);
  switch (hit.kind) {
    case ZoneKind::Logo: {
      const std::string chosen =
          ChooseExistingFile(dialog, "Images (*.BMP; *.JPG)", "*.bmp;*.jpg;*.jpeg", "");
      if (chosen.empty()) return;
      r.settings.logoPath.clear();
      r.settings.logoPath.assign(chosen);
      RestoreDirectory(s);
      RedrawZone(dialog, s.zones.logo);
      return;
    }
    case ZoneKind::Colour:
      ChooseColour(dialog, r.settings.colours[static_cast<std::size_t>(hit.index)], r.custom);
      RedrawZone(dialog, s.zones.colours[static_cast<std::size_t>(hit.index)]);
      RedrawZone(dialog, s.zones.colours[kColourGrid]);
      RedrawFontZones(dialog, s);
      return;
    case ZoneKind::Font: {
      const auto f = static_cast<std::size_t>(FontOfZone(hit.index, r.selectedColumn));
      ChooseBoardFont(dialog, r.settings.fonts[f], r.settings.fontColours[f],
                      FontZoneSizeLimits(hit.index));
      RedrawFontZones(dialog, s);
      return;
    }
    case ZoneKind::None:
      return;
  }
}

void Import(HWND dialog, DisplayDialogState& s) {
  const std::string chosen = ChooseExistingFile(dialog, kFileFilter, kFilePattern, s.dataFolder);
  if (chosen.empty()) return;
  DisplayRecord& r = Record();
  // A file that cannot be read leaves the settings as they were, faces and logo included.
  const bool read = ReadDisplaySettingsInto(chosen, r.settings, r.custom);
  RestoreDirectory(s);
  if (!read) {
    ShowErrorBox(dialog, kDisplayImportFailed);
    return;
  }
  r.selectedColumn = 0;
  ShowRecord(dialog, s);
  RedrawEverything(dialog, s);
}

void Export(HWND dialog, DisplayDialogState& s) {
  const std::string prefill = DisplayExportPrefill(s.dataFolder);
  const std::string chosen = ChooseSaveFile(dialog, kFileFilter, kFilePattern, s.dataFolder, prefill);
  const std::optional<std::string> path = DisplayExportPath(chosen, prefill);
  if (path) {
    if (path->empty() || !WriteDisplaySettings(*path, Record().settings, Record().custom)) {
      ShowErrorBox(dialog, kDisplayExportFailed);
    }
  }
  RestoreDirectory(s);
}

void Command(HWND dialog, DisplayDialogState& s, int id, int notification) {
  DisplayRecord& r = Record();
  switch (id) {
    case kFirstStyleRadio:
    case kFirstStyleRadio + 1:
    case kFirstStyleRadio + 2:
      r.settings.style = id - kFirstStyleRadio;
      return;
    case kColumnList: {
      if (notification != CBN_SELCHANGE) return;
      const LRESULT item = SendDlgItemMessageA(dialog, kColumnList, CB_GETCURSEL, 0, 0);
      if (item < 0 || item >= kBoardColumns) return;
      r.selectedColumn = static_cast<int>(item);
      ShowWidth(dialog, s);
      RedrawZone(dialog, s.zones.fonts[3]);
      return;
    }
    case kWidthEdit:
      if (notification != EN_CHANGE || s.settingWidth) return;
      SelectedWidth() = TypedWidth(DialogItemText(dialog, kWidthEdit));
      return;
    case kWidthPlus:
    case kWidthMinus: {
      int32_t& width = SelectedWidth();
      const int32_t changed = id == kWidthPlus ? WidthPlusOne(width) : WidthMinusOne(width);
      if (changed == width) return;
      width = changed;
      ShowWidth(dialog, s);
      return;
    }
    case kImport:
      Import(dialog, s);
      return;
    case kExport:
      Export(dialog, s);
      return;
    case IDOK:
      RestoreDirectory(s);
      // A file that could not be written keeps the dialog open with what the user set.
      if (!WriteDisplaySettings(kDisplaySettingsFile, r.settings, r.custom)) {
        ShowErrorBox(dialog, kDisplaySettingsFileNotFound);
        return;
      }
      EndDialog(dialog, 0);
      return;
    case IDCANCEL:
      RestoreDirectory(s);
      EndDialog(dialog, 0);
      return;
    default:
      return;
  }
}

void FrameZone(HDC dc, const ZoneRect& z) {
  Rectangle(dc, z.left - 1, z.top - 1, z.right + 1, z.bottom + 1);
}

void FillGradient(HDC dc, const ZoneRect& z, int32_t first, int32_t second) {
  const std::vector<int32_t> rows = PreviewGradientRows(first, second, z.height());
  for (std::size_t n = 0; n < rows.size(); ++n) {
    const int32_t y = z.top + static_cast<int32_t>(n);
    FillSolid(dc, {z.left, y, z.right, y + 1}, rows[n]);
  }
}

void DrawFontSample(HDC dc, const ZoneRect& z, const BoardFont& font, int32_t colour) {
  // Every sample at the same height: the stored one is the board's, scaled to its screen.
  GdiObject sample(CreateFontA(18, 0, 0, 0, font.weight, static_cast<BYTE>(font.italic),
                               static_cast<BYTE>(font.underline), static_cast<BYTE>(font.strikeOut),
                               0, 0, 0, 0, 0, font.face.c_str()));
  DcState state(dc);
  SelectObject(dc, sample.get());
  SetTextColor(dc, ToColorRef(colour));
  TextOutA(dc, z.left + 5, z.top, "AaBbYyZz", 8);
}

}  // namespace

DisplayZones DialogDisplayZones(HWND dialog) {
  // The template's pixels are half dialog units; mapped with the dialog's own base units, kept to
  // the pixel, so that two pixels per unit gives them back exactly.
  RECT unit{0, 0, 4000, 8000};
  MapDialogRect(dialog, &unit);
  auto map = [&unit](const ZoneRect& z) {
    return ZoneRect{MulDiv(z.left, unit.right, 8000), MulDiv(z.top, unit.bottom, 16000),
                    MulDiv(z.right, unit.right, 8000), MulDiv(z.bottom, unit.bottom, 16000)};
  };
  const DisplayZones t = TemplateDisplayZones();
  DisplayZones zones;
  zones.logo = map(t.logo);
  for (std::size_t i = 0; i < zones.colours.size(); ++i) zones.colours[i] = map(t.colours[i]);
  for (std::size_t k = 0; k < zones.fonts.size(); ++k) zones.fonts[k] = map(t.fonts[k]);
  return zones;
}

void DrawDisplaySettingsPreview(HDC dc, const DisplayZones& zones, const DisplaySettings& settings,
                                int selectedColumn) {
  DcState state(dc);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  FrameZone(dc, zones.logo);
  for (const ZoneRect& z : zones.colours) FrameZone(dc, z);
  for (const ZoneRect& z : zones.fonts) FrameZone(dc, z);

  // The record's path stays as it is: a JPEG is drawn from its converted copy.
  const PreparedPicture logo = PreparePicture(settings.logoPath.c_str(), kLogoBoxWidth, kLogoBoxHeight);
  if (logo.picture) {
    DrawBitmapFile(dc, logo.picture->path.c_str(), zones.logo.left, zones.logo.top,
                   logo.picture->size.cx, logo.picture->size.cy);
  }

  const auto colour = [&settings](int i) { return settings.colours[static_cast<std::size_t>(i)]; };
  for (int i = 0; i < kColourGrid; ++i) FillSolid(dc, ToRect(zones.colours[static_cast<std::size_t>(i)]), colour(i));
  FillSolid(dc, ToRect(zones.fonts[0]), colour(kColourSeriesTitle));
  FillSolid(dc, ToRect(zones.fonts[1]), colour(kColourRadioConflict));
  FillGradient(dc, zones.fonts[2], colour(kColourLabelFirst), colour(kColourLabelSecond));
  FillGradient(dc, zones.fonts[3], colour(kColourResultsFirst), colour(kColourResultsSecond));
  const ZoneRect& grid = zones.colours[kColourGrid];
  FillGradient(dc, grid, colour(kColourResultsFirst), colour(kColourResultsSecond));
  DrawSolidLine(dc, 3, colour(kColourGrid), grid.left + 5, grid.top + 10, grid.right - 5,
                grid.top + 10);

  SetBkMode(dc, TRANSPARENT);
  for (int k = 0; k < kFontZoneCount; ++k) {
    const auto f = static_cast<std::size_t>(FontOfZone(k, selectedColumn));
    DrawFontSample(dc, zones.fonts[static_cast<std::size_t>(k)], settings.fonts[f],
                   settings.fontColours[f]);
  }
}

void PaintDisplaySettingsPreview(HWND dialog, const DisplayZones& zones,
                                 const DisplaySettings& settings, int selectedColumn) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  DrawDisplaySettingsPreview(dc, zones, settings, selectedColumn);
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK DisplaySettingsDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<DisplayDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDisplaySettings(dialog, *s);
      return TRUE;
    case WM_PAINT:
      // Painted, then left to the dialog's own handling, which finds nothing more to paint.
      PaintDisplaySettingsPreview(dialog, s->zones, Record().settings, Record().selectedColumn);
      return FALSE;
    case WM_LBUTTONDBLCLK:
      DoubleClick(dialog, *s, static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam)));
      return TRUE;
    case WM_RBUTTONDBLCLK:
      if (InZone(s->zones.logo, static_cast<int16_t>(LOWORD(lparam)),
                 static_cast<int16_t>(HIWORD(lparam)))) {
        Record().settings.logoPath.clear();
        RedrawZone(dialog, s->zones.logo);
      }
      return TRUE;
    case WM_COMMAND:
      Command(dialog, *s, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      RestoreDirectory(*s);
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenDisplaySettingsDialog(HWND owner) {
  DisplayDialogState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "AFFICHAGE", owner, DisplaySettingsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace zd
