// Win32 calls whose failure matters end in the program's own failure, with the system's message.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick::ui::win32 {

// "Creating the main window failed: <the system's message> (error 1407)" for the thread's last
// error.
[[noreturn]] void ThrowLastError(const char* operation);

// The handle or result when it is set; otherwise the failure of `operation`.
template <typename Result>
Result Checked(Result result, const char* operation) {
  if (!result) ThrowLastError(operation);
  return result;
}

}  // namespace tarnwick::ui::win32
