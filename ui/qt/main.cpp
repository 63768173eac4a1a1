#include <exception>
#include <memory>

#include "platform/platform.h"
#include "ui/qt/about_box.h"
#include "ui/qt/application.h"
#include "ui/qt/balloon_hint.h"
#include "ui/qt/main_window.h"

namespace {

// Steps 1 to 6 of start-up after the application object: everything up to the first show.
std::unique_ptr<tarnwick::ui::MainWindow> StartUp(tarnwick::platform::Platform& platform) {
  auto mainWindow = std::make_unique<tarnwick::ui::MainWindow>(platform);
  tarnwick::ui::CreateAboutBox(*mainWindow);
  // A start asked for maximised or minimised (without activation) opens so; else normal.
  switch (tarnwick::platform::startupShowCommand()) {
    case tarnwick::platform::ShowCommand::Maximized:
      mainWindow->showMaximized();
      break;
    case tarnwick::platform::ShowCommand::Minimized:
      mainWindow->setAttribute(Qt::WA_ShowWithoutActivating);
      mainWindow->showMinimized();
      break;
    default:
      mainWindow->show();
  }
  return mainWindow;
}

}  // namespace

int main(int argc, char** argv) {
  tarnwick::platform::initialiseUserInterfaceThread();
  tarnwick::ui::Application app(argc, argv);
  std::unique_ptr<tarnwick::platform::Platform> platform;
  std::unique_ptr<tarnwick::ui::MainWindow> mainWindow;
  try {
    platform = tarnwick::platform::makeSystemPlatform();
    mainWindow = StartUp(*platform);
  } catch (const std::exception& failure) {
    tarnwick::ui::ShowStartupFailure(failure, reinterpret_cast<const void*>(&StartUp));
    return 1;
  }
  const int code = app.exec();
  tarnwick::ui::SwitchApplicationHintsOff();
  return code;
}
