// Warnings of the 3DS reader about damaged files it repaired while loading.
// They go to standard error unless a program chooses another stream (or
// none: fuzzers and benchmarks load damaged files by the million).
#pragma once

#include <cstdio>

#include "framework/printf_check.h"

namespace ondra {

// nullptr silences the warnings; the default is stderr.
void SetModelWarningStream(FILE* stream);

void ModelWarning(const char* format, ...) ONDRA_PRINTF(1, 2);

}  // namespace ondra
