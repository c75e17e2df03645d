// TextureCache: one texture per name, slots in load order, the message for
// unknown names and the limit of its slots.
#include "game/texture_cache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

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
