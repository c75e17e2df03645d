// Doors: the locked slab and the sliding leaves step by step, and shut doors
// stopping the player, its bolts and the creature's shots as walls do.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/locked_door.h"
#include "game/objects/player.h"
#include "game/objects/sweep.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_projectile.h"
#include "game/render/camera.h"

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// A player and an empty 4 x 4 level to touch doors with.
class DoorTest : public ::testing::Test {
protected:
    DoorTest() {
        level.Resize(4, 4);
        player.SetDoors(&doors);
    }

    // Puts the player and its eye at `at`, looking along `direction`.
    void PlaceAt(const Vector3& at, const Vector3& direction, float yaw = 0.0f) {
        player.SetCamera(std::make_unique<Camera>(at, direction));
        player.GetCamera()->yaw = yaw;
        player.position = at;
    }

    // One frame as the game runs it: the doors are told about a touch, the
    // player moves, then the doors step.
    // Without `touch` the doors are not told, so an automatic one stays shut.
    void Frame(const Vector3* push = nullptr, bool touch = true) {
        CaptureStdout();
        if (touch) doors.Collide(&player);
        GetCapturedStdout();
        if (push) player.GetCamera()->velocity += *push;
        player.Update(0.02f);
        doors.UpdateTree(0.02f);
    }

    // Where a shot fired east from the player's eye is after up to 20
    // frames, and whether it stopped there.
    struct Flight {
        bool stopped;
        float x;
    };
    Flight FlyBolt() {
        player.ammo = 1;
        player.Fire();
        BoltProjectile& bolt = *player.CurrentBolt();
        for (int frame = 0; frame < 20 && !bolt.Exploded(); ++frame) bolt.Update(0.02f);
        return {bolt.Exploded(), bolt.position.x};
    }
    // A creature standing at the player's eye, having seen it one unit east.
    Flight FlyCreatureShot() {
        Vorlax creature(nullptr, &collider, &level);
        creature.SetDoors(&doors);
        const Vector3 eye = player.position;
        creature.position = eye;
        player.position = eye + Vector3(1, 0, 0);
        creature.OnCollision(&player);
        player.position = eye;
        VorlaxProjectile& shot = *creature.SpawnProjectile();
        for (int frame = 0; frame < 20 && !shot.Spent(); ++frame) shot.Update(0.02f);
        return {shot.Spent(), shot.position.x};
    }

    Level level{nullptr};
    LevelCollider collider;
    CObject doors;
    CObject bolts;
    Player player{&level, &collider, nullptr, &bolts};
};

