// Damaged and forged files: every case loads what makes sense, reports the
// repair on standard error and never reads outside the file's chunks.
#include <gtest/gtest.h>

#include "framework/load3ds/chunk_ids.h"
#include "model_fixtures.h"

namespace ondra {
namespace {

using namespace test3ds;
namespace id = chunk3ds;

struct Result {
    Loaded loaded;
    std::string errors;
};

Result LoadQuietly(Model& model, const std::vector<uint8_t>& bytes) {
    testing::internal::CaptureStderr();
    Result result{LoadBytes(model, bytes), ""};
    result.errors = testing::internal::GetCapturedStderr();
    return result;
}

std::vector<uint8_t> Encoded(const file3ds::Scene& scene) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(file3ds::Encode(scene, bytes));
    return bytes;
}

TEST(DamagedFiles, ChunkShorterThanItsHeaderEndsItsParent) {
    for (uint32_t length : {0u, 1u, 5u}) {
        file3ds::ChunkWriter w;
        w.Begin(id::kMain);
        w.Begin(id::kVersion);
        w.Dword(3);
        w.End();
        w.Begin(0x1111);
        w.EndWithLength(length);
        w.Begin(id::kVersion);
        w.Dword(4);
        w.End();
        w.End();
        Model model;
        const Result r = LoadQuietly(model, w.Take());
        EXPECT_TRUE(r.loaded.ok);
        EXPECT_NE(std::string::npos, r.loaded.out.find("3ds: file version 3\n---- dump ----"));
        EXPECT_NE(std::string::npos, r.errors.find("damaged chunk 0x1111"));
    }
}

// Only a header that cannot be read whole or names no model is refused; a
// root claiming less than its header loads as an empty model, the chunks
// after its header unread.
TEST(DamagedFiles, RootShorterThanItsHeader) {
    const std::string empty =
        "3ds: file size = 0\n---- dump ----\nObjects:\nMaterials:\nStatistics:\n"
        "  Faces    = 0\n  Vertices = 0\n  Normals  = 0\n";
    const auto root = [](uint16_t rootId, uint32_t length) {
        file3ds::ChunkWriter w;
        w.Begin(rootId);
        w.Chunk(id::kVersion, {3, 0, 0, 0});
        w.EndWithLength(length);
        return w.Take();
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool loads;
    };
    const Case cases[] = {
        {"length 0", root(id::kMain, 0), true},
        {"length 5", root(id::kMain, 5), true},
        {"header alone", {0x4D, 0x4D, 2, 0, 0, 0}, true},
        {"header cut short", {0x4D, 0x4D, 2, 0, 0}, false},
        {"not a model", root(id::kVersion, 0), false},
    };
    for (const Case& c : cases) {
        Model model;
        const Result r = LoadQuietly(model, c.bytes);
        EXPECT_EQ(c.loads, r.loaded.ok) << c.what;
        EXPECT_EQ(c.loads ? empty : "3ds: bad file header\n", r.loaded.out) << c.what;
        EXPECT_EQ("", r.errors) << c.what;
        EXPECT_TRUE(model.GetData().objects.empty()) << c.what;
    }
}

TEST(DamagedFiles, ChunkReachingPastItsParentIsCutThere) {
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kMeshData);
    w.Begin(id::kMaterial);
    w.Begin(id::kMatName);
    w.String("abc");  // the name's chunk claims far more than its material holds
    w.EndWithLength(5000);
    w.End();
    w.Begin(id::kMaterial);
    w.Begin(id::kMatName);
    w.String("next");
    w.End();
    w.End();
    w.End();
    w.End();
    Model model;
    const Result r = LoadQuietly(model, w.Take());
    ASSERT_EQ(2u, model.GetData().materials.size());
    EXPECT_EQ("abc", model.GetData().materials[0].name);
    EXPECT_EQ("next", model.GetData().materials[1].name);
}

TEST(DamagedFiles, StringWithoutNulEndsAtItsChunk) {
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kMeshData);
    w.Begin(id::kMaterial);
    w.Begin(id::kMatName);
    w.Bytes("abc", 3);
    w.End();
    w.Begin(id::kMatTwoSided);
    w.End();
    w.End();
    w.End();
    w.End();
    Model model;
    const Result r = LoadQuietly(model, w.Take());
    EXPECT_NE(std::string::npos, r.loaded.out.find("3ds: material name = \"abc\"\n~MAT_TWOSIDE\n"));
}

