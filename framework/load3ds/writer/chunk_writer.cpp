// Little-endian chunk encoding for the 3DS writer.
#include "framework/load3ds/writer/chunk_writer.h"

#include <cassert>
#include <cstring>

namespace ondra {
namespace file3ds {

void ChunkWriter::Begin(uint16_t id) {
    open_.push_back(data_.size());
    Word(id);
    Dword(0);
}

void ChunkWriter::End() {
    assert(!open_.empty());
    EndWithLength(static_cast<uint32_t>(data_.size() - open_.back()));
}

void ChunkWriter::EndWithLength(uint32_t length) {
    assert(!open_.empty());
    PutDwordAt(open_.back() + 2, length);
    open_.pop_back();
}

void ChunkWriter::Byte(uint8_t value) { data_.push_back(value); }

void ChunkWriter::Word(uint16_t value) {
    data_.push_back(static_cast<uint8_t>(value & 0xFF));
    data_.push_back(static_cast<uint8_t>(value >> 8));
}

void ChunkWriter::Dword(uint32_t value) {
    data_.resize(data_.size() + 4);
    PutDwordAt(data_.size() - 4, value);
}

void ChunkWriter::Float(float value) {
    uint32_t bits;
    static_assert(sizeof(bits) == sizeof(value), "IEEE single floats expected");
    std::memcpy(&bits, &value, sizeof(bits));
    Dword(bits);
}

void ChunkWriter::String(const std::string& text) {
    Bytes(text.data(), text.size());
    Byte(0);
}

void ChunkWriter::Bytes(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    data_.insert(data_.end(), bytes, bytes + size);
}

void ChunkWriter::Chunk(uint16_t id, const std::vector<uint8_t>& payload) {
    Begin(id);
    Bytes(payload);
    End();
}

std::vector<uint8_t> ChunkWriter::Take() {
    std::vector<uint8_t> out;
    out.swap(data_);
    open_.clear();
    return out;
}

void ChunkWriter::PutDwordAt(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace file3ds
}  // namespace ondra
