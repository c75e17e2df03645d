// File and memory byte sources and the buffered reader.
#include "framework/image/byte_source.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "framework/platform/regular_file.h"

namespace ondra {
namespace image_internal {

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::Open(const char* fileName) {
    if (!fileName) return false;
    file_ = platform::OpenRegularFile(fileName);
    if (!file_) return false;
    struct stat info;
    if (fstat(fileno(file_), &info) == 0) size_ = std::uint64_t(info.st_size);
    return true;
}

std::size_t FileSource::Read(void* destination, std::size_t count) {
    const std::size_t wanted = std::size_t(std::min<std::uint64_t>(count, Remaining()));
    if (wanted == 0) return 0;
    const std::size_t got = std::fread(destination, 1, wanted, file_);
    position_ += got;
    return got;
}

bool FileSource::Seek(std::uint64_t offset) {
    if (offset > size_ || offset > std::uint64_t(LONG_MAX)) return false;
    if (std::fseek(file_, long(offset), SEEK_SET) != 0) return false;
    position_ = offset;
    return true;
}

std::size_t MemorySource::Read(void* destination, std::size_t count) {
    const std::size_t n = std::min(count, size_ - position_);
    if (n) std::memcpy(destination, data_ + position_, n);
    position_ += n;
    return n;
}

bool MemorySource::Seek(std::uint64_t offset) {
    if (offset > size_) return false;
    position_ = std::size_t(offset);
    return true;
}

bool BufferedReader::Refill() {
    const std::size_t got = source_.Read(buffer_, kChunk);
    next_ = buffer_;
    end_ = buffer_ + got;
    return got != 0;
}

bool BufferedReader::ReadAcrossChunks(void* destination, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(destination);
    while (count) {
        if (next_ == end_ && !Refill()) return false;
        const std::size_t n = std::min<std::size_t>(count, std::size_t(end_ - next_));
        std::memcpy(out, next_, n);
        next_ += n;
        out += n;
        count -= n;
    }
    return true;
}

std::uint16_t LittleEndian16(const std::uint8_t* b) { return std::uint16_t(b[0] | (b[1] << 8)); }

std::uint32_t LittleEndian32(const std::uint8_t* b) {
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
           (std::uint32_t(b[3]) << 24);
}

bool IsAcceptableSize(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxImagePixels && height <= kMaxImagePixels &&
           width * height <= kMaxImagePixels;
}

}  // namespace image_internal
}  // namespace ondra
