// Generic POSIX: errno values as Linux and the BSDs define them.
#include "platform/posix/file_errors.h"

#include <cerrno>

namespace tarnwick::platform {

FileErrorCode FileErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return 32;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return 101;
    default:
      return error;
  }
}

}  // namespace tarnwick::platform
