// Escaping control bytes for messages.
#include "game/run/printable.h"

#include <cstdio>

std::string Printable(const std::string& text, bool escapeAbove127) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f && (byte < 0x80 || !escapeAbove127)) {
            shown += c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
        shown += escaped;
    }
    return shown;
}

std::string Quoted(const std::string& word, std::size_t limit) {
    if (word.size() <= limit) return "'" + word + "'";
    return "'" + word.substr(0, limit) + "...' (" + std::to_string(word.size()) + " bytes)";
}
