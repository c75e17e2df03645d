// Reading numbers from command-line and script words.
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

// True when all of `text` is a time step a frame can take: over 0 and at
// most a minute.
inline bool ParseSeconds(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !(parsed > 0.0 && parsed <= 60.0)) return false;
    value = parsed;
    return true;
}
