// BMP encoding: 14-byte file header, 40-byte info header, optional palette,
// then the rows from the bottom of the picture up.
#include "bmp_writer.h"

namespace assetgen {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t PaddedRow(uint32_t bytes) { return (bytes + 3) & ~3u; }

void PutHeaders(Bytes& out, int width, int height, unsigned bitCount, uint32_t paletteEntries, uint32_t rowSize)
{
    const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, dataOffset + imageSize);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, dataOffset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    PutU16(out, 1);                               // planes
    PutU16(out, bitCount);
    PutU32(out, 0);  // no compression
    PutU32(out, imageSize);
    PutU32(out, 2835);  // 72 dpi, in pixels per metre
    PutU32(out, 2835);
    PutU32(out, paletteEntries);
    PutU32(out, 0);
}

bool HasSize(int width, int height) { return width > 0 && height > 0; }

}  // namespace

bool EncodeBmp24(const PixelImage& image, Bytes& out)
{
    if (!HasSize(image.width, image.height) || image.channels != 3 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) {
        return false;
    }
    const uint32_t rowSize = PaddedRow(static_cast<uint32_t>(image.width) * 3);
    out.clear();
    PutHeaders(out, image.width, image.height, 24, 0, rowSize);
    for (int row = image.height - 1; row >= 0; --row) {
        const uint8_t* src = &image.pixels[static_cast<size_t>(row) * image.width * 3];
        for (int x = 0; x < image.width; ++x) {
            PutU8(out, src[3 * x + 2]);
            PutU8(out, src[3 * x + 1]);
            PutU8(out, src[3 * x]);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowSize; ++pad) {
            PutU8(out, 0);
        }
    }
    return true;
}

bool EncodeBmp8(const PalettedImage& image, Bytes& out)
{
    if (!HasSize(image.width, image.height) || image.palette.empty() || image.palette.size() > 256 ||
        image.indices.size() != static_cast<size_t>(image.width) * image.height) {
        return false;
    }
    for (uint8_t index : image.indices) {
        if (index >= image.palette.size()) {
            return false;
        }
    }
    const uint32_t rowSize = PaddedRow(static_cast<uint32_t>(image.width));
    out.clear();
    PutHeaders(out, image.width, image.height, 8, static_cast<uint32_t>(image.palette.size()), rowSize);
    for (const PaletteEntry& entry : image.palette) {
        PutU8(out, entry.b);
        PutU8(out, entry.g);
        PutU8(out, entry.r);
        PutU8(out, 0);
    }
    for (int row = image.height - 1; row >= 0; --row) {
        const uint8_t* src = &image.indices[static_cast<size_t>(row) * image.width];
        out.insert(out.end(), src, src + image.width);
        for (uint32_t pad = static_cast<uint32_t>(image.width); pad < rowSize; ++pad) {
            PutU8(out, 0);
        }
    }
    return true;
}

bool WriteBmp24(const std::string& path, const PixelImage& image)
{
    Bytes bytes;
    return EncodeBmp24(image, bytes) && WriteFileBytes(path, bytes);
}

bool WriteBmp8(const std::string& path, const PalettedImage& image)
{
    Bytes bytes;
    return EncodeBmp8(image, bytes) && WriteFileBytes(path, bytes);
}

}  // namespace assetgen
