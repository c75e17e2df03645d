// Encoders that make image files in memory, in any of the variants the
// readers take: hand-built BMP files of every bit depth and compression,
// plain 24-bit and 8-bit paletted BMP files of a picture, TGA files (plain
// or run-length encoded) and JPEG files. Tests, the fuzz corpus, benchmarks
// and the asset generator use them; the game itself does not. The picture
// encoders give no bytes for a picture the file cannot hold.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/image.h"

namespace ondra {
namespace encoders {

using Bytes = std::vector<std::uint8_t>;
struct PaletteEntry {  // in file order
    std::uint8_t blue, green, red, reserved;
};

// A BMP file described field by field; Encode writes exactly what it says,
// so a test can forge any header.
struct BmpFile {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored top-down
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;  // bytes beyond 40 are written as zeros
    // The 12-byte OS/2 core header instead: 16-bit width and height, then
    // planes and bit count, and palette entries of 3 bytes (the reserved
    // byte dropped). infoSize, compression, imageSize, coloursUsed and
    // masks are not written.
    bool coreHeader = false;
    std::int64_t imageSize = -1;  // -1: the size of `pixels`
    std::int64_t coloursUsed = -1;  // -1: the number of palette entries
    std::int64_t dataOffset = -1;  // -1: right after the masks and palette
    std::vector<std::uint32_t> masks;  // red, green, blue; after a 40-byte header, else inside it
    std::vector<PaletteEntry> palette;
    Bytes pixels;  // stored as they are
};

Bytes Encode(const BmpFile& file);

// Rows of `bitCount`-bit values, each row padded to 4 bytes. Values of 8
// bits and less are packed from the high bits of each byte; wider ones are
// stored little-endian. value(x, fileRow) gives each one.
Bytes PackRows(int width, int height, int bitCount,
               const std::function<std::uint32_t(int x, int fileRow)>& value);

// Run-length encodes pixel indices as BI_RLE8 (or BI_RLE4 with
// `fourBit`): runs of equal indices become encoded runs, the rest absolute
// runs; each row ends with an end-of-line mark, the data with end of bitmap.
Bytes EncodeRle(int width, int height, bool fourBit,
                const std::function<int(int x, int fileRow)>& index);

// An uncompressed 24-bit BMP of an image without alpha (a 24-bit file
// could not keep it): rows bottom-up, padded to 4 bytes.
Bytes EncodeBmp24(const Image& image);

// An 8-bit paletted BMP: `indices` is a LUMINANCE image holding one palette
// index a pixel. The palette has 1 to 256 entries and every index must
// name one of them.
Bytes EncodeBmp8(const Image& indices, const std::vector<PaletteEntry>& palette);

struct TgaOptions {
    bool runLength = false;
    // Lets run-length packets run on into the next row. The format forbids
    // it, yet readers meet such files.
    bool packetsCrossRows = false;
    bool topDown = false;      // descriptor bit 5
    bool rightToLeft = false;  // descriptor bit 4
    bool footer = true;        // the TRUEVISION-XFILE signature
    std::string imageId;
};

// An RGB or BGR image as a 24-bit TGA file, RGBA or BGRA as 32-bit; at
// most 65535 pixels each way.
Bytes EncodeTga(const Image& image, const TgaOptions& options);

// An RGB, BGR or LUMINANCE image as a JPEG file of quality 1 to 100;
// greyscale images give one-component files. The integer DCT makes the
// same picture give the same bytes on every machine. When libjpeg fails,
// its message goes to `error` if given. A Windows build without libjpeg
// encodes through the system's imaging component: the same picture within
// a few levels, other bytes, and no progressive files.
Bytes EncodeJpeg(const Image& image, int quality, bool progressive, std::string* error = nullptr);

bool WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

}  // namespace encoders
}  // namespace ondra
