// The trace switch and the trace lines it lets through.
#include "framework/trace.h"

#include <cstdarg>
#include <cstdio>

#include "framework/main.h"

namespace ondra {
namespace {

int traceLevel = 0;

}  // namespace

bool IsTracing() { return traceLevel != 0; }

void Trace(const char* format, ...) {
    if (!traceLevel) return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}

void SetTrace(int level) { traceLevel = level < 0 ? 0 : level; }

}  // namespace ondra
