// The general BMP decoder: every uncompressed and run-length encoded kind
// of Windows bitmap with an info header of 40 bytes or more, and the
// uncompressed 1-, 4-, 8- and 24-bit ones with the 12-byte OS/2 core
// header, converted to 24-bit BGR rows laid out like a DIB.
#include "framework/image/system_bmp_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "framework/image.h"
#include "framework/image/byte_source.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"

namespace ondra {
namespace image_internal {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::uint32_t kFileHeaderSize = 14, kCoreInfoSize = 12, kMinInfoSize = 40;

struct Header {
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    bool core = false;  // the OS/2 core header, with 3-byte palette entries
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
};

// A colour mask turned into a shift and a scale to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (!mask) return;
        while (!(mask >> shift & 1)) ++shift;
        maximum = mask >> shift;
    }
    std::uint8_t Extract(std::uint32_t pixel) const {
        if (!maximum) return 0;
        const std::uint64_t value = (pixel & mask) >> shift;
        return std::uint8_t((value * 255 + maximum / 2) / maximum);
    }
};

bool IsSupported(const Header& h) {
    if (h.core) return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
    switch (h.compression) {
    case kRgb:
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
               h.bitCount == 24 || h.bitCount == 32;
    case kRle8: return h.bitCount == 8 && !h.topDown;
    case kRle4: return h.bitCount == 4 && !h.topDown;
    case kBitFields: return h.bitCount == 16 || h.bitCount == 32;
    }
    return false;
}

void SetDefaultMasks(Header& h) {
    if (h.bitCount == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    }
}

bool ReadHeader(ByteSource& source, Header& h) {
    std::uint8_t file[kFileHeaderSize];
    std::uint8_t info[52];
    if (!source.ReadExactly(file, sizeof file) || LittleEndian16(file) != 0x4D42) return Refuse("no BM signature");
    if (!source.ReadExactly(info, 4)) return Refuse("no room for the info header");
    h.infoSize = LittleEndian32(info);
    h.core = h.infoSize == kCoreInfoSize;
    if (!source.ReadExactly(info + 4, (h.core ? kCoreInfoSize : kMinInfoSize) - 4))
        return Refuse("no room for the info header");
    h.dataOffset = LittleEndian32(file + 10);
    std::int64_t width, height;
    int planes;
    if (h.core) {
        // Unsigned sizes, so rows are always stored bottom-up; no
        // compression and no count of colours used.
        width = LittleEndian16(info + 4);
        height = LittleEndian16(info + 6);
        planes = LittleEndian16(info + 8);
        h.bitCount = LittleEndian16(info + 10);
    } else {
        width = std::int32_t(LittleEndian32(info + 4));
        height = std::int32_t(LittleEndian32(info + 8));
        planes = LittleEndian16(info + 12);
        h.bitCount = LittleEndian16(info + 14);
        h.compression = LittleEndian32(info + 16);
        h.coloursUsed = LittleEndian32(info + 32);
        if (h.infoSize < kMinInfoSize) return Refuse("an info header shorter than 40 bytes");
    }
    if (planes != 1) return Refuse("more than one plane");
    if (height < 0) {
        height = -height;
        h.topDown = true;
    }
    if (!IsAcceptableSize(width, height)) return Refuse("no pixels, or too many");
    h.width = int(width);
    h.height = int(height);
    if (!IsSupported(h)) return Refuse("a bit depth and compression it does not read");
    SetDefaultMasks(h);
    if (h.compression == kBitFields) {
        // Masks sit in the info header from its 52-byte version on, and
        // right after a 40-byte one.
        if (!source.ReadExactly(info + kMinInfoSize, 12)) return Refuse("no room for the colour masks");
        for (int i = 0; i < 3; ++i) h.masks[i] = LittleEndian32(info + kMinInfoSize + 4 * i);
    }
    return true;
}

// Palette entries past the stored ones, and any index beyond the palette,
// read as black. A core header has no count of colours used; its palette
// is the full 2^bits entries, or fewer when the pixel data starts sooner.
bool ReadPalette(ByteSource& source, const Header& h, std::uint8_t (&palette)[256][4]) {
    std::memset(palette, 0, sizeof palette);
    const std::uint32_t entries = 1u << h.bitCount;
    std::uint32_t count = h.coloursUsed == 0 || h.coloursUsed > entries ? entries : h.coloursUsed;
    const std::uint64_t start = std::uint64_t(kFileHeaderSize) + h.infoSize;
    const std::size_t entrySize = h.core ? 3 : 4;
    if (h.core && h.dataOffset > start) count = std::min(count, std::uint32_t((h.dataOffset - start) / 3));
    if (!source.Seek(start)) return Refuse("no room for the palette");
    for (std::uint32_t i = 0; i < count; ++i)
        if (!source.ReadExactly(palette[i], entrySize)) return Refuse("the palette is cut short");
    return true;
}

std::uint8_t* RowFor(Image& image, const Header& h, int fileRow) {
    return image.GetRow(h.topDown ? h.height - 1 - fileRow : fileRow);
}

int PaletteIndex(const std::uint8_t* row, int x, int bitCount) {
    switch (bitCount) {
    case 1: return row[x >> 3] >> (7 - (x & 7)) & 1;
    case 4: return row[x >> 1] >> ((x & 1) ? 0 : 4) & 0x0F;
    default: return row[x];
    }
}

