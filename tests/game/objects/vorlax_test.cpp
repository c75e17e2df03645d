// The creature: its heading and alert, its charge and shot, the shot's
// flight and drop, its death by a bolt and its fall; and pictures drawn
// with the game's own models (vorlax_*.ppm in the build's test-pictures/).
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/player.h"
#include "game/objects/sweep.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/vorlax_projectile.h"
#include "game/render/camera.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"
#include "game/world/scene_culler.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/in_folder.h"

namespace {

const Vector3 kHome(4.5f, 2.0f, 1.5f);  // the middle of block (1, 2), as the loader places it

// A creature with its body in an enemy list that covers the world, a player
// and a corridor of `columns` open blocks walled at its ends and sides.
struct World {
    explicit World(int columns = 0, ModelCache* models = nullptr, TextureCache* textures = nullptr)
        : level(textures) {
        level.Resize(1, columns);
        for (int c = 1; c <= columns; ++c) {
            auto block = std::make_unique<Block>(1, c);
            block->north = std::make_unique<BlockPart>();
            block->south = std::make_unique<BlockPart>();
            if (c == 1) block->west = std::make_unique<BlockPart>();
            if (c == columns) block->east = std::make_unique<BlockPart>();
            level.PlaceBlock(std::move(block));
        }
        enemies.radius = 1e6f;
        vorlax = new Vorlax(textures, &collider, &level);
        mesh = new VorlaxMesh(models, textures, &player);
        vorlax->position = mesh->position = kHome;
        mesh->AttachTo(vorlax);
        vorlax->AttachTo(&enemies);
    }
    // The collision phase with the player standing at `offset` from the creature.
    void See(const Vector3& offset) {
        player.position = kHome + offset;
        enemies.Collide(&player);
    }
    void Shoot(const Vector3& offset) {
        auto* bolt = new BoltProjectile(nullptr, &player, &level, &collider);
        bolt->position = kHome + offset;
        bolt->AttachTo(&enemies);
        enemies.Collide(bolt);
    }
    // Steps until the shot is dropped; returns where it was last seen.
    Vector3 FlyOut(float dt) {
        Vector3 last;
        for (int i = 0; i < 100000 && vorlax->Projectile(); ++i) {
            last = vorlax->Projectile()->position;
            enemies.UpdateTree(dt);
        }
        EXPECT_EQ(vorlax->Projectile(), nullptr) << "never dropped";
        return last;
    }

