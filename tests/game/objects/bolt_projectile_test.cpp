// The player's bolt: its flight along the firing angles, its burst at the
// first wall however long the frames are, its sparks and its escape from
// the level.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "game/core/game_clock.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/player.h"
#include "game/objects/sweep.h"
#include "game/render/camera.h"

namespace {

// A level of rows x columns open blocks; the outer edges have walls on the
// inside, as every map has.
class BoltTest : public ::testing::Test {
protected:
    // The sparks seed their randomness from the game's clock: a simulated
    // clock gives every run the same sparks.
    void SetUp() override { game_clock::Simulate(1000.0); }
    void TearDown() override { game_clock::UseSystemClock(); }

    void Build(int rows, int columns) {
        level.Resize(rows, columns);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= columns; ++c) {
                auto block = std::make_unique<Block>(r, c);
                if (r == 1) block->north = std::make_unique<BlockPart>();
                if (r == rows) block->south = std::make_unique<BlockPart>();
                if (c == 1) block->west = std::make_unique<BlockPart>();
                if (c == columns) block->east = std::make_unique<BlockPart>();
                level.PlaceBlock(std::move(block));
            }
        }
    }

    BoltProjectile& Shoot(const Vector3& from, float yaw, float pitch) {
        auto* bolt = new BoltProjectile(nullptr, &player, &level, &collider);
        bolt->position = from;
        bolt->fireYaw = yaw;
        bolt->firePitch = pitch;
        bolt->AttachTo(&group);
        return *bolt;
    }

    // Runs frames of dt until the bolt bursts or `seconds` pass.
    static void Fly(BoltProjectile& bolt, float dt, float seconds) {
        for (float t = 0; t < seconds && !bolt.Exploded(); t += dt) bolt.Update(dt);
    }

    Level level{nullptr};
    LevelCollider collider;
    CObject group;
    Player player{&level, &collider, nullptr, &group};
};

TEST_F(BoltTest, FliesAlongTheFiringAnglesWhateverTheViewDoesLater) {
    struct Case {
        float yaw, pitch;
    };
    for (const Case& c : {Case{0, 0}, Case{90, 0}, Case{180, 0}, Case{-45, 30}, Case{135, -60}}) {
        SCOPED_TRACE(testing::Message() << "yaw " << c.yaw << " pitch " << c.pitch);
        BoltProjectile& bolt = Shoot(Vector3(-100, 1, -100), c.yaw, c.pitch);  // far outside the level
        player.GetCamera()->yaw = c.yaw + 90.0f;
        player.GetCamera()->pitch = -c.pitch;
        bolt.Update(0.02f);  // one unit along the flight vector
        const float yaw = c.yaw * kDegToRad, pitch = c.pitch * kDegToRad;
        EXPECT_NEAR(bolt.position.x, -100 + std::cos(yaw), 1e-4f);
        EXPECT_NEAR(bolt.position.y, 1 + std::sin(pitch), 1e-4f);
        EXPECT_NEAR(bolt.position.z, -100 + std::sin(yaw), 1e-4f);
        EXPECT_FALSE(bolt.Exploded());
    }
}

// A corridor ten blocks long: at any frame rate the bolt bursts in the east
// wall's band, never past it.
TEST_F(BoltTest, BurstsAtTheFirstWallAtAnyFrameRate) {
    Build(1, 10);
    for (float fps : {20.0f, 50.0f, 60.0f, 200.0f, 2.0f}) {
        SCOPED_TRACE(testing::Message() << fps << " frames per second");
        BoltProjectile& bolt = Shoot(Vector3(1.5f, 1.5f, 1.5f), 0, 0);
        Fly(bolt, 1.0f / fps, 5.0f);
        ASSERT_TRUE(bolt.Exploded());
        EXPECT_GE(bolt.position.x, 30.0f - LevelCollider::kWallBand);
        EXPECT_LE(bolt.position.x, 30.0f - LevelCollider::kWallBand + kMaxSweepStep);
    }
}

TEST_F(BoltTest, FromAnywhereInARoomItBurstsAtTheWallItMeets) {
    Build(4, 5);
    const float band = LevelCollider::kWallBand;
    int shots = 0;
    for (float x = 0.3f; x < 15.0f; x += 1.3f) {
        for (float z = 0.3f; z < 12.0f; z += 1.1f) {
            for (float yaw = 0; yaw < 360; yaw += 23) {
                BoltProjectile& bolt = Shoot(Vector3(x, 1.75f, z), yaw, 0);
                Fly(bolt, 0.02f, 2.0f);
                ++shots;
                ASSERT_TRUE(bolt.Exploded()) << x << ", " << z << " yaw " << yaw;
                const Vector3& p = bolt.position;
                const float nearest = std::fmin(std::fmin(p.x, 15.0f - p.x), std::fmin(p.z, 12.0f - p.z));
                ASSERT_GE(nearest, 0.0f) << "burst behind a wall at " << p.x << ", " << p.z;
                ASSERT_LE(nearest, band + 1e-4f) << "burst away from any wall at " << p.x << ", " << p.z;
            }
        }
    }
    EXPECT_GT(shots, 1000);
}

TEST_F(BoltTest, SparksArePushedAlongTheHitNormalAndDieWithinASecond) {
    Build(2, 2);
    BoltProjectile& bolt = Shoot(Vector3(3, 1.75f, 3), 0, 60);  // up into the ceiling
    Fly(bolt, 0.02f, 1.0f);
    ASSERT_TRUE(bolt.Exploded());
    EXPECT_GT(bolt.position.y, 3.0f);
    EXPECT_LT(bolt.position.y, 3.0f + kMaxSweepStep);
    EXPECT_EQ(bolt.velocity.Length(), 0.0f);
    const BoltTrail* burst = bolt.Burst();
    ASSERT_NE(burst, nullptr);
    ASSERT_EQ(burst->LiveCount(), BoltProjectile::kSparks);
    float meanUp = 0;
    for (int i = 0; i < burst->LiveCount(); ++i) {
        const float vy = burst->Particles()[i].velocity.y;
        // A random term of at most 5 either way on top of the push of -2,
        // and the hit frame's fall of 10 x 0.02.
        EXPECT_GE(vy, -7.2f - 1e-4f);
        EXPECT_LE(vy, 3.0f);
        meanUp += vy / burst->LiveCount();
    }
    EXPECT_LT(meanUp, 0.0f);

    const Vector3 burstAt = bolt.position;
    for (int frame = 0; frame < 50; ++frame) bolt.Update(0.02f);
    EXPECT_TRUE(burst->IsEmpty());
    EXPECT_EQ(bolt.position.x, burstAt.x);
}

TEST_F(BoltTest, ABoltLeavingTheLevelNeverBursts) {
    level.Resize(2, 2);  // no blocks, so no walls
    BoltProjectile& out = Shoot(Vector3(3, 1.75f, 3), 0, 0);
    BoltProjectile& away = Shoot(Vector3(-3, 2, 1.5f), 180, 0);  // from the ramp, away from the compound
    Fly(out, 0.02f, 10.0f);
    Fly(away, 0.02f, 10.0f);
    EXPECT_FALSE(out.Exploded());
    EXPECT_FALSE(away.Exploded());
    EXPECT_GT(out.position.x, 400.0f);
    EXPECT_LT(away.position.x, -400.0f);
}

}  // namespace
