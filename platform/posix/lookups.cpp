// Generic POSIX: folder lookups mapped onto the XDG base and user directories, the FHS system
// directories and the host name.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

namespace {

// A variable that is set but empty counts as unset, as the XDG rules have it.
std::optional<std::string> NonEmptyVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> HomeDirectory() {
  if (auto home = NonEmptyVariable("HOME")) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir || !*found->pw_dir)
    return std::nullopt;
  return std::string(found->pw_dir);
}

// `base` + "/" + `name`, without doubling a delimiter that `base` ends in.
std::string Join(const std::string& base, std::string_view name) {
  return base.ends_with('/') ? base + std::string(name) : base + "/" + std::string(name);
}

// An XDG base directory: the variable when it holds an absolute path (relative ones are invalid
// and ignored), else `fallback` below the home directory.
std::optional<std::string> BaseDirectory(const char* variable, const char* fallback) {
  if (auto value = NonEmptyVariable(variable); value && value->front() == '/') return value;
  auto home = HomeDirectory();
  if (!home) return std::nullopt;
  return Join(*home, fallback);
}

// The value of one line of user-dirs.dirs, which the shell would read: "$HOME/Desktop" in double
// quotes with backslash escapes, or an absolute path. Anything else is not a valid entry.
std::optional<std::string> UserDirValue(std::string_view raw, const std::string& home) {
  std::string value;
  if (!raw.empty() && raw.front() == '"') {
    std::size_t i = 1;
    for (; i < raw.size() && raw[i] != '"'; ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
      value += raw[i];
    }
    if (i == raw.size()) return std::nullopt;  // no closing quote
  } else {
    value = raw.substr(0, raw.find_first_of(" \t#"));
  }
  if (value.starts_with("$HOME") && (value.size() == 5 || value[5] == '/'))
    return home + value.substr(5);
  if (value.starts_with("${HOME}") && (value.size() == 7 || value[7] == '/'))
    return home + value.substr(7);
  if (!value.empty() && value.front() == '/') return value;
  return std::nullopt;
}

// An XDG user directory ("DESKTOP", "DOCUMENTS", "TEMPLATES") from user-dirs.dirs, else its
// default below the home directory. A later line overrides an earlier one, as in the shell.
std::optional<std::string> UserDirectory(std::string_view key, const char* fallback) {
  auto home = HomeDirectory();
  if (!home) return std::nullopt;
  std::optional<std::string> found;
  if (auto config = BaseDirectory("XDG_CONFIG_HOME", ".config")) {
    std::ifstream file(Join(*config, "user-dirs.dirs"));
    const std::string name = "XDG_" + std::string(key) + "_DIR=";
    for (std::string line; std::getline(file, line);) {
      std::string_view text(line);
      text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
      if (!text.starts_with(name)) continue;
      if (auto value = UserDirValue(text.substr(name.size()), *home)) found = std::move(value);
    }
  }
  if (found) return found;
  return Join(*home, fallback);
}

std::optional<std::string> Below(std::optional<std::string> base, const char* name) {
  if (!base) return std::nullopt;
  return Join(*base, name);
}

std::optional<std::string> DataHome() { return BaseDirectory("XDG_DATA_HOME", ".local/share"); }
std::optional<std::string> ConfigHome() { return BaseDirectory("XDG_CONFIG_HOME", ".config"); }

RegistryValue NarrowString(const std::string& text) {
  RegistryValue value{RegistryType::String, {text.begin(), text.end()}, false};
  value.data.push_back(0);
  return value;
}

}  // namespace

std::unique_ptr<Platform> makeSystemPlatform() { return std::make_unique<PosixPlatform>(); }

std::optional<RegistryValue> PosixPlatform::readCurrentVersionValue(std::string_view name) {
  if (name == "CommonFilesDir") return NarrowString("/usr/share");
  if (name == "ProgramFilesDir") return NarrowString("/opt");
  return std::nullopt;
}

std::optional<std::string> PosixPlatform::windowsDirectory() { return "/usr"; }

std::optional<std::string> PosixPlatform::systemDirectory() { return "/usr/lib"; }

std::optional<std::string> PosixPlatform::environmentVariable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string PosixPlatform::defaultTempDirectory() {
  return NonEmptyVariable("TMPDIR").value_or("/tmp");
}

// Linux has no short names: every path is its own long form.
std::optional<std::string> PosixPlatform::longPathName(const std::string& path) { return path; }

std::optional<std::string> PosixPlatform::shellParsePath(const std::string&) {
  return std::nullopt;
}

std::optional<std::string> PosixPlatform::shellFolderPath(int csidl) {
  switch (csidl) {
    case 0:   // desktop
    case 16:  // desktop directory
      return UserDirectory("DESKTOP", "Desktop");
    case 5:  // personal
      return UserDirectory("DOCUMENTS", "Documents");
    case 21:  // templates
      return UserDirectory("TEMPLATES", "Templates");
    case 2:   // programs
    case 11:  // start menu
      return Below(DataHome(), "applications");
    case 7:  // startup
      return Below(ConfigHome(), "autostart");
    case 8:  // recent
      return Below(DataHome(), "RecentDocuments");
    case 20:  // fonts
      return "/usr/share/fonts";
    case 22:  // common start menu
    case 23:  // common programs
      return "/usr/share/applications";
    case 24:  // common startup
      return "/etc/xdg/autostart";
    case 35:  // common app data
      return "/var/lib";
    case 26:  // app data
      return DataHome();
    case 32:  // internet cache
      return BaseDirectory("XDG_CACHE_HOME", ".cache");
    case 40:  // profile
      return HomeDirectory();
    default:  // favourites, send to, network and printer neighbourhoods, cookies, history...
      return std::nullopt;
  }
}

std::optional<std::string> PosixPlatform::computerName() {
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0) return std::nullopt;
  return std::string(buffer);
}

bool PosixPlatform::directoryExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool PosixPlatform::standardErrorIsTerminal() const { return isatty(STDERR_FILENO) == 1; }

}  // namespace tarnwick::platform
