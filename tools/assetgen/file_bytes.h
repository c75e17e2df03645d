// Whole-file writing for everything the generator saves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<uint8_t>;

// Writes the bytes to path; false (with a message on standard error) when
// the file cannot be written completely.
bool WriteFileBytes(const std::string& path, const Bytes& bytes);

}  // namespace assetgen
