// Little-endian byte packing and whole-file writing shared by the image and
// map writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Bytes = std::vector<uint8_t>;

void PutU8(Bytes& out, unsigned value);
void PutU16(Bytes& out, unsigned value);
void PutU32(Bytes& out, uint32_t value);

// Writes the bytes to path; false (with a message on standard error) when
// the file cannot be written completely.
bool WriteFileBytes(const std::string& path, const Bytes& bytes);

}  // namespace assetgen
