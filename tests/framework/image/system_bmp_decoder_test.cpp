// The general BMP decoder: paletted, run-length, 16- and 32-bit bitmaps
// and larger info headers, all giving bottom-up BGR with DIB row padding.
#include <gtest/gtest.h>

#include <array>

#include "framework/image/byte_source.h"
#include "framework/image/readers.h"
#include "framework/image/refusal.h"
#include "framework/image/system_bmp_decoder.h"
#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

using encoders::BmpFile;
using encoders::Bytes;
using Rgb = std::array<int, 3>;

bool Decode(const Bytes& bytes, Image& image) {
    image_internal::MemorySource source(bytes.data(), bytes.size());
    return image_internal::DecodeSystemBmp(source, image);
}

Rgb PixelAt(const Image& image, int x, int y) {
    const std::uint8_t* p = image.GetRow(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

void ExpectDibLayout(const Image& image, int width, int height) {
    EXPECT_EQ(image.GetFormat(), BGR);
    EXPECT_EQ(image.Width(), width);
    EXPECT_EQ(image.Height(), height);
    EXPECT_EQ(image.GetStride(), (width * 3 + 3) / 4 * 4);
}

std::vector<encoders::PaletteEntry> Palette(int entries) {
    std::vector<encoders::PaletteEntry> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t(i * 15), std::uint8_t(100 + i), std::uint8_t(255 - i * 3), 0});
    return palette;
}

Rgb PaletteColour(int index, int entries) {
    if (index >= entries) return {0, 0, 0};
    return {(255 - index * 3) & 0xFF, (100 + index) & 0xFF, (index * 15) & 0xFF};
}

int Index(int x, int y, int bits) { return (x * 5 + y * 3) % (1 << bits); }

TEST(SystemBmpDecoder, PalettedDepthsInBothRowOrders) {
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            const int width = 13, height = 3;
            BmpFile file;
            file.width = width;
            file.height = topDown ? -height : height;
            file.bitCount = std::uint16_t(bits);
            file.palette = Palette(1 << bits);
            file.coloursUsed = 0;
            file.pixels = encoders::PackRows(width, height, bits, [&](int x, int row) {
                return std::uint32_t(Index(x, topDown ? height - 1 - row : row, bits));
            });
            Image image;
            ASSERT_TRUE(Decode(encoders::Encode(file), image)) << bits;
            ExpectDibLayout(image, width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(PixelAt(image, x, y), PaletteColour(Index(x, y, bits), 1 << bits))
                        << bits << " bits at " << x << "," << y;
        }
    }
}

TEST(SystemBmpDecoder, ShortPalettesReadIndicesBeyondAsBlack) {
    BmpFile file;
    file.width = 4;
    file.height = 1;
    file.bitCount = 4;
    file.palette = Palette(3);
    file.pixels = encoders::PackRows(4, 1, 4, [](int x, int) { return std::uint32_t(x * 5); });
    Image image;
    ASSERT_TRUE(Decode(encoders::Encode(file), image));
    EXPECT_EQ(PixelAt(image, 0, 0), PaletteColour(0, 3));
    EXPECT_EQ(PixelAt(image, 1, 0), (Rgb{0, 0, 0}));
}

