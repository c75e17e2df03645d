// The end of the process on a failed fatal assertion.
#include "framework/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace ondra {

void FatalAssertion(const char* expression, const char* source, int line) {
    // What was printed so far belongs before the message.
    std::fflush(stdout);
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, source, line);
    std::abort();
}

}  // namespace ondra
