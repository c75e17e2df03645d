// ChunkWriter: builds 3D Studio chunk streams in memory, little-endian, with
// chunk lengths patched in when a chunk is closed. The scene writer uses it
// for whole files; tests use it directly to forge damaged or unusual files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ondra {
namespace file3ds {

class ChunkWriter {
public:
    // Opens a chunk: writes its id and a length to be filled in by End.
    void Begin(uint16_t id);
    // Closes the innermost open chunk, storing its true length.
    void End();
    // Closes the innermost open chunk but stores `length` instead, for
    // files with lengths that lie.
    void EndWithLength(uint32_t length);
    int OpenChunks() const { return static_cast<int>(open_.size()); }

    void Byte(uint8_t value);
    void Word(uint16_t value);
    void Dword(uint32_t value);
    void Float(float value);
    // Writes the characters and a terminating NUL.
    void String(const std::string& text);
    void Bytes(const void* data, size_t size);
    void Bytes(const std::vector<uint8_t>& data) { Bytes(data.data(), data.size()); }

    // A whole chunk around a ready-made payload (which may hold sub-chunks).
    void Chunk(uint16_t id, const std::vector<uint8_t>& payload);

    size_t Size() const { return data_.size(); }
    const std::vector<uint8_t>& Data() const { return data_; }
    // Hands over the bytes written so far and starts afresh.
    std::vector<uint8_t> Take();

private:
    void PutDwordAt(size_t offset, uint32_t value);

    std::vector<uint8_t> data_;
    std::vector<size_t> open_;  // offsets of the headers of open chunks
};

}  // namespace file3ds
}  // namespace ondra
