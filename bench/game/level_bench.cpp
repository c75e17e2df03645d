// The level at the size of the game's own map: drawing every block with all
// six faces from a fixed eye (GL culling on, as in the game; no block is
// skipped) against a bare clear and swap in the same window, and the
// collider's wall query and one player update in nanoseconds. Run it on an
// X display:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/game_level_bench
//       --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/platform/platform.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/render/gl_lights.h"
#include "game/render/texture_cache.h"

namespace {

namespace platform = ondra::platform;

constexpr int kView = 512;

// The "mapsize" of the game's map; 14 x 14 if it cannot be read.
void MapSize(int& rows, int& columns) {
    rows = columns = 14;
    std::ifstream map(std::string(ONDRA_DATA_DIR) + "/map.txt");
    std::string token;
    while (map >> token) {
        if (token == "mapsize") {
            map >> rows >> columns;
            return;
        }
    }
}

// A level of the map's size in which every block has all six faces.
void FillLevel(Level& level, int textureId) {
    int rows = 0, columns = 0;
    MapSize(rows, columns);
    level.Resize(rows, columns);
    level.SetBlockSize(3);
    const FaceLists& lists = level.FaceListNames();
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            auto block = std::make_unique<Block>(r, c);
            block->floor = std::make_unique<FloorTile>(lists.floor);
            block->ceiling = std::make_unique<Ceiling>(lists.ceiling);
            block->north = std::make_unique<Wall>(lists.wall);
            block->south = std::make_unique<Wall>(lists.wall);
            block->east = std::make_unique<Wall>(lists.wall);
            block->west = std::make_unique<Wall>(lists.wall);
            for (BlockPart* face : {block->floor.get(), block->ceiling.get(), block->north.get(),
                                    block->south.get(), block->east.get(), block->west.get()}) {
                face->textureId = textureId;
            }
            level.PlaceBlock(std::move(block));
        }
    }
}

// A shown window of the game's size with its context current, for the
// whole program: both frame benchmarks swap the same buffers.
struct BenchWindow {
    BenchWindow() {
        platform::WindowDesc desc;
        desc.width = kView;
        desc.height = kView;
        desc.title = "level bench";
        desc.format.depthBits = 24;
        ok = platform::CreateWindow(desc, window) == platform::CreateResult::kOk && platform::MakeCurrent(window);
        if (!ok) return;
        platform::ShowWindow(window, true);
        glViewport(0, 0, kView, kView);
    }
    platform::Window* window = nullptr;
    bool ok = false;
};

BenchWindow& Window() {
    static BenchWindow window;
    return window;
}

void EndFrame() {
    platform::SwapBuffers(Window().window);
    glFinish();
}

void ClearAndSwap(benchmark::State& state) {
    if (!Window().ok) return state.SkipWithError("no GL window");
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        EndFrame();
    }
}

// The game's frame state: depth test, culling, one white-lit material.
void SetUpScene() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(gl_lights::kSun);
    const float white[4] = {1, 1, 1, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
}

void DrawLevel(benchmark::State& state) {
    if (!Window().ok) return state.SkipWithError("no GL window");
    namespace fs = std::filesystem;
    TextureCache textures(50);
    const fs::path previous = fs::current_path();
    fs::current_path(ONDRA_DATA_DIR);
    const bool loaded = textures.Load("wallpanel.jpg");
    fs::current_path(previous);
    if (!loaded) return state.SkipWithError("no wallpanel.jpg in the data folder");
    Level level(&textures);
    level.BuildFaceLists(1.0f);
    FillLevel(level, textures.Lookup("wallpanel.jpg"));
    SetUpScene();
    // In the corner block, looking diagonally across the whole compound.
    Camera camera(Vector3(1.5f, 1.75f, 1.5f), Vector3(1, 0, 1));
    camera.yaw = 45.0f;
    camera.Update(0.0f);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadGameProjection(1.0);
        camera.Apply();
        level.Draw();
        EndFrame();
    }
    state.counters["blocks"] = static_cast<double>(level.Rows() * level.Columns());
}

void IsWallHit(benchmark::State& state) {
    Level level(nullptr);
    FillLevel(level, 0);
    const LevelCollider collider;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> across(-1.0f, 3.0f * level.Columns() + 1.0f);
    std::uniform_real_distribution<float> height(-0.5f, 3.5f);
    std::vector<Vector3> positions(4096);
    for (Vector3& p : positions) p = Vector3(across(random), height(random), across(random));
    size_t i = 0;
    for (auto _ : state) {
        Vector3 normal;
        benchmark::DoNotOptimize(collider.IsWallHit(positions[i++ & 4095], level, normal));
        benchmark::DoNotOptimize(normal);
    }
}

// Walking round in a circle inside an open level with the forward key held.
void PlayerUpdate(benchmark::State& state) {
    Level level(nullptr);
    level.Resize(14, 14);
    LevelCollider collider;
    CObject bolts;
    Player player(&level, &collider, nullptr, &bolts);
    player.SetCamera(std::make_unique<Camera>(Vector3(21, 1.75f, 21), Vector3(1, 0, 0)));
    Camera& camera = *player.GetCamera();
    for (auto _ : state) {
        camera.velocity.z += 0.6f;
        camera.yaw += 0.5f;
        player.Update(1.0f / 60.0f);
        benchmark::DoNotOptimize(player.position);
    }
}

BENCHMARK(ClearAndSwap)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(DrawLevel)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(IsWallHit);
BENCHMARK(PlayerUpdate);

}  // namespace

BENCHMARK_MAIN();
