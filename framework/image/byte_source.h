// ByteSource: what the image readers read from, a file or a block of
// memory, plus a small buffered reader for byte-at-a-time formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace ondra {
namespace image_internal {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `count` bytes; returns how many were read.
    virtual std::size_t Read(void* destination, std::size_t count) = 0;
    // Moves to `offset` bytes from the start; false beyond the end.
    virtual bool Seek(std::uint64_t offset) = 0;
    virtual std::uint64_t Tell() const = 0;
    virtual std::uint64_t Size() const = 0;

    std::uint64_t Remaining() const {
        const std::uint64_t size = Size(), at = Tell();
        return at < size ? size - at : 0;
    }
    bool ReadExactly(void* destination, std::size_t count) {
        return Read(destination, count) == count;
    }
};

class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Regular files only (see OpenRegularFile); anything else fails at once.
    bool Open(const char* fileName);
    bool IsOpen() const { return file_ != nullptr; }

    std::size_t Read(void* destination, std::size_t count) override;
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    std::size_t Read(void* destination, std::size_t count) override;
    bool Seek(std::uint64_t offset) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Size() const override { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Buffers a ByteSource in chunks so decoders can take bytes one at a time.
class BufferedReader {
public:
    explicit BufferedReader(ByteSource& source) : source_(source) {}

    bool ReadByte(std::uint8_t& value) {
        if (next_ == end_ && !Refill()) return false;
        value = *next_++;
        return true;
    }
    bool ReadExactly(void* destination, std::size_t count) {
        if (std::size_t(end_ - next_) >= count) {  // the common case, inline
            std::memcpy(destination, next_, count);
            next_ += count;
            return true;
        }
        return ReadAcrossChunks(destination, count);
    }

private:
    bool ReadAcrossChunks(void* destination, std::size_t count);
    bool Refill();

    static constexpr std::size_t kChunk = 64 * 1024;
    ByteSource& source_;
    std::uint8_t buffer_[kChunk];
    const std::uint8_t* next_ = buffer_;
    const std::uint8_t* end_ = buffer_;
};

std::uint16_t LittleEndian16(const std::uint8_t* bytes);
std::uint32_t LittleEndian32(const std::uint8_t* bytes);

// Images above this many pixels are refused by every reader.
constexpr std::int64_t kMaxImagePixels = std::int64_t(16384) * 16384;

bool IsAcceptableSize(std::int64_t width, std::int64_t height);

}  // namespace image_internal
}  // namespace ondra
