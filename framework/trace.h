// The framework's trace output: lines on standard output that appear only
// while the trace switch (SetTrace) is non-zero.
#pragma once

namespace ondra {

bool IsTracing();
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ondra
