// The generator's image writers, read back with the framework's Image
// reader: every format the game uses must come back with the pixels that
// went in, the right way up.
#include "bmp_writer.h"
#include "jpeg_writer.h"
#include "tga_writer.h"

#include "framework/image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace assetgen {
namespace {

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("assetgen_" + std::to_string(getpid()) + "_" + name)).string();
}

// A picture whose every pixel differs, so orientation, order and padding
// mistakes all show.
PixelImage Pattern(int width, int height, int channels)
{
    PixelImage image{width, height, channels, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<uint8_t>(x * 37 + y * 11));
            image.pixels.push_back(static_cast<uint8_t>(y * 53 + 7));
            image.pixels.push_back(static_cast<uint8_t>(x * 5 + y * 3 + 100));
            if (channels == 4) {
                image.pixels.push_back(static_cast<uint8_t>(x * 17 + y * 29));
            }
        }
    }
    return image;
}

// Compares the loaded image with the written pixels: file row 0 is the top,
// Image row 0 the bottom.
void ExpectSamePixels(const ondra::Image& loaded, const PixelImage& written, int tolerance)
{
    ASSERT_EQ(loaded.Width(), written.width);
    ASSERT_EQ(loaded.Height(), written.height);
    int worst = 0;
    for (int y = 0; y < written.height; ++y) {
        for (int x = 0; x < written.width; ++x) {
            uint8_t r, g, b, a;
            loaded.GetPixel(x, written.height - 1 - y, r, g, b, a);
            const uint8_t* p = &written.pixels[(static_cast<size_t>(y) * written.width + x) * written.channels];
            worst = std::max({worst, std::abs(r - p[0]), std::abs(g - p[1]), std::abs(b - p[2])});
            if (written.channels == 4) {
                worst = std::max(worst, std::abs(a - p[3]));
            }
        }
    }
    EXPECT_LE(worst, tolerance);
}

class ImageWriters : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& path : written) {
            std::remove(path.c_str());
        }
    }
    std::string Path(const std::string& name)
    {
        written.push_back(TempPath(name));
        return written.back();
    }
    std::vector<std::string> written;
};

TEST_F(ImageWriters, Bmp24ComesBackExactlyWithPaddedRows)
{
    const PixelImage picture = Pattern(5, 3, 3);  // 15 bytes a row, padded to 16
    Bytes bytes;
    ASSERT_TRUE(EncodeBmp24(picture, bytes));
    EXPECT_EQ(bytes.size(), 54u + 16u * 3u);
    const std::string path = Path("odd.bmp");
    ASSERT_TRUE(WriteBmp24(path, picture));
    ondra::Image loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    ExpectSamePixels(loaded, picture, 0);
}

TEST_F(ImageWriters, Bmp8KeepsColourPalettesAndGreyPalettesBecomeLuminance)
{
    PalettedImage paletted{3, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {0, 1, 2, 2, 1, 0}};
    const std::string colourPath = Path("colour8.bmp");
    ASSERT_TRUE(WriteBmp8(colourPath, paletted));
    ondra::Image colour;
    ASSERT_TRUE(colour.Load(colourPath.c_str()));
    PixelImage expected{3, 2, 3, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0}};
    ExpectSamePixels(colour, expected, 0);

    paletted.palette = {{10, 10, 10}, {128, 128, 128}, {250, 250, 250}};
    const std::string greyPath = Path("grey8.bmp");
    ASSERT_TRUE(WriteBmp8(greyPath, paletted));
    ondra::Image grey;
    ASSERT_TRUE(grey.Load(greyPath.c_str()));
    EXPECT_EQ(grey.GetFormat(), ondra::LUMINANCE);
    uint8_t value = 0;
    grey.GetPixel(0, 1, value);  // top-left pixel: palette entry 0
    EXPECT_EQ(value, 10);
}

TEST_F(ImageWriters, Bmp8RefusesIndicesOutsideThePalette)
{
    Bytes bytes;
    EXPECT_FALSE(EncodeBmp8({2, 1, {{0, 0, 0}}, {0, 1}}, bytes));
    EXPECT_FALSE(EncodeBmp8({1, 1, std::vector<PaletteEntry>(257), {0}}, bytes));
    EXPECT_FALSE(EncodeBmp8({2, 2, {{0, 0, 0}}, {0, 0, 0}}, bytes));  // too few indices
}

