// Reading a whole decimal number from a command-line or script word.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <string>

// True when all of `text` is a decimal number from low to high.
inline bool ParseWholeNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}
