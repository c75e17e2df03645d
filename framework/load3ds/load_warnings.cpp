// Where the 3DS reader's repair warnings go.
#include "framework/load3ds/load_warnings.h"

#include <cstdarg>

namespace ondra {
namespace {

FILE* warningStream = stderr;

}  // namespace

void SetModelWarningStream(FILE* stream) { warningStream = stream; }

void ModelWarning(const char* format, ...) {
    if (!warningStream) return;
    std::fputs("3ds: ", warningStream);
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(warningStream, format, arguments);
    va_end(arguments);
    std::fputc('\n', warningStream);
}

}  // namespace ondra
