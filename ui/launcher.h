// Hands a file or folder to the system's shell and returns without waiting for what it starts.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tarnwick::ui {

enum class ShowState { Normal, Maximized, Minimized, Hide };
enum class WaitMode { FullStop, ProcessMessages };

class Launcher {
 public:
  explicit Launcher(platform::Platform& platform) : platform_(platform) {}

  std::string Action = "Open";
  std::string FileName;
  std::string Parameters;
  std::string StartDir;
  ShowState ShowMode = ShowState::Normal;
  // Only a waiting launch would use these three; this program never starts one.
  std::int32_t Timeout = -1;
  bool WaitUntilFinished = false;
  WaitMode WaitType = WaitMode::FullStop;

  // 0 when the launch succeeded or nothing was launched, else the shell's error value.
  std::int32_t OpenWithShell();

  // What the shell returned for the last successful launch; nothing in the program reads them.
  std::int32_t instance() const { return instance_; }
  std::uintptr_t processHandle() const { return process_; }

 private:
  platform::Platform& platform_;
  std::int32_t instance_ = 0;
  std::uintptr_t process_ = 0;
};

}  // namespace tarnwick::ui
