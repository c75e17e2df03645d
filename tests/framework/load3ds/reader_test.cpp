// Reading .3DS files: the exact trace and dump, materials, texture maps,
// material groups, the keyframer and damaged files.
#include <gtest/gtest.h>


#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <future>
#include <vector>

#include "framework/load3ds/chunk_ids.h"
#include "model_fixtures.h"
#include "tests/support/special_files.h"

namespace ondra {
namespace {

using namespace test3ds;
namespace id = chunk3ds;

file3ds::Scene SmallScene() {
    file3ds::Scene scene;
    file3ds::Material red = PlainMaterial("red", 1, 0, 0);
    red.shininess = file3ds::Percent{50};
    red.transparency = file3ds::Percent{20, file3ds::PercentForm::kFloat};
    red.twoSided = true;
    scene.materials.push_back(red);

    file3ds::Mesh tri;
    tri.name = "tri";
    tri.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    tri.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    tri.faces = {{0, 1, 2}};
    tri.materialGroups = {{"red", {0}}};
    tri.smoothing = {1};
    scene.meshes.push_back(tri);

    file3ds::Node node;
    node.objectName = "tri";
    node.nodeId = 0;
    node.pivot = Vec3{0.5f, 0.25f, 0.0f};
    node.position = {{0, {1, 2, 3}}};
    node.rotation = {{0, 0.5f, {0, 0, 1}}};
    node.scale = {{0, {1, 1, 1}}};
    scene.nodes.push_back(node);
    scene.rootExtra = {{0x1234, {1, 2, 3}}};
    return scene;
}

TEST(ModelReader, TraceAndDumpOfASmallModel) {
    const file3ds::Scene scene = SmallScene();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file3ds::Encode(scene, bytes));
    Model model;
    const Loaded loaded = LoadBytes(model, bytes);
    ASSERT_TRUE(loaded.ok);
    const std::string expected =
        "3ds: file size = " + std::to_string(bytes.size()) + "\n"
        "3ds: file version 3\n"
        "3ds: mesh version 3\n"
        "3ds: material name = \"red\"\n"
        "~MAT_TWOSIDE\n"
        "3ds: named object = \"tri\"\n"
        "3ds: num.verts = 3\n"
        "3ds: num.texuv = 3\n"
        "3ds: num.faces = 1\n"
        "MSH_MAT_GROUP (red,1)\n"
        "SMOOTH_GROUP\n"
        "nFaces=1\n"
        "OBJECT_NODE_TAG\n"
        "~NODE_ID\n"
        "NODE_HDR: tri\n"
        "PIVOT: 0.50 0.25 0.00\n"
        "POS_TRACK_TAG\n"
        " key pos: (1.00 2.00 3.00)\n"
        "ROT_TRACK_TAG\n"
        " key rot: 0.50 (0.00 0.00 1.00)\n"
        "SCL_TRACK_TAG\n"
        " key scl: (1.00 1.00 1.00)\n"
        "Parse: 0x1234\n"
        "generated 3 normals\n"
        "---- dump ----\n"
        "Objects:\n"
        "  tri\n"
        "    verts=3\n"
        "    texuv=3\n"
        "Materials:\n"
        "  red\n"
        "Statistics:\n"
        "  Faces    = 1\n"
        "  Vertices = 3\n"
        "  Normals  = 3\n";
    EXPECT_EQ(expected, loaded.out);

