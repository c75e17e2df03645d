// The GL side of Image: texture uploads and glDrawPixels with the unpack
// state they must restore, frame buffer reads, GLU rescaling and grabs.
// Runs against a hidden window's context.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include "framework/image/gl_formats.h"
#include "tests/framework/image/image_test_util.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace ondra {
namespace {

constexpr int kSize = 64;

class ImageGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context_.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        image_internal::OverrideBGRASupport(-1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kSize, 0, kSize, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override { image_internal::OverrideBGRASupport(-1); }

    // Four coloured quarters, so orientation and channel order both show.
    static Image Quarters(ImageFormat format, int width = 8, int height = 8, int padding = 0) {
        Image image(width, height, format, padding);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int q = (x >= width / 2) + 2 * (y >= height / 2);
                const int colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
                image.SetPixel(x, y, colours[q][0], colours[q][1], colours[q][2], 255);
            }
        return image;
    }

    static void ExpectQuarters(int left, int bottom, int size, const char* what) {
        const test::Rgb expected[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
        for (int q = 0; q < 4; ++q) {
            const int x = left + (q & 1 ? 3 * size / 4 : size / 4);
            const int y = bottom + (q & 2 ? 3 * size / 4 : size / 4);
            const test::Rgb got = test::ReadPixel(x, y);
            EXPECT_EQ(got.r, expected[q].r) << what << " quarter " << q;
            EXPECT_EQ(got.g, expected[q].g) << what << " quarter " << q;
            EXPECT_EQ(got.b, expected[q].b) << what << " quarter " << q;
        }
    }

    static void DrawTexturedSquare() {
        glEnable(GL_TEXTURE_2D);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(0, 0);
        glTexCoord2f(1, 0), glVertex2f(kSize, 0);
        glTexCoord2f(1, 1), glVertex2f(kSize, kSize);
        glTexCoord2f(0, 1), glVertex2f(0, kSize);
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }

    test::ScopedGLContext context_{kSize, kSize};
};

struct UnpackState {
    GLint values[5];
    static UnpackState Read() {
        UnpackState s;
        const GLenum names[5] = {GL_UNPACK_SWAP_BYTES, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_PIXELS,
                                 GL_UNPACK_SKIP_ROWS, GL_UNPACK_ALIGNMENT};
        for (int i = 0; i < 5; ++i) glGetIntegerv(names[i], &s.values[i]);
        return s;
    }
    bool operator==(const UnpackState& o) const { return std::equal(values, values + 5, o.values); }
};

TEST_F(ImageGLTest, BgrTextureDrawsWithTheRightColours) {
    for (int bgra : {1, 0}) {
        image_internal::OverrideBGRASupport(bgra);
        for (ImageFormat format : {BGR, BGRA, RGB}) {
            for (int padding : {0, 3}) {
                GLuint texture = 0;
                glGenTextures(1, &texture);
                glBindTexture(GL_TEXTURE_2D, texture);
                const Image image = Quarters(format, 8, 8, padding);
                const Image before(image);
                ASSERT_TRUE(image.TexImage2D(0));
                glClear(GL_COLOR_BUFFER_BIT);
                DrawTexturedSquare();
                ExpectQuarters(0, 0, kSize, "TexImage2D");
                EXPECT_TRUE(test::SamePixels(image, before)) << "the image is never changed";

                ASSERT_EQ(image.BuildMipmaps2D(), 0);
                glClear(GL_COLOR_BUFFER_BIT);
                DrawTexturedSquare();
                ExpectQuarters(0, 0, kSize, "BuildMipmaps2D");
                glDeleteTextures(1, &texture);
            }
        }
    }
}

TEST_F(ImageGLTest, DrawPixelsPlacesTheImageAtTheRasterPosition) {
    for (int bgra : {1, 0}) {
        image_internal::OverrideBGRASupport(bgra);
        glClear(GL_COLOR_BUFFER_BIT);
        glRasterPos2i(16, 8);
        ASSERT_TRUE(Quarters(BGR, 20, 20, 1).DrawPixels());
        ExpectQuarters(16, 8, 20, "DrawPixels");
        EXPECT_EQ(test::ReadPixel(40, 40).r, 0);
    }
}

TEST_F(ImageGLTest, UnpackStateIsRestoredAndEmptyImagesMakeNoCalls) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 5);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_TRUE);
    const UnpackState before = UnpackState::Read();
    const Image image = Quarters(BGR, 5, 3, 2);
    glRasterPos2i(0, 0);
    GLuint textures[2];
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glBindTexture(GL_TEXTURE_1D, textures[1]);
    EXPECT_EQ(image.BuildMipmaps2D(), 0);
    EXPECT_TRUE(UnpackState::Read() == before);
    EXPECT_EQ(image.BuildMipmaps1D(), 0);
    EXPECT_TRUE(UnpackState::Read() == before);
    EXPECT_TRUE(image.TexImage2D(0));
    EXPECT_TRUE(UnpackState::Read() == before);
    EXPECT_TRUE(Quarters(BGR, 8, 1).TexImage1D(0));
    EXPECT_TRUE(UnpackState::Read() == before);
    EXPECT_TRUE(image.DrawPixels());
    EXPECT_TRUE(UnpackState::Read() == before);
    glDeleteTextures(2, textures);

    const Image empty;
    EXPECT_EQ(empty.BuildMipmaps2D(), 100901);
    EXPECT_EQ(empty.BuildMipmaps1D(), GLU_INVALID_VALUE);
    EXPECT_FALSE(empty.TexImage2D(0));
    EXPECT_FALSE(empty.TexImage1D(0));
    EXPECT_FALSE(empty.DrawPixels());
    EXPECT_TRUE(UnpackState::Read() == before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // A GL error is reported: level -1 is invalid.
    EXPECT_FALSE(Quarters(RGB).TexImage2D(-1));
    EXPECT_TRUE(UnpackState::Read() == before);
}

