// What the player hears of a small world, mixed into memory frame by frame
// as the game's --audio does: each change of the world is heard in the
// frame it happens, from where it happens (side, distance, walls between),
// a generator's hum ends with it, footsteps only while walking, and a
// frame costs no allocation once the sounds are under way.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <cstdlib>
#include <cmath>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "framework/audio/audio_device.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/generator.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/render/camera.h"
#include "game/run/audio_capture.h"
#include "game/level_file/sound_names.h"
#include "game/sound/sound_bank.h"
#include "game/sound/world_sounds.h"
#include "tests/support/scratch_folder.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Every allocation of the test program is counted, to find any a frame
// makes. GCC cannot see that the replaced new and delete pair malloc with
// free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

constexpr float kFrame = 0.02f;
constexpr size_t kFrameSamples = 882;  // 0.02 s at 44,100 Hz

struct Levels {
    double left = 0, right = 0;
    double Both() const { return std::sqrt(left * left + right * right); }
};

double Decibels(double level) { return 20 * std::log10(level + 1e-9); }

// One open 3 x 1 row of cells (x 0 to 9, z 0 to 3) and a closed cell
// south of its middle, walled all round; the ears at (1.5, 1.75, 1.5),
// looking east (+x), so north (-z) is on the left.
class WorldSoundsTest : public testing::Test {
protected:
    void SetUp() override {
        device = std::make_unique<ondra::AudioDevice>(ondra::AudioSettings{ondra::AudioOutput::kMemory, "", ""});
        if (!device->Audible()) FAIL() << "OpenAL Soft's memory output is needed: " << device->SilenceReason();
        level.Resize(2, 3);
        for (int column = 1; column <= 3; ++column) level.PlaceBlock(std::make_unique<Block>(1, column));
        auto closed = std::make_unique<Block>(2, 2);
        for (auto* side : {&closed->north, &closed->south, &closed->east, &closed->west})
            *side = std::make_unique<BlockPart>();
        level.PlaceBlock(std::move(closed));
        player.SetCamera(std::make_unique<Camera>(kEars, Vector3(1, 0, 0)));
        player.GetCamera()->lookAt = kEars + Vector3(1, 0, 0);
        player.position = kEars;
        sounds = std::make_unique<WorldSounds>(*device, ONDRA_DATA_DIR);
    }

    void Watch() { sounds->Watch({&player, &doors, &pickups, &enemies, &level}); }

    // One frame: the sounds follow the world, then the frame's samples.
    Levels Frame() {
        sounds->Update(kFrame);
        std::vector<int16_t> mix(2 * kFrameSamples);
        device->RenderSamples(mix.data(), kFrameSamples);
        Levels levels;
        for (size_t i = 0; i < kFrameSamples; ++i) {
            levels.left += double(mix[2 * i]) * mix[2 * i];
            levels.right += double(mix[2 * i + 1]) * mix[2 * i + 1];
        }
        return {std::sqrt(levels.left / kFrameSamples), std::sqrt(levels.right / kFrameSamples)};
    }

    // The loudest frame of the next `frames`.
    Levels Loudest(int frames) {
        Levels loudest;
        for (int i = 0; i < frames; ++i) {
            const Levels now = Frame();
            if (now.Both() > loudest.Both()) loudest = now;
        }
        return loudest;
    }

    static constexpr Vector3 kEars{1.5f, 1.75f, 1.5f};
    std::unique_ptr<ondra::AudioDevice> device;
    Level level{nullptr};
    LevelCollider collider;
    CObject doors, pickups, enemies, bolts;
    Player player{&level, &collider, nullptr, &bolts};
    std::unique_ptr<WorldSounds> sounds;
};

