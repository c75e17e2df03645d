// Standard error dropped on Windows: the C runtime's descriptor 2 pointed
// at NUL, and back.
#include "framework/platform/quiet_standard_error.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace ondra::platform {

QuietStandardError::QuietStandardError() {
    std::fflush(stderr);
    const int nothing = _open("NUL", _O_WRONLY);
    if (nothing < 0) return;
    saved_ = _dup(2);
    if (saved_ >= 0) _dup2(nothing, 2);
    _close(nothing);
}

QuietStandardError::~QuietStandardError() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    _dup2(saved_, 2);
    _close(saved_);
}

}  // namespace ondra::platform