    const ModelEx& ex = model.GetData();
    ASSERT_EQ(1u, ex.objects.size());
    const ModelObject& object = ex.objects[0];
    EXPECT_EQ(0, object.material);
    EXPECT_FALSE(object.multiMaterial);
    EXPECT_TRUE(object.hasPivot);
    EXPECT_EQ(7, object.faces[0].edgeFlags);
    EXPECT_EQ(1u, object.faces[0].smoothing);
    const Material& red = ex.materials[0];
    EXPECT_FLOAT_EQ(0.5f, red.shininess);
    EXPECT_FLOAT_EQ(0.8f, red.opacity);
    EXPECT_TRUE(red.twoSided);
    EXPECT_EQ(1.0f, red.diffuse.x);
    EXPECT_EQ(0.0f, red.diffuse.y);
}

TEST(ModelReader, HeaderChecksAndFileSizeMessage) {
    Model model;
    EXPECT_FALSE(model.Load(nullptr));
    EXPECT_FALSE(LoadFile(model, TempPath("does-not-exist.3ds")).ok);

    const Loaded text = LoadBytes(model, {'h', 'e', 'l', 'l', 'o', '\n', 'x', 'y'});
    EXPECT_FALSE(text.ok);
    EXPECT_EQ("3ds: bad file header\n", text.out);

    // The message shows the stored root length, not the size on disk.
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kVersion);
    w.Dword(3);
    w.End();
    w.EndWithLength(100000);
    const Loaded forged = LoadBytes(model, w.Take());
    EXPECT_TRUE(forged.ok);
    EXPECT_EQ(0u, forged.out.find("3ds: file size = 100000\n3ds: file version 3\n---- dump ----\n"));
    EXPECT_NE(std::string::npos, forged.out.find("  Normals  = 0\n"));
    EXPECT_TRUE(model.GetData().objects.empty());
}

TEST(ModelReader, NamesThatAreNotRegularFilesFailAtOnce) {
    const std::string folder = TempPath("folder.3ds");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    std::vector<std::string> paths = {folder};
    if (test::SystemHasFifos()) {
        const std::string fifo = TempPath("pipe.3ds");
        ASSERT_TRUE(test::MakeFifo(fifo));
        paths.push_back(fifo);
    }
    for (const std::string& path : paths) {
        // A load that blocks is abandoned after the deadline rather than
        // joined, so that it fails this test instead of hanging the suite.
        std::future<bool> load =
            std::async(std::launch::async, [path] { return Model().Load(path.c_str()); });
        if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << path << " still blocked after 5 seconds";
            static auto* abandoned = new std::vector<std::future<bool>>;
            abandoned->push_back(std::move(load));
            continue;
        }
        EXPECT_FALSE(load.get()) << path;
    }
}

TEST(ModelReader, ColoursAndPercentages) {
    file3ds::Scene scene = BareScene();
    file3ds::Material m;
    m.name = "m";
    m.ambient = file3ds::Color{{0.2f, 0.4f, 0.6f}, file3ds::ColorForm::kBytesAndFloats};
    m.diffuse = file3ds::Color{{1.0f, 1.0f, 1.0f}, file3ds::ColorForm::kFloats};
    m.shininess = file3ds::Percent{25, file3ds::PercentForm::kFloat};
    m.shininessStrength = file3ds::Percent{40};
    m.selfIllum = file3ds::Percent{10};
    // A percentage of an unknown kind counts as 100 %: fully transparent.
    file3ds::ChunkWriter odd;
    odd.Begin(0x0099);
    odd.Word(5);
    odd.End();
    m.extra = {{id::kMatTransparency, odd.Take()}, {0xA052, {}}, {0xA053, {}}, {0xA08A, {}},
               {0xA100, {}}, {0xA33D, {}}, {0xA087, {}}, {0xA220, {}}};
    scene.materials.push_back(m);
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_NE(std::string::npos,
              loaded.out.find("3ds: material name = \"m\"\nSHIN2PCT = 0.40\n~MAT_XPFALL\n~MAT_REFBLUR\n"
                              "~MAT_XPFALLIN\n~MAT_SHADING\n~MAT_SELFIMAP\nParseMatEntry: 0xA220\n"));
    const Material& mat = model.GetData().materials[0];
    EXPECT_FLOAT_EQ(51 / 255.0f, mat.ambient.x);
    EXPECT_FLOAT_EQ(102 / 255.0f, mat.ambient.y);
    // 1.0f as a little-endian float starts with bytes 00 00 80.
    EXPECT_EQ(0.0f, mat.diffuse.x);
    EXPECT_EQ(0.0f, mat.diffuse.y);
    EXPECT_FLOAT_EQ(128 / 255.0f, mat.diffuse.z);
    EXPECT_FLOAT_EQ(0.25f, mat.shininess);
    EXPECT_FLOAT_EQ(0.1f, mat.selfIllum);
    EXPECT_EQ(0.0f, mat.opacity);
    EXPECT_FLOAT_EQ(0.0f, mat.specular.x);
}

