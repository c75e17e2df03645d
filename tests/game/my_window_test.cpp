// The game window on the generated level, driven by scripts: the order of
// a frame's collisions, updates and draws, and what each key, button and
// mouse motion does.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "game/my_window.h"
#include "game/objects/bolt_projectile.h"
#include "game/render/camera.h"
#include "game/render/gl_lights.h"
#include "game/run/script.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/in_folder.h"

namespace {

// What a spy saw when it was drawn in a frame.
struct Seen {
    GLint polygonMode = 0;
    bool boltLight = false;
    float yaw = 0.0f;
    Vector3 position;
    int health = 0;
    int medikits = 0;
    bool bolt = false;
    int ammo = 0;
    bool hud = false;
    bool fullScreen = false;
};

// Logs each phase that reaches it; the spy in the lights group, drawn
// first, also notes the frame's state.
class Spy : public CObject {
public:
    Spy(std::string name, std::vector<std::string>* log, Player* player, const ondra::GLWindow* window,
        std::vector<Seen>* seen = nullptr)
        : name(std::move(name)), log(log), player(player), window(window), seen(seen) {
        radius = 1000.0f;
    }
    void OnCollision(CObject*) override { log->push_back("collide " + name); }
    void Update(float dt) override {
        log->push_back("update " + name);
        lastDt = dt;
        dts.push_back(dt);
    }
    void Draw() override {
        log->push_back("draw " + name);
        if (!seen) return;
        Seen s;
        GLint modes[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        s.polygonMode = modes[0];
        s.boltLight = glIsEnabled(gl_lights::kBoltLight);
        s.yaw = player->GetCamera()->yaw;
        s.position = player->position;
        s.health = player->health;
        s.medikits = player->medikits;
        s.bolt = player->CurrentBolt() != nullptr;
        s.ammo = player->ammo;
        s.hud = player->hudVisible;
        s.fullScreen = window->IsFullscreen();
        seen->push_back(s);
    }

    std::string name;
    std::vector<std::string>* log;
    Player* player;
    const ondra::GLWindow* window;
    std::vector<Seen>* seen;
    float lastDt = 0.0f;
    std::vector<float> dts;
};

// The game window with a spy at the end of every group, every group's
// sphere made large enough to reach the player wherever it stands.
class SpyWindow : public MyWindow {
public:
    void OnCreate() override {
        MyWindow::OnCreate();
        World& w = *GetWorld();
        Player& player = *w.player;
        const std::pair<const char*, CObject*> groups[] = {{"doors", &w.doors},     {"lights", &w.lights},
                                                           {"pickups", &w.pickups}, {"player", &w.playerGroup},
                                                           {"enemies", &w.enemies}};
        for (const auto& [name, group] : groups) {
            group->radius = 1000.0f;
            auto* spy = new Spy(name, &log, &player, this, group == &w.lights ? &seen : nullptr);
            spy->AttachTo(group);
            if (group == &w.playerGroup) playerSpy = spy;
        }
        player.hasWeapon = true;
        player.medikits = 1;
        player.ammo = startAmmo;
        player.clips = 2;
    }

    int startAmmo = 0;
    std::vector<std::string> log;
    std::vector<Seen> seen;  // one entry per frame
    Spy* playerSpy = nullptr;
};

// Plays `script` for `frames` frames in the generated data folder.
void Play(SpyWindow& window, const std::string& script, long frames) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript(script, "test", events, error)) << error;
    GameOptions options;
    options.scriptFile = "test";
    options.frames = frames;
    window.Configure(options, events);
    const ondra::test::InFolder inData(ONDRA_DATA_DIR);
    testing::internal::CaptureStdout();  // the 3DS reader's trace
    ondra::Main::Instance()->Execute(0, nullptr);
    testing::internal::GetCapturedStdout();
}

TEST(MyWindow, AFrameCollidesThenUpdatesThenDrawsInTheGamesOrder) {
    ondra::test::TestApp app;
    SpyWindow window;
    Play(window, "", 1);
    ASSERT_EQ(window.FramesDrawn(), 1);
    // The player's spy is a second member of its group, so the collision
    // walk meets each spy more than once; the phases' order is what counts.
    std::vector<std::string> phases;
    for (const std::string& entry : window.log)
        if (phases.empty() || phases.back() != entry) phases.push_back(entry);
    const std::vector<std::string> expected = {
        "collide doors",  "collide lights", "collide pickups", "collide enemies", "update player", "update doors",
        "update enemies", "draw lights",    "draw doors",      "draw pickups",    "draw enemies",  "draw player",
    };
    EXPECT_EQ(phases, expected);
    EXPECT_FLOAT_EQ(window.playerSpy->lastDt, 0.02f);
}

