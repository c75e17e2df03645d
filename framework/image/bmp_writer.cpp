// Image::Save: writes any image as an uncompressed 24-bit bottom-up BMP,
// replacing the destination only once the new file is complete.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/image.h"
#include "framework/image/byte_source.h"
#include "framework/image/readers.h"

namespace ondra {

namespace {

void PutLittleEndian16(std::uint8_t* out, std::uint32_t value) {
    out[0] = std::uint8_t(value), out[1] = std::uint8_t(value >> 8);
}

void PutLittleEndian32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = std::uint8_t(value >> (8 * i));
}

constexpr std::uint32_t kHeadersSize = 14 + 40;

void MakeHeaders(const Image& image, std::uint32_t rowSize, std::uint8_t (&headers)[kHeadersSize]) {
    std::memset(headers, 0, sizeof headers);
    const std::uint32_t imageSize = rowSize * std::uint32_t(image.Height());
    headers[0] = 'B', headers[1] = 'M';
    PutLittleEndian32(headers + 2, kHeadersSize + imageSize);
    PutLittleEndian32(headers + 10, kHeadersSize);
    std::uint8_t* info = headers + 14;
    PutLittleEndian32(info, 40);
    PutLittleEndian32(info + 4, std::uint32_t(image.Width()));
    PutLittleEndian32(info + 8, std::uint32_t(image.Height()));
    PutLittleEndian16(info + 12, 1);
    PutLittleEndian16(info + 14, 24);
    PutLittleEndian32(info + 20, imageSize);
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* next = static_cast<const std::uint8_t*>(data);
    while (size) {
        const ssize_t written = write(fd, next, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        next += written;
        size -= std::size_t(written);
    }
    return true;
}

bool WriteBmp(int fd, const Image& bgr, std::uint32_t rowSize) {
    std::uint8_t headers[kHeadersSize];
    MakeHeaders(bgr, rowSize, headers);
    return WriteAll(fd, headers, sizeof headers) &&
           WriteAll(fd, bgr.GetData(), std::size_t(rowSize) * std::size_t(bgr.Height()));
}

// Devices and FIFOs have nothing to replace and must survive a failed
// write, so they are written in place. O_NONBLOCK makes a FIFO nobody
// reads fail instead of hanging; writes block again once it is open.
bool SaveInPlace(const char* fileName, const Image& bgr, std::uint32_t rowSize) {
    const int fd = open(fileName, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const int flags = fcntl(fd, F_GETFL);
    bool ok = flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && WriteBmp(fd, bgr, rowSize);
    ok = close(fd) == 0 && ok;
    return ok;
}

// A fresh file in `target`'s folder, so that the final rename stays on one
// file system and is atomic; its name is left in `temporary`.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + ".image-save-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
                    ".tmp";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes beside the destination and renames over it when complete: a full
// disk or a crash part way leaves the old file, which may be the very
// picture being converted, untouched.
bool SaveReplacing(const char* fileName, const struct stat* existing, const Image& bgr,
                   std::uint32_t rowSize) {
    // Through a symbolic link the file it names is replaced, not the link.
    std::string target = fileName;
    if (existing) {
        char resolved[PATH_MAX];
        if (realpath(fileName, resolved)) target = resolved;
    }
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool ok = true;
    // The replacement keeps the permissions the old file had.
    if (existing) ok = fchmod(fd, existing->st_mode & 07777) == 0;
    ok = ok && WriteBmp(fd, bgr, rowSize) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace

bool Image::Save(const char* fileName) const {
    if (IsEmpty() || !fileName) return false;
    Image copy(*this);
    if (copy.IsEmpty() || !copy.SetFormat(BGR)) return false;
    // Rows go out padded to exactly the 4-byte multiple BMP rows take,
    // whatever padding the image carried, and the padding is written as zeros.
    const std::int64_t rowSize = image_internal::DibRowSize(Width());
    if (rowSize > INT_MAX || !copy.SetStride(int(rowSize))) return false;
    for (int row = 0; row < copy.Height(); ++row)
        std::memset(copy.GetRow(row) + copy.GetRowBytes(), 0, std::size_t(copy.GetRowPadding()));

    struct stat info;
    const bool exists = stat(fileName, &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) return SaveInPlace(fileName, copy, std::uint32_t(rowSize));
    return SaveReplacing(fileName, exists ? &info : nullptr, copy, std::uint32_t(rowSize));
}

}  // namespace ondra
