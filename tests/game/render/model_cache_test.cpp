// ModelCache: one model per name, and the end of the program for a model
// the game's files never provided.
#include "game/render/model_cache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>

#include "framework/load3ds/model.h"
#include "framework/load3ds/writer/scene_writer.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/standard_streams.h"

namespace {

using ondra::test::ScratchFolder;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// A triangle over the lower left quarter of the view (with identity
// matrices), or, turned, over the upper right one.
bool WriteTriangle(const std::string& path, bool turned = false) {
    const float s = turned ? -1.0f : 1.0f;
    ondra::file3ds::Mesh mesh;
    mesh.name = "tri";
    mesh.vertices = {{-s, -s, 0}, {0, -s, 0}, {-s, 0, 0}};
    mesh.faces = {{0, 1, 2}};
    ondra::file3ds::Scene scene;
    scene.meshes.push_back(mesh);
    return ondra::file3ds::Save(scene, path);
}

class ModelCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteTriangle(files.File("tri.3DS"))); }
    // Loads quietly: the reader prints a dump of every model.
    bool Load(ModelCache& cache, const std::string& path) {
        CaptureStdout();
        const bool loaded = cache.Load(path);
        GetCapturedStdout();
        return loaded;
    }

    ScratchFolder files;
};

TEST_F(ModelCacheTest, ANameLoadedTwiceIsOneModel) {
    ModelCache cache;
    const std::string path = files.File("tri.3DS");
    ASSERT_TRUE(Load(cache, path));
    ondra::Model* model = cache.Lookup(path);
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(Load(cache, path));
    EXPECT_EQ(cache.Lookup(path), model);
    EXPECT_FALSE(Load(cache, files.File("missing.3DS")));
}

TEST_F(ModelCacheTest, DrawsEveryModelInAGLContext) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    ModelCache cache;
    ASSERT_TRUE(Load(cache, files.File("tri.3DS")));
    ASSERT_TRUE(WriteTriangle(files.File("other.3DS"), true));
    ASSERT_TRUE(Load(cache, files.File("other.3DS")));
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    cache.DrawAll();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const auto lit = [](ondra::test::Rgb c) { return c.r + c.g + c.b > 0; };
    const int w = context.width(), h = context.height();
    EXPECT_TRUE(lit(ondra::test::ReadPixel(w / 8, h / 8))) << "tri.3DS";
    EXPECT_TRUE(lit(ondra::test::ReadPixel(w - w / 8, h - h / 8))) << "other.3DS";
    EXPECT_FALSE(lit(ondra::test::ReadPixel(w - w / 8, h / 8))) << "nothing drawn there";
}

using ModelCacheDeathTest = ModelCacheTest;

// The message goes to standard output, the reason to standard error; the
// death test reads standard error, so the child sends one to the other.
TEST_F(ModelCacheDeathTest, LookingUpAModelNeverLoadedEndsTheProgramAsAFailure) {
    ModelCache cache;
    ASSERT_TRUE(Load(cache, files.File("tri.3DS")));
    EXPECT_EXIT(
        {
            ondra::test::SendOutputToError();
            cache.Lookup("vorlax.3DS");
        },
        ::testing::ExitedWithCode(1),
        "^There is no model associated with the model file vorlax.3DS\n"
        "compound: the game needs the model vorlax.3DS; no models entry of the map lists it\n$");
    // Names are case-sensitive.
    EXPECT_EXIT(
        {
            ondra::test::SendOutputToError();
            cache.Lookup(files.File("TRI.3DS"));
        },
        ::testing::ExitedWithCode(1), "There is no model associated with the model file .*TRI.3DS");
}

// Who needed the model, where the map listed it and why it did not load.
TEST_F(ModelCacheDeathTest, TheReasonNamesTheEntryTheListingAndTheReadersRefusal) {
    std::ofstream(files.File("empty.3DS")).flush();
    std::ofstream(files.File("text.3DS")) << "not a model at all\n";
    const struct {
        const char* name;
        const char* listedAt;  // empty: loaded on first use
        const char* reason;
    } cases[] = {
        {"missing.3DS", "map.txt:4", "the models entry at map.txt:4 lists it, but it does not load: No such file"},
        {"empty.3DS", "", "it does not load: the file is empty"},
        {"text.3DS", "", "it does not load: it is not a 3DS file"},
        {"", "map.txt:2", "the models entry at map.txt:2 lists it, but it does not load: it is a directory"},
    };
    for (const auto& c : cases) {
        ModelCache cache;
        const std::string name = files.File(c.name);
        CaptureStdout();
        EXPECT_FALSE(*c.listedAt ? cache.LoadListed(name, c.listedAt) : cache.Load(name)) << name;
        GetCapturedStdout();
        cache.SetUser("map.txt:9: KEY");
        EXPECT_EXIT(cache.Lookup(name), ::testing::ExitedWithCode(1),
                    std::string("compound: map.txt:9: KEY needs the model .*; ") + c.reason)
            << name;
    }
}

}  // namespace
