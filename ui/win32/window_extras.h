// Start-up's steps for the parts of the program beyond the main window: the balloon hints, set
// up while the main window is loaded, and the About window, created hidden right after it.
#pragma once

#include "ui/win32/application.h"

namespace tarnwick::ui::win32 {

StartupHooks AboutBoxAndBalloonHints();

}  // namespace tarnwick::ui::win32
