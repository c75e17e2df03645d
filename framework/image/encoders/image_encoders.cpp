// In-memory encoders for BMP and TGA files, for tests and the asset
// generator.
#include "framework/image/encoders/image_encoders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace ondra {
namespace encoders {

namespace {

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void PutPixel(Bytes& out, const std::uint8_t* pixel, int size) { out.insert(out.end(), pixel, pixel + size); }

bool HasAlpha(ImageFormat format) {
    return format == RGBA || format == BGRA || format == LUMINANCE_ALPHA || format == ALPHA;
}

// Run-length packets of at most 128 pixels over `count` pixels: a run of
// two or more equal ones becomes a run packet, anything else a raw packet
// that ends where the next run starts.
void PutPackets(Bytes& out, const std::uint8_t* const* pixels, std::size_t count, int pixelSize) {
    auto same = [&](std::size_t a, std::size_t b) { return std::memcmp(pixels[a], pixels[b], pixelSize) == 0; };
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(std::uint8_t(0x80 | (run - 1)));
            PutPixel(out, pixels[i], pixelSize);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1))) ++raw;
        out.push_back(std::uint8_t(raw - 1));
        for (std::size_t k = 0; k < raw; ++k) PutPixel(out, pixels[i + k], pixelSize);
        i += raw;
    }
}

}  // namespace

Bytes Encode(const BmpFile& f) {
    const std::uint32_t infoSize = f.coreHeader ? 12 : f.infoSize;
    const bool masksInHeader = !f.coreHeader && infoSize >= 52;
    const std::uint32_t extra = masksInHeader || f.coreHeader ? 0 : std::uint32_t(f.masks.size() * 4);
    const std::size_t entrySize = f.coreHeader ? 3 : 4;
    const std::uint32_t offset = f.dataOffset >= 0
                                     ? std::uint32_t(f.dataOffset)
                                     : 14 + infoSize + extra + std::uint32_t(f.palette.size() * entrySize);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(offset + f.pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, infoSize);
    if (f.coreHeader) {
        Put16(out, std::uint32_t(f.width));
        Put16(out, std::uint32_t(f.height));
        Put16(out, f.planes);
        Put16(out, f.bitCount);
    } else {
        Put32(out, std::uint32_t(f.width));
        Put32(out, std::uint32_t(f.height));
        Put16(out, f.planes);
        Put16(out, f.bitCount);
        Put32(out, f.compression);
        Put32(out, std::uint32_t(f.imageSize >= 0 ? f.imageSize : std::int64_t(f.pixels.size())));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, std::uint32_t(f.coloursUsed >= 0 ? f.coloursUsed : std::int64_t(f.palette.size())));
        Put32(out, 0);
    }
    const std::size_t infoEnd = 14 + std::size_t(infoSize);
    if (masksInHeader)
        for (std::uint32_t mask : f.masks) Put32(out, mask);
    if (out.size() < infoEnd) out.resize(infoEnd, 0);
    if (!masksInHeader && !f.coreHeader)
        for (std::uint32_t mask : f.masks) Put32(out, mask);
    for (const PaletteEntry& entry : f.palette) {
        const std::uint8_t bytes[] = {entry.blue, entry.green, entry.red, entry.reserved};
        out.insert(out.end(), bytes, bytes + entrySize);
    }
    if (out.size() < offset) out.resize(offset, 0);
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    return out;
}

Bytes PackRows(int width, int height, int bitCount,
               const std::function<std::uint32_t(int x, int fileRow)>& value) {
    const std::size_t rowSize = ((std::size_t(bitCount) * width + 31) / 32) * 4;
    Bytes out(rowSize * height, 0);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* line = out.data() + rowSize * row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, row);
            if (bitCount <= 8) {
                const int bit = x * bitCount;
                const int shift = 8 - bitCount - bit % 8;
                line[bit / 8] |= std::uint8_t((v & ((1u << bitCount) - 1)) << shift);
            } else {
                for (int i = 0; i < bitCount / 8; ++i) line[x * bitCount / 8 + i] = std::uint8_t(v >> (8 * i));
            }
        }
    }
    return out;
}

