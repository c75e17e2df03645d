// Image::Save: writes any image as an uncompressed 24-bit bottom-up BMP,
// replacing the destination only once the new file is complete.
#include <climits>
#include <cstring>

#include "framework/image.h"
#include "framework/image/byte_source.h"
#include "framework/image/readers.h"
#include "framework/platform/replace_file.h"

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

bool WriteBmp(int fd, const Image& bgr, std::uint32_t rowSize) {
    std::uint8_t headers[kHeadersSize];
    MakeHeaders(bgr, rowSize, headers);
    return platform::WriteAll(fd, headers, sizeof headers) &&
           platform::WriteAll(fd, bgr.GetData(), std::size_t(rowSize) * std::size_t(bgr.Height()));
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

    return platform::WriteReplacing(fileName, [&](int fd) { return WriteBmp(fd, copy, std::uint32_t(rowSize)); });
}

}  // namespace ondra
