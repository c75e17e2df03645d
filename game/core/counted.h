// Counts in messages: "1 frame", "2 frames".
#pragma once

#include <string>

// `count` and the noun, plural unless the count is one: regular plurals
// (an added "s") only.
inline std::string Counted(long long count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}
