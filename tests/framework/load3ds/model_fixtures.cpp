// Helpers for the 3DS model tests.
#include "model_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/support/scratch_folder.h"

namespace ondra {
namespace test3ds {

std::string TempPath(const std::string& name) {
    // One folder for the whole test process, removed when it ends.
    static const test::ScratchFolder folder;
    static int serial = 0;
    return folder.File(std::to_string(++serial) + "_" + name);
}

std::string WriteScene(const file3ds::Scene& scene, const std::string& name) {
    const std::string path = TempPath(name);
    std::string error;
    EXPECT_TRUE(file3ds::Save(scene, path, &error)) << error;
    return path;
}

std::string WriteBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
    const std::string path = TempPath(name);
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(nullptr, file);
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

Loaded LoadFile(Model& model, const std::string& path) {
    Loaded result;
    testing::internal::CaptureStdout();
    result.ok = model.Load(path.c_str());
    std::fflush(stdout);
    result.out = testing::internal::GetCapturedStdout();
    return result;
}

Loaded LoadScene(Model& model, const file3ds::Scene& scene) { return LoadFile(model, WriteScene(scene)); }

Loaded LoadBytes(Model& model, const std::vector<uint8_t>& bytes) { return LoadFile(model, WriteBytes(bytes)); }

file3ds::Scene BareScene() {
    file3ds::Scene scene;
    scene.version.reset();
    scene.meshVersion.reset();
    scene.masterScale.reset();
    return scene;
}

file3ds::Mesh Square(const std::string& name) {
    file3ds::Mesh mesh;
    mesh.name = name;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.faces = {{0, 1, 2, 6}, {0, 2, 3, 3}};
    return mesh;
}

file3ds::Material PlainMaterial(const std::string& name, float r, float g, float b) {
    file3ds::Material m;
    m.name = name;
    m.diffuse = file3ds::Color{{r, g, b}};
    return m;
}

void WriteTga(const std::string& path, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = static_cast<uint8_t>(width);
    bytes[13] = static_cast<uint8_t>(width >> 8);
    bytes[14] = static_cast<uint8_t>(height);
    bytes[15] = static_cast<uint8_t>(height >> 8);
    bytes[16] = 24;
    for (int i = 0; i < width * height; ++i) {
        bytes.push_back(b);
        bytes.push_back(g);
        bytes.push_back(r);
    }
    const uint8_t footer[26] = {0, 0, 0, 0, 0, 0, 0, 0, 'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O',
                                'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};
    bytes.insert(bytes.end(), footer, footer + sizeof(footer));
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    return lines;
}

}  // namespace test3ds
}  // namespace ondra
