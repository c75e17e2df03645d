// Image storage, pixel access, the format conversion table, row padding,
// alpha copying, mirroring and building the desktop grab's image.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/image.h"
#include "framework/image/framebuffer.h"

namespace ondra {
namespace {

std::vector<std::uint8_t> PixelBytes(const Image& image, int x, int y) {
    const std::uint8_t* p = image.GetRow(y) + x * image.GetPixelSize();
    return std::vector<std::uint8_t>(p, p + image.GetPixelSize());
}

using B = std::vector<std::uint8_t>;

TEST(ImageStorage, CreateSizesAndEmptyImages) {
    Image image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetDataSize(), 0);
    EXPECT_EQ(image.GetData(), nullptr);
    EXPECT_FLOAT_EQ(image.GetAspect(), 1.0f);

    EXPECT_TRUE(image.Create(0, 5, RGB, 0));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.Create(-1, 5, RGB, 0));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image.Create(5, -1, RGB, 0));
    EXPECT_FALSE(image.Create(100000, 100000, RGBA, 0)) << "byte size beyond int";

    ASSERT_TRUE(image.Create(5, 3, BGR, 2));
    EXPECT_TRUE(image.IsValid());
    EXPECT_EQ(image.GetRowBytes(), 15);
    EXPECT_EQ(image.GetStride(), 17);
    EXPECT_EQ(image.GetRowPadding(), 2);
    EXPECT_EQ(image.GetDataSize(), 51);
    EXPECT_EQ(image.GetRow(0), image.GetData());
    EXPECT_EQ(image.GetRow(2), image.GetData() + 34);
    EXPECT_EQ(image.GetRow(3), nullptr);
    EXPECT_EQ(image.GetRow(-1), nullptr);
    EXPECT_FLOAT_EQ(image.GetAspect(), 5.0f / 3.0f);

    image.Clear();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.Width(), 0);
}

TEST(ImageStorage, PixelSizes) {
    const int sizes[] = {3, 4, 3, 4, 1, 2, 1};
    for (int f = 0; f <= 6; ++f) EXPECT_EQ(Image::GetPixelSize(ImageFormat(f)), sizes[f]) << f;
    EXPECT_EQ(Image::GetPixelSize(ImageFormat(7)), 0);
    EXPECT_EQ(Image::GetPixelSize(ImageFormat(-1)), 0);
}

TEST(ImageStorage, CopiesAreDeepAndKeepPadding) {
    Image a(3, 2, RGBA, 4);
    a.Fill(1, 2, 3, 4);
    Image b(a);
    Image c;
    c = a;
    a.SetPixel(0, 0, 9, 9, 9, 9);
    for (const Image* copy : {&b, &c}) {
        EXPECT_EQ(copy->GetRowPadding(), 4);
        EXPECT_EQ(PixelBytes(*copy, 0, 0), (B{1, 2, 3, 4}));
        EXPECT_EQ(PixelBytes(*copy, 2, 1), (B{1, 2, 3, 4}));
    }
    Image empty;
    b = empty;
    EXPECT_TRUE(b.IsEmpty());
}

TEST(ImagePixels, FillStoresEachFormatsLayout) {
    const B expected[] = {{10, 20, 30}, {10, 20, 30, 40}, {30, 20, 10}, {30, 20, 10, 40}, {18}, {18, 40}, {40}};
    for (int f = 0; f <= 6; ++f) {
        Image image(3, 2, ImageFormat(f), 1);
        ASSERT_TRUE(image.Fill(10, 20, 30, 40));
        EXPECT_EQ(PixelBytes(image, 0, 0), expected[f]) << "format " << f;
        EXPECT_EQ(PixelBytes(image, 2, 1), expected[f]) << "format " << f;
    }
    Image empty;
    EXPECT_FALSE(empty.Fill(1, 2, 3, 4));

    Image image(2, 2, RGBA);
    image.Fill(1.0f, 0.5f, 0.0f);
    EXPECT_EQ(PixelBytes(image, 1, 1), (B{255, 128, 0, 255}));
}

