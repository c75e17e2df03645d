// A block crowded with medikits on one wall, as a hostile map may list them:
// the game's load of the map (the placement of each and its making) with
// 50,000 and 200,000 of them, and a whole frame with 20,000 in view, culled
// as the game draws it (one of the stack drawn) against the plain frame
// that draws each. The load and the culled frame grow with the map and
// with what is drawn, not with the square of the crowd. Run it on an X
// display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/game_crowd_bench
//       --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/quiet_stdout.h"
#include "game/render/camera.h"
#include "game/world/game_frame.h"
#include "game/world/gl_state.h"
#include "game/world/map_loader.h"
#include "game/world/world.h"
#include "tests/support/gl_context.h"

namespace {

namespace fs = std::filesystem;

constexpr int kView = 512;

// One block with a north wall and `count` medikits, in the system's
// temporary folder; the models are the data folder's.
std::string CrowdedMap(int count) {
    const std::string path = (fs::temp_directory_path() / ("crowd_bench_" + std::to_string(count) + ".txt")).string();
    std::ofstream map(path);
    map << "mapsize 1 1 blocksize 3 models { medikit.3DS emptykit.3DS }\n"
           "block 1 1 { floor { NORMAL_FLOOR } north { WALL } liveobjects {\n";
    for (int i = 0; i < count; ++i) map << "MEDIKIT { }\n";
    map << "} }\n";
    return path;
}

// Loads the map into `world` from the data folder; false when it fails.
bool Load(const std::string& map, World& world) {
    const fs::path previous = fs::current_path();
    fs::current_path(ONDRA_DATA_DIR);
    ondra::bench::QuietStdout quiet;  // the 3DS reader's trace
    world.level.BuildFaceLists(1.0f);
    LampCounter lamps;
    const bool loaded = LoadMap(map, world, lamps);
    fs::current_path(previous);
    return loaded;
}

void LoadCrowd(benchmark::State& state) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) return state.SkipWithError("no GL context");
    const std::string map = CrowdedMap(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();  // the world's making and end are not the load's
        auto world = std::make_unique<World>();
        state.ResumeTiming();
        const bool loaded = Load(map, *world);
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
        if (!loaded) state.SkipWithError("the map did not load");
    }
    fs::remove(map);
}

void FrameWithCrowdInView(benchmark::State& state, bool cull) {
    ondra::test::ScopedGLContext context(kView, kView);
    if (!context.ok()) return state.SkipWithError("no GL context");
    const std::string map = CrowdedMap(20000);
    World world;
    if (!Load(map, world)) return state.SkipWithError("the map did not load");
    fs::remove(map);
    SetUpGameGl();
    GameFrame frame(world);
    frame.Prepare();
    frame.SetCulling(cull);
    Camera& camera = *world.player->GetCamera();
    camera.position = world.player->position = Vector3(1.5f, 1.75f, 2.5f);
    camera.yaw = -90.0f;  // facing the north wall
    glViewport(0, 0, kView, kView);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        frame.Run(0.0f, 1.0f);
        glFinish();
    }
    state.counters["drawn"] = static_cast<double>(frame.ObjectsDrawn());
}

void CulledFrame(benchmark::State& state) { FrameWithCrowdInView(state, true); }
void WholeFrame(benchmark::State& state) { FrameWithCrowdInView(state, false); }

}  // namespace

BENCHMARK(LoadCrowd)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CulledFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeFrame)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
