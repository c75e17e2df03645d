// Bounded printf-style formatting shared by messages and text output.
#pragma once

#include <cstdarg>
#include <string>

namespace ondra {

// Formats into `out`; false (and `out` empty) when the text would not fit
// in a 1,024-byte buffer with its terminating NUL.
bool FormatBounded(std::string& out, const char* format, va_list args);

}  // namespace ondra
