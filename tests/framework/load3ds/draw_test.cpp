// Drawing under a real GL context: display lists compiled once per
// context, mode and generation; separate lists per context; textures on
// screen; the GL state a draw leaves behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "framework/platform/current_context.h"
#include "framework/platform/platform.h"
#include "model_fixtures.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"

namespace ondra {
namespace {

using namespace test3ds;

const ModelGLData* CurrentRecord(const Model& model) {
    auto& contexts = const_cast<ContextStore&>(model.GetData().contexts);
    return contexts.RecordOf(platform::CurrentContextKey());
}

// A square filling the view of an orthographic camera on [0,1] x [0,1].
file3ds::Scene TexturedSquare(const std::string& textureFile) {
    file3ds::Scene scene = BareScene();
    file3ds::Material m = PlainMaterial("tex", 1, 1, 1);
    m.texture = file3ds::TextureMap{textureFile};
    scene.materials = {m, PlainMaterial("green", 0, 1, 0)};
    file3ds::Mesh square = Square("square");
    square.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    square.materialGroups = {{"tex", {0, 1}}};
    file3ds::Mesh other = Square("other");
    for (Vec3& v : other.vertices) v.x += 2;  // out of view
    other.materialGroups = {{"green", {0, 1}}};
    scene.meshes = {square, other};
    return scene;
}

void LoadQuietly(Model& model, const file3ds::Scene& scene) {
    testing::internal::CaptureStderr();
    ASSERT_TRUE(LoadScene(model, scene).ok);
    testing::internal::GetCapturedStderr();
}

void UnitView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

class ModelDraw : public testing::Test {
protected:
    void SetUp() override {
        if (!context_.ok()) ONDRA_SKIP_OR_FAIL("no GL context (no X display?)");
        texturePath_ = TempPath("red.tga");
        WriteTga(texturePath_, 8, 8, 255, 0, 0);
    }

