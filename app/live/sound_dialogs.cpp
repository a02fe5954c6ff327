// The sound settings dialog ("SONS") and the custom sounds dialog ("SONSPERSONNALISES").

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <array>
#include <string>

#include "databases/database_dialog.h"
#include "live/settings_choosers.h"
#include "live/settings_dialogs.h"
#include "live/sound_settings_form.h"
#include "main/data_folder.h"
#include "main/message_box.h"

namespace zd {

namespace {

constexpr int kLanguageRadio = 4001;   // + SoundLanguageChoice
constexpr int kFirstSwitchBox = 4003;  // + SoundLine, for lines 1 to 8
constexpr int kModify = 4012;

// The dialog's own lines, kept apart from the main window's, reloaded at each opening.
SoundSettings& DialogSounds() {
  static SoundSettings sounds;
  return sounds;
}

void InitSoundSettings(HWND dialog, DatabaseFonts& fonts) {
  SoundSettings& s = DialogSounds();
  for (FixedText<21>& line : s.lines) line.clear();
  if (!ReadSoundSettings(kSoundSettingsFile, s)) ShowErrorBox(dialog, kSoundSettingsFileFailed);
  CheckDlgButton(dialog, kLanguageRadio + CheckedSoundLanguage(s), BST_CHECKED);
  for (int line = kSoundCountdown; line < kSoundLines; ++line) {
    CheckDlgButton(dialog, kFirstSwitchBox + line,
                   SoundSwitchChecked(s, line) ? BST_CHECKED : BST_UNCHECKED);
  }
  fonts.apply(dialog, {4021, 4022, 4023, 4024, 4025});
}

void SoundSettingsCommand(HWND dialog, int id) {
  SoundSettings& s = DialogSounds();
  if (id >= kLanguageRadio && id < kLanguageRadio + kSoundLanguageChoices) {
    ChooseSoundLanguage(s, static_cast<SoundLanguageChoice>(id - kLanguageRadio));
  } else if (id > kFirstSwitchBox && id < kFirstSwitchBox + kSoundLines) {
    SetSoundSwitch(s, id - kFirstSwitchBox, IsDlgButtonChecked(dialog, id) == BST_CHECKED);
  } else if (id == kModify) {
    OpenCustomSoundsDialog(dialog);
  } else if (id == IDOK) {
    CompleteSoundSettings(s);
    // A file that could not be written keeps the dialog open with what the user set.
    if (!WriteSoundSettings(kSoundSettingsFile, s)) {
      ShowErrorBox(dialog, kSoundSettingsFileFailed);
      return;
    }
    EndDialog(dialog, 0);
  } else if (id == IDCANCEL) {
    EndDialog(dialog, 0);
  }
}

// The custom sounds dialog: group g has its list 4041 + 4g, path 4042 + 4g, load 4043 + 4g and
// listen 4044 + 4g.
constexpr int kFirstGroupControl = 4041;
constexpr int kGroupControls = 4;
enum GroupControl { kList = 0, kPath = 1, kLoad = 2, kListen = 3 };

int GroupControlId(int group, GroupControl control) {
  return kFirstGroupControl + kGroupControls * group + control;
}

struct CustomSoundsState {
  CustomSounds sounds;
  std::array<int, kCustomSoundGroupCount> selected{};
  std::string savedDirectory;
  DatabaseFonts fonts;
  HFONT pathFont = CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  HANDLE loadPicture = nullptr;
  HANDLE listenPicture = nullptr;
  ~CustomSoundsState() {
    DeleteObject(pathFont);
    if (loadPicture) DeleteObject(loadPicture);
    if (listenPicture) DeleteObject(listenPicture);
  }
};

int SelectedSlot(const CustomSoundsState& s, int group) {
  return CustomSoundSlot(group, s.selected[static_cast<std::size_t>(group)]);
}

void ShowSelectedPath(HWND dialog, const CustomSoundsState& s, int group) {
  const int slot = SelectedSlot(s, group);
  SetDlgItemTextA(dialog, GroupControlId(group, kPath),
                  slot < 0 ? "" : s.sounds[static_cast<std::size_t>(slot)].c_str());
}

void InitCustomSounds(HWND dialog, CustomSoundsState& s) {
  s.savedDirectory = CurrentDirectoryPath();
  ClearCustomSounds(s.sounds);
  if (!ReadCustomSounds(kCustomSoundsFile, s.sounds)) ShowErrorBox(dialog, kCustomSoundsFileFailed);
  s.loadPicture = LoadImageA(nullptr, "images/chargercourse.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  s.listenPicture = LoadImageA(nullptr, "images/Sons2.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  for (int g = 0; g < kCustomSoundGroupCount; ++g) {
    HWND list = GetDlgItem(dialog, GroupControlId(g, kList));
    for (std::string_view item : CustomSoundGroupItems(g)) {
      const std::string text(item);
      SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    ShowSelectedPath(dialog, s, g);
    SendDlgItemMessageA(dialog, GroupControlId(g, kLoad), BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(s.loadPicture));
    SendDlgItemMessageA(dialog, GroupControlId(g, kListen), BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(s.listenPicture));
  }
  s.fonts.apply(dialog, {4081, 4082, 4083, 4084, 4085, 4086, 4087});
  for (int g = 0; g < kCustomSoundGroupCount; ++g) {
    SendDlgItemMessageA(dialog, GroupControlId(g, kPath), WM_SETFONT,
                        reinterpret_cast<WPARAM>(s.pathFont), FALSE);
  }
}

void CustomSoundsCommand(HWND dialog, CustomSoundsState& s, int id, int notification) {
  if (id == IDOK || id == IDCANCEL) {
    SetCurrentDirectoryA(s.savedDirectory.c_str());
    if (id == IDOK && !WriteCustomSounds(kCustomSoundsFile, s.sounds)) {
      ShowErrorBox(dialog, kCustomSoundsFileFailed);
      return;
    }
    EndDialog(dialog, 0);
    return;
  }
  const int offset = id - kFirstGroupControl;
  if (offset < 0 || offset >= kGroupControls * kCustomSoundGroupCount) return;
  const int group = offset / kGroupControls;
  switch (offset % kGroupControls) {
    case kList:
      if (notification != CBN_SELCHANGE) return;
      s.selected[static_cast<std::size_t>(group)] =
          static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
      ShowSelectedPath(dialog, s, group);
      return;
    case kLoad: {
      const int slot = SelectedSlot(s, group);
      if (slot < 0) return;
      const std::string chosen = ChooseExistingFile(dialog, "Sons (.wav)", "*.wav", "");
      if (chosen.empty()) return;
      FixedText<260>& path = s.sounds[static_cast<std::size_t>(slot)];
      path.clear();
      path.assign(chosen);
      ShowSelectedPath(dialog, s, group);
      SetCurrentDirectoryA(s.savedDirectory.c_str());
      return;
    }
    case kListen: {
      const int slot = SelectedSlot(s, group);
      if (slot >= 0) PlaySoundA(s.sounds[static_cast<std::size_t>(slot)].c_str(), nullptr,
                                SND_FILENAME | SND_ASYNC);
      return;
    }
    default:
      return;
  }
}

}  // namespace

INT_PTR CALLBACK SoundSettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* fonts = reinterpret_cast<DatabaseFonts*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (fonts == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitSoundSettings(dialog, *fonts);
      return TRUE;
    case WM_COMMAND:
      SoundSettingsCommand(dialog, LOWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK CustomSoundsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* s = reinterpret_cast<CustomSoundsState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (s == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitCustomSounds(dialog, *s);
      return TRUE;
    case WM_COMMAND:
      CustomSoundsCommand(dialog, *s, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      SetCurrentDirectoryA(s->savedDirectory.c_str());
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void OpenSoundSettingsDialog(HWND owner) {
  DatabaseFonts fonts;
  DialogBoxParamA(GetModuleHandleA(nullptr), "SONS", owner, SoundSettingsDialogProc,
                  reinterpret_cast<LPARAM>(&fonts));
}

void OpenCustomSoundsDialog(HWND owner) {
  CustomSoundsState state;
  DialogBoxParamA(GetModuleHandleA(nullptr), "SONSPERSONNALISES", owner, CustomSoundsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace zd