TEST(ImagePixels, SetAndGetPerFormat) {
    Image image(4, 4, BGRA);
    image.Fill(0, 0, 0, 0);
    image.SetPixel(1, 2, 10, 20, 30, 40);
    image.SetPixel(-1, 0, 1, 1, 1, 1);  // ignored
    image.SetPixel(4, 0, 1, 1, 1, 1);   // ignored
    EXPECT_EQ(PixelBytes(image, 1, 2), (B{30, 20, 10, 40}));
    std::uint8_t r, g, b, a;
    image.GetPixel(1, 2, r, g, b, a);
    EXPECT_EQ((B{r, g, b, a}), (B{10, 20, 30, 40}));
    image.GetPixel(9, 9, r, g, b, a);
    EXPECT_EQ((B{r, g, b, a}), (B{0, 0, 0, 255})) << "outside is opaque black";

    float fr, fg, fb, fa;
    image.SetPixel(0, 0, 1.0f, 0.0f, 0.2f, 0.6f);
    image.GetPixel(0, 0, fr, fg, fb, fa);
    EXPECT_FLOAT_EQ(fr, 1.0f);
    EXPECT_FLOAT_EQ(fb, 51 / 255.0f);
    EXPECT_FLOAT_EQ(fa, 153 / 255.0f);

    image.SetPixel(3, 3, 77, 5);  // grey with alpha
    EXPECT_EQ(PixelBytes(image, 3, 3), (B{77, 77, 77, 5}));
    std::uint8_t grey, alpha;
    image.GetPixel(3, 3, grey, alpha);
    EXPECT_EQ(grey, 77);
    EXPECT_EQ(alpha, 5);

    Image lum(2, 1, LUMINANCE_ALPHA);
    lum.SetPixel(0, 0, 100, 200, 50, 7);  // stored as its luminance
    EXPECT_EQ(PixelBytes(lum, 0, 0), (B{155, 7}));
    lum.GetPixel(0, 0, r, g, b, a);
    EXPECT_EQ((B{r, g, b, a}), (B{155, 155, 155, 7}));

    Image alphaOnly(1, 1, ALPHA);
    alphaOnly.SetPixel(0, 0, 10, 20, 30, 99);
    alphaOnly.GetPixel(0, 0, r, g, b, a);
    EXPECT_EQ((B{r, g, b, a}), (B{0, 0, 0, 99}));
    EXPECT_FLOAT_EQ(alphaOnly.GetPixel(0, 0), 99 / 255.0f);
    alphaOnly.SetPixel(0, 0, 12, 34);
    EXPECT_EQ(PixelBytes(alphaOnly, 0, 0), B{34});
}

// Every cell of the conversion table, from one source pixel.
TEST(ImageConversion, FormatTable) {
    struct Source {
        ImageFormat format;
        B bytes;
    };
    // red 200, green 100, blue 50, alpha 70: luminance 125.
    const Source sources[] = {{RGB, {200, 100, 50}},       {RGBA, {200, 100, 50, 70}},
                              {BGR, {50, 100, 200}},       {BGRA, {50, 100, 200, 70}},
                              {LUMINANCE, {90}},           {LUMINANCE_ALPHA, {90, 70}},
                              {ALPHA, {70}}};
    const B expected[7][7] = {
        // to RGB, RGBA, BGR, BGRA, LUMINANCE, LUMINANCE_ALPHA, ALPHA
        {{200, 100, 50}, {200, 100, 50, 255}, {50, 100, 200}, {50, 100, 200, 255}, {125}, {125, 255}, {125}},
        {{200, 100, 50}, {200, 100, 50, 70}, {50, 100, 200}, {50, 100, 200, 70}, {125}, {125, 70}, {70}},
        {{200, 100, 50}, {200, 100, 50, 255}, {50, 100, 200}, {50, 100, 200, 255}, {125}, {125, 255}, {125}},
        {{200, 100, 50}, {200, 100, 50, 70}, {50, 100, 200}, {50, 100, 200, 70}, {125}, {125, 70}, {70}},
        {{90, 90, 90}, {90, 90, 90, 255}, {90, 90, 90}, {90, 90, 90, 255}, {90}, {90, 255}, {90}},
        {{90, 90, 90}, {90, 90, 90, 70}, {90, 90, 90}, {90, 90, 90, 70}, {90}, {90, 70}, {70}},
        {{70, 70, 70}, {70, 70, 70, 70}, {70, 70, 70}, {70, 70, 70, 70}, {70}, {0, 70}, {70}},
    };
    for (int from = 0; from <= 6; ++from) {
        for (int to = 0; to <= 6; ++to) {
            Image image(3, 2, sources[from].format, 3);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    std::memcpy(image.GetRow(y) + x * image.GetPixelSize(), sources[from].bytes.data(),
                                sources[from].bytes.size());
            ASSERT_TRUE(image.SetFormat(ImageFormat(to)));
            EXPECT_EQ(image.GetFormat(), ImageFormat(to));
            EXPECT_EQ(PixelBytes(image, 2, 1), expected[from][to]) << from << " -> " << to;
            if (from != to) {
                EXPECT_EQ(image.GetRowPadding(), 0);
            }
        }
    }
}

