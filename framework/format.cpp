// FormatBounded.
#include "framework/format.h"

#include <cstdio>

namespace ondra {

bool FormatBounded(std::string& out, const char* format, va_list args) {
    constexpr int kBufferSize = 1024;
    char buffer[kBufferSize];
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (length < 0 || length >= kBufferSize) {
        out.clear();
        return false;
    }
    out.assign(buffer, static_cast<std::size_t>(length));
    return true;
}

}  // namespace ondra
