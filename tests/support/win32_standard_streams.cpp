// Standard streams by the C runtime's descriptors on Windows.
#include <io.h>

#include <cstdio>

#include "tests/support/standard_streams.h"

namespace ondra::test {

void SendOutputToError() {
    std::fflush(stdout);
    _dup2(2, 1);
}

}  // namespace ondra::test
