#include "ui/win32/window_extras.h"

#include <memory>

#include "ui/win32/about_box.h"
#include "ui/win32/balloon_hint_controller.h"
#include "ui/win32/picture_resources.h"

namespace tarnwick::ui::win32 {

namespace {

// What the hooks make; it lives as long as the hooks, beyond the main window.
struct Extras {
  std::unique_ptr<platform::Platform> platform;
  std::unique_ptr<BalloonHintController> balloonHint;
  std::unique_ptr<AboutBox> aboutBox;
};

}  // namespace

StartupHooks AboutBoxAndBalloonHints() {
  auto extras = std::make_shared<Extras>();
  StartupHooks hooks;
  hooks.windowCreated = [extras](MainWindow& mainWindow) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // `balloonHint` with `il1`: every hint of the program becomes a balloon.
    extras->balloonHint = std::make_unique<BalloonHintController>(
        instance, mainWindow.hwnd(), ProgramBalloonContent(),
        PngPicture::FromResource(instance, TARNWICK_PNG_BALLOON_ICON));
    for (const HintedControl& control : mainWindow.hintedControls()) {
      extras->balloonHint->setHint(control.control, control.hint);
    }
    // Links reach the shell through a binding of the About window's own.
    extras->platform = platform::makeSystemPlatform();
    extras->aboutBox = std::make_unique<AboutBox>(instance, mainWindow.hwnd(), *extras->platform);
    // The result of the modal display is of no use: the window only informs.
    mainWindow.showAbout = [about = extras->aboutBox.get()] { about->showModal(); };
  };
  hooks.ending = [extras] {
    if (extras->balloonHint) extras->balloonHint->switchHintsOff();
  };
  return hooks;
}

}  // namespace tarnwick::ui::win32
