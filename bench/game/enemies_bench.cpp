// One frame of the enemy group as the game runs it (the collision phase
// against the player, the update and the draw) with the map's count of
// creatures and generators and all their effects, against the same frame
// with the group empty. The player stands where every creature sees it, so
// they turn, charge and shoot. Run it on an X display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/game_enemies_bench
//       --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/quiet_stdout.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/render/camera.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"
#include "tests/support/gl_context.h"

namespace {

constexpr int kView = 512;
constexpr float kFrame = 1.0f / 60.0f;

// How often a word stands in the game's map.
int CountInMap(const std::string& word) {
    std::ifstream map(std::string(ONDRA_DATA_DIR) + "/map.txt");
    std::string token;
    int count = 0;
    while (map >> token) count += token == word;
    return count;
}

// The world the enemy group lives in, loaded once for every benchmark.
struct World {
    World() {
        namespace fs = std::filesystem;
        const fs::path previous = fs::current_path();
        fs::current_path(ONDRA_DATA_DIR);
        {
            ondra::bench::QuietStdout quiet;  // the 3DS reader's trace
            for (const char* name : {"flame.jpg", "gunflare.jpg", "flarered.jpg", "storm.jpg", "lightning.jpg"})
                loaded &= textures.Load(name);
            for (const char* name : {"vorlax.3DS", "deadvorl.3DS", "genbase.3DS", "gendead.3DS", "gencore.3DS"})
                loaded &= models.Load(name);
        }
        fs::current_path(previous);
        level.Resize(14, 14);
        player.SetCamera(std::make_unique<Camera>(Vector3(21, 1.75f, 21), Vector3(1, 0, 0)));
        player.position = Vector3(21, 1.75f, 21);
        enemies.position = Vector3(21, 1.5f, 21);
        enemies.radius = 42;
    }

    // Creatures and generators on a ring around the player, all in sight.
    void Populate(int creatures, int generators) {
        const int total = creatures + generators;
        for (int i = 0; i < total; ++i) {
            const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(total);
            const Vector3 at(21 + 6 * std::cos(angle), 0, 21 + 6 * std::sin(angle));
            if (i < creatures) {
                auto* creature = new Vorlax(&textures, &collider, &level);
                creature->position = Vector3(at.x, 2.0f, at.z);
                creature->radius = 10.0f;
                auto* mesh = new VorlaxMesh(&models, &textures, &player);
                mesh->position = creature->position;
                mesh->AttachTo(creature);
                creature->AttachTo(&enemies);
            } else {
                auto* generator = new Generator(&models, &textures);
                generator->position = at;
                generator->radius = 3.0f;
                auto* core = new GeneratorCore(&models, &textures);
                core->position = Vector3(at.x, 2.15f, at.z);
                core->radius = 1.0f;
                core->AttachTo(generator);
                generator->AttachTo(&enemies);
            }
        }
    }

    void Clear() {
        while (enemies.HasChild()) delete enemies.FirstChild();
    }

    void Frame() {
        enemies.Collide(&player);
        enemies.UpdateTree(kFrame);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadGameProjection(1.0);
        // From above, so every creature and generator is in the picture.
        gluLookAt(21, 14, 28, 21, 0, 21, 0, 1, 0);
        enemies.DrawTree();
        glFinish();
    }

    ondra::test::ScopedGLContext context{kView, kView};
    TextureCache textures{50};
    ModelCache models;
    Level level{&textures};
    LevelCollider collider;
    CObject bolts;
    Player player{&level, &collider, &textures, &bolts};
    CObject enemies;
    bool loaded = true;
};

World& TheWorld() {
    static World world;
    return world;
}

void RunFrames(benchmark::State& state, int creatures, int generators) {
    World& world = TheWorld();
    if (!world.context.ok()) return state.SkipWithError("no GL context");
    if (!world.loaded) return state.SkipWithError("the game's data could not be loaded");
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    world.Populate(creatures, generators);
    {
        ondra::bench::QuietStdout quiet;  // projectiles print where they are
        for (auto _ : state) world.Frame();
    }
    world.Clear();
}

void EmptyGroup(benchmark::State& state) { RunFrames(state, 0, 0); }

void MapEnemies(benchmark::State& state) {
    const int creatures = CountInMap("VORLAX");
    const int generators = CountInMap("GENERATOR");
    RunFrames(state, creatures, generators);
    state.counters["creatures"] = creatures;
    state.counters["generators"] = generators;
}

BENCHMARK(EmptyGroup)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(MapEnemies)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
