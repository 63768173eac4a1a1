#include "ui/failure_text.h"

#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "report/io_failure.h"

namespace tarnwick::ui {

std::string FailureMessageText(const std::string& message) { return WithFullStop(message); }

std::string FailureKind(const std::exception& failure) {
  const char* mangled = typeid(failure).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return status == 0 && demangled ? demangled.get() : mangled;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StartupFailureText(const std::string& kind, const std::string& module,
                               const void* address, const std::string& message) {
  std::string hex;
  for (auto value = reinterpret_cast<std::uintptr_t>(address); value != 0 || hex.size() < 8;
       value >>= 4) {
    hex.insert(hex.begin(), "0123456789ABCDEF"[value & 0xF]);
  }
  const bool fullStop = !message.empty() && message.back() != '.';
  return "Exception " + kind + " in module " + module + " at " + hex + ".\r\n" + message +
         (fullStop ? "." : "") + "\r\n";
}

}  // namespace tarnwick::ui
