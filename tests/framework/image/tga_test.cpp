// The TGA reader: plain and run-length files of 24 and 32 bits, row order,
// the name rule and broken files.
#include <gtest/gtest.h>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

using encoders::Bytes;
using encoders::TgaOptions;
using test::LoadBytes;
using test::Pattern;
using test::SamePixels;

class TgaTest : public ::testing::Test {
protected:
    test::ScratchFolder folder_;
};

TEST_F(TgaTest, PlainAndRunLengthInEveryRowOrder) {
    // Runs of equal pixels across row ends and raw stretches in between.
    Image picture(7, 5, BGRA);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) picture.SetPixel(x, y, x < 3 ? 10 : 20 * x, y == 2 ? 0 : 30, 200, 100 + y);
    for (ImageFormat format : {BGR, BGRA}) {
        Image source(picture);
        source.SetFormat(format);
        for (int variant = 0; variant < 16; ++variant) {
            TgaOptions options;
            options.runLength = variant & 1;
            options.packetsCrossRows = variant & 8;
            options.topDown = variant & 2;
            options.rightToLeft = variant & 4;
            options.imageId = "an image id";
            const Bytes bytes = encoders::EncodeTga(source, options);
            Image image;
            const test::LoadResult result = LoadBytes(folder_, "picture.tga", bytes, image);
            ASSERT_TRUE(result.ok) << format << " variant " << variant;
            EXPECT_TRUE(SamePixels(image, source)) << format << " variant " << variant;
            const bool warns = format == BGRA && options.runLength;
            EXPECT_EQ(result.output, warns ? "warning: 32-bit RLE compressed TGA not supported\n" : "");
        }
    }
}

TEST_F(TgaTest, TopDownFileRowBecomesTheTopRow) {
    Image picture(2, 3, BGR);
    picture.Fill(0, 0, 0);
    picture.SetPixel(0, 2, 255, 0, 0);  // the top-left pixel
    TgaOptions options;
    options.topDown = true;
    const Bytes bytes = encoders::EncodeTga(picture, options);
    EXPECT_EQ(bytes[17] & 0x20, 0x20);
    EXPECT_EQ(bytes[18 + 2], 255) << "the first file pixel is the top-left one";
    Image image;
    ASSERT_TRUE(LoadBytes(folder_, "top.tga", bytes, image).ok);
    EXPECT_EQ(image.GetRow(2)[2], 255);
}

TEST_F(TgaTest, NameRuleAndSignature) {
    const Image picture = Pattern(3, 2, BGR);
    TgaOptions unsigned_;
    unsigned_.footer = false;
    const Bytes bare = encoders::EncodeTga(picture, unsigned_);
    const Bytes signed_ = encoders::EncodeTga(picture, TgaOptions());
    // A 1 x 1 picture is shorter than a footer: 21 or 22 bytes, taken by
    // its name like any file without one.
    const Image dot = Pattern(1, 1, BGR);
    const Image dotWithAlpha = Pattern(1, 1, BGRA);
    const Bytes tiny = encoders::EncodeTga(dot, unsigned_);
    const Bytes tinyWithAlpha = encoders::EncodeTga(dotWithAlpha, unsigned_);
    struct Case {
        const char* name;
        const Bytes* bytes;
        bool loads;
        const Image* shows;
    };
    const Case cases[] = {
        {"x.TGA", &bare, true, &picture},        {"x.tga", &bare, true, &picture},
        {"a.tga.bmp", &bare, false, nullptr},    {"x.tga.tga", &bare, false, nullptr},
        {"x.Tga", &bare, false, nullptr},        {"x.bin", &bare, false, nullptr},
        {"x.bin", &signed_, true, &picture},     {"a.tga.bmp", &signed_, true, &picture},
        {"dot.tga", &tiny, true, &dot},          {"dot.tga", &tinyWithAlpha, true, &dotWithAlpha},
        {"dot.bin", &tiny, false, nullptr},
    };
    EXPECT_EQ(tiny.size(), 21u);
    EXPECT_EQ(tinyWithAlpha.size(), 22u);
    for (const Case& c : cases) {
        Image image;
        const test::LoadResult result = LoadBytes(folder_, c.name, *c.bytes, image);
        EXPECT_EQ(result.ok, c.loads) << c.name << " of " << c.bytes->size() << " bytes";
        if (c.loads) {
            EXPECT_TRUE(SamePixels(image, *c.shows)) << c.name;
        }
    }
}

TEST_F(TgaTest, BrokenFilesFail) {
    const Image picture = Pattern(6, 4, BGR);
    TgaOptions rle;
    rle.runLength = true;
    const Bytes good = encoders::EncodeTga(picture, TgaOptions());
    const Bytes goodRle = encoders::EncodeTga(picture, rle);
    std::vector<std::pair<const char*, Bytes>> cases;
    auto patched = [](Bytes bytes, std::size_t at, std::uint8_t value) {
        bytes[at] = value;
        return bytes;
    };
    cases.push_back({"colour-mapped", patched(good, 1, 1)});
    cases.push_back({"image type 3", patched(good, 2, 3)});
    cases.push_back({"16 bits", patched(good, 16, 16)});
    cases.push_back({"zero width", patched(patched(good, 12, 0), 13, 0)});
    cases.push_back({"short rows", Bytes(good.begin(), good.begin() + 18 + 60)});
    cases.push_back({"short run-length data", Bytes(goodRle.begin(), goodRle.begin() + 30)});
    // A run that would overflow the picture.
    Bytes overflow(good.begin(), good.begin() + 18);
    overflow[2] = 10;
    for (std::uint8_t b : {0xFF, 1, 2, 3}) overflow.push_back(b);
    cases.push_back({"run past the end", overflow});
    // A forged size the data cannot fill.
    cases.push_back({"forged size", patched(patched(goodRle, 13, 0x3F), 15, 0x3F)});
    cases.push_back({"tiny", Bytes(10, 0)});
    for (const auto& c : cases) {
        Image image(1, 1, RGB);
        EXPECT_FALSE(LoadBytes(folder_, "bad.tga", c.second, image).ok) << c.first;
        EXPECT_TRUE(image.IsEmpty()) << c.first;
    }
}

}  // namespace
}  // namespace ondra
