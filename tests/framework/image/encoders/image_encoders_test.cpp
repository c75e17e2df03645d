// The picture encoders, read back with Image::Load: every format the asset
// generator writes must come back with the pixels that went in, the right
// way up, and pictures a file cannot hold give no bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

using encoders::Bytes;
using encoders::TgaOptions;

// The largest difference of any channel between two pictures of one size,
// alpha included when `alpha` is set.
int WorstDifference(const Image& a, const Image& b, bool alpha) {
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    int worst = 0;
    for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
        for (int x = 0; x < std::min(a.Width(), b.Width()); ++x) {
            std::uint8_t p[4], q[4];
            a.GetPixel(x, y, p[0], p[1], p[2], p[3]);
            b.GetPixel(x, y, q[0], q[1], q[2], q[3]);
            for (int c = 0; c < (alpha ? 4 : 3); ++c) worst = std::max(worst, std::abs(p[c] - q[c]));
        }
    return worst;
}

Image Loaded(const test::ScratchFolder& folder, const std::string& name, const Bytes& bytes) {
    Image image;
    const test::LoadResult result = test::LoadBytes(folder, name, bytes, image);
    EXPECT_TRUE(result.ok) << name;
    return image;
}

// The pixel counts of the packets of a run-length TGA's data, in order.
std::vector<int> PacketLengths(const Bytes& file, int pixelSize, std::size_t pixels) {
    std::vector<int> lengths;
    std::size_t at = 18 + file[0];
    for (std::size_t done = 0; done < pixels && at < file.size();) {
        const int count = (file[at] & 0x7F) + 1;
        at += 1 + std::size_t(file[at] & 0x80 ? 1 : count) * pixelSize;
        lengths.push_back(count);
        done += count;
    }
    return lengths;
}

class ImageEncoders : public ::testing::Test {
protected:
    test::ScratchFolder folder_;
};

TEST_F(ImageEncoders, Bmp24ComesBackExactlyWithPaddedRows) {
    for (ImageFormat format : {RGB, BGR}) {
        const Image picture = test::Pattern(5, 3, format);  // 15 bytes a row, padded to 16
        const Bytes bytes = encoders::EncodeBmp24(picture);
        EXPECT_EQ(bytes.size(), 54u + 16u * 3u);
        EXPECT_EQ(WorstDifference(Loaded(folder_, "odd.bmp", bytes), picture, false), 0) << format;
    }
}

TEST_F(ImageEncoders, Bmp8KeepsColourPalettesAndGreyPalettesBecomeLuminance) {
    Image indices(3, 2, LUMINANCE);
    const std::uint8_t top[] = {0, 1, 2}, bottom[] = {2, 1, 0};
    std::copy(top, top + 3, indices.GetRow(1));
    std::copy(bottom, bottom + 3, indices.GetRow(0));
    const Image colour = Loaded(folder_, "colour8.bmp",
                                encoders::EncodeBmp8(indices, {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}}));
    Image expected(3, 2, RGB);
    for (int x = 0; x < 3; ++x) {
        expected.SetPixel(x, 1, x == 0 ? 255 : 0, x == 1 ? 255 : 0, x == 2 ? 255 : 0);
        expected.SetPixel(x, 0, x == 2 ? 255 : 0, x == 1 ? 255 : 0, x == 0 ? 255 : 0);
    }
    EXPECT_EQ(WorstDifference(colour, expected, false), 0);

    const Image grey = Loaded(folder_, "grey8.bmp",
                              encoders::EncodeBmp8(indices, {{10, 10, 10, 0}, {128, 128, 128, 0}, {250, 250, 250, 0}}));
    EXPECT_EQ(grey.GetFormat(), LUMINANCE);
    std::uint8_t value = 0;
    grey.GetPixel(0, 1, value);  // top-left pixel: palette entry 0
    EXPECT_EQ(value, 10);
}

