// Generic POSIX: a window starts without any request of the system about its first show.
#include "platform/platform.h"

namespace tarnwick::platform {

void initialiseUserInterfaceThread() {}

ShowCommand startupShowCommand() { return ShowCommand::Normal; }

}  // namespace tarnwick::platform
