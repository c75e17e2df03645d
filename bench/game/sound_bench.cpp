// The sound's share of a frame: the world's sounds followed (the listener,
// every watched object, the hums through the walls between) and the
// frame's samples mixed into memory as --audio does, on a level of the
// map's size with its count of creatures, generators and doors, the
// player walking and firing. --mute does none of this, so this is what
// sound adds to a frame of the route (0.025 s, 1,102 or 1,103 samples).
//   build/bench/game_sound_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/audio/audio_device.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/automatic_door.h"
#include "game/objects/generator.h"
#include "game/objects/locked_door.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/render/camera.h"
#include "game/run/audio_capture.h"
#include "game/sound/world_sounds.h"

namespace {

constexpr float kFrame = 0.025f;
constexpr int kSide = 14;  // the map's size
constexpr int kCreatures = 5, kGenerators = 3, kDoors = 8;

// Every block walled on its north and west sides, so that a sound across
// the level passes a wall every cell or two.
struct SoundWorld {
    SoundWorld() {
        level.Resize(kSide, kSide);
        for (int row = 1; row <= kSide; ++row)
            for (int column = 1; column <= kSide; ++column) {
                auto block = std::make_unique<Block>(row, column);
                if ((row + column) % 2 == 0) block->north = std::make_unique<BlockPart>();
                if (row % 3 == 0) block->west = std::make_unique<BlockPart>();
                level.PlaceBlock(std::move(block));
            }
        for (int i = 0; i < kCreatures; ++i) {
            auto* creature = new Vorlax(nullptr, &collider, &level);
            creature->position = {4.5f + 7.0f * i, 1.0f, 37.5f - 6.0f * i};
            creature->AttachTo(&enemies);
        }
        for (int i = 0; i < kGenerators; ++i) {
            auto* generator = new Generator(nullptr, nullptr);
            generator->position = {7.5f + 12.0f * i, 0.0f, 10.5f + 9.0f * i};
            generator->AttachTo(&enemies);
        }
        for (int i = 0; i < kDoors; ++i) {
            Door* door = i % 2 ? static_cast<Door*>(new LockedDoor({6.0f * i, 1.5f, 4.5f}, 1.5f))
                               : new AutomaticDoor({6.0f * i, 1.5f, 4.5f}, 1.5f);
            door->orientation = kFacingEast;
            door->AttachTo(&doors);
        }
        player.SetCamera(std::make_unique<Camera>(Vector3(1.5f, 1.75f, 1.5f), Vector3(1, 0, 0)));
        player.ammo = 1 << 30;
    }

    Level level{nullptr};
    LevelCollider collider;
    CObject doors, pickups, enemies, bolts;
    Player player{&level, &collider, nullptr, &bolts};
};

void SoundFrame(benchmark::State& state) {
    SoundWorld world;
    ondra::AudioDevice device({ondra::AudioOutput::kMemory, "", ""});
    if (!device.Audible()) {
        state.SkipWithError("no memory output: OpenAL Soft is needed");
        return;
    }
    WorldSounds sounds(device, ONDRA_DATA_DIR);
    sounds.Watch({&world.player, &world.doors, &world.pickups, &world.enemies, &world.level});
    AudioCapture capture;
    long frame = 0;
    for (auto _ : state) {
        // Walking along the level and back, firing now and then.
        Camera& camera = *world.player.GetCamera();
        camera.position.x = 1.5f + 0.1f * static_cast<float>(frame % 300);
        camera.lookAt = camera.position + Vector3(1, 0, 0);
        world.player.position = camera.position;
        if (frame % 20 == 0) --world.player.ammo;
        sounds.Update(kFrame);
        // Configured anew now and then, so the capture never outgrows its
        // first allocation.
        if (frame % 2000 == 0) capture.Configure("unused.wav");
        capture.AddFrame(&device, kFrame);
        ++frame;
    }
}
BENCHMARK(SoundFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
