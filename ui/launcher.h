// Hands a file or folder to the system's shell and returns without waiting for what it starts.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tarnwick::ui {

enum class ShowState { Normal, Maximized, Minimized, Hide };

class Launcher {
 public:
  explicit Launcher(platform::Platform& platform) : platform_(platform) {}

  std::string Action = "Open";
  std::string FileName;
  std::string Parameters;
  std::string StartDir;
  ShowState ShowMode = ShowState::Normal;

  // 0 when the launch succeeded or nothing was launched, else the shell's error value.
  std::int32_t OpenWithShell();

 private:
  platform::Platform& platform_;
};

}  // namespace tarnwick::ui
