// 3DS model costs on a writer-made model of about 60,000 triangles in four
// objects with two materials each (one textured) and smoothing groups:
//  - Load (trace sent to /dev/null) against plainly reading the file's
//    bytes, with triangles per second;
//  - a frame of Draw(DRAW_MATERIALS) from the model's display lists
//    against the same triangles in one display list compiled by hand, the
//    least a frame can cost; the two alternate, and the counters give each
//    one's milliseconds per frame and their ratio;
//  - Load of a file of N materials that each change their name, and one
//    object with N material groups, half of them naming a material by the
//    name it gave up: every lookup must stay as cheap as the first.
// Run it on an X display, for example:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/load3ds_bench
//       --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/quiet_stdout.h"
#include "framework/load3ds/chunk_ids.h"
#include "framework/image.h"
#include "framework/load3ds/load_warnings.h"
#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "framework/load3ds/writer/chunk_writer.h"
#include "framework/load3ds/writer/scene_writer.h"
#include "framework/platform/platform.h"

namespace {

using namespace ondra;

constexpr int kObjects = 4;
constexpr int kColumns = 88;  // quads per row
constexpr int kRows = 86;     // 2 * 88 * 86 = 15,136 triangles per object
constexpr int kTriangles = kObjects * kColumns * kRows * 2;
constexpr int kViewSize = 256;

// A wavy sheet; bands of rows alternate between two smoothing groups, so
// the seams between bands get normals of their own.
file3ds::Mesh Sheet(int index) {
    file3ds::Mesh mesh;
    mesh.name = "sheet" + std::to_string(index);
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c <= kColumns; ++c) {
            const float x = static_cast<float>(c) / kColumns;
            const float y = static_cast<float>(r) / kRows;
            mesh.vertices.push_back({x + index * 1.1f, y, 0.1f * std::sin(6 * x) * std::cos(5 * y)});
            mesh.texCoords.push_back({x, y});
        }
    const int stride = kColumns + 1;
    std::vector<uint16_t> lower, upper;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const uint16_t a = static_cast<uint16_t>(r * stride + c);
            const uint16_t b = static_cast<uint16_t>(a + 1);
            const uint16_t d = static_cast<uint16_t>(a + stride);
            const uint16_t e = static_cast<uint16_t>(d + 1);
            const uint32_t group = (r / 8) % 2 == 0 ? 1u : 2u;
            for (const file3ds::Face& f : {file3ds::Face{a, b, e, 6}, file3ds::Face{a, e, d, 3}}) {
                (r < kRows / 2 ? lower : upper).push_back(static_cast<uint16_t>(mesh.faces.size()));
                mesh.faces.push_back(f);
                mesh.smoothing.push_back(group);
            }
        }
    mesh.materialGroups = {{"painted", lower}, {"steel", upper}};
    return mesh;
}

struct BenchFiles {
    std::string model;
    std::string texture;
};

const BenchFiles& Files() {
    static const BenchFiles files = [] {
        const auto folder = std::filesystem::temp_directory_path() / ("ondra_bench3ds_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        BenchFiles f{(folder / "sheets.3ds").string(), (folder / "paint.bmp").string()};
        Image texture(64, 64, BGR);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) texture.SetPixel(x, y, (x * 4) & 255, 128, (y * 4) & 255);
        texture.Save(f.texture.c_str());

        file3ds::Scene scene;
        file3ds::Material painted;
        painted.name = "painted";
        painted.texture = file3ds::TextureMap{f.texture};
        file3ds::Material steel;
        steel.name = "steel";
        steel.diffuse = file3ds::Color{{0.6f, 0.6f, 0.7f}};
        steel.shininess = file3ds::Percent{30};
        scene.materials = {painted, steel};
        for (int i = 0; i < kObjects; ++i) scene.meshes.push_back(Sheet(i));
        std::string error;
        if (!file3ds::Save(scene, f.model, &error)) std::fprintf(stderr, "bench: %s\n", error.c_str());
        return f;
    }();
    return files;
}

// Sends standard output to /dev/null while it lives.
using ondra::bench::QuietStdout;

void LoadModel(benchmark::State& state) {
    const std::string& path = Files().model;
    QuietStdout quiet;
    for (auto _ : state) {
        Model model;
        if (!model.Load(path.c_str())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(model.GetData().objects.data());
    }
    state.counters["triangles/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kTriangles, benchmark::Counter::kIsRate);
}
BENCHMARK(LoadModel)->Unit(benchmark::kMillisecond);

// The floor of loading: the file's bytes read into memory.
void ReadFileBytes(benchmark::State& state) {
    const std::string& path = Files().model;
    std::vector<char> bytes(std::filesystem::file_size(path));
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
}
BENCHMARK(ReadFileBytes)->Unit(benchmark::kMillisecond);

// N materials named "old<i>" and then "new<i>", and a one-face object
// whose N groups name "old<i>" and "new<i>" in turn.
std::string RenamedMaterialsFile(int count) {
    namespace id = chunk3ds;
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kMeshData);
    for (int i = 0; i < count; ++i) {
        w.Begin(id::kMaterial);
        w.Begin(id::kMatName);
        w.String("old" + std::to_string(i));
        w.End();
        w.Begin(id::kMatName);
        w.String("new" + std::to_string(i));
        w.End();
        w.End();
    }
    w.Begin(id::kNamedObject);
    w.String("groups");
    w.Begin(id::kTriangleMesh);
    w.Begin(id::kVertexList);
    w.Word(3);
    for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) w.Float(f);
    w.End();
    w.Begin(id::kFaceList);
    w.Word(1);
    for (uint16_t v : {0, 1, 2, 7}) w.Word(v);
    for (int i = 0; i < count; ++i) {
        w.Begin(id::kFaceMaterial);
        w.String((i % 2 == 0 ? "old" : "new") + std::to_string(i));
        w.Word(1);
        w.Word(0);
        w.End();
    }
    w.End();
    w.End();
    w.End();
    w.End();
    w.End();
    const std::string path =
        (std::filesystem::path(Files().model).parent_path() / ("renamed" + std::to_string(count) + ".3ds")).string();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fwrite(w.Data().data(), 1, w.Size(), file);
        std::fclose(file);
    }
    return path;
}