TEST_F(WorldSoundsTest, EachChangeIsHeardInTheFrameItHappens) {
    auto* door = new AutomaticDoor({4.5f, 1.5f, 1.5f}, 1.5f);
    door->orientation = kFacingEast;
    door->AttachTo(&doors);
    auto* locked = new LockedDoor({6.0f, 1.5f, 1.5f}, 1.5f);
    locked->orientation = kFacingEast;
    locked->AttachTo(&doors);
    auto* medikit = new Medikit(nullptr, 1.0f);
    medikit->position = {3.0f, 1.0f, 1.5f};
    medikit->AttachTo(&pickups);
    auto* creature = new Vorlax(nullptr, &collider, &level);
    creature->position = {5.0f, 1.0f, 1.5f};
    creature->AttachTo(&enemies);
    struct Change {
        const char* what;
        std::function<void()> make;
        int framesToSound;  // 1: in the frame of the change
    };
    const Change changes[] = {
        // As the game moves a door: the player's touch, then its step.
        {"a door starts to open", [&] { door->OnCollision(&player), door->Update(kFrame); }, 1},
        {"a door starts to shut", [&] { door->Update(kFrame); }, 1},
        {"a locked door refuses the player", [&] { ++locked->refusals; }, 1},
        {"a medikit is taken", [&] { medikit->taken = true; }, 1},
        {"the player fires", [&] { --player.ammo; }, 1},
        {"the player reloads", [&] { --player.clips; }, 3},  // it opens with a pause
        {"the player is hurt", [&] { --player.health; }, 1},
        {"the player uses a medikit", [&] { --player.medikits; }, 1},
        {"a creature shoots", [&] { creature->SpawnProjectile(); }, 1},
        {"a creature dies", [&] { creature->Kill(); }, 1},
    };
    player.ammo = player.clips = player.medikits = 3;
    Watch();
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        const Levels before = Loudest(1);
        change.make();
        const Levels after = Loudest(change.framesToSound);
        EXPECT_GT(after.Both(), 4 * before.Both() + 20) << "heard in time";
        Loudest(100);  // every sound has ended before the next
        EXPECT_LT(Frame().Both(), 1);
    }
}

// Where a sound comes from: the creature's death cry on the left against
// the right ear, near against far, in the open against behind a wall.
TEST_F(WorldSoundsTest, LevelsFollowWhereTheSoundIsMade) {
    auto heard = [&](Vector3 at) {
        CObject group;
        auto* creature = new Vorlax(nullptr, &collider, &level);
        creature->position = at;
        creature->AttachTo(&group);
        sounds->Watch({&player, &doors, &pickups, &group, &level});
        Frame();
        creature->Kill();
        const Levels loudest = Loudest(40);
        Loudest(100);
        return loudest;
    };
    const Levels left = heard({kEars.x, 1.0f, kEars.z - 2.0f});
    EXPECT_GE(Decibels(left.left) - Decibels(left.right), 6.0);
    const Levels right = heard({kEars.x, 1.0f, kEars.z + 1.0f});
    EXPECT_GE(Decibels(right.right) - Decibels(right.left), 6.0);
    const Levels near = heard({kEars.x + 3.0f, 1.0f, kEars.z});
    const Levels far = heard({kEars.x + 20.0f, 1.0f, kEars.z});
    EXPECT_GE(Decibels(near.Both()) - Decibels(far.Both()), 12.0);
    const Levels walledIn = heard({4.5f, 1.0f, 4.5f});
    const Levels open = heard({4.5f, 1.0f, -1.5f});
    EXPECT_GE(Decibels(open.Both()) - Decibels(walledIn.Both()), 5.0) << "the closed cell's wall lets less through";
}

// A door's travel takes 31 frames (the locked door's slab 61) and its
// sounds 70: once the sound of setting off has ended, a door at rest at
// either end is silent (the step past the end, set back the frame after,
// is no move).
TEST_F(WorldSoundsTest, ADoorIsSilentAtRestAtEitherEnd) {
    auto* sliding = new AutomaticDoor({4.5f, 1.5f, 1.5f}, 1.5f);
    auto* rising = new LockedDoor({6.0f, 1.5f, 1.5f}, 1.5f);
    rising->locked = false;
    const std::pair<const char*, Door*> doorKinds[] = {{"sliding", sliding}, {"rising", rising}};
    for (const auto& [kind, door] : doorKinds) {
        SCOPED_TRACE(kind);
        CObject group;
        door->orientation = kFacingEast;
        door->AttachTo(&group);
        sounds->Watch({&player, &group, &pickups, &enemies, &level});
        auto move = [&](bool touched, int frames) {
            Levels loudest;
            for (int i = 0; i < frames; ++i) {
                if (touched) door->OnCollision(&player);
                door->Update(kFrame);
                const Levels now = Frame();
                if (now.Both() > loudest.Both()) loudest = now;
            }
            return loudest;
        };
        EXPECT_GT(move(true, 75).Both(), 100) << "opening";
        EXPECT_LT(move(true, 30).Both(), 1) << "open";
        EXPECT_GT(move(false, 75).Both(), 100) << "shutting";
        EXPECT_LT(move(false, 30).Both(), 1) << "shut";
    }
}

