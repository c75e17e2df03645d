// The edge of the world: a player who walks away from the compound across
// the planet's surface, in any direction, stops inside the ground that is
// drawn, as at a wall, under the sky (beyond the surface it walked on
// nothing, and beyond the sky cube the whole view turned black). Each
// picture is kept as edge_*.ppm in the build's test-pictures/.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "game/render/camera.h"
#include "game/render/skybox.h"
#include "game/world/game_frame.h"
#include "game/world/gl_state.h"
#include "game/world/player_controls.h"
#include "game/world/world.h"
#include "game/world/world_builder.h"
#include "tests/support/gl_context.h"
#include "tests/support/in_folder.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"

namespace {

constexpr int kSize = 128;
constexpr float kStep = 0.02f;
// Long enough to walk from the start well past the sky cube's side.
constexpr float kWalkSeconds = 40.0f;

struct Region {
    int pixels = 0;
    int stars = 0;      // the night sky's stars and its glow
    int black = 0;      // nothing drawn, or the night between the stars
};

// Rows [from, to) of the frame just drawn.
Region Read(int from, int to) {
    Region region;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < kSize; ++x) {
            const ondra::test::Rgb p = ondra::test::ReadPixel(x, y);
            ++region.pixels;
            region.black += p.r + p.g + p.b < 30 ? 1 : 0;
            region.stars += p.r + p.g + p.b > 150 ? 1 : 0;
        }
    return region;
}

// Holds the walk key for the whole walk, as a player would; returns how
// far the player ever stood outside the surface, along x or z.
float WalkAway(World& world, float yaw) {
    Player& player = *world.player;
    Camera& camera = *player.GetCamera();
    camera.position = player.position = World::kStartPosition;
    camera.velocity = Vector3();
    camera.yaw = yaw;
    camera.pitch = 0.0f;
    PlayerControls controls(player);
    float furthestOut = 0.0f;
    const Box3& ground = world.surfaceBox;
    for (float t = 0.0f; t < kWalkSeconds; t += kStep) {
        controls.AddMovementKeys(kStep, [](int key) { return key == 'W'; });
        player.Update(kStep);
        const Vector3& at = player.position;
        for (const float out : {ground.min.x - at.x, at.x - ground.max.x, ground.min.z - at.z, at.z - ground.max.z})
            furthestOut = std::max(furthestOut, out);
    }
    return furthestOut;
}

TEST(WorldEdge, AWalkAwayFromTheCompoundEndsInsideTheGroundUnderTheSky) {
    ondra::test::ScopedGLContext context(kSize, kSize);
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    World world;
    {
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        testing::internal::CaptureStdout();  // the 3DS reader's trace
        BuildWorld(world, "map.txt");
        testing::internal::GetCapturedStdout();
    }
    ASSERT_TRUE(world.hasSurface);
    world.player->hudVisible = false;
    SetUpGameGl();
    GameFrame frame(world);
    frame.Prepare();
    glViewport(0, 0, kSize, kSize);
    const struct {
        const char* direction;
        float yaw;  // 0 looks along +x, 90 along +z
    } walks[] = {{"west", 180.0f}, {"east", 0.0f}, {"north", -90.0f}, {"south", 90.0f}};
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.direction);
        EXPECT_LE(WalkAway(world, walk.yaw), 0.0f) << "the player left the ground";
        const Vector3& at = world.player->position;
        EXPECT_LT(std::max(std::abs(at.x), std::abs(at.z)), Skybox::kHalfSide) << "the player left the sky";
        EXPECT_GT((at - World::kStartPosition).Length(), 30.0f) << "the player hardly walked";

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        frame.Run(0.0f, 1.0f);
        glFinish();
        ondra::test::SavePicture(std::string("edge_") + walk.direction + ".ppm", kSize, kSize);
        // The night sky fills the view's top rows: black between bright
        // stars, where beyond the sky cube nothing at all is drawn. (At the
        // edge the eye stands inside the hills, which rise above the eye
        // height the surface keeps, so their ground faces away from it.)
        const Region sky = Read(kSize - kSize / 4, kSize);
        EXPECT_GT(sky.black, sky.pixels / 2) << "no night sky above the view";
        EXPECT_GT(sky.stars, 0) << "no stars in the sky above the view";
    }
}

}  // namespace
