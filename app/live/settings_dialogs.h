#pragma once
// The settings dialogs of the live board: sounds ("SONS"), the user's own sound files
// ("SONSPERSONNALISES", opened from the sounds dialog) and the board's appearance ("AFFICHAGE"),
// with the preview that the display dialog paints. Each is modal over its owner, ends with 0 and
// works through its file alone: read at opening, written by "Ok".

#include <windows.h>

#include "files/settings.h"
#include "live/display_settings_form.h"

namespace zd {

void OpenSoundSettingsDialog(HWND owner);
void OpenCustomSoundsDialog(HWND owner);
void OpenDisplaySettingsDialog(HWND owner);

INT_PTR CALLBACK SoundSettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK CustomSoundsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK DisplaySettingsDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                           LPARAM lparam);

// The display dialog's zones in its client pixels: the template's zones mapped with the dialog's
// own dialog units.
DisplayZones DialogDisplayZones(HWND dialog);
// The preview on any device context: the zones framed, the logo, the colour fills, the gradients,
// the grid line and the "AaBbYyZz" samples of fonts 0, 1, 2 and of the selected column.
void DrawDisplaySettingsPreview(HDC dc, const DisplayZones& zones, const DisplaySettings& settings,
                                int selectedColumn);
// PaintDisplaySettingsPreview: the preview within the dialog's own begin and end of painting.
void PaintDisplaySettingsPreview(HWND dialog, const DisplayZones& zones,
                                 const DisplaySettings& settings, int selectedColumn);

}  // namespace zd