TEST(ModelReader, TextureMapParametersAndStreamPositions) {
    // Written by hand to know where each value ends in the file.
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kMeshData);
    w.Begin(id::kMaterial);
    w.Begin(id::kMatName);
    w.String("tex");
    w.End();
    w.Begin(id::kMatTextureMap);
    w.Begin(id::kPercentInt);
    w.Word(100);
    w.End();
    auto floatChunk = [&w](uint16_t chunkId, float value) {
        w.Begin(chunkId);
        w.Float(value);
        const size_t end = w.Size();
        w.End();
        return end;
    };
    w.Begin(id::kMapTiling);
    w.Word(0x10);
    const size_t tilingEnd = w.Size();
    w.End();
    floatChunk(id::kMapBlur, 0.1f);
    const size_t uScaleEnd = floatChunk(id::kMapUScale, 2.0f);
    const size_t vScaleEnd = floatChunk(id::kMapVScale, 3.0f);
    const size_t uOffsetEnd = floatChunk(id::kMapUOffset, 0.25f);
    floatChunk(id::kMapVOffset, 0.5f);
    const size_t angleEnd = floatChunk(id::kMapAngle, 45.0f);
    w.Begin(0xA360);
    const size_t oddEnd = w.Size();
    w.End();
    w.End();
    w.End();
    w.End();
    w.End();
    Model model;
    const Loaded loaded = LoadBytes(model, w.Take());
    char expected[512];
    std::snprintf(expected, sizeof(expected),
                  "MAT_MAP_TILING (0x0010) at %08lX\nMAT_MAP_USCALE(2.00) at %08lX\n"
                  "MAT_MAP_VSCALE (3.00) at %08lX\nMAT_MAP_UOFFSET (0.25) at %08lX\n"
                  "MAT_MAP_ANG (45.00) at %08lX\nParseMatTexmap: A360 at %08lX\n",
                  static_cast<long>(tilingEnd), static_cast<long>(uScaleEnd), static_cast<long>(vScaleEnd),
                  static_cast<long>(uOffsetEnd), static_cast<long>(angleEnd), static_cast<long>(oddEnd));
    EXPECT_NE(std::string::npos, loaded.out.find(expected)) << loaded.out;
    const Material& mat = model.GetData().materials[0];
    EXPECT_EQ(2.0f, mat.mapScale.u);
    EXPECT_EQ(3.0f, mat.mapScale.v);
    EXPECT_EQ(0.25f, mat.mapOffset.u);
    EXPECT_EQ(0.5f, mat.mapOffset.v);
    EXPECT_EQ(45.0f, mat.mapAngle);
}

TEST(ModelReader, TextureFileNamesAreRetriedAsJpeg) {
    const std::string base = TempPath("tex");
    WriteTga(base + "wall_bmp.jpg", 2, 2, 255, 0, 0);
    WriteTga(base + "brick.jpg", 2, 2, 0, 255, 0);
    WriteTga(base + "plain", 2, 2, 0, 0, 255);
    struct Case {
        std::string name;
        bool loads;
    };
    const Case cases[] = {{base + "wall.bmp", true},
                          {base + "brick.bmp", true},
                          {base + "stone.bmp", false},
                          {base + "plain", true},
                          {base + "plain_missing", false}};
    for (const Case& c : cases) {
        file3ds::Scene scene = BareScene();
        file3ds::Material m;
        m.name = "m";
        m.texture = file3ds::TextureMap{c.name};
        scene.materials.push_back(m);
        Model model;
        const Loaded loaded = LoadScene(model, scene);
        const std::string message =
            (c.loads ? "loaded texture " : "warning: Unable to load texture ") + c.name + "\n";
        EXPECT_NE(std::string::npos, loaded.out.find(message)) << loaded.out;
        const Material& mat = model.GetData().materials[0];
        EXPECT_EQ(c.name, mat.textureName);
        EXPECT_EQ(c.loads, mat.texture && mat.texture->GetData() != nullptr) << c.name;
    }
}