TEST(ImageConversion, UnsupportedFormatLeavesImageAlone) {
    Image image(2, 2, RGB);
    image.Fill(1, 2, 3);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(image.SetFormat(ImageFormat(9)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Image::SetFormat - unsupported conversion");
    EXPECT_EQ(image.GetFormat(), RGB);
    EXPECT_EQ(PixelBytes(image, 1, 1), (B{1, 2, 3}));
}

// Distinct bytes everywhere, so a misplaced row or pixel shows.
void FillPattern(Image& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int i = 0; i < image.GetRowBytes(); ++i) image.GetRow(y)[i] = std::uint8_t(y * 31 + i * 7 + 1);
}

bool SamePixels(const Image& a, const Image& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.GetFormat() != b.GetFormat()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.GetRow(y), b.GetRow(y), a.GetRowBytes()) != 0) return false;
    return true;
}

TEST(ImageRowPadding, DownAndUpKeepEveryPixel) {
    Image image(7, 5, RGB, 5);
    FillPattern(image);
    const Image original(image);
    const std::uint8_t* buffer = image.GetData();

    ASSERT_TRUE(image.SetRowPadding(1));  // smaller: in place
    EXPECT_EQ(image.GetStride(), 22);
    EXPECT_EQ(image.GetDataSize(), 110);
    EXPECT_EQ(image.GetData(), buffer);
    EXPECT_TRUE(image.IsValid());
    EXPECT_TRUE(SamePixels(image, original));

    ASSERT_TRUE(image.SetRowPadding(5));  // back up within the allocation
    EXPECT_EQ(image.GetData(), buffer);
    EXPECT_TRUE(SamePixels(image, original));

    ASSERT_TRUE(image.SetRowPadding(9));  // beyond it: reallocated
    EXPECT_EQ(image.GetStride(), 30);
    EXPECT_TRUE(image.IsValid());
    EXPECT_TRUE(SamePixels(image, original));

    ASSERT_TRUE(image.RemoveRowPadding());
    EXPECT_EQ(image.GetStride(), image.GetRowBytes());
    EXPECT_TRUE(SamePixels(image, original));
    ASSERT_TRUE(image.SetStride(24));
    EXPECT_EQ(image.GetRowPadding(), 3);
    EXPECT_TRUE(SamePixels(image, original));

    EXPECT_FALSE(image.SetRowPadding(-1));
    EXPECT_TRUE(image.SetRowPadding(3));
}

TEST(ImageAlpha, CopyAlphaAddsAChannelWhenNeeded) {
    Image alpha(3, 2, ALPHA);
    FillPattern(alpha);

    Image rgb(3, 2, RGB);
    rgb.Fill(10, 20, 30);
    ASSERT_TRUE(rgb.CopyAlpha(alpha));
    EXPECT_EQ(rgb.GetFormat(), RGBA);
    EXPECT_EQ(PixelBytes(rgb, 2, 1), (B{10, 20, 30, alpha.GetRow(1)[2]}));

    Image grey(3, 2, LUMINANCE);
    grey.Fill(50, 50, 50);
    ASSERT_TRUE(grey.CopyAlpha(rgb));  // from RGBA's fourth byte
    EXPECT_EQ(grey.GetFormat(), LUMINANCE_ALPHA);
    EXPECT_EQ(PixelBytes(grey, 1, 0), (B{50, alpha.GetRow(0)[1]}));

    Image bgr(3, 2, BGR);
    bgr.Fill(1, 2, 3);
    EXPECT_FALSE(bgr.CopyAlpha(Image(3, 2, RGB))) << "source without alpha";
    EXPECT_FALSE(bgr.CopyAlpha(Image(2, 2, ALPHA))) << "different size";
    EXPECT_FALSE(Image().CopyAlpha(alpha)) << "empty target";
    EXPECT_EQ(bgr.GetFormat(), BGR);
}