    Level level;
    LevelCollider collider;
    CObject enemies;
    Player player{&level, &collider, nullptr, &enemies};
    Vorlax* vorlax;  // owned by enemies
    VorlaxMesh* mesh;
};

TEST(Vorlax, FacesThePlayerQuadrantByQuadrantAndRestsOnTheAxes) {
    struct Case {
        float dx, dz, yaw;
    };
    const Case cases[] = {{3, 3, 45},       {3, -3, 135},          {-3, -3, -135},       {-3, 3, -45},
                          {1, 4, 14.0362f}, {4, -1, 104.0362f},    {-1, -4, -165.9638f}, {-4, 1, -75.9638f},
                          {0, 5, 0},        {0, -5, 0},            {5, 0, 0},            {-5, 0, 0}};
    World world;
    for (const Case& c : cases) {
        world.See(Vector3(2, 0, -7));  // any other heading first
        world.See(Vector3(c.dx, -0.25f, c.dz));
        EXPECT_NEAR(world.vorlax->Yaw(), c.yaw, 1e-3f) << c.dx << ", " << c.dz;
    }
}

TEST(Vorlax, OnlyAPlayerWithinSightRangeAlertsIt) {
    World world;
    world.See(Vector3(0.6f, 0, 0.8f) * 10.6f);  // just beyond the radii 10 + 0.5
    EXPECT_FALSE(world.vorlax->State() == Vorlax::kAlerted || world.vorlax->Charging());
    world.See(Vector3(0.6f, 0, 0.8f) * 10.4f);
    EXPECT_TRUE(world.vorlax->State() == Vorlax::kAlerted && world.vorlax->Charging());
}

// Whole frames: collisions, update, draw. The shot appears on the 31st
// frame in sight, is drawn where it starts, and blocks the next charge.
TEST(Vorlax, ChargesOnlyInSightFiresOnThe31stFrameAndWaitsForItsShot) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    World world;
    Vorlax& v = *world.vorlax;
    auto frames = [&](int n, const Vector3& offset) {
        for (int i = 0; i < n; ++i) {
            world.See(offset);
            world.enemies.UpdateTree(0.02f);
            world.enemies.DrawTree();
        }
    };
    const Vector3 inSight(0, 0, 5), outOfSight(0, 0, 20);
    frames(10, inSight);
    const float size = v.FlashScale();
    EXPECT_NEAR(size, 2.0f, 1e-5f);
    frames(5, outOfSight);
    EXPECT_EQ(v.FlashScale(), size);
    EXPECT_TRUE(v.Charging());
    EXPECT_EQ(v.State(), Vorlax::kIdle);
    frames(20, inSight);
    ASSERT_EQ(v.Projectile(), nullptr) << "fired before the 31st frame";
    testing::internal::CaptureStdout();
    frames(1, inSight);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "4.5 2 1.5\n");
    ASSERT_NE(v.Projectile(), nullptr);
    EXPECT_TRUE(v.ShotInFlight());
    EXPECT_FALSE(v.Charging());
    EXPECT_EQ(v.FlashScale(), 0.0f);

    VorlaxProjectile* shot = v.Projectile();
    testing::internal::CaptureStdout();
    frames(40, inSight);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(v.Projectile(), shot);
    EXPECT_FALSE(v.Charging());
    EXPECT_EQ(v.FlashScale(), 0.0f);
}

// Culling skips the creature's draw, never its charge: out of the view it
// still charges, fires on the 31st frame and prints its shot each frame.
TEST(Vorlax, ACulledCreatureStillChargesFiresAndPrintsItsShot) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    World world(8);
    // The eye stands down the corridor from the creature, looking away.
    LoadGameProjection(1.0);
    const Vector3 eye = kHome + Vector3(15.0f, 0.0f, 0.0f);
    gluLookAt(eye.x, eye.y, eye.z, eye.x + 1.0f, eye.y, eye.z, 0.0, 1.0, 0.0);
    SceneCuller culler;
    culler.SetModelReach(1.0f);
    culler.Look(world.level, eye, ViewFrustum::FromCurrentMatrices());
    ASSERT_FALSE(culler.MayShow(*world.vorlax)) << "the creature is in view: the test shows nothing";

    const Vector3 inSight(0, 0, 1);
    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 30; ++frame) {
        world.See(inSight);
        world.enemies.UpdateTree(0.02f);
        culler.DrawGroup(world.enemies);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(world.vorlax->Charging());
    testing::internal::CaptureStdout();
    world.See(inSight);
    world.enemies.UpdateTree(0.02f);
    culler.DrawGroup(world.enemies);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "4.5 2 1.5\n");
    ASSERT_NE(world.vorlax->Projectile(), nullptr) << "a culled creature did not fire";
    testing::internal::CaptureStdout();
    world.See(inSight);
    world.enemies.UpdateTree(0.02f);
    culler.DrawGroup(world.enemies);
    EXPECT_FALSE(testing::internal::GetCapturedStdout().empty()) << "the flying shot was not printed";
}

