// Text output: Printf draws the window's bitmap font into the scene.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/glwindow.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::RunOnce;
using test::TestApp;

void PixelCoordinates(const RecordingWindow& w) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, w.Width(), 0, w.Height());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

int CountPixelsOfColour(int width, int height, test::Rgb colour) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int count = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3)
        if (pixels[i] == colour.r && pixels[i + 1] == colour.g && pixels[i + 2] == colour.b) ++count;
    return count;
}

float RasterX() {
    float position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

TEST(Text, PrintfTurnsPixelsToTheTextColour) {
    TestApp app;
    RecordingWindow window;
    window.SetSize(256, 64);
    RunOnce(window, [](RecordingWindow& w) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        PixelCoordinates(w);
        glColor3f(1, 1, 0);
        glRasterPos2i(8, 20);
        EXPECT_NE(0, w.Printf("12 / %d", 30));
        // The back buffer is undefined after a swap: read it before.
        glReadBuffer(GL_BACK);
        const int lit = CountPixelsOfColour(256, 64, {255, 255, 0});
        EXPECT_GT(lit, 40);
        test::SavePicture("text_printf.ppm", 256, 64);
    });
}

TEST(Text, BlankGlyphsStillAdvanceTheRasterPosition) {
    TestApp app;
    RecordingWindow window;
    RunOnce(window, [](RecordingWindow& w) {
        PixelCoordinates(w);
        glRasterPos2i(10, 10);
        w.Printf(" ");
        const float afterSpace = RasterX();
        EXPECT_GT(afterSpace, 10.0f);
        glRasterPos2i(10, 10);
        w.Printf("1 2");
        const float afterText = RasterX();
        glRasterPos2i(10, 10);
        w.Printf("12");
        EXPECT_GT(afterText, RasterX());
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    });
}

TEST(Text, OverlongTextDrawsNothing) {
    TestApp app;
    RecordingWindow window;
    RunOnce(window, [](RecordingWindow& w) {
        EXPECT_EQ(0, w.Printf("%s", std::string(1024, 'x').c_str()));
        EXPECT_NE(0, w.Printf("%s", std::string(1023, 'x').c_str()));
    });
}

TEST(Text, ListsDeletedBehindTheWindowsBackAreRebuilt) {
    TestApp app;
    RecordingWindow window;
    RunOnce(window, [](RecordingWindow& w) {
        const int base = w.Printf("a");
        ASSERT_NE(0, base);
        glDeleteLists(static_cast<GLuint>(base), 255);
        EXPECT_NE(0, w.Printf("b"));
        EXPECT_TRUE(glIsList(static_cast<GLuint>(w.Printf("c"))));
    });
}

TEST(Text, SetFontFallsBackToTheSystemFont) {
    TestApp app;
    RecordingWindow window;
    RunOnce(window, [](RecordingWindow& w) {
        EXPECT_FALSE(w.SetFont(0, "fixed"));
        EXPECT_FALSE(w.SetFont(20, "no-such-face-anywhere"));
        EXPECT_NE(0, w.Printf("still drawn"));
        // "fixed" at 13 pixels is in xfonts-base, which the build installs;
        // every Windows (and Wine) has Tahoma.
#ifdef _WIN32
        ASSERT_TRUE(w.SetFont(13, "Tahoma"));
#else
        ASSERT_TRUE(w.SetFont(13, "fixed"));
#endif
        PixelCoordinates(w);
        glRasterPos2i(0, 0);
        EXPECT_NE(0, w.Printf("x"));
        EXPECT_GT(RasterX(), 0.0f);
    });
}

}  // namespace
}  // namespace ondra