void ConvertRow(const std::uint8_t* in, std::uint8_t* out, const Header& h,
                const std::uint8_t (&palette)[256][4], const Channel (&channels)[3]) {
    for (int x = 0; x < h.width; ++x, out += 3) {
        if (h.bitCount <= 8) {
            std::memcpy(out, palette[PaletteIndex(in, x, h.bitCount)], 3);
            continue;
        }
        const std::uint32_t pixel =
            h.bitCount == 16 ? LittleEndian16(in + 2 * x) : LittleEndian32(in + 4 * x);
        out[0] = channels[2].Extract(pixel);
        out[1] = channels[1].Extract(pixel);
        out[2] = channels[0].Extract(pixel);
    }
}

bool DecodeUncompressed(ByteSource& source, const Header& h,
                        const std::uint8_t (&palette)[256][4], Image& image) {
    const std::size_t rowSize = ((std::size_t(h.bitCount) * h.width + 31) / 32) * 4;
    if (!source.Seek(h.dataOffset) || source.Remaining() < rowSize * h.height)
        return Refuse("the pixel data is cut short");
    if (h.bitCount == 24) {
        // The file rows already have the layout of the image rows.
        if (!source.ReadExactly(image.GetData(), std::size_t(image.GetDataSize()))) return false;
        if (h.topDown) image.FlipVertical();
        return true;
    }
    const Channel channels[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
    std::vector<std::uint8_t> row(rowSize);
    for (int fileRow = 0; fileRow < h.height; ++fileRow) {
        if (!source.ReadExactly(row.data(), rowSize)) return false;
        ConvertRow(row.data(), RowFor(image, h, fileRow), h, palette, channels);
    }
    return true;
}

// Run-length data is drawn from the bottom row up. Pixels it skips stay
// black; data running past the right edge or the top is dropped. A stream
// that ends without its end-of-bitmap mark keeps what it drew.
class RunLengthDecoder {
public:
    RunLengthDecoder(const Header& h, const std::uint8_t (&palette)[256][4], Image& image)
        : h_(h), palette_(palette), image_(image) {}

    void Run(BufferedReader& reader) {
        std::uint8_t pair[2];
        while (y_ < h_.height && reader.ReadExactly(pair, 2)) {
            if (pair[0] > 0) {
                for (int i = 0; i < pair[0]; ++i)
                    Put(h_.bitCount == 8 ? pair[1] : (i & 1 ? pair[1] & 0x0F : pair[1] >> 4));
            } else if (pair[1] == 0) {
                x_ = 0, ++y_;
            } else if (pair[1] == 1) {
                return;
            } else if (pair[1] == 2) {
                std::uint8_t delta[2];
                if (!reader.ReadExactly(delta, 2)) return;
                x_ = std::min(x_ + delta[0], h_.width);
                y_ += delta[1];
            } else if (!Absolute(reader, pair[1])) {
                return;
            }
        }
    }

private:
    // An absolute run of `count` indices, padded to a 16-bit boundary.
    bool Absolute(BufferedReader& reader, int count) {
        std::uint8_t bytes[256];
        int size = h_.bitCount == 8 ? count : (count + 1) / 2;
        size += size & 1;
        if (!reader.ReadExactly(bytes, std::size_t(size))) return false;
        for (int i = 0; i < count; ++i)
            Put(h_.bitCount == 8 ? bytes[i] : (i & 1 ? bytes[i / 2] & 0x0F : bytes[i / 2] >> 4));
        return true;
    }

    void Put(int index) {
        if (x_ < h_.width) std::memcpy(image_.GetRow(y_) + 3 * x_++, palette_[index], 3);
    }

    const Header& h_;
    const std::uint8_t (&palette_)[256][4];
    Image& image_;
    int x_ = 0;
    int y_ = 0;
};

bool DecodeRunLength(ByteSource& source, const Header& h, const std::uint8_t (&palette)[256][4],
                     Image& image) {
    if (!source.Seek(h.dataOffset)) return false;
    auto reader = std::make_unique<BufferedReader>(source);
    RunLengthDecoder(h, palette, image).Run(*reader);
    return true;
}

// A forged header must not make us allocate a picture the file cannot
// fill. Uncompressed rows must all be there. Run-length data can describe
// a big picture in a few bytes (skips, an early end mark), so it is
// trusted up to 1024 x 1024 pixels and beyond that only for files of at
// least one byte per 256 pixels.
bool FileCanHold(const ByteSource& source, const Header& h) {
    const std::uint64_t available = source.Size() > h.dataOffset ? source.Size() - h.dataOffset : 0;
    const std::uint64_t pixels = std::uint64_t(h.width) * h.height;
    if (h.compression == kRle8 || h.compression == kRle4) {
        if (pixels <= 1024u * 1024u || pixels / 256 <= available) return true;
        return Refuse("too little run-length data for its picture");
    }
    if (available >= ((std::uint64_t(h.bitCount) * h.width + 31) / 32) * 4 * h.height) return true;
    return Refuse("the pixel data is cut short");
}

bool Decode(ByteSource& source, Image& image) {
    Header h;
    if (!ReadHeader(source, h) || !FileCanHold(source, h)) return false;
    std::uint8_t palette[256][4] = {};
    if (h.bitCount <= 8 && !ReadPalette(source, h, palette)) return false;
    if (!image.Create(h.width, h.height, BGR, DibRowPadding(h.width))) return Refuse("out of memory");
    std::memset(image.GetData(), 0, std::size_t(image.GetDataSize()));
    if (h.compression == kRle8 || h.compression == kRle4)
        return DecodeRunLength(source, h, palette, image);
    return DecodeUncompressed(source, h, palette, image);
}

}  // namespace

bool DecodeSystemBmp(ByteSource& source, Image& image) {
    image.Clear();
    if (Decode(source, image)) return true;
    image.Clear();
    return false;
}

}  // namespace image_internal
}  // namespace ondra