TEST_F(ImageGLTest, OddSizesAreAcceptedByTheMipmapBuilder) {
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(Quarters(BGR, 300, 90).BuildMipmaps2D(), 0);
    glDeleteTextures(1, &texture);
}

TEST_F(ImageGLTest, ReadPixelsInEveryFormat) {
    EXPECT_TRUE(Image::IsBGRASupported()) << "Mesa offers OpenGL 1.2 and more";
    glClearColor(200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    for (int bgra : {1, 0}) {
        image_internal::OverrideBGRASupport(bgra);
        for (int f = 0; f <= 5; ++f) {
            Image image;
            ASSERT_TRUE(image.ReadPixels(1, 2, 7, 5, ImageFormat(f))) << f;
            EXPECT_EQ(image.GetFormat(), ImageFormat(f)) << "BGRA support " << bgra;
            EXPECT_EQ(image.Width(), 7);
            std::uint8_t r, g, b, a;
            image.GetPixel(6, 4, r, g, b, a);
            if (f <= BGRA) {
                EXPECT_EQ(r, 200) << f;
                EXPECT_EQ(g, 100) << f;
                EXPECT_EQ(b, 50) << f;
            }
        }
    }
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    Image image;
    EXPECT_FALSE(image.ReadPixels(0, 0, 0, 5, RGB));
    EXPECT_FALSE(image.ReadPixels(0, 0, 5, -1, RGB));
}

TEST_F(ImageGLTest, GrabsTakeTheViewportTheWindowAndTheDesktop) {
    glRasterPos2i(0, 0);
    Quarters(BGR, kSize, kSize).DrawPixels();
    Image image;
    ASSERT_TRUE(image.GrabViewport());
    EXPECT_EQ(image.GetFormat(), RGB);
    EXPECT_EQ(image.Width(), kSize);
    EXPECT_TRUE(test::SamePixels(image, Quarters(RGB, kSize, kSize)));
    ASSERT_TRUE(image.GrabWindow());
    EXPECT_EQ(image.Width(), kSize);
    EXPECT_EQ(image.Height(), kSize);
    EXPECT_TRUE(test::SamePixels(image, Quarters(RGB, kSize, kSize)));

    ASSERT_TRUE(image.GrabDesktop());
    EXPECT_EQ(image.GetFormat(), BGR);
    EXPECT_GT(image.Width(), 0);
    EXPECT_EQ(image.GetStride() % 4, 0);
    EXPECT_LT(image.GetRowPadding(), 4);
}

TEST_F(ImageGLTest, RescaleAndPowersOfTwo) {
    Image image = Quarters(RGB, 300, 90);
    ASSERT_TRUE(image.ScaleImagePow2());
    EXPECT_EQ(image.Width(), 256);
    EXPECT_EQ(image.Height(), 64);
    std::uint8_t r, g, b, a;
    image.GetPixel(10, 10, r, g, b, a);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 0}));
    image.GetPixel(250, 60, r, g, b, a);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 255, 0}));

    // Rows of odd byte counts on both sides, whatever the pack alignment.
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    for (ImageFormat format : {RGB, BGR, LUMINANCE, LUMINANCE_ALPHA, ALPHA, RGBA}) {
        Image small(5, 3, format, 1);
        small.Fill(90, 90, 90, 90);
        ASSERT_EQ(small.Rescale(7, 5), 0) << format;
        EXPECT_EQ(small.GetFormat(), format);
        EXPECT_EQ(small.GetRowPadding(), 0);
        EXPECT_NEAR(small.GetPixel(6, 4), 90 / 255.0f, 0.01f) << format;
    }
    Image hundred(100, 90, RGB);
    hundred.Fill(1, 2, 3);
    ASSERT_TRUE(hundred.ScaleImagePow2());
    EXPECT_EQ(hundred.Width(), 128);
    EXPECT_EQ(hundred.Height(), 64);
}

// Renders a loaded picture through a texture and saves what the window
// shows, for a person to look at.
TEST_F(ImageGLTest, SavesARenderedFrame) {
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_EQ(Quarters(BGR, 16, 16).BuildMipmaps2D(), 0);
    DrawTexturedSquare();
    glDeleteTextures(1, &texture);
    Image frame;
    ASSERT_TRUE(frame.GrabViewport());
    const test::ScratchFolder folder;
    const std::string path = folder.File("frame.bmp");
    ASSERT_TRUE(frame.Save(path.c_str()));
    Image back;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(back.Load(path.c_str()));
    testing::internal::GetCapturedStdout();
    frame.SetFormat(BGR);
    EXPECT_TRUE(test::SamePixels(back, frame));
}

}  // namespace
}  // namespace ondra
