// The BMP reader: uncompressed 24-bit and 8-bit paletted files, greyscale
// palettes giving LUMINANCE images. Everything else is left to the system
// BMP decoder that Load tries next.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "framework/image/readers.h"
#include "framework/image/refusal.h"

namespace ondra {
namespace image_internal {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kPaletteEntries = 256;

struct BmpHeaders {
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // positive; see topDown
    bool topDown = false;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

bool Fail(const char* message) {
    std::printf("%s", message);
    return Refuse(message);
}

// Reads both headers; false (with the message already printed) when the
// file is not one this reader takes.
bool ReadHeaders(ByteSource& source, BmpHeaders& h) {
    std::uint8_t file[kFileHeaderSize];
    if (!source.ReadExactly(file, sizeof file) || LittleEndian16(file) != 0x4D42) return Refuse("no BM signature");
    std::uint8_t info[kInfoHeaderSize];
    if (!source.ReadExactly(info, sizeof info)) return Fail("bmp: bad info header\n");
    h.dataOffset = LittleEndian32(file + 10);
    h.infoSize = LittleEndian32(info);
    h.width = std::int32_t(LittleEndian32(info + 4));
    h.height = std::int32_t(LittleEndian32(info + 8));
    h.planes = LittleEndian16(info + 12);
    h.bitCount = LittleEndian16(info + 14);
    h.compression = LittleEndian32(info + 16);
    h.coloursUsed = LittleEndian32(info + 32);
    if (h.compression != 0) return Refuse("compressed pixel data");
    if (h.planes != 1) return Refuse("more than one plane");
    if (h.height < 0) {
        h.height = -h.height;
        h.topDown = true;
    }
    if (!IsAcceptableSize(h.width, h.height)) return Fail("bmp: dubious looking bitmap dimensions\n");
    return true;
}

// Image row for a file row: files store bottom-up unless the height was negative.
int ImageRow(const BmpHeaders& h, int fileRow) {
    return h.topDown ? int(h.height) - 1 - fileRow : fileRow;
}

// The pixel data is read whole, however small the header's image-size
// field claims it is; a file too short for its rows fails before anything
// is allocated. Seeking a file past its end succeeds and the read after it
// fails, so an offset beyond the file is reported as that read's failure.
bool SeekPixelData(ByteSource& source, const BmpHeaders& h, std::uint64_t bytes) {
    if (h.dataOffset > source.Size()) return Fail("bmp: failed reading bitmap data\n");
    if (!source.Seek(h.dataOffset)) return Fail("bmp: can't seek to image data offset\n");
    if (source.Remaining() < bytes) return Fail("bmp: failed reading bitmap data\n");
    return true;
}

bool Read24Bit(ByteSource& source, const BmpHeaders& h, Image& image) {
    const int width = int(h.width), height = int(h.height);
    const int fileRowSize = (width * 3 + 3) & ~3;
    if (!SeekPixelData(source, h, std::uint64_t(fileRowSize) * height)) return false;
    // The file rows go straight into the image, padding included; the
    // padding is squeezed out afterwards without another buffer.
    if (!image.Create(width, height, BGR, fileRowSize - width * 3)) return Fail("bmp: alloc failed\n");
    if (!source.ReadExactly(image.GetData(), std::size_t(image.GetDataSize())))
        return Fail("bmp: failed reading bitmap data\n");
    std::printf("bmp: loaded (0x%08lX, %dx%d)\n",
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(image.GetData())), width,
                height);
    if (h.topDown) image.FlipVertical();
    return image.RemoveRowPadding();
}

// The palette holds 256 entries; a larger colours-used count loads 256,
// and indices past the loaded entries read as black. An info header
// reaching past the file fails as the palette read, as for pixel data.
bool ReadPalette(ByteSource& source, const BmpHeaders& h, std::uint8_t (*palette)[4], int& loaded) {
    std::uint32_t wanted = h.coloursUsed == 0 ? kPaletteEntries : h.coloursUsed;
    if (wanted > kPaletteEntries) wanted = kPaletteEntries;
    const std::uint64_t paletteOffset = std::uint64_t(kFileHeaderSize) + h.infoSize;
    if (paletteOffset > source.Size()) return Fail("bmp: failed to load palette\n");
    if (!source.Seek(paletteOffset)) return Fail("bmp: unable to seek to palette data\n");
    loaded = 0;
    while (loaded < int(wanted) && source.ReadExactly(palette[loaded], 4)) ++loaded;
    if (loaded < int(wanted)) return Fail("bmp: failed to load palette\n");
    return true;
}

bool Read8Bit(ByteSource& source, const BmpHeaders& h, Image& image) {
    std::unique_ptr<std::uint8_t[][4]> palette(new (std::nothrow) std::uint8_t[kPaletteEntries][4]());
    if (!palette) return Fail("bmp: failed to allocate palette\n");
    int loaded = 0;
    if (!ReadPalette(source, h, palette.get(), loaded)) return false;

    const int width = int(h.width), height = int(h.height);
    const int fileRowSize = (width + 3) & ~3;
    const std::size_t bytes = std::size_t(fileRowSize) * height;
    if (!SeekPixelData(source, h, bytes)) return false;
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[bytes]);
    if (!pixels) return Fail("bmp: alloc failed\n");
    if (!source.ReadExactly(pixels.get(), bytes)) return Fail("bmp: failed reading bitmap data\n");

    bool grey = true;
    for (int i = 0; i < loaded && grey; ++i)
        grey = palette[i][0] == palette[i][1] && palette[i][1] == palette[i][2];
    std::printf(grey ? "bmp: loading 8bpp greyscale\n" : "bmp: loading 8bpp paletted colour\n");
    if (!image.Create(width, height, grey ? LUMINANCE : BGR, 0)) return Fail("bmp: alloc failed\n");
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* in = pixels.get() + std::size_t(fileRow) * fileRowSize;
        std::uint8_t* out = image.GetRow(ImageRow(h, fileRow));
        if (grey) {
            for (int x = 0; x < width; ++x) out[x] = palette[in[x]][1];
        } else {
            for (int x = 0; x < width; ++x, out += 3) std::memcpy(out, palette[in[x]], 3);
        }
    }
    return true;
}

}  // namespace

bool ReadBmp(ByteSource& source, Image& image) {
    image.Clear();
    BmpHeaders headers;
    bool ok = ReadHeaders(source, headers);
    if (ok) {
        if (headers.bitCount == 24) ok = Read24Bit(source, headers, image);
        else if (headers.bitCount == 8) ok = Read8Bit(source, headers, image);
        else ok = Refuse("neither 8 nor 24 bits a pixel");
    }
    if (!ok) image.Clear();
    return ok;
}

}  // namespace image_internal
}  // namespace ondra
