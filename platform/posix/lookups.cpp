// Generic POSIX: folder lookups mapped onto the XDG base and user directories.
#include <memory>

#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

std::unique_ptr<Platform> makeSystemPlatform() { return std::make_unique<PosixPlatform>(); }

std::optional<RegistryValue> PosixPlatform::readCurrentVersionValue(std::string_view) { return {}; }
std::optional<std::string> PosixPlatform::windowsDirectory() { return {}; }
std::optional<std::string> PosixPlatform::systemDirectory() { return {}; }
std::optional<std::string> PosixPlatform::environmentVariable(std::string_view) { return {}; }
std::string PosixPlatform::defaultTempDirectory() { return "/tmp"; }
std::optional<std::string> PosixPlatform::longPathName(const std::string& path) { return path; }
std::optional<std::string> PosixPlatform::shellParsePath(const std::string&) { return {}; }
std::optional<std::string> PosixPlatform::shellFolderPath(int) { return {}; }
std::optional<std::string> PosixPlatform::computerName() { return {}; }
bool PosixPlatform::directoryExists(const std::string&) { return false; }

}  // namespace tarnwick::platform
