// Chunk: bounded little-endian reads of one 3DS chunk.
#include "framework/load3ds/chunk.h"

#include <algorithm>
#include <cstring>

#include "framework/load3ds/chunk_ids.h"
#include "framework/load3ds/load_warnings.h"

namespace ondra {
namespace {

uint32_t LittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

bool Chunk::ReadHeader(FILE* file) {
    consumed = 0;
    if (!file) return false;
    start = std::ftell(file);
    uint8_t header[chunk3ds::kHeaderSize];
    if (std::fread(header, 1, 2, file) != 2) return false;
    id = static_cast<uint16_t>(LittleEndian(header, 2));
    if (std::fread(header + 2, 1, 4, file) != 4) return false;
    length = LittleEndian(header + 2, 4);
    consumed = chunk3ds::kHeaderSize;
    return length >= chunk3ds::kHeaderSize;
}

bool Chunk::FitInto(const Chunk& parent) {
    const uint32_t room = parent.Remaining();
    if (length > room) length = room;
    return length >= chunk3ds::kHeaderSize;
}

bool Chunk::Read(FILE* file, void* buffer, uint32_t size) {
    if (!file || size > Remaining()) return false;
    if (std::fread(buffer, 1, size, file) != size) return false;
    consumed += size;
    return true;
}

uint16_t Chunk::ReadWord(FILE* file) {
    uint8_t bytes[2];
    return Read(file, bytes, 2) ? static_cast<uint16_t>(LittleEndian(bytes, 2)) : 0;
}

uint32_t Chunk::ReadDword(FILE* file) {
    uint8_t bytes[4];
    return Read(file, bytes, 4) ? LittleEndian(bytes, 4) : 0;
}

float Chunk::ReadFloat(FILE* file) {
    uint8_t bytes[4];
    return Read(file, bytes, 4) ? FloatAt(bytes) : 0.0f;
}

std::string Chunk::ReadString(FILE* file) {
    std::string text;
    char c = '\0';
    while (Read(file, &c, 1)) {
        if (c == '\0') return text;
        if (text.size() == kMaxNameLength) {
            ModelWarning("name in chunk 0x%04X at %08lX longer than %u bytes: cut, and the rest of "
                         "its chunk skipped",
                         id, start, kMaxNameLength);
            Skip(file);
            consumed = length;
            return text;
        }
        text += c;
    }
    // A failed read ends the string as if its NUL had been there.
    ++consumed;
    return text;
}

std::vector<uint8_t> Chunk::ReadRecords(FILE* file, uint32_t count, uint32_t recordSize, uint32_t valueSize) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * recordSize, 0);
    const size_t wanted = std::min<size_t>(bytes.size(), Remaining());
    if (!file || wanted == 0) return bytes;
    const size_t got = std::fread(bytes.data(), 1, wanted, file);
    const size_t whole = got - got % valueSize;
    std::fill(bytes.begin() + whole, bytes.end(), 0);
    consumed += static_cast<uint32_t>(whole);
    return bytes;
}

bool Chunk::Skip(FILE* file) {
    if (!file) return false;
    if (std::fseek(file, start + static_cast<long>(length), SEEK_SET) != 0) return false;
    consumed = length;
    return true;
}

}  // namespace ondra