Bytes EncodeRle(int width, int height, bool fourBit, const std::function<int(int x, int fileRow)>& index) {
    Bytes out;
    for (int row = 0; row < height; ++row) {
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 255 && index(x + run, row) == index(x, row)) ++run;
            if (run >= 3 || width - x < 3) {
                const int v = index(x, row);
                out.push_back(std::uint8_t(run));
                out.push_back(std::uint8_t(fourBit ? (v << 4 | v) : v));
                x += run;
                continue;
            }
            // An absolute run up to the next run of three equal indices.
            int count = 0;
            while (x + count < width && count < 255 &&
                   !(x + count + 2 < width && index(x + count, row) == index(x + count + 1, row) &&
                     index(x + count, row) == index(x + count + 2, row)))
                ++count;
            if (count < 3) count = std::min(3, width - x);
            out.push_back(0);
            out.push_back(std::uint8_t(count));
            Bytes data;
            for (int i = 0; i < count; ++i) {
                const int v = index(x + i, row);
                if (!fourBit) data.push_back(std::uint8_t(v));
                else if (i % 2 == 0) data.push_back(std::uint8_t(v << 4));
                else data.back() |= std::uint8_t(v);
            }
            if (data.size() % 2) data.push_back(0);
            out.insert(out.end(), data.begin(), data.end());
            x += count;
        }
        out.push_back(0);
        out.push_back(row + 1 == height ? 1 : 0);
    }
    return out;
}

Bytes EncodeBmp24(const Image& image) {
    if (image.IsEmpty() || HasAlpha(image.GetFormat())) return {};
    Image bgr(image);
    if (bgr.IsEmpty() || !bgr.SetFormat(BGR)) return {};
    BmpFile f;
    f.width = bgr.Width();
    f.height = bgr.Height();
    f.pixels = PackRows(f.width, f.height, 24, [&bgr](int x, int fileRow) {
        const std::uint8_t* p = bgr.GetRow(fileRow) + 3 * x;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    });
    return Encode(f);
}

Bytes EncodeBmp8(const Image& indices, const std::vector<PaletteEntry>& palette) {
    if (indices.IsEmpty() || indices.GetFormat() != LUMINANCE || palette.empty() || palette.size() > 256)
        return {};
    for (int y = 0; y < indices.Height(); ++y)
        for (int x = 0; x < indices.Width(); ++x)
            if (indices.GetRow(y)[x] >= palette.size()) return {};
    BmpFile f;
    f.width = indices.Width();
    f.height = indices.Height();
    f.bitCount = 8;
    f.palette = palette;
    f.pixels = PackRows(f.width, f.height, 8, [&indices](int x, int fileRow) { return indices.GetRow(fileRow)[x]; });
    return Encode(f);
}

Bytes EncodeTga(const Image& image, const TgaOptions& options) {
    if (image.IsEmpty() || image.Width() > 0xFFFF || image.Height() > 0xFFFF) return {};
    const ImageFormat format = image.GetFormat();
    if (format != RGB && format != BGR && format != RGBA && format != BGRA) return {};
    Image bgr(image);
    if (bgr.IsEmpty() || !bgr.SetFormat(HasAlpha(format) ? BGRA : BGR)) return {};
    const int pixelSize = bgr.GetPixelSize();
    Bytes out;
    out.push_back(std::uint8_t(options.imageId.size()));
    out.push_back(0);
    out.push_back(options.runLength ? 10 : 2);
    out.insert(out.end(), 5, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, std::uint32_t(bgr.Width()));
    Put16(out, std::uint32_t(bgr.Height()));
    out.push_back(std::uint8_t(pixelSize * 8));
    out.push_back(std::uint8_t((pixelSize == 4 ? 8 : 0) | (options.topDown ? 0x20 : 0) |
                               (options.rightToLeft ? 0x10 : 0)));
    out.insert(out.end(), options.imageId.begin(), options.imageId.end());

    // Pixels in file order; packets then cover one row at a time, or the
    // whole run when they may cross rows.
    std::vector<const std::uint8_t*> pixels;
    for (int i = 0; i < bgr.Height(); ++i) {
        const std::uint8_t* row = bgr.GetRow(options.topDown ? bgr.Height() - 1 - i : i);
        for (int j = 0; j < bgr.Width(); ++j) {
            const int x = options.rightToLeft ? bgr.Width() - 1 - j : j;
            pixels.push_back(row + x * pixelSize);
        }
    }
    if (!options.runLength) {
        for (const std::uint8_t* pixel : pixels) PutPixel(out, pixel, pixelSize);
    } else {
        const std::size_t span = options.packetsCrossRows ? pixels.size() : std::size_t(bgr.Width());
        for (std::size_t start = 0; start < pixels.size(); start += span)
            PutPackets(out, pixels.data() + start, span, pixelSize);
    }
    if (options.footer) {
        Put32(out, 0);
        Put32(out, 0);
        const char signature[] = "TRUEVISION-XFILE.";
        out.insert(out.end(), signature, signature + sizeof signature);  // with the closing zero
    }
    return out;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace encoders
}  // namespace ondra
