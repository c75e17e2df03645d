// The cost of the framework's frame loop (idle step, Redraw, paint with
// clear and swap) against a raw Xlib/GLX loop doing the same clear and swap
// in a window of the same size. Run it on an X display, for example:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/framework_bench
//       --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
// Interleaving the two makes a busy machine slow both alike.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <memory>

#include "framework/glwindow.h"
#include "framework/main.h"
#include "framework/platform/baseline_loop.h"

namespace {

constexpr int kSize = 512;
constexpr int kFramesPerRun = 200;

// Closing this hidden main window ends a run of the loop while the drawing
// window stays on screen for the next run.
class StopperWindow : public ondra::GLWindow {
public:
    StopperWindow() {
        SetSize(1, 1);
        Hide();
    }
};

class FrameWindow : public ondra::GLWindow {
public:
    explicit FrameWindow(StopperWindow& stopper) : stopper_(stopper) {
        SetSize(kSize, kSize);
        // Beside the raw loop's window: an overlapped window would swap
        // fewer visible pixels and look faster than it is.
        SetPosition(kSize, 0);
    }
    void OnIdle() override { Redraw(); }
    void OnDisplay() override {
        glClear(GL_COLOR_BUFFER_BIT);
        SwapBuffers();
        if (++frames == kFramesPerRun) stopper_.Close();
    }
    int frames = 0;

private:
    StopperWindow& stopper_;
};

class BenchApp : public ondra::App {
public:
    StopperWindow stopper;
    FrameWindow window{stopper};
};

void FrameworkLoop(benchmark::State& state) {
    static BenchApp app;
    for (auto _ : state) {
        app.window.frames = 0;
        ondra::Main::Instance()->Execute(0, nullptr);
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFramesPerRun,
                                               benchmark::Counter::kIsRate);
}

void RawXlibLoop(benchmark::State& state) {
    static ondra::platform::BaselineLoop loop(kSize, kSize);
    if (!loop.ok()) {
        state.SkipWithError("no GLX visual");
        return;
    }
    for (auto _ : state) loop.RunFrames(kFramesPerRun);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFramesPerRun,
                                               benchmark::Counter::kIsRate);
}

BENCHMARK(RawXlibLoop)->Unit(benchmark::kMillisecond)->MinTime(0.5)->UseRealTime();
BENCHMARK(FrameworkLoop)->Unit(benchmark::kMillisecond)->MinTime(0.5)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
