// The image file readers behind Image::Load, each reading one format from a
// ByteSource. Each returns false and leaves the image empty on failure.
#pragma once

#include <cstdint>

#include "framework/image.h"
#include "framework/image/byte_source.h"

namespace ondra {
namespace image_internal {

// Uncompressed 8-bit paletted and 24-bit BMP files, with "bmp: " messages.
bool ReadBmp(ByteSource& source, Image& image);

// Uncompressed and run-length encoded 24- and 32-bit TGA files; the name
// decides whether a file without the TGA footer signature is tried.
bool ReadTga(ByteSource& source, const char* fileName, Image& image);
bool HasTgaExtension(const char* fileName);

// Baseline, progressive and greyscale JPEG files.
bool ReadJpeg(ByteSource& source, Image& image);

// Bytes in a row of a 24-bit DIB `width` pixels wide: a multiple of 4. In
// 64 bits, since 24 x width overflows an int from 89,478,486 pixels on.
inline std::int64_t DibRowSize(std::int64_t width) { return (24 * width + 31) / 32 * 4; }

// Byte padding of the rows of a 24-bit DIB `width` pixels wide, which the
// whole-picture decoders keep in their images.
inline int DibRowPadding(std::int64_t width) { return int(DibRowSize(width) - (24 * width + 7) / 8); }

}  // namespace image_internal
}  // namespace ondra
