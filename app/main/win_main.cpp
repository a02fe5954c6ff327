// The program's entry point: no arguments, no environment; everything lives in the data folder.

#include <windows.h>

#include "main/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!zd::StartProgram(instance)) return 0;
  return zd::RunMessageLoop();
}
