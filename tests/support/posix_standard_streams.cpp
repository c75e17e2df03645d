// Standard streams by descriptor on POSIX systems.
#include <unistd.h>

#include <cstdio>

#include "tests/support/standard_streams.h"

namespace ondra::test {

void SendOutputToError() {
    std::fflush(stdout);
    dup2(STDERR_FILENO, STDOUT_FILENO);
}

}  // namespace ondra::test
