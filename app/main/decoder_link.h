#pragma once
// The decoder link in the main window: its supervision on each timer tick, and the interface
// dialog (template "INTERFACE", menu command 1022) where the operator picks the COM port and has
// the hardware detected. The rules are the core's (main/decoder_supervision.h).

#include <windows.h>

#include "files/settings.h"
#include "main/decoder_supervision.h"

namespace zd {

// The interface dialog's controls.
inline constexpr int kInterfaceKv1Radio = 4201;
inline constexpr int kInterfaceUsbRadio = 4202;
inline constexpr int kInterfaceBluetoothRadio = 4203;
inline constexpr int kInterfaceMessages = 4204;
inline constexpr int kInterfacePortList = 4205;
inline constexpr int kInterfaceOpenButton = 4206;
inline constexpr int kInterfaceDecoderGroup = 4207;
inline constexpr int kInterfaceMessagesGroup = 4208;
inline constexpr int kInterfacePortGroup = 4209;
// Where the light of the connection state is drawn in the dialog.
inline constexpr int kInterfaceLightX = 280;
inline constexpr int kInterfaceLightY = 370;
inline constexpr int kInterfaceLightSize = 24;

// The link state of the main window, kept for the program's life.
DecoderLinkState& MainDecoderLink();

// The link steps of a tick of the main timer.
void SuperviseMainDecoderLink(HWND window);

// Opens the interface dialog modally over owner. No keep-alive or reconnection runs while it is
// open, and the next tick reads the settings it may have written.
void OpenInterfaceDialog(HWND owner);

INT_PTR CALLBACK InterfaceDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace zd
