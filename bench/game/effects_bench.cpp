// Particle effects at the sizes the game uses: one update plus render of a
// full system, and the update alone per particle, each against a plain loop
// that moves as many positions.
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "framework/image.h"
#include "game/effects/bolt_trail.h"
#include "game/effects/electricity.h"
#include "game/effects/flame.h"
#include "game/effects/lightning.h"
#include "game/render/texture_cache.h"
#include "tests/support/gl_context.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;
// So short that a system loses almost nothing per update.
constexpr float kTinyStep = 1e-6f;
constexpr int kView = 256;

GLuint whiteTexture = 0;
// The crackles look their textures up by name; the bench fills it with
// plain pictures under their names.
std::unique_ptr<TextureCache> crackleTextures;

using Factory = std::function<std::unique_ptr<CParticleSystem>()>;

void ReportPerParticle(benchmark::State& state, long long particleUpdates) {
    state.counters["per_particle"] = benchmark::Counter(
        static_cast<double>(particleUpdates), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Full again, from a fixed seed, with the particles born dead already gone.
void Refill(CParticleSystem& system) {
    system.Init();
    std::srand(1);
    system.Emit(system.MaxParticles());
    system.Update(0.0f);
}

void SetUpView() {
    glViewport(0, 0, kView, kView);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 4, 0, 0, 0, 0, 1, 0);
}

void PlainMove(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::vector<Vector3> positions(count, Vector3(0, 0, 0));
    std::vector<Vector3> velocities(count, Vector3(0.1f, 1.0f, -0.1f));
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) positions[i] += velocities[i] * kTinyStep;
        benchmark::DoNotOptimize(positions.data());
        benchmark::ClobberMemory();
    }
    ReportPerParticle(state, static_cast<long long>(state.iterations()) * count);
}

void UpdateOnly(benchmark::State& state, const Factory& make) {
    std::unique_ptr<CParticleSystem> system = make();
    Refill(*system);
    const int full = system->LiveCount();
    long long particleUpdates = 0;
    for (auto _ : state) {
        particleUpdates += system->LiveCount();
        system->Update(kTinyStep);
        if (system->LiveCount() < full * 9 / 10) {
            state.PauseTiming();
            Refill(*system);
            state.ResumeTiming();
        }
    }
    ReportPerParticle(state, particleUpdates);
}

// A cleared frame finished by the GL: what a frame costs without the effect.
void EmptyFrame(benchmark::State& state) {
    ondra::test::ScopedGLContext context(kView, kView);
    if (!context.ok()) return state.SkipWithError("no GL context");
    SetUpView();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    }
}

// Writes the crackles' pictures into a scratch folder and loads them from
// there, under the bare names the effects ask for.
bool LoadCrackleTextures() {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path scratch = fs::temp_directory_path() / "game-effects-bench";
    std::error_code error;
    fs::create_directories(scratch, error);
    fs::current_path(scratch, error);
    if (error) return false;
    ondra::Image picture(16, 16, ondra::BGR);
    picture.Fill(200, 200, 255);
    crackleTextures = std::make_unique<TextureCache>(50);
    const bool loaded = picture.Save("storm.jpg") && picture.Save("lightning.jpg") &&
                        crackleTextures->Load("storm.jpg") && crackleTextures->Load("lightning.jpg");
    fs::current_path(previous, error);
    fs::remove_all(scratch, error);
    return loaded;
}

void UpdateAndRender(benchmark::State& state, const Factory& make) {
    ondra::test::ScopedGLContext context(kView, kView);
    if (!context.ok()) return state.SkipWithError("no GL context");
    if (!LoadCrackleTextures()) return state.SkipWithError("cannot make the crackle textures");
    SetUpView();
    glGenTextures(1, &whiteTexture);
    glBindTexture(GL_TEXTURE_2D, whiteTexture);
    const unsigned char white[4] = {255, 255, 255, 128};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    std::unique_ptr<CParticleSystem> system = make();
    for (auto _ : state) {
        state.PauseTiming();
        Refill(*system);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        state.ResumeTiming();
        system->Update(kFrame);
        system->Render();
        glFinish();
    }
    glDeleteTextures(1, &whiteTexture);
    crackleTextures.reset();
}

std::unique_ptr<CParticleSystem> MakeFlame() {
    return std::make_unique<Flame>(250, Vector3(0, 0, 0), 0.5f, whiteTexture);
}
std::unique_ptr<CParticleSystem> MakeLightning() {
    return std::make_unique<Lightning>(500, Vector3(0, 0, 0), 0.5f, crackleTextures.get());
}
std::unique_ptr<CParticleSystem> MakeElectricity() {
    return std::make_unique<Electricity>(500, Vector3(0, 0, 0), 0.5f, crackleTextures.get());
}
std::unique_ptr<CParticleSystem> MakeSparks() {
    return std::make_unique<BoltTrail>(30, Vector3(0, 0, 0), Vector3(0, -2, 0), 1.0f, whiteTexture);
}

BENCHMARK(PlainMove)->Name("baseline/plain_move")->Arg(30)->Arg(250)->Arg(500);
BENCHMARK_CAPTURE(UpdateOnly, flame_250, MakeFlame);
BENCHMARK_CAPTURE(UpdateOnly, lightning_500, MakeLightning);
BENCHMARK_CAPTURE(UpdateOnly, electricity_500, MakeElectricity);
BENCHMARK_CAPTURE(UpdateOnly, sparks_30, MakeSparks);
BENCHMARK(EmptyFrame)->Name("baseline/empty_frame")->UseRealTime();
BENCHMARK_CAPTURE(UpdateAndRender, flame_250, MakeFlame)->UseRealTime();
BENCHMARK_CAPTURE(UpdateAndRender, lightning_500, MakeLightning)->UseRealTime();
BENCHMARK_CAPTURE(UpdateAndRender, electricity_500, MakeElectricity)->UseRealTime();
BENCHMARK_CAPTURE(UpdateAndRender, sparks_30, MakeSparks)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
