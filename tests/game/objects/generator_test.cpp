// Generators: fifteen frames of bolt contact wreck one; a wrecked core
// stops spinning, stops renewing its effects and burns once.
#include <gtest/gtest.h>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/player.h"

namespace {

class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest() {
        generator->position = Vector3(3, 0, 3);
        generator->radius = 3.0f;
        core->position = Vector3(3, GeneratorCore::kHeight, 3);
        core->radius = 1.0f;
        core->AttachTo(generator);
        generator->AttachTo(&enemies);
        enemies.radius = 50;
        bolt.position = Vector3(3, 1, 3);
    }

    // The collision phase against the bolt, then the update phase.
    void Frame() {
        enemies.Collide(&bolt);
        enemies.UpdateTree(0.02f);
    }

    Level level{nullptr};
    LevelCollider collider;
    CObject bolts;
    Player player{&level, &collider, nullptr, &bolts};
    BoltProjectile bolt{nullptr, &player, &level, &collider};
    CObject enemies;
    Generator* generator = new Generator(nullptr, nullptr);
    GeneratorCore* core = new GeneratorCore(nullptr, nullptr);
};

TEST_F(GeneratorTest, TheFifteenthFrameOfContactWrecksIt) {
    for (int frame = 0; frame < 14; ++frame) Frame();
    EXPECT_EQ(generator->HitPoints(), 1);
    EXPECT_FALSE(generator->Destroyed());
    EXPECT_FALSE(core->Destroyed());
    EXPECT_EQ(core->Spin(), 140);

    Frame();
    EXPECT_TRUE(generator->Destroyed());
    EXPECT_TRUE(core->Destroyed());
    const Flame* flame = core->FlameEffect();
    ASSERT_NE(flame, nullptr);
    EXPECT_FLOAT_EQ(flame->Origin().y, -2.0f);

    // More hits change nothing: no second flame, no more spin, the effects
    // are left to burn out and never renewed.
    const Electricity* electricity = core->ElectricityEffect();
    for (int frame = 0; frame < 100; ++frame) Frame();
    EXPECT_EQ(core->FlameEffect(), flame);
    EXPECT_EQ(core->Spin(), 140) << "the wrecking frame already stops the spin";
    EXPECT_EQ(core->ElectricityEffect(), electricity);
    EXPECT_EQ(generator->HitPoints(), 0);
    // The core's sphere has fallen to rest exactly at 0.5, not under it.
    EXPECT_EQ(core->position.y, 0.5f);
    EXPECT_EQ(core->velocity.y, 0.0f);
}

TEST_F(GeneratorTest, AnIntactCoreRenewsItsEffectsAndThePlayerDoesNoHarm) {
    player.position = generator->position;
    int renewals = 0;
    for (int frame = 0; frame < 60; ++frame) {
        const Electricity* electricity = core->ElectricityEffect();
        const Lightning* lightning = core->LightningEffect();
        const bool electricityOut = electricity->IsEmpty(), lightningOut = lightning->IsEmpty();
        enemies.Collide(&player);
        enemies.UpdateTree(0.02f);
        // A burnt-out effect starts full again in the frame's update, in
        // place: a frame allocates nothing.
        EXPECT_EQ(core->ElectricityEffect(), electricity);
        EXPECT_EQ(core->LightningEffect(), lightning);
        if (electricityOut && !electricity->IsEmpty()) ++renewals;
        if (lightningOut && !lightning->IsEmpty()) ++renewals;
    }
    EXPECT_GE(renewals, 2) << "effects that burnt out were not renewed";
    EXPECT_EQ(generator->HitPoints(), Generator::kHitPoints);
}

}  // namespace
