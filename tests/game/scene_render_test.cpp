// A small hand-built level with the game's own textures and models, drawn
// as a frame of the game draws it: sky, level, the player's arms and the
// HUD. Each view is saved as a picture (scene_*.ppm in the test's working
// folder) and checked where a fault would show.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "framework/load3ds/model.h"
#include "game/camera.h"
#include "game/hud.h"
#include "game/level.h"
#include "game/level_collider.h"
#include "game/model_cache.h"
#include "game/player.h"
#include "game/texture_cache.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/gl_context.h"

namespace {

namespace fs = std::filesystem;
using ondra::test::RecordingWindow;
using ondra::test::Rgb;

constexpr int kSize = 256;

// The world of the test: a 2 x 3 compound with walls round its edge and no
// ceiling over the north-east block, so the sky shows there.
struct Scene {
    explicit Scene(ondra::GLWindow* window) {
        level.BuildFaceLists(1.0f);
        level.Resize(2, 3);
        level.SetBlockSize(3);
        LoadResources();
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c) level.PlaceBlock(MakeBlock(r, c));
        Skybox& sky = level.Sky();
        sky.west = textures.Lookup("skywest.jpg");
        sky.east = textures.Lookup("skyeast.jpg");
        sky.top = textures.Lookup("skytop.jpg");
        sky.bottom = textures.Lookup("skybottom.jpg");
        sky.north = textures.Lookup("skynorth.jpg");
        sky.south = textures.Lookup("skysouth.jpg");

        player.SetModels(&models);
        player.SetHud(std::make_unique<Hud>(&textures, &player, window));
        player.AttachTo(&playerGroup);
        player.hasWeapon = true;
        player.hasFlashlight = true;
        player.ammo = 12;
        player.clips = 2;
        player.medikits = 1;
        player.keys = {1};
        player.health = 4;
    }

    void LoadResources() {
        const fs::path previous = fs::current_path();
        fs::current_path(ONDRA_DATA_DIR);
        for (const char* name : {"wallpanel.jpg", "wallhazard.tga", "wallpipes.bmp", "floorplate.jpg", "ceiling.jpg",
                                 "ceillight.jpg", "skywest.jpg", "skyeast.jpg", "skytop.jpg", "skybottom.jpg",
                                 "skynorth.jpg", "skysouth.jpg", "hudU4.tga", "hudLBoth.tga"}) {
            EXPECT_TRUE(textures.Load(name)) << name;
        }
        testing::internal::CaptureStdout();  // the 3DS reader's trace
        for (const char* name : {"armgun.3DS", "armtorch.3DS"}) EXPECT_TRUE(models.Load(name)) << name;
        testing::internal::GetCapturedStdout();
        fs::current_path(previous);
        models.Lookup("armgun.3DS")->SetScale(Player::kArmModelScale);
        models.Lookup("armtorch.3DS")->SetScale(Player::kArmModelScale);
    }

    std::unique_ptr<Block> MakeBlock(int row, int column) {
        const FaceLists& lists = level.FaceListNames();
        auto block = std::make_unique<Block>(row, column);
        auto face = [&](std::unique_ptr<BlockPart> part, const char* texture) {
            part->textureId = textures.Lookup(texture);
            return part;
        };
        block->floor = face(std::make_unique<FloorTile>(lists.floor), "floorplate.jpg");
        if (!(row == 1 && column == 3))
            block->ceiling = face(std::make_unique<Ceiling>(lists.ceiling), column == 2 ? "ceillight.jpg" : "ceiling.jpg");
        if (row == 1) block->north = face(std::make_unique<Wall>(lists.wall), "wallpanel.jpg");
        if (row == 2) block->south = face(std::make_unique<Wall>(lists.wall), "wallpipes.bmp");
        if (column == 1) block->west = face(std::make_unique<Wall>(lists.wall), "wallhazard.tga");
        if (column == 3) block->east = face(std::make_unique<Wall>(lists.wall), "wallhazard.tga");
        return block;
    }