void LoadRenamedMaterials(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string path = RenamedMaterialsFile(count);
    QuietStdout quiet;
    for (auto _ : state) {
        Model model;
        if (!model.Load(path.c_str())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(model.GetData().objects.data());
    }
    state.counters["groups/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * count, benchmark::Counter::kIsRate);
}
BENCHMARK(LoadRenamedMaterials)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One window and model shared by the drawing benchmarks.
struct DrawScene {
    platform::Window* window = nullptr;
    Model model;
    bool ok = false;

    DrawScene() {
        platform::WindowDesc desc;
        desc.width = kViewSize;
        desc.height = kViewSize;
        desc.format.depthBits = 24;
        ok = platform::CreateWindow(desc, window) == platform::CreateResult::kOk && platform::MakeCurrent(window);
        if (!ok) return;
        QuietStdout quiet;
        ok = model.Load(Files().model.c_str());
    }

    void BeginFrame() const {
        glViewport(0, 0, kViewSize, kViewSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.1, 4.5, -1.5, 2.5, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

DrawScene& Scene() {
    static DrawScene scene;
    return scene;
}

// Wall-clock seconds of one frame drawn by `draw`, the GL pipeline drained
// before and after.
template <typename Draw>
double TimeFrame(const DrawScene& scene, Draw draw) {
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    scene.BeginFrame();
    draw();
    glFinish();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// All triangles of the model, as placed, in a single list, grouped by
// material so that each material's state is set once: what a frame of
// this model cannot beat. The textures are uploaded beforehand into
// `textures`, one per material.
GLuint CompileOneList(const ModelEx& ex, std::vector<GLuint>& textures) {
    textures.assign(ex.materials.size(), 0);
    glGenTextures(static_cast<GLsizei>(textures.size()), textures.data());
    for (size_t m = 0; m < ex.materials.size(); ++m) {
        glBindTexture(GL_TEXTURE_2D, textures[m]);
        ex.materials[m].UploadTexture();
    }
    glBindTexture(GL_TEXTURE_2D, 0);

    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (size_t m = 0; m < ex.materials.size(); ++m) {
        ex.materials[m].ApplyState();
        glBindTexture(GL_TEXTURE_2D, textures[m]);
        glBegin(GL_TRIANGLES);
        for (const ModelObject& object : ex.objects) {
            if (object.material != static_cast<int>(m)) continue;
            const float* p = object.glPlacement;
            for (const Face& f : object.faces)
                for (int k = 0; k < 3; ++k) {
                    const Vec2 t = object.TexCoordOf(f.vertex[k]);
                    const Vec3& n = object.normals[f.normal[k]];
                    const Vec3& v = object.vertices[f.vertex[k]];
                    glTexCoord2f(t.u, t.v);
                    glNormal3f(n.x, n.y, n.z);
                    glVertex3f(v.x + p[12], v.y + p[13], v.z + p[14]);
                }
        }
        glEnd();
    }
    glEndList();
    return list;
}

// The model's frame and the limit's frame alternate, so that both see the
// same machine; the iteration time is the pair's.
void DrawModelAgainstOneList(benchmark::State& state) {
    DrawScene& scene = Scene();
    if (!scene.ok) {
        state.SkipWithError("no GL window");
        return;
    }
    std::vector<GLuint> textures;
    const GLuint list = CompileOneList(scene.model.GetData(), textures);
    auto drawModel = [&scene] { scene.model.Draw(DRAW_MATERIALS); };
    auto drawList = [list] { glCallList(list); };
    TimeFrame(scene, drawModel);  // compiles the model's lists
    TimeFrame(scene, drawList);
    double modelSeconds = 0.0;
    double listSeconds = 0.0;
    for (auto _ : state) {
        modelSeconds += TimeFrame(scene, drawModel);
        listSeconds += TimeFrame(scene, drawList);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["model_ms"] = modelSeconds / frames * 1e3;
    state.counters["one_list_ms"] = listSeconds / frames * 1e3;
    state.counters["ratio"] = modelSeconds / listSeconds;
    glDeleteLists(list, 1);
    glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
}
BENCHMARK(DrawModelAgainstOneList)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    SetModelWarningStream(nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(Files().model).parent_path());
    return 0;
}
