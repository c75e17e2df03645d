// Drawing the effects: a flame lights pixels in front of a black
// background, each effect binds its own texture and leaves the GL state the
// scene expects.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/effects/bolt_trail.h"
#include "game/effects/electricity.h"
#include "game/effects/flame.h"
#include "game/effects/lightning.h"
#include "game/render/texture_cache.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/in_folder.h"

namespace {

using ondra::test::ScratchFolder;

constexpr int kSize = 128;

// A soft orange disc, brightest in the middle, fading out at the rim.
GLuint MakeFlameTexture() {
    constexpr int n = 64;
    std::vector<unsigned char> pixels(n * n * 4);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const float dx = (x + 0.5f) / n * 2.0f - 1.0f;
            const float dy = (y + 0.5f) / n * 2.0f - 1.0f;
            const float glow = std::fmax(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
            unsigned char* p = &pixels[(y * n + x) * 4];
            p[0] = 255;
            p[1] = static_cast<unsigned char>(80 + 175 * glow);
            p[2] = static_cast<unsigned char>(40 * glow);
            p[3] = static_cast<unsigned char>(255 * glow);
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// A camera 4 units in front of the origin, looking at it, over black.
void BeginFrame() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0.5, 4, 0, 0.5, 0, 0, 1, 0);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
}

std::vector<unsigned char> ReadFrame() {
    glFinish();
    std::vector<unsigned char> rgb(kSize * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

int LitPixels(const std::vector<unsigned char>& rgb) {
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        if (rgb[i] + rgb[i + 1] + rgb[i + 2] > 30) ++lit;
    }
    return lit;
}

GLint Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

class EffectsRender : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        texture = MakeFlameTexture();
    }
    void TearDown() override {
        if (texture != 0) glDeleteTextures(1, &texture);
    }

    ondra::test::ScopedGLContext context{kSize, kSize};
    GLuint texture = 0;
};

TEST_F(EffectsRender, FlameLightsPixelsAndRestoresTheSceneState) {
    Flame flame(250, Vector3(0, 0, 0), 0.5f, texture);
    flame.Update(0.3f);
    BeginFrame();
    glEnable(GL_CULL_FACE);
    flame.Render();
    const std::vector<unsigned char> frame = ReadFrame();
    ondra::test::SavePicture("flame.ppm", kSize, kSize);
    EXPECT_GT(LitPixels(frame), kSize * kSize / 50);

    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
}

TEST_F(EffectsRender, BurntOutFlameDrawsNothing) {
    Flame flame(250, Vector3(0, 0, 0), 0.5f, texture);
    for (int frame = 0; frame < 80; ++frame) flame.Update(0.02f);
    ASSERT_TRUE(flame.IsEmpty());
    BeginFrame();
    flame.Render();
    EXPECT_EQ(LitPixels(ReadFrame()), 0);
}

TEST_F(EffectsRender, SparksBindTheirTextureAndLeaveDepthAndCullingAlone) {
    BoltTrail sparks(30, Vector3(0, 0.5f, 0), Vector3(0, 2, 0), 1.0f, texture);
    BeginFrame();
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    sparks.Render();
    EXPECT_GT(LitPixels(ReadFrame()), 0);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_FALSE);
    glDepthMask(GL_TRUE);
}

// The crackles find their textures by bare file name, as the game's
// working directory holds them.
TEST_F(EffectsRender, EachCrackleBindsItsOwnTexture) {
    ScratchFolder files;
    ASSERT_TRUE(files.WriteImage("storm.jpg", 255, 255, 255));
    ASSERT_TRUE(files.WriteImage("lightning.jpg", 128, 128, 255));
    TextureCache cache(50);
    bool loaded = false;
    {
        const ondra::test::InFolder inFiles(files.Path());
        testing::internal::CaptureStdout();  // the BMP reader's report
        loaded = cache.Load("storm.jpg") && cache.Load("lightning.jpg");
        testing::internal::GetCapturedStdout();
    }
    ASSERT_TRUE(loaded);

    Lightning lightning(500, Vector3(0, 0, 0), 0.5f, &cache);
    Electricity electricity(500, Vector3(0, 0, 0), 0.5f, &cache);
    BeginFrame();
    lightning.Update(0.01f);
    lightning.Render();
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), cache.Lookup("storm.jpg"));
    EXPECT_GT(LitPixels(ReadFrame()), 0);
    EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
    electricity.Render();
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), cache.Lookup("lightning.jpg"));
}

}  // namespace