TEST(ImageMirror, FlipsMirrorRowsAndColumns) {
    Image image(3, 2, LUMINANCE_ALPHA, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.SetPixel(x, y, 10 * y + x, 100 + x);
    Image h(image);
    h.FlipHorizontal();
    Image v(image);
    v.FlipVertical();
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelBytes(h, x, y), PixelBytes(image, 2 - x, y));
            EXPECT_EQ(PixelBytes(v, x, y), PixelBytes(image, x, 1 - y));
        }
    }
}

TEST(ImageScaling, RescaleRefusesBadSizesWithoutContext) {
    Image image(4, 4, RGB);
    EXPECT_EQ(image.Rescale(0, 4), 100901);
    EXPECT_EQ(image.Rescale(4, -2), 100901);
    EXPECT_EQ(image.Rescale(4, 4), 0);
    EXPECT_EQ(image.Width(), 4);

    // Scaling needs GL's pixel store: without a context the image is kept.
    image.Fill(1, 2, 3);
    testing::internal::CaptureStdout();
    EXPECT_NE(image.Rescale(8, 2), 0);
    Image odd(5, 3, RGB);
    EXPECT_FALSE(odd.ScaleImagePow2());
    EXPECT_EQ(odd.Width(), 5);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Image::Rescale() called out of GL context\nImage::Rescale() called out of GL context\n");
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 4);
    std::uint8_t r, g, b, a;
    image.GetPixel(3, 3, r, g, b, a);
    EXPECT_EQ((B{r, g, b, a}), (B{1, 2, 3, 255}));
}

// A screen copy comes top row first; the image must come out bottom-up,
// in BGR, with every row padded to 4 bytes and the padding zeroed, for
// each of the four paddings a width can need.
TEST(ImageDesktop, ScreenRowsBecomeABottomUpPaddedBgrImage) {
    for (int width = 1; width <= 4; ++width) {
        const int height = 3;
        std::vector<std::uint8_t> rows;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                rows.insert(rows.end(), {std::uint8_t(x), std::uint8_t(10 + y), std::uint8_t(200)});
        // A buffer of the same size full of other bytes: the allocator
        // tends to hand it back, so padding left unwritten would show.
        Image image(width, height, BGR, (4 - width * 3 % 4) % 4);
        std::memset(image.GetData(), 0xAB, std::size_t(image.GetDataSize()));
        ASSERT_TRUE(image_internal::ImageFromScreenRows(rows.data(), width, height, image)) << width;
        EXPECT_EQ(image.GetFormat(), BGR);
        EXPECT_EQ(image.Width(), width);
        EXPECT_EQ(image.Height(), height);
        EXPECT_EQ(image.GetStride(), (width * 3 + 3) / 4 * 4) << width;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(PixelBytes(image, x, y), (B{std::uint8_t(x), std::uint8_t(10 + height - 1 - y), 200}))
                    << width << " " << x << "," << y;
            const std::uint8_t* padding = image.GetRow(y) + width * 3;
            EXPECT_EQ(B(padding, padding + image.GetRowPadding()), B(std::size_t(image.GetRowPadding()), 0));
        }
    }
    Image image(2, 2, RGB);
    const std::uint8_t pixel[3] = {1, 2, 3};
    EXPECT_FALSE(image_internal::ImageFromScreenRows(pixel, 0, 1, image));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(image_internal::ImageFromScreenRows(nullptr, 1, 1, image));
}

}  // namespace
}  // namespace ondra
