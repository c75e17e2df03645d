// The level's grid and the collider's two questions: wall, floor and
// ceiling contact for a position, and the eye height with the ramp's sun.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/render/gl_lights.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace {

enum Faces { kNone = 0, kNorth = 1, kSouth = 2, kEast = 4, kWest = 8 };

// A block whose listed walls are plain faces: any face counts for contact.
std::unique_ptr<Block> BlockWith(int row, int column, int faces) {
    auto block = std::make_unique<Block>(row, column);
    if (faces & kNorth) block->north = std::make_unique<BlockPart>();
    if (faces & kSouth) block->south = std::make_unique<BlockPart>();
    if (faces & kEast) block->east = std::make_unique<BlockPart>();
    if (faces & kWest) block->west = std::make_unique<BlockPart>();
    return block;
}

TEST(LevelCollider, ContactCases) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        int faces;  // of every block of a 2 x 2 level
        Vector3 position;
        bool hit;
        Vector3 normal;
    };
    const Case cases[] = {
        {"inside the north band", kNorth, {1.5f, 1.5f, 0.15f}, true, {0, 0, 1}},
        {"beyond the north band", kNorth, {1.5f, 1.5f, 0.25f}, false, {}},
        {"north beats east at a corner", kNorth | kEast, {2.9f, 1.5f, 0.1f}, true, {0, 0, 1}},
        {"south band", kSouth, {1.5f, 1.5f, 2.85f}, true, {0, 0, -1}},
        {"east band", kEast, {2.8f, 1.5f, 1.5f}, true, {-1, 0, 0}},
        {"west band", kWest, {0.2f, 1.5f, 1.5f}, true, {1, 0, 0}},
        {"west band of the second column", kWest, {3.1f, 1.5f, 1.5f}, true, {1, 0, 0}},
        {"a wall stops only its own side", kNorth, {1.5f, 1.5f, 2.9f}, false, {}},
        {"above the ceiling", kNone, {1.5f, 3.5f, 1.5f}, true, {0, -1, 0}},
        {"below the floor", kNone, {1.5f, -0.5f, 1.5f}, true, {0, 1, 0}},
        {"on the far edge, east wall", kEast, {6.0f, 1.5f, 1.5f}, true, {-1, 0, 0}},
        {"on the far edge, south wall", kSouth, {1.5f, 1.5f, 6.0f}, true, {0, 0, -1}},
        {"on the far corner, no walls", kNone, {6.0f, 1.5f, 6.0f}, false, {}},
        {"outside the level", kWest | kNorth, {-0.1f, 1.5f, 1.5f}, false, {}},
        {"outside, above the ceiling", kNone, {7.0f, 5.0f, 1.5f}, false, {}},
        {"not a number", kWest | kNorth, {nan, 1.5f, nan}, false, {}},
    };
    const LevelCollider collider;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Level level(nullptr);
        level.Resize(2, 2);
        for (int r = 1; r <= 2; ++r)
            for (int col = 1; col <= 2; ++col) level.PlaceBlock(BlockWith(r, col, c.faces));
        const Vector3 untouched(7, 7, 7);
        Vector3 normal = untouched;
        EXPECT_EQ(collider.IsWallHit(c.position, level, normal), c.hit);
        const Vector3 expected = c.hit ? c.normal : untouched;
        EXPECT_EQ(normal.x, expected.x);
        EXPECT_EQ(normal.y, expected.y);
        EXPECT_EQ(normal.z, expected.z);
    }
}

TEST(LevelCollider, EmptyCellsAndEmptyLevelsHaveOnlyFloorAndCeiling) {
    const LevelCollider collider;
    Level level(nullptr);
    level.Resize(0, 0);
    Vector3 normal;
    EXPECT_FALSE(collider.IsWallHit(Vector3(0, 1, 0), level, normal));
    level.Resize(1, 1);
    EXPECT_FALSE(collider.IsWallHit(Vector3(0.05f, 1, 0.05f), level, normal));
    EXPECT_TRUE(collider.IsWallHit(Vector3(0.05f, 3.01f, 0.05f), level, normal));
}