// A name is kept up to 1,024 bytes before its NUL; a longer one is cut
// there and the rest of its chunk, however large, is skipped unread, while
// the chunks after it are read.
TEST(DamagedFiles, LongNamesAreCutAndEndTheirChunk) {
    struct Case {
        size_t length;
        bool nul;
        bool cut;
    };
    for (const Case& c : {Case{1024, true, false}, Case{1025, true, true}, Case{3 << 20, false, true}}) {
        const std::string name(c.length, 'n');
        file3ds::ChunkWriter w;
        w.Begin(id::kMain);
        w.Begin(id::kMeshData);
        w.Begin(id::kMaterial);
        w.Begin(id::kMatName);
        w.Bytes(name.data(), name.size() + c.nul);
        w.End();
        w.Chunk(id::kMatTwoSided, {});
        w.End();
        for (const std::string& object : {name, std::string("next")}) {
            w.Begin(id::kNamedObject);
            w.Bytes(object.data(), object.size() + (c.nul || object == "next"));
            w.Begin(id::kTriangleMesh);
            w.Chunk(id::kVertexList, {0, 0});
            w.End();
            w.End();
        }
        w.End();
        w.End();
        Model model;
        const Result r = LoadQuietly(model, w.Take());
        const ModelEx& ex = model.GetData();
        ASSERT_EQ(1u, ex.materials.size());
        EXPECT_EQ(name.substr(0, 1024), ex.materials[0].name) << c.length;
        EXPECT_TRUE(ex.materials[0].twoSided) << c.length;
        // A cut object name takes the object's mesh with it.
        ASSERT_EQ(c.cut ? 1u : 2u, ex.objects.size()) << c.length;
        EXPECT_EQ("next", ex.objects.back().name);
        EXPECT_EQ(c.cut, r.errors.find("longer than 1024 bytes") != std::string::npos) << c.length;
    }
}

// A file ending inside a chunk says where on standard error, naming the
// innermost chunk the data stops in; a whole file says nothing.
TEST(DamagedFiles, FileEndingInsideAChunkTellsWhere) {
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Chunk(id::kVersion, {3, 0, 0, 0});
    const size_t mdata = w.Size();
    w.Begin(id::kMeshData);
    w.Begin(id::kNamedObject);
    w.String("sq");
    const size_t mesh = w.Size();
    w.Begin(id::kTriangleMesh);
    const size_t vertices = w.Size();
    w.Begin(id::kVertexList);
    w.Word(2);
    for (int i = 0; i < 6; ++i) w.Float(1.0f);
    w.End();
    const size_t verticesEnd = w.Size();
    w.Chunk(id::kPointFlags, {});
    for (int i = 0; i < 4; ++i) w.End();
    const std::vector<uint8_t> bytes = w.Take();
    struct Case {
        size_t cut;
        uint16_t chunk;
        size_t start, end;
    };
    const Case cases[] = {{vertices + 20, id::kVertexList, vertices, verticesEnd},
                          {verticesEnd, id::kTriangleMesh, mesh, bytes.size()},
                          {mdata, id::kMain, 0, bytes.size()},
                          {bytes.size(), 0, 0, 0}};
    for (const Case& c : cases) {
        Model model;
        const Result r = LoadQuietly(model, std::vector<uint8_t>(bytes.begin(), bytes.begin() + c.cut));
        EXPECT_EQ(std::string::npos, r.loaded.out.find("data ends"));
        if (c.chunk == 0) {
            EXPECT_EQ(std::string::npos, r.errors.find("data ends")) << r.errors;
            continue;
        }
        char expected[160];
        std::snprintf(expected, sizeof expected,
                      ": data ends at offset %zu, inside chunk 0x%04X at offset %zu that claims %zu bytes\n",
                      c.cut, c.chunk, c.start, c.end - c.start);
        EXPECT_NE(std::string::npos, r.errors.find(expected)) << r.errors;
        EXPECT_EQ(1u, LinesStartingWith(r.errors, "3ds: ").size()) << r.errors;
    }
}