TEST(ModelReader, UnknownChunksAreTracedAndSkipped) {
    file3ds::Scene scene = BareScene();
    scene.meshDataExtra = {{0x0100, {0, 0, 128, 63}}, {0x3000, {}}, {0x7001, {}}, {0x1200, {9}}};
    file3ds::Mesh mesh = Square("sq");
    mesh.extra = {{0x4111, {}}, {0x4165, {2}}, {0x4170, {}}};
    mesh.faceExtra = {{0x4133, {}}};
    scene.meshes.push_back(mesh);
    file3ds::ChunkWriter light;
    light.String("lamp");
    light.Chunk(0x4600, {0, 0, 0, 0});
    light.Chunk(0x4700, {});
    light.Chunk(0x4710, {});
    scene.meshDataExtra.push_back({0x4000, light.Take()});
    scene.nodes.resize(1);
    scene.nodes[0].objectName = "sq";
    scene.nodes[0].extra = {{0xB011, {}}, {0xB014, {}}, {0xB099, {}}};
    scene.keyframerExtra = {{0xB008, {}}, {0xB009, {}}, {0xB00A, {}}};
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_NE(std::string::npos, loaded.out.find("3ds: num.faces = 2\nsub-chunk: 4133\n"
                                                 "3ds: ignoring POINT_FLAG_ARRAY\n"
                                                 "3ds: ignoring MESH_COLOR (2)\n"
                                                 "ParseNTriObject: 0x4170\n"
                                                 "ParseMData: 0x1200\n"
                                                 "3ds: named object = \"lamp\"\n"
                                                 "ParseNamedObject: 0x4710\n"
                                                 "OBJECT_NODE_TAG\nNODE_HDR: sq\nParseKFData: 0xB099\n"
                                                 "generated"))
        << loaded.out;
    EXPECT_EQ(1u, model.GetData().objects.size());  // the light adds nothing
}

TEST(ModelReader, MaterialGroups) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0), PlainMaterial("b", 0, 1, 0)};
    file3ds::Mesh whole = Square("whole");
    // An empty group keeps the material but marks the object for the split,
    // which leaves it in one piece.
    whole.materialGroups = {{"a", {0, 1}}, {"b", {}}};
    file3ds::Mesh empty = Square("empty");
    empty.materialGroups = {{"b", {}}};
    file3ds::Mesh missing = Square("missing");
    missing.materialGroups = {{"b", {0, 1}}, {"nothing", {0, 1}}};
    file3ds::Mesh partial = Square("partial");
    partial.materialGroups = {{"b", {1}}};
    scene.meshes = {whole, empty, missing, partial};
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_NE(std::string::npos, loaded.out.find("MSH_MAT_GROUP (a,2)\nMSH_MAT_GROUP (b,0)\n"));
    EXPECT_NE(std::string::npos, loaded.out.find("MSH_MAT_GROUP (nothing,2)\n"));
    EXPECT_NE(std::string::npos,
              loaded.out.find("note: model has sub-object textures\nobject 0 uses materials: 0\n"
                              "object 1 uses materials: -1\n"
                              "object 3 uses materials: -1 1\n"))
        << loaded.out;

    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(5u, objects.size());
    EXPECT_EQ(0, objects[0].material);
    EXPECT_FALSE(objects[0].multiMaterial);
    EXPECT_EQ(-1, objects[1].material);  // a group of 0 faces leaves it unset
    EXPECT_EQ(2u, objects[1].faces.size());
    EXPECT_EQ(-1, objects[2].material);  // the last non-empty group decides
    EXPECT_EQ(-1, objects[2].faces[1].material);
    EXPECT_EQ(-1, objects[3].material);  // faces in no group keep -1
    EXPECT_EQ(1u, objects[3].faces.size());
    EXPECT_EQ(1, objects[4].material);
    EXPECT_EQ("partial", objects[4].name);
}

