// Lamps: dark until the player comes within reach, then on for good; lamps
// sharing a GL light hand it to the one visited last.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/light.h"
#include "game/objects/player.h"
#include "game/render/gl_lights.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace {

class LightTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();  // light positions then stay in world coordinates
        lights.position = Vector3(0, 0, 0);
        lights.radius = 100.0f;
    }

    // The collision and draw phases of one frame with the player at `at`.
    void FrameWithPlayerAt(const Vector3& at) {
        player.position = at;
        lights.Collide(&player);
        lights.DrawTree();
    }

    static Vector3 LightPosition(GLenum light) {
        float at[4] = {};
        glGetLightfv(light, GL_POSITION, at);
        return Vector3(at[0], at[1], at[2]);
    }

    ondra::test::ScopedGLContext context;
    Level level{nullptr};
    LevelCollider collider;
    CObject bolts;
    CObject lights;
    Player player{&level, &collider, nullptr, &bolts};
};

TEST_F(LightTest, SwitchesOnForGoodWithinReach) {
    auto* lamp = new Light(1, Vector3(10, 2.8f, 10), 9.0f);
    lamp->AttachTo(&lights);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    FrameWithPlayerAt(Vector3(10 + 9.6f, 2.8f, 10));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1)) << "9.6 units away is out of reach";
    FrameWithPlayerAt(Vector3(10 + 9.4f, 2.8f, 10));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    FrameWithPlayerAt(Vector3(50, 2.8f, 50));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1)) << "a lamp never goes dark again";
}

// A lamp is made while the map loads, possibly without a GL context: its
// light is set up when it first lights, with every value it owns.
TEST_F(LightTest, SetsUpItsGlLightWhenFirstLitAndNotBefore) {
    const float marker[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    glLightfv(GL_LIGHT2, GL_DIFFUSE, marker);
    const Vector3 at(4.5f, 2.8f, 7.5f);
    auto* lamp = new Light(7, at, 9.0f);  // 7 wraps to GL light 2
    lamp->AttachTo(&lights);
    EXPECT_EQ(lamp->LightIndex(), 2);
    float value[4] = {};
    glGetLightfv(GL_LIGHT2, GL_DIFFUSE, value);
    EXPECT_EQ(value[1], 0.5f) << "the constructor touched the GL light";

    FrameWithPlayerAt(at);
    ASSERT_TRUE(glIsEnabled(GL_LIGHT2));
    for (GLenum colour : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR}) {
        glGetLightfv(GL_LIGHT2, colour, value);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(value[i], 1.0f) << "colour " << colour << " component " << i;
    }
    glGetLightfv(GL_LIGHT2, GL_POSITION, value);
    EXPECT_EQ(value[0], at.x);
    EXPECT_EQ(value[1], at.y);
    EXPECT_EQ(value[2], at.z);
    EXPECT_EQ(value[3], 1.0f) << "a positional light";
    const std::pair<GLenum, float> attenuations[] = {
        {GL_CONSTANT_ATTENUATION, 6.5f}, {GL_LINEAR_ATTENUATION, 1.5f}, {GL_QUADRATIC_ATTENUATION, 1.2f}};
    for (const auto& [parameter, expected] : attenuations) {
        float got = 0.0f;
        glGetLightfv(GL_LIGHT2, parameter, &got);
        EXPECT_EQ(got, expected) << parameter;
    }
}

TEST_F(LightTest, LampsSharingAGlLightHandItToTheLastVisited) {
    const Vector3 first(1.5f, 2.8f, 1.5f), sixth(40.5f, 2.8f, 40.5f);
    (new Light(0, first, 9.0f))->AttachTo(&lights);
    (new Light(5, sixth, 9.0f))->AttachTo(&lights);  // the sixth lamp wraps to GL light 0
    FrameWithPlayerAt(sixth);
    FrameWithPlayerAt(first);
    EXPECT_EQ(LightPosition(GL_LIGHT0).x, first.x);
    FrameWithPlayerAt(sixth);
    EXPECT_EQ(LightPosition(GL_LIGHT0).x, sixth.x);
    FrameWithPlayerAt(Vector3(20, 2.8f, 20));  // near neither
    EXPECT_EQ(LightPosition(GL_LIGHT0).x, sixth.x);
}

// GL light 5, the bolt's glow, is placed wherever the flying bolt is drawn.
TEST_F(LightTest, TheBoltLightFollowsTheBolt) {
    BoltProjectile bolt(nullptr, &player, &level, &collider);
    for (const Vector3& at : {Vector3(1.0f, 1.5f, 2.0f), Vector3(-4.0f, 2.0f, 7.5f)}) {
        bolt.position = at;
        bolt.Draw();
        const Vector3 light = LightPosition(gl_lights::kBoltLight);
        EXPECT_EQ(light.x, at.x);
        EXPECT_EQ(light.y, at.y);
        EXPECT_EQ(light.z, at.z);
    }
}

}  // namespace