TEST(SystemBmpDecoder, RunLengthEncodedRunsAbsoluteRunsAndSkips) {
    for (bool fourBit : {false, true}) {
        const int width = 23, height = 4, bits = fourBit ? 4 : 8;
        auto index = [&](int x, int y) { return x < 9 ? (y + 1) % (1 << bits) : Index(x, y, bits); };
        BmpFile file;
        file.width = width;
        file.height = height;
        file.bitCount = std::uint16_t(bits);
        file.compression = fourBit ? 2 : 1;
        file.palette = Palette(1 << bits);
        file.pixels = encoders::EncodeRle(width, height, fourBit, index);
        Image image;
        ASSERT_TRUE(Decode(encoders::Encode(file), image)) << bits;
        ExpectDibLayout(image, width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(PixelAt(image, x, y), PaletteColour(index(x, y), 1 << bits))
                    << bits << " bits at " << x << "," << y;
    }

    // Two pixels, a skip of (2 right, 1 up), one more, then an early end:
    // everything skipped stays black.
    BmpFile skip;
    skip.width = 6;
    skip.height = 3;
    skip.bitCount = 8;
    skip.compression = 1;
    skip.palette = Palette(4);
    skip.pixels = {2, 1, 0, 2, 2, 1, 1, 3, 0, 1};
    Image image;
    ASSERT_TRUE(Decode(encoders::Encode(skip), image));
    EXPECT_EQ(PixelAt(image, 1, 0), PaletteColour(1, 4));
    EXPECT_EQ(PixelAt(image, 2, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 4, 1), PaletteColour(3, 4));
    EXPECT_EQ(PixelAt(image, 3, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 5, 2), (Rgb{0, 0, 0}));
}

TEST(SystemBmpDecoder, SixteenAndThirtyTwoBitWithAndWithoutMasks) {
    struct Case {
        const char* what;
        int bits;
        std::uint32_t compression;
        std::uint32_t infoSize;
        std::vector<std::uint32_t> masks;
        std::function<std::uint32_t(Rgb)> pack;
    };
    auto five = [](int v) { return std::uint32_t(v >> 3); };
    const Case cases[] = {
        {"16-bit 5-5-5", 16, 0, 40, {}, [&](Rgb c) { return five(c[0]) << 10 | five(c[1]) << 5 | five(c[2]); }},
        {"16-bit 5-6-5", 16, 3, 40, {0xF800, 0x07E0, 0x001F},
         [&](Rgb c) { return five(c[0]) << 11 | std::uint32_t(c[1] >> 2) << 5 | five(c[2]); }},
        {"32-bit", 32, 0, 40, {}, [](Rgb c) { return std::uint32_t(0xAB000000u | c[0] << 16 | c[1] << 8 | c[2]); }},
        {"32-bit masks in a V5 header", 32, 3, 124, {0xFF000000, 0xFF0000, 0xFF00},
         [](Rgb c) { return std::uint32_t(c[0]) << 24 | c[1] << 16 | c[2] << 8 | 0x11; }},
    };
    // Colours every depth stores exactly.
    auto colour = [](int x, int y) { return Rgb{x * 64 % 256 == 0 ? 0 : 255, y ? 132 : 8, 24 * x}; };
    for (const Case& c : cases) {
        BmpFile file;
        file.width = 5;
        file.height = 2;
        file.bitCount = std::uint16_t(c.bits);
        file.compression = c.compression;
        file.infoSize = c.infoSize;
        file.masks = c.masks;
        file.pixels = encoders::PackRows(5, 2, c.bits, [&](int x, int y) { return c.pack(colour(x, y)); });
        Image image;
        ASSERT_TRUE(Decode(encoders::Encode(file), image)) << c.what;
        ExpectDibLayout(image, 5, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 5; ++x) {
                Rgb expected = colour(x, y);
                if (c.bits == 16)  // 5 or 6 bits scaled back to 0..255
                    for (int i = 0; i < 3; ++i)
                        expected[i] = (expected[i] >> 3) * 255 / 31 + ((expected[i] >> 3) * 255 % 31 > 15);
                if (c.bits == 16 && c.compression == 3) {
                    const int six = colour(x, y)[1] >> 2;
                    expected[1] = (six * 255 + 31) / 63;
                }
                EXPECT_EQ(PixelAt(image, x, y), expected) << c.what << " at " << x << "," << y;
            }
    }
}

// The OS/2 core header: 16-bit sizes, 3-byte palette entries, rows
// always bottom-up. Wider than 255 so that both size bytes count.
TEST(SystemBmpDecoder, CoreHeaderDepths) {
    const auto colour = [](int x, int y) { return Rgb{x % 256, 255 - y * 50, (x * 7 + y) % 256}; };
    for (int bits : {1, 4, 8, 24}) {
        const int width = 260, height = 3;
        BmpFile file;
        file.coreHeader = true;
        file.width = width;
        file.height = height;
        file.bitCount = std::uint16_t(bits);
        if (bits <= 8) file.palette = Palette(1 << bits);
        file.pixels = encoders::PackRows(width, height, bits, [&](int x, int y) {
            if (bits <= 8) return std::uint32_t(Index(x, y, bits));
            const Rgb c = colour(x, y);
            return std::uint32_t(c[2] | c[1] << 8 | c[0] << 16);
        });
        Image image;
        ASSERT_TRUE(Decode(encoders::Encode(file), image)) << bits;
        ExpectDibLayout(image, width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(PixelAt(image, x, y),
                          bits <= 8 ? PaletteColour(Index(x, y, bits), 1 << bits) : colour(x, y))
                    << bits << " bits at " << x << "," << y;
    }
}

TEST(SystemBmpDecoder, CoreHeaderShortPalettesAndRefusals) {
    auto base = [] {
        BmpFile f;
        f.coreHeader = true;
        f.width = 4;
        f.height = 2;
        f.bitCount = 8;
        f.palette = Palette(3);
        f.pixels = encoders::PackRows(4, 2, 8, [](int x, int) { return std::uint32_t(x); });
        return f;
    };
    // The pixel data right after three entries: no fourth is read from it.
    Image image;
    ASSERT_TRUE(Decode(encoders::Encode(base()), image));
    EXPECT_EQ(PixelAt(image, 2, 1), PaletteColour(2, 3));
    EXPECT_EQ(PixelAt(image, 3, 1), (Rgb{0, 0, 0}));

    struct Case {
        const char* what;
        BmpFile file;
        std::size_t keep;  // bytes of the file kept; 0 for all
        const char* reason;
    };
    std::vector<Case> cases;
    BmpFile f = base();
    f.bitCount = 16;
    cases.push_back({"16-bit", f, 0, "a bit depth and compression it does not read"});
    f = base(), f.planes = 2;
    cases.push_back({"two planes", f, 0, "more than one plane"});
    f = base(), f.height = 0;
    cases.push_back({"no rows", f, 0, "no pixels, or too many"});
    cases.push_back({"cut inside the header", base(), 25, "no room for the info header"});
    f = base(), f.pixels.resize(7);
    cases.push_back({"short rows", f, 0, "the pixel data is cut short"});
    for (const Case& c : cases) {
        Bytes bytes = encoders::Encode(c.file);
        if (c.keep) bytes.resize(c.keep);
        image_internal::RefusalLog log;
        log.Begin("system bmp");
        Image refused(1, 1, RGB);
        EXPECT_FALSE(Decode(bytes, refused)) << c.what;
        EXPECT_TRUE(refused.IsEmpty()) << c.what;
        EXPECT_EQ(log.Text(), std::string("system bmp: ") + c.reason) << c.what;
    }
}

TEST(SystemBmpDecoder, LoadFallsBackToItForWhatTheBmpReaderRefuses) {
    test::ScratchFolder folder;
    BmpFile file;
    file.width = 3;
    file.height = 2;
    file.bitCount = 4;
    file.infoSize = 108;
    file.palette = Palette(16);
    file.pixels = encoders::PackRows(3, 2, 4, [](int x, int y) { return std::uint32_t(x + y); });
    Image image;
    const test::LoadResult result = test::LoadBytes(folder, "four.bmp", encoders::Encode(file), image);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.output, "") << "the BMP reader refuses 4-bit files silently";
    ExpectDibLayout(image, 3, 2);
    EXPECT_EQ(PixelAt(image, 2, 1), PaletteColour(3, 16));
}

// Rows of pictures wider than an int can hold 24 x width bits: the sizes
// stay exact (and UBSan quiet) up to the largest width a reader accepts.
TEST(SystemBmpDecoder, RowSizesOfVeryWidePictures) {
    struct Case {
        std::int64_t width;
        std::int64_t rowSize;
        int padding;
    };
    const Case cases[] = {
        {1, 4, 1},
        {100000000, 300000000, 0},
        {100000001, 300000004, 1},
        {image_internal::kMaxImagePixels, 805306368, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(image_internal::DibRowSize(c.width), c.rowSize) << c.width;
        EXPECT_EQ(image_internal::DibRowPadding(c.width), c.padding) << c.width;
    }
}

TEST(SystemBmpDecoder, RefusesWhatWindowsWouldNot) {
    auto base = [] {
        BmpFile f;
        f.width = 4;
        f.height = 4;
        f.bitCount = 8;
        f.palette = Palette(4);
        f.pixels = encoders::PackRows(4, 4, 8, [](int, int) { return 1u; });
        return f;
    };
    std::vector<std::pair<const char*, BmpFile>> cases;
    BmpFile f = base();
    f.infoSize = 16;
    cases.push_back({"16-byte header", f});
    f = base(), f.bitCount = 2;
    cases.push_back({"2-bit", f});
    f = base(), f.compression = 1, f.height = -4;
    cases.push_back({"top-down RLE", f});
    f = base(), f.compression = 2;
    cases.push_back({"RLE4 at 8 bits", f});
    f = base(), f.compression = 4;
    cases.push_back({"JPEG inside", f});
    f = base(), f.planes = 2;
    cases.push_back({"two planes", f});
    f = base(), f.width = -4;
    cases.push_back({"negative width", f});
    f = base(), f.pixels.resize(15);
    cases.push_back({"short rows", f});
    f = base(), f.width = 16384, f.height = 16384;
    cases.push_back({"forged size", f});
    f = base(), f.compression = 1, f.width = 16384, f.height = 16384, f.pixels = {0, 1};
    cases.push_back({"forged RLE size", f});
    for (const auto& c : cases) {
        Image image(1, 1, RGB);
        EXPECT_FALSE(Decode(encoders::Encode(c.second), image)) << c.first;
        EXPECT_TRUE(image.IsEmpty()) << c.first;
    }
}

}  // namespace
}  // namespace ondra
