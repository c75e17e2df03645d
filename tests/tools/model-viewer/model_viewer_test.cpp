// model-viewer end to end: --info without a display, exit statuses, and a
// screenshot of a textured, multi-material model.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/image.h"
#include "framework/load3ds/writer/scene_writer.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"

namespace ondra {
namespace {

namespace fs = std::filesystem;

const char* const kViewer = MODEL_VIEWER_PATH;

fs::path Folder() {
    // One folder for the whole test process, removed when it ends.
    static const test::ScratchFolder folder;
    return folder.Path();
}

// A crate: a box whose sides are textured with a checker board, and a red
// roof pyramid in a second material.
file3ds::Scene Crate() {
    file3ds::Scene scene;
    file3ds::Material wood;
    wood.name = "wood";
    wood.texture = file3ds::TextureMap{"checker.bmp"};
    file3ds::Material roof;
    roof.name = "roof";
    roof.ambient = file3ds::Color{{0.3f, 0.05f, 0.05f}};
    roof.diffuse = file3ds::Color{{0.9f, 0.15f, 0.1f}};
    scene.materials = {wood, roof};

    file3ds::Mesh box;
    box.name = "crate";
    // Each side has its own four corners so that it can carry the whole
    // picture.
    const Vec3 corners[6][4] = {
        {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}, {1, 1, 0}},
        {{1, 0, 1}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}}, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
        {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}};
    for (int side = 0; side < 5; ++side) {
        const uint16_t base = static_cast<uint16_t>(box.vertices.size());
        for (int k = 0; k < 4; ++k) box.vertices.push_back(corners[side][k]);
        box.texCoords.insert(box.texCoords.end(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
        box.faces.push_back({base, static_cast<uint16_t>(base + 1), static_cast<uint16_t>(base + 2), 6});
        box.faces.push_back({base, static_cast<uint16_t>(base + 2), static_cast<uint16_t>(base + 3), 3});
        box.smoothing.insert(box.smoothing.end(), 2, 1u << side);
    }
    // The roof on top: four triangles to an apex.
    const uint16_t apex = static_cast<uint16_t>(box.vertices.size());
    box.vertices.push_back({0.5f, 1.6f, 0.5f});
    box.texCoords.push_back({0.5f, 0.5f});
    const uint16_t top[4] = {3, 2, 14, 15};  // corners of the y = 1 square, counter-clockwise from above
    std::vector<uint16_t> roofFaces;
    for (int k = 0; k < 4; ++k) {
        roofFaces.push_back(static_cast<uint16_t>(box.faces.size()));
        box.faces.push_back({top[(k + 1) % 4], top[k], apex, 7});
        box.smoothing.push_back(1u << (8 + k));  // sharp roof edges
    }
    std::vector<uint16_t> woodFaces;
    for (uint16_t f = 0; f < 10; ++f) woodFaces.push_back(f);
    box.materialGroups = {{"wood", woodFaces}, {"roof", roofFaces}};
    scene.meshes = {box};
    return scene;
}

std::string WriteCrate() {
    Image checker(64, 64, BGR);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool dark = ((x / 16) + (y / 16)) % 2 == 0;
            checker.SetPixel(x, y, dark ? 120 : 230, dark ? 70 : 190, dark ? 20 : 110);
        }
    EXPECT_TRUE(checker.Save((Folder() / "checker.bmp").c_str()));
    const std::string path = (Folder() / "crate.3ds").string();
    std::string error;
    EXPECT_TRUE(file3ds::Save(Crate(), path, &error)) << error;
    return path;
}

struct ViewerRun {
    int status = -1;
    std::string out;
};

// Both streams in `out`, unless standard output is sent to `stdoutTo`.
ViewerRun RunViewer(const std::string& arguments, const std::string& environment = "",
                    const std::string& stdoutTo = "") {
    const std::string outPath = (Folder() / "viewer.out").string();
    const std::string command = environment + " " + kViewer + " " + arguments +
                                (stdoutTo.empty() ? " > " + outPath + " 2>&1" : " 2> " + outPath + " > " + stdoutTo);
    ViewerRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(outPath);
    run.out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

TEST(ModelViewer, InfoNeedsNoDisplay) {
    const std::string crate = WriteCrate();
    const ViewerRun ok = RunViewer("--info " + crate, "env -u DISPLAY");
    EXPECT_EQ(0, ok.status) << ok.out;
    EXPECT_NE(std::string::npos, ok.out.find("loaded texture checker.bmp"));
    EXPECT_NE(std::string::npos, ok.out.find("object 0 uses materials: 0 1"));

    std::ofstream((Folder() / "not.3ds").string()) << "not a model";
    const std::string missing = (Folder() / "missing.3ds").string();
    const std::string lost = "model-viewer: standard output could not be written: No space left on device\n";
    const struct {
        std::string arguments, stdoutTo;
        int status;
        std::string says;
    } cases[] = {
        {"--info " + (Folder() / "not.3ds").string(), "", 1, "3ds: bad file header\n"},
        {"--info " + missing, "", 1, "model-viewer: cannot read " + missing + ": No such file or directory\n"},
        {"--info " + Folder().string(), "", 1, "model-viewer: cannot read " + Folder().string() + ": it is a directory\n"},
        {"--mode 0 " + crate, "", 2, "--mode takes a draw mode from 1 to 255"},
        {"", "", 2, "model-viewer: no model file given"},
        {"--help", "", 0, "usage: model-viewer FILE.3DS [--mode N] [--screenshot OUT.bmp]\n"},
        // The trace and the usage are the report: lost, the run failed.
        {"--info " + crate, "/dev/full", 1, lost},
        {"--help", "/dev/full", 1, lost},
    };
    for (const auto& c : cases) {
        const ViewerRun run = RunViewer(c.arguments, "env -u DISPLAY", c.stdoutTo);
        EXPECT_EQ(c.status, run.status) << c.arguments << "\n" << run.out;
        EXPECT_NE(std::string::npos, run.out.find(c.says)) << c.arguments << "\n" << run.out;
    }
}

TEST(ModelViewer, ScreenshotShowsTheModel) {
    if (!std::getenv("DISPLAY")) ONDRA_SKIP_OR_FAIL("no X display");
    const std::string crate = WriteCrate();
    const std::string shot = (Folder() / "crate.bmp").string();
    const ViewerRun run = RunViewer(crate + " --screenshot " + shot);
    ASSERT_EQ(0, run.status) << run.out;
    Image picture;
    ASSERT_TRUE(picture.Load(shot.c_str()));
    EXPECT_EQ(640, picture.Width());
    EXPECT_EQ(480, picture.Height());
    // The middle shows the crate, not the background; the roof is red.
    uint8_t r, g, b, a;
    picture.GetPixel(5, 5, r, g, b, a);
    const int background[3] = {r, g, b};
    picture.GetPixel(320, 200, r, g, b, a);
    EXPECT_NE(background[0], r);
    int redPixels = 0;
    for (int y = 0; y < 480; y += 4)
        for (int x = 0; x < 640; x += 4) {
            picture.GetPixel(x, y, r, g, b, a);
            redPixels += r > 120 && g < 80 && b < 80;
        }
    EXPECT_GT(redPixels, 50);

    const std::string copy = (fs::current_path() / "model_viewer_crate.bmp").string();
    fs::copy_file(shot, copy, fs::copy_options::overwrite_existing);

    EXPECT_EQ(1, RunViewer((Folder() / "missing.3ds").string() + " --screenshot " + shot).status);
}

}  // namespace
}  // namespace ondra