TEST_F(DoorTest, LockedDoorStepsRowByRow) {
    struct Row {
        const char* what;
        int state;
        float y;
        bool touch;
        float expectY;
        int stateAfterTouch;
    };
    const Row rows[] = {
        {"closed, touched: starts to rise", Door::kClosed, 1.5f, true, 1.55f, Door::kOpening},
        {"rising, touched", Door::kClosing, 3.0f, true, 3.05f, Door::kOpening},
        {"rising just below the top passes it", Door::kClosing, 4.49f, true, 4.54f, Door::kOpening},
        {"at the top: set exactly", Door::kClosing, 4.54f, true, 4.5f, Door::kOpening},
        {"not touched: sinks", Door::kClosing, 3.0f, false, 2.95f, Door::kClosing},
        {"at the bottom: set exactly", Door::kClosing, 1.47f, false, 1.5f, Door::kClosing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        LockedDoor door(Vector3(1.5f, row.y, 3.0f), 3.0f);
        door.locked = false;
        door.state = row.state;
        if (row.touch) door.OnCollision(&player);
        EXPECT_EQ(door.state, row.stateAfterTouch);
        door.Update(0.02f);
        EXPECT_NEAR(door.position.y, row.expectY, 1e-5f);
        EXPECT_EQ(door.state, Door::kClosing) << "every update leaves the door closing";
    }
}

TEST_F(DoorTest, LockedDoorOpensOnlyAfterItsKeyAndStaysUnlocked) {
    auto* door = new LockedDoor(Vector3(1.5f, 1.5f, 3.0f), 3.0f);
    door->keyId = 7;
    door->AttachTo(&doors);
    doors.position = Vector3(6, 1.5f, 6);
    doors.radius = 12;
    PlaceAt(Vector3(1.5f, 1.75f, 4.5f), Vector3(0, 0, -1));

    player.keys = {3, 5};
    for (int frame = 0; frame < 20; ++frame) Frame();
    EXPECT_TRUE(door->locked);
    EXPECT_EQ(door->position.y, 1.5f);

    player.keys.push_back(7);
    Frame();
    EXPECT_FALSE(door->locked);
    player.keys.clear();  // dropping the key cannot lock it again
    for (int frame = 0; frame < 80; ++frame) Frame();
    EXPECT_FALSE(door->locked);
    EXPECT_EQ(door->position.y, LockedDoor::kOpenHeight);

    // Leaving halfway: it sinks from where it is, a step a frame.
    PlaceAt(Vector3(30, 4.75f, 30), Vector3(0, 0, -1));
    for (int frame = 0; frame < 20; ++frame) Frame();
    EXPECT_NEAR(door->position.y, 4.5f - 20 * 0.05f, 1e-4f);
}

TEST_F(DoorTest, AutomaticLeavesSlideAlongTheirEdge) {
    struct Case {
        int orientation;
        float Vector3::*along;
    };
    for (const Case& c : {Case{kFacingNorth, &Vector3::x}, Case{kFacingSouth, &Vector3::x},
                          Case{kFacingWest, &Vector3::z}, Case{kFacingEast, &Vector3::z}}) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation);
        const Vector3 centre(3.0f, 1.5f, 4.5f);
        AutomaticDoor door(centre, 1.5f);
        door.orientation = c.orientation;
        int frames = 0;
        for (; frames < 100 && door.leafB.*c.along != centre.*c.along + 3.0f; ++frames) {
            CaptureStdout();
            door.OnCollision(&player);
            EXPECT_EQ(GetCapturedStdout(), "Player is near the door\n");
            door.Update(0.02f);
        }
        // About 30 steps of 0.1, then set at the limit.
        EXPECT_GE(frames, 30);
        EXPECT_LE(frames, 32);
        EXPECT_EQ(door.leafA.*c.along, centre.*c.along - 3.0f);
        EXPECT_FALSE(door.IsShut());
        // Across the door's plane nothing moves.
        float Vector3::*across = c.along == &Vector3::x ? &Vector3::z : &Vector3::x;
        EXPECT_EQ(door.leafA.*across, centre.*across);
        EXPECT_EQ(door.leafB.y, centre.y);

        for (frames = 0; frames < 100 && door.leafB.*c.along != centre.*c.along; ++frames) door.Update(0.02f);
        EXPECT_GE(frames, 30);
        EXPECT_LE(frames, 32);
        EXPECT_EQ(door.leafA.*c.along, centre.*c.along);
        EXPECT_TRUE(door.IsShut());
    }
}

