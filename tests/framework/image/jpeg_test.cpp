// The JPEG reader through Image::Load: baseline, progressive and greyscale
// files decoded as libjpeg-turbo decodes them, laid out as a bottom-up BGR
// DIB, and the working-directory path rule.
#include <gtest/gtest.h>


#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "tests/framework/image/image_test_util.h"
#include "tests/support/in_folder.h"

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

// A flat mid-grey picture as libjpeg compresses it. Progressive files get
// one DC scan and then one AC scan, which for a flat picture holds nothing
// but end-of-band runs.
Bytes FlatGrey(int width, int height, bool progressive, bool arithmetic) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    cinfo.arith_code = arithmetic ? TRUE : FALSE;
    jpeg_scan_info scans[2] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0}};
    if (progressive) {
        cinfo.scan_info = scans;
        cinfo.num_scans = 2;
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width), 128);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// A file's marker segments, each with the entropy-coded data after it.
std::vector<Bytes> Segments(const Bytes& file) {
    std::vector<Bytes> segments;
    std::size_t at = 2;
    while (at + 1 < file.size()) {
        std::size_t end = at + 2;
        if (file[at + 1] != 0xD9) end += std::size_t(file[at + 2]) << 8 | file[at + 3];
        if (file[at + 1] == 0xDA)
            while (end + 1 < file.size() && (file[end] != 0xFF || file[end + 1] == 0 ||
                                             (file[end + 1] >= 0xD0 && file[end + 1] <= 0xD7)))
                ++end;
        segments.emplace_back(file.begin() + long(at), file.begin() + long(std::min(end, file.size())));
        at = end;
    }
    return segments;
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

// The decoder zero-fills blocks no scan mentions and lets one end-of-band
// run cover thousands of blocks, so a few kilobytes can describe a
// gigantic picture. A picture must be backed by at least one bit of file per
// 8 x 8 block, as every DC scan spends at least that; arithmetic coding,
// which can spend less and fills missing data silently, is refused outright.
TEST_F(JpegTest, FilesTooSmallForTheirFrameFail) {
    // 255 blocks in a row: the AC scan is one run of 255, exactly one byte.
    const Bytes row = FlatGrey(255 * 8, 8, true, false);
    std::vector<Bytes> segments = Segments(row);
    int scans = 0;
    Bytes bomb = {0xFF, 0xD8};
    for (Bytes& segment : segments) {
        if (segment[1] == 0xC2) {  // 8160 x 8160: 1020 x 1020 = 4080 runs of 255
            segment[5] = segment[7] = 8160 >> 8;
            segment[6] = segment[8] = 8160 & 0xFF;
        }
        if (segment[1] == 0xDA && scans++ == 0) continue;  // no DC scan at all
        if (segment[1] == 0xDA) {
            const std::size_t header = 2 + (std::size_t(segment[2]) << 8 | segment[3]);
            ASSERT_EQ(segment.size(), header + 1) << "one run of 255 blocks fills one byte";
            segment.insert(segment.end(), 4079, segment.back());
        }
        bomb.insert(bomb.end(), segment.begin(), segment.end());
    }
    ASSERT_EQ(scans, 2);
    ASSERT_LT(bomb.size(), 5000u);

    Image image(2, 2, RGB);
    EXPECT_FALSE(test::LoadBytes(folder_, "bomb.jpg", bomb, image).ok) << "AC runs without a DC scan";
    EXPECT_TRUE(image.IsEmpty());
    for (bool progressive : {false, true}) {
        Image arithmetic(2, 2, RGB);
        EXPECT_FALSE(test::LoadBytes(folder_, "arith.jpg", FlatGrey(64, 48, progressive, true), arithmetic).ok)
            << (progressive ? "progressive" : "sequential") << " arithmetic coding";
        EXPECT_TRUE(arithmetic.IsEmpty());
    }

    // The row itself loads, and so does the same row honestly stretched
    // wide, at well under two bits per block.
    const Bytes wide = FlatGrey(8187 * 8, 8, true, false);
    ASSERT_LT(wide.size() * 8, 2 * 8187u);
    for (const Bytes* honest : {&row, &wide}) {
        Image loaded;
        EXPECT_TRUE(test::LoadBytes(folder_, "flat.jpg", *honest, loaded).ok) << honest->size();
        EXPECT_EQ(loaded.Height(), 8);
    }
}

// Relative names are taken from the working directory; one whose full path
// would not fit PATH_MAX is refused instead of being cut short.
TEST_F(JpegTest, RelativeNamesAndThePathLimit) {
    const Bytes bytes = encoders::EncodeJpeg(Quarters(8, 8), 90, false);
    ASSERT_TRUE(encoders::WriteFile(folder_.File("picture.jpg"), bytes));
    const test::InFolder inFolder(folder_.Path());

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
}

}  // namespace
}  // namespace ondra
