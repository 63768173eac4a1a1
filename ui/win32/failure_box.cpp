#include "ui/win32/failure_box.h"

#include <cxxabi.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "report/io_failure.h"

namespace tarnwick::ui::win32 {

namespace {

std::string KindOf(const std::exception& failure) {
  const char* mangled = typeid(failure).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return status == 0 && demangled ? demangled.get() : mangled;
}

std::string ProgramFileName() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  const auto slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

void ShowFailure(const std::exception& failure) { ShowFailure(std::string(failure.what())); }

void ShowFailure(const std::string& message) {
  ReleaseCapture();
  // Owned by the active window (the main window or the About window), which it disables.
  MessageBoxA(GetActiveWindow(), WithFullStop(message).c_str(), ApplicationTitle,
              MB_OK | MB_ICONERROR | MB_APPLMODAL);
}

void ShowStartupFailure(const std::exception& failure, const void* address) {
  const std::string message = failure.what();
  const char* fullStop = !message.empty() && message.back() != '.' ? "." : "";
  char location[32];
  std::snprintf(location, sizeof location, "%08llX",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
  const std::string text = "Exception " + KindOf(failure) + " in module " + ProgramFileName() +
                           " at " + location + ".\r\n" + message + fullStop + "\r\n";
  MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tarnwick::ui::win32