TEST(DamagedFiles, CountsLargerThanTheirDataAreCut) {
    file3ds::Scene scene = BareScene();
    file3ds::Mesh mesh = Square("sq");
    mesh.texCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    scene.meshes = {mesh};
    std::vector<uint8_t> bytes = Encoded(scene);
    // Raise the vertex, texture-coordinate and face counts to 65535.
    int raised = 0;
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        const bool countChunk = bytes[i + 1] == 0x41 && (bytes[i] == 0x10 || bytes[i] == 0x40 || bytes[i] == 0x20);
        if (countChunk && bytes[i + 6] == 4 - (bytes[i] == 0x20) * 2 && bytes[i + 7] == 0) {
            bytes[i + 6] = bytes[i + 7] = 0xFF;
            ++raised;
        }
    }
    ASSERT_EQ(3, raised);
    Model model;
    const Result r = LoadQuietly(model, bytes);
    EXPECT_NE(std::string::npos, r.loaded.out.find("3ds: num.verts = 65535\n"));
    EXPECT_NE(std::string::npos, r.loaded.out.find("3ds: num.faces = 65535\n"));
    EXPECT_NE(std::string::npos, r.errors.find("65535 vertices announced, room for 4 only"));
    const ModelObject& object = model.GetData().objects[0];
    EXPECT_EQ(4u, object.vertices.size());
    EXPECT_EQ(4u, object.texCoords.size());
    EXPECT_EQ(2u, object.faces.size());
}

TEST(DamagedFiles, FacesNamingMissingVerticesAreDropped) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0)};
    file3ds::Mesh mesh = Square("sq");
    mesh.faces.push_back({0, 4, 1});
    mesh.faces.push_back({9, 9, 9});
    mesh.smoothing = {1, 1, 1, 1};
    mesh.materialGroups = {{"a", {0, 1, 2, 3}}};
    scene.meshes = {mesh};
    Model model;
    const Result r = LoadQuietly(model, Encoded(scene));
    EXPECT_NE(std::string::npos, r.errors.find("dropped 2 faces"));
    const ModelObject& object = model.GetData().objects[0];
    EXPECT_EQ(2u, object.faces.size());
    EXPECT_EQ(4u, object.normals.size());
    EXPECT_NE(std::string::npos, r.loaded.out.find("  Faces    = 2\n"));
}

TEST(DamagedFiles, GroupEntriesNamingMissingFacesAreIgnored) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0), PlainMaterial("b", 0, 1, 0)};
    file3ds::Mesh mesh = Square("sq");
    mesh.materialGroups = {{"a", {0, 1}}, {"b", {7, 1}}};
    scene.meshes = {mesh};
    Model model;
    const Result r = LoadQuietly(model, Encoded(scene));
    EXPECT_NE(std::string::npos, r.errors.find("ignored 1 entries"));
    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(0, objects[0].faces[0].material);
    EXPECT_EQ(1, objects[0].faces[1].material);
}

TEST(DamagedFiles, GroupListShorterThanItsCount) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0)};
    file3ds::Mesh mesh = Square("sq");
    file3ds::ChunkWriter group;
    group.String("a");
    group.Word(2);
    group.Word(1);  // one entry of two
    mesh.faceExtra = {{id::kFaceMaterial, group.Take()}};
    scene.meshes = {mesh};
    Model model;
    LoadQuietly(model, Encoded(scene));
    const ModelObject& object = model.GetData().objects[0];
    EXPECT_EQ(-1, object.faces[0].material);  // not taken as face 0
    EXPECT_EQ(0, object.faces[1].material);
}

TEST(DamagedFiles, DeeplyNestedNodesDoNotExhaustTheStack) {
    constexpr int kDepth = 20000;
    file3ds::ChunkWriter w;
    w.Begin(id::kMain);
    w.Begin(id::kKeyframer);
    for (int i = 0; i < kDepth; ++i) w.Begin(id::kObjectNode);
    for (int i = 0; i < kDepth; ++i) w.End();
    w.End();
    w.End();
    Model model;
    const Result r = LoadQuietly(model, w.Take());
    EXPECT_TRUE(r.loaded.ok);
    EXPECT_EQ(65u, LinesStartingWith(r.loaded.out, "OBJECT_NODE_TAG").size());
    EXPECT_NE(std::string::npos, r.errors.find("nested too deep"));
}

TEST(DamagedFiles, ColourAndPercentWithoutSubChunkChangeNothing) {
    file3ds::Scene scene = BareScene();
    file3ds::Material m = PlainMaterial("m", 0.5f, 0.5f, 0.5f);
    m.ambient = file3ds::Color{{1, 1, 1}};
    m.extra = {{id::kMatDiffuse, {}}, {id::kMatTransparency, {}}, {id::kMatAmbient, {0x11, 0, 7, 0, 0, 0}}};
    scene.materials = {m};
    Model model;
    LoadQuietly(model, Encoded(scene));
    const Material& mat = model.GetData().materials[0];
    EXPECT_FLOAT_EQ(128 / 255.0f, mat.diffuse.x);
    EXPECT_EQ(1.0f, mat.opacity);
    EXPECT_EQ(0.0f, mat.ambient.x);  // a colour chunk with no colour bytes
}

}  // namespace
}  // namespace ondra
