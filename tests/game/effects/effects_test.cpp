// The effects without GL: birth values, burn-out times and the
// push sparks get from the surface they hit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "game/effects/bolt_trail.h"
#include "game/effects/electricity.h"
#include "game/effects/flame.h"
#include "game/effects/lightning.h"

namespace {

// Refills a system from a fixed seed, for births that are repeatable.
void Refill(CParticleSystem& system, unsigned int seed) {
    system.Init();
    std::srand(seed);
    system.Emit(system.MaxParticles());
}

// Updates in frames of dt until `seconds` have passed.
void RunFor(CParticleSystem& system, float seconds, float dt = 0.01f) {
    for (float t = 0.0f; t < seconds; t += dt) system.Update(dt);
}

TEST(Flame, StartsFullAndBurnsOutWithinOneAndAHalfSeconds) {
    Flame flame(250, Vector3(0, -2, 0), 0.5f, 0);
    EXPECT_EQ(flame.LiveCount(), 250);
    RunFor(flame, 0.45f);
    EXPECT_FALSE(flame.IsEmpty());  // no flame particle lives under 0.5 s
    RunFor(flame, 1.06f);
    EXPECT_TRUE(flame.IsEmpty());
}

TEST(Flame, BirthValuesStayInTheirRanges) {
    const Vector3 origin(1, -2, 3);
    Flame flame(250, origin, 0.5f, 0);
    for (unsigned int seed = 1; seed <= 40; ++seed) {
        Refill(flame, seed);
        for (int i = 0; i < flame.LiveCount(); ++i) {
            const Particle& p = flame.Particles()[i];
            EXPECT_LE(std::fabs(p.position.x - origin.x), 0.5f);
            EXPECT_LE(std::fabs(p.position.y - origin.y), 0.5f);
            EXPECT_LE(std::fabs(p.position.z - origin.z), 0.5f);
            EXPECT_GE(p.size, -0.8f);
            EXPECT_LE(p.size, 1.2f);
            EXPECT_LE(std::fabs(p.velocity.x), 0.05f);
            EXPECT_LE(std::fabs(p.velocity.z), 0.05f);
            EXPECT_GE(p.velocity.y, -5.0f);
            EXPECT_LE(p.velocity.y, 1.0f);
            EXPECT_EQ(p.acceleration.y, 10.0f);
            EXPECT_GE(p.life, 0.5f);
            EXPECT_LE(p.life, 1.5f);
            EXPECT_FLOAT_EQ(p.sizeDelta, -p.size / p.life);
        }
    }
}

TEST(BoltTrail, BirthValuesStayInTheirRangesAndBurnOutWithinASecond) {
    BoltTrail sparks(30, Vector3(4, 1, 4), Vector3(0, 0, 0), 1.0f, 0);
    EXPECT_EQ(sparks.LiveCount(), 30);
    for (unsigned int seed = 1; seed <= 200; ++seed) {
        Refill(sparks, seed);
        for (int i = 0; i < sparks.LiveCount(); ++i) {
            const Particle& p = sparks.Particles()[i];
            EXPECT_LE(std::fabs(p.position.x - 4.0f), 1.0f);
            EXPECT_LE(std::fabs(p.position.y - 1.0f), 1.0f);
            EXPECT_GE(p.size, 0.0f);
            EXPECT_LE(p.size, 0.2f);
            EXPECT_LE(std::fabs(p.velocity.y), 5.0f);
            EXPECT_GE(p.life, 0.0f);
            EXPECT_LE(p.life, 1.0f);
        }
    }
    RunFor(sparks, 1.01f);
    EXPECT_TRUE(sparks.IsEmpty());
}

TEST(BoltTrail, SparksFromACeilingArePushedDownAndFall) {
    const Vector3 ceilingNormal(0, -1, 0);
    BoltTrail pushed(30, Vector3(0, 3, 0), ceilingNormal * 2.0f, 1.0f, 0);
    BoltTrail still(30, Vector3(0, 3, 0), Vector3(0, 0, 0), 1.0f, 0);
    Refill(pushed, 99);
    Refill(still, 99);
    for (int i = 0; i < 30; ++i) {
        const Particle& a = pushed.Particles()[i];
        const Particle& b = still.Particles()[i];
        EXPECT_FLOAT_EQ(a.velocity.y, b.velocity.y - 2.0f);
        EXPECT_FLOAT_EQ(a.velocity.x, b.velocity.x);
        EXPECT_EQ(a.acceleration.y, -10.0f);
    }
    // On average the whole burst moves down by the push.
    double sum = 0.0;
    for (unsigned int seed = 1; seed <= 200; ++seed) {
        Refill(pushed, seed);
        for (int i = 0; i < 30; ++i) sum += pushed.Particles()[i].velocity.y;
    }
    EXPECT_NEAR(sum / (200 * 30), -2.0, 0.1);
}

// The two crackles differ in sizes and lives only.
struct CrackleCase {
    const char* name;
    std::function<std::unique_ptr<Crackle>()> make;
    float sizeBase;
    float longestLife;
    double bornDead;  // share of births with no life at all
};

void PrintTo(const CrackleCase& c, std::ostream* out) { *out << c.name; }

class CrackleTest : public ::testing::TestWithParam<CrackleCase> {};

TEST_P(CrackleTest, BirthValuesStreakAlongXAndManyAreBornDead) {
    const CrackleCase& c = GetParam();
    std::unique_ptr<Crackle> crackle = c.make();
    EXPECT_EQ(crackle->LiveCount(), 500);
    int births = 0;
    int dead = 0;
    for (unsigned int seed = 1; seed <= 20; ++seed) {
        Refill(*crackle, seed);
        int deadNow = 0;
        for (int i = 0; i < crackle->LiveCount(); ++i) {
            const Particle& p = crackle->Particles()[i];
            EXPECT_LE(std::fabs(p.position.x), 0.5f);
            EXPECT_LE(std::fabs(p.position.z), 0.5f);
            EXPECT_LE(std::fabs(p.size - c.sizeBase), 1.0f);
            EXPECT_LE(std::fabs(p.velocity.x), 3.0f);
            EXPECT_EQ(p.velocity.y, 0.0f);
            EXPECT_EQ(p.acceleration.x, 0.0f);
            EXPECT_LE(p.life, c.longestLife);
            if (p.life <= 0.0f) ++deadNow;
        }
        births += crackle->LiveCount();
        dead += deadNow;
        // Those born dead are gone before they could be drawn.
        crackle->Update(0.0f);
        EXPECT_EQ(crackle->LiveCount(), 500 - deadNow);
    }
    EXPECT_NEAR(static_cast<double>(dead) / births, c.bornDead, 0.03);
}

TEST_P(CrackleTest, BurnsOutWithinItsLongestLife) {
    std::unique_ptr<Crackle> crackle = GetParam().make();
    RunFor(*crackle, GetParam().longestLife + 0.01f);
    EXPECT_TRUE(crackle->IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Effects, CrackleTest,
    ::testing::Values(
        CrackleCase{"Lightning",
                    [] { return std::make_unique<Lightning>(500, Vector3(0, 0, 0), 0.5f, nullptr); },
                    0.2f, 0.55f, 0.40},
        CrackleCase{"Electricity",
                    [] { return std::make_unique<Electricity>(500, Vector3(0, 0, 0), 0.5f, nullptr); },
                    0.05f, 0.51f, 0.48}),
    [](const ::testing::TestParamInfo<CrackleCase>& info) { return std::string(info.param.name); });

}  // namespace
