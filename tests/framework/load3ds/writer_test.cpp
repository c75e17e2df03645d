// The 3DS writer: byte layout of chunks and scenes, and scene validation.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/load3ds/writer/chunk_writer.h"
#include "framework/load3ds/writer/scene_writer.h"

namespace ondra {
namespace file3ds {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ChunkWriter, NestedChunksGetLittleEndianLengths) {
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x0002);
    w.Word(0x1234);
    w.End();
    w.String("ab");
    w.End();
    const Bytes expected = {0x4D, 0x4D, 17, 0, 0, 0,  // root: 6 + 8 + 3
                            0x02, 0x00, 8,  0, 0, 0, 0x34, 0x12, 'a', 'b', 0};
    EXPECT_EQ(expected, w.Data());
    EXPECT_EQ(0, w.OpenChunks());
}

TEST(ChunkWriter, ForgedLengthAndFloats) {
    ChunkWriter w;
    w.Begin(0x4110);
    w.Float(1.0f);
    w.EndWithLength(0xFFFFFFF0u);
    const Bytes expected = {0x10, 0x41, 0xF0, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(expected, w.Take());
    EXPECT_EQ(0u, w.Size());
}

TEST(SceneWriter, EmptySceneHoldsVersionsAndMasterScale) {
    Scene scene;
    Bytes bytes;
    ASSERT_TRUE(Encode(scene, bytes));
    // root(6) + version(10) + mesh data(6 + mesh version 10 + scale 10)
    ASSERT_EQ(42u, bytes.size());
    EXPECT_EQ(0x4D, bytes[0]);
    EXPECT_EQ(42, bytes[2]);
    EXPECT_EQ(0x3D, bytes[17]);  // mesh data id 0x3D3D at offset 16
    EXPECT_EQ(26, bytes[18]);
}

TEST(SceneWriter, MeshChunksAppearInOrder) {
    Scene scene;
    scene.version.reset();
    scene.meshVersion.reset();
    scene.masterScale.reset();
    Mesh mesh;
    mesh.name = "m";
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces = {{0, 1, 2, 5}};
    mesh.smoothing = {1};
    mesh.materialGroups = {{"x", {0}}};
    scene.meshes.push_back(mesh);
    Bytes bytes;
    ASSERT_TRUE(Encode(scene, bytes));
    // root, mesh data, named object "m", triangle mesh, vertices...
    EXPECT_EQ(0x00, bytes[12]);
    EXPECT_EQ(0x40, bytes[13]);
    EXPECT_EQ('m', bytes[18]);
    EXPECT_EQ(0x41, bytes[21]);  // 0x4100 follows the name
    EXPECT_EQ(0x10, bytes[26]);  // 0x4110 vertices
    EXPECT_EQ(3, bytes[32]);
    const size_t faces = 26 + 6 + 2 + 36;
    EXPECT_EQ(0x20, bytes[faces]);
    EXPECT_EQ(0x41, bytes[faces + 1]);
    EXPECT_EQ(5, bytes[faces + 6 + 2 + 6]);  // edge flags of face 0
    EXPECT_EQ(0x30, bytes[faces + 16]);       // 0x4130 material group
    EXPECT_EQ(bytes.size(), bytes[2] + 256u * bytes[3]);
}

TEST(SceneWriter, RefusesWhatTheFormatCannotHold) {
    std::string error;
    Bytes bytes;
    Scene scene;
    scene.meshes.resize(1);
    scene.meshes[0].vertices.resize(65536);
    EXPECT_FALSE(Encode(scene, bytes, &error));
    EXPECT_NE(std::string::npos, error.find("65535 vertices"));

    scene.meshes[0].vertices.resize(3);
    scene.meshes[0].faces.resize(2);
    scene.meshes[0].smoothing = {1};
    EXPECT_FALSE(Encode(scene, bytes, &error));
    EXPECT_NE(std::string::npos, error.find("smoothing"));

    scene.meshes[0].smoothing.clear();
    scene.meshes[0].name = std::string("a\0b", 3);
    EXPECT_FALSE(Encode(scene, bytes, &error));
}

TEST(SceneWriter, ValidateFindsBrokenReferences) {
    Scene scene;
    scene.materials.resize(1);
    scene.materials[0].name = "steel";
    Mesh mesh;
    mesh.vertices.resize(3);
    mesh.faces = {{0, 1, 2}};
    mesh.materialGroups = {{"steel", {0}}};
    scene.meshes.push_back(mesh);
    std::string error;
    EXPECT_TRUE(Validate(scene, &error)) << error;

    scene.meshes[0].faces[0].c = 3;
    EXPECT_FALSE(Validate(scene, &error));
    scene.meshes[0].faces[0].c = 2;
    scene.meshes[0].materialGroups[0].faces = {1};
    EXPECT_FALSE(Validate(scene, &error));
    scene.meshes[0].materialGroups[0] = {"wood", {0}};
    EXPECT_FALSE(Validate(scene, &error));
    scene.meshes[0].materialGroups.clear();
    scene.meshes[0].texCoords.resize(2);
    EXPECT_FALSE(Validate(scene, &error));
}

TEST(SceneWriter, SaveReportsUnwritablePath) {
    std::string error;
    EXPECT_FALSE(Save(Scene(), "/nonexistent-dir/x.3ds", &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace file3ds
}  // namespace ondra
