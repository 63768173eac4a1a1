// POSIX: regional settings from the environment's locale (nl_langinfo).
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

std::optional<std::string> PosixPlatform::localeItem(LocaleItem) { return {}; }

}  // namespace tarnwick::platform