    test::ScopedGLContext context_{32, 32};
    std::string texturePath_;
};

TEST_F(ModelDraw, ListsAreCompiledOncePerModeAndGeneration) {
    Model model;
    LoadQuietly(model, TexturedSquare(texturePath_));
    const ModelEx& ex = model.GetData();

    model.Draw(DRAW_MATERIALS);
    EXPECT_EQ(1, ex.compileCount);
    const ModelGLData* record = CurrentRecord(model);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(2u, record->objectListCount);
    EXPECT_EQ(2u, record->materialListCount);
    EXPECT_EQ(2u, record->textureCount);
    EXPECT_TRUE(glIsList(record->objectListBase + 1));
    EXPECT_TRUE(glIsTexture(record->textures[0]));
    EXPECT_EQ(ex.generation, record->generation);

    model.Draw(DRAW_MATERIALS);
    EXPECT_EQ(1, ex.compileCount);

    model.SetScale(2.0f);
    model.Draw(DRAW_MATERIALS);
    EXPECT_EQ(2, ex.compileCount);
    model.Draw(DRAW_SMOOTH);
    EXPECT_EQ(3, ex.compileCount);
    EXPECT_EQ(DRAW_SMOOTH, record->mode);

    // Without lists nothing is compiled and the old lists are gone.
    model.Draw(DRAW_SMOOTH | DRAW_NO_LISTS);
    EXPECT_EQ(3, ex.compileCount);
    EXPECT_EQ(0u, record->objectListCount);
    EXPECT_EQ(nullptr, record->textures);
    model.Draw(DRAW_SMOOTH | DRAW_NO_TEXTURES);
    EXPECT_EQ(4, ex.compileCount);
    EXPECT_EQ(0u, record->textureCount);

    model.Draw(0);  // mode 0 draws nothing and changes nothing
    EXPECT_EQ(4, ex.compileCount);
    EXPECT_EQ(GL_NO_ERROR, glGetError());

    EXPECT_TRUE(model.ReleaseContext());
    EXPECT_EQ(nullptr, CurrentRecord(model));
    EXPECT_FALSE(model.ReleaseContext());
    EXPECT_EQ(0, ex.contexts.Count());
}

TEST_F(ModelDraw, TexturedSquareShowsItsTexture) {
    Model model;
    LoadQuietly(model, TexturedSquare(texturePath_));
    for (int frame = 0; frame < 2; ++frame) {  // compiling, then from the lists
        UnitView();
        model.Draw(DRAW_MATERIALS);
        const test::Rgb centre = test::ReadPixel(16, 16);
        EXPECT_EQ(255, centre.r) << frame;
        EXPECT_EQ(0, centre.g) << frame;
    }
    test::SavePicture("load3ds_textured.ppm", 32, 32);  // to look at
}

TEST_F(ModelDraw, TranslucentObjectsAreDrawnAfterOpaqueOnes) {
    file3ds::Scene scene = BareScene();
    file3ds::Material glass = PlainMaterial("glass", 0, 0, 1);
    glass.transparency = file3ds::Percent{50};
    scene.materials = {glass, PlainMaterial("red", 1, 0, 0)};
    file3ds::Mesh front = Square("front");
    for (Vec3& v : front.vertices) v.z = 1;  // nearer than the red square
    front.materialGroups = {{"glass", {0, 1}}};
    file3ds::Mesh back = Square("back");
    back.materialGroups = {{"red", {0, 1}}};
    scene.meshes = {front, back};
    Model model;
    LoadQuietly(model, scene);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float white[4] = {1, 1, 1, 1};
    const float black[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    glEnable(GL_DEPTH_TEST);
    for (int frame = 0; frame < 2; ++frame) {
        UnitView();
        const float towardsViewer[4] = {0, 0, 1, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
        model.Draw(DRAW_MATERIALS);
        const test::Rgb mixed = test::ReadPixel(16, 16);
        EXPECT_NEAR(128, mixed.r, 2) << frame;
        EXPECT_NEAR(128, mixed.b, 2) << frame;
    }
    // In one pass the glass comes first and hides the red square.
    UnitView();
    model.Draw(DRAW_MATERIALS | DRAW_ONE_PASS);
    EXPECT_NEAR(0, test::ReadPixel(16, 16).r, 2);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
}

TEST_F(ModelDraw, StateAfterDrawIsRestored) {
    Model model;
    file3ds::Scene scene = TexturedSquare(texturePath_);
    scene.materials[1].transparency = file3ds::Percent{50};
    LoadQuietly(model, scene);
    GLuint own = 0;
    glGenTextures(1, &own);
    glBindTexture(GL_TEXTURE_2D, own);
    glShadeModel(GL_FLAT);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const float diffuse[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glColor3f(0.5f, 0.5f, 0.5f);
    for (int mode = 1; mode <= 6; ++mode) {
        // The first two draws compile and then reuse the lists.
        for (int flags : {0, 0, DRAW_KEEP_STATE, DRAW_ONE_PASS, DRAW_NO_LISTS, DRAW_NO_TEXTURES}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " flags " << flags);
            model.Draw(mode | flags);
            GLint value = 0;
            glGetIntegerv(GL_SHADE_MODEL, &value);
            EXPECT_EQ(GL_FLAT, value);
            EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
            EXPECT_FALSE(glIsEnabled(GL_BLEND));
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
            EXPECT_EQ(static_cast<GLint>(own), value);
            glGetIntegerv(GL_MATRIX_MODE, &value);
            EXPECT_EQ(GL_MODELVIEW, value);
            float now[4];
            glGetMaterialfv(GL_FRONT, GL_DIFFUSE, now);
            EXPECT_EQ(0.5f, now[1]);
            glGetFloatv(GL_CURRENT_COLOR, now);
            EXPECT_EQ(0.5f, now[0]);
        }
    }
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    model.ReleaseContext();
    glDeleteTextures(1, &own);
}

TEST_F(ModelDraw, EdgesFollowTheEdgeFlags) {
    file3ds::Scene scene = BareScene();
    file3ds::Mesh square = Square("square");
    square.faces[0].flags = 0;
    square.faces[1].flags = 0;
    scene.meshes = {square};
    Model hidden;
    LoadQuietly(hidden, scene);
    scene.meshes[0].faces[1].flags = 1;  // corner 3 back to corner 0: the left side
    Model shown;
    LoadQuietly(shown, scene);

    auto litPixels = [](Model& model) {
        UnitView();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.5, 1.5, -0.5, 1.5, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glColor3f(1, 1, 1);
        model.Draw(DRAW_EDGES);
        std::vector<uint8_t> pixels(32 * 32 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 32, 32, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0;
        for (uint8_t p : pixels) lit += p != 0;
        return lit;
    };
    EXPECT_EQ(0, litPixels(hidden));
    EXPECT_GT(litPixels(shown), 0);
}

// Two windows, two contexts: each gets its own lists and texture names, and
// releasing one leaves the other working.
TEST(ModelDrawTwoContexts, EachContextHasItsOwnRecord) {
    platform::WindowDesc desc;
    desc.width = 16;
    desc.height = 16;
    platform::Window* first = nullptr;
    platform::Window* second = nullptr;
    if (platform::CreateWindow(desc, first) != platform::CreateResult::kOk ||
        platform::CreateWindow(desc, second) != platform::CreateResult::kOk)
        ONDRA_SKIP_OR_FAIL("no GL windows (no X display?)");
    const std::string texture = TempPath("blue.tga");
    WriteTga(texture, 4, 4, 0, 0, 255);
    {
        Model model;
        LoadQuietly(model, TexturedSquare(texture));
        const ModelEx& ex = model.GetData();

        ASSERT_TRUE(platform::MakeCurrent(first));
        model.Draw(DRAW_MATERIALS);
        const ModelGLData firstRecord = *CurrentRecord(model);
        ASSERT_TRUE(platform::MakeCurrent(second));
        EXPECT_EQ(nullptr, CurrentRecord(model));
        model.Draw(DRAW_MATERIALS);
        EXPECT_EQ(2, ex.compileCount);
        EXPECT_EQ(2, ex.contexts.Count());
        const ModelGLData* secondRecord = CurrentRecord(model);
        ASSERT_NE(nullptr, secondRecord);
        EXPECT_NE(firstRecord.textures, secondRecord->textures);
        EXPECT_TRUE(glIsList(secondRecord->objectListBase));
        EXPECT_TRUE(glIsTexture(secondRecord->textures[0]));

        ASSERT_TRUE(platform::MakeCurrent(first));
        model.Draw(DRAW_MATERIALS);
        EXPECT_EQ(2, ex.compileCount);  // still from its lists
        EXPECT_TRUE(model.ReleaseContext());
        EXPECT_FALSE(glIsList(firstRecord.objectListBase));
        EXPECT_EQ(1, ex.contexts.Count());

        ASSERT_TRUE(platform::MakeCurrent(second));
        model.Draw(DRAW_MATERIALS);
        EXPECT_EQ(2, ex.compileCount);
        EXPECT_TRUE(model.ReleaseContext());
    }
    platform::RestoreBinding(platform::Binding{});
    platform::DestroyWindow(first);
    platform::DestroyWindow(second);
}

TEST(ModelDrawNoContext, DrawWithoutContextDoesNothing) {
    platform::RestoreBinding(platform::Binding{});
    Model model;
    file3ds::Scene scene = BareScene();
    scene.meshes = {Square("sq")};
    LoadQuietly(model, scene);
    model.Draw(DRAW_MATERIALS);
    EXPECT_EQ(0, model.GetData().compileCount);
    EXPECT_EQ(0, model.GetData().contexts.Count());
    EXPECT_FALSE(model.ReleaseContext());
}

}  // namespace
}  // namespace ondra
