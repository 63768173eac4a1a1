// The one place where errno becomes a code of the program's file-error table.
#pragma once

#include "platform/platform.h"

namespace tarnwick::platform {

// ENOENT 2; ENOTDIR, ENAMETOOLONG, ELOOP 3; EMFILE, ENFILE 4; EACCES, EPERM, EROFS 5; EBUSY,
// ETXTBSY and a lock held elsewhere (EWOULDBLOCK) 32; ENOSPC, EDQUOT, EFBIG 101; any other value
// as it is.
FileErrorCode FileErrorFromErrno(int error);

}  // namespace tarnwick::platform