TEST_F(WorldSoundsTest, AGeneratorHumsUntilItIsWrecked) {
    auto* generator = new Generator(nullptr, nullptr);
    generator->position = {4.5f, 0.0f, 1.5f};
    generator->AttachTo(&enemies);
    Watch();
    const Levels humming = Loudest(10);
    EXPECT_GT(humming.Both(), 100);
    // Fifteen frames of a bolt's touch wreck it.
    generator->radius = 3.0f;
    enemies.radius = 50.0f;
    BoltProjectile bolt{nullptr, &player, &level, &collider};
    bolt.position = generator->position;
    for (int hit = 0; hit < Generator::kHitPoints; ++hit) enemies.Collide(&bolt);
    ASSERT_TRUE(generator->Destroyed());
    Frame();
    Loudest(150);  // the wreck's own sound dies away
    EXPECT_LT(Frame().Both(), 1) << "the hum goes with the generator";
}

TEST_F(WorldSoundsTest, FootstepsOnlyWhileThePlayerWalks) {
    Watch();
    int heard = 0;
    for (int frame = 0; frame < 100; ++frame) {
        player.position.x += 0.06f;  // 3 units a second: a step every 0.53 s
        heard += Frame().Both() > 1 ? 1 : 0;
    }
    EXPECT_GT(heard, 10) << "walking";
    Loudest(50);
    for (int frame = 0; frame < 100; ++frame) EXPECT_LT(Frame().Both(), 1) << "standing, frame " << frame;
}

// Frames of a world full of sounds allocate nothing once under way.
TEST_F(WorldSoundsTest, AFrameAllocatesNothing) {
    auto* generator = new Generator(nullptr, nullptr);
    generator->position = {4.5f, 0.0f, 1.5f};
    generator->AttachTo(&enemies);
    AudioCapture capture;
    capture.Configure("unused.wav");
    Watch();
    for (int frame = 0; frame < 20; ++frame) {
        player.position.x += 0.06f;
        sounds->Update(kFrame);
        capture.AddFrame(device.get(), kFrame);
    }
    const long before = allocations;
    for (int frame = 0; frame < 200; ++frame) {
        player.position.x += frame < 100 ? 0.06f : -0.06f;
        --player.ammo;
        sounds->Update(kFrame);
        capture.AddFrame(device.get(), kFrame);
    }
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(capture.FramesOfSound(), 220 * 882);
}

// A data folder with broken sound files: each stays silent with its name
// and reason on standard error, and every other sound still plays.
TEST(SoundBankTest, ABrokenSoundFileStaysSilentAndSaysWhy) {
    ondra::AudioDevice device({ondra::AudioOutput::kMemory, "", ""});
    if (!device.Audible()) FAIL() << "OpenAL Soft's memory output is needed: " << device.SilenceReason();
    const ondra::test::ScratchFolder data;
    for (const game_sounds::SoundFile& file : game_sounds::kAllSounds)
        std::filesystem::copy_file(std::string(ONDRA_DATA_DIR) + "/" + file.name, data.File(file.name));
    struct Broken {
        const char* name;
        const char* content;  // null: the file is missing
    };
    const Broken broken[] = {
        {game_sounds::kShot, nullptr},
        {game_sounds::kDoorOpen, "RIFF"},
        {game_sounds::kReload, "this is no sound at all, only words"},
        {game_sounds::kGeneratorHum, ""},
    };
    for (const Broken& b : broken) {
        std::filesystem::remove(data.File(b.name));
        if (b.content) std::ofstream(data.File(b.name), std::ios::binary) << b.content;
    }
    testing::internal::CaptureStderr();
    const SoundBank bank(device, data.Path());
    const std::string said = testing::internal::GetCapturedStderr();
    for (const game_sounds::SoundFile& file : game_sounds::kAllSounds) {
        bool isBroken = false;
        for (const Broken& b : broken) isBroken = isBroken || std::string(b.name) == file.name;
        EXPECT_EQ(bank.Get(file.name) == nullptr, isBroken) << file.name;
        EXPECT_EQ(said.find(data.File(file.name)) != std::string::npos, isBroken) << file.name << "\n" << said;
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), long(std::size(broken))) << said;
}

}  // namespace