TEST(LevelGrid, BlocksOutsideTheGridAndOversizedMapsAreRefusedWithAWarning) {
    Level level(nullptr);
    ASSERT_TRUE(level.Resize(2, 3));
    EXPECT_TRUE(level.PlaceBlock(std::make_unique<Block>(2, 3)));
    EXPECT_NE(level.BlockAt(1, 2), nullptr);
    for (auto [row, column] : {std::pair{0, 1}, {3, 1}, {1, 0}, {1, 4}, {-5, 2}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(level.PlaceBlock(std::make_unique<Block>(row, column)));
        const std::string warning = testing::internal::GetCapturedStderr();
        EXPECT_NE(warning.find("row " + std::to_string(row) + ", column " + std::to_string(column)),
                  std::string::npos)
            << warning;
    }
    EXPECT_EQ(level.BlockAt(2, 0), nullptr);
    EXPECT_EQ(level.BlockAt(-1, 0), nullptr);

    // A map size that would only exhaust memory leaves an empty level.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(level.Resize(100000, 100000));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(level.Rows(), 0);
    EXPECT_EQ(level.Columns(), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(level.PlaceBlock(std::make_unique<Block>(1, 1)));
    testing::internal::GetCapturedStderr();
}

TEST(GroundHeight, InsideOnTheRampAndOnTheSurface) {
    Level level(nullptr);
    level.Resize(2, 2);
    struct Case {
        float x, z, height;
    };
    const LevelCollider collider;
    for (const Case& c : {Case{1.5f, 1.5f, 1.75f}, Case{6.0f, 6.0f, 1.75f}, Case{-3.0f, 1.5f, 3.25f},
                          Case{-6.0f, 1.5f, 4.75f}, Case{-0.5f, 5.0f, 4.75f}, Case{-15.0f, 50.0f, 4.75f},
                          Case{-3.0f, 3.0f, 4.75f}}) {
        EXPECT_FLOAT_EQ(EyeHeightAt(c.x, c.z, level), c.height) << c.x << ", " << c.z;
        // The query the player's update applies answers the same, and says
        // the sun changes only on the ramp.
        const LevelCollider::Ground ground = collider.GroundAt(Vector3(c.x, 0.0f, c.z), level);
        EXPECT_FLOAT_EQ(ground.eyeHeight, c.height) << c.x << ", " << c.z;
        EXPECT_EQ(ground.onRamp, c.x == -3.0f && c.z == 1.5f) << c.x << ", " << c.z;
    }
    EXPECT_FLOAT_EQ(collider.GroundAt(Vector3(-3.0f, 9.0f, 1.5f), level).sunBrightness, 0.2f);
    EXPECT_FLOAT_EQ(RampSunBrightness(-3.0f), 0.2f);
    EXPECT_FLOAT_EQ(RampSunBrightness(-0.0001f), 0.05f + 0.3f * 0.0001f / 6.0f);
    EXPECT_FLOAT_EQ(RampSunBrightness(-5.9f), 0.3f);
}

// The sun dims on the way down the ramp and keeps its last value inside.
TEST(GroundHeight, TheRampSetsThePlayerCameraAndSun) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    Level level(nullptr);
    level.Resize(2, 2);
    LevelCollider collider;
    CObject bolts;
    Player player(&level, &collider, nullptr, &bolts);
    auto sunBrightness = [] {
        float diffuse[4] = {};
        glGetLightfv(gl_lights::kSun, GL_DIFFUSE, diffuse);
        return diffuse[0];
    };
    const float sun = gl_lights::kSunBrightness;
    const float start[4] = {sun, sun, sun, 1.0f};
    glLightfv(gl_lights::kSun, GL_DIFFUSE, start);

    struct Step {
        float x, z, height, sun;
    };
    for (const Step& s : {Step{-15.0f, 50.0f, 4.75f, sun}, Step{-3.0f, 1.5f, 3.25f, 0.2f},
                          Step{-0.3f, 1.5f, 1.9f, 0.065f}, Step{1.5f, 1.5f, 1.75f, 0.065f}}) {
        player.position = Vector3(s.x, 0.0f, s.z);
        ApplyGroundHeight(player, collider, level);
        EXPECT_FLOAT_EQ(player.position.y, s.height);
        EXPECT_FLOAT_EQ(player.GetCamera()->position.y, s.height);
        EXPECT_NEAR(sunBrightness(), s.sun, 1e-6f) << "at x = " << s.x;
    }
}

}  // namespace
