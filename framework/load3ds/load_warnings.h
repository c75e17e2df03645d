// Warnings of the 3DS reader about damaged files it repaired while loading.
// They go to standard error unless a program chooses another stream (or
// none: fuzzers and benchmarks load damaged files by the million).
#pragma once

#include <cstdio>

namespace ondra {

// nullptr silences the warnings; the default is stderr.
void SetModelWarningStream(FILE* stream);

void ModelWarning(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ondra
