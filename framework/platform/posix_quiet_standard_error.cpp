// Standard error dropped on POSIX systems: descriptor 2 pointed at
// /dev/null, and back.
#include "framework/platform/quiet_standard_error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace ondra::platform {

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    const int nothing = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nothing < 0) return;
    saved_ = fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (saved_ >= 0) dup2(nothing, 2);
    close(nothing);
}

QuietStandardError::~QuietStandardError() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
}

}  // namespace ondra::platform
