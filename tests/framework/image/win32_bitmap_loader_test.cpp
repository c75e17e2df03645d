// The system's bitmap loader (LoadImageA and GetDIBits) against the
// framework's own BMP reader: every bitmap the own reader reads, from the
// kinds it knows to the game's own files, the system reads to the same
// colours.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/image/byte_source.h"
#include "framework/image/readers.h"
#include "framework/image/system_readers.h"
#include "tests/framework/image/image_test_util.h"
#include "tests/support/skip_or_fail.h"

namespace ondra {
namespace {

using encoders::BmpFile;
using encoders::PaletteEntry;

BmpFile Bmp24(int width, int height, bool topDown) {
    const Image picture = test::Pattern(width, height, BGR);
    BmpFile f;
    f.width = width;
    f.height = topDown ? -height : height;
    f.pixels = encoders::PackRows(width, height, 24, [&](int x, int row) {
        const std::uint8_t* p = picture.GetRow(topDown ? height - 1 - row : row) + 3 * x;
        return std::uint32_t(p[0] | p[1] << 8 | p[2] << 16);
    });
    return f;
}

BmpFile Bmp8(int width, int height, std::vector<PaletteEntry> palette, bool topDown) {
    BmpFile f;
    f.width = width;
    f.height = topDown ? -height : height;
    f.bitCount = 8;
    const auto entries = static_cast<std::uint32_t>(palette.size());
    f.palette = std::move(palette);
    f.pixels = encoders::PackRows(width, height, 8, [entries](int x, int row) { return (x * 7 + row * 3) % entries; });
    return f;
}

std::vector<PaletteEntry> Colours(int entries) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t(i * 37), std::uint8_t(200 - i * 11), std::uint8_t(i * i), 0});
    return palette;
}

std::vector<PaletteEntry> Greys(int entries) {
    std::vector<PaletteEntry> palette;
    for (int i = 0; i < entries; ++i) palette.push_back({std::uint8_t(i * 9), std::uint8_t(i * 9), std::uint8_t(i * 9), 0});
    return palette;
}

::testing::AssertionResult SameColours(const Image& own, const Image& system) {
    if (own.Width() != system.Width() || own.Height() != system.Height())
        return ::testing::AssertionFailure() << own.Width() << "x" << own.Height() << " vs " << system.Width() << "x"
                                             << system.Height();
    for (int y = 0; y < own.Height(); ++y) {
        for (int x = 0; x < own.Width(); ++x) {
            std::array<std::uint8_t, 4> a{}, b{};
            own.GetPixel(x, y, a[0], a[1], a[2], a[3]);
            system.GetPixel(x, y, b[0], b[1], b[2], b[3]);
            if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2])
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << int(a[0]) << " "
                                                     << int(a[1]) << " " << int(a[2]) << " vs " << int(b[0]) << " "
                                                     << int(b[1]) << " " << int(b[2]);
        }
    }
    return ::testing::AssertionSuccess();
}

void ExpectBothReadersAgree(const std::string& path) {
    SCOPED_TRACE(path);
    image_internal::FileSource source;
    ASSERT_TRUE(source.Open(path.c_str()));
    Image own, system;
    ::testing::internal::CaptureStdout();  // the own reader's "bmp: loaded" line
    const bool ownRead = image_internal::ReadBmp(source, own);
    ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ownRead);
    ASSERT_TRUE(source.Seek(0));
    ASSERT_TRUE(image_internal::LoadSystemBitmap(path.c_str(), source, system));
    EXPECT_EQ(BGR, system.GetFormat());
    EXPECT_EQ(image_internal::DibRowPadding(system.Width()), system.GetRowPadding());
    EXPECT_TRUE(SameColours(own, system));
}

struct Case {
    const char* name;
    BmpFile file;
};

void ExpectBothReadersAgree(const std::vector<Case>& cases) {
    test::ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.File("picture.bmp");
        ASSERT_TRUE(encoders::WriteFile(path, encoders::Encode(c.file)));
        ExpectBothReadersAgree(path);
    }
}

TEST(Win32BitmapLoader, ReadsEveryBottomUpKindTheOwnReaderReadsToTheSameColours) {
    ExpectBothReadersAgree({
        {"24 bits, padded rows", Bmp24(7, 5, false)},
        {"8 bits, full palette", Bmp8(9, 4, Colours(256), false)},
        {"8 bits, short palette", Bmp8(5, 5, Colours(12), false)},
        {"8 bits, grey palette", Bmp8(10, 2, Greys(29), false)},
    });
}

TEST(Win32BitmapLoader, ReadsTopDownBitmapsToTheSameColours) {
    ONDRA_SKIP_WINE_GAP("top-down bitmaps in LoadImageA: Wine 8 draws the file's negative height as the source "
                        "height and hands back a black bitmap");
    ExpectBothReadersAgree({
        {"24 bits, top-down", Bmp24(6, 3, true)},
        {"8 bits, top-down", Bmp8(3, 4, Colours(40), true)},
    });
}

TEST(Win32BitmapLoader, ReadsTheGamesBitmapsToTheSameColours) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ONDRA_DATA_DIR)) {
        if (entry.path().extension() != ".bmp") continue;
        ExpectBothReadersAgree(entry.path().string());
        ++files;
    }
    EXPECT_GT(files, 0) << "no bitmaps in " << ONDRA_DATA_DIR;
}

}  // namespace
}  // namespace ondra
