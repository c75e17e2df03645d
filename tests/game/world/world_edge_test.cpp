// The edge of the world: a player who walks away from the compound across
// the planet's surface, in any direction, stops at the edge of the plain it
// walks on, as at a wall, and sees the hills rise beyond it under the sky
// (it used to walk on into the hills, which rise over the eye, then on
// nothing, and beyond the sky cube the whole view turned black). Each
// picture is kept as edge_*.ppm in the build's test-pictures/.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "game/render/camera.h"
#include "game/render/skybox.h"
#include "game/render/surface_plain.h"
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
// The plain, in x and z, where the player walks outdoors.
const Box3 kPlain{Vector3(surface_plain::kMinX, 0.0f, surface_plain::kMinZ),
                  Vector3(surface_plain::kMaxX, 0.0f, surface_plain::kMaxZ)};

struct Region {
    int pixels = 0;
    int stars = 0;      // the night sky's stars and its glow
    int black = 0;      // nothing drawn, or the night between the stars
    int ground = 0;     // the dusty ground's warm brown, redder than blue
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
            region.ground += p.r > p.b ? 1 : 0;
        }
    return region;
}

// Holds the walk key for the whole walk from `start`, as a player would;
// returns how far the player ever stood outside `ground`, along x or z.
float WalkAway(World& world, const Vector3& start, float yaw, const Box3& ground) {
    Player& player = *world.player;
    Camera& camera = *player.GetCamera();
    camera.position = player.position = start;
    camera.velocity = Vector3();
    camera.yaw = yaw;
    camera.pitch = 0.0f;
    PlayerControls controls(player);
    float furthestOut = 0.0f;
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
        float yaw;         // 0 looks along +x, 90 along +z
        float Vector3::*axis;
        float edge;        // where along it the plain ends
    } walks[] = {{"west", 180.0f, &Vector3::x, surface_plain::kMinX},
                 {"east", 0.0f, &Vector3::x, surface_plain::kMaxX},
                 {"north", -90.0f, &Vector3::z, surface_plain::kMinZ},
                 {"south", 90.0f, &Vector3::z, surface_plain::kMaxZ}};
    for (const auto& walk : walks) {
        SCOPED_TRACE(walk.direction);
        EXPECT_LE(WalkAway(world, World::kStartPosition, walk.yaw, kPlain), 0.0f) << "the player left the plain";
        EXPECT_NEAR(world.player->position.*walk.axis, walk.edge, 0.5f) << "the player stopped short of the edge";

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        frame.Run(0.0f, 1.0f);
        glFinish();
        ondra::test::SavePicture(std::string("edge_") + walk.direction + ".ppm", kSize, kSize);
        // The night sky fills the view's top rows: black between bright
        // stars, where beyond the sky cube nothing at all is drawn; the
        // ground fills its bottom rows (where the eye stood inside the hills,
        // their faces turned away and the sky showed there too).
        const Region sky = Read(kSize - kSize / 4, kSize);
        EXPECT_GT(sky.black, sky.pixels / 2) << "no night sky above the view";
        EXPECT_GT(sky.stars, 0) << "no stars in the sky above the view";
        const Region below = Read(0, kSize / 4);
        EXPECT_EQ(below.ground, below.pixels) << "no ground below the view";
    }
    // Inside a level that reaches past the plain, its walls alone bound the
    // walk: the player crosses the plain's edge and stops at the level's.
    world.level.Resize(40, 40);
    const float levelEdge = Level::kBlockUnits * 40.0f;
    WalkAway(world, Vector3(surface_plain::kMaxX - 6.0f, 0.0f, 50.0f), 0.0f, kPlain);
    EXPECT_NEAR(world.player->position.x, levelEdge, 0.5f) << "the plain's edge stopped a walk inside the level";
}

}  // namespace
