#include "ui/win32/checked.h"

#include <stdexcept>

namespace tarnwick::ui::win32 {

void ThrowLastError(const char* operation) {
  const DWORD code = GetLastError();
  std::string text = std::string(operation) + " failed";
  char* message = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  if (length > 0 && message) {
    std::string system(message, length);
    while (!system.empty() && (system.back() == '\n' || system.back() == '\r' ||
                               system.back() == '.' || system.back() == ' '))
      system.pop_back();
    text += ": " + system;
  }
  LocalFree(message);
  text += " (error " + std::to_string(code) + ")";
  throw std::runtime_error(text);
}

}  // namespace tarnwick::ui::win32
