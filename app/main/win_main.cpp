// The program's entry point and its main window.

#include <windows.h>

#include <string>

#include "main/data_folder.h"
#include "main/message_box.h"
#include "resources/resource.h"

namespace {

const char kMainWindowClass[] = "classeF";
const char kProgramName[] = "Zentrik Dizavirov";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // Every file of the program is read and written relative to the data folder.
  if (!zd::MakeDataFolderCurrent()) {
    const std::string text = "Le dossier de données est introuvable :\n" + zd::DataFolderPath();
    zd::ShowMessage(nullptr, text.c_str(), kProgramName, MB_OK | MB_ICONERROR);
    return 1;
  }

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = MainWindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  window_class.lpszClassName = kMainWindowClass;
  if (!RegisterClassA(&window_class)) return 1;

  HWND window = CreateWindowA(kMainWindowClass, kProgramName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
