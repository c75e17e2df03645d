// Writes the seed corpus of fuzz_3ds: small files made with the 3DS
// writer that between them hold every chunk the reader understands.
//   make_3ds_seeds OUTPUT_FOLDER
#include <cstdio>
#include <string>

#include "framework/load3ds/writer/chunk_writer.h"
#include "framework/load3ds/writer/scene_writer.h"

namespace {

using namespace ondra::file3ds;

Mesh Square(const std::string& name) {
    Mesh mesh;
    mesh.name = name;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.faces = {{0, 1, 2, 6}, {0, 2, 3, 3}};
    return mesh;
}

Scene Everything() {
    Scene scene;
    Material shiny;
    shiny.name = "shiny";
    shiny.ambient = Color{{0.1f, 0.1f, 0.1f}, ColorForm::kBytesAndFloats};
    shiny.diffuse = Color{{0.8f, 0.2f, 0.2f}};
    shiny.specular = Color{{1, 1, 1}, ColorForm::kFloats};
    shiny.shininess = Percent{40};
    shiny.shininessStrength = Percent{30, PercentForm::kFloat};
    shiny.transparency = Percent{25};
    shiny.selfIllum = Percent{10};
    shiny.twoSided = true;
    shiny.shading = 3;
    TextureMap map;
    map.fileName = "missing.bmp";
    map.strength = 100;
    map.tiling = 0;
    map.blur = 0.1f;
    map.uScale = 2;
    map.vScale = 2;
    map.uOffset = 0.5f;
    map.vOffset = 0.5f;
    map.angle = 30;
    shiny.texture = map;
    scene.materials = {shiny, Material{}};
    scene.materials[1].name = "dull";

    Mesh a = Square("a");
    a.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    a.materialGroups = {{"shiny", {0}}, {"dull", {1}}};
    a.smoothing = {1, 3};
    a.matrix = MeshMatrix{0, 1, 0, -1, 0, 0, 0, 0, 1, 2, 3, 4};
    a.color = 5;
    Mesh b = Square("b");
    b.materialGroups = {{"shiny", {0, 1}}};
    scene.meshes = {a, b};

    Node node;
    node.objectName = "a";
    node.nodeId = 0;
    node.pivot = ondra::Vec3{0.5f, 0.5f, 0};
    node.position = {{0, {1, 2, 3}}};
    node.rotation = {{0, 0.5f, {0, 0, 1}}};
    node.scale = {{0, {1, 1, 1}}};
    scene.nodes = {node};
    return scene;
}

Scene Smoothing() {
    Scene scene;
    Mesh fan;
    fan.name = "fan";
    fan.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 0}, {-1, 0, 1}};
    fan.faces = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}};
    fan.smoothing = {1, 0, 6};
    scene.meshes = {fan};
    return scene;
}

bool SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// Nested object nodes and a chunk whose length lies.
std::vector<uint8_t> Forged() {
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0xB000);
    for (int i = 0; i < 4; ++i) w.Begin(0xB002);
    w.Begin(0xB010);
    w.String("x");
    w.End();
    for (int i = 0; i < 4; ++i) w.End();
    w.End();
    w.Begin(0x3D3D);
    w.Begin(0x4000);
    w.String("y");
    w.Begin(0x4100);
    w.Begin(0x4110);
    w.Word(100);
    w.Float(1);
    w.EndWithLength(400);
    w.End();
    w.End();
    w.End();
    w.End();
    return w.Take();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_3ds_seeds OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Save(Everything(), folder + "/everything.3ds") && Save(Smoothing(), folder + "/smoothing.3ds") &&
              Save(Scene(), folder + "/empty.3ds") && SaveBytes(folder + "/forged.3ds", Forged());
    if (!ok) std::fprintf(stderr, "make_3ds_seeds: cannot write into %s\n", folder.c_str());
    return ok ? 0 : 1;
}
