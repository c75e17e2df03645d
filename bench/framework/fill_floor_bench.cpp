// The fill floor: the least any textured view of a window can cost. One
// quad covers the whole window in a perspective view, textured with a
// mipmapped 256 x 256 texture under GL's default filters with the depth test
// on, then clear and swap, on a raw Xlib/GLX loop with no framework in the
// way. A bare clear and swap in the same window runs beside it. A software
// renderer is bound by pixel fill, so a game frame is best judged as a
// multiple of this floor, measured in the same run.
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/fill_floor_bench
//       --size=1024x768 --benchmark_repetitions=9
//       --benchmark_report_aggregates_only=true
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/platform/baseline_loop.h"

namespace {

constexpr int kTextureSide = 256;

int gWidth = 512;
int gHeight = 512;

// Reads and removes our own "--size=WxH" before Google Benchmark sees the
// arguments.
bool TakeSizeArgument(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--size=", 7) != 0) continue;
        if (std::sscanf(argv[i] + 7, "%dx%d", &gWidth, &gHeight) != 2 || gWidth < 16 || gHeight < 16) {
            std::fprintf(stderr, "fill_floor_bench: --size wants WxH, each at least 16\n");
            return false;
        }
        for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
        --argc;
        --i;
    }
    return true;
}

ondra::platform::BaselineLoop& Loop() {
    static ondra::platform::BaselineLoop loop(gWidth, gHeight);
    return loop;
}

// A noisy pattern, so that no texel cache sees one flat colour.
void MakeTexture() {
    std::vector<unsigned char> texels(kTextureSide * kTextureSide * 3);
    unsigned seed = 12345;
    for (unsigned char& texel : texels) {
        seed = seed * 1103515245u + 12345u;
        texel = static_cast<unsigned char>(seed >> 16);
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, kTextureSide, kTextureSide, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
}

// The quad stands one unit in front of the eye and spans the whole view of
// a 90-degree frustum, repeating the texture so that it is sampled near its
// full size, as the game's walls are.
void SetUpFillState() {
    glViewport(0, 0, gWidth, gHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, static_cast<double>(gWidth) / gHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    MakeTexture();
}

void ClearBoth() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void DrawFillQuad() {
    // Waits for the previous swap, so each frame's fill is counted in full.
    glFinish();
    ClearBoth();
    const float x = static_cast<float>(gWidth) / static_cast<float>(gHeight);
    const float repeats = static_cast<float>(gWidth) / kTextureSide;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-x, -1, -1);
    glTexCoord2f(repeats, 0);
    glVertex3f(x, -1, -1);
    glTexCoord2f(repeats, repeats / x);
    glVertex3f(x, 1, -1);
    glTexCoord2f(0, repeats / x);
    glVertex3f(-x, 1, -1);
    glEnd();
}

// One benchmark iteration is one frame, so the times read as frame times.
void ClearAndSwap(benchmark::State& state) {
    if (!Loop().ok()) return state.SkipWithError("no GLX visual");
    for (auto _ : state) {
        Loop().RunFrames(1, [] {
            glFinish();
            ClearBoth();
        });
    }
}

void FillFloor(benchmark::State& state) {
    if (!Loop().ok()) return state.SkipWithError("no GLX visual");
    static const bool ready = (SetUpFillState(), true);
    (void)ready;
    for (auto _ : state) Loop().RunFrames(1, DrawFillQuad);
}

BENCHMARK(ClearAndSwap)->Unit(benchmark::kMillisecond)->MinTime(0.5)->UseRealTime();
BENCHMARK(FillFloor)->Unit(benchmark::kMillisecond)->MinTime(0.5)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (!TakeSizeArgument(argc, argv)) return 2;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
