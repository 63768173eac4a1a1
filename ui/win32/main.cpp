// tarnwick.exe: start-up, the message loop and shutdown of the window on Windows.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <exception>
#include <memory>

#include "platform/platform.h"
#include "ui/win32/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return tarnwick::ui::win32::RunApplication();
}
