// Sets or unsets environment variables for one test and puts every one back as it was.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace tarnwick::testing {

class EnvGuard {
 public:
  EnvGuard() = default;
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;
  ~EnvGuard() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }

  void set(const std::string& name, const std::string& value) {
    save(name);
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  void unset(const std::string& name) {
    save(name);
    ::unsetenv(name.c_str());
  }

 private:
  void save(const std::string& name) {
    if (saved_.contains(name)) return;
    const char* value = std::getenv(name.c_str());
    saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace tarnwick::testing
