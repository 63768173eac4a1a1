// The application: start-up in its order, the message loop, and shutdown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/platform.h"
#include "ui/win32/main_window.h"

namespace tarnwick::ui::win32 {

// Steps of start-up that the About window and the hints add to; each is optional.
struct StartupHooks {
  // After the main window is made and before it is shown: builds the About window (hidden) and
  // the hint machinery for the main window.
  std::function<void(MainWindow& mainWindow)> windowCreated;
  // A message the loop is about to dispatch; true when the hook has handled it.
  std::function<bool(MSG& message)> beforeDispatch;
  // After the loop has ended, before the windows are destroyed: hints are switched off.
  std::function<void()> ending;
};

// Sets up the application, creates and shows the main window and runs the message loop until the
// window is closed. Returns the program's exit code: 0, or 1 after a failure before the loop.
int RunApplication(const StartupHooks& hooks = {});

// Runs the message loop until WM_QUIT; the dialog manager moves the focus with Tab and turns Esc
// into IDCANCEL for `mainWindow`.
int RunMessageLoop(HWND mainWindow, const std::function<bool(MSG&)>& beforeDispatch = {});

}  // namespace tarnwick::ui::win32
