// The particle-system base: births, the common update with swap-removal and
// the random term.
#include "game/effects/particle_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Births take their lives from a script; position.x numbers the births so a
// test can follow each particle through the swaps.
class ScriptedSystem : public CParticleSystem {
public:
    ScriptedSystem(int maxParticles, std::vector<float> lives)
        : CParticleSystem(maxParticles, Vector3(0, 0, 0)), lives(std::move(lives)) {
        Init();
    }
    void Render() override {}
    const Particle& At(int i) const { return Particles()[i]; }

    int births = 0;

protected:
    void InitParticle(int index) override {
        Particle& p = particles[index];
        p.position = Vector3(static_cast<float>(births), 0, 0);
        p.velocity = Vector3(0, 1, 0);
        p.acceleration = Vector3(0, 2, 0);
        p.life = lives[births % lives.size()];
        p.size = 1.0f;
        p.sizeDelta = -1.0f;
        ++births;
    }

private:
    std::vector<float> lives;
};

TEST(ParticleSystem, EmitFillsUpToCapacityAndReportsTheRest) {
    ScriptedSystem system(5, {1.0f});
    EXPECT_TRUE(system.IsEmpty());
    EXPECT_EQ(system.Emit(3), 0);
    EXPECT_EQ(system.LiveCount(), 3);
    EXPECT_EQ(system.Emit(4), 2);  // room for two
    EXPECT_EQ(system.LiveCount(), 5);
    EXPECT_EQ(system.births, 5);
    EXPECT_EQ(system.Emit(7), 7);  // full: nothing changes
    EXPECT_EQ(system.births, 5);
    EXPECT_EQ(system.Emit(0), 0);
}

TEST(ParticleSystem, InitEmptiesAndShutdownLeavesNoRoom) {
    ScriptedSystem system(4, {1.0f});
    system.Emit(4);
    system.Init();
    EXPECT_TRUE(system.IsEmpty());
    EXPECT_EQ(system.Particles()[3].life, 0.0f);  // fresh, zeroed records
    system.Shutdown();
    EXPECT_TRUE(system.IsEmpty());
    EXPECT_EQ(system.Particles(), nullptr);
    EXPECT_EQ(system.Emit(2), 2);  // no array to write into
    system.Init();
    EXPECT_EQ(system.Emit(2), 0);
}

TEST(ParticleSystem, UpdateMovesAgesAndShrinks) {
    ScriptedSystem system(1, {1.0f});
    system.Emit(1);
    system.Update(0.25f);
    const Particle& p = system.At(0);
    EXPECT_FLOAT_EQ(p.position.y, 0.25f);  // velocity from before the step
    EXPECT_FLOAT_EQ(p.velocity.y, 1.5f);
    EXPECT_FLOAT_EQ(p.life, 0.75f);
    EXPECT_FLOAT_EQ(p.size, 0.75f);
}

TEST(ParticleSystem, ParticlesBornWithoutLifeNeverSurviveAnUpdate) {
    ScriptedSystem system(3, {0.0f, -1.0f, 1.0f});
    system.Emit(3);
    system.Update(0.0f);
    ASSERT_EQ(system.LiveCount(), 1);
    EXPECT_EQ(system.At(0).position.x, 2.0f);  // the one with life left
}

TEST(ParticleSystem, SwapRemovalUpdatesEveryLiveParticleOncePerPass) {
    // Births 0, 3 and 4 die in this update; 3 and 4 are moved into the
    // holes before they are processed, and must die there too.
    ScriptedSystem system(5, {0.05f, 1.0f, 1.0f, 0.05f, 0.05f});
    system.Emit(5);
    system.Update(0.1f);
    ASSERT_EQ(system.LiveCount(), 2);
    std::vector<float> survivors;
    for (int i = 0; i < system.LiveCount(); ++i) {
        EXPECT_FLOAT_EQ(system.At(i).position.y, 0.1f) << "birth " << system.At(i).position.x;
        EXPECT_FLOAT_EQ(system.At(i).life, 0.9f);
        survivors.push_back(system.At(i).position.x);
    }
    std::sort(survivors.begin(), survivors.end());
    EXPECT_EQ(survivors, (std::vector<float>{1.0f, 2.0f}));

    system.Update(1.0f);
    EXPECT_TRUE(system.IsEmpty());
}

TEST(ParticleSystem, RandomTermIsTriangularOnMinusOneToOne) {
    std::srand(12345);
    const int draws = 200000;
    double sum = 0.0;
    int nearZero = 0;
    float lowest = 1.0f;
    float highest = -1.0f;
    for (int i = 0; i < draws; ++i) {
        const float r = CParticleSystem::RandomTerm();
        sum += r;
        if (std::fabs(r) < 0.5f) ++nearZero;
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GE(lowest, -1.0f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_LT(lowest, -0.95f);
    EXPECT_GT(highest, 0.95f);
    EXPECT_NEAR(sum / draws, 0.0, 0.01);
    // A triangular density puts three quarters of the mass within 0.5.
    EXPECT_NEAR(static_cast<double>(nearZero) / draws, 0.75, 0.01);
}

TEST(ParticleSystem, SameSeedSameRandomTerms) {
    std::srand(7);
    const float a = CParticleSystem::RandomTerm();
    const float b = CParticleSystem::RandomTerm();
    std::srand(7);
    EXPECT_EQ(CParticleSystem::RandomTerm(), a);
    EXPECT_EQ(CParticleSystem::RandomTerm(), b);
    // Every value is a whole number of 32767ths.
    const float steps = a * 32767.0f;
    EXPECT_FLOAT_EQ(steps, std::round(steps));
}

}  // namespace
