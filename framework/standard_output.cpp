// Checking that standard output took what was printed to it.
#include "framework/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ondra {

bool StandardOutputWritten(const char* program) {
    errno = 0;
    // An earlier failed write leaves the error flag; the flush finds the
    // failure of what is still buffered.
    const bool flushed = std::fflush(stdout) == 0;
    if (flushed && !std::ferror(stdout)) return true;
    const int reason = errno;
    std::fprintf(stderr, "%s: standard output could not be written: %s\n", program,
                 reason ? std::strerror(reason) : "a write failed");
    return false;
}

}  // namespace ondra