// Group names find the first material of that name at the time the group
// is read, also after a material was renamed or when one has no name.
TEST(ModelReader, GroupsFindTheFirstMaterialOfTheirName) {
    file3ds::Scene scene = BareScene();
    file3ds::Material renamed = PlainMaterial("a", 1, 0, 0);
    file3ds::ChunkWriter name;
    name.String("b");
    renamed.extra = {{0xA000, name.Take()}};
    scene.materials = {renamed, PlainMaterial("a", 0, 1, 0), PlainMaterial("b", 0, 0, 1)};
    file3ds::Mesh first = Square("first");
    first.materialGroups = {{"a", {0, 1}}};
    file3ds::Mesh second = Square("second");
    second.materialGroups = {{"b", {0, 1}}};
    scene.meshes = {first, second};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file3ds::Encode(scene, bytes));
    Model model;
    LoadBytes(model, bytes);
    EXPECT_EQ(1, model.GetData().objects[0].material);
    EXPECT_EQ(0, model.GetData().objects[1].material);

    // A material without a name chunk answers to the empty name.
    file3ds::ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    w.Chunk(0xAFFF, {});
    w.Begin(0x4000);
    w.String("x");
    w.Begin(0x4100);
    w.Begin(0x4110);
    w.Word(3);
    for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) w.Float(f);
    w.End();
    w.Begin(0x4120);
    w.Word(1);
    for (uint16_t v : {0, 1, 2, 7}) w.Word(v);
    w.Begin(0x4130);
    w.String("");
    w.Word(1);
    w.Word(0);
    w.End();
    w.End();
    w.End();
    w.End();
    w.End();
    w.End();
    Model unnamed;
    const Loaded loaded = LoadBytes(unnamed, w.Take());
    EXPECT_NE(std::string::npos, loaded.out.find("MSH_MAT_GROUP (,1)\n"));
    EXPECT_EQ(0, unnamed.GetData().objects[0].material);
}

// Materials renamed, renamed back, left nameless or sharing a name, read
// between the groups that look them up: each group finds the first
// material that has its name when the group is read.
TEST(ModelReader, GroupsFindMaterialsThroughRenames) {
    const char* const pool[] = {"", "a", "b", "c"};
    uint32_t seed = 7;
    auto pick = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kMeshData);
    std::vector<std::string> names;  // each material's name so far
    std::vector<int> expected;       // each object's material
    for (int step = 0; step < 2000; ++step) {
        if (pick(2) == 0) {
            w.Begin(id::kMaterial);
            names.emplace_back();
            for (uint32_t n = pick(4); n > 0; --n) {
                names.back() = pool[pick(4)];
                w.Begin(id::kMatName);
                w.String(names.back());
                w.End();
            }
            w.End();
            continue;
        }
        const std::string name = pool[pick(4)];
        const auto first = std::find(names.begin(), names.end(), name);
        expected.push_back(first == names.end() ? -1 : static_cast<int>(first - names.begin()));
        w.Begin(id::kNamedObject);
        w.String("o");
        w.Begin(id::kTriangleMesh);
        w.Begin(id::kVertexList);
        w.Word(3);
        for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) w.Float(f);
        w.End();
        w.Begin(id::kFaceList);
        for (uint16_t v : {1, 0, 1, 2, 7}) w.Word(v);  // one face
        w.Begin(id::kFaceMaterial);
        w.String(name);
        w.Word(1);
        w.Word(0);
        for (int k = 0; k < 4; ++k) w.End();
    }
    w.End();
    w.End();
    Model model;
    LoadBytes(model, w.Take());
    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(expected.size(), objects.size());
    for (size_t i = 0; i < objects.size(); ++i) EXPECT_EQ(expected[i], objects[i].material) << i;
}

// One picture file named by many materials, directly or through the
// ".jpg" fallbacks, is decoded once per load and shared.
TEST(ModelReader, MaterialsNamingOneFileShareItsPicture) {
    const std::string base = TempPath("tex");
    WriteTga(base + "shared.tga", 4, 4, 255, 0, 0);
    WriteTga(base + "wall_bmp.jpg", 2, 2, 0, 255, 0);
    file3ds::Scene scene = BareScene();
    const std::string named[] = {base + "shared.tga", base + "wall.bmp", base + "gone.bmp"};
    for (int i = 0; i < 30; ++i) {
        file3ds::Material m;
        m.name = "m" + std::to_string(i);
        m.texture = file3ds::TextureMap{named[i % 3]};
        scene.materials.push_back(m);
    }
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_EQ(20u, LinesStartingWith(loaded.out, "loaded texture ").size());
    const std::vector<Material>& materials = model.GetData().materials;
    ASSERT_NE(nullptr, materials[0].texture);
    ASSERT_NE(nullptr, materials[1].texture);
    EXPECT_NE(materials[0].texture, materials[1].texture);
    EXPECT_EQ(2, materials[1].texture->Width());
    for (size_t i = 0; i < materials.size(); ++i) {
        EXPECT_EQ(named[i % 3], materials[i].textureName);
        EXPECT_EQ(i % 3 == 2 ? nullptr : materials[i % 3].texture, materials[i].texture) << i;
    }
}

