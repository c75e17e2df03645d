// A small hand-built level with the game's own textures and models, drawn
// as a frame of the game draws it: sky, level, the player's arms and the
// HUD. Each view is saved as a picture (scene_*.ppm in the build's
// test-pictures/) and checked where a fault would show.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/render/gl_lights.h"
#include "game/world/hud.h"
#include "tests/framework/window_fixture.h"
#include "tests/game/world/test_scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"

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
        ondra::test::SavePicture("scene_north_wall.ppm", kSize, kSize);
        EXPECT_GT(BrightnessAround(mid, mid + 40), 40) << "the north wall is missing or faces away";

        // From outside, beyond the west wall: the walls face away and cull,
        // so the view passes through them into the lit compound.
        scene.Draw(Vector3(-2.0f, 1.75f, 4.5f), 0.0f, 0.0f);
        ondra::test::SavePicture("scene_from_outside.ppm", kSize, kSize);
        EXPECT_LT(BrightnessAround(40, mid + 20), 60) << "no night sky above the horizon: a wall is in the way";
        EXPECT_GT(BrightnessAround(mid, 40), 150) << "the lit compound does not show through the west wall";

        // Up through the missing ceiling of the north-east block: the sky.
        scene.Draw(Vector3(7.5f, 1.75f, 1.5f), 0.0f, 60.0f);
        ondra::test::SavePicture("scene_sky.ppm", kSize, kSize);
        EXPECT_GT(BrightnessAround(mid, kSize - 20), 60) << "no sky through the open ceiling";

        // Along the compound with the HUD: green numbers where the HUD
        // places each text (pixel = centre + raster position, the glyphs
        // rising from there), the arms at the lower right.
        scene.player.hudVisible = true;
        scene.Draw(Vector3(1.0f, 1.75f, 3.0f), 0.0f, 0.0f);
        ondra::test::SavePicture("scene_hud.ppm", kSize, kSize);
        const std::vector<HudText> texts = HudTexts(scene.player, kSize, kSize);
        ASSERT_EQ(texts.size(), 3u) << "ammunition, medikits and keys";
        for (const HudText& text : texts) {
            const int half = 4 * static_cast<int>(text.text.size()) + 4;
            const int x = mid + static_cast<int>(text.x) + half - 4;
            const int y = mid + static_cast<int>(text.y) + 4;
            EXPECT_GT(GreenPixelsNear(x, y, half), 5 * static_cast<int>(text.text.size())) << text.text;
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    });
}

// The frame's own player draw places the arms: at the lower right of the
// view however it turns, and nowhere else; with the tool box, light 6 sits
// at the hand, a quarter below the eye.
TEST(SceneRender, TheArmsFollowTheViewAndLightSixSitsAtTheHand) {
    ondra::test::ScopedGLContext context(kSize, kSize);
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    Scene scene(nullptr);
    Scene::SetUpGL();
    scene.player.hudVisible = false;
    const auto grab = [] {
        std::vector<unsigned char> rgb(kSize * kSize * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    };
    const Vector3 eye(1.5f, 1.75f, 4.5f);
    for (const float yaw : {0.0f, 90.0f, 200.0f}) {
        for (const float pitch : {0.0f, 30.0f}) {
            SCOPED_TRACE(testing::Message() << "yaw " << yaw << ", pitch " << pitch);
            scene.player.hasWeapon = false;
            scene.player.hasFlashlight = false;
            scene.Draw(eye, yaw, pitch);
            const std::vector<unsigned char> bare = grab();
            scene.player.hasWeapon = true;
            scene.Draw(eye, yaw, pitch);
            const std::vector<unsigned char> armed = grab();
            int lowerRight = 0;
            int elsewhere = 0;
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    const size_t i = (static_cast<size_t>(y) * kSize + x) * 3;
                    if (bare[i] == armed[i] && bare[i + 1] == armed[i + 1] && bare[i + 2] == armed[i + 2]) continue;
                    ++(x >= kSize / 2 && y < kSize / 2 ? lowerRight : elsewhere);
                }
            }
            EXPECT_GT(lowerRight, kSize * kSize / 200) << "no gun arm at the lower right";
            EXPECT_LT(elsewhere, lowerRight / 10) << "the arm strays from the lower right";

            scene.player.hasWeapon = false;
            scene.player.hasFlashlight = true;
            glDisable(gl_lights::kFlashlight);
            scene.Draw(eye, yaw, pitch);
            EXPECT_TRUE(glIsEnabled(gl_lights::kFlashlight));
            float at[4] = {};
            glGetLightfv(gl_lights::kFlashlight, GL_POSITION, at);  // in eye space
            EXPECT_NEAR(at[0], 0.0f, 1e-4f);
            EXPECT_LT(at[1], 0.0f);
            EXPECT_NEAR(std::sqrt(at[0] * at[0] + at[1] * at[1] + at[2] * at[2]), 0.25f, 1e-4f);
            EXPECT_EQ(at[3], 1.0f);
        }
    }
}

}  // namespace