TEST(VorlaxProjectile, FliesAtWhereThePlayerWasSeenOrElseAlongTheHeading) {
    struct Case {
        const char* what;
        bool seen;
        Vector3 offset, direction;
    };
    const Case cases[] = {
        {"east, though the heading stays 0", true, {8, 0, 0}, {1, 0, 0}},
        {"down to the eye, north-west", true, {-2, -1, -2}, {-2.0f / 3, -1.0f / 3, -2.0f / 3}},
        {"from the creature's very centre", true, {0, 0, 0}, {0, 0, 1}},
        {"never seen", false, {0, 0, 0}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        World world;
        if (c.seen) world.See(c.offset);
        VorlaxProjectile* shot = world.vorlax->SpawnProjectile();
        world.enemies.UpdateTree(0.02f);
        const Vector3 moved = (shot->position - kHome) / (0.02f * VorlaxProjectile::kLaunchSpeed);
        EXPECT_NEAR(moved.x, c.direction.x, 1e-4f);
        EXPECT_NEAR(moved.y, c.direction.y, 1e-4f);
        EXPECT_NEAR(moved.z, c.direction.z, 1e-4f);
    }
}

// Shot east: it speeds up, is dropped at a wall or after 200 units, also
// when its creature is dead (the falling body does not bend its path) or the
// frame absurdly long, and the creature may then charge again.
TEST(VorlaxProjectile, SpeedsUpAndIsDroppedAtAWallOrOutOfRange) {
    struct Case {
        const char* what;
        int columns;
        bool dead;
        float dt, flight;  // flight: how far it goes before the drop; 0 when not checked
    };
    const Case cases[] = {{"down a corridor", 10, false, 0.02f, 30 - LevelCollider::kWallBand - kHome.x},
                          {"in the open", 0, false, 0.02f, 200},
                          {"in the open from a dead creature", 0, true, 0.02f, 200},
                          {"in one absurd frame", 0, false, 1e6f, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        World world(c.columns);
        world.See(Vector3(6, 0, 0));
        VorlaxProjectile* shot = world.vorlax->SpawnProjectile();
        if (c.dead) world.Shoot(Vector3(0, 0.5f, 0));
        if (c.dt < 1) {
            for (int i = 0; i < 50; ++i) world.enemies.UpdateTree(c.dt);
            // 20 units in the first second, plus 5 per second of gain over 49 frames.
            EXPECT_NEAR(shot->position.x - kHome.x, 20 + 5 * 0.02f * 0.02f * 50 * 49 / 2, 1e-3f);
        }
        const Vector3 last = world.FlyOut(c.dt);
        EXPECT_EQ(last.y, kHome.y);
        if (c.flight > 0) {
            EXPECT_GE(last.x - kHome.x, c.flight - 1e-3f);
            EXPECT_LE(last.x - kHome.x, c.flight + kMaxSweepStep + 1e-3f);
        }
        EXPECT_FALSE(world.vorlax->ShotInFlight());
        EXPECT_FALSE(world.vorlax->Charging());
        world.See(Vector3(6, 0, 0));
        EXPECT_EQ(world.vorlax->Charging(), !c.dead);
    }
}

TEST(VorlaxMesh, ABoltWithinOneUnitOfTheBodyKillsOnceAndForAll) {
    for (float distance : {1.0f, 1.1f}) {
        World world;
        world.Shoot(Vector3(distance, 0, 0));
        EXPECT_EQ(world.mesh->Dead(), distance <= 1.0f) << distance;
        EXPECT_EQ(world.vorlax->IsDead(), distance <= 1.0f) << distance;
    }
    World world;
    world.See(Vector3(3, 0, 4));
    world.Shoot(Vector3(0, 0.5f, 0));
    const Flame* flame = world.mesh->Burning();
    ASSERT_NE(flame, nullptr);
    EXPECT_EQ(flame->LiveCount(), VorlaxMesh::kFlameParticles);
    const float yaw = world.vorlax->Yaw();
    world.Shoot(Vector3(0, 0, 0.5f));
    world.See(Vector3(-4, 0, 3));
    EXPECT_EQ(world.mesh->Burning(), flame);
    EXPECT_EQ(world.vorlax->State(), Vorlax::kDead);
    EXPECT_EQ(world.vorlax->Yaw(), yaw);
}

TEST(Vorlax, ADeadCreatureFallsToHalfAUnitAndStays) {
    for (float dt : {0.02f, 0.1f, 1000.0f}) {
        World world;
        world.Shoot(Vector3(0.5f, 0, 0));
        world.enemies.UpdateTree(dt);
        // Velocity first: the very first frame already moves.
        if (dt == 0.02f) {
            EXPECT_FLOAT_EQ(world.vorlax->position.y, 2.0f - 20 * dt * dt);
        }
        float previous = kHome.y;
        for (int i = 0; i < 100; ++i, world.enemies.UpdateTree(dt)) {
            ASSERT_LE(world.vorlax->position.y, previous) << "dt " << dt;
            previous = world.vorlax->position.y;
        }
        EXPECT_EQ(world.vorlax->position.y, Vorlax::kRestHeight) << "dt " << dt;
        EXPECT_EQ(world.vorlax->velocity.Length(), 0.0f);
    }
}

constexpr int kPicture = 256;

// One game frame seen from the player's eye at `offset` from the creature,
// lit by a white lamp over the player's shoulder.
void DrawFrame(World& world, const Vector3& offset, float lookDown) {
    world.See(offset);
    world.enemies.UpdateTree(0.02f);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadGameProjection(1.0);
    const Vector3 eye = kHome + offset;
    gluLookAt(eye.x, eye.y, eye.z, kHome.x, kHome.y - lookDown, kHome.z, 0, 1, 0);
    const float lampAt[4] = {eye.x + 1, eye.y + 2, eye.z, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, lampAt);
    world.enemies.DrawTree();
    glFinish();
}

// Where a world point lands in the picture.
void PixelOf(const Vector3& p, int& x, int& y) {
    double model[16], projection[16], wx, wy, wz;
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz);
    x = static_cast<int>(wx);
    y = static_cast<int>(wy);
}

TEST(VorlaxPicture, ChargingInSightAndBurningWhenShot) {
    ondra::test::ScopedGLContext context{kPicture, kPicture};
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    // Loaded as the game loads them, from the working directory.
    TextureCache textures;
    ModelCache models;
    {
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        for (const char* name : {"flame.jpg", "gunflare.jpg", "flarered.jpg"})
            EXPECT_TRUE(textures.Load(name)) << name;
        testing::internal::CaptureStdout();  // the 3DS reader's trace
        for (const char* name : {"vorlax.3DS", "deadvorl.3DS"}) EXPECT_TRUE(models.Load(name)) << name;
        testing::internal::GetCapturedStdout();
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glReadBuffer(GL_BACK);

    const Vector3 eye(2.4f, -0.25f, 3.2f);
    World charging(0, &models, &textures);
    for (int i = 0; i < 20; ++i) DrawFrame(charging, eye, 0.3f);
    ondra::test::SavePicture("vorlax_charging.ppm", kPicture, kPicture);
    int x = 0, y = 0;
    PixelOf(kHome + Vector3(0.6f, -0.5f, 0.8f), x, y);  // the flash, a unit towards the eye
    const ondra::test::Rgb flash = ondra::test::ReadPixel(x, y);
    EXPECT_GT(flash.r + flash.g + flash.b, 400) << "no muzzle flash at " << x << ", " << y;

    // Three frames after the shot it glows red on its way to the eye, in
    // the world and not in the turned frame of the creature.
    testing::internal::CaptureStdout();
    for (int i = 0; i < 11 + 3; ++i) DrawFrame(charging, eye, 0.3f);
    testing::internal::GetCapturedStdout();
    ondra::test::SavePicture("vorlax_shot.ppm", kPicture, kPicture);
    ASSERT_NE(charging.vorlax->Projectile(), nullptr);
    PixelOf(charging.vorlax->Projectile()->position, x, y);
    const ondra::test::Rgb shot = ondra::test::ReadPixel(x, y);
    EXPECT_GT(shot.r, 200) << "no glow at " << x << ", " << y;  // its core is white

    World burning(0, &models, &textures);
    burning.Shoot(Vector3(0, 0.5f, 0));
    for (int i = 0; i < 20; ++i) DrawFrame(burning, eye, 1.0f);
    ondra::test::SavePicture("vorlax_burning.ppm", kPicture, kPicture);
    int orange = 0;
    for (int py = 0; py < kPicture; py += 2) {
        for (int px = 0; px < kPicture; px += 2) {
            const ondra::test::Rgb p = ondra::test::ReadPixel(px, py);
            if (p.r > 150 && p.r > p.b + 80) ++orange;
        }
    }
    EXPECT_GT(orange, 200) << "no flame";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