file3ds::Node PivotNode(const std::string& name, Vec3 pivot, bool beforeHeader = false) {
    file3ds::Node node;
    node.objectName = name;
    node.pivot = pivot;
    node.pivotBeforeHeader = beforeHeader;
    return node;
}

TEST(ModelReader, Pivots) {
    file3ds::Scene scene = BareScene();
    scene.meshes = {Square("a"), Square("twin"), Square("twin"), Square("b")};
    scene.nodes = {PivotNode("a", {0, 0, 0}), PivotNode("twin", {1, 2, 3}),
                   PivotNode("b", {4, 0, 0}, true), PivotNode("ghost", {5, 0, 0})};
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_NE(std::string::npos,
              loaded.out.find("OBJECT_NODE_TAG\nNODE_HDR: a\n"
                              "OBJECT_NODE_TAG\nNODE_HDR: twin\nPIVOT: 1.00 2.00 3.00\n"
                              "OBJECT_NODE_TAG\nPIVOT: 4.00 0.00 0.00\nPIVOT: no object for pivot!\nNODE_HDR: b\n"
                              "OBJECT_NODE_TAG\nNODE_HDR: ghost\nPIVOT: 5.00 0.00 0.00\n"
                              "PIVOT: no object for pivot!\n"))
        << loaded.out;
    const std::vector<ModelObject>& objects = model.GetData().objects;
    EXPECT_FALSE(objects[0].hasPivot);
    EXPECT_TRUE(objects[1].hasPivot);  // the first of two objects of one name
    EXPECT_FALSE(objects[2].hasPivot);
    EXPECT_FALSE(objects[3].hasPivot);
    EXPECT_EQ(2.0f, objects[1].pivot.y);
}

// A file cut short keeps what was read before the cut.
TEST(ModelReader, TruncatedFilesLoadWhatWasRead) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0)};
    file3ds::Mesh first = Square("first");
    first.materialGroups = {{"a", {0, 1}}};
    first.smoothing = {1, 1};
    scene.meshes = {first, Square("second")};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file3ds::Encode(scene, bytes));
    for (size_t cut = 6; cut < bytes.size(); ++cut) {
        Model model;
        const Loaded loaded = LoadBytes(model, std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
        ASSERT_TRUE(loaded.ok) << cut;
        EXPECT_NE(std::string::npos, loaded.out.find("---- dump ----")) << cut;
    }
    // Cut inside the second object's vertex list.
    const size_t cut = bytes.size() - 24 - 20;  // face chunk is 24 bytes
    Model model;
    const Loaded loaded = LoadBytes(model, std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(2u, objects.size());
    EXPECT_EQ(2u, objects[0].faces.size());
    EXPECT_EQ(0, objects[0].material);
    EXPECT_EQ(4u, objects[1].vertices.size());
    EXPECT_TRUE(objects[1].faces.empty());
}

// A file ending inside a material group's face list: the entries that are
// missing are not read as face 0.
TEST(ModelReader, FileEndingInsideAGroupList) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0)};
    file3ds::Mesh mesh = Square("sq");
    mesh.materialGroups = {{"a", {1, 0}}};
    scene.meshes = {mesh};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file3ds::Encode(scene, bytes));
    const std::vector<uint8_t> group = {'a', 0, 2, 0, 1, 0};  // name, count, first entry
    const auto at = std::search(bytes.begin(), bytes.end(), group.begin(), group.end());
    ASSERT_NE(bytes.end(), at);
    Model model;
    LoadBytes(model, std::vector<uint8_t>(bytes.begin(), at + group.size() + 1));
    const ModelObject& object = model.GetData().objects[0];
    EXPECT_EQ(0, object.faces[1].material);
    EXPECT_EQ(-1, object.faces[0].material);
}

}  // namespace
}  // namespace ondra
