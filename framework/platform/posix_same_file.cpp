// One file or two, on POSIX systems: by device and inode number.
#include "framework/platform/same_file.h"

#include <sys/stat.h>

namespace ondra::platform {

bool SameFile(const char* a, const char* b) {
    struct stat first, second;
    return stat(a, &first) == 0 && stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace ondra::platform
