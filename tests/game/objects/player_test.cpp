// The camera's motion, the player's update, inventory and firing, and what
// the keys and the mouse do to them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "framework/keys.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/world/player_controls.h"

namespace {

constexpr float kFrame = 0.02f;
constexpr float kKeyPush = 0.6f;  // what one held movement key adds per frame

TEST(Camera, OneFrameOfTheForwardKeyFromRest) {
    Camera camera(Vector3(0, 1, 0), Vector3(1, 0, 0));
    camera.velocity.z += kKeyPush;
    camera.Update(kFrame);
    EXPECT_NEAR(camera.velocity.z, 0.558f, 1e-6f);
    EXPECT_NEAR(camera.position.x, 0.012f, 1e-6f);
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.lookAt.x, 1.012f, 1e-6f);
}

TEST(Camera, MovesInItsOwnFrame) {
    struct Case {
        const char* what;
        float yaw;
        Vector3 push;  // x sideways, z forward
        float dx, dz;  // direction of the move in the world
    };
    const Case cases[] = {
        {"forward at yaw 0", 0, {0, 0, kKeyPush}, 1, 0},
        {"forward at yaw 90", 90, {0, 0, kKeyPush}, 0, 1},
        {"right at yaw 0", 0, {kKeyPush, 0, 0}, 0, 1},
        {"left at yaw 90", 90, {-kKeyPush, 0, 0}, 1, 0},
        {"back at yaw 180", 180, {0, 0, -kKeyPush}, 1, 0},
        {"up and down cancel", 30, {0, 0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Camera camera;
        camera.yaw = c.yaw;
        camera.velocity = c.push;
        camera.Update(kFrame);
        const float moved = kKeyPush * kFrame * ((c.dx != 0 || c.dz != 0) ? 1.0f : 0.0f);
        EXPECT_NEAR(camera.position.x, c.dx * moved, 1e-6f);
        EXPECT_NEAR(camera.position.z, c.dz * moved, 1e-6f);
        EXPECT_EQ(camera.position.y, 1.0f);
    }
}

TEST(Camera, AnglesAreClampedAndWrappedAtTheNextUpdate) {
    struct Case {
        float yaw, pitch, expectedYaw, expectedPitch;
    };
    for (const Case& c : {Case{10, 70, 10, 60}, Case{10, -85, 10, -80}, Case{360, 0, 0, 0}, Case{-360, 0, 0, 0},
                          Case{359, 59, 359, 59}, Case{365, 0, 5, 0}, Case{-370, 0, -10, 0}, Case{725, 0, 5, 0}}) {
        Camera camera;
        camera.yaw = c.yaw;
        camera.pitch = c.pitch;
        camera.Update(kFrame);
        EXPECT_EQ(camera.yaw, c.expectedYaw);
        EXPECT_EQ(camera.pitch, c.expectedPitch);
    }
}

// Friction slows the walk; a stalled frame must not turn it into a reverse.
TEST(Camera, FrictionNeverReversesTheWalk) {
    for (float dt : {0.02f, 0.2f, 0.3f, 1.0f, 5.0f}) {
        Camera camera;
        camera.velocity.z = 8.0f;
        camera.Update(dt);
        EXPECT_GE(camera.velocity.z, 0.0f) << "dt " << dt;
        EXPECT_LE(camera.velocity.z, 8.0f) << "dt " << dt;
        const float after = camera.velocity.z;
        camera.Update(kFrame);
        EXPECT_GE(camera.velocity.z, 0.0f) << "dt " << dt;
        EXPECT_LE(camera.velocity.z, after) << "dt " << dt;
    }
}

// A player in a 3 x 3 level whose blocks all have the listed walls.
class PlayerTest : public ::testing::Test {
protected:
    PlayerTest() {
        level.Resize(3, 3);
        PlaceAt(Vector3(4.5f, 1.75f, 4.5f));
    }

    void PlaceAt(const Vector3& at) {
        player.SetCamera(std::make_unique<Camera>(at, Vector3(1, 0, 0)));
        player.position = at;
    }

    void WallEveryBlock() {
        for (int r = 1; r <= 3; ++r) {
            for (int c = 1; c <= 3; ++c) {
                auto block = std::make_unique<Block>(r, c);
                block->north = std::make_unique<BlockPart>();
                level.PlaceBlock(std::move(block));
            }
        }
    }

    Level level{nullptr};
    LevelCollider collider;
    CObject bolts;
    Player player{&level, &collider, nullptr, &bolts};
};

TEST_F(PlayerTest, InventoryActions) {
    struct Case {
        const char* what;
        void (Player::*action)();
        int health, medikits, ammo, clips;
        int expectHealth, expectMedikits, expectAmmo, expectClips;
    };
    const Case cases[] = {
        {"reload with bolts left", &Player::Reload, 5, 0, 3, 2, 5, 0, 3, 2},
        {"reload when empty", &Player::Reload, 5, 0, 0, 2, 5, 0, 15, 1},
        {"reload without clips", &Player::Reload, 5, 0, 0, 0, 5, 0, 0, 0},
        {"medikit capped at full", &Player::UseMedikit, 4, 1, 0, 0, 5, 0, 0, 0},
        {"medikit heals two", &Player::UseMedikit, 1, 2, 0, 0, 3, 1, 0, 0},
        {"no medikit", &Player::UseMedikit, 2, 0, 0, 0, 2, 0, 0, 0},
        {"hurt below zero", &Player::Hurt, 0, 0, 0, 0, -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        player.health = c.health, player.medikits = c.medikits, player.ammo = c.ammo, player.clips = c.clips;
        (player.*c.action)();
        EXPECT_EQ(player.health, c.expectHealth);
        EXPECT_EQ(player.medikits, c.expectMedikits);
        EXPECT_EQ(player.ammo, c.expectAmmo);
        EXPECT_EQ(player.clips, c.expectClips);
    }
}

TEST_F(PlayerTest, StartsOnTheSurfaceOutsideTheLevel) {
    player.SetCamera(std::make_unique<Camera>(Vector3(-15, 3.75f, 50), Vector3(1, 0, 0)));
    player.Update(kFrame);
    EXPECT_FLOAT_EQ(player.position.y, 4.75f);
    EXPECT_FLOAT_EQ(player.GetCamera()->position.y, 4.75f);
}

// Walking north into a wall: each move that would end in the wall's band,
// or cross it in a long frame, is undone with all momentum, so the player
// never comes closer than 0.2. The window scales the key's push to the frame.
TEST_F(PlayerTest, WalkingIntoAWallNeverComesCloserThanTheBand) {
    WallEveryBlock();
    for (const float dt : {0.02f, 0.05f, 0.1f}) {
        SCOPED_TRACE(testing::Message() << "dt " << dt);
        PlaceAt(Vector3(4.5f, 1.75f, 4.5f));
        Camera& camera = *player.GetCamera();
        camera.yaw = -90.0f;  // looking along -z, at the north wall of the middle block
        int stops = 0;
        for (int frame = 0; frame < 300; ++frame) {
            camera.velocity.z += kKeyPush * dt / kFrame;
            const float before = player.position.z;
            player.Update(dt);
            ASSERT_GT(player.position.z, 3.2f) << "frame " << frame;
            if (frame > 0 && player.position.z == before) {
                ++stops;
                EXPECT_EQ(player.velocity.z, 0.0f);
                EXPECT_EQ(camera.velocity.z, 0.0f);
                EXPECT_EQ(camera.position.z, before);
            }
        }
        EXPECT_GT(stops, 10) << "the player never reached the wall";
    }
}

TEST_F(PlayerTest, FiringSpendsBoltsAndOnlyTheLastIsCurrent) {
    player.ammo = 2;
    player.GetCamera()->yaw = 30.0f;
    player.GetCamera()->pitch = 10.0f;
    player.Fire();
    BoltProjectile* first = player.CurrentBolt();
    ASSERT_NE(first, nullptr);
    player.Fire();
    player.Fire();  // no ammunition left: nothing happens
    EXPECT_EQ(player.ammo, 0);
    ASSERT_NE(player.CurrentBolt(), first);
    std::vector<CObject*> attached;
    for (CObject& b : bolts.Children()) attached.push_back(&b);
    ASSERT_EQ(attached.size(), 2u);
    EXPECT_EQ(attached.front(), first);
    EXPECT_EQ(attached.back(), player.CurrentBolt());
    EXPECT_EQ(first->fireYaw, 30.0f);
    EXPECT_EQ(first->firePitch, 10.0f);
    EXPECT_EQ(first->position.x, player.GetCamera()->position.x);
}

// Each movement key alone pushes the camera its own way, scaled to the
// frame's length against the 0.02 s reference frame.
TEST_F(PlayerTest, EachMovementKeyAlonePushesItsOwnWay) {
    const struct {
        int key;
        Vector3 push;
    } cases[] = {
        {ondra::VK_UP, {0, 0, kKeyPush}},     {'W', {0, 0, kKeyPush}},     {ondra::VK_DOWN, {0, 0, -kKeyPush}},
        {'S', {0, 0, -kKeyPush}},             {ondra::VK_RIGHT, {kKeyPush, 0, 0}}, {'D', {kKeyPush, 0, 0}},
        {ondra::VK_LEFT, {-kKeyPush, 0, 0}}, {'A', {-kKeyPush, 0, 0}},
    };
    PlayerControls controls(player);
    Camera& camera = *player.GetCamera();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        camera.velocity = Vector3();
        controls.AddMovementKeys(kFrame / 2, [&](int key) { return key == c.key; });
        EXPECT_FLOAT_EQ(camera.velocity.x, c.push.x / 2);
        EXPECT_FLOAT_EQ(camera.velocity.z, c.push.z / 2);
        EXPECT_EQ(camera.velocity.y, 0.0f);
    }
    camera.velocity = Vector3();
    controls.AddMovementKeys(kFrame, [](int key) { return key == 'Q' || key == ondra::VK_SPACE; });
    EXPECT_EQ(camera.velocity.x + camera.velocity.z, 0.0f) << "only the movement keys push";
}

TEST_F(PlayerTest, CommandKeysActOnThePlayerOrAskTheWindow) {
    using Command = PlayerControls::Command;
    PlayerControls controls(player);
    player.ammo = 0;
    player.clips = 2;
    EXPECT_EQ(controls.OnKeyPress('R'), Command::kNone);
    EXPECT_EQ(player.ammo, 15) << "R reloads";
    EXPECT_EQ(controls.OnKeyPress('V'), Command::kNone);
    EXPECT_FALSE(player.hudVisible) << "V hides the HUD";
    controls.OnKeyPress('V');
    EXPECT_TRUE(player.hudVisible);
    player.health = 5;
    player.medikits = 1;
    controls.OnKeyPress('E');
    EXPECT_EQ(player.medikits, 1) << "E at full health keeps the medikit";
    controls.OnKeyPress('B');
    EXPECT_EQ(player.health, 4);
    controls.OnKeyPress('E');
    EXPECT_EQ(player.health, 5);
    EXPECT_EQ(player.medikits, 0);

    EXPECT_EQ(controls.OnKeyPress('T'), Command::kFullScreen);
    EXPECT_TRUE(controls.FullScreen());
    controls.OnKeyPress('T');
    EXPECT_FALSE(controls.FullScreen());
    EXPECT_EQ(controls.OnKeyPress(ondra::VK_ESCAPE), Command::kQuit);
    EXPECT_EQ(controls.OnKeyPress(ondra::VK_F1 + 11), Command::kSaveFrame);
    EXPECT_EQ(controls.OnKeyPress('Q'), Command::kNone);
    EXPECT_EQ(player.health, 5);
}

}  // namespace
