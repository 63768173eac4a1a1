// Linux: directory listing through descriptors, so no path limit applies.
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

OpenResult PosixPlatform::openDirectory(const std::string&) { return {OpenStatus::Unreadable, nullptr}; }

}  // namespace tarnwick::platform