// Walking north at a door in the edge between rows 2 and 3: while it is
// shut (a locked door without its key, an automatic one not yet touched)
// the player stops short of it, and walks through once it has opened.
TEST_F(DoorTest, AShutDoorStopsThePlayerUntilItIsOpen) {
    for (const bool locked : {true, false}) {
        SCOPED_TRACE(locked ? "locked" : "automatic");
        while (doors.HasChild()) delete doors.FirstChild();
        Door* door = nullptr;
        if (locked) {
            auto* lockedDoor = new LockedDoor(Vector3(1.5f, 1.5f, 6.0f), 3.0f);
            lockedDoor->keyId = 1;
            door = lockedDoor;
        } else {
            door = new AutomaticDoor(Vector3(1.5f, 1.5f, 6.0f), 1.5f);
        }
        door->orientation = kFacingNorth;
        door->AttachTo(&doors);
        doors.position = Vector3(6, 1.5f, 6);
        doors.radius = 12;
        player.keys.clear();
        PlaceAt(Vector3(1.5f, 1.75f, 7.5f), Vector3(0, 0, -1), -90.0f);
        const Vector3 forward(0, 0, 0.6f);

        for (int frame = 0; frame < 200; ++frame) {
            Frame(&forward, locked);
            ASSERT_TRUE(door->IsShut());
            ASSERT_GT(player.position.z, 6.0f + LevelCollider::kWallBand) << "frame " << frame;
        }
        EXPECT_LT(player.position.z, 6.0f + LevelCollider::kWallBand + 0.1f) << "never walked up to the door";
        player.keys = {1};
        bool through = false;
        for (int frame = 0; frame < 400 && !through; ++frame) {
            const bool shut = door->IsShut();
            Frame(&forward);
            if (shut) {
                ASSERT_GT(player.position.z, 6.0f + LevelCollider::kWallBand) << "frame " << frame;
            }
            through = player.position.z < 6.0f;
        }
        EXPECT_TRUE(through);
    }
}

// A locked door lets the player through once it has risen 2.0 above its
// closed height, an automatic one once its leaves have slid 2.0 apart from
// the middle: exactly there, not a little before.
TEST_F(DoorTest, BothKindsClearAtExactlyTwoUnits) {
    const std::pair<float, bool> cases[] = {{0.0f, true}, {1.99f, true}, {2.0f, false}, {2.5f, false}};
    LockedDoor locked(Vector3(1.5f, 1.5f, 6.0f), 3.0f);
    AutomaticDoor automatic(Vector3(1.5f, 1.5f, 6.0f), 1.5f);
    for (Facing side : {kFacingNorth, kFacingWest}) {
        automatic.orientation = side;
        for (const auto& [opened, shut] : cases) {
            SCOPED_TRACE(testing::Message() << "side " << side << ", opened by " << opened);
            locked.position.y = LockedDoor::kClosedHeight + opened;
            EXPECT_EQ(locked.IsShut(), shut);
            automatic.leafB = automatic.position + Vector3(opened, 0.0f, opened);
            automatic.leafA = automatic.position - Vector3(opened, 0.0f, opened);
            EXPECT_EQ(automatic.IsShut(), shut);
        }
    }
}

// Both kinds of shot stop at a shut door, a sweep step short of its wall
// band at most, and fly on through an open one.
TEST_F(DoorTest, ShotsStopAtAShutDoorAndFlyThroughAnOpenOne) {
    auto* door = new AutomaticDoor(Vector3(6.0f, 1.5f, 4.5f), 1.5f);
    door->orientation = kFacingEast;
    door->AttachTo(&doors);
    PlaceAt(Vector3(4.5f, 1.75f, 4.5f), Vector3(1, 0, 0));
    for (bool shut : {true, false}) {
        for (int frame = 0; !shut && frame < 25; ++frame) {
            door->state = Door::kOpening;
            door->Update(0.02f);
        }
        ASSERT_EQ(door->IsShut(), shut);
        for (bool creatures : {false, true}) {
            SCOPED_TRACE(testing::Message() << (creatures ? "creature's shot" : "bolt")
                                            << (shut ? " at a shut door" : " at an open door"));
            const Flight flight = creatures ? FlyCreatureShot() : FlyBolt();
            EXPECT_EQ(flight.stopped, shut) << "stopped at x = " << flight.x;
            if (!shut) continue;
            EXPECT_NEAR(flight.x, 6.0f - LevelCollider::kWallBand, kMaxSweepStep);
            EXPECT_LT(flight.x, 6.0f);
        }
    }
}

}  // namespace