    // The fixed GL state of the game: depth, culling, white material, the
    // sun, the flashlight's spot and one lamp in the middle of the compound.
    static void SetUpGL() {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_CULL_FACE);
        const float white[4] = {1, 1, 1, 1};
        const float black[4] = {0, 0, 0, 1};
        const float sun[4] = {0.3f, 0.3f, 0.3f, 1};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
        glLightfv(GL_LIGHT7, GL_AMBIENT, black);
        glLightfv(GL_LIGHT7, GL_DIFFUSE, sun);
        glEnable(GL_LIGHT7);
        glLightf(GL_LIGHT6, GL_LINEAR_ATTENUATION, 0.1f);
        glLightf(GL_LIGHT6, GL_SPOT_CUTOFF, 25.0f);
        glLightf(GL_LIGHT6, GL_SPOT_EXPONENT, 25.0f);
        const float lamp[4] = {0.8f, 0.8f, 0.7f, 1};
        glLightfv(GL_LIGHT0, GL_DIFFUSE, lamp);
        glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.15f);
        glEnable(GL_LIGHT0);
    }

    // One frame from the player's eye at `eye` with the given angles.
    void Draw(const Vector3& eye, float yaw, float pitch) {
        Camera& camera = *player.GetCamera();
        camera.position = eye;
        camera.yaw = yaw;
        camera.pitch = pitch;
        // The first update lifts the eye to the ground's height; the second
        // aims the view from there and takes the arms along.
        player.Update(0.0f);
        player.Update(0.0f);
        glViewport(0, 0, kSize, kSize);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(55.0, 1.0, 0.1, 250.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPushMatrix();
        camera.Apply();
        glEnable(GL_LIGHTING);
        const float sunAt[4] = {-40, 80, -80, 1};
        glLightfv(GL_LIGHT7, GL_POSITION, sunAt);
        const float lampAt[4] = {4.5f, 2.8f, 3.0f, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, lampAt);
        level.Sky().Draw();
        level.Draw();
        playerGroup.DrawTree();
        glPopMatrix();
        glFinish();
    }

    TextureCache textures{50};
    ModelCache models;
    Level level{&textures};
    LevelCollider collider;
    CObject enemies;
    CObject playerGroup;
    Player player{&level, &collider, &textures, &enemies};
};

// Average colour of a square of pixels around (x, y).
Rgb Average(int x, int y, int half = 4) {
    long sum[3] = {0, 0, 0};
    int n = 0;
    for (int dy = -half; dy <= half; ++dy) {
        for (int dx = -half; dx <= half; ++dx, ++n) {
            const Rgb p = ondra::test::ReadPixel(x + dx, y + dy);
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
    }
    return Rgb{static_cast<std::uint8_t>(sum[0] / n), static_cast<std::uint8_t>(sum[1] / n),
               static_cast<std::uint8_t>(sum[2] / n)};
}

int Brightness(const Rgb& c) { return c.r + c.g + c.b; }

// Pure green is only ever the HUD's numbers.
int GreenPixelsNear(int x, int y, int half) {
    int n = 0;
    for (int dy = -half; dy <= half; ++dy) {
        for (int dx = -half; dx <= half; ++dx) {
            const Rgb p = ondra::test::ReadPixel(x + dx, y + dy);
            if (p.g > 200 && p.r < 60 && p.b < 60) ++n;
        }
    }
    return n;
}

TEST(SceneRender, FromInsideTheCompoundWithArmsAndHud) {
    ondra::test::TestApp app;
    RecordingWindow window;
    window.SetSize(kSize, kSize);
    ondra::test::RunOnce(window, [](RecordingWindow& w) {
        Scene scene(&w);
        Scene::SetUpGL();
        glReadBuffer(GL_BACK);
        const int mid = kSize / 2;

        // Facing the north wall from the south-west block: lit wall texture
        // fills the middle of the view.
        scene.player.hudVisible = false;
        scene.Draw(Vector3(1.5f, 1.75f, 4.5f), -90.0f, 0.0f);
        ondra::test::SavePpm("scene_north_wall.ppm", kSize, kSize);
        EXPECT_GT(Brightness(Average(mid, mid + 40)), 40) << "the north wall is missing or faces away";

        // From outside, beyond the west wall: the walls face away and cull,
        // so the view passes through them into the lit compound.
        scene.Draw(Vector3(-2.0f, 1.75f, 4.5f), 0.0f, 0.0f);
        ondra::test::SavePpm("scene_from_outside.ppm", kSize, kSize);

        // Up through the missing ceiling of the north-east block: the sky.
        scene.Draw(Vector3(7.5f, 1.75f, 1.5f), 0.0f, 60.0f);
        ondra::test::SavePpm("scene_sky.ppm", kSize, kSize);
        EXPECT_GT(Brightness(Average(mid, kSize - 20)), 60) << "no sky through the open ceiling";

        // Along the compound with the HUD: green numbers where the window
        // puts them (pixel = centre + raster position), the arms at the
        // lower right.
        scene.player.hudVisible = true;
        scene.Draw(Vector3(1.0f, 1.75f, 3.0f), 0.0f, 0.0f);
        ondra::test::SavePpm("scene_hud.ppm", kSize, kSize);
        EXPECT_GT(GreenPixelsNear(mid + kSize / 20 + 12, mid + kSize / 2 - kSize / 7 + 4, 14), 10) << "ammunition";
        EXPECT_GT(GreenPixelsNear(mid - kSize / 2 + kSize / 10 + 4, mid - kSize / 2 + kSize / 6 + 4, 8), 5)
            << "medikits";
        EXPECT_GT(GreenPixelsNear(mid + kSize / 2 - kSize / 10 + 4, mid - kSize / 2 + kSize / 7 + 4, 8), 5) << "keys";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    });
}

}  // namespace
