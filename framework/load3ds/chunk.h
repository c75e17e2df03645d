// Chunk: the reader's record of one 3DS chunk being read from a stream: its
// id, its stored length (header included) and how many of its bytes have
// been read through it.
//
// Every read is confined to the chunk: a read that would pass its stored
// length fails like a read at the end of the file, so a damaged count or a
// string without its NUL can never run on into the chunks that follow.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace ondra {

// The longest name (of an object, material, texture file or node) kept,
// not counting its NUL. The format's own names are a few bytes long; a
// longer one is cut here, and since what follows it in its chunk cannot
// be told from the name's remainder, the rest of that chunk is skipped
// unread.
constexpr uint32_t kMaxNameLength = 1024;

struct Chunk {
    uint16_t id = 0;
    uint32_t length = 0;
    uint32_t consumed = 0;
    long start = 0;  // stream position of the header

    // Reads the 6-byte header. Fails at the end of the stream and for a
    // length too small to hold the header itself.
    bool ReadHeader(FILE* file);
    // Limits this chunk, just read from inside `parent`, to the part of the
    // parent not yet accounted for. False when not even the header fits
    // there: such a chunk is damaged and ends the parent.
    bool FitInto(const Chunk& parent);

    uint32_t Remaining() const { return consumed < length ? length - consumed : 0; }

    bool Read(FILE* file, void* buffer, uint32_t size);
    uint16_t ReadWord(FILE* file);    // 0 when the read fails
    uint32_t ReadDword(FILE* file);   // 0 when the read fails
    float ReadFloat(FILE* file);      // 0 when the read fails
    // Bytes up to a NUL or a failed read; consumed grows by the string's
    // length plus one in either case. A name with no NUL within
    // kMaxNameLength bytes is cut there and ends the chunk: the stream
    // moves to its end and nothing more is read from it.
    std::string ReadString(FILE* file);
    // Reads `count` records of `recordSize` bytes made of values of
    // `valueSize` bytes, in one read. Values the chunk or the file does not
    // hold come out as zero bytes and are not counted as consumed, as if
    // each had been read on its own.
    std::vector<uint8_t> ReadRecords(FILE* file, uint32_t count, uint32_t recordSize, uint32_t valueSize);
    // Moves the stream to the end of the chunk.
    bool Skip(FILE* file);
};

// Little-endian values inside a record buffer; inline, as the lists of a
// model are decoded value by value.
inline uint16_t WordAt(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

inline uint32_t DwordAt(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline float FloatAt(const uint8_t* bytes) {
    const uint32_t bits = DwordAt(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

}  // namespace ondra
