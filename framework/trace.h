// The framework's trace output: lines on standard output that appear only
// while the trace switch (SetTrace) is non-zero.
#pragma once

#include <cstdint>

#include "framework/printf_check.h"

namespace ondra {

bool IsTracing();
void Trace(const char* format, ...) ONDRA_PRINTF(1, 2);

// An address for "%lX" in a trace line; where long has 32 bits (64-bit
// Windows) only its low half.
inline unsigned long TracePointer(const void* pointer) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace ondra
