#include "ui/win32/application.h"

#include <commctrl.h>

#include "ui/win32/checked.h"
#include "ui/win32/failure_box.h"

namespace tarnwick::ui::win32 {

namespace {

void InitialiseCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  Checked(InitCommonControlsEx(&controls), "Loading the common controls");
}

// Steps 1 to 6 of start-up after COM: everything up to the first show.
std::unique_ptr<MainWindow> StartUp(platform::Platform& platform, const StartupHooks& hooks) {
  InitialiseCommonControls();
  auto mainWindow = std::make_unique<MainWindow>(platform);
  if (hooks.windowCreated) hooks.windowCreated(*mainWindow);
  mainWindow->show(platform::startupShowCommand());
  return mainWindow;
}

}  // namespace

int RunMessageLoop(HWND mainWindow, const std::function<bool(MSG&)>& beforeDispatch) {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got < 0) return 0;  // only an invalid window handle makes GetMessage fail
    if (beforeDispatch && beforeDispatch(message)) continue;
    if (IsWindow(mainWindow) && IsDialogMessageA(mainWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int RunApplication(const StartupHooks& hooks) {
  platform::initialiseUserInterfaceThread();
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<MainWindow> mainWindow;
  try {
    platform = platform::makeSystemPlatform();
    mainWindow = StartUp(*platform, hooks);
  } catch (const std::exception& failure) {
    ShowStartupFailure(failure, reinterpret_cast<const void*>(&StartUp));
    return 1;
  }
  RunMessageLoop(mainWindow->hwnd(), hooks.beforeDispatch);
  if (hooks.ending) hooks.ending();
  mainWindow.reset();
  return 0;
}

}  // namespace tarnwick::ui::win32
