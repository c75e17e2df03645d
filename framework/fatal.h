// Fatal assertions: a failed check prints the expression, the source name
// and the line, then stops the process.
#pragma once

namespace ondra {

[[noreturn]] void FatalAssertion(const char* expression, const char* source, int line);

}  // namespace ondra

#define ONDRA_ASSERT(expression, source) \
    ((expression) ? static_cast<void>(0) : ::ondra::FatalAssertion(#expression, source, __LINE__))
