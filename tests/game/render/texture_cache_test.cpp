// TextureCache: one texture per name, slots in load order, the message for
// unknown names and the limit of its slots.
#include "game/render/texture_cache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"

namespace {

using ondra::test::ScratchFolder;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

class TextureCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        ASSERT_TRUE(files.WriteImage("wall.bmp", 200, 10, 10));
        ASSERT_TRUE(files.WriteImage("Wall.bmp", 10, 200, 10));
        ASSERT_TRUE(files.WriteImage("floor.bmp", 10, 10, 200));
    }
    // Loads quietly: the BMP reader reports every file it reads.
    bool Load(TextureCache& cache, const std::string& name) {
        CaptureStdout();
        const bool loaded = cache.Load(files.File(name));
        GetCapturedStdout();
        return loaded;
    }

    ondra::test::ScopedGLContext context;
    ScratchFolder files;
};

TEST_F(TextureCacheTest, ANameLoadedTwiceHasOneSlotAndOneTexture) {
    TextureCache cache(50);
    ASSERT_TRUE(Load(cache, "wall.bmp"));
    const int texture = cache.Lookup(files.File("wall.bmp"));
    EXPECT_TRUE(Load(cache, "wall.bmp"));
    EXPECT_EQ(cache.UsedSlots(), 1);
    EXPECT_EQ(cache.Lookup(files.File("wall.bmp")), texture);
    EXPECT_TRUE(glIsTexture(static_cast<GLuint>(texture)));
}

TEST_F(TextureCacheTest, UnknownNamesGiveMinusOneAndAMessage) {
    TextureCache cache(50);
    EXPECT_FALSE(Load(cache, "missing.jpg"));  // a failed load takes no slot
    EXPECT_EQ(cache.UsedSlots(), 0);
    CaptureStdout();
    EXPECT_EQ(cache.Lookup("missing.jpg"), -1);
    EXPECT_EQ(GetCapturedStdout(), "There is no texture associated with the image file missing.jpg\n");
}

// A name never loaded binds texture 0, which holds no image: the surface
// is drawn as if texturing were off, exactly as binding the raw -1 (a name
// GL never handed out) drew it. A kept texture asks again on every use, so
// the message comes each time, and keeps what it finds.
TEST_F(TextureCacheTest, AMissingTextureBindsNothingAndDrawsUntextured) {
    TextureCache cache(50);
    ASSERT_TRUE(Load(cache, "wall.bmp"));
    CaptureStdout();
    EXPECT_EQ(cache.TextureToBind("missing.jpg"), 0u);
    KeptTexture missing(&cache, "missing.jpg");
    EXPECT_EQ(missing.Get(), 0u);
    EXPECT_EQ(missing.Get(), 0u);
    const std::string message = "There is no texture associated with the image file missing.jpg\n";
    EXPECT_EQ(GetCapturedStdout(), message + message + message);
    const std::string wall = files.File("wall.bmp");
    KeptTexture found(&cache, wall.c_str());
    EXPECT_EQ(found.Get(), static_cast<unsigned int>(cache.Lookup(wall)));
    EXPECT_EQ(KeptTexture(nullptr, "wall.bmp").Get(), 0u);

    // A white quad over the whole view, textured if a texture is bound.
    const auto centre = [&](bool texturing, GLuint texture) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (texturing) glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        glFinish();
        const ondra::test::Rgb pixel = ondra::test::ReadPixel(context.width() / 2, context.height() / 2);
        return std::vector<int>{pixel.r, pixel.g, pixel.b};
    };
    CaptureStdout();
    const std::vector<int> untextured = centre(false, 0);
    EXPECT_EQ(centre(true, cache.TextureToBind("missing.jpg")), untextured);
    EXPECT_EQ(centre(true, static_cast<GLuint>(cache.Lookup("missing.jpg"))), untextured);
    EXPECT_NE(centre(true, cache.TextureToBind(wall)), untextured);  // the check can fail
    GetCapturedStdout();
}

TEST_F(TextureCacheTest, NamesAreCaseSensitive) {
    TextureCache cache(50);
    ASSERT_TRUE(Load(cache, "wall.bmp"));
    ASSERT_TRUE(Load(cache, "Wall.bmp"));
    EXPECT_EQ(cache.UsedSlots(), 2);
    EXPECT_NE(cache.Lookup(files.File("wall.bmp")), cache.Lookup(files.File("Wall.bmp")));
    CaptureStdout();
    EXPECT_EQ(cache.Lookup(files.File("WALL.bmp")), -1);
    GetCapturedStdout();
}

TEST_F(TextureCacheTest, ALoadBeyondTheLastSlotStoresNothing) {
    TextureCache cache(2);
    ASSERT_TRUE(Load(cache, "wall.bmp"));
    ASSERT_TRUE(Load(cache, "Wall.bmp"));
    CaptureStderr();
    EXPECT_FALSE(Load(cache, "floor.bmp"));
    EXPECT_NE(GetCapturedStderr().find("floor.bmp"), std::string::npos);
    EXPECT_EQ(cache.UsedSlots(), 2);
    CaptureStdout();
    EXPECT_EQ(cache.Lookup(files.File("floor.bmp")), -1);
    GetCapturedStdout();
    EXPECT_TRUE(Load(cache, "wall.bmp"));  // already there: still fine
}

TEST_F(TextureCacheTest, TexturesGoWithTheCache) {
    GLuint texture = 0;
    {
        TextureCache cache(50);
        ASSERT_TRUE(Load(cache, "floor.bmp"));
        texture = static_cast<GLuint>(cache.Lookup(files.File("floor.bmp")));
        ASSERT_TRUE(glIsTexture(texture));
    }
    EXPECT_FALSE(glIsTexture(texture));
}

}  // namespace
