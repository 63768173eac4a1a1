// Windows API: COM for the user-interface thread and the show command the program was started with.
#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

#include "platform/platform.h"

namespace tarnwick::platform {

void initialiseUserInterfaceThread() {
  // The shell's folder and launch functions expect a single-threaded apartment on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

ShowCommand startupShowCommand() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return ShowCommand::Normal;
  switch (startup.wShowWindow) {
    case SW_SHOWMAXIMIZED:
      return ShowCommand::Maximized;
    case SW_SHOWMINNOACTIVE:
      return ShowCommand::Minimized;
    default:
      return ShowCommand::Normal;
  }
}

}  // namespace tarnwick::platform
