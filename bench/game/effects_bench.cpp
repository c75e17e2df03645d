// Particle updates per particle, against a plain loop that moves as many
// positions.
#include <benchmark/benchmark.h>

#include <vector>

#include "game/effects/bolt_trail.h"
#include "game/effects/flame.h"

namespace {

// A step short enough that a flame loses almost nothing per update; the
// system is refilled (outside the timing) once a tenth has died.
constexpr float kTinyStep = 1e-6f;

void ReportPerParticle(benchmark::State& state, long long particleUpdates) {
    state.counters["per_particle"] = benchmark::Counter(
        static_cast<double>(particleUpdates), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PlainMoveLoop(benchmark::State& state) {
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
BENCHMARK(BM_PlainMoveLoop)->Arg(250);

void BM_FlameUpdate(benchmark::State& state) {
    Flame flame(static_cast<int>(state.range(0)), Vector3(0, 0, 0), 0.5f, 0);
    long long particleUpdates = 0;
    for (auto _ : state) {
        particleUpdates += flame.LiveCount();
        flame.Update(kTinyStep);
        if (flame.LiveCount() < flame.MaxParticles() * 9 / 10) {
            state.PauseTiming();
            flame.Init();
            flame.Emit(flame.MaxParticles());
            state.ResumeTiming();
        }
    }
    ReportPerParticle(state, particleUpdates);
}
BENCHMARK(BM_FlameUpdate)->Arg(250);

}  // namespace