TEST_F(ImageWriters, RunLengthTgaSplitsLongRunsAndMixesRawPackets)
{
    // 300 pixels of one colour need three run packets; the pattern below
    // needs raw packets between short runs.
    PixelImage picture{300, 4, 3, {}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 300; ++x) {
            const bool flat = y < 2;
            const uint8_t v = flat ? 90 : static_cast<uint8_t>((x / 3) * 7 + (x % 2) * 100);
            picture.pixels.insert(picture.pixels.end(), {v, static_cast<uint8_t>(v + y), 40});
        }
    }
    Bytes raw;
    Bytes packed;
    ASSERT_TRUE(EncodeTga(picture, TgaCompression::kNone, raw));
    ASSERT_TRUE(EncodeTga(picture, TgaCompression::kRunLength, packed));
    EXPECT_LT(packed.size(), raw.size());
    EXPECT_EQ(packed[2], 10);
    const std::string path = Path("runs.tga");
    ASSERT_TRUE(WriteTga(path, picture, TgaCompression::kRunLength));
    ondra::Image loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_EQ(loaded.GetFormat(), ondra::BGR);
    ExpectSamePixels(loaded, picture, 0);
}

TEST_F(ImageWriters, ThirtyTwoBitTgaKeepsAlphaEitherWay)
{
    const PixelImage picture = Pattern(7, 5, 4);
    for (TgaCompression compression : {TgaCompression::kNone, TgaCompression::kRunLength}) {
        const std::string path = Path(compression == TgaCompression::kNone ? "alpha.tga" : "alpharle.tga");
        ASSERT_TRUE(WriteTga(path, picture, compression));
        ondra::Image loaded;
        ASSERT_TRUE(loaded.Load(path.c_str()));
        EXPECT_EQ(loaded.GetFormat(), ondra::BGRA);
        ExpectSamePixels(loaded, picture, 0);
    }
}

TEST_F(ImageWriters, TgaIsRecognisedBySignatureWithoutItsName)
{
    const PixelImage picture = Pattern(4, 4, 3);
    const std::string path = Path("signed.dat");
    ASSERT_TRUE(WriteTga(path, picture, TgaCompression::kNone));
    ondra::Image loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    ExpectSamePixels(loaded, picture, 0);
}

TEST_F(ImageWriters, JpegComesBackCloseAndUpright)
{
    PixelImage picture{64, 48, 3, {}};
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            picture.pixels.insert(picture.pixels.end(), {static_cast<uint8_t>(255 - y * 5), static_cast<uint8_t>(x * 4),
                                                         static_cast<uint8_t>(y * 5)});
        }
    }
    const std::string path = Path("gradient.jpg");
    ASSERT_TRUE(WriteJpeg(path, picture, 95));
    ondra::Image loaded;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    ExpectSamePixels(loaded, picture, 12);
}

TEST_F(ImageWriters, EncodersRefuseMalformedPictures)
{
    Bytes bytes;
    EXPECT_FALSE(EncodeBmp24(Pattern(4, 4, 4), bytes));
    EXPECT_FALSE(EncodeBmp24({0, 4, 3, {}}, bytes));
    EXPECT_FALSE(EncodeTga({3, 3, 2, std::vector<uint8_t>(18)}, TgaCompression::kNone, bytes));
    EXPECT_FALSE(EncodeTga({70000, 1, 3, std::vector<uint8_t>(210000)}, TgaCompression::kNone, bytes));
    EXPECT_FALSE(EncodeJpeg(Pattern(4, 4, 4), 90, bytes));
    EXPECT_FALSE(EncodeJpeg(Pattern(4, 4, 3), 0, bytes));
    PixelImage shortData = Pattern(4, 4, 3);
    shortData.pixels.pop_back();
    EXPECT_FALSE(EncodeJpeg(shortData, 90, bytes));
}

TEST_F(ImageWriters, UnwritablePathsFailAndLeaveNothing)
{
    const std::string path = TempPath("missing_folder") + "/x.bmp";
    EXPECT_FALSE(WriteBmp24(path, Pattern(2, 2, 3)));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace assetgen
