// A small hand-built level with the game's own textures and models, drawn
// as a frame of the game draws it: sky, level, the player's arms and the
// HUD. Each view is saved as a picture (scene_*.ppm in the test's working
// folder) and checked where a fault would show.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "tests/framework/window_fixture.h"
#include "tests/game/test_scene.h"
#include "tests/support/gl_context.h"

namespace {

using game_test::BrightnessAround;
using game_test::Scene;
using ondra::test::RecordingWindow;
using ondra::test::Rgb;

constexpr int kSize = Scene::kSize;

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
        scene.Load({"hudU4.tga", "hudLBoth.tga"});
        scene.player.hasWeapon = true;
        scene.player.hasFlashlight = true;
        scene.player.ammo = 12;
        scene.player.clips = 2;
        scene.player.medikits = 1;
        scene.player.keys = {1};
        scene.player.health = 4;
        Scene::SetUpGL();
        glReadBuffer(GL_BACK);
        const int mid = kSize / 2;

        // Facing the north wall from the south-west block: lit wall texture
        // fills the middle of the view.
        scene.player.hudVisible = false;
        scene.Draw(Vector3(1.5f, 1.75f, 4.5f), -90.0f, 0.0f);
        ondra::test::SavePpm("scene_north_wall.ppm", kSize, kSize);
        EXPECT_GT(BrightnessAround(mid, mid + 40), 40) << "the north wall is missing or faces away";

        // From outside, beyond the west wall: the walls face away and cull,
        // so the view passes through them into the lit compound.
        scene.Draw(Vector3(-2.0f, 1.75f, 4.5f), 0.0f, 0.0f);
        ondra::test::SavePpm("scene_from_outside.ppm", kSize, kSize);
        EXPECT_LT(BrightnessAround(40, mid + 20), 60) << "no night sky above the horizon: a wall is in the way";
        EXPECT_GT(BrightnessAround(mid, 40), 150) << "the lit compound does not show through the west wall";

        // Up through the missing ceiling of the north-east block: the sky.
        scene.Draw(Vector3(7.5f, 1.75f, 1.5f), 0.0f, 60.0f);
        ondra::test::SavePpm("scene_sky.ppm", kSize, kSize);
        EXPECT_GT(BrightnessAround(mid, kSize - 20), 60) << "no sky through the open ceiling";

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
