// Windows API: shell actions through ShellExecuteExA, returning as soon as the shell has started
// them.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

int ShowCommandOf(ShowCommand show) {
  switch (show) {
    case ShowCommand::Normal:
      return SW_SHOWNORMAL;
    case ShowCommand::Maximized:
      return SW_SHOWMAXIMIZED;
    case ShowCommand::Minimized:
      return SW_SHOWMINNOACTIVE;
    case ShowCommand::Hide:
      return SW_HIDE;
  }
  return SW_SHOWNORMAL;
}

}  // namespace

Win32Platform::~Win32Platform() {
  if (lastProcess_) CloseHandle(lastProcess_);
}

ShellResult Win32Platform::shellExecute(const ShellRequest& request) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // The process handle is asked for, a DDE conversation may finish first, and the shell shows no
  // error box of its own.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
  static_assert((SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI) == 0x540);
  info.hwnd = nullptr;
  // Empty texts go as empty strings, never as null pointers.
  info.lpVerb = request.verb.c_str();
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.c_str();
  info.lpDirectory = request.directory.c_str();
  info.nShow = ShowCommandOf(request.show);

  std::lock_guard lock(launchMutex_);
  // The handle of the previous launch is replaced now: nothing waits on it.
  if (lastProcess_) CloseHandle(lastProcess_);
  lastProcess_ = nullptr;
  ShellResult result;
  result.ok = ShellExecuteExA(&info) != 0;
  result.instance = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(info.hInstApp));
  if (result.ok) {
    lastProcess_ = info.hProcess;
    result.process = reinterpret_cast<std::uintptr_t>(info.hProcess);
  }
  return result;
}

}  // namespace tarnwick::platform