// A recorded frame time replaces the script's step for its frame only, and
// is capped as the live frame it stands for was.
TEST(MyWindow, RecordedFrameTimesStepTheirFrames) {
    ondra::test::TestApp app;
    SpyWindow window;
    Play(window, "0 dt 0.05\n1 dt 0.25\n", 3);
    EXPECT_EQ(window.playerSpy->dts, (std::vector<float>{0.05f, 0.1f, 0.02f}));
}

TEST(MyWindow, KeysButtonsAndMouseAsThePlayerUsesThem) {
    ondra::test::TestApp app;
    SpyWindow window;
    Play(window,
         "1 key U down\n 2 key U down\n 3 key U down\n"                      // filled, wireframe, filled
         "4 mouse 256 256\n 5 mouse 511 256\n 6 mouse 11 256\n"             // record, wrap, turn 5 degrees
         "7 key 38 down\n 7 key 40 down\n 20 key 38 up\n 20 key 40 up\n"    // Up and Down cancel
         "21 key E down\n 22 key B down\n 23 key E down\n"                  // E at full health does nothing
         "24 button 0 down\n 24 button 0 up\n",                             // no ammunition: no bolt, no light
         27);
    const std::vector<Seen>& seen = window.seen;
    ASSERT_EQ(seen.size(), 27u);
    EXPECT_EQ(seen[1].polygonMode, GL_FILL) << "the first press keeps polygons filled";
    EXPECT_EQ(seen[2].polygonMode, GL_LINE);
    EXPECT_EQ(seen[3].polygonMode, GL_FILL);

    EXPECT_EQ(seen[4].yaw, 0.0f) << "the first motion only records the pointer";
    EXPECT_EQ(seen[5].yaw, 0.0f) << "the edge wraps without turning";
    EXPECT_EQ(seen[6].yaw, 5.0f) << "the next motion turns from the wrapped position";

    EXPECT_EQ(seen[19].position.x, seen[6].position.x);
    EXPECT_EQ(seen[19].position.z, seen[6].position.z);

    EXPECT_EQ(seen[21].health, 5);
    EXPECT_EQ(seen[21].medikits, 1);
    EXPECT_EQ(seen[22].health, 4);
    EXPECT_EQ(seen[23].health, 5);
    EXPECT_EQ(seen[23].medikits, 0);

    EXPECT_FALSE(seen[24].bolt);
    EXPECT_FALSE(seen[24].boltLight);
}

// The command keys through the window's own handler: R reloads, V hides
// the HUD, T asks for full screen, Esc ends the run before its last frame.
TEST(MyWindow, CommandKeysReachThePlayerAndTheWindow) {
    ondra::test::TestApp app;
    SpyWindow window;
    Play(window, "1 key R down\n 2 key V down\n 3 key T down\n 5 key 27 down\n", 20);
    const std::vector<Seen>& seen = window.seen;
    ASSERT_GE(seen.size(), 5u);
    EXPECT_EQ(seen[0].ammo, 0);
    EXPECT_EQ(seen[1].ammo, 15);
    EXPECT_TRUE(seen[1].hud);
    EXPECT_FALSE(seen[2].hud);
    EXPECT_FALSE(seen[2].fullScreen);
    EXPECT_TRUE(seen[3].fullScreen);
    EXPECT_LE(window.FramesDrawn(), 6) << "Esc did not end the run";
}

TEST(MyWindow, AShotLightsTheBoltLightInTheTwoFramesDrawnNext) {
    ondra::test::TestApp app;
    SpyWindow window;
    window.startAmmo = 1;
    Play(window, "5 button 0 down\n 5 button 0 up\n", 9);
    const std::vector<Seen>& seen = window.seen;
    ASSERT_EQ(seen.size(), 9u);
    EXPECT_FALSE(seen[4].boltLight);
    EXPECT_TRUE(seen[5].bolt);
    EXPECT_TRUE(seen[5].boltLight);
    EXPECT_TRUE(seen[6].boltLight);
    EXPECT_FALSE(seen[7].boltLight);
}

}  // namespace
