// Text output: Printf draws the window's bitmap font into the scene.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/glwindow.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/window_system.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::RunOnce;
using test::TestApp;
using test::InstalledFontFace;

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

// Rows of the window with a pixel of the colour: how tall the text drawn is.
int RowsWithColour(int width, int height, test::Rgb colour) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int rows = 0;
    for (int y = 0; y < height; ++y) {
        bool lit = false;
        for (int x = 0; x < width && !lit; ++x) {
            const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            lit = p[0] == colour.r && p[1] == colour.g && p[2] == colour.b;
        }
        rows += lit ? 1 : 0;
    }
    return rows;
}

// How many rows "H" covers once SetFont(height, face) has answered `chosen`.
int HeightDrawn(RecordingWindow& w, int height, const char* face, bool& chosen) {
    chosen = w.SetFont(height, face);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    PixelCoordinates(w);
    glColor3f(1, 1, 1);
    glRasterPos2i(4, 8);
    w.Printf("H");
    glReadBuffer(GL_BACK);
    return RowsWithColour(w.Width(), w.Height(), {255, 255, 255});
}

struct FontRequest {
    int height;
    const char* face;
    bool chosen;
};

// Any face the system can give a font for is taken at the height asked:
// an installed one, or in place of a missing one the font mapper's choice
// (on X11: another face at that height, or the nearest height). No height
// or no face is the system font.
TEST(Text, SetFontTakesWhateverFontTheSystemGivesAtThatHeight) {
    const char* installed = InstalledFontFace();
    const FontRequest requests[] = {
        {0, "fixed", false},           {20, "", false},
        {20, nullptr, false},          {-4, "no-such-face-anywhere", false},
        {13, installed, true},         {12, "no-such-face-anywhere", true},
        {30, "no-such-face-anywhere", true},
    };
    TestApp app;
    RecordingWindow window;
    window.SetSize(128, 64);
    RunOnce(window, [&](RecordingWindow& w) {
        int systemRows = 0, rowsAt12 = 0, rowsAt30 = 0;
        for (const FontRequest& r : requests) {
            bool chosen = false;
            const int rows = HeightDrawn(w, r.height, r.face, chosen);
            EXPECT_EQ(r.chosen, chosen) << r.height << " " << (r.face ? r.face : "(null)");
            EXPECT_GT(rows, 4) << r.height << " " << (r.face ? r.face : "(null)");
            if (!r.chosen) {
                EXPECT_TRUE(systemRows == 0 || rows == systemRows) << "the system font each time";
                systemRows = rows;
            }
            if (r.chosen && r.height == 12) rowsAt12 = rows;
            if (r.chosen && r.height == 30) rowsAt30 = rows;
        }
        EXPECT_LE(rowsAt12, 12);
        EXPECT_GT(rowsAt30, rowsAt12) << "the height asked for, not one font for every height";
    });
}

}  // namespace
}  // namespace ondra