TEST_F(ImageEncoders, RunLengthTgaSplitsLongRunsAndMixesRawPackets) {
    // 300 pixels of one colour need three run packets; the pattern below
    // needs raw packets between short runs.
    Image picture(300, 4, RGB);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool flat = y < 2;
            const std::uint8_t v = flat ? 90 : std::uint8_t((x / 3) * 7 + (x % 2) * 100);
            picture.SetPixel(x, y, v, std::uint8_t(v + (flat ? 0 : y)), 40);
        }
    TgaOptions rle;
    rle.runLength = true;
    const Bytes raw = encoders::EncodeTga(picture, TgaOptions());
    const Bytes packed = encoders::EncodeTga(picture, rle);
    EXPECT_LT(packed.size(), raw.size());
    EXPECT_EQ(packed[2], 10);
    const Image loaded = Loaded(folder_, "runs.tga", packed);
    EXPECT_EQ(loaded.GetFormat(), BGR);
    EXPECT_EQ(WorstDifference(loaded, picture, false), 0);

    // No packet runs past the end of a row unless asked to: the two flat
    // rows are one stretch of equal pixels.
    int start = 0;
    for (int length : PacketLengths(packed, 3, 1200)) {
        EXPECT_EQ(start / 300, (start + length - 1) / 300) << "packet at pixel " << start;
        start += length;
    }
    EXPECT_EQ(start, 1200);
    rle.packetsCrossRows = true;
    const std::vector<int> crossing = PacketLengths(encoders::EncodeTga(picture, rle), 3, 1200);
    ASSERT_GE(crossing.size(), 3u);
    EXPECT_EQ(crossing[2], 128) << "the third packet carries on into the second row";
}

TEST_F(ImageEncoders, ThirtyTwoBitTgaKeepsAlphaEitherWay) {
    for (ImageFormat format : {RGBA, BGRA})
        for (bool runLength : {false, true}) {
            const Image picture = test::Pattern(7, 5, format);
            TgaOptions options;
            options.runLength = runLength;
            const Image loaded = Loaded(folder_, "alpha.tga", encoders::EncodeTga(picture, options));
            EXPECT_EQ(loaded.GetFormat(), BGRA);
            EXPECT_EQ(WorstDifference(loaded, picture, true), 0) << format << " rle " << runLength;
        }
}

TEST_F(ImageEncoders, JpegComesBackCloseAndUpright) {
    Image picture(64, 48, RGB);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) picture.SetPixel(x, 47 - y, 255 - y * 5, x * 4, y * 5);
    const Image loaded = Loaded(folder_, "gradient.jpg", encoders::EncodeJpeg(picture, 95, false));
    EXPECT_LE(WorstDifference(loaded, picture, false), 12);
}

TEST_F(ImageEncoders, PicturesAFileCannotHoldGiveNoBytes) {
    const std::vector<encoders::PaletteEntry> one = {{0, 0, 0, 0}};
    Image twoIndices(2, 1, LUMINANCE);
    twoIndices.GetRow(0)[0] = 0;
    twoIndices.GetRow(0)[1] = 1;
    const Image grey = test::Pattern(4, 4, LUMINANCE);
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"24-bit BMP with alpha", encoders::EncodeBmp24(test::Pattern(4, 4, RGBA))},
        {"empty BMP", encoders::EncodeBmp24(Image())},
        {"index outside the palette", encoders::EncodeBmp8(twoIndices, one)},
        {"257 palette entries", encoders::EncodeBmp8(Image(1, 1, LUMINANCE), std::vector<encoders::PaletteEntry>(257))},
        {"indices in a colour image", encoders::EncodeBmp8(test::Pattern(1, 1, RGB), one)},
        {"two-channel TGA", encoders::EncodeTga(test::Pattern(3, 3, LUMINANCE_ALPHA), TgaOptions())},
        {"TGA wider than 65535", encoders::EncodeTga(Image(70000, 1, BGR), TgaOptions())},
        {"JPEG with alpha", encoders::EncodeJpeg(test::Pattern(4, 4, RGBA), 90, false)},
        {"JPEG quality 0", encoders::EncodeJpeg(grey, 0, false)},
        {"JPEG quality 101", encoders::EncodeJpeg(grey, 101, false)},
        {"empty JPEG", encoders::EncodeJpeg(Image(), 90, false)},
    };
    for (const Case& c : cases) EXPECT_TRUE(c.bytes.empty()) << c.what;
}

// libjpeg refuses pictures over 65500 pixels wide; that must come back as
// a failure with its message, not end the process.
TEST_F(ImageEncoders, JpegFailuresReturnLibjpegsMessage) {
    std::string error;
    EXPECT_TRUE(encoders::EncodeJpeg(Image(70000, 1, RGB), 90, false, &error).empty());
    EXPECT_NE(error.find("65500"), std::string::npos) << error;
}

}  // namespace
}  // namespace ondra
