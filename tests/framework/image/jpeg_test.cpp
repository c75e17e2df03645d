// The JPEG reader through Image::Load: baseline, progressive and greyscale
// files decoded as libjpeg-turbo decodes them, laid out as a bottom-up BGR
// DIB, and the working-directory path rule.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "tests/framework/image/image_test_util.h"

namespace ondra {
namespace {

using encoders::Bytes;

// libjpeg-turbo's own decoding of `bytes`: top-down RGB rows.
std::vector<std::uint8_t> ReferenceDecode(const Bytes& bytes, int& width, int& height) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    width = int(cinfo.output_width);
    height = int(cinfo.output_height);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(cinfo.output_scanline) * width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

// Four flat quarters: red, green, blue and white, bottom-left first.
Image Quarters(int width, int height) {
    Image image(width, height, RGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int q = (x >= width / 2) + 2 * (y >= height / 2);
            const int colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
            image.SetPixel(x, y, colours[q][0], colours[q][1], colours[q][2]);
        }
    return image;
}

class JpegTest : public ::testing::Test {
protected:
    void ExpectDecodedLikeLibjpeg(const Bytes& bytes, const Image& picture, const char* what) {
        Image image;
        const test::LoadResult result = test::LoadBytes(folder_, "picture.jpg", bytes, image);
        ASSERT_TRUE(result.ok) << what;
        EXPECT_EQ(result.output, "") << what;
        int width = 0, height = 0;
        const std::vector<std::uint8_t> reference = ReferenceDecode(bytes, width, height);
        ASSERT_EQ(image.Width(), width);
        ASSERT_EQ(image.Height(), height);
        EXPECT_EQ(image.GetFormat(), BGR);
        EXPECT_EQ(image.GetStride(), (width * 3 + 3) / 4 * 4) << "rows laid out like a 24-bit DIB";
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* expected = reference.data() + std::size_t(height - 1 - y) * width * 3;
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(image.GetRow(y)[3 * x + c], expected[3 * x + 2 - c]) << what << " " << x << "," << y;
        }
        // And close to the picture that was encoded, away from the edges.
        std::uint8_t r, g, b, a, pr, pg, pb, pa;
        for (int y : {1, picture.Height() - 2})
            for (int x : {1, picture.Width() - 2}) {
                image.GetPixel(x, y, r, g, b, a);
                picture.GetPixel(x, y, pr, pg, pb, pa);
                EXPECT_NEAR(r, pr, 12) << what;
                EXPECT_NEAR(g, pg, 12) << what;
                EXPECT_NEAR(b, pb, 12) << what;
            }
    }
    test::ScratchFolder folder_;
};

TEST_F(JpegTest, BaselineProgressiveAndGrey) {
    const Image colour = Quarters(34, 18);
    ExpectDecodedLikeLibjpeg(encoders::EncodeJpeg(colour, 95, false), colour, "baseline");
    ExpectDecodedLikeLibjpeg(encoders::EncodeJpeg(colour, 95, true), colour, "progressive");
    Image grey = Quarters(19, 16);
    grey.SetFormat(LUMINANCE);
    ExpectDecodedLikeLibjpeg(encoders::EncodeJpeg(grey, 95, false), grey, "greyscale");
}

TEST_F(JpegTest, DamagedFilesFail) {
    const Bytes good = encoders::EncodeJpeg(Quarters(64, 64), 90, false);
    const Bytes progressive = encoders::EncodeJpeg(Quarters(64, 64), 90, true);
    // The same data claiming 16000 x 16000 pixels runs out long before.
    Bytes forged = good;
    for (std::size_t i = 0; i + 8 < forged.size(); ++i)
        if (forged[i] == 0xFF && (forged[i + 1] == 0xC0 || forged[i + 1] == 0xC2)) {
            forged[i + 5] = forged[i + 7] = 16000 >> 8;
            forged[i + 6] = forged[i + 8] = 16000 & 0xFF;
            break;
        }
    Bytes forgedProgressive = progressive;
    for (std::size_t i = 0; i + 8 < forgedProgressive.size(); ++i)
        if (forgedProgressive[i] == 0xFF && forgedProgressive[i + 1] == 0xC2) {
            forgedProgressive[i + 5] = forgedProgressive[i + 7] = 16000 >> 8;
            forgedProgressive[i + 6] = forgedProgressive[i + 8] = 16000 & 0xFF;
            break;
        }
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"forged size", forged},
        {"forged progressive size", forgedProgressive},
        {"header only", Bytes(good.begin(), good.begin() + 200)},
        {"truncated", Bytes(good.begin(), good.begin() + good.size() / 2)},
        {"truncated progressive", Bytes(progressive.begin(), progressive.begin() + progressive.size() / 2)},
        {"not a JPEG", Bytes(good.begin() + 2, good.end())},
        {"empty", Bytes()},
    };
    for (const auto& c : cases) {
        Image image(2, 2, RGB);
        EXPECT_FALSE(test::LoadBytes(folder_, "bad.jpg", c.second, image).ok) << c.first;
        EXPECT_TRUE(image.IsEmpty()) << c.first;
    }
}

// Relative names are taken from the working directory; one whose full path
// would not fit PATH_MAX is refused instead of being cut short.
TEST_F(JpegTest, RelativeNamesAndThePathLimit) {
    const Bytes bytes = encoders::EncodeJpeg(Quarters(8, 8), 90, false);
    ASSERT_TRUE(encoders::WriteFile(folder_.File("picture.jpg"), bytes));
    char previous[PATH_MAX];
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir(folder_.File("").c_str()), 0);

    Image image;
    EXPECT_TRUE(image.Load("picture.jpg"));
    std::string longName;
    while (std::string(folder_.File("")).size() + longName.size() < PATH_MAX - 5) longName += "./";
    longName += "picture.jpg";
    ASSERT_LT(longName.size(), std::size_t(PATH_MAX));
    FILE* direct = std::fopen(longName.c_str(), "rb");
    ASSERT_NE(direct, nullptr) << "the name itself is usable";
    std::fclose(direct);
    EXPECT_FALSE(image.Load(longName.c_str()));
    EXPECT_TRUE(image.IsEmpty());

    ASSERT_EQ(chdir(previous), 0);
}

}  // namespace
}  // namespace ondra
