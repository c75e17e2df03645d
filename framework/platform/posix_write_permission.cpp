// Write permission on POSIX systems: the effective user's, as the system
// would grant it to an open for writing.
#include "framework/platform/write_permission.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace ondra::platform {

int WriteRefusal(const char* path) {
    return faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

}  // namespace ondra::platform
