#include "ui/win32/failure_box.h"

#include <windows.h>

#include "ui/failure_text.h"

namespace tarnwick::ui::win32 {

namespace {

std::string ProgramPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

}  // namespace

void ShowFailure(const std::exception& failure) { ShowFailure(std::string(failure.what())); }

void ShowFailure(const std::string& message) {
  ReleaseCapture();
  // Owned by the active window (the main window or the About window), which it disables.
  MessageBoxA(GetActiveWindow(), FailureMessageText(message).c_str(), ApplicationTitle,
              MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

void ShowStartupFailure(const std::exception& failure, const void* address) {
  const std::string text =
      StartupFailureText(FailureKind(failure), FileNameOf(ProgramPath()), address, failure.what());
  MessageBoxA(nullptr, text.c_str(), StartupFailureCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tarnwick::ui::win32
