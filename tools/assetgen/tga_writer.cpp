// TGA encoding. Run-length packets never cross a row, as the format asks,
// and hold at most 128 pixels.
#include "tga_writer.h"

#include <cstring>

namespace assetgen {
namespace {

constexpr int kMaxPacket = 128;

void PutHeader(Bytes& out, const PixelImage& image, TgaCompression compression)
{
    PutU8(out, 0);                                                 // no image id
    PutU8(out, 0);                                                 // no colour map
    PutU8(out, compression == TgaCompression::kRunLength ? 10 : 2);
    for (int i = 0; i < 5; ++i) {
        PutU8(out, 0);  // colour-map fields: there is no colour map
    }
    PutU16(out, 0);  // x origin
    PutU16(out, 0);  // y origin
    PutU16(out, static_cast<unsigned>(image.width));
    PutU16(out, static_cast<unsigned>(image.height));
    PutU8(out, static_cast<unsigned>(image.channels * 8));
    PutU8(out, image.channels == 4 ? 8 : 0);  // alpha bits; rows bottom-up, left to right
}

void PutFooter(Bytes& out)
{
    PutU32(out, 0);  // no extension area
    PutU32(out, 0);  // no developer area
    const char signature[] = "TRUEVISION-XFILE.";
    out.insert(out.end(), signature, signature + sizeof(signature));  // includes the final NUL
}

// Pixels of one row in file order: blue, green, red[, alpha].
Bytes FileRow(const PixelImage& image, int row)
{
    Bytes bytes;
    const int channels = image.channels;
    const uint8_t* src = &image.pixels[static_cast<size_t>(row) * image.width * channels];
    for (int x = 0; x < image.width; ++x) {
        const uint8_t* p = src + x * channels;
        bytes.push_back(p[2]);
        bytes.push_back(p[1]);
        bytes.push_back(p[0]);
        if (channels == 4) {
            bytes.push_back(p[3]);
        }
    }
    return bytes;
}

void PutRunLengthRow(Bytes& out, const Bytes& row, int width, int pixelSize)
{
    auto same = [&](int a, int b) {
        return std::memcmp(&row[static_cast<size_t>(a) * pixelSize], &row[static_cast<size_t>(b) * pixelSize],
                           pixelSize) == 0;
    };
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < kMaxPacket && same(x, x + run)) {
            ++run;
        }
        if (run >= 2) {
            PutU8(out, 0x80 | (run - 1));
            out.insert(out.end(), &row[static_cast<size_t>(x) * pixelSize],
                       &row[static_cast<size_t>(x) * pixelSize] + pixelSize);
            x += run;
            continue;
        }
        // A raw packet runs until two equal neighbours start a run.
        int count = 1;
        while (x + count < width && count < kMaxPacket &&
               !(x + count + 1 < width && same(x + count, x + count + 1))) {
            ++count;
        }
        PutU8(out, count - 1);
        out.insert(out.end(), &row[static_cast<size_t>(x) * pixelSize],
                   &row[static_cast<size_t>(x + count) * pixelSize]);
        x += count;
    }
}

}  // namespace

bool EncodeTga(const PixelImage& image, TgaCompression compression, Bytes& out)
{
    if (image.width <= 0 || image.height <= 0 || image.width > 0xFFFF || image.height > 0xFFFF ||
        (image.channels != 3 && image.channels != 4) ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * image.channels) {
        return false;
    }
    out.clear();
    PutHeader(out, image, compression);
    for (int row = image.height - 1; row >= 0; --row) {
        const Bytes fileRow = FileRow(image, row);
        if (compression == TgaCompression::kRunLength) {
            PutRunLengthRow(out, fileRow, image.width, image.channels);
        } else {
            out.insert(out.end(), fileRow.begin(), fileRow.end());
        }
    }
    PutFooter(out);
    return true;
}

bool WriteTga(const std::string& path, const PixelImage& image, TgaCompression compression)
{
    Bytes bytes;
    return EncodeTga(image, compression, bytes) && WriteFileBytes(path, bytes);
}

}  // namespace assetgen
